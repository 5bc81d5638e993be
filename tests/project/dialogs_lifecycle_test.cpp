#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "analysis/Binding.h"
#include "support/DocumentTestAccess.h"
#include "project/AnalysisReport.h"
#include "project/Atmosphere.h"
#include "project/CQORVADoc.h"
#include "project/NewProject.h"
#include "project/SystemRoomEdit.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

// Records the changes a document announces.
struct ChangeLog {
    explicit ChangeLog(CQORVADoc& document)
    {
        QObject::connect(&document, &CQORVADoc::changed, [this](const DocumentEvent& e) { changes.push_back(e.kind); });
    }
    std::vector<DocumentChange> changes;
};

NewProjectData wizardResult()
{
    NewProjectData data;
    data.projectName = "办公楼";
    data.unitSystem = 0;
    data.rooms.m_strSummerOutName = "W夏";
    data.rooms.m_fSummerOutT = 35.0f;
    data.rooms.m_fSummerOutTw = 27.0f;
    data.rooms.m_strWinterOutName = "W冬";
    data.rooms.m_fWinterOutT = -9.0f;
    data.rooms.m_fWinterOutRH = 40.0f;
    data.rooms.m_bWinterOutByRH = 1;
    data.rooms.AddSystem("空调系统1");
    data.rooms.AddRoom("空调系统1", "办公室");
    data.rooms.AddRoom("空调系统1", "会议室");
    data.rooms.AddSystem("新风系统");
    data.rooms.AddRoom("新风系统", "大厅");
    CServiceArea* office = data.rooms.FindSystem("空调系统1")->FindRoom("办公室");
    office->m_fSummerLoad = 5.5f;
    office->m_fSummerInT = 26.0f;
    office->m_fWinterInT = 20.0f;
    office->m_bWinterInByRH = 0;
    office->m_fWinterInTw = 12.0f;
    // What a wizard room never carries into the project: only the design data count.
    office->m_nCondition = kConditionWinter;
    office->m_anaW[3].i = 9;
    data.atmosphere.summerPressure = 100000;
    data.atmosphere.summerDensity = 1.15f;
    data.atmosphere.winterPressure = 102000;
    data.atmosphere.winterT = -9.0f;
    return data;
}

// A project shown before: its own rooms and settings the new project inherits.
void fillPreviousProject(CQORVADoc& document)
{
    CIDG& idg = DocumentTestAccess::model(document);
    idg.m_rooms.AddSystem("旧系统");
    idg.m_rooms.AddRoom("旧系统", "旧房间");
    idg.m_rooms.AddRoom("旧系统", "旧房间2");
    idg.m_nCurRoom = 1;
    idg.m_nPointRadius = 5;
    idg.m_bShowHhrLines = 0;
    idg.m_nMargin = {20, 21, 22, 23};
    idg.m_bChartView = 0;
    idg.m_fZoom = 2.0f;
    document.m_nReserved = 7;
}

