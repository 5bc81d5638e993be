#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
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

std::string headerText(const CIDG& idg)
{
    std::string system;
    std::string room;
    const auto& systems = idg.m_rooms.m_systems;
    if (idg.m_nCurSystem >= 0 && static_cast<std::size_t>(idg.m_nCurSystem) < systems.size()) {
        system = systems[static_cast<std::size_t>(idg.m_nCurSystem)]->m_strName;
        if (const CServiceArea* area = idg.m_rooms.RoomAt(idg.m_nCurSystem, idg.m_nCurRoom))
            room = area->m_strName;
    }
    return result_wording::Fill(
        QCoreApplication::translate("ChartRenderer",
                                    "工程名称：%1       系统编号：%2       服务区域：%3      %4")
            .toStdString(),
        {headerName(idg.m_strProjectName), headerName(system), headerName(room),
         conditionText(idg.m_nCurCondition)});
}

GridKey gridKey(const CIDG& idg, const ChartDevice& device, int labelGapX, int labelGapY)
{
    GridKey key;
    key.screenWidth = device.screenWidth;
    key.pageWidth = device.pageWidth;
    key.pageHeight = device.pageHeight;
    key.printing = device.printing;
    key.paper = device.paper;
    key.header = headerText(idg);
    key.condition = idg.m_nCurCondition;
    key.chartView = idg.m_bChartView;
    key.zoom = idg.m_fZoom;
    key.xMin = idg.m_fXMin;
    key.xMax = idg.m_fXMax;
    key.tMin = idg.m_fTMin;
    key.tMax = idg.m_fTMax;
    key.xMaxFull = idg.m_fXMaxFull;
    key.tMinFull = idg.m_fTMinFull;
    key.xOffset = idg.m_nXOffset;
    key.yOffset = idg.m_nYOffset;
    key.summerPressure = idg.m_fSummerPressure;
    key.winterPressure = idg.m_fWinterPressure;
    key.drawOptions = idg.m_drawOptions;
    key.labelFont = idg.m_font1.toBytes();
    key.textColour = idg.m_textColor;
    key.showValues = idg.m_bShowValues;
    key.margins = idg.m_nMargin;
    key.labelGapX = labelGapX;
    key.labelGapY = labelGapY;
    key.weather = device.weather ? device.weather->serial : 0;
    return key;
}

} // namespace chart

