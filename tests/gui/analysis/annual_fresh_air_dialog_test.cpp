#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "climate/WeatherFile.h"
#include "gui/analysis/AnnualFreshAirDialog.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/ModalDriver.h"
#include "model/CIDG.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

// 分析 → 全年新风能耗 on the sample project and the shipped Bologna year,
// driven offscreen.
namespace {

const std::string kBologna = QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

class AnnualFreshAirDialogTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    WeatherYear year;

    void SetUp() override
    {
        ASSERT_TRUE(document.OnOpenDocument(QORVA_SOURCE_DIR "/examples/office.id"));
        std::string error;
        ASSERT_TRUE(ReadWeatherFile(kBologna, year, error)) << error;
    }
    // The cooling and heating series' sets in the chart.
    static QList<QBarSet*> sets(CAnnualFreshAirDlg& dialog)
    {
        QList<QBarSet*> all;
        for (QAbstractSeries* series : dialog.m_chartView->chart()->series())
            all += static_cast<QBarSeries*>(series)->barSets();
        return all;
    }
};

TEST_F(AnnualFreshAirDialogTest, FollowsItsInputsAndChangesNothingInTheProject)
{
    const std::vector<std::uint8_t> before = ProjectFile::toBytes(document.model(), "", 0);
    const int steps = document.undoStack().count();
    CAnnualFreshAirDlg dialog(document, &year);

    // Opens on the current room, 办公室101, with its own fresh air, the whole
    // day and no recovery: one row, two sets in the chart.
    EXPECT_EQ(dialog.m_room->currentText(), "办公室101");
    EXPECT_EQ(dialog.Status(), "");
    ASSERT_EQ(dialog.Results().rooms.size(), 1u);
    EXPECT_EQ(dialog.Results().total.operatedHours, 8760);
    EXPECT_EQ(dialog.m_yearTable->rowCount(), 1);
    EXPECT_EQ(sets(dialog).size(), 2);
    const FreshAirYear plain = dialog.Results().rooms[0];

    // Total recovery of 70 %: three rows (without, with, saving), four sets,
    // July's cooling bar with recovery is 30 % of the one without.
    dialog.m_recovery->setCurrentIndex(1);
    ASSERT_TRUE(dialog.Results().total.withRecovery);
    EXPECT_EQ(dialog.m_yearTable->rowCount(), 3);
    EXPECT_EQ(sets(dialog).size(), 4);
    const QBarSet* coolingWith = sets(dialog)[1];
    EXPECT_NEAR(coolingWith->at(6), 0.3 * plain.without.months[6].coolingKwh, 1e-3);
    EXPECT_NEAR(sets(dialog)[2]->at(0), -plain.without.months[0].heatingKwh, 1e-3);

    // The slider moves the effectiveness, and the bars follow.
    dialog.m_effectivenessSlider->setValue(50);
    EXPECT_DOUBLE_EQ(dialog.m_effectiveness->value(), 0.5);
    EXPECT_NEAR(coolingWith->at(6), 0.5 * plain.without.months[6].coolingKwh, 1e-3);

    // 22 to 6 keeps eight hours a day: 2 920 of the year's 8 760.
    dialog.m_from->setValue(22);
    dialog.m_to->setValue(6);
    EXPECT_EQ(dialog.Results().total.operatedHours, 2920);

    // Every room of the system: a block of rows each and the total.
    dialog.m_room->setCurrentIndex(0);
    EXPECT_EQ(dialog.Results().rooms.size(), 4u);
    EXPECT_EQ(dialog.m_yearTable->rowCount(), 5 * 3);
    EXPECT_EQ(dialog.m_yearTable->item(12, 0)->text(), "合计");

    EXPECT_EQ(ProjectFile::toBytes(document.model(), "", 0), before);
    EXPECT_EQ(document.undoStack().count(), steps);
    EXPECT_FALSE(document.IsModified());
}

