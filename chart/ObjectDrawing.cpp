#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/Canvas.h"
#include "chart/ChartProperties.h"
#include "chart/ObjectGeometry.h"
#include "chart/VectorState.h"
#include "model/UnitFormat.h"
#include "chart/ChartRenderer.h"

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

CanvasRect ChartRenderer::ChartRectangle() const
{
    const ChartLayout& l = m_layout;
    return {l.m_nChartLeft, l.m_nChartTop, l.m_nChartLeft + l.m_nChartWidth,
            l.m_nChartTop + l.m_nChartHeight};
}

bool ChartRenderer::ClipSegment(Canvas& canvas, int x1, int y1, int x2, int y2, const CanvasRect& rect) const
{
    const auto clipped = chart::clipSegment({x1, y1}, {x2, y2}, rect);
    if (!clipped)
        return false;
    canvas.drawLine(clipped->first.x, clipped->first.y, clipped->second.x, clipped->second.y);
    return true;
}

void ChartRenderer::DrawObjects(Canvas& canvas)
{
    chart::clearUpperVectorState(); // see chart/VectorState.h
    m_layout.m_nAnnotY = m_layout.m_nTotalHeight;
    const CComfortArea* selectedZone = nullptr;
    if (m_idg.m_pComfortAreas && m_nSelectedComfortArea >= 0 &&
        static_cast<std::size_t>(m_nSelectedComfortArea) < m_idg.m_pComfortAreas->size())
        selectedZone = (*m_idg.m_pComfortAreas)[static_cast<std::size_t>(m_nSelectedComfortArea)].get();

    if (m_idg.m_pPoints)
        for (std::size_t i = 0; i < m_idg.m_pPoints->size(); ++i) {
            const CStatePoint& point = *(*m_idg.m_pPoints)[i];
            const bool highlighted = (m_nPickClass == CIDG::kClassPoint && m_nPickIndex == static_cast<int>(i)) ||
                                     (selectedZone && selectedZone->HasCorner(point.m_strName));
            DrawStatePoint(canvas, static_cast<int>(i), highlighted);
        }
    if (m_idg.m_pProcessLines)
        for (std::size_t i = 0; i < m_idg.m_pProcessLines->size(); ++i) {
            const CGuoChengXian& line = *(*m_idg.m_pProcessLines)[i];
            const bool highlighted = (m_nPickClass == CIDG::kClassProcessLine && m_nPickIndex == static_cast<int>(i)) ||
                                     (selectedZone && selectedZone->HasEdge(line.m_strName));
            DrawProcessLine(canvas, static_cast<int>(i), highlighted);
        }
    if (m_idg.m_pHhrLines)
        for (std::size_t i = 0; i < m_idg.m_pHhrLines->size(); ++i)
            DrawHhrLine(canvas, static_cast<int>(i),
                        m_nPickClass == CIDG::kClassHhrLine && m_nPickIndex == static_cast<int>(i));
    DrawKnownParameters(canvas);
    DrawResultTexts(canvas);
}

namespace {

// The preview ring is twice a point's size, so the drawn point it will become
// sits inside it, and never smaller than a finger-tip target of 4 pixels.
int previewRadius(std::int32_t pointRadius, const ChartLayout& l)
{
    return std::max(4, 2 * scaledPenUnits(pointRadius, l.m_fPrintScale) + 2);
}

} // namespace

void ChartRenderer::DrawPreviewMarker(Canvas& canvas, const CStatePoint& point) const
{
    const CanvasPoint position = PointPosition(point);
    if (!ChartRectangle().contains(position.x, position.y))
        return;
    const int radius = previewRadius(m_idg.m_nPointRadius, m_layout);
    canvas.setPen({kHighlightColour, scaledPenUnits(1, m_layout.m_fPenScale), kPenSolid});
    canvas.setNoBrush();
    canvas.drawEllipse({position.x - radius, position.y - radius, position.x + radius, position.y + radius});
}

