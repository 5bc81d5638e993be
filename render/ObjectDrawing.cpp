#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "render/Canvas.h"
#include "render/ChartDrawingSupport.h"
#include "chart/ChartProperties.h"
#include "chart/LabelPlacement.h"
#include "chart/ObjectGeometry.h"
#include "chart/ResultWording.h"
#include "render/VectorState.h"
#include "model/UnitFormat.h"
#include "render/ChartRenderer.h"

namespace {

constexpr std::int32_t kHighlightColour = rgbColour(255, 0, 0);
constexpr std::int32_t kHighlightFill = rgbColour(255, 255, 0);
constexpr std::int32_t kHhrLineColour = rgbColour(68, 251, 255);
// Half the opening angle of a process-line arrow, rad (7.5°).
constexpr double kArrowHalfAngle = 0.1308997;
// Where a text that is not drawn is picked: nowhere near the page.
constexpr int kNowhere = -(1 << 28);

// A canvas that draws nothing and measures texts on another: the grid's
// label boxes of a layout whose grid was not drawn (a kept grid image).
class MeasuringCanvas : public Canvas {
public:
    explicit MeasuringCanvas(Canvas& target) : m_target(target) {}
    void setPen(const CanvasPen&) override {}
    void setBrush(std::int32_t) override {}
    void setNoBrush() override {}
    void setFont(const LogFont& font) override { m_target.setFont(font); }
    void setTextColour(std::int32_t) override {}
    void drawLine(int, int, int, int) override {}
    void drawPolyline(const std::vector<CanvasPoint>&) override {}
    void drawRectangle(const CanvasRect&) override {}
    void drawEllipse(const CanvasRect&) override {}
    void drawPolygon(const std::vector<CanvasPoint>&) override {}
    void drawText(int, int, const std::string&, int) override {}
    CanvasSize textExtent(const std::string& text) override { return m_target.textExtent(text); }
    void setClipRect(const CanvasRect&) override {}
    void clearClip() override {}

private:
    Canvas& m_target;
};

// Draws a placed name at the top left of its box: its leader line from the
// edge of what it names when it stands apart, and a white halo under it when
// it lies on a line.
void drawPlacedName(Canvas& canvas, const chart::PlacedLabel& placed, std::int32_t colour,
                    const std::string& name)
{
    if (placed.leader && !(placed.leaderStart == placed.leaderEnd)) {
        canvas.setPen({colour, 0, kPenSolid});
        canvas.drawLine(placed.leaderStart.x, placed.leaderStart.y, placed.leaderEnd.x, placed.leaderEnd.y);
    }
    if (placed.halo) {
        canvas.setPen({kWhite, 0, kPenSolid});
        canvas.setBrush(kWhite);
        canvas.drawRectangle(placed.box);
        canvas.setNoBrush();
    }
    canvas.setTextColour(colour);
    canvas.drawText(placed.box.left, placed.box.top, name, text_align::kLeft | text_align::kTop);
}

// Where a process-line arrow may stand, as fractions of the line from its
// start: the middle first, then places nearer either end.
constexpr double kArrowPlaces[] = {0.5, 0.4, 0.6, 0.3, 0.7};

// The device box of an arrow, its pen included.
CanvasRect arrowBox(const chart::Arrow& arrow, int pen)
{
    const int reach = pen / 2 + 1;
    return {std::min({arrow.tip.x, arrow.base1.x, arrow.base2.x}) - reach,
            std::min({arrow.tip.y, arrow.base1.y, arrow.base2.y}) - reach,
            std::max({arrow.tip.x, arrow.base1.x, arrow.base2.x}) + reach,
            std::max({arrow.tip.y, arrow.base1.y, arrow.base2.y}) + reach};
}

// A free text's font as drawn on the layout's device.
LogFont freeTextFont(const CCommentString& text, const ChartLayout& l)
{
    LogFont font = text.m_font;
    if (l.m_device.printing) {
        font.lfHeight = static_cast<int>(font.lfHeight * l.m_fPrintScale);
        font.lfWidth = static_cast<int>(font.lfWidth * l.m_fPrintScale);
    }
    return font;
}

// A comfort zone's caption moves by at most this many lines either way; it
// was put this many screen pixels right of the zone's corner.
constexpr int kCaptionShifts = 6;
constexpr int kCaptionGap = 6;

} // namespace

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
    m_drawnLabels.clear();
    const bool highlight = m_bHighlightPicked;

    // Names keep clear of the grid's labels, so the grid is known (measured
    // when it was not drawn on this layout).
    if (!m_layout.m_bGridLabelsValid) {
        MeasuringCanvas measuring(canvas);
        DrawGrid(measuring, m_layout.m_device);
    }
    const ChartLayout& l = m_layout;
    const int nameHeight = std::max(fontUnits(PointNameFont().lfHeight), fontUnits(LineNameFont().lfHeight));
    chart::ObjectNames names{chart::LabelPlacer({0, 0, l.m_nTotalWidth, l.m_nTotalHeight},
                                                std::max(8, 2 * nameHeight), l.m_gridObstacles),
                             {},
                             {}};
    // Every marker is known before the first arrow and the first name.
    // Points on one spot share one marker.
    const CanvasRect chartRect = ChartRectangle();
    if (m_idg.m_pPoints) {
        std::unordered_set<std::uint64_t> spots;
        for (const auto& point : *m_idg.m_pPoints) {
            const CanvasPoint position = PointPosition(*point);
            const std::uint64_t spot =
                (std::uint64_t(std::uint32_t(position.x)) << 32) | std::uint32_t(position.y);
            if (chartRect.contains(position.x, position.y) && spots.insert(spot).second)
                names.placer.addObstacle(MarkerRectangle(position), chart::ObstacleKind::Marker);
        }
    }

    if (m_idg.m_pPoints)
        for (std::size_t i = 0; i < m_idg.m_pPoints->size(); ++i) {
            const int index = static_cast<int>(i);
            DrawStatePoint(canvas, index, highlight && Highlighted(CIDG::kClassPoint, index), names);
        }
    if (m_idg.m_pProcessLines)
        for (std::size_t i = 0; i < m_idg.m_pProcessLines->size(); ++i) {
            const int index = static_cast<int>(i);
            DrawProcessLine(canvas, index, highlight && Highlighted(CIDG::kClassProcessLine, index), names);
        }
    if (m_idg.m_pHhrLines)
        for (std::size_t i = 0; i < m_idg.m_pHhrLines->size(); ++i)
            DrawHhrLine(canvas, static_cast<int>(i),
                        highlight && Highlighted(CIDG::kClassHhrLine, static_cast<int>(i)), names);

    // The names and texts are drawn over every line, so a name on a line
    // keeps its halo. The markers and lines are all drawn by now: a page
    // cache starts on them while the texts are measured and the names placed.
    canvas.beginOverlay();
    // The texts stand where they were put; the names keep clear of them.
    const std::vector<std::optional<CanvasRect>> freeTexts = FreeTextBoxes(canvas, &names.placer);
    for (const auto& box : freeTexts)
        if (box)
            names.placer.addObstacle(*box);
    m_drawnLabels.reserve(names.pending.size());
    for (const chart::ObjectNames::Pending& name : names.pending) {
        canvas.setFont(name.font);
        const chart::PlacedLabel placed = names.placer.place(name.request);
        drawPlacedName(canvas, placed, name.colour, name.text);
        m_drawnLabels.push_back({name.objectClass,
                                 name.index,
                                 placed.box,
                                 {placed.box.left, placed.box.top},
                                 text_align::kLeft | text_align::kTop,
                                 name.font,
                                 name.text,
                                 placed.leader,
                                 placed.leaderStart,
                                 placed.leaderEnd});
    }
    DrawKnownParameters(canvas);
    DrawResultTexts(canvas, freeTexts);
}

