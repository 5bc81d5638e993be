#pragma once

#include <QString>

#include <string>

// The one place that turns stored values into the texts the chart, the
// result column, the exports and the dialogs show in the project's unit
// system (SI: kJ/kg and kW; engineering: kcal/kg and kcal/h; IP: °F, gr/lb,
// Btu/lb, cfm, Btu/h and lb/h).
//
// Each pattern is the SI one, its unit written after the number ("%.1f℃",
// "%.1fg/kg"); in IP the number is converted and the SI unit in the pattern
// replaced by the IP one, so one pattern serves every system.
namespace unit_format {

// printf into a string; the patterns are the program's own.
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// A caption written with its SI or engineering unit ("干球温度℃",
// "焓kcal/kg", "负荷(kW)") with the unit the system shows it in: in IP the
// unit is replaced by the IP one; other systems keep the caption.
QString Caption(const QString& caption, int unitSystem);

// Whether the unit system is inch-pound.
bool IsIp(int unitSystem);

// A temperature (°C) through a pattern holding "℃".
std::string Temperature(int unitSystem, const char* siPattern, float t);
// A temperature difference (K) through a pattern holding "℃".
std::string TemperatureDifference(int unitSystem, const char* siPattern, float k);
// A moisture content or difference (kg/kg) through a pattern holding "g/kg".
std::string Moisture(int unitSystem, const char* siPattern, float d);
// An enthalpy (kJ/kg) through the SI pattern, or converted to kcal/kg
// through the engineering pattern, or to Btu/lb on the 0 °F datum.
std::string Enthalpy(int unitSystem, const char* siPattern, const char* engineeringPattern, float h);
// An enthalpy difference or a heat–moisture ratio (kJ/kg): no datum.
std::string EnthalpyDifference(int unitSystem, const char* siPattern, const char* engineeringPattern,
                               float dh);
// An air volume (m³/h) through a pattern holding "m^3/h".
std::string AirVolume(int unitSystem, const char* siPattern, float volume);
// A moisture flow (kg/h) through a pattern holding "kg/h".
std::string MoistureFlow(int unitSystem, const char* siPattern, float flow);
// A capacity held in W: "%.3fkW" in SI, "%.0fkcal/h" in engineering units,
// "%.0fBtu/h" in IP.
std::string Capacity(int unitSystem, float watts);
// A room load held in kW, in the same forms.
std::string LoadKw(int unitSystem, float kilowatts);

} // namespace unit_format
