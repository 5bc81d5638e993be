#include "analysis/AnalysisResults.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>

#include "model/CIDG.h"
#include "model/ResultKinds.h"
#include "psychro/Units.h"

namespace {

using qorva::units::kKcalPerHourPerWatt;

struct Named {
    const char* key;
    ResultQuantity quantity;
    int slot; // the value slot of the text (result_slot)
};

// The texts that hold their value: the name and the slot of each kind.
std::optional<Named> kindValue(int kind)
{
    switch (kind) {
    case static_cast<int>(ResultKind::AirVolume):
        return Named{"supply_volume", ResultQuantity::AirVolume, result_slot::kAirVolume};
    case static_cast<int>(ResultKind::Cooling):
    case result_kind::kFreshAirCooling:
        return Named{"cooling", ResultQuantity::Power, result_slot::kCooling};
    case static_cast<int>(ResultKind::Heating):
    case result_kind::kFreshAirHeating:
        return Named{"heating", ResultQuantity::Power, result_slot::kHeating};
    case static_cast<int>(ResultKind::Reheat):
        return Named{"reheat", ResultQuantity::Power, result_slot::kReheat};
    case static_cast<int>(ResultKind::Preheat):
        return Named{"preheat", ResultQuantity::Power, result_slot::kPreheat};
    case static_cast<int>(ResultKind::MixingRatio):
        return Named{"mixing_ratio", ResultQuantity::Fraction, result_slot::kMixingRatio};
    case static_cast<int>(ResultKind::HeatMoistureRatio):
        return Named{"heat_moisture_ratio", ResultQuantity::HeatMoistureRatio,
                     result_slot::kHeatMoistureRatio};
    case static_cast<int>(ResultKind::TreatmentEnthalpy):
    case static_cast<int>(ResultKind::EnthalpyDifference):
        return Named{"enthalpy_difference", ResultQuantity::EnthalpyDifference,
                     result_slot::kEnthalpyDifference};
    case static_cast<int>(ResultKind::Humidification):
        return Named{"humidification", ResultQuantity::MoistureFlow, result_slot::kMoistureFlow};
    case result_kind::kHeatRecovery:
        return Named{"heat_recovery", ResultQuantity::Power, result_slot::kRecovered};
    default:
        return std::nullopt;
    }
}

// The labelled texts of the analyses that show a value they do not hold.
struct Labelled {
    std::string_view label;
    const char* key;
    ResultQuantity quantity;
};
constexpr Labelled kLabelled[] = {
    {"风机盘管制冷量", "fan_coil_cooling", ResultQuantity::Power},
    {"新风空调器制冷量", "fresh_air_cooling", ResultQuantity::Power},
    {"盘管加热量", "fresh_air_heating", ResultQuantity::Power},
    {"一次回风量", "first_return_volume", ResultQuantity::AirVolume},
    {"二次回风量", "second_return_volume", ResultQuantity::AirVolume},
    {"新风比", "fresh_air_ratio", ResultQuantity::Fraction},
    {"送风温差", "supply_temperature_difference", ResultQuantity::TemperatureDifference},
    {"预热后出风温度", "preheated_temperature", ResultQuantity::Temperature},
};

// The names that say a winter value already; the heating view's others
// start with winter_, as the stored winter results do.
bool isWinterName(std::string_view key)
{
    return key == "heating" || key.starts_with("preheat") || key == "fresh_air_heating" ||
           key.find("humidification") != std::string_view::npos;
}

// The text's words before its value: up to the last colon.
std::string labelOf(const std::string& text)
{
    std::size_t end = std::string::npos;
    for (const std::string_view colon : {":", "："}) {
        const std::size_t at = text.rfind(colon);
        if (at != std::string::npos && (end == std::string::npos || at > end))
            end = at;
    }
    std::string label = text.substr(0, end);
    while (!label.empty() && label.back() == ' ')
        label.pop_back();
    return label;
}

// The number a labelled text shows after its label, its point names in
// parentheses and a colon, in the stored unit; empty when it shows none.
std::optional<double> shownValue(const std::string& text, std::size_t labelSize, ResultQuantity quantity)
{
    std::string_view rest(text);
    rest.remove_prefix(labelSize);
    if (rest.starts_with("(")) {
        const std::size_t close = rest.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(close + 1);
    }
    for (bool skipped = true; skipped;) {
        skipped = false;
        for (const std::string_view mark : {" ", ":", "："})
            if (rest.starts_with(mark)) {
                rest.remove_prefix(mark.size());
                skipped = true;
            }
    }
    const std::string number(rest.substr(0, 32));
    char* end = nullptr;
    const double shown = std::strtod(number.c_str(), &end);
    if (end == number.c_str() || !std::isfinite(shown))
        return std::nullopt;
    const std::string_view unit = std::string_view(number).substr(std::size_t(end - number.c_str()));
    switch (quantity) {
    case ResultQuantity::Power:
        if (unit.starts_with("kW"))
            return shown * 1000.0;
        if (unit.starts_with("kcal/h"))
            return shown / double(kKcalPerHourPerWatt);
        return std::nullopt;
    case ResultQuantity::Fraction:
        return unit.starts_with("%") ? std::optional(shown * 0.01) : std::nullopt;
    default:
        return shown;
    }
}

} // namespace

