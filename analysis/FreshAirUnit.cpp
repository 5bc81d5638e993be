#include "analysis/AnalysisSupport.h"
#include "model/UnitFormat.h"
#include "psychro/QorvaDll.h"

// The fresh-air unit (新风工况分析): in summer it cools the outdoor air W to L,
// the state on the room's enthalpy line at the machine dew point; in winter
// it heats W at constant moisture to W' and humidifies it by a chosen amount
// to M. With heat recovery from the exhaust the outdoor air first passes the
// exchanger to W1, and the coils work from there: W → W1 → L in summer,
// W → W1 → W' → M in winter, the loads taken from W1.

using namespace analysis_support;

namespace {

void setIndex(CServiceArea& room, int word, int index)
{
    room.m_anaW[static_cast<std::size_t>(word)].i = index;
}
void setValue(CServiceArea& room, int word, float value)
{
    room.m_anaW[static_cast<std::size_t>(word)].f = value;
}

void summer(Steps& steps, const FreshAirParams& params)
{
    CIDG& idg = steps.idg();
    if (!PrepareCondition(idg, kConditionSummer))
        stop("");
    CServiceArea& room = steps.room();
    const float fresh = idg.RoomFreshAir();
    const Steps::Recovered recovered = steps.recoverFreshAir(params.recovery, fresh);
    const int inlet = recovered.inlet;
    const int l = steps.linePoint("L", CIDG::kMethodEqualEnthalpy, kIndoor, CStatePoint::kRelativeHumidity,
                                  params.dewPoint);
    if (l < 0)
        stop("");
    setIndex(room, freshair_slot::kCoilOutlet, l);
    if (steps.airVolume(kOutdoor, l, idg.RoomLoad()) == -1.0f)
        stop("");
    setValue(room, freshair_slot::kMarker, -1.0f);
    const float cooling = steps.capacity(inlet, l, fresh);
    if (cooling == -1.0f)
        stop("");
    setValue(room, freshair_slot::kCooling, cooling);
    float dh = 0;
    if (!h1h2_deltah(steps.point(inlet).m_h, steps.point(l).m_h, &dh))
        stop("");
    setValue(room, freshair_slot::kEnthalpyDifference, dh);

    const auto stateText = [&](int index, const std::string& label) {
        CCommentString* s = steps.text(text_kind::kState, label + steps.stateValues(index), -1, -1);
        s->m_nRefExtra = index;
        s->m_strValue = label;
        s->m_fValues[value_slot::kAirVolume] = fresh;
    };
    if (recovered.placed()) {
        stateText(kOutdoor, "热回收器进风状态点参数W");
        stateText(inlet, "空调器进风状态点参数W1");
    } else {
        stateText(kOutdoor, "空调器进风状态点参数W");
    }
    stateText(l, "空调器出风状态点参数L");
    steps.result(text_kind::kFreshAirCooling,
                 {{value_slot::kAirVolume, fresh}, {value_slot::kCooling, cooling}}, inlet, l);
    steps.result(text_kind::kTreatmentEnthalpy,
                 {{value_slot::kAirVolume, fresh}, {value_slot::kEnthalpyDifference, dh}}, inlet, l);
    steps.recoveryText(recovered, fresh);
    if (recovered.placed()) {
        steps.line("W-W1", kOutdoor, inlet);
        steps.line("W1-L", inlet, l);
    } else {
        steps.line("W-L", kOutdoor, l);
    }
}

void winter(Steps& steps, const FreshAirParams& params)
{
    CIDG& idg = steps.idg();
    if (!PrepareCondition(idg, kConditionWinter))
        stop("");
    CServiceArea& room = steps.room();
    const float fresh = idg.RoomFreshAir();
    const Steps::Recovered recovered = steps.recoverFreshAir(params.recovery, fresh);
    const int inlet = recovered.inlet;
    // The heater lifts the air it receives to t_h: W, or W1 after the exchanger.
    const float lift = recovered.placed() ? params.heatTo - steps.point(inlet).m_t
                                          : params.heatTo - idg.m_rooms.m_fWinterOutT;
    const int heated =
        steps.linePoint("W'", CIDG::kMethodEqualMoisture, inlet, CStatePoint::kTemperatureDifference, lift);
    if (heated < 0)
        stop("");
    setIndex(room, freshair_slot::kHeated, heated);
    if (!(fresh > 0.0f) || !(idg.m_fWinterDensity > 0.0f))
        stop("");
    // The water added to the fresh-air stream, per kg of dry air.
    const float dx = static_cast<float>(double(params.humidification) * 1000.0 /
                                        (double(idg.m_fWinterDensity) * fresh) * 0.001);
    const int method =
        params.humidifyMode == kHumidifySteam ? CIDG::kMethodEqualTemperature : CIDG::kMethodEqualEnthalpy;
    const int m = steps.linePoint("M", method, heated, CStatePoint::kMoistureDifference, dx);
    if (m < 0)
        stop("");
    setIndex(room, freshair_slot::kHumidified, m);
    if (recovered.placed()) {
        steps.line("W-W1", kOutdoor, inlet);
        steps.line("W1-W'", inlet, heated);
    } else {
        steps.line("W-W'", kOutdoor, heated);
    }
    steps.line("W'-M", heated, m);
    const float heating = steps.heating(inlet, heated, fresh);
    if (heating == -1.0f)
        stop("");
    setValue(room, freshair_slot::kHumidification, params.humidification);
    setValue(room, freshair_slot::kHeatingKw, heating * 0.001f);

    const auto stateText = [&](int index, const std::string& label) {
        CCommentString* s = steps.text(text_kind::kState, label + steps.stateValues(index), -1, -1);
        s->m_nRefExtra = index;
        s->m_strValue = label;
        s->m_fValues[value_slot::kAirVolume] = fresh;
    };
    if (recovered.placed()) {
        stateText(kOutdoor, "热回收器进风状态点参数W");
        stateText(inlet, "加热盘管进风状态点参数W1");
    } else {
        stateText(kOutdoor, "加热盘管进风状态点参数W");
    }
    stateText(heated, "加热盘管出风状态点参数W'");
    steps.result(text_kind::kFreshAirHeating,
                 {{value_slot::kAirVolume, fresh}, {value_slot::kHeating, heating}}, inlet, heated);
    steps.result(text_kind::kHumidification,
                 {{value_slot::kAirVolume, fresh}, {value_slot::kMoistureFlow, params.humidification}},
                 heated, m);
    steps.recoveryText(recovered, fresh);
}

} // namespace

int RunFreshAirUnit(CIDG& idg, const FreshAirParams& params, std::string& reason)
{
    CServiceArea* room = idg.CurrentRoom();
    if (!room)
        return 0;
    Steps steps(idg);
    try {
        summer(steps, params);
        // A cooling-only run leaves the heating view and its results alone.
        if (params.humidifyMode >= 0) {
            setIndex(*room, freshair_slot::kWinterFlag, 1);
            winter(steps, params);
        }
    } catch (const AnalysisStop& stopped) {
        reason = stopped.reason;
        return 0;
    }
    return 1;
}
