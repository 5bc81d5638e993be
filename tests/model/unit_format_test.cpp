#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/CIDG.h"
#include "model/UnitFormat.h"

namespace {

// Every text of a value goes through one SI pattern: in SI and engineering
// units as before, in IP converted (°F = °C·9/5 + 32, gr/lb = kg/kg·7000,
// Btu/lb = (kJ/kg + 1.01·160/9)/2.326 on the 0 °F datum, a difference by
// the factor alone, cfm = m³/h·0.5885778, lb/h = kg/h·2.2046226,
// Btu/h = W·3.4121416) with the SI unit in the pattern replaced.
TEST(UnitFormat, OnePatternSpeaksEveryUnitSystem)
{
    using namespace unit_format;
    constexpr int si = CIDG::kUnitsSI;
    constexpr int ip = CIDG::kUnitsIP;
    constexpr int eng = CIDG::kUnitsEngineering;
    struct Case {
        std::function<std::string()> text;
        const char* expected;
    };
    const Case cases[] = {
        {[] { return Temperature(ip, "%.1f℃", 25.0f); }, "77.0℉"},
        {[] { return Temperature(ip, " GT:%.1f℃", -40.0f); }, " GT:-40.0℉"},
        {[] { return Temperature(si, "%.1f℃", 25.0f); }, "25.0℃"},
        {[] { return TemperatureDifference(ip, "送风温差:%.2f℃", 8.0f); }, "送风温差:14.40℉"},
        {[] { return Moisture(ip, "%.1fg/kg", 0.01f); }, "70.0gr/lb"},
        {[] { return Moisture(si, "%.1fg/kg", 0.0105f); }, "10.5g/kg"},
        {[] { return Enthalpy(ip, "%.1fkJ/kg", "%.1fkcal/kg", 50.0f); }, "29.2Btu/lb"},
        {[] { return Enthalpy(ip, "%.2fkJ/kg", "%.2fkcal/kg", -17.0f); }, "0.41Btu/lb"},
        {[] { return Enthalpy(eng, "%.1fkJ/kg", "%.1fkcal/kg", 41.868f); }, "10.0kcal/kg"},
        {[] { return EnthalpyDifference(ip, "%.0fkJ/kg", "%.0fkcal/kg", 10000.0f); }, "4299Btu/lb"},
        {[] { return EnthalpyDifference(si, "%.3fkJ/kg", "%.3fkcal/kg", 2.5f); }, "2.500kJ/kg"},
        {[] { return AirVolume(ip, "%.0fm^3/h", 1000.0f); }, "589cfm"},
        {[] { return AirVolume(si, "新风量: %.2f m^3/h", 300.0f); }, "新风量: 300.00 m^3/h"},
        {[] { return MoistureFlow(ip, "%.3fkg/h", 1.0f); }, "2.205lb/h"},
        {[] { return Capacity(ip, 3516.8528f); }, "12000Btu/h"},
        {[] { return Capacity(si, 3516.8528f); }, "3.517kW"},
        {[] { return Capacity(eng, 1163.0f); }, "1000kcal/h"},
        {[] { return LoadKw(ip, 1.0f); }, "3412Btu/h"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text(), c.expected);
}

// Captions keep their words and change their unit in IP only; the units a
// mass ratio or a fraction is given in stay in every system.
TEST(UnitFormat, CaptionsTakeTheIpUnitOfTheirQuantity)
{
    struct Case {
        const char* caption;
        const char* ip;
    };
    const Case cases[] = {
        {"干球温度℃", "干球温度℉"},
        {"含湿量g/kg", "含湿量gr/lb"},
        {"含湿量差g/kg", "含湿量差gr/lb"},
        {"焓kJ/kg", "焓Btu/lb"},
        {"焓kcal/kg", "焓Btu/lb"},
        {"热湿比kcal/kg", "热湿比Btu/lb"},
        {"大气压力Pa", "大气压力psia"},
        {"比容m^3/kg", "比容ft^3/lb"},
        {"密度kg/m^3", "密度lb/ft^3"},
        {"风量m^3/h", "风量cfm"},
        {"冷量kW", "冷量Btu/h"},
        {"冷量kcal/h", "冷量Btu/h"},
        {"供冷 kWh", "供冷 kBtu"},
        {"加湿量(Kg/h)", "加湿量(lb/h)"},
        {"空气含湿量 kg/kg", "空气含湿量 kg/kg"},
        {"相对湿度％", "相对湿度％"},
        {"Dry bulb: %1℃\nPressure (Pa)", "Dry bulb: %1℉\nPressure (psia)"},
        {"Partial pressure", "Partial pressure"},
        {"Dry-bulb temperature °C", "Dry-bulb temperature °F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const QString caption = QString::fromUtf8(c.caption);
        EXPECT_EQ(unit_format::Caption(caption, CIDG::kUnitsIP), QString::fromUtf8(c.ip));
        EXPECT_EQ(unit_format::Caption(caption, CIDG::kUnitsSI), caption);
        EXPECT_EQ(unit_format::Caption(caption, CIDG::kUnitsEngineering), caption);
    }
}

} // namespace
