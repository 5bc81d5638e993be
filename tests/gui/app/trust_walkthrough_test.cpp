#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/analysis/AnalysisDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/app/QtMessageService.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/CBuilderDlg.h"
#include "gui/drawing/ChartBuilder.h"
#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/CPorjectNewWizard.h"
#include "gui/project/ModalDriver.h"
#include "project/CQORVADoc.h"

// The engineer's steps that once changed or lost data, tried again through
// the real window with real message boxes, with a screenshot of each: run
// under xvfb-run with QT_QPA_PLATFORM=xcb and QORVA_SCREENSHOT_DIR set to the
// folder for the images (docs/screenshots). Skipped otherwise.
namespace {

// Acts on the next message box once it is shown.
void whenBox(std::function<void(QMessageBox*)> action, int triesLeft = 400)
{
    QTimer::singleShot(10, [action = std::move(action), triesLeft]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
            action(box);
            return;
        }
        if (triesLeft > 0)
            whenBox(std::move(action), triesLeft - 1);
        else
            ADD_FAILURE() << "no message box appeared";
    });
}

class TrustWalkthrough : public ::testing::Test {
protected:
    QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    QTemporaryDir dir;
    CQORVADoc document;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<QtMessageService> service;
    MessageService* previous = nullptr;
    ChartBuilder* builder = nullptr;

    void SetUp() override
    {
        if (folder.isEmpty())
            GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
        QDir().mkpath(folder);
        const QString path = dir.filePath("办公楼.id");
        ASSERT_TRUE(QFile::copy(QORVA_SOURCE_DIR "/examples/office.id", path));
        frame = std::make_unique<CMainFrame>(document);
        service = std::make_unique<QtMessageService>(frame.get());
        previous = setMessageService(service.get());
        ASSERT_TRUE(frame->OpenProject(path));
        frame->setGeometry(0, 0, 1920, 1040);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        builder = frame->findChild<ChartBuilder*>("ChartBuilder");
        ASSERT_NE(builder, nullptr);
    }
    void TearDown() override
    {
        if (service)
            setMessageService(previous);
    }
    void shoot(const QString& name)
    {
        QTest::qWait(300);
        EXPECT_TRUE(QApplication::primaryScreen()->grabWindow(0).save(folder + "/" + name)) << name.toStdString();
    }
    void command(int id)
    {
        frame->updateCommandStates();
        ASSERT_TRUE(frame->action(id)->isEnabled()) << id;
        frame->action(id)->trigger();
    }
    void choose(QComboBox* list, int index)
    {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void click(QPoint logical)
    {
        CQORVAView* view = frame->view();
        const QPointF at = view->deviceFromLogical(logical);
        for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                     std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        }
    }
    // The mixing dialog opened from the menu and confirmed with its defaults.
    void drawMixingPoint()
    {
        command(cmd::DrawMixingPoint);
        ASSERT_NE(builder->dialog(), nullptr);
        press(builder->dialog(), "ok");
    }
    int pointsIn(int condition) const
    {
        return static_cast<int>(document.model().CurrentRoom()->m_points[condition].size());
    }
};

// 11, 1 and 2: the dialog opens on 新风系统/接待室 when that is shown; 99999 as
// the summer outdoor dry bulb and W at 80 °C / 28.2 °C are refused with their
// messages, the field selected and nothing stored.
TEST_F(TrustWalkthrough, SystemRoomDialogOpensOnTheRoomShownAndRefusesStates)
{
    choose(frame->systemList(), 1);
    choose(frame->roomList(), 2);
    ASSERT_EQ(document.model().CurrentRoom()->m_strName, "接待室");
    bool driven = false;
    whenModal([&](QWidget* dialog) {
        driven = true;
        EXPECT_EQ(child<QComboBox>(dialog, "systemName")->currentText(), "新风系统");
        EXPECT_EQ(child<QComboBox>(dialog, "roomName")->currentText(), "接待室");
        shoot("trust-system-room-opens-on-shown-room.png");
        retype(dialog, "summerOutT", "99999");
        whenBox([&](QMessageBox* box) {
            EXPECT_EQ(box->text(), "室外状态点参数错误!");
            shoot("trust-system-room-refuses-99999.png");
            box->accept();
        });
        press(dialog, "ok");
        auto* field = child<QLineEdit>(dialog, "summerOutT");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), field);
        EXPECT_EQ(field->selectedText(), "99999");
        shoot("trust-system-room-field-selected.png");

        retype(dialog, "summerOutT", "80");
        retype(dialog, "summerOutTw", "28.2");
        whenBox([&](QMessageBox* box) {
            EXPECT_EQ(box->text(), "夏季室外状态点超出焓湿图范围!");
            shoot("trust-system-room-refuses-off-chart.png");
            box->accept();
        });
        press(dialog, "ok");
        EXPECT_TRUE(dialog->isVisible());
        static_cast<QDialog*>(dialog)->reject();
    });
    command(cmd::SystemRoom);
    EXPECT_TRUE(driven);
    EXPECT_EQ(document.undoStack().count(), 0);
}

