#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "analysis/AnalysisResults.h"
#include "analysis/Binding.h"
#include "model/CIDG.h"
#include "project/ConditionViews.h"

// The JSON that qorva-cli prints with --json, for scripts: numbers as
// numbers in the stored SI units (t and tw in °C, rh in %, x in g/kg, h in
// kJ/kg, capacities and loads in W, air volumes in m³/h, moisture flows in
// kg/h, ratios as fractions). docs/command-line.md documents the schema.
namespace cli_json {

// A stored 32-bit value as the shortest decimal that reads back as the same
// float, so 26.0f is 26 and not 25.999999046325684; null when not finite.
inline QJsonValue number(double value)
{
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        return QJsonValue(QJsonValue::Null);
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, stored);
    double shortest = 0;
    std::from_chars(text, written.ptr, shortest);
    return shortest;
}

// The same number appended as JSON text (for the states stream, which is
// written without building a document).
inline void appendNumber(std::string& out, double value)
{
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored)) {
        out += "null";
        return;
    }
    char text[48];
    const float magnitude = std::fabs(stored);
    const bool plain = magnitude == 0.0f || (magnitude >= 1e-5f && magnitude < 1e9f);
    const auto written = plain ? std::to_chars(text, text + sizeof text, stored, std::chars_format::fixed)
                               : std::to_chars(text, text + sizeof text, stored);
    out.append(text, written.ptr);
}

inline QJsonValue text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// A state point of a chart view: name, t, tw, rh (%), x (g/kg), h.
inline QJsonObject point(const CStatePoint& p)
{
    return {{"name", text(p.m_strName)},    {"t", number(p.m_t)},          {"tw", number(p.m_tw)},
            {"rh", number(p.m_RH * 100.0)}, {"x", number(p.m_d * 1000.0)}, {"h", number(p.m_h)}};
}

// The current view's points, process lines (with the names of their end
// points) and result texts.
inline QJsonObject currentView(const CIDG& idg)
{
    QJsonArray points, lines, texts;
    const auto& list = *idg.m_pPoints;
    const auto nameOf = [&list](int index) {
        return index >= 0 && index < static_cast<int>(list.size()) ? text(list[std::size_t(index)]->m_strName)
                                                                   : QJsonValue(QJsonValue::Null);
    };
    for (const auto& p : list)
        points.append(point(*p));
    for (const auto& line : *idg.m_pProcessLines)
        lines.append(QJsonObject{
            {"name", text(line->m_strName)}, {"from", nameOf(line->m_nStart)}, {"to", nameOf(line->m_nEnd)}});
    for (const auto& t : *idg.m_pTexts)
        texts.append(text(t->m_strText));
    return {{"points", points}, {"lines", lines}, {"texts", texts}};
}

// The message of a room whose views cannot be bound, as the text report has it.
inline constexpr const char* kViewsFailed = "设计状态点无法计算或分析结果与图上的状态点不符";

inline const char* conditionName(int condition)
{
    return condition == kConditionWinter ? "heating" : "cooling";
}

// Where an analysis keeps one of its results in the room, and what it is.
struct ResultSlot {
    enum Store { kWordFloat, kWordIndex, kDouble, kIntFloat, kIntIndex };
    const char* name;
    Store store;
    int slot;
    int condition = kConditionSummer; // of a point index: the list it indexes
    double scale = 1.0;               // to the JSON unit
};

