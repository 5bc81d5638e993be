#pragma once

#include <cstdint>

#include "model/Colour.h"

// A point in device units (pixels on screen, 0.001 inch when printing), y downward.
struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// A rectangle in device units; right and bottom are inclusive edges of the area.
struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const CanvasRect&) const = default;
};

struct CanvasSize {
    int width = 0;
    int height = 0;
};

// Pen styles as the line records store them (m_nStyle, m_nLineStyle).
enum PenStyle : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    // No line at all (the metafile's null pen): a polygon is filled only.
    kPenNull = 5,
};

// A pen: colour (0x00BBGGRR), width in device units (0 = the thinnest line
// the device draws) and style.
struct CanvasPen {
    std::int32_t colour = kBlack;
    int width = 0;
    int style = kPenSolid;
    bool operator==(const CanvasPen&) const = default;
};
