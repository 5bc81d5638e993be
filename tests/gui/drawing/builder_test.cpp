#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QMessageBox>
#include <QTimer>
#include <QScreen>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "gui/app/AboutDialog.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/calculation/CParamPointDlg.h"
#include "gui/calculation/CPointCalcDlg.h"
#include "gui/chart/CQORVAView.h"
#include "gui/app/QtMessageService.h"
#include "gui/drawing/ChartBuilder.h"
#include "model/ChartFormulas.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

// The program's window on the sample project, driven by the mouse and the
// dialogs as a user drives it.
class Builder : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    std::unique_ptr<CMainFrame> frame;
    CQORVAView* view = nullptr;
    ChartBuilder* builder = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(document.OnOpenDocument(kSample));
        frame = std::make_unique<CMainFrame>(document);
        view = frame->view();
        view->setScreenWidth(1920);
        frame->resize(1200, 800);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        view->grab();
        builder = frame->findChild<ChartBuilder*>("ChartBuilder");
        ASSERT_NE(builder, nullptr);
    }

    const CIDG& idg() { return document.model(); }
    int points() { return static_cast<int>(idg().m_pPoints->size()); }
    const CStatePoint& point(int i) { return *(*idg().m_pPoints)[static_cast<std::size_t>(i)]; }
    void command(int id)
    {
        frame->updateCommandStates();
        ASSERT_TRUE(frame->action(id)->isEnabled()) << id;
        frame->action(id)->trigger();
    }
    void send(QEvent::Type type, QPoint logical, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF at = view->deviceFromLogical(logical);
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    }
    void click(QPoint p)
    {
        send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    void drag(QPoint from, QPoint to)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    QPoint at(int pointIndex)
    {
        const CanvasPoint p = view->chart().PointPosition(point(pointIndex));
        return QPoint(p.x, p.y);
    }
    QPoint atLine(int lineIndex)
    {
        const CGuoChengXian& line = *(*idg().m_pProcessLines)[static_cast<std::size_t>(lineIndex)];
        return (at(line.m_nStart) + at(line.m_nEnd)) / 2;
    }
    // A spot of the chart with nothing on it: fractions of the chart area.
    QPoint empty(double fx, double fy)
    {
        const ChartLayout& l = view->chart().layout();
        return QPoint(l.m_nChartLeft + int(l.m_nChartWidth * fx), l.m_nChartTop + int(l.m_nChartHeight * fy));
    }
    template <class T> T* field(const char* name)
    {
        EXPECT_NE(builder->dialog(), nullptr);
        return builder->dialog() ? builder->dialog()->findChild<T*>(name) : nullptr;
    }
    void type(const char* name, const QString& text)
    {
        QLineEdit* edit = field<QLineEdit>(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void typeIn(const char* combo, const QString& text)
    {
        QComboBox* box = field<QComboBox>(combo);
        ASSERT_NE(box, nullptr) << combo;
        box->setEditText(text);
    }
    void press(const char* button) { QTest::mouseClick(field<QPushButton>(button), Qt::LeftButton); }
    // "..." then a click on the chart.
    void pick(const char* list, QPoint onChart)
    {
        press((std::string(list) + "Pick").c_str());
        EXPECT_FALSE(builder->dialog()->isVisible());
        click(onChart);
        EXPECT_TRUE(builder->dialog()->isVisible());
    }
    std::vector<std::uint8_t> bytes() { return ProjectFile::toBytes(idg(), "", 0); }
    // Picks point i in select mode and opens its edit dialog with 编辑.
    void edit(int pointIndex)
    {
        if (view->viewMode() != CQORVAView::kModePick)
            command(cmd::Pick);
        click(at(pointIndex));
        ASSERT_EQ(view->chart().m_nPickIndex, pointIndex);
        command(cmd::Edit);
        ASSERT_NE(builder->dialog(), nullptr);
    }
    QString text(const char* name) { return field<QLineEdit>(name)->text(); }
    const StateRegion full() { return idg().FullChartStates(); }
    // Four points around the chart's middle and two process lines crossing there.
    void crossingLines()
    {
        DocumentEdits edits(document);
        const auto rh = SecondProperty::RelativeHumidity;
        ASSERT_TRUE(edits.AddIndependentPoint("PA", 20, 0.3f, rh, full()));
        ASSERT_TRUE(edits.AddIndependentPoint("PB", 30, 0.7f, rh, full()));
        ASSERT_TRUE(edits.AddIndependentPoint("PC", 20, 0.7f, rh, full()));
        ASSERT_TRUE(edits.AddIndependentPoint("PD", 30, 0.3f, rh, full()));
        const int a = points() - 4;
        ASSERT_TRUE(document.ChangeCurrentRoom("lines", [a](CIDG& chart) {
            return chart.AddProcessLine("PAB", a, a + 1) && chart.AddProcessLine("PCD", a + 2, a + 3);
        }));
    }
};

TEST_F(Builder, MixingPointPickedOnTheChartPreviewedAndAddedAsOneNamedStep)
{
    const int before = points();
    command(cmd::DrawMixingPoint);
    EXPECT_EQ(builder->dialog()->windowTitle(), "绘制混合点");
    EXPECT_EQ(field<QLineEdit>("name")->text(), "MixPt1");
    type("name", "M");
    // A click on a line while a point is asked for is ignored.
    press("point1Pick");
    click(empty(0.05, 0.05));
    EXPECT_FALSE(builder->dialog()->isVisible());
    click(at(0));
    EXPECT_TRUE(builder->dialog()->isVisible());
    pick("point2", at(1));
    EXPECT_EQ(field<QComboBox>("point1")->currentIndex(), 0);
    EXPECT_EQ(field<QComboBox>("point2")->currentIndex(), 1);
    type("ratio", "30");
    EXPECT_TRUE(view->hasPreviewPoint());
    press("ok");
    ASSERT_EQ(points(), before + 1);
    const CStatePoint& c = point(before);
    EXPECT_EQ(c.m_strName, "M");
    EXPECT_EQ(c.m_nKind, CStatePoint::kMixing);
    EXPECT_FLOAT_EQ(c.m_fMixRatio, 0.30f);
    EXPECT_FALSE(view->hasPreviewPoint());
    frame->updateCommandStates();
    EXPECT_EQ(frame->action(cmd::EditUndo)->text(), "撤消 添加混合点 M");
    EXPECT_TRUE(frame->action(cmd::EditUndo)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::EditRedo)->isEnabled());
    command(cmd::EditUndo);
    EXPECT_EQ(points(), before);
    EXPECT_EQ(frame->action(cmd::EditRedo)->text(), "重做 添加混合点 M");
}

// Each refusal of the builder dialogs: the exact message, the dialog stays
// open and the project is as it was.
TEST_F(Builder, RefusalsShowTheirMessageAndChangeNothing)
{
    struct Case {
        const char* what;
        std::function<void()> fill;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"mixing one point with itself",
         [&] {
             command(cmd::DrawMixingPoint);
             pick("point2", at(1));
         },
         "两个参考点不能相同，请修改！"},
        {"mixing point named as W",
         [&] {
             command(cmd::DrawMixingPoint);
             type("name", "W");
         },
         "状态点名非法或者已经存在，请检查！"},
        {"ε line through one point twice",
         [&] {
             command(cmd::DrawHhrLine);
             field<QRadioButton>("byPoint2")->setChecked(true);
         },
         "两点相同，请修正！"},
        {"ε line without a name",
         [&] {
             command(cmd::DrawHhrLine);
             type("name", "");
             type("ratio", "5000");
         },
         "名字非法或该名称已经存在，请重新命名！"},
        {"comfort zone beyond saturation",
         [&] {
             command(cmd::DrawComfortZone);
             field<QComboBox>("base")->setCurrentIndex(1);
             type("dRH", "60");
         },
         "相对湿度波动超出范围"},
        {"mixing ratio 150 %",
         [&] {
             command(cmd::DrawMixingPoint);
             type("ratio", "150");
         },
         "混风比必须为0到100之间的数(%)!"},
        {"mixing ratio left empty",
         [&] {
             command(cmd::DrawMixingPoint);
             type("ratio", "");
         },
         "混风比必须为0到100之间的数(%)!"},
        {"empty text",
         [&] {
             command(cmd::DrawText);
             click(empty(0.3, 0.2));
             type("text", "");
         },
         "说明文字为空，请输入文字!"},
        {"blank text",
         [&] {
             // The text mode stays after a cancelled text: a click opens the next.
             ASSERT_EQ(view->viewMode(), CQORVAView::kModeText);
             click(empty(0.3, 0.2));
             type("text", "   ");
         },
         "说明文字为空，请输入文字!"},
    };
    for (const Case& c : cases) {
        messages.clear();
        const std::vector<std::uint8_t> before = bytes();
        c.fill();
        press("ok");
        EXPECT_THAT(messages.texts(), ::testing::ElementsAre(c.message)) << c.what;
        EXPECT_TRUE(builder->dialog()->isVisible()) << c.what;
        EXPECT_EQ(bytes(), before) << c.what;
        press("cancel");
    }
    EXPECT_EQ(document.undoStack().count(), 0);
}

