#pragma once

#include <cstdint>
#include <string>

// A process line (过程线) from one state point to another.
class CGuoChengXian {
public:
    std::int32_t m_nWork1 = 0;  // working values of drawing (not saved)
    std::int32_t m_nWork2 = 0;
    std::int32_t m_nStart = -1;  // start point index
    std::int32_t m_nEnd = -1;    // end point index
    std::int32_t m_nId = -1;     // own index in the process-line list
    std::string m_strName = "GCX1";
};
