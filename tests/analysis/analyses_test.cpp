#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "analysis/Binding.h"
#include "analysis/ResultTexts.h"
#include "model/ChartFormulas.h"
#include "support/RecordingMessages.h"

// Every analysis is checked against the chart's formulas written out here:
// O on the ε line, the supply temperature difference, L at the machine dew
// point, the energy and moisture balance of every mix, and each capacity as
// ρ·G·Δh/3.6 (W, with G in m³/h and ρ the summer density).
namespace {

constexpr double kRhoSummer = 1.2, kRhoWinter = 1.25;

std::string format(const char* pattern, double value)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

class AnalysesTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CIDG idg;

    void SetUp() override
    {
        CAir_Room& rooms = idg.m_rooms;
        rooms.m_fSummerOutT = 34.0f;
        rooms.m_fSummerOutTw = 28.2f;
        rooms.m_bSummerOutByRH = 0;
        rooms.m_fWinterOutT = -5.0f;
        rooms.m_fWinterOutRH = 75.0f;
        rooms.m_bWinterOutByRH = 1;
        rooms.AddSystem("S1");
        rooms.AddRoom("S1", "R1");
        CServiceArea& r = room();
        r.m_fSummerInT = 25.0f;
        r.m_fSummerInRH = 50.0f;
        r.m_fSummerLoad = 10.0f;
        r.m_fSummerMoistLoad = 1.2f;
        r.m_fSummerFreshAir = 500.0f;
        r.m_fWinterInT = 20.0f;
        r.m_fWinterInRH = 40.0f;
        r.m_fWinterLoad = 8.0f;
        r.m_fWinterMoistLoad = 0.5f;
        r.m_fWinterFreshAir = 400.0f;
        idg.m_fSummerDensity = static_cast<float>(kRhoSummer);
        idg.m_fWinterDensity = static_cast<float>(kRhoWinter);
        ASSERT_TRUE(idg.PointAtCurrentRoom());
    }
    CServiceArea& room() { return *idg.m_rooms.m_systems[0]->m_rooms[0]; }
    void show(int condition)
    {
        room().m_nCondition = condition;
        ASSERT_TRUE(idg.PointAtCurrentRoom());
    }
    const CStatePoint& named(const std::string& name)
    {
        for (const auto& p : *idg.m_pPoints)
            if (p->m_strName == name)
                return *p;
        ADD_FAILURE() << "no point " << name;
        static CStatePoint none;
        return none;
    }
    bool has(const std::string& name)
    {
        for (const auto& p : *idg.m_pPoints)
            if (p->m_strName == name)
                return true;
        return false;
    }
    std::vector<std::string> lines()
    {
        std::vector<std::string> names;
        for (const auto& l : *idg.m_pProcessLines)
            names.push_back(l->m_strName);
        return names;
    }
    std::vector<int> kinds()
    {
        std::vector<int> result;
        for (const auto& t : *idg.m_pTexts)
            result.push_back(t->m_nKind);
        return result;
    }
    const CCommentString& textOfKind(int kind)
    {
        for (const auto& t : *idg.m_pTexts)
            if (t->m_nKind == kind)
                return *t;
        ADD_FAILURE() << "no text of kind " << kind;
        static CCommentString none;
        return none;
    }
    void expectRatioText(const std::string& words, double share)
    {
        const CCommentString& t = textOfKind(text_kind::kMixingRatio);
        EXPECT_EQ(t.m_strText, words);
        EXPECT_NEAR(t.m_fValues[value_slot::kRatio], share, 2e-3);
    }
    static double rh(const CStatePoint& p) { return formulas::relativeHumidity(p.m_d, p.m_h); }
    static double capacity(double g, double h1, double h2)
    {
        return kRhoSummer * g * std::fabs(h1 - h2) / 3.6;
    }
    // ε of the segment N–O against the room's ε.
    void expectOnRatioLine(const CStatePoint& o, const CStatePoint& n, double ratio)
    {
        EXPECT_NEAR((o.m_h - n.m_h) / (o.m_d - n.m_d), ratio, std::fabs(ratio) * 0.01);
    }
    // m is the mixture of a and b with share r of b (by dry-air mass).
    static void expectMix(const CStatePoint& m, const CStatePoint& a, const CStatePoint& b, double r)
    {
        EXPECT_NEAR(m.m_d, (1 - r) * a.m_d + r * b.m_d, 2e-6);
        EXPECT_NEAR(m.m_h, (1 - r) * a.m_h + r * b.m_h, 0.02);
    }
};

