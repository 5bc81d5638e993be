#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "ModelFixture.h"

namespace {

using namespace formulas;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;
using State = std::pair<double, double>;

// Base B 25 °C / 50 %, process line BE to E 35 °C / 40 %, ε line through B
// with ε = 10000 kJ/kg.
class DerivedPoints : public ModelFixture {
protected:
    int b = -1, e = -1, lineBE = -1, hhrB = -1;
    double xB = 0, hB = 0, tB = 0, xE = 0, hE = 0;
    static constexpr double kRatio = 10000.0;

    void SetUp() override
    {
        ModelFixture::SetUp();
        b = addPoint("B", 25.0, 0.5);
        e = addPoint("E", 35.0, 0.4);
        lineBE = addLine("BE", b, e);
        hhrB = addHhrLine("εB", b, static_cast<float>(kRatio));
        std::tie(xB, hB) = state(b);
        std::tie(xE, hE) = state(e);
        tB = dryBulb(xB, hB);
    }
};

TEST_F(DerivedPoints, EachLineMethodAndOfferedValueKindMatchesTheFormulas)
{
    const auto onLine = [this](double s) { return State{xB + s * (xE - xB), hB + s * (hE - hB)}; };
    const auto onRatio = [this](double h) { return State{xB + (h - hB) / kRatio, h}; };
    const auto atEqualT = [this](double x) { return State{x, enthalpy(tB, x)}; };
    const auto atEqualH = [this](double t) { return State{(hB - 1.01 * t) / (2500.0 + 1.85 * t), hB}; };
    struct Case {
        int method;
        int valueKind;
        float value;
        std::function<State()> expected;
    };
    const Case cases[] = {
        {0, 0, -5.0f,
         [&] {
             return State{xB, enthalpy(tB - 5.0, xB)};
         }},
        {0, 2, 30.0f,
         [&] {
             return State{xB, enthalpy(30.0, xB)};
         }},
        {0, 3, 0.8f,
         [&] {
             const double t =
                 solve([&](double t) { return relativeHumidity(xB, enthalpy(t, xB)) - 0.8; }, 14, 25);
             return State{xB, enthalpy(t, xB)};
         }},
        {0, 5, 15.0f,
         [&] {
             return State{xB, wetBulbLineEnthalpy(15.0, xB)};
         }},
        {0, 6, 45.0f,
         [&] {
             return State{xB, 45.0};
         }},
        {1, 1, 0.002f, [&] { return atEqualT(xB + 0.002); }},
        {1, 3, 0.7f, [&] { return atEqualT(moisture(tB, 0.7)); }},
        {1, 4, 0.012f, [&] { return atEqualT(0.012); }},
        {1, 5, 20.0f,
         [&] {
             return atEqualT(
                 solve([&](double x) { return enthalpy(tB, x) - wetBulbLineEnthalpy(20.0, x); }, 0, 0.02));
         }},
        {1, 6, 60.0f, [&] { return atEqualT((60.0 - 1.01 * tB) / (2500.0 + 1.85 * tB)); }},
        {2, 0, 5.0f, [&] { return atEqualH(tB + 5.0); }},
        {2, 1, -0.002f,
         [&] {
             return State{xB - 0.002, hB};
         }},
        {2, 2, 20.0f, [&] { return atEqualH(20.0); }},
        {2, 3, 0.9f,
         [&] {
             return atEqualH(
                 solve([&](double t) { return relativeHumidity(atEqualH(t).first, hB) - 0.9; }, 10, 25));
         }},
        {2, 4, 0.012f,
         [&] {
             return State{0.012, hB};
         }},
        {2, 5, 18.0f,
         [&] {
             const double xs = moisture(18.0, 1.0);
             return State{xs - (enthalpy(18.0, xs) - hB) / (4.1868 * 18.0), hB};
         }},
        {3, 0, 5.0f,
         [&] {
             return onLine(solve(
                 [&](double s) { return dryBulb(onLine(s).first, onLine(s).second) - tB - 5; }, 0, 1.5));
         }},
        {3, 1, 0.001f, [&] { return onLine(0.001 / (xE - xB)); }},
        {3, 2, 30.0f,
         [&] {
             return onLine(
                 solve([&](double s) { return dryBulb(onLine(s).first, onLine(s).second) - 30; }, 0, 1.5));
         }},
        {3, 3, 0.45f,
         [&] {
             return onLine(solve(
                 [&](double s) { return relativeHumidity(onLine(s).first, onLine(s).second) - 0.45; }, 0, 1));
         }},
        {3, 4, 0.011f, [&] { return onLine((0.011 - xB) / (xE - xB)); }},
        {3, 5, 22.0f,
         [&] {
             return onLine(
                 solve([&](double s) { return wetBulb(onLine(s).first, onLine(s).second) - 22; }, 0, 1.5));
         }},
        {3, 6, 60.0f, [&] { return onLine((60.0 - hB) / (hE - hB)); }},
        {4, 0, 5.0f,
         [&] {
             return onRatio(
                 solve([&](double h) { return dryBulb(onRatio(h).first, h) - tB - 5; }, hB, hB + 40));
         }},
        {4, 1, 0.001f, [&] { return onRatio(hB + 0.001 * kRatio); }},
        {4, 2, 30.0f,
         [&] {
             return onRatio(solve([&](double h) { return dryBulb(onRatio(h).first, h) - 30; }, hB, hB + 40));
         }},
        {4, 3, 0.45f,
         [&] {
             return onRatio(
                 solve([&](double h) { return relativeHumidity(onRatio(h).first, h) - 0.45; }, hB, hB + 10));
         }},
        {4, 4, 0.011f, [&] { return onRatio(hB + (0.011 - xB) * kRatio); }},
        {4, 5, 20.0f,
         [&] {
             return onRatio(solve([&](double h) { return wetBulb(onRatio(h).first, h) - 20; }, hB, hB + 20));
         }},
        {4, 6, 60.0f, [&] { return onRatio(60.0); }},
    };
    const int bases[] = {b, b, b, lineBE, hhrB};
    const int kinds[] = {CStatePoint::kEqualMoisture, CStatePoint::kEqualTemperature,
                         CStatePoint::kEqualEnthalpy, CStatePoint::kOnProcessLine, CStatePoint::kOnHhrLine};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << c.method << " value kind " << c.valueKind);
        CStatePoint p;
        p.m_strName = "P" + std::to_string(n++);
        const float v = c.value;
        ASSERT_EQ(idg.MakeLinePoint(c.method, bases[c.method], c.valueKind, v, v, v, v, v, v, v, p, 1, chart),
                  1);
        const CStatePoint& made = point(static_cast<int>(pointCount()) - 1);
        EXPECT_STATE_NEAR(made, c.expected());
        EXPECT_EQ(made.m_nKind, kinds[c.method]);
        EXPECT_EQ(made.m_nId, static_cast<int>(pointCount()) - 1);
        EXPECT_EQ(made.m_nValueKind, c.valueKind);
        EXPECT_FLOAT_EQ(made.m_fValue, c.value);
    }
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DerivedPoints, KindsAMethodDoesNotOfferAndBadNamesAreRefusedWithNothingAdded)
{
    struct Case {
        int method;
        int valueKind;
        const char* name;
    };
    for (const Case c : {Case{0, 1, "P"}, Case{0, 4, "P"}, Case{1, 0, "P"}, Case{1, 2, "P"}, Case{2, 6, "P"},
                         Case{0, 2, "B"}, Case{0, 2, ""}}) {
        const auto before = saved();
        CStatePoint p;
        p.m_strName = c.name;
        EXPECT_EQ(
            idg.MakeLinePoint(c.method, b, c.valueKind, 1, 0.001f, 30, 20, 0.5f, 50, 0.01f, p, 1, chart), 0);
        EXPECT_EQ(saved(), before);
    }
    EXPECT_THAT(messages.texts(), ElementsAre("等值点命名无效，请检查!", "等值点命名无效，请检查!"));
}

