#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/ChartForm.h"

namespace chart {

// Rounds a pixel value as the chart does (add 0.5, truncate toward zero),
// saturating at half the int range so an extreme zoom cannot overflow; 0
// for a value that is not a number.
inline int roundPixel(double value)
{
    const double shifted = value + 0.5;
    if (!(shifted == shifted))
        return 0;
    return static_cast<int>(
        std::clamp(shifted, static_cast<double>(INT_MIN / 2), static_cast<double>(INT_MAX / 2)));
}

// Truncates a pixel value toward zero, saturating as roundPixel does.
inline int truncPixel(double value)
{
    if (!(value == value))
        return 0;
    return static_cast<int>(
        std::clamp(value, static_cast<double>(INT_MIN / 2), static_cast<double>(INT_MAX / 2)));
}

// A spacing a drawing loop of iso-lines can walk: positive, finite and
// giving at most kMaxLinesPerFamily lines over the span.
inline bool usableSpacing(double spacing, double span)
{
    return spacing > 0.0 && std::isfinite(spacing) && std::isfinite(span) &&
           span / spacing <= kMaxLinesPerFamily;
}

} // namespace chart