std::string preheatText(double t)
{
    char text[64];
    std::snprintf(text, sizeof text, "预热后出风温度：%.1f℃", t);
    return text;
}

float word(const CServiceArea& r, int slot)
{
    return r.m_anaW[static_cast<std::size_t>(slot)].f;
}

TEST_F(AnalysesTest, PrimarySummerCasesMatchTheFormulas)
{
    struct Case {
        const char* label;
        int maxDifference;
        float fanRise, supplyDifference;
        bool hasL, hasP;
        std::vector<std::string> lines;
        std::vector<int> kinds;
    };
    const std::vector<std::string> mixLines{"W1-C", "N1-C", "O-N1"};
    const std::vector<Case> cases{
        {"a: maximum difference, fan rise", 1, 1.5f, 0, true, false, {"L-O", "C-L"}, {1, 2, 9, 9, 9, 5, 6}},
        {"b: maximum difference", 1, 0, 0, false, false, {"C-O"}, {1, 2, 9, 9, 9, 5, 6}},
        {"c: difference, fan rise",
         0,
         1.0f,
         8.0f,
         true,
         true,
         {"P-O", "L-P", "C-L"},
         {1, 2, 4, 9, 9, 9, 5, 6}},
        {"d: difference", 0, 0, 8.0f, true, false, {"L-O", "C-L"}, {1, 2, 4, 9, 9, 9, 5, 6}},
    };
    const double ratio = 10.0 / 1.2 * 3600.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        show(kConditionSummer);
        PrimaryParams p;
        p.maxDifference = c.maxDifference;
        p.fanRise = c.fanRise;
        p.supplyDifference = c.supplyDifference;
        p.dewPoint = 0.9f;
        std::string reason;
        ASSERT_EQ(RunPrimaryReturnAir(idg, p, reason), 1) << reason;
        const CStatePoint &w = named("W"), &n = named("N"), &o = named("O"), &cc = named("C");
        expectOnRatioLine(o, n, ratio);
        if (!c.maxDifference) {
            EXPECT_NEAR(n.m_t - o.m_t, c.supplyDifference, 0.01);
        }
        ASSERT_EQ(has("L"), c.hasL);
        ASSERT_EQ(has("P"), c.hasP);
        const CStatePoint& coil = c.hasL ? named("L") : o;
        EXPECT_NEAR(rh(coil), 0.9, 2e-3);
        if (c.hasL) {
            EXPECT_NEAR(coil.m_d, o.m_d, 1e-6);
        }
        if (c.maxDifference && c.hasL) {
            EXPECT_NEAR(o.m_t - coil.m_t, c.fanRise, 0.01);
        }
        if (c.hasP) {
            EXPECT_NEAR(named("P").m_t - coil.m_t, c.fanRise, 0.01);
            EXPECT_NEAR(named("P").m_d, coil.m_d, 1e-6);
        }
        const double g = 3.6 * 10000.0 / (kRhoSummer * (n.m_h - o.m_h));
        EXPECT_NEAR(word(room(), primary_slot::kSupplyVolume), g, g * 1e-3);
        const double r = 500.0 / g;
        EXPECT_NEAR(word(room(), primary_slot::kFreshRatio), r, 1e-4);
        expectMix(cc, n, w, r);
        EXPECT_NEAR(word(room(), primary_slot::kCooling), capacity(g, cc.m_h, coil.m_h), 10.0);
        const CStatePoint& reheatFrom = c.hasP ? named("P") : coil;
        EXPECT_NEAR(word(room(), primary_slot::kReheat), c.hasL ? capacity(g, o.m_h, reheatFrom.m_h) : 0.0,
                    10.0);
        std::vector<std::string> expectedLines = mixLines;
        expectedLines.insert(expectedLines.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lines(), expectedLines);
        EXPECT_EQ(kinds(), c.kinds);
        EXPECT_EQ(room().m_anaW[primary_slot::kMixing].i, cc.m_nId);
    }
}

