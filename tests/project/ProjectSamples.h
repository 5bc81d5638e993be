#pragma once

#include <bit>
#include <cstdint>
#include <memory>
#include <string>

#include "model/CIDG.h"

// Generated projects for the file-format tests and the benchmark: every saved
// field of every record class set to a value other than its default, in all
// three conditions, with Chinese names.
namespace samples {

// A small deterministic generator (xorshift), so a project is the same on every run.
class Values {
public:
    explicit Values(std::uint32_t seed) : m_state(seed ? seed : 1) {}

    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    std::int32_t integer(int low, int high) { return low + static_cast<int>(next() % (high - low + 1)); }
    float real(float low, float high)
    {
        return low + (high - low) * static_cast<float>(next() % 100000) / 1e5f;
    }
    double real64(double low, double high) { return low + (high - low) * (next() % 1000003) / 1000003.0; }

private:
    std::uint32_t m_state;
};

inline const char* const kRoomNames[] = {"办公室", "会议室", "大厅", "走廊", "机房", "餐厅", "Lab"};

inline LogFont sampleFont(Values& v)
{
    LogFont font;
    font.lfHeight = v.integer(-40, -8);
    font.lfWidth = v.integer(0, 9);
    font.lfEscapement = v.integer(0, 3600);
    font.lfOrientation = v.integer(0, 3600);
    font.lfWeight = v.integer(1, 9) * 100;
    font.lfItalic = 1;
    font.lfUnderline = 1;
    font.lfStrikeOut = 1;
    font.lfCharSet = 134;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 0x31;
    font.setFaceName(v.next() % 2 ? "宋体" : "Arial");
    return font;
}

inline void fillPoint(CStatePoint& p, Values& v, int index, const std::string& name)
{
    p.m_strName = name;
    p.m_nKind = v.integer(0, 10);
    p.m_d = v.real(0.001f, 0.03f);
    p.m_t = v.real(-20, 50);
    p.m_tw = v.real(-20, 40);
    p.m_h = v.real(-10, 120);
    p.m_RH = v.real(0.05f, 1);
    p.m_nId = index;
    p.m_nMixSrc1 = v.integer(0, 9);
    p.m_nMixSrc2 = v.integer(0, 9);
    p.m_fMixRatio = v.real(0, 1);
    p.m_nRelPartner = v.integer(0, 9);
    p.m_nRelHhrLine = v.integer(0, 9);
    p.m_nBaseD = v.integer(0, 9);
    p.m_nBaseH = v.integer(0, 9);
    p.m_nBaseT = v.integer(0, 9);
    p.m_nOnProcessLine = v.integer(0, 9);
    p.m_nOnHhrLine = v.integer(0, 9);
    p.m_nCrossProc1 = v.integer(0, 9);
    p.m_nCrossProc2 = v.integer(0, 9);
    p.m_nCrossHhr1 = v.integer(0, 9);
    p.m_nCrossHhr2 = v.integer(0, 9);
    p.m_nCrossProc = v.integer(0, 9);
    p.m_nCrossHhr = v.integer(0, 9);
    p.m_nRelDiffType = v.integer(0, 3);
    p.m_nRelPropType = v.integer(0, 4);
    p.m_fRelValue1 = v.real(-5, 5);
    p.m_fRelValue2 = v.real(-5, 5);
    p.m_nValueKind = v.integer(0, 6);
    p.m_fValue = v.real(-10, 10);
}

inline void fillText(CCommentString& t, Values& v, int index)
{
    t.m_strText = "送风量 " + std::to_string(index);
    t.m_nPlace = {v.integer(0, 900), v.integer(0, 900), v.integer(0, 900), v.integer(0, 900)};
    t.m_font = sampleFont(v);
    t.m_nStyle = v.integer(1, 3);
    t.m_nId = index;
    t.m_nRef = {v.integer(0, 9), v.integer(0, 9), v.integer(0, 9)};
    t.m_nRefExtra = v.integer(0, 9);
    t.m_strValue = std::to_string(v.integer(100, 9999)) + " m^3/h";
    for (float& value : t.m_fValues)
        value = v.real(-1000, 1000);
    t.m_nKind = v.integer(1, 12);
}

// Fills a room's design data, analysis data and, in every condition,
// objectsPerList objects of every class.
inline void fillRoom(CServiceArea& room, Values& v, const std::string& name, int objectsPerList)
{
    room.m_strName = name;
    room.m_strSummerInName = "N夏";
    room.m_fSummerFreshAir = v.real(200, 1500);
    room.m_fSummerInTw = v.real(18, 22);
    room.m_fSummerInRH = v.real(40, 65);
    room.m_fSummerMoistLoad = v.real(0.5f, 2);
    room.m_fSummerLoad = v.real(3, 15);
    room.m_fSummerInT = v.real(24, 27);
    room.m_bSummerInByRH = 0;
    room.m_strWinterInName = "N冬";
    room.m_fWinterFreshAir = v.real(200, 1500);
    room.m_fWinterInTw = v.real(10, 14);
    room.m_fWinterInRH = v.real(30, 50);
    room.m_fWinterMoistLoad = v.real(0.5f, 2);
    room.m_fWinterLoad = v.real(3, 15);
    room.m_fWinterInT = v.real(18, 22);
    room.m_bWinterInByRH = 0;
    for (auto& word : room.m_anaW)
        word.i = static_cast<std::int32_t>(v.next());
    for (double& d : room.m_anaD)
        d = v.real64(-100, 100);
    for (std::int32_t& i : room.m_anaI)
        i = static_cast<std::int32_t>(v.next());

    for (int k = 0; k < kConditionCount; ++k) {
        for (int i = 0; i < objectsPerList; ++i) {
            auto point = std::make_unique<CStatePoint>();
            fillPoint(*point, v, i, i == 0 ? "W" : i == 1 ? "N" : "点" + std::to_string(i));
            room.m_points[k].push_back(std::move(point));

            auto line = std::make_unique<CGuoChengXian>();
            line->m_nStart = v.integer(0, 9);
            line->m_nEnd = v.integer(0, 9);
            line->m_strName = "过程线" + std::to_string(i);
            line->m_nId = i;
            room.m_processLines[k].push_back(std::move(line));

            auto hhr = std::make_unique<CReShiBiXian>();
            hhr->m_strName = i == 0 ? "ε" : "ε" + std::to_string(i);
            hhr->m_nId = i;
            hhr->m_fRatio = v.real(-30000, 30000);
            hhr->m_nPoint1 = v.integer(0, 9);
            hhr->m_nPoint2 = v.integer(0, 9);
            hhr->m_nMode = 0;
            room.m_hhrLines[k].push_back(std::move(hhr));

            auto text = std::make_unique<CCommentString>();
            fillText(*text, v, i);
            room.m_texts[k].push_back(std::move(text));

            auto area = std::make_unique<CComfortArea>();
            for (int c = 0; c < 4; ++c) {
                area->m_strCorner[c] = "角" + std::to_string(c);
                area->m_strEdge[c] = "边" + std::to_string(c);
            }
            area->m_strName = "舒适区" + std::to_string(i);
            area->m_strLabel = "label";
            room.m_comfortAreas[k].push_back(std::move(area));
        }
    }
    for (int i = 0; i < objectsPerList; ++i) {
        auto p = std::make_unique<CParamPoint>();
        p->m_nId = i;
        p->m_strName = "参数点" + std::to_string(i);
        p->m_t = v.real(-20, 50);
        p->m_d = v.real(0.001f, 0.03f);
        p->m_tw = v.real(-20, 40);
        p->m_RH = v.real(0.05f, 1);
        p->m_h = v.real(-10, 120);
        p->m_p = v.real(90000, 105000);
        p->m_pq = v.real(100, 4000);
        p->m_pqb = v.real(100, 8000);
        p->m_td = v.real(-30, 30);
        p->m_v = v.real(0.8f, 0.95f);
        p->m_rho = v.real(1.0f, 1.3f);
        room.m_paramPoints.push_back(std::move(p));
    }
}

// Every saved setting of the chart model away from its default.
inline void fillSettings(CIDG& idg, Values& v)
{
    idg.m_strProjectName = "示例工程 Example";
    idg.m_nUnitSystem = 0;
    idg.m_rooms.m_strSummerOutName = "W夏";
    idg.m_rooms.m_fSummerOutTw = 27.5f;
    idg.m_rooms.m_fSummerOutRH = 61.0f;
    idg.m_rooms.m_fSummerOutT = 35.1f;
    idg.m_rooms.m_bSummerOutByRH = 1;
    idg.m_rooms.m_strWinterOutName = "W冬";
    idg.m_rooms.m_fWinterOutTw = -10.5f;
    idg.m_rooms.m_fWinterOutRH = 40.0f;
    idg.m_rooms.m_fWinterOutT = -9.0f;
    idg.m_rooms.m_bWinterOutByRH = 1;
    idg.m_fSummerAirT = 34;
    idg.m_fSummerPressure = 100000;
    idg.m_fSummerAirD = 0.0215f;
    idg.m_fSummerDensity = 1.12f;
    idg.m_fWinterAirT = -9;
    idg.m_fWinterPressure = 102000;
    idg.m_fWinterAirD = 0.0008f;
    idg.m_fWinterDensity = 1.33f;
    idg.m_nCurSystem = 1;
    idg.m_nCurRoom = 2;
    idg.m_bChartView = 0;
    idg.m_nMargin = {11, 12, 13, 14};
    idg.m_textColor = 0x102030;
    idg.m_bShowValues = 0;
    idg.m_bValuesDefault = 1;
    idg.m_font1 = sampleFont(v);
    idg.m_lineColor = 0x0000FF;
    idg.m_nLineWidth = 2;
    idg.m_nLineStyle = 3;
    idg.m_nArrowStyle = 1;
    idg.m_bShowProcessLineLabels = 1;
    idg.m_nPointRadius = 4;
    idg.m_pointColor = 0x00FF00;
    idg.m_nameColor = 0xFF0000;
    idg.m_font2 = sampleFont(v);
    idg.m_nLabelPosition = 5;
    idg.m_bShowPointLabels = 0;
    idg.m_bShowHhrLineLabels = 0;
    idg.m_bShowHhrLines = 0;
    idg.m_nClipLeft = 17;
    idg.m_nClipTop = 19;
    idg.m_nXOffset = 23;
    idg.m_nYOffset = 29;
    idg.m_fZoom = 2.5f;
    idg.m_fXMaxFull = 0.035f;
    idg.m_fXMin = 0.002f;
    idg.m_fXMax = 0.03f;
    idg.m_fTMin = -20;
    idg.m_fTMax = 50;
    for (int i = 0; i < kFamilyCount; ++i)
        idg.m_drawOptions[i] = DrawOption(0, 0, 0x010203 * (i + 1), i + 1, i % 5, 0.5f * (i + 1));
}

// A project of systems × roomsPerSystem rooms, each list holding
// objectsPerList objects.
inline void fillProject(CIDG& idg, int systems, int roomsPerSystem, int objectsPerList,
                        std::uint32_t seed = 12345)
{
    Values v(seed);
    fillSettings(idg, v);
    for (int s = 0; s < systems; ++s) {
        auto system = std::make_unique<CAcSystem>();
        system->m_strName = "空调系统" + std::to_string(s + 1);
        for (int r = 0; r < roomsPerSystem; ++r) {
            auto room = std::make_unique<CServiceArea>();
            fillRoom(*room, v, std::string(kRoomNames[r % std::size(kRoomNames)]) + std::to_string(r + 1),
                     objectsPerList);
            system->m_rooms.push_back(std::move(room));
        }
        idg.m_rooms.m_systems.push_back(std::move(system));
    }
}

} // namespace samples
