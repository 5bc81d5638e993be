#include "chart/LabelPlacement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "chart/TextMetrics.h"

namespace chart {

namespace {

// Direction of each name position, screen y downward.
constexpr int kDirection[kLabelPositions][2] = {{1, -1}, {1, 0},  {1, 1},   {0, 1},
                                                {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};
// A grid of more cells than this is made coarser: the grid is rebuilt on
// every drawing and must stay cheap on a printer page of 0.001-inch units.
constexpr long kMaxCells = 1L << 16;

// The cells over `bounds`: the cell size doubled until at most kMaxCells
// cover them, and their columns and rows.
void sizeCells(const CanvasRect& bounds, int& cell, int& columns, int& rows)
{
    const long width = std::max(1, bounds.width() + 1);
    const long height = std::max(1, bounds.height() + 1);
    while ((width / cell + 1) * (height / cell + 1) > kMaxCells)
        cell *= 2;
    columns = static_cast<int>(width / cell + 1);
    rows = static_cast<int>(height / cell + 1);
}
// The occupancy bitmap of the boxes has at most this many bits a row and
// rows (coarser units on a printer page).
constexpr long kMaxBitSide = 4096;
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

namespace {

// Where along its line a line's name may stand on its first ring, after the middle.
constexpr double kAlongLine[] = {0.4, 0.6, 0.3, 0.7};
constexpr int kSlides = static_cast<int>(sizeof kAlongLine / sizeof kAlongLine[0]);

// The groups of places a name tries, in order: the first ring round the
// anchor, for a line's name the first ring round points along the line, then
// the rings further out round the anchor.
struct Group {
    CanvasPoint anchor;
    int ring = 0;
};

int slidesOf(const LabelRequest& request)
{
    return request.alongLine ? kSlides : 0;
}

Group groupOf(const LabelRequest& request, int group)
{
    const int slides = slidesOf(request);
    if (group == 0 || group > slides)
        return {request.anchor, group == 0 ? 0 : group - slides};
    const double t = kAlongLine[group - 1];
    const CanvasPoint a = request.lineStart;
    const CanvasPoint b = request.lineEnd;
    return {{static_cast<int>(std::lround(a.x + t * (double(b.x) - a.x))),
             static_cast<int>(std::lround(a.y + t * (double(b.y) - a.y)))},
            0};
}

} // namespace

CanvasRect ringBox(CanvasPoint anchor, int preferred, int turn, int gap, CanvasSize size)
{
    if (turn < kLabelPositions)
        return labelBox(anchor, turnPosition(preferred, turn), gap, size);
    // Halfway between positions p+k and p+k+1 for k = 0, −1, 1, −2, 2, −3,
    // 3, −4: only those two boxes are worked out.
    const int j = turn - kLabelPositions;
    const int k = j % 2 == 0 ? j / 2 : -(j / 2 + 1);
    const int first = ((preferred + k) % kLabelPositions + kLabelPositions) % kLabelPositions;
    const CanvasRect a = labelBox(anchor, first, gap, size);
    const CanvasRect b = labelBox(anchor, (first + 1) % kLabelPositions, gap, size);
    const int left = (a.left + b.left) / 2;
    const int top = (a.top + b.top) / 2;
    return {left, top, left + size.width, top + size.height};
}

namespace {

// The places of a ring stand in five columns and five rows: the left edges
// of the left, the between, the middle, the between and the right places,
// and the top edges of the upper to the lower places, as labelBox and
// ringBox work them out. The box of every place of the ring is the left
// edge of its column and the top edge of its row, with the name's size.
struct RingEdges {
    int left[5];
    int top[5];
};

RingEdges ringEdges(CanvasPoint anchor, int gap, CanvasSize size)
{
    const int left = anchor.x - gap - size.width;
    const int middle = anchor.x - size.width / 2;
    const int right = anchor.x + gap;
    const int upper = anchor.y - gap - size.height;
    const int centre = anchor.y - size.height / 2;
    const int lower = anchor.y + gap;
    return {{left, (left + middle) / 2, middle, (middle + right) / 2, right},
            {upper, (upper + centre) / 2, centre, (centre + lower) / 2, lower}};
}

// The column and row (0–4) of turn `turn` of a ring: a position's are even,
// a place between two positions takes the mean of theirs.
constexpr std::pair<int, int> workOutRingCell(int preferred, int turn)
{
    auto column = [](int position) { return 2 * (kDirection[position][0] + 1); };
    auto row = [](int position) { return 2 * (kDirection[position][1] + 1); };
    if (turn < kLabelPositions) {
        const int position = turnPosition(preferred, turn);
        return {column(position), row(position)};
    }
    const int j = turn - kLabelPositions;
    const int k = j % 2 == 0 ? j / 2 : -(j / 2 + 1);
    const int first = ((preferred + k) % kLabelPositions + kLabelPositions) % kLabelPositions;
    const int second = (first + 1) % kLabelPositions;
    return {(column(first) + column(second)) / 2, (row(first) + row(second)) / 2};
}

// Every turn's column and row for every chosen position, worked out when
// compiling: a search asks them for each place.
struct RingCells {
    std::uint8_t column[kLabelPositions][ringTurns(1)];
    std::uint8_t row[kLabelPositions][ringTurns(1)];
};

constexpr RingCells workOutRingCells()
{
    RingCells cells{};
    for (int preferred = 0; preferred < kLabelPositions; ++preferred)
        for (int turn = 0; turn < ringTurns(1); ++turn) {
            const auto [column, row] = workOutRingCell(preferred, turn);
            cells.column[preferred][turn] = static_cast<std::uint8_t>(column);
            cells.row[preferred][turn] = static_cast<std::uint8_t>(row);
        }
    return cells;
}

constexpr RingCells kRingCells = workOutRingCells();

// preferred 0–7, turn 0–15.
std::pair<int, int> ringCell(int preferred, int turn)
{
    return {kRingCells.column[preferred][turn], kRingCells.row[preferred][turn]};
}

} // namespace

RingPlaces::RingPlaces(CanvasPoint anchor, int preferred, int gap, CanvasSize size)
    : m_preferred(preferred), m_size(size)
{
    const RingEdges edges = ringEdges(anchor, gap, size);
    std::copy(std::begin(edges.left), std::end(edges.left), m_left);
    std::copy(std::begin(edges.top), std::end(edges.top), m_top);
}

CanvasRect RingPlaces::place(int turn) const
{
    const auto [column, row] = ringCell(m_preferred, turn);
    const int left = m_left[column];
    const int top = m_top[row];
    return {left, top, left + m_size.width, top + m_size.height};
}

ObstacleGrid::ObstacleGrid(const CanvasRect& bounds, int cell, bool withBoxes)
    : m_bounds(bounds), m_cell(std::max(1, cell))
{
    sizeCells(bounds, m_cell, m_columns, m_rows);
    m_boxHeads.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), -1);
    m_segmentHeads.assign(m_boxHeads.size(), -1);
    const long width = std::max(1, bounds.width() + 1);
    const long height = std::max(1, bounds.height() + 1);
    while ((width + m_bitScale - 1) / m_bitScale > kMaxBitSide ||
           (height + m_bitScale - 1) / m_bitScale > kMaxBitSide) {
        m_bitScale *= 2;
        ++m_bitShift;
    }
    if (!withBoxes)
        return;
    m_bitColumns = static_cast<int>((width + m_bitScale - 1) / m_bitScale);
    m_bitRows = static_cast<int>((height + m_bitScale - 1) / m_bitScale);
    m_wordsPerRow = (static_cast<std::size_t>(m_bitColumns) + 63) / 64;
    m_bits.assign(m_wordsPerRow * static_cast<std::size_t>(m_bitRows), 0);
}

// Inline: every place a name's search looks at asks it.
inline bool ObstacleGrid::bitRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const
{
    // The units [left, right) × [top, bottom) a box covers (touching boxes
    // share none), in whole bits, outward.
    // Arithmetic shifts round toward minus infinity.
    const long scale = m_bitScale - 1;
    auto bounded = [](long bit, int most) { return static_cast<int>(bit < 0 ? 0 : bit > most ? most : bit); };
    x0 = bounded((static_cast<long>(rect.left) - m_bounds.left) >> m_bitShift, m_bitColumns);
    x1 = bounded((static_cast<long>(rect.right) - m_bounds.left + scale) >> m_bitShift, m_bitColumns);
    y0 = bounded((static_cast<long>(rect.top) - m_bounds.top) >> m_bitShift, m_bitRows);
    y1 = bounded((static_cast<long>(rect.bottom) - m_bounds.top + scale) >> m_bitShift, m_bitRows);
    return x0 < x1 && y0 < y1;
}

void ObstacleGrid::addBox(const CanvasRect& rect, ObstacleKind kind)
{
    // Something wholly outside the bounds cannot meet a name.
    if (!touches(rect, m_bounds))
        return;
    const int index = static_cast<int>(m_boxes.size());
    m_boxes.push_back({rect, kind});
    int x0, y0, x1, y1;
    cellRange(rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            int& head = m_boxHeads[cellIndex(x, y)];
            m_boxNodes.push_back({index, head});
            head = static_cast<int>(m_boxNodes.size()) - 1;
        }
    setBits(rect);
}

void ObstacleGrid::setBits(const CanvasRect& rect)
{
    int x0, y0, x1, y1;
    if (!bitRange(rect, x0, y0, x1, y1))
        return;
    for (int y = y0; y < y1; ++y) {
        std::uint64_t* row = m_bits.data() + static_cast<std::size_t>(y) * m_wordsPerRow;
        for (int x = x0; x < x1;) {
            const int bit = x % 64;
            const int count = std::min(64 - bit, x1 - x);
            const std::uint64_t mask = (count == 64 ? ~0ULL : ((1ULL << count) - 1)) << bit;
            row[static_cast<std::size_t>(x / 64)] |= mask;
            x += count;
        }
    }
}

void ObstacleGrid::coverAlso(const ObstacleGrid& other)
{
    if (other.m_bounds == m_bounds && other.m_bitScale == m_bitScale &&
        other.m_bits.size() == m_bits.size()) {
        for (std::size_t i = 0; i < m_bits.size(); ++i)
            m_bits[i] |= other.m_bits[i];
        return;
    }
    for (const Box& box : other.m_boxes)
        setBits(box.rect);
}

void ObstacleGrid::insertSegment(const Segment& segment) const
{
    if (!touches(segment.rect, m_bounds))
        return;
    const int index = static_cast<int>(m_segments.size());
    m_segments.push_back(segment);
    int x0, y0, x1, y1;
    cellRange(segment.rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            int& head = m_segmentHeads[cellIndex(x, y)];
            m_segmentNodes.push_back({index, head});
            head = static_cast<int>(m_segmentNodes.size()) - 1;
        }
}

void ObstacleGrid::addSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind)
{
    m_unfiled.push_back({a, b, kind});
}

