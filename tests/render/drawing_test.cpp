#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <string>

#include "render/ChartDrawingSupport.h"
#include "analysis/Binding.h"
#include "chart/ChartFixture.h"
#include "chart/ObjectGeometry.h"
#include "psychro/QorvaDll.h"

namespace {

using Op = RecordingCanvas::Op;

constexpr std::int32_t kGreen = rgbColour(64, 200, 0);
constexpr std::int32_t kRed = rgbColour(255, 0, 0);
constexpr std::int32_t kNavy = rgbColour(0, 0, 128);
constexpr std::int32_t kBlue = rgbColour(0, 0, 255);
constexpr std::int32_t kCyan = rgbColour(68, 251, 255);
constexpr std::int32_t kYellow = rgbColour(255, 255, 0);

class ChartDrawing : public ChartFixture {
protected:
    // The row of the saturation curve in chart column X, from the property
    // library (the temperature at which the column's moisture saturates),
    // clamped to the chart bottom like the drawn boundary.
    int saturationRow(int X) const
    {
        const int H = layout().m_nChartHeight;
        float t = 0;
        const double x = chart.MoistureFromX(X);
        if (x <= 0 || !pxRH_t(idg.m_fSummerPressure, static_cast<float>(x), 1.0f, &t) || t < idg.m_fTMinFull)
            return H;
        return std::min(H, chart.YFromTemperature(t, X));
    }

    CanvasPoint relative(CanvasPoint device) const { return chart.ToChartRelative(device); }

