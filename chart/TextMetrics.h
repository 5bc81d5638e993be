#pragma once

#include <cstdint>
#include <string>

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

// Width and height of a UTF-8 text in a font without a font engine: a
// double-byte character is as wide as the font is high, any other half that.
// Where a text stands before any device measured it, and what the recording
// canvas of the tests measures.
CanvasSize estimateTextExtent(const LogFont& font, const std::string& text);

namespace chart {

// A number written with a printf pattern of one double ("%1.0f").
std::string formatNumber(const char* pattern, double value);

} // namespace chart
