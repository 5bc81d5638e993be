#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "ChartFormulas.h"
#include "model/CIDG.h"
#include "model/ProcessSteps.h"

// Every step against its construction worked out with the formulas of
// ChartFormulas.h: the expected leaving state (t, x) comes from the entering
// states' t and x, the wet bulb of the chart's wet-bulb line, and
// h = 1.01·t + x·(2500 + 1.85·t), never from the step itself.

using namespace process_steps;
namespace f = formulas;

namespace {

struct Air {
    double t, rh;
    double x() const { return f::moisture(t, rh); }
    double h() const { return f::enthalpy(t, x()); }
    double tw() const { return f::wetBulb(x(), h()); }
};

// x on the wet-bulb line of tw at dry bulb t: h = L(tw, 0) + 4.1868·tw·x
// and h = 1.01·t + x·(2500 + 1.85·t).
double moistureOnWetBulbLine(double tw, double t)
{
    return (f::wetBulbLineEnthalpy(tw, 0.0) - 1.01 * t) / (2500.0 + 1.85 * t - 4.1868 * tw);
}

struct Expected {
    double t, x;
};

struct Case {
    const char* name;
    StepParams params;
    Air entering;
    std::optional<Air> second;
    Refusal refusal;
    std::function<Expected()> expected; // for an accepted step
};

const Air kOutdoorSummer{35.0, 0.45};
const Air kExhaust{26.0, 0.55};
const Air kDrySummer{38.0, 0.15};
const Air kSecondary{30.0, 0.20};

StepParams step(StepKind kind, float e = 0, float dx = 0, float heatTo = 0, float ratio = 0)
{
    return StepParams{kind, e, dx, heatTo, ratio};
}

class ProcessStepsTest : public ::testing::Test {
protected:
    CIDG idg;
    StateRegion chart{-30.0f, 60.0f, 0.0f, 0.04f};

