#include "analysis/AnalysisFramework.h"

#include <cmath>
#include <exception>
#include <initializer_list>
#include <set>

#include <QStringList>

#include <QCoreApplication>

#include "analysis/AnalysisSupport.h"
#include "model/ProcessSteps.h"
#include "chart/ResultWording.h"
#include "model/UnitFormat.h"
#include "psychro/QorvaDll.h"

namespace {

float wordF(const CServiceArea& room, int slot)
{
    return room.m_anaW[static_cast<std::size_t>(slot)].f;
}
int wordI(const CServiceArea& room, int slot)
{
    return room.m_anaW[static_cast<std::size_t>(slot)].i;
}
template <class Array> auto at(const Array& array, int slot)
{
    return array[static_cast<std::size_t>(slot)];
}

void storeRecovery(CServiceArea& room, const RecoveryParams& p)
{
    room.m_recovery.mode = p.mode;
    room.m_recovery.effectiveness = p.effectiveness;
}

void storeParams(CServiceArea& room, const PrimaryParams& p)
{
    room.m_anaW[primary_slot::kMaxDifference].i = p.maxDifference;
    room.m_anaW[primary_slot::kFanRise].f = p.fanRise;
    room.m_anaW[primary_slot::kSupplyDifference].f = p.supplyDifference;
    room.m_anaW[primary_slot::kDewPoint].f = p.dewPoint;
    room.m_anaW[primary_slot::kHumidifyMode].i = p.humidifyMode;
    room.m_anaW[primary_slot::kPreheatMode].i = p.preheatMode;
    room.m_anaW[primary_slot::kPreheatDifference].f = p.preheatDifference;
}

void storeParams(CServiceArea& room, const SecondaryParams& p)
{
    room.m_anaD[secondary_slot::kFanRise] = p.fanRise;
    room.m_anaD[secondary_slot::kSupplyDifference] = p.supplyDifference;
    room.m_anaD[secondary_slot::kPreheatDifference] = p.preheatDifference;
    room.m_anaI[secondary_slot::kDewPointPercent] = p.dewPointPercent;
    room.m_anaI[secondary_slot::kWinterFlag] = p.winter;
    room.m_anaI[secondary_slot::kHumidifyMode] = p.humidifyMode;
}

void storeParams(CServiceArea& room, const FanCoilParams& p)
{
    room.m_anaI[fancoil_slot::kMixMode] = p.mixMode;
    room.m_anaI[fancoil_slot::kMaxDifference] = p.maxDifference;
    room.m_anaD[fancoil_slot::kSupplyDifference] = p.supplyDifference;
    room.m_anaD[fancoil_slot::kFanRise] = p.fanRise;
    room.m_anaI[fancoil_slot::kDewPointPercent] = p.dewPointPercent;
    room.m_anaI[fancoil_slot::kWinterFlag] = p.winter;
    room.m_anaD[fancoil_slot::kHumidifyMode] = p.humidifyMode == kHumidifySteam ? 1.0 : 0.0;
    storeRecovery(room, p.recovery);
}

void storeParams(CServiceArea& room, const FreshAirParams& p)
{
    room.m_anaW[freshair_slot::kDewPoint].f = p.dewPoint;
    room.m_anaW[freshair_slot::kHeatTo].f = p.heatTo;
    room.m_anaW[freshair_slot::kHumidification].f = p.humidification;
    room.m_anaW[freshair_slot::kHumidifyMode].f = static_cast<float>(p.humidifyMode);
    storeRecovery(room, p.recovery);
}

std::string failureMessage(const AnalysisRequest& request, const std::string& reason)
{
    const std::string first =
        QCoreApplication::translate("AnalysisFramework", analysis_messages::kFailed).toStdString();
    switch (request.index()) {
    case 0:
        return first + "\n" + reason;
    case 3:
        return reason.empty() ? first : first + "\n\n" + reason;
    default:
        return first + "\n\n" + reason;
    }
}

} // namespace