TEST_F(AnalysesTest, PrimaryWinterModesMatchTheFormulas)
{
    struct Case {
        int preheatMode, humidifyMode;
    };
    for (const Case& c : {Case{kPreheatFirst, kHumidifyAdiabatic}, Case{kMixFirst, kHumidifySteam}}) {
        SCOPED_TRACE(c.preheatMode);
        show(kConditionSummer);
        PrimaryParams p;
        p.maxDifference = 0;
        p.supplyDifference = 8.0f;
        p.dewPoint = 0.9f;
        p.winter = 1;
        p.preheatMode = c.preheatMode;
        p.humidifyMode = c.humidifyMode;
        p.preheatDifference = 15.0f;
        std::string reason;
        ASSERT_EQ(RunPrimaryReturnAir(idg, p, reason), 1) << reason;
        const double g = word(room(), primary_slot::kSupplyVolume);
        show(kConditionWinter);
        const CStatePoint &w = named("W"), &n = named("N"), &o = named("O"), &cc = named("C"),
                          &m = named("M");
        expectOnRatioLine(o, n, -8.0 / 0.5 * 3600.0);
        EXPECT_NEAR(o.m_h - n.m_h, 3.6 * 8000.0 / (g * kRhoWinter), 0.01);
        const double rw = 400.0 / g;
        if (c.preheatMode == kPreheatFirst) {
            const CStatePoint& wp = named("W'");
            EXPECT_NEAR(wp.m_t - w.m_t, 15.0, 0.01);
            EXPECT_NEAR(wp.m_d, w.m_d, 1e-7);
            expectMix(cc, n, wp, rw);
            EXPECT_NEAR(word(room(), primary_slot::kPreheat), capacity(g * rw, wp.m_h, w.m_h), 5.0);
            EXPECT_EQ(room().m_anaW[primary_slot::kMixedBeforeHeating].i, -1);
            EXPECT_EQ(idg.m_pTexts->at(4)->m_strText, preheatText(wp.m_t));
        } else {
            const CStatePoint& cp = named("C'");
            expectMix(cp, n, w, rw);
            EXPECT_NEAR(cc.m_t - cp.m_t, 15.0, 0.01); // the larger of Δtp and Δtp·rw·…
            EXPECT_NEAR(cc.m_d, cp.m_d, 1e-7);
            EXPECT_NEAR(word(room(), primary_slot::kPreheat), capacity(g, cc.m_h, cp.m_h), 5.0);
            // The preheat outlet is the heated mixture C.
            EXPECT_EQ(idg.m_pTexts->at(4)->m_strText, preheatText(cc.m_t));
        }
        EXPECT_NEAR(m.m_d, cc.m_d, 1e-6);
        if (c.humidifyMode == kHumidifySteam)
            EXPECT_NEAR(m.m_t, o.m_t, 0.01);
        else
            EXPECT_NEAR(m.m_h, o.m_h, 0.01);
        EXPECT_NEAR(word(room(), primary_slot::kHeating), capacity(g, m.m_h, cc.m_h), 5.0);
        EXPECT_NEAR(word(room(), primary_slot::kHumidification), kRhoSummer * g * (o.m_d - m.m_d), 0.01);
        EXPECT_EQ(kinds(), (std::vector<int>{1, 3, 11, 8, -1, 9, 9, 9, 5, 6}));
        // Like its summer twin, the ε text carries the air volume in slot 0.
        EXPECT_NEAR(idg.m_pTexts->back()->m_fValues[value_slot::kAirVolume], g, 1e-3);
        // The summer results stand beside the winter ones.
        EXPECT_EQ(word(room(), primary_slot::kSupplyVolume), float(g));
    }
}

TEST_F(AnalysesTest, PrimaryRefusals)
{
    PrimaryParams p;
    std::string reason;
    room().m_fSummerFreshAir = 0;
    EXPECT_EQ(RunPrimaryReturnAir(idg, p, reason), 0);
    EXPECT_EQ(reason, "新风量为0，建议改正后重新分析");
    EXPECT_TRUE(has("O"));
    room().m_fSummerFreshAir = 500;
    p.maxDifference = 0;
    p.supplyDifference = 8;
    // A dew point so low that even the heated mixture, brought to O's
    // enthalpy, stays more humid than it.
    p.dewPoint = 0.15f;
    p.winter = 1;
    p.preheatMode = kMixFirst;
    p.humidifyMode = kHumidifyAdiabatic;
    p.preheatDifference = 0.5f;
    EXPECT_EQ(RunPrimaryReturnAir(idg, p, reason), 0);
    EXPECT_EQ(reason, "预热量不足,导致M点的相对湿度太高,请调整预热温差!");
}

