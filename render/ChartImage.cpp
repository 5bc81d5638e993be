#include "render/ChartImage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

#include "render/QPainterCanvas.h"
#include "render/ChartRenderer.h"

namespace chart {

QSize pageSize(const ChartDevice& device, bool pageView)
{
    const int pageWidth = device.pageWidth > 0 ? device.pageWidth : 210;
    const int pageHeight = device.pageHeight > 0 ? device.pageHeight : 297;
    const int screenWidth = device.screenWidth > 0 ? device.screenWidth : ChartDevice::kDefaultScreenWidth;
    const int s = screenWidth / pageWidth;
    const int fullHeight = s * pageHeight;
    return {s * pageWidth, pageView ? fullHeight : static_cast<int>(fullHeight * 0.5)};
}

QImage renderImage(const CIDG& idg, const ChartDevice& device, bool pageView)
{
    QImage image(pageSize(device, pageView), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    ChartRenderer(idg).DrawChart(canvas, device);
    painter.end();
    return image;
}

bool writeChartFile(const CIDG& idg, const ChartDevice& device, bool pageView, const std::string& path,
                    std::string& error)
{
    const QString fileName = QString::fromStdString(path);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "svg") {
        const QSize size = pageSize(device, pageView);
        QSvgGenerator generator;
        generator.setFileName(fileName);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        // The page keeps its size in mm: s pixels per mm are 25.4·s per inch.
        const int pageWidth = device.pageWidth > 0 ? device.pageWidth : 210;
        generator.setResolution(qMax(1, qRound(size.width() * 25.4 / pageWidth)));
        generator.setTitle(QCoreApplication::translate("ChartExport", "焓湿图"));
        QPainter painter;
        if (!painter.begin(&generator)) {
            error = "cannot write " + path;
            return false;
        }
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        QPainterCanvas canvas(painter);
        ChartRenderer(idg).DrawChart(canvas, device);
        if (!painter.end()) {
            error = "cannot write " + path;
            return false;
        }
        return true;
    }
    const QImage image = renderImage(idg, device, pageView);
    if (image.isNull()) {
        error = "the page is too large to draw";
        return false;
    }
    if (!image.save(fileName)) {
        error = "cannot write " + path + " (unknown image type or the folder is not writable)";
        return false;
    }
    return true;
}

} // namespace chart
