#include "project/CQORVADoc.h"

#include <cstdio>
#include <map>
#include <filesystem>

#include "analysis/Binding.h"
#include "analysis/ResultTexts.h"
#include "render/ChartRenderer.h"
#include "chart/ChartAttributes.h"
#include "model/Messages.h"
#include "model/References.h"
#include "project/Atmosphere.h"
#include "project/AnalysisReport.h"
#include "project/DocumentCommands.h"
#include "project/NewProject.h"
#include "project/OldProjectImport.h"
#include "project/ParameterFile.h"
#include "project/ProjectFile.h"
#include "project/ProjectSerializer.h"
#include "project/SystemRoomEdit.h"
#include "project/TextExport.h"
#include "project/Workbook.h"
#include "climate/WeatherFile.h"
#include "project/NumberText.h"
#include "psychro/QorvaDll.h"

CQORVADoc::CQORVADoc(QObject* parent) : QObject(parent)
{
    connect(&m_undoStack, &QUndoStack::cleanChanged, this, [this] { OnCleanChanged(); });
}

CQORVADoc::~CQORVADoc()
{
    // The commands refer to the document: they go before it does, quietly,
    // since nobody listens to a document being destroyed.
    blockSignals(true);
    m_undoStack.blockSignals(true);
    m_undoStack.clear();
}

bool CQORVADoc::OnNewDocument()
{
    // The standard new-document step clears the path and the modified flag;
    // the chart model's data stay (a new project inherits the settings).
    m_strPathName.clear();
    m_undoStack.clear();
    m_bViewModified = false;
    ResetPageSize();
    NotifyChanged(DocumentChange::Modified);
    return true;
}

void CQORVADoc::ResetPageSize()
{
    m_nPageWidth = kDefaultPageWidth;
    m_nPageHeight = kDefaultPageHeight;
}

int CQORVADoc::ProbeProjectVersion(const std::string& path)
{
    return ProjectFile::ProbeProjectVersion(path);
}

bool CQORVADoc::OnOpenDocument(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        alertMessage(tr(doc_messages::kProjectMissing).toStdString());
        return false;
    }
    const int version = ProbeProjectVersion(path);
    if (version == 0) {
        alertMessage(tr(doc_messages::kOldProject).toStdString());
        return false;
    }
    // Read into a fresh model and take it over only when the whole file was
    // read, so a damaged file leaves the open project exactly as it was.
    ProjectFile file;
    auto contents = std::make_unique<ProjectContents>();
    if (!file.read(path, version, *contents)) {
        alertMessage(file.errorString(), MessageIcon::Stop);
        return false;
    }
    // References that a file may hold stale (earlier versions kept line
    // references of deleted lines) are repaired before anything walks them.
    const int repaired = RepairReferences(contents->idg);
    m_strReportPath = contents->reportPath;
    m_bReturnMode = contents->returnMode;
    m_nReserved = 0;
    ResetPageSize();
    m_bProjectOpen = true;
    m_strPathName = path;
    ReplaceProject(std::move(contents->idg));
    m_bViewModified = false;
    NotifyChanged(DocumentChange::ProjectReplaced);
    if (repaired > 0)
        alertMessage(doc_messages::RepairedObjects(repaired), MessageIcon::Exclamation);
    return true;
}

bool CQORVADoc::OpenRecoveredCopy(const std::string& recoveryFile, const std::string& projectPath)
{
    if (!OnOpenDocument(recoveryFile))
        return false;
    m_strPathName = projectPath;
    m_bViewModified = true;
    NotifyChanged(DocumentChange::Modified);
    return true;
}

bool CQORVADoc::OnSaveDocument(const std::string& path)
{
    ProjectFile file;
    if (!file.write(path, m_idg, m_strReportPath, m_bReturnMode)) {
        alertMessage(file.errorString(), MessageIcon::Stop);
        return false;
    }
    m_strPathName = path;
    m_undoStack.setClean();
    m_bViewModified = false;
    NotifyChanged(DocumentChange::Modified);
    return true;
}

void CQORVADoc::ClearSystems()
{
    m_idg.UnbindCurrentLists();
    m_idg.m_rooms.ClearSystems();
    m_undoStack.clear();
}

void CQORVADoc::SetReportPath(const std::string& path)
{
    m_bReturnMode = 1;
    m_strReportPath = path;
}