    CStatePoint pointOf(const Air& air)
    {
        CStatePoint point;
        point.m_d = static_cast<float>(air.x());
        point.m_h = static_cast<float>(air.h());
        point.m_bKnownD = point.m_bKnownH = 1;
        EXPECT_TRUE(idg.CalcStatePoint(point));
        return point;
    }
};

TEST_F(ProcessStepsTest, LeavingStatesFollowTheChartConstructions)
{
    const double e = 0.7;
    const Case cases[] = {
        {"total recovery", step(StepKind::TotalRecovery, 0.7f), kOutdoorSummer, kExhaust, Refusal::None,
         [&] {
             const Air w = kOutdoorSummer, n = kExhaust;
             return Expected{w.t + e * (n.t - w.t), w.x() + e * (n.x() - w.x())};
         }},
        {"sensible recovery", step(StepKind::SensibleRecovery, 0.7f), kOutdoorSummer, kExhaust, Refusal::None,
         [&] {
             return Expected{35.0 + e * (26.0 - 35.0), kOutdoorSummer.x()};
         }},
        {"direct evaporative", step(StepKind::DirectEvaporative, 0.8f), kDrySummer, std::nullopt,
         Refusal::None,
         [] {
             const double tw = kDrySummer.tw(), t = 38.0 - 0.8 * (38.0 - tw);
             return Expected{t, moistureOnWetBulbLine(tw, t)};
         }},
        {"direct evaporative to saturation", step(StepKind::DirectEvaporative, 1.0f), kDrySummer,
         std::nullopt, Refusal::None,
         [] {
             return Expected{kDrySummer.tw(), f::moisture(kDrySummer.tw(), 1.0)};
         }},
        {"indirect evaporative on its own air", step(StepKind::IndirectEvaporative, 0.6f), kDrySummer,
         std::nullopt, Refusal::None,
         [] {
             return Expected{38.0 - 0.6 * (38.0 - kDrySummer.tw()), kDrySummer.x()};
         }},
        {"indirect evaporative on secondary air", step(StepKind::IndirectEvaporative, 0.6f), kDrySummer,
         kSecondary, Refusal::None,
         [] {
             return Expected{38.0 - 0.6 * (38.0 - kSecondary.tw()), kDrySummer.x()};
         }},
        {"steam humidification", step(StepKind::SteamHumidification, 0, 0.003f), Air{20.0, 0.30},
         std::nullopt, Refusal::None,
         [] {
             return Expected{20.0, Air{20.0, 0.30}.x() + 0.003};
         }},
        {"adiabatic humidification", step(StepKind::AdiabaticHumidification, 0, 0.003f), Air{20.0, 0.30},
         std::nullopt, Refusal::None,
         [] {
             const Air in{20.0, 0.30};
             return Expected{f::dryBulb(in.x() + 0.003, in.h()), in.x() + 0.003};
         }},
        {"heating", step(StepKind::Heating, 0, 0, 18.0f), Air{5.0, 0.80}, std::nullopt, Refusal::None,
         [] {
             return Expected{18.0, Air{5.0, 0.80}.x()};
         }},
        {"mixing", step(StepKind::Mixing, 0, 0, 0, 0.3f), kOutdoorSummer, kExhaust, Refusal::None,
         [] {
             const double x = 0.7 * kOutdoorSummer.x() + 0.3 * kExhaust.x();
             const double h = 0.7 * kOutdoorSummer.h() + 0.3 * kExhaust.h();
             return Expected{f::dryBulb(x, h), x};
         }},
        {"effectiveness above one", step(StepKind::TotalRecovery, 1.2f), kOutdoorSummer, kExhaust,
         Refusal::EffectivenessRange, nullptr},
        {"negative effectiveness", step(StepKind::DirectEvaporative, -0.1f), kDrySummer, std::nullopt,
         Refusal::EffectivenessRange, nullptr},
        {"mixing share above one", step(StepKind::Mixing, 0, 0, 0, 1.5f), kOutdoorSummer, kExhaust,
         Refusal::RatioRange, nullptr},
        {"recovery without exhaust", step(StepKind::SensibleRecovery, 0.5f), kOutdoorSummer, std::nullopt,
         Refusal::MissingSecondAir, nullptr},
        {"negative humidification", step(StepKind::SteamHumidification, 0, -0.001f), Air{20.0, 0.3},
         std::nullopt, Refusal::NegativeMoisture, nullptr},
        {"steam into fog", step(StepKind::SteamHumidification, 0, 0.02f), Air{30.0, 0.6}, std::nullopt,
         Refusal::PastSaturation, nullptr},
        {"adiabatic into fog", step(StepKind::AdiabaticHumidification, 0, 0.01f), Air{20.0, 0.7},
         std::nullopt, Refusal::PastSaturation, nullptr},
        // x 0.0194, h 68 kJ/kg: 18.7 °C, saturated at 0.0136 kg/kg.
        {"mixing into fog", step(StepKind::Mixing, 0, 0, 0, 0.5f), Air{2.0, 0.98}, Air{35.0, 0.95},
         Refusal::PastSaturation, nullptr},
        {"heating below the entering air", step(StepKind::Heating, 0, 0, 4.0f), Air{5.0, 0.8}, std::nullopt,
         Refusal::HeatingBelowEntry, nullptr},
        {"heating off the chart", step(StepKind::Heating, 0, 0, 70.0f), Air{5.0, 0.8}, std::nullopt,
         Refusal::OffChart, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CStatePoint entering = pointOf(c.entering);
        std::optional<CStatePoint> second;
        if (c.second)
            second = pointOf(*c.second);
        const StepResult result =
            RunStep(c.params, entering, second ? &*second : nullptr, idg.m_fSummerPressure, chart);
        ASSERT_EQ(result.refusal, c.refusal);
        if (!c.expected)
            continue;
        const Expected want = c.expected();
        EXPECT_NEAR(result.leaving.m_t, want.t, 2e-3);
        EXPECT_NEAR(result.leaving.m_d, want.x, 2e-6);
        EXPECT_NEAR(result.leaving.m_h, f::enthalpy(want.t, want.x), 5e-3);
        EXPECT_NEAR(result.leaving.m_tw, f::wetBulb(want.x, f::enthalpy(want.t, want.x)), 2e-3);
        if (c.params.kind == StepKind::DirectEvaporative) {
            EXPECT_NEAR(result.leaving.m_tw, c.entering.tw(), 2e-3);
        }
    }
}

} // namespace
