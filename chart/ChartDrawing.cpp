#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/Canvas.h"
#include "chart/ChartDrawingSupport.h"
#include "chart/ChartProperties.h"
#include "chart/ChartRenderer.h"
#include "chart/LabelPlacement.h"
#include "chart/ResultWording.h"
#include "chart/WeatherMap.h"
#include "model/TextCodec.h"

namespace {

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
constexpr int kHeaderNameBytes = 20;
constexpr int kHeaderCutByte = 19;
constexpr int kFarAway = 1 << 28;
// The enthalpy title moves along its row at most this many half-heights.
constexpr int kMaxTitleShifts = 60;

// A spacing a drawing loop can walk: positive, finite and giving at most
// chart::kMaxLinesPerFamily lines over the span.
bool usableSpacing(double spacing, double span)
{
    if (!(spacing > 0.0) || !std::isfinite(spacing) || !std::isfinite(span))
        return false;
    return span / spacing <= chart::kMaxLinesPerFamily;
}

std::string formatNumber(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

namespace chart {

std::string headerName(const std::string& name)
{
    // Width in the double-byte encoding the header was designed for: ASCII
    // one byte, every other character two.
    std::vector<std::size_t> boundaries; // UTF-8 offset after each character
    std::vector<int> widths;             // running double-byte width
    int width = 0;
    for (std::size_t i = 0; i < name.size();) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const std::size_t length = utf8SequenceLength(lead);
        i = std::min(name.size(), i + length);
        width += length == 1 ? 1 : 2;
        boundaries.push_back(i);
        widths.push_back(width);
    }
    if (width <= kHeaderNameBytes)
        return name;
    for (std::size_t c = 0; c < boundaries.size(); ++c)
        if (widths[c] >= kHeaderCutByte)
            return name.substr(0, boundaries[c]) + "...";
    return name;
}

std::vector<std::string> wrapText(Canvas& canvas, const std::string& text, int width)
{
    if (canvas.textExtent(text).width <= width)
        return {text};
    std::vector<std::string> lines;
    std::size_t start = 0;
    // Each pass takes at least one character, so the text ends the loop.
    while (start < text.size()) {
        std::size_t end = start;
        std::size_t lastSpace = std::string::npos;
        while (end < text.size()) {
            const std::size_t next =
                std::min(text.size(), end + utf8SequenceLength(static_cast<unsigned char>(text[end])));
            if (end > start && canvas.textExtent(text.substr(start, next - start)).width > width)
                break;
            if (text[end] == ' ')
                lastSpace = end;
            end = next;
        }
        if (end < text.size() && lastSpace != std::string::npos && lastSpace > start) {
            lines.push_back(text.substr(start, lastSpace - start));
            start = lastSpace + 1;
        } else {
            lines.push_back(text.substr(start, end - start));
            start = end;
        }
    }
    return lines;
}

std::string conditionText(int condition)
{
    switch (condition) {
    case kConditionSummer:
        return QCoreApplication::translate("ChartRenderer", "工况：制冷工况").toStdString();
    case kConditionWinter:
        return QCoreApplication::translate("ChartRenderer", "工况：制热工况").toStdString();
    default:
        return QCoreApplication::translate("ChartRenderer", "工况：普通工况").toStdString();
    }
}

} // namespace chart

void ChartRenderer::ComputeSaturationBoundary()
{
    if (!m_layout.m_bValid)
        LayoutChart(m_layout.m_device);
    chart::traceHumidityCurve(*this, 1.0, true);
}

void ChartRenderer::DrawChart(Canvas& canvas, const ChartDevice& device)
{
    DrawGrid(canvas, device);
    DrawObjects(canvas);
}

void ChartRenderer::DrawGrid(Canvas& canvas, const ChartDevice& device)
{
    chart::clearUpperVectorState(); // see chart/VectorState.h
    LayoutChart(device);
    chart::GridPainter grid(*this, canvas);
    grid.drawHeader();
    grid.drawBorder();
    grid.drawSaturationCurve();
    grid.drawMoistureLines();
    grid.drawEnthalpyLines();
    grid.drawDryBulbLines();
    grid.drawHumidityLines();
    grid.drawWetBulbLines();
    grid.drawPressureLabel();
    canvas.clearClip();
    if (device.weather)
        chart::DrawWeatherMap(*this, canvas, *device.weather);
    m_layout.m_bGridLabelsValid = true;
}

namespace chart {

HumidityCurve traceHumidityCurve(ChartRenderer& chart, double RH, bool writeBoundary)
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

GridPainter::GridPainter(ChartRenderer& chart, Canvas& canvas)
    : m_chart(chart), m_idg(chart.model()), m_canvas(canvas), m_layout(chart.m_layout),
      m_G(chart.m_layout.m_fPenScale)
{
}

int GridPainter::g(double multiple) const
{
    return static_cast<int>(multiple * m_G);
}

bool GridPainter::showValues() const
{
    return m_idg.m_bShowValues != 0;
}

int GridPainter::boundaryAt(int X) const
{
    const int W = m_layout.m_nChartWidth;
    return m_layout.m_nBoundary[static_cast<std::size_t>(std::clamp(X, 0, W))];
}

void GridPainter::selectFamilyPen(int family)
{
    const DrawOption& option = m_idg.m_drawOptions[static_cast<std::size_t>(family)];
    m_canvas.setPen({option.m_color, scaledPenUnits(option.m_nWidth, m_G), option.m_nStyle});
}

void GridPainter::selectLabelFont()
{
    m_canvas.setFont(m_layout.m_workingFont);
    m_canvas.setTextColour(m_idg.m_textColor);
}

void GridPainter::line(int X1, int Y1, int X2, int Y2)
{
    m_canvas.drawLine(X1 + m_layout.m_nChartLeft, Y1 + m_layout.m_nChartTop, X2 + m_layout.m_nChartLeft,
                      Y2 + m_layout.m_nChartTop);
}

CanvasRect GridPainter::text(int X, int Y, const std::string& text, int align)
{
    const CanvasPoint anchor{X + m_layout.m_nChartLeft, Y + m_layout.m_nChartTop};
    m_canvas.drawText(anchor.x, anchor.y, text, align);
    const CanvasRect box = textBox(anchor, m_canvas.textExtent(text), align);
    m_chart.m_layout.m_gridLabels.push_back(box);
    return box;
}

void GridPainter::drawHeader()
{
    std::string system;
    std::string room;
    const auto& systems = m_idg.m_rooms.m_systems;
    if (m_idg.m_nCurSystem >= 0 && static_cast<std::size_t>(m_idg.m_nCurSystem) < systems.size()) {
        system = systems[static_cast<std::size_t>(m_idg.m_nCurSystem)]->m_strName;
        if (const CServiceArea* area = m_idg.m_rooms.RoomAt(m_idg.m_nCurSystem, m_idg.m_nCurRoom))
            room = area->m_strName;
    }
    const std::string header = result_wording::Fill(
        QCoreApplication::translate("ChartRenderer",
                                    "工程名称：%1       系统编号：%2       服务区域：%3      %4")
            .toStdString(),
        {headerName(m_idg.m_strProjectName), headerName(system), headerName(room),
         conditionText(m_idg.m_nCurCondition)});
    selectLabelFont();
    const bool printing = m_layout.m_device.printing;
    const CanvasPoint anchor{m_layout.m_nTotalWidth / 2, printing
                                                             ? static_cast<int>(m_idg.m_nMargin[1] * 39.4)
                                                             : m_layout.m_nMarginTop / 4};
    const int align = text_align::kCenter | (printing ? text_align::kTop : text_align::kBottom);
    m_canvas.drawText(anchor.x, anchor.y, header, align);
    m_chart.m_layout.m_gridLabels.push_back(textBox(anchor, m_canvas.textExtent(header), align));
}

void GridPainter::drawBorder()
{
    const DrawOption& border = m_idg.m_drawOptions[kFamilyBorder];
    if (!border.m_bShow)
        return;
    m_canvas.setPen({border.m_color, scaledPenUnits(border.m_nWidth, m_G), kPenSolid});
    m_canvas.setNoBrush();
    m_canvas.drawRectangle({m_layout.m_nMarginLeft, m_layout.m_nMarginTop,
                            m_layout.m_nTotalWidth - m_layout.m_nMarginRight,
                            m_layout.m_nTotalHeight - m_layout.m_nMarginBottom});
}

void GridPainter::drawCurve(const HumidityCurve& curve)
{
    for (const auto& piece : curve.pieces) {
        std::vector<CanvasPoint> device;
        device.reserve(piece.size());
        for (const CanvasPoint& point : piece)
            device.push_back({point.x + m_layout.m_nChartLeft, point.y + m_layout.m_nChartTop});
        m_canvas.drawPolyline(device);
    }
}

void GridPainter::drawSaturationCurve()
{
    const HumidityCurve curve = traceHumidityCurve(m_chart, 1.0, true);
    if (!m_idg.m_drawOptions[kFamilySaturation].m_bShow)
        return;
    selectFamilyPen(kFamilySaturation);
    drawCurve(curve);
}

void GridPainter::drawMoistureLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyMoisture];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.moisture;
    const double limit = m_layout.m_fXMaxFull;
    if (!usableSpacing(step, limit))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    selectFamilyPen(kFamilyMoisture);
    selectLabelFont();
    int previousLabel = -kFarAway;
    for (int i = 0; i <= kMaxLinesPerFamily; ++i) {
        const double x = i * step;
        if (!(x < limit))
            break;
        const int X = m_chart.XFromMoisture(x);
        if (X > 0 && X < W && boundaryAt(X) > 0)
            line(X, 0, X, std::min(boundaryAt(X), H));
        if (X >= 0 && X <= W && boundaryAt(X) >= 0 && X - previousLabel >= m_chart.m_nLabelGapX) {
            text(X, 0, formatNumber("%1.0f", x * 1000.0), text_align::kCenter | text_align::kBottom);
            previousLabel = X;
        }
    }
    text(W / 2, -g(16), "x(g/kg)", text_align::kCenter | text_align::kBottom);
}