    std::set<std::string> textsOf(const RecordingCanvas& canvas) const
    {
        std::set<std::string> result;
        for (const auto& call : canvas.callsOf(Op::Text))
            result.insert(call.text);
        return result;
    }
};

TEST_F(ChartDrawing, MoistureLinesStopAtTheSaturationCurve)
{
    const RecordingCanvas canvas = draw();
    int vertical = 0;
    for (const auto& call : canvas.strokesInColour(kGreen)) {
        if (call.op != Op::Line || call.points[0].x != call.points[1].x)
            continue;
        ++vertical;
        const CanvasPoint top = relative(call.points[0]);
        const CanvasPoint bottom = relative(call.points[1]);
        EXPECT_EQ(top.y, 0);
        EXPECT_NEAR(bottom.y, saturationRow(bottom.x), 1) << "column " << bottom.x;
    }
    // 1 g/kg lines from 1 to 39 g/kg.
    EXPECT_EQ(vertical, 39);
}

TEST_F(ChartDrawing, NoFamilyContinuesBelowTheSaturationCurve)
{
    const RecordingCanvas canvas = draw();
    const int W = layout().m_nChartWidth;
    int checked = 0;
    for (std::int32_t colour : {kGreen, rgbColour(0, 0, 0), kRed, kNavy, kBlue})
        for (const auto& call : canvas.strokesInColour(colour))
            for (const CanvasPoint& device : call.points) {
                const CanvasPoint p = relative(device);
                ASSERT_GE(p.x, 0);
                ASSERT_LE(p.x, W);
                // A crossing found in column X lies between the curve's rows at X − 1 and X.
                const int limit = std::max(saturationRow(p.x), saturationRow(std::max(p.x - 1, 0))) + 2;
                EXPECT_LE(p.y, limit) << "colour " << colour << " at column " << p.x;
                ++checked;
            }
    EXPECT_GT(checked, 2000);
}

TEST_F(ChartDrawing, EveryFamilyIsDrawnWithItsPen)
{
    idg.m_drawOptions[kFamilyWetBulb].m_nWidth = 2;
    idg.m_drawOptions[kFamilyWetBulb].m_nStyle = kPenDash;
    const RecordingCanvas canvas = draw();
    EXPECT_FALSE(canvas.strokesInColour(kNavy).empty());
    // RH 90 % … 10 %, nine curves.
    std::size_t redPolylines = 0;
    for (const auto& call : canvas.strokesInColour(kRed))
        redPolylines += call.op == Op::Polyline;
    EXPECT_GE(redPolylines, 9u);
    const auto wetBulb = canvas.strokesInColour(kBlue);
    ASSERT_FALSE(wetBulb.empty());
    for (const auto& call : wetBulb)
        EXPECT_EQ(call.pen, (CanvasPen{kBlue, 2, kPenDash}));
    const auto border = canvas.callsOf(Op::Rectangle);
    ASSERT_EQ(border.size(), 1u);
    EXPECT_EQ(border[0].rect, (CanvasRect{30, 60, 1860, 1306}));
    EXPECT_FALSE(border[0].filled);

    idg.m_drawOptions[kFamilySaturation].m_bShow = 0;
    idg.m_drawOptions[kFamilyBorder].m_bShow = 0;
    const RecordingCanvas hidden = draw();
    EXPECT_TRUE(hidden.strokesInColour(kNavy).empty());
    EXPECT_TRUE(hidden.callsOf(Op::Rectangle).empty());
    // The boundary is still computed for the other families and the hit tests.
    EXPECT_TRUE(layout().m_bBoundaryValid);
}

// The enthalpy title keeps its alignment whichever edge the first enthalpy
// value sits on (bottom, right or inside the chart).
TEST_F(ChartDrawing, EnthalpyTitleKeepsItsOwnAlignment)
{
    // Rubber bands over the full chart: device left, top, right, bottom.
    const std::array<std::array<int, 4>, 3> clips = {
        {{0, 0, 0, 0}, {100, 100, 900, 700}, {1000, 100, 1800, 600}}};
    std::set<int> labelAligns;
    for (const auto& [left, top, right, bottom] : clips) {
        idg.RestoreFullChart();
        chart.LayoutChart(device);
        if (right > left)
            clip(left, top, right, bottom);
        const auto texts = draw().callsOf(Op::Text);
        const auto title = std::find_if(texts.begin(), texts.end(),
                                        [](const auto& call) { return call.text == "h(kJ/kg)"; });
        ASSERT_NE(title, texts.end());
        // The enthalpy values follow the moisture family's title.
        const auto moistureTitle =
            std::find_if(texts.begin(), texts.end(), [](const auto& call) { return call.text == "x(g/kg)"; });
        ASSERT_NE(moistureTitle, texts.end());
        ASSERT_NE(std::next(moistureTitle), texts.end());
        labelAligns.insert(std::next(moistureTitle)->align);
        EXPECT_EQ(title->align, text_align::kLeft | text_align::kTop) << left << "," << top;
    }
    EXPECT_GT(labelAligns.size(), 1u);
}

TEST_F(ChartDrawing, LabelsFollowTheAnnotationSwitchExceptTheMoistureAxis)
{
    const std::set<std::string> shown = textsOf(draw());
    for (const char* text : {"x(g/kg)", "h(kJ/kg)", "t(℃)", "100%", "90%", "RH", "P=101325Pa", "0", "39"})
        EXPECT_TRUE(shown.count(text)) << text;

    idg.m_bShowValues = 0;
    const RecordingCanvas canvas = draw();
    std::set<std::string> expected;
    for (int gram = 0; gram <= 39; ++gram)
        expected.insert(std::to_string(gram));
    expected.insert("x(g/kg)");
    std::set<std::string> hidden = textsOf(canvas);
    // The header line stays too.
    hidden.erase(std::find_if(hidden.begin(), hidden.end(),
                              [](const std::string& t) { return t.rfind("工程名称：", 0) == 0; }),
                 hidden.end());
    EXPECT_EQ(hidden, expected);
}

TEST_F(ChartDrawing, MoistureLabelsStandOnTheTopEdge)
{
    const RecordingCanvas canvas = draw();
    const auto labels = canvas.textsEqual("20");
    ASSERT_FALSE(labels.empty());
    const auto& label = labels.front();
    EXPECT_EQ(label.points[0], (CanvasPoint{30 + 915, 60}));
    EXPECT_EQ(label.align, text_align::kCenter | text_align::kBottom);
    const auto title = canvas.textsEqual("x(g/kg)");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].points[0], (CanvasPoint{30 + 915, 60 - 16}));
    const auto pressure = canvas.textsEqual("P=101325Pa");
    ASSERT_EQ(pressure.size(), 1u);
    EXPECT_EQ(pressure[0].points[0], (CanvasPoint{30 + 915, 60 + 1246 + 12}));
}

TEST_F(ChartDrawing, HeaderNamesTheProjectRoomAndCondition)
{
    idg.m_strProjectName = "办公楼";
    idg.m_rooms.AddSystem("S1");
    idg.m_rooms.AddRoom("S1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    idg.m_nCurCondition = 2;
    const RecordingCanvas canvas = draw();
    const std::string header =
        "工程名称：办公楼       系统编号：S1       服务区域：ABCDEFGHIJKLMNOPQRS...      "
        "工况：制热工况";
    const auto texts = canvas.textsEqual(header);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (CanvasPoint{945, 15}));
    EXPECT_EQ(texts[0].align, text_align::kCenter | text_align::kBottom);
}