TEST_F(DerivedPoints, TheNoteDescribesBaseMethodNameAndValue)
{
    CStatePoint p;
    p.m_strName = "O";
    ASSERT_TRUE(idg.MakeLinePoint(0, b, 0, -5, 0, 0, 0, 0, 0, 0, p, 1, chart));
    EXPECT_THAT(idg.m_strLastNote, StartsWith("计算过程：依据点(B点  GT:25.0℃"));
    EXPECT_THAT(idg.m_strLastNote, EndsWith(")通过等含湿量方法计算O点（温差：-5.00）"));
    p.m_strName = "Q";
    ASSERT_TRUE(idg.MakeLinePoint(3, lineBE, 3, 0, 0, 0, 0, 0.45f, 0, 0, p, 1, chart));
    EXPECT_THAT(idg.m_strLastNote, StartsWith("计算过程：依据过程线(过程线：BE 起始点：B点 "));
    EXPECT_THAT(idg.m_strLastNote, EndsWith(")通过过程线方法计算Q点（相对湿度：0.45）"));
}

TEST_F(DerivedPoints, EachIntersectionTypeMatchesTheLineAlgebra)
{
    const int a = addPoint("A", 20, 0.5), c = addPoint("C", 22, 0.8), d = addPoint("D", 30, 0.3);
    const int cd = addLine("CD", c, d);
    const int hhrC = addHhrLine("εC", c, -2000.0f), hhrA = addHhrLine("εA", a, 20000.0f);
    const int ab = addLine("AB", a, addPoint("B2", 32, 0.4));
    const auto direction = [this](int from, int to) {
        return State{state(to).first - state(from).first, state(to).second - state(from).second};
    };
    const int b2 = static_cast<int>(pointCount()) - 1;
    struct Case {
        int type;
        int line1;
        int line2;
        int kind;
        State expected;
    };
    const Case cases[] = {
        {0, ab, cd, CStatePoint::kProcessCrossProcess,
         crossing(state(a), direction(a, b2), state(c), direction(c, d))},
        {1, hhrC, hhrA, CStatePoint::kHhrCrossHhr, crossing(state(c), {1, -2000}, state(a), {1, 20000})},
        {2, cd, hhrA, CStatePoint::kProcessCrossHhr,
         crossing(state(c), direction(c, d), state(a), {1, 20000})},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.type);
        CStatePoint p;
        p.m_strName = "X" + std::to_string(k.type);
        ASSERT_EQ(idg.MakeIntersection(k.type, k.line1, k.line2, p, 1, chart), 1);
        const CStatePoint& made = point(static_cast<int>(pointCount()) - 1);
        EXPECT_STATE_NEAR(made, k.expected);
        EXPECT_EQ(made.m_nKind, k.kind);
    }
    EXPECT_EQ(point(static_cast<int>(pointCount()) - 3).m_nCrossProc1, ab);
    EXPECT_EQ(point(static_cast<int>(pointCount()) - 2).m_nCrossHhr2, hhrA);
    EXPECT_EQ(point(static_cast<int>(pointCount()) - 1).m_nCrossProc, cd);
}

