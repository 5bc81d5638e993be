#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "psychro/DisplayUnits.h"
#include "psychro/Units.h"

namespace {

using qorva::units::UnitSystem;

std::string format(const char* pattern, float value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, static_cast<double>(value));
    return buffer;
}

struct ConversionRow {
    const char* what;
    float stored;
    float shown;
    UnitSystem system;
    float (*toShown)(float, UnitSystem);
    float (*toStored)(float, UnitSystem);
};

TEST(Units, EnthalpyAndCapacityFollowTheDisplayConstants)
{
    const ConversionRow rows[] = {
        {"h SI", 41.868f, 41.868f, UnitSystem::SI, qorva::units::enthalpyShown, qorva::units::enthalpyStored},
        {"h kcal", 100.0f, 23.88459f, UnitSystem::Engineering, qorva::units::enthalpyShown, nullptr},
        {"Q kW", 5000.0f, 5.0f, UnitSystem::SI, qorva::units::capacityShown, qorva::units::capacityStored},
        {"Q kcal/h", 1000.0f, 859.8452f, UnitSystem::Engineering, qorva::units::capacityShown, nullptr},
    };
    for (const ConversionRow& row : rows) {
        EXPECT_NEAR(row.toShown(row.stored, row.system), row.shown, 1e-4f * row.shown) << row.what;
        if (row.toStored) {
            EXPECT_NEAR(row.toStored(row.shown, row.system), row.stored, 1e-4f * row.stored) << row.what;
        }
    }
    // Typed engineering values use their own factors, not the inverses.
    EXPECT_NEAR(qorva::units::capacityStored(1000.0f, UnitSystem::Engineering), 1163.0f, 1e-3f);
}

TEST(Units, TenKcalPerKgIsStoredAs41868AndShownAgainAsTen)
{
    const float stored = qorva::units::enthalpyStored(10.0f, UnitSystem::Engineering);
    EXPECT_FLOAT_EQ(stored, 41.868f);
    EXPECT_EQ(format("%.2f", qorva::units::enthalpyShown(stored, UnitSystem::Engineering)), "10.00");
}

TEST(Units, MoistureAndHumidityAreTheSameInBothSystems)
{
    EXPECT_FLOAT_EQ(qorva::units::moistureShown(0.0125f), 12.5f);
    EXPECT_FLOAT_EQ(qorva::units::moistureStored(12.5f), 0.0125f);
    EXPECT_FLOAT_EQ(qorva::units::humidityShown(0.55f), 55.0f);
    EXPECT_FLOAT_EQ(qorva::units::humidityStored(55.0f), 0.55f);
}

TEST(Units, UnitSystemCodesAndLabels)
{
    EXPECT_EQ(qorva::units::unitSystemOf(0), UnitSystem::Engineering);
    EXPECT_EQ(qorva::units::unitSystemOf(1), UnitSystem::SI);
    EXPECT_STREQ(qorva::units::enthalpyUnit(UnitSystem::Engineering), "kcal/kg");
    EXPECT_STREQ(qorva::units::capacityUnit(UnitSystem::SI), "kW");
}

