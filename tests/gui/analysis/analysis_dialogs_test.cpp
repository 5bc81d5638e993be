#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/analysis/AnalysisDialogs.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCommands.h"
#include "project/ProjectSerializer.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

// The analysis dialogs driven offscreen: typed values, OK, the message shown.
namespace {

class AnalysisDialogsTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;

    void SetUp() override
    {
        CIDG& idg = DocumentTestAccess::model(document);
        idg.m_rooms.m_fWinterOutT = -5.0f;
        idg.m_rooms.m_fWinterOutRH = 75.0f;
        idg.m_rooms.m_bWinterOutByRH = 1;
        idg.m_rooms.AddSystem("S1");
        idg.m_rooms.AddRoom("S1", "R1");
        CServiceArea& r = room();
        r.m_fSummerLoad = 10.0f;
        r.m_fSummerMoistLoad = 1.2f;
        r.m_fSummerFreshAir = 500.0f;
        r.m_fWinterInT = 20.0f;
        r.m_fWinterLoad = 8.0f;
        r.m_fWinterMoistLoad = 0.5f;
        r.m_fWinterFreshAir = 400.0f;
        idg.m_fSummerDensity = 1.2f;
        idg.m_fWinterDensity = 1.25f;
        document.m_bProjectOpen = true;
        ASSERT_TRUE(idg.PointAtCurrentRoom());
    }
    CServiceArea& room() { return *DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_rooms[0]; }
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    // The objects of one view of the room as a file stores them.
    std::vector<std::uint8_t> ProjectBytesOfView(int condition)
    {
        auto copy = CloneRoom(room());
        for (int c = 0; c < kConditionCount; ++c)
            if (c != condition) {
                copy->m_points[c].clear();
                copy->m_processLines[c].clear();
                copy->m_hhrLines[c].clear();
                copy->m_texts[c].clear();
            }
        const CServiceArea fresh;
        copy->m_anaW = fresh.m_anaW;
        copy->m_anaD = fresh.m_anaD;
        copy->m_anaI = fresh.m_anaI;
        copy->m_nCondition = 0;
        return project_serializer::roomBytes(*copy);
    }
    std::string lastMessage() const { return messages.entries.empty() ? "" : messages.entries.back().text; }
};

TEST_F(AnalysisDialogsTest, PrimaryRefusesItsInputsWithTheirMessages)
{
    struct Case {
        const char* fanRise;
        const char* dewPoint;
        const char* supply;
        const char* message;
    };
    const Case cases[] = {
        {"-1", "95", "8", "风机温升应为不小于零的实数!"},
        {"0", "0", "8", "机器露点必须为0－100间的实数!"},
        {"0", "100.5", "8", "机器露点必须为0－100间的实数!"},
        {"0", "95", "-3", "送风温差必须为大于零的实数!"},
        {"0", "95", "3a", "送风温差必须为大于零的实数!"}, // not a number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.supply);
        messages.clear();
        CPrimaryAnalysisDlg dialog(document);
        type(dialog.m_fanRise, c.fanRise);
        type(dialog.m_dewPoint, c.dewPoint);
        dialog.m_supplyDifference->setEditText(c.supply);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_EQ(document.undoStack().count(), 0);
    }
}

TEST_F(AnalysisDialogsTest, PrimaryRunsAsOneUndoStepAndReopensWithItsParameters)
{
    CPrimaryAnalysisDlg dialog(document);
    EXPECT_EQ(dialog.m_supplyDifference->currentText(), "最大送风温差");
    EXPECT_FALSE(dialog.m_winterPart->isVisible());
    type(dialog.m_dewPoint, "100");
    dialog.m_supplyDifference->setEditText("8");
    dialog.m_humidify->button(kHumidifySteam)->setChecked(true);
    dialog.m_preheat->button(kPreheatFirst)->setChecked(true);
    type(dialog.m_preheatDifference, "15");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_NE(room().m_anaW[primary_slot::kWinterSupply].i, -1);
    EXPECT_EQ(room().m_nCondition, kConditionSummer);

    CPrimaryAnalysisDlg again(document);
    EXPECT_EQ(again.m_supplyDifference->currentText(), "8.00");
    EXPECT_EQ(again.m_dewPoint->text(), "100.00");
    EXPECT_EQ(again.m_humidify->checkedId(), kHumidifySteam);

    document.undoStack().undo();
    EXPECT_EQ(room().m_anaW[primary_slot::kSupply].i, -1);
    EXPECT_EQ(room().m_points[kConditionSummer].size(), 2u);
}

