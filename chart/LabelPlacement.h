#pragma once

#include <vector>

#include "chart/CanvasTypes.h"

// Places the names of chart objects so that no name overlaps another name,
// a point marker or a label of the grid. A placement depends only on what is
// drawn and on the device, in the order the names are asked for: the same
// chart gives the same picture on the screen, in every export and on paper.
namespace chart {

// Whether two rectangles share area (touching edges do not).
constexpr bool overlaps(const CanvasRect& a, const CanvasRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

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

struct LabelRequest {
    CanvasPoint anchor; // the point, or the middle of a line
    int position = 0;   // the position the user chose, 0–7
    int gap = 0;        // distance of the first ring from the anchor
    CanvasSize size;    // the name's extent in its font
};

struct PlacedLabel {
    CanvasRect box;
    // Set when the name stands beyond the first ring: a thin leader line
    // runs from the anchor to the nearest point of the box.
    bool leader = false;
    CanvasPoint leaderEnd;
};

// The free area of one drawing. Obstacles and placed names are kept in a
// grid of cells, so each test looks only at what lies near a candidate.
class LabelPlacer {
public:
    // bounds: where names may stand; cell: the grid's cell size, device units.
    LabelPlacer(const CanvasRect& bounds, int cell);

    // Something names must not cover (a point marker, a grid label).
    void addObstacle(const CanvasRect& rect);
    // Whether a box lies inside the bounds and clear of everything added.
    bool isFree(const CanvasRect& box) const;
    // Finds the place for a name and takes it: the user's position first,
    // then the nearest other positions of the first ring (one step round the
    // anchor either way, then two, …), then the same on rings further out.
    // When no ring has room the name stands at the user's position (and is
    // not taken into account for later names: that spot is full anyway).
    PlacedLabel place(const LabelRequest& request);

    // Rings tried beyond the first; with a step of half the name's height
    // they reach about ten name heights from the anchor.
    static constexpr int kOuterRings = 20;
    // Places tried in one drawing beyond the first ring: a chart crowded
    // past all room (hundreds of names on a few spots) still draws in time;
    // its last names then stand at the first ring or the user's position.
    static constexpr int kOuterTries = 8000;

private:
    void cellRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const;

    CanvasRect m_bounds;
    int m_cell;
    int m_columns;
    int m_rows;
    int m_outerTries = kOuterTries;
    std::vector<CanvasRect> m_rects;
    std::vector<std::vector<int>> m_cells;
};

} // namespace chart
