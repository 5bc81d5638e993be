#pragma once

#include "analysis/ResultTexts.h"

#include <QtGlobal>

#include <memory>
#include <string>

#include "model/CIDG.h"

// The condition views of a room: binding the current lists to the current
// room and condition, the base objects W, N and ε rebuilt from the design
// data, and the column of result texts the analyses and calculations write.

// Points the current lists at the current room and condition and rebuilds
// that view's base objects: point 0 the outdoor state W, point 1 the indoor
// state N, HHR line 0 "ε" through N. 1 on success; 0 without a room or when a
// design state cannot be completed (then nothing is replaced, and the
// failure is shown unless reportFailure is false).
int BindCurrentRoom(CIDG& idg, bool reportFailure = true);

// The indoor state N that the room's view of `condition` (0–2) is bound
// with, completed at the chart pressure, without binding anything; false
// when the design state cannot be completed.
bool DesignIndoorPoint(const CIDG& idg, const CServiceArea& room, int condition, CStatePoint& point);

// Everything the current view derives from its inputs, brought up to date
// after a change: the base objects (silently), every state point completed
// again at the chart pressure, the ε of each two-point HHR line learnt from
// its points, and the result texts re-worded. Drawing only reads what this
// leaves. 1 when the base objects could be bound.
int RefreshCurrentView(CIDG& idg);

// Refreshes every condition of every room, leaving the current selection as
// it was (after a project is opened or changed as a whole, so later bindings
// change nothing); result texts follow the points it moves.
void RefreshAllViews(CIDG& idg);

// Sets the project's unit system (CIDG::kUnits…) and writes every result
// and state text of every view again in it; the points stay as they are.
void ApplyUnitSystem(CIDG& idg, int unitSystem);

// Empties the state-point, process-line, HHR-line and text lists of the
// current room in condition c (0–2, 3 the fresh-air code working in the
// summer lists), resets that condition's stored results and binds again.
int PrepareCondition(CIDG& idg, int condition);

CGuoChengXian* AddProcessLine(CIDG& idg, const std::string& name, int startIndex, int endIndex);
std::string DescribePoint(const CIDG& idg, const CStatePoint& point);
std::string DescribeLine(const CIDG& idg, const CGuoChengXian& line);
// Rewrites the texts of the value kinds from their records.
void RewordResultTexts(CIDG& idg);

namespace binding_messages {
inline constexpr const char* kOutdoorStateInvalid = QT_TRANSLATE_NOOP("Binding", "室外状态点参数错误!");
inline constexpr const char* kIndoorStateInvalid = QT_TRANSLATE_NOOP("Binding", "室内状态点参数错误!");
} // namespace binding_messages
