#include <gtest/gtest.h>

#include "gui/widgets/UnitText.h"
#include "model/CIDG.h"

namespace {

// Captions keep their words and change their unit in IP only; the units a
// mass ratio or a fraction is given in stay in every system.
TEST(UnitText, CaptionsTakeTheIpUnitOfTheirQuantity)
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
        EXPECT_EQ(unit_text::Caption(caption, CIDG::kUnitsIP), QString::fromUtf8(c.ip));
        EXPECT_EQ(unit_text::Caption(caption, CIDG::kUnitsSI), caption);
        EXPECT_EQ(unit_text::Caption(caption, CIDG::kUnitsEngineering), caption);
    }
}

} // namespace
