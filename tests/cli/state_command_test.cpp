#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/StateRows.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runState(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runStateCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

Outcome runStates(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::streambuf* previous = std::cin.rdbuf(in.rdbuf());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runStatesCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    std::cin.rdbuf(previous);
    return {status, out, err};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        result.push_back(line);
    }
    return result;
}

TEST(StateCommand, PrintsElevenValuesInDisplayUnits)
{
    const Outcome run = runState({"--p", "101325", "--t", "25", "--rh", "50"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 11u);
    const char* names[] = {"p=", "t=", "tw=", "td=", "RH=", "x=", "h=", "pq=", "pqb=", "v=", "rho="};
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].rfind(names[i], 0), 0u) << out[i];
    }
    EXPECT_EQ(out[0], "p=101325");
    EXPECT_EQ(out[4], "RH=50");
    // x in g/kg: 25 °C, 50 % holds 9.88 g/kg.
    EXPECT_NEAR(std::stod(out[5].substr(2)), 9.8816, 0.0005);
    EXPECT_NEAR(std::stod(out[2].substr(3)), 17.90, 0.01);
}

TEST(StateCommand, AnyParameterPairWithDefaultPressure)
{
    const Outcome fromMoisture = runState({"--x", "9.8816", "--h", "50.411"});
    ASSERT_EQ(fromMoisture.status, 0) << fromMoisture.err;
    EXPECT_EQ(lines(fromMoisture.out)[0], "p=101325");
    EXPECT_NEAR(std::stod(lines(fromMoisture.out)[1].substr(2)), 25.0, 0.001);
    const Outcome fromDewPoint = runState({"--td", "13.864", "--tw", "17.8995"});
    ASSERT_EQ(fromDewPoint.status, 0) << fromDewPoint.err;
    EXPECT_NEAR(std::stod(lines(fromDewPoint.out)[1].substr(2)), 25.0, 0.001);
    // Dry air, by RH 0 or x 0: v = 287.055 · 298.15 / 101325 m³/kg.
    for (const char* dry : {"--rh", "--x"}) {
        const Outcome run = runState({"--t", "25", dry, "0"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto out = lines(run.out);
        ASSERT_EQ(out.size(), 11u);
        EXPECT_EQ(out[4], "RH=0");
        EXPECT_EQ(out[5], "x=0");
        EXPECT_NEAR(std::stod(out[9].substr(2)), 0.84466, 0.00001);
    }
}

TEST(StateCommand, RefusesBadInputWithAMessage)
{
    const std::vector<std::vector<std::string>> usageErrors = {
        {"--t", "25"},                             // one property
        {"--t", "25", "--rh", "50", "--tw", "18"}, // three
        {"--x", "10", "--td", "14"},               // the pair the dialog refuses
        {"--t", "25", "--rh", "fifty"},            // not a number
        {"--t", "25", "--rh"},                     // no value
        {"--t", "25", "--phi", "50"},              // unknown option
        {"--t", "25", "--t", "26"},                // twice
    };
    for (const auto& args : usageErrors) {
        const Outcome run = runState(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("qorva-cli state: "), std::string::npos) << args.back();
    }
    // A state that does not complete is refused with its cause, and nothing on stdout.
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--t", "20", "--rh", "120"}, "above saturation"},
        {{"--t", "40", "--tw", "5"}, "below the chart"},
        {{"--t", "250", "--rh", "50"}, "a temperature lies outside -100 to 200 °C"},
        {{"--x", "0", "--rh", "0"}, "the two values fix no single state"},
    };
    for (const auto& [args, cause] : refusals) {
        const Outcome noState = runState(args);
        EXPECT_EQ(noState.status, 1);
        EXPECT_TRUE(noState.out.empty());
        EXPECT_NE(noState.err.find("no moist-air state has these values at p = 101325 Pa (" + cause),
                  std::string::npos)
            << noState.err;
    }
}

TEST(StatesCommand, OneCsvRowPerLineAndEmptyRowsForFailures)
{
    const Outcome run =
        runStates({"--p", "90000"}, "--t 25 --rh 50\n--t 20 --tw 30\n--p 101325 --t 25 --rh 50\n");
    EXPECT_EQ(run.status, 1);
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], "p,t,tw,td,RH,x,h,pq,pqb,v,rho");
    EXPECT_EQ(out[1].rfind("90000,25,", 0), 0u) << out[1];
    EXPECT_EQ(out[2], ",,,,,,,,,,");
    EXPECT_EQ(out[3].rfind("101325,25,", 0), 0u) << out[3];
    EXPECT_NE(run.err.find("line 2"), std::string::npos);
    EXPECT_EQ(runStates({}, "--t 25 --rh 50\n").status, 0);
    EXPECT_EQ(runStates({"--q", "1"}, "").status, 2);
}

