#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "chart/ChartForm.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

void makeProject(CIDG& idg)
{
    CAir_Room& rooms = idg.m_rooms;
    rooms.m_fSummerOutT = 34.0f;
    rooms.m_fSummerOutTw = 28.2f;
    rooms.m_bSummerOutByRH = 0;
    rooms.AddSystem("S1");
    rooms.AddRoom("S1", "办公室");
    CServiceArea& room = *rooms.m_systems[0]->m_rooms[0];
    room.m_fSummerInT = 25.0f;
    room.m_fSummerInRH = 50.0f;
    room.m_fSummerLoad = 5.0f;
    room.m_fSummerMoistLoad = 1.2f;
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 0;
}

class ViewTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    QMainWindow window;
    CQORVAView* view = nullptr;

    void SetUp() override
    {
        makeProject(DocumentTestAccess::model(document));
        document.m_bProjectOpen = true;
        document.SelectCondition(1);
        view = new CQORVAView(document, &window);
        view->setScreenWidth(1920);
        window.setCentralWidget(view);
        window.statusBar();
        window.resize(1000, 700);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // A shown project starts with its whole page; these tests start from
        // the page at scale 1 seen from its top left corner.
        view->DoZoomIn(nullptr, 1.0 / view->zoomScale());
        view->horizontalScrollBar()->setValue(0);
        view->verticalScrollBar()->setValue(0);
        view->grab(); // one paint: the chart is laid out
    }

    QWidget* viewport() { return view->viewport(); }
    QPoint device(QPoint logical) { return view->deviceFromLogical(logical); }
    void send(QEvent::Type type, QPoint logical, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF at = device(logical);
        QMouseEvent event(type, at, viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &event);
    }
    void press(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonPress, p, button, button);
    }
    void release(QPoint p) { send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    void move(QPoint p, bool dragging = false)
    {
        send(QEvent::MouseMove, p, Qt::NoButton, dragging ? Qt::LeftButton : Qt::NoButton);
    }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        move((from + to) / 2, true);
        move(to, true);
        release(to);
    }
    const ChartLayout& layout() { return view->chart().layout(); }
    // A point inside the chart area, fractions of its width and height.
    QPoint inChart(double fx, double fy)
    {
        return QPoint(layout().m_nChartLeft + int(layout().m_nChartWidth * fx),
                      layout().m_nChartTop + int(layout().m_nChartHeight * fy));
    }
    struct Window {
        float zoom, xMin, xMax, tMax;
    };
    Window chartWindow()
    {
        const CIDG& idg = DocumentTestAccess::model(document);
        return {idg.m_fZoom, idg.m_fXMin, idg.m_fXMax, idg.m_fTMax};
    }
};

TEST_F(ViewTest, PageIsHalfAPageInChartViewAndTheWholePageInPageView)
{
    // 1920 pixels on a 210 mm page: 9 pixels per mm.
    EXPECT_EQ(view->logicalSize(), QSize(1890, 1336));
    document.SetChartView(false);
    EXPECT_EQ(view->logicalSize(), QSize(1890, 2673));
    document.SetChartView(true);
    EXPECT_EQ(view->logicalSize(), QSize(1890, 1336));
    // Each switch shows the new page whole.
    EXPECT_LE(view->deviceSize().width(), view->viewport()->width());
    EXPECT_LE(view->deviceSize().height(), view->viewport()->height());
}

TEST_F(ViewTest, ZoomInByClickByRectangleAndOutAgain)
{
    view->OnZoomIn();
    EXPECT_EQ(view->zoomMode(), CZoomView::kZoomIn);
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeZoom);
    EXPECT_EQ(view->statusText(), "鼠标左键单击或拖出一矩形.");
    // A click without movement magnifies by 1.25 around the point.
    press(QPoint(800, 600));
    release(QPoint(800, 600));
    EXPECT_DOUBLE_EQ(view->zoomScale(), 1.25);
    EXPECT_EQ(view->zoomMode(), CZoomView::kZoomNone);
    EXPECT_EQ(view->statusText(), "就绪");
    const QPoint centre = view->logicalFromDevice(viewport()->rect().center());
    EXPECT_NEAR(centre.x(), 800, 2);
    EXPECT_NEAR(centre.y(), 600, 2);

    // A dragged rectangle fills the window.
    view->OnZoomIn();
    drag(QPoint(400, 300), QPoint(600, 400));
    const QSize client = viewport()->size();
    EXPECT_NEAR(view->zoomScale(), std::min((client.width() + 1.0) / 200, (client.height() + 1.0) / 100),
                0.02);
    const QPoint middle = view->logicalFromDevice(viewport()->rect().center());
    EXPECT_NEAR(middle.x(), 500, 3);
    EXPECT_NEAR(middle.y(), 350, 3);

    const double before = view->zoomScale();
    view->OnZoomOut();
    EXPECT_EQ(view->statusText(), "单击鼠标左键");
    press(QPoint(500, 350));
    release(QPoint(500, 350));
    EXPECT_NEAR(view->zoomScale(), before / 1.25, 1e-9);
    EXPECT_EQ(view->zoomMode(), CZoomView::kZoomNone);

    view->OnZoomAll();
    const QSize fitted = view->deviceSize();
    EXPECT_LE(fitted.width(), client.width());
    EXPECT_LE(fitted.height(), client.height());
    EXPECT_TRUE(fitted.width() >= client.width() - 1 || fitted.height() >= client.height() - 2);
    EXPECT_NEAR(double(fitted.width()) / fitted.height(), 1890.0 / 1336.0, 0.01);
    // Zooming never moves the chart window.
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fZoom, 1.0f);
}

