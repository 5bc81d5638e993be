#include "analysis/AnnualFreshAir.h"

#include <algorithm>
#include <charconv>

#include "analysis/Binding.h"
#include "psychro/QorvaDll.h"

namespace {

enum class Need { None, Cooling, Heating };

// kJ/kg times kg/h is kJ/h; 3600 kJ make a kWh, and an hour's kWh is its kW.
constexpr double kKiloJoulesPerKilowattHour = 3600.0;

void addHour(FreshAirEnergy& energy, Need need, double kwh, int month, int hourIndex)
{
    if (kwh <= 0.0)
        return;
    const bool cooling = need == Need::Cooling;
    (cooling ? energy.coolingKwh : energy.heatingKwh) += kwh;
    ++(cooling ? energy.coolingHours : energy.heatingHours);
    if (month >= 1 && month <= 12)
        (cooling ? energy.months[month - 1].coolingKwh : energy.months[month - 1].heatingKwh) += kwh;
    PeakHour& peak = cooling ? energy.peakCooling : energy.peakHeating;
    if (kwh > peak.kw)
        peak = {kwh, hourIndex};
}

// The enthalpy of W after the exchanger, moved towards N.
double recoveredEnthalpy(const WeatherHour& w, const IndoorAir& n, const HeatRecovery& recovery)
{
    const double eta = recovery.effectiveness;
    if (recovery.kind == RecoveryKind::Total)
        return w.h + eta * (double(n.h) - w.h);
    const auto t = static_cast<float>(w.t + eta * (double(n.t) - w.t));
    float h = 0;
    if (!tx_h(t, w.x, &h))
        return w.h; // a state the library cannot take: the exchanger is bypassed
    return h;
}

// One room's need in one hour: what W decides, and the kWh without and with
// recovery.
struct HourNeed {
    Need need = Need::None;
    double plain = 0;
    double recovered = 0;
};

HourNeed hourNeed(const FreshAirYearInputs& inputs, const WeatherHour& w, const HeatRecovery& recovery)
{
    HourNeed result;
    result.need = w.h > inputs.cooling.h   ? Need::Cooling
                  : w.h < inputs.heating.h ? Need::Heating
                                           : Need::None;
    if (result.need == Need::None)
        return result;
    const bool cooling = result.need == Need::Cooling;
    const IndoorAir& n = cooling ? inputs.cooling : inputs.heating;
    const double flow = cooling ? inputs.coolingFlow : inputs.heatingFlow;
    // What the coil must take out (cooling) or put in (heating) per kg.
    const auto lift = [&](double h) { return cooling ? h - n.h : n.h - h; };
    result.plain = lift(w.h) * flow / kKiloJoulesPerKilowattHour;
    if (recovery.kind != RecoveryKind::None)
        result.recovered = std::min(result.plain, std::max(0.0, lift(recoveredEnthalpy(w, n, recovery))) *
                                                      flow / kKiloJoulesPerKilowattHour);
    return result;
}

} // namespace

FreshAirYears ComputeFreshAirYears(const std::vector<FreshAirYearInputs>& rooms, const WeatherYear& year,
                                   const HourFilter& schedule, const HeatRecovery& recovery)
{
    FreshAirYears result;
    result.rooms.resize(rooms.size());
    const bool recovering = recovery.kind != RecoveryKind::None;
    if (recovering) {
        result.total.withRecovery.emplace();
        for (FreshAirYear& room : result.rooms)
            room.withRecovery.emplace();
    }
    const int count = static_cast<int>(year.hours.size());
    for (int i = 0; i < count; ++i) {
        const WeatherHour& w = year.hours[std::size_t(i)];
        if (!schedule.Keeps(w))
            continue;
        ++result.total.operatedHours;
        // The hour's sums over the rooms, without and with recovery.
        double cooling[2] = {0, 0};
        double heating[2] = {0, 0};
        for (std::size_t r = 0; r < rooms.size(); ++r) {
            FreshAirYear& room = result.rooms[r];
            ++room.operatedHours;
            const HourNeed need = hourNeed(rooms[r], w, recovery);
            if (need.need == Need::None)
                continue;
            double* sums = need.need == Need::Cooling ? cooling : heating;
            sums[0] += need.plain;
            sums[1] += need.recovered;
            addHour(room.without, need.need, need.plain, w.month, i);
            if (recovering)
                addHour(*room.withRecovery, need.need, need.recovered, w.month, i);
        }
        addHour(result.total.without, Need::Cooling, cooling[0], w.month, i);
        addHour(result.total.without, Need::Heating, heating[0], w.month, i);
        if (recovering) {
            addHour(*result.total.withRecovery, Need::Cooling, cooling[1], w.month, i);
            addHour(*result.total.withRecovery, Need::Heating, heating[1], w.month, i);
        }
    }
    return result;
}