TEST_F(Builder, EqualEnthalpyPointOffersOnlyItsValueKinds)
{
    command(cmd::DrawEqualEnthalpyPoint);
    EXPECT_EQ(builder->dialog()->windowTitle(), "绘制等焓点");
    EXPECT_FALSE(field<QRadioButton>("kind6")->isEnabled()); // enthalpy is fixed
    pick("base", at(1));
    field<QRadioButton>("kind3")->setChecked(true);
    type("value3", "90");
    type("name", "H1");
    const int before = points();
    press("ok");
    ASSERT_EQ(points(), before + 1);
    EXPECT_EQ(point(before).m_nKind, CStatePoint::kEqualEnthalpy);
    EXPECT_NEAR(point(before).m_RH, 0.90f, 1e-3);
    EXPECT_NEAR(point(before).m_h, point(1).m_h, 0.01);
}

// In IP the builders take °F, gr/lb and Btu/lb and store °C, kg/kg and
// kJ/kg.
TEST_F(Builder, BuildersTakeIpUnits)
{
    document.SetUnitSystem(CIDG::kUnitsIP);
    command(cmd::DrawIndependentPoint);
    click(empty(0.4, 0.4));
    EXPECT_EQ(field<QRadioButton>("byTw")->text(), "湿球温度℉");
    type("t", "77");
    type("tw", "64.4");
    typeIn("name", "PF");
    int before = points();
    press("ok");
    ASSERT_EQ(points(), before + 1) << ::testing::PrintToString(messages.texts());
    EXPECT_NEAR(point(before).m_t, 25.0, 1e-4);
    EXPECT_NEAR(point(before).m_tw, 18.0, 1e-4);

    // 68 ℉ is 20 ℃; 70 gr/lb is 10 g/kg.
    for (const auto& [kind, typed, member, expected] : {std::tuple{"2", "68", &CStatePoint::m_t, 20.0f},
                                                        std::tuple{"4", "70", &CStatePoint::m_d, 0.010f}}) {
        SCOPED_TRACE(kind);
        command(cmd::DrawEqualEnthalpyPoint);
        pick("base", at(1));
        field<QRadioButton>((std::string("kind") + kind).c_str())->setChecked(true);
        type((std::string("value") + kind).c_str(), typed);
        type("name", QStringLiteral("H%1").arg(kind));
        before = points();
        press("ok");
        ASSERT_EQ(points(), before + 1) << ::testing::PrintToString(messages.texts());
        EXPECT_NEAR(point(before).*member, expected, 1e-4);
        EXPECT_NEAR(point(before).m_h, point(1).m_h, 0.01);
    }
    // 4299.226 Btu/lb is an ε of 10000 kJ/kg.
    command(cmd::DrawHhrLine);
    field<QRadioButton>("byRatio")->setChecked(true);
    type("ratio", "4299.226");
    press("ok");
    const CReShiBiXian& line = *idg().m_pHhrLines->back();
    EXPECT_NEAR(line.m_fRatio, 10000.0, 0.5);
}

// A small process by mouse and dialogs alone, undone to the start and redone.
TEST_F(Builder, AProcessBuiltByMouseUndoesAndRedoesByteForByte)
{
    const std::vector<std::uint8_t> start = bytes();
    const int first = points();
    // Two independent points by clicks.
    command(cmd::DrawIndependentPoint);
    for (const auto& [name, t, rh, fx] :
         {std::tuple{"A", "30", "60", 0.2}, std::tuple{"B", "20", "40", 0.1}}) {
        click(empty(fx, 0.3));
        ASSERT_NE(builder->dialog(), nullptr);
        EXPECT_EQ(builder->dialog()->windowTitle(), "独立状态点");
        typeIn("name", name);
        type("t", t);
        field<QRadioButton>("byRH")->setChecked(true);
        type("RH", rh);
        press("ok");
    }
    ASSERT_EQ(points(), first + 2);
    EXPECT_NEAR(point(first).m_RH, 0.60f, 1e-4);
    // A click on an existing point edits it.
    click(at(first));
    EXPECT_EQ(field<QComboBox>("name")->currentText(), "A");
    press("cancel");
    command(cmd::DrawIndependentPoint);
    // A process line dragged from A to B.
    command(cmd::DrawProcessLine);
    drag(at(first), at(first + 1));
    ASSERT_NE(builder->dialog(), nullptr);
    EXPECT_EQ(field<QComboBox>("start")->currentText(), "A");
    press("ok");
    const int line = static_cast<int>(idg().m_pProcessLines->size()) - 1;
    EXPECT_EQ((*idg().m_pProcessLines)[static_cast<std::size_t>(line)]->m_nEnd, first + 1);
    command(cmd::DrawProcessLine);
    // A mixing point on the line, an equal-moisture point, a comfort zone, a text.
    command(cmd::DrawMixingPoint);
    pick("line", atLine(line));
    type("ratio", "50");
    press("ok");
    command(cmd::DrawEqualMoisturePoint);
    pick("base", at(first));
    field<QRadioButton>("kind2")->setChecked(true);
    type("value2", "35");
    press("ok");
    command(cmd::DrawComfortZone);
    field<QComboBox>("base")->setCurrentIndex(1);
    press("ok");
    command(cmd::DrawText);
    click(empty(0.3, 0.2));
    type("text", "SA");
    press("ok");
    EXPECT_TRUE(messages.entries.empty());
    QUndoStack& stack = document.undoStack();
    QStringList steps;
    for (int i = 0; i < stack.count(); ++i)
        steps << stack.text(i);
    ASSERT_EQ(stack.count(), 7) << steps.join(" / ").toStdString() << " " << messages.texts().size();
    const std::vector<std::uint8_t> end = bytes();
    while (stack.canUndo())
        command(cmd::EditUndo);
    EXPECT_EQ(bytes(), start);
    while (stack.canRedo())
        command(cmd::EditRedo);
    EXPECT_EQ(bytes(), end);
}

