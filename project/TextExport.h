#pragma once

#include <QtGlobal>

#include <optional>
#include <string>

class CIDG;
class CParamPoint;
class CStatePoint;

// The two table exports (文件 → 输出 → 状态点 / 参数点): one header line and
// one fixed-width row per point, GBK text with CR LF line ends.
//
// Columns of a row, concatenated without separators: name (its first 14
// characters, padded to 14 GBK bytes, so a Chinese character takes two),
// pressure Pa "%-16.0f", dry-bulb °C "%-16.1f", wet-bulb °C "%-16.1f",
// relative humidity % "%-15.0f", dew point °C "%-16.1f", moisture content
// kg/kg "%-17.5f", enthalpy kJ/kg "%-13.1f" (engineering units: kcal/kg
// "%-15.1f"), vapour partial pressure Pa "%-20.0f", saturation vapour
// pressure Pa "%-24.0f", specific volume m³/kg "%-16.3f", density kg/m³
// "%-12.3f".

// The header line (GBK, with CR LF) for unitSystem (CIDG::kUnitsSI or kUnitsEngineering).
std::string PointTableHeader(int unitSystem);
// One row (GBK, with CR LF) from a completed parameter record.
std::string PointTableRow(const CParamPoint& point, int unitSystem);

// The state-point table: for every system "系统:  name", for every room
// "房间:  name", then "普通工况", "夏季工况", "冬季工况" each followed by a
// row per state point of that condition, computed from the point's dry-bulb
// temperature and relative humidity at the summer pressure (conditions 0, 1)
// or the winter pressure (condition 2). nullopt with error set when a point
// cannot be computed: a table with rows missing is never produced.
std::optional<std::string> StatePointTable(const CIDG& idg, std::string& error);
// One row's record of that table: the point's name, and its state completed
// from t and RH at the pressure of condition (0–2). False when it cannot be
// computed.
bool StatePointRecord(const CIDG& idg, const CStatePoint& point, int condition, CParamPoint& record);
// The refusal of a table whose point cannot be computed ("输出文件时出错" and
// where the point is).
std::string UncomputablePointMessage(const std::string& system, const std::string& room, int condition,
                                     const std::string& point);
// The parameter-point table: a row per parameter point of every room from
// its own stored values, without system, room or condition lines.
std::string ParamPointTable(const CIDG& idg);

// Write the tables to path atomically (QSaveFile): on failure path is left as
// it was and error holds the message for the user.
bool ExportStatePoints(const CIDG& idg, const std::string& path, std::string& error);
bool ExportParamPoints(const CIDG& idg, const std::string& path, std::string& error);

// Writes bytes to path through a temporary file renamed over it; false with
// error ("输出文件时出错" and the reason) when that fails.
bool WriteTextFile(const std::string& path, const std::string& bytes, std::string& error);

namespace text_export_messages {
// The head of every failure of a text output; a line with the reason follows.
inline constexpr const char* kOutputFailed = QT_TRANSLATE_NOOP("TextExport", "输出文件时出错");
} // namespace text_export_messages
