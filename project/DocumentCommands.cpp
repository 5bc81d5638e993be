#include "project/DocumentCommands.h"

#include <utility>

#include "analysis/Binding.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"

ProjectViewState ProjectViewState::Of(const CIDG& idg)
{
    ProjectViewState state;
    state.system = idg.m_nCurSystem;
    state.room = idg.m_nCurRoom;
    state.chartView = idg.m_bChartView;
    state.pointLabels = idg.m_bShowPointLabels;
    state.processLineLabels = idg.m_bShowProcessLineLabels;
    state.hhrLineLabels = idg.m_bShowHhrLineLabels;
    state.window = idg.Window();
    state.xMaxFull = idg.m_fXMaxFull;
    state.tMinFull = idg.m_fTMinFull;
    state.clipLeft = idg.m_nClipLeft;
    state.clipTop = idg.m_nClipTop;
    for (const auto& system : idg.m_rooms.m_systems) {
        std::vector<std::int32_t> conditions;
        conditions.reserve(system->m_rooms.size());
        for (const auto& room : system->m_rooms)
            conditions.push_back(room->m_nCondition);
        state.conditions.push_back(std::move(conditions));
    }
    return state;
}

void ProjectViewState::ApplyTo(CIDG& idg) const
{
    idg.m_nCurSystem = system;
    idg.m_nCurRoom = room;
    idg.m_bChartView = chartView;
    idg.m_bShowPointLabels = pointLabels;
    idg.m_bShowProcessLineLabels = processLineLabels;
    idg.m_bShowHhrLineLabels = hhrLineLabels;
    idg.m_fZoom = window.m_fZoom;
    idg.m_fXMin = window.m_fXMin;
    idg.m_fXMax = window.m_fXMax;
    idg.m_fTMin = window.m_fTMin;
    idg.m_fTMax = window.m_fTMax;
    idg.m_nXOffset = window.m_nXOffset;
    idg.m_nYOffset = window.m_nYOffset;
    idg.m_fXMaxFull = xMaxFull;
    idg.m_fTMinFull = tMinFull;
    idg.m_nClipLeft = clipLeft;
    idg.m_nClipTop = clipTop;
    const auto& systems = idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size() && s < conditions.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size() && r < conditions[s].size(); ++r)
            systems[s]->m_rooms[r]->m_nCondition = conditions[s][r];
}

std::vector<std::uint8_t> ProjectBytes(const CIDG& idg)
{
    return ProjectFile::toBytes(idg, std::string(), 0);
}

bool RestoreProjectBytes(const std::vector<std::uint8_t>& bytes, CIDG& idg)
{
    ProjectFile file;
    auto contents = std::make_unique<ProjectContents>();
    if (!file.readBytes(bytes, *contents))
        return false;
    idg = std::move(contents->idg);
    idg.UnbindCurrentLists();
    return true;
}

RoomSnapshotCommand::RoomSnapshotCommand(CQORVADoc& document, int system, int room,
                                         std::unique_ptr<CServiceArea> other, const QString& text)
    : QUndoCommand(text), m_document(document), m_system(system), m_room(room), m_other(std::move(other))
{
}

void RoomSnapshotCommand::undo()
{
    swap();
}

void RoomSnapshotCommand::redo()
{
    // The first redo is the push: the change is already in the project.
    if (std::exchange(m_applied, false))
        return;
    swap();
}

void RoomSnapshotCommand::swap()
{
    CIDG& idg = m_document.m_idg;
    CServiceArea* live = idg.m_rooms.RoomAt(m_system, m_room);
    if (!live || !m_other)
        return;
    const std::int32_t shown = live->m_nCondition;
    // The current lists point at the room's arrays, which stay where they
    // are: only their contents change places.
    std::swap(*live, *m_other);
    live->m_nCondition = shown;
    m_document.Refresh(DocumentChange::Model);
}

ProjectSnapshotCommand::ProjectSnapshotCommand(CQORVADoc& document, std::vector<std::uint8_t> other,
                                               const QString& text)
    : QUndoCommand(text), m_document(document), m_other(std::move(other))
{
}

void ProjectSnapshotCommand::undo()
{
    swap();
}

void ProjectSnapshotCommand::redo()
{
    if (std::exchange(m_applied, false))
        return;
    swap();
}

void ProjectSnapshotCommand::swap()
{
    CIDG& idg = m_document.m_idg;
    const ProjectViewState view = ProjectViewState::Of(idg);
    std::vector<std::uint8_t> current = ProjectBytes(idg);
    CIDG restored;
    if (!RestoreProjectBytes(m_other, restored))
        return;
    idg = std::move(restored);
    view.ApplyTo(idg);
    m_other = std::move(current);
    m_document.FillToolbarCombos();
    m_document.Refresh(DocumentChange::Model);
}
