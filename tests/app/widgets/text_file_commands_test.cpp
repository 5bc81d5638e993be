#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQORVAApp.h"
#include "app/CommandTable.h"
#include "model/TextCodec.h"
#include "project/CQORVADoc.h"
#include "project/widgets/TextFileCommands.h"
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
std::string stateLine(const std::string& label, float t, float tw, float RH, float x, float h)
{
    return label + "：" + format("%.1f℃", t) + " " + format("%.1f℃", tw) + " " +
           format("%.1f%%", RH * 100.0) + " " + format("%.1fg/kg", x * 1000.0) + " " + format("%.1fkJ/kg", h);
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

std::vector<std::string> expectedReport()
{
    const std::string stars(61, '*');
    std::vector<std::string> lines{stars, "            工程：办公楼            ", stars};
    std::string system;
    for (const RoomExpectation& r : kRooms) {
        if (r.system != system)
            lines.push_back("");
        system = r.system;
        const std::string heading = std::string("系统：") + r.system + "     服务区域：" + r.room;
        lines.push_back(heading + "     工况：夏季工况");
        lines.push_back("已知参数:");
        lines.push_back(outdoorSummer("室外状态点W", 101325, 34.0f, 28.2f));
        lines.push_back(byHumidity("室内状态点N", 101325, r.summerT, r.summerRH));
        lines.push_back("室内空调冷负荷：" + format("%.1f", r.summerLoad) + "kW");
        lines.push_back("室内空调湿负荷：" + format("%.2f", r.summerMoisture) + "kg/h");
        lines.push_back("新风量：" + format("%.0f", r.summerAir) + "m^3/h");
        lines.push_back("");
        lines.push_back(heading + "     工况：冬季工况");
        lines.push_back("已知参数:");
        lines.push_back(byHumidity("室外状态点W", 101325, -5.0f, 0.75f));
        lines.push_back(byHumidity("室内状态点N", 101325, r.winterT, r.winterRH));
        lines.push_back("室内空调热负荷：" + format("%.1f", r.winterLoad) + "kW");
        lines.push_back("室内空调湿负荷：" + format("%.2f", r.winterMoisture) + "kg/h");
        lines.push_back("新风量：" + format("%.0f", r.winterAir) + "m^3/h");
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
    TextFilePrompts prompts{[this](QWidget*) { return chosenTable; }, [this](QWidget*) { return chosenOld; }};
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
