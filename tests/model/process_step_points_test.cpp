#include <gmock/gmock.h>

#include <functional>

#include "ModelFixture.h"

// Heat-recovery and evaporative points against the chart's constructions
// worked out with the formulas of ChartFormulas.h, when made and again after
// their entering air has moved.

namespace {

using ::testing::ElementsAre;
using namespace formulas;

struct Air {
    double t, rh;
    double x() const { return moisture(t, rh); }
    double tw() const { return wetBulb(x(), enthalpy(t, x())); }
};

// Where the leaving air must be: its dry bulb and moisture content, and for
// a direct cooler the wet bulb it keeps (NaN: not checked).
struct Leaving {
    double t, x, tw;
};

struct Case {
    const char* name;
    int kind;
    int type;
    float e;
    Air entering;
    Air movedTo; // the entering air after the edit
    Air exhaust;
    std::function<Leaving(const Air& w, const Air& n, double e)> expected;
};

constexpr double kUnchecked = -1000.0;

class ProcessStepPoints : public ModelFixture {
protected:
    // The outdoor and indoor design points, which the edits leave alone.
    void addDesignPoints()
    {
        addPoint("O", 30, 0.5);
        addPoint("I", 25, 0.5);
    }
};

TEST_F(ProcessStepPoints, LeavingAirFollowsItsConstructionAndItsSources)
{
    const Air dry{35.0, 0.15}, drier{38.0, 0.10}, summer{34.0, 0.50}, hotter{36.0, 0.40};
    const Air exhaust{26.0, 0.55};
    const Case cases[] = {
        {"total recovery", CStatePoint::kHeatRecovery, CStatePoint::kRecoveryTotal, 0.6f, summer, hotter,
         exhaust,
         [](const Air& w, const Air& n, double e) {
             return Leaving{w.t + e * (n.t - w.t), w.x() + e * (n.x() - w.x()), kUnchecked};
         }},
        {"sensible recovery", CStatePoint::kHeatRecovery, CStatePoint::kRecoverySensible, 0.7f, summer,
         hotter, exhaust,
         [](const Air& w, const Air& n, double e) {
             return Leaving{w.t + e * (n.t - w.t), w.x(), kUnchecked};
         }},
        {"direct evaporative", CStatePoint::kEvaporative, CStatePoint::kEvaporativeDirect, 0.8f, dry, drier,
         exhaust,
         [](const Air& w, const Air&, double e) {
             const double tw = w.tw(), t = w.t - e * (w.t - tw);
             // On the wet-bulb line: h = L(tw, 0) + 4.1868·tw·x = 1.01·t + x·(2500 + 1.85·t).
             const double x = (wetBulbLineEnthalpy(tw, 0.0) - 1.01 * t) / (2500.0 + 1.85 * t - 4.1868 * tw);
             return Leaving{t, x, tw};
         }},
        {"indirect evaporative", CStatePoint::kEvaporative, CStatePoint::kEvaporativeIndirect, 0.8f, dry,
         drier, exhaust,
         [](const Air& w, const Air&, double e) {
             return Leaving{w.t - e * (w.t - w.tw()), w.x(), kUnchecked};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        idg.m_pPoints->clear();
        addDesignPoints();
        const int w = addPoint("W", c.entering.t, c.entering.rh);
        const int n = addPoint("N", c.exhaust.t, c.exhaust.rh);
        ASSERT_EQ(idg.AddProcessStepPoint(c.kind, "P", w, n, c.type, c.e, chart), 1);
        const int p = static_cast<int>(pointCount()) - 1;
        EXPECT_EQ(point(p).m_nKind, c.kind);
        EXPECT_EQ(point(p).m_nId, p);
        EXPECT_EQ(point(p).m_nStepSrc1, w);
        EXPECT_EQ(point(p).m_nStepSrc2, c.kind == CStatePoint::kHeatRecovery ? n : -1);
        auto check = [&](const Air& now) {
            const Leaving expected = c.expected(now, c.exhaust, c.e);
            EXPECT_NEAR(point(p).m_t, expected.t, 0.02);
            EXPECT_NEAR(point(p).m_d, expected.x, 3e-6);
            if (expected.tw != kUnchecked) {
                EXPECT_NEAR(point(p).m_tw, expected.tw, 0.02);
            }
        };
        check(c.entering);
        ASSERT_EQ(idg.EditIndependentPoint(w, "W", static_cast<float>(c.movedTo.t),
                                           static_cast<float>(c.movedTo.rh), true, chart),
                  1);
        check(c.movedTo);
    }
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ProcessStepPoints, RefusalsChangeNothingAndSourcesStayUntilTheirPointIsIndependent)
{
    addDesignPoints();
    const int w = addPoint("W", 35, 0.15), n = addPoint("N", 26, 0.55);
    ASSERT_EQ(idg.AddProcessStepPoint(CStatePoint::kHeatRecovery, "HR1", w, n, 0, 0.6f, chart), 1);
    ASSERT_EQ(idg.AddProcessStepPoint(CStatePoint::kEvaporative, "EC1", w, -1, 1, 0.8f, chart), 1);
    const int recovered = 4, cooled = 5;
    const auto before = saved();
    EXPECT_EQ(idg.AddProcessStepPoint(CStatePoint::kEvaporative, "EC2", w, -1, 0, 1.5f, chart), 0);
    EXPECT_EQ(idg.AddProcessStepPoint(CStatePoint::kHeatRecovery, "HR1", w, n, 0, 0.5f, chart), 0);
    EXPECT_EQ(idg.AddProcessStepPoint(CStatePoint::kHeatRecovery, "HR2", w, w, 0, 0.5f, chart), 0);
    EXPECT_EQ(idg.EditProcessStepPoint(cooled, "EC1", 1, -0.1f, false, chart), 0);
    EXPECT_EQ(idg.DeleteObject(CIDG::kClassPoint, w), 0);
    EXPECT_EQ(saved(), before);
    EXPECT_THAT(
        messages.texts(),
        ElementsAre("效率必须为0到1之间的数!", "状态点名非法或者已经存在，请检查！",
                    "两个参考点不能相同，请修改！", "效率必须为0到1之间的数!",
                    "该状态点对热回收点HR1具有制约性,请首先删除该热回收点或者将该热回收点转化为独立状态点"));

    // Converted, the recovery point keeps its state and frees its sources;
    // the cooler then holds the entering air alone.
    const CStatePoint kept = point(recovered);
    ASSERT_EQ(idg.EditProcessStepPoint(recovered, "HR1", 0, 0.6f, true, chart), 1);
    EXPECT_EQ(point(recovered).m_nKind, CStatePoint::kIndependent);
    EXPECT_EQ(point(recovered).m_nStepSrc1, -1);
    EXPECT_EQ(point(recovered).m_t, kept.m_t);
    EXPECT_EQ(idg.DeleteObject(CIDG::kClassPoint, w), 0);
    EXPECT_EQ(messages.texts().back(), "该状态点对蒸发冷却点EC1具有制约性,"
                                       "请首先删除该蒸发冷却点或者将该蒸发冷却点转化为独立状态点");
}

} // namespace
