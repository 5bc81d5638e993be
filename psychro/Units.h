#pragma once

// Conversion between the units the model stores and the units dialogs and
// result texts show. The model always stores SI (°C, kg/kg, fraction, kJ/kg,
// W); the project's unit system only changes what is shown and typed in. The
// conversion factors are the program's fixed display constants: they are not
// exact inverses of each other (0.2388459 against 1/4.1868), and what is
// shown and typed uses exactly these values. The chart itself is labelled
// in SI in both systems (in IP units it is labelled in IP: DisplayUnits.h).
namespace qorva::units {

// The project's unit system, with the codes of CIDG::m_nUnitSystem.
enum class UnitSystem : int {
    Engineering = 0, // kcal/kg, kcal/h
    SI = 1           // kJ/kg, kW
};

constexpr UnitSystem unitSystemOf(int code)
{
    return code == 0 ? UnitSystem::Engineering : UnitSystem::SI;
}

// Enthalpy, enthalpy differences and heat–moisture ratios (stored kJ/kg).
inline constexpr float kKcalPerKJ = 0.2388459f; // shown kcal/kg per stored kJ/kg
inline constexpr float kKJPerKcal = 4.1868f;    // stored kJ/kg per typed kcal/kg (1 kcal_IT)
// Capacities (stored W).
inline constexpr float kKilowattPerWatt = 0.001f;
inline constexpr float kWattPerKilowatt = 1000.0f;
inline constexpr float kKcalPerHourPerWatt = 0.8598452f;
inline constexpr float kWattPerKcalPerHour = 1.163f;
// Moisture content (stored kg/kg, shown g/kg in both systems).
inline constexpr float kGramPerKilogram = 1000.0f;
inline constexpr float kKilogramPerGram = 0.001f;
// Relative humidity (stored as a fraction, shown in per cent).
inline constexpr float kPercentPerFraction = 100.0f;
inline constexpr float kFractionPerPercent = 0.01f;

// kJ/kg → kJ/kg (SI) or kcal/kg (engineering).
constexpr float enthalpyShown(float kJPerKg, UnitSystem system)
{
    return system == UnitSystem::SI ? kJPerKg : kJPerKg * kKcalPerKJ;
}

// Typed kJ/kg or kcal/kg → stored kJ/kg.
constexpr float enthalpyStored(float shown, UnitSystem system)
{
    return system == UnitSystem::SI ? shown : shown * kKJPerKcal;
}

// W → kW (SI) or kcal/h (engineering).
constexpr float capacityShown(float watts, UnitSystem system)
{
    return system == UnitSystem::SI ? watts * kKilowattPerWatt : watts * kKcalPerHourPerWatt;
}

// Typed kW or kcal/h → stored W.
constexpr float capacityStored(float shown, UnitSystem system)
{
    return system == UnitSystem::SI ? shown * kWattPerKilowatt : shown * kWattPerKcalPerHour;
}

// kg/kg → g/kg, and back.
constexpr float moistureShown(float kgPerKg)
{
    return kgPerKg * kGramPerKilogram;
}

constexpr float moistureStored(float gramsPerKg)
{
    return gramsPerKg * kKilogramPerGram;
}

// Fraction → per cent, and back.
constexpr float humidityShown(float fraction)
{
    return fraction * kPercentPerFraction;
}

constexpr float humidityStored(float percent)
{
    return percent * kFractionPerPercent;
}

// Unit labels of the dialogs and result texts.
constexpr const char* enthalpyUnit(UnitSystem system)
{
    return system == UnitSystem::SI ? "kJ/kg" : "kcal/kg";
}

constexpr const char* capacityUnit(UnitSystem system)
{
    return system == UnitSystem::SI ? "kW" : "kcal/h";
}

} // namespace qorva::units
