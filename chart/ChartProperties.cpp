#include "chart/ChartProperties.h"

#include "psychro/QorvaDll.h"

std::optional<double> chartSaturationTemperature(double e)
{
    float t = 0;
    if (!et_t(static_cast<float>(e), &t))
        return std::nullopt;
    return t;
}

std::optional<double> chartSaturationPressure(double t)
{
    float e = 0;
    if (!t_et(static_cast<float>(t), &e))
        return std::nullopt;
    return e;
}

std::optional<double> chartDryBulb(double x, double h)
{
    float t = 0;
    if (!xh_t(static_cast<float>(x), static_cast<float>(h), &t))
        return std::nullopt;
    return t;
}

std::optional<double> chartHeatMoistureRatio(double x1, double h1, double x2, double h2)
{
    float ratio = 0;
    if (!x1h1x2h2_HHR(static_cast<float>(x1), static_cast<float>(h1), static_cast<float>(x2),
                      static_cast<float>(h2), &ratio))
        return std::nullopt;
    return ratio;
}

std::optional<std::array<double, 4>> chartHhrLineEnds(double p, double x, double h, double ratio)
{
    float xa = 0, ha = 0, xb = 0, hb = 0;
    if (!px1h1HHR_2P(static_cast<float>(p), static_cast<float>(x), static_cast<float>(h),
                     static_cast<float>(ratio), &xa, &ha, &xb, &hb))
        return std::nullopt;
    return std::array<double, 4>{xa, ha, xb, hb};
}
