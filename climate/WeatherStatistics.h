#pragma once

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "climate/WeatherYear.h"

// What a weather year says about a site, in the stored units of the property
// library (°C, RH as a fraction, x kg/kg, h kJ/kg, p Pa).

// The outdoor design conditions of GB 50736-2012 section 4.1, read on the
// file's one year (every hour of it, whatever filter is shown):
// - 夏季空调室外计算干球温度 / 湿球温度: the hourly dry bulb / wet bulb
//   exceeded in 50 hours, i.e. the 51st highest hourly value;
// - 夏季空调室外计算日平均温度: the 6th highest daily mean;
// - 夏季通风室外计算温度 / 相对湿度: the means of the hour-14 values (the
//   hour ending 14:00) of the hottest month;
// - 冬季空调室外计算温度: the 2nd lowest daily mean; 冬季空调室外计算相对湿度:
//   the mean hourly RH of the coldest month;
// - 供暖室外计算温度: the 6th lowest daily mean; 冬季通风室外计算温度: the mean
//   of the coldest month;
// - 夏季 / 冬季大气压力: the mean station pressures of the hottest and the
//   coldest month.
// The hottest and the coldest month go by monthly mean dry bulb (the first of
// equal months); a daily mean is the mean of the hours the day has. A value
// the year is too short for (fewer than 51 hours, 6 days, no hour 14 in the
// hottest month) is left empty.
struct DesignConditions {
    int hottestMonth = 0; // 1–12; 0 when the year has no hours
    int coldestMonth = 0;
    std::optional<float> summerT;             // °C
    std::optional<float> summerTw;            // °C
    std::optional<float> summerDailyT;        // °C
    std::optional<float> summerVentilationT;  // °C
    std::optional<float> summerVentilationRH; // fraction
    std::optional<float> summerPressure;      // Pa
    std::optional<float> winterT;             // °C
    std::optional<float> winterRH;            // fraction
    std::optional<float> heatingT;            // °C
    std::optional<float> winterVentilationT;  // °C
    std::optional<float> winterPressure;      // Pa
};

DesignConditions ComputeDesignConditions(const WeatherYear& year);

// The means of one month's hours that a filter keeps.
struct MonthlyMeans {
    int month = 0; // 1–12
    int hours = 0;
    float t = 0;  // °C
    float RH = 0; // fraction
    float x = 0;  // kg/kg
    float h = 0;  // kJ/kg
    float p = 0;  // Pa
};

// The months that have kept hours, in calendar order.
std::vector<MonthlyMeans> ComputeMonthlyMeans(const WeatherYear& year, const HourFilter& filter);

// The four classes of indoor design conditions of GB 50736-2012 Table 3.0.2,
// bounds included: 供冷 I级 24–26 °C and 40–60 %; 供冷 II级 26–28 °C and at
// most 70 %; 供热 I级 22–24 °C and at least 30 %; 供热 II级 18–22 °C.
enum class GbComfortClass { Cooling1, Cooling2, Heating1, Heating2 };
inline constexpr std::array<GbComfortClass, 4> kGbComfortClasses = {
    GbComfortClass::Cooling1, GbComfortClass::Cooling2, GbComfortClass::Heating1, GbComfortClass::Heating2};

// Whether the hour lies in the class. A value on a bound counts as inside
// within the rounding of a value printed to 0.1 (1e-4 °C, 1e-6 of RH).
bool InGbComfortClass(GbComfortClass zone, const WeatherHour& hour);

// Hours the filter keeps, and of those: in each GB class (in the order of
// kGbComfortClasses).
int CountHours(const WeatherYear& year, const HourFilter& filter);
std::array<int, 4> CountGbComfortHours(const WeatherYear& year, const HourFilter& filter);

// Kept hours whose state lies inside the polygon of (x kg/kg, h kJ/kg)
// corners: a zone drawn on the chart, whose edges are straight in x and h.
// Points on an edge count as inside.
int CountHoursInZone(const WeatherYear& year, const HourFilter& filter,
                     const std::vector<std::pair<double, double>>& corners);

// Kept hours whose enthalpy lies above h (kJ/kg), and whose dry bulb lies
// below t (°C): how often a summer and a winter design point are exceeded.
int CountHoursAboveEnthalpy(const WeatherYear& year, const HourFilter& filter, float h);
int CountHoursBelowTemperature(const WeatherYear& year, const HourFilter& filter, float t);
