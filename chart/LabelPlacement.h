#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/CanvasTypes.h"

// Places the names of chart objects so that no name overlaps another name, a
// point marker, an arrowhead, a text or a label of the grid, and no leader
// line crosses a name or a marker. A placement depends only on what is drawn
// and on the device, in the order the names are asked for: the same chart
// gives the same picture on the screen, in every export and on paper.
//
// The rule, said once: a name tries the position the user chose on the
// first ring round its anchor, then the other positions of that ring nearest
// first (one step round either way, then two, …); a line's name then the
// first ring round points further along its line (0.4, 0.6, 0.3, 0.7 of the
// way); then the same on rings half a name height further out, with a
// leader line. A place is usable when
// it lies inside the bounds and covers no marker, box or leader line. The
// name takes the nearest ring that has a usable place whose leader crosses
// nothing and that no process line, ε line or arrowhead crosses; within that
// ring a place no grid line crosses either comes before one on an iso-line.
// Failing that, the first usable place with a clear leader that lies on an
// object line; then, in a cluster no leader can leave without crossing, the
// first whose leader crosses only markers, then any usable place. A name on
// a line is drawn on a white halo. Each name tries a bounded number of
// places, and the tries of one name do not depend on how many the others
// needed: moving one object moves only the names near it.
namespace chart {

// Whether two rectangles share area (touching edges do not).
constexpr bool overlaps(const CanvasRect& a, const CanvasRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether segment a–b passes through the inside of rect (running along an
// edge or touching a corner does not count).
bool segmentCrossesBox(CanvasPoint a, CanvasPoint b, const CanvasRect& rect);

// The box a text of this size covers when drawn at anchor with a text_align
// combination; a baseline-aligned text is taken to stand four fifths of its
// height above the baseline.
CanvasRect textBox(CanvasPoint anchor, CanvasSize size, int align);

// The eight name positions around an anchor (screen y downward): 0 upper
// right, 1 right, 2 lower right, 3 below, 4 lower left, 5 left, 6 upper left,
// 7 above.
inline constexpr int kLabelPositions = 8;

// The position of turn 0–7 round the user's choice: p, p+1, p−1, p+2, p−2,
// p+3, p−3, p+4, nearest to the choice first.
constexpr int turnPosition(int preferred, int turn)
{
    const int offset = (turn + 1) / 2 * (turn % 2 == 1 ? 1 : -1);
    return ((preferred + offset) % kLabelPositions + kLabelPositions) % kLabelPositions;
}

// The box of a name of this size standing `gap` device units away from the
// anchor in direction `position`: beside, above or below the anchor, centred
// on it along the other axis for the four straight positions.
CanvasRect labelBox(CanvasPoint anchor, int position, int gap, CanvasSize size);

// The places a ring offers: the eight positions, and beyond the first ring
// also the eight places halfway between neighbouring positions (their two
// boxes averaged), so a leader finds the gaps of a crowd.
constexpr int ringTurns(int ring)
{
    return ring == 0 ? kLabelPositions : 2 * kLabelPositions;
}
// The box of turn `turn` of ring `ring` (gap the ring's distance): turns
// 0–7 the positions nearest the chosen one first, 8–15 the places between
// them, nearest first too.
CanvasRect ringBox(CanvasPoint anchor, int preferred, int turn, int gap, CanvasSize size);

// The places of one ring worked out at once, for a search that asks them
// turn by turn: place(turn) is ringBox(anchor, preferred, turn, gap, size).
// Every place's box has the left edge of one of five columns and the top
// edge of one of five rows.
class RingPlaces {
public:
    RingPlaces(CanvasPoint anchor, int preferred, int gap, CanvasSize size);
    CanvasRect place(int turn) const;

private:
    int m_preferred;
    CanvasSize m_size;
    int m_left[5];
    int m_top[5];
};

// What lies on the chart, as far as names are concerned.
enum class ObstacleKind : std::uint8_t {
    Box,        // an arrowhead, label, text or name: never covered, never crossed by a leader
    Marker,     // a point marker: never covered, crossed by a leader only as a last resort
    Leader,     // a name's leader line: never covered
    ObjectLine, // a process line or ε line: a name avoids it where it can
    GridLine,   // an iso-line or the border: avoided where a free place exists
};

// Boxes and segments in a grid of cells, so that a test looks only at what
// lies near the tested box. Long segments are kept as pieces no longer than
// a cell.
class ObstacleGrid {
public:
    // bounds: the area indexed; cell: the cell size, device units (made
    // coarser when the area would need too many cells); withBoxes false: a
    // grid of lines only, which takes no boxes.
    ObstacleGrid(const CanvasRect& bounds, int cell, bool withBoxes = true);

    void addBox(const CanvasRect& rect, ObstacleKind kind = ObstacleKind::Box);
    void addSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind);
    // A polyline, in pieces about a cell long (a curve traced pixel by pixel
    // becomes a few chords per cell).
    void addPolyline(const std::vector<CanvasPoint>& points, ObstacleKind kind);

    // What a box meets: whether it covers a box or crosses a leader
    // (blocked), and the strongest line kind crossing it otherwise.
    struct Meeting {
        bool blocked = false;
        bool objectLine = false;
        bool gridLine = false;
    };
    Meeting meet(const CanvasRect& box) const;
    // The two halves of meet: whether the box covers a box or marker, and
    // what the lines do to it (a leader blocks it).
    bool coversBox(const CanvasRect& box) const;
    // Makes the boxes of another grid cover this one's area too (for
    // coversBox only): the fixed grid's labels under the names' boxes.
    void coverAlso(const ObstacleGrid& other);
    Meeting lineMeeting(const CanvasRect& box) const;
    // What segment a–b crosses of the boxes, and of the markers that do not
    // contain `own`: 0 nothing, 1 markers only, 2 a box.
    int segmentCrossing(CanvasPoint a, CanvasPoint b, CanvasPoint own) const;
    // Whether a rectangle overlaps a box or marker that contains neither a nor b.
    bool overlapsBoxApartFrom(const CanvasRect& rect, CanvasPoint a, CanvasPoint b) const;

    const CanvasRect& bounds() const { return m_bounds; }

private:
    struct Box {
        CanvasRect rect;
        ObstacleKind kind = ObstacleKind::Box;
    };
    struct Segment {
        CanvasRect rect; // bounding box
        CanvasPoint a;
        CanvasPoint b;
        ObstacleKind kind = ObstacleKind::ObjectLine;
    };
    // The cells a rectangle touches, [x0, x1] × [y0, y1]; what lies beyond
    // the bounds counts to the border cells.
    void cellRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const
    {
        x0 = column(rect.left);
        x1 = column(rect.right);
        y0 = row(rect.top);
        y1 = row(rect.bottom);
    }
    int column(int x) const
    {
        return static_cast<int>(std::clamp((static_cast<long>(x) - m_bounds.left) / m_cell, 0L,
                                           static_cast<long>(m_columns - 1)));
    }
    int row(int y) const
    {
        return static_cast<int>(
            std::clamp((static_cast<long>(y) - m_bounds.top) / m_cell, 0L, static_cast<long>(m_rows - 1)));
    }
    std::size_t cellIndex(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(x);
    }
    void insertSegment(const Segment& segment) const;
    // Files the segments added since the last query into the cells, all at
    // once with room reserved for their pieces: a drawing that places no
    // name never needs them.
    void fileSegments() const;
    void fileSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind) const;
    // The bit columns and rows a box covers, [x0, x1) × [y0, y1); empty when
    // it lies off the bounds.
    bool bitRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const;
    void setBits(const CanvasRect& rect);
    // Calls visitor for every box (or segment) filed in a cell the rectangle
    // touches, until it returns true; whether it did.
    template <class Visit> bool visitBoxes(const CanvasRect& rect, Visit&& visitor) const;
    template <class Visit> bool visitSegments(const CanvasRect& rect, Visit&& visitor) const;

    CanvasRect m_bounds;
    int m_cell;
    int m_columns;
    int m_rows;
    // Boxes and segments are filed apart: most tested places are covered by
    // a box, found without looking at the lines.
    std::vector<Box> m_boxes;
    mutable std::vector<Segment> m_segments;
    struct Added {
        CanvasPoint a;
        CanvasPoint b;
        ObstacleKind kind;
    };
    mutable std::vector<Added> m_unfiled;
    // What each cell holds, as lists threaded through one array: the first
    // node of each cell, and per node the item and the next node (−1 ends).
    struct Node {
        int item;
        int next;
    };
    std::vector<int> m_boxHeads;
    mutable std::vector<int> m_segmentHeads;
    std::vector<Node> m_boxNodes;
    mutable std::vector<Node> m_segmentNodes;
    // The area the boxes cover, one bit per m_bitScale × m_bitScale device
    // units (one on screen), rounded outward: whether a box is covered is a
    // look at a few words however crowded the spot.
    int m_bitShift = 0; // log2 of m_bitScale
    int m_bitScale = 1;
    int m_bitColumns = 0;
    int m_bitRows = 0;
    std::size_t m_wordsPerRow = 0;
    std::vector<std::uint64_t> m_bits;
};

struct LabelRequest {
    CanvasPoint anchor; // the point, or the middle of a line
    int position = 0;   // the position the user chose, 0–7
    int gap = 0;        // distance of the first ring from the anchor
    CanvasSize size;    // the name's extent in its font
    int reach = 0;      // where a leader starts: this far from the anchor (the marker's edge)
    // A line's name: the line it names, along which its first ring may also
    // stand round points other than the middle.
    bool alongLine = false;
    CanvasPoint lineStart{};
    CanvasPoint lineEnd{};
};

struct PlacedLabel {
    CanvasRect box;
    // Set when the name stands beyond the first ring: a thin leader line
    // runs from the edge of what it names to the nearest point of the box.
    bool leader = false;
    CanvasPoint leaderStart;
    CanvasPoint leaderEnd;
    // Set when the box lies on a line: a white halo goes under the name.
    bool halo = false;
    // Clear when no usable place was found: the name stands at the chosen
    // position and is not an obstacle for later names.
    bool placed = false;
};

// The free area of one drawing: what is fixed for the layout (the grid's
// labels and lines, given ready), the objects, and the names placed so far.
class LabelPlacer {
public:
    // bounds: where names may stand; cell: the grid's cell size, device
    // units; fixed: obstacles kept from the grid's drawing, or none.
    LabelPlacer(const CanvasRect& bounds, int cell, std::shared_ptr<const ObstacleGrid> fixed = {});

