#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart/CanvasTypes.h"
#include "chart/TextMetrics.h"
#include "model/LogFont.h"

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
