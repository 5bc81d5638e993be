#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "analysis/AnalysisFramework.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// Every action reachable from the menu bar, with its menu path.
void collectMenuActions(const QMenu* menu, std::set<int>& ids)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            collectMenuActions(action->menu(), ids);
        else if (action->data().isValid())
            ids.insert(action->data().toInt());
    }
}

class MainFrameTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame{document};

    void openProjectWithRooms()
    {
        DocumentTestAccess::model(document).m_rooms.AddSystem("空调系统1");
        DocumentTestAccess::model(document).m_rooms.AddRoom("空调系统1", "办公室");
        DocumentTestAccess::model(document).m_rooms.AddRoom("空调系统1", "会议室");
        DocumentTestAccess::model(document).m_rooms.AddSystem("新风系统");
        document.m_bProjectOpen = true;
        frame.FillToolbarCombos();
        frame.updateCommandStates();
    }
};

TEST_F(MainFrameTest, CaptionsAndAcceleratorsOfTheCommandTable)
{
    struct Row {
        int id;
        const char* text;
        const char* shortcut;
    };
    const Row rows[] = {
        {cmd::FileNew, "新建工程(&N)", "Ctrl+N"},
        {cmd::FileOpen, "打开工程(&O)...", "Ctrl+O"},
        {cmd::FileSave, "保存(&S)", "Ctrl+S"},
        {cmd::FileSaveAs, "另存为(&A)...", ""},
        {cmd::FilePrint, "打印(&P)...", "Ctrl+P"},
        {cmd::FileClose, "关闭并返回(&B)", ""},
        {cmd::SystemRoom, "系统--房间(室内外状态点)(&S)", ""},
        {cmd::BasicParams, "工程名称及单位制(N)", ""},
        {cmd::ChartView, "焓湿图视图(&M)", ""},
        {cmd::ConditionWinter, "制热工况视图(&W)", ""},
        {cmd::DrawHhrCrossHhr, "热湿比线与热湿比线的交点(&K)", ""},
        {cmd::CalcCoilCooling, "空调器处理冷量(&K)", ""},
        {cmd::AnalysisFanCoil, "风机盘管加新风系统", ""},
        {cmd::AppAbout, "关于 QORVA(&A)...", ""},
        {cmd::AppExit, "退出(&X)", ""},
    };
    for (const Row& row : rows) {
        QAction* action = frame.action(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(row.text)) << row.id;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(row.shortcut))) << row.id;
    }
}

TEST_F(MainFrameTest, EveryMenuCommandOfTheTableIsInTheMenus)
{
    std::set<int> inMenus;
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->menu())
            collectMenuActions(top->menu(), inMenus);
    }
    for (const CommandInfo& info : commandTable()) {
        if (info.id == cmd::Pick || info.id == cmd::FileMru)
            continue; // toolbar-only button, and the recent-file submenu
        EXPECT_TRUE(inMenus.count(info.id)) << info.caption;
    }
}

TEST_F(MainFrameTest, WithoutAProjectOnlyProjectFreeCommandsAreEnabled)
{
    for (const CommandInfo& info : commandTable()) {
        if (info.rule != EnableRule::Always) {
            EXPECT_FALSE(frame.action(info.id)->isEnabled()) << info.caption;
        }
    }
    for (int id : {cmd::FileOpen, cmd::AppExit, cmd::AppAbout, cmd::ChartView, cmd::PageView,
                   cmd::ViewToolbar, cmd::ViewStatusBar})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame.action(cmd::ChartView)->isChecked());
    EXPECT_FALSE(frame.action(cmd::PageView)->isChecked());
    EXPECT_FALSE(frame.systemList()->isEnabled());
}

// 一次回风系统 is the one analysis command open without a project: it says
// why there is nothing to analyse, and opens no dialog.
TEST_F(MainFrameTest, PrimaryAnalysisWithoutAProjectSaysThereIsNothingToAnalyse)
{
    QAction* primary = frame.action(cmd::AnalysisPrimary);
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(primary->isEnabled());
    for (int id : {cmd::AnalysisSecondary, cmd::AnalysisFanCoil, cmd::AnalysisFreshAir})
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    primary->trigger();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"没有参数用于分析!请在工程下重试!"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerStayDisabledEvenWithAProject)
{
    openProjectWithRooms();
    for (int id : {cmd::LabelPoints, cmd::ConditionSummer, cmd::BasicParams, cmd::FileSave})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
    // Close-and-return needs a report path.
    EXPECT_FALSE(frame.action(cmd::FileClose)->isEnabled());
    frame.setHandler(cmd::FileClose, [] {});
    EXPECT_FALSE(frame.action(cmd::FileClose)->isEnabled());
    document.SetReportPath("/tmp/report.txt");
    frame.updateCommandStates();
    EXPECT_TRUE(frame.action(cmd::FileClose)->isEnabled());
}