TEST(StatesCommand, NumbersAreWrittenAsPrintfWritesThem)
{
    struct Case {
        double value;
        const char* text; // "%.9g" worked out by hand
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "-0"},
        {101325.0, "101325"},
        {25.0, "25"},
        {0.1f, "0.100000001"}, // a float's binary value, not 0.1
        {-7.25, "-7.25"},
        {123456789.0, "123456789"},       // nine digits still fixed
        {1234567890.0, "1.23456789e+09"}, // ten need the exponent
        {999999999.5, "1e+09"},           // rounds up to ten digits (tie to even)
        {0.0001, "0.0001"},               // the smallest exponent written fixed
        {0.00001, "1e-05"},
        {-0.000123456789, "-0.000123456789"},
        {0.0000999999999999, "0.0001"}, // rounds up into the fixed form
        {0.00009999999949, "9.99999995e-05"},
        {1.5e-45, "1.5e-45"},
        {4.9406564584124654e-324, "4.94065646e-324"},
        {std::numeric_limits<double>::max(), "1.79769313e+308"},
        {-3.4028234663852886e38, "-3.40282347e+38"},
    };
    for (const Case& c : cases) {
        std::string text;
        appendNumber(text, c.value);
        EXPECT_EQ(text, c.text);
        std::string printed;
        appendNumberWithPrintf(printed, c.value);
        EXPECT_EQ(printed, c.text);
    }
    // Every kind of float the command writes, and doubles of any exponent.
    std::mt19937_64 bits(20240611);
    int differing = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t word = bits();
        double value = 0.0;
        if (i % 2 == 0) {
            float single = 0.0f;
            const auto low = static_cast<std::uint32_t>(word);
            std::memcpy(&single, &low, sizeof single);
            value = single;
        } else {
            std::memcpy(&value, &word, sizeof value);
        }
        if (!std::isfinite(value)) {
            continue;
        }
        std::string text;
        std::string printed;
        appendNumber(text, value);
        appendNumberWithPrintf(printed, value);
        differing += text == printed ? 0 : 1;
        EXPECT_EQ(text, printed) << i;
        if (differing > 5) {
            break;
        }
    }
}

TEST(StatesCommand, RowsAreByteIdenticalToPrintfRows)
{
    const char* inputs[] = {"--t 25 --rh 50",   "--t -12.5 --rh 93",       "--x 0.0123 --h -28.5",
                            "--t 0.01 --tw 0",  "--p 12000 --t 45 --rh 3", "--td -60 --rh 1",
                            "--h 95 --rh 99.9", "--tw 17.9 --td 13.86",    "--p 950000 --t 150 --rh 0.5"};
    for (const char* input : inputs) {
        std::string row;
        std::string printed;
        std::string error;
        ASSERT_TRUE(appendStateRow(input, kStandardPressure, row, error)) << input << ": " << error;
        ASSERT_TRUE(appendStateRow(input, kStandardPressure, printed, error, appendNumberWithPrintf))
            << input;
        EXPECT_EQ(row, printed);
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 10) << row;
    }
}

