#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartFixture.h"
#include "chart/ChartForm.h"
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

} // namespace
