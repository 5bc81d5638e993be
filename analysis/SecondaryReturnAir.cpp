#include "analysis/AnalysisSupport.h"
#include <QCoreApplication>

#include "model/UnitFormat.h"

// The secondary return-air system (二次回风系统): W mixes with a first share
// of return air into C, the coil treats C to L, the fan lifts L to Q and Q
// mixes with a second share of return air into the supply state O, which
// replaces reheat. In winter the (preheated) fresh air W' mixes with the
// first share into C1, is humidified to L, mixes with the second share into
// C2 and is heated to O.

using namespace analysis_support;
using unit_format::Format;

namespace {

void storeFloat(std::int32_t& slot, float value)
{
    CServiceArea::AnalysisWord word{};
    word.f = value;
    slot = word.i;
}
float loadFloat(std::int32_t slot)
{
    CServiceArea::AnalysisWord word{};
    word.i = slot;
    return word.f;
}

struct SummerResult {
    float supplyVolume = 0, secondVolume = 0, firstVolume = 0;
};

SummerResult summer(Steps& steps, const SecondaryParams& params)
{
    CIDG& idg = steps.idg();
    PrepareCondition(idg, kConditionSummer);
    CServiceArea& room = steps.room();
    auto& ints = room.m_anaI;
    const float fresh = idg.RoomFreshAir();
    if (fresh == 0.0f)
        stop(QCoreApplication::translate("AnalysisFramework", analysis_messages::kNoFreshAir).toStdString());
    const float dewPoint = static_cast<float>(params.dewPointPercent * 0.01);

    const int o = steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kTemperatureDifference,
                                  static_cast<float>(-params.supplyDifference));
    if (o < 0)
        stop(idg.m_strLastNote);

    int q = -1, l = -1;
    if (params.fanRise != 0.0) {
        // Q walks down the ε line in steps of 0.1 K until the coil outlet L
        // below it at the machine dew point lies no more than Δtf lower.
        double s = params.fanRise;
        bool found = false;
        for (int step = 0; step < kMaxSearchSteps && !found; ++step) {
            s -= 0.1;
            q = steps.linePoint("Q", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kTemperatureDifference,
                                static_cast<float>(s));
            const std::string qNote = idg.m_strLastNote;
            l = q >= 0 ? steps.linePoint("L", CIDG::kMethodEqualMoisture, q, CStatePoint::kRelativeHumidity,
                                         dewPoint)
                       : -1;
            if (q < 0 || l < 0) {
                const std::string lNote = q >= 0 ? idg.m_strLastNote : std::string();
                steps.removeFrom(o);
                stop(QCoreApplication::translate("SecondaryReturnAir", "根据温差试算Q点和L点\n")
                         .toStdString() +
                     qNote + "\n" + lNote + "\n" + idg.DescribePoint(steps.point(kOutdoor)));
            }
            if (double(steps.point(q).m_t) - steps.point(l).m_t - params.fanRise > 0.0)
                steps.removeFrom(q);
            else
                found = true;
        }
        if (!found) {
            steps.removeFrom(o);
            stop(QCoreApplication::translate("SecondaryReturnAir", "根据温差试算Q点和L点\n").toStdString() +
                 QCoreApplication::translate("AnalysisFramework", analysis_messages::kSearchExhausted)
                     .toStdString());
        }
    } else {
        q = steps.linePoint("Q", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kRelativeHumidity, dewPoint);
        if (q < 0)
            stop(idg.m_strLastNote);
    }
    ints[secondary_slot::kSupply] = o;
    ints[secondary_slot::kFanOutlet] = q;
    ints[secondary_slot::kCoilOutlet] = l;

    const float load = idg.RoomLoad();
    const float g = steps.airVolume(o, kIndoor, load);
    if (g == -1.0f)
        stop("");
    storeFloat(ints[secondary_slot::kSupplyVolume], g);

    // O divides the segment from Q to N: the share of room air is the second return air.
    const float g2 = static_cast<float>(leverShare(steps.point(q), steps.point(o), steps.point(kIndoor)) * g);
    const float g1 = g - g2 - fresh;
    storeFloat(ints[secondary_slot::kSecondVolume], g2);
    storeFloat(ints[secondary_slot::kFirstVolume], g1);
    storeFloat(ints[secondary_slot::kFreshRatio], fresh / g);

    const float coilVolume = g - g2;
    const int c = steps.mixingPoint("C", kIndoor, kOutdoor, fresh / coilVolume);
    if (c < 0)
        stop(QCoreApplication::translate("SecondaryReturnAir", "计算混合点C点").toStdString() +
             idg.DescribePoint(steps.point(kOutdoor)) + "\n" + idg.DescribePoint(steps.point(kIndoor)));
    ints[secondary_slot::kMixing] = c;
    const int treatedTo = l >= 0 ? l : q;
    const float cooling = steps.capacity(c, treatedTo, coilVolume);
    if (cooling == -1.0f)
        stop("");
    storeFloat(ints[secondary_slot::kCooling], cooling);
    const float ratio = (*idg.m_pHhrLines)[kRoomLine]->m_fRatio;
    storeFloat(ints[secondary_slot::kRatio], ratio);

