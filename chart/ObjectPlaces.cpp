#include "chart/ChartGeometry.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartForm.h"
#include "chart/ChartProperties.h"
#include "chart/TextMetrics.h"

// The sizes and places of the objects and texts on a laid-out chart.

namespace {

// Arrow length at zoom 1, pixels.
constexpr double kArrowLength = 10.0;

// On paper: a name at least 2 mm high, a marker at least 1.5 mm across, an
// arrow at least 2.5 mm long.
constexpr double kPaperNameMm = 2.0;
constexpr double kPaperMarkerRadiusMm = 0.75;
constexpr double kPaperArrowMm = 2.5;

// A font at least `least` device units high (character height), its width
// scaled with it.
LogFont atLeast(LogFont font, int least)
{
    const int height = font.lfHeight == 0 ? fontUnits(LogFont().lfHeight) : fontUnits(font.lfHeight);
    if (least > 0 && height < least) {
        if (font.lfWidth != 0 && height > 0)
            font.lfWidth = static_cast<std::int32_t>(static_cast<long long>(font.lfWidth) * least / height);
        font.lfHeight = -least;
    }
    return font;
}

// The preview ring is twice a point's size, so the drawn point it will become
// sits inside it, and never smaller than a finger-tip target of 4 pixels.
int previewRadius(std::int32_t pointRadius, const ChartLayout& l)
{
    return std::max(4, 2 * scaledPenUnits(pointRadius, l.m_fPrintScale) + 2);
}

// The full chart of the standard screen at zoom 1: width and height in
// pixels, and the scales of its mapping.
struct StandardChart {
    double W = 1;
    double H = 1;
    double sx = 1; // pixels per kg/kg
    double sh = 1; // pixels per kJ/kg
    double k = 1;  // H / W
    // Where the result column starts: the first result text's place.
    CanvasPoint column;
};

StandardChart standardChart(const CIDG& idg, float xMaxFull)
{
    ChartGeometry standard(idg);
    standard.LayoutChart(chart::standardDevice());
    StandardChart c;
    c.W = standard.layout().m_nChartWidth;
    c.H = standard.layout().m_nChartHeight;
    c.k = c.H / c.W;
    c.sx = c.W / xMaxFull;
    c.sh = c.k * c.sx * 0.0004;
    c.column = standard.ResultTextPlace(0);
    return c;
}

} // namespace

CanvasRect ChartGeometry::ChartRectangle() const
{
    const ChartLayout& l = m_layout;
    return {l.m_nChartLeft, l.m_nChartTop, l.m_nChartLeft + l.m_nChartWidth,
            l.m_nChartTop + l.m_nChartHeight};
}

int ChartGeometry::MarkerRadius() const
{
    const ChartLayout& l = m_layout;
    int radius = scaledPenUnits(m_idg.m_nPointRadius, l.m_fPrintScale);
    if (l.m_device.paper)
        radius = std::max(radius, static_cast<int>(std::ceil(kPaperMarkerRadiusMm * l.m_fPixelsPerMm)));
    return radius;
}

double ChartGeometry::ArrowLength() const
{
    const ChartLayout& l = m_layout;
    const double length = kArrowLength * l.m_fZoom * l.m_fPrintScale;
    return l.m_device.paper ? std::max(length, kPaperArrowMm * l.m_fPixelsPerMm) : length;
}

LogFont ChartGeometry::PointNameFont() const
{
    const ChartLayout& l = m_layout;
    LogFont font = m_idg.m_font2;
    if (l.m_device.printing) {
        font.lfHeight = static_cast<int>(font.lfHeight * l.m_fPrintScale);
        font.lfWidth = static_cast<int>(font.lfWidth * l.m_fPrintScale);
    }
    return l.m_device.paper ? atLeast(font, static_cast<int>(std::ceil(kPaperNameMm * l.m_fPixelsPerMm)))
                            : font;
}

LogFont ChartGeometry::LineNameFont() const
{
    const ChartLayout& l = m_layout;
    return l.m_device.paper
               ? atLeast(l.m_workingFont, static_cast<int>(std::ceil(kPaperNameMm * l.m_fPixelsPerMm)))
               : l.m_workingFont;
}

CanvasRect ChartGeometry::MarkerRectangle(CanvasPoint position) const
{
    // The outline pen straddles the circle: half its width outside, one more
    // unit for rounding.
    const int reach = MarkerRadius() + scaledPenUnits(m_idg.m_nLineWidth, m_layout.m_fPenScale) / 2 + 1;
    return {position.x - reach, position.y - reach, position.x + reach, position.y + reach};
}

int ChartGeometry::PreviewRadius() const
{
    return previewRadius(m_idg.m_nPointRadius, m_layout);
}

