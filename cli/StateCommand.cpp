// qorva-cli state and qorva-cli states: the parameter-point calculator on the
// command line. A state is given by two of its properties at a pressure and
// completed exactly as the parameter-point dialog completes it
// (CParamPoint::Calculate), in the dialog's units: RH in %, x in g/kg,
// temperatures in °C, h in kJ/kg, p in Pa; with --units engineering h in
// kcal/kg, with --units ip every value in IP units (°F, gr/lb, Btu/lb,
// psia, ft³/lb, lb/ft³).

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/StateRows.h"
#include "model/CParamPoint.h"
#include "psychro/MoistAir.h"
#include "psychro/StatePairs.h"

namespace {

constexpr const char* kStateUsage =
    "usage: qorva-cli state [--units si|engineering|ip] [--p P] --PROPERTY VALUE --PROPERTY VALUE\n"
    "  two of: --t (dry bulb, °C), --tw (wet bulb, °C), --rh (relative humidity, %),\n"
    "          --td (dew point, °C), --x (moisture content, g/kg), --h (enthalpy, kJ/kg)\n"
    "  --p: atmospheric pressure in Pa, default 101325\n"
    "  --units: engineering takes and prints h in kcal/kg; ip every value in IP units:\n"
    "           t, tw, td °F, x gr/lb, h Btu/lb (0 at dry air of 0 °F), p, pq, pqb psia,\n"
    "           v ft³/lb, rho lb/ft³ (RH in % in every system)\n"
    "  --json: print the state as one JSON object\n";
constexpr const char* kStatesUsage =
    "usage: qorva-cli states [--units si|engineering|ip] [--p P] < LINES\n"
    "  each line of standard input holds the options of 'qorva-cli state';\n"
    "  --p sets the pressure of lines that give none; --units the units of every line\n"
    "  --json: a JSON array, one object per line (null for a line without a state)\n";
constexpr const char* kCsvHeader = "p,t,tw,td,RH,x,h,pq,pqb,v,rho";
constexpr const char* kEmptyCsvRow = ",,,,,,,,,,";

using qorva::units::DisplaySystem;
using qorva::units::Quantity;

// A typed value as a 32-bit stored value: the number in the C locale with
// nothing after it, converted from the unit the system shows the quantity
// in; empty for anything else or a value no float holds.
bool parseValue(std::string_view text, Quantity quantity, DisplaySystem units, float& value)
{
    const auto parsed = cli_arguments::Number(text);
    if (!parsed)
        return false;
    value = static_cast<float>(qorva::units::stored(quantity, *parsed, units));
    return std::isfinite(value);
}

// The property options: the field each sets, its known flag and the
// quantity its value is typed as.
struct PropertyOption {
    const char* name;
    float CParamPoint::*field;
    std::uint8_t CParamPoint::*known;
    Quantity quantity;
};

constexpr PropertyOption kPropertyOptions[] = {
    {"--t", &CParamPoint::m_t, &CParamPoint::m_bKnownT, Quantity::Temperature},
    {"--tw", &CParamPoint::m_tw, &CParamPoint::m_bKnownTw, Quantity::Temperature},
    {"--rh", &CParamPoint::m_RH, &CParamPoint::m_bKnownRH, Quantity::RelativeHumidity},
    {"--td", &CParamPoint::m_td, &CParamPoint::m_bKnownTd, Quantity::Temperature},
    {"--x", &CParamPoint::m_d, &CParamPoint::m_bKnownD, Quantity::MoistureContent},
    {"--h", &CParamPoint::m_h, &CParamPoint::m_bKnownH, Quantity::Enthalpy},
};

} // namespace

