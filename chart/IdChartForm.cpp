#include "chart/ChartForm.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartGeometry.h"
#include "chart/ChartProperties.h"
#include "chart/LabelPlacement.h"
#include "chart/GridScale.h"
#include "chart/Pixels.h"
#include "chart/TextMetrics.h"
#include "chart/VolumeLines.h"
#include "model/DrawOption.h"

namespace {

using chart::GridLabelRank;
using chart::kMaxLinesPerFamily;
using chart::overlaps;
using chart::textBox;
using chart::usableSpacing;
using qorva::units::Quantity;

constexpr double kCpDryAir = 1.01;  // kJ/(kg·K)
constexpr double kCpWater = 4.1868; // kJ/(kg·K), water added on the wet-bulb lines
constexpr double kMassRatio = 0.62198;
constexpr double kLatentHeat = 2500.0;             // kJ/kg
constexpr double kWetBulbSlopeFactor = 0.00167472; // 4.1868 / 2500
// The dry-bulb lines run while t < x_max·2475.2476 + t_min: 2475.2476 = 2500/1.01,
// the temperature span of the chart height at zoom 1.
constexpr double kDryBulbSpanPerMoisture = 2475.2476;
// The highest enthalpy of the full chart: h_min + 5000·x_max (twice the chart height).
constexpr double kEnthalpySpanPerMoisture = 5000.0;
constexpr int kFarAway = 1 << 28;
// The enthalpy title moves along its row at most this many half-heights.
constexpr int kMaxTitleShifts = 60;

// A relative-humidity curve traced column by column in chart-relative pixels.
struct HumidityCurve {
    std::vector<std::vector<CanvasPoint>> pieces; // drawn polylines
    int endX = 0;                                 // column and row where the trace ended
    int endY = 0;
    CurveExit exit = CurveExit::None;
};

// Traces the curve of relative humidity RH (fraction; 1 = saturation) across
// the chart; with writeBoundary it also fills the saturation boundary and
// the curve's exit of the layout.
HumidityCurve traceHumidityCurve(ChartGeometry& chart, double RH, bool writeBoundary)
{
    ChartLayout& l = chart.m_layout;
    const int W = l.m_nChartWidth;
    const int H = l.m_nChartHeight;
    HumidityCurve curve;
    std::vector<CanvasPoint> piece;
    if (writeBoundary) {
        l.m_nBoundary.assign(static_cast<std::size_t>(W) + 1, 0);
        l.m_nBoundary[0] = l.m_nTotalHeight;
    }
    int lastRow = l.m_nTotalHeight > 0 ? l.m_nTotalHeight : 1;
    bool visible = false;
    double guess = std::nan("");
    int X = 1;
    for (; X <= W && lastRow > 0; ++X) {
        const auto t = chartSaturationTemperature(chart.SaturationPressureNeeded(X, RH), guess);
        if (t)
            guess = *t;
        int row = H;
        const bool inChart =
            t && *t >= chart.model().m_fTMinFull && (row = chart.YFromTemperature(*t, X)) < H;
        if (inChart) {
            piece.push_back({X, std::max(row, 0)});
            lastRow = row;
            visible = true;
        } else {
            // The curve runs below the chart bottom here: the pen moves on
            // along the bottom edge without drawing.
            if (piece.size() >= 2)
                curve.pieces.push_back(std::move(piece));
            piece.assign(1, CanvasPoint{X, H});
            lastRow = H;
        }
        if (writeBoundary)
            l.m_nBoundary[static_cast<std::size_t>(X)] = lastRow;
    }
    if (piece.size() >= 2)
        curve.pieces.push_back(std::move(piece));
    curve.endX = X - 1;
    curve.endY = lastRow;
    // A curve that runs below the whole window has no end to label.
    if (!visible)
        curve.exit = CurveExit::None;
    else
        curve.exit = lastRow <= 0 ? CurveExit::TopEdge : CurveExit::RightEdge;
    if (writeBoundary) {
        l.m_nCurveEndX = curve.endX;
        l.m_nCurveEndY = curve.endY;
        l.m_curveExit = curve.exit;
        l.m_bBoundaryValid = true;
    }
    return curve;
}

// The iso-line families of the i-d chart on one layout, drawn through a sink.
class IdGrid {
public:
    IdGrid(ChartGeometry& chart, chart::GridSink& sink)
        : m_chart(chart), m_idg(chart.model()), m_sink(sink), m_layout(chart.m_layout),
          m_G(chart.m_layout.m_fPenScale)
    {
    }

