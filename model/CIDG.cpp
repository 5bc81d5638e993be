#include "model/CIDG.h"

CIDG::CIDG()
{
    m_drawOptions = {
        DrawOption(1, 1, rgbColour(64, 200, 0), 0, 0, 1.0f),   // moisture content
        DrawOption(1, 1, rgbColour(64, 200, 0), 0, 0, 5.0f),   // enthalpy
        DrawOption(1, 1, kBlack, 0, 0, 5.0f),                  // dry bulb
        DrawOption(1, 1, rgbColour(255, 0, 0), 0, 0, 10.0f),   // relative humidity
        DrawOption(1, 1, rgbColour(0, 0, 128), 0, 0, 10.0f),   // saturation curve
        DrawOption(1, 1, rgbColour(0, 0, 255), 0, 0, 5.0f),    // wet bulb
        DrawOption(1, 1, kBlack, 0, 0, 3.0f),                  // border
        DrawOption(1, 1, kWhite, 0, 0, 3.0f),                  // background
    };
    m_font1 = LogFont::guiDefault();
    m_font2 = LogFont::guiDefault();
}

void CIDG::UnbindCurrentLists()
{
    m_pPoints = nullptr;
    m_pParamPoints = nullptr;
    m_pProcessLines = nullptr;
    m_pHhrLines = nullptr;
    m_pTexts = nullptr;
    m_pComfortAreas = nullptr;
}

bool CIDG::PointAtCurrentRoom()
{
    const RoomLists lists = m_rooms.GetRoomLists(m_nCurSystem, m_nCurRoom);
    m_pPoints = lists.points;
    m_pParamPoints = lists.paramPoints;
    m_pProcessLines = lists.processLines;
    m_pHhrLines = lists.hhrLines;
    m_pTexts = lists.texts;
    m_pComfortAreas = lists.comfortAreas;
    if (!lists.points)
        return false;
    m_nCurCondition = m_rooms.GetRoomCondition(m_nCurSystem, m_nCurRoom);
    return true;
}
