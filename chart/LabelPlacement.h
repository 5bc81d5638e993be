#pragma once

#include <cstdint>
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
// first (one step round either way, then two, …), then the same on rings
// half a name height further out, with a leader line. A place is usable when
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

// The box of a name of this size standing `gap` device units away from the
// anchor in direction `position`: beside, above or below the anchor, centred
// on it along the other axis for the four straight positions.
CanvasRect labelBox(CanvasPoint anchor, int position, int gap, CanvasSize size);

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
    // coarser when the area would need too many cells).
    ObstacleGrid(const CanvasRect& bounds, int cell);

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
    // What segment a–b crosses of the boxes and markers that do not contain
    // `own`: 0 nothing, 1 markers only, 2 a box.
    int segmentCrossing(CanvasPoint a, CanvasPoint b, CanvasPoint own) const;
    // Whether a rectangle overlaps a box or marker that contains neither a nor b.
    bool overlapsBoxApartFrom(const CanvasRect& rect, CanvasPoint a, CanvasPoint b) const;

    const CanvasRect& bounds() const { return m_bounds; }
    std::size_t size() const { return m_items.size(); }

private:
    struct Item {
        CanvasRect rect; // the box, or the bounding box of the segment
        CanvasPoint a;
        CanvasPoint b;
        ObstacleKind kind = ObstacleKind::Box;
    };
    void insert(const Item& item);
    void cellRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const;
    template <class Visit> bool visit(const CanvasRect& rect, Visit&& visitor) const;

    CanvasRect m_bounds;
    int m_cell;
    int m_columns;
    int m_rows;
    std::vector<Item> m_items;
    std::vector<std::vector<int>> m_cells;
};

struct LabelRequest {
    CanvasPoint anchor; // the point, or the middle of a line
    int position = 0;   // the position the user chose, 0–7
    int gap = 0;        // distance of the first ring from the anchor
    CanvasSize size;    // the name's extent in its font
    int reach = 0;      // where a leader starts: this far from the anchor (the marker's edge)
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
    LabelPlacer(const CanvasRect& bounds, int cell, const ObstacleGrid* fixed = nullptr);

    // Something names must not cover (an arrowhead, a text; a point marker).
    void addObstacle(const CanvasRect& rect, ObstacleKind kind = ObstacleKind::Box);
    // A line names rather do not lie on.
    void addLine(CanvasPoint a, CanvasPoint b, ObstacleKind kind = ObstacleKind::ObjectLine);
    // Whether a box lies inside the bounds and covers no box or leader.
    bool isFree(const CanvasRect& box) const;
    // Whether a rectangle covers a box of the objects (not of the fixed
    // grid) that contains neither a nor b: an arrowhead against the markers
    // but those of its own line's ends.
    bool coversObjectBox(const CanvasRect& rect, CanvasPoint a, CanvasPoint b) const;
    // Finds the place for a name by the rule above and takes it.
    PlacedLabel place(const LabelRequest& request);

    // Rings tried beyond the first; with a step of half the name's height
    // they reach about ten name heights from the anchor. A name crowded
    // past all of them stands at the chosen position.
    static constexpr int kOuterRings = 20;

private:
    struct Quality {
        bool usable = false;
        int lines = 0;  // 0 clear of every line, 1 on a grid line, 2 on an object line
        int leader = 0; // what the leader crosses: 0 nothing, 1 markers, 2 a box
    };
    Quality quality(const CanvasRect& box, const LabelRequest& request, bool leader) const;
    static CanvasPoint leaderStart(const LabelRequest& request, const CanvasRect& box);
    static CanvasPoint leaderEnd(const LabelRequest& request, const CanvasRect& box);

    CanvasRect m_bounds;
    const ObstacleGrid* m_fixed;
    ObstacleGrid m_objects;
};

} // namespace chart