TEST(HeaderName, LongNamesAreCutAtACharacterBoundary)
{
    EXPECT_EQ(chart::headerName("Office"), "Office");
    EXPECT_EQ(chart::headerName("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNOPQRST"); // 20 bytes
    EXPECT_EQ(chart::headerName("ABCDEFGHIJKLMNOPQRSTU"), "ABCDEFGHIJKLMNOPQRS...");
    // Ten double-byte characters are 20 bytes; eleven are cut after ten.
    EXPECT_EQ(chart::headerName("一二三四五六七八九十"), "一二三四五六七八九十");
    EXPECT_EQ(chart::headerName("一二三四五六七八九十壹"), "一二三四五六七八九十...");
    // Byte 19 falls after "a" and nine characters.
    EXPECT_EQ(chart::headerName("a一二三四五六七八九十"), "a一二三四五六七八九...");
    EXPECT_EQ(chart::conditionText(0), "工况：普通工况");
    EXPECT_EQ(chart::conditionText(1), "工况：制冷工况");
    EXPECT_EQ(chart::conditionText(2), "工况：制热工况");
}

struct SpacingCase {
    int family;
    float spacing;
};

class UnusableSpacing : public ChartDrawing, public ::testing::WithParamInterface<SpacingCase> {};

TEST_P(UnusableSpacing, DrawingEndsWithoutThatFamily)
{
    const SpacingCase c = GetParam();
    idg.m_drawOptions[static_cast<std::size_t>(c.family)].m_fStep = c.spacing;
    const RecordingCanvas canvas = draw();
    // A full chart is a few hundred calls; a runaway family would be millions.
    EXPECT_LT(canvas.calls().size(), 5000u);
    EXPECT_FALSE(canvas.callsOf(Op::Rectangle).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Chart, UnusableSpacing,
    ::testing::Values(SpacingCase{kFamilyMoisture, 0.0f}, SpacingCase{kFamilyMoisture, -1.0f},
                      SpacingCase{kFamilyMoisture, 1e-12f}, SpacingCase{kFamilyEnthalpy, 0.0f},
                      SpacingCase{kFamilyEnthalpy, std::nanf("")}, SpacingCase{kFamilyEnthalpy, -5.0f},
                      SpacingCase{kFamilyDryBulb, 0.0f}, SpacingCase{kFamilyDryBulb, 1e-20f},
                      SpacingCase{kFamilyHumidity, 0.0f}, SpacingCase{kFamilyHumidity, -10.0f},
                      SpacingCase{kFamilyHumidity, 1e-9f}, SpacingCase{kFamilyWetBulb, 0.0f},
                      SpacingCase{kFamilyWetBulb, std::numeric_limits<float>::infinity()}));

TEST_F(ChartDrawing, PointsInsideTheChartAreDrawnWithTheirNames)
{
    const int a = addPointAt("A", 400, 400);
    const int outside = addPoint("Far", 0.045, 60.0);
    const RecordingCanvas canvas = draw();
    const auto ellipses = canvas.callsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].rect, (CanvasRect{398, 398, 402, 402}));
    EXPECT_TRUE(ellipses[0].filled);
    EXPECT_EQ(ellipses[0].brush, kBlack);
    const auto name = canvas.textsEqual("A");
    ASSERT_EQ(name.size(), 1u);
    // Upper right: the name's box starts 5 px right of and ends 5 px above
    // the point (marker reach 2 + 1, and a quarter of 4 × radius × zoom);
    // "A" in the 12-px font is 12 px high.
    EXPECT_EQ(name[0].points[0], (CanvasPoint{405, 383}));
    EXPECT_EQ(name[0].align, text_align::kLeft | text_align::kTop);
    EXPECT_TRUE(canvas.textsEqual("Far").empty());
    // The point outside still exists and is still completed.
    EXPECT_EQ(points.size(), 2u);
    EXPECT_EQ(points[static_cast<std::size_t>(outside)]->m_strName, "Far");
    (void)a;
}

TEST_F(ChartDrawing, PointNamesFollowThePositionAndPairsStandOpposite)
{
    hideGridLines();
    idg.m_nLabelPosition = 3; // below
    addPointAt("O", 400, 400);
    const int l = addPointAt("L", 600, 400);
    points[static_cast<std::size_t>(l)]->m_nKind = CStatePoint::kRelatedPair;
    points[static_cast<std::size_t>(l)]->m_nRelPartner = 0;
    chart.m_nPickClass = 0;
    chart.m_nPickIndex = 1;
    const RecordingCanvas canvas = draw();
    // Below: centred on the point (6 px wide), 5 px under it.
    EXPECT_EQ(canvas.textsEqual("O")[0].points[0], (CanvasPoint{397, 405}));
    // The pair's second point writes above, in red, as it is the picked one.
    const auto second = canvas.textsEqual("L")[0];
    EXPECT_EQ(second.points[0], (CanvasPoint{597, 383}));
    EXPECT_EQ(second.textColour, kRed);
    const auto ellipses = canvas.callsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[1].brush, kYellow);
    EXPECT_EQ(ellipses[1].pen.style, kPenDot);
    EXPECT_EQ(ellipses[1].pen.colour, kRed);
    EXPECT_EQ(ellipses[0].brush, kBlack);

    idg.m_bShowPointLabels = 0;
    EXPECT_TRUE(draw().callsOf(Op::Text).size() < canvas.callsOf(Op::Text).size());
}

