#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runProcess(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runProcessCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

std::map<std::string, double> valuesOf(const std::string& text)
{
    std::map<std::string, double> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = std::stod(line.substr(equals + 1));
    }
    return values;
}

// Worked out with h = 1.01·t + x·(2500 + 1.85·t): outdoor 35 °C 20 g/kg
// (86.645 kJ/kg), exhaust 26 °C 11.5 g/kg (55.563 kJ/kg).
TEST(ProcessCommand, PrintsTheLeavingAirAndWhatItGained)
{
    const std::vector<std::string> outdoor = {"--t", "35", "--x", "20"};
    const std::vector<std::string> exhaust = {"--to-t", "26", "--to-x", "11.5"};
    auto with = [](std::vector<std::string> head, const std::vector<std::string>& a,
                   const std::vector<std::string>& b) {
        head.insert(head.end(), a.begin(), a.end());
        head.insert(head.end(), b.begin(), b.end());
        return head;
    };
    struct Case {
        std::vector<std::string> args;
        double t, x, h, dh, dx;
    } cases[] = {
        // t = 35 + 0.7·(26 − 35), x = 20 + 0.7·(11.5 − 20).
        {with({"recovery-total", "--e", "0.7"}, outdoor, exhaust), 28.7, 14.05, 64.858, -21.787, -5.95},
        {with({"recovery-sensible", "--e", "0.7"}, outdoor, exhaust), 28.7, 20.0, 80.0489, -6.5961, 0.0},
        // x = 0.7·20 + 0.3·11.5, h = 0.7·86.645 + 0.3·55.563.
        {with({"mix", "--ratio", "0.3"}, outdoor, exhaust), 32.3285, 17.45, 77.3204, -9.3246, -2.55},
        {{"heat", "--t", "5", "--x", "4", "--heat-to", "20"}, 20.0, 4.0, 30.348, 15.261, 0.0},
        {{"humidify-steam", "--t", "20", "--x", "5", "--dx", "3"}, 20.0, 8.0, 40.496, 7.611, 3.0},
        // h stays 32.885: t = (32.885 − 2500·0.008) / (1.01 + 1.85·0.008).
        {{"humidify-adiabatic", "--t", "20", "--x", "5", "--dx", "3"}, 12.5732, 8.0, 32.885, 0.0, 3.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const Outcome outcome = runProcess(c.args);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        auto values = valuesOf(outcome.out);
        EXPECT_EQ(values.size(), 13u);
        EXPECT_NEAR(values["t"], c.t, 2e-3);
        EXPECT_NEAR(values["x"], c.x, 1e-3);
        EXPECT_NEAR(values["h"], c.h, 2e-3);
        EXPECT_NEAR(values["dh"], c.dh, 2e-3);
        EXPECT_NEAR(values["dx"], c.dx, 1e-3);
        EXPECT_EQ(values["p"], 101325.0);
    }
}

TEST(ProcessCommand, DirectEvaporativeCoolingKeepsTheWetBulbAndJsonSaysTheSame)
{
    const Outcome text = runProcess({"evaporative-direct", "--t", "38", "--tw", "20", "--e", "0.8"});
    ASSERT_EQ(text.status, 0) << text.err;
    auto values = valuesOf(text.out);
    EXPECT_NEAR(values["t"], 38.0 - 0.8 * (38.0 - 20.0), 1e-4);
    EXPECT_NEAR(values["tw"], 20.0, 1e-4);
    // Along the wet-bulb line h = L(tw) + 4.1868·tw·x the enthalpy rises by
    // the water's own: Δh = 4.1868·20·Δx.
    EXPECT_GT(values["dx"], 0.0);
    EXPECT_NEAR(values["dh"], 4.1868 * 20.0 * values["dx"] / 1000.0, 2e-3);

    const Outcome json =
        runProcess({"evaporative-direct", "--t", "38", "--tw", "20", "--e", "0.8", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    // The state's eleven values, dh, dx and the units they are in.
    EXPECT_EQ(object.size(), 14);
    EXPECT_EQ(object["units"].toString(), "si");
    for (const char* key : {"t", "tw", "rh", "x", "h", "dh", "dx"})
        EXPECT_FLOAT_EQ(object[key].toDouble(), values[std::string(key) == "rh" ? "RH" : key]) << key;
}

TEST(ProcessCommand, RefusalsSayWhyAndPrintNothing)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"cooling", "--t", "30", "--rh", "50", "--e", "0.5"}, 2, "unknown kind of process 'cooling'"},
        {{}, 2, "give the kind of process"},
        {{"recovery-total", "--t", "35", "--rh", "45", "--e", "0.7"}, 2, "needs the second air"},
        {{"heat", "--t", "5", "--rh", "80", "--e", "0.7"}, 2, "--e is not used by heat"},
        {{"heat", "--t", "5", "--rh", "80"}, 2, "heat needs --heat-to"},
        {{"humidify-steam", "--t", "5", "--rh", "80", "--to-t", "3", "--to-rh", "50", "--dx", "1"},
         2,
         "takes no second air"},
        {{"recovery-total", "--t", "35", "--rh", "45", "--to-t", "26", "--to-rh", "55", "--e", "1.5"},
         1,
         "effectiveness must lie between 0 and 1"},
        {{"humidify-steam", "--t", "30", "--rh", "60", "--dx", "20"}, 1, "wetter than saturated"},
        {{"heat", "--t", "5", "--rh", "80", "--heat-to", "120"}, 1, "off the chart"},
        {{"evaporative-indirect", "--t", "38", "--rh", "15", "--to-t", "30", "--e", "0.6"}, 2, "second air"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const Outcome outcome = runProcess(c.args);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    }
}

