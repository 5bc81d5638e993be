#include "project/NewProject.h"

#include "model/CIDG.h"

void CopyNewProject(const NewProjectData& data, CIDG& idg)
{
    idg.m_nUnitSystem = data.unitSystem;
    idg.m_strProjectName = data.projectName;
    idg.m_rooms.CopyOutdoor(data.rooms);
    // The current lists point into the rooms about to be deleted.
    idg.UnbindCurrentLists();
    idg.m_rooms.ClearSystems();
    for (const auto& system : data.rooms.m_systems) {
        auto copy = std::make_unique<CAcSystem>();
        copy->m_strName = system->m_strName;
        for (const auto& room : system->m_rooms) {
            auto fresh = std::make_unique<CServiceArea>();
            fresh->CopyDesign(*room);
            copy->m_rooms.push_back(std::move(fresh));
        }
        idg.m_rooms.m_systems.push_back(std::move(copy));
    }
    data.atmosphere.CopyInto(idg);
}

std::string ProjectLocation(const std::string& folder, const std::string& name)
{
    std::string location = folder;
    if (location.empty() || location.back() != '/')
        location += '/';
    return location + name + ".ID";
}