TEST_F(ViewTest, ZoomCommandTogglesAndRightPressCancels)
{
    view->OnZoomIn();
    view->OnZoomIn();
    EXPECT_EQ(view->zoomMode(), CZoomView::kZoomNone);
    EXPECT_EQ(view->statusText(), "就绪");

    view->OnZoomIn();
    press(QPoint(400, 300));
    move(QPoint(700, 500), true);
    EXPECT_TRUE(view->zoomRubberActive());
    press(QPoint(700, 500), Qt::RightButton);
    EXPECT_FALSE(view->zoomRubberActive());
    EXPECT_DOUBLE_EQ(view->zoomScale(), 1.0);
    // The next right press leaves the zoom mode.
    press(QPoint(700, 500), Qt::RightButton);
    EXPECT_EQ(view->zoomMode(), CZoomView::kZoomNone);
    EXPECT_EQ(view->mouseState(), CQORVAView::kMouseRightPressed);
}

TEST_F(ViewTest, ControlWheelZoomsAroundTheCursorAndEscapeDropsABand)
{
    const QPoint logical(900, 500);
    const QPointF at = device(logical);
    QWheelEvent wheel(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &wheel);
    EXPECT_DOUBLE_EQ(view->zoomScale(), 1.25);
    const QPoint stays = view->logicalFromDevice(at.toPoint());
    EXPECT_NEAR(stays.x(), logical.x(), 1);
    EXPECT_NEAR(stays.y(), logical.y(), 1);

    view->OnClip();
    press(inChart(0.2, 0.2));
    move(inChart(0.5, 0.5), true);
    ASSERT_TRUE(view->clipRubberActive());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->clipRubberActive());
    release(inChart(0.5, 0.5));
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fZoom, 1.0f);
}

TEST_F(ViewTest, ClipRectangleDraggedEitherWayGivesTheSameWindow)
{
    const QPoint a = inChart(0.2, 0.2);
    const QPoint b = inChart(0.6, 0.5);
    view->OnClip();
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeClip);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::CrossCursor);
    drag(b, a);
    const Window backwards = chartWindow();
    EXPECT_GT(backwards.zoom, 2.0f);
    EXPECT_GT(backwards.xMin, 0.0f);
    // Clipping never changes the view zoom.
    EXPECT_DOUBLE_EQ(view->zoomScale(), 1.0);

    view->OnRestore();
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeNone);
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fZoom, 1.0f);
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fXMin, 0.0f);

    view->grab();
    view->OnClip();
    drag(a, b);
    const Window forwards = chartWindow();
    EXPECT_FLOAT_EQ(forwards.zoom, backwards.zoom);
    EXPECT_FLOAT_EQ(forwards.xMin, backwards.xMin);
    EXPECT_FLOAT_EQ(forwards.xMax, backwards.xMax);
    EXPECT_FLOAT_EQ(forwards.tMax, backwards.tMax);
}

TEST_F(ViewTest, ClipStartsOnlyInsideTheChartAndNeedsAnArea)
{
    view->OnClip();
    const Window initial = chartWindow();
    // In the header margin above the chart.
    press(QPoint(layout().m_nChartLeft + 100, layout().m_nChartTop / 2));
    EXPECT_FALSE(view->clipRubberActive());
    move(inChart(0.5, 0.5), true);
    release(inChart(0.5, 0.5));
    // A band of zero height.
    drag(inChart(0.2, 0.3), QPoint(inChart(0.6, 0.3)));
    // A band cancelled by the right button.
    press(inChart(0.2, 0.2));
    move(inChart(0.5, 0.5), true);
    EXPECT_TRUE(view->clipRubberActive());
    EXPECT_EQ(view->clipRubber(), QRect(inChart(0.2, 0.2), inChart(0.5, 0.5)));
    press(inChart(0.5, 0.5), Qt::RightButton);
    EXPECT_FALSE(view->clipRubberActive());
    release(inChart(0.5, 0.5));
    const Window after = chartWindow();
    EXPECT_FLOAT_EQ(after.zoom, initial.zoom);
    EXPECT_FLOAT_EQ(after.xMin, initial.xMin);
    EXPECT_FLOAT_EQ(after.tMax, initial.tMax);
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeClip);
}

