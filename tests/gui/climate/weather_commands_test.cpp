#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "gui/climate/CWeatherFileDlg.h"
#include "gui/climate/CWeatherStatisticsDlg.h"
#include "gui/climate/WeatherCommands.h"
#include "project/CQORVADoc.h"
#include "project/DocumentEdits.h"
#include "psychro/Comfort.h"
#include "psychro/QorvaDll.h"
#include "render/ChartRenderer.h"
#include "support/RecordingMessages.h"
#include "tests/gui/project/ModalDriver.h"

namespace {

const QString kSample = QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id");
const QString kBologna =
    QStringLiteral(QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw");

// The sample copied to a folder of its own, so the choice remembered for it
// is this test's.
class WeatherCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = dir.filePath("office.id");
        ASSERT_TRUE(QFile::copy(kSample, project));
        ASSERT_TRUE(frame.OpenProject(project));
    }

    // Opens 设定 → 气象文件…, lets `fill` set its fields and presses OK.
    bool choose(const QString& chosen, const std::function<void(QWidget*)>& fill)
    {
        whenModal([&](QWidget* dialog) {
            child<QPushButton>(dialog, "browse")->click();
            fill(dialog);
            child<QPushButton>(dialog, "ok")->click();
            if (dialog->isVisible())
                child<QPushButton>(dialog, "cancel")->click();
        });
        return weather_commands::ChooseWeatherFile(frame,
                                                   WeatherPrompts{[chosen](QWidget*) { return chosen; }});
    }

    QTemporaryDir dir;
    QString project;
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame{document};
};

TEST_F(WeatherCommands, TheChosenYearIsDrawnToggledAndRememberedForTheProject)
{
    EXPECT_FALSE(frame.action(cmd::ShowWeatherYear)->isEnabled());
    ASSERT_TRUE(choose(kBologna, [](QWidget* dialog) {
        child<QSpinBox>(dialog, "firstMonth")->setValue(6);
        child<QSpinBox>(dialog, "lastMonth")->setValue(8);
        child<QRadioButton>(dialog, "dots")->setChecked(true);
    }));
    ASSERT_NE(document.weatherYear(), nullptr);
    EXPECT_EQ(document.weatherFilter().firstMonth, 6);
    EXPECT_EQ(document.weatherMapStyle(), chart::WeatherMapStyle::Dots);
    EXPECT_EQ(frame.view()->chartDevice().weather, document.weatherMap());
    frame.updateCommandStates();
    QAction* toggle = frame.action(cmd::ShowWeatherYear);
    EXPECT_TRUE(toggle->isEnabled());
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(document.weatherMap(), nullptr);
    EXPECT_FALSE(document.IsModified());

    // The project opened again gets its year back as it was left.
    ASSERT_TRUE(frame.OpenProject(project));
    ASSERT_NE(document.weatherYear(), nullptr);
    EXPECT_EQ(document.weatherYear()->hours.size(), 8760u);
    EXPECT_EQ(document.weatherFilter().lastMonth, 8);
    EXPECT_FALSE(document.weatherShown());
    EXPECT_EQ(document.weatherMapStyle(), chart::WeatherMapStyle::Dots);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(WeatherCommands, ADamagedFileIsReportedAndChangesNothing)
{
    ASSERT_TRUE(choose(kBologna, [](QWidget*) {}));
    const std::string damaged = dir.filePath("damaged.epw").toStdString();
    std::ofstream(damaged)
        << "LOCATION,X,,,,,30,120,8,10\n1\n2\n3\n4\n5\n6\n7\n2001,7,1,25,60,x,30,20,50,100000\n";
    EXPECT_FALSE(choose(QString::fromStdString(damaged), [](QWidget*) {}));
    EXPECT_EQ(
        messages.texts(),
        std::vector<std::string>{"无法读取气象文件 damaged.epw。\n气象文件第 9 行：小时 25 不在 1–24 之间"});
    EXPECT_EQ(document.weatherYear()->station.name, "Bologna Marconi AP");
}

TEST_F(WeatherCommands, TheStatisticsCopyTheirTablesAndApplyTheDesignConditionsAsOneUndoStep)
{
    ASSERT_TRUE(choose(kBologna, [](QWidget*) {}));
    CWeatherStatisticsDlg dialog(document, &frame);
    auto* hours = dialog.findChild<QTableWidget*>("hours");
    ASSERT_NE(hours, nullptr);
    // All hours, the sample's view has no comfort zone, four GB classes, the two design points.
    ASSERT_EQ(hours->rowCount(), 7);
    EXPECT_EQ(hours->item(0, 1)->text(), "8760");
    dialog.CopyToClipboard();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("名称\t小时数\t占比％\n全部小时\t8760\t100.0\n")) << copied.toStdString();
    dialog.tabs()->setCurrentIndex(1);
    EXPECT_EQ(dialog.TableText().count('\n'), 13); // header and twelve months

    const CIDG& idg = document.model();
    const float summerT = idg.m_rooms.m_fSummerOutT;
    ASSERT_TRUE(dialog.ApplyToProject());
    // GB 50736 on the Bologna year: the 51st highest hour is 35.0 °C, the
    // hottest month's mean pressure 100 916 Pa.
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutT, 35.0f);
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 100916.0f);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(frame.action(cmd::EditUndo)->text(), "撤消 用于工程");
    frame.action(cmd::EditUndo)->trigger();
    EXPECT_FLOAT_EQ(document.model().m_rooms.m_fSummerOutT, summerT);
    EXPECT_FALSE(document.IsModified());
}

