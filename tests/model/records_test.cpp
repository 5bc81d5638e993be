#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/CIDG.h"
#include "model/TextCodec.h"

namespace {

TEST(Records, FreshStatePointIsUnclassifiedWithNoReferences)
{
    const CStatePoint point;
    EXPECT_EQ(point.m_strName, "Point1");
    EXPECT_EQ(point.m_nKind, -1);
    EXPECT_FLOAT_EQ(point.m_fMixRatio, -1.0f);
    for (int ref : {point.m_nMixSrc1, point.m_nMixSrc2, point.m_nRelPartner, point.m_nRelHhrLine,
                    point.m_nId, point.m_nRelDiffType, point.m_nRelPropType, point.m_nBaseH,
                    point.m_nBaseD, point.m_nBaseT, point.m_nOnProcessLine, point.m_nOnHhrLine,
                    point.m_nValueKind, point.m_nCrossProc1, point.m_nCrossProc2, point.m_nCrossHhr1,
                    point.m_nCrossHhr2, point.m_nCrossProc, point.m_nCrossHhr})
        EXPECT_EQ(ref, -1);
}

TEST(Records, MakingAPointIndependentKeepsItsStateAndDropsReferences)
{
    CStatePoint point;
    point.m_strName = "C";
    point.m_nId = 4;
    point.m_t = 27.3f;
    point.m_h = 55.1f;
    point.m_nKind = CStatePoint::kMixing;
    point.m_nMixSrc1 = 0;
    point.m_nMixSrc2 = 1;
    point.m_fMixRatio = 0.2f;
    point.m_nOnHhrLine = 0;
    point.m_nValueKind = 3;
    point.m_fValue = 0.9f;
    point.MakeIndependent();

    CStatePoint expected;
    expected.m_strName = "C";
    expected.m_nId = 4;
    expected.m_t = 27.3f;
    expected.m_h = 55.1f;
    expected.m_nKind = CStatePoint::kIndependent;
    EXPECT_EQ(point.m_nMixSrc1, expected.m_nMixSrc1);
    EXPECT_EQ(point.m_fMixRatio, expected.m_fMixRatio);
    EXPECT_EQ(point.m_nOnHhrLine, -1);
    EXPECT_EQ(point.m_nValueKind, -1);
    EXPECT_EQ(point.m_fValue, 0);
    EXPECT_EQ(point.m_nKind, 0);
    EXPECT_EQ(point.m_nId, 4);
    EXPECT_FLOAT_EQ(point.m_t, 27.3f);
}

TEST(Records, FreshLinesTextsAndParameterPoints)
{
    const CGuoChengXian line;
    EXPECT_EQ(line.m_strName, "GCX1");
    EXPECT_EQ(line.m_nStart, -1);
    EXPECT_EQ(line.m_nEnd, -1);
    EXPECT_EQ(line.m_nId, -1);

    const CReShiBiXian hhr;
    EXPECT_EQ(hhr.m_strName, "1");
    EXPECT_EQ(hhr.m_nMode, 1);
    EXPECT_EQ(hhr.m_fRatio, 0);
    EXPECT_EQ(hhr.m_nPoint1, -1);
    EXPECT_EQ(hhr.m_nPoint2, -1);

    const CCommentString text;
    EXPECT_EQ(text.m_nKind, -1);
    EXPECT_THAT(text.m_nRef, ::testing::ElementsAre(-1, -1, -1));

    const CParamPoint param;
    EXPECT_EQ(param.m_strName, "Point1");
    EXPECT_EQ(param.m_nId, -1);
}

TEST(Records, ComfortZoneMembershipIsByExactName)
{
    CComfortArea zone;
    zone.m_strCorner = {"A", "B", "C", "D"};
    zone.m_strEdge = {"A-B", "B-C", "C-D", "D-A"};
    EXPECT_TRUE(zone.HasCorner("C"));
    EXPECT_FALSE(zone.HasCorner("c"));
    EXPECT_FALSE(zone.HasCorner("A-B"));
    EXPECT_TRUE(zone.HasEdge("D-A"));
    EXPECT_FALSE(zone.HasEdge("D"));
}

TEST(ChartModel, Defaults)
{
    const CIDG idg;
    EXPECT_EQ(idg.m_nUnitSystem, 1);
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 101325.0f);
    EXPECT_FLOAT_EQ(idg.m_fWinterPressure, 101325.0f);
    EXPECT_EQ(idg.m_bChartView, 1);
    EXPECT_THAT(idg.m_nMargin, ::testing::ElementsAre(10, 10, 10, 10));
    EXPECT_EQ(idg.m_nArrowStyle, 2);
    EXPECT_EQ(idg.m_nPointRadius, 2);
    EXPECT_EQ(idg.m_bShowPointLabels, 1);
    EXPECT_EQ(idg.m_bShowProcessLineLabels, 0);
    EXPECT_EQ(idg.m_bShowHhrLineLabels, 1);
    EXPECT_EQ(idg.m_bShowHhrLines, 1);
    EXPECT_EQ(idg.m_bShowValues, 1);
    EXPECT_FLOAT_EQ(idg.m_fZoom, 1.0f);
    EXPECT_FLOAT_EQ(idg.m_fXMaxFull, 0.04f);
    EXPECT_FLOAT_EQ(idg.m_fTMinFull, -30.0f);
    EXPECT_FLOAT_EQ(idg.m_fXMax, 0.04f);
    EXPECT_FLOAT_EQ(idg.m_fTMin, -30.0f);
    EXPECT_FLOAT_EQ(idg.m_fTMax, 65.0f);
    EXPECT_EQ(idg.m_pPoints, nullptr);
    EXPECT_EQ(idg.m_pComfortAreas, nullptr);
}

