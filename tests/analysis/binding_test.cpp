#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "support/OneRoomProject.h"
#include "support/DocumentTestAccess.h"
#include "render/RecordingCanvas.h"
#include "analysis/Binding.h"
#include "render/ChartRenderer.h"
#include "project/CQORVADoc.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

std::string formatted(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// One system with one office: summer outdoor 34 °C / tw 28.2 °C, winter
// outdoor −5 °C / 75 %; indoors 25 °C / 50 % in summer, 20 °C / 40 % in winter.
void makeProject(CIDG& idg)
{
    CServiceArea& room = fillOneRoomProject(idg);
    idg.m_rooms.m_strWinterOutName = "Ww";
    room.m_strWinterInName = "Nw";
    room.m_fSummerFreshAir = 600.0f;
    room.m_fWinterFreshAir = 450.0f;
}

class BindingTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CIDG idg;

    void SetUp() override { makeProject(idg); }
    CServiceArea& room() { return *idg.m_rooms.m_systems[0]->m_rooms[0]; }
    void setCondition(int c) { idg.m_rooms.SetRoomCondition(0, 0, c); }
    const CStatePoint& point(int i) { return *(*idg.m_pPoints)[i]; }
    const CReShiBiXian& ratioLine() { return *(*idg.m_pHhrLines)[0]; }
};

