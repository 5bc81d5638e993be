#pragma once

#include <string>

// The one place that turns stored values into the texts the chart, the
// result column, the exports and the dialogs show in the project's unit
// system (SI: kJ/kg and kW; engineering: kcal/kg and kcal/h).
namespace unit_format {

// printf into a string; the patterns are the program's own.
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// An enthalpy (kJ/kg) through the SI pattern, or converted to kcal/kg
// through the engineering pattern.
std::string Enthalpy(int unitSystem, const char* siPattern, const char* engineeringPattern, float h);
// A capacity held in W: "%.3fkW" in SI, "%.0fkcal/h" in engineering units.
std::string Capacity(int unitSystem, float watts);
// A room load held in kW, in the same forms.
std::string LoadKw(int unitSystem, float kilowatts);

} // namespace unit_format
