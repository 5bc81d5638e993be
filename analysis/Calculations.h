#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/CIDG.h"
#include "model/CParamPoint.h"
#include "model/ResultKinds.h"

// The quantities of the 计算 menu between state points already on the chart,
// and the result texts that record them in the result column. Values are in
// stored units: capacities W, air volumes m³/h, moisture flows kg/h, x kg/kg,
// h, Δh and ε kJ/kg, ratios as fractions.

// The point references of a calculation, −1 where the kind needs none.
using ResultPoints = std::array<int, 3>;

// True for the kinds computed between points (1–8, 11).
bool IsPointResultKind(ResultKind kind);
// The stored slot of a point result's own value, and of the input it was computed with.
int ResultSlot(ResultKind kind);
int InputSlot(ResultKind kind);

// The value of a point calculation from the present states of its points
// and the input (Q in W for an air volume, G in m³/h for capacities and
// moisture flows; none for the others). Empty when a point is missing or the
// property library cannot compute it (equal enthalpies for an air volume,
// points that coincide for a mixing ratio).
std::optional<float> ComputeResult(const CIDG& idg, ResultKind kind, const ResultPoints& points, float input);

// The mixing ratio of mixture M between points 1 and 2: the share of point
// 2, from the enthalpies, or from the moisture contents when 1 and 2 lie on
// one line of constant enthalpy.
std::optional<float> MixingRatio(const CIDG& idg, int point1, int point2, int mixture);

// The supply air volume (m³/h) the current view knows: that of the last
// 送风量 calculation in this session, else the total supply air of the
// view's first air-volume result (the one an analysis writes); 0 without.
float SupplyAirOfView(const CIDG& idg);

// The air density of the operating condition: summer for conditions 0 and 1,
// winter for 2; empty for any other condition or a density not positive.
std::optional<float> ConditionDensity(const CIDG& idg);
// Δh = 3.6·Q/(G·ρ) kJ/kg for a heat load Q (W, ≥ 0) carried by G m³/h (> 0).
std::optional<float> EnthalpyDifference(float watts, float airVolume, float density);
// Δx = 1000·W/(G·ρ) g/kg for a moisture flow W (kg/h, ≥ 0) in G m³/h (> 0).
std::optional<float> MoistureDifference(float kgPerHour, float airVolume, float density);

// Appends the result of a point calculation to the result column: computes
// it, words the text (result_wording::ResultWords) with the points and the input, and for an air
// volume makes it the chart's current supply air volume. 1 on success, 0
// (nothing changed) when a point is missing or the value cannot be computed.
int AddCalculationResult(CIDG& idg, ResultKind kind, const ResultPoints& points, float input);
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
