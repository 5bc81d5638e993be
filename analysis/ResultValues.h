#pragma once

#include <array>
#include <optional>

#include "model/CIDG.h"
#include "model/ResultKinds.h"

// The values of the result texts between state points, computed from the
// points' present states: what a calculation of the 计算 menu writes and
// what a result text is worded from again when its points move. Values are
// in stored units: capacities W, air volumes m³/h, moisture flows kg/h,
// x kg/kg, h, Δh and ε kJ/kg, ratios as fractions.

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

// The sensible cooling (W) of G m³/h of air at density ρ cooled from the
// entering to the leaving dry bulb at the entering moisture content:
// Q = ρ·G·(1.01 + 1.85·x1)·(t1 − t2)/3.6. Empty for ρ ≤ 0 or G < 0.
std::optional<float> SensibleCooling(float density, const CStatePoint& entering, const CStatePoint& leaving,
                                     float airVolume);

// The air density of the operating condition: summer for conditions 0 and 1,
// winter for 2; empty for any other condition or a density not positive.
std::optional<float> ConditionDensity(const CIDG& idg);
// Δh = 3.6·Q/(G·ρ) kJ/kg for a heat load Q (W, ≥ 0) carried by G m³/h (> 0).
std::optional<float> EnthalpyDifference(float watts, float airVolume, float density);
// Δx = 1000·W/(G·ρ) g/kg for a moisture flow W (kg/h, ≥ 0) in G m³/h (> 0).
std::optional<float> MoistureDifference(float kgPerHour, float airVolume, float density);
