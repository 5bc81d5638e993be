#include "gui/drawing/CEditIntersectionDlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

#include "gui/drawing/CIntersectionDlg.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

int CEditIntersectionDlg::TypeOf(int kind)
{
    switch (kind) {
    case CStatePoint::kProcessCrossProcess:
        return CIDG::kCrossProcessProcess;
    case CStatePoint::kHhrCrossHhr:
        return CIDG::kCrossHhrHhr;
    case CStatePoint::kProcessCrossHhr:
        return CIDG::kCrossProcessHhr;
    default:
        return -1;
    }
}

CEditIntersectionDlg::CEditIntersectionDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                           int pointIndex, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nIndex(pointIndex)
{
    const CIDG& idg = model();
    const CStatePoint* point = idg.PointAt(pointIndex);
    const int type = TypeOf(point ? point->m_nKind : -1);
    setWindowTitle(CIntersectionDlg::Title(type));
    auto* form = new QFormLayout(this);
    m_name = AddText(form, tr("名称"), "name", point ? QString::fromStdString(point->m_strName) : "");
    auto lineName = [&idg](int objectClass, int index) {
        auto name = [index](const auto* lines) {
            return lines && index >= 0 && index < static_cast<int>(lines->size())
                       ? QString::fromStdString((*lines)[static_cast<std::size_t>(index)]->m_strName)
                       : QString();
        };
        return objectClass == CIDG::kClassProcessLine ? name(idg.m_pProcessLines) : name(idg.m_pHhrLines);
    };
    QString first, second, firstLabel, secondLabel;
    if (point && type == CIDG::kCrossProcessProcess) {
        first = lineName(CIDG::kClassProcessLine, point->m_nCrossProc1);
        second = lineName(CIDG::kClassProcessLine, point->m_nCrossProc2);
        firstLabel = tr("过程线1"), secondLabel = tr("过程线2");
    } else if (point && type == CIDG::kCrossHhrHhr) {
        first = lineName(CIDG::kClassHhrLine, point->m_nCrossHhr1);
        second = lineName(CIDG::kClassHhrLine, point->m_nCrossHhr2);
        firstLabel = tr("热湿比线1"), secondLabel = tr("热湿比线2");
    } else if (point) {
        first = lineName(CIDG::kClassProcessLine, point->m_nCrossProc);
        second = lineName(CIDG::kClassHhrLine, point->m_nCrossHhr);
        firstLabel = tr("过程线"), secondLabel = tr("热湿比线");
    }
    AddText(form, firstLabel, "line1", first)->setReadOnly(true);
    AddText(form, secondLabel, "line2", second)->setReadOnly(true);
    auto* state = new QPushButton(tr("参数"), this);
    state->setObjectName("state");
    state->setAutoDefault(false);
    connect(state, &QPushButton::clicked, this,
            [this] { alertMessage(StateText().toStdString(), MessageIcon::Information); });
    auto* independent = new QPushButton(tr("转为独立状态点"), this);
    independent->setObjectName("independent");
    independent->setAutoDefault(false);
    connect(independent, &QPushButton::clicked, this, [this, independent] {
        m_bMakeIndependent = true;
        independent->setEnabled(false);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(state);
    row->addWidget(independent);
    form->addRow(row);
    AddButtons(form, tr("确认"));
}

QString CEditIntersectionDlg::StateText() const
{
    const CStatePoint* point = model().PointAt(m_nIndex);
    if (!point)
        return {};
    const int units = model().m_nUnitSystem;
    const auto temperature = [units](float t) {
        return double(unit_text::Shown(unit_text::Quantity::Temperature, t, units));
    };
    return unit_text::Caption(tr("干球温度：%1℃\n湿球温度%2℃\n相对湿度%3"), units)
        .arg(temperature(point->m_t), 5, 'f', 1)
        .arg(temperature(point->m_tw), 5, 'f', 1)
        .arg(point->m_RH * 100.0, 5, 'f', 0);
}

bool CEditIntersectionDlg::Apply()
{
    return m_edits.EditIntersection(m_nIndex, m_name->text().toStdString(), m_bMakeIndependent);
}
