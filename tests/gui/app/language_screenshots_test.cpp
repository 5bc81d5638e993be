#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/analysis/AnalysisDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/app/QtMessageService.h"
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

// What the English interface showed in Chinese or cut: the fan-coil
// dialog's supply list, a menu's mnemonics, an edit dialog's title and the
// analysis question with its buttons.
TEST_F(ScreenshotsLanguage, EnglishFanCoilMenusAndQuestion)
{
    ASSERT_TRUE(installLanguage(UiLanguage::English));
    CQORVADoc document;
    CMainFrame frame(document);
    ASSERT_TRUE(frame.OpenProject(QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id")));
    frame.resize(1400, 900);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    CFanCoilAnalysisDlg fanCoil(document, &frame);
    shoot(fanCoil, "english-fan-coil-dialog.png");
    // The dialog is as wide as its supply list's longest choice.
    EXPECT_GE(
        fanCoil.m_supplyDifference->width(),
        fanCoil.m_supplyDifference->fontMetrics().horizontalAdvance(fanCoil.m_supplyDifference->itemText(0)));
    fanCoil.hide();

    for (QAction* top : frame.menuBar()->actions())
        if (top->text() == "&Draw") {
            QMenu* draw = top->menu();
            draw->popup(frame.mapToGlobal(QPoint(200, 30)));
            for (QAction* entry : draw->actions())
                if (entry->menu() && entry->text() == "&Intersections")
                    draw->setActiveAction(entry);
            QTest::qWait(300);
            QImage image(draw->width() + 420, draw->height(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.drawPixmap(0, 0, draw->grab());
            for (QAction* entry : draw->actions())
                if (entry->menu() && entry->menu()->isVisible())
                    painter.drawPixmap(draw->width(), draw->actionGeometry(entry).top(),
                                       entry->menu()->grab());
            painter.end();
            EXPECT_TRUE(image.save(folder + "/english-menu-draw.png"));
            draw->hide();
        }

    QtMessageService service(&frame);
    QTimer::singleShot(300, [this] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            EXPECT_TRUE(box->grab().save(folder + "/english-analysis-question.png"));
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
        }
    });
    service.askYesNo(QCoreApplication::translate("AnalysisFramework", analysis_messages::kClearOneDrawnObject)
                         .arg(QStringLiteral("空调系统1/办公室101: cooling"))
                         .toStdString(),
                     MessageIcon::Question, std::string());
}

// The fan coil's results (会议室, 制冷) on the page view, in Chinese as
// stored and in English: the mixing ratio names whose share it is, the
// moisture steps read as dehumidifications of a positive amount.
TEST_F(ScreenshotsLanguage, FanCoilResultsInBothLanguages)
{
    for (const UiLanguage language : {UiLanguage::Chinese, UiLanguage::English}) {
        ASSERT_TRUE(installLanguage(language));
        CQORVADoc document;
        CMainFrame frame(document);
        ASSERT_TRUE(frame.OpenProject(QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id")));
        document.SelectRoom(2);
        frame.FillToolbarCombos();
        frame.action(cmd::ConditionSummer)->trigger();
        frame.action(cmd::PageView)->trigger();
        frame.resize(1600, 1000);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        // Close to the result column under the chart.
        const QPoint results(frame.view()->width() / 2 - 200, frame.view()->height() * 11 / 20);
        frame.view()->DoZoomIn(&results, 3.0);
        QApplication::processEvents();
        QScrollBar* down = frame.view()->verticalScrollBar();
        down->setValue(down->maximum() * 11 / 20);
        frame.view()->horizontalScrollBar()->setValue(0);
        shoot(frame,
              language == UiLanguage::English ? "english-fan-coil-results.png" : "fan-coil-results.png");
    }
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
