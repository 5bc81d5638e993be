#include <gtest/gtest.h>

#include <string>

#include "AnalysedSample.h"
#include "chart/ResultWording.h"
#include "support/SuiteGuiApplication.h"
#include "translations/Language.h"

namespace {

using result_wording::Language;

// A result text made from its record, as an analysis or a calculation
// stores it, re-words it and the chart draws it. Three points of a view are
// named A, B and M so that the names read plainly.
class ResultWordingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    void SetUp() override
    {
        ASSERT_TRUE(ReadAnalysedSample(contents));
        CIDG& idg = contents.idg;
        idg.m_nCurSystem = 0;
        idg.m_nCurRoom = 0;
        idg.m_rooms.SetRoomCondition(0, 0, kConditionSummer);
        ASSERT_TRUE(idg.PointAtCurrentRoom());
        ASSERT_GE(idg.m_pPoints->size(), 3u);
        (*idg.m_pPoints)[0]->m_strName = "A";
        (*idg.m_pPoints)[1]->m_strName = "B";
        (*idg.m_pPoints)[2]->m_strName = "M";
    }
    void TearDown() override { removeLanguage(); }

    ProjectContents contents;
};

struct Case {
    int kind;
    int slot;
    float value;
    bool points; // refers to A and B (and M for a mixing ratio); else to none
    const char* chinese;
    const char* english;
};

// Every kind that carries its value, in the formats of the stored texts:
// capacities W × 0.001 "%.3fkW", air volumes "%.0fm^3/h", shares × 100
// "%.0f%" of the second point, ε "%.0fkJ/kg", Δh "%.3fkJ/kg", moisture
// flows "%.3fkg/h" (a negative one a dehumidification of its amount).
TEST_F(ResultWordingTest, EachResultReadsAlikeStoredDrawnAndInEnglish)
{
    const Case cases[] = {
        {1, 0, 3085.4f, true, "总送风量(A-B): 3085m^3/h", "Total supply air flow rate (A-B): 3085m^3/h"},
        {2, 1, 12138.0f, true, "空调制冷量(A-B): 12.138kW", "Cooling capacity (A-B): 12.138kW"},
        {3, 2, 6037.0f, true, "空调加热量(A-B): 6.037kW", "Heating load (A-B): 6.037kW"},
        {4, 3, 1366.0f, true, "空调再热量(A-B): 1.366kW", "Reheat load (A-B): 1.366kW"},
        {11, 8, 1415.0f, true, "空调预热量(A-B): 1.415kW", "Preheat load (A-B): 1.415kW"},
        {13, 1, 2189.0f, true, "新风冷负荷(A-B): 2.189kW", "Outdoor air cooling load (A-B): 2.189kW"},
        {14, 2, 1697.0f, true, "新风热负荷(A-B): 1.697kW", "Outdoor air heating load (A-B): 1.697kW"},
        {5, 4, 0.28f, true, "混风比(A-M-B): B占28%", "Mixing ratio (A-M-B): 28% of B"},
        {6, 5, 29250.0f, true, "热湿比(A-B): 29250kJ/kg", "Heat-moisture ratio ε (A-B): 29250kJ/kg"},
        {7, 6, -35.2171f, true, "处理焓差(A-B): -35.217kJ/kg",
         "Treatment enthalpy difference (A-B): -35.217kJ/kg"},
        {10, 6, 10.0f, false, "处理焓差(-): 10.000kJ/kg", "Treatment enthalpy difference (-): 10.000kJ/kg"},
        {8, 7, 0.5f, true, "空调加湿量(A-B): 0.500kg/h", "Humidification rate (A-B): 0.500kg/h"},
        {8, 7, -8.2794f, true, "空调除湿量(A-B): 8.279kg/h", "Dehumidification rate (A-B): 8.279kg/h"},
        {12, -1, 1.0f, false, "含湿量差(-): 1.000g/kg", "Moisture content difference (-): 1.000g/kg"},
        // Texts that are their own words: none from the record.
        {0, -1, 0.0f, false, "", ""},
        {9, -1, 0.0f, false, "", ""},
    };
    const CIDG& idg = contents.idg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chinese);
        CCommentString text;
        text.m_nKind = c.kind;
        if (c.points)
            text.m_nRef = {0, 1, c.kind == 5 ? 2 : -1};
        if (c.slot >= 0)
            text.m_fValues[static_cast<std::size_t>(c.slot)] = c.value;
        else
            text.m_fMoistDiff = c.value;
        const std::string stored = result_wording::ResultWords(idg, text, Language::Stored);
        EXPECT_EQ(stored, c.chinese);
        if (stored.empty())
            continue;
        text.m_strText = stored;
        // Chinese: the chart draws the stored text, which is the wording.
        EXPECT_EQ(result_wording::ShownText(idg, text), stored);
        EXPECT_EQ(result_wording::ResultWords(idg, text, Language::Interface), stored);
        ASSERT_TRUE(installLanguage(UiLanguage::English));
        EXPECT_EQ(result_wording::ShownText(idg, text), c.english);
        // The stored wording never follows the interface.
        EXPECT_EQ(result_wording::ResultWords(idg, text, Language::Stored), c.chinese);
        removeLanguage();
    }
}

// Engineering units print capacities in kcal/h (W × 0.8598452, "%.0f") and
// ε in kcal/kg (× 0.2388459, "%.0f"), in both languages alike.
TEST_F(ResultWordingTest, EngineeringUnitsInBothLanguages)
{
    contents.idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    const Case cases[] = {
        // 12138 × 0.8598452 = 10436.8
        {2, 1, 12138.0f, true, "空调制冷量(A-B): 10437kcal/h", "Cooling capacity (A-B): 10437kcal/h"},
        // 29250 × 0.2388459 = 6986.2
        {6, 5, 29250.0f, true, "热湿比(A-B): 6986kcal/kg", "Heat-moisture ratio ε (A-B): 6986kcal/kg"},
    };
    for (const Case& c : cases) {
        CCommentString text;
        text.m_nKind = c.kind;
        text.m_nRef = {0, 1, -1};
        text.m_fValues[static_cast<std::size_t>(c.slot)] = c.value;
        text.m_strText = result_wording::ResultWords(contents.idg, text, Language::Stored);
        EXPECT_EQ(text.m_strText, c.chinese);
        ASSERT_TRUE(installLanguage(UiLanguage::English));
        EXPECT_EQ(result_wording::ShownText(contents.idg, text), c.english);
        removeLanguage();
    }
}

} // namespace
