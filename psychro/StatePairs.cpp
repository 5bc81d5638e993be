#include "psychro/StatePairs.h"

#include <algorithm>
#include <cmath>

#include "psychro/MoistAir.h"
#include "psychro/RootFinding.h"

namespace qorva::psychro {

namespace {

bool isFraction(double RH)
{
    return RH >= 0.0 && RH <= 1.0;
}

bool isPositiveFraction(double RH)
{
    return RH > 0.0 && RH <= 1.0;
}

bool isMoisture(double x)
{
    return x >= 0.0 && std::isfinite(x);
}

// Moisture content of vapour pressure pq, or empty when pq reaches p.
std::optional<double> moistureOf(double p, double pq)
{
    if (!(pq < p)) {
        return std::nullopt;
    }
    return moistureContent(p, pq);
}

// A moisture content this far below zero is dry air given through rounded
// inputs (a wet bulb or enthalpy of dry air read back from a 32-bit float
// moves x by about 1e-9 kg/kg).
constexpr double kDryAirRounding = 1e-8;

std::optional<DryBulbMoisture> withDryBulb(double t, double x)
{
    if (x < 0.0 && x > -kDryAirRounding) {
        x = 0.0;
    }
    if (!isInTemperatureRange(t) || !isMoisture(x)) {
        return std::nullopt;
    }
    return DryBulbMoisture{t, x};
}

} // namespace

std::optional<DryBulbMoisture> fromDryBulbRelativeHumidity(double p, double t, double RH)
{
    if (!isValidPressure(p) || !isInTemperatureRange(t) || !isFraction(RH)) {
        return std::nullopt;
    }
    const auto x = moistureOf(p, RH * saturationPressure(t));
    if (!x) {
        return std::nullopt;
    }
    return DryBulbMoisture{t, *x};
}

std::optional<DryBulbMoisture> fromDryBulbWetBulb(double p, double t, double tw)
{
    if (!isValidPressure(p) || !isInTemperatureRange(t) || !isInTemperatureRange(tw)) {
        return std::nullopt;
    }
    // On the wet-bulb line h = L0(tw) + 4.1868·tw·x; with h = 1.01·t + x·(2500 + 1.85·t)
    // this is linear in x. The divisor stays above 1400 over the whole range.
    const auto lineAtDryAir = wetBulbLineEnthalpy(p, tw, 0.0);
    if (!lineAtDryAir) {
        return std::nullopt;
    }
    const double x = (*lineAtDryAir - kCpDryAir * t) / (kLatentHeat0 + kCpVapour * t - kCpWater * tw);
    return withDryBulb(t, x);
}

std::optional<DryBulbMoisture> fromMoistureEnthalpy(double x, double h)
{
    if (!isMoisture(x) || !std::isfinite(h)) {
        return std::nullopt;
    }
    return withDryBulb(dryBulb(x, h), x);
}

std::optional<DryBulbMoisture> fromDryBulbEnthalpy(double t, double h)
{
    if (!isInTemperatureRange(t) || !std::isfinite(h)) {
        return std::nullopt;
    }
    return withDryBulb(t, (h - kCpDryAir * t) / (kLatentHeat0 + kCpVapour * t));
}

std::optional<DryBulbMoisture> fromMoistureWetBulb(double p, double x, double tw)
{
    if (!isValidPressure(p) || !isMoisture(x) || !isInTemperatureRange(tw)) {
        return std::nullopt;
    }
    const auto h = wetBulbLineEnthalpy(p, tw, x);
    if (!h) {
        return std::nullopt;
    }
    return withDryBulb(dryBulb(x, *h), x);
}

std::optional<DryBulbMoisture> fromMoistureRelativeHumidity(double p, double x, double RH)
{
    if (!isValidPressure(p) || !(x > 0.0) || !std::isfinite(x) || !isPositiveFraction(RH)) {
        return std::nullopt;
    }
    const auto t = saturationTemperature(vapourPressure(p, x) / RH);
    if (!t) {
        return std::nullopt;
    }
    return DryBulbMoisture{*t, x};
}

std::optional<DryBulbMoisture> fromDryBulbMoisture(double p, double t, double x)
{
    if (!isValidPressure(p)) {
        return std::nullopt;
    }
    return withDryBulb(t, x);
}

std::optional<DryBulbMoisture> fromEnthalpyRelativeHumidity(double p, double h, double RH)
{
    if (!isValidPressure(p) || !std::isfinite(h) || !isFraction(RH)) {
        return std::nullopt;
    }
    // Along a line of constant RH the enthalpy rises with t; at t = h/1.01 the
    // state of dry air has enthalpy h, so the root lies below that.
    const double dryAirT = h / kCpDryAir;
    if (RH == 0.0) {
        return withDryBulb(dryAirT, 0.0);
    }
    auto excess = [&](double t) {
        const double pq = RH * saturationPressure(t);
        if (!(pq < p)) {
            return 1.0e30; // beyond boiling the state holds any enthalpy
        }
        return enthalpy(t, moistureContent(p, pq)) - h;
    };
    const double lo = kTMin;
    const double hi = std::min(dryAirT, kTMax);
    if (!(hi > lo)) {
        return std::nullopt;
    }
    const auto t = solveBracketed(excess, lo, hi, excess(lo), excess(hi), kTemperatureTolerance);
    if (!t) {
        return std::nullopt;
    }
    return fromDryBulbRelativeHumidity(p, *t, RH);
}

std::optional<DryBulbMoisture> fromEnthalpyWetBulb(double p, double h, double tw)
{
    if (!isValidPressure(p) || !std::isfinite(h) || !isInTemperatureRange(tw) || tw == 0.0) {
        return std::nullopt;
    }
    const auto lineAtDryAir = wetBulbLineEnthalpy(p, tw, 0.0);
    if (!lineAtDryAir) {
        return std::nullopt;
    }
    const double x = (h - *lineAtDryAir) / (kCpWater * tw);
    if (!isMoisture(x)) {
        return std::nullopt;
    }
    return withDryBulb(dryBulb(x, h), x);
}

std::optional<DryBulbMoisture> fromWetBulbRelativeHumidity(double p, double tw, double RH)
{
    if (!isValidPressure(p) || !isInTemperatureRange(tw) || !isFraction(RH)) {
        return std::nullopt;
    }
    const auto lineAtDryAir = wetBulbLineEnthalpy(p, tw, 0.0);
    if (!lineAtDryAir) {
        return std::nullopt;
    }
    if (RH == 0.0) {
        return withDryBulb(*lineAtDryAir / kCpDryAir, 0.0);
    }
    if (RH == 1.0) {
        return fromDryBulbRelativeHumidity(p, tw, 1.0);
    }
    // Walking up the wet-bulb line from saturation (t = tw, RH 1) to dry air
    // (x = 0 at t = L0/1.01), RH falls from 1 to 0.
    const double dryAirT = *lineAtDryAir / kCpDryAir;
    auto excess = [&](double t) {
        const auto state = fromDryBulbWetBulb(p, t, tw);
        if (!state) {
            return -RH;
        }
        return vapourPressure(p, state->x) / saturationPressure(t) - RH;
    };
    const double hi = std::min(dryAirT, kTMax);
    if (!(hi > tw)) {
        return std::nullopt;
    }
    const auto t = solveBracketed(excess, tw, hi, 1.0 - RH, excess(hi), kTemperatureTolerance);
    if (!t) {
        return std::nullopt;
    }
    return fromDryBulbWetBulb(p, *t, tw);
}

std::optional<DryBulbMoisture> fromDryBulbDewPoint(double p, double t, double td)
{
    if (!isValidPressure(p) || !isInTemperatureRange(t) || !isInTemperatureRange(td)) {
        return std::nullopt;
    }
    const auto x = moistureOf(p, saturationPressure(td));
    if (!x) {
        return std::nullopt;
    }
    return DryBulbMoisture{t, *x};
}

std::optional<DryBulbMoisture> fromRelativeHumidityDewPoint(double p, double RH, double td)
{
    if (!isValidPressure(p) || !isPositiveFraction(RH) || !isInTemperatureRange(td)) {
        return std::nullopt;
    }
    const double pq = saturationPressure(td);
    const auto x = moistureOf(p, pq);
    const auto t = saturationTemperature(pq / RH, td);
    if (!x || !t) {
        return std::nullopt;
    }
    return DryBulbMoisture{*t, *x};
}

std::optional<DryBulbMoisture> fromEnthalpyDewPoint(double p, double h, double td)
{
    if (!isValidPressure(p) || !std::isfinite(h) || !isInTemperatureRange(td)) {
        return std::nullopt;
    }
    const auto x = moistureOf(p, saturationPressure(td));
    if (!x) {
        return std::nullopt;
    }
    return withDryBulb(dryBulb(*x, h), *x);
}

std::optional<DryBulbMoisture> fromWetBulbDewPoint(double p, double tw, double td)
{
    if (!isValidPressure(p) || !isInTemperatureRange(tw) || !isInTemperatureRange(td)) {
        return std::nullopt;
    }
    const auto x = moistureOf(p, saturationPressure(td));
    if (!x) {
        return std::nullopt;
    }
    return fromMoistureWetBulb(p, *x, tw);
}

namespace {

// Dry and saturated air at t: the two ends of the chart's line of constant t.
struct DryBulbEnds {
    double dryWetBulb, dryEnthalpy;
    std::optional<double> saturatedMoisture; // empty when water boils at t
};

DryBulbEnds dryBulbEnds(double p, double t)
{
    const auto tw = wetBulb(p, t, 0.0);
    return {tw.value_or(kTMin), enthalpy(t, 0.0), saturationMoisture(p, t)};
}

// The side of the chart a value lies beyond, given the values of dry and of
// saturated air of the same kind.
NoStateCause beyond(double value, double dry, double saturated)
{
    if (value < dry) {
        return NoStateCause::BelowChart;
    }
    if (value > saturated) {
        return NoStateCause::AboveSaturation;
    }
    return NoStateCause::Undetermined;
}

bool outsideTemperatures(const KnownProperties& k)
{
    for (const auto& t : {k.t, k.tw, k.td}) {
        if (t && !isInTemperatureRange(*t)) {
            return true;
        }
    }
    return false;
}

} // namespace

NoStateCause whyNoState(const KnownProperties& k)
{
    if (!isValidPressure(k.p)) {
        return NoStateCause::PressureOutOfRange;
    }
    if (outsideTemperatures(k)) {
        return NoStateCause::TemperatureOutOfRange;
    }
    if ((k.RH && *k.RH < 0.0) || (k.x && *k.x < 0.0)) {
        return NoStateCause::BelowChart;
    }
    if (k.RH && *k.RH > 1.0) {
        return NoStateCause::AboveSaturation;
    }
    if (k.t) {
        // Along the dry bulb every other property runs from dry air to
        // saturation; past the boiling point no state is saturated.
        const DryBulbEnds ends = dryBulbEnds(k.p, *k.t);
        if (!ends.saturatedMoisture) {
            return k.x || k.tw || k.td || (k.RH && *k.RH > 0.0) ? NoStateCause::AboveSaturation
                                                                : NoStateCause::Undetermined;
        }
        const double xs = *ends.saturatedMoisture;
        if (k.tw) {
            return beyond(*k.tw, ends.dryWetBulb, *k.t);
        }
        if (k.h) {
            return beyond(*k.h, ends.dryEnthalpy, enthalpy(*k.t, xs));
        }
        if (k.x) {
            return beyond(*k.x, 0.0, xs);
        }
        if (k.td && *k.td > *k.t) {
            return NoStateCause::AboveSaturation;
        }
        return NoStateCause::Undetermined;
    }
    if (k.x) {
        if (*k.x == 0.0 && k.RH && *k.RH == 0.0) {
            return NoStateCause::Undetermined; // dry air at any dry bulb
        }
        if (k.RH) {
            return NoStateCause::TemperatureOutOfRange; // its dew point lies below the range
        }
        std::optional<double> t;
        if (k.h) {
            t = dryBulb(*k.x, *k.h);
        } else if (k.tw) {
            if (const auto h = wetBulbLineEnthalpy(k.p, *k.tw, *k.x)) {
                t = dryBulb(*k.x, *h);
            }
        }
        if (t && !isInTemperatureRange(*t)) {
            return NoStateCause::TemperatureOutOfRange;
        }
        // With the moisture content fixed, only a dry bulb below the dew
        // point is left: the state is wetter than saturated.
        return t ? NoStateCause::AboveSaturation : NoStateCause::Undetermined;
    }
    if (k.h && (k.tw || k.td)) {
        // Along the enthalpy line the state runs from dry air at h/1.01 to
        // saturation, where dry bulb, wet bulb and dew point meet.
        const auto saturated = fromEnthalpyRelativeHumidity(k.p, *k.h, 1.0);
        if (!saturated) {
            return NoStateCause::TemperatureOutOfRange;
        }
        if (k.td) {
            return *k.td > saturated->t ? NoStateCause::AboveSaturation : NoStateCause::Undetermined;
        }
        const double dryT = *k.h / kCpDryAir;
        const double dryWetBulb = isInTemperatureRange(dryT) ? dryBulbEnds(k.p, dryT).dryWetBulb : kTMin;
        return beyond(*k.tw, dryWetBulb, saturated->t);
    }
    if (k.tw && k.td && *k.td > *k.tw) {
        return NoStateCause::AboveSaturation;
    }
    // The remaining pairs (h or tw with RH, RH with td) lie on the chart for
    // every value in range; a failure leaves the temperature range.
    return k.RH ? NoStateCause::TemperatureOutOfRange : NoStateCause::Undetermined;
}

} // namespace qorva::psychro
