#include "chart/VolumeLines.h"

#include <algorithm>
#include <vector>

#include "chart/ChartForm.h"
#include "chart/ChartGeometry.h"
#include "chart/GridScale.h"
#include "chart/Pixels.h"
#include "chart/TextMetrics.h"
#include "model/CIDG.h"

namespace chart {

namespace {

constexpr double kGasConstantDryAir = 287.042; // J/(kg·K)
constexpr double kVolumeMoistureFactor = 1.6078;
constexpr double kCelsiusZero = 273.15;
constexpr double kCpDryAir = 1.01;
constexpr double kCpVapour = 1.85;
constexpr double kLatentHeat = 2500.0;
// Points along a volume line over the window's moisture contents.
constexpr int kSamples = 48;

// The dry bulb of air with moisture content x and specific volume v (m³/kg
// of dry air) at pressure p.
double dryBulbAt(double v, double x, double p)
{
    return v * p / (kGasConstantDryAir * (1.0 + kVolumeMoistureFactor * x)) - kCelsiusZero;
}

} // namespace

double SpecificVolume(double t, double x, double p)
{
    return kGasConstantDryAir * (t + kCelsiusZero) * (1.0 + kVolumeMoistureFactor * x) / p;
}

void DrawVolumeLines(ChartGeometry& chart, GridSink& sink)
{
    const CIDG& idg = chart.model();
    const DrawOption& option = idg.m_volumeLines;
    if (!option.m_bShow)
        return;
    const ChartLayout& l = chart.layout();
    const double p = idg.m_fSummerPressure;
    const double xLow = std::max(0.0, chart.MoistureFromX(0));
    const double xHigh = chart.MoistureFromX(l.m_nChartWidth);
    if (!(p > 0.0) || !(xHigh > xLow))
        return;
    const double lowest = SpecificVolume(l.m_fTMinWindow, xLow, p);
    const double highest = SpecificVolume(l.m_fTMaxWindow, xHigh, p);
    const GridScale scale(qorva::units::Quantity::SpecificVolume, option.m_fStep, idg);
    if (!scale.usable(highest - lowest))
        return;
    const ChartForm& form = chart.form();
    const int W = l.m_nChartWidth;
    const int H = l.m_nChartHeight;
    const auto inside = [&](CanvasPoint q) {
        return q.x >= 0 && q.x <= W && q.y >= 0 && q.y <= H && form.Unsaturated(l, q.x, q.y);
    };
    sink.familyPen(kFamilyVolume);
    sink.labelFont();
    const bool values = idg.m_bShowValues != 0;
    for (const double v : scale.multiples(lowest, highest)) {
        std::vector<std::vector<CanvasPoint>> pieces;
        std::vector<CanvasPoint> piece;
        for (int n = 0; n <= kSamples; ++n) {
            const double x = xLow + (xHigh - xLow) * n / kSamples;
            const double t = dryBulbAt(v, x, p);
            const CanvasPoint q = form.Position(chart, x, kCpDryAir * t + x * (kLatentHeat + kCpVapour * t));
            if (inside(q)) {
                piece.push_back(q);
                continue;
            }
            if (piece.size() >= 2)
                pieces.push_back(std::move(piece));
            piece.clear();
        }
        if (piece.size() >= 2)
            pieces.push_back(std::move(piece));
        if (pieces.empty())
            continue;
        sink.polylines(pieces);
        // The value a little way in from the line's dry end, clear of the
        // axis values at the chart's edge.
        if (values) {
            const std::vector<CanvasPoint>& first = pieces.front();
            const CanvasPoint end = first[first.size() / 6];
            sink.label(end.x + static_cast<int>(2 * l.m_fPenScale),
                       end.y - static_cast<int>(2 * l.m_fPenScale),
                       formatNumber(scale.ip() ? "%1.1f" : "%1.2f", scale.shown(v)),
                       text_align::kLeft | text_align::kBottom, GridLabelRank::IsoLineValue);
        }
    }
}

} // namespace chart