TEST_F(DerivedPoints, MixingAtEqualEnthalpyIsProportionalAndThePercentIsTheSecondShare)
{
    const int m1 = addPoint("M1", 25, 0.5);
    auto& second = point(addPoint("M2", 20, 0.5));
    second.m_d = 0.012f;
    second.m_h = point(m1).m_h;
    point(m1).m_d = 0.008f;
    CStatePoint mix;
    ASSERT_TRUE(idg.MakeMixingPoint(m1, second.m_nId, 0.5f, mix, 1, chart));
    EXPECT_FLOAT_EQ(mix.m_d, 0.010f);
    EXPECT_EQ(mix.m_h, point(m1).m_h);

    ASSERT_TRUE(idg.AddMixingPoint("C", b, e, 30.0f, chart));
    const CStatePoint& c = point(static_cast<int>(pointCount()) - 1);
    EXPECT_EQ(c.m_fMixRatio, 0.30f);
    EXPECT_EQ(c.m_nKind, CStatePoint::kMixing);
    EXPECT_STATE_NEAR(c, (State{0.7 * xB + 0.3 * xE, 0.7 * hB + 0.3 * hE}));

    const auto before = saved();
    EXPECT_FALSE(idg.AddMixingPoint("C2", b, -1, 30.0f, chart));
    EXPECT_FALSE(idg.AddMixingPoint("C", b, e, 30.0f, chart));
    EXPECT_FALSE(idg.AddMixingPoint("C3", b, e, 130.0f, chart));
    EXPECT_EQ(saved(), before);
    EXPECT_THAT(messages.texts(),
                ElementsAre("参数无效，请检查!", "状态点名非法或者已经存在，请检查！",
                            "混风比必须为0到100之间的数(%)!")); // a missing point, a taken name, 130 %
}

