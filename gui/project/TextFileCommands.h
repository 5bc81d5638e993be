#pragma once

#include <QString>

#include <functional>

class CMainFrame;
class QWidget;

// What the text-file commands ask the user; tests replace each step so
// nothing blocks. An empty path means the user cancelled.
struct TextFilePrompts {
    // The table file of 文件 → 输出 → 状态点 / 参数点 (a text file, ".txt" added
    // when the name has no extension; overwriting is asked about).
    std::function<QString(QWidget* parent)> chooseTableFile;
    // The project of 导入旧工程 to read.
    std::function<QString(QWidget* parent)> chooseOldProject;
    // The workbook of 文件 → 导出工作簿 (".xlsx" added when the name has no
    // extension; overwriting is asked about).
    std::function<QString(QWidget* parent)> chooseWorkbookFile;
    static TextFilePrompts standard();
};

// The dialogs' filters, as the user sees them.
inline constexpr const char* kTableFileFilter = QT_TRANSLATE_NOOP("TextFileCommands", "文本文件(*.txt)");
inline constexpr const char* kOldProjectFilter = QT_TRANSLATE_NOOP("TextFileCommands", "QORVA文件(*.id)");
inline constexpr const char* kWorkbookFilter = QT_TRANSLATE_NOOP("TextFileCommands", "Excel 工作簿(*.xlsx)");

// Installs 状态点 and 参数点 of 文件 → 输出, 导出工作簿, 导入旧工程 and 关闭并返回.
void installTextFileCommands(CMainFrame& frame, const TextFilePrompts& prompts = TextFilePrompts::standard());

// The commands' steps, callable without the menu.
namespace text_file_commands {
// Asks for a file and writes the table; false when cancelled or not written
// (the document said why).
bool ExportStatePoints(CMainFrame& frame, const TextFilePrompts& prompts);
bool ExportParamPoints(CMainFrame& frame, const TextFilePrompts& prompts);
// Asks for a workbook file and writes the project into it, with the weather
// year's sheets when the project has one; reads the document only (no undo
// step). False when cancelled or not written (the document said why).
bool ExportWorkbook(CMainFrame& frame, const TextFilePrompts& prompts);
// Asks for an old project and appends its systems to the document's as one
// undo step; the toolbar lists follow.
bool ImportOldProject(CMainFrame& frame, const TextFilePrompts& prompts);
// 关闭并返回: writes the report to the report path of the command line, then
// closes the frame (a modified project is offered for saving first), which
// ends the program for the program that started it. False when the report
// could not be written or the user kept the frame open.
bool CloseAndReturn(CMainFrame& frame);
} // namespace text_file_commands
