#include "chart/LabelPlacement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <tuple>
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

// The columns (or rows) whose edge lies in [low, high], bit c for column c.
std::uint32_t edgesWithin(const int (&edge)[5], int low, int high)
{
    std::uint32_t within = 0;
    for (int c = 0; c < 5; ++c)
        within |= static_cast<std::uint32_t>(low <= edge[c] && edge[c] <= high) << c;
    return within;
}

// Bit 5 × c for each bit c of the index: times the rows (bits 0–4), the
// places of those rows in those columns (bit 5 × column + row).
constexpr std::array<std::uint32_t, 32> kSpreadColumns = [] {
    std::array<std::uint32_t, 32> spread{};
    for (std::uint32_t columns = 0; columns < 32; ++columns)
        for (int c = 0; c < 5; ++c)
            if ((columns >> c) & 1U)
                spread[columns] |= 1U << (5 * c);
    return spread;
}();

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
// compiling: a search and a kept name's check ask them for each place.
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

void ObstacleGrid::addSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind, int line)
{
    m_unfiled.push_back({a, b, kind, line});
    if (line >= 0 && static_cast<std::size_t>(line) >= m_gone.size())
        m_gone.resize(static_cast<std::size_t>(line) + 1, 0);
}

void ObstacleGrid::removeLine(int line)
{
    if (line < 0 || static_cast<std::size_t>(line) >= m_gone.size() || m_gone[static_cast<std::size_t>(line)])
        return;
    m_gone[static_cast<std::size_t>(line)] = 1;
    ++m_goneCount;
}

void ObstacleGrid::meetLinesOf(std::shared_ptr<const ObstacleGrid> lines)
{
    m_unfiled.clear();
    m_segments.clear();
    m_segmentNodes.clear();
    std::fill(m_segmentHeads.begin(), m_segmentHeads.end(), -1);
    m_lines = std::move(lines);
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
    for (const Added& added : m_unfiled) {
        const CanvasPoint a = added.a;
        const CanvasPoint b = added.b;
        const ObstacleKind kind = added.kind;
        fileSegment(a, b, kind, added.line);
    }
    m_unfiled.clear();
}

void ObstacleGrid::fileSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind, int line) const
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
        insertSegment({boundsOf(start, end), start, end, kind, line});
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
        if (known || (item.line >= 0 && m_gone[static_cast<std::size_t>(item.line)]) ||
            !touches(item.rect, box) || !segmentCrossesBox(item.a, item.b, box))
            return false;
        if (item.kind == ObstacleKind::Leader)
            meeting.blocked = true;
        else if (item.kind == ObstacleKind::ObjectLine)
            meeting.objectLine = true;
        else
            meeting.gridLine = true;
        return meeting.blocked;
    });
    if (m_lines && !meeting.blocked) {
        const Meeting lines = m_lines->lineMeeting(box);
        meeting.blocked = lines.blocked;
        meeting.objectLine = meeting.objectLine || lines.objectLine;
        meeting.gridLine = meeting.gridLine || lines.gridLine;
    }
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

namespace {

// Whether segment a–b has a point in the closed area: an end inside it, or a
// stretch through its inside.
bool segmentInArea(CanvasPoint a, CanvasPoint b, const CanvasRect& area)
{
    return touches(boundsOf(a, b), area) && (area.contains(a.x, a.y) || segmentCrossesBox(a, b, area));
}

// The change cells are this many cells of the names' grid across, about
// as large as the area a name's search reaches.
constexpr int kChangeCellFactor = 8;

} // namespace

void ChangeCells::reset(const CanvasRect& bounds, int cell)
{
    m_bounds = bounds;
    m_cell = std::max(1, cell);
    sizeCells(bounds, m_cell, m_columns, m_rows);
    m_boxHeads.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), -1);
    m_segmentHeads.assign(m_boxHeads.size(), -1);
    m_boxes.clear();
    m_segments.clear();
    m_boxNodes.clear();
    m_segmentNodes.clear();
    m_boxSeen.clear();
    m_segmentSeen.clear();
    m_gathering = 0;
}