TEST_F(AnalysesTest, SecondaryBalancesAndSearch)
{
    for (double fanRise : {0.0, 0.25, 1.0}) {
        SCOPED_TRACE(fanRise);
        show(kConditionSummer);
        SecondaryParams p;
        p.fanRise = fanRise;
        p.supplyDifference = 6.0;
        p.dewPointPercent = 90;
        p.preheatDifference = fanRise > 0.5 ? 0.0 : 10.0;
        p.humidifyMode = fanRise > 0.5 ? kHumidifySteam : kHumidifyAdiabatic;
        std::string reason;
        ASSERT_EQ(RunSecondaryReturnAir(idg, p, reason), 1) << reason;
        show(kConditionSummer);
        const CStatePoint &w = named("W"), &n = named("N"), &o = named("O"), &q = named("Q"), &c = named("C");
        EXPECT_NEAR(n.m_t - o.m_t, 6.0, 0.01);
        expectOnRatioLine(q, n, 30000.0);
        const CStatePoint& coil = fanRise > 0 ? named("L") : q;
        EXPECT_NEAR(rh(coil), 0.9, 2e-3);
        if (fanRise > 0) {
            EXPECT_LE(q.m_t - coil.m_t, fanRise + 1e-3);
            EXPECT_NEAR(coil.m_d, q.m_d, 1e-6);
            // Q's distance from N is Δtf − 0.1·k along the ε line.
            const double k = (fanRise - (q.m_t - n.m_t)) / 0.1;
            EXPECT_NEAR(k, std::round(k), 0.05);
        } else {
            EXPECT_THAT(lines(), ::testing::Contains("C-Q"));
        }
        const double g = 3.6 * 10000.0 / (kRhoSummer * (n.m_h - o.m_h));
        auto anaF = [&](int i) {
            CServiceArea::AnalysisWord wd{};
            wd.i = room().m_anaI[i];
            return double(wd.f);
        };
        EXPECT_NEAR(anaF(secondary_slot::kSupplyVolume), g, g * 1e-3);
        const double g2 = anaF(secondary_slot::kSecondVolume);
        // Q (G − G2) and N (G2) mix into O.
        EXPECT_NEAR(o.m_d * g, q.m_d * (g - g2) + n.m_d * g2, g * 2e-6);
        EXPECT_NEAR(o.m_h * g, q.m_h * (g - g2) + n.m_h * g2, g * 0.03);
        EXPECT_NEAR(anaF(secondary_slot::kFirstVolume), g - g2 - 500.0, 1.0);
        expectMix(c, n, w, 500.0 / (g - g2));
        EXPECT_NEAR(anaF(secondary_slot::kCooling), capacity(g - g2, c.m_h, coil.m_h), 10.0);

        show(kConditionWinter);
        const CStatePoint &ww = named("W"), &nw = named("N"), &ow = named("O"), &c1 = named("C1"),
                          &l = named("L"), &c2 = named("C2");
        const double gw = g2 + 400.0 + (g - g2 - 500.0);
        EXPECT_NEAR(room().m_anaD[secondary_slot::kWinterVolume], gw, 1.0);
        EXPECT_NEAR(ow.m_h - nw.m_h, 3.6 * 8000.0 / (gw * kRhoWinter), 0.01);
        const CStatePoint& wp = p.preheatDifference > 0 ? named("W'") : ww;
        EXPECT_EQ(has("W'"), p.preheatDifference > 0);
        EXPECT_NEAR(wp.m_t - ww.m_t, p.preheatDifference, 0.01);
        expectMix(c1, nw, wp, 400.0 / (400.0 + (g - g2 - 500.0)));
        if (p.humidifyMode == kHumidifySteam)
            EXPECT_NEAR(l.m_t, c1.m_t, 0.01);
        else
            EXPECT_NEAR(l.m_h, c1.m_h, 0.01);
        // L (Gw − G2) and N (G2) mix into C2 at O's moisture content.
        EXPECT_NEAR(c2.m_d, ow.m_d, 1e-6);
        EXPECT_NEAR(c2.m_d * gw, l.m_d * (gw - g2) + nw.m_d * g2, gw * 2e-6);
        EXPECT_NEAR(room().m_anaD[secondary_slot::kHumidification], kRhoSummer * (gw - g2) * (l.m_d - c1.m_d),
                    0.01);
        EXPECT_NEAR(room().m_anaD[secondary_slot::kHeating], capacity(gw, ow.m_h, c2.m_h), 5.0);
    }
}

