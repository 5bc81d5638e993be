#pragma once

#include <cstdint>

#include "model/Colour.h"

// Drawing attributes of one line family of the chart grid.
struct DrawOption {
    std::int32_t m_bShow = 1;   // family drawn (1) or hidden (0)
    std::int32_t m_bLabel = 0;  // second switch of the family
    std::int32_t m_color = kBlack;
    std::int32_t m_nWidth = 1;  // pen width, scaled by the device (0 = thinnest)
    std::int32_t m_nStyle = 0;  // pen style, 0 solid
    float m_fStep = 5.0f;       // spacing of the lines in the family's display unit

    DrawOption() = default;
    DrawOption(std::int32_t show, std::int32_t label, std::int32_t color, std::int32_t width,
               std::int32_t style, float step)
        : m_bShow(show), m_bLabel(label), m_color(color), m_nWidth(width), m_nStyle(style),
          m_fStep(step)
    {
    }
    bool operator==(const DrawOption&) const = default;
};

// The eight families, in the order of CIDG::m_drawOptions.
enum DrawFamily {
    kFamilyMoisture = 0,      // moisture-content lines
    kFamilyEnthalpy = 1,      // enthalpy lines
    kFamilyDryBulb = 2,       // dry-bulb isotherms
    kFamilyHumidity = 3,      // relative-humidity lines below 100 %
    kFamilySaturation = 4,    // the saturation curve
    kFamilyWetBulb = 5,       // wet-bulb lines
    kFamilyBorder = 6,        // the chart border
    kFamilyBackground = 7,    // the background
    kFamilyCount = 8
};

// The specific-volume lines: a family drawn like the eight, with its
// attributes apart (CIDG::m_volumeLines) since the eight are stored as one block.
inline constexpr int kFamilyVolume = kFamilyCount;

// The volume lines as a new chart has them: hidden, thin black, every 0.01 m³/kg.
inline DrawOption defaultVolumeLines()
{
    return {0, 0, kBlack, 1, 0, 0.01f};
}