// The cell column and row of a device unit; whatever lies beyond the bounds
// goes to the border cells. Both never decrease as x or y grow, so a point
// in an area lies in a cell of the area's range of cells.
int ChangeCells::column(long x) const
{
    return static_cast<int>(std::clamp((x - m_bounds.left) / m_cell, 0L, static_cast<long>(m_columns - 1)));
}

int ChangeCells::row(long y) const
{
    return static_cast<int>(std::clamp((y - m_bounds.top) / m_cell, 0L, static_cast<long>(m_rows - 1)));
}

void ChangeCells::file(std::vector<int>& heads, std::vector<std::pair<int, int>>& nodes, int item, int x,
                       int y)
{
    int& head = heads[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
                      static_cast<std::size_t>(x)];
    nodes.push_back({item, head});
    head = static_cast<int>(nodes.size()) - 1;
}

void ChangeCells::addBox(const CanvasRect& box, bool went)
{
    const int item = static_cast<int>(m_boxes.size());
    m_boxes.push_back({box, went});
    m_boxSeen.push_back(0);
    const int x1 = column(box.right);
    const int y1 = row(box.bottom);
    for (int y = row(box.top); y <= y1; ++y)
        for (int x = column(box.left); x <= x1; ++x)
            file(m_boxHeads, m_boxNodes, item, x, y);
}

void ChangeCells::addSegment(CanvasPoint a, CanvasPoint b)
{
    const int item = static_cast<int>(m_segments.size());
    m_segments.push_back({a, b});
    m_segmentSeen.push_back(0);
    // Row by row, the stretch of x the segment spans within the row's band
    // of y (the border rows reach on beyond the bounds), one unit wider each
    // side against rounding: every point of the segment lies in a cell it
    // is filed in.
    const double ya = a.y;
    const double yb = b.y;
    const double low = std::min(ya, yb);
    const double high = std::max(ya, yb);
    const int y1 = row(static_cast<long>(high));
    for (int y = row(static_cast<long>(low)); y <= y1; ++y) {
        const double bandTop = y == 0 ? low : std::max(low, double(m_bounds.top) + double(y) * m_cell);
        const double bandBottom =
            y == m_rows - 1 ? high : std::min(high, double(m_bounds.top) + double(y + 1) * m_cell);
        if (bandTop > bandBottom)
            continue;
        double left = std::min(a.x, b.x);
        double right = std::max(a.x, b.x);
        if (a.y != b.y) {
            const double slope = (double(b.x) - a.x) / (yb - ya);
            const double xTop = a.x + (bandTop - ya) * slope;
            const double xBottom = a.x + (bandBottom - ya) * slope;
            left = std::max(left, std::min(xTop, xBottom));
            right = std::min(right, std::max(xTop, xBottom));
        }
        const int x1 = column(static_cast<long>(std::ceil(right)) + 1);
        for (int x = column(static_cast<long>(std::floor(left)) - 1); x <= x1; ++x)
            file(m_segmentHeads, m_segmentNodes, item, x, y);
    }
}