// A cooling-only run leaves the heating view as the user left it.
TEST_F(AnalysesTest, SecondaryWithoutWinterLeavesTheHeatingView)
{
    show(kConditionWinter);
    ASSERT_TRUE(BindCurrentRoom(idg));
    AddProcessLine(idg, "X", 0, 1);
    show(kConditionSummer);
    SecondaryParams p;
    p.winter = 0;
    std::string reason;
    ASSERT_EQ(RunSecondaryReturnAir(idg, p, reason), 1) << reason;
    show(kConditionWinter);
    EXPECT_EQ(idg.m_pPoints->size(), 2u);
    ASSERT_EQ(idg.m_pProcessLines->size(), 1u);
    EXPECT_EQ(idg.m_pProcessLines->front()->m_strName, "X");
}

TEST_F(AnalysesTest, FanCoilModesMatchTheFormulas)
{
    struct Case {
        int mixMode;
        double fanRise;
        int winter, humidify;
    };
    for (const Case& c :
         {Case{kTreatThenMix, 1.0, 1, kHumidifyAdiabatic}, Case{kTreatThenMix, 0.0, 1, kHumidifySteam},
          Case{kMixThenTreat, 1.0, 1, kHumidifySteam}, Case{kMixThenTreat, 0.0, 0, 0}}) {
        SCOPED_TRACE(c.mixMode * 10 + c.fanRise);
        show(kConditionSummer);
        FanCoilParams p;
        p.mixMode = c.mixMode;
        p.fanRise = c.fanRise;
        p.maxDifference = 0;
        p.supplyDifference = 6.0;
        p.dewPointPercent = 90;
        p.winter = c.winter;
        p.humidifyMode = c.humidify;
        std::string message;
        ASSERT_TRUE(RunAnalysis(idg, p, message)) << message;
        // The run ends on the last view it made.
        EXPECT_EQ(room().m_nCondition, c.winter ? kConditionWinter : kConditionSummer);
        show(kConditionSummer);
        const CStatePoint &n = named("N"), &o = named("O"), &l = named("L");
        const CStatePoint& k = c.fanRise > 0 ? named("K") : l;
        EXPECT_EQ(has("K"), c.fanRise > 0);
        EXPECT_NEAR(k.m_h, n.m_h, 0.01);
        EXPECT_NEAR(rh(l), 0.9, 2e-3);
        EXPECT_NEAR(l.m_d, k.m_d, 1e-6);
        if (c.fanRise > 0) {
            EXPECT_LE(k.m_t - l.m_t, c.fanRise + 1e-3);
            const double steps = (k.m_d - n.m_d) / 1e-4;
            EXPECT_NEAR(steps, std::round(steps), 0.02);
        }
        EXPECT_NEAR(n.m_t - o.m_t, 6.0, 0.01);
        const double g = 3.6 * 10000.0 / (kRhoSummer * (n.m_h - o.m_h));
        EXPECT_NEAR(textOfKind(text_kind::kAirVolume).m_fValues[value_slot::kAirVolume], g, g * 1e-3);
        if (c.mixMode == kTreatThenMix) {
            const CStatePoint& d = named("D");
            expectMix(o, d, k, 500.0 / g);
            // The share of K, named last and in the value: the fresh-air share F/G.
            expectRatioText("混风比(D-O-" + k.m_strName + "): " + k.m_strName +
                                format("占%.0f%%", 500.0 / g * 100.0),
                            500.0 / g);
        } else {
            expectMix(named("C"), n, k, 500.0 / g);
        }
        if (!c.winter)
            continue;
        show(kConditionWinter);
        const CStatePoint &nw = named("N"), &ow = named("O"), &ww = named("W"), &q = named("Q"),
                          &kw = named("K");
        EXPECT_NEAR(ow.m_h - nw.m_h, 3.6 * 8000.0 / (g * kRhoWinter), 0.01);
        EXPECT_NEAR(q.m_d, ww.m_d, 1e-7);
        if (c.humidify == kHumidifySteam)
            EXPECT_NEAR(q.m_t, kw.m_t, 0.01);
        else
            EXPECT_NEAR(q.m_h, kw.m_h, 0.01);
        // The winter fresh air (400 m³/h) balances the mixture.
        // The winter ratio text is the share of the first-named point (D or N).
        if (c.mixMode == kTreatThenMix) {
            expectMix(ow, named("D"), kw, 400.0 / g);
            expectRatioText(format("混风比(K-O-D): D占%.0f%%", (1 - 400.0 / g) * 100.0), 1 - 400.0 / g);
        } else {
            expectMix(named("C"), nw, kw, 400.0 / g);
            expectRatioText(format("混风比(K-C-N): N占%.0f%%", (1 - 400.0 / g) * 100.0), 1 - 400.0 / g);
        }
    }
}

