#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

} // namespace