// In IP units the parameter, the leaving air and what it gained are in °F,
// gr/lb and Btu/lb: heating 50 °F to 77 °F at constant x gains
// Δh = 15 K · (1.01 + 1.85·x) kJ/kg = that / 2.326 Btu/lb (x in kg/kg, no
// datum in a difference); steam adds Δx = 7 gr/lb (1 g/kg) at constant t.
TEST(ProcessCommand, IpUnitsForTheParameterTheLeavingAirAndTheDifferences)
{
    struct Case {
        std::vector<std::string> args;
        double t, dx;
    } cases[] = {
        {{"heat", "--units", "ip", "--t", "50", "--x", "35", "--heat-to", "77"}, 77.0, 0.0},
        {{"humidify-steam", "--units", "ip", "--t", "50", "--x", "35", "--dx", "7"}, 50.0, 7.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const Outcome run = runProcess(c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        std::map<std::string, double> values = valuesOf(run.out);
        EXPECT_NEAR(values["t"], c.t, 1e-3);
        EXPECT_NEAR(values["x"], 35.0 + c.dx, 1e-3);
        EXPECT_NEAR(values["dx"], c.dx, 1e-3);
        const double x = 35.0 / 7000.0;
        const double dh =
            c.dx == 0.0 ? 15.0 * (1.01 + 1.85 * x) / 2.326 : c.dx / 7000.0 * (2500.0 + 1.85 * 10.0) / 2.326;
        EXPECT_NEAR(values["dh"], dh, 1e-3);
    }
    const Outcome json =
        runProcess({"heat", "--units", "ip", "--t", "50", "--x", "35", "--heat-to", "77", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object()["units"].toString(),
              "ip");

    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{"heat", "--units", "ip", "--t", "50", "--x", "35", "--heat-to", "77F"}, "--heat-to is read in °F"},
        {{"heat", "--units", "kelvin", "--t", "50", "--x", "35", "--heat-to", "77"},
         "unknown unit system 'kelvin'"},
        {{"humidify-steam", "--t", "10", "--x", "5", "--dx", "1g"}, "--dx is read in g/kg"},
    };
    for (const auto& [args, message] : refusals) {
        const Outcome run = runProcess(args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_TRUE(run.out.empty()) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

} // namespace
