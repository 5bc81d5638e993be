#include "climate/WeatherYear.h"

#include <charconv>

bool HourFilter::KeepsHourOfDay(int hourEnding) const
{
    if (fromHour == toHour)
        return false;
    if (fromHour < toHour)
        return hourEnding > fromHour && hourEnding <= toHour;
    return hourEnding > fromHour || hourEnding <= toHour;
}

bool HourFilter::Keeps(const WeatherHour& hour) const
{
    const bool inMonths = firstMonth <= lastMonth ? hour.month >= firstMonth && hour.month <= lastMonth
                                                  : hour.month >= firstMonth || hour.month <= lastMonth;
    return inMonths && KeepsHourOfDay(hour.hour);
}

bool ParseSpan(std::string_view text, int low, int high, int& from, int& to)
{
    const auto dash = text.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == text.size())
        return false;
    auto whole = [low, high](std::string_view part, int& value) {
        const auto result = std::from_chars(part.data(), part.data() + part.size(), value);
        return result.ec == std::errc() && result.ptr == part.data() + part.size() && value >= low &&
               value <= high;
    };
    int a = 0;
    int b = 0;
    if (!whole(text.substr(0, dash), a) || !whole(text.substr(dash + 1), b))
        return false;
    from = a;
    to = b;
    return true;
}
