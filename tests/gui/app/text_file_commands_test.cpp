#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CQORVAApp.h"
#include "gui/app/CommandTable.h"
#include "gui/project/TextFileCommands.h"
#include "model/TextCodec.h"
#include "project/CQORVADoc.h"
#include "psychro/QorvaDll.h"
#include "support/RecordingMessages.h"

namespace {

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// A state line of the report: name, t, tw, RH, d, h (SI).
std::string stateLine(const std::string& label, float t, float tw, float RH, float x, float h,
                      const char* moisture = "%.1fg/kg")
{
    return label + "：" + format("%.1f℃", t) + " " + format("%.1f℃", tw) + " " +
           format("%.1f%%", RH * 100.0) + " " + format(moisture, x * 1000.0) + " " + format("%.1fkJ/kg", h);
}

std::string outdoorSummer(const std::string& label, float p, float t, float tw)
{
    float x, h, RH, td, pq, pqb, v, rho;
    EXPECT_EQ(pttw_all(p, t, tw, &x, &h, &RH, &td, &pq, &pqb, &v, &rho), 1);
    return stateLine(label, t, tw, RH, x, h);
}

std::string byHumidity(const std::string& label, float p, float t, float RH)
{
    float x, h, tw, td, pq, pqb, v, rho;
    EXPECT_EQ(ptRH_all(p, t, RH, &x, &h, &tw, &td, &pq, &pqb, &v, &rho), 1);
    return stateLine(label, t, tw, RH, x, h);
}

std::vector<std::string> readGbkLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::string text = gbkToUtf8(file.readAll().toStdString());
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos && lines.size() < 1000;
         end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

struct RoomExpectation {
    const char* system;
    const char* room;
    float summerT, summerRH, summerLoad, summerMoisture, summerAir;
    float winterT, winterRH, winterLoad, winterMoisture, winterAir;
};

// The example parameter file's project (rooms without analysis results).
const RoomExpectation kRooms[] = {
    {"空调系统1", "会议室", 26, 0.55f, 12.5f, 1.2f, 800, 20, 0.45f, 8.0f, 0.5f, 800},
    {"空调系统1", "办公室101", 25, 0.50f, 6.2f, 0.6f, 300, 20, 0.40f, 4.1f, 0.2f, 300},
    {"空调系统2", "大厅", 27, 0.60f, 20, 2.0f, 1500, 18, 0.40f, 15, 1.0f, 1500},
};

// The lines a room's stored primary results add to its report block: the
// supply, the coil and its states, the mixing and the heat-moisture ratio,
// with the points the stored indices name in the condition's list.
std::vector<std::string> summerResults(const CServiceArea& room)
{
    const auto& points = room.m_points[kConditionSummer];
    const auto word = [&room](int slot) { return room.m_anaW[static_cast<std::size_t>(slot)]; };
    const auto at = [&points](int slot_index) -> const CStatePoint& {
        return *points[static_cast<std::size_t>(slot_index)];
    };
    const auto state = [&](const std::string& label, int index) {
        const CStatePoint& p = at(index);
        return stateLine(label + p.m_strName, p.m_t, p.m_tw, p.m_RH, p.m_d, p.m_h);
    };
    using namespace primary_slot;
    if (word(kMixing).i == -1)
        return {};
    const int o = word(kSupply).i, c = word(kMixing).i, l = word(kCoilOutlet).i, p = word(kFanOutlet).i;
    const std::string O = at(o).m_strName, C = at(c).m_strName, N = at(1).m_strName, W = at(0).m_strName;
    // The coil cools C to L, or to O itself when there is no L; reheat starts
    // from P when the fan heats the air, else from L.
    const int coilOutlet = l != -1 ? l : o;
    std::vector<std::string> lines{"总送风量" + O + "-" + N + "：" + format("%.0f", word(kSupplyVolume).f) +
                                       "m^3/h",
                                   "空调器制冷量" + C + "-" + at(coilOutlet).m_strName + "：" +
                                       format("%.1f", word(kCooling).f * 0.001) + "kW"};
    if (l != -1 && word(kMaxDifference).i == 0)
        lines.push_back("空调器再热量" + at(p != -1 ? p : l).m_strName + "-" + O + "：" +
                        format("%.1f", word(kReheat).f * 0.001) + "kW");
    lines.push_back(state("空调器进风状态点", c));
    lines.push_back(state("空调器出风状态点", coilOutlet));
    lines.push_back(state("空调器送风状态点", o));
    lines.push_back("混风比" + N + "-" + C + "-" + W + "：" + format("%.1f", word(kFreshRatio).f * 100.0) +
                    "%");
    lines.push_back("热湿比" + O + "-" + N + "：" + format("%.1fkJ/kg", word(kRatio).f));
    return lines;
}

std::vector<std::string> winterResults(const CServiceArea& room)
{
    const auto& points = room.m_points[kConditionWinter];
    const auto word = [&room](int slot) { return room.m_anaW[static_cast<std::size_t>(slot)]; };
    const auto at = [&points](int index) -> const CStatePoint& {
        return *points[static_cast<std::size_t>(index)];
    };
    using namespace primary_slot;
    if (word(kSupply).i == -1 || word(kWinterSupply).i == -1)
        return {};
    const int o = word(kWinterSupply).i, m = word(kHeaterOutlet).i, c = word(kHeaterInlet).i,
              preheated = word(kPreheated).i, mixed = word(kMixedBeforeHeating).i;
    const std::string O = at(o).m_strName, M = at(m).m_strName, C = at(c).m_strName, N = at(1).m_strName,
                      W = at(0).m_strName;
    const auto coilState = [&](const std::string& label, int index) {
        const CStatePoint& p = at(index);
        return stateLine(label + p.m_strName, p.m_t, p.m_tw, p.m_RH, p.m_d, p.m_h, "%.0fg/kg");
    };
    std::vector<std::string> lines{
        "总送风量" + O + "-" + N + "：" + format("%.0f", word(kWinterVolume).f) + "m^3/h",
        "空调器加热量" + C + "-" + M + "：" + format("%.1f", word(kHeating).f * 0.001) + "kW"};
    // Preheating the fresh air heats W to W'; mixing first heats C' to C.
    const std::string preheat =
        preheated != -1 ? W + "-" + at(preheated).m_strName : C + "-" + at(mixed).m_strName;
    const CStatePoint& afterPreheat = at(preheated != -1 ? preheated : c);
    lines.push_back("空调器预热量" + preheat + "：" + format("%.1f", word(kPreheat).f * 0.001) + "kW");
    lines.push_back("预热后出风温度(" + afterPreheat.m_strName + ")：" + format("%.1f℃", afterPreheat.m_t));
    lines.push_back("空调器加湿量" + M + "-" + O + "：" + format("%.0fkg/h", word(kHumidification).f));
    lines.push_back(coilState("加热盘管进风状态点", c));
    lines.push_back(coilState("加热盘管出风状态点", m));
    const std::string mixing = preheated != -1 ? N + "-" + C + "-" + at(preheated).m_strName
                                               : N + "-" + at(mixed).m_strName + "-" + W;
    lines.push_back("混风比" + mixing + "：" + format("%.1f", word(kWinterFreshRatio).f * 100.0) + "%");
    lines.push_back("热湿比" + O + "-" + N + "：" + format("%.1fkJ/kg", word(kWinterRatio).f));
    return lines;
}

// The report of the example project; with a document, each room's stored
// primary results follow its known parameters.
std::vector<std::string> expectedReport(const CQORVADoc* analysed = nullptr)
{
    const std::string stars(61, '*');
    std::vector<std::string> lines{stars, "            工程：办公楼            ", stars};
    std::string system;
    int systemIndex = -1, roomIndex = 0;
    for (const RoomExpectation& r : kRooms) {
        if (r.system != system) {
            lines.push_back("");
            ++systemIndex;
            roomIndex = 0;
        }
        system = r.system;
        const CServiceArea* analysedRoom =
            analysed ? analysed->model()
                           .m_rooms.m_systems[static_cast<std::size_t>(systemIndex)]
                           ->m_rooms[static_cast<std::size_t>(roomIndex++)]
                           .get()
                     : nullptr;
        const std::string heading = std::string("系统：") + r.system + "     服务区域：" + r.room;
        lines.push_back(heading + "     工况：夏季工况");
        lines.push_back("已知参数:");
        lines.push_back(outdoorSummer("室外状态点W", 101325, 34.0f, 28.2f));
        lines.push_back(byHumidity("室内状态点N", 101325, r.summerT, r.summerRH));
        lines.push_back("室内空调冷负荷：" + format("%.1f", r.summerLoad) + "kW");
        lines.push_back("室内空调湿负荷：" + format("%.2f", r.summerMoisture) + "kg/h");
        lines.push_back("新风量：" + format("%.0f", r.summerAir) + "m^3/h");
        if (analysedRoom)
            for (const std::string& line : summerResults(*analysedRoom))
                lines.push_back(line);
        lines.push_back("");
        lines.push_back(heading + "     工况：冬季工况");
        lines.push_back("已知参数:");
        lines.push_back(byHumidity("室外状态点W", 101325, -5.0f, 0.75f));
        lines.push_back(byHumidity("室内状态点N", 101325, r.winterT, r.winterRH));
        lines.push_back("室内空调热负荷：" + format("%.1f", r.winterLoad) + "kW");
        lines.push_back("室内空调湿负荷：" + format("%.2f", r.winterMoisture) + "kg/h");
        lines.push_back("新风量：" + format("%.0f", r.winterAir) + "m^3/h");
        if (analysedRoom)
            for (const std::string& line : winterResults(*analysedRoom))
                lines.push_back(line);
        lines.push_back(std::string(61, '-'));
    }
    return lines;
}

class TextFileCommandsTest : public ::testing::Test {
protected:
    void start(const QStringList& arguments)
    {
        ASSERT_TRUE(dir.isValid());
        app = std::make_unique<CQORVAApp>();
        started = app->InitInstance(QStringList{"qorva"} + arguments);
        messages = std::make_unique<RecordingMessages>();
        installTextFileCommands(app->frame(), prompts);
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    std::unique_ptr<CQORVAApp> app;
    std::unique_ptr<RecordingMessages> messages;
    bool started = false;
    QString chosenTable;
    QString chosenOld;
    QString chosenWorkbook;
    TextFilePrompts prompts{[this](QWidget*) { return chosenTable; }, [this](QWidget*) { return chosenOld; },
                            [this](QWidget*) { return chosenWorkbook; }};
};

const QString kParameters = QStringLiteral(QORVA_SOURCE_DIR "/examples/parameters.txt");

TEST_F(TextFileCommandsTest, StartedWithParametersAndReportCloseAndReturnWritesTheReportAndEnds)
{
    start({"-m", kParameters, "-r", path("报告.txt")});
    ASSERT_TRUE(started);
    CMainFrame& frame = app->frame();
    ASSERT_TRUE(frame.isVisible());
    frame.updateCommandStates();
    ASSERT_TRUE(frame.action(cmd::FileClose)->isEnabled());
    // Saved first, so closing asks nothing.
    ASSERT_TRUE(app->document().OnSaveDocument(path("办公楼.id").toStdString()));
    frame.action(cmd::FileClose)->trigger();
    EXPECT_FALSE(frame.isVisible()) << "the program ends";
    EXPECT_TRUE(messages->texts().empty());

    const std::vector<std::string> expected = expectedReport();
    const std::vector<std::string> lines = readGbkLines(path("报告.txt"));
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

// Started as a calling program starts it, the primary analysis of each room
// run as its dialog's OK runs it (one room each way the coil and the
// preheater can go), then 关闭并返回: the report prints every room's stored
// results.
TEST_F(TextFileCommandsTest, CloseAndReturnReportsThePrimaryResultsOfEveryRoom)
{
    start({"-m", kParameters, "-r", path("报告.txt")});
    ASSERT_TRUE(started);
    CQORVADoc& document = app->document();
    struct Run {
        int system, room;
        PrimaryParams params;
    };
    const Run runs[] = {
        {0, 0, {0.0f, 0.0f, 0.95f, 1, 0, kPreheatNone, kHumidifyNone, 0.0f}},
        {0, 1, {1.0f, 6.0f, 0.9f, 0, 1, kPreheatFirst, kHumidifyAdiabatic, 15.0f}},
        {1, 0, {0.0f, 8.0f, 0.95f, 0, 1, kMixFirst, kHumidifySteam, 10.0f}},
    };
    for (const Run& run : runs) {
        ASSERT_TRUE(document.SelectSystem(run.system));
        document.SelectRoom(run.room);
        std::string message;
        ASSERT_TRUE(document.RunAnalysis(run.params, message)) << run.system << "/" << run.room << message;
    }
    const auto& rooms = document.model().m_rooms.m_systems;
    ASSERT_EQ(rooms[0]->m_rooms[1]->m_anaW[primary_slot::kFanOutlet].i != -1, true) << "a fan-heated P";
    ASSERT_NE(rooms[1]->m_rooms[0]->m_anaW[primary_slot::kMixedBeforeHeating].i, -1) << "mixed first";
    const std::vector<std::string> expected = expectedReport(&document);
    ASSERT_TRUE(document.OnSaveDocument(path("办公楼.id").toStdString()));
    app->frame().updateCommandStates();
    app->frame().action(cmd::FileClose)->trigger();
    EXPECT_FALSE(app->frame().isVisible()) << "the program ends";
    EXPECT_TRUE(messages->texts().empty());

    const std::vector<std::string> lines = readGbkLines(path("报告.txt"));
    EXPECT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < std::min(lines.size(), expected.size()); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST_F(TextFileCommandsTest, TableExportsWriteTheChosenFileWithTxtAddedAndCancelWritesNothing)
{
    start({"-m", kParameters});
    const std::string header = std::string("名称      ") + "    大气压力(Pa)" + "    干球温度(℃)" +
                               "    湿球温度(℃)" + "    相对湿度(%)" + "    露点温度(℃)" +
                               "    含湿量(kg/kg)" + "    焓(kJ/kg)" + "    水蒸气分压力(Pa)" +
                               "    饱和水蒸气分压力(Pa)" + "    比容(m^3/kg)" + "    密度(kg/m^3)";
    struct Case {
        int command;
        const char* chosen;
        const char* written;
        std::size_t lines; // at least: header, 2 systems, 3 rooms × (room + 3 conditions)
    };
    const Case cases[] = {
        {cmd::ExportStatePoints, "状态点", "状态点.txt", 1 + 2 + 3 * (1 + 3)},
        {cmd::ExportParamPoints, "参数点.txt", "参数点.txt", 1},
        {cmd::ExportStatePoints, "", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        chosenTable = *c.chosen ? path(c.chosen) : QString();
        app->frame().action(c.command)->trigger();
        if (!c.written) {
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
            continue;
        }
        const std::vector<std::string> lines = readGbkLines(path(c.written));
        ASSERT_GE(lines.size(), c.lines);
        EXPECT_EQ(lines[0], header);
        if (c.command == cmd::ExportStatePoints) {
            EXPECT_EQ(lines[1], "系统:  空调系统1");
            EXPECT_EQ(lines[2], "房间:  会议室");
            EXPECT_EQ(lines[3], "普通工况");
            int conditions = 0;
            for (const std::string& line : lines)
                conditions += line == "普通工况" || line == "夏季工况" || line == "冬季工况";
            EXPECT_EQ(conditions, 9);
        }
    }
    EXPECT_TRUE(messages->texts().empty());
}

// 导出工作簿 writes the chosen file (".xlsx" added), with the weather year's
// four sheets (eight in all) once a year is read; a folder that does not
// exist is refused with the reason; cancelling writes nothing. None of it is
// an undo step.
TEST_F(TextFileCommandsTest, ExportWorkbookWritesTheChosenFileAndSaysWhyItCannot)
{
    start({"-m", kParameters});
    CQORVADoc& document = app->document();
    const int steps = document.undoStack().count();
    const std::tuple<const char*, const char*, const char*, std::size_t> cases[] = {
        // chosen, written, message, sheets
        {"工作簿", "工作簿.xlsx", nullptr, 4},
        {"气象.xlsx", "气象.xlsx", nullptr, 8},
        {"missing/工作簿.xlsx", nullptr, "输出文件时出错\n", 0},
        {"", nullptr, nullptr, 0},
    };
    for (const auto& [chosen, written, message, sheets] : cases) {
        SCOPED_TRACE(chosen);
        messages->clear();
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        std::string error;
        if (sheets == 8) {
            EXPECT_TRUE(document.LoadWeatherFile(
                QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw", error));
        }
        chosenWorkbook = *chosen ? path(chosen) : QString();
        app->frame().action(cmd::ExportWorkbook)->trigger();
        EXPECT_EQ(document.undoStack().count(), steps);
        EXPECT_EQ(messages->texts().size(), message ? 1u : 0u);
        if (message && !messages->texts().empty()) {
            EXPECT_TRUE(messages->texts()[0].starts_with(message)) << messages->texts()[0];
        }
        QFile file(written ? path(written) : QString());
        EXPECT_EQ(file.open(QIODevice::ReadOnly), written != nullptr);
        if (!written) {
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
        }
        // The zip package holds a part per sheet.
        const QByteArray bytes = file.readAll();
        for (std::size_t n = 1; n <= sheets + 1; ++n)
            EXPECT_EQ(bytes.contains("xl/worksheets/sheet" + QByteArray::number(qsizetype(n)) + ".xml"),
                      n <= sheets);
    }
}

TEST_F(TextFileCommandsTest, ImportOldProjectSaysWhyAFileIsRefusedAndKeepsTheProject)
{
    start({"-m", kParameters});
    ASSERT_TRUE(app->document().OnSaveDocument(path("current.id").toStdString()));
    QFile damaged(path("damaged.id"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x02\x00\x00", 3);
    damaged.close();
    struct Case {
        const char* chosen;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"current.id", {"您的工程文件已经升级!"}},
        {"damaged.id", {"对不起，您的文件可能已经损坏!"}},
        {"", {}},
    };
    const std::size_t systems = app->document().model().m_rooms.m_systems.size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        messages->clear();
        chosenOld = *c.chosen ? path(c.chosen) : QString();
        app->frame().action(cmd::ImportOldProject)->trigger();
        EXPECT_EQ(messages->texts(), c.messages);
        EXPECT_EQ(app->document().model().m_rooms.m_systems.size(), systems);
    }
}

} // namespace