namespace {

// Draws on one canvas and records the calls as it goes (the grid, kept for
// the next drawing of the same grid); texts are measured on the canvas drawn on.
class RecordingTee : public RecordingCanvas {
public:
    explicit RecordingTee(Canvas& target) : m_target(target) {}
    void setPen(const CanvasPen& pen) override
    {
        RecordingCanvas::setPen(pen);
        m_target.setPen(pen);
    }
    void setBrush(std::int32_t colour) override
    {
        RecordingCanvas::setBrush(colour);
        m_target.setBrush(colour);
    }
    void setNoBrush() override
    {
        RecordingCanvas::setNoBrush();
        m_target.setNoBrush();
    }
    void setFont(const LogFont& font) override
    {
        RecordingCanvas::setFont(font);
        m_target.setFont(font);
    }
    void setTextColour(std::int32_t colour) override
    {
        RecordingCanvas::setTextColour(colour);
        m_target.setTextColour(colour);
    }
    void drawLine(int x1, int y1, int x2, int y2) override
    {
        RecordingCanvas::drawLine(x1, y1, x2, y2);
        m_target.drawLine(x1, y1, x2, y2);
    }
    void drawPolyline(const std::vector<CanvasPoint>& points) override
    {
        RecordingCanvas::drawPolyline(points);
        m_target.drawPolyline(points);
    }
    void drawRectangle(const CanvasRect& rect) override
    {
        RecordingCanvas::drawRectangle(rect);
        m_target.drawRectangle(rect);
    }
    void drawEllipse(const CanvasRect& rect) override
    {
        RecordingCanvas::drawEllipse(rect);
        m_target.drawEllipse(rect);
    }
    void drawPolygon(const std::vector<CanvasPoint>& points) override
    {
        RecordingCanvas::drawPolygon(points);
        m_target.drawPolygon(points);
    }
    void drawText(int x, int y, const std::string& text, int align) override
    {
        RecordingCanvas::drawText(x, y, text, align);
        m_target.drawText(x, y, text, align);
    }
    CanvasSize textExtent(const std::string& text) override { return m_target.textExtent(text); }
    void setClipRect(const CanvasRect& rect) override
    {
        RecordingCanvas::setClipRect(rect);
        m_target.setClipRect(rect);
    }
    void clearClip() override
    {
        RecordingCanvas::clearClip();
        m_target.clearClip();
    }

private:
    Canvas& m_target;
};

// A text whose measure tells one canvas's fonts from another's.
constexpr const char* kProbeText = "0123456789%Pa(℃)";

} // namespace

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
    // The same grid on a canvas that measures texts alike draws the calls it
    // drew last time: the iso-lines are not traced again.
    chart::GridKey key = chart::gridKey(m_idg, device, m_nLabelGapX, m_nLabelGapY);
    canvas.setFont(m_layout.m_workingFont);
    const CanvasSize probe = canvas.textExtent(kProbeText);
    if (m_gridRecord && m_gridRecord->key == key && m_gridRecord->probe.width == probe.width &&
        m_gridRecord->probe.height == probe.height) {
        m_layout = m_gridRecord->layout;
        for (const RecordingCanvas::Call& call : m_gridRecord->calls)
            chart::replayCall(call, canvas);
        canvas.clearClip();
        return;
    }
    RecordingTee tee(canvas);
    chart::GridPainter grid(*this, tee);
    grid.drawHeader();
    grid.drawBorder();
    grid.drawSaturationCurve();
    grid.drawMoistureLines();
    grid.drawEnthalpyLines();
    grid.drawDryBulbLines();
    grid.drawHumidityLines();
    grid.drawWetBulbLines();
    grid.drawPressureLabel();
    grid.drawLabels();
    tee.clearClip();
    // The weather year over the grid, below the objects; its legend's box
    // joins the labels the names keep clear of.
    if (device.weather)
        chart::DrawWeatherMap(*this, tee, *device.weather);
    grid.fileObstacles();
    m_layout.m_bGridLabelsValid = true;
    auto record = std::make_shared<chart::GridRecord>();
    record->key = std::move(key);
    record->probe = probe;
    record->calls = tee.calls();
    record->layout = m_layout;
    m_gridRecord = std::move(record);
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
    const CanvasPoint a{X1 + m_layout.m_nChartLeft, Y1 + m_layout.m_nChartTop};
    const CanvasPoint b{X2 + m_layout.m_nChartLeft, Y2 + m_layout.m_nChartTop};
    m_canvas.drawLine(a.x, a.y, b.x, b.y);
    m_chart.m_layout.m_gridLines.push_back({a, b});
}

CanvasRect GridPainter::text(int X, int Y, const std::string& text, int align, GridLabelRank rank)
{
    const CanvasPoint anchor{X + m_layout.m_nChartLeft, Y + m_layout.m_nChartTop};
    const CanvasRect box = textBox(anchor, m_canvas.textExtent(text), align);
    m_labels.push_back({anchor, text, align, rank, box});
    return box;
}

void GridPainter::drawLabels()
{
    ChartLayout& layout = m_chart.m_layout;
    const CanvasRect drawing{0, 0, layout.m_nTotalWidth, layout.m_nTotalHeight};
    const int cell = std::max(8, 2 * fontUnits(layout.m_workingFont.lfHeight));
    // The more important labels first, each family in its drawing order; a
    // label stands where the settings put it when no label before it does.
    std::vector<std::size_t> order(m_labels.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](std::size_t a, std::size_t b) { return m_labels[a].rank < m_labels[b].rank; });
    ObstacleGrid standing(drawing, cell);
    std::vector<bool> stands(m_labels.size(), false);
    for (const std::size_t i : order)
        if (!standing.meet(m_labels[i].box).blocked) {
            standing.addBox(m_labels[i].box);
            stands[i] = true;
        }
    selectLabelFont();
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        if (!stands[i])
            continue;
        const Label& label = m_labels[i];
        m_canvas.drawText(label.anchor.x, label.anchor.y, label.text, label.align);
        layout.m_gridLabels.push_back(label.box);
    }
}

void GridPainter::fileObstacles()
{
    ChartLayout& layout = m_chart.m_layout;
    const CanvasRect drawing{0, 0, layout.m_nTotalWidth, layout.m_nTotalHeight};
    auto obstacles =
        std::make_shared<ObstacleGrid>(drawing, std::max(8, 2 * fontUnits(layout.m_workingFont.lfHeight)));
    for (const CanvasRect& box : layout.m_gridLabels)
        obstacles->addBox(box);
    for (const auto& line : layout.m_gridLines)
        obstacles->addPolyline(line, ObstacleKind::GridLine);
    layout.m_gridObstacles = std::move(obstacles);
}

