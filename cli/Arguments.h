#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "psychro/DisplayUnits.h"

// Reading the command-line arguments the commands share.
namespace cli_arguments {

// The whole text read as a finite number in the C locale, else nothing:
// "25", "-7.5" and "1e3" are numbers; "77F", "25 C", "inf" and "" are not.
inline std::optional<double> Number(std::string_view text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Why text is no number for option, as the commands refuse it. A unit
// written with the number ("77F", "25C", "50%") is named as such: the unit
// of every value comes from --units, and this says which one it is.
inline std::string NotANumber(std::string_view text, std::string_view option, const char* unit)
{
    std::string message = "'" + std::string(text) + "' is not a number (for " + std::string(option) + ")";
    double prefix = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), prefix);
    if (ec == std::errc() && ptr != text.data() && ptr != text.data() + text.size() && unit != nullptr)
        message += ": give the number alone, without a unit; " + std::string(option) + " is read in " + unit;
    return message;
}

// The unit systems --units names.
struct UnitsName {
    const char* name;
    qorva::units::DisplaySystem system;
};

inline constexpr UnitsName kUnitsNames[] = {
    {"si", qorva::units::DisplaySystem::SI},
    {"engineering", qorva::units::DisplaySystem::Engineering},
    {"ip", qorva::units::DisplaySystem::IP},
};

// The project's unit-system code (CIDG::m_nUnitSystem: 0 engineering, 1 SI,
// 2 IP) of a display system.
constexpr int UnitSystemCode(qorva::units::DisplaySystem system)
{
    switch (system) {
    case qorva::units::DisplaySystem::Engineering:
        return 0;
    case qorva::units::DisplaySystem::IP:
        return 2;
    case qorva::units::DisplaySystem::SI:
        break;
    }
    return 1;
}

constexpr const char* UnitsNameOf(qorva::units::DisplaySystem system)
{
    for (const UnitsName& entry : kUnitsNames)
        if (entry.system == system)
            return entry.name;
    return "si";
}

// Takes "--units si|engineering|ip" out of the words into units (SI when
// it is not there). False with error set for a missing or unknown system
// or a second --units.
inline bool TakeUnits(std::vector<std::string_view>& words, qorva::units::DisplaySystem& units,
                      std::string& error)
{
    units = qorva::units::DisplaySystem::SI;
    bool given = false;
    for (std::size_t i = 0; i < words.size();) {
        if (words[i] != "--units") {
            ++i;
            continue;
        }
        if (given) {
            error = "--units given twice";
            return false;
        }
        if (i + 1 >= words.size()) {
            error = "--units needs a unit system: si, engineering or ip";
            return false;
        }
        const std::string_view name = words[i + 1];
        const auto entry = std::find_if(std::begin(kUnitsNames), std::end(kUnitsNames),
                                        [name](const UnitsName& u) { return name == u.name; });
        if (entry == std::end(kUnitsNames)) {
            error = "unknown unit system '" + std::string(name) + "' (--units takes si, engineering or ip)";
            return false;
        }
        units = entry->system;
        given = true;
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                    words.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return true;
}

// Index of the entry (a system or a room) named name, else name read as a
// 0-based index; −1 when neither.
template <class Names> int FindByNameOrIndex(const Names& names, const std::string& name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i]->m_strName == name)
            return static_cast<int>(i);
    const auto index = Number(name);
    if (index && *index >= 0 && *index < double(names.size()) && *index == int(*index))
        return int(*index);
    return -1;
}

} // namespace cli_arguments