// The arrow polygon of the one process line drawn.
RecordingCanvas::Call arrowOf(const RecordingCanvas& canvas)
{
    const auto polygons = canvas.callsOf(Op::Polygon);
    EXPECT_EQ(polygons.size(), 1u);
    return polygons.empty() ? RecordingCanvas::Call{} : polygons[0];
}

TEST_F(ChartDrawing, HorizontalProcessLinesPointAlongTheirDirection)
{
    const int left = addPointAt("A", 400, 400);
    const int right = addPointAt("B", 800, 400);
    addProcessLine("A-B", left, right);
    const auto forward = arrowOf(draw());
    ASSERT_EQ(forward.points.size(), 3u);
    const CanvasPoint tip = forward.points[0];
    // Half an arrow length (10 px) times cos 7.5° beyond the midpoint.
    EXPECT_EQ(tip, (CanvasPoint{605, 400}));
    EXPECT_EQ(forward.points[1], (CanvasPoint{595, 401}));
    EXPECT_EQ(forward.points[2], (CanvasPoint{595, 399}));
    EXPECT_TRUE(forward.filled);
    EXPECT_EQ(forward.brush, kBlack);

    processLines[0]->m_nStart = right;
    processLines[0]->m_nEnd = left;
    const auto backward = arrowOf(draw());
    EXPECT_EQ(backward.points[0], (CanvasPoint{595, 400}));
    EXPECT_EQ(backward.points[1].x, 605);
    EXPECT_EQ(backward.points[2].x, 605);
}

TEST_F(ChartDrawing, VerticalProcessLinesPointAlongDy)
{
    const int upper = addPointAt("A", 400, 300);
    const int lower = addPointAt("B", 400, 500);
    addProcessLine("down", upper, lower);
    const auto down = arrowOf(draw());
    EXPECT_EQ(down.points[0], (CanvasPoint{400, 405}));
    EXPECT_EQ(down.points[1].y, 395);
    processLines[0]->m_nStart = lower;
    processLines[0]->m_nEnd = upper;
    const auto up = arrowOf(draw());
    EXPECT_EQ(up.points[0], (CanvasPoint{400, 395}));
    EXPECT_EQ(up.points[1].y, 405);
}

TEST_F(ChartDrawing, ProcessLineLeavingTheChartIsClippedWithoutArrow)
{
    const int inside = addPointAt("A", 1500, 200);
    const int outside = addPoint("Far", 0.045, 100.0);
    addProcessLine("A-Far", inside, outside);
    const RecordingCanvas canvas = draw();
    EXPECT_TRUE(canvas.callsOf(Op::Polygon).empty());
    bool found = false;
    for (const auto& call : canvas.callsOf(Op::Line))
        if (call.pen.colour == kBlack && call.points[0] == (CanvasPoint{1500, 200})) {
            found = true;
            EXPECT_EQ(call.points[1].x, 30 + 1830); // ends on the right edge
        }
    EXPECT_TRUE(found);
}

TEST_F(ChartDrawing, ArrowStylesAndComfortZoneEdges)
{
    const int a = addPointAt("A", 400, 400);
    const int b = addPointAt("B", 800, 600);
    addProcessLine("SH0", a, b);
    idg.m_nArrowStyle = 1;
    const RecordingCanvas open = draw();
    EXPECT_TRUE(open.callsOf(Op::Polygon).empty());
    int fromTip = 0;
    const CanvasPoint tip = chart::processLineArrow({400, 400}, {800, 600}, 10.0, 0.1308997)->tip;
    for (const auto& call : open.callsOf(Op::Line))
        fromTip += call.points[0] == tip;
    EXPECT_EQ(fromTip, 2);

    idg.m_nArrowStyle = 0;
    EXPECT_EQ(draw().callsOf(Op::Line).size(), open.callsOf(Op::Line).size() - 2);

    idg.m_nArrowStyle = 2;
    auto zone = std::make_unique<CComfortArea>();
    zone->m_strEdge = {"SH0", "SH1", "SH2", "SH3"};
    zone->m_strCorner = {"A", "X", "Y", "Z"};
    comfortAreas.push_back(std::move(zone));
    EXPECT_TRUE(draw().callsOf(Op::Polygon).empty());
    // Selecting the zone highlights its corners and edges.
    chart.m_nSelectedComfortArea = 0;
    const RecordingCanvas selected = draw();
    EXPECT_EQ(selected.callsOf(Op::Ellipse)[0].brush, kYellow);
    EXPECT_EQ(selected.callsOf(Op::Ellipse)[1].brush, kBlack);
    bool dottedRed = false;
    for (const auto& call : selected.callsOf(Op::Line))
        dottedRed |= call.pen == CanvasPen{kRed, 0, kPenDot};
    EXPECT_TRUE(dottedRed);
}

