#include "model/UnitFormat.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "model/CIDG.h"

namespace unit_format {

namespace {

constexpr double kKcalPerKj = 0.2388459; // kcal/kg per kJ/kg
constexpr double kKcalhPerW = 0.8598452; // kcal/h per W
constexpr double kKcalhPerKw = 859.8452; // kcal/h per kW

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

std::string Enthalpy(int unitSystem, const char* siPattern, const char* engineeringPattern, float h)
{
    return unitSystem == CIDG::kUnitsSI ? Format(siPattern, double(h))
                                        : Format(engineeringPattern, h * kKcalPerKj);
}

std::string Capacity(int unitSystem, float watts)
{
    return unitSystem == CIDG::kUnitsSI ? Format("%.3fkW", watts * 0.001)
                                        : Format("%.0fkcal/h", watts * kKcalhPerW);
}

std::string LoadKw(int unitSystem, float kilowatts)
{
    return unitSystem == CIDG::kUnitsSI ? Format("%.3fkW", double(kilowatts))
                                        : Format("%.0fkcal/h", kilowatts * kKcalhPerKw);
}

} // namespace unit_format