TEST_F(ViewTest, PickSelectsTheObjectUnderTheMouseAndRightPressClearsIt)
{
    CIDG& idg = DocumentTestAccess::model(document);
    view->OnPick();
    EXPECT_EQ(view->viewMode(), CQORVAView::kModePick);
    const CanvasPoint n = view->chart().PointPosition(*(*idg.m_pPoints)[1]);
    press(QPoint(n.x, n.y));
    release(QPoint(n.x, n.y));
    EXPECT_EQ(view->chart().m_nPickClass, 0);
    EXPECT_EQ(view->chart().m_nPickIndex, 1);
    EXPECT_EQ(view->lastPickPosition(), QPoint(n.x, n.y));
    press(QPoint(n.x, n.y), Qt::RightButton);
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeNone);
    EXPECT_EQ(view->chart().m_nPickClass, -1);
    EXPECT_EQ(view->chart().m_nPickIndex, -1);
    view->OnPick();
    view->OnPick();
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeNone);
}

TEST_F(ViewTest, StatusBarShowsTheStateUnderTheCursorOnlyOverTheChart)
{
    move(inChart(0.35, 0.45));
    const QString inside = view->statusText();
    EXPECT_TRUE(
        QRegularExpression("^t=-?\\d+\\.\\d℃ tw=-?\\d+\\.\\d℃ RH=\\d+% d=\\d+\\.\\dg/kg h=-?\\d+\\.\\dkJ/kg$")
            .match(inside)
            .hasMatch())
        << inside.toStdString();
    EXPECT_EQ(window.statusBar()->currentMessage(), inside);
    // The moisture content under the cursor grows to the right.
    const double x1 = QRegularExpression("d=([\\d.]+)").match(inside).captured(1).toDouble();
    move(inChart(0.45, 0.45));
    const double x2 = QRegularExpression("d=([\\d.]+)").match(view->statusText()).captured(1).toDouble();
    EXPECT_GT(x2, x1);

    move(QPoint(layout().m_nChartLeft / 2, layout().m_nChartTop + 50));
    EXPECT_EQ(view->statusText(), "就绪");
    EXPECT_EQ(window.statusBar()->currentMessage(), "就绪");
    // Below the saturation curve, in the lower right corner.
    move(inChart(0.98, 0.98));
    EXPECT_EQ(view->statusText(), "就绪");
    // Leaving the window.
    move(inChart(0.35, 0.45));
    EXPECT_NE(view->statusText(), "就绪");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(viewport(), &leave);
    EXPECT_EQ(view->statusText(), "就绪");
}

