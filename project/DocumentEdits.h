#pragma once

#include <QString>

#include <string>

#include "model/CIDG.h"

class CQORVADoc;

// One end of a process line being drawn: an existing point (index ≥ 0,
// renamed to name when that differs), or a new independent point (index −1)
// at the state of `point`, appended under name when the user agrees.
struct ProcessLineEnd {
    int index = -1;
    std::string name;
    CStatePoint point;
};

// Which property fixes a new or edited independent point besides its dry bulb.
enum class SecondProperty { WetBulb, RelativeHumidity };

// The builder and edit dialogs' changes of the chart, each one named undo
// step of the document (ChangeCurrentRoom). A refusal shows its message,
// leaves the project as it was and records nothing; the functions return
// whether the change was made. New points must lie in `window`, the drawn
// chart window; edits test against the full chart, so a dependant never
// fails because the user zoomed in. An edit whose dependants cannot follow
// is refused as a whole, so the chart never holds a dependant left behind.
// Values are in stored units (°C, kg/kg, fraction, kJ/kg).
class DocumentEdits {
public:
    explicit DocumentEdits(CQORVADoc& document) : m_document(document) {}

    bool AddIndependentPoint(const std::string& name, float t, float second, SecondProperty kind,
                             const ChartRegion& window);
    bool EditIndependentPoint(int index, const std::string& name, float t, float second, SecondProperty kind);
    // Asks before appending a new end point; Cancel refuses the whole line.
    bool AddProcessLine(const std::string& name, const ProcessLineEnd& start, const ProcessLineEnd& end);
    // The ends are existing points; an end whose name differs from its
    // point's renames that point. A changed line name is asked about first
    // ("修改已经存在的过程线吗"); Cancel sets *renameDeclined.
    bool EditProcessLine(int index, const std::string& name, const ProcessLineEnd& start,
                         const ProcessLineEnd& end, bool* renameDeclined = nullptr);
    // Through point1 and point2 (byPoints) or through point1 with ratio ε (kJ/kg).
    bool AddHhrLine(const std::string& name, int point1, bool byPoints, int point2, float ratio);
    bool EditHhrLine(int index, const std::string& name, float ratio);
    // percent: the share of point2, %.
    bool AddMixingPoint(const std::string& name, int point1, int point2, float percent,
                        const ChartRegion& window);
    bool EditMixingPoint(int index, const std::string& name, float percent, bool makeIndependent);
    // A heat-recovery point (kind CStatePoint::kHeatRecovery: entering air
    // point1, exhaust point2) or an evaporative point (kEvaporative: entering
    // air point1, point2 unused); type CStatePoint::StepType, e the
    // effectiveness 0…1. With its result texts for airVolume m³/h, in one step.
    bool AddProcessStepPoint(int kind, const std::string& name, int point1, int point2, int type, float e,
                             float airVolume, const ChartRegion& window);
    bool EditProcessStepPoint(int index, const std::string& name, int type, float e, bool makeIndependent);
    // method: CIDG::LineMethod; valueKind: CStatePoint::ValueKind.
    bool AddLinePoint(int method, int baseIndex, int valueKind, float value, const std::string& name,
                      const ChartRegion& window);
    bool EditLinePoint(int index, const std::string& name, int valueKind, float value, bool makeIndependent);
    // type: CIDG::CrossType.
    bool AddIntersection(int type, int line1, int line2, const std::string& name, const ChartRegion& window);
    bool EditIntersection(int index, const std::string& name, bool makeIndependent);
    // differenceKind 0 Δt, 1 Δx; propertyKind 0 t, 1 RH, 2 x, 3 tw, 4 h.
    bool AddRelatedPoints(int hhrLine, int differenceKind, float difference, int propertyKind, float property,
                          const std::string& name1, const std::string& name2, const ChartRegion& window);
    bool EditRelatedPoints(int index, const std::string& name1, const std::string& name2, int differenceKind,
                           float difference, int propertyKind, float property, bool makeIndependent);
    // objectClass: CIDG::ObjectClass; a member of a comfort zone deletes the zone.
    bool DeleteObject(int objectClass, int index);
    bool DeleteComfortArea(int zoneIndex);
    bool MakeComfortZone(int baseIndex, float dt, float dRhPercent);
    // A comfort zone on given corners (a zone of the design code or a PMV
    // zone) with its caption at chart position (x, y): one step.
    bool MakeComfortZone(int baseIndex, const qorva::psychro::ComfortCorners& corners,
                         const std::string& caption, int x, int y);
    // A free text at chart position (x, y) with the chart's text font.
    bool AddText(const std::string& text, int x, int y);
    bool EditText(int index, const std::string& text);

    // Undo texts of the line-point methods and intersection types.
    static QString LinePointKindName(int method);
    static QString ObjectName(const CIDG& idg, int objectClass, int index);

private:
    bool Change(const QString& text, const std::function<bool(CIDG&)>& edit);

    CQORVADoc& m_document;
};
