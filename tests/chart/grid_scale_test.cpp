#include <gtest/gtest.h>

#include <vector>

#include "chart/GridScale.h"
#include "model/CIDG.h"

namespace {

using qorva::units::Quantity;

// In IP the lines stand at round IP values, the SI step converted and taken
// up to 1, 2 or 5 times a power of ten unless that is more than a fifth
// coarser; their stored values are the IP values converted back (°C =
// (°F − 32)·5/9, kg/kg = gr/lb / 7000, kJ/kg = Btu/lb·2.326 − 17.9556). In SI
// the lines are the SI step from the first value, as before.
TEST(GridScale, IpLinesStandAtRoundIpValues)
{
    struct Case {
        Quantity quantity;
        int units;
        double siStep;
        double low, high;
        double step;                // in the unit labelled
        std::vector<double> stored; // the first lines
        std::vector<double> labels; // their values as labelled
    };
    const Case cases[] = {
        {Quantity::Temperature, CIDG::kUnitsIP, 5.0, -1.0, 12.0, 10.0, {40.0 / 9.0, 10.0}, {40, 50}},
        {Quantity::MoistureContent,
         CIDG::kUnitsIP,
         0.001,
         0.0,
         0.004,
         10.0,
         {0.0, 10.0 / 7000, 20.0 / 7000},
         {0, 10, 20}},
        {Quantity::Enthalpy, CIDG::kUnitsIP, 5.0, -17.0, -12.0, 2.0, {2.0 * 2.326 - 17.9555556}, {2}},
        {Quantity::SpecificVolume, CIDG::kUnitsIP, 0.01, 0.84, 0.86, 0.2, {13.6 / 16.01846337}, {13.6}},
        {Quantity::Temperature, CIDG::kUnitsSI, 5.0, -1.0, 12.0, 5.0, {-1.0, 4.0, 9.0}, {-1, 4, 9}},
        {Quantity::MoistureContent,
         CIDG::kUnitsEngineering,
         0.001,
         0.0,
         0.0025,
         0.001,
         {0.0, 0.001, 0.002},
         {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.quantity) * 10 + c.units);
        CIDG idg;
        idg.m_nUnitSystem = c.units;
        const chart::GridScale scale(c.quantity, c.siStep, idg);
        EXPECT_NEAR(scale.step(), c.step, 1e-12);
        const std::vector<double> values = scale.values(c.low, c.high);
        ASSERT_EQ(values.size(), c.stored.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_NEAR(values[i], c.stored[i], 1e-6) << i;
            EXPECT_NEAR(scale.labelValue(values[i]), c.labels[i], 1e-6) << i;
        }
    }
    // A step no walk can take draws nothing rather than stalling.
    CIDG idg;
    idg.m_nUnitSystem = CIDG::kUnitsIP;
    EXPECT_FALSE(chart::GridScale(Quantity::Temperature, 1e-9, idg).usable(100.0));
    EXPECT_FALSE(chart::GridScale(Quantity::Temperature, 0.0, idg).usable(100.0));
}

} // namespace