PrimaryParams StoredPrimaryParams(const CServiceArea& room)
{
    PrimaryParams p;
    p.maxDifference = wordI(room, primary_slot::kMaxDifference);
    p.fanRise = wordF(room, primary_slot::kFanRise);
    p.supplyDifference = wordF(room, primary_slot::kSupplyDifference);
    p.dewPoint = wordF(room, primary_slot::kDewPoint);
    p.humidifyMode = wordI(room, primary_slot::kHumidifyMode);
    p.preheatMode = wordI(room, primary_slot::kPreheatMode);
    p.preheatDifference = wordF(room, primary_slot::kPreheatDifference);
    p.winter = p.humidifyMode >= 0 && p.preheatMode >= 0 ? 1 : 0;
    return p;
}

SecondaryParams StoredSecondaryParams(const CServiceArea& room)
{
    SecondaryParams p;
    p.fanRise = at(room.m_anaD, secondary_slot::kFanRise);
    p.supplyDifference = at(room.m_anaD, secondary_slot::kSupplyDifference);
    p.preheatDifference = at(room.m_anaD, secondary_slot::kPreheatDifference);
    p.dewPointPercent = at(room.m_anaI, secondary_slot::kDewPointPercent);
    p.winter = at(room.m_anaI, secondary_slot::kWinterFlag);
    p.humidifyMode = at(room.m_anaI, secondary_slot::kHumidifyMode);
    return p;
}

FanCoilParams StoredFanCoilParams(const CServiceArea& room)
{
    FanCoilParams p;
    p.mixMode = at(room.m_anaI, fancoil_slot::kMixMode);
    p.maxDifference = at(room.m_anaI, fancoil_slot::kMaxDifference);
    p.supplyDifference = at(room.m_anaD, fancoil_slot::kSupplyDifference);
    p.fanRise = at(room.m_anaD, fancoil_slot::kFanRise);
    p.dewPointPercent = at(room.m_anaI, fancoil_slot::kDewPointPercent);
    p.winter = at(room.m_anaI, fancoil_slot::kWinterFlag);
    p.humidifyMode =
        at(room.m_anaD, fancoil_slot::kHumidifyMode) == 1.0 ? kHumidifySteam : kHumidifyAdiabatic;
    p.recovery = {room.m_recovery.mode, room.m_recovery.effectiveness};
    return p;
}

FreshAirParams StoredFreshAirParams(const CServiceArea& room)
{
    FreshAirParams p;
    p.dewPoint = wordF(room, freshair_slot::kDewPoint);
    p.heatTo = wordF(room, freshair_slot::kHeatTo);
    p.humidification = wordF(room, freshair_slot::kHumidification);
    p.humidifyMode = static_cast<int>(wordF(room, freshair_slot::kHumidifyMode));
    p.recovery = {room.m_recovery.mode, room.m_recovery.effectiveness};
    return p;
}

std::string AnalysisName(const AnalysisRequest& request)
{
    static constexpr const char* kNames[] = {QT_TRANSLATE_NOOP("AnalysisFramework", "一次回风系统"),
                                             QT_TRANSLATE_NOOP("AnalysisFramework", "二次回风系统"),
                                             QT_TRANSLATE_NOOP("AnalysisFramework", "风机盘管加新风系统"),
                                             QT_TRANSLATE_NOOP("AnalysisFramework", "新风工况分析")};
    return QCoreApplication::translate("AnalysisFramework", kNames[request.index()]).toStdString();
}

