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

// Whether a point of an ε line counts as wet for its ends. The ends must
// come back as states after rounding to float: stop at half the saturation
// tolerance.
constexpr double kEndWetness = 1.0 + 0.5 * kSaturationTolerance;

bool isWetEnd(double p, const ChartLine& line, double u)
{
    return relativeHumidityOf(p, pointAt(line, u)) > kEndWetness;
}

// Bisects between a dry and a wet parameter; the last dry one.
double lastDryBefore(double p, const ChartLine& line, double dry, double wet)
{
    for (int i = 0; i < kMaxIterations && std::abs(wet - dry) > kParameterTolerance; ++i) {
        const double middle = 0.5 * (dry + wet);
        (isWetEnd(p, line, middle) ? wet : dry) = middle;
    }
    return dry;
}

// The far end of the fog-free stretch of the line from u = 0 in one direction
// (+1 or −1), inside [lo, hi]: the last parameter before fog, or the bound.
// Walks in steps of kWalkStep and bisects the step that turns wet.
double fogFreeEndByWalk(double p, const ChartLine& line, Interval range, double direction)
{
    const double bound = direction > 0.0 ? range.hi : range.lo;
    double dry = 0.0;
    for (int step = 0; step < kMaxWalkSteps; ++step) {
        const double next = std::clamp(dry + direction * kWalkStep, range.lo, range.hi);
        if (next == dry) {
            return bound;
        }
        if (isWetEnd(p, line, next)) {
            return lastDryBefore(p, line, dry, next);
        }
        dry = next;
    }
    return dry;
}

// How wet the line is at one parameter: RH − kEndWetness (positive: wet; NaN
// outside the range) and its derivative along the line in the walk's
// direction, per kJ/kg of chart distance.
struct Wetness {
    double excess;
    double slope;
};

Wetness wetnessAt(double p, const ChartLine& line, double u, double direction)
{
    const ChartPoint s = pointAt(line, u);
    if (!(s.x > 0.0) || !isFinite(s)) {
        return {kNotANumber, kNotANumber};
    }
    const double heatCapacity = kCpDryAir + kCpVapour * s.x;
    const double t = (s.h - kMoistureScale * s.x) / heatCapacity;
    if (!isInTemperatureRange(t)) {
        return {kNotANumber, kNotANumber};
    }
    double dLnPwsdT = 0.0;
    const double rh = vapourPressure(p, s.x) / saturationPressure(t, dLnPwsdT);
    // d ln RH = d ln pq − d ln pws, with x and h linear in u.
    const double dxdu = direction * line.dX / kMoistureScale;
    const double dhdu = direction * line.dh;
    const double dtdu = (dhdu - (kMoistureScale + kCpVapour * t) * dxdu) / heatCapacity;
    const double dLnPqdu = dxdu * kMassRatio / (s.x * (kMassRatio + s.x));
    return {rh - kEndWetness, rh * (dLnPqdu - dLnPwsdT * dtdu)};
}

// The same end as fogFreeEndByWalk with a few dozen evaluations instead of
// hundreds: steps that grow fourfold from kWalkStep, then Newton's method on
// the step that turns wet. The fog region is nearly convex, so a line is wet
// along at most one stretch; a step that jumps over all of a short stretch
// still shows the humidity rising and then falling, and the humidity's peak
// inside that step is examined.
double fogFreeEnd(double p, const ChartLine& line, Interval range, double direction)
{
    const double bound = direction > 0.0 ? range.hi : range.lo;
    auto excessAt = [&](double u) { return wetnessAt(p, line, u, direction).excess; };
    auto slopeAt = [&](double u) { return wetnessAt(p, line, u, direction).slope; };
    // The last dry parameter before the root of the excess in (dry, wet].
    // Newton works on the distance direction·u, along which the excess rises
    // from dry to wet.
    auto crossing = [&](double dry, double dryExcess, double wet, double wetExcess) {
        if (!(dryExcess < 0.0)) {
            // Only a base this close to saturation: no sign change to solve on.
            return lastDryBefore(p, line, dry, wet);
        }
        auto excessAlong = [&](double distance, double& slope) {
            const Wetness w = wetnessAt(p, line, direction * distance, direction);
            slope = w.slope;
            return w.excess;
        };
        const double secant = dry + (wet - dry) * dryExcess / (dryExcess - wetExcess);
        const auto distance = solveIncreasing(excessAlong, direction * dry, direction * wet,
                                              direction * secant, kParameterTolerance);
        if (!distance) {
            return dry;
        }
        // Newton may stop a hair inside the fog; the end must be dry.
        double root = direction * *distance;
        for (int i = 0; i < 2 && isWetEnd(p, line, root); ++i) {
            root = i == 0 ? root - direction * kParameterTolerance : lastDryBefore(p, line, dry, root);
        }
        return root;
    };
    double dry = 0.0;
    Wetness previous = wetnessAt(p, line, dry, direction);
    double step = kWalkStep;
    for (int i = 0; i < kMaxWalkSteps; ++i) {
        const double next = std::clamp(dry + direction * step, range.lo, range.hi);
        if (next == dry) {
            return bound;
        }
        const Wetness here = wetnessAt(p, line, next, direction);
        if (here.excess > 0.0) {
            return crossing(dry, previous.excess, next, here.excess);
        }
        if (previous.slope > 0.0 && here.slope < 0.0) {
            const auto peak =
                solveBracketed(slopeAt, dry, next, previous.slope, here.slope, kWalkStep * 1e-3);
            const double peakExcess = peak ? excessAt(*peak) : kNotANumber;
            if (peakExcess > 0.0) {
                return crossing(dry, previous.excess, *peak, peakExcess);
            }
        }
        dry = next;
        previous = here;
        step *= 4.0;
    }
    return dry;
}

// The ends of the ε line through base, each found by endOf(p, line, range, direction).
template <class EndOf>
std::optional<ChartSegment> ratioLineEndsWith(double p, ChartPoint base, double ratio, EndOf&& endOf)
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
    const ChartPoint a = pointAt(*line, endOf(p, *line, *range, -1.0));
    const ChartPoint b = pointAt(*line, endOf(p, *line, *range, 1.0));
    if (!isCompletable(p, a) || !isCompletable(p, b)) {
        return std::nullopt;
    }
    return ChartSegment{a, b};
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
    return vapourPressure(p, s.x) <= saturationPressure(t) * (1.0 + kSaturationTolerance);
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
    // Only dry air has RH 0: the line's crossing of x = 0.
    const bool dryAir = property == Property::RelativeHumidity && v == 0.0;
    switch (dryAir ? Property::Moisture : property) {
    case Property::Moisture:
        a = X0 - (dryAir ? 0.0 : v) * kMoistureScale;
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
    return ratioLineEndsWith(p, base, ratio, fogFreeEnd);
}

namespace detail {

std::optional<ChartSegment> ratioLineEndsByWalk(double p, ChartPoint base, double ratio)
{
    return ratioLineEndsWith(p, base, ratio, fogFreeEndByWalk);
}

} // namespace detail

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
