#include <gtest/gtest.h>

#include <cmath>

#include "psychro/Comfort.h"

using namespace qorva::psychro;

namespace {

// ISO 7730:2005, Annex D, Table D.1: ta, tr (°C), va (m/s), RH (%), met,
// clo and the published PMV and PPD (%). Row 7 (23.5 °C, 0.1 m/s, 40 %,
// 1.0 clo) is left out: its printed 0.50/10 disagrees with the standard's own
// Annex D program, which gives 0.36 (a known misprint); row 8, the same state
// at 0.3 m/s, is checked.
struct TableRow {
    double ta, tr, va, RH, met, clo, pmv, ppd;
};

constexpr TableRow kTableD1[] = {
    {22.0, 22.0, 0.10, 60, 1.2, 0.5, -0.75, 17}, {27.0, 27.0, 0.10, 60, 1.2, 0.5, 0.77, 17},
    {27.0, 27.0, 0.30, 60, 1.2, 0.5, 0.44, 9},   {23.5, 25.5, 0.10, 60, 1.2, 0.5, -0.01, 5},
    {23.5, 25.5, 0.30, 60, 1.2, 0.5, -0.55, 11}, {19.0, 19.0, 0.10, 40, 1.2, 1.0, -0.60, 13},
    {23.5, 23.5, 0.30, 40, 1.2, 1.0, 0.12, 5},   {23.0, 21.0, 0.10, 40, 1.2, 1.0, 0.05, 5},
    {23.0, 21.0, 0.30, 40, 1.2, 1.0, -0.16, 6},  {22.0, 22.0, 0.10, 60, 1.6, 0.5, 0.05, 5},
    {27.0, 27.0, 0.10, 60, 1.6, 0.5, 1.17, 34},  {27.0, 27.0, 0.30, 60, 1.6, 0.5, 0.95, 24},
};

TEST(Comfort, AgreesWithTheStandardsTableD1)
{
    for (const TableRow& row : kTableD1) {
        const auto index = comfortIndex({row.ta, row.tr, row.va, row.RH / 100.0, row.met, row.clo, 0.0});
        ASSERT_TRUE(index) << row.ta << " " << row.tr << " " << row.va;
        EXPECT_NEAR(index->pmv, row.pmv, 0.01) << row.ta << " " << row.tr << " " << row.va;
        EXPECT_NEAR(index->ppd, row.ppd, 1.0) << row.ta << " " << row.tr << " " << row.va;
    }
}

TEST(Comfort, PpdFollowsTheStandardsFormula)
{
    // PPD = 100 − 95·exp(−0.03353·PMV⁴ − 0.2179·PMV²), worked out by hand.
    const struct {
        double pmv, ppd;
    } cases[] = {{0.0, 5.0}, {0.5, 10.22}, {-0.5, 10.22}, {1.0, 26.12}, {2.0, 76.76}, {3.0, 99.12}};
    for (const auto& c : cases)
        EXPECT_NEAR(predictedPercentageDissatisfied(c.pmv), c.ppd, 0.01) << c.pmv;
}

TEST(Comfort, RefusesInputsOutsideTheStandardsRanges)
{
    const ComfortConditions good{22.0, 22.0, 0.1, 0.6, 1.2, 0.5, 0.0};
    const struct {
        double ComfortConditions::*field;
        double value;
        ComfortFault fault;
    } cases[] = {
        {&ComfortConditions::ta, 9.9, ComfortFault::AirTemperature},
        {&ComfortConditions::ta, 30.1, ComfortFault::AirTemperature},
        {&ComfortConditions::tr, 40.5, ComfortFault::RadiantTemperature},
        {&ComfortConditions::va, -0.01, ComfortFault::AirSpeed},
        {&ComfortConditions::va, 1.01, ComfortFault::AirSpeed},
        {&ComfortConditions::RH, 1.001, ComfortFault::Humidity},
        {&ComfortConditions::RH, NAN, ComfortFault::Humidity},
        {&ComfortConditions::met, 0.79, ComfortFault::Metabolism},
        {&ComfortConditions::met, 4.1, ComfortFault::Metabolism},
        {&ComfortConditions::clo, 2.01, ComfortFault::Clothing},
        {&ComfortConditions::clo, -0.1, ComfortFault::Clothing},
    };
    for (const auto& c : cases) {
        ComfortConditions conditions = good;
        conditions.*(c.field) = c.value;
        ComfortFault fault = ComfortFault::None;
        EXPECT_FALSE(comfortIndex(conditions, &fault)) << c.value;
        EXPECT_EQ(fault, c.fault) << c.value;
    }
    // The ends themselves belong to the ranges.
    EXPECT_TRUE(comfortIndex({10.0, 40.0, 0.0, 1.0, 0.8, 0.0, 0.0}));
    EXPECT_TRUE(comfortIndex({30.0, 10.0, 1.0, 0.0, 4.0, 2.0, 0.0}));
}

TEST(Comfort, PmvZoneCornersLieOnTheirLimits)
{
    const struct {
        double limit, met, clo, va, RHLow, RHHigh;
    } cases[] = {
        {0.5, 1.2, 0.5, 0.1, 0.3, 0.7},
        {1.0, 1.2, 0.5, 0.1, 0.3, 0.7},
        {0.5, 1.2, 1.0, 0.1, 0.3, 0.7},
        {0.7, 1.0, 0.8, 0.2, 0.4, 0.6},
    };
    for (const auto& c : cases) {
        const auto corners = pmvZoneCorners(c.limit, c.met, c.clo, c.va, c.RHLow, c.RHHigh);
        ASSERT_TRUE(corners) << c.limit << " " << c.clo;
        const double target[4] = {-c.limit, -c.limit, c.limit, c.limit};
        const double RH[4] = {c.RHLow, c.RHHigh, c.RHLow, c.RHHigh};
        for (int i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ((*corners)[i].RH, RH[i]);
            const auto index =
                comfortIndex({(*corners)[i].t, (*corners)[i].t, c.va, RH[i], c.met, c.clo, 0.0});
            ASSERT_TRUE(index);
            EXPECT_NEAR(index->pmv, target[i], 0.005) << c.limit << " corner " << i;
        }
        // The humid side of each limit is the cooler one.
        EXPECT_LT((*corners)[1].t, (*corners)[0].t);
        EXPECT_LT((*corners)[3].t, (*corners)[2].t);
    }
}

TEST(Comfort, PmvZoneRefusesLimitsItCannotDraw)
{
    ComfortFault fault = ComfortFault::None;
    EXPECT_FALSE(pmvZoneCorners(0.0, 1.2, 0.5, 0.1, 0.3, 0.7, &fault));
    EXPECT_EQ(fault, ComfortFault::Limit);
    EXPECT_FALSE(pmvZoneCorners(0.5, 1.2, 0.5, 0.1, 0.7, 0.3, &fault));
    EXPECT_EQ(fault, ComfortFault::Humidity);
    // Sitting lightly clad, −3 lies below 10 °C.
    EXPECT_FALSE(pmvZoneCorners(3.0, 1.2, 0.5, 0.1, 0.3, 0.7, &fault));
    EXPECT_EQ(fault, ComfortFault::LimitOutOfReach);
    EXPECT_FALSE(pmvZoneCorners(0.5, 0.5, 0.5, 0.1, 0.3, 0.7, &fault));
    EXPECT_EQ(fault, ComfortFault::Metabolism);
}

} // namespace
