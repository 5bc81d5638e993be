#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CQORVAApp.h"
#include "gui/app/CommandTable.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "project/Recovery.h"
#include "support/RecordingMessages.h"

namespace {

const QString kSample = QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id");

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

class RecoveryAtStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = projects.filePath("办公楼.id");
        ASSERT_TRUE(QFile::copy(kSample, project));
    }

    // A copy left by a program that ended without quitting; the project it held.
    QByteArray leaveCopy()
    {
        CQORVADoc crashed;
        EXPECT_TRUE(crashed.OnOpenDocument(project.toStdString()));
        DocumentRecovery left(crashed, folder.path());
        crashed.SetBasicParameters("崩溃前的修改", crashed.model().m_nUnitSystem);
        left.Flush();
        copy = left.currentFile();
        return documentBytes(crashed);
    }

    RecordingMessages messages;
    QTemporaryDir projects;
    QTemporaryDir folder;
    QString project;
    QString copy;
    CQORVADoc document;
    CMainFrame frame{document};
    DocumentRecovery recovery{document, folder.path()};
};

TEST_F(RecoveryAtStart, AsksOncePerCopyAndDoesWhatTheAnswerSays)
{
    const struct {
        int choice;
        bool recovered;
        bool kept;
    } cases[] = {{recovery::Recover, true, true},
                 {recovery::Discard, false, false},
                 {recovery::Later, false, true},
                 {-1, false, true}}; // closed without a choice: as 稍后
    for (const auto& c : cases) {
        document.OnNewDocument();
        recovery.Discard();
        const QByteArray held = leaveCopy();
        const QString time = QFileInfo(copy).lastModified().toString("yyyy-MM-dd HH:mm");
        messages.clear();
        messages.choices = {c.choice};
        CQORVAApp::RecoverAtStart(frame, recovery);
        ASSERT_EQ(messages.texts(), std::vector<std::string>{"发现 办公楼.id 未保存的修改（" +
                                                             time.toStdString() + "），是否恢复？"})
            << c.choice;
        EXPECT_EQ(messages.choiceButtons.back(), (std::vector<std::string>{"恢复", "放弃", "稍后"}));
        EXPECT_EQ(QFile::exists(copy), c.kept) << c.choice;
        EXPECT_EQ(document.pathName() == project.toStdString(), c.recovered) << c.choice;
        if (c.recovered) {
            EXPECT_EQ(documentBytes(document), held);
            EXPECT_EQ(document.pathName(), project.toStdString());
            EXPECT_TRUE(document.IsModified());
            EXPECT_EQ(frame.windowTitle(), "办公楼.id* - QORVA V3.4");
            recovery.Flush();
            EXPECT_EQ(recovery.currentFile(), copy); // the copy goes on as this program's
        }
        if (c.kept && !c.recovered) {
            // Offered again at the next start.
            messages.choices = {recovery::Discard};
            CQORVAApp::RecoverAtStart(frame, recovery);
            EXPECT_FALSE(QFile::exists(copy));
        }
    }
}

TEST_F(RecoveryAtStart, ACopyThatCannotBeReadIsReportedAndKept)
{
    const QString bad = folder.filePath("办公楼-0badc0de.id");
    QFile out(bad);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("QVX\x47\x01\x00\x00 not a project");
    out.close();
    CQORVAApp::RecoverAtStart(frame, recovery);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_FALSE(messages.entries[0].question);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.texts()[0].rfind("无法读取 未命名 的恢复文件，文件已保留：\n" +
                                            QDir::toNativeSeparators(bad).toStdString() + "\n",
                                        0),
              0u)
        << messages.texts()[0];
    EXPECT_TRUE(QFile::exists(bad));
    EXPECT_FALSE(document.m_bProjectOpen);
}

TEST_F(RecoveryAtStart, ARecentProjectThatIsGoneIsReportedAndLeavesTheList)
{
    const QString gone = projects.filePath("已删除.id");
    frame.AddRecentFile(project);
    frame.AddRecentFile(gone);
    QMenu* recent = nullptr;
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>())
        if (menu->title() == frame.action(cmd::FileMru)->text())
            recent = menu;
    ASSERT_NE(recent, nullptr);
    recent->actions().front()->trigger();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{doc_messages::kProjectMissing});
    const QStringList left = frame.recentFiles().files();
    EXPECT_FALSE(left.contains(gone));
    EXPECT_EQ(left.value(0), project);
    EXPECT_EQ(RecentFileList().files().join('\n').toStdString(),
              left.join('\n').toStdString()); // written at once
}