bool ChartRenderer::Highlighted(int objectClass, int index) const
{
    if (m_nPickClass == objectClass && m_nPickIndex == index)
        return true;
    if (!m_idg.m_pComfortAreas || m_nSelectedComfortArea < 0 ||
        static_cast<std::size_t>(m_nSelectedComfortArea) >= m_idg.m_pComfortAreas->size())
        return false;
    const CComfortArea& zone = *(*m_idg.m_pComfortAreas)[static_cast<std::size_t>(m_nSelectedComfortArea)];
    if (objectClass == CIDG::kClassPoint) {
        const CStatePoint* point = m_idg.PointAt(index);
        return point && zone.HasCorner(point->m_strName);
    }
    if (objectClass == CIDG::kClassProcessLine && m_idg.m_pProcessLines && index >= 0 &&
        static_cast<std::size_t>(index) < m_idg.m_pProcessLines->size())
        return zone.HasEdge((*m_idg.m_pProcessLines)[static_cast<std::size_t>(index)]->m_strName);
    return false;
}

void ChartRenderer::DrawHighlight(Canvas& canvas)
{
    if (m_nPickClass < 0 && m_nSelectedComfortArea < 0)
        return;
    // The markers and lines drawn again in the highlight over their plain
    // drawing; what they would name is not placed again.
    const ChartLayout& l = m_layout;
    chart::ObjectNames scratch{
        chart::LabelPlacer({0, 0, l.m_nTotalWidth, l.m_nTotalHeight}, 8, nullptr), {}, {}};
    if (m_idg.m_pPoints)
        for (std::size_t i = 0; i < m_idg.m_pPoints->size(); ++i)
            if (Highlighted(CIDG::kClassPoint, static_cast<int>(i)))
                DrawStatePoint(canvas, static_cast<int>(i), true, scratch);
    if (m_idg.m_pProcessLines)
        for (std::size_t i = 0; i < m_idg.m_pProcessLines->size(); ++i)
            if (Highlighted(CIDG::kClassProcessLine, static_cast<int>(i)))
                DrawProcessLine(canvas, static_cast<int>(i), true, scratch);
    if (m_idg.m_pHhrLines)
        for (std::size_t i = 0; i < m_idg.m_pHhrLines->size(); ++i)
            if (Highlighted(CIDG::kClassHhrLine, static_cast<int>(i)))
                DrawHhrLine(canvas, static_cast<int>(i), true, scratch);
    // The names and texts where they stand, on white, so the plain drawing
    // under them does not show through.
    for (const DrawnLabel& label : m_drawnLabels) {
        if (!Highlighted(label.objectClass, label.index))
            continue;
        if (label.leader && !(label.leaderStart == label.leaderEnd)) {
            canvas.setPen({kHighlightColour, 0, kPenSolid});
            canvas.drawLine(label.leaderStart.x, label.leaderStart.y, label.leaderEnd.x, label.leaderEnd.y);
        }
        canvas.setPen({kWhite, 0, kPenSolid});
        canvas.setBrush(kWhite);
        canvas.drawRectangle(label.box);
        canvas.setNoBrush();
        canvas.setFont(label.font);
        canvas.setTextColour(kHighlightColour);
        canvas.drawText(label.anchor.x, label.anchor.y, label.text, label.align);
    }
}

