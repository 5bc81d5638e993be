#include "chart/ChartForm.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <numbers>
#include <span>
#include <string>
#include <vector>

#include "chart/ChartGeometry.h"
#include "chart/ChartProperties.h"
#include "chart/GridScale.h"
#include "chart/Pixels.h"
#include "chart/TextMetrics.h"
#include "chart/VolumeLines.h"
#include "model/DrawOption.h"

namespace {

using chart::GridLabelRank;
using chart::kMaxLinesPerFamily;
using chart::roundPixel;
using chart::usableSpacing;
using qorva::units::Quantity;

constexpr double kCpDryAir = 1.01;  // kJ/(kg·K)
constexpr double kCpVapour = 1.85;  // kJ/(kg·K)
constexpr double kCpWater = 4.1868; // kJ/(kg·K), water added on the wet-bulb lines
constexpr double kLatentHeat = 2500.0;
constexpr double kMassRatio = 0.62198;
// Points along a curved iso-line: one every this many pixels of its run.
constexpr int kCurveStep = 4;

double enthalpyOf(double t, double x)
{
    return kCpDryAir * t + x * (kLatentHeat + kCpVapour * t);
}

double dryBulbOf(double x, double h)
{
    return (h - kLatentHeat * x) / (kCpDryAir + kCpVapour * x);
}

// The window of the layout in the ASHRAE form's own terms: the dry bulb
// across, from the window's lowest to its highest temperature, and the
// moisture content up, over the moisture range the window shows. The two
// forms show the same ranges of air.
struct Axes {
    double tLow = 0;
    double tHigh = 1;
    double xLow = 0;
    double xHigh = 1;
    double W = 1;
    double H = 1;

    explicit Axes(const ChartGeometry& chart)
    {
        const ChartLayout& l = chart.layout();
        W = std::max(1, l.m_nChartWidth);
        H = std::max(1, l.m_nChartHeight);
        tLow = l.m_fTMinWindow;
        tHigh = l.m_fTMaxWindow;
        if (!(tHigh > tLow))
            tHigh = tLow + 1.0;
        xLow = chart.MoistureFromX(0);
        xHigh = chart.MoistureFromX(l.m_nChartWidth);
        if (!(xHigh > xLow))
            xHigh = xLow + 0.001;
    }
    double column(double t) const { return (t - tLow) / (tHigh - tLow) * W; }
    double row(double x) const { return H - (x - xLow) / (xHigh - xLow) * H; }
    double temperatureAt(double X) const { return tLow + X / W * (tHigh - tLow); }
    double moistureAt(double Y) const { return xLow + (H - Y) / H * (xHigh - xLow); }
};

// The saturation moisture content at dry bulb t and pressure p; none where
// the vapour would reach the pressure.
std::optional<double> saturationMoisture(double p, double t, double RH = 1.0)
{
    const auto e = chartSaturationPressure(t);
    if (!e || !(RH * *e < p))
        return std::nullopt;
    return kMassRatio * RH * *e / (p - RH * *e);
}

// The iso-line families of the ASHRAE chart on one layout, drawn through a sink.
class AshraeGrid {
public:
    AshraeGrid(ChartGeometry& chart, chart::GridSink& sink)
        : m_chart(chart), m_idg(chart.model()), m_sink(sink), m_layout(chart.m_layout), m_axes(chart),
          m_G(chart.m_layout.m_fPenScale)
    {
    }

    void drawSaturationCurve();
    void drawDryBulbLines();
    void drawMoistureLines();
    void drawEnthalpyLines();
    void drawHumidityLines();
    void drawWetBulbLines();
    void drawProtractor();

private:
    int g(double multiple) const { return static_cast<int>(multiple * m_G); }
    bool showValues() const { return m_idg.m_bShowValues != 0; }
    bool shown(int family) const
    {
        return m_idg.m_drawOptions[static_cast<std::size_t>(family)].m_bShow != 0;
    }
    // The saturation curve's row in column X (0 … H).
    int boundaryAt(int X) const
    {
        const int W = m_layout.m_nChartWidth;
        return m_layout.m_nBoundary[static_cast<std::size_t>(std::clamp(X, 0, W))];
    }
    // The chart-relative point of (t, x), not rounded to the chart.
    CanvasPoint at(double t, double x) const
    {
        return {roundPixel(m_axes.column(t)), roundPixel(m_axes.row(x))};
    }
    bool inside(CanvasPoint p) const
    {
        return p.x >= 0 && p.x <= m_layout.m_nChartWidth && p.y >= 0 && p.y <= m_layout.m_nChartHeight &&
               p.y >= boundaryAt(p.x);
    }
    // A curve given by its points in order, cut to the part inside the chart
    // and below the saturation curve.
    void curve(const std::vector<CanvasPoint>& points);

