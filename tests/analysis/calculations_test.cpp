#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "analysis/Binding.h"
#include "analysis/Calculations.h"
#include "analysis/ResultTexts.h"
#include "model/ChartFormulas.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "support/OneRoomProject.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

constexpr double kSummerDensity = 1.2; // kg/m³, set for the hand calculations
constexpr double kWinterDensity = 1.3;
constexpr double kKcalPerKJ = 0.2388459;
constexpr double kKcalhPerW = 0.8598452;

// Point indices of the test chart: W and N are the design points, L a coil
// outlet 14 °C / 95 %.
constexpr int kW = 0;
constexpr int kN = 1;
constexpr int kL = 2;

std::string format(const char* pattern, double value)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// Moisture content of the state (t, tw) on the chart's wet-bulb line,
// h(t, x) = h_s(tw) − 4.1868·tw·(x_s(tw) − x), solved for x.
double moistureFromWetBulb(double t, double tw)
{
    const double xs = formulas::moisture(tw, 1.0);
    const double hs = formulas::enthalpy(tw, xs);
    return (hs - 4.1868 * tw * xs - 1.01 * t) / (2500.0 + 1.85 * t - 4.1868 * tw);
}

struct Hand {
    double xW = moistureFromWetBulb(34.0, 28.2);
    double hW = formulas::enthalpy(34.0, xW);
    double xN = formulas::moisture(25.0, 0.5);
    double hN = formulas::enthalpy(25.0, xN);
    double xL = formulas::moisture(14.0, 0.95);
    double hL = formulas::enthalpy(14.0, xL);
};

class CalculationsTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CIDG& idg = DocumentTestAccess::model(document);
    Hand hand;

    void SetUp() override
    {
        CAir_Room& rooms = idg.m_rooms;
        fillOneRoomProject(idg);
        idg.m_fSummerDensity = static_cast<float>(kSummerDensity);
        idg.m_fWinterDensity = static_cast<float>(kWinterDensity);
        rooms.SetRoomCondition(0, 0, 1);
        document.m_bProjectOpen = true;
        ASSERT_EQ(RefreshCurrentView(idg), 1);
        ASSERT_TRUE(document.ChangeCurrentRoom("L", [](CIDG& m) { return addPoint(m, "L", 14.0f, 0.95f); }));
    }

    static bool addPoint(CIDG& m, const std::string& name, float t, float rh)
    {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = name;
        point->m_nKind = CStatePoint::kIndependent;
        point->m_nId = static_cast<int>(m.m_pPoints->size());
        point->m_t = t;
        point->m_RH = rh;
        point->m_bKnownT = point->m_bKnownRH = 1;
        if (!m.CalcStatePoint(*point))
            return false;
        m.m_pPoints->push_back(std::move(point));
        return true;
    }

    const CCommentString& text(std::size_t i) const { return *(*idg.m_pTexts)[i]; }
    const CCommentString& lastText() const { return *idg.m_pTexts->back(); }
    void setUnits(int units) { idg.m_nUnitSystem = units; }
};

// One point calculation: the kind, its points, its input and the value the
// formulas give, with the pattern of its text (stored as it is drawn).
struct PointCase {
    ResultKind kind;
    ResultPoints points;
    double input;
    double expected;
    int slot;
    const char* shownSI;
    const char* shownEngineering;
    double engineeringFactor;
};