void ChangeCells::gather(const CanvasRect& area, std::vector<CanvasRect>& boxes,
                         std::vector<CanvasRect>& went, std::vector<Segment>& segments) const
{
    if (empty())
        return;
    if (++m_gathering == 0) {
        std::fill(m_boxSeen.begin(), m_boxSeen.end(), 0);
        std::fill(m_segmentSeen.begin(), m_segmentSeen.end(), 0);
        m_gathering = 1;
    }
    const int x0 = column(area.left);
    const int x1 = column(area.right);
    const int y1 = row(area.bottom);
    for (int y = row(area.top); y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const std::size_t cell = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
                                     static_cast<std::size_t>(x);
            for (int node = m_boxHeads[cell]; node >= 0;
                 node = m_boxNodes[static_cast<std::size_t>(node)].second) {
                const auto item = static_cast<std::size_t>(m_boxNodes[static_cast<std::size_t>(node)].first);
                if (m_boxSeen[item] == m_gathering)
                    continue;
                m_boxSeen[item] = m_gathering;
                const Box& box = m_boxes[item];
                if (!touches(box.rect, area))
                    continue;
                boxes.push_back(box.rect);
                if (box.went)
                    went.push_back(box.rect);
            }
            for (int node = m_segmentHeads[cell]; node >= 0;
                 node = m_segmentNodes[static_cast<std::size_t>(node)].second) {
                const auto item =
                    static_cast<std::size_t>(m_segmentNodes[static_cast<std::size_t>(node)].first);
                if (m_segmentSeen[item] == m_gathering)
                    continue;
                m_segmentSeen[item] = m_gathering;
                const Segment& segment = m_segments[item];
                if (segmentInArea(segment.first, segment.second, area))
                    segments.push_back(segment);
            }
        }
}

LabelPlacer::LabelPlacer(const CanvasRect& bounds, int cell, std::shared_ptr<const ObstacleGrid> fixed)
    : m_bounds(bounds), m_cell(cell), m_fixed(std::move(fixed)), m_objects(bounds, cell),
      m_memory(std::make_shared<PlacementMemory>())
{
    if (m_fixed)
        m_objects.coverAlso(*m_fixed);
    m_memory->bounds = bounds;
    m_memory->cell = cell;
    m_memory->fixed = m_fixed;
}

void LabelPlacer::addObstacle(const CanvasRect& rect, ObstacleKind kind)
{
    m_objects.addBox(rect, kind);
    m_memory->obstacles.push_back({kind, rect, {}, {}});
}