std::vector<AnalysisResult> TextResults(const CIDG& idg)
{
    std::vector<AnalysisResult> results;
    if (!idg.m_pTexts)
        return results;
    const bool winter = idg.m_nCurCondition == kConditionWinter;
    // Where the fresh-air stream's own treatment starts: the outdoor point
    // W, or W1 after its heat recovery.
    const CServiceArea* room = idg.CurrentRoom();
    const int recovered = room ? (winter ? room->m_recovery.winterPoint : room->m_recovery.summerPoint) : -1;
    const auto freshAirStart = [recovered](int index) {
        return index == 0 || (recovered > 0 && index == recovered);
    };
    std::map<std::string, int> seen;
    const auto add = [&](std::string key, const std::string& text, ResultQuantity quantity, double value) {
        if (winter && !isWinterName(key))
            key = "winter_" + key;
        const int count = ++seen[key];
        if (count > 1)
            key += "_" + std::to_string(count);
        results.push_back({std::move(key), labelOf(text), quantity, value});
    };
    for (const auto& text : *idg.m_pTexts) {
        if (const auto named = kindValue(text->m_nKind)) {
            double value = text->m_fValues[static_cast<std::size_t>(named->slot)];
            std::string key = named->key;
            if (named->quantity == ResultQuantity::MoistureFlow) {
                // The text shows the amount; a coil that dries the air
                // reports a dehumidification.
                if (value < 0.0)
                    key = "dehumidification";
                value = std::fabs(value);
                if (freshAirStart(text->m_nRef[result_ref::kFirst]))
                    key = "fresh_air_" + key;
            }
            add(std::move(key), text->m_strText, named->quantity, value);
            continue;
        }
        if (text->m_nKind == static_cast<int>(ResultKind::MoistureDifference)) {
            add("moisture_difference", text->m_strText, ResultQuantity::MoistureDifference,
                text->m_fMoistDiff);
            continue;
        }
        if (text->m_nKind != result_kind::kPlain && text->m_nKind != result_kind::kLabel)
            continue;
        for (const Labelled& labelled : kLabelled) {
            if (!text->m_strText.starts_with(labelled.label))
                continue;
            if (const auto value = shownValue(text->m_strText, labelled.label.size(), labelled.quantity))
                add(labelled.key, text->m_strText, labelled.quantity, *value);
            break;
        }
    }
    return results;
}

const char* StoredUnit(ResultQuantity quantity)
{
    switch (quantity) {
    case ResultQuantity::Power:
        return "W";
    case ResultQuantity::AirVolume:
        return "m³/h";
    case ResultQuantity::MoistureFlow:
        return "kg/h";
    case ResultQuantity::EnthalpyDifference:
    case ResultQuantity::HeatMoistureRatio:
        return "kJ/kg";
    case ResultQuantity::MoistureDifference:
        return "g/kg";
    case ResultQuantity::Fraction:
        return "";
    case ResultQuantity::Temperature:
        return "°C";
    case ResultQuantity::TemperatureDifference:
        return "K";
    }
    return "";
}
