#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>

namespace chart {

// Results of a pure function kept by its inputs from one drawing to the
// next, at most `limit` of them: when full it starts afresh (results whose
// inputs went, a moved point's old ones, are not kept for ever).
template <typename Key, typename Value, typename Hash>
class BoundedMemo {
public:
    explicit BoundedMemo(std::size_t limit) : m_limit(limit) {}

    template <typename Compute>
    const Value& get(const Key& key, Compute&& compute)
    {
        if (const auto kept = m_values.find(key); kept != m_values.end())
            return kept->second;
        if (m_values.size() >= m_limit)
            m_values.clear();
        return m_values.emplace(key, std::forward<Compute>(compute)()).first->second;
    }

private:
    std::size_t m_limit;
    std::unordered_map<Key, Value, Hash> m_values;
};

// Combines the hashes of the parts of a key.
template <typename... Parts>
std::size_t hashOfParts(const Parts&... parts)
{
    std::size_t hash = 0;
    ((hash = hash * 1000003u ^ std::hash<Parts>()(parts)), ...);
    return hash;
}

} // namespace chart