TEST_F(BindingTest, EachConditionGetsItsOwnBaseObjectsFromTheDesignData)
{
    struct Case {
        int condition;
        const char* outdoor;
        float outdoorT;
        const char* indoor;
        float indoorT;
        float indoorRH;
        float ratio;
    };
    for (const Case& c :
         {Case{0, "W", 34.0f, "N", 25.0f, 0.5f, 15000.0f}, Case{1, "W", 34.0f, "N", 25.0f, 0.5f, 15000.0f},
          Case{2, "Ww", -5.0f, "Nw", 20.0f, 0.4f, -21600.0f}}) {
        SCOPED_TRACE(c.condition);
        setCondition(c.condition);
        ASSERT_EQ(BindCurrentRoom(idg), 1);
        EXPECT_EQ(idg.m_nCurCondition, c.condition);
        EXPECT_EQ(idg.m_pPoints, &room().m_points[c.condition]);
        EXPECT_EQ(idg.m_pHhrLines, &room().m_hhrLines[c.condition]);
        ASSERT_EQ(idg.m_pPoints->size(), 2u);
        EXPECT_EQ(point(0).m_strName, c.outdoor);
        EXPECT_EQ(point(0).m_nKind, CStatePoint::kIndependent);
        EXPECT_EQ(point(0).m_nId, 0);
        EXPECT_FLOAT_EQ(point(0).m_t, c.outdoorT);
        EXPECT_EQ(point(1).m_strName, c.indoor);
        EXPECT_EQ(point(1).m_nId, 1);
        EXPECT_FLOAT_EQ(point(1).m_t, c.indoorT);
        EXPECT_NEAR(point(1).m_RH, c.indoorRH, 1e-5);
        // The completion filled in the rest of the state.
        EXPECT_GT(point(1).m_d, 0.003f);
        EXPECT_GT(point(1).m_h, 20.0f);
        ASSERT_EQ(idg.m_pHhrLines->size(), 1u);
        EXPECT_EQ(ratioLine().m_strName, "ε");
        EXPECT_EQ(ratioLine().m_nPoint1, 1);
        EXPECT_EQ(ratioLine().m_nId, 0);
        EXPECT_EQ(ratioLine().m_nMode, CReShiBiXian::kThroughPointWithRatio);
        EXPECT_NEAR(ratioLine().m_fRatio, c.ratio, 0.05);
    }
    // The summer outdoor state is given by its wet bulb.
    setCondition(1);
    BindCurrentRoom(idg);
    EXPECT_NEAR(point(0).m_tw, 28.2f, 0.01);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(BindingTest, RebindingReplacesTheBaseObjectsInPlaceAndKeepsTheRest)
{
    setCondition(1);
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    auto extra = std::make_unique<CStatePoint>(point(1));
    extra->m_strName = "O";
    extra->m_nId = 2;
    const CStatePoint* kept = extra.get();
    idg.m_pPoints->push_back(std::move(extra));
    CGuoChengXian* line = AddProcessLine(idg, "O-N", 2, 1);

    room().m_fSummerInT = 26.0f;
    room().m_fSummerLoad = 6.0f;
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    ASSERT_EQ(idg.m_pPoints->size(), 3u);
    EXPECT_FLOAT_EQ(point(1).m_t, 26.0f);
    EXPECT_EQ((*idg.m_pPoints)[2].get(), kept);
    EXPECT_EQ(idg.m_pProcessLines->size(), 1u);
    EXPECT_EQ((*idg.m_pProcessLines)[0].get(), line);
    EXPECT_EQ(idg.m_pHhrLines->size(), 1u);
    EXPECT_NEAR(ratioLine().m_fRatio, 6.0 / 1.2 * 3600.0, 0.05);
}

TEST(HeatMoistureRatio, FollowsTheLoadsAndTheSeason)
{
    EXPECT_FLOAT_EQ(CIDG::HeatMoistureRatio(5.0f, 1.2f, false), 15000.0f);
    // No moisture load: all but vertical, with the sign of the load.
    EXPECT_FLOAT_EQ(CIDG::HeatMoistureRatio(5.0f, 0.0f, false), static_cast<float>(5.0 * 99999997952.0));
    EXPECT_FLOAT_EQ(CIDG::HeatMoistureRatio(-2.0f, 0.0f, false), static_cast<float>(-2.0 * 99999997952.0));
    EXPECT_EQ(CIDG::HeatMoistureRatio(0.0f, 0.0f, false), 0.0f);
    // Winter: the opposite sign of heat load / moisture load.
    EXPECT_FLOAT_EQ(CIDG::HeatMoistureRatio(3.0f, 0.5f, true), -21600.0f);
    EXPECT_FLOAT_EQ(CIDG::HeatMoistureRatio(3.0f, -0.5f, true), 21600.0f);
    EXPECT_FLOAT_EQ(CIDG::HeatMoistureRatio(3.0f, 0.0f, true), static_cast<float>(-3.0 * 99999997952.0));
}

TEST_F(BindingTest, ZeroMoistureLoadGivesTheNearlyVerticalLineInTheView)
{
    room().m_fSummerMoistLoad = 0.0f;
    setCondition(1);
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    EXPECT_FLOAT_EQ(ratioLine().m_fRatio, static_cast<float>(5.0 * 99999997952.0));
    room().m_fSummerLoad = 0.0f;
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    EXPECT_EQ(ratioLine().m_fRatio, 0.0f);
}

TEST_F(BindingTest, DesignStatesThatCannotBeCompletedAreReportedAndChangeNothing)
{
    setCondition(1);
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    const CStatePoint* outdoor = &point(0);
    const CStatePoint* indoor = &point(1);
    const CReShiBiXian* line = &ratioLine();

    idg.m_rooms.m_fSummerOutT = 500.0f;
    EXPECT_EQ(BindCurrentRoom(idg), 0);
    room().m_fSummerInT = 500.0f;
    idg.m_rooms.m_fSummerOutT = 34.0f;
    EXPECT_EQ(BindCurrentRoom(idg), 0);
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(messages.entries[0].text, "室外状态点参数错误!");
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.entries[1].text, "室内状态点参数错误!");
    EXPECT_EQ(messages.entries[1].icon, MessageIcon::Exclamation);
    // The view keeps what it held: neither W nor N nor ε was replaced.
    EXPECT_EQ(&point(0), outdoor);
    EXPECT_EQ(&point(1), indoor);
    EXPECT_EQ(&ratioLine(), line);
    EXPECT_FLOAT_EQ(point(1).m_t, 25.0f);

    // While drawing, binding fails silently.
    messages.clear();
    EXPECT_EQ(BindCurrentRoom(idg, false), 0);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(BindingTest, WithoutARoomNothingIsBound)
{
    idg.m_nCurRoom = 3;
    EXPECT_EQ(BindCurrentRoom(idg), 0);
    EXPECT_EQ(PrepareCondition(idg, 1), 0);
    EXPECT_EQ(idg.CurrentRoom(), nullptr);
    EXPECT_EQ(idg.CurrentCondition(), -1);
    EXPECT_EQ(idg.RoomLoad(), -1.0f);
    EXPECT_EQ(idg.RoomFreshAir(), -1.0f);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(BindingTest, LoadAndFreshAirFollowTheSeasonOfTheCondition)
{
    for (int c : {0, 1}) {
        setCondition(c);
        EXPECT_FLOAT_EQ(idg.RoomLoad(), 5000.0f);
        EXPECT_FLOAT_EQ(idg.RoomFreshAir(), 600.0f);
    }
    setCondition(2);
    EXPECT_EQ(idg.CurrentCondition(), 2);
    EXPECT_FLOAT_EQ(idg.RoomLoad(), 3000.0f);
    EXPECT_FLOAT_EQ(idg.RoomFreshAir(), 450.0f);
}

TEST_F(BindingTest, PreparingAConditionEmptiesItsListsAndResetsItsResults)
{
    // A finished summer and winter analysis.
    for (int c : {1, 2}) {
        setCondition(c);
        ASSERT_EQ(BindCurrentRoom(idg), 1);
        idg.m_pPoints->push_back(std::make_unique<CStatePoint>(point(1)));
        AddProcessLine(idg, "O-N", 2, 1);
        AddStateText(idg, 2, "送风状态点");
        idg.m_pComfortAreas->push_back(std::make_unique<CComfortArea>());
    }
    room().m_paramPoints.push_back(std::make_unique<CParamPoint>());
    room().m_anaW[3].i = 2;  // a summer point index
    room().m_anaW[26].i = 2; // a winter point index
    setCondition(1);

    ASSERT_EQ(PrepareCondition(idg, 2), 1);
    EXPECT_EQ(room().m_nCondition, 2);
    EXPECT_EQ(idg.m_pPoints, &room().m_points[2]);
    EXPECT_EQ(room().m_points[2].size(), 2u);
    EXPECT_TRUE(room().m_processLines[2].empty());
    EXPECT_EQ(room().m_hhrLines[2].size(), 1u);
    EXPECT_TRUE(room().m_texts[2].empty());
    EXPECT_EQ(room().m_comfortAreas[2].size(), 1u);
    EXPECT_EQ(room().m_paramPoints.size(), 1u);
    // The winter results went with the winter objects; the summer ones and
    // the summer view stay.
    EXPECT_EQ(room().m_anaW[26].i, -1);
    EXPECT_EQ(room().m_anaW[3].i, 2);
    EXPECT_EQ(room().m_points[1].size(), 3u);
    EXPECT_EQ(room().m_texts[1].size(), 1u);

    ASSERT_EQ(PrepareCondition(idg, 1), 1);
    EXPECT_EQ(room().m_points[1].size(), 2u);
    EXPECT_EQ(room().m_anaW[3].i, -1);
}

TEST_F(BindingTest, ResultTextsStandWhereThePageOfTheStandardScreenDrawsThem)
{
    setCondition(1);
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    CGuoChengXian* first = AddProcessLine(idg, "W-C", 0, 1);
    CGuoChengXian* second = AddProcessLine(idg, "C-L", 1, 0);
    EXPECT_EQ(first->m_nId, 0);
    EXPECT_EQ(second->m_nId, 1);
    EXPECT_EQ(second->m_strName, "C-L");
    EXPECT_EQ(second->m_nStart, 1);
    EXPECT_EQ(second->m_nEnd, 0);

    // A printer layout drawn in between must not move where texts go.
    ChartDevice printer;
    printer.printing = true;
    RecordingCanvas printed;
    ChartRenderer(idg).DrawChart(printed, printer);

    const char* labels[] = {"甲", "乙", "丙"};
    std::vector<CanvasPoint> places;
    for (int i = 0; i < 3; ++i) {
        auto text = std::make_unique<CCommentString>();
        text->m_nKind = 0;
        text->m_strText = labels[i];
        CCommentString* placed = AddResultText(idg, std::move(text));
        EXPECT_EQ(placed->m_nId, i);
        places.push_back({placed->m_nPlace[1], placed->m_nPlace[3]});
    }
    RecordingCanvas page;
    ChartRenderer(idg).DrawChart(page, chart::standardDevice());
    for (int i = 0; i < 3; ++i) {
        const auto texts = page.callsOf(RecordingCanvas::Op::Text);
        const auto drawn = std::find_if(texts.begin(), texts.end(),
                                        [&](const auto& call) { return call.text == labels[i]; });
        ASSERT_NE(drawn, texts.end());
        EXPECT_EQ(drawn->points.at(0), places[static_cast<std::size_t>(i)]) << labels[i];
    }
}

TEST_F(BindingTest, StateTextsAndDescriptionsUseTheirFixedFormats)
{
    setCondition(1);
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    CStatePoint& n = *(*idg.m_pPoints)[1];
    n.m_t = 25.0f;
    n.m_tw = 17.94f;
    n.m_RH = 0.5f;
    n.m_d = 0.00988f;
    n.m_h = 50.256f;

    const CCommentString* text = AddStateText(idg, 1, "室内状态点");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_strText, "室内状态点(N) 25.0℃ 17.9℃ 50.00% 9.9g/kg   50.26kJ/kg");
    EXPECT_EQ(text->m_nKind, 9);
    EXPECT_EQ(text->m_nRefExtra, 1);
    EXPECT_EQ(text->m_strValue, "室内状态点");
    EXPECT_EQ(AddStateText(idg, 7, "x"), nullptr);

    EXPECT_EQ(DescribePoint(idg, n), "N点  GT:25.0℃ WT:17.9℃ RH:50.00% D:9.9g/kg H:50.26kJ/kg");
    CGuoChengXian line;
    line.m_strName = "W-N";
    line.m_nStart = 0;
    line.m_nEnd = 1;
    EXPECT_THAT(DescribeLine(idg, line), StartsWith("过程线：W-N 起始点：W点  GT:34.0℃"));
    EXPECT_THAT(DescribeLine(idg, line), ::testing::HasSubstr(" 终点：N点  GT:25.0℃"));
    line.m_nEnd = 9;
    EXPECT_THAT(DescribeLine(idg, line), ::testing::EndsWith(" 终点："));

    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    EXPECT_THAT(AddStateText(idg, 1, "N")->m_strText, ::testing::EndsWith("   12.00kcal/kg"));
    EXPECT_THAT(DescribePoint(idg, n), ::testing::EndsWith(" H:12.00kcal/kg"));
}

TEST_F(BindingTest, ValueTextsAreRewordedFromTheirRecords)
{
    setCondition(1);
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    idg.m_fSummerDensity = 1.2f;
    auto add = [&](int kind, int ref1, int ref2, int slot, float value) {
        auto text = std::make_unique<CCommentString>();
        text->m_strText = "creation text";
        text->m_nKind = kind;
        text->m_nRef = {ref1, ref2, -1};
        if (slot >= 0)
            text->m_fValues[slot] = value;
        idg.m_pTexts->push_back(std::move(text));
        return idg.m_pTexts->back().get();
    };
    CCommentString* cooling = add(2, 0, 1, 1, 5000.0f);
    CCommentString* heating = add(3, -1, 1, 2, 1234.0f);
    CCommentString* reheat = add(4, 0, 1, 3, 800.0f);
    CCommentString* preheat = add(11, 0, 1, 8, 2000.0f);
    CCommentString* freshCooling = add(13, 0, 1, 1, 3000.0f);
    CCommentString* freshHeating = add(14, 0, 1, 2, 2500.0f);
    CCommentString* ratio = add(6, 0, 1, 5, 15000.0f);
    CCommentString* treatment = add(7, 0, 1, 6, 12.3456f);
    CCommentString* enthalpy = add(10, 1, 0, 6, 4.5f);
    CCommentString* moisture = add(12, 0, 1, 7, 1.2f);
    moisture->m_fValues[0] = 1000.0f; // m³/h
    // As an earlier build stored them: the creation texts of these kinds
    // take the one wording too.
    CCommentString* volume = add(1, 0, 1, 0, 3085.4f);
    CCommentString* mixing = add(5, 0, 1, 4, 0.104f);
    CCommentString* drying = add(8, 0, 1, 7, -8.2794f);
    CCommentString* state = add(9, 0, 1, -1, 0);
    CCommentString* plain = add(0, 0, 1, -1, 0);

    RewordResultTexts(idg);
    EXPECT_EQ(cooling->m_strText, "空调制冷量(W-N): 5.000kW");
    EXPECT_EQ(heating->m_strText, "空调加热量(-N): 1.234kW");
    EXPECT_EQ(reheat->m_strText, "空调再热量(W-N): 0.800kW");
    EXPECT_EQ(preheat->m_strText, "空调预热量(W-N): 2.000kW");
    EXPECT_EQ(freshCooling->m_strText, "新风冷负荷(W-N): 3.000kW");
    EXPECT_EQ(freshHeating->m_strText, "新风热负荷(W-N): 2.500kW");
    EXPECT_EQ(ratio->m_strText, "热湿比(W-N): 15000kJ/kg");
    EXPECT_EQ(treatment->m_strText, "处理焓差(W-N): 12.346kJ/kg");
    EXPECT_EQ(enthalpy->m_strText, "处理焓差(N-W): 4.500kJ/kg");
    // Not saved with the project: recovered as 1.2 kg/h in 1000 m³/h of air at 1.2 kg/m³.
    EXPECT_EQ(moisture->m_strText, "含湿量差(W-N): 1.000g/kg");
    EXPECT_EQ(volume->m_strText, "总送风量(W-N): 3085m^3/h");
    EXPECT_EQ(mixing->m_strText, "混风比(W--N): N占10%"); // without a mixture point
    EXPECT_EQ(drying->m_strText, "空调除湿量(W-N): 8.279kg/h");
    EXPECT_EQ(state->m_strText, "creation text");
    EXPECT_EQ(plain->m_strText, "creation text");

    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    RewordResultTexts(idg);
    EXPECT_EQ(cooling->m_strText, "空调制冷量(W-N): 4299kcal/h");
    EXPECT_EQ(ratio->m_strText, "热湿比(W-N): 3583kcal/kg");
    EXPECT_EQ(treatment->m_strText, "处理焓差(W-N): 2.949kcal/kg");
}

class KnownParametersTest : public BindingTest {
protected:
    RecordingCanvas canvas;
    ChartRenderer chart{idg};

    void SetUp() override
    {
        BindingTest::SetUp();
        chart.m_layout.m_bValid = true;
        chart.m_layout.m_nMarginLeft = 30;
        chart.m_layout.m_nAnnotX = 30;
        chart.m_layout.m_nAnnotY = 600;
        chart.m_layout.m_nAnnotStep = 12;
        chart.m_layout.m_nTotalWidth = 1890;
        chart.m_layout.m_fPenScale = 1.0;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& call : canvas.callsOf(RecordingCanvas::Op::Text))
            result.push_back(call.text);
        return result;
    }
    std::string values(const CStatePoint& p) const
    {
        return formatted("%.1f℃", p.m_t) + "  " + formatted("%.1f℃", p.m_tw) + "  " +
               formatted("%.0f%%", p.m_RH * 100.0) + "  " + formatted("%.1fg/kg", p.m_d * 1000.0) + "  " +
               formatted("%.1fkJ/kg", p.m_h);
    }
};

