#include <gtest/gtest.h>

#include <string>

#include "model/CIDG.h"
#include "model/CParamPoint.h"
#include "model/CStatePoint.h"
#include "psychro/QorvaDll.h"

namespace {

// Room state 25 °C, 50 % at 101325 Pa, from the library.
struct Reference {
    float p = 101325.0f, t = 25.0f, RH = 0.5f;
    float x = 0, h = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    Reference() { ptRH_all(p, t, RH, &x, &h, &tw, &td, &pq, &pqb, &v, &rho); }
};

TEST(ChartPointCompletion, XAndHWinEvenWhenTIsKnown)
{
    CIDG chart;
    const Reference r;
    CStatePoint point;
    point.m_d = r.x;
    point.m_h = r.h;
    point.m_t = 40.0f; // stale
    point.m_bKnownD = point.m_bKnownH = point.m_bKnownT = 1;
    ASSERT_EQ(chart.CalcStatePoint(point), 1);
    EXPECT_NEAR(point.m_t, r.t, 0.001);
    EXPECT_NEAR(point.m_tw, r.tw, 0.001);
    EXPECT_NEAR(point.m_RH, r.RH, 1e-5);
    EXPECT_TRUE(point.m_bKnownT && point.m_bKnownTw && point.m_bKnownD && point.m_bKnownH &&
                point.m_bKnownRH);
    EXPECT_TRUE(point.m_bMark1 && point.m_bMark2 && point.m_bMark3);
}

TEST(ChartPointCompletion, DialogPairsUseTheChartPressure)
{
    CIDG chart;
    CStatePoint atSeaLevel;
    atSeaLevel.m_t = 25.0f;
    atSeaLevel.m_RH = 0.5f;
    atSeaLevel.m_bKnownT = atSeaLevel.m_bKnownRH = 1;
    CStatePoint high = atSeaLevel;
    ASSERT_EQ(chart.CalcStatePoint(atSeaLevel), 1);
    chart.m_fSummerPressure = 80000.0f;
    ASSERT_EQ(chart.CalcStatePoint(high), 1);
    // The same RH holds more water per kg of dry air at lower pressure.
    EXPECT_NEAR(high.m_d / atSeaLevel.m_d, (101325.0 - 1584.6) / (80000.0 - 1584.6), 1e-4);

    // t with tw, and t with x, complete to the same state.
    CStatePoint fromWetBulb;
    fromWetBulb.m_t = 25.0f;
    fromWetBulb.m_tw = high.m_tw;
    fromWetBulb.m_bKnownT = fromWetBulb.m_bKnownTw = 1;
    ASSERT_EQ(chart.CalcStatePoint(fromWetBulb), 1);
    EXPECT_NEAR(fromWetBulb.m_d, high.m_d, 1e-6);
    CStatePoint fromMoisture;
    fromMoisture.m_t = 25.0f;
    fromMoisture.m_d = high.m_d;
    fromMoisture.m_bKnownT = fromMoisture.m_bKnownD = 1;
    ASSERT_EQ(chart.CalcStatePoint(fromMoisture), 1);
    EXPECT_NEAR(fromMoisture.m_RH, 0.5f, 1e-5);
}

TEST(ChartPointCompletion, OnlyTAndHIsNoChartPairButAParameterPair)
{
    CIDG chart;
    const Reference r;
    CStatePoint point;
    point.m_t = r.t;
    point.m_h = r.h;
    point.m_d = 0.5f; // whatever was there stays
    point.m_bKnownT = point.m_bKnownH = 1;
    EXPECT_EQ(chart.CalcStatePoint(point), 0);
    EXPECT_EQ(point.m_d, 0.5f);
    EXPECT_FALSE(point.m_bKnownD);
    EXPECT_FALSE(point.m_bMark1);

    CParamPoint param;
    param.m_p = r.p;
    param.m_t = r.t;
    param.m_h = r.h;
    param.m_bKnownT = param.m_bKnownH = 1;
    ASSERT_EQ(param.Calculate(), 1);
    EXPECT_NEAR(param.m_d, r.x, 1e-6);
    EXPECT_NEAR(param.m_tw, r.tw, 0.001);
}

TEST(ChartPointCompletion, WithoutTOrAPairItFails)
{
    CIDG chart;
    CStatePoint point;
    point.m_tw = 18.0f;
    point.m_RH = 0.5f;
    point.m_bKnownTw = point.m_bKnownRH = 1;
    EXPECT_EQ(chart.CalcStatePoint(point), 0);
    CStatePoint lonely;
    lonely.m_t = 20.0f;
    lonely.m_bKnownT = 1;
    EXPECT_EQ(chart.CalcStatePoint(lonely), 0);
    CStatePoint foggy;
    foggy.m_t = 20.0f;
    foggy.m_RH = 1.2f;
    foggy.m_bKnownT = foggy.m_bKnownRH = 1;
    EXPECT_EQ(chart.CalcStatePoint(foggy), 0);
    EXPECT_EQ(foggy.m_RH, 1.2f);
}

// Which known flags a parameter-point pair sets, and how its inputs are read
// from the reference.
struct ParamPair {
    const char* name;
    bool t, tw, x, h, rh, td;
};

TEST(ParamPointCompletion, EveryPairFillsEveryFieldOfTheSameState)
{
    const Reference r;
    const ParamPair pairs[] = {
        {"t RH", 1, 0, 0, 0, 1, 0},  {"t tw", 1, 1, 0, 0, 0, 0},  {"x h", 0, 0, 1, 1, 0, 0},
        {"t h", 1, 0, 0, 1, 0, 0},   {"x tw", 0, 1, 1, 0, 0, 0},  {"x RH", 0, 0, 1, 0, 1, 0},
        {"t x", 1, 0, 1, 0, 0, 0},   {"h RH", 0, 0, 0, 1, 1, 0},  {"h tw", 0, 1, 0, 1, 0, 0},
        {"tw RH", 0, 1, 0, 0, 1, 0}, {"t td", 1, 0, 0, 0, 0, 1},  {"RH td", 0, 0, 0, 0, 1, 1},
        {"h td", 0, 0, 0, 1, 0, 1},  {"tw td", 0, 1, 0, 0, 0, 1},
    };
    for (const ParamPair& pair : pairs) {
        CParamPoint point;
        point.m_p = r.p;
        // Given values where the flags say so, nonsense elsewhere: every field
        // the calculation must write is checked.
        point.m_t = pair.t ? r.t : -77.0f;
        point.m_tw = pair.tw ? r.tw : -77.0f;
        point.m_d = pair.x ? r.x : -77.0f;
        point.m_h = pair.h ? r.h : -77.0f;
        point.m_RH = pair.rh ? r.RH : -77.0f;
        point.m_td = pair.td ? r.td : -77.0f;
        point.m_pq = point.m_pqb = point.m_v = point.m_rho = -77.0f;
        point.m_bKnownT = pair.t;
        point.m_bKnownTw = pair.tw;
        point.m_bKnownD = pair.x;
        point.m_bKnownH = pair.h;
        point.m_bKnownRH = pair.rh;
        point.m_bKnownTd = pair.td;
        ASSERT_EQ(point.Calculate(), 1) << pair.name;
        EXPECT_NEAR(point.m_t, r.t, 0.001) << pair.name;
        EXPECT_NEAR(point.m_tw, r.tw, 0.001) << pair.name;
        EXPECT_NEAR(point.m_td, r.td, 0.001) << pair.name;
        EXPECT_NEAR(point.m_d, r.x, 1e-6) << pair.name;
        EXPECT_NEAR(point.m_h, r.h, 0.002) << pair.name;
        EXPECT_NEAR(point.m_RH, r.RH, 1e-4) << pair.name;
        EXPECT_NEAR(point.m_pq, r.pq, 0.05) << pair.name;
        EXPECT_NEAR(point.m_pqb, r.pqb, 0.05) << pair.name;
        EXPECT_NEAR(point.m_v, r.v, 1e-6) << pair.name;
        EXPECT_NEAR(point.m_rho, r.rho, 1e-6) << pair.name;
        EXPECT_EQ(point.m_p, r.p) << pair.name;
    }
}

TEST(ParamPointCompletion, DewPointStaysAsEntered)
{
    CParamPoint point;
    point.m_p = 101325.0f;
    point.m_t = 30.0f;
    point.m_td = 12.34f;
    point.m_bKnownT = point.m_bKnownTd = 1;
    ASSERT_EQ(point.Calculate(), 1);
    EXPECT_EQ(point.m_td, 12.34f);
    float e = 0;
    ASSERT_EQ(t_et(12.34f, &e), 1);
    EXPECT_NEAR(point.m_pq, e, 0.01);
    EXPECT_LT(point.m_tw, 30.0f);
    EXPECT_GT(point.m_tw, 12.34f);
}

TEST(ParamPointCompletion, MoistureWithDewPointHasNoCall)
{
    CParamPoint point;
    point.m_p = 101325.0f;
    point.m_d = 0.01f;
    point.m_td = 14.0f;
    point.m_t = 1.0f;
    point.m_bKnownD = point.m_bKnownTd = 1;
    EXPECT_EQ(point.Calculate(), 0);
    EXPECT_EQ(point.m_t, 1.0f);
}

TEST(ParamPointCompletion, TheFirstPairInOrderDecides)
{
    // t, RH and a contradictory tw: (t, RH) comes first, tw is recomputed.
    const Reference r;
    CParamPoint point;
    point.m_p = r.p;
    point.m_t = r.t;
    point.m_RH = r.RH;
    point.m_tw = 5.0f;
    point.m_bKnownT = point.m_bKnownRH = point.m_bKnownTw = 1;
    ASSERT_EQ(point.Calculate(), 1);
    EXPECT_NEAR(point.m_tw, r.tw, 0.001);
}

TEST(ParamPointCompletion, FailureChangesNothingAndUsesItsOwnPressure)
{
    CParamPoint point;
    point.m_p = 101325.0f;
    point.m_t = 20.0f;
    point.m_tw = 25.0f; // above the dry bulb
    point.m_d = 0.123f;
    point.m_bKnownT = point.m_bKnownTw = 1;
    EXPECT_EQ(point.Calculate(), 0);
    EXPECT_EQ(point.m_d, 0.123f);

    CParamPoint high;
    high.m_p = 70000.0f;
    high.m_t = 20.0f;
    high.m_RH = 0.5f;
    high.m_bKnownT = high.m_bKnownRH = 1;
    ASSERT_EQ(high.Calculate(), 1);
    EXPECT_NEAR(high.m_d, 0.62198 * high.m_pq / (70000.0 - high.m_pq), 1e-7);
}

} // namespace
