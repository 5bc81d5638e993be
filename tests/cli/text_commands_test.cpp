#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "cli/Commands.h"
#include "project/OldProjectFixtures.h"
#include "project/ProjectFile.h"
#include "support/RecordingMessages.h"

using namespace old_fixtures;

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
