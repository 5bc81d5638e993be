#include "analysis/Calculations.h"

#include <cmath>
#include <memory>

#include <QCoreApplication>

#include "analysis/Binding.h"
#include "analysis/ResultTexts.h"
#include "chart/ResultWording.h"
#include "model/UnitFormat.h"
#include "psychro/QorvaDll.h"

namespace {

using unit_format::Format;

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
    default:
        return std::nullopt;
    }
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

int AddCalculationResult(CIDG& idg, ResultKind kind, const ResultPoints& points, float input)
{
    if (!IsPointResultKind(kind) || !idg.m_pTexts)
        return 0;
    const std::optional<float> value = ComputeResult(idg, kind, points, input);
    if (!value)
        return 0;
    auto text = std::make_unique<CCommentString>();
    text->m_nKind = static_cast<int>(kind);
    const bool mixing = kind == ResultKind::MixingRatio;
    text->m_nRef = {points[result_ref::kFirst], points[result_ref::kSecond],
                    mixing ? points[result_ref::kMixture] : -1};
    text->m_nRefExtra = -1;
    if (const int slot = InputSlot(kind); slot >= 0)
        text->m_fValues[static_cast<std::size_t>(slot)] = input;
    text->m_fValues[static_cast<std::size_t>(ResultSlot(kind))] = *value;
    text->m_strText = result_wording::ResultWords(idg, *text, result_wording::Language::Stored);
    if (!AddResultText(idg, std::move(text)))
        return 0;
    if (kind == ResultKind::AirVolume)
        idg.m_fSupplyAirVolume = *value;
    return 1;
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

int AddEnthalpyDifferenceResult(CIDG& idg, float watts, float airVolume)
{
    const std::optional<float> rho = ConditionDensity(idg);
    const std::optional<float> dh = rho ? EnthalpyDifference(watts, airVolume, *rho) : std::nullopt;
    if (!dh || !idg.m_pTexts)
        return 0;
    auto text = std::make_unique<CCommentString>();
    text->m_nKind = static_cast<int>(ResultKind::EnthalpyDifference);
    text->m_nRefExtra = -1;
    text->m_fValues[result_slot::kAirVolume] = airVolume;
    text->m_fValues[result_slot::kHeating] = watts;
    text->m_fValues[result_slot::kEnthalpyDifference] = *dh;
    text->m_strText = result_wording::ResultWords(idg, *text, result_wording::Language::Stored);
    return AddResultText(idg, std::move(text)) ? 1 : 0;
}

int AddMoistureDifferenceResult(CIDG& idg, float kgPerHour, float airVolume)
{
    const std::optional<float> rho = ConditionDensity(idg);
    const std::optional<float> dx = rho ? MoistureDifference(kgPerHour, airVolume, *rho) : std::nullopt;
    if (!dx || !idg.m_pTexts)
        return 0;
    auto text = std::make_unique<CCommentString>();
    text->m_nKind = static_cast<int>(ResultKind::MoistureDifference);
    text->m_nRefExtra = -1;
    text->m_fValues[result_slot::kAirVolume] = airVolume;
    text->m_fValues[result_slot::kMoistureFlow] = kgPerHour;
    text->m_fMoistDiff = *dx;
    text->m_strText = result_wording::ResultWords(idg, *text, result_wording::Language::Stored);
    return AddResultText(idg, std::move(text)) ? 1 : 0;
}

int AddOutputStateText(CIDG& idg, int pointIndex, const std::string& caption)
{
    const CStatePoint* point = idg.PointAt(pointIndex);
    if (!point || !idg.m_pTexts)
        return 0;
    auto text = std::make_unique<CCommentString>();
    text->m_nKind = static_cast<int>(ResultKind::StateText);
    text->m_nRefExtra = pointIndex;
    text->m_strValue = caption;
    text->m_strText = StateTextOnCreation(idg, *point, caption);
    return AddResultText(idg, std::move(text)) ? 1 : 0;
}

bool IsParamPointNameFree(const CIDG& idg, const std::string& name, int exceptIndex)
{
    if (name.empty() || !idg.m_pParamPoints)
        return false;
    const auto& list = *idg.m_pParamPoints;
    for (std::size_t k = 0; k < list.size(); ++k)
        if (static_cast<int>(k) != exceptIndex && list[k]->m_strName == name)
            return false;
    return true;
}

int AddParamPoint(CIDG& idg, const CParamPoint& point)
{
    if (!IsParamPointNameFree(idg, point.m_strName))
        return 0;
    auto added = std::make_unique<CParamPoint>(point);
    added->m_nId = static_cast<int>(idg.m_pParamPoints->size());
    idg.m_pParamPoints->push_back(std::move(added));
    return 1;
}

int RenameParamPoint(CIDG& idg, int index, const std::string& name)
{
    if (!idg.m_pParamPoints || index < 0 || index >= static_cast<int>(idg.m_pParamPoints->size()) ||
        !IsParamPointNameFree(idg, name, index))
        return 0;
    (*idg.m_pParamPoints)[static_cast<std::size_t>(index)]->m_strName = name;
    return 1;
}

int DeleteParamPoint(CIDG& idg, int index)
{
    if (!idg.m_pParamPoints || index < 0 || index >= static_cast<int>(idg.m_pParamPoints->size()))
        return 0;
    auto& list = *idg.m_pParamPoints;
    list.erase(list.begin() + index);
    for (std::size_t k = static_cast<std::size_t>(index); k < list.size(); ++k)
        list[k]->m_nId = static_cast<int>(k);
    return 1;
}

std::optional<CParamPoint> StatePointParameters(const CIDG& idg, int pointIndex)
{
    const CStatePoint* point = idg.PointAt(pointIndex);
    if (!point)
        return std::nullopt;
    CParamPoint parameters;
    parameters.m_strName = point->m_strName;
    parameters.m_d = point->m_d;
    parameters.m_h = point->m_h;
    parameters.m_bKnownD = parameters.m_bKnownH = 1;
    parameters.m_p = idg.m_fSummerPressure;
    parameters.m_bKnownP = 1;
    if (!parameters.Calculate())
        return std::nullopt;
    return parameters;
}

std::string ParameterTable(const std::vector<const CParamPoint*>& points, int unitSystem)
{
    const bool si = unitSystem == CIDG::kUnitsSI;
    // The captions are read (and pasted) by the user, so they follow the interface language.
    std::string table = QCoreApplication::translate(
                            "Calculations", "名称\t大气压力Pa\t干球温度℃\t湿球温度℃\t相对湿度％\t露点温度℃\t"
                                            "含湿量g/kg\t%1\t水蒸气分压力Pa\t饱和水蒸气分压力Pa\t"
                                            "比容m^3/kg\t密度kg/m^3\n")
                            .arg(si ? QCoreApplication::translate("Calculations", "焓kJ/kg")
                                    : QCoreApplication::translate("Calculations", "焓kcal/kg"))
                            .toStdString();
    for (const CParamPoint* p : points) {
        table += p->m_strName + "\t" +
                 Format("%.1f\t%.2f\t%.2f\t%.1f\t%.2f\t%.2f\t", double(p->m_p), double(p->m_t),
                        double(p->m_tw), p->m_RH * 100.0, double(p->m_td), p->m_d * 1000.0) +
                 unit_format::Enthalpy(unitSystem, "%.2f", "%.2f", p->m_h) +
                 Format("\t%.1f\t%.1f\t%.4f\t%.4f\n", double(p->m_pq), double(p->m_pqb), double(p->m_v),
                        double(p->m_rho));
    }
    return table;
}
