#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTest>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "project/Atmosphere.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "project/DocumentCommands.h"
#include "project/DocumentEdits.h"
#include "project/ProjectFile.h"
#include "project/Recovery.h"
#include "support/RecordingMessages.h"

// A long random session: the main window is driven with a seeded mix of what
// a user does, and after every step its project must be the bytes that the
// same operations give on a document alone, and the recovery copy must be
// those bytes too. QORVA_SOAK_SECONDS sets the length (default: a short run,
// so the two builds of the suite stay quick), QORVA_SOAK_SEED the seed.
namespace {

const QString kSample = QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id");

std::vector<std::uint8_t> bytesOf(const CQORVADoc& document)
{
    return ProjectFile::toBytes(document.model(), document.m_strReportPath, document.m_bReturnMode);
}

// The project data without its viewing settings (room and condition shown,
// view, labels, window), which are not undo steps.
std::vector<std::uint8_t> dataOf(const CQORVADoc& document)
{
    CIDG copy;
    EXPECT_TRUE(RestoreProjectBytes(ProjectBytes(document.model()), copy));
    ProjectViewState neutral;
    for (const auto& system : copy.m_rooms.m_systems)
        neutral.conditions.emplace_back(system->m_rooms.size(), kConditionSummer);
    neutral.ApplyTo(copy);
    return ProjectBytes(copy);
}

std::vector<std::uint8_t> fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

int soakSeconds()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("QORVA_SOAK_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : 30;
}

unsigned soakSeed()
{
    bool ok = false;
    const unsigned seed = qEnvironmentVariable("QORVA_SOAK_SEED").toUInt(&ok);
    return ok ? seed : static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
}

// Which side of the comparison a step runs on.
enum class Side { Window, Core };

class Soak : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath("办公楼.id");
        ASSERT_TRUE(QFile::copy(kSample, path));
        ASSERT_TRUE(frame.OpenProject(path));
        ASSERT_TRUE(reference.OnOpenDocument(path.toStdString()));
        frame.view()->setScreenWidth(1920);
        frame.resize(1200, 800);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.view()->grab();
    }

    // A left click at a logical point of the view.
    void click(QPoint logical)
    {
        CQORVAView* view = frame.view();
        const QPointF at = view->deviceFromLogical(logical);
        for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                     std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        }
    }

    RecordingMessages messages;
    QTemporaryDir dir;
    QTemporaryDir folder;
    QString path;
    CQORVADoc document;
    CMainFrame frame{document};
    DocumentRecovery recovery{document, folder.path()};
    CQORVADoc reference;
};