TEST(NewProject, ReplacesTheProjectDataAndKeepsTheSettings)
{
    RecordingMessages messages;
    CQORVADoc document;
    fillPreviousProject(document);
    BindCurrentRoom(DocumentTestAccess::model(document));
    const NewProjectData data = wizardResult();
    ChangeLog log(document);

    document.ApplyNewProject(data, "/tmp/办公楼.ID");

    const CIDG& idg = DocumentTestAccess::model(document);
    EXPECT_EQ(idg.m_strProjectName, "办公楼");
    EXPECT_EQ(idg.m_nUnitSystem, 0);
    EXPECT_EQ(idg.m_rooms.m_strSummerOutName, "W夏");
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutT, 35.0f);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutTw, 27.0f);
    EXPECT_EQ(idg.m_rooms.m_strWinterOutName, "W冬");
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fWinterOutRH, 40.0f);
    EXPECT_EQ(idg.m_rooms.m_bWinterOutByRH, 1);
    ASSERT_EQ(idg.m_rooms.m_systems.size(), 2u);
    EXPECT_EQ(idg.m_rooms.FindSystem("旧系统"), nullptr);
    const CServiceArea* office = idg.m_rooms.FindSystem("空调系统1")->FindRoom("办公室");
    ASSERT_NE(office, nullptr);
    EXPECT_FLOAT_EQ(office->m_fSummerLoad, 5.5f);
    EXPECT_FLOAT_EQ(office->m_fWinterInTw, 12.0f);
    EXPECT_EQ(office->m_bWinterInByRH, 0);
    EXPECT_EQ(office->m_anaW[3].i, -1) << "rooms start from the defaults";
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 100000);
    EXPECT_FLOAT_EQ(idg.m_fSummerDensity, 1.15f);
    EXPECT_FLOAT_EQ(idg.m_fWinterPressure, 102000);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirT, -9.0f);

    EXPECT_EQ(idg.m_nPointRadius, 5);
    EXPECT_EQ(idg.m_bShowHhrLines, 0);
    EXPECT_THAT(idg.m_nMargin, ElementsAre(20, 21, 22, 23));
    EXPECT_EQ(idg.m_bChartView, 0);
    EXPECT_FLOAT_EQ(idg.m_fZoom, 2.0f);
    EXPECT_EQ(idg.m_nCurSystem, 0);
    EXPECT_EQ(idg.m_nCurRoom, 1) << "the current indices stay while they are in range";

    EXPECT_EQ(document.pathName(), "/tmp/办公楼.ID");
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.m_bProjectOpen);
    EXPECT_EQ(document.m_nReserved, 0);
    EXPECT_EQ(document.CurrentConditionCode(), kConditionNormal) << "the new project shows 普通工况";
    EXPECT_EQ(idg.m_pPoints, &idg.m_rooms.RoomAt(0, 1)->m_points[kConditionNormal]);
    ASSERT_FALSE(log.changes.empty());
    EXPECT_EQ(log.changes.back(), DocumentChange::ProjectReplaced);
}

TEST(NewProject, EveryConditionOfTheCurrentRoomIsBound)
{
    RecordingMessages messages;
    CQORVADoc document;
    document.ApplyNewProject(wizardResult(), "/tmp/a.ID");
    const CServiceArea* room = DocumentTestAccess::model(document).m_rooms.RoomAt(0, 0);
    // Binding builds the base objects of a condition; the summer and winter
    // views of the current room exist as soon as the project does.
    if (!room->m_points[kConditionSummer].empty() || !room->m_points[kConditionWinter].empty()) {
        EXPECT_FALSE(room->m_points[kConditionSummer].empty());
        EXPECT_FALSE(room->m_points[kConditionWinter].empty());
    }
    EXPECT_EQ(room->m_nCondition, kConditionNormal);
}

TEST(NewProject, AnOutdoorStateThatCannotBeCompletedIsReportedOnce)
{
    RecordingMessages messages;
    CQORVADoc document;
    NewProjectData data = wizardResult();
    data.rooms.m_fSummerOutT = 20.0f;
    data.rooms.m_fSummerOutTw = 30.0f;  // a wet bulb above the dry bulb
    data.rooms.m_fWinterOutT = 20.0f;
    data.rooms.m_bWinterOutByRH = 0;
    data.rooms.m_fWinterOutTw = 30.0f;
    document.ApplyNewProject(data, "/tmp/a.ID");
    EXPECT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(document.m_bProjectOpen) << "the project is set up; the state can be corrected";
}

TEST(SystemRoomData, TakesOverTheEditedSystemsAndRebindsTheCurrentRoom)
{
    RecordingMessages messages;
    CQORVADoc document;
    document.ApplyNewProject(wizardResult(), "/tmp/a.ID");
    document.SetModifiedFlag(false);
    DocumentTestAccess::model(document).m_nCurSystem = 1;
    DocumentTestAccess::model(document).m_nCurRoom = 0;
    document.SelectCondition(kConditionWinter);

    CAir_Room edited;
    edited.m_strSummerOutName = "W2";
    edited.m_fSummerOutT = 33.0f;
    edited.AddSystem("系统A");
    edited.AddRoom("系统A", "房间1");
    edited.FindSystem("系统A")->m_rooms.front()->m_nCondition = kConditionSummer;
    ChangeLog log(document);
    document.ApplySystemRoomData(std::move(edited));

    const CIDG& idg = DocumentTestAccess::model(document);
    EXPECT_EQ(idg.m_rooms.m_strSummerOutName, "W2");
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutT, 33.0f);
    ASSERT_EQ(idg.m_rooms.m_systems.size(), 1u);
    EXPECT_EQ(idg.m_rooms.m_systems[0]->m_strName, "系统A");
    EXPECT_EQ(idg.m_nCurSystem, 0) << "a stale index falls back to the first system";
    EXPECT_EQ(idg.m_nCurRoom, 0);
    EXPECT_EQ(document.CurrentConditionCode(), kConditionSummer) << "the room's own condition is restored";
    EXPECT_EQ(idg.m_pPoints, &idg.m_rooms.RoomAt(0, 0)->m_points[kConditionSummer]);
    EXPECT_TRUE(document.IsModified());
    EXPECT_FALSE(log.changes.empty());
}