namespace {

// The names the analyses give the points and process lines they place, and
// the openings of their plain texts (the other texts they write are result
// texts whose points are all W, N or such points).
const std::set<std::string> kAnalysisPointNames = {"O", "C", "L", "P",  "W'", "C'", "M",
                                                   "K", "D", "Q", "C1", "C2", "W1"};
const std::set<std::string> kAnalysisLineNames = {
    "W1-C",  "N1-C", "O-N1", "P-O",  "L-P",  "C-L",  "L-O",  "C-O",  "M-O",   "O-N", "W-W'",
    "W'-C",  "N-C",  "W-C'", "C'-C", "N-C'", "C-M",  "W-C",  "L-Q",  "C-Q",   "Q-O", "L-N",
    "W'-C1", "W-C1", "N-C1", "C1-L", "L-C2", "N-C2", "C2-O", "W-L",  "L-K",   "K-C", "L-C",
    "N-D",   "D-O",  "K-O",  "W-Q",  "Q-K",  "W'-M", "W-W1", "W1-L", "W1-W'", "W1-Q"};
// The fan coil's capacities read "风机盘管制冷量(N-D): …"; earlier builds wrote "风机盘管制冷量 (N-D) …".
constexpr const char* kAnalysisPlainTexts[] = {"预热后出风温度",    "新风比：",    "送风温差:",
                                               "一次回风量:",       "二次回风量:", "风机盘管制冷量(",
                                               "新风空调器制冷量(", "盘管加热量(", "风机盘管制冷量 ",
                                               "新风空调器制冷量 ", "盘管加热量 "};

bool isAnalysisPoint(const ObjectArray<CStatePoint>& points, int index)
{
    if (index < 0 || index >= static_cast<int>(points.size()))
        return false;
    return index <= analysis_support::kIndoor ||
           kAnalysisPointNames.contains(points[static_cast<std::size_t>(index)]->m_strName);
}

bool isAnalysisText(const ObjectArray<CStatePoint>& points, const CCommentString& text)
{
    if (text.m_nKind == text_kind::kPlain || text.m_nKind == text_kind::kLabel) {
        for (const char* opening : kAnalysisPlainTexts)
            if (text.m_strText.starts_with(opening))
                return true;
        return false;
    }
    if (text.m_nKind == text_kind::kState)
        return isAnalysisPoint(points, text.m_nRefExtra);
    for (int reference : text.m_nRef)
        if (reference >= 0 && !isAnalysisPoint(points, reference))
            return false;
    return true;
}

// The names of the conditions in the question.
const char* const kConditionNames[kConditionCount] = {QT_TRANSLATE_NOOP("AnalysisFramework", "普通工况"),
                                                      QT_TRANSLATE_NOOP("AnalysisFramework", "制冷工况"),
                                                      QT_TRANSLATE_NOOP("AnalysisFramework", "制热工况")};

void appendBits(std::string& bytes, const void* data, std::size_t size)
{
    bytes.append(static_cast<const char*>(data), size);
}

} // namespace

bool RunsWinter(const AnalysisRequest& request)
{
    if (const auto* p = std::get_if<PrimaryParams>(&request))
        return p->winter != 0;
    if (const auto* s = std::get_if<SecondaryParams>(&request))
        return s->winter != 0;
    if (const auto* f = std::get_if<FanCoilParams>(&request))
        return f->winter != 0;
    return std::get<FreshAirParams>(request).humidifyMode >= 0;
}

int DrawnObjectsInView(const CServiceArea& room, int condition)
{
    if (condition < 0 || condition >= kConditionCount)
        return 0;
    const auto c = static_cast<std::size_t>(condition);
    const auto& points = room.m_points[c];
    int count = 0;
    for (std::size_t i = 2; i < points.size(); ++i)
        count += isAnalysisPoint(points, static_cast<int>(i)) ? 0 : 1;
    for (const auto& line : room.m_processLines[c])
        count += kAnalysisLineNames.contains(line->m_strName) ? 0 : 1;
    const std::size_t hhrLines = room.m_hhrLines[c].size();
    count += hhrLines > 1 ? static_cast<int>(hhrLines) - 1 : 0;
    for (const auto& text : room.m_texts[c])
        count += isAnalysisText(points, *text) ? 0 : 1;
    return count;
}

std::vector<ClearedView> DrawnObjectsAnalysisClears(const CIDG& idg, const AnalysisRequest& request)
{
    std::vector<ClearedView> views;
    const CServiceArea* room = idg.CurrentRoom();
    if (!room)
        return views;
    for (const int condition : {int(kConditionSummer), int(kConditionWinter)}) {
        if (condition == kConditionWinter && !RunsWinter(request))
            continue;
        if (const int drawn = DrawnObjectsInView(*room, condition); drawn > 0)
            views.push_back({idg.m_nCurSystem, idg.m_nCurRoom, condition, drawn});
    }
    return views;
}

