#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "analysis/Binding.h"
#include "render/ChartImage.h"
#include "render/ChartRenderer.h"
#include "render/RecordingCanvas.h"
#include "project/Atmosphere.h"
#include "project/DocumentCommands.h"
#include "project/DocumentEdits.h"
#include "project/ProjectFile.h"
#include "support/SuiteGuiApplication.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"
#include "tests/project/ProjectSamples.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

std::vector<std::uint8_t> savedBytes(CQORVADoc& document)
{
    return ProjectFile::toBytes(document.model(), document.m_strReportPath, document.m_bReturnMode);
}

// The project data of a document: its saved bytes with every viewing
// setting (selection, view, labels, window, the condition each room shows)
// put to fixed values, so two projects compare by what they hold.
std::vector<std::uint8_t> projectData(CQORVADoc& document)
{
    std::vector<std::uint8_t> bytes = ProjectBytes(document.model());
    CIDG copy;
    EXPECT_TRUE(RestoreProjectBytes(bytes, copy));
    ProjectViewState neutral = ProjectViewState::Of(copy);
    neutral = ProjectViewState();
    for (const auto& system : copy.m_rooms.m_systems)
        neutral.conditions.emplace_back(system->m_rooms.size(), kConditionSummer);
    neutral.ApplyTo(copy);
    return ProjectBytes(copy);
}

class DocumentUndo : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    void SetUp() override { ASSERT_TRUE(document.OnOpenDocument(kSample)); }

    RecordingMessages messages;
    CQORVADoc document;
};

// Every device a project is drawn on: the view's image in chart and page
// view, the printer, a recording canvas, zoomed and clipped windows.
TEST_F(DocumentUndo, DrawingAnyRoomOnAnyDeviceLeavesTheSavedBytesAsTheyWere)
{
    // A generated project holding objects of every kind in every condition,
    // opened as a file so its references are repaired and its views derived.
    QTemporaryDir dir;
    CIDG filled;
    samples::fillProject(filled, 2, 2, 3);
    filled.m_fSummerPressure = 101325;
    const std::string generatedPath = dir.filePath("generated.id").toStdString();
    ASSERT_TRUE(ProjectFile().write(generatedPath, filled, "", 0));
    CQORVADoc generated;
    ASSERT_TRUE(generated.OnOpenDocument(generatedPath));
    std::vector<CQORVADoc*> documents{&document, &generated};
    for (CQORVADoc* doc : documents) {
        const CIDG& idg = doc->model();
        for (std::size_t s = 0; s < idg.m_rooms.m_systems.size(); ++s) {
            doc->SelectSystem(static_cast<int>(s));
            for (std::size_t r = 0; r < idg.m_rooms.m_systems[s]->m_rooms.size(); ++r) {
                doc->SelectRoom(static_cast<int>(r));
                for (int condition = 0; condition < kConditionCount; ++condition) {
                    doc->SelectCondition(condition);
                    const std::vector<std::uint8_t> before = savedBytes(*doc);
                    for (bool page : {false, true}) {
                        doc->SetChartView(!page);
                        ASSERT_EQ(savedBytes(*doc).size(), before.size());
                        const std::vector<std::uint8_t> viewed = savedBytes(*doc);
                        chart::renderImage(idg, ChartDevice{}, page);
                        RecordingCanvas recording;
                        ChartDevice printer;
                        printer.printing = true;
                        ChartRenderer(idg).DrawChart(recording, printer);
                        ChartRenderer picker(idg);
                        picker.LayoutChart(ChartDevice{1280});
                        picker.PickObject(600, 400);
                        EXPECT_EQ(savedBytes(*doc), viewed)
                            << "system " << s << " room " << r << " condition " << condition;
                    }
                }
            }
        }
        // A clipped window, drawn at another width.
        ChartRenderer screen(idg);
        screen.LayoutChart(ChartDevice{});
        if (const auto window = screen.ClipWindow(400, 300, 1100, 900))
            doc->ClipChart(*window, 400, 300);
        const std::vector<std::uint8_t> clipped = savedBytes(*doc);
        chart::renderImage(idg, ChartDevice{1366}, true);
        std::string error;
        ASSERT_TRUE(chart::writeChartFile(idg, ChartDevice{2560}, false,
                                          dir.filePath("chart.png").toStdString(), error));
        EXPECT_EQ(savedBytes(*doc), clipped);
    }
}

