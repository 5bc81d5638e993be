#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/Binding.h"
#include "chart/AnalysedSample.h"
#include "chart/ChartProperties.h"
#include "render/ChartRenderer.h"
#include "render/RecordingCanvas.h"
#include "chart/ResultWording.h"
#include "project/ProjectFile.h"
#include "support/SuiteGuiApplication.h"
#include "translations/Language.h"

namespace {

bool containsCjk(const std::string& text)
{
    for (const char32_t c : QString::fromStdString(text).toUcs4())
        if ((c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
            (c >= 0xFF00 && c <= 0xFFEF))
            return true;
    return false;
}

// The sample's analysed rooms, each condition drawn as the page view and
// the printer draw it.
class EnglishChart : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    void SetUp() override
    {
        ASSERT_TRUE(ReadAnalysedSample(contents));
    }
    void TearDown() override { removeLanguage(); }

    // Every text drawn for every room and condition with results; the names
    // the user gave (project, systems, rooms, points) are taken out of them.
    std::vector<std::string> drawAll()
    {
        CIDG& idg = contents.idg;
        std::vector<std::string> texts;
        const auto& systems = idg.m_rooms.m_systems;
        for (std::size_t s = 0; s < systems.size(); ++s)
            for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r)
                for (const int condition : {kConditionSummer, kConditionWinter}) {
                    const int system = static_cast<int>(s);
                    const int room = static_cast<int>(r);
                    if (systems[s]->m_rooms[r]->m_texts[static_cast<std::size_t>(condition)].empty())
                        continue;
                    idg.m_nCurSystem = system;
                    idg.m_nCurRoom = room;
                    idg.m_rooms.SetRoomCondition(system, room, condition);
                    EXPECT_TRUE(idg.PointAtCurrentRoom());
                    for (const bool printing : {false, true}) {
                        ChartDevice device;
                        device.printing = device.paper = printing;
                        RecordingCanvas canvas;
                        ChartRenderer(idg).DrawChart(canvas, device);
                        for (const auto& call : canvas.callsOf(RecordingCanvas::Op::Text))
                            texts.push_back(call.text);
                    }
                }
        return texts;
    }

    std::vector<std::uint8_t> bytes() const { return ProjectFile::toBytes(contents.idg, "", 0); }

    ProjectContents contents;
};

TEST_F(EnglishChart, ResultsAreDrawnInEnglishAndTheFileStaysTheSame)
{
    const std::vector<std::string> chinese = drawAll();
    // The room and condition shown are saved: both runs leave the same ones.
    const std::vector<std::uint8_t> afterChinese = bytes();
    ASSERT_TRUE(installLanguage(UiLanguage::English));
    const std::vector<std::string> english = drawAll();
    EXPECT_EQ(bytes(), afterChinese);
    // Wording the texts again from their records keeps the Chinese too.
    RefreshAllViews(contents.idg);
    EXPECT_EQ(bytes(), afterChinese);
    EXPECT_EQ(english.size(), chinese.size());

    // One line of each kind and label, worded from the stored Chinese.
    const char* expected[] = {
        "Known parameters:",
        "Results:",
        "Total supply air flow rate (O-N): 3085m^3/h",       // 总送风量
        "Cooling capacity (C-L): 12.138kW",                  // 空调制冷量
        "Reheat load (P-O): 1.366kW",                        // 空调再热量
        "Heating load (C-M): 6.037kW",                       // 空调加热量
        "Preheat load (W-W'): 1.415kW",                      // 空调预热量
        "Mixing ratio (N-C-W): 10% of W",                    // 混风比
        "Mixing ratio (K-O-D): 72% of D",                    // the fan coil's 混风比(K-O-D): D占72%
        "Heat-moisture ratio ε (O-N): 29250kJ/kg",           // 热湿比
        "Humidification rate (W'-M): 0.500kg/h",             // 空调加湿量
        "Outdoor air cooling load (W-L): 2.189kW",           // 新风冷负荷
        "Outdoor air heating load (W-W'): 1.697kW",          // 新风热负荷
        "Treatment enthalpy difference (W-L): -35.217kJ/kg", // 处理焓差
        "Air handling unit inlet state C  26.8℃  20.5℃  56.98%  12.7g/kg  59.55kJ/kg", // state texts
        "Air handling unit inlet state (C) 27.2℃ 21.1℃ 57.98% 13.3g/kg   61.49kJ/kg",
        "Heating coil inlet state C: dry-bulb 18.7℃   wet-bulb 11.3℃   relative humidity 40%",
        "Air temperature after preheating: 6.0℃", // labels with their values
        "Outdoor air ratio: 11%",
        "Supply air temperature difference: 6.00℃",
        "Secondary return air flow rate: 787.68 m^3/h",
        "Fan coil cooling capacity (N-D): 9.500kW",
    };
    for (const char* line : expected)
        EXPECT_NE(std::find(english.begin(), english.end(), line), english.end()) << line;
    const auto startsWith = [&english](const std::string& head) {
        return std::any_of(english.begin(), english.end(),
                           [&](const std::string& t) { return t.starts_with(head); });
    };
    EXPECT_TRUE(startsWith("Project: 示例办公楼"));
    EXPECT_TRUE(startsWith("Dehumidification rate (W-L): ")); // the fan coil dries the outdoor air

    // No Chinese but the names the user gave.
    const CIDG& idg = contents.idg;
    std::vector<std::string> names = {idg.m_strProjectName};
    for (const auto& system : idg.m_rooms.m_systems) {
        names.push_back(system->m_strName);
        for (const auto& room : system->m_rooms)
            names.push_back(room->m_strName);
    }
    for (std::string text : english) {
        for (const std::string& name : names)
            for (std::size_t at; !name.empty() && (at = text.find(name)) != std::string::npos;)
                text.erase(at, name.size());
        EXPECT_FALSE(containsCjk(text)) << text;
    }

    // Without the catalogue the chart reads as the model stores it again.
    removeLanguage();
    EXPECT_EQ(drawAll(), chinese);
}

TEST(ResultWording, FillPutsEachArgumentInOnce)
{
    struct Case {
        const char* pattern;
        std::vector<std::string> args;
        const char* filled;
    };
    const Case cases[] = {
        {"空调制冷量(%1-%2): %3", {"C", "L", "12.138kW"}, "空调制冷量(C-L): 12.138kW"},
        {"(%2-%1)", {"A", "B"}, "(B-A)"},
        {"%1-%2", {"%2", "x"}, "%2-x"},   // a name holding %2 stays as it is
        {"100%: %1%", {"5"}, "100%: 5%"}, // a per cent sign without a number
        {"%1 %3", {"a"}, "a %3"},         // no argument for %3
    };
    for (const Case& c : cases) {
        const auto& a = c.args;
        const std::string filled = a.size() == 3   ? result_wording::Fill(c.pattern, {a[0], a[1], a[2]})
                                   : a.size() == 2 ? result_wording::Fill(c.pattern, {a[0], a[1]})
                                                   : result_wording::Fill(c.pattern, {a[0]});
        EXPECT_EQ(filled, c.filled) << c.pattern;
    }
}

} // namespace
