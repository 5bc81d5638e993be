#pragma once

#include <optional>

// States along the lines of the i-d chart: the iso-lines of moisture content,
// dry bulb and enthalpy, straight lines through two states (process lines)
// and heat–moisture-ratio (ε) lines, and their intersections.
//
// A state is a chart point (x kg/kg, h kJ/kg). Straight lines are straight in
// (x, h); their direction is kept as a unit vector in (2500·x, h), the scale
// at which the chart draws both axes alike, so that one unit of the line
// parameter is about one kJ/kg of chart distance whatever the slope.
namespace qorva::psychro {

struct ChartPoint {
    double x; // kg/kg
    double h; // kJ/kg
};

struct ChartSegment {
    ChartPoint a;
    ChartPoint b;
};

// The five properties the point functions can be asked for.
enum class Property { DryBulb, Moisture, Enthalpy, RelativeHumidity, WetBulb };

// The property of the state s at p (°C, kg/kg, kJ/kg or fraction); empty when
// s is outside the formulation range, or wetter than saturated for the wet bulb.
std::optional<double> propertyAt(double p, ChartPoint s, Property property);

// Whether s is a state that completeState accepts at p: inside the range,
// not wetter than saturated (dry air included).
bool isCompletable(double p, ChartPoint s);

// The iso-line families through a base state.
enum class IsoLine { Moisture, DryBulb, Enthalpy };

// How a target value is given: as the property itself, or as a difference
// (target − base) from the base state.
enum class ValueMode { Difference, Absolute };

// The state on the iso-line through base where `property` has the value
// (mode Absolute) or differs from the base by the value (mode Difference).
// Asking for the property the line holds constant fails.
std::optional<ChartPoint> pointOnIsoLine(double p, ChartPoint base, IsoLine line, ValueMode mode,
                                         Property property, double value);

// A straight line of the chart: origin + u·(dX/2500, dh), with (dX, dh) of unit length.
struct ChartLine {
    ChartPoint origin;
    double dX;
    double dh;
};

// Through a towards b; empty when they coincide.
std::optional<ChartLine> lineThrough(ChartPoint a, ChartPoint b);
// Through a with heat–moisture ratio ε = Δh/Δx (kJ/kg, any finite value; the
// program's "vertical" 99999997952 included), directed towards larger x.
std::optional<ChartLine> ratioLine(ChartPoint a, double ratio);
ChartPoint pointAt(const ChartLine& line, double u);

// The state on the line with the given property, measured from the line's
// origin in mode Difference. For dry bulb, moisture, enthalpy and wet bulb
// the line meets the iso-line once; relative-humidity curves may cross a line
// twice, and the crossing taken is the one nearest the origin among those
// reached from it without passing through fog.
std::optional<ChartPoint> pointOnLine(double p, const ChartLine& line, ValueMode mode, Property property,
                                      double value);

// The part of the ε line through base that a chart can show: from where it
// leaves the formulation range or reaches the saturation curve on the
// lower-x side (a) to where it does so on the other side (b). Both ends are
// completable states. Empty when base itself is not a completable state.
std::optional<ChartSegment> ratioLineEnds(double p, ChartPoint base, double ratio);

namespace detail {
// The same ends found by walking the line in steps of 0.5 kJ/kg, as the
// program once did: the reference the faster search is tested and measured
// against. Not for the chart, about ten times slower.
std::optional<ChartSegment> ratioLineEndsByWalk(double p, ChartPoint base, double ratio);
} // namespace detail

// How the two points of a related pair differ.
enum class PairDifference {
    DryBulb, // equal moisture content, t1 − t2 = difference
    Moisture // equal dry bulb, x1 − x2 = difference
};

// A related pair: point 1 on the ε line through base, point 2 related to it
// by the difference, with point 2's property at the value. This is the supply
// state O on the room's ε line and the coil outlet L below it: equal x,
// t_O − t_L the temperature difference, L at the machine dew point. Point 1
// is the one nearest base among those reached from it without passing
// through fog; both must be completable states.
std::optional<ChartSegment> relatedPair(double p, ChartPoint base, double ratio, PairDifference kind,
                                        double difference, Property property, double value);

// Where two straight lines cross; empty when they are parallel or the
// crossing lies outside the formulation range (negative x, t outside −100…200 °C).
std::optional<ChartPoint> intersection(const ChartLine& first, const ChartLine& second);

} // namespace qorva::psychro
