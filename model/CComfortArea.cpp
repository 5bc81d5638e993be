#include "model/CComfortArea.h"

#include <algorithm>

bool CComfortArea::HasCorner(const std::string& name) const
{
    return std::find(m_strCorner.begin(), m_strCorner.end(), name) != m_strCorner.end();
}

bool CComfortArea::HasEdge(const std::string& name) const
{
    return std::find(m_strEdge.begin(), m_strEdge.end(), name) != m_strEdge.end();
}