// 2: the new-project wizard refuses W at 80 °C / 28.2 °C on its second page.
TEST_F(TrustWalkthrough, WizardRefusesAnOutdoorStateOffTheChart)
{
    bool refused = false;
    whenModal([&](QWidget* location) {
        static_cast<CNewProjectFolderDlg*>(location)->setFolder(dir.path());
        retype(location, "fileName", "新工程");
        press(location, "ok");
        whenModal([&](QWidget* modal) {
            auto* wizard = static_cast<CPorjectNewWizard*>(modal);
            retype(wizard->basicPage(), "projectName", "试验");
            wizard->next();
            QWidget* page = wizard->airRoomPage();
            retype(child<QComboBox>(page, "systemName")->lineEdit(), "系统1");
            press(page, "addSystem");
            retype(child<QComboBox>(page, "roomName")->lineEdit(), "房间1");
            press(page, "addRoom");
            retype(page, "summerOutT", "80");
            retype(page, "summerOutTw", "28.2");
            whenBox([&](QMessageBox* box) {
                refused = box->text() == "夏季室外状态点超出焓湿图范围!";
                shoot("trust-wizard-refuses-off-chart.png");
                box->accept();
            });
            wizard->next();
            EXPECT_EQ(wizard->currentPage(), page);
            wizard->reject();
        });
    });
    command(cmd::FileNew);
    EXPECT_TRUE(refused);
}

// 12 and 4: the mixing dialog proposes the analysis' fresh-air share; a
// change of W re-runs 办公室101's analysis only after the question, which
// names the room and its view; 否 goes back to the dialog with nothing stored.
TEST_F(TrustWalkthrough, MixingDefaultAndTheQuestionBeforeARerun)
{
    ASSERT_EQ(document.model().CurrentRoom()->m_strName, "办公室101");
    ASSERT_EQ(document.model().CurrentCondition(), kConditionSummer);
    command(cmd::DrawMixingPoint);
    ASSERT_NE(builder->dialog(), nullptr);
    EXPECT_EQ(textOf(builder->dialog(), "ratio"), "10");
    shoot("trust-mixing-default-ratio.png");
    press(builder->dialog(), "ok");
    ASSERT_EQ(document.undoStack().count(), 1);
    const int points = pointsIn(kConditionSummer);

    int questions = 0;
    whenModal([&](QWidget* dialog) {
        retype(dialog, "summerOutT", "35");
        whenBox([&](QMessageBox* box) {
            ++questions;
            EXPECT_EQ(box->text().toStdString(),
                      "运行分析将清除以下视图中您绘制的 1 个对象，是否继续？\n空调系统1/办公室101：制冷工况");
            shoot("trust-rerun-question.png");
            box->button(QMessageBox::No)->click();
        });
        press(dialog, "ok");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(document.undoStack().count(), 1);
        EXPECT_EQ(pointsIn(kConditionSummer), points);
        whenBox([&](QMessageBox* box) {
            ++questions;
            box->button(QMessageBox::Yes)->click();
        });
        press(dialog, "ok");
    });
    command(cmd::SystemRoom);
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(document.undoStack().count(), 2);
    EXPECT_FLOAT_EQ(document.model().m_rooms.m_fSummerOutT, 35.0f);
}