// Reads "--name value" options into a parameter point in stored units, with
// its known flags and pressure. On failure `error` says what is wrong.
bool parseState(std::span<const std::string_view> args, float defaultPressure, CParamPoint& point,
                std::string& error, DisplaySystem units)
{
    point = CParamPoint();
    point.m_p = defaultPressure;
    bool pressureGiven = false;
    int known = 0;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string_view name = args[i];
        const auto option = std::find_if(std::begin(kPropertyOptions), std::end(kPropertyOptions),
                                         [name](const PropertyOption& o) { return name == o.name; });
        const bool isPressure = name == "--p";
        if (option == std::end(kPropertyOptions) && !isPressure) {
            error = "unknown option '" + std::string(name) + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "option '" + std::string(name) + "' needs a value";
            return false;
        }
        const Quantity quantity = isPressure ? Quantity::Pressure : option->quantity;
        float value = 0.0f;
        if (!parseValue(args[i + 1], quantity, units, value)) {
            error = cli_arguments::NotANumber(args[i + 1], name, qorva::units::unitOf(quantity, units));
            return false;
        }
        if (isPressure ? pressureGiven : point.*(option->known) != 0) {
            error = std::string(name) + " given twice";
            return false;
        }
        if (isPressure) {
            pressureGiven = true;
            point.m_p = value;
            continue;
        }
        point.*(option->field) = value;
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

namespace {

// The longest "%.9g" text: sign, 9 digits, point and "e-308".
constexpr std::size_t kMaxNumberLength = 24;

struct Field {
    const char* name;
    double value;
};

// The eleven values in the units of the system (RH in %, x in g/kg or
// gr/lb, ...), each a 32-bit value as the dialogs show it, in output order.
std::array<Field, 11> fieldsOf(const CParamPoint& s, DisplaySystem units)
{
    const auto shown = [units](Quantity quantity, float value) {
        return qorva::units::shown(quantity, value, units);
    };
    return {{{"p", shown(Quantity::Pressure, s.m_p)},
             {"t", shown(Quantity::Temperature, s.m_t)},
             {"tw", shown(Quantity::Temperature, s.m_tw)},
             {"td", shown(Quantity::Temperature, s.m_td)},
             {"RH", shown(Quantity::RelativeHumidity, s.m_RH)},
             {"x", shown(Quantity::MoistureContent, s.m_d)},
             {"h", shown(Quantity::Enthalpy, s.m_h)},
             {"pq", shown(Quantity::Pressure, s.m_pq)},
             {"pqb", shown(Quantity::Pressure, s.m_pqb)},
             {"v", shown(Quantity::SpecificVolume, s.m_v)},
             {"rho", shown(Quantity::Density, s.m_rho)}}};
}

} // namespace

// The state as one JSON object: the keys of the CSV header, with rh for RH,
// then "units", the unit system the numbers are in.
void appendStateJson(std::string& out, const CParamPoint& point, DisplaySystem units)
{
    char separator = '{';
    for (const Field& field : fieldsOf(point, units)) {
        out += separator;
        out += '"';
        out += std::string_view(field.name) == "RH" ? "rh" : field.name;
        out += "\":";
        cli_json::appendNumber(out, field.value);
        separator = ',';
    }
    out += ",\"units\":\"";
    out += cli_arguments::UnitsNameOf(units);
    out += "\"}";
}

void appendStateLines(std::string& out, const CParamPoint& point, DisplaySystem units)
{
    for (const Field& field : fieldsOf(point, units)) {
        out += field.name;
        out += '=';
        appendNumber(out, field.value);
        out += '\n';
    }
}

// Takes "--json" out of the arguments; true when it was there.
bool takeJsonFlag(std::vector<std::string_view>& words)
{
    const auto end = std::remove(words.begin(), words.end(), std::string_view("--json"));
    const bool found = end != words.end();
    words.erase(end, words.end());
    return found;
}

namespace {

// Splits a line at white space into at most words.size() words. A line with
// more is refused whatever follows: eight options repeat one of the seven.
std::span<const std::string_view> splitWords(std::string_view line, std::array<std::string_view, 16>& words)
{
    std::size_t count = 0;
    constexpr std::string_view kBlanks = " \t\r\v\f";
    std::size_t start = line.find_first_not_of(kBlanks);
    for (; start != std::string_view::npos && count < words.size(); ++count) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        words[count] = line.substr(start, end - start);
        start = line.find_first_not_of(kBlanks, end);
    }
    return {words.data(), count};
}

// Hands each line of the input, without its newline, to onLine, as
// std::getline splits them; reads in large blocks rather than a character
// at a time.
template <class OnLine> void forEachLine(std::streambuf& input, OnLine&& onLine)
{
    std::vector<char> block(1 << 16);
    std::string unfinished;
    std::streamsize count = 0;
    while ((count = input.sgetn(block.data(), static_cast<std::streamsize>(block.size()))) > 0) {
        std::string_view rest(block.data(), static_cast<std::size_t>(count));
        for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
            if (unfinished.empty()) {
                onLine(rest.substr(0, end));
            } else {
                unfinished.append(rest.substr(0, end));
                onLine(std::string_view(unfinished));
                unfinished.clear();
            }
            rest.remove_prefix(end + 1);
        }
        unfinished.append(rest);
    }
    if (!unfinished.empty()) {
        onLine(std::string_view(unfinished));
    }
}

} // namespace

