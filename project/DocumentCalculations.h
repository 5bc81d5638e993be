#pragma once

#include <string>

#include "analysis/Calculations.h"

class CQORVADoc;
class CParamPoint;

// The calculations of the 计算 menu and the parameter-point list as document
// operations: each success is one undo step named after its command; a
// refusal changes nothing and records no step.

// The undo step's name of a calculation kind ("送风量", "混风比", …).
std::string CalculationName(ResultKind kind);

bool AddCalculationResult(CQORVADoc& document, ResultKind kind, const ResultPoints& points, float input);
bool AddEnthalpyDifferenceResult(CQORVADoc& document, float watts, float airVolume);
bool AddMoistureDifferenceResult(CQORVADoc& document, float kgPerHour, float airVolume);
bool AddOutputStateText(CQORVADoc& document, int pointIndex, const std::string& caption);

bool AddParamPoint(CQORVADoc& document, const CParamPoint& point);
bool RenameParamPoint(CQORVADoc& document, int index, const std::string& name);
bool DeleteParamPoint(CQORVADoc& document, int index);