// --json gives the numbers of the text output, as numbers under the same
// names (rh for RH), and pq follows from x: pq = p·x/(x + 0.62198), x in kg/kg.
TEST(StateCommand, JsonHoldsTheTextOutputsNumbers)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--t", "26", "--rh", "55"},
        {"--t", "0", "--x", "3.5", "--p", "90000"},
        {"--td", "10", "--t", "25"},
        {"--t", "-10", "--rh", "80"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        const Outcome text = runState(args);
        std::vector<std::string> jsonArgs = args;
        jsonArgs.insert(jsonArgs.begin() + 2, "--json");
        const Outcome json = runState(jsonArgs);
        ASSERT_EQ(json.status, 0) << json.err;
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
        const std::vector<std::string> textLines = lines(text.out);
        // Each value of the text, and the units they are in.
        ASSERT_EQ(object.size(), static_cast<qsizetype>(textLines.size()) + 1);
        EXPECT_EQ(object["units"].toString(), "si");
        for (const std::string& line : textLines) {
            const std::size_t equals = line.find('=');
            const std::string name = line.substr(0, equals) == "RH" ? "rh" : line.substr(0, equals);
            ASSERT_TRUE(object[QString::fromStdString(name)].isDouble()) << name;
            EXPECT_EQ(static_cast<float>(object[QString::fromStdString(name)].toDouble()),
                      std::stof(line.substr(equals + 1)))
                << name;
        }
        const double p = object["p"].toDouble(), x = object["x"].toDouble() / 1000.0;
        EXPECT_NEAR(object["pq"].toDouble(), p * x / (x + 0.62198), 1e-4 * object["pq"].toDouble());
    }
}

// states --json: an array with one object per line, the same as state
// --json gives, and null where a line gives no state (status 1).
TEST(StatesCommand, JsonIsAnArrayWithNullForALineWithoutAState)
{
    const Outcome run =
        runStates({"--json", "--p", "90000"}, "--t 26 --rh 55\n--t 20\n--td 10 --t 25 --p 101325\n");
    EXPECT_EQ(run.status, 1);
    const QJsonArray array = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    ASSERT_EQ(array.size(), 3);
    EXPECT_TRUE(array[1].isNull());
    const std::vector<std::string> given[] = {
        {"--t", "26", "--rh", "55", "--p", "90000", "--json"}, {}, {"--td", "10", "--t", "25", "--json"}};
    for (int i : {0, 2}) {
        const Outcome state = runState(given[i]);
        EXPECT_EQ(array[i].toObject(), QJsonDocument::fromJson(QByteArray::fromStdString(state.out)).object())
            << i;
    }
    EXPECT_EQ(runStates({"--json"}, "").out, "[]\n");
}