std::string ClearDrawnObjectsQuestion(const CIDG& idg, const std::vector<ClearedView>& views)
{
    int total = 0;
    QStringList lines;
    for (std::size_t i = 0; i < views.size();) {
        // One line per room, its views in order.
        const ClearedView& first = views[i];
        QStringList conditions;
        for (; i < views.size() && views[i].system == first.system && views[i].room == first.room; ++i) {
            total += views[i].objects;
            conditions << QCoreApplication::translate("AnalysisFramework",
                                                      kConditionNames[std::clamp(views[i].condition, 0, 2)]);
        }
        const auto& systems = idg.m_rooms.m_systems;
        const CServiceArea* room = idg.m_rooms.RoomAt(first.system, first.room);
        const QString system =
            room ? QString::fromStdString(systems[static_cast<std::size_t>(first.system)]->m_strName)
                 : QString();
        lines << QCoreApplication::translate("AnalysisFramework", "%1/%2：%3")
                     .arg(system, room ? QString::fromStdString(room->m_strName) : QString(),
                          conditions.join(QCoreApplication::translate("AnalysisFramework", "、")));
    }
    const QString rooms = lines.join(QLatin1Char('\n'));
    if (total == 1)
        return QCoreApplication::translate("AnalysisFramework", analysis_messages::kClearOneDrawnObject)
            .arg(rooms)
            .toStdString();
    return QCoreApplication::translate("AnalysisFramework", analysis_messages::kClearDrawnObjects)
        .arg(total)
        .arg(rooms)
        .toStdString();
}

std::string AnalysisInputsOf(const CIDG& idg, const CServiceArea& room)
{
    std::string bytes;
    const CAir_Room& outdoor = idg.m_rooms;
    for (const std::string* name : {&outdoor.m_strSummerOutName, &outdoor.m_strWinterOutName,
                                    &room.m_strSummerInName, &room.m_strWinterInName})
        bytes += *name + '\0';
    for (const float value :
         {outdoor.m_fSummerOutT,  outdoor.m_fSummerOutTw,  outdoor.m_fSummerOutRH, outdoor.m_fWinterOutT,
          outdoor.m_fWinterOutTw, outdoor.m_fWinterOutRH,  idg.m_fSummerPressure,  idg.m_fSummerDensity,
          idg.m_fWinterPressure,  idg.m_fWinterDensity,    room.m_fSummerFreshAir, room.m_fSummerInTw,
          room.m_fSummerInRH,     room.m_fSummerMoistLoad, room.m_fSummerLoad,     room.m_fSummerInT,
          room.m_fWinterFreshAir, room.m_fWinterInTw,      room.m_fWinterInRH,     room.m_fWinterMoistLoad,
          room.m_fWinterLoad,     room.m_fWinterInT})
        appendBits(bytes, &value, sizeof value);
    for (const std::int32_t flag : {outdoor.m_bSummerOutByRH, outdoor.m_bWinterOutByRH, room.m_bSummerInByRH,
                                    room.m_bWinterInByRH, idg.m_nUnitSystem})
        appendBits(bytes, &flag, sizeof flag);
    return bytes;
}

bool RunAnalysis(CIDG& idg, const AnalysisRequest& request, std::string& message)
{
    CServiceArea* room = idg.CurrentRoom();
    if (!room) {
        message = failureMessage(
            request, QCoreApplication::translate("AnalysisFramework", "获得当前房间信息").toStdString());
        return false;
    }
    const int remembered = room->m_nCondition;
    room->m_nCondition = kConditionSummer;
    std::string reason;
    int ok = 0;
    try {
        if (const auto* p = std::get_if<PrimaryParams>(&request))
            ok = RunPrimaryReturnAir(idg, *p, reason);
        else if (const auto* s = std::get_if<SecondaryParams>(&request))
            ok = RunSecondaryReturnAir(idg, *s, reason);
        else if (const auto* f = std::get_if<FanCoilParams>(&request)) {
            storeParams(*room, *f);
            ok = RunFanCoil(idg, reason);
        } else
            ok = RunFreshAirUnit(idg, std::get<FreshAirParams>(request), reason);
    } catch (const AnalysisError& error) {
        message =
            QCoreApplication::translate("AnalysisFramework", analysis_messages::kException).toStdString() +
            "\n" + error.what();
        return false;
    } catch (const std::exception&) {
        message = QCoreApplication::translate("AnalysisFramework", request.index() <= 1
                                                                       ? analysis_messages::kException
                                                                       : analysis_messages::kFailed)
                      .toStdString();
        return false;
    }
    if (!ok) {
        message = failureMessage(request, reason);
        return false;
    }
    std::visit([room](const auto& params) { storeParams(*room, params); }, request);
    if (request.index() <= 1) {
        // The view shown before, when the run made it; else the cooling view.
        const bool made =
            remembered == kConditionSummer || (remembered == kConditionWinter && RunsWinter(request));
        room->m_nCondition = made ? remembered : kConditionSummer;
        idg.PointAtCurrentRoom();
        BindCurrentRoom(idg);
    }
    return true;
}

