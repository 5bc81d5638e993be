#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

// The sample project opened in the main window and switched to its summer
// view. With QORVA_SCREENSHOT_SECONDS set the window stays up, maximised,
// for that long, so a screen shot of the real program can be taken.
TEST(SampleProjectView, OpensTheSampleAndShowsItsSummerView)
{
    const std::filesystem::path path = std::filesystem::path(QORVA_SOURCE_DIR) / "examples" / "office.id";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no sample project at " << path;
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame(document);
    ASSERT_TRUE(frame.OpenProject(QString::fromStdString(path.string())));
    frame.action(cmd::ConditionSummer)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).CurrentCondition(), 1);
    EXPECT_EQ(frame.conditionList()->currentIndex(), 1);
    ASSERT_NE(DocumentTestAccess::model(document).m_pPoints, nullptr);
    ASSERT_GE(DocumentTestAccess::model(document).m_pPoints->size(), 2u);
    EXPECT_EQ(DocumentTestAccess::model(document).m_pHhrLines->at(0)->m_strName, "ε");

    const QImage image = frame.view()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 50);

    // The page view adds the known parameters below the chart.
    document.SetChartView(false);
    CQORVAView& view = *frame.view();
    frame.resize(1200, 900);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    view.OnZoomAll();
    const QImage page = view.grab().toImage();
    const QPoint below = view.deviceFromLogical(QPoint(0, view.logicalSize().height() / 2 + 20));
    const QPoint blockEnd =
        view.deviceFromLogical(QPoint(view.logicalSize().width() / 2, view.logicalSize().height() * 3 / 5));
    int block = 0;
    for (int y = below.y(); y < blockEnd.y(); ++y)
        for (int x = below.x(); x < blockEnd.x(); ++x)
            block += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(block, 100);

    const int seconds = qEnvironmentVariableIntValue("QORVA_SCREENSHOT_SECONDS");
    if (seconds > 0) {
        if (!qEnvironmentVariableIsSet("QORVA_SCREENSHOT_PAGE"))
            document.SetChartView(true);
        if (qEnvironmentVariableIsSet("QORVA_SCREENSHOT_ASHRAE"))
            frame.action(cmd::AshraeForm)->trigger();
        if (qEnvironmentVariableIsSet("QORVA_SCREENSHOT_IP"))
            frame.action(cmd::UnitsIP)->trigger();
        // Without a window manager a maximised window keeps its size: fill
        // the screen explicitly.
        frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        frame.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        if (qEnvironmentVariableIsSet("QORVA_SCREENSHOT_FIT"))
            frame.action(cmd::ZoomAll)->trigger();
        else
            view.DoZoomIn(nullptr, 1.0 / view.zoomScale());
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
        // A deeper zoom about the room's state points.
        if (const int zoom = qEnvironmentVariableIntValue("QORVA_SCREENSHOT_ZOOM"); zoom > 1) {
            const CanvasPoint n =
                view.chart().PointPosition(*DocumentTestAccess::model(document).m_pPoints->at(1));
            const QPoint at(n.x, n.y);
            view.DoZoomIn(&at, double(zoom) / view.zoomScale());
        }
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < seconds * 1000)
            QTest::qWait(50);
        if (const QString file = qEnvironmentVariable("QORVA_SCREENSHOT_FILE"); !file.isEmpty())
            frame.grab().save(file);
    }
    EXPECT_TRUE(messages.entries.empty()) << messages.entries.front().text;
}

} // namespace
