#include "project/CQORVADoc.h"

#include <cstdio>
#include <filesystem>

#include "chart/ChartAttributes.h"
#include "model/Messages.h"
#include "project/Atmosphere.h"
#include "project/NewProject.h"
#include "project/ProjectFile.h"

CQORVADoc::CQORVADoc(QObject* parent) : QObject(parent) {}

bool CQORVADoc::OnNewDocument()
{
    // The standard new-document step clears the path and the modified flag;
    // the chart model's data stay (a new project inherits the settings).
    m_strPathName.clear();
    m_bModified = false;
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
        alertMessage(doc_messages::kProjectMissing);
        return false;
    }
    const int version = ProbeProjectVersion(path);
    if (version == 0) {
        alertMessage(doc_messages::kOldProject);
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
    m_idg = std::move(contents->idg);
    m_idg.UnbindCurrentLists();
    m_strReportPath = contents->reportPath;
    m_bReturnMode = contents->returnMode;
    m_nReserved = 0;
    m_bModified = false;
    ResetPageSize();
    m_bProjectOpen = true;
    m_strPathName = path;
    NotifyChanged(DocumentChange::ProjectReplaced);
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
    m_bModified = false;
    NotifyChanged(DocumentChange::Modified);
    return true;
}

void CQORVADoc::ClearSystems()
{
    m_idg.UnbindCurrentLists();
    m_idg.m_rooms.ClearSystems();
}

void CQORVADoc::SetReportPath(const std::string& path)
{
    m_bReturnMode = 1;
    m_strReportPath = path;
}

bool CQORVADoc::ImportParameterFile(const std::string& path)
{
    // The parameter-file reader is not part of this program yet: refuse, so
    // start-up ends instead of showing an empty project as if it had been read.
    std::fprintf(stderr, "qorva: cannot import parameter file %s\n", path.c_str());
    return false;
}

void CQORVADoc::SetPathName(const std::string& path)
{
    m_strPathName = path;
    NotifyChanged(DocumentChange::Modified);
}

void CQORVADoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
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
    m_idg.m_nCurSystem = index;
    const auto& systems = m_idg.m_rooms.m_systems;
    bool hasRooms = false;
    if (index >= 0 && index < static_cast<int>(systems.size())) {
        m_idg.m_nCurRoom = 0;
        hasRooms = !systems[index]->m_rooms.empty();
    }
    if (!hasRooms) {
        // The current system has changed, but nothing is rebound: the chart
        // stays on the previously bound room.
        NotifyChanged(DocumentChange::Selection);
        alertMessage(doc_messages::kSystemWithoutRooms);
        return false;
    }
    m_bModified = true;
    m_idg.BindCurrentRoom();
    NotifyChanged(DocumentChange::Selection);
    return true;
}

void CQORVADoc::SelectRoom(int index)
{
    m_idg.m_nCurRoom = index;
    m_bModified = true;
    m_idg.BindCurrentRoom();
    NotifyChanged(DocumentChange::Selection);
}

void CQORVADoc::SelectCondition(int condition)
{
    m_idg.m_rooms.SetRoomCondition(m_idg.m_nCurSystem, m_idg.m_nCurRoom, condition);
    m_idg.BindCurrentRoom();
    NotifyChanged(DocumentChange::Selection);
}

void CQORVADoc::SetChartView(bool chartView)
{
    m_idg.m_bChartView = chartView ? 1 : 0;
    m_bModified = true;
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

void CQORVADoc::SetBasicParameters(const std::string& projectName, int unitSystem)
{
    m_idg.m_strProjectName = projectName;
    m_idg.m_nUnitSystem = unitSystem;
    m_bModified = true;
    NotifyChanged(DocumentChange::Model);
}

void CQORVADoc::ApplyNewProject(const NewProjectData& data, const std::string& path)
{
    CopyNewProject(data, m_idg);
    m_strPathName = path;
    FillToolbarCombos();
    m_bModified = true;
    m_bProjectOpen = true;
    m_nReserved = 0;
    BindEachCondition(kConditionNormal);
    NotifyChanged(DocumentChange::ProjectReplaced);
}

void CQORVADoc::ApplySystemRoomData(CAir_Room&& edited)
{
    m_idg.m_rooms.CopyOutdoor(edited);
    // The current lists point into the rooms about to be replaced.
    m_idg.UnbindCurrentLists();
    m_idg.m_rooms.m_systems = std::move(edited.m_systems);
    FillToolbarCombos();
    m_bModified = true;
    BindEachCondition(CurrentConditionCode());
    NotifyChanged(DocumentChange::Model);
}

void CQORVADoc::SetAtmosphericData(const AtmosphericData& data)
{
    data.CopyInto(m_idg);
    m_bModified = true;
    m_idg.BindCurrentRoom();
    NotifyChanged(DocumentChange::Model);
}

void CQORVADoc::SetChartAttributes(const ChartAttributes& attributes)
{
    attributes.ApplyTo(m_idg);
    m_bModified = true;
    NotifyChanged(DocumentChange::Model);
}

void CQORVADoc::SetPageMargins(const PageMargins& margins)
{
    margins.ApplyTo(m_idg);
    m_bModified = true;
    NotifyChanged(DocumentChange::Model);
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
        m_idg.BindCurrentRoom(false);
    }
    m_idg.m_rooms.SetRoomCondition(s, r, finalCondition);
    m_idg.BindCurrentRoom();
}

void CQORVADoc::NotifyChanged(DocumentChange change)
{
    emit changed(change);
}
