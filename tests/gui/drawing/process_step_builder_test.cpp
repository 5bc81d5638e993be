#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/ChartBuilder.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

std::string kw(double watts)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3fkW", watts / 1000.0);
    return text;
}

// The heat-recovery and evaporative builders on the sample project, driven
// through their dialogs and picks on the chart.
class ProcessStepBuilder : public ::testing::Test {
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
    const CCommentString& lastText(int fromEnd = 0)
    {
        return *(*idg().m_pTexts)[idg().m_pTexts->size() - 1 - static_cast<std::size_t>(fromEnd)];
    }
    std::vector<std::uint8_t> bytes() { return ProjectFile::toBytes(idg(), "", 0); }
    void command(int id)
    {
        frame->updateCommandStates();
        ASSERT_TRUE(frame->action(id)->isEnabled()) << id;
        frame->action(id)->trigger();
        ASSERT_NE(builder->dialog(), nullptr);
    }
    void click(QPoint logical)
    {
        const QPointF at = view->deviceFromLogical(logical);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        }
    }
    QPoint at(int pointIndex)
    {
        const CanvasPoint p = view->chart().PointPosition(point(pointIndex));
        return QPoint(p.x, p.y);
    }
    template <class T> T* field(const char* name) { return builder->dialog()->findChild<T*>(name); }
    void type(const char* name, const QString& text)
    {
        QLineEdit* edit = field<QLineEdit>(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void press(const char* button) { QTest::mouseClick(field<QPushButton>(button), Qt::LeftButton); }
    void pick(const char* list, int pointIndex)
    {
        press((std::string(list) + "Pick").c_str());
        click(at(pointIndex));
        EXPECT_EQ(field<QComboBox>(list)->currentIndex(), pointIndex);
    }
};

TEST_F(ProcessStepBuilder, HeatRecoveryPickedBuiltWithItsResultEditedAndUndone)
{
    const int before = points();
    const std::size_t texts = idg().m_pTexts->size();
    const std::vector<std::uint8_t> saved = bytes();
    command(cmd::DrawHeatRecoveryPoint);
    EXPECT_EQ(builder->dialog()->windowTitle(), "绘制热回收点");
    EXPECT_EQ(field<QLineEdit>("name")->text(), "HR1");
    pick("point1", 0);
    pick("point2", 1);
    type("effectiveness", "0.6");
    type("airVolume", "2000");
    EXPECT_TRUE(view->hasPreviewPoint());
    press("ok");
    ASSERT_EQ(points(), before + 1);
    const CStatePoint& w = point(0);
    const CStatePoint& n = point(1);
    const CStatePoint& hr = point(before);
    EXPECT_EQ(hr.m_nKind, CStatePoint::kHeatRecovery);
    EXPECT_NEAR(hr.m_t, w.m_t + 0.6 * (n.m_t - w.m_t), 0.01);
    EXPECT_NEAR(hr.m_d, w.m_d + 0.6 * (n.m_d - w.m_d), 3e-6);
    // 热回收量 = ρ·G·|h_W − h_HR1|/3.6 W, shown in kW.
    ASSERT_EQ(idg().m_pTexts->size(), texts + 1);
    const double q = idg().m_fSummerDensity * 2000.0 * std::fabs(w.m_h - hr.m_h) / 3.6;
    EXPECT_EQ(lastText().m_nKind, 15);
    EXPECT_EQ(lastText().m_strText, "热回收量(W-HR1): " + kw(q));
    EXPECT_EQ(document.undoStack().undoText(), "添加热回收点 HR1");

    // The edit dialog of the point: a new effectiveness moves it and its text.
    command(cmd::Pick);
    click(at(before));
    command(cmd::Edit);
    EXPECT_EQ(builder->dialog()->windowTitle(), "修改热回收点");
    EXPECT_EQ(field<QLineEdit>("point2")->text(), "N");
    type("effectiveness", "0.5");
    field<QComboBox>("type")->setCurrentIndex(CStatePoint::kRecoverySensible);
    press("ok");
    EXPECT_NEAR(hr.m_t, w.m_t + 0.5 * (n.m_t - w.m_t), 0.01);
    EXPECT_FLOAT_EQ(hr.m_d, w.m_d);
    const double q2 = idg().m_fSummerDensity * 2000.0 * std::fabs(w.m_h - hr.m_h) / 3.6;
    EXPECT_EQ(lastText().m_strText, "热回收量(W-HR1): " + kw(q2));
    EXPECT_EQ(document.undoStack().undoText(), "修改状态点 HR1");
    document.undoStack().undo();
    document.undoStack().undo();
    EXPECT_EQ(bytes(), saved);
    EXPECT_TRUE(messages.texts().empty()) << ::testing::PrintToString(messages.texts());
}

TEST_F(ProcessStepBuilder, DirectEvaporativeCoolingAddsItsCoolingAndItsWater)
{
    const int before = points();
    command(cmd::DrawEvaporativePoint);
    EXPECT_EQ(builder->dialog()->windowTitle(), "绘制蒸发冷却点");
    type("effectiveness", "0.8");
    type("airVolume", "1000");
    field<QComboBox>("type")->setCurrentIndex(CStatePoint::kEvaporativeDirect);
    press("ok");
    ASSERT_EQ(points(), before + 1);
    const CStatePoint& w = point(0);
    const CStatePoint& ec = point(before);
    EXPECT_NEAR(ec.m_t, w.m_t - 0.8 * (w.m_t - w.m_tw), 0.01);
    EXPECT_NEAR(ec.m_tw, w.m_tw, 0.01);
    // 蒸发冷却量 = ρ·G·(1.01 + 1.85·x)·(t1 − t2)/3.6; 加湿量 = ρ·G·(x2 − x1) kg/h.
    const double rho = idg().m_fSummerDensity;
    const double cooling = rho * 1000.0 * (1.01 + 1.85 * w.m_d) * (w.m_t - ec.m_t) / 3.6;
    char water[32];
    std::snprintf(water, sizeof water, "%.3fkg/h", rho * 1000.0 * (ec.m_d - w.m_d));
    EXPECT_EQ(lastText(1).m_strText, "蒸发冷却量(W-EC1): " + kw(cooling));
    EXPECT_EQ(lastText().m_strText, std::string("空调加湿量(W-EC1): ") + water);
    EXPECT_EQ(document.undoStack().undoText(), "添加蒸发冷却点 EC1");
}

// Each refusal: the exact message, the dialog stays open, nothing changes.
TEST_F(ProcessStepBuilder, BadInputShowsItsMessageAndChangesNothing)
{
    DocumentEdits edits(document);
    // Hot humid and cold air: mixing their states half-way would be fog.
    ASSERT_TRUE(
        edits.AddIndependentPoint("PH", 35, 0.9f, SecondProperty::RelativeHumidity, idg().FullChartStates()));
    ASSERT_TRUE(
        edits.AddIndependentPoint("PC", 0, 0.9f, SecondProperty::RelativeHumidity, idg().FullChartStates()));
    const int hot = points() - 2, cold = points() - 1;
    const int steps = document.undoStack().count();
    struct Case {
        const char* what;
        int command;
        std::function<void()> fill;
        const char* message;
    };
    const Case cases[] = {
        {"e = 1.5", cmd::DrawEvaporativePoint, [&] { type("effectiveness", "1.5"); },
         "效率必须为0到1之间的数!"},
        {"e left empty", cmd::DrawHeatRecoveryPoint, [&] { type("effectiveness", ""); },
         "效率必须为0到1之间的数!"},
        {"negative air volume", cmd::DrawEvaporativePoint, [&] { type("airVolume", "-5"); },
         "风量必须为不小于0的数!"},
        {"exhaust the outdoor point itself", cmd::DrawHeatRecoveryPoint, [&] { pick("point2", 0); },
         "两个参考点不能相同，请修改！"},
        {"recovery into fog", cmd::DrawHeatRecoveryPoint,
         [&] {
             pick("point1", hot);
             pick("point2", cold);
             type("effectiveness", "0.5");
         },
         "处理后的空气超过饱和状态!"},
        {"name of an existing point", cmd::DrawEvaporativePoint, [&] { type("name", "W"); },
         "状态点名非法或者已经存在，请检查！"},
    };
    for (const Case& c : cases) {
        messages.clear();
        const std::vector<std::uint8_t> before = bytes();
        command(c.command);
        c.fill();
        press("ok");
        EXPECT_THAT(messages.texts(), ElementsAre(c.message)) << c.what;
        EXPECT_TRUE(builder->dialog()->isVisible()) << c.what;
        EXPECT_EQ(bytes(), before) << c.what;
        press("cancel");
    }
    EXPECT_EQ(document.undoStack().count(), steps);
}

// An evaporative step in a dry climate, 35 °C and 15 %, with e = 0.8 and
// 5000 m³/h, built through the dialog: with QORVA_SCREENSHOT_SECONDS set the
// window stays up, maximised, for that long, so a screen shot of the real
// program can be taken; QORVA_SCREENSHOT_EVAPORATIVE=indirect shows the
// indirect cooler instead of the direct one.
TEST_F(ProcessStepBuilder, EvaporativeStepInADryClimateOnTheScreen)
{
    const int seconds = qEnvironmentVariableIntValue("QORVA_SCREENSHOT_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "QORVA_SCREENSHOT_SECONDS not set";
    const bool indirect = qgetenv("QORVA_SCREENSHOT_EVAPORATIVE") == "indirect";
    DocumentEdits edits(document);
    ASSERT_TRUE(edits.AddIndependentPoint("WD", 35, 0.15f, SecondProperty::RelativeHumidity,
                                          idg().FullChartStates()));
    const int dry = points() - 1;
    command(cmd::DrawEvaporativePoint);
    pick("point1", dry);
    type("name", indirect ? "IEC" : "DEC");
    type("effectiveness", "0.8");
    type("airVolume", "5000");
    field<QComboBox>("type")->setCurrentIndex(indirect ? CStatePoint::kEvaporativeIndirect
                                                       : CStatePoint::kEvaporativeDirect);
    press("ok");
    ASSERT_TRUE(messages.texts().empty()) << ::testing::PrintToString(messages.texts());
    const int cooled = points() - 1;
    ASSERT_TRUE(document.ChangeCurrentRoom("line", [&](CIDG& chart) {
        return chart.AddProcessLine(indirect ? "IE" : "DE", dry, cooled) != nullptr;
    }));

    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    frame->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // The page, whose result column shows the step's texts.
    document.SetChartView(false);
    frame->action(cmd::ZoomAll)->trigger();
    view->DoZoomIn(nullptr, 2.0);
    // From the step down to the column below the chart.
    QScrollBar* vertical = view->verticalScrollBar();
    vertical->setValue(vertical->minimum() + (vertical->maximum() - vertical->minimum()) * 31 / 100);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QTest::qWait(50);
}

} // namespace
