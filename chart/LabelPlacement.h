#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
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
    // line: in a grid of lines kept from drawing to drawing, the number of
    // the line the segment is (removeLine takes it away again); −1 none.
    void addSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind, int line = -1);
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

    // Lines kept from drawing to drawing: a line that went is marked gone
    // (its pieces stay filed, and are passed over).
    void removeLine(int line);
    int lineCount() const { return static_cast<int>(m_gone.size()); }
    int goneCount() const { return m_goneCount; }
    // Whether the segments added are these many and none is filed yet.
    bool onlyUnfiled(std::size_t count) const { return m_segments.empty() && m_unfiled.size() == count; }
    // Drops the segments added so far and meets the lines of `lines`
    // instead (the same lines, filed already).
    void meetLinesOf(std::shared_ptr<const ObstacleGrid> lines);
    // Counts the drawings that took the lines over, so that a drawing
    // knows whether they are still as it left them.
    std::uint64_t takeOver() { return ++m_takenOver; }
    std::uint64_t takenOver() const { return m_takenOver; }

    const CanvasRect& bounds() const { return m_bounds; }
    // Device units per bit of the occupancy of the boxes.
    int bitScale() const { return m_bitScale; }

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
        int line = -1;
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
    // Files the segments added since the last query into the cells: a
    // drawing whose names all stand where they stood never needs them.
    void fileSegments() const;
    void fileSegment(CanvasPoint a, CanvasPoint b, ObstacleKind kind, int line) const;
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
        int line;
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
    // Kept lines: per line whether it went, how many did, and how many
    // drawings took them over.
    std::vector<char> m_gone;
    int m_goneCount = 0;
    std::uint64_t m_takenOver = 0;
    // The object lines, filed in a grid kept from drawing to drawing.
    std::shared_ptr<const ObstacleGrid> m_lines;
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

    bool operator==(const LabelRequest& other) const
    {
        return anchor == other.anchor && position == other.position && gap == other.gap &&
               size.width == other.size.width && size.height == other.size.height && reach == other.reach &&
               alongLine == other.alongLine && lineStart == other.lineStart && lineEnd == other.lineEnd;
    }
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

    bool operator==(const PlacedLabel&) const = default;
};

// What one drawing's placement found: the obstacles and, per name in the
// order asked, the request, the place and what its search saw. The renderer
// keeps it for its next drawing on the same layout: a name with the same
// request takes the same place again without searching when every place its
// search tried that a change reaches still answers as it did (covered or
// not, the lines on it, what its leader crosses) — the search would then go
// the same way and find exactly that place.
struct PlacementMemory {
    struct Obstacle {
        ObstacleKind kind = ObstacleKind::Box;
        CanvasRect rect; // a box, or a segment's bounding box
        CanvasPoint a;   // a segment's ends
        CanvasPoint b;
        bool operator==(const Obstacle&) const = default;
    };
    struct Name {
        LabelRequest request;
        PlacedLabel placed;
        // The last place tried: the search went through the rings up to
        // this group of places, in it up to this turn.
        int lastGroup = 0;
        int lastTurn = 0;
        CanvasRect reach; // every place tried and every leader tested
        // The places no box covered, whose lines and leaders were looked at:
        // `lookedCount` entries of `looked` from `lookedFrom`, in the order
        // tried.
        std::uint32_t lookedFrom = 0;
        std::uint32_t lookedCount = 0;
    };
    struct Looked {
        CanvasRect box;
        int group = 0;   // the group of places it belongs to
        int turn = 0;    // its turn in the group
        int lines = 0;   // what LabelPlacer::lines answered
        int leader = -1; // what the leader crosses, −1 not looked at
    };
    CanvasRect bounds;
    int cell = 0;
    std::shared_ptr<const ObstacleGrid> fixed;
    std::vector<Obstacle> obstacles; // in a fixed order (sorted)
    std::vector<Name> names;
    std::vector<Looked> looked;
    // The object lines filed into cells, handed on to the next drawing,
    // which takes them over when no other drawing did since
    // (`linesTakenOver` tells) instead of filing them all again; and per
    // obstacle the number of its line there (−1 a box).
    std::shared_ptr<ObstacleGrid> lines;
    std::uint64_t linesTakenOver = 0;
    std::vector<int> lineNumbers;
};

