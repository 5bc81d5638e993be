#include "analysis/AnnualFreshAir.h"

#include <algorithm>

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

} // namespace

FreshAirYear ComputeFreshAirYear(const FreshAirYearInputs& inputs, const WeatherYear& year,
                                 const HourFilter& schedule, const HeatRecovery& recovery)
{
    FreshAirYear result;
    const bool recovering = recovery.kind != RecoveryKind::None;
    if (recovering)
        result.withRecovery.emplace();
    const double hCooling = inputs.cooling.h;
    const double hHeating = inputs.heating.h;
    const int count = static_cast<int>(year.hours.size());
    for (int i = 0; i < count; ++i) {
        const WeatherHour& w = year.hours[std::size_t(i)];
        if (!schedule.Keeps(w))
            continue;
        ++result.operatedHours;
        const Need need = w.h > hCooling ? Need::Cooling : w.h < hHeating ? Need::Heating : Need::None;
        if (need == Need::None)
            continue;
        const bool cooling = need == Need::Cooling;
        const IndoorAir& n = cooling ? inputs.cooling : inputs.heating;
        const double flow = cooling ? inputs.coolingFlow : inputs.heatingFlow;
        // What the coil must take out (cooling) or put in (heating) per kg.
        const auto lift = [&](double h) { return cooling ? h - n.h : n.h - h; };
        const double plain = lift(w.h) * flow / kKiloJoulesPerKilowattHour;
        addHour(result.without, need, plain, w.month, i);
        if (!recovering)
            continue;
        const double recovered =
            std::max(0.0, lift(recoveredEnthalpy(w, n, recovery))) * flow / kKiloJoulesPerKilowattHour;
        addHour(*result.withRecovery, need, std::min(plain, recovered), w.month, i);
    }
    return result;
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
