#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace {

using namespace formulas;
using ::testing::ElementsAre;
using State = std::pair<double, double>;

class Dependencies : public ModelFixture {};

TEST_F(Dependencies, EditingTheRatioOfATwoPointLineMovesEveryPointOnIt)
{
    const int a = addPoint("A", 25, 0.5), b = addPoint("B", 30, 0.45), c = addPoint("C", 22, 0.8);
    const int d = addPoint("D", 30, 0.3), spare = addPoint("S", 20, 0.5);
    addHhrLine("ε", spare, 5000.0f); // line 0 is the design line
    auto twoPoint = std::make_unique<CReShiBiXian>();
    twoPoint->m_strName = "AB";
    twoPoint->m_nId = 1;
    twoPoint->m_nPoint1 = a;
    twoPoint->m_nPoint2 = b;
    twoPoint->m_nMode = CReShiBiXian::kThroughTwoPoints;
    idg.m_pHhrLines->push_back(std::move(twoPoint));
    const int cd = addLine("CD", c, d);
    CStatePoint onLine, cross;
    onLine.m_strName = "P";
    cross.m_strName = "X";
    ASSERT_TRUE(idg.MakeLinePoint(4, 1, 4, 0, 0, 0, 0, 0, 0, 0.011f, onLine, 1, chart));
    ASSERT_TRUE(idg.MakeIntersection(2, cd, 1, cross, 1, chart));

    ASSERT_EQ(idg.EditHhrLine(1, "AB2", 12000.0f, chart), 1);
    const CReShiBiXian& line = *(*idg.m_pHhrLines)[1];
    EXPECT_EQ(line.m_nMode, CReShiBiXian::kThroughPointWithRatio);
    EXPECT_EQ(line.m_strName, "AB2");
    const auto [xA, hA] = state(a);
    EXPECT_STATE_NEAR(point(onLine.m_nId), (State{0.011, hA + (0.011 - xA) * 12000.0}));
    const State cdDirection{state(d).first - state(c).first, state(d).second - state(c).second};
    EXPECT_STATE_NEAR(point(cross.m_nId), crossing(state(c), cdDirection, state(a), {1, 12000}));

    const auto before = saved();
    EXPECT_EQ(idg.EditHhrLine(0, "ε", 1000.0f, chart), 0);
    EXPECT_EQ(idg.EditHhrLine(1, "ε", 1000.0f, chart), 0);
    EXPECT_EQ(saved(), before);
    EXPECT_THAT(messages.texts(), ElementsAre("该热湿比线为特殊热湿比线，不允许在此编辑修改",
                                              "过程线名无效或已经存在，请检查！"));
}

TEST_F(Dependencies, MovingABaseRecomputesTheWholeChain)
{
    // Equal enthalpy 5 K warmer, then a mixture of it with the base, then the
    // point at 12 g/kg on the line from the base to the mixture.
    const int o = addPoint("W", 34, 0.5), n = addPoint("N", 25, 0.5), base = addPoint("B", 25, 0.5);
    CStatePoint warm, on;
    warm.m_strName = "H";
    on.m_strName = "L";
    ASSERT_TRUE(idg.MakeLinePoint(2, base, 0, 5, 0, 0, 0, 0, 0, 0, warm, 1, chart));
    ASSERT_TRUE(idg.AddMixingPoint("M", base, warm.m_nId, 50, chart));
    const int mix = static_cast<int>(pointCount()) - 1;
    const int line = addLine("BM", base, mix);
    ASSERT_TRUE(idg.MakeLinePoint(3, line, 4, 0, 0, 0, 0, 0, 0, 0.012f, on, 1, chart));
    (void)o, (void)n;

    int rebuilt = 0;
    idg.m_rebuildResultTexts = [&](int) { ++rebuilt; };
    // The base moves to 30 °C / 60 %.
    auto moved = point(base);
    moved.m_d = static_cast<float>(moisture(30, 0.6));
    moved.m_h = static_cast<float>(enthalpy(30, moisture(30, 0.6)));
    ASSERT_TRUE(idg.CalcStatePoint(moved));
    point(base) = moved;
    ASSERT_EQ(idg.RecomputeDependants(base, chart), 1);

    const auto [x0, h0] = state(base);
    const double t0 = dryBulb(x0, h0);
    const State hot{(h0 - 1.01 * (t0 + 5)) / (2500 + 1.85 * (t0 + 5)), h0};
    EXPECT_STATE_NEAR(point(warm.m_nId), hot);
    const State mixed{0.5 * (x0 + hot.first), 0.5 * (h0 + hot.second)};
    EXPECT_STATE_NEAR(point(mix), mixed);
    const double s = (0.012 - x0) / (mixed.first - x0);
    EXPECT_STATE_NEAR(point(on.m_nId), (State{0.012, h0 + s * (mixed.second - h0)}));
    EXPECT_EQ(rebuilt, 0); // no text reports on them
}

TEST_F(Dependencies, EditsRefusedForNamesOrSpecialPointsChangeNothing)
{
    const int o = addPoint("W", 34, 0.5), n = addPoint("N", 25, 0.5);
    ASSERT_TRUE(idg.AddMixingPoint("M", o, n, 40, chart));
    const int mix = static_cast<int>(pointCount()) - 1;
    const auto before = saved();
    EXPECT_EQ(idg.EditIndependentPoint(0, "W", 30, 0.5f, true, chart), 0);
    EXPECT_EQ(idg.EditMixingPoint(mix, "N", 40, false, chart), 0);
    EXPECT_EQ(idg.EditMixingPoint(mix, "M", 140, false, chart), 0);
    EXPECT_EQ(idg.EditIntersection(mix, "W", true), 0);
    EXPECT_EQ(saved(), before);
    EXPECT_THAT(messages.texts(),
                ElementsAre("该点为特殊点，不允许在此编辑修改", "混合点名称非法或已经存在，请检查！",
                            "混风比必须为0到100之间的数(%)!"));

    ASSERT_EQ(idg.EditMixingPoint(mix, "M2", 20, true, chart), 1);
    EXPECT_EQ(point(mix).m_strName, "M2");
    EXPECT_EQ(point(mix).m_nKind, CStatePoint::kIndependent);
    EXPECT_STATE_NEAR(point(mix), (State{0.8 * state(o).first + 0.2 * state(n).first,
                                         0.8 * state(o).second + 0.2 * state(n).second}));
}

} // namespace
