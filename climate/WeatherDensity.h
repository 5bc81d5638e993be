#pragma once

#include <utility>
#include <vector>

#include "climate/WeatherYear.h"

// The hours a filter keeps, counted in cells of dry bulb by dew point for the
// density map of the chart. Cell (i, j) holds the hours with
// (i − ½)·tStep ≤ t < (i + ½)·tStep and (j − ½)·tdStep ≤ td < (j + ½)·tdStep:
// with steps of 1 K each cell is centred on whole degrees. Weather files give
// most dew points (and dry bulbs) in whole degrees — the stations report
// them so — so cells of whole dew-point degrees hold the data's own steps,
// where cells of equal moisture content would alternate between full and
// empty. On the chart a dew-point cell is a column between two lines of
// equal moisture content, wider where the air is moister.
struct DensityCell {
    int tIndex = 0;
    int tdIndex = 0;
    int hours = 0;
};

struct WeatherDensity {
    float tStep = 1.0f;             // K
    float tdStep = 1.0f;            // K
    std::vector<DensityCell> cells; // ordered by tIndex, then tdIndex; none empty
    int maxHours = 0;               // the fullest cell's hours
    int hours = 0;                  // every hour counted
    // The distinct states (t °C, x kg/kg) of the kept hours, for the map
    // drawn as single dots.
    std::vector<std::pair<float, float>> states;
};

// Steps that are not positive give no cells.
WeatherDensity CountHoursInCells(const WeatherYear& year, const HourFilter& filter, float tStep = 1.0f,
                                 float tdStep = 1.0f);
