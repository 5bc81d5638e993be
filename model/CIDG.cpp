#include "model/CIDG.h"

#include <cmath>

#include <QCoreApplication>

#include "model/UnitFormat.h"

CIDG::CIDG()
{
    m_drawOptions = {
        DrawOption(1, 1, rgbColour(64, 200, 0), 0, 0, 1.0f), // moisture content
        DrawOption(1, 1, rgbColour(64, 200, 0), 0, 0, 5.0f), // enthalpy
        DrawOption(1, 1, kBlack, 0, 0, 5.0f),                // dry bulb
        DrawOption(1, 1, rgbColour(255, 0, 0), 0, 0, 10.0f), // relative humidity
        DrawOption(1, 1, rgbColour(0, 0, 128), 0, 0, 10.0f), // saturation curve
        DrawOption(1, 1, rgbColour(0, 0, 255), 0, 0, 5.0f),  // wet bulb
        DrawOption(1, 1, kBlack, 0, 0, 3.0f),                // border
        DrawOption(1, 1, kWhite, 0, 0, 3.0f),                // background
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

CServiceArea* CIDG::CurrentRoom() const
{
    return m_rooms.RoomAt(m_nCurSystem, m_nCurRoom);
}

int CIDG::CurrentCondition() const
{
    const CServiceArea* room = CurrentRoom();
    return room ? room->m_nCondition : -1;
}

float CIDG::HeatMoistureRatio(float loadKw, float moistureLoadKgPerH, bool winter)
{
    // Without a moisture load the ratio stands in for infinity: the float
    // nearest 1e11, so the ε line is all but vertical with the sign of the load.
    constexpr double kVerticalRatioFactor = 99999997952.0;
    double ratio = moistureLoadKgPerH != 0.0f ? double(loadKw) / double(moistureLoadKgPerH) * 3600.0
                                              : double(loadKw) * kVerticalRatioFactor;
    if (winter)
        ratio = -ratio;
    return static_cast<float>(ratio);
}

float CIDG::RoomLoad() const
{
    const CServiceArea* room = CurrentRoom();
    if (!room)
        return -1.0f;
    return (room->m_nCondition == kConditionWinter ? room->m_fWinterLoad : room->m_fSummerLoad) * 1000.0f;
}

float CIDG::RoomFreshAir() const
{
    const CServiceArea* room = CurrentRoom();
    if (!room)
        return -1.0f;
    return room->m_nCondition == kConditionWinter ? room->m_fWinterFreshAir : room->m_fSummerFreshAir;
}

const CStatePoint* CIDG::PointAt(int index) const
{
    if (!m_pPoints || index < 0 || index >= static_cast<int>(m_pPoints->size()))
        return nullptr;
    return (*m_pPoints)[static_cast<std::size_t>(index)].get();
}

ChartWindow CIDG::Window() const
{
    return {m_fZoom, m_fXMin, m_fXMax, m_fTMin, m_fTMax, m_nXOffset, m_nYOffset};
}

void CIDG::SetWindow(const ChartWindow& window)
{
    if (!std::isfinite(window.m_fZoom) || !(window.m_fZoom > 0.0f) || !std::isfinite(window.m_fXMin) ||
        !std::isfinite(window.m_fXMax) || !std::isfinite(window.m_fTMin) || !std::isfinite(window.m_fTMax))
        return;
    m_fZoom = window.m_fZoom;
    m_fXMin = window.m_fXMin;
    m_fXMax = window.m_fXMax;
    m_fTMin = window.m_fTMin;
    m_fTMax = window.m_fTMax;
    m_nXOffset = window.m_nXOffset;
    m_nYOffset = window.m_nYOffset;
    if (m_fXMaxFull < m_fXMax)
        m_fXMaxFull = m_fXMax;
    if (m_fTMinFull > m_fTMin)
        m_fTMinFull = m_fTMin;
}

void CIDG::RestoreFullChart()
{
    const ChartWindow full;
    m_fZoom = full.m_fZoom;
    m_fXMin = full.m_fXMin;
    m_fXMax = full.m_fXMax;
    m_fXMaxFull = full.m_fXMax;
    m_fTMinFull = full.m_fTMin;
    m_fTMin = full.m_fTMin;
    m_fTMax = full.m_fTMax;
    m_nXOffset = 0;
    m_nYOffset = 0;
}

CGuoChengXian* CIDG::AddProcessLine(const std::string& name, int startIndex, int endIndex)
{
    if (!m_pProcessLines)
        return nullptr;
    auto line = std::make_unique<CGuoChengXian>();
    line->m_strName = name;
    line->m_nStart = startIndex;
    line->m_nEnd = endIndex;
    line->m_nId = static_cast<int>(m_pProcessLines->size());
    m_pProcessLines->push_back(std::move(line));
    return m_pProcessLines->back().get();
}

std::string CIDG::DescribePoint(const CStatePoint& point) const
{
    return QCoreApplication::translate("CIDG", "%1点")
               .arg(QString::fromStdString(point.m_strName))
               .toStdString() +
           " " + unit_format::Temperature(m_nUnitSystem, " GT:%.1f℃", point.m_t) +
           unit_format::Temperature(m_nUnitSystem, " WT:%.1f℃", point.m_tw) +
           unit_format::Format(" RH:%.2f%%", point.m_RH * 100.0) +
           unit_format::Moisture(m_nUnitSystem, " D:%.1fg/kg", point.m_d) +
           unit_format::Enthalpy(m_nUnitSystem, " H:%.2fkJ/kg", " H:%.2fkcal/kg", point.m_h);
}

std::string CIDG::DescribeLine(const CGuoChengXian& line) const
{
    // An end that is not in the list is described as nothing rather than
    // read out of range.
    auto describe = [this](int index) {
        const CStatePoint* point = PointAt(index);
        return point ? DescribePoint(*point) : std::string();
    };
    return QCoreApplication::translate("CIDG", "过程线：%1 起始点：%2 终点：%3")
        .arg(QString::fromStdString(line.m_strName), QString::fromStdString(describe(line.m_nStart)),
             QString::fromStdString(describe(line.m_nEnd)))
        .toStdString();
}
