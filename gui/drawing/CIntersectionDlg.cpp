#include "gui/drawing/CIntersectionDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "gui/chart/CQORVAView.h"
#include "project/CQORVADoc.h"

QString CIntersectionDlg::Title(int type)
{
    switch (type) {
    case CIDG::kCrossProcessProcess:
        return tr("修改过程线与过程线交点");
    case CIDG::kCrossHhrHhr:
        return tr("修改热湿比线与热湿比线交点");
    default:
        return tr("修改过程线与热湿比线交点");
    }
}

CIntersectionDlg::CIntersectionDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int type,
                                   QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nType(type)
{
    setWindowTitle(Title(type));
    auto* form = new QFormLayout(this);
    m_name = new QComboBox(this);
    m_name->setObjectName("name");
    m_name->setEditable(true);
    const CIDG& idg = model();
    for (std::size_t i = 0; idg.m_pPoints && i < idg.m_pPoints->size(); ++i) {
        const CStatePoint& point = *(*idg.m_pPoints)[i];
        if (point.m_nKind >= CStatePoint::kProcessCrossProcess)
            m_name->addItem(QString::fromStdString(point.m_strName));
    }
    m_name->setEditText(QString::fromStdString(CIDG::UniqueName(*idg.m_pPoints, "X")));
    form->addRow(tr("名称"), m_name);
    const bool firstProcess = type != CIDG::kCrossHhrHhr;
    const bool secondProcess = type == CIDG::kCrossProcessProcess;
    const QString first = type == CIDG::kCrossProcessHhr ? tr("过程线")
                          : firstProcess                 ? tr("过程线1")
                                                         : tr("热湿比线1");
    const QString second = type == CIDG::kCrossProcessHhr ? tr("热湿比线")
                           : secondProcess                ? tr("过程线2")
                                                          : tr("热湿比线2");
    m_line1 =
        AddObjectList(form, first, firstProcess ? CIDG::kClassProcessLine : CIDG::kClassHhrLine, "line1");
    m_line2 =
        AddObjectList(form, second, secondProcess ? CIDG::kClassProcessLine : CIDG::kClassHhrLine, "line2");
    AddButtons(form, tr("确认"));
}

bool CIntersectionDlg::Apply()
{
    return m_edits.AddIntersection(m_nType, m_line1->currentIndex(), m_line2->currentIndex(),
                                   m_name->currentText().toStdString(), m_view.DrawnWindow());
}
