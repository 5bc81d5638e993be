#include "chart/ObjectGeometry.h"

#include <cmath>
#include <cstdint>

namespace chart {

namespace {

enum Outcode : unsigned { kInside = 0, kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

unsigned outcode(std::int64_t x, std::int64_t y, const CanvasRect& rect)
{
    unsigned code = kInside;
    if (x < rect.left)
        code |= kLeft;
    else if (x > rect.right)
        code |= kRight;
    if (y < rect.top)
        code |= kTop;
    else if (y > rect.bottom)
        code |= kBottom;
    return code;
}

} // namespace

std::optional<std::pair<CanvasPoint, CanvasPoint>> clipSegment(CanvasPoint a, CanvasPoint b,
                                                               const CanvasRect& rect)
{
    std::int64_t x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
    unsigned code1 = outcode(x1, y1, rect);
    unsigned code2 = outcode(x2, y2, rect);
    // Each pass moves one end onto an edge line, so four passes per end suffice.
    for (int pass = 0; pass < 8; ++pass) {
        if ((code1 | code2) == kInside)
            return std::make_pair(CanvasPoint{static_cast<int>(x1), static_cast<int>(y1)},
                                  CanvasPoint{static_cast<int>(x2), static_cast<int>(y2)});
        if (code1 & code2)
            return std::nullopt;
        const unsigned code = code1 != kInside ? code1 : code2;
        std::int64_t x = 0;
        std::int64_t y = 0;
        if (code & kTop) {
            y = rect.top;
            x = x1 + (x2 - x1) * (y - y1) / (y2 - y1);
        } else if (code & kBottom) {
            y = rect.bottom;
            x = x1 + (x2 - x1) * (y - y1) / (y2 - y1);
        } else if (code & kLeft) {
            x = rect.left;
            y = y1 + (y2 - y1) * (x - x1) / (x2 - x1);
        } else {
            x = rect.right;
            y = y1 + (y2 - y1) * (x - x1) / (x2 - x1);
        }
        if (code == code1) {
            x1 = x;
            y1 = y;
            code1 = outcode(x1, y1, rect);
        } else {
            x2 = x;
            y2 = y;
            code2 = outcode(x2, y2, rect);
        }
    }
    return std::nullopt;
}

std::optional<Arrow> processLineArrow(CanvasPoint a, CanvasPoint b, double length, double halfAngle,
                                      double at)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (dx == 0.0 && dy == 0.0)
        return std::nullopt;
    // The direction of travel; for a segment running to the left this is
    // atan(dy/dx) + π, which turns the base offsets to the other side.
    const double theta = std::atan2(dy, dx);
    const double midX = a.x + at * dx;
    const double midY = a.y + at * dy;
    const double advance = length / 2.0 * std::cos(halfAngle);
    const double tipX = midX + advance * std::cos(theta);
    const double tipY = midY + advance * std::sin(theta);
    auto base = [&](double angle) {
        return CanvasPoint{static_cast<int>(std::lround(tipX - length * std::cos(angle))),
                           static_cast<int>(std::lround(tipY - length * std::sin(angle)))};
    };
    return Arrow{{static_cast<int>(std::lround(tipX)), static_cast<int>(std::lround(tipY))},
                 base(theta - halfAngle),
                 base(theta + halfAngle)};
}

double distanceToSegment(double x, double y, CanvasPoint a, CanvasPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0.0)
        return std::hypot(x - a.x, y - a.y);
    const double u = ((x - a.x) * dx + (y - a.y) * dy) / lengthSquared;
    if (u < 0.0)
        return std::hypot(x - a.x, y - a.y);
    if (u > 1.0)
        return std::hypot(x - b.x, y - b.y);
    return std::abs((x - a.x) * dy - (y - a.y) * dx) / std::sqrt(lengthSquared);
}

} // namespace chart