void ChartRenderer::DrawPreviewMarker(Canvas& canvas, const CStatePoint& point) const
{
    const CanvasPoint position = PointPosition(point);
    if (!ChartRectangle().contains(position.x, position.y))
        return;
    const int radius = PreviewRadius();
    canvas.setPen({kHighlightColour, scaledPenUnits(1, m_layout.m_fPenScale), kPenSolid});
    canvas.setNoBrush();
    canvas.drawEllipse({position.x - radius, position.y - radius, position.x + radius, position.y + radius});
}

void ChartRenderer::DrawStatePoint(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names)
{
    const CStatePoint& point = *(*m_idg.m_pPoints)[static_cast<std::size_t>(index)];
    const CanvasPoint position = PointPosition(point);
    if (!ChartRectangle().contains(position.x, position.y))
        return;
    const ChartLayout& l = m_layout;
    const int radius = MarkerRadius();
    const int penWidth = scaledPenUnits(m_idg.m_nLineWidth, l.m_fPenScale);
    // A marker already drawn on this spot (in the same highlight) is not
    // drawn again; the name still waits for its place.
    const std::uint64_t spot = (std::uint64_t(std::uint32_t(position.x)) << 33) |
                               (std::uint64_t(std::uint32_t(position.y)) << 1) | (highlighted ? 1u : 0u);
    if (names.markersDrawn.insert(spot).second) {
        if (highlighted) {
            canvas.setPen({kHighlightColour, penWidth, kPenDot});
            canvas.setBrush(kHighlightFill);
        } else {
            canvas.setPen({m_idg.m_pointColor, penWidth, kPenSolid});
            canvas.setBrush(m_idg.m_pointColor);
        }
        canvas.drawEllipse(
            {position.x - radius, position.y - radius, position.x + radius, position.y + radius});
        canvas.setNoBrush();
    }
    if (!m_idg.m_bShowPointLabels)
        return;

    int labelPosition = ((m_idg.m_nLabelPosition % 8) + 8) % 8;
    // The second point of a related pair writes its name on the opposite side.
    if (point.m_nKind == CStatePoint::kRelatedPair && point.m_nRelPartner >= 0 && point.m_nRelPartner < index)
        labelPosition = (labelPosition + 4) % 8;
    // The first ring lies a quarter of the classic offset (4 × radius × zoom)
    // beyond the marker's edge.
    const int d =
        static_cast<int>(4.0 * scaledPenUnits(m_idg.m_nPointRadius, 1.0) * l.m_fZoom * l.m_fPrintScale);
    const CanvasRect marker = MarkerRectangle(position);
    const int reach = marker.right - position.x;
    const LogFont font = PointNameFont();
    canvas.setFont(font);
    const chart::LabelRequest request{position, labelPosition, reach + std::max(1, d / 4),
                                      canvas.textExtent(point.m_strName), reach};
    names.pending.push_back({point.m_strName, font, highlighted ? kHighlightColour : m_idg.m_nameColor,
                             request, CIDG::kClassPoint, index});
}