    ChartGeometry& m_chart;
    const CIDG& m_idg;
    chart::GridSink& m_sink;
    const ChartLayout& m_layout;
    const Axes m_axes;
    double m_G;
};

// Fills the boundary: the saturation curve's row in every column, the top
// edge where the curve runs above the window.
void traceBoundary(ChartGeometry& chart)
{
    ChartLayout& l = chart.m_layout;
    const Axes axes(chart);
    const int W = l.m_nChartWidth;
    const int H = l.m_nChartHeight;
    const double p = chart.model().m_fSummerPressure;
    l.m_nBoundary.assign(static_cast<std::size_t>(W) + 1, 0);
    l.m_curveExit = CurveExit::None;
    bool visible = false;
    for (int X = 0; X <= W; ++X) {
        const auto xs = saturationMoisture(p, axes.temperatureAt(X));
        const int row = xs ? std::clamp(roundPixel(axes.row(*xs)), 0, H) : 0;
        l.m_nBoundary[static_cast<std::size_t>(X)] = row;
        if (row < H)
            visible = true;
        if (visible && row <= 0 && l.m_curveExit == CurveExit::None) {
            l.m_curveExit = CurveExit::TopEdge;
            l.m_nCurveEndX = X;
            l.m_nCurveEndY = 0;
        }
    }
    if (visible && l.m_curveExit == CurveExit::None) {
        l.m_curveExit = CurveExit::RightEdge;
        l.m_nCurveEndX = W;
        l.m_nCurveEndY = l.m_nBoundary[static_cast<std::size_t>(W)];
    }
    l.m_bBoundaryValid = true;
}

void AshraeGrid::curve(const std::vector<CanvasPoint>& points)
{
    std::vector<std::vector<CanvasPoint>> pieces;
    std::vector<CanvasPoint> piece;
    for (const CanvasPoint& point : points) {
        if (inside(point)) {
            piece.push_back(point);
            continue;
        }
        if (piece.size() >= 2)
            pieces.push_back(std::move(piece));
        piece.clear();
    }
    if (piece.size() >= 2)
        pieces.push_back(std::move(piece));
    m_sink.polylines(pieces);
}

void AshraeGrid::drawSaturationCurve()
{
    traceBoundary(m_chart);
    if (!shown(kFamilySaturation))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    std::vector<std::vector<CanvasPoint>> pieces;
    std::vector<CanvasPoint> piece;
    for (int X = 0; X <= W; ++X) {
        const int row = boundaryAt(X);
        if (row > 0 && row < H) {
            piece.push_back({X, row});
            continue;
        }
        if (piece.size() >= 2)
            pieces.push_back(std::move(piece));
        piece.clear();
    }
    if (piece.size() >= 2)
        pieces.push_back(std::move(piece));
    m_sink.familyPen(kFamilySaturation);
    m_sink.polylines(pieces);
}

void AshraeGrid::drawDryBulbLines()
{
    if (!shown(kFamilyDryBulb))
        return;
    const chart::GridScale scale(Quantity::Temperature, m_layout.m_spacings.dryBulb, m_idg);
    if (!scale.usable(m_axes.tHigh - m_axes.tLow))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    m_sink.familyPen(kFamilyDryBulb);
    m_sink.labelFont();
    int previousLabel = -(1 << 28);
    for (const double t : scale.multiples(m_axes.tLow, m_axes.tHigh)) {
        const int X = roundPixel(m_axes.column(t));
        if (X < 0 || X > W)
            continue;
        // Straight up from the bottom to the saturation curve.
        if (X > 0 && X < W && boundaryAt(X) < H)
            m_sink.line(X, H, X, boundaryAt(X));
        if (showValues() && X - previousLabel >= chart::axisValueGap(m_chart.m_nLabelGapX, m_sink, scale,
                                                                     scale.labelValue(t))) {
            m_sink.label(X, H + g(4), chart::formatNumber("%1.0f", scale.labelValue(t)),
                         text_align::kCenter | text_align::kTop, GridLabelRank::AxisValue);
            previousLabel = X;
        }
    }
    if (showValues())
        m_sink.label(-g(6), H + g(4), scale.title("t"), text_align::kRight | text_align::kTop,
                     GridLabelRank::AxisTitle);
}

void AshraeGrid::drawMoistureLines()
{
    if (!shown(kFamilyMoisture))
        return;
    const chart::GridScale scale(Quantity::MoistureContent, m_layout.m_spacings.moisture, m_idg);
    if (!scale.usable(m_axes.xHigh - m_axes.xLow))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    m_sink.familyPen(kFamilyMoisture);
    m_sink.labelFont();
    int previousLabel = 1 << 28;
    for (const double x : scale.multiples(m_axes.xLow, m_axes.xHigh)) {
        const int Y = roundPixel(m_axes.row(x));
        if (Y < 0 || Y > H)
            continue;
        // From the saturation curve (the dew point of x) to the right edge.
        int start = 0;
        while (start < W && boundaryAt(start) > Y)
            ++start;
        if (Y > 0 && Y < H && start < W)
            m_sink.line(start, Y, W, Y);
        if (showValues() && previousLabel - Y >= m_chart.m_nLabelGapY / 2) {
            m_sink.label(W + g(3), Y, chart::formatNumber("%1.0f", scale.labelValue(x)),
                         text_align::kLeft | text_align::kBaseline, GridLabelRank::AxisValue);
            previousLabel = Y;
        }
    }
    if (showValues())
        m_sink.label(W, -g(6), scale.title("x"), text_align::kRight | text_align::kBottom,
                     GridLabelRank::AxisTitle);
}

void AshraeGrid::drawEnthalpyLines()
{
    if (!shown(kFamilyEnthalpy))
        return;
    const chart::GridScale scale(Quantity::Enthalpy, m_layout.m_spacings.enthalpy, m_idg);
    const double p = m_idg.m_fSummerPressure;
    const double lowest = enthalpyOf(m_axes.tLow, m_axes.xLow);
    const double highest = enthalpyOf(m_axes.tHigh, m_axes.xHigh);
    if (!scale.usable(highest - lowest))
        return;
    m_sink.familyPen(kFamilyEnthalpy);
    m_sink.labelFont();
    bool titled = false;
    for (const double h : scale.multiples(lowest, highest)) {
        // The line of equal enthalpy is straight in t and x up to the small
        // vapour term: it runs from its dry-air end x = xLow down the dry
        // bulb to where it meets the saturation curve.
        std::vector<CanvasPoint> points;
        const double tDry = dryBulbOf(m_axes.xLow, h);
        std::optional<CanvasPoint> saturated;
        const int samples = std::max(2, static_cast<int>(m_axes.W / kCurveStep));
        for (int n = 0; n <= samples; ++n) {
            const double t = tDry - (tDry - m_axes.tLow) * n / samples;
            const double x = (h - kCpDryAir * t) / (kLatentHeat + kCpVapour * t);
            const auto xs = saturationMoisture(p, t);
            if (!xs || x > *xs) {
                saturated = at(t, std::min(x, xs.value_or(x)));
                break;
            }
            points.push_back(at(t, x));
        }
        curve(points);
        // The value on the enthalpy scale outside the saturation curve,
        // up and left of where the line meets it.
        if (!showValues() || !saturated || saturated->x < 0 || saturated->x > m_layout.m_nChartWidth ||
            saturated->y < 0 || saturated->y > m_layout.m_nChartHeight)
            continue;
        const CanvasPoint anchor{saturated->x - g(3), saturated->y - g(3)};
        m_sink.label(anchor.x, anchor.y, chart::formatNumber("%1.0f", scale.labelValue(h)),
                     text_align::kRight | text_align::kBottom, GridLabelRank::IsoLineValue);
        // The title left of the first value that leaves it room on the page.
        if (!titled && anchor.x - g(24) - m_sink.measure(scale.title("h")).width >= -m_layout.m_nChartLeft) {
            m_sink.label(anchor.x - g(24), anchor.y, scale.title("h"),
                         text_align::kRight | text_align::kBottom, GridLabelRank::AxisTitle);
            titled = true;
        }
    }
}

void AshraeGrid::drawHumidityLines()
{
    if (!shown(kFamilyHumidity))
        return;
    const float step = m_layout.m_spacings.humidity;
    if (!usableSpacing(step, 1.0))
        return;
    const int W = m_layout.m_nChartWidth;
    const double p = m_idg.m_fSummerPressure;
    m_sink.familyPen(kFamilyHumidity);
    m_sink.labelFont();
    int lastLabel = -(1 << 28);
    float RH = 1.0f - step;
    for (int i = 0; i < kMaxLinesPerFamily && RH > 0.01f; ++i, RH -= step) {
        std::vector<CanvasPoint> points;
        for (int X = 0; X <= W; X += kCurveStep) {
            const auto x = saturationMoisture(p, m_axes.temperatureAt(X), RH);
            if (!x)
                break;
            points.push_back({X, roundPixel(m_axes.row(*x))});
        }
        curve(points);
        if (!showValues())
            continue;
        // The value where the curve leaves the chart, at the top or the
        // right edge.
        CanvasPoint end{-1, -1};
        for (const CanvasPoint& point : points)
            if (inside(point))
                end = point;
        if (end.x < 0 || std::abs(end.x - lastLabel) < m_chart.m_nLabelGapX)
            continue;
        m_sink.label(end.x - g(1), std::max(end.y, g(1)), chart::formatNumber("%1.0f%%", RH * 100.0),
                     text_align::kRight | text_align::kTop, GridLabelRank::IsoLineValue);
        lastLabel = end.x;
    }
}

void AshraeGrid::drawWetBulbLines()
{
    if (!shown(kFamilyWetBulb))
        return;
    const chart::GridScale scale(Quantity::Temperature, m_layout.m_spacings.wetBulb, m_idg);
    if (!scale.usable(m_axes.tHigh - m_axes.tLow))
        return;
    const double p = m_idg.m_fSummerPressure;
    m_sink.familyPen(kFamilyWetBulb);
    for (const double tw : scale.multiples(m_axes.tLow, m_axes.tHigh)) {
        const auto xs = saturationMoisture(p, tw);
        if (!xs)
            continue;
        // The chart's wet-bulb line: from saturation at tw, the enthalpy
        // falls by the water's heat as the moisture content falls.
        const double h0 = enthalpyOf(tw, *xs) - kCpWater * *xs * tw;
        std::vector<CanvasPoint> points;
        const int samples = std::max(2, static_cast<int>(m_axes.H / kCurveStep));
        const double xEnd = std::max(m_axes.xLow, 0.0);
        for (int n = 0; n <= samples; ++n) {
            const double x = *xs - (*xs - xEnd) * n / samples;
            points.push_back(at(dryBulbOf(x, h0 + kCpWater * x * tw), x));
        }
        curve(points);
    }
}

// The heat–moisture ratios the protractor marks, kJ/kg in SI and Btu/lb in
// IP, and the state its directions are taken at (24 °C, 50 %, as ASHRAE
// charts take theirs: a line of one ratio bends a little across the chart).
constexpr double kProtractorRatiosSi[] = {-5000, -2000, 0, 1000, 2000, 3000, 5000, 10000};
constexpr double kProtractorRatiosIp[] = {-2000, -1000, 0, 500, 1000, 1500, 2000, 5000};
constexpr double kProtractorT = 24.0;
constexpr double kProtractorX = 0.0093;
// Points along the protractor's half circle.
constexpr int kProtractorArcPoints = 36;

void AshraeGrid::drawProtractor()
{
    if (!showValues())
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    const double R = std::min(W, H) * 0.1;
    const CanvasPoint centre{roundPixel(W * 0.15), roundPixel(H * 0.12 + R)};
    if (!(R >= 8.0))
        return;
    // Only where the chart is empty: above the saturation curve, inside the chart.
    std::vector<CanvasPoint> arc;
    for (int n = 0; n <= kProtractorArcPoints; ++n) {
        const double angle = std::numbers::pi * n / kProtractorArcPoints;
        const CanvasPoint q{roundPixel(centre.x + R * std::cos(angle)),
                            roundPixel(centre.y - R * std::sin(angle))};
        if (q.x < 0 || q.x > W || q.y < 0 || q.y > H || boundaryAt(q.x) <= q.y)
            return;
        arc.push_back(q);
    }
    if (boundaryAt(centre.x + static_cast<int>(R)) <= centre.y)
        return;
    m_sink.familyPen(kFamilyEnthalpy);
    m_sink.polylines({arc});
    m_sink.line(centre.x - static_cast<int>(R), centre.y, centre.x + static_cast<int>(R), centre.y);
    m_sink.labelFont();
    // A line of ratio ε = Δh/Δx runs, per unit of moisture, dt/dx =
    // (ε − r − cv·t)/(cp + cv·x) in dry bulb: its direction on the page.
    const bool ip = m_idg.m_nUnitSystem == CIDG::kUnitsIP;
    const double columnsPerK = m_axes.W / (m_axes.tHigh - m_axes.tLow);
    const double rowsPerMoisture = m_axes.H / (m_axes.xHigh - m_axes.xLow);
    for (const double shown :
         ip ? std::span<const double>(kProtractorRatiosIp) : std::span<const double>(kProtractorRatiosSi)) {
        const double ratio = ip ? shown * qorva::units::kKJPerKgPerBtuPerLb : shown;
        const double dt =
            (ratio - kLatentHeat - kCpVapour * kProtractorT) / (kCpDryAir + kCpVapour * kProtractorX);
        const double dX = dt * columnsPerK;
        const double dY = -rowsPerMoisture;
        const double length = std::hypot(dX, dY);
        const double ux = dX / length;
        const double uy = dY / length;
        m_sink.line(roundPixel(centre.x + 0.3 * R * ux), roundPixel(centre.y + 0.3 * R * uy),
                    roundPixel(centre.x + R * ux), roundPixel(centre.y + R * uy));
        const int align = (ux > 0.3    ? text_align::kLeft
                           : ux < -0.3 ? text_align::kRight
                                       : text_align::kCenter) |
                          text_align::kBottom;
        m_sink.label(roundPixel(centre.x + 1.06 * R * ux), roundPixel(centre.y + 1.06 * R * uy),
                     chart::formatNumber("%1.0f", shown), align, GridLabelRank::IsoLineValue);
    }
    m_sink.label(centre.x, centre.y + g(2), ip ? "ε(Btu/lb)" : "ε(kJ/kg)",
                 text_align::kCenter | text_align::kTop, GridLabelRank::AxisTitle);
}

// The ASHRAE form: dry bulb across, moisture content up on the right, the
// enthalpy on an oblique scale outside the saturation curve.
class AshraeChartForm : public ChartForm {
public:
    const char* Name() const override { return "ashrae"; }
    CanvasPoint Position(const ChartGeometry& chart, double d, double h) const override
    {
        const Axes axes(chart);
        return {roundPixel(axes.column(dryBulbOf(d, h))), roundPixel(axes.row(d))};
    }
    std::pair<double, double> StateAt(const ChartGeometry& chart, double X, double Y) const override
    {
        const Axes axes(chart);
        const double x = axes.moistureAt(Y);
        return {x, enthalpyOf(axes.temperatureAt(X), x)};
    }
    bool Unsaturated(const ChartLayout& l, int X, int Y) const override
    {
        return X >= 0 && static_cast<std::size_t>(X) < l.m_nBoundary.size() &&
               l.m_nBoundary[static_cast<std::size_t>(X)] <= Y;
    }
    void TraceBoundary(ChartGeometry& chart) const override { traceBoundary(chart); }
    // Centred above the chart: the dry-bulb values take its bottom edge.
    chart::LabelPlace PressureLabelPlace(const ChartLayout& l) const override
    {
        return {{l.m_nChartWidth / 2, -static_cast<int>(6.0 * l.m_fPenScale)},
                text_align::kCenter | text_align::kBottom};
    }
    void DrawIsoLines(ChartGeometry& chart, chart::GridSink& sink) const override
    {
        AshraeGrid grid(chart, sink);
        grid.drawSaturationCurve();
        grid.drawMoistureLines();
        grid.drawEnthalpyLines();
        grid.drawDryBulbLines();
        grid.drawHumidityLines();
        grid.drawWetBulbLines();
        chart::DrawVolumeLines(chart, sink);
        grid.drawProtractor();
    }
};

} // namespace

const ChartForm& ashraeChartForm()
{
    static const AshraeChartForm form;
    return form;
}