inline std::span<const ResultSlot> resultSlots(const std::string& analysis)
{
    using enum ResultSlot::Store;
    constexpr int kWinter = kConditionWinter;
    constexpr int kSummer = kConditionSummer;
    static constexpr ResultSlot primary[] = {
        {"supply_volume", kWordFloat, primary_slot::kSupplyVolume},
        {"cooling", kWordFloat, primary_slot::kCooling},
        {"reheat", kWordFloat, primary_slot::kReheat},
        {"supply", kWordIndex, primary_slot::kSupply},
        {"mixing", kWordIndex, primary_slot::kMixing},
        {"coil_outlet", kWordIndex, primary_slot::kCoilOutlet},
        {"fan_outlet", kWordIndex, primary_slot::kFanOutlet},
        {"fresh_air_ratio", kWordFloat, primary_slot::kFreshRatio},
        {"heat_moisture_ratio", kWordFloat, primary_slot::kRatio},
        {"winter_supply_volume", kWordFloat, primary_slot::kWinterVolume},
        {"heating", kWordFloat, primary_slot::kHeating},
        {"preheat", kWordFloat, primary_slot::kPreheat},
        {"humidification", kWordFloat, primary_slot::kHumidification},
        {"winter_fresh_air_ratio", kWordFloat, primary_slot::kWinterFreshRatio},
        {"winter_heat_moisture_ratio", kWordFloat, primary_slot::kWinterRatio},
        {"winter_supply", kWordIndex, primary_slot::kWinterSupply, kWinter},
        {"heater_outlet", kWordIndex, primary_slot::kHeaterOutlet, kWinter},
        {"heater_inlet", kWordIndex, primary_slot::kHeaterInlet, kWinter},
        {"preheated", kWordIndex, primary_slot::kPreheated, kWinter},
        {"mixed_before_heating", kWordIndex, primary_slot::kMixedBeforeHeating, kWinter},
    };
    static constexpr ResultSlot secondary[] = {
        {"supply_volume", kIntFloat, secondary_slot::kSupplyVolume},
        {"second_return_volume", kIntFloat, secondary_slot::kSecondVolume},
        {"first_return_volume", kIntFloat, secondary_slot::kFirstVolume},
        {"cooling", kIntFloat, secondary_slot::kCooling},
        {"supply", kIntIndex, secondary_slot::kSupply},
        {"fan_outlet", kIntIndex, secondary_slot::kFanOutlet},
        {"coil_outlet", kIntIndex, secondary_slot::kCoilOutlet},
        {"mixing", kIntIndex, secondary_slot::kMixing},
        {"fresh_air_ratio", kIntFloat, secondary_slot::kFreshRatio},
        {"heat_moisture_ratio", kIntFloat, secondary_slot::kRatio},
        {"winter_supply_volume", kDouble, secondary_slot::kWinterVolume},
        {"winter_second_return_volume", kDouble, secondary_slot::kWinterSecondVolume},
        {"winter_first_return_volume", kDouble, secondary_slot::kWinterFirstVolume},
        {"heating", kDouble, secondary_slot::kHeating},
        {"humidification", kDouble, secondary_slot::kHumidification},
        {"winter_supply", kIntIndex, secondary_slot::kWinterSupply, kWinter},
        {"preheated", kIntIndex, secondary_slot::kPreheated, kWinter},
        {"first_mixing", kIntIndex, secondary_slot::kFirstMix, kWinter},
        {"second_mixing", kIntIndex, secondary_slot::kSecondMix, kWinter},
        {"humidified", kIntIndex, secondary_slot::kHumidified, kWinter},
    };
    // Its loads and enthalpy difference are not kept in the project file:
    // they come from its texts.
    static constexpr ResultSlot freshAir[] = {
        {"coil_outlet", kWordIndex, freshair_slot::kCoilOutlet, kSummer},
        {"humidification", kWordFloat, freshair_slot::kHumidification},
        {"heated", kWordIndex, freshair_slot::kHeated, kWinter},
        {"humidified", kWordIndex, freshair_slot::kHumidified, kWinter},
    };
    if (analysis == "primary")
        return primary;
    if (analysis == "secondary")
        return secondary;
    // The fan coil keeps no results in the room: its air volumes and
    // capacities are working values of one run, given in its texts.
    if (analysis == "freshair")
        return freshAir;
    return {};
}