    void drawSaturationCurve();
    void drawMoistureLines();
    void drawEnthalpyLines();
    void drawDryBulbLines();
    void drawHumidityLines();
    void drawWetBulbLines();

private:
    struct EnthalpyLabels {
        int lastX = -(1 << 28);
        int lastY = -(1 << 28);
        bool titlePlaced = false;
        int titleX = 0; // chart-relative place of the title beside the first value
        int titleY = 0;
        std::vector<CanvasRect> boxes; // the values written, device units
    };

    int g(double multiple) const;
    bool showValues() const;
    int boundaryAt(int X) const;
    void drawEnthalpyLine(double h, const std::string& label, EnthalpyLabels& labels);
    void drawEnthalpyTitle(const EnthalpyLabels& labels, const std::string& title);
    // The dry-bulb title "t(℃)": whether it is drawn, its chart-relative
    // baseline (clear of the lowest dry-bulb value) and its device box;
    // enthalpy values keep out of that box. Label font selected.
    bool temperatureTitleDrawn() const;
    int temperatureTitleBaseline();
    CanvasRect temperatureTitleBox();

    ChartGeometry& m_chart;
    const CIDG& m_idg;
    chart::GridSink& m_sink;
    const ChartLayout& m_layout;
    double m_G;
    std::optional<int> m_temperatureTitleBaseline;
};

int IdGrid::g(double multiple) const
{
    return static_cast<int>(multiple * m_G);
}

bool IdGrid::showValues() const
{
    return m_idg.m_bShowValues != 0;
}

int IdGrid::boundaryAt(int X) const
{
    const int W = m_layout.m_nChartWidth;
    return m_layout.m_nBoundary[static_cast<std::size_t>(std::clamp(X, 0, W))];
}

void IdGrid::drawSaturationCurve()
{
    const HumidityCurve curve = traceHumidityCurve(m_chart, 1.0, true);
    if (!m_idg.m_drawOptions[kFamilySaturation].m_bShow)
        return;
    m_sink.familyPen(kFamilySaturation);
    m_sink.polylines(curve.pieces);
}

void IdGrid::drawMoistureLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyMoisture];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.moisture;
    const double limit = m_layout.m_fXMaxFull;
    const chart::GridScale scale(Quantity::MoistureContent, step, m_idg);
    if (!usableSpacing(step, limit) || !scale.usable(limit))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    m_sink.familyPen(kFamilyMoisture);
    m_sink.labelFont();
    int previousLabel = -kFarAway;
    for (const double x : scale.values(0.0, limit)) {
        const int X = m_chart.XFromMoisture(x);
        if (X > 0 && X < W && boundaryAt(X) > 0)
            m_sink.line(X, 0, X, std::min(boundaryAt(X), H));
        if (X >= 0 && X <= W && boundaryAt(X) >= 0 &&
            X - previousLabel >=
                chart::axisValueGap(m_chart.m_nLabelGapX, m_sink, scale, scale.labelValue(x))) {
            m_sink.label(X, 0, chart::formatNumber("%1.0f", scale.labelValue(x)),
                         text_align::kCenter | text_align::kBottom, GridLabelRank::AxisValue);
            previousLabel = X;
        }
    }
    m_sink.label(W / 2, -g(16), scale.title("x"), text_align::kCenter | text_align::kBottom,
                 GridLabelRank::AxisTitle);
}

void IdGrid::drawEnthalpyLine(double h, const std::string& label, EnthalpyLabels& labels)
{
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    int Xs = 0;
    int Ys = m_chart.YFromEnthalpy(h, 0);
    if (Ys < 1) {
        Xs = m_chart.XFromEnthalpy(h, 0);
        Ys = 0;
    }
    if (Ys > H || Xs > W)
        return;
    int end = std::max(Xs, 0);
    int row = m_chart.YFromEnthalpy(h, end);
    while (end < W && row < boundaryAt(end)) {
        ++end;
        row = m_chart.YFromEnthalpy(h, end);
    }
    if (end < 1 || row < 1 || row > boundaryAt(end) + 2)
        return;
    if (h > 0 && row > H)
        row = H;
    m_sink.line(Xs, Ys, end, row);

    if (!showValues() || row < 9)
        return;
    if (std::abs(end - labels.lastX) < m_chart.m_nLabelGapX &&
        std::abs(row - labels.lastY) < m_chart.m_nLabelGapY)
        return;
    int anchorX = 0;
    int anchorY = 0;
    int align = 0;
    if (row >= H) {
        if (end <= 4)
            return;
        anchorX = end;
        anchorY = row + g(1);
        align = text_align::kCenter | text_align::kTop;
    } else if (end >= W) {
        anchorX = end + g(2);
        anchorY = row + g(4);
        align = text_align::kLeft | text_align::kBaseline;
    } else {
        if (end <= 4)
            return;
        anchorX = end + g(1);
        anchorY = row + g(1);
        align = text_align::kLeft | text_align::kTop;
    }
    // The corner below the dry-bulb values belongs to their title.
    if (temperatureTitleDrawn() &&
        overlaps(textBox({anchorX + m_layout.m_nChartLeft, anchorY + m_layout.m_nChartTop},
                         m_sink.measure(label), align),
                 temperatureTitleBox()))
        return;
    labels.boxes.push_back(m_sink.label(anchorX, anchorY, label, align, GridLabelRank::IsoLineValue));
    labels.lastX = end;
    labels.lastY = row;
    if (!labels.titlePlaced) {
        // The title reads the same wherever the first value landed.
        labels.titleX = anchorX + g(h > 0 ? 19 : 15);
        labels.titleY = anchorY;
        labels.titlePlaced = true;
    }
}

