#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

// qorva-cli export: the workbook is written when everything can be read, and
// on any failure a message goes to standard error, nothing to standard
// output, and the folder is left as it was.
namespace {

const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";
const std::string kBologna = QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

TEST(ExportCommand, WritesTheWorkbookOrNothingWithTheReason)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath("office.xlsx").toStdString();
    const std::string damaged = dir.filePath("damaged.epw").toStdString();
    std::ofstream(damaged) << "LOCATION,Nowhere\n";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int status;
        const char* message; // the start of standard error; nullptr when written
    };
    const Case cases[] = {
        {"no output", {kSample}, 2, "usage: qorva-cli export"},
        {"--weather without a file", {kSample, out, "--weather"}, 2, "usage: qorva-cli export"},
        {"a missing project",
         {"/nonexistent/in.id", out},
         1,
         "qorva-cli: export /nonexistent/in.id: no such file"},
        {"a weather file that is none",
         {kSample, out, "--weather", damaged},
         1,
         "qorva-cli export: cannot read "},
        {"a folder that does not exist",
         {kSample, dir.filePath("missing/office.xlsx").toStdString()},
         1,
         "qorva-cli export: "},
        {"the project with its year", {kSample, out, "--weather", kBologna}, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(runExportCommand(c.args), c.status);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        const std::string err = testing::internal::GetCapturedStderr();
        const QStringList files =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (c.message) {
            EXPECT_TRUE(err.starts_with(c.message)) << err;
            EXPECT_EQ(files.join(' ').toStdString(), "damaged.epw");
        } else {
            EXPECT_EQ(err, "");
            EXPECT_EQ(files.join(' ').toStdString(), "damaged.epw office.xlsx");
        }
    }
}

} // namespace
