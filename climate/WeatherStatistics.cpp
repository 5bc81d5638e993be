#include "climate/WeatherStatistics.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Bounds of the GB classes count values printed to 0.1 °C and 1 % as on them.
constexpr float kTemperatureSlack = 1e-4f;
constexpr float kHumiditySlack = 1e-6f;

// Hours needed for the 51st highest hour, days for the 6th and 2nd.
constexpr std::size_t kExceededHours = 50;
constexpr std::size_t kSummerDailyRank = 6;
constexpr std::size_t kWinterDailyRank = 2;
constexpr std::size_t kHeatingDailyRank = 6;
constexpr int kVentilationHour = 14;

struct Sum {
    double t = 0, RH = 0, x = 0, h = 0, p = 0;
    int hours = 0;

    void add(const WeatherHour& hour)
    {
        t += hour.t;
        RH += hour.RH;
        x += hour.x;
        h += hour.h;
        p += hour.p;
        ++hours;
    }
    float mean(double total) const { return static_cast<float>(total / hours); }
};

// The value ranked `rank` (1 = first) when the values are ordered by `order`.
template <class Order> std::optional<float> ranked(std::vector<float> values, std::size_t rank, Order order)
{
    if (values.size() < rank)
        return std::nullopt;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(rank - 1), values.end(),
                     order);
    return values[rank - 1];
}

bool between(float value, float low, float high, float slack)
{
    return value >= low - slack && value <= high + slack;
}

} // namespace

DesignConditions ComputeDesignConditions(const WeatherYear& year)
{
    DesignConditions design;
    std::array<Sum, 12> months{};
    // Days by month and day of month; a day's mean is that of its hours.
    std::array<std::array<Sum, 31>, 12> days{};
    std::vector<float> dryBulbs;
    std::vector<float> wetBulbs;
    dryBulbs.reserve(year.hours.size());
    wetBulbs.reserve(year.hours.size());
    for (const WeatherHour& hour : year.hours) {
        if (hour.month < 1 || hour.month > 12 || hour.day < 1 || hour.day > 31)
            continue;
        months[static_cast<std::size_t>(hour.month - 1)].add(hour);
        days[static_cast<std::size_t>(hour.month - 1)][static_cast<std::size_t>(hour.day - 1)].add(hour);
        dryBulbs.push_back(hour.t);
        wetBulbs.push_back(hour.tw);
    }
    std::vector<float> dailyMeans;
    for (const auto& month : days)
        for (const Sum& day : month)
            if (day.hours > 0)
                dailyMeans.push_back(day.mean(day.t));

    int hottest = -1;
    int coldest = -1;
    for (int m = 0; m < 12; ++m) {
        const Sum& month = months[static_cast<std::size_t>(m)];
        if (month.hours == 0)
            continue;
        const float mean = month.mean(month.t);
        if (hottest < 0 || mean > months[static_cast<std::size_t>(hottest)].mean(
                                      months[static_cast<std::size_t>(hottest)].t))
            hottest = m;
        if (coldest < 0 || mean < months[static_cast<std::size_t>(coldest)].mean(
                                      months[static_cast<std::size_t>(coldest)].t))
            coldest = m;
    }
    if (hottest < 0)
        return design;
    design.hottestMonth = hottest + 1;
    design.coldestMonth = coldest + 1;

    const std::greater<float> highestFirst;
    const std::less<float> lowestFirst;
    design.summerT = ranked(dryBulbs, kExceededHours + 1, highestFirst);
    design.summerTw = ranked(wetBulbs, kExceededHours + 1, highestFirst);
    design.summerDailyT = ranked(dailyMeans, kSummerDailyRank, highestFirst);
    design.winterT = ranked(dailyMeans, kWinterDailyRank, lowestFirst);
    design.heatingT = ranked(dailyMeans, kHeatingDailyRank, lowestFirst);

    Sum afternoon;
    for (const WeatherHour& hour : year.hours)
        if (hour.month == design.hottestMonth && hour.hour == kVentilationHour)
            afternoon.add(hour);
    if (afternoon.hours > 0) {
        design.summerVentilationT = afternoon.mean(afternoon.t);
        design.summerVentilationRH = afternoon.mean(afternoon.RH);
    }
    const Sum& hot = months[static_cast<std::size_t>(hottest)];
    const Sum& cold = months[static_cast<std::size_t>(coldest)];
    design.summerPressure = hot.mean(hot.p);
    design.winterRH = cold.mean(cold.RH);
    design.winterVentilationT = cold.mean(cold.t);
    design.winterPressure = cold.mean(cold.p);
    return design;
}