TEST_F(ViewTest, PaintsTheChartAndRepaintsAfterADocumentChange)
{
    const QImage first = view->grab().toImage();
    int dark = 0;
    for (int y = 0; y < first.height(); y += 3)
        for (int x = 0; x < first.width(); x += 3)
            dark += qGray(first.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
    DocumentTestAccess::model(document).m_bShowPointLabels = 0;
    DocumentTestAccess::model(document).m_nPointRadius = 4;
    document.RequestRedraw();
    EXPECT_NE(view->grab().toImage(), first);
}

TEST_F(ViewTest, APreviewAPickAndAnEditDrawOverTheKeptGrid)
{
    CIDG& idg = DocumentTestAccess::model(document);
    const QImage before = view->grab().toImage();
    const int grids = view->viewCache().gridDraws();
    const int objects = view->viewCache().objectDraws();

    CStatePoint preview = *(*idg.m_pPoints)[1];
    preview.m_h += 8.0f;
    view->SetPreviewState(preview);
    const QImage withMarker = view->grab().toImage();
    EXPECT_NE(withMarker, before);
    EXPECT_EQ(view->viewCache().gridDraws(), grids);
    EXPECT_EQ(view->viewCache().objectDraws(), objects);
    view->SetPreviewState(std::nullopt);
    EXPECT_EQ(view->grab().toImage(), before);

    view->OnPick();
    const CanvasPoint n = view->chart().PointPosition(*(*idg.m_pPoints)[1]);
    press(QPoint(n.x, n.y));
    release(QPoint(n.x, n.y));
    // The pick goes over the kept objects in the highlight's red and yellow,
    // and leaves with the pick.
    const QImage picked = view->grab().toImage();
    EXPECT_EQ(view->viewCache().objectDraws(), objects);
    const QPoint at = device(QPoint(n.x, n.y)) * picked.devicePixelRatio();
    EXPECT_EQ(picked.pixelColor(at), QColor(255, 255, 0));
    EXPECT_NE(before.pixelColor(at), QColor(255, 255, 0));
    press(QPoint(n.x, n.y), Qt::RightButton);
    EXPECT_EQ(view->grab().toImage(), before);
    EXPECT_EQ(view->viewCache().objectDraws(), objects);

    document.ChangeCurrentRoom("移动", [](CIDG& model) {
        model.m_nPointRadius = 5;
        return true;
    });
    view->grab();
    EXPECT_EQ(view->viewCache().gridDraws(), grids);
    // A new pressure is a new grid.
    document.ChangeProject("大气压", [](CIDG& model) {
        model.m_fSummerPressure = 90000.0f;
        return true;
    });
    view->grab();
    EXPECT_EQ(view->viewCache().gridDraws(), grids + 1);
}

class ModeRecorder : public ViewModeHandler {
public:
    std::vector<std::string> calls;
    void leftPress(CQORVAView&, const QPoint&) override { calls.push_back("press"); }
    void leftRelease(CQORVAView&, const QPoint&) override { calls.push_back("release"); }
    void rightPress(CQORVAView&) override { calls.push_back("right"); }
};

TEST_F(ViewTest, InstalledModeHandlersReceiveTheClicksOfTheirMode)
{
    ModeRecorder recorder;
    view->installModeHandler(CQORVAView::kModeIndependentPoint, &recorder);
    view->SetViewMode(CQORVAView::kModeIndependentPoint);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::CrossCursor);
    press(inChart(0.5, 0.5));
    release(inChart(0.5, 0.5));
    press(inChart(0.5, 0.5), Qt::RightButton);
    EXPECT_THAT(recorder.calls, ::testing::ElementsAre("press", "release", "right"));
    // A right press leaves the point-placing mode.
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeNone);

    // The process-line mode draws its rubber line; a right press erases it
    // and keeps the mode.
    view->SetViewMode(CQORVAView::kModeProcessLine);
    press(inChart(0.3, 0.3));
    move(inChart(0.4, 0.4), true);
    EXPECT_TRUE(view->lineRubberActive());
    press(inChart(0.4, 0.4), Qt::RightButton);
    EXPECT_FALSE(view->lineRubberActive());
    EXPECT_EQ(view->viewMode(), CQORVAView::kModeProcessLine);
}

TEST(EmptyDocumentView, EveryMouseActionIsHarmlessWithoutAProject)
{
    RecordingMessages messages;
    CQORVADoc document;
    QMainWindow window;
    auto* view = new CQORVAView(document, &window);
    view->setScreenWidth(1920);
    window.setCentralWidget(view);
    window.resize(800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(view->grab().isNull());
    QWidget* viewport = view->viewport();
    for (int mode : {CQORVAView::kModePick, CQORVAView::kModeClip, CQORVAView::kModeProcessLine}) {
        view->SetViewMode(mode);
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseMove(viewport, QPoint(400, 350));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(400, 350));
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(400, 350));
    }
    view->OnRestore();
    view->OnZoomAll();
    EXPECT_EQ(view->chart().m_nPickClass, -1);
    EXPECT_TRUE(messages.entries.empty());
}

TEST(FrameViewCommands, ZoomAndPickCommandsReachTheViewAndTickTheMenu)
{
    RecordingMessages messages;
    CQORVADoc document;
    makeProject(DocumentTestAccess::model(document));
    CMainFrame frame(document);
    document.m_bProjectOpen = true;
    frame.FillToolbarCombos();
    frame.updateCommandStates();
    for (int id : {cmd::ZoomIn, cmd::ZoomOut, cmd::ZoomAll, cmd::Clip, cmd::Restore, cmd::Pick}) {
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
        EXPECT_FALSE(frame.action(id)->isChecked()) << id;
    }
    frame.action(cmd::ZoomIn)->trigger();
    EXPECT_TRUE(frame.action(cmd::ZoomIn)->isChecked());
    EXPECT_EQ(frame.view()->zoomMode(), CZoomView::kZoomIn);
    frame.action(cmd::Pick)->trigger();
    EXPECT_TRUE(frame.action(cmd::Pick)->isChecked());
    EXPECT_FALSE(frame.action(cmd::ZoomIn)->isChecked());
    frame.action(cmd::Pick)->trigger();
    EXPECT_FALSE(frame.action(cmd::Pick)->isChecked());
    EXPECT_EQ(frame.statusBar()->currentMessage(), "就绪");
}