TEST_F(KnownParametersTest, SummerBlockListsTheDesignDataLineByLine)
{
    setCondition(1);
    chart.DrawKnownParameters(canvas);
    EXPECT_TRUE(canvas.calls().empty()); // the lists were never bound
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    chart.DrawKnownParameters(canvas);
    ASSERT_EQ(idg.m_pPoints->size(), 2u);
    EXPECT_THAT(texts(), ElementsAre("已知参数：", "室外状态点W：" + values(point(0)),
                                     "室内状态点N： " + values(point(1)), "室内空调冷负荷：5.000kW",
                                     "室内空调湿负荷：1.200kg/h", "新风量：600m^3/h", "计算结果："));
    EXPECT_THAT(texts()[1], StartsWith("室外状态点W：34.0℃  28.2℃  "));

    std::vector<int> ys;
    for (const auto& call : canvas.callsOf(RecordingCanvas::Op::Text)) {
        ys.push_back(call.points.at(0).y);
        EXPECT_EQ(call.points.at(0).x, 30);
        EXPECT_EQ(call.align, text_align::kLeft | text_align::kTop);
    }
    EXPECT_THAT(ys, ElementsAre(600, 624, 648, 672, 696, 720, 756));
    // The separator: one step plus two pen units below the fresh-air line, the
    // whole drawing wide; result texts follow three steps below the heading.
    const auto lines = canvas.callsOf(RecordingCanvas::Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0].points, ElementsAre(CanvasPoint{0, 734}, CanvasPoint{1890, 734}));
    EXPECT_EQ(chart.m_layout.m_nAnnotY, 792);
}