TEST_F(Builder, FreeTextIsDrawnWhereItWasClicked)
{
    // On a smaller screen than the standard one, where stored places and
    // device pixels differ.
    view->setScreenWidth(1366);
    view->grab();
    const QPoint clicked = empty(0.3, 0.25);
    command(cmd::DrawText);
    click(clicked);
    type("text", "SA");
    press("ok");
    ASSERT_TRUE(messages.entries.empty());
    const CCommentString& text = *idg().m_pTexts->back();
    ASSERT_EQ(text.m_strText, "SA");
    EXPECT_EQ(text.m_nKind, 0);
    view->grab();
    // Drawn with its lower left corner at the click; picking uses this box.
    const CanvasRect drawn = view->chart().TextPickRectangle(static_cast<int>(idg().m_pTexts->size()) - 1);
    EXPECT_NEAR(drawn.left, clicked.x(), 1);
    EXPECT_NEAR(drawn.bottom, clicked.y(), 1);
}

TEST_F(Builder, PickedObjectIsNamedEditedByDoubleClickAndDeletedByTheDeleteKey)
{
    ASSERT_TRUE(
        document.ChangeCurrentRoom("t", [](CIDG& chart) { return chart.AddProcessLine("WL", 0, 3); }));
    const int lines = static_cast<int>(idg().m_pProcessLines->size());
    // W to the sample's point L (3): the sample's own lines cover all of W–N.
    const QPoint onLine = (at(0) + at(3)) / 2;
    command(cmd::Pick);
    click(onLine);
    EXPECT_EQ(view->chart().m_nPickClass, CIDG::kClassProcessLine);
    EXPECT_THAT(view->statusText().toStdString(), ::testing::HasSubstr("过程线 WL"));
    const QPointF device = view->deviceFromLogical(onLine);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, device.toPoint());
    ASSERT_NE(builder->dialog(), nullptr);
    EXPECT_EQ(builder->dialog()->windowTitle(), "过程线");
    press("cancel");
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(static_cast<int>(idg().m_pProcessLines->size()), lines - 1);
    EXPECT_EQ(document.undoStack().undoText(), "删除过程线 WL");
    // A point with a dependant is not deleted, with the reason.
    click(at(0));
    messages.clear();
    command(cmd::Delete);
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("室外点W和室内点N为特殊点，不允许删除"));
}

// 编辑 on a picked derived point opens the dialog of its kind.
TEST_F(Builder, EachDerivedPointOpensItsEditDialog)
{
    crossingLines();
    DocumentEdits edits(document);
    const int lines = static_cast<int>(idg().m_pProcessLines->size());
    struct Case {
        std::function<bool()> make;
        const char* title;
    };
    const std::vector<Case> cases = {
        {[&] { return edits.AddMixingPoint("M", 0, 1, 40, full()); }, "修改混合点"},
        {[&] {
             return edits.AddLinePoint(CIDG::kMethodEqualMoisture, 1, CStatePoint::kDryBulb, 35, "Q", full());
         },
         "修改等含湿量点"},
        {[&] {
             return edits.AddLinePoint(CIDG::kMethodEqualEnthalpy, 1, CStatePoint::kRelativeHumidity, 0.9f,
                                       "H", full());
         },
         "修改等焓点"},
        {[&] {
             return edits.AddLinePoint(CIDG::kMethodEqualTemperature, 1, CStatePoint::kRelativeHumidity, 0.9f,
                                       "T", full());
         },
         "修改等温点"},
        {[&] {
             return edits.AddLinePoint(CIDG::kMethodProcessLine, lines - 2, CStatePoint::kDryBulb, 22, "G",
                                       full());
         },
         "修改同一过程线上的点"},
        {[&] { return edits.AddLinePoint(CIDG::kMethodHhrLine, 0, CStatePoint::kDryBulb, 33, "E", full()); },
         "修改同一热湿比线上的点"},
        {[&] { return edits.AddIntersection(CIDG::kCrossProcessProcess, lines - 2, lines - 1, "X", full()); },
         "修改过程线与过程线交点"},
        {[&] { return edits.AddRelatedPoints(0, 0, 4, 0, 22, "R0", "R1", full()); }, "修改两个相关状态点"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.make()) << c.title;
        edit(points() - (std::string(c.title) == "修改两个相关状态点" ? 2 : 1));
        EXPECT_EQ(builder->dialog()->windowTitle(), c.title);
        press("cancel");
    }
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(Builder, MixingPointEditedByShareShownByCalculateAndMadeIndependent)
{
    ASSERT_TRUE(DocumentEdits(document).AddMixingPoint("M", 0, 1, 40, full()));
    const int m = points() - 1;
    edit(m);
    EXPECT_EQ(text("point1"), QString::fromStdString(point(0).m_strName));
    EXPECT_EQ(text("ratio"), "40");
    EXPECT_EQ(text("stateT"), QString::asprintf("%.1f", point(m).m_t));
    type("ratio", "70");
    press("calculate");
    const float t70 = 0.3f * point(0).m_t + 0.7f * point(1).m_t;
    EXPECT_NEAR(text("stateT").toDouble(), t70, 0.3);
    EXPECT_TRUE(view->hasPreviewPoint());
    // A name of another point is refused with the reason.
    type("name", "W");
    messages.clear();
    press("ok");
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("混合点名称非法或已经存在，请检查！"));
    EXPECT_FLOAT_EQ(point(m).m_fMixRatio, 0.40f);
    type("name", "M2");
    press("ok");
    EXPECT_FLOAT_EQ(point(m).m_fMixRatio, 0.70f);
    EXPECT_EQ(point(m).m_strName, "M2");
    EXPECT_EQ(document.undoStack().undoText(), "修改混合点 M2");
    edit(m);
    press("independent");
    EXPECT_FALSE(field<QPushButton>("independent")->isEnabled());
    EXPECT_EQ(point(m).m_nKind, CStatePoint::kMixing); // only OK converts
    press("ok");
    EXPECT_EQ(point(m).m_nKind, CStatePoint::kIndependent);
    EXPECT_EQ(point(m).m_nMixSrc1, -1);
}

