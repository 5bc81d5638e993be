#pragma once

#include <array>
#include <string>

// A comfort zone: four corner points and four boundary process lines, by name.
class CComfortArea {
public:
    std::array<std::string, 4> m_strCorner;
    std::array<std::string, 4> m_strEdge;
    std::string m_strName;
    std::string m_strLabel;  // kept with the record; nothing sets it

    bool HasCorner(const std::string& name) const;
    bool HasEdge(const std::string& name) const;
};