bool IdGrid::temperatureTitleDrawn() const
{
    return showValues() && m_idg.m_drawOptions[kFamilyDryBulb].m_bShow;
}

int IdGrid::temperatureTitleBaseline()
{
    if (m_temperatureTitleBaseline)
        return *m_temperatureTitleBaseline;
    // Below the lowest place a dry-bulb value can take (its baseline 4G
    // under the bottom edge), with a pen unit between them whatever the
    // font, but never below the drawing.
    const int H = m_layout.m_nChartHeight;
    const int unit = std::max(1, g(1));
    const int align = text_align::kRight | text_align::kBaseline;
    const CanvasRect lowestValue =
        textBox({m_layout.m_nChartLeft, H + g(4) + m_layout.m_nChartTop}, m_sink.measure("-30"), align);
    const CanvasSize size = m_sink.measure(chart::GridScale(Quantity::Temperature, 1.0, m_idg).title("t"));
    int baseline = H + g(18);
    const CanvasRect box = textBox({m_layout.m_nChartLeft, baseline + m_layout.m_nChartTop}, size, align);
    if (lowestValue.bottom + unit > box.top)
        baseline += lowestValue.bottom + unit - box.top;
    const int descent = size.height - (4 * size.height + 4) / 5;
    baseline = std::min(baseline, m_layout.m_nTotalHeight - m_layout.m_nChartTop - descent);
    m_temperatureTitleBaseline = baseline;
    return baseline;
}

CanvasRect IdGrid::temperatureTitleBox()
{
    const int baseline = temperatureTitleBaseline();
    return textBox({m_layout.m_nChartLeft, baseline + m_layout.m_nChartTop},
                   m_sink.measure(chart::GridScale(Quantity::Temperature, 1.0, m_idg).title("t")),
                   text_align::kRight | text_align::kBaseline);
}

void IdGrid::drawEnthalpyTitle(const EnthalpyLabels& labels, const std::string& title)
{
    if (!labels.titlePlaced)
        return;
    // Beside the first value, moved on along the row past any value it would
    // run into: the values stand closer together than the title is wide.
    const int align = text_align::kLeft | text_align::kTop;
    const CanvasSize size = m_sink.measure(title);
    const int step = std::max(1, size.height / 2);
    int X = labels.titleX;
    for (int tries = 0; tries < kMaxTitleShifts; ++tries) {
        const CanvasRect box =
            textBox({X + m_layout.m_nChartLeft, labels.titleY + m_layout.m_nChartTop}, size, align);
        const bool clear = std::none_of(labels.boxes.begin(), labels.boxes.end(),
                                        [&](const CanvasRect& value) { return overlaps(value, box); });
        if (clear)
            break;
        X += step;
    }
    m_sink.label(X, labels.titleY, title, align, GridLabelRank::AxisTitle);
}

void IdGrid::drawEnthalpyLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyEnthalpy];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.enthalpy;
    const double lowest = kCpDryAir * m_chart.model().m_fTMinFull;
    const double highest = kEnthalpySpanPerMoisture * m_layout.m_fXMaxFull + lowest;
    const chart::GridScale scale(Quantity::Enthalpy, step, m_idg);
    if (!usableSpacing(step, highest - std::min(lowest, 0.0)) || !scale.usable(highest - lowest))
        return;
    m_sink.familyPen(kFamilyEnthalpy);
    m_sink.labelFont();
    EnthalpyLabels labels;
    const auto draw = [&](double h) {
        drawEnthalpyLine(h, chart::formatNumber("%1.0f", scale.labelValue(h)), labels);
    };
    if (scale.ip()) {
        // As in SI: from the zero of the scale down, then up from it.
        const std::vector<double> values = scale.values(lowest, highest);
        const auto above =
            std::find_if(values.begin(), values.end(), [&](double h) { return scale.shown(h) > 1e-9; });
        for (auto it = above; it != values.begin();)
            draw(*--it);
        for (auto it = above; it != values.end(); ++it)
            draw(*it);
    } else {
        if (lowest < 0) {
            for (int i = 0; i <= kMaxLinesPerFamily; ++i) {
                const double h = -i * step;
                if (!(h > lowest))
                    break;
                draw(h);
            }
        }
        for (int i = 1; i <= kMaxLinesPerFamily; ++i) {
            const double h = i * step;
            if (!(h < highest))
                break;
            draw(h);
        }
    }
    if (showValues())
        drawEnthalpyTitle(labels, scale.title("h"));
}

