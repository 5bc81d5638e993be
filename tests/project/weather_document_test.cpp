#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <fstream>
#include <string>

#include "analysis/AnalysisFramework.h"
#include "climate/WeatherFile.h"
#include "model/CIDG.h"
#include "project/AirDensity.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCommands.h"
#include "project/DocumentEdits.h"
#include "project/WeatherSummary.h"
#include "psychro/Comfort.h"
#include "psychro/QorvaDll.h"
#include "project/ProjectFile.h"
#include "support/RecordingMessages.h"
#include "support/SuiteGuiApplication.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";
const std::string kBologna =
    std::string(QORVA_SOURCE_DIR) + "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

class WeatherDocument : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }
    void SetUp() override { ASSERT_TRUE(document.OnOpenDocument(kSample)); }

    std::vector<std::uint8_t> bytes() const { return ProjectBytes(document.model()); }

    RecordingMessages messages;
    CQORVADoc document;
};

TEST_F(WeatherDocument, AYearItsFilterAndItsMapAreViewedNotEdited)
{
    std::string error;
    ASSERT_TRUE(document.LoadWeatherFile(kBologna, error)) << error;
    ASSERT_NE(document.weatherYear(), nullptr);
    EXPECT_EQ(document.weatherYear()->hours.size(), 8760u);
    ASSERT_NE(document.weatherMap(), nullptr);
    EXPECT_EQ(document.weatherMap()->density.hours, 8760);
    const std::uint64_t first = document.weatherMap()->serial;

    // June to August, 08:00–18:00: 92 days of 10 hours.
    HourFilter summerDays;
    summerDays.firstMonth = 6;
    summerDays.lastMonth = 8;
    summerDays.fromHour = 8;
    summerDays.toHour = 18;
    document.SetWeatherFilter(summerDays);
    EXPECT_EQ(document.weatherMap()->density.hours, 920);
    EXPECT_NE(document.weatherMap()->serial, first);
    document.SetWeatherShown(false);
    EXPECT_EQ(document.weatherMap(), nullptr);
    EXPECT_NE(document.weatherYear(), nullptr);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.undoStack().count(), 0);

    // A damaged file leaves the year as it was.
    QTemporaryDir dir;
    const std::string damaged = dir.filePath("damaged.csv").toStdString();
    std::ofstream(damaged) << "time,t,rh\n2023-07-01 10:00,20,50\n2023-13-01 11:00,21,50\n";
    EXPECT_FALSE(document.LoadWeatherFile(damaged, error));
    EXPECT_EQ(error, "气象文件第 3 行：月份 13 不在 1–12 之间");
    EXPECT_EQ(document.weatherYear()->hours.size(), 8760u);
    EXPECT_EQ(document.weatherFilter().firstMonth, 6);

    // Another project starts without a year.
    ASSERT_TRUE(document.OnOpenDocument(kSample));
    EXPECT_EQ(document.weatherYear(), nullptr);
    EXPECT_EQ(document.weatherFilter().firstMonth, 1);
}

TEST_F(WeatherDocument, DesignConditionsAreOneStepThatRerunsTheRoomsAndUndoes)
{
    const std::vector<std::uint8_t> before = bytes();
    const CServiceArea& office = *document.model().m_rooms.m_systems[0]->m_rooms[0];
    const float coolingBefore = office.m_anaW[primary_slot::kCooling].f;

    DesignConditions design;
    design.summerT = 33.0f;
    design.summerTw = 24.0f;
    design.summerPressure = 100312.4f;
    design.winterT = -3.0f;
    design.winterRH = 0.8f;
    design.winterPressure = 101498.0f;
    ASSERT_TRUE(document.ApplyDesignConditions(design));
    EXPECT_TRUE(messages.entries.empty());
    const CIDG& idg = document.model();
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutT, 33.0f);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutTw, 24.0f);
    EXPECT_EQ(idg.m_rooms.m_bSummerOutByRH, 0);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fWinterOutT, -3.0f);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fWinterOutRH, 80.0f);
    EXPECT_EQ(idg.m_rooms.m_bWinterOutByRH, 1);
    // Pressures as typed into the pressure dialog ("%.0f"), densities from
    // its other fields as they show them.
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 100312.0f);
    EXPECT_FLOAT_EQ(idg.m_fWinterPressure, 101498.0f);
    const double summerDensity = AirDensity(100312.0, std::round(idg.m_fSummerAirD * 1e4) / 1e4,
                                            std::round(idg.m_fSummerAirT * 10) / 10);
    EXPECT_FLOAT_EQ(idg.m_fSummerDensity, static_cast<float>(std::round(summerDensity * 1000) / 1000));
    // The primary room was analysed again against the new outdoor air.
    EXPECT_NE(office.m_anaW[primary_slot::kCooling].f, coolingBefore);
    ASSERT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().text(0).toStdString(), "用于工程");
    document.undoStack().undo();
    EXPECT_EQ(bytes(), before);

    // A year too short for a value changes nothing.
    design.summerTw.reset();
    EXPECT_FALSE(document.ApplyDesignConditions(design));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"气象年太短，得不出全部室外计算参数。"});
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(document.undoStack().count(), 1);
}

