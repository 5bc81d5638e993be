#include "model/UnitFormat.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/CIDG.h"
#include "psychro/DisplayUnits.h"

namespace unit_format {

namespace {

using qorva::units::DisplaySystem;
using qorva::units::Quantity;

constexpr double kKcalPerKj = 0.2388459; // kcal/kg per kJ/kg
constexpr double kKcalhPerW = 0.8598452; // kcal/h per W
constexpr double kKcalhPerKw = 859.8452; // kcal/h per kW

// The pattern with its SI unit replaced by the IP one.
std::string ipPattern(const char* siPattern, const char* siUnit, const char* ipUnit)
{
    std::string pattern(siPattern);
    if (const std::size_t at = pattern.find(siUnit); at != std::string::npos)
        pattern.replace(at, std::char_traits<char>::length(siUnit), ipUnit);
    return pattern;
}

// A value printed through its SI pattern, or converted to IP through the
// pattern with the IP unit. siValue is what the SI pattern prints.
std::string through(int unitSystem, const char* siPattern, const char* siUnit, const char* ipUnit,
                    double siValue, double ipValue)
{
    if (!IsIp(unitSystem))
        return Format(siPattern, siValue);
    return Format(ipPattern(siPattern, siUnit, ipUnit).c_str(), ipValue);
}

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

double ip(Quantity quantity, double stored)
{
    return qorva::units::shown(quantity, stored, DisplaySystem::IP);
}

} // namespace

std::string Format(const char* pattern, ...)
{
    char buffer[512];
    va_list arguments;
    va_start(arguments, pattern);
    const int length = std::vsnprintf(buffer, sizeof buffer, pattern, arguments);
    va_end(arguments);
    if (length < 0)
        return std::string();
    return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

QString Caption(const QString& caption, int unitSystem)
{
    if (!IsIp(unitSystem))
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

bool IsIp(int unitSystem)
{
    return unitSystem == CIDG::kUnitsIP;
}

std::string Temperature(int unitSystem, const char* siPattern, float t)
{
    return through(unitSystem, siPattern, "℃", "℉", t, ip(Quantity::Temperature, t));
}

std::string TemperatureDifference(int unitSystem, const char* siPattern, float k)
{
    return through(unitSystem, siPattern, "℃", "℉", k, k * 1.8);
}

std::string Moisture(int unitSystem, const char* siPattern, float d)
{
    return through(unitSystem, siPattern, "g/kg", "gr/lb", d * 1000.0, ip(Quantity::MoistureContent, d));
}

std::string Enthalpy(int unitSystem, const char* siPattern, const char* engineeringPattern, float h)
{
    if (IsIp(unitSystem))
        return Format(ipPattern(siPattern, "kJ/kg", "Btu/lb").c_str(), ip(Quantity::Enthalpy, h));
    return unitSystem == CIDG::kUnitsSI ? Format(siPattern, double(h))
                                        : Format(engineeringPattern, h * kKcalPerKj);
}

std::string EnthalpyDifference(int unitSystem, const char* siPattern, const char* engineeringPattern,
                               float dh)
{
    if (IsIp(unitSystem))
        return Format(ipPattern(siPattern, "kJ/kg", "Btu/lb").c_str(), ip(Quantity::EnthalpyDifference, dh));
    return Enthalpy(unitSystem, siPattern, engineeringPattern, dh);
}

std::string AirVolume(int unitSystem, const char* siPattern, float volume)
{
    return through(unitSystem, siPattern, "m^3/h", "cfm", volume, ip(Quantity::AirVolume, volume));
}

std::string MoistureFlow(int unitSystem, const char* siPattern, float flow)
{
    return through(unitSystem, siPattern, "kg/h", "lb/h", flow, ip(Quantity::MoistureFlow, flow));
}

std::string Capacity(int unitSystem, float watts)
{
    if (IsIp(unitSystem))
        return Format("%.0fBtu/h", ip(Quantity::Capacity, watts));
    return unitSystem == CIDG::kUnitsSI ? Format("%.3fkW", watts * 0.001)
                                        : Format("%.0fkcal/h", watts * kKcalhPerW);
}

std::string LoadKw(int unitSystem, float kilowatts)
{
    if (IsIp(unitSystem))
        return Format("%.0fBtu/h", ip(Quantity::Capacity, kilowatts * 1000.0));
    return unitSystem == CIDG::kUnitsSI ? Format("%.3fkW", double(kilowatts))
                                        : Format("%.0fkcal/h", kilowatts * kKcalhPerKw);
}

} // namespace unit_format
