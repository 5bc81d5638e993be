#pragma once

#include <cstdint>

// Colours are stored as 0x00BBGGRR integers: red in the low byte, then green, then blue.
constexpr std::int32_t rgbColour(int red, int green, int blue)
{
    return static_cast<std::int32_t>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int colourRed(std::int32_t colour) { return colour & 0xFF; }
constexpr int colourGreen(std::int32_t colour) { return (colour >> 8) & 0xFF; }
constexpr int colourBlue(std::int32_t colour) { return (colour >> 16) & 0xFF; }

constexpr std::int32_t kBlack = rgbColour(0, 0, 0);
constexpr std::int32_t kWhite = rgbColour(255, 255, 255);