TEST(ChartModel, LineFamilyAttributes)
{
    const CIDG idg;
    struct Expected {
        int colour;
        float step;
    };
    const Expected expected[] = {{0x00C840, 1.0f}, {0x00C840, 5.0f}, {0x000000, 5.0f},
                                 {0x0000FF, 10.0f}, {0x800000, 10.0f}, {0xFF0000, 5.0f},
                                 {0x000000, 3.0f}, {0xFFFFFF, 3.0f}};
    for (int i = 0; i < kFamilyCount; ++i) {
        const DrawOption& option = idg.m_drawOptions[i];
        EXPECT_EQ(option.m_bShow, 1) << i;
        EXPECT_EQ(option.m_bLabel, 1) << i;
        EXPECT_EQ(option.m_color, expected[i].colour) << i;
        EXPECT_EQ(option.m_nWidth, 0) << i;
        EXPECT_EQ(option.m_nStyle, 0) << i;
        EXPECT_FLOAT_EQ(option.m_fStep, expected[i].step) << i;
    }
    const DrawOption fresh;
    EXPECT_EQ(fresh, DrawOption(1, 0, 0, 1, 0, 5.0f));
}

TEST(ChartModel, CurrentListsFollowTheCurrentRoomAndCondition)
{
    CIDG idg;
    EXPECT_FALSE(idg.PointAtCurrentRoom());
    idg.m_rooms.AddSystem("S1");
    idg.m_rooms.AddRoom("S1", "R1");
    idg.m_rooms.AddRoom("S1", "R2");
    idg.m_nCurRoom = 1;
    idg.m_rooms.SetRoomCondition(0, 1, 0);
    ASSERT_TRUE(idg.PointAtCurrentRoom());
    CServiceArea& room = *idg.m_rooms.m_systems[0]->m_rooms[1];
    EXPECT_EQ(idg.m_pPoints, &room.m_points[0]);
    EXPECT_EQ(idg.m_pParamPoints, &room.m_paramPoints);
    EXPECT_EQ(idg.m_nCurCondition, 0);

    // Moving the model keeps the bound lists valid.
    CIDG moved = std::move(idg);
    EXPECT_EQ(moved.m_pPoints, &moved.m_rooms.m_systems[0]->m_rooms[1]->m_points[0]);
}

TEST(FontDescription, SixtyBytesRoundTripAndGbkFaceName)
{
    LogFont font;
    font.lfHeight = -15;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.setFaceName("宋体");
    const auto bytes = font.toBytes();
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(bytes[0], 0xF1);  // −15 little-endian
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[16], 0xBC);  // 700
    EXPECT_EQ(bytes[20], 1);
    // 宋体 in GBK.
    EXPECT_EQ(bytes[28], 0xCB);
    EXPECT_EQ(bytes[29], 0xCE);
    EXPECT_EQ(bytes[30], 0xCC);
    EXPECT_EQ(bytes[31], 0xE5);
    EXPECT_EQ(bytes[32], 0);
    const LogFont back = LogFont::fromBytes(bytes.data());
    EXPECT_EQ(back, font);
    EXPECT_EQ(back.faceName(), "宋体");
}

TEST(FontDescription, LongFaceNameIsCutOnACharacterBoundary)
{
    LogFont font;
    font.setFaceName("一二三四五六七八九十一二三四五六七八");  // 36 GBK bytes
    const std::string face(font.lfFaceName.data());
    EXPECT_EQ(face.size(), 30u);
    EXPECT_EQ(font.faceName(), "一二三四五六七八九十一二三四五");
}

TEST(TextCodec, GbkRoundTripAndDamagedInput)
{
    const std::string utf8 = "空调系统1 办公室";
    const std::string gbk = utf8ToGbk(utf8);
    EXPECT_EQ(gbk.size(), 16u);
    EXPECT_EQ(gbkToUtf8(gbk), utf8);
    EXPECT_EQ(gbkToUtf8(""), "");
    // A lone lead byte cannot be decoded: replaced, never dropped silently.
    EXPECT_EQ(gbkToUtf8(std::string("A\x81", 2)), "A\xEF\xBF\xBD");
    EXPECT_FALSE(gbkToUtf8Strict(std::string("A\x81", 2)).has_value());
    // A character outside GBK becomes one '?'.
    EXPECT_EQ(utf8ToGbk("x\xF0\x9F\x98\x80y"), "x?y");
    EXPECT_FALSE(utf8ToGbkStrict("\xF0\x9F\x98\x80").has_value());
}

}  // namespace
