#include "gui/chart/ChartOutput.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include "model/Messages.h"
#include "project/CQORVADoc.h"

namespace {

struct FilterSpec {
    const char* filter;
    const char* extension;
    chart::ExportFormat format;
};

constexpr FilterSpec kFilters[] = {
    {QT_TRANSLATE_NOOP("ChartOutput", "元文件(*.wmf)"), "wmf", chart::ExportFormat::Emf},
    {QT_TRANSLATE_NOOP("ChartOutput", "增强型元文件(*.emf)"), "emf", chart::ExportFormat::Emf},
    {QT_TRANSLATE_NOOP("ChartOutput", "SVG 图形(*.svg)"), "svg", chart::ExportFormat::Svg},
    {QT_TRANSLATE_NOOP("ChartOutput", "PDF 文档(*.pdf)"), "pdf", chart::ExportFormat::Pdf},
    {QT_TRANSLATE_NOOP("ChartOutput", "PNG 图像(*.png)"), "png", chart::ExportFormat::Png},
};

// A4 portrait without the printer's own margins: the chart layout keeps
// the page margins itself.
void preparePrinter(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFromTo(1, 1);
}

} // namespace

QStringList exportFilters()
{
    QStringList filters;
    for (const FilterSpec& spec : kFilters)
        filters << QCoreApplication::translate("ChartOutput", spec.filter);
    return filters;
}

std::optional<chart::ExportFormat> exportFormatFor(QString& path, const QString& filter)
{
    if (const auto byName = chart::formatFromPath(path.toStdString()))
        return byName;
    for (const FilterSpec& spec : kFilters)
        if (filter == QCoreApplication::translate("ChartOutput", spec.filter)) {
            path += QLatin1Char('.') + QLatin1String(spec.extension);
            return spec.format;
        }
    return std::nullopt;
}

ExportPrompts ExportPrompts::standard()
{
    ExportPrompts prompts;
    prompts.chooseFile = [](QWidget* parent) -> std::optional<FileChoice> {
        QString filter = exportFilters().front();
        const QString path = QFileDialog::getSaveFileName(
            parent, QString(), QString(), exportFilters().join(QStringLiteral(";;")), &filter);
        if (path.isEmpty())
            return std::nullopt;
        return FileChoice{path, filter};
    };
    prompts.chooseDpi = [](QWidget* parent) -> std::optional<int> {
        bool ok = false;
        const int dpi = QInputDialog::getInt(parent, QCoreApplication::translate("ChartOutput", "图像分辨率"),
                                             QCoreApplication::translate("ChartOutput", "分辨率(dpi):"), 300,
                                             chart::kMinImageDpi, chart::kMaxImageDpi, 50, &ok);
        if (!ok)
            return std::nullopt;
        return dpi;
    };
    prompts.chooseAllRooms = [](QWidget* parent) -> std::optional<bool> {
        QMessageBox box(QMessageBox::Question, QCoreApplication::translate("ChartOutput", "输出PDF"),
                        QCoreApplication::translate("ChartOutput", "输出哪些房间的焓湿图?"),
                        QMessageBox::NoButton, parent);
        QAbstractButton* current =
            box.addButton(QCoreApplication::translate("ChartOutput", "当前房间"), QMessageBox::AcceptRole);
        QAbstractButton* all =
            box.addButton(QCoreApplication::translate("ChartOutput", "全部房间"), QMessageBox::AcceptRole);
        box.addButton(QCoreApplication::translate("ChartOutput", "取消"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() == current)
            return false;
        if (box.clickedButton() == all)
            return true;
        return std::nullopt;
    };
    return prompts;
}

bool ExportChartMetafile(CQORVADoc& document, const ChartDevice& screen, QWidget* parent,
                         const ExportPrompts& prompts)
{
    const auto choice = prompts.chooseFile(parent);
    if (!choice)
        return false;
    QString path = choice->path;
    const auto format = exportFormatFor(path, choice->filter);
    if (!format) {
        alertMessage(QCoreApplication::translate("ChartOutput", "无法识别的文件类型: %1")
                         .arg(QFileInfo(path).fileName())
                         .toStdString(),
                     MessageIcon::Stop);
        return false;
    }
    chart::ExportOptions options;
    options.format = *format;
    options.pageView = document.model().m_bChartView == 0;
    if (*format == chart::ExportFormat::Png) {
        const auto dpi = prompts.chooseDpi(parent);
        if (!dpi)
            return false;
        options.dpi = *dpi;
    }
    if (*format == chart::ExportFormat::Pdf) {
        const auto all = prompts.chooseAllRooms(parent);
        if (!all)
            return false;
        options.allRooms = *all;
    }
    std::string error;
    if (!document.ExportChart(screen, path.toStdString(), options, error)) {
        alertMessage(QCoreApplication::translate("ChartOutput", "无法输出焓湿图。\n%1")
                         .arg(QString::fromStdString(error))
                         .toStdString(),
                     MessageIcon::Stop);
        return false;
    }
    return true;
}

bool PrintChartPage(CQORVADoc& document, QPrinter& printer, const ChartDevice& screen)
{
    return document.PrintChart(printer, screen);
}

void PrintChart(CQORVADoc& document, const ChartDevice& screen, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PrintChartPage(document, printer, screen))
        alertMessage(QCoreApplication::translate("ChartOutput", "无法打印焓湿图。").toStdString(),
                     MessageIcon::Stop);
}

void PrintPreviewChart(CQORVADoc& document, const ChartDevice& screen, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document, screen](QPrinter* target) { PrintChartPage(document, *target, screen); });
    preview.exec();
}