    steps.line("N-C", kIndoor, c);
    steps.line("W-C", kOutdoor, c);
    if (l >= 0) {
        steps.line("C-L", c, l);
        steps.line("L-Q", l, q);
    } else {
        steps.line("C-Q", c, q);
    }
    steps.line("Q-O", q, o);
    steps.line("O-N", o, kIndoor);

    steps.result(text_kind::kAirVolume, {{value_slot::kAirVolume, g}, {value_slot::kLoad, load}}, o, kIndoor);
    steps.result(text_kind::kCooling, {{value_slot::kAirVolume, coilVolume}, {value_slot::kCooling, cooling}},
                 c, treatedTo);
    AddStateText(idg, c, "空调器进风状态点");
    AddStateText(idg, treatedTo, "空调器出风状态点");
    AddStateText(idg, o, "送风状态点");
    steps.result(text_kind::kHeatMoistureRatio, {{value_slot::kHeatMoistureRatio, ratio}}, o, kIndoor);
    steps.text(text_kind::kPlain, "新风比：" + Format("%.0f", double(fresh) / g * 100.0) + "%", -1, -1);
    steps.text(text_kind::kPlain,
               unit_format::TemperatureDifference(steps.idg().m_nUnitSystem, "送风温差:%.2f℃",
                                                  params.supplyDifference),
               -1, -1);
    steps.text(text_kind::kPlain,
               unit_format::AirVolume(steps.idg().m_nUnitSystem, "一次回风量: %.2f m^3/h", g1), -1, -1);
    steps.text(text_kind::kPlain,
               unit_format::AirVolume(steps.idg().m_nUnitSystem, "二次回风量: %.2f m^3/h", g2), -1, -1);
    return {g, g2, g1};
}

