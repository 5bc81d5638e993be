#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart/CanvasTypes.h"
#include "model/LogFont.h"

// Text alignment: one horizontal and one vertical flag, combined with |.
// The reference point is the anchor given to drawText.
namespace text_align {
inline constexpr int kLeft = 0;
inline constexpr int kRight = 2;
inline constexpr int kCenter = 6;
inline constexpr int kTop = 0;
inline constexpr int kBottom = 8;
inline constexpr int kBaseline = 24;
inline constexpr int kHorizontalMask = 6;
inline constexpr int kVerticalMask = 24;
} // namespace text_align

// Font heights and widths from a project file are not trusted: the chart
// uses their magnitude up to this many device units (over half the page width
// on screen, twenty times the usual label at printer resolution).
inline constexpr int kMaxFontUnits = 1024;
// |value| limited to kMaxFontUnits, defined for every int.
constexpr int fontUnits(std::int32_t value)
{
    const std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
    return magnitude > kMaxFontUnits ? kMaxFontUnits : static_cast<int>(magnitude);
}

// Pen widths and point radii from a project file are used up to this many
// screen pixels (times the print scale when printing).
inline constexpr int kMaxPenUnits = 100;
// A stored width or radius scaled for the device, within 0 … kMaxPenUnits × scale.
inline int scaledPenUnits(std::int32_t value, double scale)
{
    const int bounded = value < 0 ? 0 : (value > kMaxPenUnits ? kMaxPenUnits : value);
    return static_cast<int>(bounded * scale);
}

// The drawing surface of the chart. The chart model draws only through this
// interface, so the view, image and vector export and the tests share one
// drawing code. Coordinates are device units, y downward.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(const CanvasPen& pen) = 0;
    // Solid fill for ellipses and polygons.
    virtual void setBrush(std::int32_t colour) = 0;
    // No fill: ellipses, rectangles and polygons are outlined only.
    virtual void setNoBrush() = 0;
    // Font from the stored description; its height is in device units.
    virtual void setFont(const LogFont& font) = 0;
    virtual void setTextColour(std::int32_t colour) = 0;

    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void drawPolyline(const std::vector<CanvasPoint>& points) = 0;
    virtual void drawRectangle(const CanvasRect& rect) = 0;
    // The ellipse inscribed in rect.
    virtual void drawEllipse(const CanvasRect& rect) = 0;
    virtual void drawPolygon(const std::vector<CanvasPoint>& points) = 0;
    // UTF-8 text at (x, y) with a text_align combination.
    virtual void drawText(int x, int y, const std::string& text, int align) = 0;
    // Extent of a text in the current font, device units.
    virtual CanvasSize textExtent(const std::string& text) = 0;

    // Restricts drawing to rect until clearClip.
    virtual void setClipRect(const CanvasRect& rect) = 0;
    virtual void clearClip() = 0;

    // What is drawn from here on (the names and the texts) lies over what
    // came before (the markers and the lines): a canvas that keeps its
    // drawing may keep the two apart. Drawing itself is the same.
    virtual void beginOverlay() {}
};
