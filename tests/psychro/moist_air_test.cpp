#include <gtest/gtest.h>

#include <cmath>

#include "psychro/MoistAir.h"
#include "psychro/QorvaDll.h"

namespace {

struct TableRow {
    float t;      // °C
    double value; // Pa
};

// ASHRAE Handbook — Fundamentals (2017), ch. 1, Table 3: saturation pressure
// over ice (t <= 0) and over liquid water (t >= 0), five significant
// figures. The table is computed from the IAPWS formulations; the
// Hyland–Wexler equations the library uses deviate from it by up to 0.032 %
// in this range (at −40 °C), inside the 300 ppm ASHRAE states for them.
constexpr double kTableTolerance = 0.00035;

TEST(SaturationPressure, OverIceMatchesAshraeTable)
{
    const TableRow rows[] = {{-40.0f, 12.841}, {-30.0f, 38.005}, {-20.0f, 103.24},
                             {-10.0f, 259.87}, {-5.0f, 401.74},  {-0.001f, 611.15}};
    for (const TableRow& row : rows) {
        float e = 0;
        ASSERT_EQ(t_et(row.t, &e), 1) << row.t;
        EXPECT_NEAR(e / row.value, 1.0, kTableTolerance) << "t = " << row.t;
    }
}

TEST(SaturationPressure, OverWaterMatchesAshraeTable)
{
    const TableRow rows[] = {{0.01f, 611.66},  {10.0f, 1228.1},  {20.0f, 2339.2},  {25.0f, 3169.8},
                             {30.0f, 4246.9},  {40.0f, 7385.1},  {50.0f, 12352.0}, {60.0f, 19947.0},
                             {70.0f, 31202.0}, {80.0f, 47416.0}, {90.0f, 70183.0}};
    for (const TableRow& row : rows) {
        float e = 0;
        ASSERT_EQ(t_et(row.t, &e), 1) << row.t;
        EXPECT_NEAR(e / row.value, 1.0, kTableTolerance) << "t = " << row.t;
    }
}

TEST(SaturationPressure, BranchesMeetAtTheTriplePoint)
{
    // Coefficient slips in either equation would open a step here.
    const double below = qorva::psychro::saturationPressure(qorva::psychro::kTriplePoint - 1e-9);
    const double above = qorva::psychro::saturationPressure(qorva::psychro::kTriplePoint);
    EXPECT_NEAR(below / qorva::psychro::kTriplePointPressure, 1.0, 1e-7);
    EXPECT_NEAR(above / qorva::psychro::kTriplePointPressure, 1.0, 1e-7);
}

TEST(SaturationPressure, RisesAndInvertsOverTheWholeRange)
{
    float previous = 0.0f;
    for (int i = 0; i <= 3000; ++i) {
        const float t = -100.0f + 0.1f * static_cast<float>(i);
        float e = 0;
        ASSERT_EQ(t_et(t, &e), 1) << t;
        EXPECT_GT(e, previous) << t;
        previous = e;
        float back = 0;
        ASSERT_EQ(et_t(e, &back), 1) << t;
        EXPECT_NEAR(back, t, 0.0005) << t;
    }
}

TEST(SaturationPressure, InvertsAcrossTheKinkAtZero)
{
    for (int i = -300; i <= 300; ++i) {
        const float t = 0.0001f * static_cast<float>(i);
        float e = 0;
        float back = 0;
        ASSERT_EQ(t_et(t, &e), 1) << t;
        ASSERT_EQ(et_t(e, &back), 1) << t;
        EXPECT_NEAR(back, t, 0.0005) << t;
    }
}

TEST(SaturationPressure, RefusesOutsideTheFormulationRange)
{
    float out = 0;
    EXPECT_EQ(t_et(-100.01f, &out), 0);
    EXPECT_EQ(t_et(200.01f, &out), 0);
    EXPECT_EQ(et_t(0.0f, &out), 0);
    EXPECT_EQ(et_t(-5.0f, &out), 0);
    EXPECT_EQ(et_t(2.0e6f, &out), 0);
}

TEST(WetBulb, AgreesWithAshraeExampleOne)
{
    // ch. 1, Example 1: t 40 °C, tw 20 °C at 101.325 kPa gives W 0.0065, h 56.7,
    // td about 7 °C, RH 0.14. The chart's rounded constants (1.01 for 1.006, the
    // 4.1868·tw wet-bulb line) move x by about 1 %; the published figures
    // still hold to their printed precision.
    float x = 0, h = 0, rh = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    ASSERT_EQ(pttw_all(101325.0f, 40.0f, 20.0f, &x, &h, &rh, &td, &pq, &pqb, &v, &rho), 1);
    EXPECT_NEAR(x, 0.0065, 0.0002);
    EXPECT_NEAR(h, 56.7, 0.3);
    EXPECT_NEAR(td, 7.0, 0.5);
    EXPECT_NEAR(rh, 0.14, 0.01);
}

TEST(Density, FollowsTheChartFormulaAndEqualsOnePlusXOverV)
{
    // 20 °C, 101325 Pa, x 0.01: pq = 101325·0.01/0.63198 = 1603.3 Pa,
    // ρ = (101325 − 0.37802·1603.3)·3.48365/(293.15·1000) = 1.196894 kg/m³.
    float rh = 0, tw = 0, h = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    ASSERT_EQ(ptx_all(101325.0f, 20.0f, 0.01f, &rh, &tw, &h, &td, &pq, &pqb, &v, &rho), 1);
    EXPECT_NEAR(pq, 1603.29, 0.01);
    EXPECT_NEAR(rho, 1.196894, 0.000001);
    EXPECT_NEAR(v, 287.055 * 293.15 / (101325.0 - 1603.29), 1e-5);
    EXPECT_NEAR(rho * v, 1.01, 1e-6);
}

} // namespace

// ASHRAE Handbook — Fundamentals (2017) ch. 1, Table 1 (standard atmospheric
// data), kPa, given to three decimals.
TEST(StandardAtmosphere, MatchesAshraeTableOne)
{
    const struct {
        double elevation;
        double kPa;
    } table[] = {{-500, 107.478}, {0, 101.325},   {500, 95.461},
                 {1000, 89.875},  {2000, 79.495}, {5000, 54.020}};
    for (const auto& row : table)
        EXPECT_NEAR(qorva::psychro::standardAtmosphericPressure(row.elevation) / 1000.0, row.kPa, 0.002)
            << row.elevation;
    EXPECT_TRUE(std::isnan(qorva::psychro::standardAtmosphericPressure(12000.0)));
    EXPECT_TRUE(std::isnan(qorva::psychro::standardAtmosphericPressure(std::nan(""))));
}
