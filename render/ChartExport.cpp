#include "render/ChartExport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QMargins>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

#include "render/EmfCanvas.h"
#include "render/QPainterCanvas.h"
#include "render/ChartRenderer.h"

namespace chart {

void drawRoomChart(const CIDG& idg, Canvas& canvas, const ChartDevice& device)
{
    ChartRenderer(idg).DrawChart(canvas, device);
}

namespace {

constexpr double kMmPerInch = 25.4;
// Printer units: 0.001 inch.
constexpr double kPrinterUnitsPerInch = 1000.0;
constexpr int kPdfResolution = 1200;

ChartDevice normalised(const ChartDevice& screen)
{
    ChartDevice device = screen;
    if (device.screenWidth <= 0)
        device.screenWidth = ChartDevice::kDefaultScreenWidth;
    if (device.pageWidth <= 0)
        device.pageWidth = 210;
    if (device.pageHeight <= 0)
        device.pageHeight = 297;
    device.printing = false;
    device.paper = true;
    return device;
}

// The white border of an image around the page: the page setup's margins
// (bottom, top, left, right in the model), at least kLeastImageMarginMm each,
// in pixels of the screen layout.
constexpr int kLeastImageMarginMm = 5;
constexpr int kMostImageMarginMm = 300;

QMargins imageMargins(const CIDG& idg, const ChartDevice& device)
{
    const int s = device.screenWidth / device.pageWidth;
    auto side = [&](int mm) { return s * std::clamp(mm, kLeastImageMarginMm, kMostImageMarginMm); };
    return QMargins(side(idg.m_nMargin[2]), side(idg.m_nMargin[1]), side(idg.m_nMargin[3]), side(idg.m_nMargin[0]));
}

// Logical size of the screen page: s pixels per mm, half the page in chart view.
QSize screenPageSize(const ChartDevice& device, bool pageView)
{
    const int s = device.screenWidth / device.pageWidth;
    const int fullHeight = s * device.pageHeight;
    return {s * device.pageWidth, pageView ? fullHeight : static_cast<int>(fullHeight * 0.5)};
}

double pageHeightMm(const ChartDevice& device, bool pageView)
{
    return pageView ? device.pageHeight : device.pageHeight * 0.5;
}

bool writeSvg(CIDG& idg, const ChartDevice& device, bool pageView, const QString& fileName,
              std::string& error)
{
    const QMargins margins = imageMargins(idg, device);
    const QSize page = screenPageSize(device, pageView);
    const QSize size = page.grownBy(margins);
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(
        std::max(1, static_cast<int>(std::lround(page.width() * kMmPerInch / device.pageWidth))));
    generator.setTitle(QCoreApplication::translate("ChartExport", "焓湿图"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        error = "cannot write " + fileName.toStdString();
        return false;
    }
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.translate(margins.left(), margins.top());
    // The chart half ends at the page's middle: what the chart writes below
    // it (the known parameters) stays off the white border.
    painter.setClipRect(QRect(QPoint(0, 0), page));
    QPainterCanvas canvas(painter);
    drawRoomChart(idg, canvas, device);
    if (!painter.end()) {
        error = "cannot write " + fileName.toStdString();
        return false;
    }
    return true;
}

bool writeImage(CIDG& idg, const ChartDevice& device, const QString& fileName, const ExportOptions& options,
                std::string& error)
{
    const QMargins margins = imageMargins(idg, device);
    const QSize page = screenPageSize(device, options.pageView);
    const QSize logical = page.grownBy(margins);
    QSize size = logical;
    double scale = 1.0;
    if (options.dpi > 0) {
        const int dpi = std::clamp(options.dpi, kMinImageDpi, kMaxImageDpi);
        const double s = static_cast<double>(page.width()) / device.pageWidth; // pixels per mm
        size.setWidth(static_cast<int>(std::lround(logical.width() / s * dpi / kMmPerInch)));
        size.setHeight(static_cast<int>(std::lround(logical.height() / s * dpi / kMmPerInch)));
        scale = static_cast<double>(size.width()) / logical.width();
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        error = "the page is too large to draw";
        return false;
    }
    if (options.dpi > 0) {
        const int dotsPerMeter = static_cast<int>(
            std::lround(std::clamp(options.dpi, kMinImageDpi, kMaxImageDpi) / (kMmPerInch / 1000.0)));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, scale != 1.0);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.scale(scale, scale);
        painter.translate(margins.left(), margins.top());
        painter.setClipRect(QRect(QPoint(0, 0), page));
        QPainterCanvas canvas(painter);
        drawRoomChart(idg, canvas, device);
    }
    QImageWriter writer(fileName, options.format == ExportFormat::Jpeg ? "jpeg" : "png");
    if (options.format == ExportFormat::Jpeg)
        writer.setQuality(std::clamp(options.jpegQuality, 0, 100));
    else
        // Qt's PNG writer takes 0–100 and uses value × 9 / 91 as the zlib level.
        writer.setCompression((std::clamp(options.pngCompression, 0, 9) * 91 + 8) / 9);
    if (!writer.write(image)) {
        error = "cannot write " + fileName.toStdString() + ": " + writer.errorString().toStdString();
        return false;
    }
    return true;
}

// A4 portrait with no margins of its own: the chart layout keeps the page
// margins itself, counted from the page's edge.
void setUpPdf(QPdfWriter& writer)
{
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(QCoreApplication::translate("ChartExport", "焓湿图"));
    writer.setCreator(QStringLiteral("QORVA"));
}

bool writePdf(CIDG& idg, const ChartDevice& device, const QString& fileName, bool allRooms,
              std::string& error)
{
    QPdfWriter writer(fileName);
    setUpPdf(writer);
    if (allRooms)
        return printProjectReport(idg, writer, device, error);
    if (!printChart(idg, writer, device)) {
        error = "cannot write " + fileName.toStdString();
        return false;
    }
    return true;
}

// Selection of the model that the report walks through, put back afterwards.
class SelectionKeeper {
public:
    explicit SelectionKeeper(CIDG& idg) : m_idg(idg), m_system(idg.m_nCurSystem), m_room(idg.m_nCurRoom)
    {
        for (const auto& system : idg.m_rooms.m_systems) {
            std::vector<int> conditions;
            for (const auto& room : system->m_rooms)
                conditions.push_back(room->m_nCondition);
            m_conditions.push_back(std::move(conditions));
        }
    }
    ~SelectionKeeper()
    {
        auto& systems = m_idg.m_rooms.m_systems;
        for (std::size_t s = 0; s < systems.size() && s < m_conditions.size(); ++s)
            for (std::size_t r = 0; r < systems[s]->m_rooms.size() && r < m_conditions[s].size(); ++r)
                systems[s]->m_rooms[r]->m_nCondition = m_conditions[s][r];
        m_idg.m_nCurSystem = m_system;
        m_idg.m_nCurRoom = m_room;
        if (!m_idg.PointAtCurrentRoom())
            m_idg.UnbindCurrentLists();
    }
    SelectionKeeper(const SelectionKeeper&) = delete;
    SelectionKeeper& operator=(const SelectionKeeper&) = delete;

private:
    CIDG& m_idg;
    int m_system;
    int m_room;
    std::vector<std::vector<int>> m_conditions;
};

} // namespace

std::optional<ExportFormat> formatFromPath(const std::string& path)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == "emf" || suffix == "wmf")
        return ExportFormat::Emf;
    if (suffix == "svg")
        return ExportFormat::Svg;
    if (suffix == "pdf")
        return ExportFormat::Pdf;
    if (suffix == "png")
        return ExportFormat::Png;
    if (suffix == "jpg" || suffix == "jpeg")
        return ExportFormat::Jpeg;
    return std::nullopt;
}