// Moving N moves K and O but not D: the rebuilt 混风比 is still the share of
// K, |h_D − h_O| / |h_D − h_K| from the moved states, never its complement.
TEST_F(AnalysesTest, FanCoilMixingRatioKeepsItsMeaningWhenRebuilt)
{
    idg.m_rebuildResultTexts = [this](int point) { RebuildResultTexts(idg, point); };
    show(kConditionSummer);
    FanCoilParams p;
    p.mixMode = kTreatThenMix;
    p.fanRise = 1.0;
    p.dewPointPercent = 90;
    std::string message;
    ASSERT_TRUE(RunAnalysis(idg, p, message)) << message;
    show(kConditionSummer);
    room().m_fSummerInT = 25.3f;
    ASSERT_TRUE(BindCurrentRoom(idg));
    const CStatePoint &d = named("D"), &o = named("O"), &k = named("K");
    const double share = std::fabs(d.m_h - o.m_h) / std::fabs(d.m_h - k.m_h);
    const CCommentString& ratio = textOfKind(text_kind::kMixingRatio);
    EXPECT_NEAR(ratio.m_fValues[value_slot::kRatio], share, 1e-4);
    EXPECT_EQ(ratio.m_strText, format("混风比(D-O-K): K占%.0f%%", share * 100.0));
    EXPECT_LT(share, 0.5); // 500 m³/h of fresh air in a supply several times larger
}

TEST_F(AnalysesTest, FreshAirUnitMatchesTheFormulas)
{
    for (int mode : {kHumidifyNone, kHumidifyAdiabatic, kHumidifySteam}) {
        SCOPED_TRACE(mode);
        show(kConditionWinter);
        AddProcessLine(idg, "kept", 0, 1);
        FreshAirParams p;
        p.dewPoint = 0.95f;
        p.heatTo = 15.0f;
        p.humidification = 1.0f;
        p.humidifyMode = mode;
        std::string message;
        ASSERT_TRUE(RunAnalysis(idg, p, message)) << message;
        show(kConditionSummer);
        const CStatePoint &w = named("W"), &n = named("N"), &l = named("L");
        EXPECT_NEAR(l.m_h, n.m_h, 0.01);
        EXPECT_NEAR(rh(l), 0.95, 2e-3);
        EXPECT_NEAR(word(room(), freshair_slot::kCooling), capacity(500.0, w.m_h, l.m_h), 5.0);
        EXPECT_NEAR(word(room(), freshair_slot::kEnthalpyDifference), l.m_h - w.m_h, 0.01);
        EXPECT_EQ(kinds(), (std::vector<int>{9, 9, 13, 7}));
        show(kConditionWinter);
        if (mode == kHumidifyNone) {
            EXPECT_EQ(lines(), std::vector<std::string>{"kept"});
            continue;
        }
        const CStatePoint &ww = named("W"), &wp = named("W'"), &m = named("M");
        EXPECT_NEAR(wp.m_t, 15.0, 0.01);
        EXPECT_NEAR(m.m_d - wp.m_d, 1.0 / (kRhoWinter * 400.0), 1e-6);
        if (mode == kHumidifySteam)
            EXPECT_NEAR(m.m_t, wp.m_t, 0.01);
        else
            EXPECT_NEAR(m.m_h, wp.m_h, 0.01);
        EXPECT_NEAR(word(room(), freshair_slot::kHeatingKw), capacity(400.0, wp.m_h, ww.m_h) * 0.001, 0.005);
        EXPECT_EQ(idg.m_pTexts->back()->m_strText, "空调加湿量(W'-M): 1.000kg/h");
    }
}

