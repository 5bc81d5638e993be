#pragma once

#include <string>
#include <string_view>

class CParamPoint;

// The rows 'qorva-cli state' and 'qorva-cli states' write, one state a line.

// The pressure a line without "--p" is completed at, Pa.
inline constexpr float kStandardPressure = 101325.0f;

// A number as "%.9g" writes it in the C locale, appended to out.
void appendNumber(std::string& out, double value);
// The same through snprintf: the reference appendNumber is held to.
void appendNumberWithPrintf(std::string& out, double value);
std::string formatNumber(double value);

// The completed state of one line of 'qorva-cli states'; false with error
// set when the line gives no state.
bool lineState(std::string_view line, float pressure, CParamPoint& point, std::string& error);

// The CSV row of one line of 'qorva-cli states' with its newline, appended to
// out; false, with out unchanged and error set, when the line gives no state.
bool appendStateRow(std::string_view line, float pressure, std::string& out, std::string& error,
                    void (*append)(std::string&, double) = appendNumber);
