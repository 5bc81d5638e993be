#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "model/CAir_Room.h"
#include "model/ChartRegion.h"
#include "model/DrawOption.h"
#include "model/LogFont.h"
#include "psychro/Comfort.h"

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

// The chart model: all project data (through m_rooms), the chart's display
// settings and the window onto the chart, and non-owning pointers to the six
// object lists of the current room and condition, on which every drawing,
// editing and calculation works.
class CIDG {
public:
    static constexpr int kUnitsEngineering = 0;
    static constexpr int kUnitsSI = 1;
    // Inch-pound units (°F, gr/lb, Btu/lb, cfm, Btu/h); values stay stored in SI.
    static constexpr int kUnitsIP = 2;
    // The forms the chart is drawn in.
    static constexpr int kFormId = 0;     // moisture content across, enthalpy lines oblique
    static constexpr int kFormAshrae = 1; // dry bulb across, moisture content up

    std::string m_strProjectName;
    // 1 SI (kJ/kg, kW), 0 engineering (kcal/kg, kcal/h), 2 IP.
    std::int32_t m_nUnitSystem = kUnitsSI;
    std::int32_t m_nChartForm = kFormId;
    // The lines of equal specific volume (m³/kg of dry air): shown or not,
    // their pen and step (m³/kg). Off by default.
    DrawOption m_volumeLines = defaultVolumeLines();
    CAir_Room m_rooms;
    std::int32_t m_nCurSystem = 0;
    std::int32_t m_nCurRoom = 0;

    // Atmospheric data: the summer pressure is the pressure of every state on the chart.
    float m_fSummerAirT = 0;          // °C
    float m_fSummerPressure = 101325; // Pa
    float m_fSummerAirD = 0;          // kg/kg
    float m_fSummerDensity = 0;       // kg/m³
    float m_fWinterAirT = 0;
    float m_fWinterPressure = 101325;
    float m_fWinterAirD = 0;
    float m_fWinterDensity = 0;

    std::int32_t m_bChartView = 1;    // 1 chart view, 0 page view
    std::int32_t m_nCurCondition = 1; // copy of the current room's condition (not saved)
    // Page margins in mm: two vertical, then two horizontal margins.
    std::array<std::int32_t, 4> m_nMargin{10, 10, 10, 10};
    std::int32_t m_nViewWorking = 0; // working value of the view (not saved)

    std::array<DrawOption, kFamilyCount> m_drawOptions;
    LogFont m_font1; // chart labels; its scaled copy is the font of new texts
    std::int32_t m_textColor = kBlack;
    std::int32_t m_bShowValues = 1;    // the 标注 switch: chart labels shown
    std::int32_t m_bValuesDefault = 0; // the 标注 row's 默认 flag
    std::int32_t m_lineColor = kBlack;
    std::int32_t m_nLineWidth = 0;
    std::int32_t m_nLineStyle = 0;
    std::int32_t m_nArrowStyle = 2; // 0 none, 1 open, 2 filled
    std::int32_t m_bShowProcessLineLabels = 0;
    std::int32_t m_nPointRadius = 2; // pixels
    std::int32_t m_pointColor = kBlack;
    std::int32_t m_nameColor = kBlack;
    LogFont m_font2;                   // point names
    std::int32_t m_nLabelPosition = 0; // 0–7
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
    std::int32_t m_nClipLeft = 0; // first corner of the last clip, chart pixels
    std::int32_t m_nClipTop = 0;
    std::int32_t m_nXOffset = 0; // scroll inside the magnified chart, pixels
    std::int32_t m_nYOffset = 0;
    float m_fZoom = 1.0f;
    float m_fXMaxFull = 0.04f;  // kg/kg at the right edge of the full chart
    float m_fTMinFull = -30.0f; // °C (not saved)
    float m_fXMin = 0;          // kg/kg
    float m_fXMax = 0.04f;
    float m_fTMin = -30.0f; // °C
    float m_fTMax = 65.0f;

    std::string m_strLastNote; // description of the last derived-point computation
    // m³/h: the supply air volume of the last 送风量 calculation, the default
    // air volume of the other calculations (not saved).
    float m_fSupplyAirVolume = 0;

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
    // Appends a process line from point startIndex to endIndex to the current
    // list; nullptr when unbound.
    CGuoChengXian* AddProcessLine(const std::string& name, int startIndex, int endIndex);
    // "N点  GT:…" and "过程线：…" descriptions of a point and a process line.
    std::string DescribePoint(const CStatePoint& point) const;
    std::string DescribeLine(const CGuoChengXian& line) const;
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