TEST_F(Builder, LinePointEditedOnItsBaseAndRefusedWithoutAName)
{
    ASSERT_TRUE(DocumentEdits(document).AddLinePoint(CIDG::kMethodEqualEnthalpy, 1,
                                                     CStatePoint::kRelativeHumidity, 0.9f, "H", full()));
    const int h = points() - 1;
    edit(h);
    EXPECT_FALSE(field<QComboBox>("base")->isEnabled());
    EXPECT_EQ(field<QComboBox>("base")->currentIndex(), 1);
    EXPECT_TRUE(field<QRadioButton>("kind3")->isChecked());
    EXPECT_EQ(text("value3"), "90.00");
    type("value3", "60");
    press("calculate");
    EXPECT_EQ(text("stateRH"), "60");
    type("name", "");
    messages.clear();
    press("ok");
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("状态点名称不能为空！"));
    EXPECT_NEAR(point(h).m_RH, 0.9f, 1e-3);
    type("name", "H");
    press("independent");
    press("ok");
    EXPECT_NEAR(point(h).m_RH, 0.6f, 1e-3);
    EXPECT_NEAR(point(h).m_h, point(1).m_h, 0.05);
    EXPECT_EQ(point(h).m_nKind, CStatePoint::kIndependent);
    EXPECT_EQ(document.undoStack().count(), 2);
}

TEST_F(Builder, IntersectionShowsItsStateAndIsRenamed)
{
    crossingLines();
    const int lines = static_cast<int>(idg().m_pProcessLines->size());
    ASSERT_TRUE(DocumentEdits(document).AddIntersection(CIDG::kCrossProcessProcess, lines - 2, lines - 1, "X",
                                                        full()));
    const int x = points() - 1;
    edit(x);
    EXPECT_EQ(text("line1"), "PAB");
    EXPECT_EQ(text("line2"), "PCD");
    messages.clear();
    press("state");
    EXPECT_THAT(messages.texts(),
                ::testing::ElementsAre(QString::asprintf("干球温度：%5.1f℃\n湿球温度%5.1f℃\n相对湿度%5.0f",
                                                         point(x).m_t, point(x).m_tw, point(x).m_RH * 100.0)
                                           .toStdString()));
    // A taken name keeps the dialog open without a word.
    type("name", "PA");
    messages.clear();
    press("ok");
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_TRUE(builder->dialog()->isVisible());
    type("name", "X1");
    press("independent");
    press("ok");
    EXPECT_EQ(point(x).m_strName, "X1");
    EXPECT_EQ(point(x).m_nKind, CStatePoint::kIndependent);
}

TEST_F(Builder, RelatedPointsBuiltOnAPickedLineRefusedAndEdited)
{
    command(cmd::DrawRelatedPoints);
    EXPECT_EQ(builder->dialog()->windowTitle(), "绘制两个相关状态点");
    EXPECT_TRUE(field<QRadioButton>("difference0")->isChecked());
    EXPECT_TRUE(field<QRadioButton>("property0")->isChecked());
    EXPECT_FALSE(field<QLineEdit>("propertyValue1")->isEnabled());
    type("differenceValue0", "4");
    type("propertyValue0", "22");
    struct Case {
        std::function<void()> fill;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {[] {}, {"请选择热湿比线！"}},
        {[&] {
             field<QComboBox>("hhrLine")->setCurrentIndex(0);
             type("name2", "R0");
         },
         {"两个相关状态点名字不得相同！"}},
        {[&] {
             type("name2", "R1");
             type("propertyValue0", "190");
         },
         {"无法得到两个相关状态点!"}},
    };
    type("name1", "R0");
    const int before = points();
    for (const Case& c : cases) {
        c.fill();
        messages.clear();
        press("ok");
        EXPECT_EQ(messages.texts(), c.messages);
        EXPECT_EQ(points(), before);
    }
    type("propertyValue0", "22");
    EXPECT_TRUE(view->hasPreviewPoint());
    press("ok");
    ASSERT_EQ(points(), before + 2);
    EXPECT_EQ(point(before).m_nKind, CStatePoint::kRelatedPair);
    EXPECT_EQ(point(before).m_nRelPartner, before + 1);
    EXPECT_NEAR(std::min(std::fabs(point(before).m_t - 22.0f), std::fabs(point(before + 1).m_t - 22.0f)), 0.0,
                0.05);
    EXPECT_NEAR(std::fabs(point(before + 1).m_t - point(before).m_t), 4.0, 0.05);

    // Either point opens the pair; 计      算 shows, OK changes.
    edit(before + 1);
    EXPECT_EQ(text("name1"), "R0");
    EXPECT_EQ(text("differenceValue0"), "4.00");
    EXPECT_FALSE(field<QComboBox>("hhrLine")->isEnabled());
    type("differenceValue0", "6");
    const std::vector<std::uint8_t> unchanged = bytes();
    press("calculate");
    EXPECT_EQ(bytes(), unchanged);
    EXPECT_NEAR(std::fabs(text("stateT2").toDouble() - text("stateT1").toDouble()), 6.0, 0.15);
    type("name2", "R9");
    press("ok");
    EXPECT_EQ(point(before + 1).m_strName, "R9");
    EXPECT_NEAR(std::fabs(point(before + 1).m_t - point(before).m_t), 6.0, 0.05);
    EXPECT_EQ(document.undoStack().undoText(), "修改相关状态点 R0、R9");
}

TEST_F(Builder, IndependentPointTakesItsStateFromTheParameterCalculator)
{
    command(cmd::DrawIndependentPoint);
    click(empty(0.4, 0.4));
    press("calculator");
    auto* calculator = builder->dialog()->findChild<CParamPointDlg*>();
    ASSERT_NE(calculator, nullptr);
    calculator->findChild<QCheckBox*>("known_tw")->setChecked(false);
    calculator->findChild<QCheckBox*>("known_rh")->setChecked(true);
    calculator->findChild<QLineEdit*>("t")->setText("24");
    calculator->findChild<QLineEdit*>("rh")->setText("55");
    QTest::mouseClick(calculator->findChild<QPushButton*>("back"), Qt::LeftButton);
    EXPECT_EQ(text("t"), "24.0");
    EXPECT_EQ(text("RH"), "55");
    EXPECT_FALSE(text("tw").isEmpty());
    typeIn("name", "PX");
    field<QRadioButton>("byRH")->setChecked(true);
    const int before = points();
    press("ok");
    ASSERT_EQ(points(), before + 1) << ::testing::PrintToString(messages.texts());
    EXPECT_NEAR(point(before).m_RH, 0.55f, 1e-4);
}

// The calculation dialogs' "..." picks on the chart like the builders'.
TEST_F(Builder, CalculationDialogPicksAPointOnTheChart)
{
    command(cmd::CalcMixingRatio);
    auto* dialog = frame->findChild<CPointCalcDlg*>();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->findChild<QPushButton*>("pick1"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    click(empty(0.05, 0.05)); // beside every point: still picking
    EXPECT_FALSE(dialog->isVisible());
    click(at(1));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QComboBox*>("point1")->currentIndex(), 1);
    EXPECT_EQ(dialog->armedRow(), -1);
    // A right click gives the pick up.
    QTest::mouseClick(dialog->findChild<QPushButton*>("pick0"), Qt::LeftButton);
    send(QEvent::MouseButtonPress, empty(0.5, 0.5), Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->armedRow(), -1);
    EXPECT_NE(view->viewMode(), CQORVAView::kModeBuilderPick);
}

