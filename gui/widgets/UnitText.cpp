#include "gui/widgets/UnitText.h"

#include <QRegularExpression>

#include <utility>
#include <vector>

namespace unit_text {

namespace {

using qorva::units::DisplaySystem;
using qorva::units::displaySystemOf;

// The SI and engineering units of the captions and the IP unit each becomes.
// The longer units come first so that "kWh" is not read as "kW" and "kg/kg"
// (a mass ratio of the atmosphere, shown alike in every system) is kept.
struct Replacement {
    const char* pattern;
    const char* ip;
};
constexpr Replacement kReplacements[] = {
    {"kWh", "kBtu"},
    {"kW", "Btu/h"},
    {"kcal/h", "Btu/h"},
    {"kJ/kg", "Btu/lb"},
    {"kcal/kg", "Btu/lb"},
    {"(?<!k)g/kg", "gr/lb"},
    {"m\\^3/kg", "ft^3/lb"},
    {"m³/kg", "ft³/lb"},
    {"kg/m³", "lb/ft³"},
    {"kg/m\\^3", "lb/ft^3"},
    {"m\\^3/h|m³/h", "cfm"},
    {"[kK]g/h", "lb/h"},
    {"℃", "℉"},
    {"°C", "°F"},
    {"(?<![A-Za-z])Pa(?![A-Za-z])", "psia"},
};

} // namespace

QString Caption(const QString& caption, int unitSystem)
{
    if (displaySystemOf(unitSystem) != DisplaySystem::IP)
        return caption;
    QString text = caption;
    static const auto expressions = [] {
        std::vector<std::pair<QRegularExpression, QString>> list;
        for (const Replacement& r : kReplacements)
            list.emplace_back(QRegularExpression(QString::fromUtf8(r.pattern)), QString::fromUtf8(r.ip));
        return list;
    }();
    for (const auto& [expression, ip] : expressions)
        text.replace(expression, ip);
    return text;
}

float Shown(Quantity quantity, float stored, int unitSystem)
{
    return qorva::units::shown(quantity, stored, displaySystemOf(unitSystem));
}

float Stored(Quantity quantity, float shown, int unitSystem)
{
    return qorva::units::stored(quantity, shown, displaySystemOf(unitSystem));
}

QString Number(Quantity quantity, float stored, int unitSystem, const char* pattern, const char* ipPattern)
{
    const bool ip = displaySystemOf(unitSystem) == DisplaySystem::IP;
    return QString::asprintf(ip && ipPattern ? ipPattern : pattern,
                             double(Shown(quantity, stored, unitSystem)));
}

} // namespace unit_text