// What differs from the previous drawing (boxes that came or went, lines
// and leaders that came or went), filed in coarse cells: a kept name looks
// only at the changes filed where its search reached, and most names, far
// from what moved, find none at once. A segment is filed only in the cells
// it passes through, so a line across the page stays a few cells per row.
class ChangeCells {
public:
    using Segment = std::pair<CanvasPoint, CanvasPoint>;

    // bounds: the area indexed (changes beyond it go to the border cells);
    // cell: the cell size, device units.
    void reset(const CanvasRect& bounds, int cell);
    // went: the box stood in the previous drawing and stands there no more.
    void addBox(const CanvasRect& box, bool went);
    void addSegment(CanvasPoint a, CanvasPoint b);
    bool empty() const { return m_boxes.empty() && m_segments.empty(); }

    // The changes that meet `area` (a box touching it, a segment with a
    // point in it), each once: every box, the boxes that went, the segments.
    void gather(const CanvasRect& area, std::vector<CanvasRect>& boxes, std::vector<CanvasRect>& went,
                std::vector<Segment>& segments) const;

private:
    int column(long x) const;
    int row(long y) const;
    void file(std::vector<int>& heads, std::vector<std::pair<int, int>>& nodes, int item, int x, int y);

    CanvasRect m_bounds;
    int m_cell = 1;
    int m_columns = 0;
    int m_rows = 0;
    struct Box {
        CanvasRect rect;
        bool went = false;
    };
    std::vector<Box> m_boxes;
    std::vector<Segment> m_segments;
    // Per cell the first node of its list; per node the item and the next
    // node (−1 ends).
    std::vector<int> m_boxHeads;
    std::vector<int> m_segmentHeads;
    std::vector<std::pair<int, int>> m_boxNodes;
    std::vector<std::pair<int, int>> m_segmentNodes;
    // The gathering each item was last seen in, so that an item filed in
    // several cells is gathered once.
    mutable std::vector<std::uint32_t> m_boxSeen;
    mutable std::vector<std::uint32_t> m_segmentSeen;
    mutable std::uint32_t m_gathering = 0;
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

    // Names an earlier drawing placed, taken again where nothing their
    // search met has changed; given after the last obstacle and before the
    // first name. A memory of another layout is not used. The object lines
    // come filed into cells from the earlier drawing where it handed them on.
    void recall(std::shared_ptr<const PlacementMemory> previous);
    // What this drawing placed, for the next (after the last name).
    std::shared_ptr<const PlacementMemory> memory() const { return m_memory; }
    // How many names the last drawing searched for and how many it took
    // again (for tests and the benchmark).
    int searchedNames() const { return m_searched; }

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
    // The search of the rule; what it saw goes into `name` and `looked`.
    void search(const LabelRequest& request, PlacementMemory::Name& name,
                std::vector<PlacementMemory::Looked>& looked) const;
    void take(const PlacedLabel& placed);
    // Whether the earlier search of `name` (in `memory`) would see the same
    // now wherever something changed.
    bool stillHolds(const PlacementMemory::Name& name, const PlacementMemory& memory) const;
    // went: the box stood in the previous drawing and stands there no more.
    void noteChange(const PlacedLabel& placed, bool went);
    // What the leader to a box crosses: 0 nothing, 1 markers, 2 a box.
    int leaderCrossing(const LabelRequest& request, const CanvasRect& box) const;
    static CanvasPoint leaderStart(const LabelRequest& request, const CanvasRect& box);
    static CanvasPoint leaderEnd(const LabelRequest& request, const CanvasRect& box);

    CanvasRect m_bounds;
    int m_cell;
    std::shared_ptr<const ObstacleGrid> m_fixed;
    ObstacleGrid m_objects;
    std::shared_ptr<PlacementMemory> m_memory;
    std::shared_ptr<const PlacementMemory> m_previous;
    // What differs from the previous drawing: boxes (markers, arrowheads,
    // texts, names; those that went can free a place that was covered) and
    // segments (object lines, leaders).
    ChangeCells m_changes;
    int m_searched = 0;
    // Working lists of stillHolds, kept to spare their allocation per name.
    mutable std::vector<CanvasRect> m_nearBoxes;
    mutable std::vector<CanvasRect> m_nearWentBoxes;
    mutable std::vector<CanvasRect> m_groupBoxes;
    mutable std::vector<std::pair<CanvasPoint, CanvasPoint>> m_nearSegments;
    mutable std::vector<std::pair<CanvasPoint, CanvasPoint>> m_groupSegments;
};

} // namespace chart
