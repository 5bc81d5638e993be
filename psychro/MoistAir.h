#pragma once

#include <limits>
#include <optional>

// The moist-air formulation of the chart, in double precision.
//
// Saturation pressure: Hyland & Wexler (1983) as given in ASHRAE Handbook —
// Fundamentals (2017), ch. 1, eq. (5) over ice below the triple point and
// eq. (6) over liquid water from it. Moisture content, enthalpy, the wet-bulb
// lines and the air density use the chart's own rounded constants below, so
// every computed state lies exactly where the chart draws it.
//
// Units: temperatures °C, pressures Pa, moisture content kg of water per kg
// of dry air, enthalpy kJ per kg of dry air, relative humidity a fraction.
namespace qorva::psychro {

// Range of the saturation-pressure equations (ch. 1, eqs. 5 and 6), °C.
inline constexpr double kTMin = -100.0;
inline constexpr double kTMax = 200.0;
// Triple point of water, °C, and its vapour pressure, Pa (ch. 1, Table 3).
// Both branches of the saturation curve give this pressure to 1e-8 there.
inline constexpr double kTriplePoint = 0.01;
inline constexpr double kTriplePointPressure = 611.657;
// Atmospheric pressures accepted, Pa: from high-altitude sites to a
// pressurised plant room; the ideal-gas mixture relations of ch. 1 hold here.
inline constexpr double kPressureMin = 10000.0;
inline constexpr double kPressureMax = 1.0e6;
inline constexpr double kKelvinOffset = 273.15;

// Ratio of the molar masses of water vapour and dry air (ch. 1: 0.62198 up to
// the 2005 edition, 0.621945 since; the chart formulas use 0.62198).
inline constexpr double kMassRatio = 0.62198;
// 1 − kMassRatio: how much lighter a volume of vapour is than one of dry air.
inline constexpr double kVapourDensityDefect = 0.37802;
// Specific heats of dry air and water vapour, kJ/(kg·K), and the latent heat
// of vaporisation at 0 °C, kJ/kg: the chart's rounding of ch. 1, eq. (30)
// (1.006, 1.86 and 2501).
inline constexpr double kCpDryAir = 1.01;
inline constexpr double kCpVapour = 1.85;
inline constexpr double kLatentHeat0 = 2500.0;
// Specific heat of liquid water, kJ/(kg·K) (1 kcal_IT/(kg·K)): the enthalpy of
// the water evaporating into the air on the chart's wet-bulb lines.
inline constexpr double kCpWater = 4.1868;
// Gas constant of dry air, J/(kg·K) (ch. 1, 2005 edition; 287.042 since 2009),
// and its inverse as the air-density formula writes it, kg·K/kJ.
inline constexpr double kGasConstantDryAir = 287.055;
inline constexpr double kDensityFactor = 3.48365;

// A relative humidity up to 1 + kSaturationTolerance counts as saturated: a
// state computed on the saturation curve comes back above it after its
// inputs are rounded to 32-bit floats, by up to 5e-5 for the worst-conditioned
// pair (enthalpy and a wet bulb near 0 °C). Anything wetter is fog and has no
// state here.
inline constexpr double kSaturationTolerance = 1e-4;
// Absolute accuracy of every temperature found by bisection or Brent's
// method, K.
inline constexpr double kTemperatureTolerance = 1e-6;
// Newton iterations stop once a step is below this, K. Converging
// quadratically, the iterate returned is then good to about 1e-9 K; only
// where Newton gives way to bisection is the error as large as the step.
inline constexpr double kNewtonStepTolerance = 1e-5;
// "No value" for the optional hints below.
inline constexpr double kNoGuess = std::numeric_limits<double>::quiet_NaN();

bool isValidPressure(double p);
bool isInTemperatureRange(double t);

// Saturation pressure over ice (t < kTriplePoint) or liquid water, Pa.
// t in [kTMin, kTMax] (not checked: callers validate first).
double saturationPressure(double t);
// The same, also giving d(ln pws)/dt in 1/K.
double saturationPressure(double t, double& dLnPdT);
// d(ln pws)/dt alone, 1/K.
double saturationSlope(double t);
// Saturation pressures at the ends of the range, Pa.
double minimumSaturationPressure();
double maximumSaturationPressure();
// Inverse of saturationPressure: the temperature at which e (Pa) is the
// saturation pressure, °C; empty outside the range. guess: a first iterate
// (°C) when the caller has a good one, else NaN.
std::optional<double> saturationTemperature(double e, double guess = kNoGuess);

// x from the vapour partial pressure pq < p, and back (p, pq in Pa).
double moistureContent(double p, double pq);
double vapourPressure(double p, double x);
// h = 1.01·t + x·(2500 + 1.85·t), kJ/kg, and its inverse for t.
double enthalpy(double t, double x);
double dryBulb(double x, double h);
// Moisture content at saturation at t and p; empty when pws(t) >= p.
std::optional<double> saturationMoisture(double p, double t);
// The chart's wet-bulb line tw: h = h_s(tw) − 4.1868·tw·(x_s(tw) − x), with
// x_s, h_s saturated at tw; the enthalpy of moisture content x on it, kJ/kg.
std::optional<double> wetBulbLineEnthalpy(double p, double tw, double x);
// Wet-bulb temperature of (t, x): the wet-bulb line through the state, °C.
// lowerBound: a temperature known to lie below the wet bulb (the dew point),
// or NaN to use the lower end of the range.
std::optional<double> wetBulb(double p, double t, double x, double lowerBound = kNoGuess);
// The same when the caller already has the dew point (or NaN), the
// saturation pressure pqb at t and its slope d(ln pqb)/dt.
std::optional<double> wetBulbWithHints(double p, double t, double x, double dewPoint, double pqb,
                                       double dLnPdT);

// Specific volume per kg of dry air, v = R_a·T/(p − pq), m³/kg.
double specificVolume(double p, double t, double pq);
// Density of the moist air, ρ = (p − 0.37802·pq)·3.48365/(T·1000), kg/m³;
// it equals (1 + x)/v.
double density(double p, double t, double pq);

// Pressure of the standard atmosphere at an elevation above sea level (m),
// Pa: ASHRAE Handbook — Fundamentals (2017) ch. 1, eq. (3),
// p = 101.325·(1 − 2.25577e-5·Z)^5.2559 kPa, which holds in the troposphere,
// −5 000 … 11 000 m. Elevations outside that range give NaN.
inline constexpr double kStandardSeaLevelPressure = 101325.0;
inline constexpr double kLowestElevation = -5000.0;
inline constexpr double kHighestElevation = 11000.0;
double standardAtmosphericPressure(double elevation);

// Every property of one state.
struct MoistAirState {
    double t;   // dry bulb, °C
    double x;   // moisture content, kg/kg
    double h;   // enthalpy, kJ/kg
    double RH;  // relative humidity, fraction 0…1
    double tw;  // wet bulb, °C
    double td;  // dew point, °C
    double pq;  // vapour partial pressure, Pa
    double pqb; // saturation pressure at t, Pa
    double v;   // specific volume, m³ per kg of dry air
    double rho; // density, kg/m³
};

// Completes the state (t, x) at p. Empty when p, t or x is out of range or
// the state is wetter than saturated. Dry air (x = 0), the chart's left
// edge, is a state with RH 0; it has no dew point, and neither has air whose
// dew point would lie below kTMin in the formulation: both give kTMin.
// knownTw and knownTd are used as given instead of being solved for (NaN:
// solve).
std::optional<MoistAirState> completeState(double p, double t, double x, double knownTw = kNoGuess,
                                           double knownTd = kNoGuess);

} // namespace qorva::psychro
