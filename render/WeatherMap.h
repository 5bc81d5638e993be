#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "climate/WeatherDensity.h"
#include "climate/WeatherYear.h"

class Canvas;
class ChartRenderer;

namespace chart {

// How the hours of a weather year are drawn: cells coloured by their number
// of hours, or one dot per hour (hours of equal state drawn once).
enum class WeatherMapStyle { Density, Dots };

// A weather year as the chart draws it, worked out when the year, its filter
// or the style change (by the document), never while drawing: the hours the
// filter keeps counted in cells of whole degrees of dry bulb and dew point
// (climate/WeatherDensity.h), their distinct states, and what the caption
// names.
struct WeatherMap {
    WeatherDensity density;
    WeatherMapStyle style = WeatherMapStyle::Density;
    std::string station;  // the station's name
    std::string fileName; // the file's name without its folder
    HourFilter filter;
    // A number of its own for every map made, so the view's kept grid (which
    // holds the map) is drawn again for a new one.
    std::uint64_t serial = 0;
};

WeatherMap MakeWeatherMap(const WeatherYear& year, const HourFilter& filter, WeatherMapStyle style);

// The legend's classes of hours per cell on the 1–2–5 ladder, up to the
// fullest cell: class k holds the cells with bounds[k] ≤ hours <
// bounds[k + 1] (the last one up to maxHours). 36 hours give 1, 2, 5, 10,
// 20. Empty for no hours.
std::vector<int> DensityClassBounds(int maxHours);
// The colour of class k of n, light (few hours) to dark (many), 0x00BBGGRR.
std::int32_t DensityClassColour(std::size_t k, std::size_t n);
// The caption: station, file, and the filter with the number of hours it
// keeps, one text per line, in the chart's language.
std::vector<std::string> WeatherCaption(const std::string& station, const std::string& fileName,
                                        const HourFilter& filter, int hours);
std::vector<std::string> WeatherCaption(const WeatherMap& map);

// Draws the map on the renderer's current layout, above the grid and below
// the objects: the cells (or dots) inside the chart window and above the
// saturation curve, then the legend and the caption in a box in the lower
// right corner of the chart, which the objects' names keep clear of. Changes
// nothing but the layout's list of label boxes.
void DrawWeatherMap(ChartRenderer& chart, Canvas& canvas, const WeatherMap& map);

} // namespace chart
