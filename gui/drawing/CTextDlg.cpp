#include "gui/drawing/CTextDlg.h"

#include <QFormLayout>
#include <QLineEdit>

#include "project/CQORVADoc.h"

CTextDlg::CTextDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QPoint chartPosition,
                   int editIndex, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_position(chartPosition), m_nEditIndex(editIndex)
{
    setWindowTitle(tr("文字说明"));
    auto* form = new QFormLayout(this);
    QString text;
    const CIDG& idg = model();
    if (editIndex >= 0 && idg.m_pTexts && editIndex < static_cast<int>(idg.m_pTexts->size()))
        text = QString::fromStdString((*idg.m_pTexts)[static_cast<std::size_t>(editIndex)]->m_strText);
    m_text = AddText(form, tr("文字说明"), "text", text);
    AddButtons(form, tr("确认"));
}

bool CTextDlg::Apply()
{
    const std::string text = m_text->text().toStdString();
    if (m_nEditIndex >= 0)
        return m_edits.EditText(m_nEditIndex, text);
    return m_edits.AddText(text, m_position.x(), m_position.y());
}
