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

// How the chart lays out its enthalpy scale: on the unzoomed chart a
// moisture content of x kg/kg is as far across the chart as an enthalpy of
// x / kChartEnthalpyPerMoisture kJ/kg is up it, and the bottom edge passes
// through the lowest dry bulb at x = 0 with the enthalpy kChartCpDryAir·t.
inline constexpr double kChartEnthalpyPerMoisture = 0.0004;
inline constexpr double kChartCpDryAir = 1.01; // kJ/(kg·K)

// A region described by states rather than pixels: dry bulb tMin…tMax °C,
// moisture content xMin…xMax kg/kg, not wetter than saturated; optionally
// also between the two oblique edges of the drawn chart (FullChart).
class StateRegion final : public ChartRegion {
public:
    StateRegion(float tMin, float tMax, float xMin, float xMax)
        : m_tMin(tMin), m_tMax(tMax), m_xMin(xMin), m_xMax(xMax)
    {
    }
    // The full drawn chart whose bottom edge starts at tMinFull °C (x = 0)
    // and whose right edge is at xMaxFull kg/kg: what the chart's own
    // inside-the-chart test accepts on the unzoomed, unclipped window.
    // Its top edge is the horizontal pixel row through x = 0 at
    // tMinFull + xMaxFull / (kChartEnthalpyPerMoisture · kChartCpDryAir),
    // an oblique line of the i-d chart (69 °C at x = 0 for the standard
    // −30 °C and 0.04 kg/kg), reaching higher enthalpies to the right.
    static StateRegion FullChart(float tMinFull, float xMaxFull);
    bool Contains(const CStatePoint& point) const override;

private:
    float m_tMin;
    float m_tMax;
    float m_xMin;
    float m_xMax;
    // Edges of the drawn chart: h − x / kChartEnthalpyPerMoisture between
    // these two (kJ/kg); unbounded for a plain state range.
    double m_hBottom = -1e300;
    double m_hTop = 1e300;
};