// A year's design conditions are refused, storing nothing, when a state lies
// off the chart or when the re-run would clear a point the user drew and the
// question is answered 否; 是 stores them as one step.
TEST_F(WeatherDocument, DesignConditionsOffTheChartOrDeclinedStoreNothing)
{
    document.SelectCondition(kConditionSummer);
    ASSERT_TRUE(DocumentEdits(document).AddIndependentPoint(
        "P9", 22.0f, 0.5f, SecondProperty::RelativeHumidity, document.model().FullChartStates()))
        << (messages.entries.empty() ? std::string() : messages.entries.back().text);
    const std::vector<std::uint8_t> before = bytes();
    const int steps = document.undoStack().count();
    const std::string office =
        document.model().m_rooms.m_systems[0]->m_strName + "/" + document.model().CurrentRoom()->m_strName;
    struct Case {
        float summerT, summerTw;
        bool answer;
        bool stored;
        std::vector<std::string> messages;
    };
    const std::string question =
        "运行分析将清除以下视图中您绘制的 1 个对象，是否继续？\n" + office + "：制冷工况";
    const Case cases[] = {
        {80.0f, 28.2f, true, false, {"夏季室外状态点超出焓湿图范围!"}},
        {35.0f, 26.0f, false, false, {question}},
        {35.0f, 26.0f, true, true, {question}},
    };
    for (const Case& c : cases) {
        messages.entries.clear();
        messages.answer = c.answer;
        DesignConditions design;
        design.summerT = c.summerT;
        design.summerTw = c.summerTw;
        design.summerPressure = 101325.0f;
        design.winterT = -3.0f;
        design.winterRH = 0.8f;
        design.winterPressure = 101325.0f;
        EXPECT_EQ(document.ApplyDesignConditions(design), c.stored) << c.summerT;
        EXPECT_EQ(messages.texts(), c.messages) << c.summerT;
        EXPECT_EQ(bytes() == before, !c.stored) << c.summerT;
        EXPECT_EQ(document.undoStack().count(), steps + (c.stored ? 1 : 0)) << c.summerT;
    }
}

// Hours at t °C and RH (fraction) at the sample's chart pressure.
WeatherHour hourAt(float t, float RH, float p)
{
    WeatherHour hour;
    hour.t = t;
    hour.RH = RH;
    hour.p = p;
    float tw = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    EXPECT_TRUE(ptRH_all(p, t, RH, &hour.x, &hour.h, &tw, &hour.td, &pq, &pqb, &v, &rho));
    return hour;
}

TEST_F(WeatherDocument, TheHoursTableCountsTheZonesOfTheViewAndTheDesignPoints)
{
    // The GB 50736 供冷 I级 zone (24–26 °C, 40–60 %) drawn on N of the view shown.
    ASSERT_TRUE(DocumentEdits(document).MakeComfortZone(
        1, qorva::psychro::codeZoneCorners(qorva::psychro::CodeZone::CoolingClass1), "供冷 I级", 100, 100));
    const CIDG& idg = document.model();
    const float p = idg.m_fSummerPressure;
    WeatherYear year;
    // Inside the zone; its corner; too warm; too humid; above the sample's summer W (34 °C, tw 28.2);
    // below its winter W.
    for (const auto& [t, RH] : std::initializer_list<std::pair<float, float>>{
             {25.0f, 0.5f}, {24.0f, 0.4f}, {27.0f, 0.5f}, {25.0f, 0.7f}, {36.0f, 0.8f}, {-10.0f, 0.5f}})
        year.hours.push_back(hourAt(t, RH, p));
    const WeatherTable table = HourCountTable(idg, year, HourFilter{});
    ASSERT_EQ(table.rows.size(), 8u);
    EXPECT_EQ(table.rows[1], (std::vector<std::string>{"舒适区：供冷 I级", "2", "33.3"}));
    EXPECT_EQ(table.rows[2][1], "2"); // the GB class counts the same two
    EXPECT_EQ(table.rows[6][1], "1");
    EXPECT_EQ(table.rows[7][0], "干球温度低于冬季室外计算点 " + idg.m_rooms.m_strWinterOutName + "（" +
                                    QString::number(idg.m_rooms.m_fWinterOutT, 'f', 1).toStdString() +
                                    " ℃）");
    EXPECT_EQ(table.rows[7][1], idg.m_rooms.m_fWinterOutT > -10.0f ? "1" : "0");

    // In IP the design points' values are in ℉ and Btu/lb, the design conditions in ℉ and psia.
    document.SetUnitSystem(CIDG::kUnitsIP);
    const WeatherTable ip = HourCountTable(document.model(), year, HourFilter{});
    EXPECT_EQ(ip.rows[7][0],
              "干球温度低于冬季室外计算点 " + idg.m_rooms.m_strWinterOutName + "（" +
                  QString::number(idg.m_rooms.m_fWinterOutT * 1.8 + 32.0, 'f', 1).toStdString() + " ℉）");
    EXPECT_NE(ip.rows[6][0].find("Btu/lb）"), std::string::npos) << ip.rows[6][0];
    WeatherYear bologna;
    std::string error;
    ASSERT_TRUE(ReadWeatherFile(kBologna, bologna, error)) << error;
    const DesignConditions design = ComputeDesignConditions(bologna);
    ASSERT_TRUE(design.summerPressure && design.winterT);
    const WeatherTable conditions = DesignConditionsTable(bologna, design, CIDG::kUnitsIP);
    const auto valueOf = [&conditions](const std::string& caption) {
        for (const auto& row : conditions.rows)
            if (row[0] == caption)
                return row[1];
        return std::string("missing");
    };
    EXPECT_EQ(valueOf("夏季大气压力psia"),
              QString::asprintf("%.3f", *design.summerPressure / 6894.757293168).toStdString());
    EXPECT_EQ(valueOf("冬季空调室外计算温度℉"),
              QString::asprintf("%.1f", *design.winterT * 1.8 + 32.0).toStdString());
}

} // namespace
