#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "chart/ChartGeometry.h"

#include "chart/ChartForm.h"
#include "chart/ChartProperties.h"
#include "chart/Pixels.h"
#include "chart/TextMetrics.h"

namespace {

using chart::roundPixel;
using chart::truncPixel;

// Chart constants of the i-d mapping: the latent heat at 0 °C (kJ/kg) sets the
// slope of the axes, 1/2500 turns pixels per kg/kg into pixels per kJ/kg.
constexpr double kLatentHeat = 2500.0;
constexpr double kEnthalpyPerMoisture = 0.0004;
constexpr double kCpDryAir = 1.01; // kJ/(kg·K)
constexpr double kCpVapour = 1.85; // kJ/(kg·K)
constexpr double kMassRatio = 0.62198;
// Printer units: 0.001 inch per unit, 39.4 per mm.
constexpr double kPrinterUnitsPerMm = 39.4;
// The A4 width the printer pen scale refers to, mm.
constexpr double kPenScalePageWidth = 210.0;
// The width of the full chart.
constexpr float kFullXMax = 0.04f; // kg/kg
// The deepest a chart window may zoom; keeps the pixel scales finite however
// often the user clips.
constexpr float kMaxZoom = 10000.0f;

} // namespace

ChartGeometry::ChartGeometry(const CIDG& idg) : m_idg(idg), m_form(&idChartForm()) {}

void ChartGeometry::ComputeSaturationBoundary()
{
    if (!m_layout.m_bValid)
        LayoutChart(m_layout.m_device);
    m_form->TraceBoundary(*this);
}