// In IP the same year is shown in kBtu, Btu/h and lb/h, in the tables, the
// headers and the bars; a typed fresh-air flow is read in lb/h.
TEST_F(AnnualFreshAirDialogTest, SpeaksIpUnits)
{
    // 100 kg/h typed in SI units, and the same flow typed in lb/h below.
    CAnnualFreshAirDlg si(document, &year);
    si.m_freshTyped->setChecked(true);
    si.m_freshFlow->setText("100");
    const double typedCooling = si.Results().total.without.coolingKwh;
    DocumentTestAccess::model(document).m_nUnitSystem = CIDG::kUnitsIP;
    CAnnualFreshAirDlg ip(document, &year);
    const FreshAirYear& plain = ip.Results().rooms[0];
    EXPECT_EQ(ip.m_yearTable->horizontalHeaderItem(3)->text(), "供冷\nkBtu");
    EXPECT_EQ(ip.m_yearTable->horizontalHeaderItem(5)->text(), "冷量峰值\nBtu/h");
    EXPECT_EQ(ip.m_yearTable->horizontalHeaderItem(1)->text(), "新风量 lb/h\n制冷/制热");
    EXPECT_EQ(ip.m_yearTable->item(0, 3)->text(),
              QString::number(plain.without.coolingKwh * 3.412141633, 'f', 1));
    EXPECT_EQ(ip.m_yearTable->item(0, 5)->text(),
              QString::number(plain.without.peakCooling.kw * 3412.141633, 'f', 0));
    EXPECT_NEAR(sets(ip)[0]->at(6), plain.without.months[6].coolingKwh * 3.412141633, 1e-2);
    EXPECT_TRUE(ip.m_freshInfo->text().contains("℉")) << ip.m_freshInfo->text().toStdString();
    ip.m_freshTyped->setChecked(true);
    ip.m_freshFlow->setText("220.4622622");
    EXPECT_NEAR(ip.Results().total.without.coolingKwh, typedCooling, 1e-4 * typedCooling);
}

// A room whose analyses recover heat opens the dialog with that recovery,
// and its year is the one typing it gives.
TEST_F(AnnualFreshAirDialogTest, OpensWithTheCurrentRoomsStoredRecovery)
{
    CServiceArea& office = *DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_rooms[0];
    office.m_recovery.mode = kRecoverySensible;
    office.m_recovery.effectiveness = 0.6f;
    CAnnualFreshAirDlg stored(document, &year);
    EXPECT_EQ(stored.m_recovery->currentIndex(), int(RecoveryKind::Sensible));
    EXPECT_DOUBLE_EQ(stored.m_effectiveness->value(), 0.6);
    EXPECT_EQ(stored.m_effectivenessSlider->value(), 60);
    ASSERT_TRUE(stored.Results().total.withRecovery);

    office.m_recovery.mode = kRecoveryNone;
    CAnnualFreshAirDlg typed(document, &year);
    EXPECT_EQ(typed.m_recovery->currentIndex(), int(RecoveryKind::None));
    typed.m_effectiveness->setValue(0.6);
    typed.m_recovery->setCurrentIndex(int(RecoveryKind::Sensible));
    EXPECT_EQ(typed.Results().total.withRecovery->heatingKwh,
              stored.Results().total.withRecovery->heatingKwh);
    EXPECT_EQ(typed.Results().total.withRecovery->coolingKwh,
              stored.Results().total.withRecovery->coolingKwh);
}

// The menu's command opens the dialog on the year the project's weather file
// gave the document.
TEST(AnnualFreshAirCommand, OpensOnTheDocumentsWeatherYear)
{
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame(document);
    ASSERT_TRUE(frame.OpenProject(QORVA_SOURCE_DIR "/examples/office.id"));
    std::string error;
    ASSERT_TRUE(document.LoadWeatherFile(kBologna, error)) << error;
    QAction* action = frame.action(cmd::AnalysisAnnualFreshAir);
    frame.updateCommandStates();
    ASSERT_TRUE(action->isEnabled());
    int hours = 0;
    whenModal([&hours](QWidget* modal) {
        auto* dialog = qobject_cast<CAnnualFreshAirDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        hours = dialog->Results().total.operatedHours;
        dialog->reject();
    });
    action->trigger();
    EXPECT_EQ(hours, 8760);
}

