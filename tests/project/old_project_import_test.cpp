#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "OldProjectFixtures.h"
#include "project/OldProjectImport.h"
#include "support/RecordingMessages.h"

using namespace old_fixtures;

namespace {

void expectImported(const CIDG& idg, std::size_t index)
{
    ASSERT_GT(idg.m_rooms.m_systems.size(), index);
    const CAcSystem& system = *idg.m_rooms.m_systems[index];
    EXPECT_EQ(system.m_strName, "旧系统");
    ASSERT_EQ(system.m_rooms.size(), 2u);
    const CServiceArea& room = *system.m_rooms[0];
    EXPECT_EQ(room.m_strName, "房间甲");
    EXPECT_EQ(room.m_strSummerInName, "N夏");
    EXPECT_EQ(room.m_strWinterInName, "N冬");
    EXPECT_FLOAT_EQ(room.m_fSummerLoad, 12.5f);
    EXPECT_FLOAT_EQ(room.m_fSummerMoistLoad, 1.25f);
    EXPECT_FLOAT_EQ(room.m_fSummerFreshAir, 800);
    EXPECT_FLOAT_EQ(room.m_fSummerInRH, 55);
    EXPECT_FLOAT_EQ(room.m_fSummerInTw, 19.5f);
    EXPECT_EQ(room.m_bSummerInByRH, 1);
    EXPECT_FLOAT_EQ(room.m_fWinterLoad, 8.5f);
    EXPECT_FLOAT_EQ(room.m_fWinterMoistLoad, 0.5f);
    EXPECT_FLOAT_EQ(room.m_fWinterFreshAir, 600);
    EXPECT_FLOAT_EQ(room.m_fWinterInRH, 45);
    EXPECT_FLOAT_EQ(room.m_fWinterInTw, 13.0f);
    EXPECT_EQ(room.m_bWinterInByRH, 0);
    // What the old block lacks keeps the defaults of a new room.
    EXPECT_FLOAT_EQ(room.m_fSummerInT, 25.0f);
    EXPECT_FLOAT_EQ(room.m_fWinterInT, 25.0f);
    EXPECT_EQ(room.m_nCondition, kConditionSummer);
    EXPECT_EQ(room.m_anaW[3].i, -1);
    EXPECT_FLOAT_EQ(room.m_anaW[18].f, 0.95f);
    EXPECT_EQ(room.m_anaI[0], 95);
    ASSERT_EQ(room.m_points[kConditionSummer].size(), 1u);
    const CStatePoint& point = *room.m_points[kConditionSummer][0];
    EXPECT_EQ(point.m_strName, "O");
    EXPECT_FLOAT_EQ(point.m_t, 19.0f);
    EXPECT_FLOAT_EQ(point.m_RH, 0.75f);
    EXPECT_FLOAT_EQ(point.m_fRelValue2, 2.5f);
    EXPECT_TRUE(room.m_points[kConditionNormal].empty());
    EXPECT_EQ(system.m_rooms[1]->m_strName, "房间乙");

    EXPECT_EQ(idg.m_rooms.m_strSummerOutName, "W旧");
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutTw, 27.5f);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fWinterOutRH, 80);
    EXPECT_EQ(idg.m_rooms.m_bWinterOutByRH, 1);
    EXPECT_EQ(idg.m_strProjectName, "旧工程");
    EXPECT_EQ(idg.m_nUnitSystem, CIDG::kUnitsEngineering);
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 95000);
    EXPECT_FLOAT_EQ(idg.m_fWinterDensity, 1.25f);
    EXPECT_EQ(idg.m_nMargin, (std::array<std::int32_t, 4>{11, 12, 13, 14}));
    EXPECT_EQ(idg.m_nPointRadius, 4);
    EXPECT_FLOAT_EQ(idg.m_fZoom, 2.0f);
}

} // namespace

TEST(OldProjectImport, BackupPath)
{
    EXPECT_EQ(OldProjectBackupPath("/data/a.id"), "/data/a_bak");
    EXPECT_EQ(OldProjectBackupPath("工程.ID"), "工程_bak");
    EXPECT_EQ(OldProjectBackupPath("/data/ab"), "/data/ab_bak");
}

