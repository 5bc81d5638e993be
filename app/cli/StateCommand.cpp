// qorva-cli state and qorva-cli states: the parameter-point calculator on the
// command line. A state is given by two of its properties at a pressure and
// completed exactly as the parameter-point dialog completes it
// (CParamPoint::Calculate), with the dialog's units: RH in %, x in g/kg,
// temperatures in °C, h in kJ/kg, p in Pa.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/Commands.h"
#include "model/CParamPoint.h"
#include "psychro/Units.h"

namespace {

constexpr float kStandardPressure = 101325.0f; // Pa
constexpr const char* kStateUsage =
    "usage: qorva-cli state [--p PA] --PROPERTY VALUE --PROPERTY VALUE\n"
    "  two of: --t (dry bulb, °C), --tw (wet bulb, °C), --rh (relative humidity, %),\n"
    "          --td (dew point, °C), --x (moisture content, g/kg), --h (enthalpy, kJ/kg)\n"
    "  --p: atmospheric pressure in Pa, default 101325\n";
constexpr const char* kStatesUsage = "usage: qorva-cli states [--p PA] < LINES\n"
                                     "  each line of standard input holds the options of 'qorva-cli state';\n"
                                     "  --p sets the pressure of lines that give none\n";
constexpr const char* kCsvHeader = "p,t,tw,td,RH,x,h,pq,pqb,v,rho";
constexpr const char* kEmptyCsvRow = ",,,,,,,,,,";

// A number in the C locale with nothing after it; empty on anything else.
bool parseNumber(const std::string& text, float& value)
{
    double parsed = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed)) {
        return false;
    }
    value = static_cast<float>(parsed);
    return std::isfinite(value);
}

float asGiven(float value)
{
    return value;
}

// The property options: the field each sets, its known flag and the
// conversion from the unit typed to the stored unit.
struct PropertyOption {
    const char* name;
    float CParamPoint::*field;
    std::uint8_t CParamPoint::*known;
    float (*toStored)(float);
};

constexpr PropertyOption kPropertyOptions[] = {
    {"--t", &CParamPoint::m_t, &CParamPoint::m_bKnownT, asGiven},
    {"--tw", &CParamPoint::m_tw, &CParamPoint::m_bKnownTw, asGiven},
    {"--rh", &CParamPoint::m_RH, &CParamPoint::m_bKnownRH, qorva::units::humidityStored},
    {"--td", &CParamPoint::m_td, &CParamPoint::m_bKnownTd, asGiven},
    {"--x", &CParamPoint::m_d, &CParamPoint::m_bKnownD, qorva::units::moistureStored},
    {"--h", &CParamPoint::m_h, &CParamPoint::m_bKnownH, asGiven},
};

// Reads "--name value" options into a parameter point in stored units, with
// its known flags and pressure. On failure `error` says what is wrong.
bool parseState(const std::vector<std::string>& args, float defaultPressure, CParamPoint& point,
                std::string& error)
{
    point = CParamPoint();
    point.m_p = defaultPressure;
    bool pressureGiven = false;
    int known = 0;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& name = args[i];
        const auto option = std::find_if(std::begin(kPropertyOptions), std::end(kPropertyOptions),
                                         [&name](const PropertyOption& o) { return name == o.name; });
        const bool isPressure = name == "--p";
        if (option == std::end(kPropertyOptions) && !isPressure) {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "option '" + name + "' needs a value";
            return false;
        }
        float value = 0.0f;
        if (!parseNumber(args[i + 1], value)) {
            error = "'" + args[i + 1] + "' is not a number (for " + name + ")";
            return false;
        }
        if (isPressure ? pressureGiven : point.*(option->known) != 0) {
            error = name + " given twice";
            return false;
        }
        if (isPressure) {
            pressureGiven = true;
            point.m_p = value;
            continue;
        }
        point.*(option->field) = option->toStored(value);
        point.*(option->known) = 1;
        ++known;
    }
    if (known != 2) {
        error = "give exactly two of --t --tw --rh --td --x --h (" + std::to_string(known) + " given)";
        return false;
    }
    if (point.m_bKnownD && point.m_bKnownTd) {
        // The parameter-point dialog refuses this pair too: the dew point is
        // fixed by the moisture content alone.
        error = "--x and --td both fix the moisture content; give another pair";
        return false;
    }
    return true;
}

std::string formatNumber(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

struct Field {
    const char* name;
    double value;
};

// The eleven values in display units (RH in %, x in g/kg), in output order.
std::vector<Field> fieldsOf(const CParamPoint& s)
{
    return {{"p", s.m_p},
            {"t", s.m_t},
            {"tw", s.m_tw},
            {"td", s.m_td},
            {"RH", qorva::units::humidityShown(s.m_RH)},
            {"x", qorva::units::moistureShown(s.m_d)},
            {"h", s.m_h},
            {"pq", s.m_pq},
            {"pqb", s.m_pqb},
            {"v", s.m_v},
            {"rho", s.m_rho}};
}

std::vector<std::string> splitWords(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

std::string noStateMessage(const CParamPoint& point)
{
    return "no moist-air state has these values at p = " + formatNumber(point.m_p) +
           " Pa (out of range, or wetter than saturated)";
}

} // namespace

int runStateCommand(const std::vector<std::string>& args)
{
    CParamPoint point;
    std::string error;
    if (!parseState(args, kStandardPressure, point, error)) {
        std::fprintf(stderr, "qorva-cli state: %s\n%s", error.c_str(), kStateUsage);
        return 2;
    }
    if (!point.Calculate()) {
        std::fprintf(stderr, "qorva-cli state: %s\n", noStateMessage(point).c_str());
        return 1;
    }
    for (const Field& field : fieldsOf(point)) {
        std::printf("%s=%s\n", field.name, formatNumber(field.value).c_str());
    }
    return 0;
}

int runStatesCommand(const std::vector<std::string>& args)
{
    float pressure = kStandardPressure;
    if (!args.empty()) {
        if (args.size() != 2 || args[0] != "--p" || !parseNumber(args[1], pressure)) {
            std::fputs(kStatesUsage, stderr);
            return 2;
        }
    }
    std::printf("%s\n", kCsvHeader);
    std::string line;
    int lineNumber = 0;
    int failures = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        CParamPoint point;
        std::string error;
        if (!parseState(splitWords(line), pressure, point, error)) {
            std::fprintf(stderr, "qorva-cli states: line %d: %s\n", lineNumber, error.c_str());
        } else if (!point.Calculate()) {
            error = noStateMessage(point);
            std::fprintf(stderr, "qorva-cli states: line %d: %s\n", lineNumber, error.c_str());
        }
        if (!error.empty()) {
            std::printf("%s\n", kEmptyCsvRow);
            ++failures;
            continue;
        }
        std::string row;
        for (const Field& field : fieldsOf(point)) {
            if (!row.empty()) {
                row += ',';
            }
            row += formatNumber(field.value);
        }
        std::printf("%s\n", row.c_str());
    }
    return failures == 0 ? 0 : 1;
}