void IdGrid::drawDryBulbLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyDryBulb];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.dryBulb;
    const double first = m_chart.model().m_fTMinFull;
    const double limit = m_layout.m_fXMaxFull * kDryBulbSpanPerMoisture + first;
    const chart::GridScale scale(Quantity::Temperature, step, m_idg);
    if (!usableSpacing(step, limit - first) || !scale.usable(limit - first))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    m_sink.familyPen(kFamilyDryBulb);
    m_sink.labelFont();
    int previousLabel = H + m_chart.m_nLabelGapY;
    for (const double t : scale.values(first, limit)) {
        const int Y0 = m_chart.YFromTemperature(t, 0);
        if (Y0 <= 0 || Y0 > H)
            continue;
        int end = 0;
        int row = Y0;
        while (end < W && row >= 1 && row < boundaryAt(end)) {
            ++end;
            row = m_chart.YFromTemperature(t, end);
        }
        m_sink.line(0, Y0, end, row);
        if (showValues() && previousLabel - Y0 >= m_chart.m_nLabelGapY) {
            m_sink.label(0, Y0 + g(4), chart::formatNumber("%1.0f", scale.labelValue(t)),
                         text_align::kRight | text_align::kBaseline, GridLabelRank::AxisValue);
            previousLabel = Y0;
        }
    }
    if (!showValues())
        return;
    m_sink.label(0, temperatureTitleBaseline(), scale.title("t"), text_align::kRight | text_align::kBaseline,
                 GridLabelRank::AxisTitle);
}

void IdGrid::drawHumidityLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyHumidity];
    if (!option.m_bShow)
        return;
    m_sink.labelFont();
    int lastX = m_layout.m_nCurveEndX;
    int lastY = m_layout.m_nCurveEndY;
    CurveExit lastExit = m_layout.m_curveExit;
    if (showValues()) {
        if (m_layout.m_curveExit == CurveExit::RightEdge)
            m_sink.label(lastX - g(1), lastY + g(4), "100%", text_align::kRight | text_align::kBaseline,
                         GridLabelRank::IsoLineValue);
        else if (m_layout.m_curveExit == CurveExit::TopEdge)
            m_sink.label(lastX - g(1), g(1), "100%", text_align::kRight | text_align::kTop,
                         GridLabelRank::IsoLineValue);
    }
    const float step = m_layout.m_spacings.humidity;
    if (!usableSpacing(step, 1.0))
        return;
    m_sink.familyPen(kFamilyHumidity);
    float RH = 1.0f - step;
    for (int i = 0; i < kMaxLinesPerFamily && RH > 0.01f; ++i, RH -= step) {
        const HumidityCurve curve = traceHumidityCurve(m_chart, RH, false);
        m_sink.polylines(curve.pieces);
        if (!showValues())
            continue;
        // Drier curves end higher up the right edge, then further left along
        // the top: a label needs room above or left of the last one.
        if (lastX - curve.endX < m_chart.m_nLabelGapX && lastY - curve.endY < m_chart.m_nLabelGapY / 2)
            continue;
        if (curve.exit == CurveExit::None)
            continue;
        const std::string label = chart::formatNumber("%1.0f%%", RH * 100.0);
        if (curve.exit == CurveExit::RightEdge)
            m_sink.label(curve.endX - g(1), curve.endY + g(4), label,
                         text_align::kRight | text_align::kBaseline, GridLabelRank::IsoLineValue);
        else
            m_sink.label(curve.endX - g(1), g(1), label, text_align::kCenter | text_align::kTop,
                         GridLabelRank::IsoLineValue);
        lastX = curve.endX;
        lastY = curve.endY;
        lastExit = curve.exit;
    }
    if (!showValues())
        return;
    if (lastExit == CurveExit::RightEdge)
        m_sink.label(lastX - g(1) - g(25), lastY + g(4), "RH", text_align::kRight | text_align::kBaseline,
                     GridLabelRank::AxisTitle);
    else if (lastExit == CurveExit::TopEdge)
        m_sink.label(lastX - g(1) + g(25), g(1), "RH", text_align::kCenter | text_align::kTop,
                     GridLabelRank::AxisTitle);
}