// Imported into a document that already holds a system, saved in the current
// format and reopened: every value of the old file is back.
TEST(OldProjectImport, AppendsSavesAndReopens)
{
    RecordingMessages messages;
    QTemporaryDir dir;
    const QString old = writeFile(dir, "old.id", oldProject().data);
    CIDG idg;
    idg.m_rooms.AddSystem("已有");
    idg.m_rooms.AddRoom("已有", "R");
    std::string report;
    std::int32_t returnMode = 0;
    std::string error;
    ASSERT_EQ(ImportOldProject(idg, old.toStdString(), report, returnMode, error), OldImportResult::Imported)
        << error;
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_FALSE(QFile::exists(dir.filePath("old_bak")));
    ASSERT_EQ(idg.m_rooms.m_systems.size(), 2u);
    EXPECT_EQ(idg.m_rooms.m_systems[0]->m_strName, "已有");
    expectImported(idg, 1);
    EXPECT_EQ(idg.m_nCurSystem, 1); // the old file's current system, after the kept one
    EXPECT_EQ(idg.m_nCurRoom, 1);
    EXPECT_EQ(report, "r.txt");
    EXPECT_EQ(returnMode, 1);

    const std::string saved = dir.filePath("new.id").toStdString();
    ProjectFile file;
    ASSERT_TRUE(file.write(saved, idg, report, returnMode)) << file.errorString();
    auto reopened = std::make_unique<ProjectContents>();
    ASSERT_TRUE(file.read(saved, ProjectFile::ProbeProjectVersion(saved), *reopened)) << file.errorString();
    expectImported(reopened->idg, 1);
    EXPECT_EQ(reopened->reportPath, "r.txt");
    EXPECT_EQ(ProjectFile::toBytes(reopened->idg, reopened->reportPath, reopened->returnMode),
              ProjectFile::toBytes(idg, report, returnMode));
}

// Cut anywhere, the old file is refused as damaged and nothing of it is kept.
TEST(OldProjectImport, DamagedFileKeepsNothing)
{
    const std::vector<std::uint8_t> whole = oldProject().data;
    QTemporaryDir dir;
    for (std::size_t cut = 0; cut < whole.size(); cut += 37) {
        RecordingMessages messages;
        const QString old = writeFile(
            dir, "cut.id", std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
        CIDG idg;
        idg.m_strProjectName = "当前";
        idg.m_rooms.AddSystem("已有");
        std::string report = "keep";
        std::int32_t returnMode = 0;
        std::string error;
        EXPECT_EQ(ImportOldProject(idg, old.toStdString(), report, returnMode, error),
                  OldImportResult::Damaged)
            << cut;
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"对不起，您的文件可能已经损坏!"}) << cut;
        EXPECT_EQ(idg.m_rooms.m_systems.size(), 1u);
        EXPECT_EQ(idg.m_strProjectName, "当前");
        EXPECT_EQ(report, "keep");
    }
}

TEST(OldProjectImport, CurrentProjectIsAlreadyUpgraded)
{
    RecordingMessages messages;
    QTemporaryDir dir;
    const QString current = writeFile(dir, "cur.id", fixtures::emptyProject().data);
    CIDG idg;
    std::string report;
    std::int32_t returnMode = 0;
    std::string error;
    EXPECT_EQ(ImportOldProject(idg, current.toStdString(), report, returnMode, error),
              OldImportResult::AlreadyCurrent);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"您的工程文件已经升级!"});
    EXPECT_TRUE(QFile::exists(dir.filePath("cur_bak")));
}

TEST(OldProjectImport, MissingFileCannotBeCopied)
{
    RecordingMessages messages;
    CIDG idg;
    std::string report;
    std::int32_t returnMode = 0;
    std::string error;
    EXPECT_EQ(ImportOldProject(idg, "/nonexistent/old.id", report, returnMode, error),
              OldImportResult::CannotOpen);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"请注意！\n文件存盘时文件名错误!", "对不起，您的文件可能已经损坏!"}));
}
