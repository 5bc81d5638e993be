#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

const std::string kBologna =
    std::string(QORVA_SOURCE_DIR) + "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runClimate(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runClimateCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

QStringList keys(const QJsonObject& object)
{
    return object.keys();
}

TEST(ClimateCommand, JsonHasTheKeysScriptsReadAndTheFilterKeepsItsHours)
{
    // --hours 8-18 keeps the rows with hour 9 to 18: ten a day, 92 days of June to August.
    const Outcome run = runClimate({kBologna, "--hours", "8-18", "--months", "6-8", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(keys(root), (QStringList{"design", "hours", "months", "station", "zones"}));
    EXPECT_EQ(root["hours"].toInt(), 920);
    EXPECT_EQ(keys(root["station"].toObject()), (QStringList{"elevation", "latitude", "longitude", "name"}));
    EXPECT_EQ(root["station"]["name"].toString(), "Bologna Marconi AP");
    const QJsonObject design = root["design"].toObject();
    EXPECT_EQ(keys(design), (QStringList{"coldest_month", "file", "hottest_month", "summer", "winter"}));
    EXPECT_EQ(keys(design["summer"].toObject()),
              (QStringList{"p", "rh_ventilation", "t", "t_daily", "t_ventilation", "tw"}));
    EXPECT_EQ(keys(design["winter"].toObject()), (QStringList{"p", "rh", "t", "t_heating", "t_ventilation"}));
    EXPECT_EQ(design["file"]["cooling_t"].toDouble(), 34.4);
    EXPECT_EQ(keys(root["zones"].toObject()),
              (QStringList{"gb-cooling-1", "gb-cooling-2", "gb-heating-1", "gb-heating-2"}));
    const QJsonArray months = root["months"].toArray();
    ASSERT_EQ(months.size(), 3);
    EXPECT_EQ(keys(months[0].toObject()), (QStringList{"h", "hours", "month", "p", "rh", "t", "x"}));
    EXPECT_EQ(months[0]["month"].toInt(), 6);
    EXPECT_EQ(months[0]["hours"].toInt(), 300);
}

TEST(ClimateCommand, BadInputSaysWhyOnStandardErrorAndPrintsNothing)
{
    QTemporaryDir dir;
    const std::string damaged = dir.filePath("logger.csv").toStdString();
    std::ofstream(damaged) << "time,t,rh\n2023-07-01 10:00,20,50\n2023-07-01 11:00,20\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{damaged, "--json"},
         1,
         "qorva-cli climate: " + damaged + ": Weather file line 3: only 2 fields, at least 3 expected\n"},
        {{dir.filePath("none.epw").toStdString()},
         1,
         "qorva-cli: climate " + dir.filePath("none.epw").toStdString() + ": no such file\n"},
        {{kBologna, "--hours", "8-25"},
         2,
         "qorva-cli climate: --hours must be FROM-TO with clock hours 0-24, not '8-25'\n"},
        {{kBologna, "--months", "6"},
         2,
         "qorva-cli climate: --months must be FROM-TO with months 1-12, not '6'\n"},
        {{}, 2, "qorva-cli climate: expected one weather file\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = runClimate(c.args);
        EXPECT_EQ(run.status, c.status) << c.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), c.err);
    }
}

} // namespace
