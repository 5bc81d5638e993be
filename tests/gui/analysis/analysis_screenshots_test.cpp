#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include "gui/analysis/AnalysisDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/app/QtMessageService.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"

// Screenshots of the analysis dialogs on a real X display, for looking at
// them: run under xvfb-run with QT_QPA_PLATFORM=xcb and QORVA_SCREENSHOT_DIR
// set to the folder for the images. Skipped otherwise.
namespace {

// Acts on the next modal window once it is shown (exec() blocks the caller).
void whenModal(std::function<void(QWidget*)> action, int triesLeft = 400)
{
    QTimer::singleShot(10, [action = std::move(action), triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible())
            action(modal);
        else if (triesLeft > 0)
            whenModal(std::move(action), triesLeft - 1);
        else
            ADD_FAILURE() << "no modal window appeared";
    });
}

TEST(ScreenshotsAnalysis, AnalysisClearQuestion)
{
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    CQORVADoc document;
    CMainFrame frame(document);
    QtMessageService service(&frame);
    MessageService* previous = setMessageService(&service);
    ASSERT_TRUE(frame.OpenProject(QORVA_SOURCE_DIR "/examples/office.id"));
    // A point the user drew in the cooling view of the analysed office.
    CServiceArea& room = *DocumentTestAccess::model(document).m_rooms.RoomAt(0, 0);
    auto point = std::make_unique<CStatePoint>(*room.m_points[kConditionSummer][1]);
    point->m_strName = "Point1";
    point->m_nId = static_cast<int>(room.m_points[kConditionSummer].size());
    room.m_points[kConditionSummer].push_back(std::move(point));
    frame.resize(1600, 1000);
    frame.showMaximized();
    bool asked = false;
    whenModal([&](QWidget* dialog) {
        whenModal([&](QWidget* question) {
            asked = qobject_cast<QMessageBox*>(question) != nullptr;
            QTest::qWait(400);
            const QPixmap screen = QApplication::primaryScreen()->grabWindow(0);
            EXPECT_TRUE(screen.save(folder + "/analysis-clear-question.png"));
            static_cast<QMessageBox*>(question)->reject(); // 否
        });
        static_cast<QDialog*>(dialog)->accept();
        static_cast<QDialog*>(dialog)->reject();
    });
    frame.action(cmd::AnalysisPrimary)->trigger();
    EXPECT_TRUE(asked);
    setMessageService(previous);
}

// The fan coil's whole-percent dew point refused with its cause (95.5).
TEST(ScreenshotsAnalysis, DewPointRefusal)
{
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    CQORVADoc document;
    CMainFrame frame(document);
    QtMessageService service(&frame);
    MessageService* previous = setMessageService(&service);
    ASSERT_TRUE(frame.OpenProject(QORVA_SOURCE_DIR "/examples/office.id"));
    frame.resize(1600, 1000);
    frame.showMaximized();
    bool refused = false;
    whenModal([&](QWidget* dialog) {
        auto* fanCoil = static_cast<CFanCoilAnalysisDlg*>(dialog);
        fanCoil->m_dewPoint->setText("95.5");
        whenModal([&](QWidget* message) {
            refused = qobject_cast<QMessageBox*>(message) != nullptr;
            QTest::qWait(400);
            EXPECT_TRUE(QApplication::primaryScreen()
                            ->grabWindow(0, 0, 0, 1400, 900)
                            .save(folder + "/refusal-dew-point.png"));
            static_cast<QMessageBox*>(message)->accept();
        });
        fanCoil->accept();
        fanCoil->reject();
    });
    frame.action(cmd::AnalysisFanCoil)->trigger();
    EXPECT_TRUE(refused);
    setMessageService(previous);
}

} // namespace