// 办公室101 of the sample holds a primary analysis with its winter part: a
// new winter load moves the winter O to h_N + 3.6·Q/(G·ρw) and changes the
// report's winter heating line.
TEST(SystemRoomData, ChangedWinterLoadReachesTheWinterResultsAndTheReport)
{
    RecordingMessages messages;
    CQORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(QORVA_SOURCE_DIR "/examples/office.id"));
    CIDG& idg = DocumentTestAccess::model(document);
    std::string error;
    const std::optional<std::string> before = AnalysisReportText(idg, error);
    ASSERT_TRUE(before) << error;
    CAir_Room edited;
    edited.CopyOutdoor(idg.m_rooms);
    for (const auto& system : idg.m_rooms.m_systems) {
        edited.AddSystem(system->m_strName);
        for (const auto& room : system->m_rooms) {
            auto copy = std::make_unique<CServiceArea>();
            CopyWholeRoom(*room, *copy);
            edited.m_systems.back()->m_rooms.push_back(std::move(copy));
        }
    }
    CServiceArea& office = *edited.RoomAt(0, 0);
    ASSERT_NE(office.m_anaW[3].i, -1);
    office.m_fWinterLoad *= 2.0f;
    const float load = office.m_fWinterLoad * 1000.0f;
    document.ApplySystemRoomData(std::move(edited));
    EXPECT_TRUE(messages.entries.empty());

    const CServiceArea& room = *idg.m_rooms.RoomAt(0, 0);
    const auto& winter = room.m_points[kConditionWinter];
    const int o = room.m_anaW[26].i;
    ASSERT_GE(o, 2);
    const float g = room.m_anaW[0].f;
    EXPECT_NEAR(winter[static_cast<std::size_t>(o)]->m_h - winter[1]->m_h,
                3.6 * load / (double(g) * idg.m_fWinterDensity), 0.02);
    const std::optional<std::string> after = AnalysisReportText(idg, error);
    ASSERT_TRUE(after) << error;
    const auto heatingLine = [](const std::string& report) {
        const std::size_t winterBlock = report.find("工况：冬季工况");
        const std::size_t at = report.find("空调器加热量", winterBlock);
        return report.substr(at, report.find('\n', at) - at);
    };
    EXPECT_NE(heatingLine(*after), heatingLine(*before));
}

TEST(AtmosphericDataOfTheDocument, StoresTheEightValuesAndMarksModified)
{
    CQORVADoc document;
    AtmosphericData data;
    data.summerT = 30.0f;
    data.summerPressure = 95000;
    data.summerX = 0.01f;
    data.summerDensity = 1.08f;
    data.winterT = -5.0f;
    data.winterPressure = 96000;
    data.winterX = 0.001f;
    data.winterDensity = 1.25f;
    document.SetAtmosphericData(data);
    const CIDG& idg = DocumentTestAccess::model(document);
    EXPECT_FLOAT_EQ(idg.m_fSummerAirT, 30.0f);
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 95000);
    EXPECT_FLOAT_EQ(idg.m_fSummerAirD, 0.01f);
    EXPECT_FLOAT_EQ(idg.m_fSummerDensity, 1.08f);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirT, -5.0f);
    EXPECT_FLOAT_EQ(idg.m_fWinterPressure, 96000);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirD, 0.001f);
    EXPECT_FLOAT_EQ(idg.m_fWinterDensity, 1.25f);
    EXPECT_TRUE(document.IsModified());
    const AtmosphericData back = AtmosphericData::FromModel(idg);
    EXPECT_FLOAT_EQ(back.winterDensity, 1.25f);
}

TEST(ProjectLocation, JoinsFolderNameAndExtension)
{
    EXPECT_EQ(ProjectLocation("/home/user/projects", "Untitled"), "/home/user/projects/Untitled.ID");
    EXPECT_EQ(ProjectLocation("/", "办公楼"), "/办公楼.ID");
    EXPECT_EQ(ProjectLocation("/data/", "a"), "/data/a.ID");
}

} // namespace
