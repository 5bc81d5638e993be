#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A year (or part of a year) of hourly outdoor weather, as read from an
// EnergyPlus weather file (.epw, also the form of the Chinese CSWD station
// years) or from a plain CSV of logged hours. Every hour carries its complete
// moist-air state at its own station pressure, in the stored units of the
// property library: °C, RH as a fraction, x kg/kg, h kJ/kg, p Pa.

// One hour of the file; hours whose dry bulb is missing are not kept.
struct WeatherHour {
    int month = 1; // 1–12
    int day = 1;   // 1–31
    int hour = 1;  // 1–24, the hour ending (hour 1 is 00:00–01:00)
    float t = 0;   // dry bulb, °C
    float td = 0;  // dew point, °C
    float RH = 0;  // relative humidity, fraction 0…1
    float x = 0;   // moisture content, kg/kg of dry air
    float h = 0;   // enthalpy, kJ/kg of dry air
    float tw = 0;  // wet bulb, °C
    float p = 0;   // station pressure, Pa
};

// The station a file describes; a CSV has only its file name as the name.
struct WeatherStation {
    std::string name;
    double latitude = 0;  // °, north positive
    double longitude = 0; // °, east positive
    double timeZone = 0;  // hours from UTC
    double elevation = 0; // m above sea level
};

// The ASHRAE design values an EPW file's DESIGN CONDITIONS line gives, where
// it gives them (°C).
struct FileDesignConditions {
    std::optional<float> heatingDryBulb996;             // heating 99.6 % dry bulb
    std::optional<float> coolingDryBulb04;              // cooling 0.4 % dry bulb
    std::optional<float> coolingMeanCoincidentWetBulb04; // its mean coincident wet bulb
};

enum class WeatherFormat { Epw, Csv };

struct WeatherYear {
    std::string path; // the file read
    WeatherFormat format = WeatherFormat::Epw;
    WeatherStation station;
    std::optional<FileDesignConditions> design;
    std::vector<WeatherHour> hours; // in file order
    int missingHours = 0;           // rows left out for a missing dry bulb
};

// Which hours of the year count: months from–to (1–12, inclusive, wrapping
// over the new year when first > last: 11–2 is November to February) and a
// daily span of clock times from–to (0–24). The span keeps the hours that end
// in (from, to]: 8–18 keeps 08:00–18:00, the rows with hour 9 to 18; a span
// across midnight wraps (22–6 keeps hours 23, 24 and 1 to 6); 0–24 keeps the
// whole day and a span with from == to keeps no hour.
struct HourFilter {
    int firstMonth = 1;
    int lastMonth = 12;
    int fromHour = 0;
    int toHour = 24;

    bool Keeps(const WeatherHour& hour) const;
    bool KeepsHourOfDay(int hourEnding) const;
    bool IsWholeYear() const { return firstMonth == 1 && lastMonth == 12 && fromHour == 0 && toHour == 24; }
};

// Parses "FROM-TO" with both ends whole numbers in [low, high]; false for
// anything else (the caller names the option).
bool ParseSpan(std::string_view text, int low, int high, int& from, int& to);
