#pragma once

#include "model/ChartRegion.h"

// The full chart as an edit passes it to the recomputation of dependants,
// remembering which dependant could not follow and why. The recomputation
// reports the failing point through Record; whether the region refused a
// state while that point was recomputed tells a point that would leave the
// chart from one that has no solution at all.
class DependantFailureRegion final : public ChartRegion {
public:
    explicit DependantFailureRegion(const ChartRegion& chart) : m_chart(chart) {}

    bool Contains(const CStatePoint& point) const override
    {
        const bool inside = m_chart.Contains(point);
        if (!inside)
            m_bRefused = true;
        return inside;
    }
    // A dependant's recomputation starts.
    void BeginPoint() const { m_bRefused = false; }
    // The dependant at index failed; the first failure is kept.
    void Record(int pointIndex) const
    {
        if (m_nFailedPoint >= 0)
            return;
        m_nFailedPoint = pointIndex;
        m_bLeavesChart = m_bRefused;
    }

    int failedPoint() const { return m_nFailedPoint; }
    bool leavesChart() const { return m_bLeavesChart; }

private:
    const ChartRegion& m_chart;
    // The recomputation sees the region as const; what it reports is bookkeeping.
    mutable bool m_bRefused = false;
    mutable int m_nFailedPoint = -1;
    mutable bool m_bLeavesChart = false;
};
