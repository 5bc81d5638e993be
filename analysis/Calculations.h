#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/CIDG.h"
#include "model/CParamPoint.h"
#include "analysis/ResultValues.h"
#include "model/ResultKinds.h"

// The quantities of the 计算 menu between state points already on the chart,
// and the result texts that record them in the result column. Values are in
// stored units: capacities W, air volumes m³/h, moisture flows kg/h, x kg/kg,
// h, Δh and ε kJ/kg, ratios as fractions.

// Appends the result of a point calculation to the result column: computes
// it, words the text (result_wording::ResultWords) with the points and the input, and for an air
// volume makes it the chart's current supply air volume. 1 on success, 0
// (nothing changed) when a point is missing or the value cannot be computed.
int AddCalculationResult(CIDG& idg, ResultKind kind, const ResultPoints& points, float input);
// The result texts of a heat-recovery or evaporative point pointIndex made
// by a builder, for airVolume m³/h: 热回收量 (kW) of a heat recovery,
// 蒸发冷却量 (kW, the sensible cooling) of an evaporative cooler and, for a
// direct one, the 加湿量 (kg/h) it adds; each refers to the entering air and
// the point, and follows them. Returns how many texts were added.
int AddProcessStepResults(CIDG& idg, int pointIndex, float airVolume);
// The enthalpy difference of a heat load (W) in an air volume (m³/h) at the
// condition's density, as a result that refers to no point; 1 or 0.
int AddEnthalpyDifferenceResult(CIDG& idg, float watts, float airVolume);
// The moisture difference of a moisture flow (kg/h) in an air volume; 1 or 0.
int AddMoistureDifferenceResult(CIDG& idg, float kgPerHour, float airVolume);
// A state text describing point pointIndex under caption; 1 or 0.
int AddOutputStateText(CIDG& idg, int pointIndex, const std::string& caption);

// The room's parameter points (the calculator's list). A name must be
// non-empty and not carried by another parameter point of the room.
bool IsParamPointNameFree(const CIDG& idg, const std::string& name, int exceptIndex = -1);
// Appends a completed parameter point under its name; 1 or 0.
int AddParamPoint(CIDG& idg, const CParamPoint& point);
int RenameParamPoint(CIDG& idg, int index, const std::string& name);
int DeleteParamPoint(CIDG& idg, int index);

// All ten properties of chart point pointIndex at the chart pressure, from
// its moisture content and enthalpy; empty when it cannot be completed.
std::optional<CParamPoint> StatePointParameters(const CIDG& idg, int pointIndex);

// The properties of parameter points as a table: a header row of the column
// captions, then one row per point, tab-separated, in the display units of
// the unit system (pastes into a spreadsheet as a table).
std::string ParameterTable(const std::vector<const CParamPoint*>& points, int unitSystem);