void winter(Steps& steps, const SecondaryParams& params)
{
    CIDG& idg = steps.idg();
    if (!idg.CurrentRoom())
        stop(QCoreApplication::translate("SecondaryReturnAir", "获得当前房间的信息").toStdString());
    // A cooling-only run leaves the heating view and its results alone.
    if (params.winter == 0)
        return;
    if (!PrepareCondition(idg, kConditionWinter))
        stop(QCoreApplication::translate("SecondaryReturnAir", "初始化房间信息").toStdString());
    CServiceArea& room = steps.room();
    auto& ints = room.m_anaI;
    auto& doubles = room.m_anaD;
    const float fresh = idg.RoomFreshAir();
    if (fresh == 0.0f)
        stop(QCoreApplication::translate("AnalysisFramework", analysis_messages::kNoFreshAir).toStdString());
    const float g2 = loadFloat(ints[secondary_slot::kSecondVolume]);
    const float g1 = loadFloat(ints[secondary_slot::kFirstVolume]);
    const float gw = g2 + fresh + g1;
    doubles[secondary_slot::kWinterFirstVolume] = g1;
    doubles[secondary_slot::kWinterSecondVolume] = g2;
    doubles[secondary_slot::kWinterVolume] = gw;

    int preheated = kOutdoor;
    if (params.preheatDifference > 0.0) {
        preheated =
            steps.linePoint("W'", CIDG::kMethodEqualMoisture, kOutdoor, CStatePoint::kTemperatureDifference,
                            static_cast<float>(params.preheatDifference));
        if (preheated < 0)
            stop(idg.m_strLastNote);
    }
    const int c1 = steps.mixingPoint("C1", kIndoor, preheated, fresh / (fresh + g1));
    if (c1 < 0)
        stop(QCoreApplication::translate("SecondaryReturnAir", "计算N点和Wp点的混合点C1点\n").toStdString() +
             idg.DescribePoint(steps.point(kIndoor)) + "\n" + idg.DescribePoint(steps.point(preheated)));

    // Winter supply from the heat balance Q (W) = ρw·Gw·Δh/3.6.
    const float load = idg.RoomLoad();
    if (gw <= 0.0f || idg.m_fWinterDensity <= 0.0f)
        stop(QCoreApplication::translate("SecondaryReturnAir", "计算焓差").toStdString());
    const float rise = static_cast<float>(double(load) * 3.6 / (double(gw) * idg.m_fWinterDensity));
    const int o = steps.linePoint("O", CIDG::kMethodHhrLine, kRoomLine, CStatePoint::kEnthalpy,
                                  steps.point(kIndoor).m_h + rise);
    if (o < 0)
        stop(idg.m_strLastNote);

    // The primary stream must reach x_L so that mixing it with G2 of room air gives x_O.
    const double xn = steps.point(kIndoor).m_d;
    const float xl =
        static_cast<float>(xn + double(gw) / (double(gw) - g2) * (double(steps.point(o).m_d) - xn));
    const int method =
        params.humidifyMode == kHumidifySteam ? CIDG::kMethodEqualTemperature : CIDG::kMethodEqualEnthalpy;
    const int l = steps.linePoint("L", method, c1, CStatePoint::kMoistureContent, xl);
    if (l < 0)
        stop(idg.m_strLastNote);

    steps.line("L-N", l, kIndoor);
    const int ln = static_cast<int>(idg.m_pProcessLines->size()) - 1;
    const int c2 = steps.linePoint("C2", CIDG::kMethodProcessLine, ln, CStatePoint::kMoistureContent,
                                   steps.point(o).m_d);
    if (c2 < 0)
        stop(QCoreApplication::translate("SecondaryReturnAir", "求C2点（O点的等湿线与L-N线的交点）\n")
                 .toStdString() +
             idg.m_strLastNote + "\n" +
             idg.DescribeLine(*(*idg.m_pProcessLines)[static_cast<std::size_t>(ln)]) + "\n" +
             idg.DescribePoint(steps.point(o)));
    ints[secondary_slot::kWinterOutdoor] = kOutdoor;
    ints[secondary_slot::kPreheated] = preheated;
    ints[secondary_slot::kFirstMix] = c1;
    ints[secondary_slot::kSecondMix] = c2;
    ints[secondary_slot::kWinterSupply] = o;
    ints[secondary_slot::kHumidified] = l;

    // Only the primary stream Gw − G2 passes the humidifier.
    const float humidifiedVolume = gw - g2;
    const float water = steps.moistureFlow(c1, l, humidifiedVolume);
    if (water == -1.0f)
        stop(QCoreApplication::translate("SecondaryReturnAir", "计算C1点和L点的加湿量\n").toStdString() +
             idg.DescribePoint(steps.point(c1)) + "\n" + idg.DescribePoint(steps.point(l)));
    const float heating = steps.heating(c2, o, gw);
    if (heating == -1.0f)
        stop(QCoreApplication::translate("SecondaryReturnAir", "计算C2点和O点的加热量\n").toStdString() +
             idg.DescribePoint(steps.point(c2)) + "\n" + idg.DescribePoint(steps.point(o)));
    doubles[secondary_slot::kHumidification] = water;
    doubles[secondary_slot::kHeating] = heating;

    if (preheated != kOutdoor) {
        steps.line("W-W'", kOutdoor, preheated);
        steps.line("W'-C1", preheated, c1);
    } else {
        steps.line("W-C1", kOutdoor, c1);
    }
    steps.line("N-C1", kIndoor, c1);
    steps.line("C1-L", c1, l);
    steps.line("L-C2", l, c2);
    steps.line("N-C2", kIndoor, c2);
    steps.line("C2-O", c2, o);

    steps.result(text_kind::kHeating, {{value_slot::kAirVolume, gw}, {value_slot::kHeating, heating}}, c2, o);
    steps.result(text_kind::kHumidification,
                 {{value_slot::kAirVolume, humidifiedVolume}, {value_slot::kMoistureFlow, water}}, c1, l);
    if (preheated != kOutdoor)
        AddStateText(idg, preheated, "预热后点");
    AddStateText(idg, c1, "一次混风点");
    AddStateText(idg, l, "加湿后点");
    AddStateText(idg, c2, "二次混风点");
    AddStateText(idg, o, "送风点");
    steps.result(text_kind::kAirVolume, {{value_slot::kAirVolume, gw}, {value_slot::kLoad, load}}, o,
                 kIndoor);
    steps.text(text_kind::kPlain,
               unit_format::AirVolume(steps.idg().m_nUnitSystem, "一次回风量: %.2f m^3/h", g1), -1, -1);
    steps.text(text_kind::kPlain,
               unit_format::AirVolume(steps.idg().m_nUnitSystem, "二次回风量: %.2f m^3/h", g2), -1, -1);
}

} // namespace

int RunSecondaryReturnAir(CIDG& idg, const SecondaryParams& params, std::string& reason)
{
    if (!idg.CurrentRoom()) {
        reason = QCoreApplication::translate("SecondaryReturnAir", "获得当前房间信息").toStdString();
        return 0;
    }
    Steps steps(idg);
    try {
        summer(steps, params);
        winter(steps, params);
    } catch (const AnalysisStop& stopped) {
        reason = stopped.reason;
        return 0;
    }
    return 1;
}