// The ASHRAE form is a way of viewing: the chart is drawn again in it, the
// status bar names it, and neither the undo stack nor the modified flag
// moves; back in the i-d form the view is what it was.
// The form and the unit system are choices of the project: each is one undo
// step that marks the project modified, is shown in the status bar and
// redraws the chart; undoing it gives the chart back as it was.
TEST(FrameViewCommands, TheFormAndTheUnitsAreProjectChoicesOfOneUndoStep)
{
    struct Case {
        int command;
        const char* indicator;
        const char* shownAfter;
        const char* shownBefore;
        bool redrawn; // the grid changes (engineering units label the chart in SI)
    };
    const Case cases[] = {
        {cmd::AshraeForm, "chartFormIndicator", "ASHRAE 图", "i-d 图", true},
        {cmd::UnitsIP, "unitSystemIndicator", "IP 单位", "SI 单位", true},
        {cmd::UnitsEngineering, "unitSystemIndicator", "工程单位", "SI 单位", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shownAfter);
        RecordingMessages messages;
        CQORVADoc document;
        makeProject(DocumentTestAccess::model(document));
        CMainFrame frame(document);
        document.m_bProjectOpen = true;
        frame.FillToolbarCombos();
        frame.updateCommandStates();
        const QLabel* shown = frame.statusBar()->findChild<QLabel*>(c.indicator);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text(), c.shownBefore);
        const int steps = document.undoStack().count();
        // A project change derives every view; the picture to come back to
        // is the derived one.
        frame.action(c.command)->trigger();
        document.undoStack().setIndex(steps);
        const QImage before = frame.view()->grab().toImage();

        frame.action(c.command)->trigger();
        frame.updateCommandStates();
        EXPECT_TRUE(frame.action(c.command)->isChecked());
        EXPECT_EQ(shown->text(), c.shownAfter);
        EXPECT_EQ(frame.view()->grab().toImage() != before, c.redrawn);
        EXPECT_EQ(document.undoStack().count(), steps + 1);
        EXPECT_TRUE(document.IsModified());
        // Choosing what is shown again is no step.
        frame.action(c.command)->trigger();
        if (c.command != cmd::AshraeForm) {
            EXPECT_EQ(document.undoStack().count(), steps + 1);
        }

        document.undoStack().setIndex(steps);
        EXPECT_EQ(&document.chartForm(), &idChartForm());
        EXPECT_EQ(document.model().m_nUnitSystem, CIDG::kUnitsSI);
        EXPECT_EQ(shown->text(), c.shownBefore);
        EXPECT_EQ(frame.view()->grab().toImage(), before);
        EXPECT_FALSE(document.IsModified());
        EXPECT_TRUE(messages.entries.empty());
    }
}

TEST(FrameViewCommands, ConditionCommandsAndListSwitchViewsWithoutClearingThem)
{
    RecordingMessages messages;
    CQORVADoc document;
    makeProject(DocumentTestAccess::model(document));
    CMainFrame frame(document);
    document.m_bProjectOpen = true;
    frame.FillToolbarCombos();
    frame.updateCommandStates();
    CIDG& idg = DocumentTestAccess::model(document);

    frame.action(cmd::ConditionSummer)->trigger();
    ASSERT_EQ(idg.CurrentCondition(), 1);
    ASSERT_NE(idg.m_pPoints, nullptr);
    idg.m_pPoints->push_back(std::make_unique<CStatePoint>(*(*idg.m_pPoints)[1]));
    const CStatePoint* result = idg.m_pPoints->back().get();
    EXPECT_EQ(frame.conditionList()->currentIndex(), 1);

    frame.action(cmd::ConditionNormal)->trigger();
    EXPECT_EQ(idg.CurrentCondition(), 0);
    EXPECT_EQ(idg.m_pPoints->size(), 2u);
    EXPECT_EQ(frame.conditionList()->currentIndex(), 0);
    EXPECT_TRUE(frame.action(cmd::ConditionNormal)->isChecked());

    frame.conditionList()->setCurrentIndex(1);
    frame.conditionList()->activated(1);
    EXPECT_EQ(idg.CurrentCondition(), 1);
    ASSERT_EQ(idg.m_pPoints->size(), 3u);
    EXPECT_EQ((*idg.m_pPoints)[2].get(), result);
    EXPECT_TRUE(messages.entries.empty());
}

} // namespace
