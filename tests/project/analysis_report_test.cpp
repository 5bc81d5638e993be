#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "analysis/Binding.h"
#include "model/CIDG.h"
#include "model/TextCodec.h"
#include "project/AnalysisReport.h"

namespace {

struct State {
    const char* name;
    float t, tw, rh, d, h;
};

std::unique_ptr<CStatePoint> statePoint(const State& s)
{
    auto p = std::make_unique<CStatePoint>();
    p->m_strName = s.name;
    p->m_t = s.t;
    p->m_tw = s.tw;
    p->m_RH = s.rh;
    p->m_d = s.d;
    p->m_h = s.h;
    p->m_nKind = CStatePoint::kIndependent;
    return p;
}

// One room with the stored results of a primary return-air run written
// directly into its analysis words: summer O, C, L, P at 2–5, winter O, M,
// C, W' at 2–5 (points 0 and 1 are rebuilt from the design data).
std::unique_ptr<CIDG> project(int units)
{
    auto idg = std::make_unique<CIDG>();
    idg->m_strProjectName = "办公楼";
    idg->m_nUnitSystem = units;
    idg->m_rooms.AddSystem("S1");
    idg->m_rooms.AddRoom("S1", "R1");
    CServiceArea& room = *idg->m_rooms.RoomAt(0, 0);
    room.m_fSummerLoad = 10;
    room.m_fSummerMoistLoad = 1;
    room.m_fSummerFreshAir = 500;
    room.m_fWinterLoad = 8;
    room.m_fWinterMoistLoad = 0.5f;
    room.m_fWinterFreshAir = 500;
    auto& summer = room.m_points[kConditionSummer];
    auto& winter = room.m_points[kConditionWinter];
    for (const State& s :
         {State{"W", 0, 0, 0, 0, 0}, State{"N", 0, 0, 0, 0, 0},
          State{"O", 19.0f, 16.5f, 0.75f, 0.0105f, 45.5f}, State{"C", 27.0f, 20.5f, 0.55f, 0.0125f, 59.0f},
          State{"L", 17.0f, 16.0f, 0.9f, 0.0105f, 43.5f}, State{"P", 18.0f, 16.0f, 0.85f, 0.0105f, 44.5f}})
        summer.push_back(statePoint(s));
    for (const State& s :
         {State{"W", 0, 0, 0, 0, 0}, State{"N", 0, 0, 0, 0, 0},
          State{"O", 30.0f, 18.0f, 0.3f, 0.0062f, 50.5f}, State{"M", 35.0f, 17.0f, 0.2f, 0.0062f, 48.0f},
          State{"C", 15.0f, 9.0f, 0.45f, 0.0062f, 26.5f}, State{"W'", 5.0f, 0.5f, 0.4f, 0.002f, 10.0f}})
        winter.push_back(statePoint(s));
    auto& w = room.m_anaW;
    w[0].f = 3200.4f;
    w[1].f = 25000;
    w[2].f = 3500;
    w[3].i = 2;
    w[4].i = 3;
    w[5].i = 4;
    w[6].i = 5;
    w[13].f = 0.25f;
    w[14].f = 36000;
    w[15].i = 0;
    w[19].f = 3300.4f;
    w[20].f = 20000;
    w[21].f = 4000;
    w[22].f = 12.6f;
    w[24].f = 0.3f;
    w[25].f = -9000;
    w[26].i = 2;
    w[27].i = 3;
    w[28].i = 4;
    w[29].i = 5;
    w[30].i = -1;
    return idg;
}

std::vector<std::string> reportLines(CIDG& idg)
{
    std::string error;
    const std::optional<std::string> text = AnalysisReportText(idg, error);
    EXPECT_TRUE(text) << error;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (text && start < text->size()) {
        const std::size_t end = text->find('\n', start);
        lines.push_back(text->substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The lines from the one starting with first to the end, with the design
// points W and N cut to their name (their values come from the design data).
std::vector<std::string> linesFrom(const std::vector<std::string>& lines, const std::string& first)
{
    std::vector<std::string> result;
    bool copying = false;
    for (const std::string& line : lines) {
        copying = copying || line == first;
        if (!copying)
            continue;
        if (line.rfind("室外状态点W：", 0) == 0 || line.rfind("室内状态点N：", 0) == 0)
            result.push_back(line.substr(0, line.find("：") + std::string("：").size()));
        else
            result.push_back(line);
    }
    return result;
}

} // namespace

TEST(AnalysisReport, SummerAndWinterBlocksInSI)
{
    auto idg = project(CIDG::kUnitsSI);
    const std::vector<std::string> lines = reportLines(*idg);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string(61, '*'));
    EXPECT_EQ(lines[1], "            工程：办公楼            ");
    EXPECT_EQ(lines[2], std::string(61, '*'));
    EXPECT_EQ(lines[3], "");
    const std::vector<std::string> expected = {
        "系统：S1     服务区域：R1     工况：夏季工况",
        "已知参数:",
        "室外状态点W：",
        "室内状态点N：",
        "室内空调冷负荷：10.0kW",
        "室内空调湿负荷：1.00kg/h",
        "新风量：500m^3/h",
        "总送风量O-N：3200m^3/h",
        "空调器制冷量C-L：25.0kW", // the coil cools C to L
        "空调器再热量P-O：3.5kW",  // reheat from the fan-heated P
        "空调器进风状态点C：27.0℃ 20.5℃ 55.0% 12.5g/kg 59.0kJ/kg",
        "空调器出风状态点L：17.0℃ 16.0℃ 90.0% 10.5g/kg 43.5kJ/kg",
        "空调器送风状态点O：19.0℃ 16.5℃ 75.0% 10.5g/kg 45.5kJ/kg",
        "混风比N-C-W：25.0%",
        "热湿比O-N：36000.0kJ/kg",
        "",
        "系统：S1     服务区域：R1     工况：冬季工况",
        "已知参数:",
        "室外状态点W：",
        "室内状态点N：",
        "室内空调热负荷：8.0kW",
        "室内空调湿负荷：0.50kg/h",
        "新风量：500m^3/h",
        "总送风量O-N：3300m^3/h",
        "空调器加热量C-M：20.0kW",
        "空调器预热量W-W'：4.0kW",
        "预热后出风温度(W')：5.0℃",
        "空调器加湿量M-O：13kg/h",
        "加热盘管进风状态点C：15.0℃ 9.0℃ 45.0% 6g/kg 26.5kJ/kg",  // the coil heats C ...
        "加热盘管出风状态点M：35.0℃ 17.0℃ 20.0% 6g/kg 48.0kJ/kg", // ... to M
        "混风比N-C-W'：30.0%",                                    // the winter fresh-air ratio
        "热湿比O-N：-9000.0kJ/kg",                                // the winter ε
        std::string(61, '-'),
    };
    EXPECT_EQ(linesFrom(lines, expected[0]), expected);
    // The design points are those of the design data, summer and winter.
    EXPECT_EQ(lines[6].rfind("室外状态点W：34.0℃ 28.2℃ ", 0), 0u) << lines[6];
    EXPECT_EQ(lines[7].rfind("室内状态点N：25.0℃ ", 0), 0u) << lines[7];
}

TEST(AnalysisReport, EngineeringUnits)
{
    auto idg = project(CIDG::kUnitsEngineering);
    const std::vector<std::string> lines = reportLines(*idg);
    for (const char* line : {
             "室内空调冷负荷：8598.5kcal/h",   // 10 kW × 859.8452
             "空调器制冷量C-L：21496.1kcal/h", // 25000 W × 0.8598452
             "空调器再热量P-O：3009.5kcal/h",
             "空调器送风状态点O：19.0℃ 16.5℃ 75.0% 10.5g/kg 10.87kcal/kg", // 45.5 × 0.2388459
             "热湿比O-N：8598.5kcal/kg",                                   // 36000 × 0.2388459
             "室内空调热负荷：6878.8kcal/h",
             "空调器加热量C-M：17196.9kcal/h",
             "空调器预热量W-W'：3439.4kcal/h",
             "热湿比O-N：-2149.6kcal/kg",
         })
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

// The treatment variants of the stored results, each with the lines that
// must and must not appear.
TEST(AnalysisReport, TreatmentVariants)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> words;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"reheat from L without fan rise",
         {{6, -1}},
         {"空调器再热量L-O：3.5kW", "空调器制冷量C-L：25.0kW"},
         {}},
        {"O at the machine dew point",
         {{5, -1}, {6, -1}},
         {"空调器制冷量C-O：25.0kW", "空调器出风状态点O：19.0℃ 16.5℃ 75.0% 10.5g/kg 45.5kJ/kg"},
         {"空调器再热量L-O：3.5kW", "空调器再热量O-O：3.5kW"}},
        {"maximum difference with L",
         {{15, 1}, {6, -1}},
         {"空调器制冷量C-L：25.0kW"},
         {"空调器再热量L-O：3.5kW"}},
        {"mixing before preheating",
         {{29, -1}, {30, 5}},
         {"空调器预热量C-C'：4.0kW", "预热后出风温度(C)：15.0℃", "混风比N-C'-W：30.0%"},
         {"预热后出风温度(C')：5.0℃"}},
        {"no preheat", {{29, -1}}, {"混风比N-C-W：30.0%"}, {"空调器预热量W-W'：4.0kW"}},
        {"no summer result",
         {{4, -1}},
         {"新风量：500m^3/h"},
         {"总送风量O-N：3200m^3/h", "空调器制冷量C-L：25.0kW"}},
        {"no winter result", {{26, -1}}, {"空调器制冷量C-L：25.0kW"}, {"空调器加热量C-M：20.0kW"}},
    };
    for (const Case& c : cases) {
        auto idg = project(CIDG::kUnitsSI);
        CServiceArea& room = *idg->m_rooms.RoomAt(0, 0);
        for (const auto& [index, value] : c.words)
            room.m_anaW[static_cast<std::size_t>(index)].i = value;
        if (std::string(c.what) == "mixing before preheating")
            room.m_points[kConditionWinter][5]->m_strName = "C'";
        const std::vector<std::string> lines = reportLines(*idg);
        for (const std::string& line : c.present)
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << c.what << ": " << line;
        for (const std::string& line : c.absent)
            EXPECT_EQ(std::find(lines.begin(), lines.end(), line), lines.end()) << c.what << ": " << line;
    }
}