// A number as "%.9g" writes it in the C locale: 9 significant digits, the
// exponent form below 1e-4 and from 1e9, no trailing zeros. std::to_chars
// in the general format with a precision is specified to write exactly
// that, without the locale and the format parsing.
void appendNumber(std::string& out, double value)
{
    char buffer[kMaxNumberLength];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9);
    out.append(buffer, result.ptr);
}

// The same through snprintf: the reference the test and the benchmark hold
// appendNumber to.
void appendNumberWithPrintf(std::string& out, double value)
{
    char buffer[kMaxNumberLength + 8];
    const int length = std::snprintf(buffer, sizeof buffer, "%.9g", value);
    out.append(buffer, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof buffer) - 1)));
}

std::string formatNumber(double value)
{
    std::string text;
    appendNumber(text, value);
    return text;
}

namespace {

// A stored value with its unit as a message shows it: "101325 Pa" in all
// its digits, an IP value in six, "14.696 psia", not the nine a float
// converted from 101325.35 Pa would print.
std::string shownWithUnit(Quantity quantity, double value, DisplaySystem units)
{
    const double shown = qorva::units::shown(quantity, value, units);
    std::string text;
    if (units == DisplaySystem::IP) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6g", shown);
        text = buffer;
    } else {
        text = formatNumber(shown);
    }
    return text + " " + qorva::units::unitOf(quantity, units);
}

// The refusal of a state that did not complete, with its cause.
std::string noStateMessage(const CParamPoint& point, DisplaySystem units)
{
    using namespace qorva::psychro;
    KnownProperties known;
    known.p = point.m_p;
    const auto given = [](std::uint8_t flag, double value) {
        return flag ? std::optional<double>(value) : std::nullopt;
    };
    known.t = given(point.m_bKnownT, point.m_t);
    known.tw = given(point.m_bKnownTw, point.m_tw);
    known.td = given(point.m_bKnownTd, point.m_td);
    known.RH = given(point.m_bKnownRH, point.m_RH);
    known.x = given(point.m_bKnownD, point.m_d);
    known.h = given(point.m_bKnownH, point.m_h);
    std::string cause;
    switch (whyNoState(known)) {
    case NoStateCause::PressureOutOfRange:
        cause = units == DisplaySystem::IP
                    ? "the pressure lies outside " + shownWithUnit(Quantity::Pressure, kPressureMin, units) +
                          " to " + shownWithUnit(Quantity::Pressure, kPressureMax, units)
                    : "the pressure lies outside 10 kPa to 1 MPa";
        break;
    case NoStateCause::TemperatureOutOfRange:
        cause = "a temperature lies outside " +
                formatNumber(qorva::units::shown(Quantity::Temperature, kTMin, units)) + " to " +
                shownWithUnit(Quantity::Temperature, kTMax, units);
        break;
    case NoStateCause::BelowChart:
        cause = "below the chart: drier than dry air";
        break;
    case NoStateCause::AboveSaturation:
        cause = "above saturation: wetter than saturated air";
        break;
    case NoStateCause::Undetermined:
        cause = "the two values fix no single state";
        break;
    }
    return "no moist-air state has these values at p = " +
           shownWithUnit(Quantity::Pressure, point.m_p, units) + " (" + cause + ")";
}

} // namespace

bool lineState(std::string_view line, float pressure, CParamPoint& point, std::string& error,
               DisplaySystem units)
{
    std::array<std::string_view, 16> words;
    if (!parseState(splitWords(line, words), pressure, point, error, units)) {
        return false;
    }
    if (!point.Calculate()) {
        error = noStateMessage(point, units);
        return false;
    }
    return true;
}

