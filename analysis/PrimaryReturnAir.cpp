#include <algorithm>

#include <QCoreApplication>

#include "analysis/AnalysisSupport.h"
#include "model/UnitFormat.h"
#include "psychro/QorvaDll.h"

// The primary return-air system (一次回风系统): outdoor air W mixes with return
// air N into C, the coil cools C to the machine-dew-point state L, the fan and
// the reheater lift it to the supply state O on the room's ε line. In winter
// the fresh air is preheated (or the mixture heated), heated to M and
// humidified to O.

using namespace analysis_support;
using unit_format::Format;

namespace {

using slot = CServiceArea::AnalysisWord;

void setIndex(CServiceArea& room, int word, int index)
{
    room.m_anaW[static_cast<std::size_t>(word)].i = index;
}
void setValue(CServiceArea& room, int word, float value)
{
    room.m_anaW[static_cast<std::size_t>(word)].f = value;
}

// "label：干球温度 t℃   湿球温度 tw℃   相对湿度 RH%" of the winter column.
std::string winterState(Steps& steps, int index, const std::string& head)
{
    return WinterStateText(steps.idg(), steps.point(index), head);
}

void summer(Steps& steps, const PrimaryParams& params, std::string& reason, int& result)
{
    CIDG& idg = steps.idg();
    CServiceArea& room = steps.room();
    PrepareCondition(idg, kConditionSummer);
    setIndex(room, primary_slot::kMaxDifference, params.maxDifference);

    // The supply state O on the ε line and the coil outlet L.
    int o = -1, l = -1, p = -1;
    if (params.maxDifference && params.fanRise != 0.0f) {
        CStatePoint supply, outlet;
        supply.m_strName = "O";
        outlet.m_strName = "L";
        if (!idg.MakeRelatedPoints(kRoomLine, 0, 1, params.fanRise, 0, 0, 0, params.dewPoint, 0, 0, supply,
                                   outlet, 1, idg.FullChartStates()))
            stop(QCoreApplication::translate("PrimaryReturnAir", "计算L、0点").toStdString());
        o = supply.m_nId;
        l = outlet.m_nId;
    } else if (params.maxDifference) {
        // O itself is the coil outlet at the machine dew point.
        o = steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kRelativeHumidity,
                            params.dewPoint);
        if (o < 0)
            stop(idg.m_strLastNote);
    } else {
        o = steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kTemperatureDifference,
                            -params.supplyDifference);
        if (o < 0)
            stop(idg.m_strLastNote);
        l = steps.linePoint("L", CIDG::kMethodEqualMoisture, o, CStatePoint::kRelativeHumidity,
                            params.dewPoint);
        if (l < 0) {
            const std::string note = idg.m_strLastNote;
            steps.removeFrom(o);
            stop(params.fanRise != 0.0f
                     ? QCoreApplication::translate("PrimaryReturnAir", "计算O点的等含湿量点L").toStdString()
                     : note);
        }
        if (params.fanRise != 0.0f) {
            p = steps.linePoint("P", CIDG::kMethodEqualMoisture, l, CStatePoint::kTemperatureDifference,
                                params.fanRise);
            if (p < 0) {
                steps.removeFrom(o);
                stop(QCoreApplication::translate("PrimaryReturnAir", "计算L点的等含湿量点P").toStdString());
            }
        }
    }
    setIndex(room, primary_slot::kSupply, o);
    setIndex(room, primary_slot::kCoilOutlet, l);
    setIndex(room, primary_slot::kFanOutlet, p);

    const float load = idg.RoomLoad();
    const float g = steps.airVolume(o, kIndoor, load);
    if (g == -1.0f)
        stop("");
    setValue(room, primary_slot::kSupplyVolume, g);

    const float fresh = idg.RoomFreshAir();
    if (fresh == 0.0f)
        stop(QCoreApplication::translate("AnalysisFramework", analysis_messages::kNoFreshAir).toStdString());
    const float r = fresh / g;
    setValue(room, primary_slot::kFreshRatio, r);

    const int c = steps.mixingPoint("C", kIndoor, kOutdoor, r);
    if (c < 0)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算混合点C点").toStdString());
    setIndex(room, primary_slot::kMixing, c);

    const int cooledTo = l >= 0 ? l : o;
    const float cooling = steps.capacity(c, cooledTo, g);
    if (cooling == -1.0f)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算O(或L)点与C点的处理冷量").toStdString());
    setValue(room, primary_slot::kCooling, cooling);
    const int reheatFrom = p >= 0 ? p : l;
    const float reheat = reheatFrom >= 0 ? steps.reheat(reheatFrom, o, g) : 0.0f;
    if (reheat == -1.0f)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算P(或L)点与O点的再热量").toStdString());
    setValue(room, primary_slot::kReheat, reheat);
    const float ratio = (*idg.m_pHhrLines)[kRoomLine]->m_fRatio;
    setValue(room, primary_slot::kRatio, ratio);

    steps.result(text_kind::kAirVolume, {{value_slot::kAirVolume, g}, {value_slot::kLoad, load}}, o, kIndoor);
    steps.result(text_kind::kCooling, {{value_slot::kAirVolume, g}, {value_slot::kCooling, cooling}}, c,
                 cooledTo);
    if (l >= 0 && !params.maxDifference)
        steps.result(text_kind::kReheat, {{value_slot::kAirVolume, g}, {value_slot::kReheat, reheat}},
                     reheatFrom, o);
    const auto stateText = [&](int index, const std::string& label) {
        CCommentString* s = steps.text(text_kind::kState, label + steps.stateValues(index), -1, -1);
        s->m_nRefExtra = index;
        s->m_strValue = label;
        s->m_fValues[value_slot::kAirVolume] = g;
    };
    stateText(c, "空调器进风状态点参数C");
    stateText(cooledTo, l >= 0 ? "空调器出风状态点参数L" : "空调器出风状态点参数O");
    stateText(o, "送风状态点O");
    steps.result(text_kind::kMixingRatio, {{value_slot::kAirVolume, g}, {value_slot::kRatio, r}}, kIndoor,
                 kOutdoor, c);
    steps.result(text_kind::kHeatMoistureRatio,
                 {{value_slot::kAirVolume, g}, {value_slot::kHeatMoistureRatio, ratio}}, o, kIndoor);

    steps.line("W1-C", kOutdoor, c);
    steps.line("N1-C", kIndoor, c);
    steps.line("O-N1", o, kIndoor);
    if (p >= 0) {
        steps.line("P-O", p, o);
        steps.line("L-P", l, p);
        steps.line("C-L", c, l);
    } else if (l >= 0) {
        steps.line("L-O", l, o);
        steps.line("C-L", c, l);
    } else {
        steps.line("C-O", c, o);
    }

    // A cooling-only run leaves the heating view and its results (the flag
    // among them) alone.
    if (params.winter == 1)
        setIndex(room, primary_slot::kWinterFlag, 1);
    result = params.winter == 1 ? RunPrimaryWinter(idg, params, g, reason) : 1;
}