TEST_F(AnalysisDialogsTest, FailedAnalysesShowTheErrorBoxAndLeaveTheProject)
{
    room().m_fSummerFreshAir = 0;
    {
        CSecondaryAnalysisDlg dialog(document);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        ASSERT_FALSE(messages.entries.empty());
        EXPECT_EQ(messages.entries.back().text, "计算错误，请检查输入数据!\n\n新风量为0，建议改正后重新分析");
        EXPECT_EQ(messages.entries.back().caption, "计算错误");
        EXPECT_EQ(messages.entries.back().icon, MessageIcon::Stop);
    }
    {
        CFanCoilAnalysisDlg dialog(document);
        dialog.accept();
        EXPECT_EQ(lastMessage(), "计算错误，请检查输入数据!\n\n新风量为0，建议改正后重新分析");
    }
    {
        CSecondaryAnalysisDlg dialog(document);
        type(dialog.m_supplyDifference, "0");
        dialog.accept();
        EXPECT_EQ(lastMessage(), "送风温差必须为大于零的实数!");
    }
    EXPECT_EQ(document.undoStack().count(), 0);
    EXPECT_EQ(room().m_points[kConditionSummer].size(), 0u);
}

TEST_F(AnalysisDialogsTest, SecondaryFanCoilAndFreshAirRun)
{
    CSecondaryAnalysisDlg secondary(document);
    EXPECT_TRUE(secondary.m_winter->isChecked());
    secondary.m_winter->setChecked(false);
    EXPECT_FALSE(secondary.m_preheatDifference->isEnabled());
    secondary.accept();
    EXPECT_EQ(secondary.result(), QDialog::Accepted) << lastMessage();

    CFanCoilAnalysisDlg fanCoil(document);
    EXPECT_EQ(fanCoil.m_supplyDifference->currentText(), "最大送风温差");
    fanCoil.m_mixMode->button(kMixThenTreat)->setChecked(true);
    fanCoil.accept();
    EXPECT_EQ(fanCoil.result(), QDialog::Accepted) << lastMessage();
    // Without 制热 the run makes the cooling view only, and shows it.
    EXPECT_EQ(room().m_nCondition, kConditionSummer);

    CFreshAirAnalysisDlg fresh(document);
    type(fresh.m_dewPoint, "0");
    fresh.accept();
    EXPECT_EQ(lastMessage(), "机器露点必须为0－100间的实数!");
    type(fresh.m_dewPoint, "95");
    fresh.accept();
    EXPECT_EQ(fresh.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(document.undoStack().count(), 3);
}

// The fresh-air unit and the fan coil take the heat recovery of their fresh
// air: the effectiveness box follows the choice, a value outside 0–1 is
// refused with its message, and the room keeps what ran, so both dialogs
// open with it.
TEST_F(AnalysisDialogsTest, FreshAirDialogsTakeTheHeatRecovery)
{
    CFreshAirAnalysisDlg fresh(document);
    EXPECT_EQ(fresh.m_recovery->currentData().toInt(), kRecoveryNone);
    EXPECT_FALSE(fresh.m_recoveryEffectiveness->isEnabled());
    fresh.m_recovery->setCurrentIndex(fresh.m_recovery->findData(int(kRecoveryTotal)));
    EXPECT_TRUE(fresh.m_recoveryEffectiveness->isEnabled());
    for (const char* wrong : {"1.5", ""}) {
        type(fresh.m_recoveryEffectiveness, wrong);
        fresh.accept();
        EXPECT_EQ(lastMessage(), "热回收效率必须为0到1之间的数!") << wrong;
        EXPECT_EQ(room().m_recovery.mode, kRecoveryNone);
    }
    type(fresh.m_recoveryEffectiveness, "0.7");
    fresh.accept();
    ASSERT_EQ(fresh.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(room().m_recovery.mode, kRecoveryTotal);
    EXPECT_FLOAT_EQ(room().m_recovery.effectiveness, 0.7f);
    const auto& cooling = room().m_points[kConditionSummer];
    ASSERT_GE(room().m_recovery.summerPoint, 0);
    EXPECT_EQ(cooling[std::size_t(room().m_recovery.summerPoint)]->m_strName, "W1");

    CFanCoilAnalysisDlg fanCoil(document);
    EXPECT_EQ(fanCoil.m_recovery->currentData().toInt(), kRecoveryTotal);
    EXPECT_EQ(fanCoil.m_recoveryEffectiveness->text(), "0.70");
    fanCoil.m_recovery->setCurrentIndex(fanCoil.m_recovery->findData(int(kRecoverySensible)));
    fanCoil.accept();
    ASSERT_EQ(fanCoil.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(room().m_recovery.mode, kRecoverySensible);

    // Without an exchanger a number left in the disabled box is not stored:
    // the room keeps its effectiveness, and the project stays readable.
    CFreshAirAnalysisDlg none(document);
    none.m_recovery->setCurrentIndex(none.m_recovery->findData(int(kRecoveryNone)));
    none.m_recoveryEffectiveness->setText("99999");
    none.accept();
    ASSERT_EQ(none.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(room().m_recovery.mode, kRecoveryNone);
    EXPECT_FLOAT_EQ(room().m_recovery.effectiveness, 0.7f);
    CIDG copy;
    EXPECT_TRUE(RestoreProjectBytes(ProjectBytes(document.model()), copy));
}

// The integer dew-point boxes refuse a fraction instead of cutting it off,
// and each refusal names its cause: a whole number from 1 to 100, a fan rise
// not below zero, a supply temperature difference above zero.
TEST_F(AnalysisDialogsTest, WholePercentDewPointsRefuseFractions)
{
    const std::string whole = "机器露点必须为1－100间的整数!";
    const struct {
        const char* fanRise;
        const char* dewPoint;
        const char* supply; // the fan coil's box; nullptr: 最大送风温差
        std::string message;
    } cases[] = {
        {"0", "95.5", nullptr, whole},
        {"0", "0", nullptr, whole},
        {"0", "150", nullptr, whole},
        {"-2", "95", nullptr, "风机温升应为不小于零的实数!"},
        {"0", "95", "0", "送风温差必须为大于零的实数!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dewPoint) + " " + c.fanRise);
        messages.clear();
        if (!c.supply) {
            CSecondaryAnalysisDlg secondary(document);
            type(secondary.m_fanRise, c.fanRise);
            type(secondary.m_dewPoint, c.dewPoint);
            secondary.accept();
            EXPECT_EQ(lastMessage(), c.message);
            EXPECT_NE(secondary.result(), QDialog::Accepted);
            messages.clear();
        }
        CFanCoilAnalysisDlg fanCoil(document);
        type(fanCoil.m_fanRise, c.fanRise);
        type(fanCoil.m_dewPoint, c.dewPoint);
        if (c.supply)
            fanCoil.m_supplyDifference->setEditText(c.supply);
        fanCoil.accept();
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_NE(fanCoil.result(), QDialog::Accepted);
    }
    EXPECT_EQ(document.undoStack().count(), 0);
    messages.clear();
    CFanCoilAnalysisDlg fanCoil(document);
    type(fanCoil.m_dewPoint, "95");
    fanCoil.accept();
    EXPECT_EQ(fanCoil.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(room().m_anaI[fancoil_slot::kDewPointPercent], 95);
}

// A run that would empty objects the user drew asks first, naming the views
// and counting the objects in each; 否 changes nothing, 是 runs as one step;
// the results of earlier analyses (of any kind) and W, N, ε are not the
// user's and are not counted. A cooling-only run leaves the heating view as
// it was and shows a view it made.
TEST_F(AnalysisDialogsTest, AnalysisAsksBeforeClearingWhatTheUserDrew)
{
    const std::string question =
        "运行分析将清除以下视图中您绘制的 2 个对象，是否继续？\nS1/R1：制冷工况、制热工况";
    {
        CFanCoilAnalysisDlg fanCoil(document);
        fanCoil.accept();
        ASSERT_EQ(fanCoil.result(), QDialog::Accepted) << lastMessage();
    }
    EXPECT_TRUE(messages.entries.empty());
    // The user adds a point in the cooling view and a text in the heating view.
    auto point = std::make_unique<CStatePoint>(*room().m_points[kConditionSummer][1]);
    point->m_strName = "X";
    point->m_nId = static_cast<int>(room().m_points[kConditionSummer].size());
    room().m_points[kConditionSummer].push_back(std::move(point));
    auto text = std::make_unique<CCommentString>();
    text->m_strText = "备注";
    text->m_nKind = 0;
    room().m_texts[kConditionWinter].push_back(std::move(text));
    const std::size_t before = room().m_points[kConditionSummer].size();

    messages.answer = false;
    CSecondaryAnalysisDlg refused(document);
    refused.accept();
    ASSERT_EQ(messages.texts(), std::vector<std::string>{question});
    EXPECT_TRUE(messages.entries.back().question);
    EXPECT_NE(refused.result(), QDialog::Accepted);
    EXPECT_EQ(room().m_points[kConditionSummer].size(), before);
    EXPECT_EQ(document.undoStack().count(), 1);

    // The primary run without winter empties only the cooling view: one object.
    CPrimaryAnalysisDlg summerOnly(document);
    summerOnly.accept();
    EXPECT_EQ(lastMessage(), "运行分析将清除以下视图中您绘制的 1 个对象，是否继续？\nS1/R1：制冷工况");

    messages.clear();
    messages.answer = true;
    CSecondaryAnalysisDlg accepted(document);
    accepted.accept();
    EXPECT_EQ(messages.texts().front(), question);
    EXPECT_EQ(accepted.result(), QDialog::Accepted) << lastMessage();
    EXPECT_EQ(document.undoStack().count(), 2);

    messages.clear();
    CFanCoilAnalysisDlg again(document);
    again.accept();
    EXPECT_EQ(again.result(), QDialog::Accepted) << lastMessage();
    EXPECT_TRUE(messages.entries.empty());

    // From the heating view, 制热 unchecked: the secondary's winter results
    // stay, and the window shows the cooling view the run made.
    document.SelectCondition(kConditionWinter);
    const std::vector<std::uint8_t> winter = ProjectBytesOfView(kConditionWinter);
    for (const bool secondary : {false, true}) {
        std::unique_ptr<CAnalysisDlg> run;
        if (secondary) {
            auto dialog = std::make_unique<CSecondaryAnalysisDlg>(document);
            dialog->m_winter->setChecked(false);
            run = std::move(dialog);
        } else {
            auto dialog = std::make_unique<CFanCoilAnalysisDlg>(document);
            dialog->m_winter->setChecked(false);
            run = std::move(dialog);
        }
        document.SelectCondition(kConditionWinter);
        run->accept();
        EXPECT_EQ(run->result(), QDialog::Accepted) << lastMessage();
        EXPECT_EQ(ProjectBytesOfView(kConditionWinter), winter) << secondary;
        EXPECT_EQ(document.model().CurrentCondition(), kConditionSummer) << secondary;
    }
}

} // namespace