TEST_F(ChartDrawing, ProcessLineNamesOnRequest)
{
    addProcessLine("W-C", addPointAt("W", 400, 400), addPointAt("C", 800, 600));
    EXPECT_TRUE(draw().textsEqual("W-C").empty());
    idg.m_bShowProcessLineLabels = 1;
    const auto name = draw().textsEqual("W-C");
    ASSERT_EQ(name.size(), 1u);
    // Above and right of the middle (600, 500), beyond the arrow standing
    // there: θ = atan(200/400), tip (604.4, 502.2), bases (595.0, 499.0)
    // and (596.2, 496.6), so the arrow's box with its pen is 594–605 ×
    // 496–503 and reaches 6 px left of the middle; the name, 12 px high,
    // starts 6 px right of and ends 6 px above the middle.
    EXPECT_EQ(name[0].points[0], (CanvasPoint{606, 482}));
}

TEST_F(ChartDrawing, HhrLinesFollowTheirSwitches)
{
    hideGridLines();
    const int n = addPoint("N", 0.0099, 50.3);
    // Steep lines end far above the chart: the midpoint is outside, so no name.
    addHhrLine("steep", n, 10000.0f);
    // A line of constant enthalpy runs from the dry edge to the saturation
    // curve, its midpoint inside the chart.
    addHhrLine("ε", n, 0.0f);
    EXPECT_TRUE(draw().textsEqual("steep").empty());
    hhrLines.erase(hhrLines.begin());
    const RecordingCanvas shown = draw();
    const auto cyan = shown.strokesInColour(kCyan);
    ASSERT_EQ(cyan.size(), 1u);
    const auto name = shown.textsEqual("ε");
    ASSERT_EQ(name.size(), 1u);
    const CanvasPoint a = cyan[0].points[0];
    const CanvasPoint b = cyan[0].points[1];
    // Lower right of the middle by 2 × radius is where the line itself runs
    // (it falls to the right by H/W = 1246/1830 = 0.68 px a column, through
    // rows 502.7–506.8 of that 6-px box); the name stands one step round,
    // below the middle, centred, where the line passes at most 2 px below
    // the middle row.
    EXPECT_NEAR(name[0].points[0].x, (a.x + b.x) / 2 - 3, 1);
    EXPECT_NEAR(name[0].points[0].y, (a.y + b.y) / 2 + 4, 1);
    // The drawn line passes through its base point.
    const CanvasPoint base = chart.PointPosition(*points[0]);
    EXPECT_LT(chart::distanceToSegment(base.x, base.y, a, b), 1.5);

    idg.m_bShowHhrLineLabels = 0;
    EXPECT_TRUE(draw().textsEqual("ε").empty());
    idg.m_bShowHhrLineLabels = 1;
    idg.m_bShowHhrLines = 0;
    const RecordingCanvas hidden = draw();
    EXPECT_TRUE(hidden.strokesInColour(kCyan).empty());
    EXPECT_TRUE(hidden.textsEqual("ε").empty());
    EXPECT_EQ(hidden.callsOf(Op::Ellipse).size(), 1u);
    EXPECT_EQ(hidden.textsEqual("N").size(), 1u);
}

TEST_F(ChartDrawing, HhrLineThroughTwoPointsIsDrawnThroughBoth)
{
    // Second point B of each line, from A at 8 g/kg and 40 kJ/kg: ε = Δh/Δx.
    struct Case {
        double x;
        double h;
        double ratio; // kJ/kg
    };
    // 40 → 50 kJ/kg over 2 g/kg: 5000; equal enthalpy (adiabatic humidification, still
    // short of saturation): 0.
    const Case cases[] = {{0.010, 50.0, 5000.0}, {0.0095, 40.0, 0.0}};
    for (const Case& c : cases) {
        points.clear();
        hhrLines.clear();
        const int first = addPoint("A", 0.008, 40.0);
        const int second = addPoint("B", c.x, c.h);
        const int line = addHhrLine("AB", first, 0.0f);
        hhrLines[static_cast<std::size_t>(line)]->m_nMode = CReShiBiXian::kThroughTwoPoints;
        hhrLines[static_cast<std::size_t>(line)]->m_nPoint2 = second;
        // Drawn from the two points before the view has learnt the ratio, and
        // still drawn once it has (a learnt 0 is a real ε).
        for (int refreshed = 0; refreshed < 2; ++refreshed) {
            if (refreshed)
                RefreshCurrentView(idg);
            const auto cyan = draw().strokesInColour(kCyan);
            ASSERT_EQ(cyan.size(), 1u) << "ε " << c.ratio << " refreshed " << refreshed;
            for (const auto& point : points) {
                const CanvasPoint at = chart.PointPosition(*point);
                EXPECT_LT(chart::distanceToSegment(at.x, at.y, cyan[0].points[0], cyan[0].points[1]), 1.5)
                    << "ε " << c.ratio << " " << point->m_strName;
            }
        }
        EXPECT_NEAR(hhrLines[0]->m_fRatio, c.ratio, 1.0);
    }
}