FreshAirYear ComputeFreshAirYear(const FreshAirYearInputs& inputs, const WeatherYear& year,
                                 const HourFilter& schedule, const HeatRecovery& recovery)
{
    FreshAirYears years = ComputeFreshAirYears({inputs}, year, schedule, recovery);
    return std::move(years.rooms.front());
}

RoomFreshAirInputs RoomAnnualInputs(const CIDG& idg, const CServiceArea& room,
                                    std::optional<double> typedFlowKgPerH)
{
    RoomFreshAirInputs result;
    result.summerVolume = room.m_fSummerFreshAir;
    result.winterVolume = room.m_fWinterFreshAir;
    result.summerDensity = idg.m_fSummerDensity;
    result.winterDensity = idg.m_fWinterDensity;
    FreshAirYearInputs& in = result.inputs;
    if (typedFlowKgPerH) {
        result.typed = true;
        in.coolingFlow = in.heatingFlow = std::max(0.0, *typedFlowKgPerH);
        if (in.coolingFlow <= 0.0)
            result.problem = RoomInputProblem::NoFreshAir;
    } else {
        const bool summer = result.summerVolume > 0.0;
        const bool winter = result.winterVolume > 0.0;
        if (!summer && !winter)
            result.problem = RoomInputProblem::NoFreshAir;
        else if ((summer && !(result.summerDensity > 0.0)) || (winter && !(result.winterDensity > 0.0)))
            result.problem = RoomInputProblem::NoDensity;
        else {
            in.coolingFlow = summer ? result.summerVolume * result.summerDensity : 0.0;
            in.heatingFlow = winter ? result.winterVolume * result.winterDensity : 0.0;
        }
    }
    CStatePoint cooling;
    CStatePoint heating;
    if (!DesignIndoorPoint(idg, room, kConditionSummer, cooling) ||
        !DesignIndoorPoint(idg, room, kConditionWinter, heating)) {
        if (result.problem == RoomInputProblem::None)
            result.problem = RoomInputProblem::IndoorState;
        return result;
    }
    in.cooling = {cooling.m_t, cooling.m_RH, cooling.m_d, cooling.m_h};
    in.heating = {heating.m_t, heating.m_RH, heating.m_d, heating.m_h};
    return result;
}

HeatRecovery StoredHeatRecovery(const CServiceArea& room)
{
    const RoomHeatRecovery& stored = room.m_recovery;
    HeatRecovery recovery;
    if (stored.mode == kRecoveryNone || !(stored.effectiveness >= 0.0f && stored.effectiveness <= 1.0f))
        return recovery;
    recovery.kind = stored.mode == kRecoveryTotal ? RecoveryKind::Total : RecoveryKind::Sensible;
    // The room keeps the effectiveness typed as a 32-bit float; its shortest
    // decimal is the number typed (0.7, not 0.699999988), so the year is the
    // one typing it gives.
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, stored.effectiveness);
    double typed = stored.effectiveness;
    std::from_chars(digits, written.ptr, typed);
    recovery.effectiveness = typed;
    return recovery;
}