// The guide's pictures (docs/guide/05-weather-year.md): the sample's summer
// view with the Bologna year drawn, and the statistics. Run with
// QORVA_SCREENSHOT_DIR set (under xvfb-run with
// QT_QPA_PLATFORM=xcb for the real look); skipped otherwise.
TEST_F(WeatherCommands, Screenshots)
{
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    ASSERT_TRUE(choose(kBologna, [](QWidget*) {}));
    frame.action(cmd::ConditionSummer)->trigger();
    // The design conditions of the year in the project, and the code's
    // cooling zone on N.
    CWeatherStatisticsDlg apply(document, &frame);
    ASSERT_TRUE(apply.ApplyToProject());
    // Its caption beside the warm humid corner, as the comfort-zone dialog puts it.
    ChartRenderer standard(document.model());
    standard.LayoutChart(chart::standardDevice());
    CStatePoint corner;
    float tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    ASSERT_TRUE(ptRH_all(document.model().m_fSummerPressure, 26.0f, 0.6f, &corner.m_d, &corner.m_h, &tw, &td,
                         &pq, &pqb, &v, &rho));
    const CanvasPoint at = standard.PointPosition(corner);
    const CanvasPoint place = standard.ToChartRelative({at.x + 12, at.y + 12});
    ASSERT_TRUE(DocumentEdits(document).MakeComfortZone(
        1, qorva::psychro::codeZoneCorners(qorva::psychro::CodeZone::CoolingClass1), "GB 50736 供冷 I级",
        place.x, place.y));
    frame.resize(1400, 900);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.action(cmd::ZoomAll)->trigger();
    QTest::qWait(300);
    EXPECT_TRUE(frame.grab().save(folder + "/weather-year.png"));

    CWeatherFileDlg choice(
        document, [](QWidget*) { return QString(); }, &frame);
    choice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&choice));
    QTest::qWait(200);
    EXPECT_TRUE(choice.grab().save(folder + "/weather-file-dialog.png"));
    choice.close();

    CWeatherStatisticsDlg dialog(document, &frame);
    for (int tab : {0, 2}) {
        dialog.tabs()->setCurrentIndex(tab);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(200);
        EXPECT_TRUE(
            dialog.grab().save(folder + (tab == 0 ? "/weather-statistics.png" : "/weather-design.png")));
    }
}

} // namespace
