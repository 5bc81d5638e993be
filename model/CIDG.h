#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "model/CAir_Room.h"
#include "model/DrawOption.h"
#include "model/LogFont.h"

// A window onto the chart: the magnification, the moisture and temperature
// range shown, and the pixel offsets of that range inside the magnified
// chart (as the standard screen lays them out).
struct ChartWindow {
    float m_fZoom = 1.0f;
    float m_fXMin = 0.0f;   // kg/kg
    float m_fXMax = 0.04f;  // kg/kg
    float m_fTMin = -30.0f; // °C
    float m_fTMax = 65.0f;  // °C
    std::int32_t m_nXOffset = 0;
    std::int32_t m_nYOffset = 0;
};

// Whether a state lies in the region of the chart where points may stand.
// The chart layer answers it for a drawn window; operations that recompute
// existing points are given the full chart, new points the drawn window.
class ChartRegion {
public:
    virtual ~ChartRegion() = default;
    virtual bool Contains(const CStatePoint& point) const = 0;
};

// The chart model: all project data (through m_rooms), the chart's display
// settings and the window onto the chart, and non-owning pointers to the six
// object lists of the current room and condition, on which every drawing,
// editing and calculation works.
class CIDG {
public:
    static constexpr int kUnitsEngineering = 0;
    static constexpr int kUnitsSI = 1;

    std::string m_strProjectName;
    std::int32_t m_nUnitSystem = kUnitsSI;  // 1 SI (kJ/kg, kW), 0 engineering (kcal/kg, kcal/h)
    CAir_Room m_rooms;
    std::int32_t m_nCurSystem = 0;
    std::int32_t m_nCurRoom = 0;

    // Atmospheric data: the summer pressure is the pressure of every state on the chart.
    float m_fSummerAirT = 0;           // °C
    float m_fSummerPressure = 101325;  // Pa
    float m_fSummerAirD = 0;           // kg/kg
    float m_fSummerDensity = 0;        // kg/m³
    float m_fWinterAirT = 0;
    float m_fWinterPressure = 101325;
    float m_fWinterAirD = 0;
    float m_fWinterDensity = 0;

    std::int32_t m_bChartView = 1;  // 1 chart view, 0 page view
    std::int32_t m_nCurCondition = 1;  // copy of the current room's condition (not saved)
    // Page margins in mm: two vertical, then two horizontal margins.
    std::array<std::int32_t, 4> m_nMargin{10, 10, 10, 10};
    std::int32_t m_nViewWorking = 0;  // working value of the view (not saved)

    std::array<DrawOption, kFamilyCount> m_drawOptions;
    LogFont m_font1;  // chart labels; its scaled copy is the font of new texts
    std::int32_t m_textColor = kBlack;
    std::int32_t m_bShowValues = 1;     // the 标注 switch: chart labels shown
    std::int32_t m_bValuesDefault = 0;  // the 标注 row's 默认 flag
    std::int32_t m_lineColor = kBlack;
    std::int32_t m_nLineWidth = 0;
    std::int32_t m_nLineStyle = 0;
    std::int32_t m_nArrowStyle = 2;  // 0 none, 1 open, 2 filled
    std::int32_t m_bShowProcessLineLabels = 0;
    std::int32_t m_nPointRadius = 2;  // pixels
    std::int32_t m_pointColor = kBlack;
    std::int32_t m_nameColor = kBlack;
    LogFont m_font2;  // point names
    std::int32_t m_nLabelPosition = 0;  // 0–7
    std::int32_t m_bShowPointLabels = 1;
    std::int32_t m_bShowHhrLineLabels = 1;
    std::int32_t m_bShowHhrLines = 1;

    // The current lists (null until bound to a room).
    ObjectArray<CStatePoint>* m_pPoints = nullptr;
    ObjectArray<CParamPoint>* m_pParamPoints = nullptr;
    ObjectArray<CGuoChengXian>* m_pProcessLines = nullptr;
    ObjectArray<CReShiBiXian>* m_pHhrLines = nullptr;
    ObjectArray<CCommentString>* m_pTexts = nullptr;
    ObjectArray<CComfortArea>* m_pComfortAreas = nullptr;

    // The window onto the chart.
    std::int32_t m_nClipLeft = 0;  // first corner of the last clip, chart pixels
    std::int32_t m_nClipTop = 0;
    std::int32_t m_nXOffset = 0;  // scroll inside the magnified chart, pixels
    std::int32_t m_nYOffset = 0;
    float m_fZoom = 1.0f;
    float m_fXMaxFull = 0.04f;  // kg/kg at the right edge of the full chart
    float m_fTMinFull = -30.0f;  // °C (not saved)
    float m_fXMin = 0;          // kg/kg
    float m_fXMax = 0.04f;
    float m_fTMin = -30.0f;     // °C
    float m_fTMax = 65.0f;

    std::string m_strLastNote;  // description of the last derived-point computation

    CIDG();
    CIDG(const CIDG&) = delete;
    CIDG& operator=(const CIDG&) = delete;
    // Moving keeps the current lists valid: they point into rooms that are
    // heap objects owned through m_rooms.
    CIDG(CIDG&&) = default;
    CIDG& operator=(CIDG&&) = default;

    // The chart window: as stored, set from a clip (extending the full chart
    // where the window reaches beyond it), back to the full chart.
    ChartWindow Window() const;
    void SetWindow(const ChartWindow& window);
    void RestoreFullChart();

    // Completes a chart state point from its known pair at the chart pressure.
    // Returns 1 and sets all known flags on success; 0 leaves the point as it was.
    int CalcStatePoint(CStatePoint& point) const;

    CServiceArea* CurrentRoom() const;
    int CurrentCondition() const; // −1 without a room
    float RoomLoad() const;       // W: summer cooling or winter heat load; −1 without a room
    float RoomFreshAir() const;   // m³/h of the condition's season; −1 without a room
    // ε of a room, kJ/kg, from its load (kW) and moisture load (kg/h); in
    // winter with the opposite sign.
    static float HeatMoistureRatio(float loadKw, float moistureLoadKgPerH, bool winter);
    // The current point at index, or nullptr when out of range or unbound.
    const CStatePoint* PointAt(int index) const;
    // Recompute what depends on point i or on HHR line k; 1 on success.
    int RecomputeDependants(int pointIndex);
    int RecomputeHhrLineDependants(int lineIndex);
    // Unbinds the current lists (after the rooms they pointed into went away).
    void UnbindCurrentLists();
    // Points the current lists at the current room's lists for its condition;
    // false (and unbound) when there is no such room.
    bool PointAtCurrentRoom();
};
