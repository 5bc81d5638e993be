#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/DocumentTestAccess.h"
#include "project/CQORVADoc.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

TEST(Document, StartsEmptyWithoutAProject)
{
    const CQORVADoc document;
    EXPECT_FALSE(document.m_bProjectOpen);
    EXPECT_EQ(document.m_bReturnMode, 0);
    EXPECT_TRUE(document.m_strReportPath.empty());
    EXPECT_EQ(document.m_nReserved, 0);
    EXPECT_EQ(document.m_nPageWidth, 210);
    EXPECT_EQ(document.m_nPageHeight, 297);
}

TEST(Document, NewDocumentResetsPageSizeAndKeepsTheChartSettings)
{
    CQORVADoc document;
    document.m_nPageWidth = 420;
    document.m_nPageHeight = 100;
    DocumentTestAccess::model(document).m_nPointRadius = 5;
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.m_nPageWidth, 210);
    EXPECT_EQ(document.m_nPageHeight, 297);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(DocumentTestAccess::model(document).m_nPointRadius, 5);
}

TEST(Document, ToolbarListsFallBackToTheFirstSystemAndRoom)
{
    CQORVADoc document;
    auto& rooms = DocumentTestAccess::model(document).m_rooms;
    rooms.AddSystem("S1");
    rooms.AddRoom("S1", "R1");
    rooms.AddRoom("S1", "R2");
    rooms.AddSystem("S2");
    rooms.AddRoom("S2", "Q1");
    DocumentTestAccess::model(document).m_nCurSystem = 7;
    DocumentTestAccess::model(document).m_nCurRoom = 3;
    const ToolbarContents contents = document.FillToolbarCombos();
    EXPECT_THAT(contents.systems, ElementsAre("S1", "S2"));
    EXPECT_THAT(contents.rooms, ElementsAre("R1", "R2"));
    EXPECT_EQ(contents.currentSystem, 0);
    EXPECT_EQ(contents.currentRoom, 0);
    EXPECT_EQ(DocumentTestAccess::model(document).m_nCurSystem, 0);
    EXPECT_EQ(DocumentTestAccess::model(document).m_nCurRoom, 0);

    DocumentTestAccess::model(document).m_nCurSystem = 1;
    DocumentTestAccess::model(document).m_nCurRoom = 1;
    DocumentTestAccess::model(document).m_bChartView = 0;
    const ToolbarContents second = document.FillToolbarCombos();
    EXPECT_THAT(second.rooms, ElementsAre("Q1"));
    EXPECT_EQ(second.currentRoom, 0);
    EXPECT_EQ(second.view, 1);
}

TEST(Document, ToolbarListsOfAProjectWithoutSystems)
{
    CQORVADoc document;
    const ToolbarContents contents = document.FillToolbarCombos();
    EXPECT_TRUE(contents.systems.empty());
    EXPECT_TRUE(contents.rooms.empty());
    EXPECT_EQ(contents.currentSystem, -1);
    EXPECT_EQ(contents.currentRoom, -1);
}

TEST(Document, LabelTogglesDoNotMarkTheProjectModified)
{
    CQORVADoc document;
    int changes = 0;
    QObject::connect(&document, &CQORVADoc::changed, [&](const DocumentEvent&) { ++changes; });
    document.TogglePointLabels();
    document.ToggleProcessLineLabels();
    document.ToggleHhrLineLabels();
    EXPECT_EQ(DocumentTestAccess::model(document).m_bShowPointLabels, 0);
    EXPECT_EQ(DocumentTestAccess::model(document).m_bShowProcessLineLabels, 1);
    EXPECT_EQ(DocumentTestAccess::model(document).m_bShowHhrLineLabels, 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(changes, 3);
}

TEST(Document, ConditionSwitchKeepsEachConditionsObjects)
{
    CQORVADoc document;
    DocumentTestAccess::model(document).m_rooms.AddSystem("S");
    DocumentTestAccess::model(document).m_rooms.AddRoom("S", "R");
    document.SelectCondition(kConditionSummer);
    ASSERT_NE(DocumentTestAccess::model(document).m_pTexts, nullptr);
    DocumentTestAccess::model(document).m_pTexts->push_back(std::make_unique<CCommentString>());
    document.SelectCondition(kConditionNormal);
    EXPECT_TRUE(DocumentTestAccess::model(document).m_pTexts->empty());
    document.SelectCondition(kConditionSummer);
    EXPECT_EQ(DocumentTestAccess::model(document).m_pTexts->size(), 1u);
    EXPECT_EQ(document.CurrentConditionCode(), kConditionSummer);
}

TEST(Document, ReportPathSetsReturnMode)
{
    CQORVADoc document;
    document.SetReportPath("/tmp/报告.txt");
    EXPECT_EQ(document.m_bReturnMode, 1);
    EXPECT_EQ(document.m_strReportPath, "/tmp/报告.txt");
}

TEST(Document, OpeningAMissingFileShowsItsMessageAndKeepsTheProject)
{
    RecordingMessages messages;
    CQORVADoc document;
    DocumentTestAccess::model(document).m_rooms.AddSystem("S");
    document.m_bProjectOpen = true;
    EXPECT_FALSE(document.OnOpenDocument("/nonexistent/x.id"));
    EXPECT_THAT(messages.texts(), ElementsAre("对不起，该工程不存在，请确认工程文件是否存在于该目录"));
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems.size(), 1u);
}

}  // namespace