void ChartRenderer::DrawProcessLine(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names)
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
    const auto clipped = chart::clipSegment(a, b, chartRect);
    if (clipped) {
        canvas.drawLine(clipped->first.x, clipped->first.y, clipped->second.x, clipped->second.y);
        names.placer.addLine(clipped->first, clipped->second);
    }

    bool zoneEdge = false;
    if (m_idg.m_pComfortAreas)
        for (const auto& zone : *m_idg.m_pComfortAreas)
            if (zone->HasEdge(line.m_strName)) {
                zoneEdge = true;
                break;
            }
    const bool bothInside = chartRect.contains(a.x, a.y) && chartRect.contains(b.x, b.y);
    std::optional<CanvasRect> arrowAt;
    if (bothInside && !zoneEdge && m_idg.m_nArrowStyle != 0) {
        // The arrow keeps off the markers: between those of the line's ends
        // (shorter on a short line, none on a line too short for a third of
        // it), and moved along the line when another point's marker lies
        // under the middle.
        const double length = std::hypot(double(b.x) - a.x, double(b.y) - a.y);
        const double reach = MarkerRectangle(a).right - a.x;
        double arrowLength = ArrowLength();
        const double room = length - 2.0 * reach;
        std::optional<chart::Arrow> arrow;
        CanvasRect box;
        if (room >= arrowLength / 3.0) {
            arrowLength = std::min(arrowLength, room);
            for (const double at : kArrowPlaces) {
                if (at * length - arrowLength / 2.0 < reach ||
                    at * length + arrowLength / 2.0 > length - reach)
                    continue;
                const std::optional<chart::Arrow> candidate = m_arrows.get({a, b, arrowLength, at}, [&] {
                    return chart::processLineArrow(a, b, arrowLength, kArrowHalfAngle, at);
                });
                if (!candidate)
                    break;
                const CanvasRect candidateBox = arrowBox(*candidate, penWidth);
                if (!arrow || !names.placer.coversObjectBox(candidateBox, a, b)) {
                    arrow = candidate;
                    box = candidateBox;
                    if (!names.placer.coversObjectBox(candidateBox, a, b))
                        break;
                }
            }
        }
        if (arrow) {
            if (m_idg.m_nArrowStyle == 1) {
                canvas.drawLine(arrow->tip.x, arrow->tip.y, arrow->base1.x, arrow->base1.y);
                canvas.drawLine(arrow->tip.x, arrow->tip.y, arrow->base2.x, arrow->base2.y);
            } else {
                canvas.setBrush(kBlack);
                canvas.drawPolygon({arrow->tip, arrow->base1, arrow->base2});
                canvas.setNoBrush();
            }
            names.placer.addObstacle(box);
            arrowAt = box;
        }
    }

    const CanvasPoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    if (m_idg.m_bShowProcessLineLabels && chartRect.contains(middle.x, middle.y)) {
        // Above and right of the middle, as far as room allows; beyond the
        // arrow when it stands there.
        const LogFont font = LineNameFont();
        canvas.setFont(font);
        int gap = std::max(1, static_cast<int>(2 * l.m_fPenScale));
        if (arrowAt && arrowAt->contains(middle.x, middle.y))
            gap = std::max({gap, middle.x - arrowAt->left, arrowAt->right - middle.x, middle.y - arrowAt->top,
                            arrowAt->bottom - middle.y});
        chart::LabelRequest request{middle, 0, gap, canvas.textExtent(line.m_strName), 0};
        if (clipped) {
            request.alongLine = true;
            request.lineStart = clipped->first;
            request.lineEnd = clipped->second;
        }
        names.pending.push_back({line.m_strName, font, highlighted ? kHighlightColour : m_idg.m_nameColor,
                                 request, CIDG::kClassProcessLine, index});
    }
}

