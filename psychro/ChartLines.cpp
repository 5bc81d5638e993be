#include "psychro/ChartLines.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "psychro/MoistAir.h"
#include "psychro/RootFinding.h"
#include "psychro/StatePairs.h"

namespace qorva::psychro {

namespace {

// The chart draws 1 kg/kg of moisture content as long as 2500 kJ/kg of enthalpy.
constexpr double kMoistureScale = kLatentHeat0;
// Step of the walks along a line, in chart distance (kJ/kg): small enough
// that a relative-humidity curve cannot cross a line twice within one step
// anywhere a chart can show.
constexpr double kWalkStep = 0.5;
// Longest walk, in steps: farther than any line stays inside the range.
constexpr int kMaxWalkSteps = 4000;
// Accuracy of the line parameter at a crossing, kJ/kg of chart distance.
constexpr double kParameterTolerance = 1e-9;
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

bool isFinite(ChartPoint s)
{
    return std::isfinite(s.x) && std::isfinite(s.h);
}

// Relative humidity of s at p, above 1 in fog; NaN outside the range.
double relativeHumidityOf(double p, ChartPoint s)
{
    if (!(s.x >= 0.0) || !isFinite(s)) {
        return kNotANumber;
    }
    const double t = dryBulb(s.x, s.h);
    if (!isInTemperatureRange(t)) {
        return kNotANumber;
    }
    return vapourPressure(p, s.x) / saturationPressure(t);
}

bool isFog(double p, ChartPoint s)
{
    return relativeHumidityOf(p, s) > 1.0 + kSaturationTolerance;
}

ChartPoint toChartPoint(const DryBulbMoisture& state)
{
    return {state.x, enthalpy(state.t, state.x)};
}

std::optional<ChartPoint> completable(double p, std::optional<ChartPoint> s)
{
    if (!s || !isCompletable(p, *s)) {
        return std::nullopt;
    }
    return s;
}

std::optional<ChartPoint> completable(double p, std::optional<DryBulbMoisture> state)
{
    if (!state) {
        return std::nullopt;
    }
    return completable(p, toChartPoint(*state));
}

// The target value of a property: the value itself, or the base's value plus
// the difference.
std::optional<double> targetValue(double p, ChartPoint base, ValueMode mode, Property property, double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (mode == ValueMode::Absolute) {
        return value;
    }
    const auto baseValue = propertyAt(p, base, property);
    if (!baseValue) {
        return std::nullopt;
    }
    return *baseValue + value;
}

// Range [lo, hi] of the line parameter where x >= xMin and tMin <= t <= tMax,
// or empty when it does not contain u = 0. t is a linear-fractional, hence
// monotonic, function of u, so each bound is one half-line.
struct Interval {
    double lo;
    double hi;
};

std::optional<Interval> lineDomain(const ChartLine& line, double xMin, double tMin, double tMax)
{
    // A bound a + b·u >= 0 on the parameter.
    Interval range{-kWalkStep * kMaxWalkSteps, kWalkStep * kMaxWalkSteps};
    auto require = [&range](double a, double b) {
        if (b > 0.0) {
            range.lo = std::max(range.lo, -a / b);
        } else if (b < 0.0) {
            range.hi = std::min(range.hi, -a / b);
        } else if (a < 0.0) {
            range.lo = 1.0;
            range.hi = -1.0;
        }
    };
    const double X0 = line.origin.x * kMoistureScale;
    const double h0 = line.origin.h;
    const double vapour = kCpVapour / kMoistureScale;
    require(X0 - xMin * kMoistureScale, line.dX);
    // t >= tMin  <=>  h − X − tMin·(1.01 + 1.85·x) >= 0, and so for tMax.
    require(h0 - X0 - tMin * (kCpDryAir + vapour * X0), line.dh - line.dX - tMin * vapour * line.dX);
    require(tMax * (kCpDryAir + vapour * X0) - (h0 - X0), tMax * vapour * line.dX - (line.dh - line.dX));
    if (!(range.lo <= 0.0 && 0.0 <= range.hi)) {
        return std::nullopt;
    }
    return range;
}

double lowestMoisture(double p)
{
    return moistureContent(p, minimumSaturationPressure());
}

// What a walk learns at one parameter value.
struct Probe {
    double residual; // NaN where undefined
    bool fog;        // the walk may not go past this point
};

// Walks from u = 0 both ways in steps of kWalkStep, the two directions
// alternately, inside [lo, hi]; a direction ends at the first point that is
// fog. Returns the root of the residual nearest to u = 0 found on the way.
template <class ProbeAt> std::optional<double> nearestReachableRoot(ProbeAt&& probeAt, Interval range)
{
    const Probe start = probeAt(0.0);
    if (start.fog || !std::isfinite(start.residual)) {
        return std::nullopt;
    }
    if (start.residual == 0.0) {
        return 0.0;
    }
    auto residualAt = [&probeAt](double u) { return probeAt(u).residual; };
    struct Walk {
        double direction;
        double u;
        double residual;
        bool open;
    };
    Walk walks[2] = {{1.0, 0.0, start.residual, true}, {-1.0, 0.0, start.residual, true}};
    for (int step = 0; step < kMaxWalkSteps && (walks[0].open || walks[1].open); ++step) {
        std::optional<double> found;
        for (Walk& walk : walks) {
            if (!walk.open) {
                continue;
            }
            const double next = std::clamp(walk.u + walk.direction * kWalkStep, range.lo, range.hi);
            if (next == walk.u) {
                walk.open = false;
                continue;
            }
            const Probe probe = probeAt(next);
            if (std::isfinite(walk.residual) && std::isfinite(probe.residual) &&
                (probe.residual < 0.0) != (walk.residual < 0.0)) {
                const auto root = solveBracketed(residualAt, walk.u, next, walk.residual, probe.residual,
                                                 kParameterTolerance);
                if (root && (!found || std::abs(*root) < std::abs(*found))) {
                    found = root;
                }
                walk.open = false;
            }
            if (probe.fog) {
                walk.open = false;
            }
            walk.u = next;
            walk.residual = probe.residual;
        }
        if (found) {
            return found;
        }
    }
    return std::nullopt;
}

// The far end of the fog-free stretch of the line from u = 0 in one direction
// (+1 or −1), inside [lo, hi]: the last parameter before fog, or the bound.
double fogFreeEnd(double p, const ChartLine& line, Interval range, double direction)
{
    // The ends must come back as states after rounding to float: stop at half
    // the saturation tolerance.
    auto wet = [&](double u) {
        return relativeHumidityOf(p, pointAt(line, u)) > 1.0 + 0.5 * kSaturationTolerance;
    };
    const double bound = direction > 0.0 ? range.hi : range.lo;
    double dry = 0.0;
    for (int step = 0; step < kMaxWalkSteps; ++step) {
        const double next = std::clamp(dry + direction * kWalkStep, range.lo, range.hi);
        if (next == dry) {
            return bound;
        }
        if (wet(next)) {
            double wetU = next;
            while (std::abs(wetU - dry) > kParameterTolerance) {
                const double middle = 0.5 * (dry + wetU);
                (wet(middle) ? wetU : dry) = middle;
            }
            return dry;
        }
        dry = next;
    }
    return dry;
}

} // namespace

std::optional<double> propertyAt(double p, ChartPoint s, Property property)
{
    if (!isValidPressure(p) || !isFinite(s) || !(s.x >= 0.0)) {
        return std::nullopt;
    }
    const double t = dryBulb(s.x, s.h);
    if (!isInTemperatureRange(t)) {
        return std::nullopt;
    }
    switch (property) {
    case Property::DryBulb:
        return t;
    case Property::Moisture:
        return s.x;
    case Property::Enthalpy:
        return s.h;
    case Property::RelativeHumidity:
        return vapourPressure(p, s.x) / saturationPressure(t);
    case Property::WetBulb:
        if (isFog(p, s)) {
            return std::nullopt;
        }
        return wetBulb(p, t, s.x);
    }
    return std::nullopt;
}

bool isCompletable(double p, ChartPoint s)
{
    if (!isValidPressure(p) || !isFinite(s) || !(s.x >= 0.0)) {
        return false;
    }
    const double t = dryBulb(s.x, s.h);
    if (!isInTemperatureRange(t)) {
        return false;
    }
    const double pq = vapourPressure(p, s.x);
    return pq >= minimumSaturationPressure() && pq <= saturationPressure(t) * (1.0 + kSaturationTolerance);
}

std::optional<ChartPoint> pointOnIsoLine(double p, ChartPoint base, IsoLine line, ValueMode mode,
                                         Property property, double value)
{
    if (!isValidPressure(p) || !isFinite(base) || !(base.x >= 0.0)) {
        return std::nullopt;
    }
    const auto target = targetValue(p, base, mode, property, value);
    if (!target) {
        return std::nullopt;
    }
    const double v = *target;
    const double baseT = dryBulb(base.x, base.h);
    switch (line) {
    case IsoLine::Moisture:
        switch (property) {
        case Property::DryBulb:
            return completable(p, fromDryBulbMoisture(p, v, base.x));
        case Property::Enthalpy:
            return completable(p, ChartPoint{base.x, v});
        case Property::RelativeHumidity:
            return completable(p, fromMoistureRelativeHumidity(p, base.x, v));
        case Property::WetBulb:
            return completable(p, fromMoistureWetBulb(p, base.x, v));
        case Property::Moisture:
            return std::nullopt;
        }
        break;
    case IsoLine::DryBulb:
        switch (property) {
        case Property::Moisture:
            return completable(p, fromDryBulbMoisture(p, baseT, v));
        case Property::Enthalpy:
            return completable(p, fromDryBulbEnthalpy(baseT, v));
        case Property::RelativeHumidity:
            return completable(p, fromDryBulbRelativeHumidity(p, baseT, v));
        case Property::WetBulb:
            return completable(p, fromDryBulbWetBulb(p, baseT, v));
        case Property::DryBulb:
            return std::nullopt;
        }
        break;
    case IsoLine::Enthalpy:
        switch (property) {
        case Property::DryBulb:
            return completable(p, fromDryBulbEnthalpy(v, base.h));
        case Property::Moisture:
            return completable(p, ChartPoint{v, base.h});
        case Property::RelativeHumidity:
            return completable(p, fromEnthalpyRelativeHumidity(p, base.h, v));
        case Property::WetBulb:
            return completable(p, fromEnthalpyWetBulb(p, base.h, v));
        case Property::Enthalpy:
            return std::nullopt;
        }
        break;
    }
    return std::nullopt;
}

std::optional<ChartLine> lineThrough(ChartPoint a, ChartPoint b)
{
    if (!isFinite(a) || !isFinite(b)) {
        return std::nullopt;
    }
    const double dX = (b.x - a.x) * kMoistureScale;
    const double dh = b.h - a.h;
    const double length = std::hypot(dX, dh);
    if (!(length > 0.0) || !std::isfinite(length)) {
        return std::nullopt;
    }
    return ChartLine{a, dX / length, dh / length};
}

std::optional<ChartLine> ratioLine(ChartPoint a, double ratio)
{
    if (!isFinite(a) || !std::isfinite(ratio)) {
        return std::nullopt;
    }
    // Direction (1, ε/2500) in chart units; hypot keeps ε = 1e11 exact.
    const double slope = ratio / kMoistureScale;
    const double length = std::hypot(1.0, slope);
    return ChartLine{a, 1.0 / length, slope / length};
}

ChartPoint pointAt(const ChartLine& line, double u)
{
    return {line.origin.x + u * line.dX / kMoistureScale, line.origin.h + u * line.dh};
}

std::optional<ChartPoint> pointOnLine(double p, const ChartLine& line, ValueMode mode, Property property,
                                      double value)
{
    if (!isValidPressure(p)) {
        return std::nullopt;
    }
    const auto target = targetValue(p, line.origin, mode, property, value);
    if (!target) {
        return std::nullopt;
    }
    const double v = *target;
    const double X0 = line.origin.x * kMoistureScale;
    const double h0 = line.origin.h;
    // Dry bulb, moisture, enthalpy and wet bulb are straight lines of the
    // chart: the state is where a + b·u = 0.
    double a = 0.0;
    double b = 0.0;
    switch (property) {
    case Property::Moisture:
        a = X0 - v * kMoistureScale;
        b = line.dX;
        break;
    case Property::Enthalpy:
        a = h0 - v;
        b = line.dh;
        break;
    case Property::DryBulb: {
        const double vapour = kCpVapour / kMoistureScale;
        a = h0 - X0 - v * (kCpDryAir + vapour * X0);
        b = line.dh - line.dX - v * vapour * line.dX;
        break;
    }
    case Property::WetBulb: {
        const auto lineAtDryAir = isInTemperatureRange(v) ? wetBulbLineEnthalpy(p, v, 0.0) : std::nullopt;
        if (!lineAtDryAir) {
            return std::nullopt;
        }
        const double slope = kCpWater * v / kMoistureScale;
        a = h0 - slope * X0 - *lineAtDryAir;
        b = line.dh - slope * line.dX;
        break;
    }
    case Property::RelativeHumidity: {
        if (!(v > 0.0 && v <= 1.0)) {
            return std::nullopt;
        }
        const auto range = lineDomain(line, 0.0, kTMin, kTMax);
        if (!range) {
            return std::nullopt;
        }
        auto probeAt = [&](double u) {
            const double rh = relativeHumidityOf(p, pointAt(line, u));
            return Probe{rh - v, rh > 1.0 + kSaturationTolerance};
        };
        const auto u = nearestReachableRoot(probeAt, *range);
        if (!u) {
            return std::nullopt;
        }
        return completable(p, pointAt(line, *u));
    }
    }
    if (std::abs(b) < 1e-12) {
        return std::nullopt; // the line runs along the iso-line
    }
    return completable(p, pointAt(line, -a / b));
}

std::optional<ChartSegment> ratioLineEnds(double p, ChartPoint base, double ratio)
{
    const auto line = ratioLine(base, ratio);
    if (!line || !isCompletable(p, base)) {
        return std::nullopt;
    }
    // Keep the ends a little inside the range, so they stay states after
    // rounding to float.
    const auto range = lineDomain(*line, 1.001 * lowestMoisture(p), kTMin + 0.01, kTMax - 0.01);
    if (!range) {
        return std::nullopt;
    }
    const ChartPoint a = pointAt(*line, fogFreeEnd(p, *line, *range, -1.0));
    const ChartPoint b = pointAt(*line, fogFreeEnd(p, *line, *range, 1.0));
    if (!isCompletable(p, a) || !isCompletable(p, b)) {
        return std::nullopt;
    }
    return ChartSegment{a, b};
}

std::optional<ChartSegment> relatedPair(double p, ChartPoint base, double ratio, PairDifference kind,
                                        double difference, Property property, double value)
{
    const auto line = ratioLine(base, ratio);
    if (!line || !isValidPressure(p) || !std::isfinite(difference) || !std::isfinite(value) ||
        !isCompletable(p, base)) {
        return std::nullopt;
    }
    const auto range = lineDomain(*line, 0.0, kTMin, kTMax);
    if (!range) {
        return std::nullopt;
    }
    auto partnerOf = [&](ChartPoint first) {
        const double t = dryBulb(first.x, first.h);
        if (kind == PairDifference::DryBulb) {
            return ChartPoint{first.x, enthalpy(t - difference, first.x)};
        }
        const double x = first.x - difference;
        return ChartPoint{x, enthalpy(t, x)};
    };
    auto probeAt = [&](double u) {
        const ChartPoint first = pointAt(*line, u);
        const auto partnerValue = propertyAt(p, partnerOf(first), property);
        return Probe{partnerValue ? *partnerValue - value : kNotANumber, isFog(p, first)};
    };
    const auto u = nearestReachableRoot(probeAt, *range);
    if (!u) {
        return std::nullopt;
    }
    const ChartPoint first = pointAt(*line, *u);
    const ChartPoint second = partnerOf(first);
    if (!isCompletable(p, first) || !isCompletable(p, second)) {
        return std::nullopt;
    }
    return ChartSegment{first, second};
}

std::optional<ChartPoint> intersection(const ChartLine& first, const ChartLine& second)
{
    const double cross = first.dX * second.dh - first.dh * second.dX;
    if (!(std::abs(cross) > 1e-12)) {
        return std::nullopt;
    }
    const double gapX = (second.origin.x - first.origin.x) * kMoistureScale;
    const double gapH = second.origin.h - first.origin.h;
    const double u = (gapX * second.dh - gapH * second.dX) / cross;
    const ChartPoint s = pointAt(first, u);
    if (!isFinite(s) || !(s.x >= 0.0) || !isInTemperatureRange(dryBulb(s.x, s.h))) {
        return std::nullopt;
    }
    return s;
}

} // namespace qorva::psychro
