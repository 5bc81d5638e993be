#include "ui/CProcessLineDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "project/CQORVADoc.h"

CProcessLineDlg::CProcessLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                 const ProcessLineEnd& start, const ProcessLineEnd& end, int editIndex,
                                 QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_start(start), m_end(end), m_nEditIndex(editIndex)
{
    setWindowTitle(QStringLiteral("过程线"));
    auto* form = new QFormLayout(this);
    const CIDG& idg = model();
    QString name = QStringLiteral("GCL1");
    if (editIndex >= 0 && idg.m_pProcessLines && editIndex < static_cast<int>(idg.m_pProcessLines->size()))
        name = QString::fromStdString((*idg.m_pProcessLines)[static_cast<std::size_t>(editIndex)]->m_strName);
    m_name = AddText(form, QStringLiteral("名称"), "name", name);
    auto names = [&](const char* objectName, const ProcessLineEnd& e) {
        auto* list = new QComboBox(this);
        list->setObjectName(objectName);
        list->setEditable(true);
        FillList(list, idg, CIDG::kClassPoint);
        list->setCurrentIndex(e.index);
        list->setEditText(QString::fromStdString(e.name));
        return list;
    };
    m_startName = names("start", start);
    m_endName = names("end", end);
    form->addRow(QStringLiteral("起点"), m_startName);
    form->addRow(QStringLiteral("终点"), m_endName);
    AddButtons(form, QStringLiteral("确认"));
}

ProcessLineEnd CProcessLineDlg::End(const QComboBox* names, const ProcessLineEnd& drawn) const
{
    ProcessLineEnd end = drawn;
    end.name = names->currentText().toStdString();
    // Choosing a name from the list makes that point the end; typing renames the drawn end.
    const int chosen = names->findText(names->currentText());
    if (chosen >= 0 && chosen != drawn.index && names->currentIndex() == chosen)
        end.index = chosen;
    return end;
}

bool CProcessLineDlg::Apply()
{
    const ProcessLineEnd start = End(m_startName, m_start);
    const ProcessLineEnd end = End(m_endName, m_end);
    const std::string name = m_name->text().toStdString();
    if (m_nEditIndex >= 0)
        return m_edits.EditProcessLine(m_nEditIndex, name, start.index, end.index);
    return m_edits.AddProcessLine(name, start, end);
}