// 5: a fan coil run from the 制热 view with 制热 unchecked asks about the
// cooling view only, leaves the heating view with the primary analysis'
// results and the user's point, and shows the cooling view it made.
TEST_F(TrustWalkthrough, CoolingOnlyFanCoilLeavesTheHeatingView)
{
    drawMixingPoint();
    choose(frame->conditionList(), kConditionWinter);
    ASSERT_EQ(document.model().CurrentCondition(), kConditionWinter);
    drawMixingPoint();
    const CServiceArea& room = *document.model().CurrentRoom();
    const std::size_t winterPoints = room.m_points[kConditionWinter].size();
    const std::size_t winterTexts = room.m_texts[kConditionWinter].size();
    ASSERT_GT(winterTexts, 0u);
    bool asked = false;
    whenModal([&](QWidget* dialog) {
        auto* analysis = static_cast<CFanCoilAnalysisDlg*>(dialog);
        analysis->m_winter->setChecked(false);
        whenBox([&](QMessageBox* box) {
            asked = true;
            EXPECT_EQ(box->text().toStdString(),
                      "运行分析将清除以下视图中您绘制的 1 个对象，是否继续？\n空调系统1/办公室101：制冷工况");
            shoot("trust-fancoil-question-names-views.png");
            box->button(QMessageBox::Yes)->click();
        });
        analysis->accept();
    });
    command(cmd::AnalysisFanCoil);
    EXPECT_TRUE(asked);
    EXPECT_EQ(document.model().CurrentCondition(), kConditionSummer);
    shoot("trust-fancoil-shows-cooling-view.png");
    EXPECT_EQ(room.m_points[kConditionWinter].size(), winterPoints);
    EXPECT_EQ(room.m_texts[kConditionWinter].size(), winterTexts);
    choose(frame->conditionList(), kConditionWinter);
    shoot("trust-fancoil-heating-view-untouched.png");
}

// 3: the process line's 序号 refuses 999 with the range; OK with nothing
// changed records no step and leaves the project unmodified.
TEST_F(TrustWalkthrough, ProcessLineIndexRangeAndAnUnchangedOk)
{
    const CIDG& idg = document.model();
    int line = -1;
    for (std::size_t i = 0; i < idg.m_pProcessLines->size(); ++i)
        if ((*idg.m_pProcessLines)[i]->m_strName == "O-N1")
            line = static_cast<int>(i);
    ASSERT_GE(line, 0);
    command(cmd::Pick);
    const CGuoChengXian& l = *(*idg.m_pProcessLines)[static_cast<std::size_t>(line)];
    const CanvasPoint a = frame->view()->chart().PointPosition(*idg.PointAt(l.m_nStart));
    const CanvasPoint b = frame->view()->chart().PointPosition(*idg.PointAt(l.m_nEnd));
    const ChartRenderer& chart = frame->view()->chart();
    for (int f = 1; f < 10 && (chart.m_nPickClass != CIDG::kClassProcessLine || chart.m_nPickIndex != line); ++f)
        click(QPoint(a.x + (b.x - a.x) * f / 10, a.y + (b.y - a.y) * f / 10));
    ASSERT_EQ(frame->view()->chart().m_nPickClass, CIDG::kClassProcessLine);
    command(cmd::Edit);
    QDialog* dialog = builder->dialog();
    ASSERT_NE(dialog, nullptr);
    const QString index = textOf(dialog, "startIndex");
    retype(dialog, "startIndex", "999");
    whenBox([&](QMessageBox* box) {
        EXPECT_EQ(box->text().toStdString(),
                  "起点序号必须为0－" + std::to_string(idg.m_pPoints->size() - 1) + "间的整数!");
        shoot("trust-process-line-index-range.png");
        box->accept();
    });
    press(dialog, "ok");
    EXPECT_TRUE(dialog->isVisible());
    retype(dialog, "startIndex", index);
    press(dialog, "ok");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(document.undoStack().count(), 0);
    EXPECT_FALSE(document.IsModified());
}

} // namespace