// The renderer keeps the HHR line ends and arrows it found from one drawing
// to the next: after each change of what gives them (base point, ε,
// pressure; a line's ends, a marker under its middle) they are those a new
// renderer finds, and going back gives the first ones again.
TEST_F(ChartDrawing, KeptLineEndsAndArrowsFollowEveryChangeOfWhatGivesThem)
{
    const int base = addPoint("A", 0.008, 40.0);
    addHhrLine("ε", base, 8000.0f);
    const int from = addPointAt("P", 400, 400);
    const int to = addPointAt("Q", 800, 400);
    addProcessLine("P-Q", from, to);
    // Away from the line, then on its middle, where the arrow gives way.
    const int aside = addPointAt("M", 600, 200);
    CStatePoint& a = *points[static_cast<std::size_t>(base)];
    CStatePoint& q = *points[static_cast<std::size_t>(to)];
    CStatePoint& m = *points[static_cast<std::size_t>(aside)];
    const CStatePoint firstQ = q;
    const CStatePoint firstM = m;
    const CStatePoint middle = *points[static_cast<std::size_t>(addPointAt("middle", 600, 400))];
    points.pop_back();
    CReShiBiXian& line = *hhrLines[0];
    const float pressure = idg.m_fSummerPressure;
    struct Change {
        const char* what;
        std::function<void()> apply;
    };
    const Change changes[] = {
        {"first", [] {}},
        {"enthalpy", [&] { a.m_h = 45.0f; }},
        {"moisture", [&] { a.m_d = 0.009f; }},
        {"ratio", [&] { line.m_fRatio = -3000.0f; }},
        {"pressure", [&] { idg.m_fSummerPressure = 90000.0f; }},
        {"marker on the middle", [&] { m = middle; }},
        {"line end", [&] { q.m_d = middle.m_d + 0.003f; }},
        {"all back",
         [&] {
             a.m_h = 40.0f;
             a.m_d = 0.008f;
             line.m_fRatio = 8000.0f;
             idg.m_fSummerPressure = pressure;
             q = firstQ;
             m = firstM;
         }},
    };
    struct Seen {
        std::array<float, 4> ends{};
        std::vector<CanvasPoint> arrow;
        bool operator==(const Seen&) const = default;
    };
    auto seenBy = [&](ChartRenderer& renderer) {
        Seen seen;
        if (const auto ends = renderer.HhrLineLibraryEnds(line))
            seen.ends = {ends->first.m_d, ends->first.m_h, ends->second.m_d, ends->second.m_h};
        RecordingCanvas canvas;
        renderer.DrawChart(canvas, device);
        seen.arrow = arrowOf(canvas).points;
        return seen;
    };
    std::vector<Seen> seen;
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.apply();
        const Seen kept = seenBy(chart);
        ChartRenderer fresh(idg);
        EXPECT_EQ(kept, seenBy(fresh));
        EXPECT_FALSE(kept.arrow.empty());
        seen.push_back(kept);
    }
    // Each change moved what it gives; going back brought the first ones.
    for (std::size_t i = 1; i + 1 < seen.size(); ++i)
        EXPECT_NE(seen[i], seen[i - 1]) << changes[i].what;
    EXPECT_EQ(seen.back(), seen.front());
}

TEST_F(ChartDrawing, ResultTextsStandInAColumnBelowTheChart)
{
    addText("送风量：1200m^3/h");
    // A plain text an analysis wrote stores its place in the column.
    const int plain = addText("新风比：20%", 0);
    texts[static_cast<std::size_t>(plain)]->m_nPlace[1] = chart.ResultTextPlace(1).x;
    texts[static_cast<std::size_t>(plain)]->m_nPlace[3] = chart.ResultTextPlace(1).y;
    chart.m_nPickClass = 3;
    chart.m_nPickIndex = 1;
    const RecordingCanvas canvas = draw();
    const auto first = canvas.textsEqual("送风量：1200m^3/h");
    const auto second = canvas.textsEqual("新风比：20%");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[0].points[0], (CanvasPoint{30, 1336}));
    EXPECT_EQ(second[0].points[0], (CanvasPoint{30, 1336 + 24}));
    EXPECT_EQ(first[0].align, text_align::kLeft | text_align::kBottom);
    EXPECT_EQ(first[0].textColour, kBlack);
    EXPECT_EQ(second[0].textColour, kRed);
    EXPECT_EQ(layout().m_nAnnotY, 1336 + 48);
}

} // namespace

namespace {

TEST_F(ChartDrawing, WindowAboveTheSaturationCurveHasNoCurveLabel)
{
    draw();
    // The dry upper left of the chart: 0–10 g/kg, from the top down to about 30 °C.
    clip(40, 70, 500, 400);
    const RecordingCanvas canvas = draw();
    EXPECT_TRUE(canvas.textsEqual("100%").empty());
    EXPECT_TRUE(canvas.strokesInColour(kNavy).empty());
    // Every column lies above the curve: the whole window is chart region.
    const auto& boundary = layout().m_nBoundary;
    for (std::size_t X = 1; X < boundary.size(); ++X)
        ASSERT_EQ(boundary[X], layout().m_nChartHeight) << "column " << X;
}

} // namespace

