#pragma once

#include <optional>
#include <utility>

#include "chart/CanvasTypes.h"

// Plane geometry of the chart objects in device pixels.
namespace chart {

// The part of segment a–b inside rect (edges included), by outcode clipping
// in integer arithmetic; empty when nothing of it lies inside.
std::optional<std::pair<CanvasPoint, CanvasPoint>> clipSegment(CanvasPoint a, CanvasPoint b,
                                                               const CanvasRect& rect);

// The direction arrow of a process line from a to b: the tip lies on the
// segment half an arrow length (length/2 · cos halfAngle) beyond the midpoint
// (or the point at fraction `at` of the way) in the direction of travel; the
// base points lie length back from the tip, halfAngle (rad) either side of
// the line. Empty for a zero-length segment.
struct Arrow {
    CanvasPoint tip;
    CanvasPoint base1;
    CanvasPoint base2;
};
std::optional<Arrow> processLineArrow(CanvasPoint a, CanvasPoint b, double length, double halfAngle,
                                      double at = 0.5);

// Distance from (x, y) to segment a–b: perpendicular when the foot falls
// within the segment, else to the nearer end (a zero-length segment is its end).
double distanceToSegment(double x, double y, CanvasPoint a, CanvasPoint b);

} // namespace chart