// The values 'state' prints, by name.
std::map<std::string, double> valuesOf(const std::string& out)
{
    std::map<std::string, double> values;
    for (const std::string& line : lines(out)) {
        const std::size_t equals = line.find('=');
        values[line.substr(0, equals)] = std::stod(line.substr(equals + 1));
    }
    return values;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// One atmosphere as the IP tables give it, 14.696 psia.
constexpr double kStandardPsia = 14.696;
constexpr double kPascalPerPsi = 6894.757293168;

// The ASHRAE IP table values (Handbook — Fundamentals 2017, ch. 1, Tables 2
// and 3) that PsychroLib's IP tests hold its functions to, with their
// tolerances, from --units ip at 14.696 psia. Saturation pressure is read as
// pqb (of a state at 10 % so that the air exists up to 300 °F), saturation
// moisture and enthalpy at 100 %, dry air at 0 %. Our formulation has the
// same saturation pressure (Hyland–Wexler) but the chart's enthalpy
// h = 1.01·t + x·(2500 + 1.85·t) against ASHRAE's 1.006, 2501 and 1.86, so
// two tolerances are wider than PsychroLib's:
// - dry-air enthalpy at 77 °F: 0.5 % instead of 0.1 %, as c_p 1.01 is 0.4 %
//   above 1.006;
// - saturation enthalpy at −4 °F, −0.286 Btu/lb, near the IP datum, where a
//   share of the value means nothing: 0.01 Btu/lb instead of 1 %. The c_p
//   gives −0.004 Btu/lb there and x, 0.4 % below the table (which holds the
//   enhancement factor that x = 0.62198·pws/(p − pws) leaves out), −0.003.
TEST(StateCommandIp, AgreesWithTheAshraeTablesAndWithTheSiStateConverted)
{
    struct Row {
        const char* what;
        double tF;
        const char* rh;
        const char* key;
        double table; // in the units --units ip prints
        double relative;
        double absolute;
    };
    const Row rows[] = {
        {"pws -76 F", -76, "10", "pqb", 0.000157, 0, 0.00001},
        {"pws -4 F", -4, "10", "pqb", 0.014974, 0.0003, 0},
        {"pws 23 F", 23, "10", "pqb", 0.058268, 0.0003, 0},
        {"pws 41 F", 41, "10", "pqb", 0.12656, 0.0003, 0},
        {"pws 77 F", 77, "10", "pqb", 0.45973, 0.0003, 0},
        {"pws 122 F", 122, "10", "pqb", 1.79140, 0.0003, 0},
        {"pws 212 F", 212, "10", "pqb", 14.7094, 0.0003, 0},
        {"pws 300 F", 300, "10", "pqb", 67.0206, 0.0003, 0},
        {"Ws -58 F", -58, "100", "x", 0.0000243 * 7000, 0.01, 0},
        {"Ws -4 F", -4, "100", "x", 0.0006373 * 7000, 0.01, 0},
        {"Ws 23 F", 23, "100", "x", 0.0024863 * 7000, 0.005, 0},
        {"Ws 41 F", 41, "100", "x", 0.005425 * 7000, 0.005, 0},
        {"Ws 77 F", 77, "100", "x", 0.020173 * 7000, 0.005, 0},
        {"Ws 122 F", 122, "100", "x", 0.086863 * 7000, 0.01, 0},
        {"Ws 185 F", 185, "100", "x", 0.838105 * 7000, 0.02, 0},
        {"hs -58 F", -58, "100", "h", -13.906, 0.01, 0},
        {"hs -4 F", -4, "100", "h", -0.286, 0, 0.01},
        {"hs 23 F", 23, "100", "h", 8.186, 0.03, 0},
        {"hs 41 F", 41, "100", "h", 15.699, 0.01, 0},
        {"hs 77 F", 77, "100", "h", 40.576, 0.01, 0},
        {"hs 122 F", 122, "100", "h", 126.066, 0.01, 0},
        {"hs 185 F", 185, "100", "h", 999.749, 0.01, 0},
        {"dry-air v 77 F", 77, "0", "v", 13.5251, 0.001, 0},
        {"dry-air h 77 F", 77, "0", "h", 18.498, 0.005, 0},
    };
    // The SI value as IP shows it, by the factors worked out by hand.
    using ToIp = double (*)(double);
    const std::map<std::string, ToIp> toIp = {
        {"p", [](double pa) { return pa / kPascalPerPsi; }},
        {"t", [](double c) { return c * 1.8 + 32.0; }},
        {"tw", [](double c) { return c * 1.8 + 32.0; }},
        {"td", [](double c) { return c * 1.8 + 32.0; }},
        {"RH", [](double percent) { return percent; }},
        {"x", [](double gPerKg) { return gPerKg * 7.0; }},
        {"h", [](double kJPerKg) { return (kJPerKg + 1.01 * 160.0 / 9.0) / 2.326; }},
        {"pq", [](double pa) { return pa / kPascalPerPsi; }},
        {"pqb", [](double pa) { return pa / kPascalPerPsi; }},
        {"v", [](double m3PerKg) { return m3PerKg * 16.01846337; }},
        {"rho", [](double kgPerM3) { return kgPerM3 * 0.06242796; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome ip =
            runState({"--units", "ip", "--p", number(kStandardPsia), "--t", number(row.tF), "--rh", row.rh});
        ASSERT_EQ(ip.status, 0) << ip.err;
        std::map<std::string, double> values = valuesOf(ip.out);
        ASSERT_EQ(values.size(), 11u);
        EXPECT_NEAR(values[row.key], row.table, std::max(row.absolute, row.relative * std::fabs(row.table)));

        const Outcome si = runState({"--p", number(kStandardPsia * kPascalPerPsi), "--t",
                                     number((row.tF - 32.0) * 5.0 / 9.0), "--rh", row.rh});
        ASSERT_EQ(si.status, 0) << si.err;
        for (const auto& [key, siValue] : valuesOf(si.out)) {
            const double expected = toIp.at(key)(siValue);
            EXPECT_NEAR(values[key], expected, 2e-5 * std::fabs(expected) + 1e-6) << key;
        }
    }
}

// Every pair typed in IP units gives back the state it was taken from:
// 77 °F and 50 % at 12 psia (a site near 4600 ft).
TEST(StateCommandIp, EveryInputIsTypedInIpUnits)
{
    const Outcome reference = runState({"--units", "ip", "--p", "12", "--t", "77", "--rh", "50"});
    ASSERT_EQ(reference.status, 0) << reference.err;
    std::map<std::string, double> state = valuesOf(reference.out);
    EXPECT_NEAR(state["p"], 12.0, 1e-6);
    const std::vector<std::pair<const char*, const char*>> pairs = {
        {"x", "h"}, {"t", "tw"}, {"t", "td"}, {"h", "rh"}, {"t", "x"}, {"tw", "td"}, {"tw", "rh"}};
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(std::string(first) + " " + second);
        const auto value = [&state](const std::string& name) {
            return number(state[name == "rh" ? "RH" : name]);
        };
        const Outcome run = runState({"--units", "ip", "--p", "12", "--" + std::string(first), value(first),
                                      "--" + std::string(second), value(second)});
        ASSERT_EQ(run.status, 0) << run.err;
        std::map<std::string, double> values = valuesOf(run.out);
        EXPECT_NEAR(values["t"], 77.0, 0.01);
        EXPECT_NEAR(values["RH"], 50.0, 0.05);
        EXPECT_NEAR(values["x"], state["x"], 0.01);
    }
}

// Engineering units change the enthalpy alone, typed and printed in
// kcal/kg (kJ/kg × 0.2388459; typed kcal/kg × 4.1868).
TEST(StateCommandIp, EngineeringUnitsShowTheEnthalpyInKcal)
{
    std::map<std::string, double> si = valuesOf(runState({"--t", "25", "--rh", "50"}).out);
    std::map<std::string, double> engineering =
        valuesOf(runState({"--units", "engineering", "--t", "25", "--rh", "50"}).out);
    ASSERT_EQ(engineering.size(), 11u);
    for (const auto& [key, value] : si)
        EXPECT_NEAR(engineering[key], key == "h" ? value * 0.2388459 : value, 1e-6 * std::fabs(value)) << key;
    std::map<std::string, double> typed =
        valuesOf(runState({"--units", "engineering", "--t", "20", "--h", "10"}).out);
    EXPECT_NEAR(typed["h"], 10.0, 1e-5);
    EXPECT_NEAR(typed["x"], valuesOf(runState({"--t", "20", "--h", "41.868"}).out)["x"], 1e-6);
}

// states and --json in IP: the same numbers as 'state' prints, the JSON
// saying which units they are in.
TEST(StateCommandIp, StatesAndJsonUseTheSameUnits)
{
    const std::vector<std::string> given = {"--t", "77", "--rh", "50"};
    std::vector<std::string> args = {"--units", "ip", "--p", "12"};
    args.insert(args.end(), given.begin(), given.end());
    const std::map<std::string, double> state = valuesOf(runState(args).out);
    const Outcome rows =
        runStates({"--units", "ip", "--p", "12"}, "--t 77 --rh 50\n--t 77 --rh 50 --p 14.696\n");
    ASSERT_EQ(rows.status, 0) << rows.err;
    const auto out = lines(rows.out);
    ASSERT_EQ(out.size(), 3u);
    // Each row holds the values 'state' prints, in the header's order; the
    // second at its own pressure.
    const char* names[] = {"p", "t", "tw", "td", "RH", "x", "h", "pq", "pqb", "v", "rho"};
    for (const std::size_t row : {1u, 2u}) {
        std::istringstream cells(out[row]);
        std::string cell;
        for (const char* name : names) {
            ASSERT_TRUE(std::getline(cells, cell, ',')) << name;
            const std::string key = name;
            if (row == 1) {
                EXPECT_EQ(std::stod(cell), state.at(key)) << key;
            } else if (key == "p" || key == "t") {
                EXPECT_NEAR(std::stod(cell), key == "p" ? 14.696 : 77.0, 1e-5) << key;
            }
        }
    }

    args.push_back("--json");
    const Outcome json = runState(args);
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(object["units"].toString(), "ip");
    for (const auto& [key, value] : state)
        EXPECT_FLOAT_EQ(
            static_cast<float>(object[QString::fromStdString(key == "RH" ? "rh" : key)].toDouble()),
            static_cast<float>(value))
            << key;
    const QJsonArray array =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(
                runStates({"--json", "--units", "ip", "--p", "12"}, "--t 77 --rh 50\n").out))
            .array();
    ASSERT_EQ(array.size(), 1);
    EXPECT_EQ(array[0].toObject(), object);
}

// An unknown unit system, a second --units, a number with its unit written
// on: refused with a message that says so, status 2 and nothing on stdout.
TEST(StateCommandIp, RefusesUnknownUnitsAndUnitsGluedToNumbers)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--units", "imperial", "--t", "77", "--rh", "50"},
         "unknown unit system 'imperial' (--units takes si, engineering or ip)"},
        {{"--units", "IP", "--t", "77", "--rh", "50"}, "unknown unit system 'IP'"},
        {{"--t", "77", "--rh", "50", "--units"}, "--units needs a unit system: si, engineering or ip"},
        {{"--units", "ip", "--units", "si", "--t", "77", "--rh", "50"}, "--units given twice"},
        {{"--units", "ip", "--t", "77F", "--rh", "50"},
         "'77F' is not a number (for --t): give the number alone, without a unit; --t is read in °F"},
        {{"--t", "25C", "--rh", "50"}, "--t is read in °C"},
        {{"--t", "25", "--rh", "50%"}, "--rh is read in %"},
        {{"--units", "ip", "--p", "14.7psia", "--t", "77", "--rh", "50"}, "--p is read in psia"},
        {{"--units", "engineering", "--t", "20", "--h", "10kcal"}, "--h is read in kcal/kg"},
        {{"--units", "ip", "--t", "77", "--x", "70 gr"}, "--x is read in gr/lb"},
    };
    for (const auto& [args, message] : refusals) {
        const Outcome run = runState(args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_TRUE(run.out.empty()) << message;
        EXPECT_EQ(run.err.rfind("qorva-cli state: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    // Without a unit, a word is only no number.
    const Outcome word = runState({"--t", "25", "--rh", "fifty"});
    EXPECT_EQ(word.err.find("without a unit"), std::string::npos) << word.err;
    // A state out of range says so in the units typed.
    const Outcome hot = runState({"--units", "ip", "--t", "500", "--rh", "50"});
    EXPECT_EQ(hot.status, 1);
    EXPECT_TRUE(hot.out.empty());
    EXPECT_NE(hot.err.find("at p = 14.6959 psia (a temperature lies outside -148 to 392 °F)"),
              std::string::npos)
        << hot.err;

    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--units", "metric"}, "unknown unit system 'metric'"},
             {{"--units", "ip", "--p", "29.92inHg"}, "--p is read in psia"}}) {
        const Outcome run = runStates(args, "--t 77 --rh 50\n");
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_TRUE(run.out.empty()) << message;
        EXPECT_EQ(run.err.rfind("qorva-cli states: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    // The units are the command's, not a line's.
    const Outcome line = runStates({}, "--units ip --t 77 --rh 50\n");
    EXPECT_EQ(line.status, 1);
    EXPECT_NE(line.err.find("line 1: unknown option '--units'"), std::string::npos) << line.err;
}

} // namespace