void ChartGeometry::LayoutChart(const ChartDevice& requested)
{
    ChartLayout& l = m_layout;
    ChartDevice device = requested;
    if (device.screenWidth <= 0)
        device.screenWidth = ChartDevice::kDefaultScreenWidth;
    if (device.pageWidth <= 0)
        device.pageWidth = 210;
    if (device.pageHeight <= 0)
        device.pageHeight = 297;
    l.m_device = device;
    m_form = device.form ? device.form : &chartFormOf(m_idg);

    l.m_spacings.moisture = m_idg.m_drawOptions[kFamilyMoisture].m_fStep * 0.001f;
    l.m_spacings.humidity = m_idg.m_drawOptions[kFamilyHumidity].m_fStep * 0.01f;
    l.m_spacings.enthalpy = m_idg.m_drawOptions[kFamilyEnthalpy].m_fStep;
    l.m_spacings.dryBulb = m_idg.m_drawOptions[kFamilyDryBulb].m_fStep;
    l.m_spacings.wetBulb = m_idg.m_drawOptions[kFamilyWetBulb].m_fStep;

    l.m_workingFont = m_idg.m_font1;
    // m_idg.m_nMargin holds bottom, top, left, right, mm.
    const int pageMarginBottom = m_idg.m_nMargin[0];
    const int pageMarginTop = m_idg.m_nMargin[1];
    const int pageMarginLeft = m_idg.m_nMargin[2];
    const int pageMarginRight = m_idg.m_nMargin[3];
    if (device.printing) {
        l.m_fPixelsPerMm = kPrinterUnitsPerMm;
        l.m_nTotalWidth =
            truncPixel(device.pageWidth * kPrinterUnitsPerMm - pageMarginLeft * kPrinterUnitsPerMm -
                       pageMarginRight * kPrinterUnitsPerMm);
        l.m_nTotalHeight =
            truncPixel(device.pageHeight * kPrinterUnitsPerMm - pageMarginTop * kPrinterUnitsPerMm -
                       pageMarginBottom * kPrinterUnitsPerMm) /
            2;
        l.m_fPrintScale = device.pageWidth * kPrinterUnitsPerMm / device.screenWidth;
        l.m_fPenScale = kPrinterUnitsPerMm * kPenScalePageWidth / device.screenWidth;
        l.m_workingFont.lfHeight = truncPixel(m_idg.m_font1.lfHeight * l.m_fPrintScale);
        l.m_workingFont.lfWidth = truncPixel(m_idg.m_font1.lfWidth * l.m_fPrintScale);
    } else {
        const int pixelsPerMm = device.screenWidth / device.pageWidth;
        l.m_fPixelsPerMm = pixelsPerMm;
        l.m_nTotalWidth = device.pageWidth * pixelsPerMm;
        l.m_nTotalHeight = truncPixel(device.pageHeight * pixelsPerMm * 0.5);
        l.m_fPrintScale = 1.0;
        l.m_fPenScale = 1.0;
    }

    // A zero font height means the default size; the margins need a real one.
    int fontHeight = fontUnits(l.m_workingFont.lfHeight);
    if (fontHeight == 0)
        fontHeight = fontUnits(LogFont().lfHeight);
    const int a = truncPixel(fontHeight * 2.5);
    const int b = l.m_workingFont.lfWidth == 0 ? a : truncPixel(fontUnits(l.m_workingFont.lfWidth) * 2.5);
    l.m_nMarginTop = 2 * a;
    l.m_nMarginBottom = a;
    l.m_nMarginLeft = b;
    l.m_nMarginRight = b;
    if (device.printing) {
        l.m_nMarginTop += truncPixel(pageMarginTop * kPrinterUnitsPerMm);
        l.m_nMarginBottom += truncPixel(pageMarginBottom * kPrinterUnitsPerMm);
        l.m_nMarginLeft += truncPixel(pageMarginLeft * kPrinterUnitsPerMm);
        l.m_nMarginRight += truncPixel(pageMarginRight * kPrinterUnitsPerMm);
    }
    l.m_nChartLeft = l.m_nMarginLeft;
    l.m_nChartTop = l.m_nMarginTop;
    // A page too small for its margins still gets a one-pixel chart, so the
    // scales below never divide by zero.
    l.m_nChartWidth = std::max(1, l.m_nTotalWidth - l.m_nMarginLeft - l.m_nMarginRight);
    l.m_nChartHeight = std::max(1, l.m_nTotalHeight - l.m_nMarginTop - l.m_nMarginBottom);

    l.m_fZoom = m_idg.m_fZoom;
    if (!(l.m_fZoom > 0.0f) || !std::isfinite(l.m_fZoom))
        l.m_fZoom = 1.0f;
    l.m_fXMaxFull = m_idg.m_fXMaxFull;
    if (!(l.m_fXMaxFull > 0.0f) || !std::isfinite(l.m_fXMaxFull))
        l.m_fXMaxFull = kFullXMax;
    const double W = l.m_nChartWidth;
    const double H = l.m_nChartHeight;
    const double z = m_layout.m_fZoom;
    l.m_fXScale = static_cast<float>(W * z / m_layout.m_fXMaxFull);
    l.m_fSlope = static_cast<float>(H / W);
    l.m_fHScale = static_cast<float>(l.m_fSlope * static_cast<double>(l.m_fXScale) * kEnthalpyPerMoisture);
    const double sx = l.m_fXScale;
    const double sh = l.m_fHScale;
    const double k = l.m_fSlope;
    const double t0 = m_idg.m_fTMinFull;

    if (std::abs(z - 1.0) >= 0.01) {
        m_layout.m_nXOffset = truncPixel(m_idg.m_fXMin * sx + 0.5);
        const double h =
            kLatentHeat * m_idg.m_fXMin + (kCpVapour * m_idg.m_fXMin + kCpDryAir) * m_idg.m_fTMax;
        m_layout.m_nYOffset = truncPixel(H * z - (h - kCpDryAir * t0) * sh + m_layout.m_nXOffset * k + 0.5);
        if ((z - 1.0) * H < m_layout.m_nYOffset)
            m_layout.m_nYOffset = truncPixel((z - 1.0) * H);
    } else {
        m_layout.m_nXOffset = 0;
        m_layout.m_nYOffset = 0;
    }

    const double X1 = m_layout.m_nXOffset;
    const double c = X1 * k - m_layout.m_nYOffset;
    const double d = H * z / sh - kLatentHeat * X1 / sx;
    const double e = kCpVapour * X1 / sx + kCpDryAir;
    l.m_fTMinWindow = static_cast<float>(((c - H) / sh + kCpDryAir * t0 + d) / e);
    l.m_fTMaxWindow = static_cast<float>((c / sh + kCpDryAir * t0 + d) / e);

    l.m_nBoundary.assign(static_cast<std::size_t>(l.m_nChartWidth) + 1, 0);
    l.m_bBoundaryValid = false;
    l.m_gridLabels.clear();
    l.m_gridLines.clear();
    l.m_gridObstacles.reset();
    l.m_bGridLabelsValid = false;
    l.m_curveExit = CurveExit::None;

    l.m_nAnnotX = l.m_nMarginLeft;
    l.m_nAnnotY = l.m_nTotalHeight;
    l.m_nAnnotStep = fontUnits(l.m_workingFont.lfHeight);
    l.m_bValid = true;
}