    // Derived points, dependencies, editing, deletion, comfort zones and texts
    // (model/DerivedPoints.cpp, model/Dependencies.cpp, model/Deletion.cpp,
    // model/ComfortZones.cpp). Every operation works on the current lists,
    // returns 1 on success and 0 on failure, and a refused one leaves the
    // lists as they were. New points must lie in `window` (the drawn chart
    // window); recomputation and edits test against `fullChart`, so zooming
    // in never breaks a dependant.

    // Object classes of hit tests, constraints and deletion.
    enum ObjectClass { kClassPoint = 0, kClassProcessLine = 1, kClassHhrLine = 2, kClassText = 3 };
    // MakeLinePoint methods: the line through the base the new point lies on.
    enum LineMethod {
        kMethodEqualMoisture = 0,
        kMethodEqualTemperature = 1,
        kMethodEqualEnthalpy = 2,
        kMethodProcessLine = 3,
        kMethodHhrLine = 4
    };
    // MakeIntersection types.
    enum CrossType { kCrossProcessProcess = 0, kCrossHhrHhr = 1, kCrossProcessHhr = 2 };

    // Called with a point index when a result text reports on a point that was
    // recomputed; the result-text rebuild of the calculations fills it.
    std::function<void(int pointIndex)> m_rebuildResultTexts;

    int IsPointNameFree(const CStatePoint& point, const std::string& name) const;
    int IsHhrLineNameFree(const CReShiBiXian& line, const std::string& name) const;
    // r: share of point index2 (fraction 0…1; outside it: cidg_messages::
    // kMixingRatioRange). direct = 1 writes the mixture
    // into point and completes it; direct = 0 replaces its state only when the
    // mixture is computed and inside the region.
    int MakeMixingPoint(int index1, int index2, float r, CStatePoint& point, int direct,
                        const ChartRegion& region);
    // A new mixing point named name, percent the share of point index2 (%).
    int AddMixingPoint(const std::string& name, int index1, int index2, float percent,
                       const ChartRegion& window);
    // Values in stored units (°C, kg/kg, fraction, kJ/kg); valueKind picks the one used.
    int MakeLinePoint(int method, int baseIndex, int valueKind, float dt, float dx, float t, float tw,
                      float RH, float h, float x, CStatePoint& point, int isNew, const ChartRegion& region);
    // The same with the one value valueKind names.
    int MakeLinePointByValue(int method, int baseIndex, int valueKind, float value, CStatePoint& point,
                             int isNew, const ChartRegion& region);
    int MakeIntersection(int type, int lineIndex1, int lineIndex2, CStatePoint& point, int isNew,
                         const ChartRegion& region);
    // differenceKind 0 Δt (dt), 1 Δx (dx); propertyKind 0 t, 1 RH, 2 x, 3 tw, 4 h.
    int MakeRelatedPoints(int hhrIndex, int differenceKind, int propertyKind, float dt, float dx, float t,
                          float tw, float RH, float h, float x, CStatePoint& point1, CStatePoint& point2,
                          int isNew, const ChartRegion& region);
    // The air leaving a heat exchanger or an evaporative cooler (kind
    // CStatePoint::kHeatRecovery or kEvaporative) from the entering point
    // index1: a heat recovery against the exhaust index2, an evaporative
    // cooler with the entering air as its own secondary air (index2 unused).
    // type: CStatePoint::StepType; e the effectiveness, fraction 0…1. isNew
    // appends the point with the next identifier; otherwise its state and
    // recipe are replaced in place. 0 with *refusal telling why (the text of
    // process_steps::RefusalText), no message shown.
    int MakeProcessStepPoint(int kind, int index1, int index2, int type, float e, CStatePoint& point,
                             int isNew, const ChartRegion& region, const char** refusal = nullptr);
    // A new heat-recovery or evaporative point named name; refusals shown.
    int AddProcessStepPoint(int kind, const std::string& name, int index1, int index2, int type, float e,
                            const ChartRegion& window);
    // Base state (x kg/kg, h kJ/kg) and ε (kJ/kg) of HHR line k; a line through
    // two points takes its ε from their present states.
    bool HhrLineBase(int lineIndex, float& x, float& h, float& ratio) const;