void IdGrid::drawWetBulbLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyWetBulb];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.wetBulb;
    const double first = m_chart.model().m_fTMinFull;
    const double limit = m_layout.m_fXMaxFull * kDryBulbSpanPerMoisture + first;
    const chart::GridScale scale(Quantity::Temperature, step, m_idg);
    if (!usableSpacing(step, limit - first) || !scale.usable(limit - first))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    const double p = m_idg.m_fSummerPressure;
    const double sh = m_layout.m_fHScale;
    const double k = m_layout.m_fSlope;
    m_sink.familyPen(kFamilyWetBulb);
    for (const double tw : scale.values(first, limit)) {
        const auto e = chartSaturationPressure(tw);
        if (!e || !(*e < p))
            continue;
        const double xs = kMassRatio * *e / (p - *e);
        const double h0 = (1.85 * xs + kCpDryAir) * tw + kLatentHeat * xs - kCpWater * xs * tw;
        auto rowAt = [&](int X) {
            return m_chart.YFromEnthalpy(h0 + m_chart.MoistureFromX(X) * tw * kCpWater, X);
        };
        int Xs = 0;
        int Ys = m_chart.YFromEnthalpy(h0, 0);
        if (Ys < 1) {
            const double start = (m_layout.m_nYOffset - H * static_cast<double>(m_layout.m_fZoom) +
                                  (h0 - kCpDryAir * m_chart.model().m_fTMinFull) * sh) /
                                     ((1.0 - kWetBulbSlopeFactor * tw) * k) -
                                 m_layout.m_nXOffset + 0.5;
            if (!std::isfinite(start) || start > W)
                continue;
            Xs = static_cast<int>(std::max(start, -1.0));
            Ys = 0;
        }
        if (Ys > H || Xs > W)
            continue;
        int end = std::max(Xs, 0);
        int row = rowAt(end);
        while (end < W && row < boundaryAt(end)) {
            ++end;
            row = rowAt(end);
        }
        m_sink.line(Xs, Ys, end, row);
    }
}

// The i-d form: the state's column from its moisture content, its row from
// its enthalpy along the oblique enthalpy lines.
class IdChartForm : public ChartForm {
public:
    const char* Name() const override { return "id"; }
    bool Unsaturated(const ChartLayout& l, int X, int Y) const override
    {
        return X >= 0 && static_cast<std::size_t>(X) < l.m_nBoundary.size() &&
               l.m_nBoundary[static_cast<std::size_t>(X)] >= Y;
    }
    CanvasPoint Position(const ChartGeometry& chart, double d, double h) const override
    {
        const int X = chart.XFromMoisture(d);
        return {X, chart.YFromEnthalpy(h, X)};
    }
    std::pair<double, double> StateAt(const ChartGeometry& chart, double X, double Y) const override
    {
        return {chart.MoistureFromX(X), chart.EnthalpyFromXY(X, Y)};
    }
    void TraceBoundary(ChartGeometry& chart) const override { traceHumidityCurve(chart, 1.0, true); }
    // Centred below the chart, which has no values along its bottom edge.
    chart::LabelPlace PressureLabelPlace(const ChartLayout& l) const override
    {
        return {{l.m_nChartWidth / 2, l.m_nChartHeight + static_cast<int>(12.0 * l.m_fPenScale)},
                text_align::kCenter | text_align::kTop};
    }
    void DrawIsoLines(ChartGeometry& chart, chart::GridSink& sink) const override
    {
        IdGrid grid(chart, sink);
        grid.drawSaturationCurve();
        grid.drawMoistureLines();
        grid.drawEnthalpyLines();
        grid.drawDryBulbLines();
        grid.drawHumidityLines();
        grid.drawWetBulbLines();
        chart::DrawVolumeLines(chart, sink);
    }
};

} // namespace

const ChartForm& idChartForm()
{
    static const IdChartForm form;
    return form;
}

const ChartForm* chartFormNamed(const std::string& name)
{
    for (const ChartForm* form : {&idChartForm(), &ashraeChartForm()})
        if (name == form->Name())
            return form;
    return nullptr;
}

const ChartForm& chartFormOf(const CIDG& idg)
{
    return idg.m_nChartForm == CIDG::kFormAshrae ? ashraeChartForm() : idChartForm();
}