int ChartGeometry::XFromMoisture(double x) const
{
    return roundPixel(x * m_layout.m_fXScale - m_layout.m_nXOffset);
}

int ChartGeometry::YFromEnthalpy(double h, double X) const
{
    const ChartLayout& l = m_layout;
    return roundPixel(l.m_nChartHeight * static_cast<double>(m_layout.m_fZoom) -
                      (h - kCpDryAir * m_idg.m_fTMinFull) * l.m_fHScale +
                      (X + m_layout.m_nXOffset) * l.m_fSlope - m_layout.m_nYOffset);
}

int ChartGeometry::YFromTemperature(double t, double X) const
{
    const ChartLayout& l = m_layout;
    const double sh = l.m_fHScale;
    return roundPixel(l.m_nChartHeight * static_cast<double>(m_layout.m_fZoom) -
                      (t - m_idg.m_fTMinFull) * sh * kCpDryAir -
                      (kCpVapour * t + kLatentHeat) * sh * (X + m_layout.m_nXOffset) / l.m_fXScale +
                      (X + m_layout.m_nXOffset) * l.m_fSlope - m_layout.m_nYOffset);
}

int ChartGeometry::XFromEnthalpy(double h, double Y) const
{
    const ChartLayout& l = m_layout;
    return roundPixel((Y + m_layout.m_nYOffset - l.m_nChartHeight * static_cast<double>(m_layout.m_fZoom) +
                       (h - kCpDryAir * m_idg.m_fTMinFull) * l.m_fHScale) /
                          l.m_fSlope -
                      m_layout.m_nXOffset);
}

double ChartGeometry::MoistureFromX(double X) const
{
    return (X + m_layout.m_nXOffset) / m_layout.m_fXScale;
}

double ChartGeometry::EnthalpyFromXY(double X, double Y) const
{
    const ChartLayout& l = m_layout;
    return ((X + m_layout.m_nXOffset) * l.m_fSlope +
            l.m_nChartHeight * static_cast<double>(m_layout.m_fZoom) - Y - m_layout.m_nYOffset) /
               l.m_fHScale +
           kCpDryAir * m_idg.m_fTMinFull;
}

double ChartGeometry::SaturationPressureNeeded(double X, double RH) const
{
    return m_idg.m_fSummerPressure * (X + m_layout.m_nXOffset) /
           ((kMassRatio * m_layout.m_fXScale + m_layout.m_nXOffset + X) * RH);
}

CanvasPoint ChartGeometry::ToChartRelative(CanvasPoint device) const
{
    return {device.x - m_layout.m_nMarginLeft, device.y - m_layout.m_nMarginTop};
}

CanvasPoint ChartGeometry::PointPosition(const CStatePoint& point) const
{
    const CanvasPoint relative = m_form->Position(*this, point.m_d, point.m_h);
    return {relative.x + m_layout.m_nChartLeft, relative.y + m_layout.m_nChartTop};
}