    int RecomputeDependants(int pointIndex, const ChartRegion& fullChart);
    int RecomputeProcessLineDependants(int lineIndex, const ChartRegion& fullChart);
    int RecomputeHhrLineDependants(int lineIndex, const ChartRegion& fullChart);
    // The full chart as states, for callers without a chart layer (binding).
    StateRegion FullChartStates() const;
    void MakeIndependent(CStatePoint& point) const;

    // The edits of the edit dialogs. Each applies its change, then recomputes
    // the dependants; 0 when refused (nothing changed) or when a dependant
    // could not follow (the edit stays, see RecomputeDependants).
    int EditIndependentPoint(int index, const std::string& name, float t, float twOrRH, bool byRH,
                             const ChartRegion& fullChart);
    int EditMixingPoint(int index, const std::string& name, float percent, bool makeIndependent,
                        const ChartRegion& fullChart);
    int EditLinePoint(int index, const std::string& name, int valueKind, float value, bool makeIndependent,
                      const ChartRegion& fullChart);
    int EditIntersection(int index, const std::string& name, bool makeIndependent);
    // A new name, type and effectiveness of a heat-recovery or evaporative
    // point whose sources stay; refusals shown.
    int EditProcessStepPoint(int index, const std::string& name, int type, float e, bool makeIndependent,
                             const ChartRegion& fullChart);
    int EditRelatedPoints(int index, const std::string& name1, const std::string& name2, int differenceKind,
                          float difference, int propertyKind, float property, bool makeIndependent,
                          const ChartRegion& fullChart);
    int EditHhrLine(int index, const std::string& name, float ratio, const ChartRegion& fullChart);
    int EditProcessLine(int index, const std::string& name, int startIndex, int endIndex,
                        const ChartRegion& fullChart);

    // 1 (and the reason shown) when another object still depends on the object.
    int CheckDeleteConstraints(int objectClass, int index) const;
    // A point or process line of a comfort zone deletes the whole zone.
    int DeleteObject(int objectClass, int index);
    int DeleteComfortArea(int zoneIndex);

    // First of prefix + "0", "1", … that no object of the list carries.
    static std::string UniqueName(const ObjectArray<CStatePoint>& list, const std::string& prefix);
    static std::string UniqueName(const ObjectArray<CGuoChengXian>& list, const std::string& prefix);
    static std::string UniqueName(const ObjectArray<CReShiBiXian>& list, const std::string& prefix);
    static std::string UniqueName(const ObjectArray<CCommentString>& list, const std::string& prefix);
    // Comfort zone around point baseIndex: ±dt °C, ±dRhPercent %.
    int MakeComfortZone(int baseIndex, float dt, float dRhPercent);
    // Comfort zone on the given corners (t °C, RH fraction; P1 low t low RH,
    // P2 low t high RH, P3 high t low RH, P4 high t high RH), named after point
    // baseIndex, with its caption as a free text at chart position (x, y)
    // (none when the caption is empty). Same naming and replacement rules.
    int MakeComfortZone(int baseIndex, const qorva::psychro::ComfortCorners& corners,
                        const std::string& caption, int captionX, int captionY);
    // A free text at chart position (x, y) with the chart's current text font
    // and style. A text of nothing but blanks could be neither seen nor picked
    // again: refused with cidg_messages::kEmptyText, as by EditText.
    int AddText(const std::string& text, int x, int y, const LogFont& font, int style);
    int EditText(int index, const std::string& text);

private:
    // Recomputes everything reachable from dependency-graph node `source`.
    int RecomputeFrom(int sourceNode, const ChartRegion& fullChart);
    int RecomputePoint(int index, const ChartRegion& fullChart);
    // Removal without constraint checks, renumbering every reference.
    void RemovePoint(int index);
    void RemoveProcessLine(int index);
    void RemoveHhrLine(int index);
    void RemoveText(int index);
    int DeleteChecked(int objectClass, int index);
};

// Refusals of the chart model that the dialogs also give for a field that
// holds no value (context "CIDG").
namespace cidg_messages {
inline constexpr const char* kMixingRatioRange = QT_TRANSLATE_NOOP("CIDG", "混风比必须为0到100之间的数(%)!");
inline constexpr const char* kEmptyText = QT_TRANSLATE_NOOP("CIDG", "说明文字为空，请输入文字!");
} // namespace cidg_messages
