#pragma once

#include <array>
#include <optional>

// The moist-air properties the chart drawing needs, at chart pressure p (Pa).
// Temperatures °C, moisture content kg/kg, enthalpy kJ/kg, pressures Pa.
// Empty when the property library cannot give the value.
std::optional<double> chartSaturationTemperature(double e); // et_t
// The same, starting from a nearby temperature (°C): the curves of the chart
// solve it column after column, where the last column's answer is close.
std::optional<double> chartSaturationTemperature(double e, double guess);
std::optional<double> chartSaturationPressure(double t); // t_et
std::optional<double> chartDryBulb(double x, double h);  // xh_t
// ε (kJ/kg) of the line through (x1, h1) and (x2, h2).
std::optional<double> chartHeatMoistureRatio(double x1, double h1, double x2, double h2);
// The two ends {xa, ha, xb, hb} of the drawn ε line through (x, h).
std::optional<std::array<double, 4>> chartHhrLineEnds(double p, double x, double h, double ratio);
