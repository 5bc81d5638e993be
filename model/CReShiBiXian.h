#pragma once

#include <cstdint>
#include <string>

// A heat–moisture ratio line (热湿比线, ε line).
class CReShiBiXian {
public:
    enum Mode { kThroughTwoPoints = 0, kThroughPointWithRatio = 1 };

    std::string m_strName = "1";
    std::int32_t m_nId = -1;      // own index in the list
    std::int32_t m_nPoint1 = -1;  // the point the line passes through
    float m_fRatio = 0;           // ε, kJ/kg
    std::int32_t m_nPoint2 = -1;  // second point (mode 0)
    std::int32_t m_nMode = kThroughPointWithRatio;
};