TEST_F(Builder, ShellCorrections)
{
    EXPECT_EQ(frame->action(cmd::Pick)->toolTip(), "拾取图形元素");
    command(cmd::ShowHhrLines);
    EXPECT_EQ(idg().m_bShowHhrLines, 0);
}

// One name everywhere: the window and the About box say QORVA V3.4.
TEST_F(Builder, TheProgramCallsItselfQorva)
{
    EXPECT_EQ(frame->windowTitle(), "office.id - QORVA V3.4");
    AboutDialog about(frame.get());
    EXPECT_EQ(about.windowTitle(), "关于QORVA V3.4");
    QStringList labels;
    for (const QLabel* label : about.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("QORVA V3.4.009")) << labels.join("|").toStdString();
    EXPECT_TRUE(labels.contains("版权所有 侵权必究"));
}

// An opened project shows its whole page, also after the user zoomed in.
TEST_F(Builder, AnOpenedProjectShowsTheWholePage)
{
    auto fits = [this] {
        const QSize client = view->viewport()->size();
        const QSize page = view->deviceSize();
        // Fitted while a scroll bar was still showing, the page may fall short by its width.
        const int bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 1;
        return page.width() <= client.width() && page.height() <= client.height() &&
               (page.width() >= client.width() - bar || page.height() >= client.height() - bar);
    };
    EXPECT_TRUE(fits()) << view->deviceSize().width() << "x" << view->deviceSize().height() << " in "
                        << view->viewport()->width() << "x" << view->viewport()->height();
    view->DoZoomIn(nullptr, 3.0);
    EXPECT_FALSE(fits());
    ASSERT_TRUE(document.OnOpenDocument(kSample));
    EXPECT_TRUE(fits()) << view->deviceSize().width() << "x" << view->deviceSize().height() << " in "
                        << view->viewport()->width() << "x" << view->viewport()->height();
}

// The wheel scrolls the chart under a cursor that stays: the readout follows.
// New points are accepted anywhere on the full drawn chart, also outside a
// zoomed window, and never above its top edge.
TEST_F(Builder, NewPointsMayLieAnywhereOnTheFullChart)
{
    ChartRenderer standard(idg());
    standard.LayoutChart(chart::standardDevice());
    const CanvasRect chart = standard.ChartRectangle();
    const int left = chart.left + chart.width() / 2, top = chart.top + chart.height() / 2;
    const auto window = standard.ClipWindow(left, top, left + chart.width() / 4, top + chart.height() / 4);
    ASSERT_TRUE(window.has_value());
    document.ClipChart(*window, left, top);
    ASSERT_GT(idg().m_fZoom, 1.0f);
    struct Case {
        float t, x;
        bool inside;
    };
    for (const Case& c : {Case{2.0f, 0.003f, true}, Case{45.0f, 0.02f, true}, Case{120.0f, 0.01f, false}}) {
        CStatePoint state;
        state.m_t = c.t;
        state.m_d = c.x;
        state.m_bKnownT = state.m_bKnownD = 1;
        ASSERT_TRUE(idg().CalcStatePoint(state));
        EXPECT_EQ(view->DrawnWindow().Contains(state), c.inside) << c.t;
    }
}