// The results of an analysis by name, in the JSON units: those it stored in
// the room, points by their names (null for a point the analysis did not
// make), then every value the texts it wrote show (shown) under the names
// the stored results do not have (a stored value is the more precise).
inline QJsonObject results(const std::string& analysis, const CServiceArea& room,
                           const std::vector<AnalysisResult>& shown)
{
    QJsonObject out;
    const auto pointName = [&room](int condition, std::int32_t index) {
        const auto& list = room.m_points[std::size_t(condition)];
        return index >= 0 && index < static_cast<std::int32_t>(list.size())
                   ? text(list[std::size_t(index)]->m_strName)
                   : QJsonValue(QJsonValue::Null);
    };
    for (const ResultSlot& r : resultSlots(analysis)) {
        const auto at = std::size_t(r.slot);
        switch (r.store) {
        case ResultSlot::kWordFloat:
            out[r.name] = number(room.m_anaW[at].f * r.scale);
            break;
        case ResultSlot::kWordIndex:
            out[r.name] = pointName(r.condition, room.m_anaW[at].i);
            break;
        case ResultSlot::kDouble:
            out[r.name] = number(room.m_anaD[at] * r.scale);
            break;
        case ResultSlot::kIntFloat:
            out[r.name] = number(std::bit_cast<float>(room.m_anaI[at]) * r.scale);
            break;
        case ResultSlot::kIntIndex:
            out[r.name] = pointName(r.condition, room.m_anaI[at]);
            break;
        }
    }
    for (const AnalysisResult& r : shown)
        if (const QString key = QString::fromStdString(r.key); !out.contains(key))
            out[key] = number(r.value);
    return out;
}

// The room's design loads of each condition: load W, moisture load kg/h,
// fresh air m³/h.
inline QJsonObject design(const CServiceArea& room)
{
    return {{"cooling", QJsonObject{{"load", number(room.m_fSummerLoad * 1000.0)},
                                    {"moisture_load", number(room.m_fSummerMoistLoad)},
                                    {"fresh_air", number(room.m_fSummerFreshAir)}}},
            {"heating", QJsonObject{{"load", number(room.m_fWinterLoad * 1000.0)},
                                    {"moisture_load", number(room.m_fWinterMoistLoad)},
                                    {"fresh_air", number(room.m_fWinterFreshAir)}}}};
}

// One room of the analyze and report output. idg is a scratch copy holding
// the results; a failed room has ok false, its message, and null views and
// results. A room whose views cannot be bound fails with kViewsFailed.
// winterRan: the analysis wrote the heating view (else its texts are those of
// an earlier run, shown in the view but no result of this one).
inline QJsonObject room(CIDG& idg, int s, int r, const std::string& analysis, std::string message, bool ok,
                        bool winterRan)
{
    const CAcSystem& system = *idg.m_rooms.m_systems[std::size_t(s)];
    const CServiceArea& area = *system.m_rooms[std::size_t(r)];
    QJsonObject conditions;
    std::vector<AnalysisResult> shown;
    if (ok) {
        ok = ForEachConditionView(idg, s, r, [&](int condition) {
            conditions[conditionName(condition)] = currentView(idg);
            if (condition == kConditionWinter && !winterRan)
                return;
            const std::vector<AnalysisResult> view = TextResults(idg);
            shown.insert(shown.end(), view.begin(), view.end());
        });
        if (!ok)
            message = kViewsFailed;
    }
    return {{"system", text(system.m_strName)},
            {"room", text(area.m_strName)},
            {"analysis", text(analysis)},
            {"ok", ok},
            {"message", ok ? QJsonValue(QJsonValue::Null) : text(message)},
            {"design", design(area)},
            {"conditions", ok ? QJsonValue(conditions) : QJsonValue(QJsonValue::Null)},
            {"results", ok ? QJsonValue(results(analysis, area, shown)) : QJsonValue(QJsonValue::Null)}};
}

inline void print(const QJsonObject& object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace cli_json