bool CQORVADoc::ImportParameterFile(const std::string& path)
{
    NewProjectData data;
    std::string error;
    if (!LoadParameterFile(path, data, error)) {
        alertMessage(error, MessageIcon::Stop);
        return false;
    }
    ApplyNewProject(data, std::string());
    return true;
}

bool CQORVADoc::ExportStatePoints(const std::string& path)
{
    if (!BindCurrentRoom(m_idg))
        return false;
    std::string error;
    if (!::ExportStatePoints(m_idg, path, error)) {
        alertMessage(error, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool CQORVADoc::ExportParamPoints(const std::string& path)
{
    std::string error;
    if (!::ExportParamPoints(m_idg, path, error)) {
        alertMessage(error, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool CQORVADoc::ExportWorkbook(const std::string& path) const
{
    std::optional<WorkbookWeather> weather;
    if (m_weatherYear)
        weather.emplace(WorkbookWeather{*m_weatherYear, m_weatherFilter});
    std::string error;
    if (!::ExportWorkbook(m_idg, weather ? &*weather : nullptr, path, error)) {
        alertMessage(error, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool CQORVADoc::WriteAnalysisReport()
{
    std::string error;
    const bool written = ::WriteAnalysisReport(m_idg, m_strReportPath, error);
    if (!written)
        alertMessage(error, MessageIcon::Stop);
    NotifyChanged(DocumentChange::Selection);
    return written;
}

bool CQORVADoc::ImportOldProject(const std::string& path)
{
    std::string error;
    const bool imported = ChangeProject(tr("导入旧工程"), [&](CIDG& idg) {
        return ::ImportOldProject(idg, path, m_strReportPath, m_bReturnMode, error) ==
               OldImportResult::Imported;
    });
    if (!imported)
        return false;
    alertMessage(
        QCoreApplication::translate("OldProjectImport", old_import_messages::kImported).toStdString());
    FillToolbarCombos();
    m_bProjectOpen = true;
    m_nReserved = 0;
    Refresh(DocumentChange::ProjectReplaced);
    return true;
}

void CQORVADoc::SetPathName(const std::string& path)
{
    m_strPathName = path;
    NotifyChanged(DocumentChange::Modified);
}

void CQORVADoc::SetModifiedFlag(bool modified)
{
    const bool was = IsModified();
    m_bViewModified = modified;
    if (!modified)
        m_undoStack.setClean();
    if (IsModified() != was)
        NotifyChanged(DocumentChange::Modified);
}

void CQORVADoc::OnCleanChanged()
{
    NotifyChanged(DocumentChange::Modified);
}

ToolbarContents CQORVADoc::FillToolbarCombos()
{
    ToolbarContents contents;
    const auto& systems = m_idg.m_rooms.m_systems;
    const int systemCount = static_cast<int>(systems.size());
    if (m_idg.m_nCurSystem >= systemCount || m_idg.m_nCurSystem < 0)
        m_idg.m_nCurSystem = 0;
    for (const auto& system : systems)
        contents.systems.push_back(system->m_strName);
    if (m_idg.m_nCurSystem < systemCount) {
        const auto& rooms = systems[m_idg.m_nCurSystem]->m_rooms;
        if (m_idg.m_nCurRoom >= static_cast<int>(rooms.size()) || m_idg.m_nCurRoom < 0)
            m_idg.m_nCurRoom = 0;
        for (const auto& room : rooms)
            contents.rooms.push_back(room->m_strName);
        contents.currentSystem = m_idg.m_nCurSystem;
    }
    if (m_idg.m_nCurRoom >= static_cast<int>(contents.rooms.size()))
        m_idg.m_nCurRoom = static_cast<int>(contents.rooms.size());
    contents.currentRoom = m_idg.m_nCurRoom < static_cast<int>(contents.rooms.size()) ? m_idg.m_nCurRoom : -1;
    contents.view = m_idg.m_bChartView ? 0 : 1;
    contents.condition = CurrentConditionCode();
    return contents;
}

int CQORVADoc::CurrentConditionCode() const
{
    const int c = m_idg.m_rooms.GetRoomCondition(m_idg.m_nCurSystem, m_idg.m_nCurRoom);
    return (c >= 0 && c < kConditionCount) ? c : kConditionSummer;
}

bool CQORVADoc::SelectSystem(int index)
{
    const auto& systems = m_idg.m_rooms.m_systems;
    if (index < 0 || index >= static_cast<int>(systems.size()))
        return false;
    m_idg.m_nCurSystem = index;
    m_idg.m_nCurRoom = 0;
    if (systems[static_cast<std::size_t>(index)]->m_rooms.empty()) {
        // The current system has changed, but nothing is rebound: the chart
        // stays on the previously bound room.
        NotifyChanged(DocumentChange::Selection);
        alertMessage(tr(doc_messages::kSystemWithoutRooms).toStdString());
        return false;
    }
    SetModifiedFlag(true);
    if (m_idg.PointAtCurrentRoom())
        BindCurrentRoom(m_idg);
    Refresh(DocumentChange::Selection);
    return true;
}

void CQORVADoc::SelectRoom(int index)
{
    if (!m_idg.m_rooms.RoomAt(m_idg.m_nCurSystem, index))
        return;
    m_idg.m_nCurRoom = index;
    SetModifiedFlag(true);
    if (m_idg.PointAtCurrentRoom())
        BindCurrentRoom(m_idg);
    Refresh(DocumentChange::Selection);
}

void CQORVADoc::SelectCondition(int condition)
{
    m_idg.m_rooms.SetRoomCondition(m_idg.m_nCurSystem, m_idg.m_nCurRoom, condition);
    if (m_idg.PointAtCurrentRoom())
        BindCurrentRoom(m_idg);
    Refresh(DocumentChange::Selection);
}

void CQORVADoc::SetChartView(bool chartView)
{
    m_idg.m_bChartView = chartView ? 1 : 0;
    SetModifiedFlag(true);
    NotifyChanged(DocumentChange::Selection);
}

void CQORVADoc::TogglePointLabels()
{
    m_idg.m_bShowPointLabels = !m_idg.m_bShowPointLabels;
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::ToggleProcessLineLabels()
{
    m_idg.m_bShowProcessLineLabels = !m_idg.m_bShowProcessLineLabels;
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::ToggleHhrLineLabels()
{
    m_idg.m_bShowHhrLineLabels = !m_idg.m_bShowHhrLineLabels;
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::ToggleHhrLines()
{
    m_idg.m_bShowHhrLines = !m_idg.m_bShowHhrLines;
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::SetBasicParameters(const std::string& projectName, int unitSystem)
{
    ChangeProject(tr("基本参数"), [&](CIDG& idg) {
        idg.m_strProjectName = projectName;
        if (unitSystem != idg.m_nUnitSystem)
            ApplyUnitSystem(idg, unitSystem);
        return true;
    });
}

void CQORVADoc::ApplyNewProject(const NewProjectData& data, const std::string& path)
{
    CopyNewProject(data, m_idg);
    ForgetWeatherYear();
    m_strPathName = path;
    FillToolbarCombos();
    m_bProjectOpen = true;
    m_nReserved = 0;
    m_undoStack.clear();
    BindEachCondition(kConditionNormal);
    InstallResultTextRebuild();
    RefreshAllViews(m_idg);
    SetModifiedFlag(true);
    Refresh(DocumentChange::ProjectReplaced);
}

namespace {

// The edit of a design change, then the primary analyses it affects run
// again: those of rooms (known by system and room name) whose inputs differ
// from before, or that are new. False when the edit refused; rerunFailed
// with the reason when an analysis could not be run again.
bool applyDesignChange(CIDG& idg, const std::function<bool(CIDG&)>& edit, std::string& reason,
                       bool& rerunFailed)
{
    const auto keyOf = [](const CAcSystem& system, const CServiceArea& room) {
        return system.m_strName + '\0' + room.m_strName;
    };
    std::map<std::string, std::string> inputs;
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms)
            inputs.emplace(keyOf(*system, *room), AnalysisInputsOf(idg, *room));
    if (!edit(idg))
        return false;
    const auto changed = [&](int s, int r) {
        const CAcSystem& system = *idg.m_rooms.m_systems[static_cast<std::size_t>(s)];
        const auto found = inputs.find(keyOf(system, *system.m_rooms[static_cast<std::size_t>(r)]));
        return found == inputs.end() ||
               found->second != AnalysisInputsOf(idg, *system.m_rooms[static_cast<std::size_t>(r)]);
    };
    rerunFailed = !RerunPrimaryAnalyses(idg, reason, changed);
    return true;
}

} // namespace

bool CQORVADoc::ChangeDesign(const QString& text, const std::function<bool(CIDG&)>& edit)
{
    std::string reason;
    bool rerunFailed = false;
    const bool changed =
        ChangeProject(text, [&](CIDG& idg) { return applyDesignChange(idg, edit, reason, rerunFailed); });
    if (changed && rerunFailed)
        alertMessage(
            QCoreApplication::translate("AnalysisFramework", analysis_messages::kRerunFailed).toStdString() +
                reason,
            MessageIcon::Stop);
    return changed;
}

std::vector<ClearedView> CQORVADoc::DesignChangeClears(const std::function<bool(CIDG&)>& edit) const
{
    std::vector<ClearedView> views;
    CIDG copy;
    if (!RestoreProjectBytes(ProjectBytes(m_idg), copy))
        return views;
    ProjectViewState::Of(m_idg).ApplyTo(copy);
    copy.PointAtCurrentRoom();
    std::string reason;
    bool rerunFailed = false;
    if (!applyDesignChange(copy, edit, reason, rerunFailed))
        return views;
    const auto& systems = m_idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s) {
        const CAcSystem* after = copy.m_rooms.FindSystem(systems[s]->m_strName);
        for (std::size_t r = 0; after && r < systems[s]->m_rooms.size(); ++r) {
            const CServiceArea& room = *systems[s]->m_rooms[r];
            // A room the change removed was removed on purpose.
            const CServiceArea* changed = after->FindRoom(room.m_strName);
            for (int c = 0; changed && c < kConditionCount; ++c) {
                const int lost = DrawnObjectsInView(room, c) - DrawnObjectsInView(*changed, c);
                if (lost > 0)
                    views.push_back({static_cast<int>(s), static_cast<int>(r), c, lost});
            }
        }
    }
    return views;
}

bool CQORVADoc::AskBeforeDesignChange(const std::function<bool(CIDG&)>& edit) const
{
    const std::vector<ClearedView> views = DesignChangeClears(edit);
    return views.empty() ||
           messages().askYesNo(ClearDrawnObjectsQuestion(m_idg, views), MessageIcon::Question, std::string());
}

std::function<bool(CIDG&)> CQORVADoc::SystemRoomChange(const CAir_Room& edited)
{
    return [&edited](CIDG& idg) {
        idg.m_rooms.CopyOutdoor(edited);
        // The current lists point into the rooms about to be replaced.
        idg.UnbindCurrentLists();
        idg.m_rooms.m_systems = CopyOfRooms(edited).m_systems;
        const auto& systems = idg.m_rooms.m_systems;
        if (idg.m_nCurSystem < 0 || idg.m_nCurSystem >= static_cast<int>(systems.size()))
            idg.m_nCurSystem = 0;
        if (!idg.m_rooms.RoomAt(idg.m_nCurSystem, idg.m_nCurRoom))
            idg.m_nCurRoom = 0;
        idg.PointAtCurrentRoom();
        return true;
    };
}

void CQORVADoc::ApplySystemRoomData(CAir_Room&& edited)
{
    ChangeDesign(tr("系统-房间"), SystemRoomChange(edited));
    FillToolbarCombos();
    // A design state that cannot be completed is said once, for the room shown.
    if (m_idg.PointAtCurrentRoom())
        BindCurrentRoom(m_idg);
    Refresh(DocumentChange::Selection);
}

bool CQORVADoc::ApplyDesignConditions(const DesignConditions& d)
{
    if (!d.summerT || !d.summerTw || !d.summerPressure || !d.winterT || !d.winterRH || !d.winterPressure) {
        alertMessage(tr(doc_messages::kYearTooShort).toStdString(), MessageIcon::Stop);
        return false;
    }
    float x = 0, h = 0, rh = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    if (!pttw_all(*d.summerPressure, *d.summerT, *d.summerTw, &x, &h, &rh, &td, &pq, &pqb, &v, &rho)) {
        alertMessage(tr(doc_messages::kSummerDesignState).toStdString(), MessageIcon::Stop);
        return false;
    }
    const float summerRH = rh;
    if (!ptRH_all(*d.winterPressure, *d.winterT, *d.winterRH, &x, &h, &tw, &td, &pq, &pqb, &v, &rho)) {
        alertMessage(tr(doc_messages::kWinterDesignState).toStdString(), MessageIcon::Stop);
        return false;
    }
    const float winterTw = tw;
    // The pressures as the pressure dialog takes them: typed into its
    // fields, the densities computed from the fields by its OK.
    AtmosphericSeasons seasons = AtmosphericSeasons::FromData(AtmosphericData::FromModel(m_idg));
    seasons.summer.pressure = FormatNumber("%.0f", *d.summerPressure);
    seasons.winter.pressure = FormatNumber("%.0f", *d.winterPressure);
    seasons.summer.ComputeDensity();
    seasons.winter.ComputeDensity();
    const AtmosphericData atmosphere = seasons.ToData();
    if (!CheckAtmosphericData(atmosphere))
        return false;
    const auto setOutdoor = [&](CAir_Room& rooms) {
        rooms.m_fSummerOutT = *d.summerT;
        rooms.m_fSummerOutTw = *d.summerTw;
        rooms.m_fSummerOutRH = summerRH * 100.0f;
        rooms.m_bSummerOutByRH = 0;
        rooms.m_fWinterOutT = *d.winterT;
        rooms.m_fWinterOutRH = *d.winterRH * 100.0f;
        rooms.m_fWinterOutTw = winterTw;
        rooms.m_bWinterOutByRH = 1;
    };
    const auto edit = [&](CIDG& idg) {
        setOutdoor(idg.m_rooms);
        atmosphere.CopyInto(idg);
        return true;
    };
    // The year's states must lie on the chart, as the system–room dialog
    // requires of typed ones, and the rooms' states at the year's pressure.
    const DesignChart chart{atmosphere.summerPressure, m_idg.m_fTMinFull, m_idg.m_fXMaxFull};
    const auto offChart = [](const char* message) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", message).toStdString(),
                     MessageIcon::Exclamation);
        return false;
    };
    if (FitDesignState(*d.summerT, *d.summerTw, false, chart) != DesignStateFit::OnChart)
        return offChart(system_room_messages::kSummerOutdoorOffChart);
    if (FitDesignState(*d.winterT, *d.winterRH * 100.0f, true, chart) != DesignStateFit::OnChart)
        return offChart(system_room_messages::kWinterOutdoorOffChart);
    CAir_Room changed = CopyOfRooms(m_idg.m_rooms);
    setOutdoor(changed);
    if (!CheckDesignStatesAt(changed, chart))
        return false;
    if (!AskBeforeDesignChange(edit))
        return false;
    const bool done = ChangeDesign(tr("用于工程"), edit);
    if (done && m_idg.PointAtCurrentRoom())
        BindCurrentRoom(m_idg);
    Refresh(DocumentChange::Selection);
    return done;
}

bool CQORVADoc::LoadWeatherFile(const std::string& path, std::string& error)
{
    auto year = std::make_unique<WeatherYear>();
    if (!ReadWeatherFile(path, *year, error))
        return false;
    m_weatherYear = std::move(year);
    m_bWeatherShown = true;
    RemakeWeatherMap();
    return true;
}

void CQORVADoc::ClearWeatherYear()
{
    ForgetWeatherYear();
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::ForgetWeatherYear()
{
    m_weatherYear.reset();
    m_weatherFilter = HourFilter{};
    m_bWeatherShown = false;
    m_weatherMap = chart::WeatherMap{};
}

void CQORVADoc::SetWeatherFilter(const HourFilter& filter)
{
    m_weatherFilter = filter;
    RemakeWeatherMap();
}

void CQORVADoc::SetWeatherShown(bool shown)
{
    m_bWeatherShown = shown;
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::SetWeatherMapStyle(chart::WeatherMapStyle style)
{
    m_weatherStyle = style;
    RemakeWeatherMap();
}

void CQORVADoc::RemakeWeatherMap()
{
    if (m_weatherYear)
        m_weatherMap = chart::MakeWeatherMap(*m_weatherYear, m_weatherFilter, m_weatherStyle);
    NotifyChanged(DocumentChange::Display);
}

const chart::WeatherMap* CQORVADoc::weatherMap() const
{
    return m_weatherYear && m_bWeatherShown ? &m_weatherMap : nullptr;
}

void CQORVADoc::SetChartForm(const ChartForm& form)
{
    if (&form == &chartForm())
        return;
    const int code = &form == &ashraeChartForm() ? CIDG::kFormAshrae : CIDG::kFormId;
    ChangeProject(tr("图形式"), [code](CIDG& idg) {
        idg.m_nChartForm = code;
        return true;
    });
}

void CQORVADoc::SetUnitSystem(int unitSystem)
{
    if (unitSystem == m_idg.m_nUnitSystem)
        return;
    ChangeProject(tr("单位制"), [unitSystem](CIDG& idg) {
        ApplyUnitSystem(idg, unitSystem);
        return true;
    });
}

bool CQORVADoc::RunAnalysis(const AnalysisRequest& request, std::string& message)
{
    return ChangeCurrentRoom(QString::fromStdString(AnalysisName(request)),
                             [&](CIDG& idg) { return ::RunAnalysis(idg, request, message); });
}

std::function<bool(CIDG&)> CQORVADoc::AtmosphereChange(const AtmosphericData& data)
{
    return [data](CIDG& idg) {
        data.CopyInto(idg);
        return true;
    };
}

void CQORVADoc::SetAtmosphericData(const AtmosphericData& data)
{
    ChangeDesign(tr("大气压力"), AtmosphereChange(data));
    if (m_idg.PointAtCurrentRoom())
        BindCurrentRoom(m_idg);
    Refresh(DocumentChange::Selection);
}

void CQORVADoc::ClipChart(const ChartWindow& window, int firstCornerX, int firstCornerY)
{
    m_idg.SetWindow(window);
    m_idg.SetWindow(chart::settledWindow(m_idg));
    m_idg.m_nClipLeft = firstCornerX;
    m_idg.m_nClipTop = firstCornerY;
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::RestoreFullChart()
{
    m_idg.RestoreFullChart();
    NotifyChanged(DocumentChange::Display);
}

void CQORVADoc::RequestRedraw()
{
    NotifyChanged(DocumentChange::Display);
}

bool CQORVADoc::ChangeCurrentRoom(const QString& text, const std::function<bool(CIDG&)>& edit)
{
    CServiceArea* room = m_idg.CurrentRoom();
    if (!room)
        return false;
    const int system = m_idg.m_nCurSystem;
    const int roomIndex = m_idg.m_nCurRoom;
    std::unique_ptr<CServiceArea> before = CloneRoom(*room);
    InstallResultTextRebuild();
    if (!edit(m_idg)) {
        // Refused: the room goes back to exactly what it was.
        if (CServiceArea* live = m_idg.m_rooms.RoomAt(system, roomIndex))
            std::swap(*live, *before);
        if (!m_idg.PointAtCurrentRoom())
            m_idg.UnbindCurrentLists();
        return false;
    }
    RefreshRoomViews();
    // An edit that left every saved byte of the room as it was is no step
    // (the condition shown is a viewing setting).
    if (const CServiceArea* live = m_idg.m_rooms.RoomAt(system, roomIndex)) {
        before->m_nCondition = live->m_nCondition;
        if (project_serializer::roomBytes(*before) == project_serializer::roomBytes(*live)) {
            NotifyChanged(DocumentChange::Selection);
            return true;
        }
    }
    m_undoStack.push(new RoomSnapshotCommand(*this, system, roomIndex, std::move(before), text));
    NotifyChanged(DocumentChange::Model);
    return true;
}

bool CQORVADoc::ChangeProject(const QString& text, const std::function<bool(CIDG&)>& edit)
{
    std::vector<std::uint8_t> before = ProjectBytes(m_idg);
    const ProjectViewState view = ProjectViewState::Of(m_idg);
    InstallResultTextRebuild();
    if (!edit(m_idg)) {
        CIDG restored;
        if (RestoreProjectBytes(before, restored)) {
            m_idg = std::move(restored);
            view.ApplyTo(m_idg);
            if (!m_idg.PointAtCurrentRoom())
                m_idg.UnbindCurrentLists();
        }
        return false;
    }
    // A project-wide change reaches every view: all are derived again now,
    // inside the step, so showing another room later changes nothing.
    RefreshAllViews(m_idg);
    // An edit that left the project data as they were is no step; what it
    // changed of the view (the room shown) stays.
    const ProjectViewState after = ProjectViewState::Of(m_idg);
    view.ApplyTo(m_idg);
    const bool unchanged = ProjectBytes(m_idg) == before;
    after.ApplyTo(m_idg);
    if (unchanged) {
        NotifyChanged(DocumentChange::Selection);
        return true;
    }
    m_undoStack.push(new ProjectSnapshotCommand(*this, std::move(before), text));
    NotifyChanged(DocumentChange::Model);
    return true;
}

void CQORVADoc::InstallResultTextRebuild()
{
    // A model taken over from a file or a snapshot comes without the hook;
    // it is set again before every change, on the document's own model.
    m_idg.m_rebuildResultTexts = [this](int pointIndex) { RebuildResultTexts(m_idg, pointIndex); };
}

void CQORVADoc::ReplaceProject(CIDG&& idg)
{
    ForgetWeatherYear();
    m_undoStack.clear();
    m_idg = std::move(idg);
    m_idg.UnbindCurrentLists();
    RefreshAllViews(m_idg);
}

void CQORVADoc::RefreshRoomViews()
{
    CServiceArea* room = m_idg.CurrentRoom();
    if (!room) {
        m_idg.UnbindCurrentLists();
        return;
    }
    // An edit of one view may have made the others (an analysis prepares
    // both seasons): each is derived again, ending on the one shown.
    const int shown = room->m_nCondition;
    for (int c = kConditionNormal; c < kConditionCount; ++c) {
        if (c == shown)
            continue;
        room->m_nCondition = c;
        if (m_idg.PointAtCurrentRoom())
            RefreshCurrentView(m_idg);
    }
    room->m_nCondition = shown;
    if (m_idg.PointAtCurrentRoom())
        RefreshCurrentView(m_idg);
    else
        m_idg.UnbindCurrentLists();
}

void CQORVADoc::Refresh(DocumentChange change)
{
    if (m_idg.PointAtCurrentRoom())
        RefreshCurrentView(m_idg);
    else
        m_idg.UnbindCurrentLists();
    NotifyChanged(change);
}

void CQORVADoc::SetChartAttributes(const ChartAttributes& attributes)
{
    ChangeProject(tr("图元属性"), [&](CIDG& idg) {
        attributes.ApplyTo(idg);
        return true;
    });
}

void CQORVADoc::SetPageMargins(const PageMargins& margins)
{
    ChangeProject(tr("页面设置"), [&](CIDG& idg) {
        margins.ApplyTo(idg);
        return true;
    });
}

void CQORVADoc::BindEachCondition(int finalCondition)
{
    const int s = m_idg.m_nCurSystem;
    const int r = m_idg.m_nCurRoom;
    if (!m_idg.m_rooms.RoomAt(s, r))
        return;
    // A design state that cannot be completed fails in every condition; say
    // so once, for the condition that stays on the screen.
    for (int c = kConditionNormal; c < kConditionCount; ++c) {
        m_idg.m_rooms.SetRoomCondition(s, r, c);
        m_idg.PointAtCurrentRoom();
        RefreshCurrentView(m_idg);
    }
    m_idg.m_rooms.SetRoomCondition(s, r, finalCondition);
    m_idg.PointAtCurrentRoom();
    BindCurrentRoom(m_idg);
}

void CQORVADoc::NotifyChanged(DocumentChange change)
{
    DocumentEvent event;
    event.kind = change;
    if (m_idg.CurrentRoom()) {
        event.system = m_idg.m_nCurSystem;
        event.room = m_idg.m_nCurRoom;
        event.condition = m_idg.CurrentCondition();
    }
    emit changed(event);
}

bool CQORVADoc::ExportChart(const ChartDevice& screen, const std::string& path,
                            const chart::ExportOptions& options, std::string& error)
{
    ChartDevice device = screen;
    device.weather = weatherMap();
    return chart::exportChart(m_idg, device, path, options, error);
}

bool CQORVADoc::PrintChart(QPagedPaintDevice& device, const ChartDevice& screen)
{
    ChartDevice drawn = screen;
    drawn.weather = weatherMap();
    return chart::printChart(m_idg, device, drawn);
}