// Random sequences of project-data changes interleaved with viewing changes:
// undoing all gives the opened project back bit for bit, redoing all the
// last one, and the saved point clears the modified flag again.
TEST_F(DocumentUndo, UndoingEverythingGivesTheProjectBackBitForBit)
{
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const std::vector<std::uint8_t> original = projectData(document);
    ASSERT_FALSE(document.IsModified());
    int steps = 0;
    int savedAt = -1;
    std::vector<std::uint8_t> atSave;
    for (int i = 0; i < 2000 && steps < 220; ++i) {
        const CIDG& idg = document.model();
        // A change that leaves the data as they were records no step.
        const int stepsBefore = document.undoStack().count();
        switch (pick(8)) {
        case 0: {
            AtmosphericData data = AtmosphericData::FromModel(idg);
            data.summerPressure = 95000.0f + pick(12) * 1000.0f;
            data.winterDensity = 1.1f + pick(10) * 0.02f;
            document.SetAtmosphericData(data);
            break;
        }
        case 1:
            document.SetBasicParameters("工程" + std::to_string(pick(100)), pick(2));
            break;
        case 2: {
            CAir_Room edited;
            edited.CopyOutdoor(idg.m_rooms);
            edited.m_fSummerOutT = 30.0f + pick(8);
            for (const auto& system : idg.m_rooms.m_systems) {
                auto copy = std::make_unique<CAcSystem>();
                copy->m_strName = system->m_strName;
                for (const auto& room : system->m_rooms) {
                    copy->m_rooms.push_back(CloneRoom(*room));
                    copy->m_rooms.back()->m_fSummerLoad = 1.0f + pick(20);
                }
                edited.m_systems.push_back(std::move(copy));
            }
            document.ApplySystemRoomData(std::move(edited));
            break;
        }
        case 3:
            document.SelectCondition(pick(kConditionCount));
            break;
        case 4:
            document.TogglePointLabels();
            break;
        case 5: {
            ChartRenderer screen(idg);
            screen.LayoutChart(ChartDevice{});
            if (const auto window = screen.ClipWindow(200 + pick(400), 200, 1200, 900))
                document.ClipChart(*window, 0, 0);
            break;
        }
        case 6:
            document.RestoreFullChart();
            break;
        default:
            if (savedAt < 0 && steps > 100) {
                QTemporaryDir dir;
                ASSERT_TRUE(document.OnSaveDocument(dir.filePath("saved.id").toStdString()));
                savedAt = document.undoStack().index();
                atSave = projectData(document);
            }
            break;
        }
        steps += document.undoStack().count() - stepsBefore;
    }
    ASSERT_GE(steps, 200);
    ASSERT_GE(savedAt, 0);
    const std::vector<std::uint8_t> last = projectData(document);
    QUndoStack& stack = document.undoStack();
    EXPECT_EQ(stack.count(), steps);
    EXPECT_TRUE(document.IsModified());

    while (stack.canUndo()) {
        stack.undo();
        if (stack.index() == savedAt) {
            EXPECT_FALSE(document.IsModified());
            EXPECT_EQ(projectData(document), atSave);
        }
    }
    EXPECT_EQ(projectData(document), original);
    EXPECT_TRUE(document.IsModified()); // the saved point lies ahead
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(projectData(document), last);
    stack.setIndex(savedAt);
    EXPECT_FALSE(document.IsModified());
    // The sample's analysed rooms are analysed again after each system–room
    // change; a random load too small for the room's fresh air stops that
    // analysis (the mixing point refusing a fresh-air share above 1 first)
    // with its message. Nothing else speaks.
    for (const auto& entry : messages.entries)
        EXPECT_THAT(entry.text, ::testing::AnyOf(::testing::StartsWith("无法进行在设定参数下进行工况分析\n"),
                                                 ::testing::Eq("混风比必须为0到100之间的数(%)!")));
}

