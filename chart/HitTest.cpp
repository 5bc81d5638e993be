#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/ChartForm.h"
#include "chart/ChartGeometry.h"
#include "chart/ObjectGeometry.h"
#include "chart/TextMetrics.h"

namespace {

// A point is picked within 2 mm of the cursor, a line within 6 mm.
constexpr double kPointPickMm = 2.0;
constexpr double kLinePickMm = 6.0;
// Slack around a text's rectangle, pixels.
constexpr int kTextPickMargin = 5;

} // namespace

PickResult ChartGeometry::PickObject(int x, int y)
{
    if (!m_layout.m_bValid)
        LayoutChart(m_layout.m_device);
    const double s = m_layout.m_fPixelsPerMm;
    constexpr double kNone = std::numeric_limits<double>::infinity();

    if (m_idg.m_pPoints) {
        int nearest = -1;
        double nearestDistance = kNone;
        for (std::size_t i = 0; i < m_idg.m_pPoints->size(); ++i) {
            const CanvasPoint position = PointPosition(*(*m_idg.m_pPoints)[i]);
            const double distance = std::hypot(double(x) - position.x, double(y) - position.y);
            if (distance <= nearestDistance) {
                nearest = static_cast<int>(i);
                nearestDistance = distance;
            }
        }
        if (nearest >= 0 && nearestDistance < kPointPickMm * s)
            return {nearest, CIDG::kClassPoint};
    }

    int processLine = -1;
    double processDistance = kNone;
    if (m_idg.m_pProcessLines)
        for (std::size_t i = 0; i < m_idg.m_pProcessLines->size(); ++i) {
            const CGuoChengXian& line = *(*m_idg.m_pProcessLines)[i];
            const CStatePoint* start = m_idg.PointAt(line.m_nStart);
            const CStatePoint* end = m_idg.PointAt(line.m_nEnd);
            if (!start || !end)
                continue;
            const double distance =
                chart::distanceToSegment(x, y, PointPosition(*start), PointPosition(*end));
            if (distance < processDistance) {
                processLine = static_cast<int>(i);
                processDistance = distance;
            }
        }
    if (processDistance > kLinePickMm * s)
        processLine = -1;

    int hhrLine = -1;
    double hhrDistance = kNone;
    if (m_idg.m_pHhrLines)
        for (std::size_t i = 0; i < m_idg.m_pHhrLines->size(); ++i) {
            const CReShiBiXian& line = *(*m_idg.m_pHhrLines)[i];
            std::vector<CanvasPoint> path;
            if (const auto ends = HhrLineLibraryEnds(line)) {
                path = LinePath(ends->first, ends->second);
            } else {
                const CStatePoint* base = m_idg.PointAt(line.m_nPoint1);
                const CStatePoint* second = m_idg.PointAt(line.m_nPoint2);
                if (!base || !second)
                    continue;
                path = LinePath(*base, *second);
            }
            double distance = kNone;
            for (std::size_t k = 1; k < path.size(); ++k)
                distance = std::min(distance, chart::distanceToSegment(x, y, path[k - 1], path[k]));
            if (distance < hhrDistance) {
                hhrLine = static_cast<int>(i);
                hhrDistance = distance;
            }
        }
    if (hhrDistance > kLinePickMm * s)
        hhrLine = -1;

    if (processLine >= 0 || hhrLine >= 0) {
        if (hhrLine >= 0 && (processLine < 0 || hhrDistance < processDistance))
            return {hhrLine, CIDG::kClassHhrLine};
        return {processLine, CIDG::kClassProcessLine};
    }

    if (m_idg.m_pTexts)
        for (std::size_t i = 0; i < m_idg.m_pTexts->size(); ++i) {
            const CanvasRect rect = TextPickRectangle(static_cast<int>(i));
            if (rect.left - kTextPickMargin <= x && x <= rect.right + kTextPickMargin &&
                rect.top - kTextPickMargin <= y && y <= rect.bottom + kTextPickMargin)
                return {static_cast<int>(i), CIDG::kClassText};
        }
    return {};
}

CanvasRect ChartGeometry::TextPickRectangle(int index) const
{
    // Where the text was drawn last; a text not drawn yet stands at its own
    // anchor, scaled with the chart window.
    if (index >= 0 && static_cast<std::size_t>(index) < m_layout.m_textRects.size())
        return m_layout.m_textRects[static_cast<std::size_t>(index)];
    const CCommentString& text = *(*m_idg.m_pTexts)[static_cast<std::size_t>(index)];
    const int x = static_cast<int>(text.m_nPlace[1] * m_layout.m_fZoom) - m_layout.m_nXOffset;
    const int y = static_cast<int>(text.m_nPlace[3] * m_layout.m_fZoom) - m_layout.m_nYOffset;
    const CanvasSize extent = estimateTextExtent(text.m_font, text.m_strText);
    const int width = static_cast<int>(extent.width * m_layout.m_fZoom);
    const int height = static_cast<int>(extent.height * m_layout.m_fZoom);
    return {x, y - height, x + width, y};
}

int ChartGeometry::NearestPoint(int x, int y)
{
    if (!m_idg.m_pPoints)
        return -1;
    if (!m_layout.m_bValid)
        LayoutChart(m_layout.m_device);
    int nearest = -1;
    double nearestSquared = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < m_idg.m_pPoints->size(); ++i) {
        const CanvasPoint position = PointPosition(*(*m_idg.m_pPoints)[i]);
        const double dx = double(x) - position.x;
        const double dy = double(y) - position.y;
        const double squared = dx * dx + dy * dy;
        if (squared <= nearestSquared) {
            nearest = static_cast<int>(i);
            nearestSquared = squared;
        }
    }
    if (nearest >= 0 && m_idg.m_nPointRadius * m_layout.m_fPixelsPerMm > nearestSquared)
        return nearest;
    return -1;
}

bool ChartGeometry::IsInsideChart(const CStatePoint& point)
{
    if (!m_layout.m_bBoundaryValid)
        ComputeSaturationBoundary();
    const ChartLayout& l = m_layout;
    const CanvasPoint position = PointPosition(point);
    if (position.x >= l.m_nTotalWidth || position.x < l.m_nChartLeft ||
        position.x > l.m_nChartLeft + l.m_nChartWidth || position.y < l.m_nChartTop)
        return false;
    return m_form->Unsaturated(l, position.x - l.m_nChartLeft, position.y - l.m_nChartTop);
}
