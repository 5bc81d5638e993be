#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/CAir_Room.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

CAir_Room projectWithOffice()
{
    CAir_Room rooms;
    rooms.AddSystem("空调系统1");
    rooms.AddRoom("空调系统1", "办公室");
    rooms.AddRoom("空调系统1", "会议室");
    return rooms;
}

TEST(ServiceArea, NewRoomHasIndoorDesignDefaultsAndSummerCondition)
{
    const CServiceArea room;
    EXPECT_EQ(room.m_strSummerInName, "N");
    EXPECT_EQ(room.m_strWinterInName, "N");
    EXPECT_FLOAT_EQ(room.m_fSummerInT, 25.0f);
    EXPECT_FLOAT_EQ(room.m_fSummerInRH, 50.0f);
    EXPECT_EQ(room.m_bSummerInByRH, 1);
    EXPECT_FLOAT_EQ(room.m_fWinterInT, 25.0f);
    EXPECT_FLOAT_EQ(room.m_fWinterInRH, 50.0f);
    EXPECT_EQ(room.m_bWinterInByRH, 1);
    EXPECT_EQ(room.m_fSummerLoad, 0);
    EXPECT_EQ(room.m_fWinterLoad, 0);
    EXPECT_EQ(room.m_fSummerFreshAir, 0);
    EXPECT_EQ(room.m_fSummerMoistLoad, 0);
    EXPECT_EQ(room.m_nCondition, kConditionSummer);
    EXPECT_EQ(room.m_nInitCounter, 6);
}

TEST(ServiceArea, AnalysisWordDefaults)
{
    const CServiceArea room;
    const auto& w = room.m_anaW;
    for (int i : {3, 4, 5, 6, 26, 27, 28, 29, 30, 37, 38, 46, 64, 66, 68})
        EXPECT_EQ(w[i].i, -1) << "word " << i;
    EXPECT_EQ(w[15].i, 1);
    EXPECT_FLOAT_EQ(w[18].f, 0.95f);
    EXPECT_FLOAT_EQ(w[55].f, 0.95f);
    EXPECT_FLOAT_EQ(w[75].f, -1.0f);
    int zeros = 0;
    for (int i = 0; i < CServiceArea::kAnalysisWords; ++i)
        zeros += w[i].i == 0;
    EXPECT_EQ(zeros, 79 - 19);

    EXPECT_THAT(room.m_anaD, ElementsAre(0.0, 4.0, 5.0, 0.0, 0.0, 0.0, 0.0, 0.0, 4.0, 0.5, 0.0));
    std::array<std::int32_t, 24> ints{};
    ints[0] = 95;
    ints[11] = 1;
    ints[20] = 1;
    ints[21] = 95;
    EXPECT_EQ(room.m_anaI, ints);
}

