#include "model/CIDG.h"

// What depends on a state point or an HHR line and must follow it when it
// changes. Process lines and HHR lines hold only point indices and are drawn
// from the points' current states, so they follow by themselves. What needs
// recomputing are the derived points (kinds 1–10), which carry their sources
// and construction values; the model has no construction operations for
// them yet, so no derived point is ever made here, and one read from a file
// keeps its stored state. Over independent points both walks are exact.

int CIDG::RecomputeDependants(int pointIndex)
{
    if (!m_pPoints || pointIndex < 0 || pointIndex >= static_cast<int>(m_pPoints->size()))
        return 1;
    if (m_pHhrLines) {
        for (const auto& line : *m_pHhrLines) {
            if (line->m_nPoint1 == pointIndex && !RecomputeHhrLineDependants(line->m_nId))
                return 0;
        }
    }
    return 1;
}

int CIDG::RecomputeHhrLineDependants(int)
{
    // Only derived points (on the line, intersections, related pairs) depend
    // on an HHR line.
    return 1;
}
