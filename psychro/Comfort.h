#pragma once

#include <array>
#include <optional>

// Thermal comfort of a moist-air state: Fanger's predicted mean vote (PMV) and
// the predicted percentage of dissatisfied (PPD) by ISO 7730:2005, clause 4
// and Annex D (the method GB/T 18049 adopts and GB 50736-2012, 3.0.4, judges
// comfort by), and the comfort zones drawn from them and from the indoor
// design table of GB 50736-2012 (Table 3.0.2, long-stay areas).
namespace qorva::psychro {

// Where ISO 7730:2005 (clause 4.1) lets the index be used. Inclusive ends.
inline constexpr double kComfortAirTemperatureMin = 10.0;     // ta, °C
inline constexpr double kComfortAirTemperatureMax = 30.0;     // ta, °C
inline constexpr double kComfortRadiantTemperatureMin = 10.0; // tr, °C
inline constexpr double kComfortRadiantTemperatureMax = 40.0; // tr, °C
inline constexpr double kComfortAirSpeedMax = 1.0;            // va, m/s (from 0)
inline constexpr double kComfortMetMin = 0.8;                 // met
inline constexpr double kComfortMetMax = 4.0;                 // met
inline constexpr double kComfortCloMax = 2.0;                 // clo (from 0)
// 1 met = 58.15 W/m² of body surface; 1 clo = 0.155 m²·K/W (ISO 7730, 4.1).
inline constexpr double kWattsPerMet = 58.15;
inline constexpr double kCloResistance = 0.155;

// The inputs of the index.
struct ComfortConditions {
    double ta = 0.0;   // air temperature, °C
    double tr = 0.0;   // mean radiant temperature, °C
    double va = 0.0;   // relative air speed, m/s
    double RH = 0.0;   // relative humidity, fraction 0…1 (vapour pressure RH · pws(ta))
    double met = 1.2;  // metabolic rate, met
    double clo = 0.5;  // clothing insulation, clo
    double work = 0.0; // external work, met (0 for office work)
};

// Why an index could not be computed: an input outside the standard's range,
// a humidity the air cannot hold, or (never seen inside the ranges) a
// clothing temperature that did not settle.
enum class ComfortFault {
    None,
    AirTemperature,
    RadiantTemperature,
    AirSpeed,
    Humidity,
    Metabolism,
    Clothing,
    Work,
    NoConvergence,
    Limit,
    LimitOutOfReach
};

struct ComfortIndex {
    double pmv = 0.0; // predicted mean vote, −3 (cold) … +3 (hot)
    double ppd = 0.0; // predicted percentage of dissatisfied, % (5 … 100)
};

// PMV and PPD; empty (with the reason in *fault when given) when an input is
// outside the ranges above or the humidity is above saturation.
std::optional<ComfortIndex> comfortIndex(const ComfortConditions& conditions, ComfortFault* fault = nullptr);
// PPD = 100 − 95·exp(−0.03353·PMV⁴ − 0.2179·PMV²), % (ISO 7730, eq. 5).
double predictedPercentageDissatisfied(double pmv);
// An English sentence for a fault, for the command line.
const char* comfortFaultText(ComfortFault fault);

// A corner of a comfort zone: dry bulb °C and relative humidity, fraction.
struct ComfortCorner {
    double t = 0.0;
    double RH = 0.0;
};
// The corners in the order the zone's points are made: low t with low RH,
// low t with high RH, high t with low RH, high t with high RH.
using ComfortCorners = std::array<ComfortCorner, 4>;

// The open humidity ends of a zone take the chart's own: saturation above,
// and below the driest air the chart can place a point at. Perfectly dry air
// (RH 0) has no dew point in the formulation, so the dry end is RH 0.01 %,
// where the moisture content is below 0.002 g/kg: on the chart's x = 0 edge.
inline constexpr double kZoneOpenHumidityLow = 1e-4;
inline constexpr double kZoneOpenHumidityHigh = 1.0;

// GB 50736-2012, Table 3.0.2: indoor design states of long-stay areas.
enum class CodeZone { CoolingClass1, CoolingClass2, HeatingClass1, HeatingClass2 };
struct CodeZoneBounds {
    double tLow, tHigh;   // °C
    double RHLow, RHHigh; // fraction; an open bound holds the chart's own
    bool lowOpen, highOpen;
    double airSpeedMax; // m/s, the table's limit (informative)
};
CodeZoneBounds codeZoneBounds(CodeZone zone);
ComfortCorners codeZoneCorners(CodeZone zone);

// The PMV comfort zone: between PMV = −limit and +limit at tr = ta, bounded by
// the relative humidities RHLow < RHHigh (fractions); the corners are where
// the two PMV lines meet the two humidity bounds. Empty when an input is out
// of range or a PMV line does not meet a bound between 10 and 30 °C.
std::optional<ComfortCorners> pmvZoneCorners(double limit, double met, double clo, double va, double RHLow,
                                             double RHHigh, ComfortFault* fault = nullptr);

} // namespace qorva::psychro
