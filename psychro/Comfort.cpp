#include "psychro/Comfort.h"

#include <cmath>

#include "psychro/MoistAir.h"

namespace qorva::psychro {

namespace {

// The clothing surface temperature is found by the fixed-point iteration of
// ISO 7730, Annex D, damped by averaging; it settles within some twenty steps
// everywhere in the ranges. The bound only guards against a hang.
constexpr int kClothingIterationsMax = 150;
// Convergence of the iteration, in units of 100 K (ISO 7730, Annex D).
constexpr double kClothingTolerance = 0.00015;
// The dry-bulb search of the PMV zone: accuracy, K, and its bound on steps.
constexpr double kZoneSearchTolerance = 1e-7;
constexpr int kZoneSearchSteps = 100;

bool within(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

ComfortFault rangeFault(const ComfortConditions& c)
{
    if (!within(c.ta, kComfortAirTemperatureMin, kComfortAirTemperatureMax))
        return ComfortFault::AirTemperature;
    if (!within(c.tr, kComfortRadiantTemperatureMin, kComfortRadiantTemperatureMax))
        return ComfortFault::RadiantTemperature;
    if (!within(c.va, 0.0, kComfortAirSpeedMax))
        return ComfortFault::AirSpeed;
    // Above 1 the air would hold more vapour than saturation allows.
    if (!within(c.RH, 0.0, 1.0))
        return ComfortFault::Humidity;
    if (!within(c.met, kComfortMetMin, kComfortMetMax))
        return ComfortFault::Metabolism;
    if (!within(c.clo, 0.0, kComfortCloMax))
        return ComfortFault::Clothing;
    if (!within(c.work, 0.0, c.met))
        return ComfortFault::Work;
    return ComfortFault::None;
}

void report(ComfortFault* fault, ComfortFault value)
{
    if (fault)
        *fault = value;
}

} // namespace

double predictedPercentageDissatisfied(double pmv)
{
    const double pmv2 = pmv * pmv;
    return 100.0 - 95.0 * std::exp(-0.03353 * pmv2 * pmv2 - 0.2179 * pmv2);
}

std::optional<ComfortIndex> comfortIndex(const ComfortConditions& c, ComfortFault* fault)
{
    report(fault, rangeFault(c));
    if (rangeFault(c) != ComfortFault::None)
        return std::nullopt;

    // Heat balance of the body (ISO 7730, eqs. 1–4). Vapour pressure in Pa
    // from the chart's own saturation pressure, so a state read off the chart
    // is judged at the vapour pressure the chart gives it.
    const double pa = c.RH * saturationPressure(c.ta);
    const double icl = kCloResistance * c.clo;   // m²·K/W
    const double m = c.met * kWattsPerMet;       // W/m²
    const double mw = m - c.work * kWattsPerMet; // internal heat production, W/m²
    const double fcl = icl <= 0.078 ? 1.0 + 1.29 * icl : 1.05 + 0.645 * icl; // clothing area factor
    const double hcf = 12.1 * std::sqrt(c.va);                               // forced convection, W/(m²·K)
    // The standard works in kelvin as t + 273 throughout.
    const double taa = c.ta + 273.0;
    const double tra = c.tr + 273.0;

    // Clothing surface temperature tcl (in units of 100 K as xn): the
    // standard's iteration, started from its first estimate.
    const double tcla = taa + (35.5 - c.ta) / (3.5 * icl + 0.1);
    const double p1 = icl * fcl;
    const double p2 = p1 * 3.96;
    const double p3 = p1 * 100.0;
    const double p4 = p1 * taa;
    const double p5 = 308.7 - 0.028 * mw + p2 * std::pow(tra / 100.0, 4.0);
    double xn = tcla / 100.0;
    double xf = tcla / 50.0;
    double hc = hcf;
    int steps = 0;
    while (std::fabs(xn - xf) > kClothingTolerance) {
        if (++steps > kClothingIterationsMax || !std::isfinite(xn)) {
            report(fault, ComfortFault::NoConvergence);
            return std::nullopt;
        }
        xf = (xf + xn) / 2.0;
        const double hcn = 2.38 * std::pow(std::fabs(100.0 * xf - taa), 0.25); // natural convection
        hc = hcf > hcn ? hcf : hcn;
        xn = (p5 + p4 * hc - p2 * std::pow(xf, 4.0)) / (100.0 + p3 * hc);
    }
    const double tcl = 100.0 * xn - 273.0;

    const double skinDiffusion = 3.05e-3 * (5733.0 - 6.99 * mw - pa);
    const double sweating = mw > kWattsPerMet ? 0.42 * (mw - kWattsPerMet) : 0.0;
    const double latentRespiration = 1.7e-5 * m * (5867.0 - pa);
    const double dryRespiration = 0.0014 * m * (34.0 - c.ta);
    const double radiation = 3.96 * fcl * (std::pow(xn, 4.0) - std::pow(tra / 100.0, 4.0));
    const double convection = fcl * hc * (tcl - c.ta);
    const double sensitivity = 0.303 * std::exp(-0.036 * m) + 0.028;
    const double pmv = sensitivity * (mw - skinDiffusion - sweating - latentRespiration - dryRespiration -
                                      radiation - convection);
    return ComfortIndex{pmv, predictedPercentageDissatisfied(pmv)};
}

const char* comfortFaultText(ComfortFault fault)
{
    switch (fault) {
    case ComfortFault::None:
        return "no fault";
    case ComfortFault::AirTemperature:
        return "air temperature outside 10-30 °C, where ISO 7730 applies";
    case ComfortFault::RadiantTemperature:
        return "mean radiant temperature outside 10-40 °C, where ISO 7730 applies";
    case ComfortFault::AirSpeed:
        return "air speed outside 0-1 m/s, where ISO 7730 applies";
    case ComfortFault::Humidity:
        return "relative humidity outside 0-100 %";
    case ComfortFault::Metabolism:
        return "metabolic rate outside 0.8-4 met, where ISO 7730 applies";
    case ComfortFault::Clothing:
        return "clothing insulation outside 0-2 clo, where ISO 7730 applies";
    case ComfortFault::Work:
        return "external work outside 0 to the metabolic rate";
    case ComfortFault::NoConvergence:
        return "the clothing surface temperature did not settle";
    case ComfortFault::Limit:
        return "the PMV limit must lie above 0 and at most 3";
    case ComfortFault::LimitOutOfReach:
        return "a PMV limit is not reached between 10 and 30 °C at a humidity bound";
    }
    return "unknown fault";
}

CodeZoneBounds codeZoneBounds(CodeZone zone)
{
    switch (zone) {
    case CodeZone::CoolingClass1:
        return {24.0, 26.0, 0.40, 0.60, false, false, 0.25};
    case CodeZone::CoolingClass2:
        return {26.0, 28.0, kZoneOpenHumidityLow, 0.70, true, false, 0.3};
    case CodeZone::HeatingClass1:
        return {22.0, 24.0, 0.30, kZoneOpenHumidityHigh, false, true, 0.2};
    case CodeZone::HeatingClass2:
        break;
    }
    return {18.0, 22.0, kZoneOpenHumidityLow, kZoneOpenHumidityHigh, true, true, 0.2};
}

ComfortCorners codeZoneCorners(CodeZone zone)
{
    const CodeZoneBounds b = codeZoneBounds(zone);
    return {{{b.tLow, b.RHLow}, {b.tLow, b.RHHigh}, {b.tHigh, b.RHLow}, {b.tHigh, b.RHHigh}}};
}

std::optional<ComfortCorners> pmvZoneCorners(double limit, double met, double clo, double va, double RHLow,
                                             double RHHigh, ComfortFault* fault)
{
    report(fault, ComfortFault::None);
    if (!within(limit, 0.0, 3.0) || limit == 0.0) {
        report(fault, ComfortFault::Limit);
        return std::nullopt;
    }
    if (!within(RHLow, 0.0, 1.0) || !within(RHHigh, 0.0, 1.0) || !(RHLow < RHHigh)) {
        report(fault, ComfortFault::Humidity);
        return std::nullopt;
    }
    // PMV rises with the temperature of air and walls together, so each
    // corner is the one root of PMV(t) − target on the standard's range.
    auto solve = [&](double RH, double target) -> std::optional<double> {
        auto excess = [&](double t, ComfortFault* why) -> std::optional<double> {
            const auto index = comfortIndex({t, t, va, RH, met, clo, 0.0}, why);
            if (!index)
                return std::nullopt;
            return index->pmv - target;
        };
        ComfortFault why = ComfortFault::None;
        double lo = kComfortAirTemperatureMin;
        double hi = kComfortAirTemperatureMax;
        const auto fLo = excess(lo, &why);
        const auto fHi = excess(hi, &why);
        if (!fLo || !fHi) {
            report(fault, why);
            return std::nullopt;
        }
        if (*fLo > 0.0 || *fHi < 0.0) {
            report(fault, ComfortFault::LimitOutOfReach);
            return std::nullopt;
        }
        for (int i = 0; i < kZoneSearchSteps && hi - lo > kZoneSearchTolerance; ++i) {
            const double mid = 0.5 * (lo + hi);
            const auto f = excess(mid, &why);
            if (!f) {
                report(fault, why);
                return std::nullopt;
            }
            (*f < 0.0 ? lo : hi) = mid;
        }
        return 0.5 * (lo + hi);
    };
    ComfortCorners corners;
    const double RHs[2] = {RHLow, RHHigh};
    const double targets[2] = {-limit, limit};
    for (int side = 0; side < 2; ++side) {
        for (int bound = 0; bound < 2; ++bound) {
            const auto t = solve(RHs[bound], targets[side]);
            if (!t)
                return std::nullopt;
            corners[static_cast<std::size_t>(side * 2 + bound)] = {*t, RHs[bound]};
        }
    }
    return corners;
}

} // namespace qorva::psychro
