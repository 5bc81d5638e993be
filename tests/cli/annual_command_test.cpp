#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "project/ProjectFile.h"

// qorva-cli annual on the sample project and a logged year of three hours.
//
// The sample's indoor states at its chart pressure of 100 000 Pa (Hyland and
// Wexler's saturation pressure, x = 0.62198·pw/(p − pw), h = 1.01·t +
// x·(2500 + 1.85·t)): N_c 26 °C 55 %: pws 3363.13 Pa, x 0.0117217,
// h 56.1281; N_h 20 °C 40 %: pws 2338.80 Pa, x 0.0058737, h 35.1016.
// The three hours at 100 000 Pa: 35 °C 50 % (pws 5627.82 Pa) h 81.5378,
// cooling; −5 °C 80 % (over ice, pws 401.764 Pa) h −0.05465, heating;
// 22 °C 50 % h 43.3971, in the dead band. With --fresh-air 3600 kg/h an
// hour's kWh is its Δh.
namespace {

const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun annual(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runAnnualCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

QJsonObject json(const std::string& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

class AnnualCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string weather;

    void SetUp() override
    {
        weather = path("logged.csv");
        std::ofstream(weather) << "time,t,rh,p\n"
                                  "2021-07-15 15:00,35,50,100000\n"
                                  "2021-01-10 09:00,-5,80,100000\n"
                                  "2021-04-10 12:00,22,50,100000\n";
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
};

TEST_F(AnnualCommandTest, JsonGivesEachRoomsInputsAndYearWithoutAndWithRecovery)
{
    const CliRun run = annual({kSample, weather, "--room", "办公室101", "--fresh-air", "3600",
                               "--recovery-total", "0.5", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QJsonObject top = json(run.out);
    EXPECT_EQ(top.keys(), QStringList{"rooms"});
    const QJsonArray rooms = top["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 1);
    const QJsonObject room = rooms[0].toObject();
    EXPECT_EQ(room.keys(), (QStringList{"fresh_air_kg_h", "indoor", "message", "ok", "p_summer", "p_winter",
                                        "room", "system", "with_recovery", "without_recovery"}));
    EXPECT_EQ(room["system"].toString(), "空调系统1");
    EXPECT_EQ(room["room"].toString(), "办公室101");
    EXPECT_TRUE(room["ok"].toBool());
    EXPECT_TRUE(room["message"].isNull());
    EXPECT_EQ(room["fresh_air_kg_h"]["cooling"].toDouble(), 3600);
    EXPECT_EQ(room["fresh_air_kg_h"]["heating"].toDouble(), 3600);
    EXPECT_EQ(room["p_summer"].toDouble(), 100000);
    EXPECT_EQ(room["p_winter"].toDouble(), 102000);
    EXPECT_EQ(room["indoor"]["cooling"]["t"].toDouble(), 26);
    EXPECT_NEAR(room["indoor"]["cooling"]["rh"].toDouble(), 55, 1e-4);
    EXPECT_NEAR(room["indoor"]["cooling"]["h"].toDouble(), 56.1281, 2e-3);
    EXPECT_NEAR(room["indoor"]["heating"]["h"].toDouble(), 35.1016, 2e-3);

    // Without: 81.5378 − 56.1281 and 35.1016 + 0.05465; total recovery of
    // 50 % halves both.
    for (const auto& [key, share] : {std::pair{"without_recovery", 1.0}, std::pair{"with_recovery", 0.5}}) {
        SCOPED_TRACE(key);
        const QJsonObject block = room[key].toObject();
        EXPECT_NEAR(block["cooling_kwh"].toDouble(), 25.4097 * share, 5e-3);
        EXPECT_NEAR(block["heating_kwh"].toDouble(), 35.1562 * share, 5e-3);
        EXPECT_EQ(block["cooling_hours"].toInt(), 1);
        EXPECT_EQ(block["heating_hours"].toInt(), 1);
        EXPECT_NEAR(block["peak_cooling_kw"].toDouble(), 25.4097 * share, 5e-3);
        EXPECT_NEAR(block["peak_heating_kw"].toDouble(), 35.1562 * share, 5e-3);
        const QJsonArray months = block["months"].toArray();
        ASSERT_EQ(months.size(), 12);
        EXPECT_EQ(months[6]["month"].toInt(), 7);
        EXPECT_NEAR(months[6]["cooling_kwh"].toDouble(), 25.4097 * share, 5e-3);
        EXPECT_NEAR(months[0]["heating_kwh"].toDouble(), 35.1562 * share, 5e-3);
        EXPECT_EQ(months[3]["cooling_kwh"].toDouble() + months[3]["heating_kwh"].toDouble(), 0.0);
    }

    // The schedule 22-10 keeps the January hour ending at 09:00 only.
    const QJsonObject night = json(annual({kSample, weather, "--room", "办公室101", "--fresh-air", "3600",
                                           "--hours", "22-10", "--json"})
                                       .out)["rooms"][0]
                                  .toObject();
    EXPECT_EQ(night["without_recovery"]["cooling_hours"].toInt(), 0);
    EXPECT_EQ(night["without_recovery"]["heating_hours"].toInt(), 1);
    EXPECT_TRUE(night["with_recovery"].isNull());
}

TEST_F(AnnualCommandTest, EveryRoomIsListedOneWithoutFreshAirWithItsReason)
{
    ProjectContents contents;
    ProjectFile file;
    ASSERT_TRUE(file.read(kSample, ProjectFile::kCurrentVersion, contents));
    CServiceArea& hall = *contents.idg.m_rooms.m_systems[0]->m_rooms[3];
    hall.m_fSummerFreshAir = 0;
    hall.m_fWinterFreshAir = 0;
    const std::string project = path("no-fresh-air.id");
    ASSERT_TRUE(file.write(project, contents.idg, "", 0));

    const CliRun run = annual({project, weather, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray rooms = json(run.out)["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 7);
    for (const QJsonValue& room : rooms) {
        const bool isHall = room["room"].toString() == "大厅";
        EXPECT_EQ(room["ok"].toBool(), !isHall);
        EXPECT_EQ(room["without_recovery"].isNull(), isHall);
    }
    EXPECT_EQ(rooms[3]["message"].toString().toStdString(),
              "no fresh air: the room has neither a summer nor a winter fresh-air volume (give --fresh-air)");
    // The room's own volume at the project's density: 300 m³/h in both seasons.
    EXPECT_GT(rooms[0]["fresh_air_kg_h"]["cooling"].toDouble(), 300);
    EXPECT_GT(rooms[0]["fresh_air_kg_h"]["heating"].toDouble(),
              rooms[0]["fresh_air_kg_h"]["cooling"].toDouble()); // winter air is denser

    const CliRun text = annual({project, weather, "--system", "1", "--recovery-sensible", "0.6"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("新风系统 / 办公室201\n"), std::string::npos);
    EXPECT_NE(text.out.find("  with recovery "), std::string::npos);
    EXPECT_EQ(text.out.find("空调系统1"), std::string::npos);
}

TEST_F(AnnualCommandTest, BadInputGivesAMessageAStatusAndNothingOnStandardOutput)
{
    const std::string damaged = path("damaged.csv");
    std::ofstream(damaged) << "time,t,rh\n2021-07-15 15:00,warm,50\n";
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Row rows[] = {
        {{kSample, weather, "--recovery-total", "1.5"}, 2, "effectiveness from 0 to 1"},
        {{kSample, weather, "--recovery-sensible", "-0.1"}, 2, "effectiveness from 0 to 1"},
        {{kSample, weather, "--recovery-total", "0.5", "--recovery-sensible", "0.5"}, 2, "give one of"},
        {{kSample, weather, "--hours", "8-8"}, 2, "leaves no hour"},
        {{kSample, weather, "--hours", "16-20"}, 2, "leaves no hour"},
        {{kSample, weather, "--hours", "6-25"}, 2, "--hours takes FROM-TO"},
        {{kSample, weather, "--fresh-air", "0"}, 2, "--fresh-air takes a flow"},
        {{kSample, weather, "--system", "无此系统"}, 2, "no system"},
        {{kSample, weather, "--room", "无此房间"}, 2, "no system has a room"},
        {{kSample, weather, "--bogus"}, 2, "unknown option"},
        {{kSample}, 2, "a project file and a weather file"},
        {{kSample, path("missing.epw")}, 1, "no such file"},
        {{kSample, damaged}, 1, "cannot read"},
        {{weather, weather}, 1, "not a project file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const CliRun run = annual(row.args);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.err.find(row.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

} // namespace

namespace {

// Without a recovery typed each room's year uses the recovery stored with it
// (analyze --recovery), exactly as typing it would; a typed one holds for
// every room.
TEST_F(AnnualCommandTest, ARoomsStoredRecoveryCountsAsTypedWhenNoneIsTyped)
{
    ProjectContents contents;
    ProjectFile file;
    ASSERT_TRUE(file.read(kSample, ProjectFile::ProbeProjectVersion(kSample), contents))
        << file.errorString();
    CServiceArea& office = *contents.idg.m_rooms.m_systems[0]->m_rooms[0];
    ASSERT_EQ(office.m_strName, "办公室101");
    office.m_recovery.mode = kRecoveryTotal;
    office.m_recovery.effectiveness = 0.7f;
    const std::string stored = path("stored.id");
    ASSERT_TRUE(file.write(stored, contents.idg, contents.reportPath, contents.returnMode))
        << file.errorString();

    const auto rooms = [](const CliRun& run) {
        EXPECT_EQ(run.status, 0) << run.err;
        return json(run.out)["rooms"].toArray();
    };
    const QJsonArray fromStored =
        rooms(annual({stored, weather, "--system", "0", "--fresh-air", "3600", "--json"}));
    const QJsonArray typed = rooms(annual(
        {kSample, weather, "--system", "0", "--fresh-air", "3600", "--recovery-total", "0.7", "--json"}));
    ASSERT_EQ(fromStored.size(), typed.size());
    ASSERT_GE(fromStored.size(), 2);
    EXPECT_TRUE(fromStored[0]["with_recovery"].isObject());
    EXPECT_EQ(fromStored[0].toObject(), typed[0].toObject());
    // The other rooms store none.
    for (qsizetype i = 1; i < fromStored.size(); ++i)
        EXPECT_TRUE(fromStored[i]["with_recovery"].isNull()) << i;
    // A typed recovery holds for every room, the stored one included.
    const QJsonArray overridden = rooms(annual(
        {stored, weather, "--system", "0", "--fresh-air", "3600", "--recovery-sensible", "0.5", "--json"}));
    const QJsonArray sensible = rooms(annual(
        {kSample, weather, "--system", "0", "--fresh-air", "3600", "--recovery-sensible", "0.5", "--json"}));
    EXPECT_EQ(overridden[0].toObject(), sensible[0].toObject());
}

} // namespace
