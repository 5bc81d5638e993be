#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "analysis/Binding.h"
#include "render/ChartExport.h"
#include "render/ChartRenderer.h"
#include "gui/calculation/CDifferenceDlg.h"
#include "gui/calculation/COutputPointDlg.h"
#include "gui/calculation/CParamPointDlg.h"
#include "gui/calculation/CPointCalcDlg.h"
#include "gui/calculation/CPointInfoDlg.h"
#include "model/ChartFormulas.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "support/DocumentTestAccess.h"
#include "support/OneRoomProject.h"
#include "support/RecordingMessages.h"

namespace {

template <class W> W* find(QWidget* parent, const char* name)
{
    W* widget = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void click(QWidget* parent, const char* name)
{
    QTest::mouseClick(find<QPushButton>(parent, name), Qt::LeftButton);
}

void setText(QWidget* parent, const char* name, const QString& text)
{
    QLineEdit* edit = find<QLineEdit>(parent, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

QString textOf(QWidget* parent, const char* name)
{
    return find<QLineEdit>(parent, name)->text();
}

// A room in summer: W 34 °C / tw 28.2 °C, N 25 °C / 50 % (summer load 5 kW),
// and L 14 °C / 95 % as point 2; densities 1.2 and 1.3 kg/m³.
class CalculationDialogs : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CIDG& idg = DocumentTestAccess::model(document);

    void SetUp() override
    {
        CAir_Room& rooms = idg.m_rooms;
        CServiceArea& room = fillOneRoomProject(idg);
        room.m_fWinterMoistLoad = 0.0f;
        idg.m_fSummerDensity = 1.2f;
        idg.m_fWinterDensity = 1.3f;
        rooms.SetRoomCondition(0, 0, 1);
        document.m_bProjectOpen = true;
        ASSERT_EQ(RefreshCurrentView(idg), 1);
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = "L";
        point->m_nKind = CStatePoint::kIndependent;
        point->m_nId = 2;
        point->m_t = 14.0f;
        point->m_RH = 0.95f;
        point->m_bKnownT = point->m_bKnownRH = 1;
        ASSERT_EQ(idg.CalcStatePoint(*point), 1);
        idg.m_pPoints->push_back(std::move(point));
    }
    double hN() const { return formulas::enthalpy(25.0, formulas::moisture(25.0, 0.5)); }
    double hL() const { return formulas::enthalpy(14.0, formulas::moisture(14.0, 0.95)); }
};

TEST_F(CalculationDialogs, AirVolumeDialogStartsAtTheIndoorPointAndTheRoomLoadAndAddsTheResult)
{
    for (int units : {CIDG::kUnitsSI, CIDG::kUnitsEngineering}) {
        SCOPED_TRACE(units);
        idg.m_nUnitSystem = units;
        const bool si = units == CIDG::kUnitsSI;
        CLoadCalcDlg dialog(document, ResultKind::AirVolume);
        EXPECT_EQ(dialog.windowTitle(), "计算—送风量");
        EXPECT_EQ(find<QLabel>(&dialog, "inputLabel")->text(), si ? "冷量kW" : "冷量kcal/h");
        EXPECT_EQ(find<QLabel>(&dialog, "outputLabel")->text(), "风量m^3/h");
        EXPECT_EQ(find<QComboBox>(&dialog, "point0")->currentText(), "N");
        EXPECT_EQ(find<QLabel>(&dialog, "t0")->text(), "25.0");
        EXPECT_EQ(find<QLabel>(&dialog, "rh0")->text(), "50");
        // 5 kW shown as "5.0" kW or 5000·0.8598452 = "4299" kcal/h.
        EXPECT_EQ(textOf(&dialog, "input"), si ? "5.0" : "4299");
        find<QComboBox>(&dialog, "point1")->setCurrentIndex(2);
        setText(&dialog, "input", si ? "10" : "8598.452");
        click(&dialog, "calculate");
        const double G = 3.6 * 10000.0 / (1.2 * (hN() - hL()));
        EXPECT_NEAR(textOf(&dialog, "output").toDouble(), G, 1.0);
        const std::size_t before = idg.m_pTexts->size();
        click(&dialog, "ok");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(idg.m_pTexts->size(), before + 1);
        EXPECT_NEAR(idg.m_fSupplyAirVolume, G, 1.0);
    }
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(CalculationDialogs, CapacityDialogsTakeTheSupplyAirVolumeAndShowTheirUnit)
{
    idg.m_fSupplyAirVolume = 3000.0f;
    struct Case {
        ResultKind kind;
        const char* title;
        const char* outputSI;
        const char* outputEngineering;
    };
    const double Q = 1.2 * 3000.0 * (hN() - hL()) / 3.6; // W
    for (const Case& c : {Case{ResultKind::Cooling, "计算—空调器处理冷量", "冷量kW", "冷量kcal/h"},
                          Case{ResultKind::Heating, "计算—加热量", "加热量kW", "加热量kcal/h"},
                          Case{ResultKind::Reheat, "计算—再热量", "再热量kW", "再热量kcal/h"},
                          Case{ResultKind::Preheat, "计算—预热量", "预热量kW", "预热量kcal/h"}}) {
        for (int units : {CIDG::kUnitsSI, CIDG::kUnitsEngineering}) {
            SCOPED_TRACE(c.title);
            idg.m_nUnitSystem = units;
            const bool si = units == CIDG::kUnitsSI;
            CLoadCalcDlg dialog(document, c.kind);
            EXPECT_EQ(dialog.windowTitle(), c.title);
            EXPECT_EQ(find<QLabel>(&dialog, "inputLabel")->text(), "风量m^3/h");
            EXPECT_EQ(find<QLabel>(&dialog, "outputLabel")->text(), si ? c.outputSI : c.outputEngineering);
            EXPECT_EQ(textOf(&dialog, "input"), "3000");
            find<QComboBox>(&dialog, "point1")->setCurrentIndex(2);
            click(&dialog, "calculate");
            EXPECT_NEAR(textOf(&dialog, "output").toDouble(), si ? Q * 0.001 : Q * 0.8598452,
                        si ? 0.002 : 2.0);
        }
    }
}

TEST_F(CalculationDialogs, HumidificationIsLabelledByItsDirectionAndAFailureKeepsTheDialogOpen)
{
    idg.m_fSupplyAirVolume = 3000.0f;
    CLoadCalcDlg dialog(document, ResultKind::Humidification);
    dialog.show();
    find<QComboBox>(&dialog, "point0")->setCurrentIndex(2);
    click(&dialog, "calculate");
    EXPECT_EQ(find<QLabel>(&dialog, "outputLabel")->text(), "加湿量kg/h");
    find<QComboBox>(&dialog, "point0")->setCurrentIndex(1);
    find<QComboBox>(&dialog, "point1")->setCurrentIndex(2);
    click(&dialog, "calculate");
    EXPECT_EQ(find<QLabel>(&dialog, "outputLabel")->text(), "除湿量kg/h");

    // An air volume between a point and itself cannot be computed: nothing
    // changes, and the user is told why.
    CLoadCalcDlg volume(document, ResultKind::AirVolume);
    volume.show();
    const std::size_t before = idg.m_pTexts->size();
    messages.clear();
    click(&volume, "ok");
    EXPECT_TRUE(textOf(&volume, "output").isEmpty());
    EXPECT_TRUE(volume.isVisible());
    EXPECT_EQ(idg.m_pTexts->size(), before);
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("所选的状态点相同，无法计算，请选择不同的状态点!"));
}

TEST_F(CalculationDialogs, RatioAndMixingDialogsAndThePickOfAPoint)
{
    CRatioCalcDlg ratio(document, ResultKind::TreatmentEnthalpy);
    EXPECT_EQ(ratio.windowTitle(), "计算—处理焓差");
    EXPECT_EQ(ratio.findChild<QLineEdit*>("input"), nullptr);
    ratio.show();
    click(&ratio, "pick0");
    EXPECT_FALSE(ratio.isVisible());
    EXPECT_EQ(ratio.armedRow(), 0);
    ratio.PickPoint(2);
    EXPECT_TRUE(ratio.isVisible());
    EXPECT_EQ(find<QComboBox>(&ratio, "point0")->currentText(), "L");
    click(&ratio, "calculate");
    EXPECT_EQ(textOf(&ratio, "output"), QString::asprintf("%.1f", hN() - hL()));

    CMixRatioCalcDlg mix(document);
    EXPECT_EQ(mix.windowTitle(), "计算－混风比");
    EXPECT_EQ(find<QLabel>(&mix, "outputLabel")->text(), "混风比%");
    find<QComboBox>(&mix, "point0")->setCurrentIndex(0);
    find<QComboBox>(&mix, "point1")->setCurrentIndex(2);
    click(&mix, "ok");
    const double hW = idg.PointAt(0)->m_h; // W itself is checked by the core tests
    EXPECT_EQ(textOf(&mix, "output"),
              QString::asprintf("%.0f", 100.0 * std::fabs(hW - hN()) / std::fabs(hW - hL())));
    EXPECT_EQ(idg.m_pTexts->back()->m_nKind, 5);
}

TEST_F(CalculationDialogs, DifferenceDialogsShowAndAddOrDoNothingOnBadInput)
{
    CEnthalpyDiffDlg enthalpy(document);
    EXPECT_EQ(enthalpy.windowTitle(), "计算焓差");
    setText(&enthalpy, "flow", "10");
    setText(&enthalpy, "airVolume", "0");
    click(&enthalpy, "calculate");
    EXPECT_TRUE(textOf(&enthalpy, "result").isEmpty());
    setText(&enthalpy, "airVolume", "3000");
    click(&enthalpy, "calculate");
    EXPECT_EQ(textOf(&enthalpy, "result"), "10.00");
    EXPECT_EQ(textOf(&enthalpy, "flow"), "10.00");
    EXPECT_EQ(textOf(&enthalpy, "airVolume"), "3000.0");
    click(&enthalpy, "ok");
    EXPECT_EQ(enthalpy.result(), QDialog::Accepted);
    EXPECT_EQ(idg.m_pTexts->back()->m_strText, "处理焓差(-): 10.000kJ/kg");

    CMoistureDiffDlg moisture(document);
    EXPECT_EQ(moisture.windowTitle(), "计算含湿量差");
    setText(&moisture, "flow", "-3.6");
    setText(&moisture, "airVolume", "3000");
    click(&moisture, "calculate");
    EXPECT_TRUE(textOf(&moisture, "result").isEmpty());
    setText(&moisture, "flow", "3.6");
    click(&moisture, "calculate");
    EXPECT_EQ(textOf(&moisture, "result"), "1.00");
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(CalculationDialogs, InformationShowsEveryPropertyAndCopiesATable)
{
    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    const auto point = StatePointParameters(idg, 1);
    ASSERT_TRUE(point.has_value());
    CPointInfoDlg dialog(*point, idg.m_nUnitSystem);
    EXPECT_EQ(dialog.windowTitle(), "状态点信息");
    EXPECT_EQ(textOf(&dialog, "name"), "N");
    EXPECT_EQ(textOf(&dialog, "t"), "25.00");
    EXPECT_EQ(textOf(&dialog, "rh"), "50.0");
    EXPECT_EQ(textOf(&dialog, "p"), "101325.0");
    EXPECT_EQ(textOf(&dialog, "d"), QString::asprintf("%.2f", formulas::moisture(25.0, 0.5) * 1000.0));
    EXPECT_EQ(textOf(&dialog, "h"), QString::asprintf("%.2f", hN() * 0.2388459));
    click(&dialog, "copy");
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("名称\t大气压力Pa\t干球温度℃"));
    EXPECT_TRUE(lines[0].contains("焓kcal/kg"));
    const QStringList cells = lines[1].split('\t');
    ASSERT_EQ(cells.size(), 12);
    EXPECT_EQ(cells[0], "N");
    EXPECT_EQ(cells[2], "25.00");
    EXPECT_EQ(cells[7], QString::asprintf("%.2f", hN() * 0.2388459));
}

TEST_F(CalculationDialogs, OutputPointWritesAStateText)
{
    COutputPointDlg dialog(document);
    EXPECT_EQ(dialog.windowTitle(), "输出状态点");
    find<QComboBox>(&dialog, "name")->setCurrentIndex(2);
    EXPECT_EQ(find<QLabel>(&dialog, "t")->text(), "14.0");
    EXPECT_EQ(find<QLabel>(&dialog, "rh")->text(), "95");
    setText(&dialog, "caption", "L");
    click(&dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(idg.m_pTexts->back()->m_nKind, 9);
    EXPECT_EQ(idg.m_pTexts->back()->m_nRefExtra, 2);
    EXPECT_THAT(idg.m_pTexts->back()->m_strText, ::testing::StartsWith("L:  14.0℃ "));
}

TEST_F(CalculationDialogs, ParameterPointListChecksItsInputsAndKeepsTheRoomsPoints)
{
    CParamPointDlg dialog(document, CParamPointDlg::Form::List);
    EXPECT_EQ(textOf(&dialog, "p"), "101325");
    click(&dialog, "calculate");
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("已知参数过少，请检查所设定已知参数!"));
    messages.clear();
    QCheckBox* td = find<QCheckBox>(&dialog, "known_td");
    QCheckBox* d = find<QCheckBox>(&dialog, "known_d");
    d->setChecked(true);
    td->setChecked(true);
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("露点温度与含湿量为关联参数,请重新选择!"));
    EXPECT_FALSE(td->isChecked());
    messages.clear();
    d->setChecked(false);
    find<QCheckBox>(&dialog, "known_t")->setChecked(true);
    find<QCheckBox>(&dialog, "known_rh")->setChecked(true);
    // Two known: the rest are disabled.
    EXPECT_FALSE(find<QCheckBox>(&dialog, "known_h")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>(&dialog, "h")->isEnabled());
    setText(&dialog, "t", "25");
    setText(&dialog, "rh", "50");
    click(&dialog, "add");
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("请输入参数点名称!"));
    messages.clear();
    setText(&dialog, "name", "P1");
    click(&dialog, "add");
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_EQ(idg.m_pParamPoints->size(), 1u);
    EXPECT_NEAR((*idg.m_pParamPoints)[0]->m_d, formulas::moisture(25.0, 0.5), 1e-6);
    EXPECT_EQ(textOf(&dialog, "d"), QString::asprintf("%.2f", formulas::moisture(25.0, 0.5) * 1000.0));
    EXPECT_EQ(textOf(&dialog, "h"), QString::asprintf("%.1f", hN()));
    click(&dialog, "add");
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("输入名无效或该点已经存在，请重新命名"));
    setText(&dialog, "name", "P2");
    click(&dialog, "rename");
    EXPECT_EQ((*idg.m_pParamPoints)[0]->m_strName, "P2");
    click(&dialog, "copy");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\nP2\t101325.0\t25.00\t"));
    click(&dialog, "delete");
    EXPECT_TRUE(idg.m_pParamPoints->empty());
    // Dry air is a state: 20 °C at 0 % has no moisture and h = 1.01·20.
    setText(&dialog, "t", "20");
    setText(&dialog, "rh", "0");
    click(&dialog, "calculate");
    EXPECT_EQ(textOf(&dialog, "d"), "0.00");
    EXPECT_EQ(textOf(&dialog, "h"), "20.2");
    click(&dialog, "reset");
    EXPECT_TRUE(textOf(&dialog, "name").isEmpty());
    EXPECT_TRUE(find<QCheckBox>(&dialog, "known_h")->isEnabled());
}