CanvasRect ChartRenderer::PreviewMarkerRectangle(const CStatePoint& point) const
{
    const CanvasPoint position = PointPosition(point);
    // The pen straddles the ring: one pen width more on every side.
    const int reach =
        previewRadius(m_idg.m_nPointRadius, m_layout) + scaledPenUnits(1, m_layout.m_fPenScale) + 1;
    return {position.x - reach, position.y - reach, position.x + reach, position.y + reach};
}

void ChartRenderer::DrawStatePoint(Canvas& canvas, int index, bool highlighted)
{
    const CStatePoint& point = *(*m_idg.m_pPoints)[static_cast<std::size_t>(index)];
    const CanvasPoint position = PointPosition(point);
    if (!ChartRectangle().contains(position.x, position.y))
        return;
    const ChartLayout& l = m_layout;
    const int radius = scaledPenUnits(m_idg.m_nPointRadius, l.m_fPrintScale);
    const int penWidth = scaledPenUnits(m_idg.m_nLineWidth, l.m_fPenScale);
    if (highlighted) {
        canvas.setPen({kHighlightColour, penWidth, kPenDot});
        canvas.setBrush(kHighlightFill);
    } else {
        canvas.setPen({m_idg.m_pointColor, penWidth, kPenSolid});
        canvas.setBrush(m_idg.m_pointColor);
    }
    canvas.drawEllipse({position.x - radius, position.y - radius, position.x + radius, position.y + radius});
    canvas.setNoBrush();
    if (!m_idg.m_bShowPointLabels)
        return;

    int labelPosition = ((m_idg.m_nLabelPosition % 8) + 8) % 8;
    // The second point of a related pair writes its name on the opposite side.
    if (point.m_nKind == CStatePoint::kRelatedPair && point.m_nRelPartner >= 0 && point.m_nRelPartner < index)
        labelPosition = (labelPosition + 4) % 8;
    const int d = static_cast<int>(4.0 * scaledPenUnits(m_idg.m_nPointRadius, 1.0) * m_layout.m_fZoom *
                                   l.m_fPrintScale);
    LogFont font = m_idg.m_font2;
    if (l.m_device.printing) {
        font.lfHeight = static_cast<int>(font.lfHeight * l.m_fPrintScale);
        font.lfWidth = static_cast<int>(font.lfWidth * l.m_fPrintScale);
    }
    canvas.setFont(font);
    canvas.setTextColour(highlighted ? kHighlightColour : m_idg.m_nameColor);
    canvas.drawText(position.x + kLabelDirection[labelPosition][0] * d,
                    position.y + kLabelDirection[labelPosition][1] * d, point.m_strName,
                    text_align::kCenter | text_align::kBaseline);
}