TEST_F(AnnualFreshAirDialogTest, SaysWhatIsMissing)
{
    CAnnualFreshAirDlg without(document, nullptr);
    EXPECT_EQ(without.Status(), "没有气象文件：请先用“设定 → 气象文件…”选择一个逐时气象年（EPW 或 CSV）。");
    EXPECT_EQ(without.m_yearTable->rowCount(), 0);

    CServiceArea& hall = *DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_rooms[3];
    hall.m_fSummerFreshAir = 0;
    hall.m_fWinterFreshAir = 0;
    CAnnualFreshAirDlg dialog(document, &year);
    dialog.m_room->setCurrentIndex(4);
    EXPECT_EQ(dialog.Status(),
              "房间“大厅”没有新风量：请在“系统--房间”中填写夏季或冬季新风量，或在此输入新风量。");
    EXPECT_TRUE(dialog.Results().rooms.empty());

    // A typed flow serves every room.
    dialog.m_freshTyped->setChecked(true);
    EXPECT_EQ(dialog.Status(), "请输入大于零的新风量（kg/h）。");
    QTest::keyClicks(dialog.m_freshFlow, "400");
    EXPECT_EQ(dialog.Status(), "");
    ASSERT_EQ(dialog.Results().rooms.size(), 1u);

    // With every room: the others computed, the hall's row says why not.
    dialog.m_freshFromRoom->setChecked(true);
    dialog.m_room->setCurrentIndex(0);
    EXPECT_EQ(dialog.Results().rooms.size(), 3u);
    EXPECT_EQ(dialog.m_yearTable->item(3, 2)->text().toStdString(),
              "房间“大厅”没有新风量：请在“系统--房间”中填写夏季或冬季新风量，或在此输入新风量。");

    dialog.m_to->setValue(0);
    EXPECT_NE(dialog.Status().indexOf("运行时段 0 至 0 时不含任何小时。"), -1);
    EXPECT_TRUE(dialog.Results().rooms.empty());
}

TEST_F(AnnualFreshAirDialogTest, CopiesTheTablesAsTsvAndSavesTheChart)
{
    CAnnualFreshAirDlg dialog(document, &year);
    dialog.m_recovery->setCurrentIndex(2);
    QTest::mouseClick(dialog.m_copy, Qt::LeftButton);
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    // The year's header, its three rows, a blank line, the months' header,
    // twelve months and the year, and the final newline.
    ASSERT_EQ(lines.size(), 1 + 3 + 1 + 1 + 13 + 1);
    EXPECT_TRUE(lines[0].startsWith("房间\t新风量 kg/h"));
    EXPECT_EQ(lines[1].split('\t').size(), 11);
    EXPECT_TRUE(lines[1].startsWith("办公室101\t"));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[18].split('\t')[0], "全年");

    QTemporaryDir dir;
    for (const char* name : {"chart.png", "chart.svg"}) {
        const QString path = dir.filePath(name);
        dialog.chooseChartFile = [&path](QWidget*) { return path; };
        QTest::mouseClick(dialog.m_saveChart, Qt::LeftButton);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        if (path.endsWith(".png"))
            EXPECT_FALSE(QImage::fromData(bytes, "PNG").isNull());
        else
            EXPECT_TRUE(bytes.contains("<svg"));
    }
    EXPECT_FALSE(dialog.SaveChart(dir.filePath("no/such/folder/chart.png")));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text.rfind("无法保存图表：", 0), 0u);
}

} // namespace

namespace {

// The guide's pictures (docs/guide/06-fresh-air-year.md), on a real X
// display: run under xvfb-run with QT_QPA_PLATFORM=xcb and
// QORVA_SCREENSHOT_DIR set. Skipped otherwise.
TEST_F(AnnualFreshAirDialogTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    CAnnualFreshAirDlg dialog(document, &year);
    // The office hours, 08:00 to 18:00, with a total-heat exchanger of 70 %.
    dialog.m_from->setValue(8);
    dialog.m_to->setValue(18);
    dialog.m_recovery->setCurrentIndex(1);
    dialog.m_effectiveness->setValue(0.7);
    dialog.resize(1200, 900);
    dialog.show();
    QTest::qWait(200);
    dialog.grab().save(folder + "/annual-fresh-air-dialog.png");
    dialog.m_chartView->resize(1000, 560);
    EXPECT_TRUE(dialog.SaveChart(folder + "/annual-fresh-air-chart.png"));
}

} // namespace
