#pragma once

#include <optional>

// The state given by two known properties, reduced to its dry bulb and
// moisture content; completeState (MoistAir.h) derives the rest. Every
// function returns empty when an input is out of range (NaN, Inf, a
// temperature outside −100…200 °C, RH outside 0…1, a pressure outside
// 10 kPa…1 MPa) or when no state has the pair. Whether the result is wetter
// than saturated is left to completeState.
//
// Units: p Pa; t, tw, td °C; RH fraction; x kg/kg; h kJ/kg.
namespace qorva::psychro {

struct DryBulbMoisture {
    double t; // °C
    double x; // kg/kg
};

std::optional<DryBulbMoisture> fromDryBulbRelativeHumidity(double p, double t, double RH);
std::optional<DryBulbMoisture> fromDryBulbWetBulb(double p, double t, double tw);
std::optional<DryBulbMoisture> fromMoistureEnthalpy(double x, double h);
std::optional<DryBulbMoisture> fromDryBulbEnthalpy(double t, double h);
std::optional<DryBulbMoisture> fromMoistureWetBulb(double p, double x, double tw);
// x > 0, RH in (0, 1]; RH 1 gives the saturation (dew-point) temperature of x.
// Dry air has no dew point, so x = 0 gives no state.
std::optional<DryBulbMoisture> fromMoistureRelativeHumidity(double p, double x, double RH);
std::optional<DryBulbMoisture> fromDryBulbMoisture(double p, double t, double x);
std::optional<DryBulbMoisture> fromEnthalpyRelativeHumidity(double p, double h, double RH);
// The chart's wet-bulb line of 0 °C is a line of constant enthalpy: with
// tw = 0 the pair does not fix a state, and it fails.
std::optional<DryBulbMoisture> fromEnthalpyWetBulb(double p, double h, double tw);
std::optional<DryBulbMoisture> fromWetBulbRelativeHumidity(double p, double tw, double RH);
std::optional<DryBulbMoisture> fromDryBulbDewPoint(double p, double t, double td);
std::optional<DryBulbMoisture> fromRelativeHumidityDewPoint(double p, double RH, double td);
std::optional<DryBulbMoisture> fromEnthalpyDewPoint(double p, double h, double td);
std::optional<DryBulbMoisture> fromWetBulbDewPoint(double p, double tw, double td);

// What is known of a state that no pair call could complete; unset values
// are unknown. Units as above.
struct KnownProperties {
    double p = 0;
    std::optional<double> t, tw, td, RH, x, h;
};

// Why no moist-air state has the known values: the pressure or a temperature
// lies outside the range of the formulation, the state would be drier than
// dry air (below the chart, x < 0), or wetter than saturated (above the
// saturation curve); Undetermined when none of these is the cause (the pair
// fixes no single state, such as dry air with RH 0 at any dry bulb).
enum class NoStateCause {
    PressureOutOfRange,
    TemperatureOutOfRange,
    BelowChart,
    AboveSaturation,
    Undetermined,
};

NoStateCause whyNoState(const KnownProperties& known);

} // namespace qorva::psychro