TEST_F(CalculationsTest, EveryPointCalculationGivesTheHandValueAndItsTextsInBothUnitSystems)
{
    const double G = 3000.0;  // m³/h
    const double Q = 10000.0; // W
    const double dhNL = hand.hN - hand.hL;
    const double dxNL = hand.xN - hand.xL;
    const PointCase cases[] = {
        {ResultKind::AirVolume,
         {kN, kL, -1},
         Q,
         3.6 * Q / (kSummerDensity * dhNL),
         0,
         "总送风量(N-L): %.0fm^3/h",
         "总送风量(N-L): %.0fm^3/h",
         1.0},
        {ResultKind::Cooling,
         {kN, kL, -1},
         G,
         kSummerDensity * G * dhNL / 3.6,
         1,
         "空调制冷量(N-L): %.3fkW",
         "空调制冷量(N-L): %.0fkcal/h",
         kKcalhPerW},
        {ResultKind::Heating,
         {kL, kN, -1},
         G,
         kSummerDensity * G * dhNL / 3.6,
         2,
         "空调加热量(L-N): %.3fkW",
         "空调加热量(L-N): %.0fkcal/h",
         kKcalhPerW},
        {ResultKind::Reheat,
         {kL, kN, -1},
         G,
         kSummerDensity * G * dhNL / 3.6,
         3,
         "空调再热量(L-N): %.3fkW",
         "空调再热量(L-N): %.0fkcal/h",
         kKcalhPerW},
        {ResultKind::Preheat,
         {kL, kN, -1},
         G,
         kSummerDensity * G * dhNL / 3.6,
         8,
         "空调预热量(L-N): %.3fkW",
         "空调预热量(L-N): %.0fkcal/h",
         kKcalhPerW},
        {ResultKind::Humidification,
         {kL, kN, -1},
         G,
         kSummerDensity * G * dxNL,
         7,
         "空调加湿量(L-N): %.3fkg/h",
         "空调加湿量(L-N): %.3fkg/h",
         1.0},
        {ResultKind::HeatMoistureRatio,
         {kL, kN, -1},
         0,
         dhNL / dxNL,
         5,
         "热湿比(L-N): %.0fkJ/kg",
         "热湿比(L-N): %.0fkcal/kg",
         kKcalPerKJ},
        {ResultKind::TreatmentEnthalpy,
         {kL, kN, -1},
         0,
         dhNL,
         6,
         "处理焓差(L-N): %.3fkJ/kg",
         "处理焓差(L-N): %.3fkcal/kg",
         kKcalPerKJ},
        {ResultKind::MixingRatio,
         {kW, kN, kL},
         0,
         std::fabs(hand.hW - hand.hL) / std::fabs(hand.hW - hand.hN),
         4,
         "混风比(W-L-N): N占%.0f%%",
         "混风比(W-L-N): N占%.0f%%",
         100.0},
    };
    for (int units : {CIDG::kUnitsSI, CIDG::kUnitsEngineering}) {
        setUnits(units);
        const bool si = units == CIDG::kUnitsSI;
        for (const PointCase& c : cases) {
            SCOPED_TRACE(CalculationName(c.kind) + (si ? " SI" : " engineering"));
            const auto value = ComputeResult(idg, c.kind, c.points, static_cast<float>(c.input));
            ASSERT_TRUE(value.has_value());
            EXPECT_NEAR(*value, c.expected, std::fabs(c.expected) * 2e-4);

            // The text is stored as the chart shows it, in every kind.
            const double scaled =
                c.kind == ResultKind::AirVolume || c.kind == ResultKind::Humidification ? *value
                : c.kind == ResultKind::MixingRatio                                     ? *value * 100.0
                : si && (c.slot == 1 || c.slot == 2 || c.slot == 3 || c.slot == 8)      ? *value * 0.001
                : si                                                                    ? *value
                     : *value * c.engineeringFactor;
            ASSERT_TRUE(AddCalculationResult(document, c.kind, c.points, static_cast<float>(c.input)));
            const CCommentString& added = lastText();
            EXPECT_EQ(added.m_nKind, static_cast<int>(c.kind));
            EXPECT_EQ(added.m_nRef[0], c.points[0]);
            EXPECT_EQ(added.m_nRef[1], c.points[1]);
            EXPECT_EQ(added.m_nRef[2], c.points[2]);
            EXPECT_NEAR(added.m_fValues[static_cast<std::size_t>(c.slot)], c.expected,
                        std::fabs(c.expected) * 2e-4);
            if (InputSlot(c.kind) >= 0) {
                EXPECT_FLOAT_EQ(added.m_fValues[static_cast<std::size_t>(InputSlot(c.kind))], float(c.input));
            }
            EXPECT_EQ(added.m_strText, format(si ? c.shownSI : c.shownEngineering, scaled));
        }
    }
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(CalculationsTest, MixingRatioOnALineOfConstantEnthalpyComesFromTheMoistureContents)
{
    // Two points on the enthalpy line of N: 30 °C and 20 °C at h_N.
    const auto atEnthalpy = [&](double t) { return (hand.hN - 1.01 * t) / (2500.0 + 1.85 * t); };
    ASSERT_TRUE(document.ChangeCurrentRoom("A, B", [&](CIDG& m) {
        for (double t : {30.0, 20.0}) {
            auto p = std::make_unique<CStatePoint>();
            p->m_strName = t > 25 ? "A" : "B";
            p->m_nId = static_cast<int>(m.m_pPoints->size());
            p->m_d = static_cast<float>(atEnthalpy(t));
            p->m_h = (*m.m_pPoints)[kN]->m_h;
            p->m_bKnownD = p->m_bKnownH = 1;
            if (!m.CalcStatePoint(*p))
                return false;
            m.m_pPoints->push_back(std::move(p));
        }
        return true;
    }));
    const double expected = (hand.xN - atEnthalpy(30.0)) / (atEnthalpy(20.0) - atEnthalpy(30.0));
    const auto r = MixingRatio(idg, 3, 4, kN);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(*r, expected, 1e-3);
    // A point against itself has no ratio.
    EXPECT_FALSE(MixingRatio(idg, kN, kN, kL).has_value());
}

TEST_F(CalculationsTest, HumidificationIsNegativeFromAMoisterToADrierPoint)
{
    const auto w = ComputeResult(idg, ResultKind::Humidification, {kN, kL, -1}, 3000.0f);
    ASSERT_TRUE(w.has_value());
    EXPECT_NEAR(*w, kSummerDensity * 3000.0 * (hand.xL - hand.xN), 1e-3);
    EXPECT_LT(*w, 0.0f);
}

TEST_F(CalculationsTest, AFailedCalculationAddsNothingAndNoStep)
{
    const int steps = document.undoStack().count();
    // Equal enthalpies give no air volume; a missing point gives nothing.
    EXPECT_FALSE(ComputeResult(idg, ResultKind::AirVolume, {kN, kN, -1}, 5000.0f).has_value());
    EXPECT_FALSE(AddCalculationResult(document, ResultKind::AirVolume, {kN, kN, -1}, 5000.0f));
    EXPECT_FALSE(AddCalculationResult(document, ResultKind::Cooling, {kN, 7, -1}, 3000.0f));
    EXPECT_FALSE(AddEnthalpyDifferenceResult(document, -1.0f, 3000.0f));
    EXPECT_FALSE(AddMoistureDifferenceResult(document, 3.6f, 0.0f));
    EXPECT_TRUE(idg.m_pTexts->empty());
    EXPECT_EQ(document.undoStack().count(), steps);
}

TEST_F(CalculationsTest, EnthalpyAndMoistureDifferencesUseTheDensityOfTheCondition)
{
    struct Case {
        int condition;
        int units;
        const char* dh;
        const char* dx;
    };
    // 10 kW in 3000 m³/h at 1.2 kg/m³: 10000·3.6/3000/1.2 = 10.0 kJ/kg; 3.6 kg/h:
    // 3.6·1000/(3000·1.2) = 1.0 g/kg. Winter at 1.3 kg/m³: 9.23 kJ/kg, 0.92 g/kg.
    for (const Case& c :
         {Case{1, CIDG::kUnitsSI, "处理焓差(-): 10.000kJ/kg", "含湿量差(-): 1.000g/kg"},
          Case{1, CIDG::kUnitsEngineering, "处理焓差(-): 2.388kcal/kg", "含湿量差(-): 1.000g/kg"},
          Case{2, CIDG::kUnitsSI, "处理焓差(-): 9.231kJ/kg", "含湿量差(-): 0.923g/kg"}}) {
        SCOPED_TRACE(c.dh);
        idg.m_rooms.SetRoomCondition(0, 0, c.condition);
        RefreshCurrentView(idg);
        setUnits(c.units);
        ASSERT_EQ(AddEnthalpyDifferenceResult(idg, 10000.0f, 3000.0f), 1);
        EXPECT_EQ(lastText().m_strText, c.dh);
        EXPECT_EQ(lastText().m_nRef[0], -1);
        ASSERT_TRUE(AddEnthalpyDifferenceResult(document, 10000.0f, 3000.0f));
        EXPECT_EQ(lastText().m_strText, c.dh);
        EXPECT_FLOAT_EQ(lastText().m_fValues[result_slot::kHeating], 10000.0f);
        EXPECT_FLOAT_EQ(lastText().m_fValues[result_slot::kAirVolume], 3000.0f);
        ASSERT_EQ(AddMoistureDifferenceResult(idg, 3.6f, 3000.0f), 1);
        EXPECT_EQ(lastText().m_strText, c.dx);
        EXPECT_FLOAT_EQ(lastText().m_fValues[result_slot::kMoistureFlow], 3.6f);
    }
    EXPECT_NEAR(*EnthalpyDifference(10000.0f, 3000.0f, 1.2f), 10.0, 1e-5);
    EXPECT_NEAR(*MoistureDifference(3.6f, 3000.0f, 1.2f), 1.0, 1e-6);
    // Refused: a condition without a density, a density not positive.
    idg.m_nCurCondition = 3;
    EXPECT_FALSE(ConditionDensity(idg).has_value());
    idg.m_nCurCondition = 2;
    idg.m_fWinterDensity = 0.0f;
    EXPECT_FALSE(ConditionDensity(idg).has_value());
}

TEST_F(CalculationsTest, TheAirVolumeBecomesTheSupplyAirVolumeAndEachResultIsOneUndoStep)
{
    const int steps = document.undoStack().count();
    ASSERT_TRUE(AddCalculationResult(document, ResultKind::AirVolume, {kN, kL, -1}, 10000.0f));
    EXPECT_NEAR(idg.m_fSupplyAirVolume, 3.6 * 10000.0 / (kSummerDensity * (hand.hN - hand.hL)), 0.5);
    EXPECT_EQ(document.undoStack().count(), steps + 1);
    EXPECT_EQ(document.undoStack().undoText(), "计算送风量");
    document.undoStack().undo();
    EXPECT_TRUE(idg.m_pTexts->empty());
    document.undoStack().redo();
    EXPECT_EQ(idg.m_pTexts->size(), 1u);
}

TEST_F(CalculationsTest, MovingAPointRewritesTheResultsThatReportOnIt)
{
    for (int units : {CIDG::kUnitsSI, CIDG::kUnitsEngineering}) {
        SCOPED_TRACE(units);
        setUnits(units);
        idg.m_pTexts->clear();
        ASSERT_TRUE(AddCalculationResult(document, ResultKind::Cooling, {kN, kL, -1}, 3000.0f));
        ASSERT_TRUE(AddCalculationResult(document, ResultKind::AirVolume, {kN, kL, -1}, 10000.0f));
        ASSERT_TRUE(AddCalculationResult(document, ResultKind::MixingRatio, {kW, kN, kL}, 0.0f));
        ASSERT_TRUE(AddCalculationResult(document, ResultKind::Humidification, {kL, kN, -1}, 3000.0f));
        ASSERT_TRUE(AddOutputStateText(document, kL, "送风"));
        // L moves to 12 °C / 90 %.
        ASSERT_TRUE(document.ChangeCurrentRoom("L", [](CIDG& m) {
            return m.EditIndependentPoint(kL, "L", 12.0f, 0.9f, true, m.FullChartStates()) == 1;
        }));
        const double xL = formulas::moisture(12.0, 0.9);
        const double hL = formulas::enthalpy(12.0, xL);
        const double Q = kSummerDensity * 3000.0 * (hand.hN - hL) / 3.6;
        const double G = 3.6 * 10000.0 / (kSummerDensity * (hand.hN - hL));
        const double r = std::fabs(hand.hW - hL) / std::fabs(hand.hW - hand.hN);
        const double W = kSummerDensity * 3000.0 * (hand.xN - xL);
        EXPECT_NEAR(text(0).m_fValues[result_slot::kCooling], Q, Q * 2e-4);
        EXPECT_NEAR(text(1).m_fValues[result_slot::kAirVolume], G, G * 2e-4);
        EXPECT_NEAR(text(2).m_fValues[result_slot::kMixingRatio], r, 1e-4);
        EXPECT_NEAR(text(3).m_fValues[result_slot::kMoistureFlow], W, 1e-3);
        const bool si = units == CIDG::kUnitsSI;
        EXPECT_EQ(text(0).m_strText,
                  si ? format("空调制冷量(N-L): %.3fkW", text(0).m_fValues[1] * 0.001)
                     : format("空调制冷量(N-L): %.0fkcal/h", text(0).m_fValues[1] * kKcalhPerW));
        EXPECT_EQ(text(1).m_strText, format("总送风量(N-L): %.0fm^3/h", text(1).m_fValues[0]));
        EXPECT_EQ(text(2).m_strText, format("混风比(W-L-N): N占%.0f%%", text(2).m_fValues[4] * 100.0));
        EXPECT_EQ(text(3).m_strText, format("空调加湿量(L-N): %.3fkg/h", text(3).m_fValues[7]));
        const CStatePoint& L = *(*idg.m_pPoints)[kL];
        EXPECT_EQ(text(4).m_strText,
                  "送风:  12.0℃ " + format("%.1f℃ ", L.m_tw) + "90% " + format("%.1fg/kg ", xL * 1000.0) +
                      (si ? format("%.1fkJ/kg ", hL) : format("%.1fkcal/kg ", hL * kKcalPerKJ)));
    }
}

TEST_F(CalculationsTest, AStateTextDescribesItsPointOnCreation)
{
    const CStatePoint& N = *(*idg.m_pPoints)[kN];
    ASSERT_EQ(AddOutputStateText(idg, kN, "室内"), 1);
    EXPECT_EQ(lastText().m_strText, "室内:  25.0℃ " + format("%.1f℃ ", N.m_tw) + "50% " +
                                        format("%.1fg/kg ", hand.xN * 1000.0) + format("%.1fkJ/kg", hand.hN));
    EXPECT_EQ(lastText().m_nKind, 9);
    EXPECT_EQ(lastText().m_nRefExtra, kN);
    EXPECT_EQ(lastText().m_strValue, "室内");
    setUnits(CIDG::kUnitsEngineering);
    ASSERT_EQ(AddOutputStateText(idg, kN, "室内"), 1);
    EXPECT_THAT(lastText().m_strText, ::testing::EndsWith(format(" %.2fkcal/kg", hand.hN * kKcalPerKJ)));
}

TEST_F(CalculationsTest, AReferencedPointCannotBeDeletedAndDeletingAResultClosesTheColumn)
{
    ASSERT_TRUE(AddCalculationResult(document, ResultKind::Cooling, {kN, kL, -1}, 3000.0f));
    ASSERT_TRUE(AddCalculationResult(document, ResultKind::HeatMoistureRatio, {kL, kN, -1}, 0.0f));
    ASSERT_TRUE(AddEnthalpyDifferenceResult(document, 10000.0f, 3000.0f));
    const std::string cooling = text(0).m_strText;
    EXPECT_FALSE(document.ChangeCurrentRoom(
        "del", [](CIDG& m) { return m.DeleteObject(CIDG::kClassPoint, kL) == 1; }));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text,
              "该状态点对计算结果\n'" + cooling + "'\n具有制约性,请首先删除该计算结果");
    EXPECT_EQ(idg.m_pPoints->size(), 3u);

    const int step = text(1).m_nPlace[3] - text(0).m_nPlace[3];
    EXPECT_GT(step, 0);
    EXPECT_EQ(text(2).m_nPlace[3] - text(1).m_nPlace[3], step);
    const int firstY = text(0).m_nPlace[3];
    ASSERT_TRUE(
        document.ChangeCurrentRoom("del", [](CIDG& m) { return m.DeleteObject(CIDG::kClassText, 0) == 1; }));
    ASSERT_EQ(idg.m_pTexts->size(), 2u);
    EXPECT_EQ(text(0).m_nPlace[3], firstY);
    EXPECT_EQ(text(1).m_nPlace[3], firstY + step);
    EXPECT_EQ(text(0).m_nId, 0);
}

