#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class Deletion : public ModelFixture {
protected:
    // Points 0–4 (W, N, A, B, C) with C the mixing point of W and B.
    void fivePoints()
    {
        addPoint("W", 34, 0.5);
        addPoint("N", 25, 0.5);
        addPoint("A", 20, 0.6);
        addPoint("B", 30, 0.4);
        ASSERT_TRUE(idg.AddMixingPoint("C", 0, 3, 25, chart));
    }
};

TEST_F(Deletion, DeletingPointTwoOfFiveRenumbersEveryReference)
{
    fivePoints();
    addLine("WB", 0, 3);
    addLine("BC", 3, 4);
    addHhrLine("ε", 1, 8000.0f);
    auto text = std::make_unique<CCommentString>();
    text->m_nKind = 5;
    text->m_nRef = {0, 3, 4};
    text->m_nId = 0;
    idg.m_pTexts->push_back(std::move(text));

    ASSERT_EQ(idg.DeleteObject(CIDG::kClassPoint, 2), 1);
    ASSERT_EQ(pointCount(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(point(i).m_nId, i);
    EXPECT_EQ(point(2).m_strName, "B");
    EXPECT_EQ(point(3).m_nMixSrc1, 0);
    EXPECT_EQ(point(3).m_nMixSrc2, 2);
    const auto& lines = *idg.m_pProcessLines;
    EXPECT_EQ(lines[0]->m_nEnd, 2);
    EXPECT_EQ(lines[1]->m_nStart, 2);
    EXPECT_EQ(lines[1]->m_nEnd, 3);
    EXPECT_THAT((*idg.m_pTexts)[0]->m_nRef, ElementsAre(0, 2, 3));
    EXPECT_EQ((*idg.m_pHhrLines)[0]->m_nPoint1, 1);
}

TEST_F(Deletion, ALineDeletedFromTheMiddleKeepsLaterLineReferencesExact)
{
    fivePoints();
    addLine("L0", 0, 1);
    addLine("L1", 2, 3);
    const int l2 = addLine("L2", 1, 3);
    addHhrLine("ε", 1, 8000.0f);
    addHhrLine("ε1", 2, 3000.0f);
    addHhrLine("ε2", 3, -3000.0f);
    CStatePoint onL2, cross;
    onL2.m_strName = "P";
    cross.m_strName = "X";
    ASSERT_TRUE(idg.MakeLinePoint(3, l2, 4, 0, 0, 0, 0, 0, 0, 0.012f, onL2, 1, chart));
    ASSERT_TRUE(idg.MakeIntersection(1, 0, 2, cross, 1, chart));

    ASSERT_EQ(idg.DeleteObject(CIDG::kClassProcessLine, 1), 1);
    ASSERT_EQ(idg.DeleteObject(CIDG::kClassHhrLine, 1), 1);
    EXPECT_EQ(point(onL2.m_nId).m_nOnProcessLine, 1);
    EXPECT_EQ((*idg.m_pProcessLines)[1]->m_nId, 1);
    EXPECT_EQ(point(cross.m_nId).m_nCrossHhr2, 1);
    EXPECT_EQ((*idg.m_pHhrLines)[1]->m_strName, "ε2");
    // The renumbered references still find their lines: moving N moves both.
    EXPECT_EQ(idg.RecomputeDependants(1, chart), 1);
    EXPECT_EQ(idg.RecomputeDependants(3, chart), 1);
}

TEST_F(Deletion, ThePartnerOfADeletedRelatedPointBecomesIndependentAsItStands)
{
    fivePoints();
    addHhrLine("ε", 1, 8000.0f);
    CStatePoint p1, p2;
    p1.m_strName = "O";
    p2.m_strName = "L";
    ASSERT_TRUE(idg.MakeRelatedPoints(0, 0, 1, 8, 0, 0, 0, 0.9f, 0, 0, p1, p2, 1, chart));
    const CStatePoint partner = point(p2.m_nId);

    ASSERT_EQ(idg.DeleteObject(CIDG::kClassPoint, p1.m_nId), 1);
    const CStatePoint& left = point(p1.m_nId);
    EXPECT_EQ(left.m_strName, "L");
    EXPECT_EQ(left.m_nKind, CStatePoint::kIndependent);
    EXPECT_EQ(left.m_nRelPartner, -1);
    EXPECT_EQ(left.m_nRelHhrLine, -1);
    EXPECT_EQ(left.m_d, partner.m_d);
    EXPECT_EQ(left.m_h, partner.m_h);
}

TEST_F(Deletion, DependantsRefuseInTheOrderOfTheTableAndNothingChanges)
{
    fivePoints(); // C (4) mixes point 3
    auto dependant = [this](const char* name, int CStatePoint::*slot, int kind) {
        const int i = addPoint(name, 26, 0.5);
        point(i).*slot = 3;
        point(i).m_nKind = kind;
    };
    dependant("T", &CStatePoint::m_nBaseD, CStatePoint::kEqualMoisture);
    dependant("S", &CStatePoint::m_nBaseT, CStatePoint::kEqualTemperature);
    dependant("R", &CStatePoint::m_nBaseH, CStatePoint::kEqualEnthalpy);
    // Listed after the point dependants, found before them.
    auto text = std::make_unique<CCommentString>();
    text->m_strText = "送风量";
    text->m_nKind = 1;
    text->m_nRef = {2, 3, -1};
    idg.m_pTexts->push_back(std::move(text));
    addHhrLine("ε", 1, 8000.0f);
    addHhrLine("εB", 3, 8000.0f);
    addLine("BA", 3, 2);

    const std::vector<std::string> expected{
        "该状态点对过程线BA具有制约性,请首先删除该过程线",
        "该状态点对热湿比线εB具有制约性,请首先删除该热湿比线",
        "该状态点对计算结果\n'送风量'\n具有制约性,请首先删除该计算结果",
        "该状态点对混合点C具有制约性,请首先删除该混合点或者将该混合点转化为独立状态点",
        "该状态点对等含湿量点T具有制约性,请首先删除该等含湿量点或者将该等含湿量点转化为独立状态点",
        "该状态点对等温点S具有制约性,请首先删除该等温点或者将该等温点转化为独立状态点",
        "该状态点对等焓点R具有制约性,请首先删除该等焓点或者将该等焓点转化为独立状态点",
    };
    for (std::size_t step = 0; step < expected.size(); ++step) {
        const auto before = saved();
        EXPECT_EQ(idg.DeleteObject(CIDG::kClassPoint, 3), 0);
        EXPECT_EQ(saved(), before);
        // Clear the way for the next row: the blocker goes or stands alone.
        if (step == 0)
            ASSERT_TRUE(idg.DeleteObject(CIDG::kClassProcessLine, 0));
        else if (step == 1)
            ASSERT_TRUE(idg.DeleteObject(CIDG::kClassHhrLine, 1));
        else if (step == 2)
            ASSERT_TRUE(idg.DeleteObject(CIDG::kClassText, 0));
        else
            idg.MakeIndependent(point(static_cast<int>(step) + 1));
    }
    EXPECT_THAT(messages.texts(), ElementsAreArray(expected));
    EXPECT_EQ(idg.DeleteObject(CIDG::kClassPoint, 3), 1);
}

TEST_F(Deletion, LineDependantsRefuseInTheOrderOfTheTable)
{
    fivePoints();
    const int line = addLine("L", 0, 3);
    addHhrLine("ε", 1, 8000.0f);
    const int hhr = addHhrLine("ε1", 2, 20000.0f);
    CStatePoint on, cross, onHhr, crossHhr, r1, r2;
    on.m_strName = "P";
    cross.m_strName = "X";
    onHhr.m_strName = "Q";
    crossHhr.m_strName = "Y";
    r1.m_strName = "R1";
    r2.m_strName = "R2";
    ASSERT_TRUE(idg.MakeIntersection(2, line, hhr, cross, 1, chart));
    ASSERT_TRUE(idg.MakeLinePoint(3, line, 4, 0, 0, 0, 0, 0, 0, 0.012f, on, 1, chart));
    ASSERT_TRUE(idg.MakeRelatedPoints(hhr, 0, 1, 5, 0, 0, 0, 0.8f, 0, 0, r1, r2, 1, chart));
    ASSERT_TRUE(idg.MakeLinePoint(4, hhr, 2, 0, 0, 26, 0, 0, 0, 0, onHhr, 1, chart));

    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(idg.DeleteObject(CIDG::kClassProcessLine, line), 0);
        idg.MakeIndependent(point(on.m_nId));
    }
    EXPECT_EQ(idg.DeleteObject(CIDG::kClassHhrLine, hhr), 0);
    idg.MakeIndependent(point(onHhr.m_nId));
    EXPECT_EQ(idg.DeleteObject(CIDG::kClassHhrLine, hhr), 0);
    idg.MakeIndependent(point(cross.m_nId));
    EXPECT_EQ(idg.DeleteObject(CIDG::kClassHhrLine, hhr), 0);
    EXPECT_THAT(messages.texts(),
                ElementsAre("该过程线对点P具有制约性,请首先删除该点或者将该点转化为独立状态点",
                            "该过程线对交点X具有制约性,请首先删除该交点或者将该交点转化为独立状态点",
                            "该热湿比线对点Q具有制约性,请首先删除该点或者将该点转化为独立状态点",
                            "该热湿比线对交点X具有制约性,请首先删除该交点或者将该交点转化为独立状态点",
                            "该热湿比线对相关状态点R1具有制约性,请首先删除该点或者将该点转化为独立状态点"));
}

} // namespace