TEST_F(Builder, TheReadoutFollowsTheCursorAfterTheWheel)
{
    const QPoint indoor = at(1);
    view->DoZoomIn(&indoor, 4.0);
    const QPoint device = view->deviceFromLogical(indoor);
    QMouseEvent move(QEvent::MouseMove, device, view->viewport()->mapToGlobal(device), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    const QString before = view->statusText();
    ASSERT_TRUE(before.startsWith("t="))
        << before.toStdString() << " " << view->StateTextAt(view->logicalFromDevice(device)).toStdString()
        << " " << view->logicalFromDevice(device).x() << "," << view->logicalFromDevice(device).y();
    const int scrolled = view->verticalScrollBar()->value();
    QWheelEvent wheel(device, view->viewport()->mapToGlobal(device), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    ASSERT_NE(view->verticalScrollBar()->value(), scrolled);
    EXPECT_NE(view->statusText(), before);
    EXPECT_EQ(view->statusText(), view->StateTextAt(view->logicalFromDevice(device)));
}

// The refusals of a mixing ratio of 150 % and of an empty text as the
// program shows them (run under a display with QORVA_SCREENSHOT_DIR set).
TEST_F(Builder, RefusalScreenshots)
{
    const QString folder = QString::fromLocal8Bit(qgetenv("QORVA_SCREENSHOT_DIR"));
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    QtMessageService shown(frame.get());
    setMessageService(&shown);
    frame->resize(1400, 900);
    view->OnZoomAll();
    const auto refuse = [&](const char* picture) {
        bool seen = false;
        QTimer::singleShot(500, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box != nullptr;
            EXPECT_TRUE(QApplication::primaryScreen()
                            ->grabWindow(0, 0, 0, frame->width(), frame->height())
                            .save(folder + "/" + picture + ".png"));
            if (box)
                box->accept();
        });
        press("ok");
        EXPECT_TRUE(seen) << picture;
        press("cancel");
    };
    command(cmd::DrawMixingPoint);
    type("ratio", "150");
    refuse("refusal-mixing-ratio");
    command(cmd::DrawText);
    click(empty(0.3, 0.2));
    type("text", "");
    refuse("refusal-empty-text");
    setMessageService(&messages);
}

// Pictures of the builder dialogs over the chart, a chart with an object of
// every kind, the preview of a mixing point and the menu naming the step to
// undo (run under a display with QORVA_SCREENSHOT_DIR set).
TEST_F(Builder, Screenshots)
{
    const QString folder = QString::fromLocal8Bit(qgetenv("QORVA_SCREENSHOT_DIR"));
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    frame->resize(1400, 900);
    view->OnZoomAll();
    // The frame with the given top-level windows (dialogs, menus) drawn over it where they stand.
    auto save = [&](const QString& name, std::initializer_list<QWidget*> windows) {
        QApplication::processEvents();
        QImage image = frame->grab().toImage();
        QPainter painter(&image);
        constexpr int kCaptionHeight = 24;
        for (QWidget* window : windows) {
            const QPoint at = window->mapToGlobal(QPoint()) - frame->mapToGlobal(QPoint());
            painter.drawPixmap(at, window->grab());
            if (window->windowTitle().isEmpty())
                continue;
            // A caption as a window manager would draw it, naming the dialog.
            const QRect caption(at - QPoint(0, kCaptionHeight), QSize(window->width(), kCaptionHeight));
            painter.fillRect(caption, QColor(60, 90, 150));
            painter.setPen(Qt::white);
            painter.drawText(caption.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                             window->windowTitle());
        }
        painter.end();
        ASSERT_TRUE(image.save(folder + "/" + name + ".png")) << name.toStdString();
    };
    auto placeDialog = [&] {
        QWidget* dialog = builder->dialog();
        dialog->adjustSize();
        dialog->move(frame->mapToGlobal(QPoint(frame->width() - dialog->width() - 30, 90)));
    };
    auto shoot = [&](const QString& name) {
        ASSERT_NE(builder->dialog(), nullptr) << name.toStdString();
        placeDialog();
        save(name, {builder->dialog()});
        press("cancel");
    };

    // The mixing dialog opening on the sample after a 送风量 from the supply
    // point O to N: N and W, the fresh-air share of that volume.
    command(cmd::CalcAirVolume);
    auto* airVolume = frame->findChild<CPointCalcDlg*>();
    ASSERT_NE(airVolume, nullptr);
    auto* supply = airVolume->findChild<QComboBox*>("point0");
    ASSERT_GE(supply->findText("O"), 0);
    supply->setCurrentIndex(supply->findText("O"));
    QTest::mouseClick(airVolume->findChild<QPushButton*>("ok"), Qt::LeftButton);
    ASSERT_GT(idg().m_fSupplyAirVolume, 0.0f) << ::testing::PrintToString(messages.texts());
    command(cmd::DrawMixingPoint);
    shoot("mixing-dialog-sample");

    crossingLines();
    DocumentEdits edits(document);
    ASSERT_TRUE(edits.AddHhrLine("E1", points() - 4, false, -1, 5000));
    const int lines = static_cast<int>(idg().m_pProcessLines->size());
    const int hhr = static_cast<int>(idg().m_pHhrLines->size());

    command(cmd::DrawIndependentPoint);
    click(empty(0.45, 0.35));
    shoot("builder-independent-point");
    command(cmd::DrawIndependentPoint);
    command(cmd::DrawProcessLine);
    drag(empty(0.3, 0.5), empty(0.5, 0.3));
    shoot("builder-process-line");
    command(cmd::DrawProcessLine);
    const std::pair<int, const char*> dialogs[] = {
        {cmd::DrawHhrLine, "builder-hhr-line"},
        {cmd::DrawRelatedPoints, "builder-related-points"},
        {cmd::DrawEqualMoisturePoint, "builder-equal-moisture"},
        {cmd::DrawEqualEnthalpyPoint, "builder-equal-enthalpy"},
        {cmd::DrawEqualTemperaturePoint, "builder-equal-temperature"},
        {cmd::DrawPointOnProcessLine, "builder-on-process-line"},
        {cmd::DrawPointOnHhrLine, "builder-on-hhr-line"},
        {cmd::DrawProcessCrossProcess, "builder-cross-process-process"},
        {cmd::DrawProcessCrossHhr, "builder-cross-process-hhr"},
        {cmd::DrawHhrCrossHhr, "builder-cross-hhr-hhr"},
        {cmd::DrawComfortZone, "builder-comfort-zone"}};
    for (const auto& [id, name] : dialogs) {
        command(id);
        shoot(name);
    }
    command(cmd::DrawText);
    click(empty(0.2, 0.2));
    shoot("builder-text");
    command(cmd::DrawText);

    // The preview of a mixing point while its share is typed, the chart
    // magnified around the indoor point.
    const QPoint indoor = at(1);
    view->DoZoomIn(&indoor, 2.0);
    command(cmd::DrawMixingPoint);
    pick("point1", at(0));
    pick("point2", at(1));
    type("ratio", "35");
    ASSERT_TRUE(view->hasPreviewPoint());
    shoot("builder-mixing-point-preview");

    // One object of every kind.
    const int a = points() - 4;
    const auto full = idg().FullChartStates();
    ASSERT_TRUE(edits.AddMixingPoint("M", 0, 1, 35, full));
    ASSERT_TRUE(edits.AddRelatedPoints(0, 0, 4, 0, 22, "R0", "R1", full));
    ASSERT_TRUE(edits.AddLinePoint(CIDG::kMethodEqualMoisture, 1, CStatePoint::kDryBulb, 35, "Dx", full));
    ASSERT_TRUE(
        edits.AddLinePoint(CIDG::kMethodEqualEnthalpy, 1, CStatePoint::kRelativeHumidity, 0.9f, "Dh", full));
    ASSERT_TRUE(edits.AddLinePoint(CIDG::kMethodEqualTemperature, a, CStatePoint::kRelativeHumidity, 0.9f,
                                   "Dt", full));
    ASSERT_TRUE(
        edits.AddLinePoint(CIDG::kMethodProcessLine, lines - 2, CStatePoint::kDryBulb, 24, "G", full));
    ASSERT_TRUE(edits.AddLinePoint(CIDG::kMethodHhrLine, hhr - 1, CStatePoint::kDryBulb, 28, "Ge", full));
    ASSERT_TRUE(edits.AddIntersection(CIDG::kCrossProcessProcess, lines - 2, lines - 1, "X", full));
    ASSERT_TRUE(edits.AddIntersection(CIDG::kCrossHhrHhr, 0, hhr - 1, "Xe", full));
    ASSERT_TRUE(edits.AddIntersection(CIDG::kCrossProcessHhr, lines - 1, hhr - 1, "Xpe", full));
    ASSERT_TRUE(edits.MakeComfortZone(1, 1.0f, 10.0f));
    const QPoint place = view->ChartRelative(at(1) + QPoint(120, 60));
    ASSERT_TRUE(edits.AddText("送风", place.x(), place.y()));
    save("chart-every-object", {});
    // The page view lists the texts in its column.
    document.SetChartView(false);
    view->OnZoomAll();
    save("chart-every-object-page", {});
    document.SetChartView(true);

    // The menu of 编辑 and 删除 with 撤消 naming the last step.
    frame->updateCommandStates();
    QMenu* draw = nullptr;
    for (QAction* action : frame->menuBar()->actions())
        if (action->text().startsWith("编辑"))
            draw = action->menu();
    ASSERT_NE(draw, nullptr);
    draw->popup(frame->mapToGlobal(frame->menuBar()->actionGeometry(draw->menuAction()).bottomLeft()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(draw));
    save("edit-menu-undo", {draw});
    EXPECT_EQ(frame->action(cmd::EditUndo)->text(), "撤消 添加文字 送风");
    draw->hide();
}

// The mixing dialog opens on N and W with the room's fresh air over the
// last supply air volume (of 送风量, else of the room's analysis), and every
// dialog proposes a name still free.
TEST_F(Builder, DialogsOpenOnFreeNamesAndTheMixingDialogOnTheFreshAirShare)
{
    CIDG& model = DocumentTestAccess::model(document);
    // 办公室101's analysis supplies 3,085 m³/h, 300 m³/h of it fresh: 9.7 %.
    ASSERT_EQ(model.CurrentRoom()->m_strName, "办公室101");
    ASSERT_EQ(model.CurrentRoom()->m_nCondition, kConditionSummer);
    command(cmd::DrawMixingPoint);
    EXPECT_EQ(text("ratio"), "10");
    press("cancel");
    model.m_fSupplyAirVolume = 4000.0f;
    const float freshAir = model.CurrentRoom()->m_fSummerFreshAir;
    ASSERT_GT(freshAir, 0.0f);
    ASSERT_NE(model.CurrentRoom()->m_nCondition, kConditionWinter);
    DocumentEdits edits(document);
    ASSERT_TRUE(edits.AddMixingPoint("MixPt1", 0, 1, 50, full()));
    ASSERT_TRUE(edits.AddIndependentPoint("Point1", 20, 0.5f, SecondProperty::RelativeHumidity, full()));
    ASSERT_TRUE(
        document.ChangeCurrentRoom("line", [](CIDG& chart) { return chart.AddProcessLine("GCL1", 0, 1); }));

    command(cmd::DrawMixingPoint);
    EXPECT_EQ(text("name"), "MixPt2");
    EXPECT_EQ(field<QComboBox>("point1")->currentText(), "N");
    EXPECT_EQ(field<QComboBox>("point2")->currentText(), "W");
    EXPECT_EQ(text("ratio"), QString::asprintf("%.0f", 100.0 * freshAir / 4000.0));
    press("cancel");

    // A line dragged between two empty spots: both ends new, named apart.
    command(cmd::DrawProcessLine);
    drag(empty(0.3, 0.5), empty(0.5, 0.3));
    ASSERT_NE(builder->dialog(), nullptr) << ::testing::PrintToString(messages.texts());
    EXPECT_EQ(text("name"), "GCL2");
    EXPECT_EQ(field<QComboBox>("start")->currentText(), "Point2");
    EXPECT_EQ(field<QComboBox>("end")->currentText(), "Point3");
    const int before = points();
    press("ok");
    EXPECT_EQ(points(), before + 2) << ::testing::PrintToString(messages.texts());
    EXPECT_EQ((*idg().m_pProcessLines).back()->m_strName, "GCL2");
    // The drawn line ends with the dialog: no rubber band is left.
    EXPECT_FALSE(view->lineRubberActive());
}

// An edit whose dependant cannot follow names the dependant and the reason
// and changes nothing.
TEST_F(Builder, AnEditRefusedForADependantSaysWhich)
{
    DocumentEdits edits(document);
    const auto rh = SecondProperty::RelativeHumidity;
    ASSERT_TRUE(edits.AddIndependentPoint("A", 30, 0.5f, rh, full()));
    const int a = points() - 1;
    // E: A's dry bulb at 90 % — 24.5 g/kg at 30 °C, 58 g/kg at 45 °C, beyond the chart's 40 g/kg.
    ASSERT_GT(formulas::moisture(45, 0.9), 0.04);
    ASSERT_TRUE(edits.AddLinePoint(CIDG::kMethodEqualTemperature, a, CStatePoint::kRelativeHumidity, 0.9f,
                                   "E", full()));
    const std::vector<std::uint8_t> before = bytes();
    messages.clear();
    EXPECT_FALSE(edits.EditIndependentPoint(a, "A", 45, 0.5f, rh));
    EXPECT_THAT(messages.texts(),
                ::testing::ElementsAre("无法完成修改：依赖于它的状态点E将超出焓湿图范围，不能随之改变！"));
    EXPECT_EQ(bytes(), before);
}

// The process line dialog shows both ends' states and renames an end typed
// anew; a 序号 that is no point's is refused with the range, and an OK that
// changes nothing records no step.
TEST_F(Builder, ProcessLineDialogShowsItsEndsAndRenamesATypedEnd)
{
    crossingLines();
    const int a = points() - 4;
    command(cmd::Pick);
    // A quarter along PAB, away from where PCD crosses it.
    click((3 * at(a) + at(a + 1)) / 4);
    command(cmd::Edit);
    ASSERT_NE(builder->dialog(), nullptr);
    ASSERT_EQ(builder->dialog()->windowTitle(), "过程线");
    // PA is 20 °C at 30 %, PB 30 °C at 70 %.
    EXPECT_EQ(text("startIndex"), QString::number(a));
    EXPECT_EQ(text("startT"), "20.0");
    EXPECT_EQ(text("startRH"), "30");
    EXPECT_NEAR(text("startD").toDouble(), 1000 * formulas::moisture(20, 0.3), 0.1);
    EXPECT_EQ(text("endT"), "30.0");
    // Within what the sample's pressure (not the standard one) moves h.
    EXPECT_NEAR(text("endH").toDouble(), formulas::enthalpy(30, formulas::moisture(30, 0.7)), 1.0);
    const int steps = document.undoStack().count();
    type("startIndex", "999");
    press("ok");
    EXPECT_EQ(messages.texts().back(), "起点序号必须为0－" + std::to_string(points() - 1) + "间的整数!");
    EXPECT_EQ(document.undoStack().count(), steps);
    type("startIndex", QString::number(a));
    typeIn("end", "PB2");
    messages.answer = false; // keep the line's name
    type("name", "L2");
    press("ok");
    EXPECT_EQ(text("name"), "PAB");
    EXPECT_EQ(point(a + 1).m_strName, "PB");
    messages.answer = true;
    press("ok");
    EXPECT_EQ(point(a + 1).m_strName, "PB2");
    EXPECT_EQ((*idg().m_pProcessLines)[idg().m_pProcessLines->size() - 2]->m_nEnd, a + 1);
    EXPECT_EQ(document.undoStack().count(), steps + 1);

    click((3 * at(a) + at(a + 1)) / 4);
    command(cmd::Edit);
    ASSERT_NE(builder->dialog(), nullptr);
    press("ok");
    EXPECT_FALSE(builder->dialog() && builder->dialog()->isVisible())
        << ::testing::PrintToString(messages.texts());
    EXPECT_EQ(document.undoStack().count(), steps + 1);
}

// 修改热湿比线: "A" shows its point's state; 编辑, 删除 and 拾取图形元素 in
// an 编辑 menu under 撤消 and 重做; 热湿比线 ticked while its dialog is open.
TEST_F(Builder, HhrLineEditAndTheEditMenu)
{
    ASSERT_TRUE(DocumentEdits(document).AddHhrLine("E1", 1, false, -1, 8000));
    const int line = static_cast<int>(idg().m_pHhrLines->size()) - 1;
    // A spot on the line 2 g/kg from N: Δh = ε·Δx.
    CStatePoint onLine = point(1);
    onLine.m_d += 0.002f;
    onLine.m_h += 16.0f;
    const CanvasPoint spot = view->chart().PointPosition(onLine);
    command(cmd::Pick);
    click(QPoint(spot.x, spot.y));
    ASSERT_EQ(view->chart().m_nPickClass, CIDG::kClassHhrLine);
    ASSERT_EQ(view->chart().m_nPickIndex, line);
    command(cmd::Edit);
    ASSERT_NE(builder->dialog(), nullptr);
    EXPECT_EQ(builder->dialog()->windowTitle(), "修改热湿比线");
    EXPECT_EQ(text("point1"), "N");
    EXPECT_EQ(text("ratio"), "8000");
    messages.clear();
    press("pointState");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].caption, "状态点参数");
    EXPECT_EQ(messages.entries[0].text,
              QString::asprintf("干球温度： %.1f℃\n湿球温度： %.1f℃\n相对湿度:  %.0f", point(1).m_t,
                                point(1).m_tw, point(1).m_RH * 100.0)
                  .toStdString());
    type("ratio", "-3000");
    press("ok");
    EXPECT_FLOAT_EQ((*idg().m_pHhrLines)[static_cast<std::size_t>(line)]->m_fRatio, -3000.0f);

    QMenu* editMenu = nullptr;
    for (QAction* action : frame->menuBar()->actions())
        if (action->text() == "编辑(&E)")
            editMenu = action->menu();
    ASSERT_NE(editMenu, nullptr);
    std::vector<int> ids;
    for (QAction* action : editMenu->actions())
        for (int id : {cmd::EditUndo, cmd::EditRedo, cmd::Pick, cmd::Edit, cmd::Delete})
            if (action == frame->action(id))
                ids.push_back(id);
    EXPECT_EQ(ids, (std::vector<int>{cmd::EditUndo, cmd::EditRedo, cmd::Pick, cmd::Edit, cmd::Delete}));

    QAction* hhr = frame->action(cmd::DrawHhrLine);
    EXPECT_TRUE(hhr->isCheckable());
    command(cmd::DrawHhrLine);
    EXPECT_TRUE(hhr->isChecked());
    press("cancel");
    EXPECT_FALSE(hhr->isChecked());
    command(cmd::DrawHhrLine);
    ASSERT_NE(builder->dialog(), nullptr);
    command(cmd::DrawHhrLine);
    EXPECT_FALSE(hhr->isChecked());
    EXPECT_EQ(builder->dialog(), nullptr);
}

