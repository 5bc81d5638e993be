#include "analysis/ResultTexts.h"

#include <optional>

#include "analysis/Calculations.h"
#include "chart/ResultWording.h"
#include "model/UnitFormat.h"
#include "psychro/Units.h"

namespace {

using unit_format::Format;

std::string nameOf(const CIDG& idg, int index)
{
    const CStatePoint* point = idg.PointAt(index);
    return point ? point->m_strName : std::string();
}

// A capacity with two decimals of the unit it is shown in.
std::string capacity(int unitSystem, float watts)
{
    using namespace qorva::units;
    return unitSystem == CIDG::kUnitsSI ? Format("%.2fkW", double(watts * kKilowattPerWatt))
                                        : Format("%.2fkcal/h", double(watts * kKcalPerHourPerWatt));
}

bool refersTo(const CCommentString& text, int pointIndex)
{
    const auto kind = static_cast<ResultKind>(text.m_nKind);
    if (kind == ResultKind::StateText)
        return text.m_nRefExtra == pointIndex;
    if (!IsPointResultKind(kind))
        return false;
    for (int reference : text.m_nRef)
        if (reference == pointIndex)
            return true;
    return false;
}

} // namespace

std::string StateTextOnCreation(const CIDG& idg, const CStatePoint& point, const std::string& caption)
{
    return caption + ":  " + Format("%.1f", double(point.m_t)) + "℃ " + Format("%.1f", double(point.m_tw)) +
           "℃ " + Format("%.0f", point.m_RH * 100.0) + "%" + " " + Format("%.1fg/kg", point.m_d * 1000.0) +
           " " + unit_format::Enthalpy(idg.m_nUnitSystem, "%.1fkJ/kg", "%.2fkcal/kg", point.m_h);
}

std::string StateTextRebuilt(const CIDG& idg, const CStatePoint& point, const std::string& caption)
{
    return caption + ":  " + Format("%.1f℃ ", double(point.m_t)) + Format("%.1f℃ ", double(point.m_tw)) +
           Format("%.0f%% ", point.m_RH * 100.0) + Format("%.1fg/kg ", point.m_d * 1000.0) +
           unit_format::Enthalpy(idg.m_nUnitSystem, "%.1fkJ/kg ", "%.1fkcal/kg ", point.m_h);
}

std::string RebuiltResultText(const CIDG& idg, const CCommentString& text)
{
    const auto kind = static_cast<ResultKind>(text.m_nKind);
    const auto& slots = text.m_fValues;
    const float value = slots[static_cast<std::size_t>(ResultSlot(kind))];
    const int units = idg.m_nUnitSystem;
    if (kind == ResultKind::MixingRatio)
        return result_wording::MixingWords(
            nameOf(idg, text.m_nRef[result_ref::kFirst]), nameOf(idg, text.m_nRef[result_ref::kMixture]),
            nameOf(idg, text.m_nRef[result_ref::kSecond]), Format("%.0f", value * 100.0) + "%",
            result_wording::Language::Stored);
    std::string shown;
    switch (kind) {
    case ResultKind::AirVolume:
        shown = Format("%.0fm^3/h", double(value));
        break;
    case ResultKind::Cooling:
    case ResultKind::Heating:
    case ResultKind::Reheat:
    case ResultKind::Preheat:
        shown = capacity(units, value);
        break;
    case ResultKind::Humidification:
        shown = Format("%.3fkg/h", double(value));
        break;
    case ResultKind::HeatMoistureRatio:
        shown = unit_format::Enthalpy(units, "%.0fkJ/kg", "%.0fkcal/kg", value);
        break;
    case ResultKind::TreatmentEnthalpy:
        shown = unit_format::Enthalpy(units, "%.2fkJ/kg", "%.2fkcal/kg", value);
        break;
    default:
        return text.m_strText;
    }
    return result_wording::KindWords(static_cast<int>(kind), nameOf(idg, text.m_nRef[result_ref::kFirst]),
                                     nameOf(idg, text.m_nRef[result_ref::kSecond]), shown,
                                     result_wording::Language::Stored);
}

int RebuildResultTexts(CIDG& idg, int pointIndex)
{
    if (!idg.m_pTexts)
        return 1;
    for (const auto& text : *idg.m_pTexts) {
        if (!refersTo(*text, pointIndex))
            continue;
        const auto kind = static_cast<ResultKind>(text->m_nKind);
        if (kind == ResultKind::StateText) {
            if (const CStatePoint* point = idg.PointAt(text->m_nRefExtra))
                text->m_strText = StateTextRebuilt(idg, *point, text->m_strValue);
            continue;
        }
        const int input = InputSlot(kind);
        const float given = input >= 0 ? text->m_fValues[static_cast<std::size_t>(input)] : 0.0f;
        const std::optional<float> value = ComputeResult(idg, kind, text->m_nRef, given);
        if (!value)
            continue;
        text->m_fValues[static_cast<std::size_t>(ResultSlot(kind))] = *value;
        text->m_strText = RebuiltResultText(idg, *text);
    }
    return 1;
}