TEST_F(DerivedPoints, NamesAreFreeForThemselvesOnly)
{
    CStatePoint fresh;
    CReShiBiXian freshLine;
    struct Case {
        const CStatePoint* point;
        const char* name;
        int free;
    };
    for (const Case c : {Case{&point(b), "B", 1}, Case{&point(b), "E", 0}, Case{&fresh, "B", 0},
                         Case{&fresh, "New", 1}, Case{&fresh, "", 0}})
        EXPECT_EQ(idg.IsPointNameFree(*c.point, c.name), c.free) << c.name;
    const CReShiBiXian& own = *(*idg.m_pHhrLines)[0];
    EXPECT_EQ(idg.IsHhrLineNameFree(own, "εB"), 1);
    EXPECT_EQ(idg.IsHhrLineNameFree(freshLine, "εB"), 0);
    EXPECT_EQ(idg.IsHhrLineNameFree(freshLine, ""), 0);
    EXPECT_EQ(idg.IsHhrLineNameFree(freshLine, "ε2"), 1);
}

TEST_F(DerivedPoints, RelatedPairLiesOnTheRatioLineWithTheGivenDifferences)
{
    // Point 1 on the ε line, point 2 at its moisture and 8 K cooler with RH 90 %.
    const auto pointOne = [this](double h) { return State{xB + (h - hB) / kRatio, h}; };
    const auto rhOfTwo = [&](double h) {
        const State one = pointOne(h);
        return relativeHumidity(one.first, enthalpy(dryBulb(one.first, one.second) - 8.0, one.first)) - 0.9;
    };
    const double h1 = solve(rhOfTwo, hB - 20, hB + 20);
    const State one = pointOne(h1);
    const State two{one.first, enthalpy(dryBulb(one.first, one.second) - 8.0, one.first)};

    CStatePoint p1, p2;
    p1.m_strName = "O";
    p2.m_strName = "L";
    ASSERT_TRUE(idg.MakeRelatedPoints(hhrB, 0, 1, 8.0f, 0, 0, 0, 0.9f, 0, 0, p1, p2, 1, chart));
    EXPECT_STATE_NEAR(point(p1.m_nId), one);
    EXPECT_STATE_NEAR(point(p2.m_nId), two);
    EXPECT_EQ(point(p1.m_nId).m_nRelPartner, p2.m_nId);
    EXPECT_EQ(point(p2.m_nId).m_nRelPartner, p1.m_nId);
    EXPECT_EQ(point(p2.m_nId).m_nKind, CStatePoint::kRelatedPair);
}

} // namespace