void GridPainter::drawEnthalpyLine(double h, EnthalpyLabels& labels)
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
    line(Xs, Ys, end, row);

    if (!showValues() || row < 9)
        return;
    if (std::abs(end - labels.lastX) < m_chart.m_nLabelGapX &&
        std::abs(row - labels.lastY) < m_chart.m_nLabelGapY)
        return;
    const std::string label = formatNumber("%1.0f", h);
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
                         m_canvas.textExtent(label), align),
                 temperatureTitleBox()))
        return;
    labels.boxes.push_back(text(anchorX, anchorY, label, align));
    labels.lastX = end;
    labels.lastY = row;
    if (!labels.titlePlaced) {
        // The title reads the same wherever the first value landed.
        labels.titleX = anchorX + g(h > 0 ? 19 : 15);
        labels.titleY = anchorY;
        labels.titlePlaced = true;
    }
}

bool GridPainter::temperatureTitleDrawn() const
{
    return showValues() && m_idg.m_drawOptions[kFamilyDryBulb].m_bShow;
}

int GridPainter::temperatureTitleBaseline()
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
        textBox({m_layout.m_nChartLeft, H + g(4) + m_layout.m_nChartTop}, m_canvas.textExtent("-30"), align);
    const CanvasSize size = m_canvas.textExtent("t(℃)");
    int baseline = H + g(18);
    const CanvasRect box = textBox({m_layout.m_nChartLeft, baseline + m_layout.m_nChartTop}, size, align);
    if (lowestValue.bottom + unit > box.top)
        baseline += lowestValue.bottom + unit - box.top;
    const int descent = size.height - (4 * size.height + 4) / 5;
    baseline = std::min(baseline, m_layout.m_nTotalHeight - m_layout.m_nChartTop - descent);
    m_temperatureTitleBaseline = baseline;
    return baseline;
}