// Every quantity in each display system, worked out by hand from the
// factors: °F = °C·9/5 + 32; gr/lb = 7000·kg/kg; Btu/lb = (kJ/kg + 1.01·160/9)
// / 2.326, so the chart's dry air at 0 °F (1.01·(−160/9) = −17.955556 kJ/kg)
// is 0 Btu/lb and dry air at 0 °C 17.955556/2.326 = 7.719499 Btu/lb; psia =
// Pa/6894.757293168, inHg = Pa/3386.389; ft³/lb = 16.01846337·m³/kg; lb/ft³
// = 0.06242796·kg/m³; cfm = 0.588577779·m³/h; Btu/h = 3.412141633·W (a ton
// of refrigeration, 12000 Btu/h, is 3516.8528 W); lb/h = 2.204622622·kg/h.
// SI and engineering rows follow the fixed display constants. Each row both
// ways, where typing converts back by the inverse.
TEST(DisplayUnits, EachQuantityInEachSystemBothWays)
{
    using qorva::units::DisplaySystem;
    using qorva::units::Quantity;
    struct Row {
        Quantity quantity;
        DisplaySystem system;
        double stored;
        double shown;
        const char* unit;
        bool inverse; // typing the shown value gives the stored one back
    };
    const Row rows[] = {
        {Quantity::Temperature, DisplaySystem::IP, 0.0, 32.0, "°F", true},
        {Quantity::Temperature, DisplaySystem::IP, 100.0, 212.0, "°F", true},
        {Quantity::Temperature, DisplaySystem::IP, -40.0, -40.0, "°F", true},
        {Quantity::TemperatureDifference, DisplaySystem::IP, 5.0, 9.0, "°F", true},
        {Quantity::TemperatureDifference, DisplaySystem::SI, 5.0, 5.0, "°C", true},
        {Quantity::RelativeHumidity, DisplaySystem::IP, 0.5, 50.0, "%", true},
        {Quantity::MoistureContent, DisplaySystem::IP, 0.01, 70.0, "gr/lb", true},
        {Quantity::Enthalpy, DisplaySystem::IP, -17.955556, 0.0, "Btu/lb", true},
        {Quantity::Enthalpy, DisplaySystem::IP, 0.0, 7.719499, "Btu/lb", true},
        {Quantity::EnthalpyDifference, DisplaySystem::IP, 2.326, 1.0, "Btu/lb", true},
        {Quantity::Pressure, DisplaySystem::IP, 101325.0, 14.695949, "psia", true},
        {Quantity::Barometer, DisplaySystem::IP, 101325.0, 29.921252, "inHg", true},
        {Quantity::SpecificVolume, DisplaySystem::IP, 1.0, 16.01846337, "ft³/lb", true},
        {Quantity::Density, DisplaySystem::IP, 1.2, 0.07491355, "lb/ft³", true},
        {Quantity::AirVolume, DisplaySystem::IP, 1000.0, 588.577779, "cfm", true},
        {Quantity::Capacity, DisplaySystem::IP, 3516.8528, 12000.0, "Btu/h", true},
        {Quantity::MoistureFlow, DisplaySystem::IP, 10.0, 22.04622622, "lb/h", true},
        {Quantity::Temperature, DisplaySystem::SI, 25.0, 25.0, "°C", true},
        {Quantity::MoistureContent, DisplaySystem::SI, 0.0125, 12.5, "g/kg", true},
        {Quantity::Enthalpy, DisplaySystem::SI, 41.868, 41.868, "kJ/kg", true},
        {Quantity::Pressure, DisplaySystem::SI, 101325.0, 101325.0, "Pa", true},
        {Quantity::SpecificVolume, DisplaySystem::SI, 0.8447, 0.8447, "m³/kg", true},
        {Quantity::AirVolume, DisplaySystem::SI, 3085.0, 3085.0, "m³/h", true},
        {Quantity::Capacity, DisplaySystem::SI, 5000.0, 5.0, "kW", true},
        {Quantity::MoistureFlow, DisplaySystem::SI, 1.335, 1.335, "kg/h", true},
        {Quantity::MoistureContent, DisplaySystem::Engineering, 0.0125, 12.5, "g/kg", true},
        {Quantity::Enthalpy, DisplaySystem::Engineering, 100.0, 23.88459, "kcal/kg", false},
        {Quantity::Enthalpy, DisplaySystem::Engineering, 41.868, 10.0, "kcal/kg", false},
        {Quantity::EnthalpyDifference, DisplaySystem::Engineering, 41.868, 10.0, "kcal/kg", false},
        {Quantity::Capacity, DisplaySystem::Engineering, 1000.0, 859.8452, "kcal/h", false},
        {Quantity::Capacity, DisplaySystem::Engineering, 1163.0, 1000.0, "kcal/h", false},
        {Quantity::Density, DisplaySystem::Engineering, 1.2, 1.2, "kg/m³", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.unit) + " " + std::to_string(row.stored));
        const double tolerance = 1e-6 * std::max(1.0, std::fabs(row.shown) + std::fabs(row.stored));
        EXPECT_NEAR(qorva::units::shown(row.quantity, row.stored, row.system), row.shown, tolerance);
        EXPECT_STREQ(qorva::units::unitOf(row.quantity, row.system), row.unit);
        if (row.inverse) {
            EXPECT_NEAR(qorva::units::stored(row.quantity, row.shown, row.system), row.stored, tolerance);
        }
    }
    // Typed engineering values use the display constants, not the inverses:
    // 10 kcal/kg is 41.868 kJ/kg, 1000 kcal/h 1163 W (to the 32-bit constants).
    EXPECT_NEAR(qorva::units::stored(Quantity::Enthalpy, 10.0, DisplaySystem::Engineering), 41.868, 1e-6);
    EXPECT_NEAR(qorva::units::stored(Quantity::Capacity, 1000.0, DisplaySystem::Engineering), 1163.0, 1e-3);
    // A float converts exactly as the dialogs convert it.
    EXPECT_EQ(qorva::units::shown(Quantity::Enthalpy, 50.411f, DisplaySystem::Engineering),
              qorva::units::enthalpyShown(50.411f, UnitSystem::Engineering));
    EXPECT_EQ(qorva::units::shown(Quantity::MoistureContent, 0.0098816f, DisplaySystem::SI),
              qorva::units::moistureShown(0.0098816f));
    // A project's own unit system is shown as SI or engineering units.
    EXPECT_EQ(qorva::units::displaySystemOf(UnitSystem::SI), DisplaySystem::SI);
    EXPECT_EQ(qorva::units::displaySystemOf(UnitSystem::Engineering), DisplaySystem::Engineering);
}

} // namespace
