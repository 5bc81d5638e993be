#pragma once

#include <QtGlobal>

#include <optional>
#include <string>
#include <vector>

#include "climate/WeatherYear.h"

class CIDG;

// The project as an Excel workbook (文件 → 导出工作簿, qorva-cli export), for
// engineers who hand their numbers on in spreadsheets. Every value is a
// numeric cell in the project's display units (SI: kJ/kg, kW; engineering:
// kcal/kg, kcal/h) with the number format of the decimals the program shows;
// each sheet has one frozen header row whose captions name the units and go
// through the translation (context "Workbook").
//
// The sheets, in order:
//   设计参数   every room's design data: system, room, then for summer and
//              winter the indoor point's name, t ℃, RH %, tw ℃, x g/kg and h
//              (completed at the chart pressure as the room's views are
//              bound), the load, the moisture load kg/h and the fresh air m³/h;
//   状态点     every state point of every room and condition, computed as the
//              state-point text table computes it (project/TextExport.h: from
//              t and RH at the summer pressure, the winter pressure in the
//              heating condition): p, t, tw, RH, td, x g/kg, h, pq, pqb, v, ρ;
// and with a weather year:
//   气象小时数, 气象月平均, 室外计算参数
//              the tables of 查看 → 气象年统计 (project/WeatherSummary.h) of
//              the year under the filter; a cell that shows a number is that
//              number, as the dialog rounds it;
//   全年新风   each room's fresh-air energy month by month and for the year,
//              over every hour of the year without heat recovery, as
//              qorva-cli annual computes it (analysis/AnnualFreshAir.h).

// A cell: empty, a text, or a number shown with an Excel number format.
struct WorkbookCell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text; // UTF-8
    double number = 0;
    const char* format = nullptr; // of a number: "0", "0.0", "0.000", "0%" …

    static WorkbookCell Text(std::string text);
    static WorkbookCell Number(double value, const char* format);
};

struct WorkbookSheet {
    std::string name;                // as wanted; the writer makes it safe
    std::vector<std::string> header; // the frozen first row
    std::vector<std::vector<WorkbookCell>> rows;
};

// The weather year a workbook includes, and the hours its statistics count.
struct WorkbookWeather {
    const WeatherYear& year;
    HourFilter filter;
};

// The sheets of idg (and of weather, when given). nullopt with error set
// ("输出文件时出错" and the reason) when a state point cannot be computed: a
// workbook with rows missing is never produced.
std::optional<std::vector<WorkbookSheet>>
ProjectWorkbookSheets(const CIDG& idg, const WorkbookWeather* weather, std::string& error);

// A sheet name Excel takes: each of []:*?/\ replaced by "_", no apostrophe at
// either end, not empty, at most 31 characters, and unlike every name in
// taken regardless of letter case (" (2)", " (3)" … put in before the cut).
std::string SafeSheetName(const std::string& wanted, const std::vector<std::string>& taken);

// Writes the sheets to path as a .xlsx file: a temporary file in the target
// folder, renamed over path once complete. False with error ("输出文件时出错",
// the path and the reason) when it cannot be written; path is then as it
// was and no temporary file is left.
bool WriteWorkbook(const std::vector<WorkbookSheet>& sheets, const std::string& path, std::string& error);

// ProjectWorkbookSheets written by WriteWorkbook.
bool ExportWorkbook(const CIDG& idg, const WorkbookWeather* weather, const std::string& path,
                    std::string& error);