std::size_t ChartRenderer::ArrowInputHash::operator()(const ArrowInput& input) const
{
    return chart::hashOfParts(input.a.x, input.a.y, input.b.x, input.b.y, input.length, input.at);
}

void ChartRenderer::DrawHhrLine(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names)
{
    const CReShiBiXian& line = *(*m_idg.m_pHhrLines)[static_cast<std::size_t>(index)];
    if (!m_idg.m_bShowHhrLines)
        return;
    const auto ends = HhrLineLibraryEnds(line);
    if (!ends)
        return;
    const ChartLayout& l = m_layout;
    const std::vector<CanvasPoint> path = LinePath(ends->first, ends->second);
    const int penWidth = scaledPenUnits(m_idg.m_nLineWidth, l.m_fPenScale);
    canvas.setPen(highlighted ? CanvasPen{kHighlightColour, penWidth, kPenDot}
                              : CanvasPen{kHhrLineColour, penWidth, kPenSolid});
    const CanvasRect chartRect = ChartRectangle();
    // The name goes by the middle of the line, along the piece there.
    const std::size_t middlePiece = (path.size() - 1) / 2;
    std::optional<std::pair<CanvasPoint, CanvasPoint>> clipped;
    for (std::size_t k = 1; k < path.size(); ++k) {
        const auto piece = chart::clipSegment(path[k - 1], path[k], chartRect);
        if (!piece)
            continue;
        canvas.drawLine(piece->first.x, piece->first.y, piece->second.x, piece->second.y);
        names.placer.addLine(piece->first, piece->second);
        if (k - 1 == middlePiece)
            clipped = piece;
    }

    const CanvasPoint middle = path.size() == 2
                                   ? CanvasPoint{(path[0].x + path[1].x) / 2, (path[0].y + path[1].y) / 2}
                                   : path[path.size() / 2];
    if (m_idg.m_bShowHhrLineLabels && chartRect.contains(middle.x, middle.y)) {
        // Below and right of the middle by 2 × radius × zoom, as far as room allows.
        const int w = 2 * static_cast<int>(scaledPenUnits(m_idg.m_nPointRadius, 1.0) * l.m_fZoom);
        const LogFont font = LineNameFont();
        canvas.setFont(font);
        chart::LabelRequest request{middle, 2, std::max(1, w), canvas.textExtent(line.m_strName), 0};
        if (clipped) {
            request.alongLine = true;
            request.lineStart = clipped->first;
            request.lineEnd = clipped->second;
        }
        names.pending.push_back({line.m_strName, font, highlighted ? kHighlightColour : m_idg.m_textColor,
                                 request, CIDG::kClassHhrLine, index});
    }
}