void winter(Steps& steps, const PrimaryParams& params, float g)
{
    CIDG& idg = steps.idg();
    CServiceArea& room = steps.room();
    if (!PrepareCondition(idg, kConditionWinter))
        stop(QCoreApplication::translate("PrimaryReturnAir", "重置视图为冬季视图").toStdString());
    setValue(room, primary_slot::kWinterVolume, g);

    // The supply state from the winter heat balance: Q (W) = ρw·G·Δh/3.6.
    const float load = idg.RoomLoad();
    const float density = idg.m_fWinterDensity;
    if (g <= 0.0f || density == 0.0f)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算焓差").toStdString());
    const float rise = static_cast<float>(double(load) * 3.6 / g / density);
    const int o = steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kEnthalpy,
                                  steps.point(kIndoor).m_h + rise);
    if (o < 0)
        stop(idg.m_strLastNote);
    setIndex(room, primary_slot::kWinterSupply, o);

    const float rw = idg.RoomFreshAir() / g;
    setValue(room, primary_slot::kWinterFreshRatio, rw);
    float xs = 0, hs = 0;
    if (!px0h0x1_xh(idg.m_fSummerPressure, steps.point(o).m_d, steps.point(o).m_h, 1, 2, params.dewPoint, &xs,
                    &hs) ||
        !(rw > 0.0f))
        stop("");

    int preheated = -1, mixedFirst = -1, c = -1;
    const auto failMixing = [&] {
        steps.removeFrom(o);
        setIndex(room, primary_slot::kWinterSupply, -1);
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算C点").toStdString());
    };
    if (params.preheatMode == kPreheatFirst) {
        preheated = steps.linePoint("W'", CIDG::kMethodEqualMoisture, kOutdoor,
                                    CStatePoint::kTemperatureDifference, params.preheatDifference);
        if (preheated < 0)
            failMixing();
        c = steps.mixingPoint("C", kIndoor, preheated, rw);
        if (c < 0)
            failMixing();
    } else {
        mixedFirst = steps.mixingPoint("C'", kIndoor, kOutdoor, rw);
        if (mixedFirst < 0)
            failMixing();
        // Heating the mixture must lift the fresh air at least as much as
        // preheating it alone would.
        const double xw = steps.point(kOutdoor).m_d, xm = steps.point(mixedFirst).m_d;
        const double lifted = params.preheatDifference * rw * (1.01 + 1.85 * xw) / (1.01 + 1.85 * xm);
        const float rise2 = static_cast<float>(std::max(double(params.preheatDifference), lifted));
        c = steps.linePoint("C", CIDG::kMethodEqualMoisture, mixedFirst, CStatePoint::kTemperatureDifference,
                            rise2);
        if (c < 0)
            failMixing();
    }
    setIndex(room, primary_slot::kPreheated, preheated);
    setIndex(room, primary_slot::kMixedBeforeHeating, mixedFirst);
    setIndex(room, primary_slot::kHeaterInlet, c);

    const int method =
        params.humidifyMode == kHumidifySteam ? CIDG::kMethodEqualTemperature : CIDG::kMethodEqualEnthalpy;
    const int m = steps.linePoint("M", method, o, CStatePoint::kMoistureContent, steps.point(c).m_d);
    if (m < 0) {
        steps.removeFrom(o);
        for (int word : {primary_slot::kWinterSupply, primary_slot::kHeaterInlet, primary_slot::kPreheated,
                         primary_slot::kMixedBeforeHeating})
            setIndex(room, word, -1);
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算M点").toStdString());
    }
    setIndex(room, primary_slot::kHeaterOutlet, m);
    if (steps.point(m).m_RH > params.dewPoint)
        stop(QCoreApplication::translate("PrimaryReturnAir",
                                         "预热量不足,导致M点的相对湿度太高,请调整预热温差!")
                 .toStdString());

    steps.line("M-O", m, o);
    steps.line("O-N", o, kIndoor);
    if (preheated >= 0) {
        steps.line("W-W'", kOutdoor, preheated);
        steps.line("W'-C", preheated, c);
        steps.line("N-C", kIndoor, c);
    } else {
        steps.line("W-C'", kOutdoor, mixedFirst);
        steps.line("C'-C", mixedFirst, c);
        steps.line("N-C'", kIndoor, mixedFirst);
    }
    steps.line("C-M", c, m);

    const float heating = steps.heating(c, m, g);
    if (heating == -1.0f)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算加热量").toStdString());
    const float preheatVolume = preheated >= 0 ? g * rw : g;
    const float preheat =
        preheated >= 0 ? steps.reheat(kOutdoor, preheated, preheatVolume) : steps.reheat(c, mixedFirst, g);
    if (preheat == -1.0f)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算再热量").toStdString());
    const float water = steps.moistureFlow(m, o, g);
    if (water == -1.0f)
        stop(QCoreApplication::translate("PrimaryReturnAir", "计算M点和O点的加湿量").toStdString());
    const float ratio = (*idg.m_pHhrLines)[kRoomLine]->m_fRatio;
    setValue(room, primary_slot::kHeating, heating);
    setValue(room, primary_slot::kPreheat, preheat);
    setValue(room, primary_slot::kHumidification, water);
    setValue(room, primary_slot::kWinterRatio, ratio);
    setValue(room, primary_slot::kPreheatDifference, params.preheatDifference);
    setIndex(room, primary_slot::kHumidifyMode, params.humidifyMode);
    setIndex(room, primary_slot::kPreheatMode, params.preheatMode);

    steps.result(text_kind::kAirVolume, {{value_slot::kAirVolume, g}, {value_slot::kLoad, load}}, o, kIndoor);
    steps.result(text_kind::kHeating, {{value_slot::kAirVolume, g}, {value_slot::kHeating, heating}}, c, m);
    steps.result(text_kind::kPreheat,
                 {{value_slot::kAirVolume, preheatVolume}, {value_slot::kPreheat, preheat}},
                 preheated >= 0 ? kOutdoor : c, preheated >= 0 ? preheated : mixedFirst);
    steps.result(text_kind::kHumidification,
                 {{value_slot::kAirVolume, g}, {value_slot::kMoistureFlow, water}}, m, o);
    // The state after preheating: W' when the fresh air is preheated, C when
    // the mixture is heated.
    const int afterPreheat = preheated >= 0 ? preheated : c;
    CCommentString* t =
        steps.text(text_kind::kLabel,
                   "预热后出风温度：" + unit_format::Temperature(steps.idg().m_nUnitSystem, "%.1f℃",
                                                                 steps.point(afterPreheat).m_t),
                   -1, -1);
    t->m_strValue = "预热后出风温度：";
    const auto stateText = [&](int index, const std::string& head, const std::string& label) {
        CCommentString* s = steps.text(text_kind::kState, winterState(steps, index, head), -1, -1);
        s->m_nRefExtra = index;
        s->m_strValue = label;
        s->m_fValues[value_slot::kAirVolume] = g;
    };
    stateText(c, "加热盘管进风状态点C：干球温度 ", "加热盘管进风状态点C");
    stateText(m, "加热盘管出风状态点M 干球温度 ", "加热盘管出风状态点M");
    stateText(o, "送风状态点O：干球温度 ", "送风状态点O");
    steps.result(text_kind::kMixingRatio, {{value_slot::kAirVolume, g}, {value_slot::kRatio, rw}}, kIndoor,
                 preheated >= 0 ? preheated : kOutdoor, preheated >= 0 ? c : mixedFirst);
    steps.result(text_kind::kHeatMoistureRatio,
                 {{value_slot::kAirVolume, g}, {value_slot::kHeatMoistureRatio, ratio}}, o, kIndoor);
}

} // namespace

int RunPrimaryReturnAir(CIDG& idg, const PrimaryParams& params, std::string& reason)
{
    if (!idg.CurrentRoom()) {
        reason = QCoreApplication::translate("PrimaryReturnAir", "获得当前房间信息").toStdString();
        return 0;
    }
    Steps steps(idg);
    int result = 0;
    try {
        summer(steps, params, reason, result);
    } catch (const AnalysisStop& stopped) {
        reason = stopped.reason;
        return 0;
    }
    return result;
}

int RunPrimaryWinter(CIDG& idg, const PrimaryParams& params, float supplyVolume, std::string& reason)
{
    if (!idg.CurrentRoom())
        return 0;
    Steps steps(idg);
    try {
        winter(steps, params, supplyVolume);
    } catch (const AnalysisStop& stopped) {
        reason = stopped.reason;
        return 0;
    }
    return 1;
}
