#include "project/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

double ReadNumber(std::string_view text)
{
    // strtod needs a terminated string; the copy also bounds what is read.
    const std::string copy(text);
    const double value = std::strtod(copy.c_str(), nullptr);
    // "inf", "nan" and out-of-range exponents are not numbers a user means.
    return std::isfinite(value) ? value : 0.0;
}

std::string FormatNumber(const char* format, double value)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, value);
    if (length < 0)
        return std::string();
    if (static_cast<std::size_t>(length) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(length));
    // Huge values in "%f" need more room than the buffer.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string TrimBlanks(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::string();
    const auto last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}