// The outdoor air through the exchanger: W1 = W + e·(N − W) in t (and x for
// total recovery), the coil's load from W1, and the heat recovered
// ρ·F·(h_W − h_W1)/3.6 in summer, ρ·F·(h_W1 − h_W)/3.6 in winter.
TEST_F(AnalysesTest, HeatRecoveryPutsW1BeforeTheFreshAirCoils)
{
    struct Case {
        bool fanCoil;
        int mode;
        float e;
    };
    for (const Case& c : {Case{false, kRecoveryTotal, 0.7f}, Case{false, kRecoverySensible, 0.6f},
                          Case{true, kRecoveryTotal, 0.7f}, Case{true, kRecoverySensible, 0.5f}}) {
        SCOPED_TRACE(std::to_string(c.fanCoil) + " " + std::to_string(c.mode));
        show(kConditionSummer);
        std::string message;
        if (c.fanCoil) {
            FanCoilParams p;
            p.fanRise = 0.0;
            p.winter = 1;
            p.recovery = {c.mode, c.e};
            ASSERT_TRUE(RunAnalysis(idg, p, message)) << message;
        } else {
            FreshAirParams p;
            p.heatTo = 18.0f;
            p.humidification = 1.0f;
            p.humidifyMode = kHumidifySteam;
            p.recovery = {c.mode, c.e};
            ASSERT_TRUE(RunAnalysis(idg, p, message)) << message;
        }
        EXPECT_EQ(room().m_recovery.mode, c.mode);
        EXPECT_EQ(room().m_recovery.effectiveness, c.e);
        for (const int condition : {int(kConditionSummer), int(kConditionWinter)}) {
            SCOPED_TRACE(condition);
            show(condition);
            const bool winter = condition == kConditionWinter;
            const double fresh = winter ? 400.0 : 500.0;
            const CStatePoint &w = named("W"), &n = named("N"), &w1 = named("W1");
            EXPECT_NEAR(w1.m_t, w.m_t + c.e * (n.m_t - w.m_t), 1e-3);
            EXPECT_NEAR(w1.m_d, c.mode == kRecoveryTotal ? w.m_d + c.e * (n.m_d - w.m_d) : w.m_d, 1e-6);
            EXPECT_NEAR(w1.m_h, formulas::enthalpy(w1.m_t, w1.m_d), 0.01);
            const double recovered = kRhoSummer * fresh * (winter ? w1.m_h - w.m_h : w.m_h - w1.m_h) / 3.6;
            const RoomHeatRecovery& stored = room().m_recovery;
            EXPECT_EQ(
                (*idg.m_pPoints)[std::size_t(winter ? stored.winterPoint : stored.summerPoint)]->m_strName,
                "W1");
            EXPECT_NEAR(winter ? stored.winterRecovered : stored.summerRecovered, recovered, 1.0);
            EXPECT_EQ(textOfKind(text_kind::kHeatRecovery).m_strText,
                      format("热回收量(W-W1): %.3fkW", recovered * 0.001));
            const std::vector<std::string> names = lines();
            EXPECT_THAT(names, testing::Contains("W-W1"));
            const std::string coil = c.fanCoil ? (winter ? "Q" : "L") : (winter ? "W'" : "L");
            EXPECT_THAT(names, testing::Contains("W1-" + coil));
            const CStatePoint& out = named(coil);
            if (winter) {
                EXPECT_NEAR(out.m_d, w1.m_d, 1e-6); // heated at W1's moisture
            }
            const double load = capacity(fresh, w1.m_h, out.m_h);
            if (!c.fanCoil && winter) {
                EXPECT_NEAR(word(room(), freshair_slot::kHeatingKw), load * 0.001, 0.005);
            } else if (!c.fanCoil) {
                EXPECT_NEAR(word(room(), freshair_slot::kCooling), load, 5.0);
            } else {
                EXPECT_THAT(idg.m_pTexts->at(idg.m_pTexts->size() - (winter ? 3 : 2))->m_strText,
                            testing::HasSubstr(format(("(W1-" + coil + "): %.3fkW").c_str(), load * 0.001)));
            }
        }
    }
    // An exchanger better than perfect is refused with its reason, nothing stored.
    FreshAirParams p;
    p.recovery = {kRecoveryTotal, 1.2f};
    std::string message;
    EXPECT_FALSE(RunAnalysis(idg, p, message));
    EXPECT_EQ(message, "计算错误，请检查输入数据!\n\n效率必须为0到1之间的数!");
}

