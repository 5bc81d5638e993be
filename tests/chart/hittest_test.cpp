#include <gtest/gtest.h>

#include "chart/ChartFixture.h"
#include "chart/ObjectGeometry.h"

namespace {

TEST_F(ChartFixture, NothingToPickOnAnEmptyChart)
{
    draw();
    EXPECT_EQ(chart.PickObject(500, 500), PickResult{});
    EXPECT_EQ(chart.NearestPoint(500, 500), -1);
    idg.m_pPoints = nullptr;
    idg.m_pProcessLines = nullptr;
    idg.m_pHhrLines = nullptr;
    idg.m_pTexts = nullptr;
    EXPECT_EQ(chart.PickObject(500, 500), PickResult{});
    EXPECT_EQ(chart.NearestPoint(500, 500), -1);
}

TEST_F(ChartFixture, PointsArePickedWithinTwoMillimetres)
{
    addPointAt("A", 400, 400);
    addPointAt("B", 430, 400);
    draw();
    EXPECT_EQ(chart.PickObject(405, 400), (PickResult{0, 0}));
    EXPECT_EQ(chart.PickObject(426, 404), (PickResult{1, 0}));
    // Equally near both: the later point.
    EXPECT_EQ(chart.PickObject(415, 400), (PickResult{1, 0}));
    // 2 mm are 18 pixels on a 1920-pixel screen; the distance must be below that.
    EXPECT_EQ(chart.PickObject(400, 418), PickResult{});
    EXPECT_EQ(chart.PickObject(400, 417), (PickResult{0, 0}));
}

TEST_F(ChartFixture, NearestPointComparesTheSquaredDistanceWithRadiusTimesScale)
{
    addPointAt("A", 400, 400);
    // Radius 2 × 9 pixels per mm = 18 > d²: within 4 pixels.
    EXPECT_EQ(chart.NearestPoint(404, 400), 0);
    EXPECT_EQ(chart.NearestPoint(403, 403), -1);
    EXPECT_EQ(chart.NearestPoint(405, 400), -1);
    idg.m_nPointRadius = 4;
    EXPECT_EQ(chart.NearestPoint(405, 400), 0);
    EXPECT_EQ(chart.NearestPoint(406, 400), -1);
}

TEST_F(ChartFixture, ProcessLinesAgainstHhrLines)
{
    const int a = addPointAt("A", 300, 300);
    const int b = addPointAt("B", 900, 300);
    addProcessLine("A-B", a, b);
    // A line of constant enthalpy through a point below, crossing the chart obliquely.
    const int n = addPointAt("N", 600, 600);
    addHhrLine("ε", n, 0.0f);
    draw();
    const CanvasPoint base = chart.PointPosition(*points[static_cast<std::size_t>(n)]);
    // Far from the points: on the process line 10 pixels off.
    EXPECT_EQ(chart.PickObject(450, 310), (PickResult{0, 1}));
    // Beside the ε line (constant enthalpy: k pixels down per column), far
    // from the process line.
    const int X = base.x - 100;
    const int Y = base.y - static_cast<int>(100 * layout().m_fSlope + 0.5);
    EXPECT_EQ(chart.PickObject(X, Y + 3), (PickResult{0, 2}));
    // More than 6 mm (54 pixels) from every line and point.
    EXPECT_EQ(chart.PickObject(450, 380), PickResult{});
    // Beyond the segment's end the distance is to the nearer end.
    EXPECT_EQ(chart.PickObject(960, 300), PickResult{});
    EXPECT_EQ(chart.PickObject(940, 300), (PickResult{0, 1}));
}

TEST_F(ChartFixture, TheNearerOfTwoLinesIsPicked)
{
    const int a = addPointAt("A", 300, 400);
    const int b = addPointAt("B", 1100, 400);
    addProcessLine("A-B", a, b);
    // The constant-enthalpy ε line through N falls k pixels per column and
    // crosses the process line a little left of N.
    const int n = addPointAt("N", 800, 410);
    addHhrLine("ε", n, 0.0f);
    draw();
    const int X = 700;
    const int onHhr = 410 - static_cast<int>(100 * layout().m_fSlope + 0.5);
    ASSERT_GT(400 - onHhr, 40);
    EXPECT_EQ(chart.PickObject(X, onHhr + 15), (PickResult{0, 2}));
    EXPECT_EQ(chart.PickObject(X, 400 - 15), (PickResult{0, 1}));
}

TEST_F(ChartFixture, TextsArePickedWhereTheyWereDrawn)
{
    addText("送风量：1200m^3/h");
    addText("冷量：5.000kW");
    draw();
    const CanvasRect first = chart.TextPickRectangle(0);
    const CanvasRect second = chart.TextPickRectangle(1);
    EXPECT_EQ(first.left, 30);
    EXPECT_EQ(first.bottom, 1336);
    EXPECT_EQ(second.bottom, 1360);
    EXPECT_GT(first.width(), 0);
    EXPECT_EQ(chart.PickObject(40, 1330), (PickResult{0, 3}));
    EXPECT_EQ(chart.PickObject(40, 1355), (PickResult{1, 3}));
    // Five pixels of slack around the text.
    EXPECT_EQ(chart.PickObject(first.right + 5, 1330), (PickResult{0, 3}));
    EXPECT_EQ(chart.PickObject(first.right + 7, 1330), PickResult{});
    EXPECT_EQ(chart.PickObject(25, first.top - 5), (PickResult{0, 3}));
}

TEST_F(ChartFixture, InsideTheChartRegion)
{
    CStatePoint point;
    point.m_d = 0.01f;
    point.m_h = 50.0f; // about 24 °C, 53 %
    EXPECT_TRUE(chart.IsInsideChart(point));
    point.m_h = 20.0f; // below the saturation curve: fog
    EXPECT_FALSE(chart.IsInsideChart(point));
    point.m_d = 0.045f; // right of the chart
    point.m_h = 150.0f;
    EXPECT_FALSE(chart.IsInsideChart(point));
    point.m_d = 0.005f;
    point.m_h = 120.0f; // above the top edge
    EXPECT_FALSE(chart.IsInsideChart(point));
}

// The chart model's own region for the full chart (what analyses and
// recomputation test against) agrees with the drawn full chart's test over a
// grid of states, away from the last pixel of an edge: the top edge stops a
// state at 120 °C, well below any 200 °C limit.
TEST_F(ChartFixture, FullChartStatesAreTheDrawnFullChart)
{
    const StateRegion full = idg.FullChartStates();
    const double pixelX = 2.0 / chart.m_layout.m_fXScale, pixelH = 2.0 / chart.m_layout.m_fHScale;
    const auto inside = [this](double x, double h) {
        CStatePoint p;
        p.m_d = static_cast<float>(x);
        p.m_h = static_cast<float>(h);
        p.m_bKnownD = p.m_bKnownH = 1;
        return idg.CalcStatePoint(p) && chart.IsInsideChart(p);
    };
    int compared = 0, insideCount = 0;
    for (double x = 0.0005; x < 0.046; x += 0.0015)
        for (double h = -40.0; h < 200.0; h += 3.0) {
            CStatePoint p;
            p.m_d = static_cast<float>(x);
            p.m_h = static_cast<float>(h);
            p.m_bKnownD = p.m_bKnownH = 1;
            if (!idg.CalcStatePoint(p))
                continue;
            const bool drawn = chart.IsInsideChart(p);
            if (inside(x + pixelX, h) != drawn || inside(x - pixelX, h) != drawn ||
                inside(x, h + pixelH) != drawn || inside(x, h - pixelH) != drawn)
                continue; // within two pixels of an edge
            EXPECT_EQ(full.Contains(p), drawn) << "x " << x << " h " << h;
            ++compared;
            insideCount += drawn;
        }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(insideCount, 200);
    CStatePoint hot; // 120 °C at 10 g/kg
    hot.m_t = 120.0f;
    hot.m_d = 0.01f;
    hot.m_bKnownT = hot.m_bKnownD = 1;
    ASSERT_TRUE(idg.CalcStatePoint(hot));
    EXPECT_FALSE(full.Contains(hot));
    EXPECT_FALSE(chart.IsInsideChart(hot));
}

struct SegmentCase {
    CanvasPoint a, b;
    bool drawn;
    CanvasPoint clippedA, clippedB;
};

class SegmentClipping : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentClipping, OutcodeClipping)
{
    const SegmentCase c = GetParam();
    const CanvasRect rect{100, 100, 200, 200};
    const auto clipped = chart::clipSegment(c.a, c.b, rect);
    ASSERT_EQ(clipped.has_value(), c.drawn);
    if (c.drawn) {
        EXPECT_EQ(clipped->first, c.clippedA);
        EXPECT_EQ(clipped->second, c.clippedB);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chart, SegmentClipping,
    ::testing::Values(SegmentCase{{120, 120}, {180, 150}, true, {120, 120}, {180, 150}},   // inside
                      SegmentCase{{50, 150}, {250, 150}, true, {100, 150}, {200, 150}},    // across
                      SegmentCase{{150, 150}, {150, 300}, true, {150, 150}, {150, 200}},   // one end out
                      SegmentCase{{50, 50}, {250, 250}, true, {100, 100}, {200, 200}},     // diagonal
                      SegmentCase{{10, 150}, {90, 120}, false, {}, {}},                    // left of it
                      SegmentCase{{50, 120}, {120, 50}, false, {}, {}},                    // past a corner
                      SegmentCase{{200, 200}, {300, 300}, true, {200, 200}, {200, 200}})); // touching

TEST(SegmentDistance, PerpendicularOrToTheNearerEnd)
{
    EXPECT_DOUBLE_EQ(chart::distanceToSegment(5, 3, {0, 0}, {10, 0}), 3.0);
    EXPECT_DOUBLE_EQ(chart::distanceToSegment(13, 4, {0, 0}, {10, 0}), 5.0);
    EXPECT_DOUBLE_EQ(chart::distanceToSegment(-3, -4, {0, 0}, {10, 0}), 5.0);
    EXPECT_DOUBLE_EQ(chart::distanceToSegment(3, 4, {0, 0}, {0, 0}), 5.0);
}

TEST_F(ChartFixture, ClipSegmentDrawsOnlyThePartInside)
{
    RecordingCanvas canvas;
    EXPECT_TRUE(chart.ClipSegment(canvas, 50, 150, 250, 150, {100, 100, 200, 200}));
    EXPECT_FALSE(chart.ClipSegment(canvas, 10, 10, 20, 20, {100, 100, 200, 200}));
    ASSERT_EQ(canvas.calls().size(), 1u);
    EXPECT_EQ(canvas.calls()[0].points, (std::vector<CanvasPoint>{{100, 150}, {200, 150}}));
}

} // namespace