// Random sequences of every chart edit the builder and edit dialogs make:
// each that succeeds is one step, each refusal leaves the project as it was,
// and undoing all gives the opened project back bit for bit.
TEST_F(DocumentUndo, EveryChartEditIsOneStepAndUndoesBitForBit)
{
    std::mt19937 random(20261209);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, std::max(1, n) - 1)(random); };
    auto real = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    messages.answer = true;
    DocumentEdits edits(document);
    const std::vector<std::uint8_t> original = projectData(document);
    int steps = 0;
    int refusals = 0;
    for (int i = 0; i < 600 && steps < 160; ++i) {
        const CIDG& idg = document.model();
        const StateRegion full = idg.FullChartStates();
        const int points = static_cast<int>(idg.m_pPoints->size());
        const int lines = static_cast<int>(idg.m_pProcessLines->size());
        const int hhrLines = static_cast<int>(idg.m_pHhrLines->size());
        const int texts = static_cast<int>(idg.m_pTexts->size());
        const std::string name = "P" + std::to_string(i);
        const std::vector<std::uint8_t> before = projectData(document);
        bool made = false;
        switch (pick(16)) {
        case 0:
            made = edits.AddIndependentPoint(name, real(5, 35), real(0.2f, 0.8f),
                                             SecondProperty::RelativeHumidity, full);
            break;
        case 1:
            made = edits.AddMixingPoint(name, pick(points), pick(points), real(0, 100), full);
            break;
        case 2: {
            const int method = pick(5);
            const int base = method == CIDG::kMethodProcessLine ? pick(lines)
                             : method == CIDG::kMethodHhrLine   ? pick(hhrLines)
                                                                : pick(points);
            made = edits.AddLinePoint(method, base, CStatePoint::kRelativeHumidity, real(0.3f, 0.9f), name,
                                      full);
            break;
        }
        case 3: {
            ProcessLineEnd start{pick(points), "", {}};
            ProcessLineEnd end{pick(points), "", {}};
            start.name = (*idg.m_pPoints)[start.index]->m_strName;
            end.name = (*idg.m_pPoints)[end.index]->m_strName;
            made = edits.AddProcessLine("L" + std::to_string(i), start, end);
            break;
        }
        case 4:
            made = edits.AddHhrLine("E" + std::to_string(i), pick(points), pick(2) == 0, pick(points),
                                    real(-20000, 20000));
            break;
        case 5:
            made = edits.AddIntersection(pick(3), pick(std::max(lines, hhrLines)),
                                         pick(std::max(lines, hhrLines)), name, full);
            break;
        case 6:
            made = edits.AddRelatedPoints(pick(hhrLines), 0, real(2, 8), 1, real(0.8f, 0.95f), name + "a",
                                          name + "b", full);
            break;
        case 7:
            made = edits.EditIndependentPoint(pick(points), name, real(5, 35), real(0.2f, 0.8f),
                                              SecondProperty::RelativeHumidity);
            break;
        case 8:
            made = edits.EditMixingPoint(pick(points), name, real(0, 100), pick(4) == 0);
            break;
        case 9:
            made = edits.EditHhrLine(pick(hhrLines), "E" + std::to_string(i), real(-20000, 20000));
            break;
        case 10:
            made = edits.EditLinePoint(pick(points), name, CStatePoint::kRelativeHumidity, real(0.3f, 0.9f),
                                       pick(4) == 0);
            break;
        case 11:
            made = edits.EditIntersection(pick(points), name, pick(2) == 0);
            break;
        case 12:
            made = edits.DeleteObject(pick(4), pick(std::max({points, lines, hhrLines, texts})));
            break;
        case 13:
            made = edits.MakeComfortZone(pick(points), real(0.5f, 2), real(2, 10));
            break;
        case 14:
            made = edits.AddText("文字" + std::to_string(i), pick(1000), pick(600));
            break;
        default:
            made = edits.EditText(pick(texts), "改" + std::to_string(i));
            break;
        }
        if (made) {
            // A change to what was already there is made but no step.
            steps += projectData(document) != before;
        } else {
            ++refusals;
            ASSERT_EQ(projectData(document), before) << "refused operation " << i;
        }
    }
    ASSERT_GE(steps, 100);
    ASSERT_GE(refusals, 20);
    const std::vector<std::uint8_t> last = projectData(document);
    QUndoStack& stack = document.undoStack();
    EXPECT_EQ(stack.count(), steps);
    while (stack.canUndo())
        stack.undo();
    EXPECT_EQ(projectData(document), original);
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(projectData(document), last);
}

