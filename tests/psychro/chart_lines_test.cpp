#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "psychro/ChartLines.h"
#include "psychro/QorvaDll.h"

namespace {

constexpr float kP = 101325.0f;

// What pxh_all makes of a chart point.
struct Completed {
    float x, h, t, RH, tw, td;
};

Completed complete(float x, float h, float p = kP)
{
    Completed c{x, h, 0, 0, 0, 0};
    float pq = 0, pqb = 0, v = 0, rho = 0;
    int reserved = 0;
    EXPECT_EQ(pxh_all(p, x, h, &c.t, &c.RH, &c.tw, &c.td, &pq, &pqb, &v, &rho, &reserved), 1)
        << "x " << x << " h " << h;
    return c;
}

Completed stateAt(float t, float RH, float p = kP)
{
    float x = 0, h = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    EXPECT_EQ(ptRH_all(p, t, RH, &x, &h, &tw, &td, &pq, &pqb, &v, &rho), 1);
    return {x, h, t, RH, tw, td};
}

// The library codes of the straight-line functions.
enum LineCode { kT = 0, kX = 1, kH = 2, kRH = 3, kTw = 4 };

float propertyOf(const Completed& c, int lineCode)
{
    switch (lineCode) {
    case kT:
        return c.t;
    case kX:
        return c.x;
    case kH:
        return c.h;
    case kRH:
        return c.RH;
    default:
        return c.tw;
    }
}

float toleranceOf(int lineCode)
{
    return lineCode == kX ? 1e-6f : lineCode == kRH ? 1e-5f : lineCode == kH ? 2e-3f : 1e-3f;
}

using IsoLineFunction = int (*)(float, float, float, int, int, float, float*, float*);

struct IsoLineCase {
    const char* name;
    IsoLineFunction function;
    int heldConstant; // line code of the property the line keeps
    int mode;
    int code;     // the function's own code
    int lineCode; // the same property as a line code
    float value;  // target, or difference from the base
};

TEST(IsoLines, EveryCodeReachesItsTargetAndKeepsTheLineProperty)
{
    const Completed base = stateAt(30.0f, 0.5f); // x 0.01333, h 64.3, tw 22.0
    const IsoLineCase cases[] = {
        {"x: t", px0h0x1_xh, kX, 1, 0, kT, 20.0f},    {"x: Δt", px0h0x1_xh, kX, 0, 0, kT, -8.0f},
        {"x: h", px0h0x1_xh, kX, 1, 1, kH, 55.0f},    {"x: Δh", px0h0x1_xh, kX, 0, 1, kH, 4.0f},
        {"x: RH", px0h0x1_xh, kX, 1, 2, kRH, 0.9f},   {"x: tw", px0h0x1_xh, kX, 1, 3, kTw, 19.0f},
        {"t: x", px0h0t1_xh, kT, 1, 0, kX, 0.006f},   {"t: Δx", px0h0t1_xh, kT, 0, 0, kX, 0.004f},
        {"t: h", px0h0t1_xh, kT, 1, 1, kH, 70.0f},    {"t: RH", px0h0t1_xh, kT, 1, 2, kRH, 0.2f},
        {"t: tw", px0h0t1_xh, kT, 1, 3, kTw, 25.0f},  {"h: t", px0h0h1_xh, kH, 1, 0, kT, 25.0f},
        {"h: Δt", px0h0h1_xh, kH, 0, 0, kT, 6.0f},    {"h: x", px0h0h1_xh, kH, 1, 1, kX, 0.012f},
        {"h: Δx", px0h0h1_xh, kH, 0, 1, kX, -0.003f}, {"h: RH", px0h0h1_xh, kH, 1, 2, kRH, 0.95f},
        {"h: tw", px0h0h1_xh, kH, 1, 3, kTw, 22.2f}, // wet-bulb lines run almost along enthalpy lines
    };
    for (const IsoLineCase& c : cases) {
        float x = 0, h = 0;
        ASSERT_EQ(c.function(kP, base.x, base.h, c.mode, c.code, c.value, &x, &h), 1) << c.name;
        const Completed got = complete(x, h);
        const float want = c.mode == 1 ? c.value : propertyOf(base, c.lineCode) + c.value;
        EXPECT_NEAR(propertyOf(got, c.lineCode), want, toleranceOf(c.lineCode)) << c.name;
        EXPECT_NEAR(propertyOf(got, c.heldConstant), propertyOf(base, c.heldConstant),
                    toleranceOf(c.heldConstant))
            << c.name;
    }
}

// Dry air (x = 0, RH 0) is a point of the chart: every line through a base
// that crosses the left edge reaches it by RH 0 as by x 0, where the line
// gives it: t_N along constant t, h_N along constant h, and h_N − ε·x_N on
// the ε line.
TEST(IsoLines, DryAirIsReachedByRelativeHumidityOrMoistureZero)
{
    const Completed base = stateAt(25.0f, 0.5f);
    const float ratio = 10000.0f;
    struct Case {
        const char* what;
        std::function<int(float* x, float* h)> call;
        double h; // the enthalpy of dry air on that line
    };
    const Case cases[] = {
        {"constant t, RH 0",
         [&](float* x, float* h) { return px0h0t1_xh(kP, base.x, base.h, 1, 2, 0.0f, x, h); }, 1.01 * 25.0},
        {"constant t, x 0",
         [&](float* x, float* h) { return px0h0t1_xh(kP, base.x, base.h, 1, 0, 0.0f, x, h); }, 1.01 * 25.0},
        {"constant h, RH 0",
         [&](float* x, float* h) { return px0h0h1_xh(kP, base.x, base.h, 1, 2, 0.0f, x, h); }, base.h},
        {"constant h, x 0",
         [&](float* x, float* h) { return px0h0h1_xh(kP, base.x, base.h, 1, 1, 0.0f, x, h); }, base.h},
        {"ratio line, RH 0",
         [&](float* x, float* h) { return px1h1HHRr_xh(kP, base.x, base.h, ratio, 1, kRH, 0.0f, x, h); },
         base.h - ratio * base.x},
        {"ratio line, x 0",
         [&](float* x, float* h) { return px1h1HHRr_xh(kP, base.x, base.h, ratio, 1, kX, 0.0f, x, h); },
         base.h - ratio * base.x},
    };
    for (const Case& c : cases) {
        float x = -1, h = 0;
        ASSERT_EQ(c.call(&x, &h), 1) << c.what;
        EXPECT_EQ(x, 0.0f) << c.what;
        EXPECT_NEAR(h, c.h, 2e-3) << c.what;
        EXPECT_EQ(complete(x, h).RH, 0.0f) << c.what;
    }
}

TEST(IsoLines, RefuseWhatTheLineCannotGive)
{
    const Completed base = stateAt(30.0f, 0.5f);
    float x = 0, h = 0;
    EXPECT_EQ(px0h0x1_xh(kP, base.x, base.h, 0, 2, 0.1f, &x, &h), 0) << "no RH difference";
    EXPECT_EQ(px0h0x1_xh(kP, base.x, base.h, 1, 4, 20.0f, &x, &h), 0) << "no code 4";
    EXPECT_EQ(px0h0x1_xh(kP, base.x, base.h, 2, 0, 20.0f, &x, &h), 0) << "no mode 2";
    EXPECT_EQ(px0h0x1_xh(kP, base.x, base.h, 1, 0, 10.0f, &x, &h), 0) << "below its dew point: fog";
    EXPECT_EQ(px0h0t1_xh(kP, base.x, base.h, 1, 2, 1.2f, &x, &h), 0) << "RH above 1";
    EXPECT_EQ(px0h0t1_xh(kP, base.x, base.h, 1, 3, 31.0f, &x, &h), 0) << "wet bulb above the dry bulb";
    EXPECT_EQ(px0h0h1_xh(kP, base.x, base.h, 1, 1, -0.001f, &x, &h), 0) << "negative moisture";
}

TEST(IsoLines, ConstantMoistureLineCrossesZeroDegrees)
{
    // Cooling moist air at constant x through 0 °C, where the wet bulb changes
    // from water to ice; every temperature step must still be found.
    const Completed base = stateAt(5.0f, 0.5f);
    for (int i = 0; i <= 40; ++i) {
        const float t = -1.0f + 0.05f * static_cast<float>(i);
        float x = 0, h = 0;
        if (t < base.td) {
            EXPECT_EQ(px0h0x1_xh(kP, base.x, base.h, 1, 0, t, &x, &h), 0) << t;
            continue;
        }
        ASSERT_EQ(px0h0x1_xh(kP, base.x, base.h, 1, 0, t, &x, &h), 1) << t;
        const Completed got = complete(x, h);
        EXPECT_NEAR(got.t, t, 0.001) << t;
        float xw = 0, hw = 0;
        ASSERT_EQ(px0h0x1_xh(kP, base.x, base.h, 1, 3, got.tw, &xw, &hw), 1) << t;
        EXPECT_NEAR(hw, h, 0.002) << t;
    }
}

// Distance of c from the straight line through a and b, in kJ/kg at the
// chart's scale of 2500 kJ/kg per kg/kg.
double offLine(const Completed& a, const Completed& b, const Completed& c)
{
    const double ax = 2500.0 * a.x, bx = 2500.0 * b.x, cx = 2500.0 * c.x;
    const double cross = (bx - ax) * (c.h - a.h) - (b.h - a.h) * (cx - ax);
    return std::abs(cross) / std::hypot(bx - ax, b.h - a.h);
}

TEST(StraightLines, ProcessLinePointsLieOnTheLineAtTheirTarget)
{
    const Completed start = stateAt(30.0f, 0.6f);
    const Completed end = stateAt(14.0f, 0.95f);
    struct Case {
        int mode, code;
        float value;
    } cases[] = {{1, kT, 20.0f}, {0, kT, -4.0f},  {1, kX, 0.012f}, {0, kX, -0.002f}, {1, kH, 50.0f},
                 {1, kRH, 0.8f}, {1, kTw, 18.0f}, {1, kT, 35.0f}}; // the last one past the start
    for (const Case& c : cases) {
        float x = 0, h = 0;
        ASSERT_EQ(px1h1x2h2g_xh(kP, start.x, start.h, end.x, end.h, c.mode, c.code, c.value, &x, &h), 1)
            << c.code << " " << c.value;
        const Completed got = complete(x, h);
        const float want = c.mode == 1 ? c.value : propertyOf(start, c.code) + c.value;
        EXPECT_NEAR(propertyOf(got, c.code), want, toleranceOf(c.code)) << c.code << " " << c.value;
        EXPECT_LT(offLine(start, end, got), 1e-3) << c.code << " " << c.value;
    }
    float x = 0, h = 0;
    EXPECT_EQ(px1h1x2h2g_xh(kP, start.x, start.h, start.x, start.h, 1, kT, 20.0f, &x, &h), 0) << "no line";
}

TEST(StraightLines, RatioLinePointsKeepTheRatio)
{
    const Completed room = stateAt(26.0f, 0.55f);
    for (float ratio : {15000.0f, 5000.0f, 0.0f, -8000.0f}) {
        float x = 0, h = 0;
        ASSERT_EQ(px1h1HHRr_xh(kP, room.x, room.h, ratio, 0, kT, 4.0f, &x, &h), 1) << ratio;
        const Completed got = complete(x, h);
        EXPECT_NEAR(got.t, room.t + 4.0f, 0.001) << ratio;
        float back = 0;
        ASSERT_EQ(x1h1x2h2_HHR(room.x, room.h, x, h, &back), 1);
        EXPECT_NEAR(back, ratio, 1.0 + 1e-3 * std::abs(ratio)) << ratio;
    }
}

TEST(StraightLines, SupplyStateAtMachineDewPointLiesBetweenRoomAndSaturation)
{
    // The summer supply state O at RH 90 % on the room's ε line: the crossing
    // on the way down to saturation, not the one beyond the fog.
    const Completed room = stateAt(26.0f, 0.55f);
    for (float ratio : {20000.0f, 8000.0f, 99999997952.0f}) {
        float x = 0, h = 0;
        ASSERT_EQ(px1h1HHRr_xh(kP, room.x, room.h, ratio, 1, kRH, 0.9f, &x, &h), 1) << ratio;
        const Completed o = complete(x, h);
        EXPECT_NEAR(o.RH, 0.9f, 1e-5) << ratio;
        EXPECT_LT(o.t, room.t) << ratio;
        EXPECT_LE(x, room.x + 1e-7f) << ratio;
        EXPECT_GT(o.t, 10.0f) << ratio;
    }
    // A drier target from a moist base lies the other way, up the line.
    float x = 0, h = 0;
    ASSERT_EQ(px1h1HHRr_xh(kP, room.x, room.h, 20000.0f, 1, kRH, 0.3f, &x, &h), 1);
    EXPECT_GT(complete(x, h).t, room.t);
}

TEST(StraightLines, RatioLineEndsAreDrawableStatesOnTheLine)
{
    const Completed room = stateAt(26.0f, 0.55f);
    for (float ratio : {15000.0f, 2500.0f, 0.0f, -5000.0f, 99999997952.0f, -99999997952.0f}) {
        float xa = 0, ha = 0, xb = 0, hb = 0;
        ASSERT_EQ(px1h1HHR_2P(kP, room.x, room.h, ratio, &xa, &ha, &xb, &hb), 1) << ratio;
        const Completed a = complete(xa, ha);
        const Completed b = complete(xb, hb);
        EXPECT_LT(offLine(a, b, room), 1e-3) << ratio;
        // The room lies between the ends, and one end is on the saturation curve.
        EXPECT_LE((room.x - xa) * (room.x - xb), 1e-12f) << ratio;
        EXPECT_LE((room.h - ha) * (room.h - hb), 1e-6f) << ratio;
        EXPECT_NEAR(std::max(a.RH, b.RH), 1.0f, 1e-4) << ratio;
        EXPECT_LE(xa, xb) << ratio;
    }
    // A base that is not a state has no line.
    float xa = 0, ha = 0, xb = 0, hb = 0;
    EXPECT_EQ(px1h1HHR_2P(kP, 0.03f, 40.0f, 15000.0f, &xa, &ha, &xb, &hb), 0);
}

TEST(StraightLines, RatioLineEndsMatchTheStepByStepWalk)
{
    using qorva::psychro::ratioLineEnds;
    using qorva::psychro::detail::ratioLineEndsByWalk;
    struct Base {
        float p, t, RH;
    };
    // Ordinary rooms, saturated and nearly saturated air on both sides of
    // 0 °C, states near the dry, cold and hot limits of the range, and cold
    // air whose steep lines cross a narrow stretch of fog and come out dry.
    const Base bases[] = {
        {kP, 26.0f, 0.55f},      {kP, 26.0f, 1.0f},    {kP, 5.0f, 0.9999f},     {kP, 0.0f, 0.9f},
        {kP, -20.0f, 0.3f},      {kP, 45.0f, 0.05f},   {80000.0f, 35.0f, 0.2f}, {kP, -95.0f, 0.5f},
        {kP, -60.0f, 0.002f},    {kP, 195.0f, 0.001f}, {kP, 90.0f, 0.3f},       {1e6f, 150.0f, 0.1f},
        {10000.0f, 40.0f, 0.4f}, {kP, -3.6f, 0.68f},   {kP, -7.2f, 0.54f},
    };
    // Vertical both ways, steep, along the isotherms, shallow, horizontal and
    // nearly so, negative.
    const double ratios[] = {99999997952.0, -99999997952.0, 1e6,  30200.0, 30000.0, 16870.0, 15000.0, 2550.0,
                             2500.0,        800.0,          10.0, 0.0,     -1e-3,   -10.0,   -5000.0, -1e6};
    int compared = 0;
    for (const Base& base : bases) {
        const Completed s = stateAt(base.t, base.RH, base.p);
        for (double ratio : ratios) {
            const auto fast = ratioLineEnds(base.p, {s.x, s.h}, ratio);
            const auto walked = ratioLineEndsByWalk(base.p, {s.x, s.h}, ratio);
            const std::string where =
                std::to_string(base.t) + " °C " + std::to_string(base.RH) + " ε " + std::to_string(ratio);
            ASSERT_EQ(fast.has_value(), walked.has_value()) << where;
            if (!fast) {
                continue;
            }
            ++compared;
            // 1e-6 kg/kg, and the same chart distance along h for vertical lines.
            EXPECT_NEAR(fast->a.x, walked->a.x, 1e-6) << where;
            EXPECT_NEAR(fast->b.x, walked->b.x, 1e-6) << where;
            EXPECT_NEAR(fast->a.h, walked->a.h, 2.5e-3) << where;
            EXPECT_NEAR(fast->b.h, walked->b.h, 2.5e-3) << where;
        }
    }
    EXPECT_GT(compared, 150);
}

TEST(RelatedPair, SupplyAndCoilOutletByTemperatureDifference)
{
    // Primary return air at the largest supply temperature difference: O on
    // the ε line, L below it at equal x, t_O − t_L = 5 K, L at RH 95 %.
    const Completed room = stateAt(26.0f, 0.55f);
    float x1 = 0, h1 = 0, x2 = 0, h2 = 0;
    ASSERT_EQ(px0h0HHR_x1h1x2h2(kP, room.x, room.h, 12000.0f, 0, 5.0f, kRH, 0.95f, &x1, &h1, &x2, &h2), 1);
    const Completed o = complete(x1, h1);
    const Completed l = complete(x2, h2);
    float ratio = 0;
    ASSERT_EQ(x1h1x2h2_HHR(room.x, room.h, x1, h1, &ratio), 1);
    EXPECT_NEAR(ratio, 12000.0f, 15.0f);
    EXPECT_FLOAT_EQ(x1, x2);
    EXPECT_NEAR(o.t - l.t, 5.0f, 0.001);
    EXPECT_NEAR(l.RH, 0.95f, 1e-5);
    EXPECT_LT(o.t, room.t);
}

TEST(RelatedPair, ByMoistureDifferenceAndOtherProperties)
{
    const Completed room = stateAt(22.0f, 0.4f);
    float x1 = 0, h1 = 0, x2 = 0, h2 = 0;
    // Equal dry bulb, x1 − x2 = 0.002, point 2 at a wet bulb of 12 °C.
    ASSERT_EQ(px0h0HHR_x1h1x2h2(kP, room.x, room.h, -6000.0f, 1, 0.002f, kTw, 12.0f, &x1, &h1, &x2, &h2), 1);
    const Completed first = complete(x1, h1);
    const Completed second = complete(x2, h2);
    EXPECT_NEAR(first.t, second.t, 0.001);
    EXPECT_NEAR(x1 - x2, 0.002f, 1e-6);
    EXPECT_NEAR(second.tw, 12.0f, 0.001);
    // Point 2's dry bulb given directly.
    ASSERT_EQ(px0h0HHR_x1h1x2h2(kP, room.x, room.h, 15000.0f, 0, 3.0f, kT, 15.0f, &x1, &h1, &x2, &h2), 1);
    EXPECT_NEAR(complete(x1, h1).t, 18.0f, 0.001);
    EXPECT_NEAR(complete(x2, h2).t, 15.0f, 0.001);
    // No pair: point 2 would have to be wetter than saturated.
    EXPECT_EQ(px0h0HHR_x1h1x2h2(kP, room.x, room.h, 15000.0f, 0, 5.0f, kRH, 1.5f, &x1, &h1, &x2, &h2), 0);
    EXPECT_EQ(px0h0HHR_x1h1x2h2(kP, room.x, room.h, 15000.0f, 2, 5.0f, kRH, 0.9f, &x1, &h1, &x2, &h2), 0);
}

TEST(Mixing, LiesOnTheStraightLineBetweenTheStates)
{
    const Completed outdoor = stateAt(34.0f, 0.6f);
    const Completed room = stateAt(26.0f, 0.55f);
    float x = 0, h = 0;
    ASSERT_EQ(px1h1x2h2ratio_xh(kP, room.x, room.h, outdoor.x, outdoor.h, 0.3f, &x, &h), 1);
    EXPECT_NEAR(x, 0.7f * room.x + 0.3f * outdoor.x, 1e-7);
    EXPECT_NEAR(h, 0.7f * room.h + 0.3f * outdoor.h, 1e-4);
    ASSERT_EQ(px1h1x2h2ratio_xh(kP, room.x, room.h, outdoor.x, outdoor.h, 0.0f, &x, &h), 1);
    EXPECT_FLOAT_EQ(x, room.x);
    // Saturated air at −10 °C and 40 °C mixes into fog: no state.
    const Completed cold = stateAt(-10.0f, 1.0f);
    const Completed hot = stateAt(40.0f, 1.0f);
    EXPECT_EQ(px1h1x2h2ratio_xh(kP, cold.x, cold.h, hot.x, hot.h, 0.5f, &x, &h), 0);
    EXPECT_EQ(px1h1x2h2ratio_xh(kP, room.x, room.h, outdoor.x, outdoor.h, 1.1f, &x, &h), 0);
}

TEST(Intersections, CrossingsOfProcessAndRatioLines)
{
    // Lines through (0.008, 40) and (0.012, 60), and through (0.008, 60) and
    // (0.012, 40), cross at (0.010, 50).
    float x = 0, h = 0;
    ASSERT_EQ(x1h1x2h2x3h3x4h4_xh(0.008f, 40.0f, 0.012f, 60.0f, 0.008f, 60.0f, 0.012f, 40.0f, &x, &h), 1);
    EXPECT_NEAR(x, 0.010f, 1e-7);
    EXPECT_NEAR(h, 50.0f, 1e-4);
    // The first as an ε line (5000) through its start, with the second.
    ASSERT_EQ(x1h1x2h2x3h3HHR_xh(0.008f, 60.0f, 0.012f, 40.0f, 0.008f, 40.0f, 5000.0f, &x, &h), 1);
    EXPECT_NEAR(x, 0.010f, 1e-7);
    EXPECT_NEAR(h, 50.0f, 1e-4);
    // Two ε lines: 5000 through (0.008, 40) and −5000 through (0.008, 60).
    ASSERT_EQ(x1h1HHR1x2h2HHR2_xh(0.008f, 40.0f, 5000.0f, 0.008f, 60.0f, -5000.0f, &x, &h), 1);
    EXPECT_NEAR(x, 0.010f, 1e-7);
    EXPECT_NEAR(h, 50.0f, 1e-4);
    // A vertical ε line meets a constant-enthalpy line right above its base.
    ASSERT_EQ(x1h1HHR1x2h2HHR2_xh(0.009f, 40.0f, 99999997952.0f, 0.002f, 55.0f, 0.0f, &x, &h), 1);
    EXPECT_NEAR(x, 0.009f, 1e-7);
    EXPECT_NEAR(h, 55.0f, 1e-4);
    // Parallel lines and a line without length have no crossing.
    EXPECT_EQ(x1h1HHR1x2h2HHR2_xh(0.008f, 40.0f, 5000.0f, 0.008f, 60.0f, 5000.0f, &x, &h), 0);
    EXPECT_EQ(x1h1x2h2x3h3x4h4_xh(0.008f, 40.0f, 0.008f, 40.0f, 0.008f, 60.0f, 0.012f, 40.0f, &x, &h), 0);
    // A crossing at negative moisture content is no state.
    EXPECT_EQ(x1h1HHR1x2h2HHR2_xh(0.001f, 40.0f, 1000.0f, 0.002f, 45.0f, 2000.0f, &x, &h), 0);
}

} // namespace
