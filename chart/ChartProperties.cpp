#include "chart/ChartProperties.h"

#include <cmath>

#include "psychro/MoistAir.h"

namespace psy = qorva::psychro;

std::optional<double> chartSaturationTemperature(double e)
{
    if (!(e > 0.0) || !std::isfinite(e))
        return std::nullopt;
    return psy::saturationTemperature(e);
}

std::optional<double> chartSaturationPressure(double t)
{
    if (!psy::isInTemperatureRange(t))
        return std::nullopt;
    return psy::saturationPressure(t);
}

std::optional<double> chartDryBulb(double x, double h)
{
    const double t = psy::dryBulb(x, h);
    if (!std::isfinite(t))
        return std::nullopt;
    return t;
}

std::optional<double> chartHeatMoistureRatio(double, double, double, double)
{
    return std::nullopt;
}

std::optional<std::array<double, 4>> chartHhrLineEnds(double, double, double, double)
{
    return std::nullopt;
}
