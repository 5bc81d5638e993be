#pragma once

#include "model/CIDG.h"

// One system "S1" with one office: summer outdoor W 34 °C / tw 28.2 °C,
// winter outdoor −5 °C / 75 %; indoors N 25 °C / 50 % with 5 kW and 1.2 kg/h
// in summer, 20 °C / 40 % with 3 kW and 0.5 kg/h in winter. The current
// system and room are that office.
inline CServiceArea& fillOneRoomProject(CIDG& idg)
{
    CAir_Room& rooms = idg.m_rooms;
    rooms.m_strSummerOutName = "W";
    rooms.m_fSummerOutT = 34.0f;
    rooms.m_fSummerOutTw = 28.2f;
    rooms.m_bSummerOutByRH = 0;
    rooms.m_strWinterOutName = "W";
    rooms.m_fWinterOutT = -5.0f;
    rooms.m_fWinterOutRH = 75.0f;
    rooms.m_bWinterOutByRH = 1;
    rooms.AddSystem("S1");
    rooms.AddRoom("S1", "办公室");
    CServiceArea& room = *rooms.m_systems[0]->m_rooms[0];
    room.m_strSummerInName = "N";
    room.m_fSummerInT = 25.0f;
    room.m_fSummerInRH = 50.0f;
    room.m_bSummerInByRH = 1;
    room.m_fSummerLoad = 5.0f;
    room.m_fSummerMoistLoad = 1.2f;
    room.m_strWinterInName = "N";
    room.m_fWinterInT = 20.0f;
    room.m_fWinterInRH = 40.0f;
    room.m_bWinterInByRH = 1;
    room.m_fWinterLoad = 3.0f;
    room.m_fWinterMoistLoad = 0.5f;
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 0;
    return room;
}
