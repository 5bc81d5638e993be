#pragma once

class CStatePoint;

// The part of the chart a completed state point must lie in to be accepted.
// The chart layer implements it from its pixel layout (the drawn window for
// new points, the full chart for recomputation); the model only asks.
class ChartRegion {
public:
    virtual ~ChartRegion();
    virtual bool Contains(const CStatePoint& point) const = 0;
};

// A region described by states rather than pixels: dry bulb tMin…tMax °C,
// moisture content xMin…xMax kg/kg, not wetter than saturated. The model
// falls back on it for the full chart when no chart layer gives one.
class StateRegion final : public ChartRegion {
public:
    StateRegion(float tMin, float tMax, float xMin, float xMax)
        : m_tMin(tMin), m_tMax(tMax), m_xMin(xMin), m_xMax(xMax)
    {
    }
    bool Contains(const CStatePoint& point) const override;

private:
    float m_tMin;
    float m_tMax;
    float m_xMin;
    float m_xMax;
};
