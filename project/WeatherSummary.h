#pragma once

#include <string>
#include <vector>

#include "climate/WeatherStatistics.h"
#include "climate/WeatherYear.h"

class CIDG;

// The tables of 查看 → 气象年统计, as the dialog shows them and 复制 puts them
// on the clipboard: a header row, then one row per line, tab-separated with
// LF line ends, the captions in the interface language, enthalpies in the
// project's units.
struct WeatherTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    std::string ToTsv() const;
};

// The hours the filter keeps (名称, 小时数, 占比 %): all of them; in each
// comfort zone of the current view (inside its four corners as drawn, named
// by its caption or its name); in the four classes of GB 50736 Table 3.0.2;
// with an enthalpy above that of the project's summer outdoor design point W,
// and a dry bulb below that of its winter one (how often the design is
// exceeded). A zone whose corners are not all in the view is left out, and so
// is a design point that cannot be computed.
WeatherTable HourCountTable(const CIDG& idg, const WeatherYear& year, const HourFilter& filter);

// The monthly means of the kept hours: month, hours, t ℃, RH %, x g/kg, h, p Pa.
WeatherTable MonthlyMeansTable(const WeatherYear& year, const HourFilter& filter, int unitSystem);

// The outdoor design conditions of GB 50736 4.1 read on the year, with the
// file's ASHRAE values beside the three they compare with: the summer dry
// and wet bulb (cooling 0.4 % and its mean coincident wet bulb) and the
// winter air-conditioning temperature (heating 99.6 %). "—" where the year
// or the file has no value.
// In IP the temperatures are in ℉ and the pressures in psia.
WeatherTable DesignConditionsTable(const WeatherYear& year, const DesignConditions& design, int unitSystem);
