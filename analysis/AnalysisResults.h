#pragma once

#include <string>
#include <vector>

class CIDG;

// The values the result texts of a chart view show, as data: what scripts
// and workbooks read instead of the words. Each value is the one the text
// holds (its value slot), or, for the analyses' labelled texts that hold
// none (风机盘管制冷量, 一次回风量, 新风比 …), the number the text shows,
// brought back to the stored unit.

// What a value measures, in the stored SI unit.
enum class ResultQuantity {
    Power,                 // W (cooling, heating, reheat, preheat)
    AirVolume,             // m³/h
    MoistureFlow,          // kg/h, taken up (humidification) or given off (dehumidification)
    EnthalpyDifference,    // kJ/kg
    MoistureDifference,    // g/kg
    Fraction,              // a share, 0 to 1
    HeatMoistureRatio,     // kJ/kg
    Temperature,           // °C
    TemperatureDifference, // K
};

struct AnalysisResult {
    // A name for scripts, after the kind of the text: supply_volume, cooling,
    // fan_coil_cooling, fresh_air_dehumidification, mixing_ratio …; in the
    // heating view the names of air volumes and ratios start with winter_
    // (winter_supply_volume), and a name met again in the same view gets
    // _2, _3 … after it.
    std::string key;
    // The text's words before its value, as stored: "风机盘管制冷量(N-D)".
    std::string label;
    ResultQuantity quantity;
    double value;
};

// Every value the result texts of idg's current view show, in list order.
// Texts that report no value (state texts, texts the user typed) give none.
std::vector<AnalysisResult> TextResults(const CIDG& idg);

// The stored unit of a quantity as the JSON and the tables name it: "W",
// "m³/h", "kg/h", "kJ/kg", "g/kg", "", "kJ/kg", "°C", "K".
const char* StoredUnit(ResultQuantity quantity);