TEST_F(CalculationsTest, ParameterPointsAreAddedRenamedAndDeletedAsUndoSteps)
{
    CParamPoint p;
    p.m_strName = "P1";
    p.m_p = 101325.0f;
    p.m_t = 25.0f;
    p.m_RH = 0.5f;
    p.m_bKnownT = p.m_bKnownRH = 1;
    ASSERT_EQ(p.Calculate(), 1);
    EXPECT_NEAR(p.m_d, hand.xN, 1e-6);
    ASSERT_TRUE(AddParamPoint(document, p));
    EXPECT_FALSE(AddParamPoint(document, p)); // the name is taken
    p.m_strName = "";
    EXPECT_FALSE(AddParamPoint(document, p));
    p.m_strName = "P2";
    ASSERT_TRUE(AddParamPoint(document, p));
    EXPECT_FALSE(RenameParamPoint(document, 1, "P1"));
    ASSERT_TRUE(RenameParamPoint(document, 1, "P3"));
    ASSERT_TRUE(DeleteParamPoint(document, 0));
    ASSERT_EQ(idg.m_pParamPoints->size(), 1u);
    EXPECT_EQ((*idg.m_pParamPoints)[0]->m_strName, "P3");
    EXPECT_EQ((*idg.m_pParamPoints)[0]->m_nId, 0);
    document.undoStack().undo();
    EXPECT_EQ(idg.m_pParamPoints->size(), 2u);
}

} // namespace