TEST_F(CalculationDialogs, ParameterPickerHandsBackTheStateFromEngineeringEnthalpy)
{
    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    CParamPointDlg dialog(document, CParamPointDlg::Form::Picker);
    EXPECT_EQ(dialog.findChild<QPushButton*>("add"), nullptr);
    find<QCheckBox>(&dialog, "known_t")->setChecked(true);
    find<QCheckBox>(&dialog, "known_h")->setChecked(true);
    setText(&dialog, "t", "25");
    // h_N in kcal/kg goes in as × 4.1868.
    const double hKcal = 12.0;
    setText(&dialog, "h", QString::number(hKcal));
    click(&dialog, "back");
    ASSERT_TRUE(dialog.pickedState().has_value());
    const double x = (hKcal * 4.1868 - 1.01 * 25.0) / (2500.0 + 1.85 * 25.0);
    const double rh = 101325.0 * x / (0.62198 + x) / formulas::saturationPressure(25.0);
    EXPECT_NEAR(dialog.pickedState()->t, 25.0, 1e-4);
    EXPECT_NEAR(dialog.pickedState()->RH, rh, 1e-4);
    EXPECT_EQ(textOf(&dialog, "rh"), QString::asprintf("%.0f", rh * 100.0));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// In IP every calculation dialog shows its states, flows and capacities in
// °F, gr/lb, Btu/lb, psia, cfm, Btu/h and lb/h, and takes what is typed in
// them back to the stored SI values.
TEST_F(CalculationDialogs, DialogsShowAndTakeIpUnits)
{
    idg.m_nUnitSystem = CIDG::kUnitsIP;
    const auto point = StatePointParameters(idg, 1);
    ASSERT_TRUE(point.has_value());
    {
        CPointInfoDlg info(*point, idg.m_nUnitSystem);
        const double x = formulas::moisture(25.0, 0.5);
        struct Row {
            const char* name;
            QString expected;
        };
        for (const Row& row : {Row{"t", "77.00"}, Row{"rh", "50.0"}, Row{"p", "14.696"},
                               Row{"d", QString::asprintf("%.2f", x * 7000.0)},
                               Row{"h", QString::asprintf("%.2f", (hN() + 1.01 * 160.0 / 9.0) / 2.326)},
                               Row{"v", QString::asprintf("%.3f", point->m_v * 16.01846337)}}) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(textOf(&info, row.name), row.expected);
        }
    }
    {
        // 77 °F and 50 % type in as 25 °C; the moisture comes back in gr/lb.
        CParamPointDlg param(document, CParamPointDlg::Form::List);
        EXPECT_EQ(textOf(&param, "p"), "14.696");
        EXPECT_EQ(find<QCheckBox>(&param, "known_t")->text(), "干球温度℉");
        find<QCheckBox>(&param, "known_t")->setChecked(true);
        find<QCheckBox>(&param, "known_rh")->setChecked(true);
        setText(&param, "t", "77");
        setText(&param, "rh", "50");
        setText(&param, "name", "P1");
        click(&param, "add");
        ASSERT_EQ(idg.m_pParamPoints->size(), 1u);
        EXPECT_NEAR((*idg.m_pParamPoints)[0]->m_t, 25.0, 1e-4);
        EXPECT_NEAR((*idg.m_pParamPoints)[0]->m_p, 101325.0, 1.0);
        EXPECT_NEAR(textOf(&param, "d").toDouble(), formulas::moisture(25.0, 0.5) * 7000.0, 0.05);
    }
    {
        // 5 kW of room load is 17061 Btu/h; the air volume comes out in cfm.
        CLoadCalcDlg volume(document, ResultKind::AirVolume);
        EXPECT_EQ(find<QLabel>(&volume, "inputLabel")->text(), "冷量Btu/h");
        EXPECT_EQ(find<QLabel>(&volume, "outputLabel")->text(), "风量cfm");
        EXPECT_EQ(find<QLabel>(&volume, "t0")->text(), "77.0");
        EXPECT_EQ(textOf(&volume, "input"), "17061");
        find<QComboBox>(&volume, "point1")->setCurrentIndex(2);
        setText(&volume, "input", "34121.41633");
        click(&volume, "calculate");
        const double G = 3.6 * 10000.0 / (1.2 * (hN() - hL()));
        EXPECT_NEAR(textOf(&volume, "output").toDouble(), G * 0.588577779, 1.0);
        click(&volume, "ok");
        EXPECT_NEAR(idg.m_fSupplyAirVolume, G, 1.0);
    }
    {
        // 3.6 kg/h in 3000 m³/h at 1.2 kg/m³ is 1 g/kg: typed as lb/h and cfm, shown as 7 gr/lb.
        CMoistureDiffDlg moisture(document);
        setText(&moisture, "flow", QString::number(3.6 * 2.204622622, 'f', 6));
        setText(&moisture, "airVolume", QString::number(3000.0 * 0.588577779, 'f', 4));
        click(&moisture, "calculate");
        EXPECT_EQ(textOf(&moisture, "result"), "7.00");
    }
    EXPECT_TRUE(messages.entries.empty()) << messages.texts().front();
}

} // namespace

