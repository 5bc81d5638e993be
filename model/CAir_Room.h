#pragma once

#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/CServiceArea.h"

// An air-conditioning system (系统): a name and its rooms in order.
class CAcSystem {
public:
    std::string m_strName;
    ObjectArray<CServiceArea> m_rooms;

    // First room of that name (names compare byte for byte), or nullptr.
    CServiceArea* FindRoom(const std::string& name) const;
};

// The six current lists of one room in one condition; all null when there is
// no such room.
struct RoomLists {
    ObjectArray<CStatePoint>* points = nullptr;
    ObjectArray<CParamPoint>* paramPoints = nullptr;
    ObjectArray<CGuoChengXian>* processLines = nullptr;
    ObjectArray<CReShiBiXian>* hhrLines = nullptr;
    ObjectArray<CCommentString>* texts = nullptr;
    ObjectArray<CComfortArea>* comfortAreas = nullptr;
};

// The project's outdoor design states and its systems with their rooms.
// Humidities here are in per cent.
class CAir_Room {
public:
    std::string m_strSummerOutName = "W";
    float m_fSummerOutTw = 28.2f;      // °C
    float m_fSummerOutRH = 0;          // %
    float m_fSummerOutT = 34.0f;       // °C
    std::int32_t m_bSummerOutByRH = 0; // 1 dry-bulb and humidity, 0 dry-bulb and wet-bulb
    std::int32_t m_nUnused = 0;
    std::string m_strWinterOutName = "W";
    float m_fWinterOutTw = 28.2f;
    float m_fWinterOutRH = 0;
    float m_fWinterOutT = 34.0f;
    std::int32_t m_bWinterOutByRH = 0;
    ObjectArray<CAcSystem> m_systems;

    // First system of that name, or nullptr.
    CAcSystem* FindSystem(const std::string& name) const;

    void AddSystem(const std::string& name);
    void RemoveSystem(const std::string& name);
    void AddRoom(const std::string& systemName, const std::string& roomName);
    void RemoveRoom(const std::string& systemName, const std::string& roomName);
    bool SetRoomDesign(const std::string& systemName, const CServiceArea& design);
    bool GetRoomDesign(const std::string& systemName, const std::string& roomName,
                       CServiceArea& design) const;
    bool GetFirstRoomDesign(const std::string& systemName, CServiceArea& design) const;

    // Index-based access; out-of-range systems give condition 0, no change and
    // no lists. Out-of-range rooms are treated the same (the caller keeps the
    // index in range, but a stale index must never crash).
    CServiceArea* RoomAt(int systemIndex, int roomIndex) const;
    int GetRoomCondition(int systemIndex, int roomIndex) const;
    void SetRoomCondition(int systemIndex, int roomIndex, int condition);
    RoomLists GetRoomLists(int systemIndex, int roomIndex) const;

    // Copies the outdoor design points (not the systems).
    void CopyOutdoor(const CAir_Room& source);
    // Deletes every room of every system and every system.
    void ClearSystems();
};

namespace room_messages {
inline constexpr const char* kNoSuchSystem = QT_TRANSLATE_NOOP("CAir_Room", "对不起，系统中没有该系统名称!");
inline constexpr const char* kNoSpecifiedSystem =
    QT_TRANSLATE_NOOP("CAir_Room", "对不起，系统中没有指定的系统名称!");
inline constexpr const char* kNoSpecifiedRoom =
    QT_TRANSLATE_NOOP("CAir_Room", "对不起,在指定的系统中没有指定的服务区域!");
inline constexpr const char* kSystemWithoutRooms =
    QT_TRANSLATE_NOOP("CAir_Room", "对不起，该指定系统中没有任何服务区域!");
} // namespace room_messages