// The room's analysis slots that hold point indices follow a deletion: those
// of the condition shown below the deleted point move down, the one naming it
// becomes −1, those of the other condition and those above stay.
TEST_F(Deletion, AnalysisPointIndicesFollowADeletedPoint)
{
    const std::vector<PointIndexSlot> registered = PointIndexSlots();
    SetPointIndexSlots({{PointIndexSlot::kWord, 3, kConditionSummer},
                        {PointIndexSlot::kWord, 4, kConditionSummer},
                        {PointIndexSlot::kWord, 5, kConditionSummer},
                        {PointIndexSlot::kInt, 7, kConditionSummer},
                        {PointIndexSlot::kWord, 26, kConditionWinter}});
    fivePoints();
    addPoint("D", 22, 0.5);
    CServiceArea& room = *idg.CurrentRoom();
    struct Slot {
        bool word;
        int slot;
        std::int32_t before, after;
    };
    const Slot slots[] = {
        {true, 3, 4, 3},  // above the deleted point: moves down
        {true, 4, 2, -1}, // the deleted point itself
        {true, 5, 1, 1},  // below it: stays
        {false, 7, 5, 4}, // an int slot above it
        {true, 26, 4, 4}, // a winter index: another list
        {true, 6, 4, 4},  // not a registered slot
        {false, 8, 5, 5},
    };
    for (const Slot& s : slots)
        (s.word ? room.m_anaW[static_cast<std::size_t>(s.slot)].i
                : room.m_anaI[static_cast<std::size_t>(s.slot)]) = s.before;
    // The recovered state W1 of each view, kept with the heat recovery.
    room.m_recovery.summerPoint = 4;
    room.m_recovery.winterPoint = 4;
    ASSERT_EQ(idg.DeleteObject(CIDG::kClassPoint, 2), 1);
    EXPECT_EQ(room.m_recovery.summerPoint, 3);
    EXPECT_EQ(room.m_recovery.winterPoint, 4);
    for (const Slot& s : slots)
        EXPECT_EQ(s.word ? room.m_anaW[static_cast<std::size_t>(s.slot)].i
                         : room.m_anaI[static_cast<std::size_t>(s.slot)],
                  s.after)
            << s.slot;
    ASSERT_EQ(idg.DeleteObject(CIDG::kClassPoint, 3), 1);
    EXPECT_EQ(room.m_recovery.summerPoint, -1);
    SetPointIndexSlots(registered);
}
