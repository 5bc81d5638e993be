#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>
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
        ASSERT_EQ(object.size(), static_cast<qsizetype>(textLines.size()));
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

} // namespace
