#include "gui/project/CSystemRoomDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/DialogButtons.h"

#include "gui/project/CSystemRoomEditor.h"

CSystemRoomDlg::CSystemRoomDlg(const CAir_Room& project, int unitSystem, QWidget* parent,
                               const SystemRoomEdit::Chart& chart, int shownSystem, int shownRoom)
    : QDialog(parent)
{
    setWindowTitle(tr("系统-房间(室内外状态点)参数输入框"));
    auto* layout = new QVBoxLayout(this);
    m_editor = new CSystemRoomEditor(SystemRoomEdit::Variant::Dialog, this);
    m_editor->edit().Load(project, unitSystem, chart, shownSystem, shownRoom);
    m_editor->showEdit();
    layout->addWidget(m_editor);
    addOkCancelButtons(this, layout);
}

void CSystemRoomDlg::accept()
{
    if (!m_editor->validate())
        return;
    if (m_confirm && !m_confirm(m_editor->edit().working()))
        return;
    QDialog::accept();
}

CAir_Room CSystemRoomDlg::TakeResult()
{
    return m_editor->edit().TakeResult();
}
