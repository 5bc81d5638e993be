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

std::optional<DryBulbMoisture> withDryBulb(double t, double x)
{
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
    if (!isValidPressure(p) || !isInTemperatureRange(tw) || !isPositiveFraction(RH)) {
        return std::nullopt;
    }
    const auto lineAtDryAir = wetBulbLineEnthalpy(p, tw, 0.0);
    if (!lineAtDryAir) {
        return std::nullopt;
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

} // namespace qorva::psychro
