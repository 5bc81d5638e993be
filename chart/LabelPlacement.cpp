#include "chart/LabelPlacement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "chart/Canvas.h"

namespace chart {

namespace {

// Direction of each name position, screen y downward.
constexpr int kDirection[kLabelPositions][2] = {{1, -1}, {1, 0},  {1, 1},   {0, 1},
                                                {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};
// A grid of more cells than this is made coarser: the grid is rebuilt on
// every drawing and must stay cheap on a printer page of 0.001-inch units.
constexpr long kMaxCells = 1L << 16;
// A segment is cut into at most this many pieces (a line far off the page
// is clipped to the indexed area first, so this bounds only absurd input).
constexpr long kMaxPieces = 4096;

CanvasRect boundsOf(CanvasPoint a, CanvasPoint b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Whether the closed boxes share a point: a segment's bounding box may be
// a single row or column, which the strict overlap test would miss.
bool touches(const CanvasRect& a, const CanvasRect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

} // namespace

bool segmentCrossesBox(CanvasPoint a, CanvasPoint b, const CanvasRect& rect)
{
    // Liang–Barsky against the open box: the part of the segment strictly
    // inside both slabs must have length.
    double low = 0.0;
    double high = 1.0;
    auto slab = [&](double start, double delta, double lower, double upper) {
        if (delta == 0.0)
            return start > lower && start < upper;
        double t1 = (lower - start) / delta;
        double t2 = (upper - start) / delta;
        if (t1 > t2)
            std::swap(t1, t2);
        low = std::max(low, t1);
        high = std::min(high, t2);
        return low < high;
    };
    return slab(a.x, double(b.x) - a.x, rect.left, rect.right) &&
           slab(a.y, double(b.y) - a.y, rect.top, rect.bottom);
}

CanvasRect textBox(CanvasPoint anchor, CanvasSize size, int align)
{
    int left = anchor.x;
    switch (align & text_align::kHorizontalMask) {
    case text_align::kCenter:
        left = anchor.x - size.width / 2;
        break;
    case text_align::kRight:
        left = anchor.x - size.width;
        break;
    default:
        break;
    }
    int top = anchor.y;
    switch (align & text_align::kVerticalMask) {
    case text_align::kBaseline:
        top = anchor.y - (4 * size.height + 4) / 5;
        break;
    case text_align::kBottom:
        top = anchor.y - size.height;
        break;
    default:
        break;
    }
    return {left, top, left + size.width, top + size.height};
}

CanvasRect labelBox(CanvasPoint anchor, int position, int gap, CanvasSize size)
{
    const int ux = kDirection[position][0];
    const int uy = kDirection[position][1];
    const int left =
        ux > 0 ? anchor.x + gap : (ux < 0 ? anchor.x - gap - size.width : anchor.x - size.width / 2);
    const int top =
        uy > 0 ? anchor.y + gap : (uy < 0 ? anchor.y - gap - size.height : anchor.y - size.height / 2);
    return {left, top, left + size.width, top + size.height};
}

ObstacleGrid::ObstacleGrid(const CanvasRect& bounds, int cell) : m_bounds(bounds), m_cell(std::max(1, cell))
{
    const long width = std::max(1, bounds.width() + 1);
    const long height = std::max(1, bounds.height() + 1);
    while ((width / m_cell + 1) * (height / m_cell + 1) > kMaxCells)
        m_cell *= 2;
    m_columns = static_cast<int>(width / m_cell + 1);
    m_rows = static_cast<int>(height / m_cell + 1);
    m_cells.resize(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows));
}

void ObstacleGrid::cellRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const
{
    auto column = [this](int x) {
        return std::clamp((static_cast<long>(x) - m_bounds.left) / m_cell, 0L,
                          static_cast<long>(m_columns - 1));
    };
    auto row = [this](int y) {
        return std::clamp((static_cast<long>(y) - m_bounds.top) / m_cell, 0L, static_cast<long>(m_rows - 1));
    };
    x0 = static_cast<int>(column(rect.left));
    x1 = static_cast<int>(column(rect.right));
    y0 = static_cast<int>(row(rect.top));
    y1 = static_cast<int>(row(rect.bottom));
}

void ObstacleGrid::insert(const Item& item)
{
    // Something wholly outside the bounds cannot meet a name.
    if (!touches(item.rect, m_bounds))
        return;
    const int index = static_cast<int>(m_items.size());
    m_items.push_back(item);
    int x0, y0, x1, y1;
    cellRange(item.rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
                    static_cast<std::size_t>(x)]
                .push_back(index);
}

void ObstacleGrid::addBox(const CanvasRect& rect, ObstacleKind kind)
{
    insert({rect, {}, {}, kind});
}

void ObstacleGrid::addSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind)
{
    // Only the part over the indexed area matters.
    const CanvasRect area{m_bounds.left - 1, m_bounds.top - 1, m_bounds.right + 1, m_bounds.bottom + 1};
    if (!touches(boundsOf(a, b), area))
        return;
    const double dx = double(b.x) - a.x;
    const double dy = double(b.y) - a.y;
    double t0 = 0.0;
    double t1 = 1.0;
    // Clipped to the area (Liang–Barsky on the closed area).
    auto clip = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double t = q / p;
        if (p < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!clip(-dx, a.x - area.left) || !clip(dx, area.right - a.x) || !clip(-dy, a.y - area.top) ||
        !clip(dy, area.bottom - a.y))
        return;
    const double length = std::max(std::abs(dx), std::abs(dy)) * (t1 - t0);
    const long pieces = std::clamp(static_cast<long>(std::ceil(length / m_cell)), 1L, kMaxPieces);
    auto at = [&](double t) {
        return CanvasPoint{static_cast<int>(std::lround(a.x + dx * t)),
                           static_cast<int>(std::lround(a.y + dy * t))};
    };
    CanvasPoint start = t0 == 0.0 ? a : at(t0);
    for (long i = 1; i <= pieces; ++i) {
        const CanvasPoint end =
            i == pieces && t1 == 1.0 ? b : at(t0 + (t1 - t0) * double(i) / double(pieces));
        insert({boundsOf(start, end), start, end, kind});
        start = end;
    }
}

void ObstacleGrid::addPolyline(const std::vector<CanvasPoint>& points, ObstacleKind kind)
{
    if (points.size() < 2)
        return;
    CanvasPoint start = points.front();
    for (std::size_t i = 1; i < points.size(); ++i) {
        const CanvasPoint& p = points[i];
        const bool last = i + 1 == points.size();
        if (last || std::max(std::abs(p.x - start.x), std::abs(p.y - start.y)) >= m_cell) {
            addSegment(start, p, kind);
            start = p;
        }
    }
}

template <class Visit> bool ObstacleGrid::visit(const CanvasRect& rect, Visit&& visitor) const
{
    int x0, y0, x1, y1;
    cellRange(rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (const int index : m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
                                           static_cast<std::size_t>(x)])
                if (visitor(m_items[static_cast<std::size_t>(index)]))
                    return true;
    return false;
}

ObstacleGrid::Meeting ObstacleGrid::meet(const CanvasRect& box) const
{
    Meeting meeting;
    if (!touches(box, m_bounds))
        return meeting;
    visit(box, [&](const Item& item) {
        if (item.kind == ObstacleKind::Box || item.kind == ObstacleKind::Marker) {
            meeting.blocked = overlaps(item.rect, box);
            return meeting.blocked;
        }
        // A line already known to cross needs no second look.
        const bool known = item.kind == ObstacleKind::ObjectLine ? meeting.objectLine
                           : item.kind == ObstacleKind::GridLine ? meeting.gridLine
                                                                 : false;
        if (known || !touches(item.rect, box) || !segmentCrossesBox(item.a, item.b, box))
            return false;
        if (item.kind == ObstacleKind::Leader)
            meeting.blocked = true;
        else if (item.kind == ObstacleKind::ObjectLine)
            meeting.objectLine = true;
        else
            meeting.gridLine = true;
        return meeting.blocked;
    });
    return meeting;
}

int ObstacleGrid::segmentCrossing(CanvasPoint a, CanvasPoint b, CanvasPoint own) const
{
    const CanvasRect span = boundsOf(a, b);
    if (!touches(span, m_bounds))
        return 0;
    int crossing = 0;
    visit(span, [&](const Item& item) {
        const bool box = item.kind == ObstacleKind::Box;
        if ((!box && item.kind != ObstacleKind::Marker) || (!box && crossing > 0) ||
            item.rect.contains(own.x, own.y) || !touches(item.rect, span) ||
            !segmentCrossesBox(a, b, item.rect))
            return false;
        crossing = box ? 2 : 1;
        return box;
    });
    return crossing;
}

bool ObstacleGrid::overlapsBoxApartFrom(const CanvasRect& rect, CanvasPoint a, CanvasPoint b) const
{
    if (!touches(rect, m_bounds))
        return false;
    return visit(rect, [&](const Item& item) {
        return (item.kind == ObstacleKind::Box || item.kind == ObstacleKind::Marker) &&
               overlaps(item.rect, rect) && !item.rect.contains(a.x, a.y) && !item.rect.contains(b.x, b.y);
    });
}

LabelPlacer::LabelPlacer(const CanvasRect& bounds, int cell, const ObstacleGrid* fixed)
    : m_bounds(bounds), m_fixed(fixed), m_objects(bounds, cell)
{
}

void LabelPlacer::addObstacle(const CanvasRect& rect, ObstacleKind kind)
{
    m_objects.addBox(rect, kind);
}

void LabelPlacer::addLine(CanvasPoint a, CanvasPoint b, ObstacleKind kind)
{
    m_objects.addSegment(a, b, kind);
}

bool LabelPlacer::isFree(const CanvasRect& box) const
{
    if (box.left < m_bounds.left || box.right > m_bounds.right || box.top < m_bounds.top ||
        box.bottom > m_bounds.bottom)
        return false;
    return !m_objects.meet(box).blocked && !(m_fixed && m_fixed->meet(box).blocked);
}

bool LabelPlacer::coversObjectBox(const CanvasRect& rect, CanvasPoint a, CanvasPoint b) const
{
    return m_objects.overlapsBoxApartFrom(rect, a, b);
}

CanvasPoint LabelPlacer::leaderEnd(const LabelRequest& request, const CanvasRect& box)
{
    return {std::clamp(request.anchor.x, box.left, box.right),
            std::clamp(request.anchor.y, box.top, box.bottom)};
}

CanvasPoint LabelPlacer::leaderStart(const LabelRequest& request, const CanvasRect& box)
{
    const CanvasPoint end = leaderEnd(request, box);
    const double dx = end.x - request.anchor.x;
    const double dy = end.y - request.anchor.y;
    const double length = std::hypot(dx, dy);
    if (length <= request.reach || length == 0.0)
        return end;
    return {request.anchor.x + static_cast<int>(std::lround(dx * request.reach / length)),
            request.anchor.y + static_cast<int>(std::lround(dy * request.reach / length))};
}

LabelPlacer::Quality LabelPlacer::quality(const CanvasRect& box, const LabelRequest& request,
                                          bool leader) const
{
    Quality q;
    if (box.left < m_bounds.left || box.right > m_bounds.right || box.top < m_bounds.top ||
        box.bottom > m_bounds.bottom)
        return q;
    const ObstacleGrid::Meeting objects = m_objects.meet(box);
    if (objects.blocked)
        return q;
    ObstacleGrid::Meeting grid;
    if (m_fixed) {
        grid = m_fixed->meet(box);
        if (grid.blocked)
            return q;
    }
    q.usable = true;
    q.lines = objects.objectLine || grid.objectLine ? 2 : (objects.gridLine || grid.gridLine ? 1 : 0);
    if (leader) {
        const CanvasPoint start = leaderStart(request, box);
        const CanvasPoint end = leaderEnd(request, box);
        q.leader = m_objects.segmentCrossing(start, end, request.anchor);
        if (q.leader < 2 && m_fixed)
            q.leader = std::max(q.leader, m_fixed->segmentCrossing(start, end, request.anchor));
    }
    return q;
}

PlacedLabel LabelPlacer::place(const LabelRequest& request)
{
    const int preferred = ((request.position % kLabelPositions) + kLabelPositions) % kLabelPositions;
    const int step = std::max(1, request.size.height / 2);
    PlacedLabel placed;
    placed.box = labelBox(request.anchor, preferred, request.gap, request.size);
    struct Candidate {
        CanvasRect box;
        int ring = 0;
        int lines = 0;
    };
    // The first usable place of each last resort: a clear leader but on an
    // object line; a leader across markers; a leader across anything.
    std::optional<Candidate> fallback[3];
    std::optional<Candidate> chosen;
    for (int ring = 0; ring <= kOuterRings && !chosen; ++ring) {
        const int gap = request.gap + ring * step;
        // p, p+1, p−1, p+2, p−2, p+3, p−3, p+4: nearest to the user's choice first.
        for (int turn = 0; turn < kLabelPositions; ++turn) {
            const int offset = (turn + 1) / 2 * (turn % 2 == 1 ? 1 : -1);
            const int position = (preferred + offset + kLabelPositions) % kLabelPositions;
            const CanvasRect box = labelBox(request.anchor, position, gap, request.size);
            const Quality q = quality(box, request, ring > 0);
            if (!q.usable)
                continue;
            const Candidate candidate{box, ring, q.lines};
            const int resort = q.leader > 0 ? q.leader : (q.lines > 1 ? 0 : -1);
            if (resort >= 0) {
                if (!fallback[resort])
                    fallback[resort] = candidate;
                continue;
            }
            if (!chosen || q.lines < chosen->lines)
                chosen = candidate;
            if (q.lines == 0)
                break;
        }
    }
    for (int resort = 0; resort < 3 && !chosen; ++resort)
        chosen = fallback[resort];
    if (!chosen)
        return placed;
    placed.box = chosen->box;
    placed.placed = true;
    placed.halo = chosen->lines > 0;
    placed.leader = chosen->ring > 0;
    if (placed.leader) {
        placed.leaderStart = leaderStart(request, placed.box);
        placed.leaderEnd = leaderEnd(request, placed.box);
    }
    m_objects.addBox(placed.box);
    if (placed.leader && !(placed.leaderStart == placed.leaderEnd))
        m_objects.addSegment(placed.leaderStart, placed.leaderEnd, ObstacleKind::Leader);
    return placed;
}

} // namespace chart
