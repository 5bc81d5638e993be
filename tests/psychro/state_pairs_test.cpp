#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "psychro/QorvaDll.h"
#include "psychro/StatePairs.h"

namespace {

// All ten properties of one state, as the full-state functions report them.
struct State {
    float p, t, tw, RH, td, x, h, pq, pqb, v, rho;
};

// A reference state from (t, RH), the pair the independent-point dialog uses most.
bool stateFromDryBulbAndHumidity(float p, float t, float RH, State& s)
{
    s = State{p, t, 0, RH, 0, 0, 0, 0, 0, 0, 0};
    return ptRH_all(p, t, RH, &s.x, &s.h, &s.tw, &s.td, &s.pq, &s.pqb, &s.v, &s.rho) == 1;
}

// One full-state function: reads its two inputs from `known`, writes every
// property into `out` (its inputs copied, the rest from the call).
struct Pair {
    std::string name;
    std::function<int(const State& known, State& out)> call;
    // (h, tw) fixes x only to about δ/(4.1868·|tw|), δ the float rounding of
    // h and tw: 2e-7 kg/kg at |tw| = 1 K. It is checked for |tw| >= 1 K, and
    // its dew point and vapour pressure, which move by δx/(x·d ln pws/dt)
    // and δx/x, only where |tw|·x >= 0.005 K·kg/kg.
    bool illConditioned = false;
};

std::vector<Pair> allPairs()
{
    return {
        {"ptRH",
         [](const State& k, State& o) {
             o = k;
             return ptRH_all(k.p, k.t, k.RH, &o.x, &o.h, &o.tw, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"pttw",
         [](const State& k, State& o) {
             o = k;
             return pttw_all(k.p, k.t, k.tw, &o.x, &o.h, &o.RH, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"pxh",
         [](const State& k, State& o) {
             o = k;
             int reserved = -1;
             const int ok =
                 pxh_all(k.p, k.x, k.h, &o.t, &o.RH, &o.tw, &o.td, &o.pq, &o.pqb, &o.v, &o.rho, &reserved);
             return ok && reserved == 0 ? 1 : 0;
         }},
        {"pth",
         [](const State& k, State& o) {
             o = k;
             return pth_all(k.p, k.t, k.h, &o.x, &o.RH, &o.tw, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"pxtw",
         [](const State& k, State& o) {
             o = k;
             return pxtw_all(k.p, k.x, k.tw, &o.t, &o.RH, &o.h, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"pxRH",
         [](const State& k, State& o) {
             o = k;
             return pxRH_all(k.p, k.x, k.RH, &o.t, &o.tw, &o.h, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"ptx",
         [](const State& k, State& o) {
             o = k;
             return ptx_all(k.p, k.t, k.x, &o.RH, &o.tw, &o.h, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"phRH",
         [](const State& k, State& o) {
             o = k;
             return phRH_all(k.p, k.h, k.RH, &o.t, &o.tw, &o.x, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"phtw",
         [](const State& k, State& o) {
             o = k;
             return phtw_all(k.p, k.h, k.tw, &o.t, &o.RH, &o.x, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         },
         true},
        {"ptwRH",
         [](const State& k, State& o) {
             o = k;
             return ptwRH_all(k.p, k.tw, k.RH, &o.t, &o.h, &o.x, &o.td, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"pttd",
         [](const State& k, State& o) {
             o = k;
             return pttd_all(k.p, k.t, k.td, &o.tw, &o.h, &o.x, &o.RH, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"pRHtd",
         [](const State& k, State& o) {
             o = k;
             return pRHtd_all(k.p, k.RH, k.td, &o.t, &o.h, &o.x, &o.tw, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"phtd",
         [](const State& k, State& o) {
             o = k;
             return phtd_all(k.p, k.h, k.td, &o.t, &o.RH, &o.x, &o.tw, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
        {"ptwtd",
         [](const State& k, State& o) {
             o = k;
             return ptwtd_all(k.p, k.tw, k.td, &o.t, &o.RH, &o.x, &o.h, &o.pq, &o.pqb, &o.v, &o.rho);
         }},
    };
}

// How far (in K of wet bulb) the state is from the chart's wet-bulb line
// through it: h = h_s(tw) − 4.1868·tw·(x_s(tw) − x), x_s and h_s saturated at
// tw, evaluated here from the saturation pressure alone.
double wetBulbLineMiss(const State& s)
{
    auto lineEnthalpy = [&](double tw) {
        float e = 0;
        if (t_et(static_cast<float>(tw), &e) != 1) {
            return std::nan("");
        }
        const double xs = 0.62198 * e / (s.p - e);
        const double hs = 1.01 * tw + xs * (2500.0 + 1.85 * tw);
        return hs - 4.1868 * tw * (xs - s.x);
    };
    const double slope = (lineEnthalpy(s.tw + 0.05) - lineEnthalpy(s.tw - 0.05)) / 0.1;
    return std::abs(lineEnthalpy(s.tw) - s.h) / slope;
}

void expectSameState(const State& got, const State& want, const std::string& where,
                     bool compareDewPoint = true)
{
    EXPECT_NEAR(got.t, want.t, 0.001) << where;
    EXPECT_NEAR(got.tw, want.tw, 0.001) << where;
    if (compareDewPoint) {
        // Both carry the relative error of x.
        EXPECT_NEAR(got.td, want.td, 0.001) << where;
        EXPECT_NEAR(got.pq, want.pq, 1e-4 * want.pq) << where;
    }
    EXPECT_NEAR(got.x, want.x, 1e-6) << where;
    EXPECT_NEAR(got.h, want.h, 0.002) << where;
    EXPECT_NEAR(got.RH, want.RH, 1e-4) << where;
    EXPECT_NEAR(got.pqb, want.pqb, 1e-4 * want.pqb) << where;
    EXPECT_NEAR(got.v, want.v, 1e-6) << where;
    EXPECT_NEAR(got.rho, want.rho, 1e-6) << where;
}

// −20 … 50 °C, thickest around 0 °C where the saturation curve changes
// from ice to water and the wet-bulb and dew-point iterations must choose a branch.
const float kTemperatures[] = {-20.0f, -10.0f, -3.0f, -1.0f, -0.3f, -0.01f, 0.0f,  0.005f, 0.01f,
                               0.02f,  0.3f,   1.0f,  3.0f,  10.0f, 20.0f,  30.0f, 40.0f,  50.0f};
const float kHumidities[] = {0.05f, 0.2f, 0.5f, 0.8f, 0.95f, 0.999f, 1.0f};
const float kPressures[] = {101325.0f, 90000.0f, 80000.0f};

TEST(StatePairs, EveryPairGivesBackTheStateItWasTakenFrom)
{
    const auto pairs = allPairs();
    int checked = 0;
    for (float p : kPressures) {
        for (float t : kTemperatures) {
            for (float rh : kHumidities) {
                State reference{};
                ASSERT_TRUE(stateFromDryBulbAndHumidity(p, t, rh, reference)) << p << " " << t << " " << rh;
                for (const Pair& pair : pairs) {
                    if (pair.illConditioned && std::abs(reference.tw) < 1.0f) {
                        continue;
                    }
                    const bool dewPointDefined =
                        !pair.illConditioned || std::abs(reference.tw) * reference.x >= 0.005f;
                    const std::string where = pair.name + " at p " + std::to_string(p) + " t " +
                                              std::to_string(t) + " RH " + std::to_string(rh);
                    State got{};
                    ASSERT_EQ(pair.call(reference, got), 1) << where;
                    expectSameState(got, reference, where, dewPointDefined);
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 5000);
}

TEST(StatePairs, EveryComputedStateLiesOnItsWetBulbLine)
{
    const auto pairs = allPairs();
    for (float p : kPressures) {
        for (float t : kTemperatures) {
            for (float rh : kHumidities) {
                State reference{};
                ASSERT_TRUE(stateFromDryBulbAndHumidity(p, t, rh, reference));
                for (const Pair& pair : pairs) {
                    State got{};
                    if (pair.call(reference, got) != 1) {
                        continue;
                    }
                    EXPECT_LT(wetBulbLineMiss(got), 0.001)
                        << pair.name << " p " << p << " t " << t << " RH " << rh;
                }
            }
        }
    }
}

TEST(StatePairs, SaturatedStatesHaveEqualDryBulbWetBulbAndDewPoint)
{
    for (float p : kPressures) {
        for (float t : kTemperatures) {
            State s{};
            ASSERT_TRUE(stateFromDryBulbAndHumidity(p, t, 1.0f, s));
            EXPECT_FLOAT_EQ(s.tw, t);
            EXPECT_FLOAT_EQ(s.td, t);
            // From the other side: (x, RH 1) gives the dew point of x.
            float tSat = 0;
            ASSERT_EQ(pxRH_t(p, s.x, 1.0f, &tSat), 1);
            EXPECT_NEAR(tSat, t, 0.0005);
        }
    }
}

TEST(StatePairs, WetBulbAndDewPointLieBetweenTheirBounds)
{
    // td <= tw <= t for every unsaturated state, and the wet bulb rises with
    // humidity at fixed dry bulb.
    for (float t : kTemperatures) {
        float previousTw = -1000.0f;
        for (float rh : kHumidities) {
            State s{};
            ASSERT_TRUE(stateFromDryBulbAndHumidity(101325.0f, t, rh, s));
            EXPECT_LE(s.td, s.tw + 1e-5f) << t << " " << rh;
            EXPECT_LE(s.tw, t + 1e-5f) << t << " " << rh;
            EXPECT_GT(s.tw, previousTw) << t << " " << rh;
            previousTw = s.tw;
        }
    }
}

TEST(StatePairs, ContradictoryPairsFail)
{
    float a = 0, b = 0, c = 0, d = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    // Wet bulb above dry bulb, dew point above dry bulb: fog.
    EXPECT_EQ(pttw_all(101325.0f, 20.0f, 21.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    EXPECT_EQ(pttd_all(101325.0f, 20.0f, 21.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    // More moisture than saturation holds at 20 °C (x_s = 0.0147).
    EXPECT_EQ(ptx_all(101325.0f, 20.0f, 0.02f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    int reserved = 0;
    EXPECT_EQ(pxh_all(101325.0f, 0.02f, 70.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho, &reserved), 0);
    // Wet bulb so low that the air would need negative moisture.
    EXPECT_EQ(pttw_all(101325.0f, 40.0f, 5.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    // Enthalpy below that of dry air at the dry bulb.
    EXPECT_EQ(pth_all(101325.0f, 20.0f, 10.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    // The 0 °C wet-bulb line is a line of constant enthalpy: h and tw = 0 fix no state.
    EXPECT_EQ(phtw_all(101325.0f, 9.5f, 0.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    // Dry air has no dew point: with x = 0 a relative humidity fixes no dry
    // bulb (0) or none in range (any other).
    EXPECT_EQ(pxRH_all(101325.0f, 0.0f, 0.0f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
    EXPECT_EQ(pxRH_all(101325.0f, 0.0f, 0.5f, &a, &b, &c, &d, &pq, &pqb, &v, &rho), 0);
}

// Dry air is the chart's left edge: every pair that can name it gives x = 0,
// RH = 0, h = 1.01·t, no vapour, v = R_da·T/p and the chart's density, and
// the dew point is kept at the bottom of the range (−100 °C).
TEST(StatePairs, DryAirIsAStateFromEveryPairThatNamesIt)
{
    const float p = 101325.0f, t = 25.0f;
    State dry;
    ASSERT_TRUE(stateFromDryBulbAndHumidity(p, t, 0.0f, dry));
    const double T = 25.0 + 273.15;
    EXPECT_EQ(dry.x, 0.0f);
    EXPECT_EQ(dry.pq, 0.0f);
    EXPECT_EQ(dry.td, -100.0f);
    EXPECT_NEAR(dry.h, 1.01 * 25.0, 1e-5);
    EXPECT_NEAR(dry.v, 287.055 * T / 101325.0, 1e-6); // 0.84466 m³/kg
    EXPECT_NEAR(dry.rho, 101325.0 * 3.48365 / (T * 1000.0), 1e-6);
    // The wet bulb of dry air: h(t, 0) = h_s(tw) − 4.1868·tw·x_s(tw).
    EXPECT_NEAR(dry.tw, 8.31, 0.01);
    EXPECT_GT(dry.pqb, 3000.0f);

    for (const Pair& pair : allPairs()) {
        // No dew point to give; x with RH 0 fixes no dry bulb; (h, tw) leaves
        // x to the rounding of h over 4.1868·tw, which may fall below zero.
        if (pair.name == "pxRH" || pair.name.find("td") != std::string::npos || pair.illConditioned)
            continue;
        State out;
        ASSERT_EQ(pair.call(dry, out), 1) << pair.name;
        // A wet bulb read back as a float leaves x within 1e-9 kg/kg of 0.
        expectSameState(out, dry, pair.name, false);
        EXPECT_LT(out.pq, 1e-3f) << pair.name;
        EXPECT_EQ(out.td, -100.0f) << pair.name;
    }
}

TEST(StatePairs, AStateThatDoesNotCompleteNamesItsCause)
{
    using qorva::psychro::KnownProperties;
    using qorva::psychro::NoStateCause;
    using qorva::psychro::whyNoState;
    const double p = 101325.0;
    struct Case {
        const char* what;
        KnownProperties known;
        NoStateCause cause;
    };
    const Case cases[] = {
        {"negative humidity", {p, 25.0, {}, {}, -0.01, {}, {}}, NoStateCause::BelowChart},
        {"negative moisture", {p, {}, {}, {}, {}, -0.001, 20.0}, NoStateCause::BelowChart},
        {"wet bulb below dry air's", {p, 40.0, 5.0, {}, {}, {}, {}}, NoStateCause::BelowChart},
        {"enthalpy below dry air's", {p, 20.0, {}, {}, {}, {}, 10.0}, NoStateCause::BelowChart},
        {"humidity above 100 %", {p, 20.0, {}, {}, 1.2, {}, {}}, NoStateCause::AboveSaturation},
        {"wet bulb above dry bulb", {p, 20.0, 21.0, {}, {}, {}, {}}, NoStateCause::AboveSaturation},
        {"dew point above dry bulb", {p, 20.0, {}, 21.0, {}, {}, {}}, NoStateCause::AboveSaturation},
        {"more water than saturation holds", {p, 20.0, {}, {}, {}, 0.02, {}}, NoStateCause::AboveSaturation},
        {"x and h past the curve", {p, {}, {}, {}, {}, 0.03, 50.0}, NoStateCause::AboveSaturation},
        {"wet bulb above the enthalpy's saturation",
         {p, {}, 40.0, {}, {}, {}, 50.0},
         NoStateCause::AboveSaturation},
        {"dew point above wet bulb", {p, {}, 10.0, 12.0, {}, {}, {}}, NoStateCause::AboveSaturation},
        {"dry bulb past the range", {p, 300.0, {}, {}, 0.5, {}, {}}, NoStateCause::TemperatureOutOfRange},
        {"dew point past the range", {p, 20.0, {}, -150.0, {}, {}, {}}, NoStateCause::TemperatureOutOfRange},
        {"pressure below 10 kPa", {1000.0, 20.0, {}, {}, 0.5, {}, {}}, NoStateCause::PressureOutOfRange},
        {"dry air at every dry bulb", {p, {}, {}, {}, 0.0, 0.0, {}}, NoStateCause::Undetermined},
    };
    for (const Case& c : cases)
        EXPECT_EQ(whyNoState(c.known), c.cause) << c.what;
}

TEST(StatePairs, DryAirIsAcceptedWhereNoDewPointIsReported)
{
    float t = 0, rh = 0, tw = 0;
    ASSERT_EQ(pxh_tRHtw(101325.0f, 0.0f, 20.2f, &t, &rh, &tw), 1);
    EXPECT_NEAR(t, 20.0f, 1e-5);
    EXPECT_EQ(rh, 0.0f);
    EXPECT_LT(tw, t);
    float h = 0;
    ASSERT_EQ(tx_h(20.0f, 0.0f, &h), 1);
    EXPECT_NEAR(h, 20.2f, 1e-5);
}

} // namespace
