#include "model/ChartRegion.h"

#include "model/CStatePoint.h"

ChartRegion::~ChartRegion() = default;

bool StateRegion::Contains(const CStatePoint& point) const
{
    // Written so that NaN fails every comparison and lies outside. A state
    // on the saturation curve may carry RH a rounding above 1; the property
    // library calls only what lies beyond 1 + 1e-4 fog.
    return point.m_t >= m_tMin && point.m_t <= m_tMax && point.m_d >= m_xMin && point.m_d <= m_xMax &&
           point.m_RH <= 1.0001f;
}
