#pragma once

#include <QImage>
#include <QSize>
#include <string>

#include "chart/ChartLayout.h"

class CIDG;

// The chart page as a picture: the same DrawChart the view paints, on a
// white page of the view's logical size.
namespace chart {

// Logical size of the page for a screen device: s = screen width div page
// width (pixels per mm); width s × page width; height half the page in chart
// view, the whole page in page view (where the known-parameter block and the
// result column below the chart show).
QSize pageSize(const ChartDevice& device, bool pageView);

// Draws the chart into a new image of pageSize.
QImage renderImage(const CIDG& idg, const ChartDevice& device, bool pageView);

// Writes the chart to path: SVG for a ".svg" name, otherwise a raster image
// in the format of the extension (PNG for ".png"). False with error set
// when the file cannot be written.
bool writeChartFile(const CIDG& idg, const ChartDevice& device, bool pageView, const std::string& path,
                    std::string& error);

} // namespace chart
