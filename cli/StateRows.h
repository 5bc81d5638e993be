#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "psychro/DisplayUnits.h"

class CParamPoint;

// The rows 'qorva-cli state' and 'qorva-cli states' write, one state a line.

// The pressure a line without "--p" is completed at, Pa.
inline constexpr float kStandardPressure = 101325.0f;

// A number as "%.9g" writes it in the C locale, appended to out.
void appendNumber(std::string& out, double value);
// The same through snprintf: the reference appendNumber is held to.
void appendNumberWithPrintf(std::string& out, double value);
std::string formatNumber(double value);

// Values are typed and written in the units of a display system (--units);
// `pressure` and every CParamPoint hold stored SI values.

// The completed state of one line of 'qorva-cli states'; false with error
// set when the line gives no state.
bool lineState(std::string_view line, float pressure, CParamPoint& point, std::string& error,
               qorva::units::DisplaySystem units = qorva::units::DisplaySystem::SI);

// The CSV row of one line of 'qorva-cli states' with its newline, appended to
// out; false, with out unchanged and error set, when the line gives no state.
bool appendStateRow(std::string_view line, float pressure, std::string& out, std::string& error,
                    void (*append)(std::string&, double) = appendNumber,
                    qorva::units::DisplaySystem units = qorva::units::DisplaySystem::SI);

// Reads the state options of 'qorva-cli state' ("--t 26 --rh 55", "--p" for
// the pressure, else defaultPressure) into a parameter point in stored
// units with its two known flags; false with error set on a wrong option.
bool parseState(std::span<const std::string_view> args, float defaultPressure, CParamPoint& point,
                std::string& error, qorva::units::DisplaySystem units = qorva::units::DisplaySystem::SI);
// The completed state as 'qorva-cli state' prints it: eleven "name=value"
// lines, or one JSON object without a newline (its last member "units",
// "si", "engineering" or "ip").
void appendStateLines(std::string& out, const CParamPoint& point,
                      qorva::units::DisplaySystem units = qorva::units::DisplaySystem::SI);
void appendStateJson(std::string& out, const CParamPoint& point,
                     qorva::units::DisplaySystem units = qorva::units::DisplaySystem::SI);
// Takes "--json" out of the arguments; true when it was there.
bool takeJsonFlag(std::vector<std::string_view>& words);