void GridPainter::drawHeader()
{
    const std::string header = headerText(m_idg);
    selectLabelFont();
    const bool printing = m_layout.m_device.printing;
    const CanvasPoint anchor{m_layout.m_nTotalWidth / 2, printing
                                                             ? static_cast<int>(m_idg.m_nMargin[1] * 39.4)
                                                             : m_layout.m_nMarginTop / 4};
    const int align = text_align::kCenter | (printing ? text_align::kTop : text_align::kBottom);
    // Placed in device units: the chart origin is taken off again.
    text(anchor.x - m_layout.m_nChartLeft, anchor.y - m_layout.m_nChartTop, header, align,
         GridLabelRank::HeaderDetail);
}

void GridPainter::drawBorder()
{
    const DrawOption& border = m_idg.m_drawOptions[kFamilyBorder];
    if (!border.m_bShow)
        return;
    m_canvas.setPen({border.m_color, scaledPenUnits(border.m_nWidth, m_G), kPenSolid});
    m_canvas.setNoBrush();
    const CanvasRect frame{m_layout.m_nMarginLeft, m_layout.m_nMarginTop,
                           m_layout.m_nTotalWidth - m_layout.m_nMarginRight,
                           m_layout.m_nTotalHeight - m_layout.m_nMarginBottom};
    m_canvas.drawRectangle(frame);
    m_chart.m_layout.m_gridLines.push_back({{frame.left, frame.top},
                                            {frame.right, frame.top},
                                            {frame.right, frame.bottom},
                                            {frame.left, frame.bottom},
                                            {frame.left, frame.top}});
}

void GridPainter::drawCurve(const HumidityCurve& curve)
{
    for (const auto& piece : curve.pieces) {
        std::vector<CanvasPoint> device;
        device.reserve(piece.size());
        for (const CanvasPoint& point : piece)
            device.push_back({point.x + m_layout.m_nChartLeft, point.y + m_layout.m_nChartTop});
        m_canvas.drawPolyline(device);
        m_chart.m_layout.m_gridLines.push_back(std::move(device));
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
            text(X, 0, formatNumber("%1.0f", x * 1000.0), text_align::kCenter | text_align::kBottom,
                 GridLabelRank::AxisValue);
            previousLabel = X;
        }
    }
    text(W / 2, -g(16), "x(g/kg)", text_align::kCenter | text_align::kBottom, GridLabelRank::AxisTitle);
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
    labels.boxes.push_back(text(anchorX, anchorY, label, align, GridLabelRank::IsoLineValue));
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
    text(X, labels.titleY, title, align, GridLabelRank::AxisTitle);
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
            text(0, Y0 + g(4), formatNumber("%1.0f", t), text_align::kRight | text_align::kBaseline,
                 GridLabelRank::AxisValue);
            previousLabel = Y0;
        }
    }
    if (!showValues())
        return;
    text(0, temperatureTitleBaseline(), "t(℃)", text_align::kRight | text_align::kBaseline,
         GridLabelRank::AxisTitle);
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
            text(lastX - g(1), lastY + g(4), "100%", text_align::kRight | text_align::kBaseline,
                 GridLabelRank::IsoLineValue);
        else if (m_layout.m_curveExit == CurveExit::TopEdge)
            text(lastX - g(1), g(1), "100%", text_align::kRight | text_align::kTop,
                 GridLabelRank::IsoLineValue);
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
            text(curve.endX - g(1), curve.endY + g(4), label, text_align::kRight | text_align::kBaseline,
                 GridLabelRank::IsoLineValue);
        else
            text(curve.endX - g(1), g(1), label, text_align::kCenter | text_align::kTop,
                 GridLabelRank::IsoLineValue);
        lastX = curve.endX;
        lastY = curve.endY;
        lastExit = curve.exit;
    }
    if (!showValues())
        return;
    if (lastExit == CurveExit::RightEdge)
        text(lastX - g(1) - g(25), lastY + g(4), "RH", text_align::kRight | text_align::kBaseline,
             GridLabelRank::AxisTitle);
    else if (lastExit == CurveExit::TopEdge)
        text(lastX - g(1) + g(25), g(1), "RH", text_align::kCenter | text_align::kTop,
             GridLabelRank::AxisTitle);
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
         text_align::kCenter | text_align::kTop, GridLabelRank::HeaderDetail);
}

} // namespace chart
