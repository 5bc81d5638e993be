#pragma once

#include <cmath>
#include <utility>

// The chart's formulation written out independently of the property library,
// for expected values: Hyland–Wexler saturation pressure over water (ASHRAE
// Handbook — Fundamentals 2017, ch. 1 eq. 6), x = 0.62198·pq/(p − pq),
// h = 1.01·t + x·(2500 + 1.85·t), the chart's wet-bulb line. Every state the
// tests use lies above 0 °C. Units: °C, Pa, kg/kg, kJ/kg, RH fraction.
namespace formulas {

constexpr double kPressure = 101325.0;

inline double saturationPressure(double t)
{
    const double T = t + 273.15;
    return std::exp(-5.8002206e3 / T + 1.3914993 - 4.8640239e-2 * T + 4.1764768e-5 * T * T -
                    1.4452093e-8 * T * T * T + 6.5459673 * std::log(T));
}

inline double moistureFromVapour(double pq)
{
    return 0.62198 * pq / (kPressure - pq);
}

inline double moisture(double t, double rh)
{
    return moistureFromVapour(rh * saturationPressure(t));
}

inline double enthalpy(double t, double x)
{
    return 1.01 * t + x * (2500.0 + 1.85 * t);
}

inline double dryBulb(double x, double h)
{
    return (h - 2500.0 * x) / (1.01 + 1.85 * x);
}

inline double relativeHumidity(double x, double h)
{
    return kPressure * x / (0.62198 + x) / saturationPressure(dryBulb(x, h));
}

// Enthalpy of the state with moisture x on the wet-bulb line of tw.
inline double wetBulbLineEnthalpy(double tw, double x)
{
    const double xs = moisture(tw, 1.0);
    return enthalpy(tw, xs) - 4.1868 * tw * (xs - x);
}

// Root of f in [lo, hi] by bisection (f changes sign there).
template <class F> double solve(F f, double lo, double hi)
{
    const bool rising = f(hi) > f(lo);
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if ((f(mid) > 0.0) == rising)
            hi = mid;
        else
            lo = mid;
    }
    return 0.5 * (lo + hi);
}

inline double wetBulb(double x, double h)
{
    return solve([&](double tw) { return wetBulbLineEnthalpy(tw, x) - h; }, 0.01, dryBulb(x, h));
}

// Where the lines p + s·d and q + u·e of the (x, h) plane cross.
inline std::pair<double, double> crossing(std::pair<double, double> p, std::pair<double, double> d,
                                          std::pair<double, double> q, std::pair<double, double> e)
{
    const double det = -d.first * e.second + e.first * d.second;
    const double rx = q.first - p.first, rh = q.second - p.second;
    const double s = (-rx * e.second + e.first * rh) / det;
    return {p.first + s * d.first, p.second + s * d.second};
}

} // namespace formulas