TEST(AnalysisReport, FileIsGbkWithCrLfAndSelectionIsKept)
{
    auto idg = project(CIDG::kUnitsSI);
    idg->m_rooms.RoomAt(0, 0)->m_nCondition = kConditionNormal;
    ASSERT_TRUE(BindCurrentRoom(*idg, false));
    QTemporaryDir dir;
    const std::string path = dir.filePath("报告.txt").toStdString();
    std::string error;
    ASSERT_TRUE(WriteAnalysisReport(*idg, path, error)) << error;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string bytes = file.readAll().toStdString();
    const std::string head =
        std::string(61, '*') + "\r\n" + utf8ToGbk("            工程：办公楼            ") + "\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_EQ(bytes.substr(bytes.size() - 63), std::string(61, '-') + "\r\n");

    EXPECT_EQ(idg->m_rooms.RoomAt(0, 0)->m_nCondition, kConditionNormal);
    EXPECT_EQ(idg->m_pPoints, &idg->m_rooms.RoomAt(0, 0)->m_points[kConditionNormal]);
}

TEST(AnalysisReport, EmptyPathWritesNothing)
{
    auto idg = project(CIDG::kUnitsSI);
    std::string error;
    EXPECT_TRUE(WriteAnalysisReport(*idg, std::string(), error));
    EXPECT_TRUE(error.empty());
}

// A stored index past the view's points: the report fails as a whole, and
// an earlier report file is removed so that no caller reads it as this run's.
TEST(AnalysisReport, FailureRemovesAnEarlierReport)
{
    for (const int word : {3, 4, 5, 27, 28}) {
        auto idg = project(CIDG::kUnitsSI);
        idg->m_rooms.RoomAt(0, 0)->m_anaW[static_cast<std::size_t>(word)].i = 40;
        QTemporaryDir dir;
        const QString path = dir.filePath("report.txt");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("previous");
        }
        std::string error;
        EXPECT_FALSE(WriteAnalysisReport(*idg, path.toStdString(), error)) << word;
        EXPECT_EQ(error.rfind("输出文件时出错\n系统：S1     服务区域：R1", 0), 0u) << error;
        EXPECT_TRUE(error.ends_with("\n该路径下原有的报告已删除。")) << error;
        EXPECT_FALSE(QFile::exists(path)) << word;
    }
}
