#include "analysis/ResultTexts.h"

#include <optional>

#include "analysis/ResultValues.h"
#include "chart/ChartGeometry.h"
#include "chart/ResultWording.h"
#include "model/UnitFormat.h"

namespace {

using unit_format::Format;

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
    const int units = idg.m_nUnitSystem;
    return caption + ":  " + unit_format::Temperature(units, "%.1f℃ ", point.m_t) +
           unit_format::Temperature(units, "%.1f℃ ", point.m_tw) + Format("%.0f", point.m_RH * 100.0) + "%" +
           " " + unit_format::Moisture(units, "%.1fg/kg", point.m_d) + " " +
           unit_format::Enthalpy(units, "%.1fkJ/kg", "%.2fkcal/kg", point.m_h);
}

std::string StateTextRebuilt(const CIDG& idg, const CStatePoint& point, const std::string& caption)
{
    const int units = idg.m_nUnitSystem;
    return caption + ":  " + unit_format::Temperature(units, "%.1f℃ ", point.m_t) +
           unit_format::Temperature(units, "%.1f℃ ", point.m_tw) + Format("%.0f%% ", point.m_RH * 100.0) +
           unit_format::Moisture(units, "%.1fg/kg ", point.m_d) +
           unit_format::Enthalpy(units, "%.1fkJ/kg ", "%.1fkcal/kg ", point.m_h);
}

namespace {

// "label(name) t℃ tw℃ RH% d g/kg  h kJ/kg" of an analysis.
std::string AnalysisStateText(const CIDG& idg, const CStatePoint& point, const std::string& label)
{
    const int units = idg.m_nUnitSystem;
    return Format("%s(%s) %s %s %s %s %s", label.c_str(), point.m_strName.c_str(),
                  unit_format::Temperature(units, "%.1f℃", point.m_t).c_str(),
                  unit_format::Temperature(units, "%.1f℃", point.m_tw).c_str(),
                  Format("%.2f%%", point.m_RH * 100.0).c_str(),
                  unit_format::Moisture(units, "%.1fg/kg", point.m_d).c_str(),
                  unit_format::Enthalpy(units, "  %.2fkJ/kg", "  %.2fkcal/kg", point.m_h).c_str());
}

} // namespace

std::string WinterStateText(const CIDG& idg, const CStatePoint& point, const std::string& head)
{
    const int units = idg.m_nUnitSystem;
    return head + unit_format::Temperature(units, "%.1f℃   湿球温度 ", point.m_t) +
           unit_format::Temperature(units, "%.1f℃   相对湿度 ", point.m_tw) +
           Format("%.0f", point.m_RH * 100.0) + "%";
}

void RewordStateTexts(CIDG& idg)
{
    if (!idg.m_pTexts)
        return;
    constexpr std::string_view kDryBulb = "干球温度 ";
    for (const auto& text : *idg.m_pTexts) {
        if (text->m_nKind != static_cast<int>(ResultKind::StateText))
            continue;
        const CStatePoint* point = idg.PointAt(text->m_nRefExtra);
        if (!point)
            continue;
        if (const std::size_t at = text->m_strText.find(kDryBulb); at != std::string::npos)
            text->m_strText = WinterStateText(idg, *point, text->m_strText.substr(0, at + kDryBulb.size()));
        else if (text->m_strValue.empty())
            continue;
        else if (text->m_strText.starts_with(text->m_strValue + "("))
            text->m_strText = AnalysisStateText(idg, *point, text->m_strValue);
        else
            text->m_strText = StateTextRebuilt(idg, *point, text->m_strValue);
    }
}

std::string RebuiltResultText(const CIDG& idg, const CCommentString& text)
{
    const std::string words = result_wording::ResultWords(idg, text, result_wording::Language::Stored);
    return words.empty() ? text.m_strText : words;
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
        std::optional<float> value = ComputeResult(idg, kind, text->m_nRef, given);
        if (!value)
            continue;
        float& stored = text->m_fValues[static_cast<std::size_t>(ResultSlot(kind))];
        // A recovery that added to the load (the analyses' negative saving)
        // stays one when its points move.
        if (kind == ResultKind::HeatRecovery && stored < 0.0f)
            *value = -*value;
        stored = *value;
        text->m_strText = RebuiltResultText(idg, *text);
    }
    return 1;
}

CCommentString* AddResultText(CIDG& idg, std::unique_ptr<CCommentString> text)
{
    if (!idg.m_pTexts || !text)
        return nullptr;
    // The place in the result column is the standard screen's, so the same
    // analysis stores the same place whatever device drew last.
    ChartGeometry standard(idg);
    standard.LayoutChart(chart::standardDevice());
    const CanvasPoint place = standard.ResultTextPlace(static_cast<int>(idg.m_pTexts->size()));
    text->m_nPlace[1] = place.x;
    text->m_nPlace[3] = place.y;
    text->m_font = standard.layout().m_workingFont;
    text->m_nId = static_cast<int>(idg.m_pTexts->size());
    idg.m_pTexts->push_back(std::move(text));
    return idg.m_pTexts->back().get();
}

CCommentString* AddStateText(CIDG& idg, int pointIndex, const std::string& label)
{
    const CStatePoint* point = idg.PointAt(pointIndex);
    if (!point || !idg.m_pTexts)
        return nullptr;
    auto text = std::make_unique<CCommentString>();
    text->m_strText = AnalysisStateText(idg, *point, label);
    text->m_nKind = 9;
    text->m_nRefExtra = pointIndex;
    text->m_strValue = label;
    return AddResultText(idg, std::move(text));
}