void ObstacleGrid::fileSegments() const
{
    // Room for the pieces, about a cell long each, and their cells, so
    // that the lists grow without being moved.
    std::size_t pieces = 0;
    for (const Added& added : m_unfiled)
        pieces += static_cast<std::size_t>(std::max(std::abs(double(added.b.x) - added.a.x),
                                                    std::abs(double(added.b.y) - added.a.y)) /
                                           m_cell) +
                  1;
    pieces = std::min(pieces, static_cast<std::size_t>(m_unfiled.size()) * kMaxPieces);
    if (m_segments.size() + pieces > m_segments.capacity())
        m_segments.reserve(std::max(m_segments.size() + pieces, 2 * m_segments.capacity()));
    if (m_segmentNodes.size() + 3 * pieces > m_segmentNodes.capacity())
        m_segmentNodes.reserve(std::max(m_segmentNodes.size() + 3 * pieces, 2 * m_segmentNodes.capacity()));
    for (const Added& added : m_unfiled)
        fileSegment(added.a, added.b, added.kind);
    m_unfiled.clear();
}

void ObstacleGrid::fileSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind) const
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
        insertSegment({boundsOf(start, end), start, end, kind});
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

template <class Visit> bool ObstacleGrid::visitBoxes(const CanvasRect& rect, Visit&& visitor) const
{
    int x0, y0, x1, y1;
    cellRange(rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (int node = m_boxHeads[cellIndex(x, y)]; node >= 0;
                 node = m_boxNodes[static_cast<std::size_t>(node)].next)
                if (visitor(
                        m_boxes[static_cast<std::size_t>(m_boxNodes[static_cast<std::size_t>(node)].item)]))
                    return true;
    return false;
}

template <class Visit> bool ObstacleGrid::visitSegments(const CanvasRect& rect, Visit&& visitor) const
{
    if (!m_unfiled.empty())
        fileSegments();
    int x0, y0, x1, y1;
    cellRange(rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (int node = m_segmentHeads[cellIndex(x, y)]; node >= 0;
                 node = m_segmentNodes[static_cast<std::size_t>(node)].next)
                if (visitor(m_segments[static_cast<std::size_t>(
                        m_segmentNodes[static_cast<std::size_t>(node)].item)]))
                    return true;
    return false;
}

ObstacleGrid::Meeting ObstacleGrid::meet(const CanvasRect& box) const
{
    if (coversBox(box))
        return {true, false, false};
    return lineMeeting(box);
}

bool ObstacleGrid::coversBox(const CanvasRect& box) const
{
    int x0, y0, x1, y1;
    if (!bitRange(box, x0, y0, x1, y1))
        return false;
    // The words of a row the box spans and the bits of the first and last
    // (x0 and x1 − 1 are not negative).
    const auto left = static_cast<unsigned>(x0);
    const auto right = static_cast<unsigned>(x1 - 1);
    const std::size_t first = left / 64;
    const std::size_t last = right / 64;
    const std::uint64_t firstMask = ~0ULL << (left % 64);
    const std::uint64_t lastMask = ~0ULL >> (63 - right % 64);
    const std::uint64_t* row = m_bits.data() + static_cast<std::size_t>(y0) * m_wordsPerRow;
    for (int y = y0; y < y1; ++y, row += m_wordsPerRow) {
        if (first == last) {
            if (row[first] & firstMask & lastMask)
                return true;
            continue;
        }
        if ((row[first] & firstMask) || (row[last] & lastMask))
            return true;
        for (std::size_t word = first + 1; word < last; ++word)
            if (row[word])
                return true;
    }
    return false;
}

ObstacleGrid::Meeting ObstacleGrid::lineMeeting(const CanvasRect& box) const
{
    Meeting meeting;
    if (!touches(box, m_bounds))
        return meeting;
    visitSegments(box, [&](const Segment& item) {
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
    visitBoxes(span, [&](const Box& item) {
        // The marker round the anchor is the leader's own.
        const bool box = item.kind == ObstacleKind::Box;
        if ((!box && (crossing > 0 || item.rect.contains(own.x, own.y))) || !touches(item.rect, span) ||
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
    return visitBoxes(rect, [&](const Box& item) {
        return overlaps(item.rect, rect) && !item.rect.contains(a.x, a.y) && !item.rect.contains(b.x, b.y);
    });
}

LabelPlacer::LabelPlacer(const CanvasRect& bounds, int cell, std::shared_ptr<const ObstacleGrid> fixed)
    : m_bounds(bounds), m_fixed(std::move(fixed)), m_objects(bounds, cell)
{
    if (m_fixed)
        m_objects.coverAlso(*m_fixed);
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
    return !m_objects.coversBox(box) && !m_objects.lineMeeting(box).blocked;
}

bool LabelPlacer::covered(const CanvasRect& box) const
{
    return m_objects.coversBox(box);
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

int LabelPlacer::lines(const CanvasRect& box) const
{
    if (box.left < m_bounds.left || box.right > m_bounds.right || box.top < m_bounds.top ||
        box.bottom > m_bounds.bottom)
        return kOutside;
    if (m_objects.coversBox(box))
        return kCovered;
    const ObstacleGrid::Meeting objects = m_objects.lineMeeting(box);
    if (objects.blocked)
        return kOnLeader;
    if (objects.objectLine)
        return 2;
    if (!m_fixed)
        return objects.gridLine ? 1 : 0;
    const ObstacleGrid::Meeting grid = m_fixed->lineMeeting(box);
    if (grid.blocked)
        return kOnLeader;
    if (grid.objectLine)
        return 2;
    return objects.gridLine || grid.gridLine ? 1 : 0;
}

int LabelPlacer::leaderCrossing(const LabelRequest& request, const CanvasRect& box) const
{
    const CanvasPoint start = leaderStart(request, box);
    const CanvasPoint end = leaderEnd(request, box);
    const int crossing = m_objects.segmentCrossing(start, end, request.anchor);
    if (crossing == 2 || !m_fixed)
        return crossing;
    return std::max(crossing, m_fixed->segmentCrossing(start, end, request.anchor));
}

PlacedLabel LabelPlacer::search(const LabelRequest& request) const
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
    // object line; a leader across markers only; a leader across a name.
    std::optional<Candidate> fallback[3];
    std::optional<Candidate> chosen;
    int lastGroup = slidesOf(request) + kOuterRings;
    for (int group = 0; group <= lastGroup && !chosen; ++group) {
        const Group g = groupOf(request, group);
        const int ring = g.ring;
        const int gap = request.gap + ring * step;
        const RingPlaces places(g.anchor, preferred, gap, request.size);
        for (int turn = 0; turn < ringTurns(ring); ++turn) {
            const CanvasRect box = places.place(turn);
            const int q = lines(box);
            // A place on an object line serves only as the first last resort.
            if (q < 0 || (q == 2 && fallback[0]))
                continue;
            const int leader = ring > 0 ? leaderCrossing(request, box) : 0;
            const Candidate candidate{box, ring, q};
            const int resort = leader > 0 ? leader : (q == 2 ? 0 : -1);
            if (resort >= 0) {
                if (!fallback[resort]) {
                    fallback[resort] = candidate;
                    lastGroup = std::min(lastGroup, group + kRingsPastLastResort);
                }
                continue;
            }
            if (!chosen || q < chosen->lines)
                chosen = candidate;
            if (q == 0)
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
    return placed;
}

void LabelPlacer::take(const PlacedLabel& placed)
{
    if (!placed.placed)
        return;
    m_objects.addBox(placed.box);
    if (placed.leader && !(placed.leaderStart == placed.leaderEnd))
        m_objects.addSegment(placed.leaderStart, placed.leaderEnd, ObstacleKind::Leader);
}

PlacedLabel LabelPlacer::place(const LabelRequest& request)
{
    const PlacedLabel placed = search(request);
    take(placed);
    return placed;
}

} // namespace chart