namespace {

// The value of an iso-line family at a drawn end, from the property formulas.
struct EndState {
    double x;
    double h;
    double t;
};

TEST_F(ChartDrawing, IsoLinesCarryTheirValues)
{
    const RecordingCanvas canvas = draw();
    const double pixelInH = 1.0 / layout().m_fHScale; // kJ/kg per pixel row
    auto stateOf = [&](CanvasPoint device) {
        const CanvasPoint p = relative(device);
        const double x = chart.MoistureFromX(p.x);
        const double h = chart.EnthalpyFromXY(p.x, p.y);
        return EndState{x, h, (h - 2500 * x) / (1.01 + 1.85 * x)};
    };
    auto nearMultipleOfFive = [](double value, double tolerance) {
        return std::abs(value / 5.0 - std::round(value / 5.0)) * 5.0 <= tolerance;
    };

    int isotherms = 0;
    int horizontal = 0;
    for (const auto& call : canvas.strokesInColour(kBlack)) {
        if (call.op != Op::Line)
            continue;
        const EndState a = stateOf(call.points[0]);
        const EndState b = stateOf(call.points[1]);
        EXPECT_NEAR(a.t, b.t, 2 * pixelInH) << "isotherm at row " << call.points[0].y;
        EXPECT_TRUE(nearMultipleOfFive(a.t, pixelInH)) << a.t;
        if (std::abs(a.t) < 1.0) {
            EXPECT_EQ(call.points[0].y, call.points[1].y);
            ++horizontal;
        }
        ++isotherms;
    }
    // −30 … 65 °C.
    EXPECT_EQ(isotherms, 20);
    EXPECT_EQ(horizontal, 1);

    int enthalpyLines = 0;
    for (const auto& call : canvas.strokesInColour(kGreen)) {
        if (call.points[0].x == call.points[1].x)
            continue; // moisture line
        const EndState a = stateOf(call.points[0]);
        const EndState b = stateOf(call.points[1]);
        // Ends are whole pixels and the lower end may be clamped to the bottom edge.
        EXPECT_NEAR(a.h, std::round(a.h / 5.0) * 5.0, 1.5 * pixelInH);
        if (relative(call.points[1]).y < layout().m_nChartHeight) {
            EXPECT_NEAR(b.h, a.h, 3 * pixelInH);
        }
        ++enthalpyLines;
    }
    EXPECT_GT(enthalpyLines, 30);

    int wetBulbLines = 0;
    for (const auto& call : canvas.strokesInColour(kBlue)) {
        const EndState a = stateOf(call.points[0]);
        float t = 0, RH = 0, tw = 0;
        ASSERT_TRUE(
            pxh_tRHtw(idg.m_fSummerPressure, static_cast<float>(a.x), static_cast<float>(a.h), &t, &RH, &tw));
        EXPECT_TRUE(nearMultipleOfFive(tw, 0.2)) << "wet bulb " << tw << " at the start of a line";
        // The line ends on the saturation curve at its own temperature.
        const EndState b = stateOf(call.points[1]);
        if (relative(call.points[1]).x < layout().m_nChartWidth) {
            EXPECT_NEAR(b.t, std::round(tw / 5.0) * 5.0, 0.6) << "wet-bulb line " << tw;
        }
        ++wetBulbLines;
    }
    // −30 … 40 °C: warmer wet-bulb lines would saturate beyond 40 g/kg.
    EXPECT_EQ(wetBulbLines, 15);
}

} // namespace

namespace {

TEST_F(ChartDrawing, ObjectsWithStaleReferencesAreSkipped)
{
    const int a = addPointAt("A", 400, 400);
    addProcessLine("dangling", a, 99);
    addProcessLine("negative", -1, a);
    addHhrLine("lost", 42, 5000.0f);
    idg.m_nLabelPosition = 11; // read as 11 mod 8 = 3, below
    const RecordingCanvas canvas = draw();
    EXPECT_TRUE(canvas.callsOf(Op::Polygon).empty());
    EXPECT_TRUE(canvas.strokesInColour(kCyan).empty());
    EXPECT_EQ(canvas.textsEqual("A")[0].points[0], (CanvasPoint{397, 405}));
    EXPECT_EQ(chart.PickObject(600, 600), PickResult{});
    EXPECT_EQ(chart.PickObject(401, 401), (PickResult{0, 0}));
}

TEST_F(ChartDrawing, ZoomedWindowKeepsItsLabelsBesideTheChart)
{
    draw();
    clip(380, 300, 1000, 800);
    const RecordingCanvas canvas = draw();
    const ChartLayout& l = layout();
    int temperatureLabels = 0;
    for (const auto& call : canvas.callsOf(Op::Text)) {
        if (call.align != (text_align::kRight | text_align::kBaseline) || call.points[0].x != l.m_nChartLeft)
            continue;
        // Dry-bulb numbers stand beside the lines they name, none above the chart.
        EXPECT_GE(call.points[0].y, l.m_nChartTop) << call.text;
        EXPECT_LE(call.points[0].y, l.m_nChartTop + l.m_nChartHeight + 18) << call.text;
        ++temperatureLabels;
    }
    EXPECT_GE(temperatureLabels, 4);
    // Moisture numbers of the window only: 6 g/kg at the left edge onwards.
    EXPECT_TRUE(canvas.textsEqual("2").empty());
    EXPECT_FALSE(canvas.textsEqual("10").empty());
}

} // namespace

