#include "analysis/Binding.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include <QCoreApplication>

#include "analysis/ResultTexts.h"
#include "chart/ChartProperties.h"
#include "chart/ChartGeometry.h"
#include "chart/ResultWording.h"
#include "model/UnitFormat.h"
#include "model/Messages.h"

namespace {

using unit_format::Format;

bool isWinter(int condition)
{
    return condition == kConditionWinter;
}

// A design state as an independent point: dry-bulb with relative humidity
// (per cent) or with wet-bulb, as the state's selector says.
std::unique_ptr<CStatePoint> designPoint(const std::string& name, float t, float rhPercent, float tw,
                                         bool byRH, int id)
{
    auto point = std::make_unique<CStatePoint>();
    point->m_strName = name;
    point->m_nKind = CStatePoint::kIndependent;
    point->m_nId = id;
    point->m_t = t;
    point->m_bKnownT = 1;
    if (byRH) {
        point->m_RH = rhPercent * 0.01f;
        point->m_bKnownRH = 1;
    } else {
        point->m_tw = tw;
        point->m_bKnownTw = 1;
    }
    return point;
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A design point bound again from unchanged design data equals the one in
// the list in every saved field, to the bit: then nothing is replaced and
// nothing that depends on it is recomputed, so binding the same room twice
// changes nothing. Which pair was known is not saved: a point read back from
// a file or an undo snapshot is the same point.
bool sameBoundPoint(const CStatePoint& a, const CStatePoint& b)
{
    return a.m_strName == b.m_strName && a.m_nKind == b.m_nKind && a.m_nId == b.m_nId &&
           sameBits(a.m_t, b.m_t) && sameBits(a.m_d, b.m_d) && sameBits(a.m_tw, b.m_tw) &&
           sameBits(a.m_RH, b.m_RH) && sameBits(a.m_h, b.m_h);
}

// The bound point in the list, kept: it takes the known pair of the new one.
void adoptKnownPair(CStatePoint& kept, const CStatePoint& bound)
{
    kept.m_bKnownT = bound.m_bKnownT;
    kept.m_bKnownTw = bound.m_bKnownTw;
    kept.m_bKnownD = bound.m_bKnownD;
    kept.m_bKnownH = bound.m_bKnownH;
    kept.m_bKnownRH = bound.m_bKnownRH;
}

std::unique_ptr<CStatePoint> indoorDesignPoint(const CServiceArea& room, bool winter)
{
    return winter ? designPoint(room.m_strWinterInName, room.m_fWinterInT, room.m_fWinterInRH,
                                room.m_fWinterInTw, room.m_bWinterInByRH != 0, 1)
                  : designPoint(room.m_strSummerInName, room.m_fSummerInT, room.m_fSummerInRH,
                                room.m_fSummerInTw, room.m_bSummerInByRH != 0, 1);
}

} // namespace

bool DesignIndoorPoint(const CIDG& idg, const CServiceArea& room, int condition, CStatePoint& point)
{
    auto indoor = indoorDesignPoint(room, isWinter(condition));
    if (!idg.CalcStatePoint(*indoor))
        return false;
    point = *indoor;
    return true;
}

int BindCurrentRoom(CIDG& idg, bool reportFailure)
{
    CServiceArea* room = idg.CurrentRoom();
    if (!room || !idg.PointAtCurrentRoom())
        return 0;
    const bool winter = isWinter(idg.m_nCurCondition);

    auto outdoor = winter ? designPoint(idg.m_rooms.m_strWinterOutName, idg.m_rooms.m_fWinterOutT,
                                        idg.m_rooms.m_fWinterOutRH, idg.m_rooms.m_fWinterOutTw,
                                        idg.m_rooms.m_bWinterOutByRH != 0, 0)
                          : designPoint(idg.m_rooms.m_strSummerOutName, idg.m_rooms.m_fSummerOutT,
                                        idg.m_rooms.m_fSummerOutRH, idg.m_rooms.m_fSummerOutTw,
                                        idg.m_rooms.m_bSummerOutByRH != 0, 0);
    if (!idg.CalcStatePoint(*outdoor)) {
        if (reportFailure)
            alertMessage(
                QCoreApplication::translate("Binding", binding_messages::kOutdoorStateInvalid).toStdString(),
                MessageIcon::Exclamation);
        return 0;
    }
    auto indoor = indoorDesignPoint(*room, winter);
    // Both design points are completed before either enters the list, so a
    // failure leaves the view exactly as it was.
    if (!idg.CalcStatePoint(*indoor)) {
        if (reportFailure)
            alertMessage(
                QCoreApplication::translate("Binding", binding_messages::kIndoorStateInvalid).toStdString(),
                MessageIcon::Exclamation);
        return 0;
    }

    ObjectArray<CStatePoint>& points = *idg.m_pPoints;
    if (points.empty()) {
        points.push_back(std::move(outdoor));
    } else {
        if (sameBoundPoint(*points[0], *outdoor)) {
            adoptKnownPair(*points[0], *outdoor);
        } else {
            std::unique_ptr<CStatePoint> replaced = std::exchange(points[0], std::move(outdoor));
            idg.RecomputeDependants(0);
        }
    }
    if (points.size() == 1) {
        points.push_back(std::move(indoor));
    } else {
        if (sameBoundPoint(*points[1], *indoor)) {
            adoptKnownPair(*points[1], *indoor);
        } else {
            std::unique_ptr<CStatePoint> replaced = std::exchange(points[1], std::move(indoor));
            idg.RecomputeDependants(1);
        }
    }

    auto line = std::make_unique<CReShiBiXian>();
    line->m_strName = "ε";
    line->m_nId = 0;
    line->m_nPoint1 = 1;
    line->m_nMode = CReShiBiXian::kThroughPointWithRatio;
    line->m_fRatio = winter ? idg.HeatMoistureRatio(room->m_fWinterLoad, room->m_fWinterMoistLoad, true)
                            : idg.HeatMoistureRatio(room->m_fSummerLoad, room->m_fSummerMoistLoad, false);
    ObjectArray<CReShiBiXian>& lines = *idg.m_pHhrLines;
    if (lines.empty()) {
        lines.push_back(std::move(line));
    } else {
        const CReShiBiXian& old = *lines[0];
        const bool same = old.m_strName == line->m_strName && old.m_nPoint1 == line->m_nPoint1 &&
                          old.m_nMode == line->m_nMode && old.m_nId == line->m_nId &&
                          sameBits(old.m_fRatio, line->m_fRatio);
        if (!same) {
            std::unique_ptr<CReShiBiXian> replaced = std::exchange(lines[0], std::move(line));
            idg.RecomputeHhrLineDependants(0);
        }
    }
    return 1;
}

int PrepareCondition(CIDG& idg, int condition)
{
    CServiceArea* room = idg.CurrentRoom();
    if (!room)
        return 0;
    if (condition != room->m_nCondition)
        room->m_nCondition = condition;
    if (!idg.PointAtCurrentRoom())
        return 0;
    auto emptyBackwards = [](auto& list) {
        while (!list.empty())
            list.pop_back();
    };
    emptyBackwards(*idg.m_pPoints);
    emptyBackwards(*idg.m_pProcessLines);
    emptyBackwards(*idg.m_pHhrLines);
    emptyBackwards(*idg.m_pTexts);
    // The results stored in the room index the lists just emptied: those of
    // the condition being prepared go with them (the fresh-air code 3 works
    // in the summer lists).
    if (condition == kConditionSummer || condition == 3)
        room->ResetResults(1);
    else if (condition == kConditionWinter)
        room->ResetResults(2);
    return BindCurrentRoom(idg);
}

CGuoChengXian* AddProcessLine(CIDG& idg, const std::string& name, int startIndex, int endIndex)
{
    return idg.AddProcessLine(name, startIndex, endIndex);
}

std::string DescribePoint(const CIDG& idg, const CStatePoint& point)
{
    return idg.DescribePoint(point);
}

std::string DescribeLine(const CIDG& idg, const CGuoChengXian& line)
{
    return idg.DescribeLine(line);
}

void RewordResultTexts(CIDG& idg)
{
    if (!idg.m_pTexts)
        return;
    const double density = isWinter(idg.m_nCurCondition) ? idg.m_fWinterDensity : idg.m_fSummerDensity;
    for (const auto& text : *idg.m_pTexts) {
        if (text->m_nKind == static_cast<int>(ResultKind::MoistureDifference)) {
            // The moisture difference is not saved: it follows from the
            // moisture flow and the air volume at the density of the
            // condition, after loading as after a change of the density, so
            // the text reads the same either way.
            const double mass = double(text->m_fValues[result_slot::kAirVolume]) * density;
            if (mass > 0.0)
                text->m_fMoistDiff =
                    static_cast<float>(text->m_fValues[result_slot::kMoistureFlow] * 1000.0 / mass);
        }
        // A text made by this program already reads so; one of an older
        // project takes the one wording here.
        std::string words = result_wording::ResultWords(idg, *text, result_wording::Language::Stored);
        if (!words.empty())
            text->m_strText = std::move(words);
    }
}

int RefreshCurrentView(CIDG& idg)
{
    const int bound = BindCurrentRoom(idg, false);
    if (!idg.m_pPoints)
        return bound;
    // The design points W and N are what the binding made them; completing
    // them again from x and h would move t and RH by a bit and make the next
    // binding see a change where there is none.
    const std::size_t designPoints = bound ? 2 : 0;
    for (std::size_t i = designPoints; i < idg.m_pPoints->size(); ++i)
        idg.CalcStatePoint(*(*idg.m_pPoints)[i]);
    if (idg.m_pHhrLines)
        for (const auto& line : *idg.m_pHhrLines) {
            if (line->m_nMode != CReShiBiXian::kThroughTwoPoints || line->m_fRatio != 0.0f)
                continue;
            const CStatePoint* base = idg.PointAt(line->m_nPoint1);
            const CStatePoint* second = idg.PointAt(line->m_nPoint2);
            if (!base || !second)
                continue;
            if (const auto ratio = chartHeatMoistureRatio(base->m_d, base->m_h, second->m_d, second->m_h))
                line->m_fRatio = static_cast<float>(*ratio);
        }
    RewordResultTexts(idg);
    return bound;
}

namespace {

// Refreshes every condition of every room as RefreshAllViews does, with
// also run on each view after its refresh.
void refreshEachView(CIDG& idg, void (*also)(CIDG&))
{
    // Result texts follow the points this moves, as after any change; a
    // model without the hook (just read from a file) gets it for the walk.
    const bool ownHook = !idg.m_rebuildResultTexts;
    if (ownHook)
        idg.m_rebuildResultTexts = [&idg](int pointIndex) { RebuildResultTexts(idg, pointIndex); };
    const int system = idg.m_nCurSystem;
    const int roomIndex = idg.m_nCurRoom;
    const auto& systems = idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r) {
            CServiceArea& room = *systems[s]->m_rooms[r];
            const int shown = room.m_nCondition;
            idg.m_nCurSystem = static_cast<int>(s);
            idg.m_nCurRoom = static_cast<int>(r);
            for (int condition = 0; condition < kConditionCount; ++condition) {
                room.m_nCondition = condition;
                RefreshCurrentView(idg);
                if (also)
                    also(idg);
            }
            room.m_nCondition = shown;
        }
    idg.m_nCurSystem = system;
    idg.m_nCurRoom = roomIndex;
    if (!idg.PointAtCurrentRoom())
        idg.UnbindCurrentLists();
    else
        RefreshCurrentView(idg);
    if (ownHook)
        idg.m_rebuildResultTexts = nullptr;
}

} // namespace

void RefreshAllViews(CIDG& idg)
{
    refreshEachView(idg, nullptr);
}

void ApplyUnitSystem(CIDG& idg, int unitSystem)
{
    idg.m_nUnitSystem = unitSystem;
    // The refresh rewords the value texts; the state texts are written anew
    // from their points.
    refreshEachView(idg, RewordStateTexts);
}
