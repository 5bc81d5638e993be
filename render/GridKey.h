#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "chart/ChartLayout.h"
#include "model/DrawOption.h"

class CIDG;

namespace chart {

// Everything the drawn grid (header, border, iso-lines with their labels,
// pressure label) depends on: the chart settings, the pressures, the window,
// the view, the header as shown (names, condition, language), the device and
// the weather map drawn over the grid.
// Two equal keys draw the same grid.
struct GridKey {
    int screenWidth = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    bool printing = false;
    bool paper = false;
    std::string header;
    int condition = 0;
    int chartView = 1;
    float zoom = 1.0f;
    float xMin = 0;
    float xMax = 0;
    float tMin = 0;
    float tMax = 0;
    float xMaxFull = 0;
    float tMinFull = 0;
    int xOffset = 0;
    int yOffset = 0;
    float summerPressure = 0;
    float winterPressure = 0;
    std::array<DrawOption, kFamilyCount> drawOptions{};
    std::array<std::uint8_t, 60> labelFont{};
    std::int32_t textColour = 0;
    int showValues = 1;
    std::array<std::int32_t, 4> margins{};
    std::int32_t labelGapX = 0;
    std::int32_t labelGapY = 0;
    // The chart's form by name, the unit system its values are labelled in
    // and the specific-volume lines.
    std::string form;
    int unitSystem = 1;
    DrawOption volumeLines{};
    // The weather map drawn with the grid (its serial), 0 for none.
    std::uint64_t weather = 0;

    bool operator==(const GridKey&) const = default;
};

// The header line of the chart as drawn in the interface's language.
std::string headerText(const CIDG& idg);

GridKey gridKey(const CIDG& idg, const ChartDevice& device, int labelGapX, int labelGapY);

} // namespace chart
