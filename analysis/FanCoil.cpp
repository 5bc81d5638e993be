
#include <QCoreApplication>

#include "analysis/AnalysisSupport.h"
#include "model/UnitFormat.h"

// The fan-coil plus fresh-air system (风机盘管加新风系统): a fresh-air unit
// treats the outdoor air to L at the machine dew point (its fan lifting it to
// K on the room's enthalpy line), the fan coils treat the room air, and the
// two streams meet either after treatment (K and D mix into O) or before it
// (K and N mix into C, which the fan coil takes to O). In winter the
// fresh-air unit heats W to Q and humidifies it to K. With heat recovery from
// the exhaust the fresh-air unit treats W1, the outdoor air after the
// exchanger, instead of W.

using namespace analysis_support;
using unit_format::Format;

namespace {

class FanCoilSteps : public Steps {
public:
    using Steps::Steps;

    void totalAir(int a, int b, float g)
    {
        result(text_kind::kAirVolume, {{value_slot::kAirVolume, g}, {value_slot::kLoad, idg().RoomLoad()}}, a,
               b);
    }
    // The capacity of a coil, a plain text with the capacity's label.
    void capacityLine(const std::string& label, int a, int b, float volume)
    {
        const float q = heating(a, b, volume);
        if (q == -1.0f)
            stop("");
        text(text_kind::kPlain,
             label + "(" + name(a) + "-" + name(b) + "): " + unit_format::Capacity(idg().m_nUnitSystem, q),
             -1, -1);
    }
    // The water the air from a to b takes up; a negative flow is worded as
    // the dehumidification it is.
    void moisture(int a, int b, float volume)
    {
        const float w = moistureFlow(a, b, volume);
        if (w == -1.0f)
            stop("");
        result(text_kind::kHumidification, {{value_slot::kAirVolume, volume}, {value_slot::kMoistureFlow, w}},
               a, b);
    }
    // The share of p1 in the mixture p2 of p1 and p3, stored as a mixing
    // ratio of p3 and p1 (the share of its second point) mixed into p2.
    void mixRatio(int p1, int p2, int p3)
    {
        const float s = static_cast<float>(leverShare(point(p3), point(p2), point(p1)));
        result(text_kind::kMixingRatio, {{value_slot::kRatio, s}}, p3, p1, p2);
    }
};

// The fresh air's way into the fresh-air unit's first coil (to, named coil): W-L or W-Q,
// or through the exchanger W-W1 and W1-L or W1-Q.
void freshAirLine(FanCoilSteps& steps, const Steps::Recovered& recovered, const std::string& coil, int to)
{
    if (recovered.placed()) {
        steps.line("W-W1", kOutdoor, recovered.inlet);
        steps.line("W1-" + coil, recovered.inlet, to);
    } else {
        steps.line("W-" + coil, kOutdoor, to);
    }
}

float summer(FanCoilSteps& steps, const FanCoilParams& params)
{
    CIDG& idg = steps.idg();
    PrepareCondition(idg, kConditionSummer);
    steps.room(); // stops without a current room
    const float fresh = idg.RoomFreshAir();
    if (fresh == 0.0f)
        stop(QCoreApplication::translate("AnalysisFramework", analysis_messages::kNoFreshAir).toStdString());
    const float dewPoint = static_cast<float>(params.dewPointPercent * 0.01);
    const Steps::Recovered recovered = steps.recoverFreshAir(params.recovery, fresh);
    const int inlet = recovered.inlet;

    int k = -1, l = -1;
    if (params.fanRise > 0.0) {
        // K walks along N's enthalpy line towards saturation in steps of
        // 0.0001 kg/kg until L, at K's moisture and the machine dew point,
        // lies no more than Δtf below it.
        const std::string indoor = idg.DescribePoint(steps.point(kIndoor));
        bool found = false;
        for (int step = 1; step <= kMaxSearchSteps && !found; ++step) {
            const float s = static_cast<float>(step * 0.0001);
            k = steps.linePoint("K", CIDG::kMethodEqualEnthalpy, kIndoor, CStatePoint::kMoistureDifference,
                                s);
            const std::string kNote = idg.m_strLastNote;
            if (k < 0)
                stop(QCoreApplication::translate("FanCoil", "试算K点\n").toStdString() + indoor + "\n" +
                     kNote);
            l = steps.linePoint("L", CIDG::kMethodEqualMoisture, k, CStatePoint::kRelativeHumidity, dewPoint);
            if (l < 0) {
                const std::string lNote = idg.m_strLastNote;
                steps.removeFrom(k);
                stop(QCoreApplication::translate("FanCoil", "试算L点\n").toStdString() + indoor + "\n" +
                     kNote + "\n" + lNote);
            }
            if (double(steps.point(k).m_t) - steps.point(l).m_t - params.fanRise > 0.0)
                steps.removeFrom(k);
            else
                found = true;
        }
        if (!found)
            stop(QCoreApplication::translate("FanCoil", "试算K点\n").toStdString() +
                 QCoreApplication::translate("AnalysisFramework", analysis_messages::kSearchExhausted)
                     .toStdString());
    } else {
        l = steps.linePoint("L", CIDG::kMethodEqualEnthalpy, kIndoor, CStatePoint::kRelativeHumidity,
                            dewPoint);
        if (l < 0)
            stop(idg.m_strLastNote);
        k = l;
    }

    const int o =
        params.maxDifference
            ? steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kRelativeHumidity, dewPoint)
            : steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kDryBulb,
                              static_cast<float>(steps.point(kIndoor).m_t - params.supplyDifference));
    if (o < 0)
        stop(idg.m_strLastNote);
    const float g = steps.airVolume(o, kIndoor, idg.RoomLoad());
    if (g == -1.0f)
        stop("");

    if (params.mixMode == kMixThenTreat) {
        const int c = steps.mixingPoint("C", kIndoor, k, fresh / g);
        if (c < 0)
            stop(QCoreApplication::translate("FanCoil", "计算C点\n").toStdString() +
                 idg.DescribePoint(steps.point(kIndoor)) + "\n" + idg.DescribePoint(steps.point(k)));
        steps.line("N-C", kIndoor, c);
        freshAirLine(steps, recovered, "L", l);
        if (k != l) {
            steps.line("L-K", l, k);
            steps.line("K-C", k, c);
        } else {
            steps.line("L-C", l, c);
        }
        steps.line("C-O", c, o);
        steps.line("O-N", o, kIndoor);
        AddStateText(idg, kIndoor, "室内点");
        AddStateText(idg, kOutdoor, "室外点");
        if (recovered.placed())
            AddStateText(idg, recovered.inlet, "热回收后点");
        AddStateText(idg, c, "混合点");
        AddStateText(idg, o, "送风点");
        steps.moisture(inlet, l, fresh);
        steps.moisture(c, o, g);
        steps.capacityLine("风机盘管制冷量", c, o, g);
    } else {
        // D, the fan-coil outlet, balances the mixture of K and D into O.
        const CStatePoint& so = steps.point(o);
        const CStatePoint& sk = steps.point(k);
        const double coil = double(g) - fresh;
        const float xd = static_cast<float>((double(g) * so.m_d - double(fresh) * sk.m_d) / coil);
        const float hd = static_cast<float>((double(g) * so.m_h - double(fresh) * sk.m_h) / coil);
        const int d = steps.pointFromMoistureEnthalpy("D", xd, hd);
        if (d < 0)
            stop(QCoreApplication::translate("FanCoil", "计算D点").toStdString() +
                 Format("\n D:%f  H:%f", double(xd), double(hd)));
        steps.line("N-D", kIndoor, d);
        steps.line("D-O", d, o);
        steps.line("O-N", o, kIndoor);
        freshAirLine(steps, recovered, "L", l);
        if (k != l) {
            steps.line("L-K", l, k);
            steps.line("K-O", k, o);
        } else {
            steps.line("L-O", l, o);
        }
        AddStateText(idg, kIndoor, "室内点");
        AddStateText(idg, kOutdoor, "室外点");
        if (recovered.placed())
            AddStateText(idg, recovered.inlet, "热回收后点");
        AddStateText(idg, o, "送风点");
        steps.mixRatio(k, o, d);
        steps.moisture(inlet, l, fresh);
        steps.moisture(kIndoor, d, g - fresh);
        steps.capacityLine("风机盘管制冷量", kIndoor, d, g - fresh);
    }
    steps.totalAir(o, kIndoor, g);
    steps.capacityLine("新风空调器制冷量", inlet, l, fresh);
    steps.recoveryText(recovered, fresh);
    return g;
}

