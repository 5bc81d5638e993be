#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/ChartImage.h"
#include "chart/ChartFixture.h"
#include "psychro/QorvaDll.h"

namespace {

// A 1920-pixel screen on a 210 × 297 mm page: 9 pixels per mm, a 1890-pixel
// page of which the chart view shows the upper half; a 12-pixel label font
// gives label margins of 30 pixels (60 at the top).
TEST_F(ChartFixture, LayoutOfAScreenPage)
{
    const ChartLayout& l = layout();
    EXPECT_EQ(l.m_fPixelsPerMm, 9.0);
    EXPECT_EQ(l.m_nTotalWidth, 1890);
    EXPECT_EQ(l.m_nTotalHeight, 1336);
    EXPECT_EQ(l.m_nMarginTop, 60);
    EXPECT_EQ(l.m_nMarginBottom, 30);
    EXPECT_EQ(l.m_nMarginLeft, 30);
    EXPECT_EQ(l.m_nMarginRight, 30);
    EXPECT_EQ(l.m_nChartLeft, 30);
    EXPECT_EQ(l.m_nChartTop, 60);
    EXPECT_EQ(l.m_nChartWidth, 1830);
    EXPECT_EQ(l.m_nChartHeight, 1246);
    EXPECT_FLOAT_EQ(l.m_fXScale, 1830 / 0.04f);
    EXPECT_FLOAT_EQ(l.m_fSlope, 1246.0f / 1830.0f);
    // At zoom 1 the chart height spans 2500 × 0.04 = 100 kJ/kg.
    EXPECT_NEAR(l.m_nChartHeight / l.m_fHScale, 100.0, 1e-3);
    EXPECT_EQ(l.m_nBoundary.size(), 1831u);
    EXPECT_EQ(l.m_nAnnotX, 30);
    EXPECT_EQ(l.m_nAnnotY, 1336);
    EXPECT_EQ(l.m_nAnnotStep, 12);
    // The window's temperatures at the left edge: the full chart's −30 °C at
    // the bottom, (100 − 30.3)/1.01 °C at the top.
    EXPECT_NEAR(l.m_fTMinWindow, -30.0, 1e-3);
    EXPECT_NEAR(l.m_fTMaxWindow, 69.7 / 1.01, 1e-3);

    EXPECT_EQ(chart::pageSize(device, false), QSize(1890, 1336));
    EXPECT_EQ(chart::pageSize(device, true), QSize(1890, 2673));
}

TEST_F(ChartFixture, LayoutForThePrinterCountsPageMarginsTwice)
{
    ChartDevice printer;
    printer.printing = true;
    chart.LayoutChart(printer);
    const ChartLayout& l = layout();
    EXPECT_DOUBLE_EQ(l.m_fPixelsPerMm, 39.4);
    // (210 − 10 − 10) mm and half of (297 − 10 − 10) mm at 39.4 units per mm.
    EXPECT_EQ(l.m_nTotalWidth, 7486);
    EXPECT_EQ(l.m_nTotalHeight, 5456);
    // The label font scaled by 210 × 39.4 / 1920: −12 → −51 units.
    EXPECT_EQ(l.m_workingFont.lfHeight, -51);
    EXPECT_EQ(l.m_nMarginTop, 2 * 127 + 394);
    EXPECT_EQ(l.m_nMarginBottom, 127 + 394);
    EXPECT_EQ(l.m_nMarginLeft, 127 + 394);
    EXPECT_EQ(l.m_nChartWidth, 7486 - 2 * (127 + 394));
    EXPECT_NEAR(l.m_fPenScale, 39.4 * 210 / 1920, 1e-9);
}

TEST_F(ChartFixture, ZeroDegreeIsothermIsHorizontalAtZoomOne)
{
    const int W = layout().m_nChartWidth;
    const int row = chart.YFromTemperature(0.0, 0);
    // 30 K above the chart's −30 °C bottom at 1.01 kJ/(kg·K) and 12.46 pixels per kJ/kg.
    EXPECT_EQ(row, static_cast<int>(1246 - 30 * 1.01 * 12.46 + 0.5));
    for (int X : {1, 100, W / 2, W - 1, W})
        EXPECT_EQ(chart.YFromTemperature(0.0, X), row) << "column " << X;
    // Warmer isotherms rise to the right, colder ones fall.
    EXPECT_LT(chart.YFromTemperature(30.0, W), chart.YFromTemperature(30.0, 0));
    EXPECT_GT(chart.YFromTemperature(-20.0, W), chart.YFromTemperature(-20.0, 0));
}

TEST_F(ChartFixture, EnthalpyLineThroughTopLeftCornerMeetsTheRightEdgeAtTheBottom)
{
    const ChartLayout& l = layout();
    const double h = chart.EnthalpyFromXY(0, 0);
    EXPECT_NEAR(h, 100.0 - 30.3, 1e-3);
    EXPECT_EQ(chart.YFromEnthalpy(h, 0), 0);
    EXPECT_EQ(chart.YFromEnthalpy(h, l.m_nChartWidth), l.m_nChartHeight);
    EXPECT_EQ(chart.XFromEnthalpy(h, 0), 0);
    EXPECT_EQ(chart.XFromEnthalpy(h, l.m_nChartHeight), l.m_nChartWidth);
}

struct MoistureCase {
    double x; // kg/kg
    int X;    // expected column
};

class MoistureMapping : public ChartFixture, public ::testing::WithParamInterface<MoistureCase> {};

TEST_P(MoistureMapping, ColumnsAndBack)
{
    const MoistureCase c = GetParam();
    EXPECT_EQ(chart.XFromMoisture(c.x), c.X);
    EXPECT_NEAR(chart.MoistureFromX(c.X), c.x, 0.5 / layout().m_fXScale + 1e-12);
    if (c.X > 0) {
        // The vapour pressure of the column's moisture: pq = p·x/(0.62198 + x);
        // at RH 0.5 the saturation pressure must be twice that.
        const double x = chart.MoistureFromX(c.X);
        EXPECT_NEAR(chart.SaturationPressureNeeded(c.X, 1.0), 101325 * x / (0.62198 + x), 0.01);
        EXPECT_NEAR(chart.SaturationPressureNeeded(c.X, 0.5), 2 * chart.SaturationPressureNeeded(c.X, 1.0),
                    0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, MoistureMapping,
                         ::testing::Values(MoistureCase{0.0, 0}, MoistureCase{0.001, 46},
                                           MoistureCase{0.01, 458}, MoistureCase{0.02, 915},
                                           MoistureCase{0.04, 1830}));

TEST_F(ChartFixture, EnthalpyAndRowAreInverse)
{
    for (double h : {-20.0, 0.0, 25.5, 60.0, 90.0})
        for (int X : {0, 400, 1200}) {
            const int Y = chart.YFromEnthalpy(h, X);
            // Rows above the chart round toward zero: up to a pixel off.
            EXPECT_NEAR(chart.EnthalpyFromXY(X, Y), h, (Y < 0 ? 1.0 : 0.5) / layout().m_fHScale)
                << h << " at " << X;
        }
    EXPECT_EQ(chart.ToChartRelative({100, 200}), (CanvasPoint{70, 140}));
}

// The state under a device pixel of the current layout.
struct PixelState {
    double x;
    double t;
};

PixelState stateAt(const ChartRenderer& chart, int deviceX, int deviceY)
{
    const CanvasPoint p = chart.ToChartRelative({deviceX, deviceY});
    const double x = chart.MoistureFromX(p.x);
    const double h = chart.EnthalpyFromXY(p.x, p.y);
    return {x, (h - 2500 * x) / (1.01 + 1.85 * x)};
}

struct ClipCase {
    int left, top, right, bottom;
};

class ChartClip : public ChartFixture, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(ChartClip, DraggedEitherWayGivesTheSameWindow)
{
    const ClipCase c = GetParam();
    CIDG other;
    other.m_font1 = idg.m_font1;
    ChartRenderer otherChart(other);
    otherChart.LayoutChart(device);
    clip(c.left, c.top, c.right, c.bottom);
    clipChart(other, otherChart, c.right, c.bottom, c.left, c.top);
    EXPECT_EQ(idg.m_fZoom, other.m_fZoom);
    EXPECT_EQ(idg.m_fXMin, other.m_fXMin);
    EXPECT_EQ(idg.m_fXMax, other.m_fXMax);
    EXPECT_EQ(idg.m_fTMin, other.m_fTMin);
    EXPECT_EQ(idg.m_fTMax, other.m_fTMax);
}

TEST_P(ChartClip, TheDraggedCornerBecomesTheChartCorner)
{
    const ClipCase c = GetParam();
    const PixelState corner = stateAt(chart, c.left, c.top);
    const PixelState right = stateAt(chart, c.right, c.top);
    const float oldXScale = layout().m_fXScale;
    clip(c.left, c.top, c.right, c.bottom);
    EXPECT_NEAR(idg.m_fZoom, 1830.0 / (c.right - c.left), 1e-3);
    chart.LayoutChart(device);
    const ChartLayout& l = layout();
    EXPECT_NEAR(l.m_fXScale, oldXScale * idg.m_fZoom, 1.0);
    EXPECT_NEAR(chart.MoistureFromX(0), corner.x, 1.0 / l.m_fXScale);
    EXPECT_NEAR(chart.MoistureFromX(l.m_nChartWidth), right.x, 2.0 / l.m_fXScale);
    // The top-left corner is the dragged corner's temperature to within a
    // pixel of the magnified chart.
    const PixelState topLeft = stateAt(chart, l.m_nChartLeft, l.m_nChartTop);
    EXPECT_NEAR(topLeft.t, corner.t, 1.5 / (l.m_fHScale * 1.01));
    EXPECT_NEAR(idg.m_fTMax, corner.t, 1.5 / (l.m_fHScale * 1.01));
}

// A window given by its temperatures and moisture contents, as qorva-cli
// render --window gives it, is the window the rubber band clips.
TEST_P(ChartClip, TheWindowOfItsStatesIsTheClippedWindow)
{
    const ClipCase c = GetParam();
    const auto clipped = chart.ClipWindow(c.left, c.top, c.right, c.bottom);
    ASSERT_TRUE(clipped);
    const auto given =
        chart::windowFor(idg, clipped->m_fTMin, clipped->m_fTMax, clipped->m_fXMin, clipped->m_fXMax);
    ASSERT_TRUE(given);
    EXPECT_EQ(given->m_fZoom, clipped->m_fZoom);
    EXPECT_EQ(given->m_fXMin, clipped->m_fXMin);
    EXPECT_EQ(given->m_fXMax, clipped->m_fXMax);
    EXPECT_EQ(given->m_fTMin, clipped->m_fTMin);
    EXPECT_EQ(given->m_fTMax, clipped->m_fTMax);
}

INSTANTIATE_TEST_SUITE_P(Chart, ChartClip,
                         ::testing::Values(ClipCase{500, 300, 1200, 800}, ClipCase{40, 70, 600, 500},
                                           ClipCase{900, 200, 1700, 1100}));

TEST_F(ChartFixture, EmptyRubberBandChangesNothing)
{
    clip(500, 300, 500, 800);
    clip(500, 300, 900, 300);
    EXPECT_EQ(idg.m_fZoom, 1.0f);
    EXPECT_EQ(idg.m_fXMin, 0.0f);
    EXPECT_EQ(idg.m_fXMax, 0.04f);
}

TEST_F(ChartFixture, RestoreAfterSeveralClipsGivesTheInitialChart)
{
    CIDG fresh;
    fresh.m_font1 = idg.m_font1;
    ChartRenderer freshChart(fresh);
    freshChart.LayoutChart(device);

    clip(300, 200, 1500, 1000);
    chart.LayoutChart(device);
    clip(100, 100, 900, 700);
    chart.LayoutChart(device);
    // A window reaching past the full chart widens it and lowers its bottom.
    ChartWindow wide = idg.Window();
    wide.m_fXMin = 0.01f;
    wide.m_fXMax = 0.05f;
    wide.m_fTMin = -40.0f;
    wide.m_fTMax = 20.0f;
    idg.SetWindow(wide);
    EXPECT_EQ(idg.m_fXMaxFull, 0.05f);
    EXPECT_EQ(idg.m_fTMinFull, -40.0f);
    chart.LayoutChart(device);

    idg.RestoreFullChart();
    chart.LayoutChart(device);
    EXPECT_EQ(idg.m_fZoom, fresh.m_fZoom);
    EXPECT_EQ(idg.m_fXMin, fresh.m_fXMin);
    EXPECT_EQ(idg.m_fXMax, fresh.m_fXMax);
    EXPECT_EQ(idg.m_fXMaxFull, fresh.m_fXMaxFull);
    EXPECT_EQ(idg.m_fTMinFull, fresh.m_fTMinFull);
    EXPECT_EQ(idg.m_fTMin, fresh.m_fTMin);
    EXPECT_EQ(idg.m_fTMax, fresh.m_fTMax);
    EXPECT_EQ(idg.m_nXOffset, 0);
    EXPECT_EQ(idg.m_nYOffset, 0);
    EXPECT_EQ(layout().m_fXScale, freshChart.m_layout.m_fXScale);
    EXPECT_EQ(layout().m_fHScale, freshChart.m_layout.m_fHScale);
    for (int X : {0, 700, 1830})
        EXPECT_EQ(chart.YFromTemperature(20.0, X), freshChart.YFromTemperature(20.0, X));
}

TEST_F(ChartFixture, DegenerateWindowsAndPagesStayFinite)
{
    // Clipping one pixel wide again and again stops at a finite magnification.
    for (int i = 0; i < 40; ++i) {
        clip(500, 300, 501, 400);
        chart.LayoutChart(device);
    }
    EXPECT_TRUE(std::isfinite(idg.m_fZoom));
    EXPECT_TRUE(std::isfinite(layout().m_fXScale));
    EXPECT_TRUE(std::isfinite(idg.m_fTMax));
    RecordingCanvas canvas;
    chart.DrawChart(canvas, device);

    // A screen too narrow for a pixel per mm still gives a usable layout.
    ChartDevice narrow;
    narrow.screenWidth = 100;
    idg.RestoreFullChart();
    chart.LayoutChart(narrow);
    EXPECT_GE(layout().m_nChartWidth, 1);
    EXPECT_GE(layout().m_nChartHeight, 1);
    EXPECT_TRUE(std::isfinite(layout().m_fHScale));
    chart.DrawChart(canvas, narrow);

    // Nonsense stored window values fall back to the full chart.
    idg.m_fZoom = std::nanf("");
    idg.m_fXMaxFull = 0.0f;
    chart.LayoutChart(device);
    EXPECT_EQ(layout().m_fZoom, 1.0f);
    EXPECT_EQ(layout().m_fXMaxFull, 0.04f);
}

} // namespace

namespace {

TEST_F(ChartFixture, FontSizesFromAFileAreBounded)
{
    idg.m_font1.lfHeight = std::numeric_limits<std::int32_t>::min();
    idg.m_font1.lfWidth = std::numeric_limits<std::int32_t>::max();
    idg.m_font2.lfHeight = std::numeric_limits<std::int32_t>::min();
    addPoint("A", 0.01, 50.0);
    const RecordingCanvas canvas = draw();
    const ChartLayout& l = layout();
    EXPECT_EQ(l.m_nAnnotStep, kMaxFontUnits);
    EXPECT_EQ(l.m_nMarginTop, 2 * static_cast<int>(kMaxFontUnits * 2.5));
    EXPECT_GE(l.m_nChartWidth, 1);
    EXPECT_GE(l.m_nChartHeight, 1);
    EXPECT_FALSE(canvas.calls().empty());
    EXPECT_EQ(fontUnits(-12), 12);
    EXPECT_EQ(fontUnits(std::numeric_limits<std::int32_t>::min()), kMaxFontUnits);
}

} // namespace