TEST_F(MainFrameTest, MainToolbarListsAndLabels)
{
    EXPECT_THAT(itemsOf(frame.viewList()), ElementsAre("焓湿图视图", "页面视图"));
    EXPECT_THAT(itemsOf(frame.conditionList()), ElementsAre("普通工况视图", "制冷工况视图", "制热工况视图"));
    EXPECT_EQ(frame.viewList()->currentIndex(), 0);
    QStringList labels;
    for (QLabel* label : frame.mainToolBar()->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("系统名称:"));
    EXPECT_TRUE(labels.contains("房间名称:"));

    // The order of the controls on the main toolbar.
    QList<QWidget*> order;
    for (QAction* action : frame.mainToolBar()->actions()) {
        QWidget* widget = frame.mainToolBar()->widgetForAction(action);
        if (widget && widget->property("commandId").isValid())
            order << widget;
    }
    ASSERT_EQ(order.size(), 6);
    const int ids[] = {cmd::ViewList,   cmd::ConditionList,    cmd::ToolbarSystemLabel,
                       cmd::SystemList, cmd::ToolbarRoomLabel, cmd::RoomList};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(order[i]->property("commandId").toInt(), ids[i]);
}

TEST_F(MainFrameTest, StatusBarShowsTheIdlePromptAndLockIndicators)
{
    EXPECT_EQ(frame.statusBar()->currentMessage(), "就绪");
    QStringList panes;
    for (QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        panes << label->text();
    EXPECT_TRUE(panes.contains("大写"));
    EXPECT_TRUE(panes.contains("数字"));
    EXPECT_TRUE(panes.contains("滚动"));
}

TEST_F(MainFrameTest, SystemAndRoomListsFollowTheProject)
{
    openProjectWithRooms();
    EXPECT_THAT(itemsOf(frame.systemList()), ElementsAre("空调系统1", "新风系统"));
    EXPECT_THAT(itemsOf(frame.roomList()), ElementsAre("办公室", "会议室"));

    frame.roomList()->activated(1);
    EXPECT_EQ(DocumentTestAccess::model(document).m_nCurRoom, 1);
    EXPECT_TRUE(document.IsModified());

    // A system without rooms: the message, an empty room list, nothing rebound.
    auto* boundBefore = DocumentTestAccess::model(document).m_pPoints;
    frame.systemList()->setCurrentIndex(1);
    frame.systemList()->activated(1);
    EXPECT_THAT(messages.texts(),
                ElementsAre("该系统下没有服务区域\n请到[设定|系统-房间]中添加服务区域或者删除该系统"));
    EXPECT_EQ(DocumentTestAccess::model(document).m_nCurSystem, 1);
    EXPECT_EQ(frame.roomList()->count(), 0);
    EXPECT_EQ(DocumentTestAccess::model(document).m_pPoints, boundBefore);
}

TEST_F(MainFrameTest, ViewAndLabelCommandsAndTheirTicks)
{
    openProjectWithRooms();
    document.SetModifiedFlag(false);
    frame.action(cmd::LabelPoints)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_bShowPointLabels, 0);
    EXPECT_FALSE(frame.action(cmd::LabelPoints)->isChecked());
    frame.action(cmd::LabelProcessLines)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_bShowProcessLineLabels, 1);
    EXPECT_TRUE(frame.action(cmd::LabelProcessLines)->isChecked());
    EXPECT_FALSE(document.IsModified());

    frame.action(cmd::PageView)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_bChartView, 0);
    EXPECT_EQ(frame.viewList()->currentIndex(), 1);
    EXPECT_TRUE(frame.action(cmd::PageView)->isChecked());
    EXPECT_TRUE(document.IsModified());
    frame.viewList()->activated(0);
    EXPECT_EQ(DocumentTestAccess::model(document).m_bChartView, 1);
    EXPECT_TRUE(frame.action(cmd::ChartView)->isChecked());

    frame.action(cmd::ConditionWinter)->trigger();
    EXPECT_EQ(document.CurrentConditionCode(), 2);
    EXPECT_EQ(frame.conditionList()->currentIndex(), 2);
    EXPECT_TRUE(frame.action(cmd::ConditionWinter)->isChecked());
    EXPECT_FALSE(frame.action(cmd::ConditionSummer)->isChecked());
    frame.conditionList()->activated(0);
    EXPECT_EQ(document.CurrentConditionCode(), 0);
    EXPECT_TRUE(frame.action(cmd::ConditionNormal)->isChecked());
}

// The fan-coil run ends in 制热: the condition list says so, and follows
// the room again when the run is undone.
TEST_F(MainFrameTest, ConditionListFollowsTheRoomAfterAnAnalysis)
{
    ASSERT_TRUE(frame.OpenProject(QORVA_SOURCE_DIR "/examples/office.id"));
    ASSERT_TRUE(document.SelectSystem(0));
    document.SelectRoom(2);
    document.SelectCondition(kConditionSummer);
    ASSERT_EQ(frame.conditionList()->currentIndex(), kConditionSummer);
    FanCoilParams params = StoredFanCoilParams(*document.model().CurrentRoom());
    params.winter = 1;
    std::string message;
    ASSERT_TRUE(document.RunAnalysis(params, message)) << message;
    EXPECT_EQ(document.CurrentConditionCode(), kConditionWinter);
    EXPECT_EQ(frame.conditionList()->currentIndex(), kConditionWinter);
    document.undoStack().undo();
    EXPECT_EQ(frame.conditionList()->currentIndex(), document.CurrentConditionCode());
}

TEST_F(MainFrameTest, OpeningAMissingFileKeepsTheProject)
{
    openProjectWithRooms();
    EXPECT_FALSE(frame.OpenProject("/nonexistent/工程.id"));
    EXPECT_THAT(messages.texts(), ElementsAre("对不起，该工程不存在，请确认工程文件是否存在于该目录"));
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems.size(), 2u);
    EXPECT_TRUE(document.m_bProjectOpen);
}

} // namespace