// A related pair beyond the chart, made while the window is clipped, shows the
// whole chart again; one beside the clipped window but on the chart is made.
TEST_F(Builder, ARelatedPairOutsideTheWindowRestoresTheFullChart)
{
    ChartWindow window;
    window.m_fZoom = 2.0f;
    window.m_fXMin = 0.005f;
    window.m_fXMax = 0.015f;
    window.m_fTMin = 21.0f;
    window.m_fTMax = 23.0f;
    document.ClipChart(window, 0, 0);
    ASSERT_EQ(idg().m_fZoom, 2.0f);
    // On ε through N, one point at 22 °C and its partner 5 K away: beyond the
    // window's 21…23 °C but on the chart.
    EXPECT_TRUE(
        DocumentEdits(document).AddRelatedPoints(0, 0, 5.0f, 0, 22.0f, "R1", "R2", view->DrawnWindow()));
    EXPECT_EQ(idg().m_fZoom, 2.0f);
    // A pair whose first point, at 72 °C on the same ε line, lies above the chart.
    messages.clear();
    EXPECT_FALSE(
        DocumentEdits(document).AddRelatedPoints(0, 0, 5.0f, 0, 72.0f, "R3", "R4", view->DrawnWindow()));
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("无法得到两个相关状态点!"));
    EXPECT_EQ(idg().m_fZoom, 1.0f);
    EXPECT_EQ(idg().m_fXMax, 0.04f);
    EXPECT_EQ(idg().m_fTMin, -30.0f);
}

