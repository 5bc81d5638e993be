#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "render/ChartExport.h"

class CQORVADoc;
class QPrinter;
class QWidget;

// What the export asks the user; tests replace each step so nothing blocks.
struct ExportPrompts {
    struct FileChoice {
        QString path;
        QString filter; // the filter the user chose
    };
    std::function<std::optional<FileChoice>(QWidget* parent)> chooseFile;
    // Image resolution, 96–600 dpi.
    std::function<std::optional<int>(QWidget* parent)> chooseDpi;
    // PDF: true for every room with objects, false for the current room.
    std::function<std::optional<bool>(QWidget* parent)> chooseAllRooms;
    static ExportPrompts standard();
};

// The filters of the export's file dialog, "元文件(*.wmf)" first.
QStringList exportFilters();

// The file type of a chosen path: its extension when it names one, else the
// chosen filter's (and the path gains that extension).
std::optional<chart::ExportFormat> exportFormatFor(QString& path, const QString& filter);

// 焓湿图: asks for a file and writes the current room's chart to it. False
// when the user cancelled or the file could not be written (then said so).
bool ExportChartMetafile(CQORVADoc& document, const ChartDevice& screen, QWidget* parent,
                         const ExportPrompts& prompts = ExportPrompts::standard());

// Prints the current room on one page of the printer, laid out for the
// printer with the document's margins.
bool PrintChartPage(CQORVADoc& document, QPrinter& printer, const ChartDevice& screen);
// 打印: the standard print dialog, then one page.
void PrintChart(CQORVADoc& document, const ChartDevice& screen, QWidget* parent);
// 打印预览: the standard preview of that page.
void PrintPreviewChart(CQORVADoc& document, const ChartDevice& screen, QWidget* parent);
