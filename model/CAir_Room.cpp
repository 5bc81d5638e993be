#include "model/CAir_Room.h"

#include <algorithm>

#include <QCoreApplication>

#include "model/Messages.h"

CServiceArea* CAcSystem::FindRoom(const std::string& name) const
{
    for (const auto& room : m_rooms)
        if (room->m_strName == name)
            return room.get();
    return nullptr;
}

CAcSystem* CAir_Room::FindSystem(const std::string& name) const
{
    for (const auto& system : m_systems)
        if (system->m_strName == name)
            return system.get();
    return nullptr;
}

void CAir_Room::AddSystem(const std::string& name)
{
    auto system = std::make_unique<CAcSystem>();
    system->m_strName = name;
    m_systems.push_back(std::move(system));
}

void CAir_Room::RemoveSystem(const std::string& name)
{
    auto it = std::find_if(m_systems.begin(), m_systems.end(),
                           [&](const auto& system) { return system->m_strName == name; });
    if (it == m_systems.end()) {
        alertMessage(QCoreApplication::translate("CAir_Room", room_messages::kNoSuchSystem).toStdString());
        return;
    }
    // The system's rooms and all their chart objects go with it.
    m_systems.erase(it);
}

void CAir_Room::AddRoom(const std::string& systemName, const std::string& roomName)
{
    CAcSystem* system = FindSystem(systemName);
    if (!system) {
        alertMessage(QCoreApplication::translate("CAir_Room", room_messages::kNoSuchSystem).toStdString());
        return;
    }
    auto room = std::make_unique<CServiceArea>();
    room->m_strName = roomName;
    system->m_rooms.push_back(std::move(room));
}

void CAir_Room::RemoveRoom(const std::string& systemName, const std::string& roomName)
{
    CAcSystem* system = FindSystem(systemName);
    if (!system) {
        alertMessage(
            QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedSystem).toStdString());
        return;
    }
    auto it = std::find_if(system->m_rooms.begin(), system->m_rooms.end(),
                           [&](const auto& room) { return room->m_strName == roomName; });
    if (it == system->m_rooms.end()) {
        alertMessage(QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedRoom).toStdString());
        return;
    }
    system->m_rooms.erase(it);
}

bool CAir_Room::SetRoomDesign(const std::string& systemName, const CServiceArea& design)
{
    CAcSystem* system = FindSystem(systemName);
    if (!system) {
        alertMessage(
            QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedSystem).toStdString());
        return false;
    }
    CServiceArea* room = system->FindRoom(design.m_strName);
    if (!room) {
        alertMessage(QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedRoom).toStdString());
        return false;
    }
    room->CopyDesign(design);
    return true;
}

bool CAir_Room::GetRoomDesign(const std::string& systemName, const std::string& roomName,
                              CServiceArea& design) const
{
    CAcSystem* system = FindSystem(systemName);
    if (!system) {
        alertMessage(
            QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedSystem).toStdString());
        return false;
    }
    CServiceArea* room = system->FindRoom(roomName);
    if (!room) {
        alertMessage(QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedRoom).toStdString());
        return false;
    }
    design.CopyDesign(*room);
    return true;
}

bool CAir_Room::GetFirstRoomDesign(const std::string& systemName, CServiceArea& design) const
{
    CAcSystem* system = FindSystem(systemName);
    if (!system) {
        alertMessage(
            QCoreApplication::translate("CAir_Room", room_messages::kNoSpecifiedSystem).toStdString());
        return false;
    }
    if (system->m_rooms.empty()) {
        alertMessage(
            QCoreApplication::translate("CAir_Room", room_messages::kSystemWithoutRooms).toStdString());
        return false;
    }
    design.CopyDesign(*system->m_rooms.front());
    return true;
}

CServiceArea* CAir_Room::RoomAt(int systemIndex, int roomIndex) const
{
    if (systemIndex < 0 || systemIndex >= static_cast<int>(m_systems.size()))
        return nullptr;
    const auto& rooms = m_systems[systemIndex]->m_rooms;
    if (roomIndex < 0 || roomIndex >= static_cast<int>(rooms.size()))
        return nullptr;
    return rooms[roomIndex].get();
}

int CAir_Room::GetRoomCondition(int systemIndex, int roomIndex) const
{
    const CServiceArea* room = RoomAt(systemIndex, roomIndex);
    return room ? room->m_nCondition : 0;
}

void CAir_Room::SetRoomCondition(int systemIndex, int roomIndex, int condition)
{
    if (CServiceArea* room = RoomAt(systemIndex, roomIndex))
        room->m_nCondition = condition;
}

RoomLists CAir_Room::GetRoomLists(int systemIndex, int roomIndex) const
{
    CServiceArea* room = RoomAt(systemIndex, roomIndex);
    if (!room)
        return {};
    // A condition code outside 0–2 (a damaged file) falls back to the summer lists.
    int c = room->m_nCondition;
    if (c < 0 || c >= kConditionCount)
        c = kConditionSummer;
    return {&room->m_points[c],   &room->m_paramPoints, &room->m_processLines[c],
            &room->m_hhrLines[c], &room->m_texts[c],    &room->m_comfortAreas[c]};
}

void CAir_Room::CopyOutdoor(const CAir_Room& s)
{
    m_strSummerOutName = s.m_strSummerOutName;
    m_fSummerOutTw = s.m_fSummerOutTw;
    m_fSummerOutRH = s.m_fSummerOutRH;
    m_fSummerOutT = s.m_fSummerOutT;
    m_bSummerOutByRH = s.m_bSummerOutByRH;
    m_nUnused = s.m_nUnused;
    m_strWinterOutName = s.m_strWinterOutName;
    m_fWinterOutTw = s.m_fWinterOutTw;
    m_fWinterOutRH = s.m_fWinterOutRH;
    m_fWinterOutT = s.m_fWinterOutT;
    m_bWinterOutByRH = s.m_bWinterOutByRH;
}

void CAir_Room::ClearSystems()
{
    m_systems.clear();
}