void winter(FanCoilSteps& steps, const FanCoilParams& params, float g)
{
    // A cooling-only run leaves the heating view and its results alone.
    if (params.winter == 0)
        return;
    CIDG& idg = steps.idg();
    if (!idg.CurrentRoom() || !PrepareCondition(idg, kConditionWinter))
        stop(QCoreApplication::translate("FanCoil", "获得当前房间失败").toStdString());
    // The winter balances use the winter fresh-air volume.
    const float fresh = idg.RoomFreshAir();
    if (fresh == 0.0f)
        stop(QCoreApplication::translate("AnalysisFramework", analysis_messages::kNoFreshAir).toStdString());
    if (g <= 0.0f || idg.m_fWinterDensity <= 0.0f)
        stop(QCoreApplication::translate("FanCoil", "计算焓差").toStdString());
    const CStatePoint& n = steps.point(kIndoor);
    const float rise = static_cast<float>(double(idg.RoomLoad()) * 3.6 / (double(g) * idg.m_fWinterDensity));
    const int o = steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kEnthalpy, n.m_h + rise);
    if (o < 0)
        stop(idg.m_strLastNote);
    const bool isothermal = params.humidifyMode == kHumidifySteam;
    const double xn = steps.point(kIndoor).m_d, hn = steps.point(kIndoor).m_h;
    const float xo = steps.point(o).m_d, ho = steps.point(o).m_h, to = steps.point(o).m_t;
    const Steps::Recovered recovered = steps.recoverFreshAir(params.recovery, fresh);
    const int inlet = recovered.inlet;
    const float xw = steps.point(inlet).m_d;
    int q = -1, k = -1;

    if (params.mixMode == kMixThenTreat) {
        const int c = steps.pointFromMoistureEnthalpy("C", xo, static_cast<float>(hn));
        if (c < 0)
            stop("");
        const float xk = static_cast<float>((double(xo) * g - xn * (double(g) - fresh)) / fresh);
        k = steps.pointFromMoistureEnthalpy("K", xk, static_cast<float>(hn));
        if (k < 0)
            stop(QCoreApplication::translate("FanCoil", "计算K点(先混后处理)").toStdString() +
                 Format("\nH:%.2f D:%.2f", hn, double(xk)));
        if (isothermal) {
            const float tk = steps.point(k).m_t;
            q = steps.pointFromTemperatureMoisture("Q", tk, xw);
            if (q < 0)
                stop(QCoreApplication::translate("FanCoil", "计算Q点(等温加湿)").toStdString() +
                     Format("\nGT:%.2f D:%.2f", double(tk), double(xw)));
        } else {
            q = steps.linePoint("Q", CIDG::kMethodEqualEnthalpy, k, CStatePoint::kMoistureContent, xw);
            if (q < 0)
                stop(idg.m_strLastNote);
        }
        freshAirLine(steps, recovered, "Q", q);
        steps.line("Q-K", q, k);
        steps.line("K-C", k, c);
        steps.line("N-C", kIndoor, c);
        steps.line("C-O", c, o);
        steps.line("O-N", o, kIndoor);
        AddStateText(idg, kIndoor, "室内点");
        AddStateText(idg, kOutdoor, "室外点");
        if (recovered.placed())
            AddStateText(idg, recovered.inlet, "热回收后点");
        AddStateText(idg, o, "送风点");
        AddStateText(idg, q, "新风机组加热后");
        AddStateText(idg, k, "新风机组出风点");
        steps.mixRatio(kIndoor, c, k);
    } else {
        q = isothermal ? steps.linePoint("Q", CIDG::kMethodEqualMoisture, inlet, CStatePoint::kDryBulb, to)
                       : steps.linePoint("Q", CIDG::kMethodEqualMoisture, inlet, CStatePoint::kEnthalpy, ho);
        if (q < 0)
            stop((isothermal ? QCoreApplication::translate("FanCoil", "计算Q点(等温加湿)")
                             : QCoreApplication::translate("FanCoil", "计算Q点(等焓加湿)"))
                     .toStdString() +
                 "\n" + idg.DescribePoint(steps.point(inlet)));
        const int d =
            isothermal
                ? steps.linePoint("D", CIDG::kMethodEqualMoisture, kIndoor, CStatePoint::kDryBulb, to)
                : steps.linePoint("D", CIDG::kMethodEqualMoisture, kIndoor, CStatePoint::kEnthalpy, ho);
        if (d < 0)
            stop(idg.m_strLastNote);
        const float xk =
            static_cast<float>((double(xo) * g - double(steps.point(d).m_d) * (double(g) - fresh)) / fresh);
        if (isothermal) {
            k = steps.pointFromTemperatureMoisture("K", to, xk);
            if (k < 0)
                stop(QCoreApplication::translate("FanCoil", "计算K点(等温加湿)").toStdString() +
                     Format("\nGT:%.2f D:%.2f", double(to), double(xk)));
        } else {
            k = steps.linePoint("K", CIDG::kMethodEqualEnthalpy, o, CStatePoint::kMoistureContent, xk);
            if (k < 0)
                stop(idg.m_strLastNote);
        }
        freshAirLine(steps, recovered, "Q", q);
        steps.line("Q-K", q, k);
        steps.line("K-O", k, o);
        steps.line("N-D", kIndoor, d);
        steps.line("D-O", d, o);
        steps.line("O-N", o, kIndoor);
        AddStateText(idg, kIndoor, "室内点");
        AddStateText(idg, kOutdoor, "室外点");
        if (recovered.placed())
            AddStateText(idg, recovered.inlet, "热回收后点");
        AddStateText(idg, d, "盘管出风点");
        AddStateText(idg, o, "送风点");
        AddStateText(idg, q, "新风机组加热后");
        AddStateText(idg, k, "新风机组出风点");
        steps.mixRatio(d, o, k);
    }
    steps.totalAir(o, kIndoor, g);
    steps.capacityLine("盘管加热量", inlet, q, fresh);
    steps.moisture(q, k, fresh);
    steps.recoveryText(recovered, fresh);
}

} // namespace

int RunFanCoil(CIDG& idg, std::string& reason)
{
    CServiceArea* room = idg.CurrentRoom();
    if (!room)
        return 0;
    const FanCoilParams params = StoredFanCoilParams(*room);
    FanCoilSteps steps(idg);
    try {
        const float g = summer(steps, params);
        winter(steps, params, g);
    } catch (const AnalysisStop& stopped) {
        reason = stopped.reason;
        return 0;
    }
    return 1;
}
