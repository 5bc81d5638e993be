#include "model/ChartRegion.h"

#include <limits>

#include "model/CStatePoint.h"

ChartRegion::~ChartRegion() = default;

StateRegion StateRegion::FullChart(float tMinFull, float xMaxFull)
{
    const float infinity = std::numeric_limits<float>::infinity();
    StateRegion region(-infinity, infinity, 0.0f, xMaxFull);
    // With Y measured down from the top edge, a state (x, h) lies at
    // Y = H·(1 − (h − cpa·t0 − x/E) · E / xMaxFull): Y ≥ 0 and Y ≤ H bound
    // h − x/E between cpa·t0 and cpa·t0 + xMaxFull/E.
    region.m_hBottom = kChartCpDryAir * tMinFull;
    region.m_hTop = region.m_hBottom + double(xMaxFull) / kChartEnthalpyPerMoisture;
    return region;
}

bool StateRegion::Contains(const CStatePoint& point) const
{
    // Written so that NaN fails every comparison and lies outside. A state
    // on the saturation curve may carry RH a rounding above 1; the property
    // library calls only what lies beyond 1 + 1e-4 fog.
    const double skewed = double(point.m_h) - double(point.m_d) / kChartEnthalpyPerMoisture;
    return point.m_t >= m_tMin && point.m_t <= m_tMax && point.m_d >= m_xMin && point.m_d <= m_xMax &&
           point.m_RH <= 1.0001f && skewed >= m_hBottom && skewed <= m_hTop;
}
