#include <QDir>
#include <QFileDialog>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/analysis/AnalysisDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "project/CQORVADoc.h"
#include "support/RecordingMessages.h"
#include "translations/Language.h"

namespace {

// Screenshots of the interface languages: the main window on the sample and
// the primary return air dialog in English, Qt's own file chooser in
// Chinese. Run with QORVA_SCREENSHOT_DIR set to the folder for the images
// (under xvfb-run with QT_QPA_PLATFORM=xcb for the real look); skipped
// otherwise.
class ScreenshotsLanguage : public ::testing::Test {
protected:
    QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    RecordingMessages messages;

    void SetUp() override
    {
        if (folder.isEmpty())
            GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
        QDir().mkpath(folder);
    }
    void TearDown() override { removeLanguage(); }

    void shoot(QWidget& widget, const QString& name)
    {
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        QTest::qWait(300);
        EXPECT_TRUE(widget.grab().save(folder + "/" + name)) << name.toStdString();
    }
};

TEST_F(ScreenshotsLanguage, EnglishMainWindowAndAnalysisDialog)
{
    ASSERT_TRUE(installLanguage(UiLanguage::English));
    CQORVADoc document;
    CMainFrame frame(document);
    ASSERT_TRUE(frame.OpenProject(QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id")));
    frame.action(cmd::ConditionSummer)->trigger();
    frame.resize(1400, 900);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.action(cmd::ZoomAll)->trigger();
    shoot(frame, "english-main-window.png");

    CPrimaryAnalysisDlg dialog(document, &frame);
    dialog.adjustSize();
    shoot(dialog, "english-analysis-dialog.png");
}

TEST_F(ScreenshotsLanguage, ChineseFileChooser)
{
    ASSERT_TRUE(installLanguage(UiLanguage::Chinese));
    QFileDialog chooser(nullptr, QCoreApplication::translate("ProjectCommands", "打开工程"),
                        QStringLiteral(QORVA_SOURCE_DIR "/examples"),
                        QCoreApplication::translate("CMainFrame", doc_template::kOpenFilter));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.resize(800, 500);
    shoot(chooser, "file-chooser-chinese.png");
}

} // namespace
