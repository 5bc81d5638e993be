#pragma once

#include <array>
#include <string>

// A comfort zone: four corner points and four boundary process lines, by name.
class CComfortArea {
public:
    std::array<std::string, 4> m_strCorner;
    std::array<std::string, 4> m_strEdge;
    std::string m_strName;
    // The caption of a zone drawn by the design code: the text of the free
    // text beside it, which goes with the zone. Empty for other zones.
    std::string m_strLabel;

    bool HasCorner(const std::string& name) const;
    bool HasEdge(const std::string& name) const;
};