TEST_F(KnownParametersTest, WinterBlockShowsTheHeatLoadAndEngineeringUnitsConvert)
{
    setCondition(2);
    idg.m_nUnitSystem = CIDG::kUnitsEngineering;
    ASSERT_EQ(BindCurrentRoom(idg), 1);
    chart.DrawKnownParameters(canvas);
    const auto shown = texts();
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_THAT(shown[1], StartsWith("室外状态点Ww：-5.0℃"));
    EXPECT_THAT(shown[1], ::testing::EndsWith("kcal/kg"));
    EXPECT_THAT(shown[2], StartsWith("室内状态点Nw： 20.0℃"));
    EXPECT_EQ(shown[3], "室内空调热负荷：2580kcal/h");
    EXPECT_EQ(shown[4], "室内空调湿负荷：0.500kg/h");
    EXPECT_EQ(shown[5], "新风量：450m^3/h");
}

TEST_F(KnownParametersTest, DrawingShowsTheBoundStatesAndNeverRebinds)
{
    setCondition(1);
    BindCurrentRoom(idg);
    const float boundT = point(1).m_t;
    room().m_fSummerInT = 500.0f; // a design the binding would refuse
    chart.DrawKnownParameters(canvas);
    EXPECT_THAT(texts()[2], StartsWith(formatted("室内状态点N： %.1f℃", boundT)));
    EXPECT_FLOAT_EQ(point(1).m_t, boundT);
    EXPECT_TRUE(messages.entries.empty()); // drawing never raises a message box
    canvas = RecordingCanvas();
    idg.m_nCurRoom = 5;
    chart.DrawKnownParameters(canvas);
    EXPECT_TRUE(canvas.calls().empty());
}

