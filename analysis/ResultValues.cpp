#include "analysis/ResultValues.h"

#include <cmath>

#include "psychro/QorvaDll.h"

namespace {

// Condition codes whose flows use the summer and the winter density.
constexpr int kConditionOrdinary = 0;
constexpr int kConditionCooling = 1;
constexpr int kConditionHeating = 2;

constexpr float kSecondsPerHour = 3600.0f;
constexpr float kWattsPerKilowatt = 1000.0f;
constexpr float kGramsPerKilogram = 1000.0f;

// A library value: empty when the call fails.
template <class Call> std::optional<float> libraryValue(Call call)
{
    float value = 0;
    if (!call(&value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

bool IsPointResultKind(ResultKind kind)
{
    switch (kind) {
    case ResultKind::AirVolume:
    case ResultKind::Cooling:
    case ResultKind::Heating:
    case ResultKind::Reheat:
    case ResultKind::Preheat:
    case ResultKind::Humidification:
    case ResultKind::MixingRatio:
    case ResultKind::HeatMoistureRatio:
    case ResultKind::TreatmentEnthalpy:
    case ResultKind::HeatRecovery:
    case ResultKind::EvaporativeCooling:
        return true;
    default:
        return false;
    }
}

int ResultSlot(ResultKind kind)
{
    switch (kind) {
    case ResultKind::AirVolume:
        return result_slot::kAirVolume;
    case ResultKind::Cooling:
        return result_slot::kCooling;
    case ResultKind::Heating:
        return result_slot::kHeating;
    case ResultKind::Reheat:
        return result_slot::kReheat;
    case ResultKind::Preheat:
        return result_slot::kPreheat;
    case ResultKind::Humidification:
    case ResultKind::MoistureDifference:
        return result_slot::kMoistureFlow;
    case ResultKind::MixingRatio:
        return result_slot::kMixingRatio;
    case ResultKind::HeatMoistureRatio:
        return result_slot::kHeatMoistureRatio;
    case ResultKind::TreatmentEnthalpy:
    case ResultKind::EnthalpyDifference:
        return result_slot::kEnthalpyDifference;
    case ResultKind::HeatRecovery:
        return result_slot::kRecovered;
    case ResultKind::EvaporativeCooling:
        return result_slot::kCooling;
    default:
        return -1;
    }
}

int InputSlot(ResultKind kind)
{
    switch (kind) {
    case ResultKind::AirVolume:
        return result_slot::kCooling;
    case ResultKind::Cooling:
    case ResultKind::Heating:
    case ResultKind::Reheat:
    case ResultKind::Preheat:
    case ResultKind::Humidification:
    case ResultKind::HeatRecovery:
    case ResultKind::EvaporativeCooling:
        return result_slot::kAirVolume;
    default:
        return -1;
    }
}

std::optional<float> MixingRatio(const CIDG& idg, int point1, int point2, int mixture)
{
    const CStatePoint* a = idg.PointAt(point1);
    const CStatePoint* b = idg.PointAt(point2);
    const CStatePoint* m = idg.PointAt(mixture);
    if (!a || !b || !m)
        return std::nullopt;
    if (a->m_h != b->m_h)
        return std::fabs(a->m_h - m->m_h) / std::fabs(a->m_h - b->m_h);
    if (a->m_d != b->m_d)
        return std::fabs(a->m_d - m->m_d) / std::fabs(a->m_d - b->m_d);
    return std::nullopt;
}

std::optional<float> ComputeResult(const CIDG& idg, ResultKind kind, const ResultPoints& points, float input)
{
    if (kind == ResultKind::MixingRatio)
        return MixingRatio(idg, points[result_ref::kFirst], points[result_ref::kSecond],
                           points[result_ref::kMixture]);
    const CStatePoint* a = idg.PointAt(points[result_ref::kFirst]);
    const CStatePoint* b = idg.PointAt(points[result_ref::kSecond]);
    if (!a || !b)
        return std::nullopt;
    // Flows are always reckoned with the summer density (the chart's air).
    const float rho = idg.m_fSummerDensity;
    switch (kind) {
    case ResultKind::AirVolume:
        return libraryValue([&](float* v) { return MDh1h2Q_G(rho, a->m_h, b->m_h, input, v); });
    case ResultKind::Cooling:
        return libraryValue([&](float* v) { return MDh1h2G_Q(rho, a->m_h, b->m_h, input, v); });
    case ResultKind::Heating:
        return libraryValue([&](float* v) { return MDh1h2G_Q1(rho, a->m_h, b->m_h, input, v); });
    case ResultKind::Reheat:
    case ResultKind::Preheat:
        return libraryValue([&](float* v) { return MDh1h2G_Q2(rho, a->m_h, b->m_h, input, v); });
    case ResultKind::Humidification:
        return libraryValue([&](float* v) { return MDx1x2G_H(rho, a->m_d, b->m_d, input, v); });
    case ResultKind::HeatMoistureRatio:
        return libraryValue([&](float* v) { return x1h1x2h2_HHR(a->m_d, a->m_h, b->m_d, b->m_h, v); });
    case ResultKind::TreatmentEnthalpy:
        return libraryValue([&](float* v) { return h1h2_deltah(a->m_h, b->m_h, v); });
    case ResultKind::HeatRecovery:
        return libraryValue([&](float* v) { return MDh1h2G_Q(rho, a->m_h, b->m_h, input, v); });
    case ResultKind::EvaporativeCooling:
        return SensibleCooling(rho, *a, *b, input);
    default:
        return std::nullopt;
    }
}

std::optional<float> SensibleCooling(float density, const CStatePoint& entering, const CStatePoint& leaving,
                                     float airVolume)
{
    if (!(density > 0.0f) || !(airVolume >= 0.0f) || !std::isfinite(airVolume))
        return std::nullopt;
    // The heat the air gives up from t1 to t2 at its entering moisture
    // content, h = 1.01·t + x·(2500 + 1.85·t).
    const double cp = 1.01 + 1.85 * double(entering.m_d);
    const double q = double(density) * airVolume * cp * (double(entering.m_t) - leaving.m_t) / 3.6;
    if (!std::isfinite(q))
        return std::nullopt;
    return static_cast<float>(q);
}

std::optional<float> ConditionDensity(const CIDG& idg)
{
    float rho = 0;
    switch (idg.m_nCurCondition) {
    case kConditionOrdinary:
    case kConditionCooling:
        rho = idg.m_fSummerDensity;
        break;
    case kConditionHeating:
        rho = idg.m_fWinterDensity;
        break;
    default:
        return std::nullopt;
    }
    if (!(rho > 0.0f))
        return std::nullopt;
    return rho;
}

std::optional<float> EnthalpyDifference(float watts, float airVolume, float density)
{
    if (!(watts >= 0.0f) || !(airVolume > 0.0f) || !(density > 0.0f))
        return std::nullopt;
    return watts * kSecondsPerHour / kWattsPerKilowatt / airVolume / density;
}

std::optional<float> MoistureDifference(float kgPerHour, float airVolume, float density)
{
    if (!(kgPerHour >= 0.0f) || !(airVolume > 0.0f) || !(density > 0.0f))
        return std::nullopt;
    return kgPerHour * kGramsPerKilogram / (airVolume * density);
}

float SupplyAirOfView(const CIDG& idg)
{
    if (idg.m_fSupplyAirVolume > 0.0f)
        return idg.m_fSupplyAirVolume;
    if (!idg.m_pTexts)
        return 0.0f;
    for (const auto& text : *idg.m_pTexts)
        if (text->m_nKind == static_cast<int>(ResultKind::AirVolume)) {
            const float volume = text->m_fValues[static_cast<std::size_t>(ResultSlot(ResultKind::AirVolume))];
            return std::isfinite(volume) && volume > 0.0f ? volume : 0.0f;
        }
    return 0.0f;
}