namespace {

// The page view with a result of every calculation kind, written to
// $QORVA_SCREENSHOT_DIR/calculations.png (skipped without the variable).
TEST_F(CalculationDialogs, Screenshots)
{
    const QByteArray folder = qgetenv("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    ASSERT_TRUE(AddCalculationResult(document, ResultKind::AirVolume, {1, 2, -1}, 10000.0f));
    for (ResultKind kind :
         {ResultKind::Cooling, ResultKind::Heating, ResultKind::Reheat, ResultKind::Preheat,
          ResultKind::Humidification, ResultKind::HeatMoistureRatio, ResultKind::TreatmentEnthalpy})
        ASSERT_TRUE(AddCalculationResult(
            document, kind, kind == ResultKind::Cooling ? ResultPoints{1, 2, -1} : ResultPoints{2, 1, -1},
            idg.m_fSupplyAirVolume));
    ASSERT_TRUE(AddCalculationResult(document, ResultKind::MixingRatio, {0, 2, 1}, 0.0f));
    ASSERT_TRUE(AddEnthalpyDifferenceResult(document, 10000.0f, 3000.0f));
    ASSERT_TRUE(AddMoistureDifferenceResult(document, 3.6f, 3000.0f));
    ASSERT_TRUE(AddOutputStateText(document, 2, "送风状态"));
    chart::ExportOptions options;
    options.format = chart::ExportFormat::Png;
    options.pageView = true;
    std::string error;
    const std::string path = folder.toStdString() + "/calculations.png";
    ASSERT_TRUE(document.ExportChart(chart::standardDevice(), path, options, error)) << error;
}

} // namespace