CanvasRect ChartGeometry::PreviewMarkerRectangle(const CStatePoint& point) const
{
    const CanvasPoint position = PointPosition(point);
    // The pen straddles the ring: one pen width more on every side.
    const int reach = PreviewRadius() + scaledPenUnits(1, m_layout.m_fPenScale) + 1;
    return {position.x - reach, position.y - reach, position.x + reach, position.y + reach};
}

std::optional<std::pair<CStatePoint, CStatePoint>>
ChartGeometry::HhrLineLibraryEnds(const CReShiBiXian& line) const
{
    const CStatePoint* base = m_idg.PointAt(line.m_nPoint1);
    if (!base)
        return std::nullopt;
    double ratio = line.m_fRatio;
    // A stored ratio of 0 on a line through two points is either not yet
    // learnt or a real ε = 0 (two points of equal enthalpy: adiabatic
    // humidification); the two points tell which. Without a usable second
    // point the line has no ends to draw.
    if (line.m_nMode == CReShiBiXian::kThroughTwoPoints && line.m_fRatio == 0.0f) {
        const CStatePoint* second = m_idg.PointAt(line.m_nPoint2);
        if (!second)
            return std::nullopt;
        const auto learnt = chartHeatMoistureRatio(base->m_d, base->m_h, second->m_d, second->m_h);
        if (!learnt)
            return std::nullopt;
        ratio = *learnt;
    }
    const HhrEndsInput input{m_idg.m_fSummerPressure, base->m_d, base->m_h, ratio};
    return m_hhrEnds.get(input, [&] { return HhrLineEndsFrom(input); });
}

std::size_t ChartGeometry::HhrEndsInputHash::operator()(const HhrEndsInput& input) const
{
    return chart::hashOfParts(input.pressure, input.d, input.h, input.ratio);
}

ChartGeometry::HhrEnds ChartGeometry::HhrLineEndsFrom(const HhrEndsInput& input) const
{
    const auto ends = chartHhrLineEnds(input.pressure, input.d, input.h, input.ratio);
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

std::vector<CanvasPoint> ChartGeometry::LinePath(const CStatePoint& a, const CStatePoint& b) const
{
    if (m_form == &idChartForm())
        return {PointPosition(a), PointPosition(b)};
    // A bend of the line shows within a pixel over this many pieces.
    constexpr int kPieces = 32;
    std::vector<CanvasPoint> path;
    path.reserve(kPieces + 1);
    for (int i = 0; i <= kPieces; ++i) {
        const double f = static_cast<double>(i) / kPieces;
        const CanvasPoint p =
            m_form->Position(*this, a.m_d + f * (b.m_d - a.m_d), a.m_h + f * (b.m_h - a.m_h));
        path.push_back({p.x + m_layout.m_nChartLeft, p.y + m_layout.m_nChartTop});
    }
    return path;
}

CanvasPoint ChartGeometry::StandardResultColumn() const
{
    return standardChart(m_idg, m_layout.m_fXMaxFull).column;
}

bool ChartGeometry::InResultColumn(const CCommentString& text, CanvasPoint column) const
{
    // A plain text the user put on the chart, not one an analysis wrote:
    // those store their place in the result column of the standard screen
    // (its left margin, below the chart half).
    const bool inColumn = text.m_nPlace[1] == column.x && text.m_nPlace[3] >= column.y;
    return text.m_nKind != 0 || inColumn;
}

CanvasPoint ChartGeometry::TextPlaceAt(CanvasPoint device) const
{
    const ChartLayout& l = m_layout;
    const CanvasPoint relative = ToChartRelative(device);
    const auto [x, h] = m_form->StateAt(*this, relative.x, relative.y);
    const StandardChart c = standardChart(m_idg, l.m_fXMaxFull);
    const double X = x * c.sx;
    const double Y = c.H - (h - 1.01 * m_idg.m_fTMinFull) * c.sh + X * c.k;
    return {static_cast<int>(std::lround(X)), static_cast<int>(std::lround(Y))};
}

CanvasPoint ChartGeometry::FreeTextAnchor(int x, int y) const
{
    const ChartLayout& l = m_layout;
    const StandardChart c = standardChart(m_idg, l.m_fXMaxFull);
    const double moisture = x / c.sx;
    const double h = (x * c.k + c.H - y) / c.sh + 1.01 * m_idg.m_fTMinFull;
    const CanvasPoint relative = m_form->Position(*this, moisture, h);
    return {l.m_nChartLeft + relative.x, l.m_nChartTop + relative.y};
}

CanvasPoint ChartGeometry::ResultTextPlace(int index) const
{
    // The known-parameter block takes sixteen line steps: five lines of two,
    // the fresh air and the results title of three each.
    constexpr int kKnownParameterSteps = 16;
    const ChartLayout& l = m_layout;
    return {l.m_nMarginLeft, l.m_nTotalHeight + (kKnownParameterSteps + 2 * index) * l.m_nAnnotStep};
}
