#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/Canvas.h"
#include "chart/ChartProperties.h"
#include "chart/ObjectGeometry.h"
#include "model/CIDG.h"

namespace {

constexpr std::int32_t kHighlightColour = rgbColour(255, 0, 0);
constexpr std::int32_t kHighlightFill = rgbColour(255, 255, 0);
constexpr std::int32_t kHhrLineColour = rgbColour(68, 251, 255);
// Half the opening angle of a process-line arrow, rad (7.5°).
constexpr double kArrowHalfAngle = 0.1308997;
// Arrow length at zoom 1, pixels.
constexpr double kArrowLength = 10.0;

// Label offsets of the eight name positions (screen y downward): upper
// right, right, lower right, below, lower left, left, upper left, above.
constexpr int kLabelDirection[8][2] = {{1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};

} // namespace

CanvasRect CIDG::ChartRectangle() const
{
    const ChartLayout& l = m_layout;
    return {l.m_nChartLeft, l.m_nChartTop, l.m_nChartLeft + l.m_nChartWidth,
            l.m_nChartTop + l.m_nChartHeight};
}

bool CIDG::ClipSegment(Canvas& canvas, int x1, int y1, int x2, int y2, const CanvasRect& rect) const
{
    const auto clipped = chart::clipSegment({x1, y1}, {x2, y2}, rect);
    if (!clipped)
        return false;
    canvas.drawLine(clipped->first.x, clipped->first.y, clipped->second.x, clipped->second.y);
    return true;
}

void CIDG::DrawObjects(Canvas& canvas)
{
    const CComfortArea* selectedZone = nullptr;
    if (m_pComfortAreas && m_nSelectedComfortArea >= 0 &&
        static_cast<std::size_t>(m_nSelectedComfortArea) < m_pComfortAreas->size())
        selectedZone = (*m_pComfortAreas)[static_cast<std::size_t>(m_nSelectedComfortArea)].get();

    if (m_pPoints)
        for (std::size_t i = 0; i < m_pPoints->size(); ++i) {
            CStatePoint& point = *(*m_pPoints)[i];
            const bool highlighted = (m_nPickClass == 0 && m_nPickIndex == static_cast<int>(i)) ||
                                     (selectedZone && selectedZone->HasCorner(point.m_strName));
            DrawStatePoint(canvas, static_cast<int>(i), highlighted);
        }
    if (m_pProcessLines)
        for (std::size_t i = 0; i < m_pProcessLines->size(); ++i) {
            const CGuoChengXian& line = *(*m_pProcessLines)[i];
            const bool highlighted = (m_nPickClass == 1 && m_nPickIndex == static_cast<int>(i)) ||
                                     (selectedZone && selectedZone->HasEdge(line.m_strName));
            DrawProcessLine(canvas, static_cast<int>(i), highlighted);
        }
    if (m_pHhrLines)
        for (std::size_t i = 0; i < m_pHhrLines->size(); ++i)
            DrawHhrLine(canvas, static_cast<int>(i),
                        m_nPickClass == 2 && m_nPickIndex == static_cast<int>(i));
    DrawKnownParameters(canvas);
    DrawResultTexts(canvas);
}

void CIDG::DrawStatePoint(Canvas& canvas, int index, bool highlighted)
{
    CStatePoint& point = *(*m_pPoints)[static_cast<std::size_t>(index)];
    CalcStatePoint(point);
    const CanvasPoint position = PointPosition(point);
    if (!ChartRectangle().contains(position.x, position.y))
        return;
    const ChartLayout& l = m_layout;
    const int radius = scaledPenUnits(m_nPointRadius, l.m_fPrintScale);
    const int penWidth = scaledPenUnits(m_nLineWidth, l.m_fPenScale);
    if (highlighted) {
        canvas.setPen({kHighlightColour, penWidth, kPenDot});
        canvas.setBrush(kHighlightFill);
    } else {
        canvas.setPen({m_pointColor, penWidth, kPenSolid});
        canvas.setBrush(m_pointColor);
    }
    canvas.drawEllipse({position.x - radius, position.y - radius, position.x + radius, position.y + radius});
    canvas.setNoBrush();
    if (!m_bShowPointLabels)
        return;

    int labelPosition = ((m_nLabelPosition % 8) + 8) % 8;
    // The second point of a related pair writes its name on the opposite side.
    if (point.m_nKind == CStatePoint::kRelatedPair && point.m_nRelPartner >= 0 && point.m_nRelPartner < index)
        labelPosition = (labelPosition + 4) % 8;
    const int d = static_cast<int>(4.0 * scaledPenUnits(m_nPointRadius, 1.0) * m_fZoom * l.m_fPrintScale);
    LogFont font = m_font2;
    if (l.m_device.printing) {
        font.lfHeight = static_cast<int>(font.lfHeight * l.m_fPrintScale);
        font.lfWidth = static_cast<int>(font.lfWidth * l.m_fPrintScale);
    }
    canvas.setFont(font);
    canvas.setTextColour(highlighted ? kHighlightColour : m_nameColor);
    canvas.drawText(position.x + kLabelDirection[labelPosition][0] * d,
                    position.y + kLabelDirection[labelPosition][1] * d, point.m_strName,
                    text_align::kCenter | text_align::kBaseline);
}

void CIDG::DrawProcessLine(Canvas& canvas, int index, bool highlighted)
{
    const CGuoChengXian& line = *(*m_pProcessLines)[static_cast<std::size_t>(index)];
    const CStatePoint* start = PointAt(line.m_nStart);
    const CStatePoint* end = PointAt(line.m_nEnd);
    if (!start || !end)
        return;
    const ChartLayout& l = m_layout;
    const CanvasPoint a = PointPosition(*start);
    const CanvasPoint b = PointPosition(*end);
    const CanvasRect chartRect = ChartRectangle();
    const int penWidth = scaledPenUnits(m_nLineWidth, l.m_fPenScale);
    const CanvasPen pen = highlighted ? CanvasPen{kHighlightColour, penWidth, kPenDot}
                                      : CanvasPen{m_lineColor, penWidth, m_nLineStyle};
    canvas.setPen(pen);
    ClipSegment(canvas, a.x, a.y, b.x, b.y, chartRect);

    bool zoneEdge = false;
    if (m_pComfortAreas)
        for (const auto& zone : *m_pComfortAreas)
            if (zone->HasEdge(line.m_strName)) {
                zoneEdge = true;
                break;
            }
    const bool bothInside = chartRect.contains(a.x, a.y) && chartRect.contains(b.x, b.y);
    if (bothInside && !zoneEdge && m_nArrowStyle != 0) {
        const double length = kArrowLength * m_fZoom * l.m_fPrintScale;
        if (const auto arrow = chart::processLineArrow(a, b, length, kArrowHalfAngle)) {
            if (m_nArrowStyle == 1) {
                canvas.drawLine(arrow->tip.x, arrow->tip.y, arrow->base1.x, arrow->base1.y);
                canvas.drawLine(arrow->tip.x, arrow->tip.y, arrow->base2.x, arrow->base2.y);
            } else {
                canvas.setBrush(kBlack);
                canvas.drawPolygon({arrow->tip, arrow->base1, arrow->base2});
                canvas.setNoBrush();
            }
        }
    }

    const CanvasPoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    if (m_bShowProcessLineLabels && chartRect.contains(middle.x, middle.y)) {
        canvas.setFont(l.m_workingFont);
        canvas.setTextColour(highlighted ? kHighlightColour : m_nameColor);
        canvas.drawText(middle.x, middle.y, line.m_strName, text_align::kLeft | text_align::kBottom);
    }
}

std::optional<std::pair<CStatePoint, CStatePoint>> CIDG::HhrLineLibraryEnds(const CReShiBiXian& line) const
{
    const CStatePoint* base = PointAt(line.m_nPoint1);
    if (!base)
        return std::nullopt;
    const auto ends = chartHhrLineEnds(m_fSummerPressure, base->m_d, base->m_h, line.m_fRatio);
    if (!ends)
        return std::nullopt;
    CStatePoint a;
    CStatePoint b;
    a.m_d = static_cast<float>((*ends)[0]);
    a.m_h = static_cast<float>((*ends)[1]);
    b.m_d = static_cast<float>((*ends)[2]);
    b.m_h = static_cast<float>((*ends)[3]);
    a.m_bKnownD = a.m_bKnownH = b.m_bKnownD = b.m_bKnownH = 1;
    return std::make_pair(a, b);
}

bool CIDG::HhrRatioKnown(const CReShiBiXian& line) const
{
    // A line through two points learns its ε from them the first time it is
    // drawn; a line given by its ratio always knows it.
    return !(line.m_nMode == CReShiBiXian::kThroughTwoPoints && line.m_fRatio == 0.0f);
}

void CIDG::DrawHhrLine(Canvas& canvas, int index, bool highlighted)
{
    CReShiBiXian& line = *(*m_pHhrLines)[static_cast<std::size_t>(index)];
    if (!HhrRatioKnown(line)) {
        const CStatePoint* base = PointAt(line.m_nPoint1);
        const CStatePoint* second = PointAt(line.m_nPoint2);
        if (!base || !second)
            return;
        const auto ratio = chartHeatMoistureRatio(base->m_d, base->m_h, second->m_d, second->m_h);
        if (!ratio)
            return;
        line.m_fRatio = static_cast<float>(*ratio);
    }
    auto ends = HhrLineLibraryEnds(line);
    if (!ends || !CalcStatePoint(ends->first) || !CalcStatePoint(ends->second) || !m_bShowHhrLines)
        return;
    const ChartLayout& l = m_layout;
    const CanvasPoint a = PointPosition(ends->first);
    const CanvasPoint b = PointPosition(ends->second);
    const int penWidth = scaledPenUnits(m_nLineWidth, l.m_fPenScale);
    canvas.setPen(highlighted ? CanvasPen{kHighlightColour, penWidth, kPenDot}
                              : CanvasPen{kHhrLineColour, penWidth, kPenSolid});
    const CanvasRect chartRect = ChartRectangle();
    ClipSegment(canvas, a.x, a.y, b.x, b.y, chartRect);

    const CanvasPoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    if (m_bShowHhrLineLabels && chartRect.contains(middle.x, middle.y)) {
        const int w = 2 * static_cast<int>(scaledPenUnits(m_nPointRadius, 1.0) * m_fZoom);
        canvas.setFont(l.m_workingFont);
        canvas.setTextColour(highlighted ? kHighlightColour : m_textColor);
        canvas.drawText(middle.x + w, middle.y + w, line.m_strName, text_align::kLeft | text_align::kTop);
    }
}

void CIDG::DrawResultTexts(Canvas& canvas)
{
    m_layout.m_textRects.clear();
    if (!m_pTexts)
        return;
    RewordResultTexts();
    ChartLayout& l = m_layout;
    canvas.setFont(l.m_workingFont);
    l.m_textRects.reserve(m_pTexts->size());
    for (std::size_t i = 0; i < m_pTexts->size(); ++i) {
        const CCommentString& text = *(*m_pTexts)[i];
        const bool highlighted = m_nPickClass == 3 && m_nPickIndex == static_cast<int>(i);
        canvas.setTextColour(highlighted ? kHighlightColour : m_textColor);
        canvas.drawText(l.m_nAnnotX, l.m_nAnnotY, text.m_strText, text_align::kLeft | text_align::kBottom);
        const CanvasSize extent = canvas.textExtent(text.m_strText);
        l.m_textRects.push_back(
            {l.m_nAnnotX, l.m_nAnnotY - extent.height, l.m_nAnnotX + extent.width, l.m_nAnnotY});
        l.m_nAnnotY += 2 * l.m_nAnnotStep;
    }
}