const std::vector<PointIndexSlot>& AnalysisPointIndexSlots()
{
    using enum PointIndexSlot::Store;
    static const std::vector<PointIndexSlot> indexSlots = [] {
        std::vector<PointIndexSlot> all;
        const auto add = [&all](PointIndexSlot::Store store, int condition,
                                std::initializer_list<int> words) {
            for (int word : words)
                all.push_back({store, word, condition});
        };
        using namespace primary_slot;
        add(kWord, kConditionSummer, {kSupply, kMixing, kCoilOutlet, kFanOutlet});
        add(kWord, kConditionWinter,
            {kWinterSupply, kHeaterOutlet, kHeaterInlet, kPreheated, kMixedBeforeHeating});
        add(kInt, kConditionSummer,
            {secondary_slot::kSupply, secondary_slot::kFanOutlet, secondary_slot::kCoilOutlet,
             secondary_slot::kMixing});
        add(kInt, kConditionWinter,
            {secondary_slot::kWinterOutdoor, secondary_slot::kPreheated, secondary_slot::kFirstMix,
             secondary_slot::kSecondMix, secondary_slot::kWinterSupply, secondary_slot::kHumidified});
        add(kWord, kConditionSummer, {freshair_slot::kCoilOutlet});
        add(kWord, kConditionWinter, {freshair_slot::kHumidified, freshair_slot::kHeated});
        return all;
    }();
    return indexSlots;
}

namespace {

// Every program that runs analyses links this file, so deletion in the
// chart model knows the slots from the start.
[[maybe_unused]] const bool kSlotsRegistered = (SetPointIndexSlots(AnalysisPointIndexSlots()), true);

} // namespace

bool RerunPrimaryAnalyses(CIDG& idg, std::string& reason, const std::function<bool(int, int)>& rerun)
{
    const int system = idg.m_nCurSystem;
    const int roomIndex = idg.m_nCurRoom;
    const auto& systems = idg.m_rooms.m_systems;
    bool ok = true;
    for (std::size_t s = 0; s < systems.size() && ok; ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size() && ok; ++r) {
            CServiceArea& room = *systems[s]->m_rooms[r];
            if (room.m_anaW[primary_slot::kSupply].i == -1 ||
                (rerun && !rerun(static_cast<int>(s), static_cast<int>(r))))
                continue;
            idg.m_nCurSystem = static_cast<int>(s);
            idg.m_nCurRoom = static_cast<int>(r);
            const int shown = room.m_nCondition;
            room.m_nCondition = kConditionSummer;
            // The winter part runs when both stored winter modes hold a
            // choice, as the dialog decides it.
            const PrimaryParams params = StoredPrimaryParams(room);
            try {
                ok = RunPrimaryReturnAir(idg, params, reason) == 1;
            } catch (const std::exception& error) {
                reason = error.what();
                ok = false;
            }
            if (!ok && idg.PointAtCurrentRoom()) {
                idg.m_pPoints->clear();
                idg.m_pProcessLines->clear();
                idg.m_pHhrLines->clear();
                idg.m_pTexts->clear();
                room.ResetResults(1);
                room.ResetResults(2);
            }
            room.m_nCondition = shown;
        }
    idg.m_nCurSystem = system;
    idg.m_nCurRoom = roomIndex;
    if (idg.PointAtCurrentRoom())
        BindCurrentRoom(idg, false);
    else
        idg.UnbindCurrentLists();
    return ok;
}
