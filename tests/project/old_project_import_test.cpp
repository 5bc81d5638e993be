#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "ProjectFileFixtures.h"
#include "project/OldProjectImport.h"
#include "support/RecordingMessages.h"

// qorva-cli's sources are not in a library; the text commands are compiled in.
#include "app/cli/TextCommands.cpp"

using fixtures::Bytes;

namespace {

// A state point record after its tag, every field spelled out.
Bytes statePoint(const std::string& name, float t, float rh, std::int32_t id)
{
    Bytes b;
    b.str(name).i32(0).f32(0.0099f).f32(t).f32(17.9f).f32(50.3f).f32(rh).i32(id);
    b.i32(-1).i32(-1).f32(-1.0f); // mixing sources and ratio
    for (int i = 0; i < 13; ++i)  // partner, ratio line, bases, lines, six crossings
        b.i32(-1);
    b.i32(-1).i32(-1).f32(1.5f).f32(2.5f).i32(-1).f32(0); // related pair, value kind, value
    b.i32(0).i32(0);
    return b;
}

// An old room block: no indoor dry-bulb temperatures, four arrays per
// condition, no parameter points, 29 analysis words.
Bytes oldRoom(const std::string& name, bool withPoint)
{
    Bytes b;
    b.f32(12.5f).f32(1.25f).f32(800).f32(55).f32(19.5f).i32(1).str("N夏").str(name);
    b.f32(8.5f).f32(0.5f).f32(600).f32(45).f32(13.0f).i32(0).str("N冬");
    for (int k = 0; k < 3; ++k) {
        if (withPoint && k == 1)
            b.count(1).newClass("CStatePoint").append(statePoint("O", 19.0f, 0.75f, 0));
        else
            b.count(0);
        b.count(0).count(0).count(0);
    }
    for (int i = 0; i < 29; ++i)
        b.i32(7); // dropped on import
    return b;
}

CIDG oldSettings()
{
    CIDG idg;
    idg.m_strProjectName = "旧工程";
    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    idg.m_fSummerPressure = 95000;
    idg.m_fWinterDensity = 1.25f;
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 1;
    idg.m_nMargin = {11, 12, 13, 14};
    idg.m_nPointRadius = 4;
    idg.m_fZoom = 2.0f;
    return idg;
}

Bytes oldProject()
{
    Bytes b;
    b.str("W旧").f32(27.5f).f32(0).f32(33.5f).i32(0);
    b.str("W").f32(-6.0f).f32(80).f32(-5.0f).i32(1);
    b.i32(1).str("旧系统").i32(2).append(oldRoom("房间甲", true)).append(oldRoom("房间乙", false));
    b.append(fixtures::chartSettings(oldSettings())).append(fixtures::documentTail(1, "r.txt"));
    return b;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const std::vector<std::uint8_t>& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

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

// The command-line forms: exit status 2 for wrong arguments, 1 for a file
// that cannot be read, and no OUT left behind then.
TEST(TextCommands, ExitStatusAndNoPartialOutput)
{
    RecordingMessages messages;
    QTemporaryDir dir;
    const std::string out = dir.filePath("out").toStdString();
    const QString old = writeFile(dir, "old.id", oldProject().data);
    using Command = int (*)(const std::vector<std::string>&);
    struct Case {
        Command command;
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {runExportPointsCommand, {"only-one"}, 2},
        {runExportParamsCommand, {}, 2},
        {runReportCommand, {"a", "b", "c"}, 2},
        {runImportParamsCommand, {"", out}, 2},
        {runImportOldCommand, {"a"}, 2},
        {runExportPointsCommand, {"/nonexistent.id", out}, 1},
        {runExportParamsCommand, {old.toStdString(), out}, 1}, // an old project is not opened directly
        {runReportCommand, {"/nonexistent.id", out}, 1},
        {runImportParamsCommand, {"/nonexistent.txt", out}, 1},
        {runImportOldCommand, {"/nonexistent.id", out}, 1},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(c.command(c.args), c.status) << (c.args.empty() ? "" : c.args[0]);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(c.status == 2 ? "usage: qorva-cli " : "qorva-cli: "), std::string::npos) << err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
    }
}

TEST(TextCommands, ImportOldThenExportAndReport)
{
    RecordingMessages messages;
    QTemporaryDir dir;
    const QString old = writeFile(dir, "old.id", oldProject().data);
    const std::string project = dir.filePath("new.id").toStdString();
    testing::internal::CaptureStderr();
    EXPECT_EQ(runImportOldCommand({old.toStdString(), project}), 0);
    EXPECT_EQ(runExportParamsCommand({project, dir.filePath("params.txt").toStdString()}), 0);
    EXPECT_EQ(runExportPointsCommand({project, dir.filePath("points.txt").toStdString()}), 0);
    EXPECT_EQ(runImportParamsCommand({QORVA_SOURCE_DIR "/examples/parameters.txt", project}), 0);
    EXPECT_EQ(runReportCommand({project, dir.filePath("report.txt").toStdString()}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    ASSERT_TRUE(file.read(project, ProjectFile::ProbeProjectVersion(project), *contents));
    EXPECT_EQ(contents->idg.m_strProjectName, "办公楼");
    EXPECT_TRUE(QFile::exists(dir.filePath("report.txt")));
}
