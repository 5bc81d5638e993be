#pragma once

#include <QtGlobal>

#include <optional>
#include <string>

class CIDG;

// The analysis report that close-and-return writes for the program that
// started this one: the project heading, then for every room of every system
// the summer and the winter primary-return-air results stored in the room
// (no analysis is run), GBK text with CR LF line ends.
//
// Each room's summer and winter views are bound in turn (their design points
// W and N are rebuilt from the design data); afterwards the current system,
// room and every room's condition are as they were.

// The report as UTF-8 lines joined by "\n"; nullopt with error set when a
// room's view cannot be bound or its stored results name a point the view
// does not hold.
std::optional<std::string> AnalysisReportText(CIDG& idg, std::string& error);

// Writes the report to path atomically; an empty path writes nothing and
// succeeds. On failure error holds "输出文件时出错" and the reason, and an
// older report at path is removed (so no caller reads it as this run's); a
// last line of error says that it was removed, or that it could not be.
bool WriteAnalysisReport(CIDG& idg, const std::string& path, std::string& error);

namespace analysis_report_messages {
inline constexpr const char* kStaleRemoved =
    QT_TRANSLATE_NOOP("AnalysisReport", "该路径下原有的报告已删除。");
inline constexpr const char* kStaleNotRemoved =
    QT_TRANSLATE_NOOP("AnalysisReport", "该路径下原有的报告无法删除，其内容不是本次的结果。");
} // namespace analysis_report_messages
