#pragma once

// The kinds of the result texts in the result column and where each keeps
// its references and values; stored in project files.

// What a calculation-result text reports (m_nKind of CCommentString).
enum class ResultKind : int {
    AirVolume = 1,
    Cooling = 2,
    Heating = 3,
    Reheat = 4,
    MixingRatio = 5,
    HeatMoistureRatio = 6,
    TreatmentEnthalpy = 7,
    Humidification = 8,
    StateText = 9,
    EnthalpyDifference = 10,
    Preheat = 11,
    MoistureDifference = 12,
    // What a heat exchanger recovers between the entering air and the air
    // after it (the kind the analyses write for W-W1 too).
    HeatRecovery = 15,
    // The sensible cooling of an evaporative cooler between the entering air
    // and the air after it.
    EvaporativeCooling = 16,
};

// The other kinds the analyses write: a plain text (the user's on the chart,
// or an analysis's label with its value in the column), a fixed label with
// its value, and the fresh-air unit's cooling and heating loads.
namespace result_kind {
inline constexpr int kLabel = -1;
inline constexpr int kPlain = 0;
inline constexpr int kFreshAirCooling = 13;
inline constexpr int kFreshAirHeating = 14;
// What a heat exchanger recovers from the exhaust for the fresh air (W-W1).
inline constexpr int kHeatRecovery = 15;
inline constexpr int kEvaporativeCooling = 16;
} // namespace result_kind

// Where a result text keeps its input and its result (m_fValues).
namespace result_slot {
inline constexpr int kAirVolume = 0;          // G, m³/h
inline constexpr int kCooling = 1;            // Q, W (also the load a supply air volume was computed for)
inline constexpr int kHeating = 2;            // W (also the load of an enthalpy difference)
inline constexpr int kReheat = 3;             // W
inline constexpr int kMixingRatio = 4;        // share of the second point, fraction
inline constexpr int kHeatMoistureRatio = 5;  // ε, kJ/kg
inline constexpr int kEnthalpyDifference = 6; // Δh, kJ/kg
inline constexpr int kMoistureFlow = 7;       // W, kg/h
inline constexpr int kPreheat = 8;            // W
inline constexpr int kRecovered = 1;          // W a heat exchanger saves the coil after it
} // namespace result_slot

// Which of a text's references names which point.
namespace result_ref {
inline constexpr int kFirst = 0;
inline constexpr int kSecond = 1;
inline constexpr int kMixture = 2; // the mixing point of a mixing-ratio result
} // namespace result_ref