namespace {

TEST_F(ChartDrawing, PrintingScalesPensPointsAndFonts)
{
    addPoint("A", 0.01, 50.0);
    idg.m_nLineWidth = 1;
    idg.m_drawOptions[kFamilyDryBulb].m_nWidth = 2;
    device.printing = true;
    const RecordingCanvas canvas = draw();
    const ChartLayout& l = layout();
    const double G = 39.4 * 210 / 1920;
    EXPECT_DOUBLE_EQ(l.m_fPenScale, G);
    for (const auto& call : canvas.strokesInColour(kBlack)) {
        if (call.op == Op::Line) {
            EXPECT_EQ(call.pen.width, static_cast<int>(2 * G));
        }
    }
    const auto ellipses = canvas.callsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].rect.width(), 2 * static_cast<int>(2 * G));
    EXPECT_EQ(ellipses[0].pen.width, static_cast<int>(G));
    // The point's name in the scaled name font, the header at the top page margin.
    EXPECT_EQ(canvas.textsEqual("A")[0].font.lfHeight, static_cast<int>(-12 * G));
    const auto header = std::find_if(canvas.calls().begin(), canvas.calls().end(), [](const auto& call) {
        return call.op == Op::Text && call.text.rfind("工程名称：", 0) == 0;
    });
    ASSERT_NE(header, canvas.calls().end());
    EXPECT_EQ(header->points[0], (CanvasPoint{l.m_nTotalWidth / 2, 394}));
    EXPECT_EQ(header->align, text_align::kCenter | text_align::kTop);
    EXPECT_EQ(header->font.lfHeight, -51);
}

} // namespace

namespace {

TEST_F(ChartDrawing, HumidityLabelsAtTheCurveEnds)
{
    const RecordingCanvas canvas = draw();
    const int rightEdge = 30 + 1830;
    int previousY = 1 << 20;
    // Moist curves leave through the right edge, lower ones first.
    for (int percent : {100, 90, 80, 70, 60, 50, 40, 30}) {
        const auto label = canvas.textsEqual(std::to_string(percent) + "%");
        ASSERT_EQ(label.size(), 1u) << percent;
        EXPECT_EQ(label[0].points[0].x, rightEdge - 1) << percent;
        EXPECT_EQ(label[0].align, text_align::kRight | text_align::kBaseline);
        EXPECT_LT(label[0].points[0].y, previousY) << percent;
        previousY = label[0].points[0].y;
    }
    // Dry ones through the top, further left each.
    int previousX = rightEdge;
    for (int percent : {20, 10}) {
        const auto label = canvas.textsEqual(std::to_string(percent) + "%");
        ASSERT_EQ(label.size(), 1u) << percent;
        EXPECT_EQ(label[0].points[0].y, 60 + 1);
        EXPECT_EQ(label[0].align, text_align::kCenter | text_align::kTop);
        EXPECT_LT(label[0].points[0].x, previousX);
        previousX = label[0].points[0].x;
    }
    const auto title = canvas.textsEqual("RH");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].points[0].x, previousX + 25);
}

} // namespace

namespace {

TEST_F(ChartDrawing, PenWidthsAndRadiiFromAFileAreBounded)
{
    addPointAt("A", 400, 400);
    idg.m_nLineWidth = std::numeric_limits<std::int32_t>::max();
    idg.m_nPointRadius = std::numeric_limits<std::int32_t>::max();
    idg.m_drawOptions[kFamilyDryBulb].m_nWidth = -7;
    device.printing = true;
    const RecordingCanvas canvas = draw();
    const double f = 39.4 * 210 / 1920;
    for (const auto& call : canvas.calls())
        ASSERT_LE(call.pen.width, static_cast<int>(kMaxPenUnits * f));
    for (const auto& call : canvas.strokesInColour(kBlack))
        ASSERT_GE(call.pen.width, 0);
    const auto ellipses = canvas.callsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].rect.width(), 2 * static_cast<int>(kMaxPenUnits * f));
}

} // namespace
