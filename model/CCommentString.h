#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/LogFont.h"

// A text on the chart: a free text, a label, or the result text of a
// calculation or analysis that reports on up to three objects.
class CCommentString {
public:
    std::string m_strText;
    std::int32_t m_nId = -1;  // own index in the text list
    LogFont m_font;           // set from the chart model's working font at creation
    std::int32_t m_nStyle = 0;
    std::array<std::int32_t, 4> m_nPlace{};  // placement; [1] x and [3] y of the anchor
    std::array<std::int32_t, 3> m_nRef{-1, -1, -1};  // indices of the objects reported on
    std::int32_t m_nRefExtra = 0;
    std::string m_strValue;
    std::array<float, 9> m_fValues{};  // values the text reports, by kind
    float m_fMoistDiff = 0;            // kind 12: moisture difference, g/kg (not saved)
    std::int32_t m_nKind = -1;
};
