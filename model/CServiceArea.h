#pragma once

#include <array>
#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "model/CComfortArea.h"
#include "model/CCommentString.h"
#include "model/CGuoChengXian.h"
#include "model/CParamPoint.h"
#include "model/CReShiBiXian.h"
#include "model/CStatePoint.h"
#include "model/ObjectArray.h"

// Design conditions of a room; each keeps its own chart objects.
enum Condition { kConditionNormal = 0, kConditionSummer = 1, kConditionWinter = 2, kConditionCount = 3 };

// Heat recovery of a room's fresh air from its exhaust (the indoor air N):
// the exchanger the fresh-air unit, the fan coil's fresh air and the year of
// fresh air use, and what the last analysis placed with it. Projects save it
// only when a room uses one.
enum HeatRecoveryMode { kRecoveryNone = 0, kRecoveryTotal = 1, kRecoverySensible = 2 };

struct RoomHeatRecovery {
    std::int32_t mode = kRecoveryNone;
    float effectiveness = 0;       // fraction 0…1
    std::int32_t summerPoint = -1; // index of the recovered state W1 in the cooling view
    std::int32_t winterPoint = -1; // and in the heating view
    float summerRecovered = 0;     // W the exchanger takes off the cooling coil
    float winterRecovered = 0;     // W it takes off the heater

    bool operator==(const RoomHeatRecovery&) const = default;
};

// One room or service area (服务区域) of a system: its indoor design states and
// loads for summer and winter, its analysis settings and results, its current
// design condition and the chart objects drawn for it in each condition.
// Loads are in kW, moisture loads in kg/h, air volumes in m³/h in both unit
// systems; humidities here are in per cent.
class CServiceArea {
public:
    static constexpr int kAnalysisWords = 79;
    static constexpr int kAnalysisDoubles = 11;
    static constexpr int kAnalysisInts = 24;

    // A four-byte analysis word: an index or count (int) or a value (float),
    // depending on the slot. The bits are what the project file stores.
    union AnalysisWord {
        std::int32_t i;
        float f;
    };

    // The design data: the first seventeen fields.
    std::string m_strName;
    std::string m_strSummerInName = "N";
    float m_fSummerFreshAir = 0;      // m³/h
    float m_fSummerInTw = 0;          // °C
    float m_fSummerInRH = 50.0f;      // %
    float m_fSummerMoistLoad = 0;     // kg/h
    float m_fSummerLoad = 0;          // kW (cooling)
    float m_fSummerInT = 25.0f;       // °C
    std::int32_t m_bSummerInByRH = 1; // 1 dry-bulb and humidity, 0 dry-bulb and wet-bulb
    std::string m_strWinterInName = "N";
    float m_fWinterFreshAir = 0;
    float m_fWinterInTw = 0;
    float m_fWinterInRH = 50.0f;
    float m_fWinterMoistLoad = 0;
    float m_fWinterLoad = 0; // kW (heating)
    float m_fWinterInT = 25.0f;
    std::int32_t m_bWinterInByRH = 1;

    std::array<ObjectArray<CStatePoint>, kConditionCount> m_points;
    std::array<ObjectArray<CGuoChengXian>, kConditionCount> m_processLines;
    std::array<ObjectArray<CReShiBiXian>, kConditionCount> m_hhrLines;
    std::array<ObjectArray<CCommentString>, kConditionCount> m_texts;
    ObjectArray<CParamPoint> m_paramPoints;
    std::array<ObjectArray<CComfortArea>, kConditionCount> m_comfortAreas;

    std::array<AnalysisWord, kAnalysisWords> m_anaW{};
    std::int32_t m_nCondition = kConditionSummer;
    std::array<double, kAnalysisDoubles> m_anaD{};
    std::array<std::int32_t, kAnalysisInts> m_anaI{};
    std::int32_t m_nInitCounter = 6; // working counter of the initialisation
    RoomHeatRecovery m_recovery;

    CServiceArea();
    // Copies the design data only (the first seventeen fields); the object
    // lists and analysis data are not copied (see CopyRoomContents).
    void CopyDesign(const CServiceArea& source);

    // Resets the result words of one block: 1 summer, 2 winter.
    void ResetResults(int block);

    // Drops every chart object of every condition and the parameter points.
    void ClearObjects();
};

// Copies the condition, the analysis words 0–40, the heat recovery and a new copy of every state
// point, process line, heat–moisture ratio line, text and parameter point of
// source to target (appended). Comfort zones are not copied.
void CopyRoomContents(const CServiceArea& source, CServiceArea& target);

// A deep copy of a room: design data, every object of every condition, the
// parameter points and the analysis words.
std::unique_ptr<CServiceArea> CloneRoom(const CServiceArea& source);

// A slot of a room's analysis data that holds the index of a state point in
// the list of one condition: a word of m_anaW read as an int, or an m_anaI.
struct PointIndexSlot {
    enum Store { kWord, kInt };
    Store store = kWord;
    int slot = 0;
    int condition = kConditionSummer;
};

// The slots the analyses keep point indices in. The analysis layer, which
// names them, registers its list; the chart model uses it to keep them exact
// when a point is deleted.
const std::vector<PointIndexSlot>& PointIndexSlots();
void SetPointIndexSlots(std::vector<PointIndexSlot> slots);

// Point `removed` of the list of `condition` is gone: every stored index
// above it moves down by one and an index of the point itself becomes −1.
void RenumberPointIndexSlots(CServiceArea& room, int condition, int removed);