TEST_F(AnalysesTest, FailureMessagesOfTheOkFlow)
{
    room().m_fSummerFreshAir = 0;
    std::string message;
    EXPECT_FALSE(RunAnalysis(idg, PrimaryParams{}, message));
    EXPECT_EQ(message, "计算错误，请检查输入数据!\n新风量为0，建议改正后重新分析");
    EXPECT_FALSE(RunAnalysis(idg, SecondaryParams{}, message));
    EXPECT_EQ(message, "计算错误，请检查输入数据!\n\n新风量为0，建议改正后重新分析");
    room().m_fSummerFreshAir = 500;
    room().m_fWinterFreshAir = 0;
    FreshAirParams fresh;
    fresh.humidifyMode = kHumidifySteam;
    EXPECT_FALSE(RunAnalysis(idg, fresh, message));
    EXPECT_EQ(message, "计算错误，请检查输入数据!");
}

TEST_F(AnalysesTest, PrimaryRerunFollowsChangedDesignData)
{
    show(kConditionNormal);
    PrimaryParams p;
    p.dewPoint = 0.9f;
    std::string message;
    ASSERT_TRUE(RunAnalysis(idg, p, message)) << message;
    // The normal view is none the run made: the window shows the cooling view.
    EXPECT_EQ(room().m_nCondition, kConditionSummer);
    const float before = word(room(), primary_slot::kSupplyVolume);
    room().m_fSummerLoad = 20.0f;
    room().m_fSummerMoistLoad = 2.4f;
    std::string reason;
    ASSERT_TRUE(RerunPrimaryAnalyses(idg, reason)) << reason;
    EXPECT_NEAR(word(room(), primary_slot::kSupplyVolume), 2 * before, before * 0.01);
    room().m_fSummerFreshAir = 0;
    EXPECT_FALSE(RerunPrimaryAnalyses(idg, reason));
    EXPECT_EQ(reason, "新风量为0，建议改正后重新分析");
    EXPECT_EQ(room().m_anaW[primary_slot::kSupply].i, -1);
}

} // namespace

namespace {

// The chart model knows where the analyses keep point indices: the summer
// O, C, L, P (words 3–6) and winter O, M, C, W', C' (26–30) of the primary
// analysis, the fresh-air unit's L (46), M (64) and W' (66), and the
// secondary analysis' indices (ints 5–8 summer, 13–18 winter).
TEST(AnalysisPointIndexSlots, AreRegisteredWithTheChartModel)
{
    const auto& registered = PointIndexSlots();
    const auto has = [&registered](PointIndexSlot::Store store, int slot, int condition) {
        for (const PointIndexSlot& s : registered)
            if (s.store == store && s.slot == slot && s.condition == condition)
                return true;
        return false;
    };
    struct Case {
        PointIndexSlot::Store store;
        int first, last, condition;
    };
    const Case cases[] = {
        {PointIndexSlot::kWord, 3, 6, kConditionSummer},   {PointIndexSlot::kWord, 26, 30, kConditionWinter},
        {PointIndexSlot::kWord, 46, 46, kConditionSummer}, {PointIndexSlot::kWord, 64, 64, kConditionWinter},
        {PointIndexSlot::kWord, 66, 66, kConditionWinter}, {PointIndexSlot::kInt, 5, 8, kConditionSummer},
        {PointIndexSlot::kInt, 13, 18, kConditionWinter},
    };
    std::size_t count = 0;
    for (const Case& c : cases)
        for (int slot = c.first; slot <= c.last; ++slot, ++count)
            EXPECT_TRUE(has(c.store, slot, c.condition)) << slot;
    EXPECT_EQ(registered.size(), count);
}

} // namespace