CanvasRect GridPainter::temperatureTitleBox()
{
    const int baseline = temperatureTitleBaseline();
    return textBox({m_layout.m_nChartLeft, baseline + m_layout.m_nChartTop}, m_canvas.textExtent("t(℃)"),
                   text_align::kRight | text_align::kBaseline);
}

void GridPainter::drawEnthalpyTitle(const EnthalpyLabels& labels)
{
    if (!labels.titlePlaced)
        return;
    // Beside the first value, moved on along the row past any value it would
    // run into: the values stand closer together than the title is wide.
    const std::string title = "h(kJ/kg)";
    const int align = text_align::kLeft | text_align::kTop;
    const CanvasSize size = m_canvas.textExtent(title);
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
    text(X, labels.titleY, title, align);
}

void GridPainter::drawEnthalpyLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyEnthalpy];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.enthalpy;
    const double lowest = kCpDryAir * m_chart.model().m_fTMinFull;
    const double highest = kEnthalpySpanPerMoisture * m_layout.m_fXMaxFull + lowest;
    if (!usableSpacing(step, highest - std::min(lowest, 0.0)))
        return;
    selectFamilyPen(kFamilyEnthalpy);
    selectLabelFont();
    EnthalpyLabels labels;
    if (lowest < 0) {
        for (int i = 0; i <= kMaxLinesPerFamily; ++i) {
            const double h = -i * step;
            if (!(h > lowest))
                break;
            drawEnthalpyLine(h, labels);
        }
    }
    for (int i = 1; i <= kMaxLinesPerFamily; ++i) {
        const double h = i * step;
        if (!(h < highest))
            break;
        drawEnthalpyLine(h, labels);
    }
    if (showValues())
        drawEnthalpyTitle(labels);
}