TEST_F(DocumentUndo, ARefusedChangeLeavesTheProjectAndTheStackAsTheyWere)
{
    const std::vector<std::uint8_t> before = savedBytes(document);
    EXPECT_FALSE(document.ChangeCurrentRoom(QStringLiteral("x"), [](CIDG& idg) {
        idg.CurrentRoom()->m_fSummerLoad = 99.0f;
        idg.m_pPoints->clear();
        return false;
    }));
    EXPECT_FALSE(document.ChangeProject(QStringLiteral("y"), [](CIDG& idg) {
        idg.m_strProjectName = "改";
        idg.m_rooms.ClearSystems();
        return false;
    }));
    EXPECT_EQ(savedBytes(document), before);
    EXPECT_EQ(document.undoStack().count(), 0);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentUndo, ARoomChangeIsUndoneAndRedoneInItsRoomWhateverIsShown)
{
    CServiceArea* room = DocumentTestAccess::model(document).CurrentRoom();
    ASSERT_NE(room, nullptr);
    const std::vector<std::uint8_t> before = projectData(document);
    ASSERT_TRUE(document.ChangeCurrentRoom(QStringLiteral("添加过程线 N-W"), [](CIDG& idg) {
        return idg.AddProcessLine("N-W", 1, 0) != nullptr;
    }));
    const std::vector<std::uint8_t> after = projectData(document);
    EXPECT_EQ(document.undoStack().undoText(), QStringLiteral("添加过程线 N-W"));
    document.SelectRoom(1);
    document.undoStack().undo();
    EXPECT_EQ(projectData(document), before);
    document.undoStack().redo();
    EXPECT_EQ(projectData(document), after);
}

// A stale or circular reference in a file: the project opens, the points
// concerned stand on their own with their stored states, and one message
// says how many were repaired.
TEST(DocumentRepair, BrokenReferencesOpenRepairedWithOneMessage)
{
    RecordingMessages messages;
    CQORVADoc sample;
    ASSERT_TRUE(sample.OnOpenDocument(kSample));
    CIDG& idg = DocumentTestAccess::model(sample);
    ObjectArray<CStatePoint>& points = *idg.m_pPoints;
    ASSERT_GE(points.size(), 2u);
    auto derived = [&](int kind) {
        auto point = std::make_unique<CStatePoint>(*points[1]);
        point->m_nKind = kind;
        point->m_strName = "P" + std::to_string(points.size());
        points.push_back(std::move(point));
        return static_cast<int>(points.size()) - 1;
    };
    // A point on a process line that ends at the point itself: a cycle.
    const int onLine = derived(CStatePoint::kOnProcessLine);
    const int line = static_cast<int>(idg.m_pProcessLines->size());
    idg.AddProcessLine("L", 0, onLine);
    points[static_cast<std::size_t>(onLine)]->m_nOnProcessLine = line;
    // A mixing point with a source beyond the list, and a sound one.
    const int stale = derived(CStatePoint::kMixing);
    points[static_cast<std::size_t>(stale)]->m_nMixSrc1 = 0;
    points[static_cast<std::size_t>(stale)]->m_nMixSrc2 = 40;
    const int sound = derived(CStatePoint::kEqualMoisture);
    points[static_cast<std::size_t>(sound)]->m_nBaseD = 1;
    const float storedT = points[static_cast<std::size_t>(stale)]->m_t;

    QTemporaryDir dir;
    const std::string path = dir.filePath("broken.id").toStdString();
    ASSERT_TRUE(ProjectFile().write(path, idg, "", 0));
    messages.clear();
    CQORVADoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre(doc_messages::RepairedObjects(2)));
    const CIDG& repaired = reopened.model();
    const CServiceArea* room = repaired.m_rooms.RoomAt(idg.m_nCurSystem, idg.m_nCurRoom);
    ASSERT_NE(room, nullptr);
    const auto& reread = room->m_points[static_cast<std::size_t>(idg.CurrentCondition())];
    EXPECT_EQ(reread[static_cast<std::size_t>(onLine)]->m_nKind, CStatePoint::kIndependent);
    EXPECT_EQ(reread[static_cast<std::size_t>(stale)]->m_nKind, CStatePoint::kIndependent);
    EXPECT_EQ(reread[static_cast<std::size_t>(stale)]->m_nMixSrc2, -1);
    EXPECT_FLOAT_EQ(reread[static_cast<std::size_t>(stale)]->m_t, storedT);
    EXPECT_EQ(reread[static_cast<std::size_t>(sound)]->m_nKind, CStatePoint::kEqualMoisture);
}

} // namespace
