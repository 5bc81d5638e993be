#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <system_error>

// Reading the command-line arguments the commands share.
namespace cli_arguments {

// The whole text read as a number, else nothing.
inline std::optional<double> Number(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
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
