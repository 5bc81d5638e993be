#include "analysis/Calculations.h"

#include <cmath>
#include <memory>

#include <QCoreApplication>

#include "analysis/ResultTexts.h"
#include "chart/ResultWording.h"
#include "model/UnitFormat.h"
#include "psychro/DisplayUnits.h"
#include "psychro/QorvaDll.h"

namespace {

using unit_format::Format;

} // namespace

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

int AddProcessStepResults(CIDG& idg, int pointIndex, float airVolume)
{
    const CStatePoint* point = idg.PointAt(pointIndex);
    if (!point)
        return 0;
    const ResultPoints points{point->m_nStepSrc1, pointIndex, -1};
    switch (point->m_nKind) {
    case CStatePoint::kHeatRecovery:
        return AddCalculationResult(idg, ResultKind::HeatRecovery, points, airVolume);
    case CStatePoint::kEvaporative: {
        const bool direct = point->m_nStepType == CStatePoint::kEvaporativeDirect;
        int added = AddCalculationResult(idg, ResultKind::EvaporativeCooling, points, airVolume);
        // The indirect cooler's water goes into its secondary air, not into
        // the air it cools.
        if (direct)
            added += AddCalculationResult(idg, ResultKind::Humidification, points, airVolume);
        return added;
    }
    default:
        return 0;
    }
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

namespace {

// The table in inch-pound units: psia, °F, gr/lb, Btu/lb, ft³/lb, lb/ft³.
std::string ParameterTableIp(const std::vector<const CParamPoint*>& points)
{
    using qorva::units::DisplaySystem;
    using qorva::units::Quantity;
    const auto ip = [](Quantity q, float v) { return double(qorva::units::shown(q, v, DisplaySystem::IP)); };
    std::string table =
        QCoreApplication::translate("Calculations",
                                    "名称\t大气压力psia\t干球温度℉\t湿球温度℉\t相对湿度％\t露点温度℉\t"
                                    "含湿量gr/lb\t焓Btu/lb\t水蒸气分压力psia\t饱和水蒸气分压力psia\t"
                                    "比容ft^3/lb\t密度lb/ft^3\n")
            .toStdString();
    for (const CParamPoint* p : points)
        table +=
            p->m_strName + "\t" +
            Format("%.3f\t%.2f\t%.2f\t%.1f\t%.2f\t%.1f\t%.2f\t%.4f\t%.4f\t%.3f\t%.4f\n",
                   ip(Quantity::Pressure, p->m_p), ip(Quantity::Temperature, p->m_t),
                   ip(Quantity::Temperature, p->m_tw), p->m_RH * 100.0, ip(Quantity::Temperature, p->m_td),
                   ip(Quantity::MoistureContent, p->m_d), ip(Quantity::Enthalpy, p->m_h),
                   ip(Quantity::Pressure, p->m_pq), ip(Quantity::Pressure, p->m_pqb),
                   ip(Quantity::SpecificVolume, p->m_v), ip(Quantity::Density, p->m_rho));
    return table;
}

} // namespace

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
    if (unitSystem == CIDG::kUnitsIP)
        return ParameterTableIp(points);
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
