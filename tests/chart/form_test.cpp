#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/ChartFixture.h"
#include "chart/ChartForm.h"
#include "chart/ObjectGeometry.h"
#include "psychro/MoistAir.h"

namespace {

// The i-d form on the full chart of a 1920-pixel screen (1830 × 1246 chart
// pixels, 0.04 kg/kg across, 100 kJ/kg up at the left edge, −30 °C at the
// bottom left): column X = x·1830/0.04; row Y = 1246 − (h − 1.01·(−30))·12.46
// + X·1246/1830, the enthalpy lines falling to the right.
struct FormCase {
    double x; // kg/kg
    double t; // °C
};

TEST_F(ChartFixture, IdFormMapsStatesAsItsFormulasSay)
{
    const ChartForm& form = chart.form();
    const double sx = 1830 / 0.04;
    const double sh = 12.46;
    const double k = 1246.0 / 1830.0;
    for (const FormCase c : {FormCase{0.0, -20.0}, FormCase{0.005, 10.0}, FormCase{0.01, 26.0},
                             FormCase{0.02, 35.0}, FormCase{0.03, 40.0}}) {
        const double h = qorva::psychro::enthalpy(c.t, c.x);
        const CanvasPoint p = form.Position(chart, c.x, h);
        const double X = c.x * sx;
        EXPECT_NEAR(p.x, X, 0.51) << c.x;
        EXPECT_NEAR(p.y, 1246 - (h + 30.3) * sh + X * k, 1.0) << c.x << " " << c.t;
        // Back from the pixel within the pixel's own span of states.
        const auto [x, hBack] = form.StateAt(chart, p.x, p.y);
        EXPECT_NEAR(x, c.x, 0.51 / sx);
        EXPECT_NEAR(hBack, h, 1.0 / sh);
    }

    // A dry-bulb line is straight and rises to the right with the slope its
    // formula gives: dY/dX = k − (1.85·t + 2500)·sh/sx.
    for (const double t : {0.0, 20.0, 40.0}) {
        const CanvasPoint a = form.Position(chart, 0.002, qorva::psychro::enthalpy(t, 0.002));
        const CanvasPoint b = form.Position(chart, 0.012, qorva::psychro::enthalpy(t, 0.012));
        const double slope = k - (1.85 * t + 2500) * sh / sx;
        EXPECT_NEAR(double(b.y - a.y) / (b.x - a.x), slope, 0.01) << t;
    }

    // The saturation boundary runs through (x_s(t), h_s(t)) at the pressure
    // of the chart.
    chart.ComputeSaturationBoundary();
    const double p = idg.m_fSummerPressure;
    for (const double t : {-10.0, 5.0, 20.0, 30.0}) {
        const double xs = *qorva::psychro::saturationMoisture(p, t);
        const CanvasPoint on = form.Position(chart, xs, qorva::psychro::enthalpy(t, xs));
        ASSERT_GE(on.x, 0);
        ASSERT_LT(static_cast<std::size_t>(on.x), layout().m_nBoundary.size());
        EXPECT_NEAR(layout().m_nBoundary[static_cast<std::size_t>(on.x)], on.y, 2) << t;
    }
}

// The ASHRAE form on the same window: the dry bulb across from the window's
// −30 °C to its (100 − 30.3)/1.01 °C, the moisture content up from 0 to
// 0.04 kg/kg.
TEST_F(ChartFixture, AshraeFormMapsStatesAsItsFormulasSay)
{
    device.form = &ashraeChartForm();
    chart.LayoutChart(device);
    chart.ComputeSaturationBoundary();
    const ChartForm& form = chart.form();
    ASSERT_EQ(&form, &ashraeChartForm());
    const double tLow = -30.0;
    const double tHigh = 69.7 / 1.01;
    const double W = 1830;
    const double H = 1246;
    const auto column = [&](double t) { return (t - tLow) / (tHigh - tLow) * W; };
    const auto row = [&](double x) { return H - x / 0.04 * H; };
    for (const FormCase c : {FormCase{0.0, -20.0}, FormCase{0.005, 10.0}, FormCase{0.01, 26.0},
                             FormCase{0.02, 35.0}, FormCase{0.03, 40.0}}) {
        const double h = qorva::psychro::enthalpy(c.t, c.x);
        const CanvasPoint p = form.Position(chart, c.x, h);
        EXPECT_NEAR(p.x, column(c.t), 0.51) << c.t;
        EXPECT_NEAR(p.y, row(c.x), 0.51) << c.x;
        const auto [x, hBack] = form.StateAt(chart, p.x, p.y);
        EXPECT_NEAR(x, c.x, 0.51 * 0.04 / H);
        EXPECT_NEAR(hBack, h, 0.1);
    }
    // A dry-bulb line is vertical; an enthalpy line falls to the right with
    // dx/dt = −(1.01 + 1.85·x)/(2500 + 1.85·t).
    for (const double t : {0.0, 20.0, 40.0}) {
        EXPECT_EQ(form.Position(chart, 0.002, qorva::psychro::enthalpy(t, 0.002)).x,
                  form.Position(chart, 0.018, qorva::psychro::enthalpy(t, 0.018)).x)
            << t;
        const double h = qorva::psychro::enthalpy(t, 0.01);
        const CanvasPoint a = form.Position(chart, 0.008, h);
        const CanvasPoint b = form.Position(chart, 0.012, h);
        const double dxdt = -(1.01 + 1.85 * 0.01) / (2500 + 1.85 * t);
        const double slope = -dxdt * (H / 0.04) / (W / (tHigh - tLow));
        EXPECT_NEAR(double(b.y - a.y) / (b.x - a.x), slope, 0.05) << t;
    }
    // The saturation curve through (t, x_s(t)), the unsaturated air below it.
    const double p = idg.m_fSummerPressure;
    for (const double t : {-10.0, 5.0, 20.0, 30.0}) {
        const double xs = *qorva::psychro::saturationMoisture(p, t);
        const CanvasPoint on = form.Position(chart, xs, qorva::psychro::enthalpy(t, xs));
        ASSERT_LT(static_cast<std::size_t>(on.x), layout().m_nBoundary.size());
        EXPECT_NEAR(layout().m_nBoundary[static_cast<std::size_t>(on.x)], on.y, 1) << t;
        EXPECT_TRUE(form.Unsaturated(layout(), on.x, on.y + 5)) << t;
        EXPECT_FALSE(form.Unsaturated(layout(), on.x, on.y - 5)) << t;
    }
    // An ε line bends on this chart: its drawn path runs through its base
    // point, and a pick on the point's pixel beside the marker finds the line.
    const int n = addPoint("N", 0.0093, qorva::psychro::enthalpy(26.0, 0.0093));
    addHhrLine("ε", n, 8000.0f);
    const auto ends = chart.HhrLineLibraryEnds(*hhrLines[0]);
    ASSERT_TRUE(ends);
    const std::vector<CanvasPoint> path = chart.LinePath(ends->first, ends->second);
    ASSERT_GT(path.size(), 2u);
    const CanvasPoint at = chart.PointPosition(*points[static_cast<std::size_t>(n)]);
    double nearest = 1e9;
    for (std::size_t k = 1; k < path.size(); ++k)
        nearest = std::min(nearest, chart::distanceToSegment(at.x, at.y, path[k - 1], path[k]));
    EXPECT_LT(nearest, 1.5);
}

} // namespace
