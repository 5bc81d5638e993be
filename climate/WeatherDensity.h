#pragma once

#include <vector>

#include "climate/WeatherYear.h"

// The hours a filter keeps, counted in cells of dry bulb by moisture content
// for the density map of the chart. Cell (i, j) holds the hours with
// i·tStep ≤ t < (i + 1)·tStep and j·xStep ≤ x < (j + 1)·xStep.
struct DensityCell {
    int tIndex = 0;
    int xIndex = 0;
    int hours = 0;
};

struct WeatherDensity {
    float tStep = 1.0f;             // °C
    float xStep = 0.0005f;          // kg/kg (0.5 g/kg)
    std::vector<DensityCell> cells; // ordered by tIndex, then xIndex; none empty
    int maxHours = 0;               // the fullest cell's hours
    int hours = 0;                  // every hour counted
    // The distinct states (t °C, x kg/kg) of the kept hours, for the map
    // drawn as single dots.
    std::vector<std::pair<float, float>> states;
};

// Cells of 1 °C by 0.5 g/kg unless told otherwise; steps that are not
// positive give no cells.
WeatherDensity CountHoursInCells(const WeatherYear& year, const HourFilter& filter, float tStep = 1.0f,
                                 float xStep = 0.0005f);
