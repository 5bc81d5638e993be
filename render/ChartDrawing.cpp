#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartForm.h"
#include "render/Canvas.h"
#include "render/ChartDrawingSupport.h"
#include "psychro/DisplayUnits.h"
#include "chart/ChartProperties.h"
#include "render/ChartRenderer.h"
#include "chart/LabelPlacement.h"
#include "chart/ResultWording.h"
#include "render/WeatherMap.h"
#include "model/TextCodec.h"

namespace {

constexpr int kHeaderNameBytes = 20;
constexpr int kHeaderCutByte = 19;

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
    key.form = (device.form ? device.form : &chartFormOf(idg))->Name();
    key.unitSystem = idg.m_nUnitSystem;
    key.volumeLines = idg.m_volumeLines;
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
    m_form->DrawIsoLines(*this, grid);
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

GridPainter::GridPainter(ChartRenderer& chart, Canvas& canvas)
    : m_chart(chart), m_idg(chart.model()), m_canvas(canvas), m_layout(chart.m_layout),
      m_G(chart.m_layout.m_fPenScale)
{
}

void GridPainter::familyPen(int family)
{
    const DrawOption& option =
        family == kFamilyVolume ? m_idg.m_volumeLines : m_idg.m_drawOptions[static_cast<std::size_t>(family)];
    m_canvas.setPen({option.m_color, scaledPenUnits(option.m_nWidth, m_G), option.m_nStyle});
}

void GridPainter::labelFont()
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

CanvasRect GridPainter::label(int X, int Y, const std::string& text, int align, GridLabelRank rank)
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
    labelFont();
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        if (!stands[i])
            continue;
        const Label& entry = m_labels[i];
        m_canvas.drawText(entry.anchor.x, entry.anchor.y, entry.text, entry.align);
        layout.m_gridLabels.push_back(entry.box);
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
    labelFont();
    const bool printing = m_layout.m_device.printing;
    const CanvasPoint anchor{m_layout.m_nTotalWidth / 2, printing
                                                             ? static_cast<int>(m_idg.m_nMargin[1] * 39.4)
                                                             : m_layout.m_nMarginTop / 4};
    const int align = text_align::kCenter | (printing ? text_align::kTop : text_align::kBottom);
    // Placed in device units: the chart origin is taken off again.
    label(anchor.x - m_layout.m_nChartLeft, anchor.y - m_layout.m_nChartTop, header, align,
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

void GridPainter::polylines(const std::vector<std::vector<CanvasPoint>>& pieces)
{
    for (const auto& piece : pieces) {
        std::vector<CanvasPoint> device;
        device.reserve(piece.size());
        for (const CanvasPoint& point : piece)
            device.push_back({point.x + m_layout.m_nChartLeft, point.y + m_layout.m_nChartTop});
        m_canvas.drawPolyline(device);
        m_chart.m_layout.m_gridLines.push_back(std::move(device));
    }
}

CanvasSize GridPainter::measure(const std::string& text)
{
    return m_canvas.textExtent(text);
}

void GridPainter::drawPressureLabel()
{
    if (m_idg.m_bShowValues == 0)
        return;
    const float pressure =
        m_idg.m_nCurCondition == kConditionWinter ? m_idg.m_fWinterPressure : m_idg.m_fSummerPressure;
    labelFont();
    const LabelPlace place = m_chart.form().PressureLabelPlace(m_layout);
    const bool ip = m_idg.m_nUnitSystem == CIDG::kUnitsIP;
    const std::string text =
        ip ? chart::formatNumber("P=%1.3fpsia",
                                 qorva::units::shown(qorva::units::Quantity::Pressure, double(pressure),
                                                     qorva::units::DisplaySystem::IP))
           : chart::formatNumber("P=%1.0fPa", pressure);
    label(place.anchor.x, place.anchor.y, text, place.align, GridLabelRank::HeaderDetail);
}

} // namespace chart
