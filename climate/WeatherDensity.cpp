#include "climate/WeatherDensity.h"

#include <algorithm>
#include <cmath>

WeatherDensity CountHoursInCells(const WeatherYear& year, const HourFilter& filter, float tStep, float tdStep)
{
    WeatherDensity density;
    density.tStep = tStep;
    density.tdStep = tdStep;
    if (!(tStep > 0.0f) || !(tdStep > 0.0f))
        return density;
    // The cell whose centre is nearest; a value halfway goes up, as the
    // cell's lower bound is inside it.
    const auto index = [](float value, float step) {
        return static_cast<int>(std::floor(value / step + 0.5f));
    };
    std::vector<std::pair<int, int>> keys;
    keys.reserve(year.hours.size());
    for (const WeatherHour& hour : year.hours) {
        if (!filter.Keeps(hour))
            continue;
        keys.emplace_back(index(hour.t, tStep), index(hour.td, tdStep));
        density.states.emplace_back(hour.t, hour.x);
    }
    density.hours = static_cast<int>(keys.size());
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t end = i;
        while (end < keys.size() && keys[end] == keys[i])
            ++end;
        const int hours = static_cast<int>(end - i);
        density.cells.push_back({keys[i].first, keys[i].second, hours});
        density.maxHours = std::max(density.maxHours, hours);
        i = end;
    }
    std::sort(density.states.begin(), density.states.end());
    density.states.erase(std::unique(density.states.begin(), density.states.end()), density.states.end());
    return density;
}
