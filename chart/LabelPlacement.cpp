#include "chart/LabelPlacement.h"

#include <algorithm>

#include "chart/Canvas.h"

namespace chart {

namespace {

// Direction of each name position, screen y downward.
constexpr int kDirection[kLabelPositions][2] = {{1, -1}, {1, 0},  {1, 1},   {0, 1},
                                                {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}};
// A grid of more cells than this is made coarser: the grid is rebuilt on
// every drawing and must stay cheap on a printer page of 0.001-inch units.
constexpr long kMaxCells = 1L << 16;

} // namespace

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

LabelPlacer::LabelPlacer(const CanvasRect& bounds, int cell) : m_bounds(bounds), m_cell(std::max(1, cell))
{
    const long width = std::max(1, bounds.width() + 1);
    const long height = std::max(1, bounds.height() + 1);
    while ((width / m_cell + 1) * (height / m_cell + 1) > kMaxCells)
        m_cell *= 2;
    m_columns = static_cast<int>(width / m_cell + 1);
    m_rows = static_cast<int>(height / m_cell + 1);
    m_cells.resize(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows));
}

void LabelPlacer::cellRange(const CanvasRect& rect, int& x0, int& y0, int& x1, int& y1) const
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

void LabelPlacer::addObstacle(const CanvasRect& rect)
{
    // Something wholly outside the bounds cannot meet a name.
    if (rect.right < m_bounds.left || rect.left > m_bounds.right || rect.bottom < m_bounds.top ||
        rect.top > m_bounds.bottom)
        return;
    const int index = static_cast<int>(m_rects.size());
    m_rects.push_back(rect);
    int x0, y0, x1, y1;
    cellRange(rect, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
                    static_cast<std::size_t>(x)]
                .push_back(index);
}

bool LabelPlacer::isFree(const CanvasRect& box) const
{
    if (box.left < m_bounds.left || box.right > m_bounds.right || box.top < m_bounds.top ||
        box.bottom > m_bounds.bottom)
        return false;
    int x0, y0, x1, y1;
    cellRange(box, x0, y0, x1, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (const int index : m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_columns) +
                                           static_cast<std::size_t>(x)])
                if (overlaps(m_rects[static_cast<std::size_t>(index)], box))
                    return false;
    return true;
}

PlacedLabel LabelPlacer::place(const LabelRequest& request)
{
    const int preferred = ((request.position % kLabelPositions) + kLabelPositions) % kLabelPositions;
    const int step = std::max(1, request.size.height / 2);
    PlacedLabel placed;
    placed.box = labelBox(request.anchor, preferred, request.gap, request.size);
    bool found = false;
    for (int ring = 0; ring <= kOuterRings && !found && (ring == 0 || m_outerTries > 0); ++ring) {
        const int gap = request.gap + ring * step;
        // p, p+1, p−1, p+2, p−2, p+3, p−3, p+4: nearest to the user's choice first.
        for (int turn = 0; turn < kLabelPositions && !found; ++turn) {
            const int offset = (turn + 1) / 2 * (turn % 2 == 1 ? 1 : -1);
            const int position = (preferred + offset + kLabelPositions) % kLabelPositions;
            const CanvasRect box = labelBox(request.anchor, position, gap, request.size);
            if (ring > 0)
                --m_outerTries;
            if (isFree(box)) {
                placed.box = box;
                placed.leader = ring > 0;
                found = true;
            }
        }
    }
    if (placed.leader)
        placed.leaderEnd = {std::clamp(request.anchor.x, placed.box.left, placed.box.right),
                            std::clamp(request.anchor.y, placed.box.top, placed.box.bottom)};
    // A name with no free place already meets something there; keeping it
    // out of the grid keeps the cells of a hopelessly crowded spot short.
    if (found)
        addObstacle(placed.box);
    return placed;
}

} // namespace chart