std::vector<MonthlyMeans> ComputeMonthlyMeans(const WeatherYear& year, const HourFilter& filter)
{
    std::array<Sum, 12> months{};
    for (const WeatherHour& hour : year.hours)
        if (hour.month >= 1 && hour.month <= 12 && filter.Keeps(hour))
            months[static_cast<std::size_t>(hour.month - 1)].add(hour);
    std::vector<MonthlyMeans> means;
    for (int m = 0; m < 12; ++m) {
        const Sum& s = months[static_cast<std::size_t>(m)];
        if (s.hours > 0)
            means.push_back(
                {m + 1, s.hours, s.mean(s.t), s.mean(s.RH), s.mean(s.x), s.mean(s.h), s.mean(s.p)});
    }
    return means;
}

bool InGbComfortClass(GbComfortClass zone, const WeatherHour& hour)
{
    switch (zone) {
    case GbComfortClass::Cooling1:
        return between(hour.t, 24.0f, 26.0f, kTemperatureSlack) &&
               between(hour.RH, 0.40f, 0.60f, kHumiditySlack);
    case GbComfortClass::Cooling2:
        return between(hour.t, 26.0f, 28.0f, kTemperatureSlack) && hour.RH <= 0.70f + kHumiditySlack;
    case GbComfortClass::Heating1:
        return between(hour.t, 22.0f, 24.0f, kTemperatureSlack) && hour.RH >= 0.30f - kHumiditySlack;
    case GbComfortClass::Heating2:
        return between(hour.t, 18.0f, 22.0f, kTemperatureSlack);
    }
    return false;
}

int CountHours(const WeatherYear& year, const HourFilter& filter)
{
    return static_cast<int>(std::count_if(year.hours.begin(), year.hours.end(),
                                          [&](const WeatherHour& h) { return filter.Keeps(h); }));
}

std::array<int, 4> CountGbComfortHours(const WeatherYear& year, const HourFilter& filter)
{
    std::array<int, 4> counts{};
    for (const WeatherHour& hour : year.hours) {
        if (!filter.Keeps(hour))
            continue;
        for (std::size_t i = 0; i < kGbComfortClasses.size(); ++i)
            counts[i] += InGbComfortClass(kGbComfortClasses[i], hour) ? 1 : 0;
    }
    return counts;
}

int CountHoursInZone(const WeatherYear& year, const HourFilter& filter,
                     const std::vector<std::pair<double, double>>& corners)
{
    if (corners.size() < 3)
        return 0;
    // A convex or concave polygon alike: inside when the winding number is
    // not zero, or when the state lies on an edge. The enthalpy is scaled to
    // the moisture's order of magnitude so the edge test's tolerance means
    // the same along both axes.
    // On an edge: within 1e-7 kg/kg (1e-4 kJ/kg), the rounding of the
    // stored corners and hours.
    constexpr double kEnthalpyScale = 1e-3;
    constexpr double kOnEdge = 1e-7;
    const auto inside = [&corners](double x, double h) {
        int winding = 0;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const auto [x1, h1raw] = corners[i];
            const auto [x2, h2raw] = corners[(i + 1) % corners.size()];
            const double y = h * kEnthalpyScale;
            const double y1 = h1raw * kEnthalpyScale;
            const double y2 = h2raw * kEnthalpyScale;
            const double cross = (x2 - x1) * (y - y1) - (x - x1) * (y2 - y1);
            const bool withinX = x >= std::min(x1, x2) - kOnEdge && x <= std::max(x1, x2) + kOnEdge;
            const bool withinY = y >= std::min(y1, y2) - kOnEdge && y <= std::max(y1, y2) + kOnEdge;
            const double length = std::hypot(x2 - x1, y2 - y1);
            if (withinX && withinY && std::fabs(cross) <= kOnEdge * length)
                return true;
            if (y1 <= y) {
                if (y2 > y && cross > 0)
                    ++winding;
            } else if (y2 <= y && cross < 0) {
                --winding;
            }
        }
        return winding != 0;
    };
    int count = 0;
    for (const WeatherHour& hour : year.hours)
        if (filter.Keeps(hour) && inside(hour.x, hour.h))
            ++count;
    return count;
}

int CountHoursAboveEnthalpy(const WeatherYear& year, const HourFilter& filter, float h)
{
    return static_cast<int>(std::count_if(year.hours.begin(), year.hours.end(), [&](const WeatherHour& hour) {
        return filter.Keeps(hour) && hour.h > h;
    }));
}

int CountHoursBelowTemperature(const WeatherYear& year, const HourFilter& filter, float t)
{
    return static_cast<int>(std::count_if(year.hours.begin(), year.hours.end(), [&](const WeatherHour& hour) {
        return filter.Keeps(hour) && hour.t < t;
    }));
}
