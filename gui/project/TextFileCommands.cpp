#include "gui/project/TextFileCommands.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "project/CQORVADoc.h"

namespace {

QString askTableFile(QWidget* parent)
{
    QFileDialog dialog(parent, QString(), QString(),
                       QCoreApplication::translate("TextFileCommands", kTableFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("txt");
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString askWorkbookFile(QWidget* parent)
{
    QFileDialog dialog(parent, QString(), QString(),
                       QCoreApplication::translate("TextFileCommands", kWorkbookFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("xlsx");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString askOldProject(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        QCoreApplication::translate("TextFileCommands", kOldProjectFilter));
}

// A table file named without an extension is a ".txt" file, as the dialog's
// default extension makes it; an injected choice gets the same.
QString withTableSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + ".txt" : path;
}

QString withWorkbookSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + ".xlsx" : path;
}

} // namespace

TextFilePrompts TextFilePrompts::standard()
{
    return {askTableFile, askOldProject, askWorkbookFile};
}

namespace text_file_commands {

bool ExportStatePoints(CMainFrame& frame, const TextFilePrompts& prompts)
{
    const QString path = prompts.chooseTableFile(&frame);
    if (path.isEmpty())
        return false;
    return frame.document().ExportStatePoints(withTableSuffix(path).toStdString());
}

bool ExportParamPoints(CMainFrame& frame, const TextFilePrompts& prompts)
{
    const QString path = prompts.chooseTableFile(&frame);
    if (path.isEmpty())
        return false;
    return frame.document().ExportParamPoints(withTableSuffix(path).toStdString());
}

bool ExportWorkbook(CMainFrame& frame, const TextFilePrompts& prompts)
{
    if (!prompts.chooseWorkbookFile)
        return false;
    const QString path = prompts.chooseWorkbookFile(&frame);
    if (path.isEmpty())
        return false;
    return frame.document().ExportWorkbook(withWorkbookSuffix(path).toStdString());
}

bool ImportOldProject(CMainFrame& frame, const TextFilePrompts& prompts)
{
    const QString path = prompts.chooseOldProject(&frame);
    if (path.isEmpty())
        return false;
    if (!frame.document().ImportOldProject(path.toStdString()))
        return false;
    frame.FillToolbarCombos();
    frame.updateCommandStates();
    return true;
}

bool CloseAndReturn(CMainFrame& frame)
{
    // The calling program waits for the report; a report that could not be
    // written has been reported, and the program still ends as asked.
    const bool written = frame.document().WriteAnalysisReport();
    return frame.close() && written;
}

} // namespace text_file_commands

void installTextFileCommands(CMainFrame& frame, const TextFilePrompts& prompts)
{
    CMainFrame* f = &frame;
    frame.setHandler(cmd::ExportStatePoints,
                     [f, prompts] { text_file_commands::ExportStatePoints(*f, prompts); });
    frame.setHandler(cmd::ExportParamPoints,
                     [f, prompts] { text_file_commands::ExportParamPoints(*f, prompts); });
    frame.setHandler(cmd::ExportWorkbook, [f, prompts] { text_file_commands::ExportWorkbook(*f, prompts); });
    frame.setHandler(cmd::ImportOldProject,
                     [f, prompts] { text_file_commands::ImportOldProject(*f, prompts); });
    frame.setHandler(cmd::FileClose, [f] { text_file_commands::CloseAndReturn(*f); });
}