std::optional<ChartWindow> ChartGeometry::ClipWindow(int left, int top, int right, int bottom) const
{
    if (!m_layout.m_bValid || !(m_layout.m_fXScale > 0.0f))
        return std::nullopt;
    // The rubber band may have been dragged either way.
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom)
        return std::nullopt;
    const CanvasPoint topLeft = ToChartRelative({left, top});
    const CanvasPoint bottomRight = ToChartRelative({right, bottom});
    if (m_form != &idChartForm()) {
        // Another form: the band's dry bulbs from its left to its right edge
        // and its moisture contents from its bottom to its top, the window
        // the i-d chart would give that region.
        const auto [xTop, hTopLeft] = m_form->StateAt(*this, topLeft.x, topLeft.y);
        const auto [xBottom, hBottomRight] = m_form->StateAt(*this, bottomRight.x, bottomRight.y);
        const auto tLeft = chartDryBulb(xTop, hTopLeft);
        const auto tRight = chartDryBulb(xBottom, hBottomRight);
        if (!tLeft || !tRight)
            return std::nullopt;
        return chart::windowFor(m_idg, *tLeft, *tRight, std::max(0.0, xBottom), xTop);
    }

    const double sx = m_layout.m_fXScale;
    const float xMin = static_cast<float>(m_idg.m_fXMin + topLeft.x / sx);
    const float xMax = static_cast<float>(m_idg.m_fXMin + bottomRight.x / sx);
    if (!(xMax > xMin))
        return std::nullopt;
    const auto tMax = chartDryBulb(xMin, EnthalpyFromXY(topLeft.x, topLeft.y));
    const auto tMin = chartDryBulb(xMin, EnthalpyFromXY(topLeft.x, bottomRight.y));
    if (!tMax || !tMin || !std::isfinite(*tMax) || !std::isfinite(*tMin))
        return std::nullopt;
    const float zoom = m_layout.m_fXMaxFull / (xMax - xMin);
    if (!(zoom > 0.0f) || !std::isfinite(zoom) || zoom > kMaxZoom)
        return std::nullopt;
    ChartWindow window;
    window.m_fZoom = zoom;
    window.m_fXMin = xMin;
    window.m_fXMax = xMax;
    window.m_fTMin = static_cast<float>(*tMin);
    window.m_fTMax = static_cast<float>(*tMax);
    return window;
}

namespace chart {

ChartDevice standardDevice()
{
    return ChartDevice{};
}

ChartWindow settledWindow(const CIDG& idg)
{
    ChartGeometry standard(idg);
    standard.LayoutChart(standardDevice());
    const ChartLayout& l = standard.layout();
    ChartWindow window = idg.Window();
    window.m_nXOffset = l.m_nXOffset;
    window.m_nYOffset = l.m_nYOffset;
    window.m_fTMin = l.m_fTMinWindow;
    window.m_fTMax = l.m_fTMaxWindow;
    return window;
}

std::optional<ChartWindow> windowFor(const CIDG& idg, double tMin, double tMax, double xMin, double xMax)
{
    if (!std::isfinite(tMin) || !std::isfinite(tMax) || !std::isfinite(xMin) || !std::isfinite(xMax) ||
        !(xMin >= 0.0) || !(xMax > xMin) || !(tMax > tMin))
        return std::nullopt;
    // The full-chart width the layout would use, as ClipWindow takes it.
    float full = idg.m_fXMaxFull;
    if (!(full > 0.0f) || !std::isfinite(full))
        full = kFullXMax;
    ChartWindow window;
    window.m_fXMin = static_cast<float>(xMin);
    window.m_fXMax = static_cast<float>(xMax);
    window.m_fTMin = static_cast<float>(tMin);
    window.m_fTMax = static_cast<float>(tMax);
    window.m_fZoom = std::max(full, window.m_fXMax) / (window.m_fXMax - window.m_fXMin);
    if (!(window.m_fXMax > window.m_fXMin) || !(window.m_fZoom > 0.0f) || !std::isfinite(window.m_fZoom) ||
        window.m_fZoom > kMaxZoom)
        return std::nullopt;
    return window;
}

} // namespace chart
