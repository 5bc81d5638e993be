#pragma once

#include <optional>
#include <string>

#include "chart/ChartLayout.h"

class Canvas;
class CIDG;
class QPainter;
class QPagedPaintDevice;

// The chart leaving the program: metafile, SVG, PDF and raster images of the
// current room, the printed page, and the project report of all rooms.
namespace chart {

// The one place the exports and the printer ask the chart to draw itself.
void drawRoomChart(const CIDG& idg, Canvas& canvas, const ChartDevice& device);

enum class ExportFormat { Emf, Svg, Pdf, Png, Jpeg };

// The format a file name asks for by its extension (.wmf and .emf: an
// enhanced metafile; .jpg and .jpeg: JPEG); none for other extensions.
std::optional<ExportFormat> formatFromPath(const std::string& path);

struct ExportOptions {
    ExportFormat format = ExportFormat::Emf;
    // The whole page with the known parameters and the results (page view),
    // or the chart half (chart view). PDF pages are always whole pages.
    bool pageView = false;
    // Raster images: dots per inch of the page (96–600); 0 keeps one pixel per
    // screen pixel of the layout.
    int dpi = 0;
    int pngCompression = 1; // 0 (none, fastest) … 9 (smallest)
    int jpegQuality = 90;   // 0–100
    // PDF only: one page per room and condition that holds drawn objects.
    bool allRooms = false;
};

inline constexpr int kMinImageDpi = 96;
inline constexpr int kMaxImageDpi = 600;

// Writes the current room's chart laid out for the screen device (EMF, SVG,
// images) or for the printer (PDF). False with error set when the file cannot
// be written. The model's selection is left as it was.
bool exportChart(CIDG& idg, const ChartDevice& screen, const std::string& path, const ExportOptions& options,
                 std::string& error);

// The enhanced metafile of the screen layout, the page measuring the page
// size in mm (half its height in chart view).
bool writeMetafile(CIDG& idg, const ChartDevice& screen, bool pageView, const std::string& path,
                   std::string& error);

// Draws the current room laid out for the printer (0.001 inch units, the
// page margins of the model) on the painter's device, whose origin is the
// printable area's corner.
void paintPrintedPage(CIDG& idg, QPainter& painter, const ChartDevice& screen);

// Prints the current room on one page of the paged device (a printer or a
// PDF writer); false when the painter cannot start on it.
bool printChart(CIDG& idg, QPagedPaintDevice& device, const ChartDevice& screen);

// Whether a room's condition holds objects beyond W, N and ε.
bool conditionHasObjects(const CIDG& idg, int system, int room, int condition);

// One printed page per room and condition with objects, in system and room
// order, conditions 普通, 制冷, 制热; false without any such page.
bool printProjectReport(CIDG& idg, QPagedPaintDevice& device, const ChartDevice& screen, std::string& error);

// The printer device of a screen layout: same screen width and page size.
ChartDevice printerDevice(const ChartDevice& screen);

} // namespace chart