void ChartRenderer::DrawProcessLine(Canvas& canvas, int index, bool highlighted)
{
    const CGuoChengXian& line = *(*m_idg.m_pProcessLines)[static_cast<std::size_t>(index)];
    const CStatePoint* start = m_idg.PointAt(line.m_nStart);
    const CStatePoint* end = m_idg.PointAt(line.m_nEnd);
    if (!start || !end)
        return;
    const ChartLayout& l = m_layout;
    const CanvasPoint a = PointPosition(*start);
    const CanvasPoint b = PointPosition(*end);
    const CanvasRect chartRect = ChartRectangle();
    const int penWidth = scaledPenUnits(m_idg.m_nLineWidth, l.m_fPenScale);
    const CanvasPen pen = highlighted ? CanvasPen{kHighlightColour, penWidth, kPenDot}
                                      : CanvasPen{m_idg.m_lineColor, penWidth, m_idg.m_nLineStyle};
    canvas.setPen(pen);
    ClipSegment(canvas, a.x, a.y, b.x, b.y, chartRect);

    bool zoneEdge = false;
    if (m_idg.m_pComfortAreas)
        for (const auto& zone : *m_idg.m_pComfortAreas)
            if (zone->HasEdge(line.m_strName)) {
                zoneEdge = true;
                break;
            }
    const bool bothInside = chartRect.contains(a.x, a.y) && chartRect.contains(b.x, b.y);
    if (bothInside && !zoneEdge && m_idg.m_nArrowStyle != 0) {
        const double length = kArrowLength * m_layout.m_fZoom * l.m_fPrintScale;
        if (const auto arrow = chart::processLineArrow(a, b, length, kArrowHalfAngle)) {
            if (m_idg.m_nArrowStyle == 1) {
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
    if (m_idg.m_bShowProcessLineLabels && chartRect.contains(middle.x, middle.y)) {
        canvas.setFont(l.m_workingFont);
        canvas.setTextColour(highlighted ? kHighlightColour : m_idg.m_nameColor);
        canvas.drawText(middle.x, middle.y, line.m_strName, text_align::kLeft | text_align::kBottom);
    }
}

std::optional<std::pair<CStatePoint, CStatePoint>>
ChartRenderer::HhrLineLibraryEnds(const CReShiBiXian& line) const
{
    const CStatePoint* base = m_idg.PointAt(line.m_nPoint1);
    if (!base)
        return std::nullopt;
    // A line through two points knows its ε once the document has learnt it
    // from them; until then it has no ends to draw.
    if (line.m_nMode == CReShiBiXian::kThroughTwoPoints && line.m_fRatio == 0.0f)
        return std::nullopt;
    const auto ends = chartHhrLineEnds(m_idg.m_fSummerPressure, base->m_d, base->m_h, line.m_fRatio);
    if (!ends)
        return std::nullopt;
    CStatePoint a;
    CStatePoint b;
    a.m_d = static_cast<float>((*ends)[0]);
    a.m_h = static_cast<float>((*ends)[1]);
    b.m_d = static_cast<float>((*ends)[2]);
    b.m_h = static_cast<float>((*ends)[3]);
    a.m_bKnownD = a.m_bKnownH = b.m_bKnownD = b.m_bKnownH = 1;
    if (!m_idg.CalcStatePoint(a) || !m_idg.CalcStatePoint(b))
        return std::nullopt;
    return std::make_pair(a, b);
}

void ChartRenderer::DrawHhrLine(Canvas& canvas, int index, bool highlighted)
{
    const CReShiBiXian& line = *(*m_idg.m_pHhrLines)[static_cast<std::size_t>(index)];
    if (!m_idg.m_bShowHhrLines)
        return;
    const auto ends = HhrLineLibraryEnds(line);
    if (!ends)
        return;
    const ChartLayout& l = m_layout;
    const CanvasPoint a = PointPosition(ends->first);
    const CanvasPoint b = PointPosition(ends->second);
    const int penWidth = scaledPenUnits(m_idg.m_nLineWidth, l.m_fPenScale);
    canvas.setPen(highlighted ? CanvasPen{kHighlightColour, penWidth, kPenDot}
                              : CanvasPen{kHhrLineColour, penWidth, kPenSolid});
    const CanvasRect chartRect = ChartRectangle();
    ClipSegment(canvas, a.x, a.y, b.x, b.y, chartRect);

    const CanvasPoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    if (m_idg.m_bShowHhrLineLabels && chartRect.contains(middle.x, middle.y)) {
        const int w = 2 * static_cast<int>(scaledPenUnits(m_idg.m_nPointRadius, 1.0) * m_layout.m_fZoom);
        canvas.setFont(l.m_workingFont);
        canvas.setTextColour(highlighted ? kHighlightColour : m_idg.m_textColor);
        canvas.drawText(middle.x + w, middle.y + w, line.m_strName, text_align::kLeft | text_align::kTop);
    }
}

void ChartRenderer::DrawResultTexts(Canvas& canvas)
{
    m_layout.m_textRects.clear();
    if (!m_idg.m_pTexts)
        return;
    ChartLayout& l = m_layout;
    canvas.setFont(l.m_workingFont);
    l.m_textRects.reserve(m_idg.m_pTexts->size());
    for (std::size_t i = 0; i < m_idg.m_pTexts->size(); ++i) {
        const CCommentString& text = *(*m_idg.m_pTexts)[i];
        const bool highlighted = m_nPickClass == CIDG::kClassText && m_nPickIndex == static_cast<int>(i);
        canvas.setTextColour(highlighted ? kHighlightColour : m_idg.m_textColor);
        canvas.drawText(l.m_nAnnotX, l.m_nAnnotY, text.m_strText, text_align::kLeft | text_align::kBottom);
        const CanvasSize extent = canvas.textExtent(text.m_strText);
        l.m_textRects.push_back(
            {l.m_nAnnotX, l.m_nAnnotY - extent.height, l.m_nAnnotX + extent.width, l.m_nAnnotY});
        l.m_nAnnotY += 2 * l.m_nAnnotStep;
    }
}

void ChartRenderer::DrawKnownParameters(Canvas& canvas)
{
    // The block needs the room's bound design states W and N.
    const CServiceArea* area = m_idg.CurrentRoom();
    if (!m_idg.m_pPoints || !area || m_idg.m_pPoints->size() < 2)
        return;
    const CServiceArea& room = *area;
    const CStatePoint& outdoor = *(*m_idg.m_pPoints)[0];
    const CStatePoint& indoor = *(*m_idg.m_pPoints)[1];
    auto values = [this](const CStatePoint& p) {
        return unit_format::Format("%.1f℃", double(p.m_t)) + "  " +
               unit_format::Format("%.1f℃", double(p.m_tw)) + "  " +
               unit_format::Format("%.0f%%", p.m_RH * 100.0) + "  " +
               unit_format::Format("%.1fg/kg", p.m_d * 1000.0) + "  " +
               unit_format::Enthalpy(m_idg.m_nUnitSystem, "%.1fkJ/kg", "%.1fkcal/kg", p.m_h);
    };
    const bool winter = m_idg.m_nCurCondition == kConditionWinter;
    const float load = winter ? room.m_fWinterLoad : room.m_fSummerLoad;
    const float moistureLoad = winter ? room.m_fWinterMoistLoad : room.m_fSummerMoistLoad;
    const float freshAir = winter ? room.m_fWinterFreshAir : room.m_fSummerFreshAir;
    const std::string loadText = unit_format::LoadKw(m_idg.m_nUnitSystem, load);

    canvas.setFont(m_layout.m_workingFont);
    canvas.setTextColour(kBlack);
    const int align = text_align::kLeft | text_align::kTop;
    const int x = m_layout.m_nMarginLeft;
    const int step = m_layout.m_nAnnotStep;
    int& y = m_layout.m_nAnnotY;
    auto line = [&](const std::string& text, int advance) {
        canvas.drawText(x, y, text, align);
        y += advance * step;
    };
    line("已知参数：", 2);
    line("室外状态点" + outdoor.m_strName + "：" + values(outdoor), 2);
    line("室内状态点" + indoor.m_strName + "： " + values(indoor), 2);
    line(std::string(winter ? "室内空调热负荷：" : "室内空调冷负荷：") + loadText, 2);
    line("室内空调湿负荷：" + unit_format::Format("%.3fkg/h", double(moistureLoad)), 2);
    // The separator stands one line step (plus two pen units) below the top
    // of the fresh-air line, across the whole drawing width, and never
    // through the text of a font taller than its height; the cursor then
    // moves three steps instead of two.
    const int freshAirTop = y;
    const std::string freshAirText = "新风量：" + unit_format::Format("%.0fm^3/h", double(freshAir));
    const int penUnit = std::max(1, static_cast<int>(m_layout.m_fPenScale));
    const int separator = std::max(freshAirTop + step + static_cast<int>(2 * m_layout.m_fPenScale),
                                   freshAirTop + canvas.textExtent(freshAirText).height + penUnit);
    line(freshAirText, 3);
    canvas.setPen(CanvasPen{kBlack, 0, kPenSolid});
    canvas.drawLine(0, separator, m_layout.m_nTotalWidth, separator);
    line("计算结果：", 3);
}

CanvasPoint ChartRenderer::ResultTextPlace(int index) const
{
    // The known-parameter block takes sixteen line steps: five lines of two,
    // the fresh air and the results title of three each.
    constexpr int kKnownParameterSteps = 16;
    const ChartLayout& l = m_layout;
    return {l.m_nMarginLeft, l.m_nTotalHeight + (kKnownParameterSteps + 2 * index) * l.m_nAnnotStep};
}
