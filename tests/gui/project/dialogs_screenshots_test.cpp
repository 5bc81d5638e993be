#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/CPorjectNewWizard.h"
#include "gui/project/ModalDriver.h"
#include "project/CQORVADoc.h"

namespace {

// Screenshots of the project dialogs on a real X display, for looking at
// their layout: run under xvfb-run with QT_QPA_PLATFORM=xcb and
// QORVA_SCREENSHOT_DIR set to the folder for the images (ImageMagick's
// import takes the whole screen). The new project is left in
// <temp>/qorva-screenshot-session for opening it again. Skipped otherwise.
class ScreenshotsProjectDialogs : public ::testing::Test {
protected:
    QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");

    void SetUp() override
    {
        if (folder.isEmpty())
            GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
        QDir().mkpath(folder);
    }

    void shoot(const QString& name)
    {
        QTest::qWait(400);
        EXPECT_EQ(QProcess::execute("import", {"-window", "root", folder + "/" + name}), 0)
            << name.toStdString();
    }
};

TEST_F(ScreenshotsProjectDialogs, NewProjectLocationAndWizardPages)
{
    // The project stays for a second session that opens it with the program.
    const QString projects = QDir::temp().filePath("qorva-screenshot-session");
    QDir(projects).removeRecursively();
    QDir().mkpath(projects);
    CQORVADoc document;
    CMainFrame frame(document);
    frame.resize(1600, 1000);
    frame.showMaximized();
    whenModal([&](QWidget* location) {
        static_cast<CNewProjectFolderDlg*>(location)->setFolder(projects);
        retype(location, "fileName", "办公楼");
        shoot("new-project-location.png");
        press(location, "ok");
        whenModal([&](QWidget* modal) {
            auto* wizard = static_cast<CPorjectNewWizard*>(modal);
            retype(wizard->basicPage(), "projectName", "办公楼空调");
            shoot("wizard-page1.png");
            wizard->next();
            QWidget* page = wizard->airRoomPage();
            retype(child<QComboBox>(page, "systemName")->lineEdit(), "空调系统1");
            press(page, "addSystem");
            retype(child<QComboBox>(page, "roomName")->lineEdit(), "办公室101");
            retype(page, "coolingLoad", "5.5");
            retype(page, "summerMoistLoad", "0.8");
            retype(page, "summerFreshAir", "300");
            press(page, "addRoom");
            shoot("wizard-page2.png");
            wizard->next();
            shoot("wizard-page3.png");
            wizard->next();
            wizard->accept();
        });
    });
    frame.action(cmd::FileNew)->trigger();
    whenModal([&](QWidget* modal) {
        shoot("system-room-dialog.png");
        modal->close();
    });
    frame.action(cmd::SystemRoom)->trigger();
    whenModal([&](QWidget* modal) {
        shoot("pressure-dialog.png");
        modal->close();
    });
    frame.action(cmd::Pressure)->trigger();
    shoot("main-frame-new-project.png");
}

} // namespace
