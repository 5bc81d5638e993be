#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "psychro/QorvaDll.h"
#include "support/OneRoomProject.h"
#include "support/RecordingMessages.h"

// The four analyses checked once more against their key points worked out
// here, step by step from the design data with the property library's single
// functions: N and W from the design states, ε = Q/W·3600, points on the ε
// line or on N's enthalpy line found by bisection, G = 3.6·Q/(ρ·Δh), every
// mix by its mass balance.
namespace {

constexpr float kP = 101325.0f;
constexpr double kRho = 1.2, kRhoWinter = 1.25;
constexpr double kLoad = 5000.0, kRatio = 5.0 / 1.2 * 3600.0; // the one-room project's summer Q (W) and ε
constexpr double kFresh = 300.0, kWinterFresh = 250.0;

struct State {
    double x = 0, h = 0;
};

// Vapour pressure over the saturation pressure at the dry bulb; defined
// beyond saturation too, so a bisection may straddle the curve.
double tOf(double x, double h);
double rhOf(double x, double h)
{
    float saturation = 0;
    const double vapour = kP * x / (0.62198 + x);
    return t_et(static_cast<float>(tOf(x, h)), &saturation) ? vapour / saturation : std::nan("");
}
double tOf(double x, double h)
{
    float t = 0;
    return xh_t(static_cast<float>(x), static_cast<float>(h), &t) ? t : std::nan("");
}
double hOf(double t, double x)
{
    float h = 0;
    return tx_h(static_cast<float>(t), static_cast<float>(x), &h) ? h : std::nan("");
}

// The x in [lo, hi] where f changes sign.
double bisect(const std::function<double(double)>& f, double lo, double hi)
{
    const bool rising = f(hi) > f(lo);
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (lo + hi);
        ((f(mid) > 0) == rising ? hi : lo) = mid;
    }
    return 0.5 * (lo + hi);
}

State mix(const State& a, const State& b, double shareOfB)
{
    return {(1 - shareOfB) * a.x + shareOfB * b.x, (1 - shareOfB) * a.h + shareOfB * b.h};
}

struct Expected {
    std::string name;
    int condition;
    State state;
    double xTolerance, hTolerance;
};

class IndependentAnalyses : public ::testing::Test {
protected:
    RecordingMessages messages;
    CIDG idg;
    State n, w, winterW;

    void SetUp() override
    {
        CServiceArea& room = fillOneRoomProject(idg);
        room.m_fSummerFreshAir = static_cast<float>(kFresh);
        room.m_fWinterFreshAir = static_cast<float>(kWinterFresh);
        idg.m_fSummerDensity = static_cast<float>(kRho);
        idg.m_fWinterDensity = static_cast<float>(kRhoWinter);
        float x = 0, h = 0, a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0;
        ASSERT_TRUE(ptRH_all(kP, 25.0f, 0.5f, &x, &h, &a, &b, &c, &d, &e, &f));
        n = {x, h};
        ASSERT_TRUE(pttw_all(kP, 34.0f, 28.2f, &x, &h, &a, &b, &c, &d, &e, &f));
        w = {x, h};
        ASSERT_TRUE(ptRH_all(kP, -5.0f, 0.75f, &x, &h, &a, &b, &c, &d, &e, &g));
        winterW = {x, h};
    }
    // The state on the summer ε line through N where property(x, h) = value.
    State onRatioLine(double (*property)(double, double), double value) const
    {
        const auto along = [this](double x) { return n.h + kRatio * (x - n.x); };
        const double x = bisect([&](double s) { return property(s, along(s)) - value; }, n.x - 0.003, n.x);
        return {x, along(x)};
    }
    // The state on N's enthalpy line at relative humidity rh.
    State onIndoorEnthalpy(double rh) const
    {
        return {bisect([&](double x) { return rhOf(x, n.h) - rh; }, n.x, n.x + 0.01), n.h};
    }
    double supplyVolume(const State& o) const { return 3.6 * kLoad / (kRho * (n.h - o.h)); }
    const CStatePoint* placed(const std::string& name, int condition) const
    {
        for (const auto& p : idg.m_rooms.RoomAt(0, 0)->m_points[static_cast<std::size_t>(condition)])
            if (p->m_strName == name)
                return p.get();
        return nullptr;
    }
};