void LabelPlacer::addLine(CanvasPoint a, CanvasPoint b, ObstacleKind kind)
{
    m_objects.addSegment(a, b, kind);
    m_memory->obstacles.push_back({kind, boundsOf(a, b), a, b});
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

void LabelPlacer::search(const LabelRequest& request, PlacementMemory::Name& name,
                         std::vector<PlacementMemory::Looked>& looked) const
{
    const int preferred = ((request.position % kLabelPositions) + kLabelPositions) % kLabelPositions;
    const int step = std::max(1, request.size.height / 2);
    PlacedLabel& placed = name.placed;
    placed.box = labelBox(request.anchor, preferred, request.gap, request.size);
    name.reach = placed.box;
    name.lookedFrom = static_cast<std::uint32_t>(looked.size());
    auto reachAlso = [](CanvasRect& reach, const CanvasRect& rect) {
        reach = {std::min(reach.left, rect.left), std::min(reach.top, rect.top),
                 std::max(reach.right, rect.right), std::max(reach.bottom, rect.bottom)};
    };
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
            name.lastGroup = group;
            name.lastTurn = turn;
            reachAlso(name.reach, box);
            const int q = lines(box);
            if (q == kOnLeader || q >= 0)
                looked.push_back({box, group, turn, q, -1});
            // A place on an object line serves only as the first last resort.
            if (q < 0 || (q == 2 && fallback[0]))
                continue;
            int leader = 0;
            if (ring > 0) {
                reachAlso(name.reach, boundsOf(leaderStart(request, box), leaderEnd(request, box)));
                leader = leaderCrossing(request, box);
                looked.back().leader = leader;
            }
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
    name.lookedCount = static_cast<std::uint32_t>(looked.size() - name.lookedFrom);
    for (int resort = 0; resort < 3 && !chosen; ++resort)
        chosen = fallback[resort];
    if (!chosen)
        return;
    placed.box = chosen->box;
    placed.placed = true;
    placed.halo = chosen->lines > 0;
    placed.leader = chosen->ring > 0;
    if (placed.leader) {
        placed.leaderStart = leaderStart(request, placed.box);
        placed.leaderEnd = leaderEnd(request, placed.box);
    }
}

void LabelPlacer::take(const PlacedLabel& placed)
{
    if (!placed.placed)
        return;
    m_objects.addBox(placed.box);
    if (placed.leader && !(placed.leaderStart == placed.leaderEnd))
        m_objects.addSegment(placed.leaderStart, placed.leaderEnd, ObstacleKind::Leader);
}

void LabelPlacer::noteChange(const PlacedLabel& placed, bool went)
{
    if (!placed.placed)
        return;
    m_changes.addBox(placed.box, went);
    if (placed.leader)
        m_changes.addSegment(placed.leaderStart, placed.leaderEnd);
}

bool LabelPlacer::stillHolds(const PlacementMemory::Name& name, const PlacementMemory& memory) const
{
    // One unit more than the occupancy bits round outward.
    const int margin = std::max(m_objects.bitScale(), 1) + 1;
    auto grown = [margin](const CanvasRect& r) {
        return CanvasRect{r.left - margin, r.top - margin, r.right + margin, r.bottom + margin};
    };
    using Segment = std::pair<CanvasPoint, CanvasPoint>;
    // The changes within reach of the search, if any.
    const CanvasRect reach = grown(name.reach);
    std::vector<CanvasRect>& boxes = m_nearBoxes;
    std::vector<CanvasRect>& went = m_nearWentBoxes;
    std::vector<Segment>& segments = m_nearSegments;
    boxes.clear();
    went.clear();
    segments.clear();
    m_changes.gather(reach, boxes, went, segments);
    if (boxes.empty() && segments.empty())
        return true;
    const PlacementMemory::Looked* looked = memory.looked.data() + name.lookedFrom;
    const PlacementMemory::Looked* const lookedEnd = looked + name.lookedCount;
    const LabelRequest& request = name.request;
    const int preferred = ((request.position % kLabelPositions) + kLabelPositions) % kLabelPositions;
    const int step = std::max(1, request.size.height / 2);
    // The changes near one group of places.
    std::vector<CanvasRect>& groupBoxes = m_groupBoxes;
    std::vector<Segment>& groupSegments = m_groupSegments;
    auto boxMeets = [&](const CanvasRect& area) {
        const CanvasRect wide = grown(area);
        return std::any_of(groupBoxes.begin(), groupBoxes.end(),
                           [&](const CanvasRect& box) { return touches(box, wide); });
    };
    auto segmentMeets = [&](const CanvasRect& area) {
        const CanvasRect wide = grown(area);
        return std::any_of(groupSegments.begin(), groupSegments.end(), [&](const Segment& segment) {
            return segmentInArea(segment.first, segment.second, wide);
        });
    };
    // Every place and leader of a group lies within a square round the
    // group's anchor: only the changes that reach it can change an answer.
    auto gather = [&](const Group& g, const std::vector<CanvasRect>& changedBoxes, bool withSegments) {
        const int half = request.gap + g.ring * step + std::max(request.size.width, request.size.height);
        const CanvasRect square =
            grown({g.anchor.x - half, g.anchor.y - half, g.anchor.x + half, g.anchor.y + half});
        groupBoxes.clear();
        groupSegments.clear();
        for (const CanvasRect& box : changedBoxes)
            if (touches(box, square))
                groupBoxes.push_back(box);
        if (withSegments)
            for (const Segment& segment : segments)
                if (segmentInArea(segment.first, segment.second, square))
                    groupSegments.push_back(segment);
        return !groupBoxes.empty() || !groupSegments.empty();
    };
    // The places the search looked at (their boxes kept): those a change
    // reaches are asked again.
    while (looked != lookedEnd) {
        const int group = looked->group;
        const PlacementMemory::Looked* groupEnd = looked;
        while (groupEnd != lookedEnd && groupEnd->group == group)
            ++groupEnd;
        if (!gather(groupOf(request, group), boxes, true)) {
            looked = groupEnd;
            continue;
        }
        for (; looked != groupEnd; ++looked) {
            const CanvasRect& box = looked->box;
            const bool boxChanged = boxMeets(box);
            const bool leaderChanged = looked->leader >= 0 && !groupBoxes.empty() &&
                                       boxMeets(boundsOf(leaderStart(request, box), leaderEnd(request, box)));
            const bool linesChanged = segmentMeets(box);
            if (!boxChanged && !leaderChanged && !linesChanged)
                continue;
            if (lines(box) != looked->lines)
                return false;
            if (looked->leader >= 0 && (boxChanged || leaderChanged) &&
                leaderCrossing(request, box) != looked->leader)
                return false;
        }
    }
    if (went.empty())
        return true;
    // The places it found covered or outside: only a box that went can
    // have freed one (boxes that came and lines cover no more of them).
    for (CanvasRect& box : went)
        box = grown(box);
    looked = memory.looked.data() + name.lookedFrom;
    for (int group = 0; group <= name.lastGroup; ++group) {
        const Group g = groupOf(request, group);
        const int gap = request.gap + g.ring * step;
        const int half = gap + std::max(request.size.width, request.size.height);
        const CanvasRect square{g.anchor.x - half, g.anchor.y - half, g.anchor.x + half, g.anchor.y + half};
        // The turns whose answers were checked above.
        unsigned lookedTurns = 0;
        for (; looked != lookedEnd && looked->group == group; ++looked)
            lookedTurns |= 1U << looked->turn;
        // Which places of the ring a box that went touches, by column and
        // row (bit 5 × column + row): a box of the name's size touches
        // one exactly when its column and its row both meet the box.
        const RingEdges edges = ringEdges(g.anchor, gap, request.size);
        std::uint32_t touched = 0;
        for (const CanvasRect& box : went) {
            // Every place of the ring lies outside the square of half side
            // `gap` round its anchor and inside `square`.
            if (!touches(box, square) || (box.left > g.anchor.x - gap && box.right < g.anchor.x + gap &&
                                          box.top > g.anchor.y - gap && box.bottom < g.anchor.y + gap))
                continue;
            const std::uint32_t columns = edgesWithin(edges.left, box.left - request.size.width, box.right);
            const std::uint32_t rows =
                columns ? edgesWithin(edges.top, box.top - request.size.height, box.bottom) : 0;
            touched |= rows * kSpreadColumns[columns];
        }
        if (!touched)
            continue;
        const int turns = group == name.lastGroup ? name.lastTurn + 1 : ringTurns(g.ring);
        for (int turn = 0; turn < turns; ++turn) {
            if ((lookedTurns >> turn) & 1U)
                continue;
            const auto [column, row] = ringCell(preferred, turn);
            if (!((touched >> (5 * column + row)) & 1U))
                continue;
            const int left = edges.left[column];
            const int top = edges.top[row];
            const int q = lines({left, top, left + request.size.width, top + request.size.height});
            if (q == kOnLeader || q >= 0)
                return false;
        }
    }
    return true;
}

void LabelPlacer::recall(std::shared_ptr<const PlacementMemory> previous)
{
    m_previous.reset();
    m_changes.reset(m_bounds, kChangeCellFactor * m_cell);
    // The obstacles that came or went since: both lists in one order, walked
    // side by side.
    auto& now = m_memory->obstacles;
    auto order = [](const PlacementMemory::Obstacle& x, const PlacementMemory::Obstacle& y) {
        auto key = [](const PlacementMemory::Obstacle& o) {
            return std::tuple(static_cast<int>(o.kind), o.rect.left, o.rect.top, o.rect.right, o.rect.bottom,
                              o.a.x, o.a.y, o.b.x, o.b.y);
        };
        return key(x) < key(y);
    };
    std::sort(now.begin(), now.end(), order);
    auto isLine = [](const PlacementMemory::Obstacle& o) {
        return o.kind != ObstacleKind::Box && o.kind != ObstacleKind::Marker;
    };
    const bool same =
        previous && previous->bounds == m_bounds && previous->cell == m_cell && previous->fixed == m_fixed;
    // The object lines, filed into cells: those of the previous drawing
    // with the lines that went marked and those that came added, when it
    // handed them on untouched and not too many went; else all anew. The
    // grid met is the same either way: the lines of this drawing.
    std::size_t lineCount = 0;
    for (const PlacementMemory::Obstacle& o : now)
        lineCount += isLine(o) ? 1 : 0;
    const bool ownLinesOnly = m_objects.onlyUnfiled(lineCount);
    std::shared_ptr<ObstacleGrid> lines;
    if (same && ownLinesOnly && previous->lines && previous->lines->takenOver() == previous->linesTakenOver &&
        previous->lineNumbers.size() == previous->obstacles.size() &&
        2 * previous->lines->goneCount() <= previous->lines->lineCount())
        lines = previous->lines;
    std::vector<int>& numbers = m_memory->lineNumbers;
    numbers.assign(now.size(), -1);
    if (!lines && ownLinesOnly) {
        lines = std::make_shared<ObstacleGrid>(m_bounds, m_cell, false);
        for (std::size_t j = 0; j < now.size(); ++j)
            if (isLine(now[j])) {
                numbers[j] = lines->lineCount();
                lines->addSegment(now[j].a, now[j].b, now[j].kind, numbers[j]);
            }
    }
    const bool takenOver = lines && same && lines == previous->lines;
    auto note = [this](const PlacementMemory::Obstacle& o, bool went) {
        if (o.kind == ObstacleKind::Box || o.kind == ObstacleKind::Marker)
            m_changes.addBox(o.rect, went);
        else
            m_changes.addSegment(o.a, o.b);
    };
    const std::vector<PlacementMemory::Obstacle> none;
    const auto& before = same ? previous->obstacles : none;
    std::size_t i = 0;
    std::size_t j = same ? 0 : now.size();
    while (i < before.size() || j < now.size()) {
        if (i < before.size() && j < now.size() && before[i] == now[j]) {
            if (takenOver)
                numbers[j] = previous->lineNumbers[i];
            ++i;
            ++j;
        } else if (j >= now.size() || (i < before.size() && order(before[i], now[j]))) {
            if (takenOver && isLine(before[i]))
                lines->removeLine(previous->lineNumbers[i]);
            note(before[i++], true);
        } else {
            if (takenOver && isLine(now[j])) {
                numbers[j] = lines->lineCount();
                lines->addSegment(now[j].a, now[j].b, now[j].kind, numbers[j]);
            }
            note(now[j++], false);
        }
    }
    if (lines) {
        m_memory->linesTakenOver = lines->takeOver();
        m_memory->lines = lines;
        m_objects.meetLinesOf(lines);
    }
    if (same)
        m_previous = std::move(previous);
}

PlacedLabel LabelPlacer::place(const LabelRequest& request)
{
    const std::size_t index = m_memory->names.size();
    const PlacementMemory::Name* before =
        m_previous && index < m_previous->names.size() ? &m_previous->names[index] : nullptr;
    if (before && before->request == request && stillHolds(*before, *m_previous)) {
        take(before->placed);
        PlacementMemory::Name again = *before;
        again.lookedFrom = static_cast<std::uint32_t>(m_memory->looked.size());
        const auto from = m_previous->looked.begin() + before->lookedFrom;
        m_memory->looked.insert(m_memory->looked.end(), from, from + before->lookedCount);
        m_memory->names.push_back(again);
        return before->placed;
    }
    PlacementMemory::Name name;
    name.request = request;
    search(request, name, m_memory->looked);
    ++m_searched;
    if (m_previous && (!before || !(before->placed == name.placed))) {
        if (before)
            noteChange(before->placed, true);
        noteChange(name.placed, false);
    }
    take(name.placed);
    m_memory->names.push_back(name);
    return name.placed;
}

} // namespace chart