bool appendStateRow(std::string_view line, float pressure, std::string& out, std::string& error,
                    void (*append)(std::string&, double), DisplaySystem units)
{
    CParamPoint point;
    if (!lineState(line, pressure, point, error, units)) {
        return false;
    }
    char separator = '\0';
    for (const Field& field : fieldsOf(point, units)) {
        if (separator != '\0') {
            out += separator;
        }
        append(out, field.value);
        separator = ',';
    }
    out += '\n';
    return true;
}

// The state of one line of 'qorva-cli states' as a JSON array element
// appended to out (without separator); false with error set when the line
// gives no state.
bool appendStateElement(std::string_view line, float pressure, std::string& out, std::string& error,
                        DisplaySystem units)
{
    CParamPoint point;
    if (!lineState(line, pressure, point, error, units)) {
        return false;
    }
    appendStateJson(out, point, units);
    return true;
}

int runStateCommand(const std::vector<std::string>& args)
{
    std::vector<std::string_view> words(args.begin(), args.end());
    const bool json = takeJsonFlag(words);
    DisplaySystem units = DisplaySystem::SI;
    CParamPoint point;
    std::string error;
    if (!cli_arguments::TakeUnits(words, units, error) ||
        !parseState(words, kStandardPressure, point, error, units)) {
        std::fprintf(stderr, "qorva-cli state: %s\n%s", error.c_str(), kStateUsage);
        return 2;
    }
    if (!point.Calculate()) {
        std::fprintf(stderr, "qorva-cli state: %s\n", noStateMessage(point, units).c_str());
        return 1;
    }
    if (json) {
        std::string object;
        appendStateJson(object, point, units);
        std::printf("%s\n", object.c_str());
        return 0;
    }
    for (const Field& field : fieldsOf(point, units)) {
        std::printf("%s=%s\n", field.name, formatNumber(field.value).c_str());
    }
    return 0;
}

int runStatesCommand(const std::vector<std::string>& args)
{
    float pressure = kStandardPressure;
    std::vector<std::string_view> words(args.begin(), args.end());
    const bool json = takeJsonFlag(words);
    DisplaySystem units = DisplaySystem::SI;
    std::string problem;
    if (!cli_arguments::TakeUnits(words, units, problem)) {
        std::fprintf(stderr, "qorva-cli states: %s\n%s", problem.c_str(), kStatesUsage);
        return 2;
    }
    if (!words.empty()) {
        if (words.size() != 2 || words[0] != "--p") {
            std::fputs(kStatesUsage, stderr);
            return 2;
        }
        if (!parseValue(words[1], Quantity::Pressure, units, pressure)) {
            std::fprintf(
                stderr, "qorva-cli states: %s\n%s",
                cli_arguments::NotANumber(words[1], "--p", qorva::units::unitOf(Quantity::Pressure, units))
                    .c_str(),
                kStatesUsage);
            return 2;
        }
    }
    if (!json)
        std::printf("%s\n", kCsvHeader);
    // Rows are gathered and written in large blocks; a message on standard
    // error first writes the rows before it, so a terminal shows both in order.
    constexpr std::size_t kBlockSize = 1 << 16;
    std::string rows;
    rows.reserve(kBlockSize + 512);
    auto writeRows = [&rows] {
        std::fwrite(rows.data(), 1, rows.size(), stdout);
        rows.clear();
    };
    int lineNumber = 0;
    int failures = 0;
    forEachLine(*std::cin.rdbuf(), [&](std::string_view line) {
        ++lineNumber;
        std::string error;
        if (json)
            rows += lineNumber == 1 ? "[\n" : ",\n";
        if (!(json ? appendStateElement(line, pressure, rows, error, units)
                   : appendStateRow(line, pressure, rows, error, appendNumber, units))) {
            writeRows();
            std::fflush(stdout);
            std::fprintf(stderr, "qorva-cli states: line %d: %s\n", lineNumber, error.c_str());
            rows += json ? "null" : kEmptyCsvRow;
            if (!json)
                rows += '\n';
            ++failures;
        }
        if (rows.size() >= kBlockSize) {
            writeRows();
        }
    });
    if (json)
        rows += lineNumber == 0 ? "[]\n" : "\n]\n";
    writeRows();
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}
