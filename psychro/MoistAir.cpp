#include "psychro/MoistAir.h"

#include <algorithm>
#include <cmath>

#include "psychro/RootFinding.h"

namespace qorva::psychro {

namespace {

// Coefficients of ln pws = C1/T + C2 + C3·T + C4·T² + C5·T³ + C6·T⁴ + C7·ln T
// over ice (ASHRAE Handbook — Fundamentals 2017, ch. 1, eq. 5, −100 to 0 °C)
// and of ln pws = C8/T + C9 + C10·T + C11·T² + C12·T³ + C13·ln T over liquid
// water (eq. 6, 0 to 200 °C); pws in Pa, T in K.
constexpr double c1 = -5.6745359e3;
constexpr double c2 = 6.3925247;
constexpr double c3 = -9.6778430e-3;
constexpr double c4 = 6.2215701e-7;
constexpr double c5 = 2.0747825e-9;
constexpr double c6 = -9.4840240e-13;
constexpr double c7 = 4.1635019;
constexpr double c8 = -5.8002206e3;
constexpr double c9 = 1.3914993;
constexpr double c10 = -4.8640239e-2;
constexpr double c11 = 4.1764768e-5;
constexpr double c12 = -1.4452093e-8;
constexpr double c13 = 6.5459673;

// d(ln pws)/dT over ice and over water: no logarithm, so cheap on its own.
double slopeOverIce(double T)
{
    const double inv = 1.0 / T;
    return -c1 * inv * inv + c3 + T * (2.0 * c4 + T * (3.0 * c5 + T * 4.0 * c6)) + c7 * inv;
}

double slopeOverWater(double T)
{
    const double inv = 1.0 / T;
    return -c8 * inv * inv + c10 + T * (2.0 * c11 + T * 3.0 * c12) + c13 * inv;
}

double lnSaturationPressureIce(double T, double& dLnPdT)
{
    dLnPdT = slopeOverIce(T);
    return c1 / T + c2 + T * (c3 + T * (c4 + T * (c5 + T * c6))) + c7 * std::log(T);
}

double lnSaturationPressureWater(double T, double& dLnPdT)
{
    dLnPdT = slopeOverWater(T);
    return c8 / T + c9 + T * (c10 + T * (c11 + T * c12)) + c13 * std::log(T);
}

double lnSaturationPressure(double t, double& dLnPdT)
{
    const double T = t + kKelvinOffset;
    return t < kTriplePoint ? lnSaturationPressureIce(T, dLnPdT) : lnSaturationPressureWater(T, dLnPdT);
}

// Latent heat over the gas constant of vapour, K: the slope of ln pws against
// 1/T (Clausius–Clapeyron), for sublimation and for evaporation near 0 °C.
// Used only for first guesses.
constexpr double kSublimationSlope = 6140.0;
constexpr double kEvaporationSlope = 5420.0;

} // namespace

double standardAtmosphericPressure(double elevation)
{
    if (!(elevation >= kLowestElevation && elevation <= kHighestElevation))
        return std::numeric_limits<double>::quiet_NaN();
    return kStandardSeaLevelPressure * std::pow(1.0 - 2.25577e-5 * elevation, 5.2559);
}

bool isValidPressure(double p)
{
    return p >= kPressureMin && p <= kPressureMax;
}

bool isInTemperatureRange(double t)
{
    return t >= kTMin && t <= kTMax;
}

double saturationPressure(double t)
{
    double unused = 0.0;
    return std::exp(lnSaturationPressure(t, unused));
}

double saturationPressure(double t, double& dLnPdT)
{
    return std::exp(lnSaturationPressure(t, dLnPdT));
}

double saturationSlope(double t)
{
    const double T = t + kKelvinOffset;
    return t < kTriplePoint ? slopeOverIce(T) : slopeOverWater(T);
}

double minimumSaturationPressure()
{
    static const double value = saturationPressure(kTMin);
    return value;
}

double maximumSaturationPressure()
{
    static const double value = saturationPressure(kTMax);
    return value;
}

std::optional<double> saturationTemperature(double e, double guess)
{
    // The pressures at the ends of the range, rounded to float, still invert to the ends.
    const double slack = 1e-6;
    if (!(e >= minimumSaturationPressure() * (1.0 - slack) &&
          e <= maximumSaturationPressure() * (1.0 + slack))) {
        return std::nullopt;
    }
    e = std::clamp(e, minimumSaturationPressure(), maximumSaturationPressure());
    const double target = std::log(e);
    // Decide the branch first: each branch is smooth, the curve is kinked
    // only where they meet.
    const bool overIce = e < kTriplePointPressure;
    const double lo = overIce ? kTMin : kTriplePoint;
    const double hi = overIce ? kTriplePoint : kTMax;
    if (!(guess > lo && guess < hi)) {
        const double slope = overIce ? kSublimationSlope : kEvaporationSlope;
        const double inverseT =
            1.0 / (kTriplePoint + kKelvinOffset) - (target - std::log(kTriplePointPressure)) / slope;
        guess = 1.0 / inverseT - kKelvinOffset;
    }
    auto residual = [&](double t, double& slope) {
        const double T = t + kKelvinOffset;
        return (overIce ? lnSaturationPressureIce(T, slope) : lnSaturationPressureWater(T, slope)) - target;
    };
    return solveIncreasing(residual, lo, hi, guess, kNewtonStepTolerance);
}

double moistureContent(double p, double pq)
{
    return kMassRatio * pq / (p - pq);
}

double vapourPressure(double p, double x)
{
    return p * x / (kMassRatio + x);
}

double enthalpy(double t, double x)
{
    return kCpDryAir * t + x * (kLatentHeat0 + kCpVapour * t);
}

double dryBulb(double x, double h)
{
    return (h - kLatentHeat0 * x) / (kCpDryAir + kCpVapour * x);
}

std::optional<double> saturationMoisture(double p, double t)
{
    const double e = saturationPressure(t);
    if (!(e < p)) {
        return std::nullopt;
    }
    return moistureContent(p, e);
}

std::optional<double> wetBulbLineEnthalpy(double p, double tw, double x)
{
    const auto xs = saturationMoisture(p, tw);
    if (!xs) {
        return std::nullopt;
    }
    // h_s(tw) − cw·tw·(x_s − x), regrouped.
    return tw * (kCpDryAir + kCpWater * x) + *xs * (kLatentHeat0 - (kCpWater - kCpVapour) * tw);
}

std::optional<double> wetBulb(double p, double t, double x, double lowerBound)
{
    double dLnP = 0.0;
    const double pqb = saturationPressure(t, dLnP);
    return wetBulbWithHints(p, t, x, lowerBound, pqb, dLnP);
}

std::optional<double> wetBulbWithHints(double p, double t, double x, double dewPoint, double pqb,
                                       double dLnPdT)
{
    const double h = enthalpy(t, x);
    const double evaporation = kCpWater - kCpVapour;
    // F(tw) = (enthalpy of the wet-bulb line tw at x) − h rises with tw. At the
    // dew point it is h(td, x) − h(t, x) < 0; at tw = t it is
    // (x_s(t) − x)·(2500 − 2.3368·t) >= 0. So the root lies in [td, t].
    // F(tw) and F'(tw) from the saturation pressure e and d(ln e)/dtw there.
    auto lineExcess = [&](double tw, double e, double dLnE, double& slope) {
        const double dry = p - e;
        const double xs = kMassRatio * e / dry;
        const double dxs = kMassRatio * p * e * dLnE / (dry * dry);
        const double latent = kLatentHeat0 - evaporation * tw;
        slope = kCpDryAir + kCpWater * x - evaporation * xs + dxs * latent;
        return tw * (kCpDryAir + kCpWater * x) + xs * latent - h;
    };
    auto residual = [&](double tw, double& slope) {
        double dLnE = 0.0;
        const double e = saturationPressure(tw, dLnE);
        return lineExcess(tw, e, dLnE, slope);
    };
    const bool hasDewPoint = !std::isnan(dewPoint);
    double lo = hasDewPoint ? dewPoint : kTMin;
    double hi = t;
    // Near boiling x_s runs to infinity: stop where pws = 0.99·p, where x_s is
    // about 60 kg/kg and F is positive for any real state. Even at the lowest
    // accepted pressure (10 kPa) water boils only above 45 °C.
    const bool nearBoiling = pqb >= 0.99 * p;
    if (nearBoiling) {
        const auto limit = saturationTemperature(0.99 * p);
        if (!limit) {
            return std::nullopt;
        }
        hi = *limit;
    }
    // A dew point rounded above the dry bulb is a saturated state: tw = t.
    lo = std::min(std::max(lo, kTMin), hi);
    // F is convex, so the tangents at both ends of the bracket cross zero
    // above the root; the lower of the two starts Newton close above it, from
    // where it converges without overshooting. Both tangents come almost for
    // free: at tw = t the saturation pressure is pqb, at the dew point it is pq.
    double start = hi;
    if (!nearBoiling) {
        double slope = 0.0;
        const double excess = lineExcess(t, pqb, dLnPdT, slope);
        if (slope > 0.0) {
            start = t - excess / slope;
        }
        if (hasDewPoint && dewPoint > kTMin) {
            const double pq = vapourPressure(p, x);
            double slopeAtDew = 0.0;
            const double excessAtDew = lineExcess(dewPoint, pq, saturationSlope(dewPoint), slopeAtDew);
            if (slopeAtDew > 0.0) {
                start = std::min(start, dewPoint - excessAtDew / slopeAtDew);
            }
        }
    }
    // Pick the branch of the saturation curve by the sign at the triple point,
    // so Newton never steps across the kink.
    if (lo < kTriplePoint && kTriplePoint < hi) {
        const double xs = moistureContent(p, kTriplePointPressure);
        const double f =
            kTriplePoint * (kCpDryAir + kCpWater * x) + xs * (kLatentHeat0 - evaporation * kTriplePoint) - h;
        if (f >= 0.0) {
            hi = kTriplePoint;
        } else {
            lo = kTriplePoint;
        }
    }
    if (!(start >= lo && start <= hi)) {
        start = hi;
    }
    return solveIncreasing(residual, lo, hi, start, kNewtonStepTolerance);
}

double specificVolume(double p, double t, double pq)
{
    return kGasConstantDryAir * (t + kKelvinOffset) / (p - pq);
}

double density(double p, double t, double pq)
{
    return (p - kVapourDensityDefect * pq) * kDensityFactor / ((t + kKelvinOffset) * 1000.0);
}

std::optional<MoistAirState> completeState(double p, double t, double x, double knownTw, double knownTd)
{
    if (!isValidPressure(p) || !isInTemperatureRange(t) || !(x >= 0.0) || !std::isfinite(x)) {
        return std::nullopt;
    }
    double dLnP = 0.0;
    const double pqb = saturationPressure(t, dLnP);
    const double pq = vapourPressure(p, x);
    double rh = pq / pqb;
    if (!(rh <= 1.0 + kSaturationTolerance)) {
        return std::nullopt;
    }
    MoistAirState s{};
    s.t = t;
    s.x = x;
    s.h = enthalpy(t, x);
    s.pq = pq;
    s.pqb = pqb;
    s.v = specificVolume(p, t, pq);
    s.rho = density(p, t, pq);
    if (rh >= 1.0 - 1e-12) {
        // On the saturation curve wet bulb and dew point equal the dry bulb.
        s.RH = 1.0;
        s.td = std::isnan(knownTd) ? t : knownTd;
        s.tw = std::isnan(knownTw) ? t : knownTw;
        return s;
    }
    s.RH = rh;
    if (pq < saturationPressure(kTMin)) {
        // Dry air, or air so dry that its dew point lies below the
        // formulation's range: the dew point is kept at the lowest
        // temperature of the range.
        s.td = std::isnan(knownTd) ? kTMin : knownTd;
    } else if (std::isnan(knownTd)) {
        // First guess from the slope of the curve at t, taking ln pws as
        // linear in 1/T (Clausius–Clapeyron): ln pq = ln pqb + ln RH.
        const double T = t + kKelvinOffset;
        const double guess = 1.0 / (1.0 / T - std::log(rh) / (dLnP * T * T)) - kKelvinOffset;
        const auto td = saturationTemperature(pq, guess);
        if (!td) {
            return std::nullopt;
        }
        // Within the saturation tolerance the dew point may come out a hair
        // above the dry bulb; it cannot lie above it.
        s.td = std::min(*td, t);
    } else {
        s.td = knownTd;
    }
    if (std::isnan(knownTw)) {
        const auto tw = wetBulbWithHints(p, t, x, s.td, pqb, dLnP);
        if (!tw) {
            return std::nullopt;
        }
        s.tw = *tw;
    } else {
        s.tw = knownTw;
    }
    return s;
}

} // namespace qorva::psychro
