#include "chart/ChartProperties.h"

#include <cmath>

#include "psychro/MoistAir.h"
#include "psychro/QorvaDll.h"

namespace {
// The farthest a single Newton step from a neighbouring column may move, K.
constexpr double kNeighbourStep = 0.25;
} // namespace

std::optional<double> chartSaturationTemperature(double e)
{
    float t = 0;
    if (!et_t(static_cast<float>(e), &t))
        return std::nullopt;
    return t;
}

std::optional<double> chartSaturationTemperature(double e, double guess)
{
    namespace psy = qorva::psychro;
    // One Newton step on ln pws from the neighbouring column's temperature:
    // the columns lie a small fraction of a kelvin apart, so the step lands
    // within about 1e-3 K of the root (a hundredth of a pixel), at a third of
    // the cost of solving from scratch. Far guesses, or steps across the
    // triple point where the curve is kinked, take the full solution.
    if (std::isfinite(guess) && e > 0.0 && psy::isInTemperatureRange(guess)) {
        double slope = 0.0;
        const double pws = psy::saturationPressure(guess, slope);
        if (slope > 0.0 && pws > 0.0) {
            const double t = guess + std::log(e / pws) / slope;
            const bool sameBranch = (guess < psy::kTriplePoint) == (t < psy::kTriplePoint);
            if (std::abs(t - guess) <= kNeighbourStep && sameBranch && psy::isInTemperatureRange(t))
                return static_cast<float>(t);
        }
    }
    const auto t = psy::saturationTemperature(e, guess);
    if (!t)
        return std::nullopt;
    return static_cast<float>(*t);
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