// The document's selections run the binding.
class DocumentBindingTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CIDG& idg = DocumentTestAccess::model(document);

    void SetUp() override
    {
        makeProject(idg);
        idg.m_rooms.AddSystem("空系统");
        document.m_bProjectOpen = true;
    }
    CServiceArea& room() { return *idg.m_rooms.m_systems[0]->m_rooms[0]; }
};

TEST_F(DocumentBindingTest, SwitchingConditionsRebuildsOnlyTheBaseObjects)
{
    document.SelectCondition(1);
    ASSERT_EQ(idg.m_pPoints->size(), 2u);
    // An analysis result in the summer view.
    idg.m_pPoints->push_back(std::make_unique<CStatePoint>(*(*idg.m_pPoints)[1]));
    const CStatePoint* supply = idg.m_pPoints->back().get();
    const CGuoChengXian* line = AddProcessLine(idg, "O-N", 2, 1);
    const CCommentString* text = AddStateText(idg, 2, "送风状态点");

    document.SelectCondition(0);
    EXPECT_EQ(idg.m_pPoints, &room().m_points[0]);
    EXPECT_EQ(idg.m_pPoints->size(), 2u);
    room().m_fSummerInT = 24.0f; // the design changes meanwhile
    document.SelectCondition(1);
    EXPECT_EQ(document.CurrentConditionCode(), 1);
    ASSERT_EQ(idg.m_pPoints->size(), 3u);
    EXPECT_EQ((*idg.m_pPoints)[2].get(), supply);
    EXPECT_EQ((*idg.m_pProcessLines)[0].get(), line);
    EXPECT_EQ((*idg.m_pTexts)[0].get(), text);
    EXPECT_FLOAT_EQ((*idg.m_pPoints)[1]->m_t, 24.0f);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(DocumentBindingTest, ASystemWithoutRoomsRebindsNothing)
{
    document.SelectCondition(1);
    ObjectArray<CStatePoint>* bound = idg.m_pPoints;
    EXPECT_FALSE(document.SelectSystem(1));
    EXPECT_THAT(messages.texts(),
                ElementsAre("该系统下没有服务区域\n请到[设定|系统-房间]中添加服务区域或者删除该系统"));
    EXPECT_EQ(idg.m_nCurSystem, 1);
    EXPECT_EQ(idg.m_pPoints, bound);
    EXPECT_TRUE(document.FillToolbarCombos().rooms.empty());
}

} // namespace
