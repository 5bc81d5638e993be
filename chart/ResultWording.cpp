#include "chart/ResultWording.h"

#include <QCoreApplication>

#include <cmath>
#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "model/CIDG.h"
#include "model/UnitFormat.h"

namespace result_wording {

namespace {

using unit_format::Format;

constexpr const char* kContext = "ResultTexts";
constexpr const char* kLabelContext = "AnalysisLabels";

// A humidification whose moisture flow is negative (the coil dries the air):
// the pattern of its dehumidification.
constexpr int kDehumidification = -static_cast<int>(ResultKind::Humidification);

// "label(first-second): value" of each kind worded from its record; the
// mixing ratio's "label(first-mixture-second): second's share".
const char* kindPattern(int kind)
{
    switch (kind) {
    case static_cast<int>(ResultKind::AirVolume):
        return QT_TRANSLATE_NOOP("ResultTexts", "总送风量(%1-%2): %3");
    case static_cast<int>(ResultKind::Cooling):
        return QT_TRANSLATE_NOOP("ResultTexts", "空调制冷量(%1-%2): %3");
    case static_cast<int>(ResultKind::Heating):
        return QT_TRANSLATE_NOOP("ResultTexts", "空调加热量(%1-%2): %3");
    case static_cast<int>(ResultKind::Reheat):
        return QT_TRANSLATE_NOOP("ResultTexts", "空调再热量(%1-%2): %3");
    case static_cast<int>(ResultKind::Preheat):
        return QT_TRANSLATE_NOOP("ResultTexts", "空调预热量(%1-%2): %3");
    case static_cast<int>(ResultKind::Humidification):
        return QT_TRANSLATE_NOOP("ResultTexts", "空调加湿量(%1-%2): %3");
    case kDehumidification:
        return QT_TRANSLATE_NOOP("ResultTexts", "空调除湿量(%1-%2): %3");
    case static_cast<int>(ResultKind::MixingRatio):
        return QT_TRANSLATE_NOOP("ResultTexts", "混风比(%1-%2-%3): %3占%4");
    case static_cast<int>(ResultKind::HeatMoistureRatio):
        return QT_TRANSLATE_NOOP("ResultTexts", "热湿比(%1-%2): %3");
    case static_cast<int>(ResultKind::TreatmentEnthalpy):
    case static_cast<int>(ResultKind::EnthalpyDifference):
        return QT_TRANSLATE_NOOP("ResultTexts", "处理焓差(%1-%2): %3");
    case static_cast<int>(ResultKind::MoistureDifference):
        return QT_TRANSLATE_NOOP("ResultTexts", "含湿量差(%1-%2): %3");
    case result_kind::kFreshAirCooling:
        return QT_TRANSLATE_NOOP("ResultTexts", "新风冷负荷(%1-%2): %3");
    case result_kind::kFreshAirHeating:
        return QT_TRANSLATE_NOOP("ResultTexts", "新风热负荷(%1-%2): %3");
    case result_kind::kHeatRecovery:
        return QT_TRANSLATE_NOOP("ResultTexts", "热回收量(%1-%2): %3");
    case result_kind::kEvaporativeCooling:
        return QT_TRANSLATE_NOOP("ResultTexts", "蒸发冷却量(%1-%2): %3");
    default:
        return nullptr;
    }
}

// The state texts of the primary system's heating view.
constexpr const char* kWinterStatePattern =
    QT_TRANSLATE_NOOP("ResultTexts", "%1：干球温度 %2℃   湿球温度 %3℃   相对湿度 %4%");

// The fixed labels the analyses write: the captions of their state texts
// and the openings of their plain texts (the value follows the opening).
constexpr const char* kAnalysisLabels[] = {
    QT_TRANSLATE_NOOP("AnalysisLabels", "室内点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "室外点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "混合点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "送风点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "盘管出风点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "新风机组加热后"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "新风机组出风点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器进风状态点参数W"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器出风状态点参数L"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "加热盘管进风状态点参数W"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "加热盘管出风状态点参数W'"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器进风状态点参数C"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器出风状态点参数O"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "送风状态点O"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "加热盘管进风状态点C"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "加热盘管出风状态点M"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器进风状态点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器出风状态点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "送风状态点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "预热后点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "一次混风点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "加湿后点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "二次混风点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "预热后出风温度"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "新风比"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "送风温差"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "一次回风量"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "二次回风量"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "风机盘管制冷量"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "新风空调器制冷量"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "盘管加热量"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "热回收后点"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "热回收器进风状态点参数W"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "空调器进风状态点参数W1"),
    QT_TRANSLATE_NOOP("AnalysisLabels", "加热盘管进风状态点参数W1"),
};

// The words of source in the interface's language (source itself without
// a catalogue). Its texts are marked in the tables above for lupdate.
std::string Tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

// The words of source in the interface's language; empty when the
// catalogue has none (no catalogue, or Chinese).
std::string translatedOnly(const char* context, const char* source)
{
    std::string words = Tr(context, source);
    return words == source ? std::string() : words;
}

std::string nameOf(const CIDG& idg, int index)
{
    const CStatePoint* point = idg.PointAt(index);
    return point ? point->m_strName : std::string();
}

std::string words(const char* pattern, Language language)
{
    return language == Language::Stored ? std::string(pattern) : Tr(kContext, pattern);
}

// The pattern of a text worded from its record and its value as shown, in
// the formats of the stored texts; no pattern for any other kind.
struct KindValue {
    const char* pattern = nullptr;
    std::string value;
};

// A plain text of an analysis: its label in the interface's language and
// the value after it; the text itself when its opening is no label.
std::string labelledText(const std::string& text)
{
    for (const char* label : kAnalysisLabels) {
        if (!text.starts_with(label))
            continue;
        const std::string english = translatedOnly(kLabelContext, label);
        if (english.empty())
            return text;
        std::string rest = text.substr(std::string(label).size());
        bool colon = false;
        for (const std::string_view mark : {"：", ":"})
            if (rest.starts_with(mark)) {
                rest.erase(0, mark.size());
                colon = true;
            }
        rest.erase(0, std::min(rest.size(), rest.find_first_not_of(' ')));
        return english + (colon ? ": " : " ") + rest;
    }
    return text;
}

std::string stateText(const CIDG& idg, const CCommentString& text)
{
    const std::string& caption = text.m_strValue;
    if (caption.empty() || !text.m_strText.starts_with(caption))
        return text.m_strText;
    const std::string english = translatedOnly(kLabelContext, caption.c_str());
    if (english.empty())
        return text.m_strText;
    const std::string rest = text.m_strText.substr(caption.size());
    if (rest.find("干球温度") == std::string::npos) // the values of the point and their units
        return english + (rest.starts_with("(") ? " " : "") + rest;
    const CStatePoint* point = idg.PointAt(text.m_nRefExtra);
    if (!point)
        return text.m_strText;
    std::string pattern = Tr(kContext, kWinterStatePattern);
    if (unit_format::IsIp(idg.m_nUnitSystem))
        for (std::size_t at = pattern.find("℃"); at != std::string::npos; at = pattern.find("℃", at))
            pattern.replace(at, std::string_view("℃").size(), "℉");
    return Fill(pattern, {english, unit_format::Temperature(idg.m_nUnitSystem, "%.1f", point->m_t),
                          unit_format::Temperature(idg.m_nUnitSystem, "%.1f", point->m_tw),
                          Format("%.0f", point->m_RH * 100.0)});
}

float slot(const CCommentString& text, int index)
{
    return text.m_fValues[static_cast<std::size_t>(index)];
}

// The moisture difference of a kind-12 text, g/kg: kept in the text after
// it was computed or re-worded, else from its flow and air volume at the
// density of the condition shown.
float moistureDifference(const CIDG& idg, const CCommentString& text)
{
    if (text.m_fMoistDiff != 0.0f)
        return text.m_fMoistDiff;
    const double density =
        idg.m_nCurCondition == kConditionWinter ? idg.m_fWinterDensity : idg.m_fSummerDensity;
    const double mass = double(slot(text, result_slot::kAirVolume)) * density;
    return mass > 0.0 ? static_cast<float>(slot(text, result_slot::kMoistureFlow) * 1000.0 / mass) : 0.0f;
}

KindValue kindValue(const CIDG& idg, const CCommentString& text)
{
    const int kind = text.m_nKind;
    const int units = idg.m_nUnitSystem;
    KindValue shown{kindPattern(kind), std::string()};
    switch (kind) {
    case static_cast<int>(ResultKind::AirVolume):
        shown.value = unit_format::AirVolume(units, "%.0fm^3/h", slot(text, result_slot::kAirVolume));
        break;
    case static_cast<int>(ResultKind::Cooling):
    case result_kind::kFreshAirCooling:
    case result_kind::kEvaporativeCooling:
        shown.value = unit_format::Capacity(units, slot(text, result_slot::kCooling));
        break;
    case static_cast<int>(ResultKind::Heating):
    case result_kind::kFreshAirHeating:
        shown.value = unit_format::Capacity(units, slot(text, result_slot::kHeating));
        break;
    case static_cast<int>(ResultKind::Reheat):
        shown.value = unit_format::Capacity(units, slot(text, result_slot::kReheat));
        break;
    case result_kind::kHeatRecovery:
        shown.value = unit_format::Capacity(units, slot(text, result_slot::kRecovered));
        break;
    case static_cast<int>(ResultKind::Preheat):
        shown.value = unit_format::Capacity(units, slot(text, result_slot::kPreheat));
        break;
    case static_cast<int>(ResultKind::MixingRatio):
        shown.value = Format("%.0f%%", slot(text, result_slot::kMixingRatio) * 100.0);
        break;
    case static_cast<int>(ResultKind::Humidification): {
        const float flow = slot(text, result_slot::kMoistureFlow);
        shown.value = unit_format::MoistureFlow(units, "%.3fkg/h", std::fabs(flow));
        if (flow < 0.0f)
            shown.pattern = kindPattern(kDehumidification);
        break;
    }
    case static_cast<int>(ResultKind::HeatMoistureRatio):
        shown.value = unit_format::EnthalpyDifference(units, "%.0fkJ/kg", "%.0fkcal/kg",
                                                      slot(text, result_slot::kHeatMoistureRatio));
        break;
    case static_cast<int>(ResultKind::TreatmentEnthalpy):
    case static_cast<int>(ResultKind::EnthalpyDifference):
        shown.value = unit_format::EnthalpyDifference(units, "%.3fkJ/kg", "%.3fkcal/kg",
                                                      slot(text, result_slot::kEnthalpyDifference));
        break;
    case static_cast<int>(ResultKind::MoistureDifference):
        shown.value = unit_format::Moisture(units, "%.3fg/kg", moistureDifference(idg, text) * 0.001f);
        break;
    default:
        shown.pattern = nullptr;
        break;
    }
    return shown;
}

} // namespace

std::string Fill(const std::string& pattern, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < values.size()) {
            out += values[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string ResultWords(const CIDG& idg, const CCommentString& text, Language language)
{
    const KindValue shown = kindValue(idg, text);
    if (!shown.pattern)
        return std::string();
    const std::string first = nameOf(idg, text.m_nRef[result_ref::kFirst]);
    const std::string second = nameOf(idg, text.m_nRef[result_ref::kSecond]);
    if (text.m_nKind == static_cast<int>(ResultKind::MixingRatio))
        return Fill(words(shown.pattern, language),
                    {first, nameOf(idg, text.m_nRef[result_ref::kMixture]), second, shown.value});
    return Fill(words(shown.pattern, language), {first, second, shown.value});
}

std::string ShownText(const CIDG& idg, const CCommentString& text)
{
    switch (text.m_nKind) {
    case result_kind::kPlain:
    case result_kind::kLabel:
        return labelledText(text.m_strText);
    case static_cast<int>(ResultKind::StateText):
        return stateText(idg, text);
    default:
        break;
    }
    // In Chinese the stored text is the wording; in English the same wording
    // in the catalogue's words, where it has them.
    const KindValue shown = kindValue(idg, text);
    if (!shown.pattern || translatedOnly(kContext, shown.pattern).empty())
        return text.m_strText;
    return ResultWords(idg, text, Language::Interface);
}

} // namespace result_wording
