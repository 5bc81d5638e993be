#include <gtest/gtest.h>

#include "climate/WeatherDensity.h"
#include "climate/WeatherStatistics.h"

namespace {

WeatherHour hourAt(int month, int day, int hour, float t, float RH, float p)
{
    WeatherHour h;
    h.month = month;
    h.day = day;
    h.hour = hour;
    h.t = t;
    h.tw = t - (month == 7 ? 5.0f : 1.0f);
    h.RH = RH;
    h.p = p;
    return h;
}

// A made-up year of eight days, every day all 24 hours:
//   January 1–4 at −5, −3, −1, 1 °C all day, RH 0.6 on the 1st, else 0.8,
//   101 000 Pa;
//   July 1, 3, 4 at 30, 28, 26 °C all day; July 2 at 30 °C in hours 1–12
//   and 34 °C in hours 13–24 (daily mean 32); RH 0.5, except 0.3 in hour 14
//   of July 2; 100 000 Pa. Wet bulbs 5 K below the July dry bulbs.
WeatherYear madeUpYear()
{
    WeatherYear year;
    const float january[] = {-5, -3, -1, 1};
    for (int day = 1; day <= 4; ++day)
        for (int hour = 1; hour <= 24; ++hour)
            year.hours.push_back(hourAt(1, day, hour, january[day - 1], day == 1 ? 0.6f : 0.8f, 101000));
    const float july[] = {30, 30, 28, 26};
    for (int day = 1; day <= 4; ++day)
        for (int hour = 1; hour <= 24; ++hour) {
            const float t = day == 2 && hour > 12 ? 34.0f : july[day - 1];
            year.hours.push_back(hourAt(7, day, hour, t, day == 2 && hour == 14 ? 0.3f : 0.5f, 100000));
        }
    return year;
}

TEST(DesignConditions, FollowTheCodeOnAMadeUpYear)
{
    const DesignConditions d = ComputeDesignConditions(madeUpYear());
    // Monthly means: January −2 °C, July (24·30 + 12·30 + 12·34 + 24·28 + 24·26)/96 = 29 °C.
    EXPECT_EQ(d.hottestMonth, 7);
    EXPECT_EQ(d.coldestMonth, 1);
    // Hours from the top: 12 at 34, 36 at 30, then 28: the 51st is 28, its wet bulb 23.
    EXPECT_FLOAT_EQ(*d.summerT, 28.0f);
    EXPECT_FLOAT_EQ(*d.summerTw, 23.0f);
    // Daily means 32, 30, 28, 26, 1, −1, −3, −5: the 6th highest is −1, the
    // 2nd lowest −3, the 6th lowest 28.
    EXPECT_FLOAT_EQ(*d.summerDailyT, -1.0f);
    EXPECT_FLOAT_EQ(*d.winterT, -3.0f);
    EXPECT_FLOAT_EQ(*d.heatingT, 28.0f);
    // Hour 14 of July: 30, 34, 28, 26 °C and RH 0.5, 0.3, 0.5, 0.5.
    EXPECT_FLOAT_EQ(*d.summerVentilationT, 29.5f);
    EXPECT_FLOAT_EQ(*d.summerVentilationRH, 0.45f);
    // January: RH (24·0.6 + 72·0.8)/96 = 0.75, mean −2 °C.
    EXPECT_FLOAT_EQ(*d.winterRH, 0.75f);
    EXPECT_FLOAT_EQ(*d.winterVentilationT, -2.0f);
    EXPECT_FLOAT_EQ(*d.summerPressure, 100000.0f);
    EXPECT_FLOAT_EQ(*d.winterPressure, 101000.0f);

    // Fifty hours over three days: no 51st hour, no 6th day.
    WeatherYear shortYear;
    for (int hour = 1; hour <= 50; ++hour)
        shortYear.hours.push_back(hourAt(3, 1 + (hour - 1) / 24, (hour - 1) % 24 + 1, 10.0f, 0.5f, 101325));
    const DesignConditions s = ComputeDesignConditions(shortYear);
    EXPECT_EQ(s.hottestMonth, 3);
    EXPECT_FALSE(s.summerT || s.summerTw || s.summerDailyT || s.heatingT);
    EXPECT_TRUE(s.winterT && s.winterRH && s.summerVentilationT);
}

TEST(WeatherCounts, GbClassesIncludeTheirBounds)
{
    const struct {
        float t, RH;
        std::array<bool, 4> in; // 供冷 I, 供冷 II, 供热 I, 供热 II
    } cases[] = {
        {24.0f, 0.40f, {true, false, true, false}},   {26.0f, 0.60f, {true, true, false, false}},
        {26.0f, 0.61f, {false, true, false, false}},  {28.0f, 0.70f, {false, true, false, false}},
        {28.0f, 0.71f, {false, false, false, false}}, {28.1f, 0.50f, {false, false, false, false}},
        {23.9f, 0.39f, {false, false, true, false}},  {22.0f, 0.30f, {false, false, true, true}},
        {22.0f, 0.29f, {false, false, false, true}},  {18.0f, 0.95f, {false, false, false, true}},
        {17.9f, 0.50f, {false, false, false, false}},
    };
    WeatherYear year;
    std::array<int, 4> expected{};
    for (const auto& c : cases) {
        WeatherHour hour;
        hour.t = c.t;
        hour.RH = c.RH;
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(InGbComfortClass(kGbComfortClasses[k], hour), c.in[k])
                << c.t << " °C " << c.RH << " class " << k;
            expected[k] += c.in[k] ? 1 : 0;
        }
        year.hours.push_back(hour);
    }
    EXPECT_EQ(CountGbComfortHours(year, HourFilter{}), expected);
}

