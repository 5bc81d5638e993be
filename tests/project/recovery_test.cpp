#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "project/Recovery.h"
#include "support/RecordingMessages.h"
#include "support/SuiteGuiApplication.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

QByteArray documentBytes(const CQORVADoc& document)
{
    const std::vector<std::uint8_t> bytes =
        ProjectFile::toBytes(document.model(), document.m_strReportPath, document.m_bReturnMode);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void rename(CQORVADoc& document, const char* name)
{
    document.SetBasicParameters(name, document.model().m_nUnitSystem);
}

class Recovery : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    void SetUp() override
    {
        project = projects.filePath("办公楼.id");
        ASSERT_TRUE(QFile::copy(QString::fromStdString(kSample), project));
        ASSERT_TRUE(document.OnOpenDocument(project.toStdString()));
    }

    QStringList copies() const { return QDir(folder.path()).entryList({"*.id"}, QDir::Files); }

    RecordingMessages messages;
    QTemporaryDir projects;
    QTemporaryDir folder;
    QString project;
    CQORVADoc document;
    std::unique_ptr<DocumentRecovery> recovery = std::make_unique<DocumentRecovery>(document, folder.path());
};

// The copy is named from the project's path: its base name and the first
// eight hex digits of the SHA-1 of the absolute path; the path file holds the path.
TEST_F(Recovery, WritesTheWholeProjectWithinTwoSecondsOfAChange)
{
    rename(document, "第一次修改");
    QElapsedTimer clock;
    clock.start();
    const QString expected = folder.filePath(
        "办公楼-" + QCryptographicHash::hash(project.toUtf8(), QCryptographicHash::Sha1).toHex().left(8) +
        ".id");
    while (fileBytes(expected) != documentBytes(document) && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(fileBytes(expected), documentBytes(document));
    EXPECT_EQ(fileBytes(folder.filePath(QFileInfo(expected).completeBaseName() + ".path")), project.toUtf8());
    EXPECT_EQ(recovery->currentFile(), expected);
}

// After every step, undo and redo included, the copy is the project.
TEST_F(Recovery, FollowsEveryStepUndoAndRedoIncluded)
{
    QUndoStack& stack = document.undoStack();
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"change", [&] { rename(document, "甲"); }},
        {"second change", [&] { rename(document, "乙"); }},
        {"undo", [&] { stack.undo(); }},
        {"redo", [&] { stack.redo(); }},
        {"undo again", [&] { stack.undo(); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        recovery->Flush();
        EXPECT_EQ(fileBytes(recovery->currentFile()), documentBytes(document)) << name;
        EXPECT_TRUE(recovery->lastError().isEmpty()) << name;
    }
}

// Whatever leaves the project without unsaved changes removes its copy.
TEST_F(Recovery, SavingClosingOrQuittingRemovesTheCopy)
{
    const std::pair<const char*, std::function<void()>> endings[] = {
        {"save", [&] { ASSERT_TRUE(document.OnSaveDocument(project.toStdString())); }},
        {"save as",
         [&] { ASSERT_TRUE(document.OnSaveDocument(projects.filePath("另存.id").toStdString())); }},
        {"undo to the saved state", [&] { document.undoStack().setIndex(0); }},
        {"close without saving: another project opened", [&] { document.OnOpenDocument(kSample); }},
        {"close without saving: a new project", [&] { document.OnNewDocument(); }},
        {"normal quit", [&] { recovery->Discard(); }},
    };
    for (const auto& [name, ending] : endings) {
        ASSERT_TRUE(document.OnOpenDocument(project.toStdString()));
        rename(document, name); // a name of its own, so the project changes
        recovery->Flush();
        ASSERT_EQ(copies().size(), 1) << name;
        ending();
        recovery->Flush();
        EXPECT_TRUE(copies().isEmpty()) << name;
        EXPECT_TRUE(recovery->currentFile().isEmpty()) << name;
    }
}

// Two running programs with the same project each keep a copy of their own,
// and neither offers the other's copy at start.
TEST_F(Recovery, TwoProgramsNeverShareACopy)
{
    CQORVADoc second;
    ASSERT_TRUE(second.OnOpenDocument(project.toStdString()));
    auto secondRecovery = std::make_unique<DocumentRecovery>(second, folder.path());
    rename(document, "第一个");
    rename(second, "第二个");
    recovery->Flush();
    secondRecovery->Flush();
    ASSERT_NE(recovery->currentFile(), secondRecovery->currentFile());
    EXPECT_EQ(secondRecovery->currentFile(), recovery->currentFile().chopped(3) + "-2.id");
    EXPECT_EQ(fileBytes(recovery->currentFile()), documentBytes(document));
    EXPECT_EQ(fileBytes(secondRecovery->currentFile()), documentBytes(second));
    EXPECT_TRUE(DocumentRecovery::FindEntries(folder.path()).empty());

    // Once the second has let go of its copy (as a crash leaves it), it is found.
    const QString left = secondRecovery->currentFile();
    const QByteArray held = documentBytes(second);
    secondRecovery.reset();
    std::vector<RecoveryEntry> found = DocumentRecovery::FindEntries(folder.path());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file, QFileInfo(left).absoluteFilePath());
    EXPECT_EQ(found[0].projectPath, project);
    EXPECT_EQ(found[0].name(), "办公楼.id");
    EXPECT_EQ(fileBytes(found[0].file), held);
}

// A recovered copy is the project under its own path, modified, and its
// copy from then on.
TEST_F(Recovery, ARecoveredCopyIsTheModifiedProjectAtItsPath)
{
    rename(document, "崩溃前");
    recovery->Flush();
    const QByteArray held = documentBytes(document);
    const QString file = recovery->currentFile();
    recovery.reset(); // the program ends without a normal quit
    CQORVADoc restarted;
    DocumentRecovery again(restarted, folder.path());
    std::vector<RecoveryEntry> found = again.FindEntries();
    ASSERT_EQ(found.size(), 1u);
    std::string reason;
    EXPECT_TRUE(found[0].isReadable(reason)) << reason;
    ASSERT_TRUE(again.Recover(std::move(found[0])));
    EXPECT_EQ(documentBytes(restarted), held);
    EXPECT_EQ(restarted.pathName(), project.toStdString());
    EXPECT_TRUE(restarted.IsModified());
    again.Flush();
    EXPECT_EQ(again.currentFile(), file);
    EXPECT_EQ(fileBytes(file), held);
}

TEST_F(Recovery, ACopyKeptForLaterIsNeverWrittenOver)
{
    rename(document, "留待以后");
    recovery->Flush();
    const QString kept = recovery->currentFile();
    const QByteArray held = fileBytes(kept);
    recovery = std::make_unique<DocumentRecovery>(document, folder.path()); // a new run, same project
    rename(document, "新的修改");
    recovery->Flush();
    EXPECT_EQ(recovery->currentFile(), kept.chopped(3) + "-2.id");
    EXPECT_EQ(fileBytes(kept), held);
    EXPECT_EQ(fileBytes(recovery->currentFile()), documentBytes(document));
}

} // namespace