TEST_F(IndependentAnalyses, KeyPointsAgreeWithTheirStepByStepComputation)
{
    struct Case {
        std::string title;
        AnalysisRequest request;
        std::vector<Expected> expected;
    };
    std::vector<Case> cases;

    { // Primary, maximum difference, no fan rise: O is the coil outlet at φL on the ε line.
        PrimaryParams p;
        p.dewPoint = 0.9f;
        const State o = onRatioLine(rhOf, 0.9);
        const State c = mix(n, w, kFresh / supplyVolume(o));
        cases.push_back({"primary", p, {{"O", 1, o, 2e-6, 0.02}, {"C", 1, c, 2e-6, 0.03}}});
    }
    { // Secondary, Δto 6, no fan rise: Q at φL on the ε line, the second mix on the chart's x.
        SecondaryParams p;
        p.supplyDifference = 6.0;
        p.dewPointPercent = 90;
        p.winter = 0;
        const State o = onRatioLine(tOf, 25.0 - 6.0);
        const State q = onRatioLine(rhOf, 0.9);
        const double g = supplyVolume(o);
        const double g2 = std::fabs(q.x - o.x) / std::fabs(q.x - n.x) * g;
        const State c = mix(n, w, kFresh / (g - g2));
        cases.push_back(
            {"secondary", p, {{"O", 1, o, 2e-6, 0.02}, {"Q", 1, q, 2e-6, 0.02}, {"C", 1, c, 2e-5, 0.08}}});
    }
    { // Fan coil, treat then mix, no fan rise: L on N's enthalpy line, D by the balance with L.
        FanCoilParams p;
        p.fanRise = 0;
        p.dewPointPercent = 95;
        const State l = onIndoorEnthalpy(0.95);
        const State o = onRatioLine(rhOf, 0.95);
        const double g = supplyVolume(o);
        const State d{(g * o.x - kFresh * l.x) / (g - kFresh), (g * o.h - kFresh * l.h) / (g - kFresh)};
        cases.push_back(
            {"fan coil", p, {{"L", 1, l, 2e-6, 0.02}, {"O", 1, o, 2e-6, 0.02}, {"D", 1, d, 5e-6, 0.05}}});
    }
    { // Fresh-air unit with steam: W' heated to 15 °C, M wetter by Wh/(ρw·Fw) at 15 °C.
        FreshAirParams p;
        p.dewPoint = 0.95f;
        p.heatTo = 15.0f;
        p.humidification = 1.0f;
        p.humidifyMode = kHumidifySteam;
        const double xm = winterW.x + 1.0 / (kRhoWinter * kWinterFresh);
        cases.push_back({"fresh air",
                         p,
                         {{"L", 1, onIndoorEnthalpy(0.95), 2e-6, 0.02},
                          {"W'", 2, {winterW.x, hOf(15.0, winterW.x)}, 1e-7, 0.02},
                          {"M", 2, {xm, hOf(15.0, xm)}, 2e-6, 0.02}}});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::string message;
        ASSERT_TRUE(RunAnalysis(idg, c.request, message)) << message;
        for (const Expected& e : c.expected) {
            SCOPED_TRACE(e.name);
            const CStatePoint* p = placed(e.name, e.condition);
            ASSERT_NE(p, nullptr);
            EXPECT_NEAR(p->m_d, e.state.x, e.xTolerance);
            EXPECT_NEAR(p->m_h, e.state.h, e.hTolerance);
        }
    }
}

} // namespace