// W, N and the room's ε line are refused with a deletion message of their own.
TEST_F(Builder, TheDesignPointsAndTheRoomLineAreNotDeleted)
{
    const struct {
        int objectClass;
        int index;
        const char* message;
    } cases[] = {{CIDG::kClassPoint, 0, "室外点W和室内点N为特殊点，不允许删除"},
                 {CIDG::kClassPoint, 1, "室外点W和室内点N为特殊点，不允许删除"},
                 {CIDG::kClassHhrLine, 0, "室内热湿比线ε为特殊热湿比线，不允许删除"}};
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(DocumentEdits(document).DeleteObject(c.objectClass, c.index));
        EXPECT_THAT(messages.texts(), ::testing::ElementsAre(c.message)) << c.index;
    }
}

// The pick ends with a change of condition and with the object picked.
TEST_F(Builder, ThePickEndsWithItsViewAndItsObject)
{
    ASSERT_TRUE(DocumentEdits(document).AddIndependentPoint("PX", 24, 0.5f, SecondProperty::RelativeHumidity,
                                                            full()));
    const int px = points() - 1;
    command(cmd::Pick);
    click(at(px));
    ASSERT_EQ(view->chart().m_nPickIndex, px);
    // Undoing the point takes the pick along.
    command(cmd::EditUndo);
    EXPECT_EQ(view->chart().m_nPickClass, -1);
    EXPECT_EQ(view->statusText(), "就绪");
    command(cmd::EditRedo);
    click(at(px));
    ASSERT_EQ(view->chart().m_nPickIndex, px);
    const int condition = idg().CurrentRoom()->m_nCondition;
    document.SelectCondition(condition == 0 ? 1 : 0);
    EXPECT_EQ(view->chart().m_nPickClass, -1);
    EXPECT_NE(view->viewMode(), CQORVAView::kModePick);
    frame->updateCommandStates();
    EXPECT_FALSE(frame->action(cmd::Edit)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::Delete)->isEnabled());
}

// ">>" hands the dialog's values to the calculator; "<<" without a value names what is missing.
TEST_F(Builder, TheParameterCalculatorStartsFromTheDialogAndNamesAMissingValue)
{
    command(cmd::DrawIndependentPoint);
    click(empty(0.4, 0.4));
    ASSERT_NE(builder->dialog(), nullptr);
    type("t", "26");
    field<QRadioButton>("byRH")->setChecked(true);
    type("RH", "40");
    press("calculator");
    auto* calculator = builder->dialog()->findChild<CParamPointDlg*>();
    ASSERT_NE(calculator, nullptr);
    EXPECT_TRUE(calculator->findChild<QCheckBox*>("known_t")->isChecked());
    EXPECT_TRUE(calculator->findChild<QCheckBox*>("known_rh")->isChecked());
    EXPECT_FALSE(calculator->findChild<QCheckBox*>("known_tw")->isChecked());
    EXPECT_EQ(calculator->findChild<QLineEdit*>("t")->text(), "26");
    EXPECT_EQ(calculator->findChild<QLineEdit*>("rh")->text(), "40");
    calculator->findChild<QLineEdit*>("rh")->clear();
    messages.clear();
    QTest::mouseClick(calculator->findChild<QPushButton*>("back"), Qt::LeftButton);
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("请输入已知参数的数值：相对湿度％"));
    EXPECT_TRUE(calculator->isVisible());
}

// The page stays fitted while the window settles, and the other page is fitted on a switch.
TEST_F(Builder, ThePageStaysFittedThroughResizesAndViewSwitches)
{
    auto whole = [this] {
        return view->deviceSize().width() <= view->viewport()->width() &&
               view->deviceSize().height() <= view->viewport()->height() &&
               view->verticalScrollBar()->maximum() == 0 && view->horizontalScrollBar()->maximum() == 0;
    };
    ASSERT_TRUE(whole());
    frame->resize(900, 600);
    QApplication::processEvents();
    EXPECT_TRUE(whole()) << view->deviceSize().height() << " in " << view->viewport()->height();
    document.SetChartView(!idg().m_bChartView);
    QApplication::processEvents();
    EXPECT_TRUE(whole()) << view->deviceSize().height() << " in " << view->viewport()->height();
    // Once the user zooms, the size is the user's.
    view->DoZoomIn(nullptr, 3.0);
    frame->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_FALSE(whole());
}

} // namespace