TEST(ServiceArea, ResetResultsClearsOnlyItsBlock)
{
    CServiceArea room;
    for (auto& word : room.m_anaW)
        word.i = 7;
    room.ResetResults(1);
    for (int i : {0, 1, 2, 13, 14, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(room.m_anaW[i].i, 0) << i;
    for (int i : {3, 4, 5, 6})
        EXPECT_EQ(room.m_anaW[i].i, -1) << i;
    for (int i : {15, 16, 17, 18, 19, 26, 40})
        EXPECT_EQ(room.m_anaW[i].i, 7) << i;

    room.ResetResults(2);
    for (int i : {19, 20, 21, 22, 23, 24, 25, 40, 31, 32, 33, 34, 35, 36})
        EXPECT_EQ(room.m_anaW[i].i, 0) << i;
    for (int i : {26, 27, 28, 29, 30})
        EXPECT_EQ(room.m_anaW[i].i, -1) << i;
    EXPECT_EQ(room.m_anaW[37].i, 7);
    EXPECT_EQ(room.m_anaW[41].i, 7);

    const auto before = room.m_anaW;
    room.ResetResults(0);
    room.ResetResults(3);
    for (int i = 0; i < CServiceArea::kAnalysisWords; ++i)
        EXPECT_EQ(room.m_anaW[i].i, before[i].i);
}

TEST(AirRoom, NewContainerHasOutdoorDefaultsAndNoSystems)
{
    const CAir_Room rooms;
    EXPECT_EQ(rooms.m_strSummerOutName, "W");
    EXPECT_EQ(rooms.m_strWinterOutName, "W");
    EXPECT_FLOAT_EQ(rooms.m_fSummerOutT, 34.0f);
    EXPECT_FLOAT_EQ(rooms.m_fSummerOutTw, 28.2f);
    EXPECT_EQ(rooms.m_bSummerOutByRH, 0);
    EXPECT_FLOAT_EQ(rooms.m_fWinterOutT, 34.0f);
    EXPECT_FLOAT_EQ(rooms.m_fWinterOutTw, 28.2f);
    EXPECT_EQ(rooms.m_bWinterOutByRH, 0);
    EXPECT_TRUE(rooms.m_systems.empty());
}

TEST(AirRoom, LookupFailuresShowTheirMessagesAndChangeNothing)
{
    RecordingMessages messages;
    CAir_Room rooms = projectWithOffice();

    rooms.RemoveRoom("空调系统1", "机房");
    rooms.RemoveRoom("空调系统9", "办公室");
    rooms.RemoveSystem("空调系统9");
    rooms.AddRoom("空调系统9", "办公室");
    CServiceArea design;
    EXPECT_FALSE(rooms.GetRoomDesign("空调系统1", "机房", design));
    EXPECT_FALSE(rooms.GetRoomDesign("空调系统9", "办公室", design));
    design.m_strName = "机房";
    EXPECT_FALSE(rooms.SetRoomDesign("空调系统1", design));

    EXPECT_THAT(messages.texts(),
                ElementsAre("对不起,在指定的系统中没有指定的服务区域!", "对不起，系统中没有指定的系统名称!",
                            "对不起，系统中没有该系统名称!", "对不起，系统中没有该系统名称!",
                            "对不起,在指定的系统中没有指定的服务区域!", "对不起，系统中没有指定的系统名称!",
                            "对不起,在指定的系统中没有指定的服务区域!"));
    for (const auto& entry : messages.entries)
        EXPECT_TRUE(entry.caption.empty());
    ASSERT_EQ(rooms.m_systems.size(), 1u);
    EXPECT_EQ(rooms.m_systems[0]->m_rooms.size(), 2u);
}

TEST(AirRoom, FirstRoomDesignOfSystemWithoutRooms)
{
    RecordingMessages messages;
    CAir_Room rooms;
    rooms.AddSystem("新风系统");
    CServiceArea design;
    EXPECT_FALSE(rooms.GetFirstRoomDesign("新风系统", design));
    EXPECT_THAT(messages.texts(), ElementsAre("对不起，该指定系统中没有任何服务区域!"));
}

TEST(AirRoom, RoomDesignRoundTripCopiesOnlyDesignFields)
{
    RecordingMessages messages;
    CAir_Room rooms = projectWithOffice();
    CServiceArea design;
    design.m_strName = "会议室";
    design.m_fSummerLoad = 12.5f;
    design.m_fSummerMoistLoad = 1.2f;
    design.m_fWinterInT = 20.0f;
    design.m_bWinterInByRH = 0;
    design.m_nCondition = kConditionWinter;  // not a design field
    ASSERT_TRUE(rooms.SetRoomDesign("空调系统1", design));

    CServiceArea out;
    ASSERT_TRUE(rooms.GetRoomDesign("空调系统1", "会议室", out));
    EXPECT_FLOAT_EQ(out.m_fSummerLoad, 12.5f);
    EXPECT_FLOAT_EQ(out.m_fSummerMoistLoad, 1.2f);
    EXPECT_FLOAT_EQ(out.m_fWinterInT, 20.0f);
    EXPECT_EQ(out.m_bWinterInByRH, 0);
    EXPECT_EQ(rooms.m_systems[0]->m_rooms[1]->m_nCondition, kConditionSummer);

    ASSERT_TRUE(rooms.GetFirstRoomDesign("空调系统1", out));
    EXPECT_EQ(out.m_strName, "办公室");
    EXPECT_TRUE(messages.entries.empty());
}

TEST(AirRoom, DuplicateSystemNamesAlwaysFindTheFirst)
{
    RecordingMessages messages;
    CAir_Room rooms;
    rooms.AddSystem("S");
    rooms.AddSystem("S");
    rooms.AddRoom("S", "R");
    EXPECT_EQ(rooms.m_systems[0]->m_rooms.size(), 1u);
    EXPECT_TRUE(rooms.m_systems[1]->m_rooms.empty());
    rooms.RemoveSystem("S");
    ASSERT_EQ(rooms.m_systems.size(), 1u);
    EXPECT_TRUE(rooms.m_systems[0]->m_rooms.empty());
}

TEST(AirRoom, IndexAccessOutOfRangeIsHarmless)
{
    CAir_Room rooms = projectWithOffice();
    EXPECT_EQ(rooms.GetRoomCondition(5, 0), 0);
    EXPECT_EQ(rooms.GetRoomCondition(-1, 0), 0);
    rooms.SetRoomCondition(5, 0, 2);
    EXPECT_EQ(rooms.GetRoomLists(5, 0).points, nullptr);
    EXPECT_EQ(rooms.GetRoomLists(0, 7).points, nullptr);

    rooms.SetRoomCondition(0, 1, kConditionWinter);
    EXPECT_EQ(rooms.GetRoomCondition(0, 1), kConditionWinter);
    CServiceArea& room = *rooms.m_systems[0]->m_rooms[1];
    const RoomLists lists = rooms.GetRoomLists(0, 1);
    EXPECT_EQ(lists.points, &room.m_points[2]);
    EXPECT_EQ(lists.processLines, &room.m_processLines[2]);
    EXPECT_EQ(lists.hhrLines, &room.m_hhrLines[2]);
    EXPECT_EQ(lists.texts, &room.m_texts[2]);
    EXPECT_EQ(lists.comfortAreas, &room.m_comfortAreas[2]);
    EXPECT_EQ(lists.paramPoints, &room.m_paramPoints);
}

TEST(AirRoom, CopyRoomContentsMakesEqualButSeparateObjects)
{
    CServiceArea source;
    source.m_nCondition = kConditionWinter;
    for (int i = 0; i <= 45; ++i)
        source.m_anaW[i].i = 100 + i;
    for (int c = 0; c < kConditionCount; ++c) {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = "O" + std::to_string(c);
        point->m_t = 15.0f + c;
        source.m_points[c].push_back(std::move(point));
        source.m_processLines[c].push_back(std::make_unique<CGuoChengXian>());
        source.m_hhrLines[c].push_back(std::make_unique<CReShiBiXian>());
        source.m_texts[c].push_back(std::make_unique<CCommentString>());
        source.m_comfortAreas[c].push_back(std::make_unique<CComfortArea>());
    }
    source.m_paramPoints.push_back(std::make_unique<CParamPoint>());

    CServiceArea target;
    CopyRoomContents(source, target);
    EXPECT_EQ(target.m_nCondition, kConditionWinter);
    for (int i = 0; i <= 40; ++i)
        EXPECT_EQ(target.m_anaW[i].i, 100 + i) << i;
    EXPECT_EQ(target.m_anaW[41].i, 0);
    for (int c = 0; c < kConditionCount; ++c) {
        ASSERT_EQ(target.m_points[c].size(), 1u);
        EXPECT_NE(target.m_points[c][0].get(), source.m_points[c][0].get());
        EXPECT_EQ(target.m_points[c][0]->m_strName, "O" + std::to_string(c));
        EXPECT_EQ(target.m_processLines[c].size(), 1u);
        EXPECT_EQ(target.m_hhrLines[c].size(), 1u);
        EXPECT_EQ(target.m_texts[c].size(), 1u);
        EXPECT_TRUE(target.m_comfortAreas[c].empty());
    }
    EXPECT_EQ(target.m_paramPoints.size(), 1u);

    target.m_points[1][0]->m_t = 99.0f;
    EXPECT_FLOAT_EQ(source.m_points[1][0]->m_t, 16.0f);
}

}  // namespace