std::vector<std::optional<CanvasRect>> ChartRenderer::FreeTextBoxes(Canvas& canvas,
                                                                    const chart::LabelPlacer* objects)
{
    std::vector<std::optional<CanvasRect>> boxes;
    if (!m_idg.m_pTexts)
        return boxes;
    const ChartLayout& l = m_layout;
    const auto& texts = *m_idg.m_pTexts;
    boxes.resize(texts.size());
    const CanvasPoint column = StandardResultColumn();
    auto isCaption = [this](const CCommentString& text) {
        if (m_idg.m_pComfortAreas)
            for (const auto& zone : *m_idg.m_pComfortAreas)
                if (!zone->m_strLabel.empty() && zone->m_strLabel == text.m_strText)
                    return true;
        return false;
    };
    // The texts the user put stand first; the captions then take their
    // places in list order, clear of those, of each other and of the grid's labels.
    std::vector<std::size_t> captions;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const CCommentString& text = *texts[i];
        if (InResultColumn(text, column))
            continue;
        if (isCaption(text)) {
            captions.push_back(i);
            continue;
        }
        boxes[i] = FreeTextBox(canvas, text);
    }
    if (captions.empty())
        return boxes;
    chart::LabelPlacer taken({0, 0, l.m_nTotalWidth, 2 * l.m_nTotalHeight},
                             std::max(8, 2 * fontUnits(l.m_workingFont.lfHeight)), l.m_gridObstacles);
    for (const auto& box : boxes)
        if (box)
            taken.addObstacle(*box);
    for (const std::size_t i : captions) {
        const auto box = FreeTextBox(canvas, *texts[i]);
        if (!box)
            continue;
        boxes[i] = box;
        // Where it was put, then down one line, up one, down two, …; at each
        // height on its side of the corner, then on the other (the corner
        // lies a gap left of where it was put).
        const int across = box->width() + 2 * kCaptionGap;
        bool found = false;
        for (int turn = 0; turn <= 2 * kCaptionShifts && !found; ++turn) {
            const int lines = (turn + 1) / 2 * (turn % 2 == 1 ? 1 : -1);
            const int dy = lines * box->height();
            for (const int dx : {0, -across}) {
                const CanvasRect moved{box->left + dx, box->top + dy, box->right + dx, box->bottom + dy};
                if (taken.isFree(moved) && !(objects && objects->covered(moved))) {
                    boxes[i] = moved;
                    found = true;
                    break;
                }
            }
        }
        taken.addObstacle(*boxes[i]);
    }
    return boxes;
}

void ChartRenderer::DrawResultTexts(Canvas& canvas, const std::vector<std::optional<CanvasRect>>& freeTexts)
{
    m_layout.m_textRects.clear();
    if (!m_idg.m_pTexts)
        return;
    ChartLayout& l = m_layout;
    l.m_textRects.reserve(m_idg.m_pTexts->size());
    // The column runs from the left label margin to the right one; a longer
    // text goes on over further lines instead of off the page.
    const int columnWidth = std::max(1, l.m_nTotalWidth - l.m_nAnnotX - l.m_nMarginRight);
    const CanvasPoint column = StandardResultColumn();
    for (std::size_t i = 0; i < m_idg.m_pTexts->size(); ++i) {
        const CCommentString& text = *(*m_idg.m_pTexts)[i];
        const int index = static_cast<int>(i);
        const bool highlighted = m_bHighlightPicked && Highlighted(CIDG::kClassText, index);
        canvas.setTextColour(highlighted ? kHighlightColour : m_idg.m_textColor);
        if (!InResultColumn(text, column)) {
            const std::optional<CanvasRect> box = i < freeTexts.size() ? freeTexts[i] : std::nullopt;
            if (!box) {
                l.m_textRects.push_back({kNowhere, kNowhere, kNowhere, kNowhere});
                continue;
            }
            const LogFont font = freeTextFont(text, l);
            canvas.setFont(font);
            canvas.drawText(box->left, box->bottom, text.m_strText, text_align::kLeft | text_align::kBottom);
            l.m_textRects.push_back(*box);
            m_drawnLabels.push_back({CIDG::kClassText,
                                     index,
                                     *box,
                                     {box->left, box->bottom},
                                     text_align::kLeft | text_align::kBottom,
                                     font,
                                     text.m_strText,
                                     false,
                                     {},
                                     {}});
            continue;
        }
        canvas.setFont(l.m_workingFont);
        CanvasRect rect{l.m_nAnnotX, l.m_nAnnotY, l.m_nAnnotX, l.m_nAnnotY};
        // Drawn in the interface's language; the model keeps its wording.
        const std::string shown = result_wording::ShownText(m_idg, text);
        const std::vector<std::string> lines = chart::wrapText(canvas, shown, columnWidth);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            if (n > 0)
                l.m_nAnnotY += l.m_nAnnotStep + l.m_nAnnotStep / 2;
            canvas.drawText(l.m_nAnnotX, l.m_nAnnotY, lines[n], text_align::kLeft | text_align::kBottom);
            const CanvasSize extent = canvas.textExtent(lines[n]);
            m_drawnLabels.push_back(
                {CIDG::kClassText,
                 index,
                 {l.m_nAnnotX, l.m_nAnnotY - extent.height, l.m_nAnnotX + extent.width, l.m_nAnnotY},
                 {l.m_nAnnotX, l.m_nAnnotY},
                 text_align::kLeft | text_align::kBottom,
                 l.m_workingFont,
                 lines[n],
                 false,
                 {},
                 {}});
            rect.top = std::min(rect.top, l.m_nAnnotY - extent.height);
            rect.right = std::max(rect.right, l.m_nAnnotX + extent.width);
            rect.bottom = l.m_nAnnotY;
        }
        l.m_textRects.push_back(rect);
        l.m_nAnnotY += 2 * l.m_nAnnotStep;
    }
}

