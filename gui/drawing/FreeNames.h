#pragma once

#include <algorithm>
#include <string>

#include "model/CGuoChengXian.h"
#include "model/CStatePoint.h"
#include "model/ObjectArray.h"

// The first of prefix + first, prefix + (first + 1), … that no object of the
// list is named and that differs from alsoTaken: the name a dialog proposes,
// so that accepting it is never refused as one that exists.
template <class T, class NameOf>
std::string FirstFreeName(const ObjectArray<T>* list, const std::string& prefix, int first, NameOf nameOf,
                          const std::string& alsoTaken = std::string())
{
    const std::size_t count = list ? list->size() : 0;
    // Of count + 2 candidates at least one is free, so the search ends.
    for (std::size_t n = 0; n <= count + 1; ++n) {
        std::string candidate = prefix + std::to_string(first + static_cast<int>(n));
        const bool taken = candidate == alsoTaken ||
                           (list && std::any_of(list->begin(), list->end(), [&](const auto& object) {
                                return nameOf(*object) == candidate;
                            }));
        if (!taken)
            return candidate;
    }
    return prefix + std::to_string(first + static_cast<int>(count) + 2);
}

inline std::string FreePointName(const ObjectArray<CStatePoint>* points, const std::string& prefix,
                                 const std::string& alsoTaken = std::string())
{
    return FirstFreeName(
        points, prefix, 1, [](const CStatePoint& p) { return p.m_strName; }, alsoTaken);
}

inline std::string FreeProcessLineName(const ObjectArray<CGuoChengXian>* lines, const std::string& prefix)
{
    return FirstFreeName(lines, prefix, 1, [](const CGuoChengXian& l) { return l.m_strName; });
}