TEST_F(Soak, TheWindowKeepsToTheCoreAndItsRecoveryCopyForARandomSession)
{
    const unsigned seed = soakSeed();
    std::mt19937 random(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, std::max(1, n) - 1)(random); };
    auto real = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    auto trigger = [&](int id) {
        QAction* action = frame.action(id);
        ASSERT_TRUE(action->isEnabled()) << "command " << id;
        action->trigger();
    };
    auto activate = [](QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    };

    std::vector<std::uint8_t> opening = dataOf(reference);
    QElapsedTimer clock;
    clock.start();
    int step = 0;
    int changes = 0;
    for (; clock.elapsed() < soakSeconds() * 1000 && step < 1000000; ++step) {
        const CIDG& idg = reference.model();
        const StateRegion full = idg.FullChartStates();
        const int points = idg.m_pPoints ? static_cast<int>(idg.m_pPoints->size()) : 0;
        const int lines = idg.m_pProcessLines ? static_cast<int>(idg.m_pProcessLines->size()) : 0;
        const int hhrLines = idg.m_pHhrLines ? static_cast<int>(idg.m_pHhrLines->size()) : 0;
        const int texts = idg.m_pTexts ? static_cast<int>(idg.m_pTexts->size()) : 0;
        const std::string name = "S" + std::to_string(step);
        std::string what;
        std::function<void(CQORVADoc&, Side)> run;
        switch (pick(23)) {
        case 0: {
            const float t = real(-5, 40), rh = real(0.1f, 0.95f);
            what = "add point";
            run = [=](CQORVADoc& d, Side) {
                DocumentEdits(d).AddIndependentPoint(name, t, rh, SecondProperty::RelativeHumidity, full);
            };
            break;
        }
        case 1: {
            const int a = pick(points), b = pick(points);
            const float share = real(-10, 110);
            what = "add mixing point";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).AddMixingPoint(name, a, b, share, full); };
            break;
        }
        case 2: {
            const int method = pick(5);
            const int base = method == CIDG::kMethodProcessLine ? pick(lines)
                             : method == CIDG::kMethodHhrLine   ? pick(hhrLines)
                                                                : pick(points);
            const float rh = real(0.05f, 1.1f);
            what = "add point on a line";
            run = [=](CQORVADoc& d, Side) {
                DocumentEdits(d).AddLinePoint(method, base, CStatePoint::kRelativeHumidity, rh, name, full);
            };
            break;
        }
        case 3: {
            if (points == 0)
                continue;
            ProcessLineEnd start{pick(points), "", {}}, end{pick(points), "", {}};
            start.name = (*idg.m_pPoints)[start.index]->m_strName;
            end.name = (*idg.m_pPoints)[end.index]->m_strName;
            what = "add process line";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).AddProcessLine("L" + name, start, end); };
            break;
        }
        case 4: {
            const int a = pick(points), b = pick(points), byPoints = pick(2);
            const float ratio = real(-20000, 20000);
            what = "add ε line";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).AddHhrLine("E" + name, a, byPoints, b, ratio); };
            break;
        }
        case 5: {
            const int type = pick(3), a = pick(std::max(lines, hhrLines)),
                      b = pick(std::max(lines, hhrLines));
            what = "add intersection";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).AddIntersection(type, a, b, name, full); };
            break;
        }
        case 6: {
            const int index = pick(points);
            const float t = real(-5, 40), rh = real(0.1f, 0.95f);
            what = "edit point";
            run = [=](CQORVADoc& d, Side) {
                DocumentEdits(d).EditIndependentPoint(index, name, t, rh, SecondProperty::RelativeHumidity);
            };
            break;
        }
        case 7: {
            const int kind = pick(4), index = pick(std::max({points, lines, hhrLines, texts}));
            what = "delete";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).DeleteObject(kind, index); };
            break;
        }
        case 8: {
            const int base = pick(points);
            const float dt = real(0.5f, 2), drh = real(2, 10);
            what = "comfort zone";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).MakeComfortZone(base, dt, drh); };
            break;
        }
        case 9: {
            const int x = pick(1000), y = pick(600);
            what = "text";
            run = [=](CQORVADoc& d, Side) { DocumentEdits(d).AddText("文字" + name, x, y); };
            break;
        }
        case 10: {
            const int kind = pick(4);
            what = "analysis";
            run = [=](CQORVADoc& d, Side) {
                const AnalysisRequest requests[] = {PrimaryParams{}, SecondaryParams{}, FanCoilParams{},
                                                    FreshAirParams{}};
                std::string message;
                d.RunAnalysis(requests[kind], message);
            };
            break;
        }
        case 11: {
            const auto kind = static_cast<ResultKind>(1 + pick(8));
            const ResultPoints at{pick(points), pick(points), pick(points)};
            const float input = real(100, 20000);
            what = "calculation";
            run = [=](CQORVADoc& d, Side) { AddCalculationResult(d, kind, at, input); };
            break;
        }
        case 12: {
            AtmosphericData data = AtmosphericData::FromModel(idg);
            data.summerPressure = 95000.0f + static_cast<float>(pick(12)) * 1000.0f;
            what = "pressure";
            run = [=](CQORVADoc& d, Side) { d.SetAtmosphericData(data); };
            break;
        }
        case 13: {
            const float outdoor = 30.0f + static_cast<float>(pick(8));
            std::vector<float> loads;
            for (int i = 0; i < 64; ++i)
                loads.push_back(1.0f + static_cast<float>(pick(20)));
            what = "systems and rooms";
            run = [=](CQORVADoc& d, Side) {
                CAir_Room edited;
                edited.CopyOutdoor(d.model().m_rooms);
                edited.m_fSummerOutT = outdoor;
                std::size_t n = 0;
                for (const auto& system : d.model().m_rooms.m_systems) {
                    auto copy = std::make_unique<CAcSystem>();
                    copy->m_strName = system->m_strName;
                    for (const auto& room : system->m_rooms) {
                        copy->m_rooms.push_back(CloneRoom(*room));
                        copy->m_rooms.back()->m_fSummerLoad = loads[n++ % loads.size()];
                    }
                    edited.m_systems.push_back(std::move(copy));
                }
                d.ApplySystemRoomData(std::move(edited));
            };
            break;
        }
        case 14: {
            const int condition = pick(kConditionCount);
            what = "condition";
            run = [=, this](CQORVADoc& d, Side side) {
                const int ids[] = {cmd::ConditionNormal, cmd::ConditionSummer, cmd::ConditionWinter};
                if (side == Side::Window)
                    trigger(ids[condition]);
                else
                    d.SelectCondition(condition);
            };
            break;
        }
        case 15: {
            const int system = pick(static_cast<int>(idg.m_rooms.m_systems.size()));
            what = "system";
            run = [=, this](CQORVADoc& d, Side side) {
                if (side == Side::Window)
                    activate(frame.systemList(), system);
                else
                    d.SelectSystem(system);
            };
            break;
        }
        case 16: {
            const CAcSystem* system = idg.m_nCurSystem < static_cast<int>(idg.m_rooms.m_systems.size())
                                          ? idg.m_rooms.m_systems[idg.m_nCurSystem].get()
                                          : nullptr;
            if (!system || system->m_rooms.empty())
                continue;
            const int room = pick(static_cast<int>(system->m_rooms.size()));
            what = "room";
            run = [=, this](CQORVADoc& d, Side side) {
                if (side == Side::Window)
                    activate(frame.roomList(), room);
                else
                    d.SelectRoom(room);
            };
            break;
        }
        case 17: {
            const int which = pick(4);
            what = "view and labels";
            run = [=, this](CQORVADoc& d, Side side) {
                const int ids[] = {cmd::LabelPoints, cmd::LabelProcessLines, cmd::LabelHhrLines,
                                   cmd::ZoomAll};
                if (side == Side::Window) {
                    trigger(ids[which]);
                    return;
                }
                if (which == 0)
                    d.TogglePointLabels();
                else if (which == 1)
                    d.ToggleProcessLineLabels();
                else if (which == 2)
                    d.ToggleHhrLineLabels();
            };
            break;
        }
        case 18:
        case 19: {
            const bool undo = pick(2) == 0;
            const int count = 1 + pick(6);
            what = undo ? "undo run" : "redo run";
            run = [=, this](CQORVADoc& d, Side side) {
                QUndoStack& stack = d.undoStack();
                for (int i = 0; i < count && (undo ? stack.canUndo() : stack.canRedo()); ++i) {
                    if (side == Side::Core)
                        undo ? stack.undo() : stack.redo();
                    else
                        trigger(undo ? cmd::EditUndo : cmd::EditRedo);
                }
            };
            break;
        }
        case 20:
            what = "save";
            run = [this, trigger](CQORVADoc& d, Side side) {
                if (side == Side::Window)
                    trigger(cmd::FileSave);
                else
                    d.OnSaveDocument(dir.filePath("reference.id").toStdString());
            };
            break;
        case 21: {
            if (points == 0)
                continue;
            const int index = pick(points);
            // What the click picked, for the core to delete the same.
            auto picked = std::make_shared<std::array<int, 3>>();
            what = "pick and delete";
            run = [=, this](CQORVADoc& d, Side side) {
                if (side == Side::Core) {
                    const auto [zone, kind, object] = *picked;
                    if (zone >= 0)
                        DocumentEdits(d).DeleteComfortArea(zone);
                    else if (kind >= 0 && object >= 0)
                        DocumentEdits(d).DeleteObject(kind, object);
                    return;
                }
                CQORVAView* view = frame.view();
                if (view->viewMode() != CQORVAView::kModePick)
                    trigger(cmd::Pick);
                const CanvasPoint at = view->chart().PointPosition(*(*d.model().m_pPoints)[index]);
                click(QPoint(at.x, at.y));
                const ChartRenderer& chart = view->chart();
                *picked = {chart.m_nSelectedComfortArea, chart.m_nPickClass, chart.m_nPickIndex};
                frame.updateCommandStates();
                if (frame.action(cmd::Delete)->isEnabled())
                    trigger(cmd::Delete);
                else
                    *picked = {-1, -1, -1};
            };
            break;
        }
        default:
            what = "reopen";
            run = [this](CQORVADoc& d, Side side) {
                if (side == Side::Window)
                    frame.OpenProject(path);
                else
                    d.OnOpenDocument(path.toStdString());
            };
            break;
        }
        const std::vector<std::uint8_t> before = bytesOf(reference);
        run(document, Side::Window);
        run(reference, Side::Core);
        if (what == "reopen")
            opening = dataOf(reference);
        const std::string where =
            "seed " + std::to_string(seed) + ", step " + std::to_string(step) + " (" + what + ")";
        ASSERT_EQ(bytesOf(document), bytesOf(reference)) << where;
        changes += bytesOf(reference) != before;
        ASSERT_EQ(document.IsModified(), reference.IsModified()) << where;
        recovery.Flush();
        if (document.IsModified())
            ASSERT_EQ(fileBytes(recovery.currentFile()), bytesOf(document)) << where;
        else
            ASSERT_TRUE(recovery.currentFile().isEmpty()) << where;
    }
    std::printf("soak: seed %u, %d steps (%d changed the project) in %lld ms\n", seed, step, changes,
                static_cast<long long>(clock.elapsed()));
    ASSERT_GT(step, 50);
    EXPECT_GT(changes, step / 4); // most steps do something
    while (document.undoStack().canUndo())
        trigger(cmd::EditUndo);
    EXPECT_EQ(dataOf(document), opening) << "seed " << seed << ": undoing everything";
}

} // namespace