TEST(WeatherCounts, ZonesOnTheChartCountTheirEdges)
{
    // A square of 0.008–0.010 kg/kg by 40–50 kJ/kg.
    const std::vector<std::pair<double, double>> square = {
        {0.008, 40}, {0.010, 40}, {0.010, 50}, {0.008, 50}};
    const struct {
        float x, h;
        bool inside;
    } cases[] = {{0.009f, 45, true}, {0.008f, 45, true},   {0.010f, 50, true},
                 {0.009f, 40, true}, {0.0101f, 45, false}, {0.009f, 50.01f, false}};
    WeatherYear year;
    for (const auto& c : cases) {
        WeatherHour hour;
        hour.x = c.x;
        hour.h = c.h;
        year.hours.assign(1, hour);
        EXPECT_EQ(CountHoursInZone(year, HourFilter{}, square), c.inside ? 1 : 0) << c.x << " " << c.h;
    }

    // A winter design point at −2 °C, over the whole day and the afternoons.
    const WeatherYear made = madeUpYear();
    EXPECT_EQ(CountHoursBelowTemperature(made, HourFilter{}, -2.0f), 48); // the −5 and −3 days
    HourFilter afternoons;
    afternoons.fromHour = 12;
    afternoons.toHour = 18; // hours 13–18
    EXPECT_EQ(CountHours(made, afternoons), 8 * 6);
    EXPECT_EQ(CountHoursBelowTemperature(made, afternoons, -2.0f), 12);
}

TEST(WeatherCounts, MonthlyMeansAndCellsFollowTheFilter)
{
    const WeatherYear year = madeUpYear();
    HourFilter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    const auto months = ComputeMonthlyMeans(year, summer);
    ASSERT_EQ(months.size(), 1u);
    EXPECT_EQ(months[0].month, 7);
    EXPECT_EQ(months[0].hours, 96);
    EXPECT_FLOAT_EQ(months[0].t, 29.0f);
    EXPECT_FLOAT_EQ(months[0].p, 100000.0f);

    // Cells of whole degrees: the dew points are all 0, so one cell per dry
    // bulb; −5 °C lies in cell −5 (−5.5 to −4.5 °C), 34 °C in cell 34.
    const WeatherDensity density = CountHoursInCells(year, HourFilter{});
    EXPECT_EQ(density.hours, 192);
    ASSERT_EQ(density.cells.size(), 8u); // −5, −3, −1, 1, 26, 28, 30, 34
    EXPECT_EQ(density.cells.front().tIndex, -5);
    EXPECT_EQ(density.cells.front().hours, 24);
    EXPECT_EQ(density.maxHours, 36); // 30 °C: July 1 and half of July 2
    EXPECT_EQ(density.cells.back().tIndex, 34);
    EXPECT_EQ(density.states.size(), 8u);
}

} // namespace
