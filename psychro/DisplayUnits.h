#pragma once

#include <concepts>

#include "psychro/Units.h"

// The units a state, a flow or a capacity is shown and typed in: SI,
// engineering units or the inch-pound (IP) units of American practice. The
// model stores SI whatever is shown (Units.h); this adds IP beside the two
// systems of UnitSystem. A project's unit system (CIDG::m_nUnitSystem) is
// one of three codes: 0 engineering, 1 SI, 2 IP.
//
// SI and engineering units convert with the program's fixed display
// constants of Units.h; the IP factors below are exact to the digits given
// and their inverses are used for typed values.
namespace qorva::units {

enum class DisplaySystem {
    SI,          // °C, g/kg, kJ/kg, Pa, m³/kg, kg/m³, m³/h, kW, kg/h
    Engineering, // as SI, but enthalpy in kcal/kg and capacities in kcal/h
    IP           // °F, gr/lb, Btu/lb, psia (inHg), ft³/lb, lb/ft³, cfm, Btu/h, lb/h
};

// The display system of a project's unit system.
constexpr DisplaySystem displaySystemOf(UnitSystem system)
{
    return system == UnitSystem::SI ? DisplaySystem::SI : DisplaySystem::Engineering;
}

// The display system of a project's unit-system code (CIDG::m_nUnitSystem:
// 0 engineering, 1 SI, 2 IP).
constexpr DisplaySystem displaySystemOf(int code)
{
    return code == 2 ? DisplaySystem::IP : code == 0 ? DisplaySystem::Engineering : DisplaySystem::SI;
}

// The quantities shown, by the stored unit they convert from.
enum class Quantity {
    Temperature,           // °C
    TemperatureDifference, // K: a rise or a difference, no datum
    RelativeHumidity,      // fraction
    MoistureContent,       // kg/kg; moisture differences alike
    Enthalpy,              // kJ/kg of dry air
    EnthalpyDifference,    // kJ/kg; no datum, so a difference converts by the factor alone
    Pressure,              // Pa: atmospheric, vapour and saturation pressures
    Barometer,             // Pa, as a barometer is read
    SpecificVolume,        // m³/kg of dry air
    Density,               // kg/m³
    AirVolume,             // m³/h
    Capacity,              // W
    MoistureFlow           // kg/h
};

// IP factors.
inline constexpr double kGrainsPerPound = 7000.0;       // gr/lb per kg/kg
inline constexpr double kKJPerKgPerBtuPerLb = 2.326;    // kJ/kg per Btu/lb (Btu_IT)
inline constexpr double kPascalPerPsi = 6894.757293168; // Pa per psi
inline constexpr double kPascalPerInHg = 3386.389;      // Pa per inch of mercury (0 °C)
inline constexpr double kCubicFeetPerPoundPerCubicMetrePerKg = 16.01846337;
inline constexpr double kPoundsPerCubicFootPerKgPerCubicMetre = 0.06242796;
inline constexpr double kCfmPerCubicMetrePerHour = 0.588577779;
inline constexpr double kBtuPerHourPerWatt = 3.412141633;
inline constexpr double kPoundsPerKilogram = 2.204622622;
// The IP enthalpy datum is dry air at 0 °F, the SI one dry air at 0 °C: the
// chart's dry-air enthalpy 1.01·t at 0 °F (−160/9 °C) is −17.96 kJ/kg, and
// is 0 Btu/lb on the IP scale.
inline constexpr double kKJPerKgAtZeroFahrenheit = 1.01 * 160.0 / 9.0;

namespace detail {

// Stored → shown by a factor, and back by its inverse.
template <std::floating_point T> constexpr T scaled(T value, double factor, bool toShown)
{
    return toShown ? static_cast<T>(value * factor) : static_cast<T>(value / factor);
}

template <std::floating_point T> constexpr T convertIp(Quantity quantity, T value, bool toShown)
{
    switch (quantity) {
    case Quantity::Temperature:
        return toShown ? static_cast<T>(value * 9.0 / 5.0 + 32.0)
                       : static_cast<T>((value - 32.0) * 5.0 / 9.0);
    case Quantity::TemperatureDifference:
        return scaled(value, 9.0 / 5.0, toShown);
    case Quantity::MoistureContent:
        return scaled(value, kGrainsPerPound, toShown);
    case Quantity::Enthalpy:
        return toShown ? static_cast<T>((value + kKJPerKgAtZeroFahrenheit) / kKJPerKgPerBtuPerLb)
                       : static_cast<T>(value * kKJPerKgPerBtuPerLb - kKJPerKgAtZeroFahrenheit);
    case Quantity::EnthalpyDifference:
        return scaled(value, 1.0 / kKJPerKgPerBtuPerLb, toShown);
    case Quantity::Pressure:
        return scaled(value, 1.0 / kPascalPerPsi, toShown);
    case Quantity::Barometer:
        return scaled(value, 1.0 / kPascalPerInHg, toShown);
    case Quantity::SpecificVolume:
        return scaled(value, kCubicFeetPerPoundPerCubicMetrePerKg, toShown);
    case Quantity::Density:
        return scaled(value, kPoundsPerCubicFootPerKgPerCubicMetre, toShown);
    case Quantity::AirVolume:
        return scaled(value, kCfmPerCubicMetrePerHour, toShown);
    case Quantity::Capacity:
        return scaled(value, kBtuPerHourPerWatt, toShown);
    case Quantity::MoistureFlow:
        return scaled(value, kPoundsPerKilogram, toShown);
    case Quantity::RelativeHumidity:
        break;
    }
    return value * static_cast<T>(toShown ? kPercentPerFraction : kFractionPerPercent); // % in every system
}

// SI and engineering units: the fixed display constants, in the precision of
// the value, so a float converts exactly as the dialogs convert it.
template <std::floating_point T>
constexpr T convertMetric(Quantity quantity, T value, bool toShown, bool engineering)
{
    switch (quantity) {
    case Quantity::RelativeHumidity:
        return value * static_cast<T>(toShown ? kPercentPerFraction : kFractionPerPercent);
    case Quantity::MoistureContent:
        return value * static_cast<T>(toShown ? kGramPerKilogram : kKilogramPerGram);
    case Quantity::Enthalpy:
    case Quantity::EnthalpyDifference:
        return engineering ? value * static_cast<T>(toShown ? kKcalPerKJ : kKJPerKcal) : value;
    case Quantity::Capacity:
        if (engineering)
            return value * static_cast<T>(toShown ? kKcalPerHourPerWatt : kWattPerKcalPerHour);
        return value * static_cast<T>(toShown ? kKilowattPerWatt : kWattPerKilowatt);
    default:
        return value; // °C, Pa, m³/kg, kg/m³, m³/h and kg/h as stored
    }
}

template <std::floating_point T>
constexpr T convert(Quantity quantity, T value, DisplaySystem system, bool toShown)
{
    return system == DisplaySystem::IP
               ? convertIp(quantity, value, toShown)
               : convertMetric(quantity, value, toShown, system == DisplaySystem::Engineering);
}

} // namespace detail

// A stored value as the system shows it.
template <std::floating_point T> constexpr T shown(Quantity quantity, T storedValue, DisplaySystem system)
{
    return detail::convert(quantity, storedValue, system, true);
}

// A value typed in the system's unit, in the stored unit.
template <std::floating_point T> constexpr T stored(Quantity quantity, T shownValue, DisplaySystem system)
{
    return detail::convert(quantity, shownValue, system, false);
}

// The unit a quantity is shown in.
constexpr const char* unitOf(Quantity quantity, DisplaySystem system)
{
    const bool ip = system == DisplaySystem::IP;
    const bool engineering = system == DisplaySystem::Engineering;
    switch (quantity) {
    case Quantity::Temperature:
    case Quantity::TemperatureDifference:
        return ip ? "°F" : "°C";
    case Quantity::RelativeHumidity:
        return "%";
    case Quantity::MoistureContent:
        return ip ? "gr/lb" : "g/kg";
    case Quantity::Enthalpy:
    case Quantity::EnthalpyDifference:
        return ip ? "Btu/lb" : engineering ? "kcal/kg" : "kJ/kg";
    case Quantity::Pressure:
        return ip ? "psia" : "Pa";
    case Quantity::Barometer:
        return ip ? "inHg" : "Pa";
    case Quantity::SpecificVolume:
        return ip ? "ft³/lb" : "m³/kg";
    case Quantity::Density:
        return ip ? "lb/ft³" : "kg/m³";
    case Quantity::AirVolume:
        return ip ? "cfm" : "m³/h";
    case Quantity::Capacity:
        return ip ? "Btu/h" : engineering ? "kcal/h" : "kW";
    case Quantity::MoistureFlow:
        return ip ? "lb/h" : "kg/h";
    }
    return "";
}

} // namespace qorva::units