    // Something names must not cover (an arrowhead, a text; a point marker).
    void addObstacle(const CanvasRect& rect, ObstacleKind kind = ObstacleKind::Box);
    // A line names rather do not lie on.
    void addLine(CanvasPoint a, CanvasPoint b, ObstacleKind kind = ObstacleKind::ObjectLine);
    // Whether a box lies inside the bounds and covers no box or leader.
    bool isFree(const CanvasRect& box) const;
    // Whether a box covers a marker, arrowhead, text, grid label or name,
    // wherever it lies.
    bool covered(const CanvasRect& box) const;
    // Whether a rectangle covers a box of the objects (not of the fixed
    // grid) that contains neither a nor b: an arrowhead against the markers
    // but those of its own line's ends.
    bool coversObjectBox(const CanvasRect& rect, CanvasPoint a, CanvasPoint b) const;
    // Finds the place for a name by the rule above and takes it.
    PlacedLabel place(const LabelRequest& request);

    // Rings tried beyond the first (sixteen places each); with a step of
    // half the name's height they reach about six name heights from the
    // anchor. A name crowded past all of them stands at the chosen position.
    static constexpr int kOuterRings = 12;
    // Once a last resort is known, only this many rings further out are
    // searched for a place with a clear leader.
    static constexpr int kRingsPastLastResort = 2;

private:
    // What lines cross a box that can take a name: 0 none, 1 a grid line,
    // 2 an object line; kOutside, kCovered (a box or marker lies there) or
    // kOnLeader when it cannot.
    static constexpr int kOutside = -3;
    static constexpr int kCovered = -2;
    static constexpr int kOnLeader = -1;
    int lines(const CanvasRect& box) const;
    // The search of the rule.
    PlacedLabel search(const LabelRequest& request) const;
    void take(const PlacedLabel& placed);
    // What the leader to a box crosses: 0 nothing, 1 markers, 2 a box.
    int leaderCrossing(const LabelRequest& request, const CanvasRect& box) const;
    static CanvasPoint leaderStart(const LabelRequest& request, const CanvasRect& box);
    static CanvasPoint leaderEnd(const LabelRequest& request, const CanvasRect& box);

    CanvasRect m_bounds;
    std::shared_ptr<const ObstacleGrid> m_fixed;
    ObstacleGrid m_objects;
};

} // namespace chart