ChartDevice printerDevice(const ChartDevice& screen)
{
    ChartDevice device = normalised(screen);
    device.printing = true;
    return device;
}

bool writeMetafile(CIDG& idg, const ChartDevice& screen, bool pageView, const std::string& path,
                   std::string& error)
{
    const ChartDevice device = normalised(screen);
    const QSize size = screenPageSize(device, pageView);
    EmfCanvas canvas(path, size.width(), size.height(), device.pageWidth, pageHeightMm(device, pageView));
    if (!canvas.isOpen()) {
        error = "cannot create " + path;
        return false;
    }
    drawRoomChart(idg, canvas, device);
    if (!canvas.close()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

void paintPrintedPage(CIDG& idg, QPainter& painter, const ChartDevice& screen)
{
    const QPaintDevice* target = painter.device();
    painter.save();
    painter.scale(target->logicalDpiX() / kPrinterUnitsPerInch, target->logicalDpiY() / kPrinterUnitsPerInch);
    QPainterCanvas canvas(painter);
    drawRoomChart(idg, canvas, printerDevice(screen));
    painter.restore();
}

bool printChart(CIDG& idg, QPagedPaintDevice& device, const ChartDevice& screen)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintPrintedPage(idg, painter, screen);
    return painter.end();
}

bool conditionHasObjects(const CIDG& idg, int system, int room, int condition)
{
    const CServiceArea* area = idg.m_rooms.RoomAt(system, room);
    if (!area || condition < 0 || condition >= kConditionCount)
        return false;
    const auto c = static_cast<std::size_t>(condition);
    // Points 0 and 1 are W and N, HHR line 0 is ε.
    return area->m_points[c].size() > 2 || !area->m_processLines[c].empty() ||
           area->m_hhrLines[c].size() > 1 || !area->m_texts[c].empty() || !area->m_comfortAreas[c].empty();
}

bool printProjectReport(CIDG& idg, QPagedPaintDevice& device, const ChartDevice& screen, std::string& error)
{
    SelectionKeeper keeper(idg);
    QPainter painter;
    bool started = false;
    const auto& systems = idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s) {
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r) {
            for (int condition = 0; condition < kConditionCount; ++condition) {
                const int system = static_cast<int>(s);
                const int room = static_cast<int>(r);
                if (!conditionHasObjects(idg, system, room, condition))
                    continue;
                idg.m_nCurSystem = system;
                idg.m_nCurRoom = room;
                idg.m_rooms.SetRoomCondition(system, room, condition);
                if (!idg.PointAtCurrentRoom())
                    continue;
                if (!started) {
                    if (!painter.begin(&device)) {
                        error = "cannot start the report";
                        return false;
                    }
                    started = true;
                } else {
                    device.newPage();
                }
                paintPrintedPage(idg, painter, screen);
            }
        }
    }
    if (!started) {
        error = "no room holds objects beyond W, N and ε";
        return false;
    }
    if (!painter.end()) {
        error = "cannot write the report";
        return false;
    }
    return true;
}

bool exportChart(CIDG& idg, const ChartDevice& screen, const std::string& path, const ExportOptions& options,
                 std::string& error)
{
    const ChartDevice device = normalised(screen);
    const QString fileName = QString::fromStdString(path);
    switch (options.format) {
    case ExportFormat::Emf:
        return writeMetafile(idg, device, options.pageView, path, error);
    case ExportFormat::Svg:
        return writeSvg(idg, device, options.pageView, fileName, error);
    case ExportFormat::Pdf:
        return writePdf(idg, device, fileName, options.allRooms, error);
    case ExportFormat::Png:
    case ExportFormat::Jpeg:
        return writeImage(idg, device, fileName, options, error);
    }
    return false;
}

} // namespace chart