std::optional<CanvasRect> ChartRenderer::FreeTextBox(Canvas& canvas, const CCommentString& text) const
{
    const ChartLayout& l = m_layout;
    const CanvasPoint anchor = FreeTextAnchor(text.m_nPlace[1], text.m_nPlace[3]);
    // In a magnified window only a text on the shown part of the chart; in
    // the full chart wherever the user put it.
    const bool fullChart = std::abs(l.m_fZoom - 1.0f) < 0.01f;
    const CanvasRect page{0, 0, l.m_nTotalWidth, 2 * l.m_nTotalHeight};
    const CanvasRect shown = fullChart ? page : ChartRectangle();
    if (!shown.contains(anchor.x, anchor.y))
        return std::nullopt;
    canvas.setFont(freeTextFont(text, l));
    const CanvasSize extent = canvas.textExtent(text.m_strText);
    return CanvasRect{anchor.x, anchor.y - extent.height, anchor.x + extent.width, anchor.y};
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
    const int units = m_idg.m_nUnitSystem;
    auto values = [units](const CStatePoint& p) {
        return unit_format::Temperature(units, "%.1f℃", p.m_t) + "  " +
               unit_format::Temperature(units, "%.1f℃", p.m_tw) + "  " +
               unit_format::Format("%.0f%%", p.m_RH * 100.0) + "  " +
               unit_format::Moisture(units, "%.1fg/kg", p.m_d) + "  " +
               unit_format::Enthalpy(units, "%.1fkJ/kg", "%.1fkcal/kg", p.m_h);
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
    using result_wording::Fill;
    line(QCoreApplication::translate("ChartRenderer", "已知参数：").toStdString(), 2);
    line(Fill(QCoreApplication::translate("ChartRenderer", "室外状态点%1：%2").toStdString(),
              {outdoor.m_strName, values(outdoor)}),
         2);
    line(Fill(QCoreApplication::translate("ChartRenderer", "室内状态点%1： %2").toStdString(),
              {indoor.m_strName, values(indoor)}),
         2);
    line(Fill(winter ? QCoreApplication::translate("ChartRenderer", "室内空调热负荷：%1").toStdString()
                     : QCoreApplication::translate("ChartRenderer", "室内空调冷负荷：%1").toStdString(),
              {loadText}),
         2);
    line(Fill(QCoreApplication::translate("ChartRenderer", "室内空调湿负荷：%1").toStdString(),
              {unit_format::MoistureFlow(units, "%.3fkg/h", moistureLoad)}),
         2);
    // The separator stands one line step (plus two pen units) below the top
    // of the fresh-air line, across the whole drawing width, and never
    // through the text of a font taller than its height; the cursor then
    // moves three steps instead of two.
    const int freshAirTop = y;
    const std::string freshAirText =
        Fill(QCoreApplication::translate("ChartRenderer", "新风量：%1").toStdString(),
             {unit_format::AirVolume(units, "%.0fm^3/h", freshAir)});
    const int penUnit = std::max(1, static_cast<int>(m_layout.m_fPenScale));
    const int separator = std::max(freshAirTop + step + static_cast<int>(2 * m_layout.m_fPenScale),
                                   freshAirTop + canvas.textExtent(freshAirText).height + penUnit);
    line(freshAirText, 3);
    // Across the whole drawing width: on paper the width inside the page
    // margins, which starts at the left margin.
    const int left = m_layout.m_device.printing ? static_cast<int>(m_idg.m_nMargin[2] * 39.4) : 0;
    canvas.setPen(CanvasPen{kBlack, 0, kPenSolid});
    canvas.drawLine(left, separator, left + m_layout.m_nTotalWidth, separator);
    line(QCoreApplication::translate("ChartRenderer", "计算结果：").toStdString(), 3);
}