// The real program is killed after its copy was written; started again it
// recovers exactly what it held.
TEST(RecoveryKill, AKilledProgramsWorkIsRecoveredByteForByte)
{
    QTemporaryDir home;
    const QString project = home.filePath("office.id");
    ASSERT_TRUE(QFile::copy(kSample, project));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QORVA_SCRIPT_CHOICE", QString::number(recovery::Recover));
    const QString folder = home.filePath("data/QORVA/recovery");

    QProcessEnvironment editing = environment;
    editing.insert("QORVA_SCRIPT_EDITS", "7");
    editing.insert("QORVA_SCRIPT_HELD", home.filePath("held.id"));
    QProcess first;
    first.setProcessEnvironment(editing);
    first.start(QORVA_SCRIPTED_PROGRAM, {project});
    ASSERT_TRUE(first.waitForStarted(10000));
    QByteArray output;
    for (int i = 0; i < 120 && !output.contains("edited"); ++i)
        if (first.waitForReadyRead(500))
            output += first.readAllStandardOutput();
    ASSERT_TRUE(output.contains("edited")) << first.readAllStandardError().toStdString();
    const QByteArray held = fileBytes(home.filePath("held.id"));
    ASSERT_FALSE(held.isEmpty());
    EXPECT_NE(held, fileBytes(project));
    // Within two seconds (more on a loaded machine or a sanitizer build) the copy holds it.
    QString copy;
    for (int i = 0; i < 300; ++i) {
        const QStringList found = QDir(folder).entryList({"*.id"}, QDir::Files);
        if (found.size() == 1 && fileBytes(folder + "/" + found[0]) == held) {
            copy = folder + "/" + found[0];
            break;
        }
        QThread::msleep(100);
    }
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_TRUE(DocumentRecovery::FindEntries(folder).empty()); // not offered while its program runs
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);

    QProcessEnvironment restarting = environment;
    restarting.insert("QORVA_SCRIPT_DUMP", home.filePath("recovered.id"));
    QProcess second;
    second.setProcessEnvironment(restarting);
    second.start(QORVA_SCRIPTED_PROGRAM, QStringList());
    if (!second.waitForFinished(60000)) {
        second.kill();
        second.waitForFinished();
        FAIL() << second.readAllStandardError().toStdString();
    }
    const QByteArray said = second.readAllStandardOutput();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(said.contains(("path: " + project + "\nmodified: 1\n").toUtf8())) << said.toStdString();
    EXPECT_EQ(fileBytes(home.filePath("recovered.id")), held);
    EXPECT_FALSE(QFile::exists(copy)); // the normal quit removed it
}

// What an earlier build left under its old folder names moves, at the first
// start, to the folders named after the program: the settings (recent files,
// language) and a recovery copy, which the program then offers. Moved once:
// settings the program already has are never replaced by older ones.
TEST(UserFolders, EarlierSettingsAndRecoveryCopiesMoveToTheProgramsFoldersOnce)
{
    QTemporaryDir home;
    const QString config = home.filePath("config");
    const QString data = home.filePath("data");
    const QString oldSettings = config + "/Local AppWizard-Generated Applications/QORVA.conf";
    const QString settings = config + "/QORVA/QORVA.conf";
    const QString oldRecovery = data + "/QORVA/QORVA/recovery";
    const QString recovery = data + "/QORVA/recovery";
    const QString project = home.filePath("office.id");
    ASSERT_TRUE(QFile::copy(kSample, project));
    const auto writeOldSettings = [&](const QString& file) {
        QSettings old(oldSettings, QSettings::IniFormat);
        old.setValue("Recent File List/File1", file);
        old.setValue("Language", "zh");
        old.sync();
        return old.status() == QSettings::NoError;
    };
    ASSERT_TRUE(writeOldSettings(project));
    ASSERT_TRUE(QDir().mkpath(oldRecovery));
    const QString copy = oldRecovery + "/office-0badf00d.id";
    ASSERT_TRUE(QFile::copy(kSample, copy));
    QFile path(oldRecovery + "/office-0badf00d.path");
    ASSERT_TRUE(path.open(QIODevice::WriteOnly));
    path.write(project.toUtf8());
    path.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", data);
    environment.insert("XDG_CONFIG_HOME", config);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QORVA_SCRIPT_CHOICE", QString::number(recovery::Later)); // the copy stays
    environment.insert("QORVA_SCRIPT_DUMP", home.filePath("shown.id"));
    const auto start = [&] {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QORVA_SCRIPTED_PROGRAM, QStringList());
        if (!program.waitForFinished(60000)) {
            program.kill();
            program.waitForFinished();
        }
        EXPECT_EQ(program.exitCode(), 0);
        return program.readAllStandardError();
    };

    const QByteArray said = start();
    // The settings file moved whole; the old folder is gone.
    EXPECT_FALSE(QFile::exists(oldSettings));
    EXPECT_FALSE(QDir(QFileInfo(oldSettings).absolutePath()).exists());
    QSettings moved(settings, QSettings::IniFormat);
    EXPECT_EQ(moved.value("Recent File List/File1").toString(), project);
    EXPECT_EQ(moved.value("Language").toString(), "zh");
    // The copy and its path file moved, and the program offered the copy.
    EXPECT_EQ(fileBytes(recovery + "/office-0badf00d.id"), fileBytes(kSample));
    EXPECT_EQ(fileBytes(recovery + "/office-0badf00d.path"), project.toUtf8());
    EXPECT_FALSE(QDir(data + "/QORVA/QORVA").exists());
    EXPECT_TRUE(said.contains(
        "message: " + QByteArray(recovery::RecoverQuestion(
                                     "office.id", QFileInfo(recovery + "/office-0badf00d.id").lastModified())
                                     .c_str())))
        << said.toStdString();

    // Older settings written again later are left where they are.
    ASSERT_TRUE(writeOldSettings(home.filePath("other.id")));
    start();
    EXPECT_TRUE(QFile::exists(oldSettings));
    EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("Recent File List/File1").toString(), project);
    EXPECT_TRUE(QFile::exists(recovery + "/office-0badf00d.id"));
}

} // namespace
