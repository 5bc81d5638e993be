#pragma once

#include <QString>

#include "model/UnitFormat.h"
#include "psychro/DisplayUnits.h"

// The captions and numbers of the dialogs in the project's unit system
// (CIDG::m_nUnitSystem: 0 engineering, 1 SI, 2 IP). A caption is written with
// its SI or engineering unit ("干球温度℃", "焓kcal/kg"); in IP the unit is
// replaced by the IP one. Values are stored in SI whatever is shown: a dialog
// shows them through Shown and reads what is typed through Stored.
namespace unit_text {

using qorva::units::Quantity;

// The caption with its unit in the project's system.
using unit_format::Caption;

// A stored value in the shown unit, and a typed one in the stored unit.
float Shown(Quantity quantity, float stored, int unitSystem);
float Stored(Quantity quantity, float shown, int unitSystem);

// A stored value as the dialog writes it: through pattern in SI and
// engineering units, through ipPattern (when given) in IP, where the numbers
// are of another size (14.696 psia against 101325 Pa).
QString Number(Quantity quantity, float stored, int unitSystem, const char* pattern,
               const char* ipPattern = nullptr);

} // namespace unit_text