void GridPainter::drawDryBulbLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyDryBulb];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.dryBulb;
    const double first = m_chart.model().m_fTMinFull;
    const double limit = m_layout.m_fXMaxFull * kDryBulbSpanPerMoisture + first;
    if (!usableSpacing(step, limit - first))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    selectFamilyPen(kFamilyDryBulb);
    selectLabelFont();
    int previousLabel = H + m_chart.m_nLabelGapY;
    for (int i = 0; i <= kMaxLinesPerFamily; ++i) {
        const double t = first + i * step;
        if (!(t < limit))
            break;
        const int Y0 = m_chart.YFromTemperature(t, 0);
        if (Y0 <= 0 || Y0 > H)
            continue;
        int end = 0;
        int row = Y0;
        while (end < W && row >= 1 && row < boundaryAt(end)) {
            ++end;
            row = m_chart.YFromTemperature(t, end);
        }
        line(0, Y0, end, row);
        if (showValues() && previousLabel - Y0 >= m_chart.m_nLabelGapY) {
            text(0, Y0 + g(4), formatNumber("%1.0f", t), text_align::kRight | text_align::kBaseline);
            previousLabel = Y0;
        }
    }
    if (!showValues())
        return;
    text(0, temperatureTitleBaseline(), "t(℃)", text_align::kRight | text_align::kBaseline);
}

void GridPainter::drawHumidityLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyHumidity];
    if (!option.m_bShow)
        return;
    selectLabelFont();
    int lastX = m_layout.m_nCurveEndX;
    int lastY = m_layout.m_nCurveEndY;
    CurveExit lastExit = m_layout.m_curveExit;
    if (showValues()) {
        if (m_layout.m_curveExit == CurveExit::RightEdge)
            text(lastX - g(1), lastY + g(4), "100%", text_align::kRight | text_align::kBaseline);
        else if (m_layout.m_curveExit == CurveExit::TopEdge)
            text(lastX - g(1), g(1), "100%", text_align::kRight | text_align::kTop);
    }
    const float step = m_layout.m_spacings.humidity;
    if (!usableSpacing(step, 1.0))
        return;
    selectFamilyPen(kFamilyHumidity);
    float RH = 1.0f - step;
    for (int i = 0; i < kMaxLinesPerFamily && RH > 0.01f; ++i, RH -= step) {
        const HumidityCurve curve = traceHumidityCurve(m_chart, RH, false);
        drawCurve(curve);
        if (!showValues())
            continue;
        // Drier curves end higher up the right edge, then further left along
        // the top: a label needs room above or left of the last one.
        if (lastX - curve.endX < m_chart.m_nLabelGapX && lastY - curve.endY < m_chart.m_nLabelGapY / 2)
            continue;
        if (curve.exit == CurveExit::None)
            continue;
        const std::string label = formatNumber("%1.0f%%", RH * 100.0);
        if (curve.exit == CurveExit::RightEdge)
            text(curve.endX - g(1), curve.endY + g(4), label, text_align::kRight | text_align::kBaseline);
        else
            text(curve.endX - g(1), g(1), label, text_align::kCenter | text_align::kTop);
        lastX = curve.endX;
        lastY = curve.endY;
        lastExit = curve.exit;
    }
    if (!showValues())
        return;
    if (lastExit == CurveExit::RightEdge)
        text(lastX - g(1) - g(25), lastY + g(4), "RH", text_align::kRight | text_align::kBaseline);
    else if (lastExit == CurveExit::TopEdge)
        text(lastX - g(1) + g(25), g(1), "RH", text_align::kCenter | text_align::kTop);
}

void GridPainter::drawWetBulbLines()
{
    const DrawOption& option = m_idg.m_drawOptions[kFamilyWetBulb];
    if (!option.m_bShow)
        return;
    const double step = m_layout.m_spacings.wetBulb;
    const double first = m_chart.model().m_fTMinFull;
    const double limit = m_layout.m_fXMaxFull * kDryBulbSpanPerMoisture + first;
    if (!usableSpacing(step, limit - first))
        return;
    const int W = m_layout.m_nChartWidth;
    const int H = m_layout.m_nChartHeight;
    const double p = m_idg.m_fSummerPressure;
    const double sh = m_layout.m_fHScale;
    const double k = m_layout.m_fSlope;
    selectFamilyPen(kFamilyWetBulb);
    for (int i = 0; i <= kMaxLinesPerFamily; ++i) {
        const double tw = first + i * step;
        if (!(tw < limit))
            break;
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
        line(Xs, Ys, end, row);
    }
}

void GridPainter::drawPressureLabel()
{
    if (!showValues())
        return;
    const float pressure =
        m_idg.m_nCurCondition == kConditionWinter ? m_idg.m_fWinterPressure : m_idg.m_fSummerPressure;
    selectLabelFont();
    text(m_layout.m_nChartWidth / 2, m_layout.m_nChartHeight + g(12), formatNumber("P=%1.0fPa", pressure),
         text_align::kCenter | text_align::kTop);
}

} // namespace chart
