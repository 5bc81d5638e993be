#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "psychro/Comfort.h"
#include "psychro/MoistAir.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runComfort(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runComfortCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

TEST(ComfortCommand, PrintsTheIndexOfAState)
{
    // ISO 7730, Table D.1, rows 1, 12 and 4; PPD from the standard's formula
    // of the printed PMV (−0.75 → 16.9 %, 1.17 → 33.8 %, −0.01 → 5.0 %), the
    // last digit allowed to follow the unrounded PMV.
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"--ta", "22", "--rh", "60"}, "PMV=-0.75 PPD=16.9%\n"},
        {{"--ta", "27", "--rh", "60", "--met", "1.6", "--v", "0.1", "--clo", "0.5"}, "PMV=1.17 PPD=33.9%\n"},
        {{"--ta", "23.5", "--tr", "25.5", "--rh", "60"}, "PMV=-0.01 PPD=5.0%\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = runComfort(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(ComfortCommand, PrintsTheCornersOfEveryCodeZone)
{
    // GB 50736-2012, Table 3.0.2; x and h of each corner from the chart's
    // formulas at 101325 Pa: x = 0.62198·pq/(p − pq), h = 1.01·t + x·(2500 + 1.85·t).
    const double dry = qorva::psychro::kZoneOpenHumidityLow;
    const struct {
        const char* zone;
        double t[4], RH[4];
    } cases[] = {
        {"gb-cooling-1", {24, 24, 26, 26}, {0.40, 0.60, 0.40, 0.60}},
        {"gb-cooling-2", {26, 26, 28, 28}, {dry, 0.70, dry, 0.70}},
        {"gb-heating-1", {22, 22, 24, 24}, {0.30, 1.0, 0.30, 1.0}},
        {"gb-heating-2", {18, 18, 22, 22}, {dry, 1.0, dry, 1.0}},
    };
    for (const auto& c : cases) {
        const Outcome run = runComfort({"--zone", c.zone});
        ASSERT_EQ(run.status, 0) << run.err;
        std::istringstream lines(run.out);
        std::string line;
        for (int k = 0; k < 4; ++k) {
            ASSERT_TRUE(std::getline(lines, line)) << c.zone;
            int n = -1;
            double t = 0, RH = 0, x = 0, h = 0;
            ASSERT_EQ(
                std::sscanf(line.c_str(), "N%d t=%lf RH=%lf%% x=%lfg/kg h=%lfkJ/kg", &n, &t, &RH, &x, &h), 5)
                << line;
            const double pq = c.RH[k] * qorva::psychro::saturationPressure(c.t[k]);
            const double xExpected = 0.62198 * pq / (101325.0 - pq);
            EXPECT_EQ(n, k);
            EXPECT_NEAR(t, c.t[k], 0.005) << line;
            EXPECT_NEAR(RH, c.RH[k] * 100.0, 0.05) << line;
            EXPECT_NEAR(x, xExpected * 1000.0, 0.006) << line;
            EXPECT_NEAR(h, 1.01 * c.t[k] + xExpected * (2500.0 + 1.85 * c.t[k]), 0.006) << line;
        }
        EXPECT_FALSE(std::getline(lines, line)) << c.zone;
    }
}

TEST(ComfortCommand, BadInputSaysWhyOnStandardErrorOnly)
{
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"--ta", "abc", "--rh", "50"}, "'abc' is not a number"},
        {{"--ta", "22", "--rh", "101"}, "--rh must lie between 0 and 100"},
        {{"--ta", "31", "--rh", "50"}, "air temperature outside 10-30"},
        {{"--ta", "22"}, "give --ta and --rh"},
        {{"--ta", "22", "--rh", "50", "--ta", "23"}, "--ta given twice"},
        {{"--zone", "ashrae"}, "unknown zone 'ashrae'"},
        {{"--zone", "gb-cooling-1", "--limit", "1"}, "--limit belongs to --zone pmv"},
        {{"--zone", "pmv", "--limit", "0"}, "PMV limit must lie above 0"},
        {{"--zone", "pmv", "--p", "5"}, "pressure outside"},
        {{"--zone", "pmv", "--ta", "22"}, "--ta does not belong to --zone"},
    };
    for (const auto& c : cases) {
        const Outcome run = runComfort(c.args);
        EXPECT_EQ(run.status, 2) << c.reason;
        EXPECT_EQ(run.out, "") << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
}

// The same zone and index in IP units: the corners of gb-cooling-1 (24 and
// 26 °C) at 75.2 and 78.8 °F, x × 7 gr/lb per g/kg, h as (h + 17.9556) /
// 2.326 Btu/lb; 71.6 °F is the 22 °C of the index.
TEST(ComfortCommand, IpUnitsForTemperaturesAndCorners)
{
    const Outcome ip = runComfort({"--units", "ip", "--zone", "gb-cooling-1"});
    ASSERT_EQ(ip.status, 0) << ip.err;
    const Outcome si = runComfort({"--zone", "gb-cooling-1"});
    std::istringstream ipLines(ip.out), siLines(si.out);
    std::string ipLine, siLine;
    int corners = 0;
    while (std::getline(ipLines, ipLine) && std::getline(siLines, siLine)) {
        char name[8] = {};
        double t = 0, rh = 0, x = 0, h = 0, tSi = 0, rhSi = 0, xSi = 0, hSi = 0;
        ASSERT_EQ(
            std::sscanf(ipLine.c_str(), "%7s t=%lf RH=%lf%% x=%lfgr/lb h=%lfBtu/lb", name, &t, &rh, &x, &h),
            5)
            << ipLine;
        ASSERT_EQ(std::sscanf(siLine.c_str(), "%7s t=%lf RH=%lf%% x=%lfg/kg h=%lfkJ/kg", name, &tSi, &rhSi,
                              &xSi, &hSi),
                  5)
            << siLine;
        EXPECT_NEAR(t, tSi * 1.8 + 32.0, 0.006) << ipLine;
        EXPECT_EQ(rh, rhSi);
        EXPECT_NEAR(x, xSi * 7.0, 0.04) << ipLine;
        EXPECT_NEAR(h, (hSi + 1.01 * 160.0 / 9.0) / 2.326, 0.01) << ipLine;
        ++corners;
    }
    EXPECT_EQ(corners, 4);
    EXPECT_EQ(runComfort({"--units", "ip", "--ta", "71.6", "--rh", "60"}).out, "PMV=-0.75 PPD=16.9%\n");
    const Outcome glued = runComfort({"--units", "ip", "--ta", "72F", "--rh", "60"});
    EXPECT_EQ(glued.status, 2);
    EXPECT_TRUE(glued.out.empty());
    EXPECT_NE(glued.err.find("--ta is read in °F"), std::string::npos) << glued.err;
}

} // namespace
