#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "analysis/AnalysisResults.h"
#include "analysis/Binding.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/RecoveryJson.h"
#include "project/CQORVADoc.h"
#include "project/ConditionViews.h"
#include "project/ProjectFile.h"

// qorva-cli analyze IN.id OUT.id --analysis primary|secondary|fancoil|freshair
// [--system S] [--room R] [overrides]: runs one analysis on one room (or on
// every room) with the parameters stored in it, exactly as the dialog's OK
// would through the document, prints each room's result texts as they are
// drawn and writes the project to OUT.id. A failure prints the dialog's
// message and writes nothing (status 1); wrong arguments give status 2.
// With --json every room is analysed and printed as JSON, a failed one with
// its message; any failure still writes no project. --units sets the
// project's unit system before the run, as the basic-parameters dialog
// would: the texts, the written project and the JSON numbers are then in it,
// and the temperatures, differences and flows typed are read in it.

namespace {

constexpr const char* kUsage =
    "usage: qorva-cli analyze IN.id OUT.id --analysis primary|secondary|fancoil|freshair\n"
    "                         [--system NAME|INDEX] [--room NAME|INDEX] [--units si|engineering|ip]\n"
    "  parameters (default: those stored in the room, as the dialog opens with them):\n"
    "    --fan-rise K           风机温升 (℃; primary, secondary, fancoil)\n"
    "    --supply-diff K|max    送风温差 (℃), or max for 最大送风温差 (primary, secondary, fancoil)\n"
    "    --dew-point PERCENT    机器露点 (%)\n"
    "    --winter | --no-winter run the winter part (primary: needs --preheat and --humidify)\n"
    "    --preheat first|mix    预热方式 先预热 / 先混合 (primary)\n"
    "    --humidify adiabatic|steam|none\n"
    "                           加湿方式: 绝热/等焓 or 蒸汽/等温; none: no winter part (primary, freshair)\n"
    "    --preheat-diff K       预热温差 (℃; primary, secondary)\n"
    "    --mix treat-first|mix-first\n"
    "                           混风模式 先处理后混风 / 先混风后处理 (fancoil)\n"
    "    --heat-to T            加热到 (℃; freshair)\n"
    "    --humidification KGH   加湿量 (kg/h; freshair)\n"
    "    --recovery none|total|sensible\n"
    "                           热回收 of the fresh air from the exhaust (freshair, fancoil)\n"
    "    --recovery-e E         its effectiveness, 0-1 (freshair, fancoil)\n"
    "  --units si|engineering|ip\n"
    "                           the project's unit system for the run (default: the one it has):\n"
    "                           with ip --fan-rise, --supply-diff and --preheat-diff are °F\n"
    "                           differences, --heat-to is °F and --humidification lb/h\n"
    "  --json                   print each room's points, lines, texts and results as JSON\n";

using cli_arguments::FindByNameOrIndex;
using cli_arguments::Number;
using qorva::units::DisplaySystem;
using qorva::units::Quantity;

struct Options {
    std::string in, out, analysis, system, room;
    std::map<std::string, std::string> values;
    std::optional<bool> winter;
    bool json = false;
    std::optional<DisplaySystem> units; // when --units is given
    std::string problem;                // why the arguments are wrong, when it can be said
};

// The display system the values are typed and shown in.
DisplaySystem unitsOf(const Options& o)
{
    return o.units.value_or(DisplaySystem::SI);
}

// What a typed parameter measures, for reading it in the system's unit.
enum class Typed {
    Plain,       // a share or a percentage: the same in every system
    Difference,  // K; °F difference in IP
    Temperature, // °C; °F in IP
    Flow         // kg/h; lb/h in IP
};

// A typed value in the stored unit.
double storedValue(Typed kind, double value, DisplaySystem units)
{
    switch (kind) {
    case Typed::Difference:
        return units == DisplaySystem::IP ? value * 5.0 / 9.0 : value;
    case Typed::Temperature:
        return qorva::units::stored(Quantity::Temperature, value, units);
    case Typed::Flow:
        return qorva::units::stored(Quantity::MoistureFlow, value, units);
    case Typed::Plain:
        break;
    }
    return value;
}

// The unit a value is typed in, as a refusal names it.
const char* typedUnit(Typed kind, DisplaySystem units)
{
    const bool ip = units == DisplaySystem::IP;
    switch (kind) {
    case Typed::Difference:
        return ip ? "°F" : "K";
    case Typed::Temperature:
        return qorva::units::unitOf(Quantity::Temperature, units);
    case Typed::Flow:
        return qorva::units::unitOf(Quantity::MoistureFlow, units);
    case Typed::Plain:
        break;
    }
    return "%";
}

// The heat recovery of the fresh air: the mode and the effectiveness typed,
// else those stored. An effectiveness outside 0–1 with a recovery is wrong.
bool applyRecovery(const Options& o, RecoveryParams& recovery)
{
    if (auto it = o.values.find("--recovery"); it != o.values.end()) {
        const std::string& v = it->second;
        if (v == "none")
            recovery.mode = kRecoveryNone;
        else if (v == "total")
            recovery.mode = kRecoveryTotal;
        else if (v == "sensible")
            recovery.mode = kRecoverySensible;
        else
            return false;
    }
    if (auto it = o.values.find("--recovery-e"); it != o.values.end()) {
        const auto v = Number(it->second);
        if (!v)
            return false;
        recovery.effectiveness = static_cast<float>(*v);
    }
    return recovery.mode == kRecoveryNone ||
           (recovery.effectiveness >= 0.0f && recovery.effectiveness <= 1.0f);
}

// Applies the overrides to the stored parameters; false when a value is
// wrong, with problem set when the value is no number.
bool applyOverrides(const Options& o, AnalysisRequest& request, std::string& problem)
{
    bool ok = true;
    const DisplaySystem units = unitsOf(o);
    auto num = [&](const char* key, auto& target, Typed kind = Typed::Plain) {
        if (auto it = o.values.find(key); it != o.values.end()) {
            if (const auto v = Number(it->second)) {
                target = static_cast<std::remove_reference_t<decltype(target)>>(storedValue(kind, *v, units));
            } else {
                ok = false;
                problem = cli_arguments::NotANumber(it->second, key, typedUnit(kind, units));
            }
        }
    };
    auto humidify = [&](int& target) {
        if (auto it = o.values.find("--humidify"); it != o.values.end()) {
            const std::string& v = it->second;
            if (v == "adiabatic" || v == "isenthalpic")
                target = kHumidifyAdiabatic;
            else if (v == "steam" || v == "isothermal")
                target = kHumidifySteam;
            else if (v == "none")
                target = kHumidifyNone;
            else
                ok = false;
        }
    };
    auto supply = [&](int& maxFlag, auto& difference) {
        if (auto it = o.values.find("--supply-diff"); it != o.values.end()) {
            if (it->second == "max") {
                maxFlag = 1;
            } else if (const auto v = Number(it->second); v && *v > 0) {
                maxFlag = 0;
                difference = static_cast<std::remove_reference_t<decltype(difference)>>(
                    storedValue(Typed::Difference, *v, units));
            } else {
                if (!v)
                    problem = cli_arguments::NotANumber(it->second, "--supply-diff",
                                                        typedUnit(Typed::Difference, units));
                ok = false;
            }
        }
    };
    if (auto* p = std::get_if<PrimaryParams>(&request)) {
        num("--fan-rise", p->fanRise, Typed::Difference);
        supply(p->maxDifference, p->supplyDifference);
        float percent = p->dewPoint * 100.0f;
        num("--dew-point", percent);
        p->dewPoint = percent * 0.01f;
        num("--preheat-diff", p->preheatDifference, Typed::Difference);
        humidify(p->humidifyMode);
        if (auto it = o.values.find("--preheat"); it != o.values.end())
            p->preheatMode = it->second == "first" ? kPreheatFirst
                             : it->second == "mix" ? kMixFirst
                                                   : (ok = false, 0);
        p->winter = p->humidifyMode >= 0 && p->preheatMode >= 0 ? 1 : 0;
        if (o.winter)
            p->winter = *o.winter && p->winter;
        ok = ok && p->fanRise >= 0 && p->dewPoint > 0 && p->dewPoint <= 1;
    } else if (auto* s = std::get_if<SecondaryParams>(&request)) {
        num("--fan-rise", s->fanRise, Typed::Difference);
        int unused = 0;
        supply(unused, s->supplyDifference);
        num("--dew-point", s->dewPointPercent);
        num("--preheat-diff", s->preheatDifference, Typed::Difference);
        humidify(s->humidifyMode);
        if (o.winter)
            s->winter = *o.winter;
        ok = ok && unused == 0 && s->fanRise >= 0 && s->dewPointPercent > 0 && s->dewPointPercent <= 100;
    } else if (auto* f = std::get_if<FanCoilParams>(&request)) {
        num("--fan-rise", f->fanRise, Typed::Difference);
        supply(f->maxDifference, f->supplyDifference);
        num("--dew-point", f->dewPointPercent);
        humidify(f->humidifyMode);
        if (auto it = o.values.find("--mix"); it != o.values.end())
            f->mixMode = it->second == "treat-first" ? kTreatThenMix
                         : it->second == "mix-first" ? kMixThenTreat
                                                     : (ok = false, 0);
        if (o.winter)
            f->winter = *o.winter;
        ok = applyRecovery(o, f->recovery) && ok;
    } else if (auto* a = std::get_if<FreshAirParams>(&request)) {
        float percent = a->dewPoint * 100.0f;
        num("--dew-point", percent);
        a->dewPoint = percent * 0.01f;
        num("--heat-to", a->heatTo, Typed::Temperature);
        num("--humidification", a->humidification, Typed::Flow);
        humidify(a->humidifyMode);
        if (o.winter && !*o.winter)
            a->humidifyMode = kHumidifyNone;
        ok = applyRecovery(o, a->recovery) && ok && a->dewPoint > 0 && a->dewPoint <= 1;
    }
    // The analyses without fresh-air treatment of their own take no recovery.
    const bool takesRecovery =
        std::holds_alternative<FanCoilParams>(request) || std::holds_alternative<FreshAirParams>(request);
    if (!takesRecovery && (o.values.contains("--recovery") || o.values.contains("--recovery-e")))
        ok = false;
    return ok;
}

bool parse(const std::vector<std::string>& args, Options& o)
{
    static const std::vector<std::string> valued{
        "--fan-rise", "--supply-diff", "--dew-point",      "--preheat",  "--humidify",  "--preheat-diff",
        "--mix",      "--heat-to",     "--humidification", "--recovery", "--recovery-e"};
    std::vector<std::string_view> words(args.begin(), args.end());
    if (std::find(words.begin(), words.end(), "--units") != words.end()) {
        DisplaySystem units = DisplaySystem::SI;
        if (!cli_arguments::TakeUnits(words, units, o.problem))
            return false;
        o.units = units;
    }
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string arg(words[i]);
        const bool hasValue = i + 1 < words.size();
        if (arg == "--json") {
            o.json = true;
        } else if (arg == "--winter" || arg == "--no-winter") {
            o.winter = arg == "--winter";
        } else if (arg == "--analysis" || arg == "--system" || arg == "--room") {
            if (!hasValue)
                return false;
            (arg == "--analysis" ? o.analysis : arg == "--system" ? o.system : o.room) = words[++i];
        } else if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
            if (!hasValue)
                return false;
            o.values[arg] = words[++i];
        } else if (arg.starts_with("--")) {
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return false;
    o.in = positional[0];
    o.out = positional[1];
    return o.analysis == "primary" || o.analysis == "secondary" || o.analysis == "fancoil" ||
           o.analysis == "freshair";
}

// The result texts of a room as the chart draws them.
void printTexts(CIDG& idg, int system, int room)
{
    ForEachConditionView(idg, system, room, [&idg](int) {
        for (const auto& text : *idg.m_pTexts)
            std::printf("%s\n", text->m_strText.c_str());
    });
}

// A number of the JSON output, stored SI (capacities in W, x in g/kg), as
// the system shows it.
double shownResult(ResultQuantity quantity, double value, DisplaySystem units)
{
    using qorva::units::shown;
    switch (quantity) {
    case ResultQuantity::Power:
        return units == DisplaySystem::SI ? value : shown(Quantity::Capacity, value, units);
    case ResultQuantity::AirVolume:
        return shown(Quantity::AirVolume, value, units);
    case ResultQuantity::MoistureFlow:
        return shown(Quantity::MoistureFlow, value, units);
    case ResultQuantity::EnthalpyDifference:
    case ResultQuantity::HeatMoistureRatio: // kJ per kg of moisture: an enthalpy per mass, as Δh
        return shown(Quantity::EnthalpyDifference, value, units);
    case ResultQuantity::MoistureDifference:
        return units == DisplaySystem::SI
                   ? value
                   : shown(Quantity::MoistureContent, value / qorva::units::kGramPerKilogram, units);
    case ResultQuantity::Temperature:
        return shown(Quantity::Temperature, value, units);
    case ResultQuantity::TemperatureDifference:
        return units == DisplaySystem::IP ? value * 9.0 / 5.0 : value;
    case ResultQuantity::Fraction:
        break;
    }
    return value;
}

// What the results an analysis keeps in the room measure, by their names.
struct StoredResult {
    const char* name;
    ResultQuantity quantity;
};

constexpr StoredResult kStoredResults[] = {
    {"supply_volume", ResultQuantity::AirVolume},
    {"second_return_volume", ResultQuantity::AirVolume},
    {"first_return_volume", ResultQuantity::AirVolume},
    {"winter_supply_volume", ResultQuantity::AirVolume},
    {"winter_second_return_volume", ResultQuantity::AirVolume},
    {"winter_first_return_volume", ResultQuantity::AirVolume},
    {"cooling", ResultQuantity::Power},
    {"reheat", ResultQuantity::Power},
    {"heating", ResultQuantity::Power},
    {"preheat", ResultQuantity::Power},
    {"humidification", ResultQuantity::MoistureFlow},
    {"fresh_air_ratio", ResultQuantity::Fraction},
    {"winter_fresh_air_ratio", ResultQuantity::Fraction},
    {"heat_moisture_ratio", ResultQuantity::HeatMoistureRatio},
    {"winter_heat_moisture_ratio", ResultQuantity::HeatMoistureRatio},
};

// The member key of object, a number, as the system shows it.
void convertMember(QJsonObject& object, const char* key, ResultQuantity quantity, DisplaySystem units)
{
    if (const QJsonValue v = object.value(key); v.isDouble())
        object[key] = cli_json::number(shownResult(quantity, v.toDouble(), units));
}

// The object member key, changed by edit.
template <class Edit> void editObject(QJsonObject& parent, const char* key, Edit edit)
{
    if (!parent.value(key).isObject())
        return;
    QJsonObject child = parent.value(key).toObject();
    edit(child);
    parent[key] = child;
}

// One room of the analyze JSON, made in stored SI, in the system's units:
// its design loads, flows and fresh air, its points' t, tw, x and h, its
// results (by what each measures: the stored ones by kStoredResults, the
// others as the texts of the room's views give them) and the heat its
// recovery saves. RH, shares and effectiveness are the same in every system.
void convertRoomJson(QJsonObject& room, CIDG& idg, int s, int r, DisplaySystem units)
{
    if (units == DisplaySystem::SI)
        return;
    editObject(room, "design", [units](QJsonObject& design) {
        for (const char* condition : {"cooling", "heating"})
            editObject(design, condition, [units](QJsonObject& loads) {
                convertMember(loads, "load", ResultQuantity::Power, units);
                convertMember(loads, "moisture_load", ResultQuantity::MoistureFlow, units);
                convertMember(loads, "fresh_air", ResultQuantity::AirVolume, units);
            });
    });
    editObject(room, "conditions", [units](QJsonObject& conditions) {
        for (const char* condition : {"cooling", "heating"})
            editObject(conditions, condition, [units](QJsonObject& view) {
                QJsonArray points = view.value("points").toArray();
                for (qsizetype i = 0; i < points.size(); ++i) {
                    QJsonObject point = points[i].toObject();
                    convertMember(point, "t", ResultQuantity::Temperature, units);
                    convertMember(point, "tw", ResultQuantity::Temperature, units);
                    convertMember(point, "x", ResultQuantity::MoistureDifference, units);
                    if (const QJsonValue h = point.value("h"); h.isDouble())
                        point["h"] =
                            cli_json::number(qorva::units::shown(Quantity::Enthalpy, h.toDouble(), units));
                    points[i] = point;
                }
                view["points"] = points;
            });
    });
    if (room.value("results").isObject()) {
        std::map<std::string, ResultQuantity> quantities;
        ForEachConditionView(idg, s, r, [&](int) {
            for (const AnalysisResult& result : TextResults(idg))
                quantities.emplace(result.key, result.quantity);
        });
        for (const StoredResult& stored : kStoredResults)
            quantities[stored.name] = stored.quantity;
        editObject(room, "results", [&](QJsonObject& results) {
            for (const auto& [key, quantity] : quantities)
                convertMember(results, key.c_str(), quantity, units);
        });
    }
    editObject(room, "recovery", [units](QJsonObject& recovery) {
        for (const char* condition : {"cooling", "heating"})
            editObject(recovery, condition, [units](QJsonObject& c) {
                convertMember(c, "recovered", ResultQuantity::Power, units);
            });
    });
}

} // namespace

std::optional<AnalysisRequest> storedRequest(const std::string& kind, const CServiceArea& room)
{
    if (kind == "primary")
        return StoredPrimaryParams(room);
    if (kind == "secondary")
        return StoredSecondaryParams(room);
    if (kind == "fancoil")
        return StoredFanCoilParams(room);
    if (kind == "freshair")
        return StoredFreshAirParams(room);
    return std::nullopt;
}

int runAnalyzeCommand(const std::vector<std::string>& args)
{
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options options;
    if (!parse(args, options)) {
        if (!options.problem.empty())
            std::fprintf(stderr, "qorva-cli analyze: %s\n", options.problem.c_str());
        std::fputs(kUsage, stderr);
        return 2;
    }
    CQORVADoc document;
    if (!document.OnOpenDocument(options.in))
        return 1;
    // The unit system chosen, as the basic-parameters dialog sets it.
    if (options.units)
        document.SetBasicParameters(document.model().m_strProjectName,
                                    cli_arguments::UnitSystemCode(*options.units));
    QJsonArray jsonRooms;
    bool failed = false;
    const auto& systems = document.model().m_rooms.m_systems;
    int firstSystem = 0, lastSystem = static_cast<int>(systems.size()) - 1;
    if (!options.system.empty()) {
        firstSystem = lastSystem = FindByNameOrIndex(systems, options.system);
        if (firstSystem < 0) {
            std::fprintf(stderr, "qorva-cli analyze: the project has no system '%s'\n",
                         options.system.c_str());
            return 2;
        }
    }
    for (int s = firstSystem; s <= lastSystem; ++s) {
        const auto& rooms = systems[static_cast<std::size_t>(s)]->m_rooms;
        int firstRoom = 0, lastRoom = static_cast<int>(rooms.size()) - 1;
        if (!options.room.empty()) {
            firstRoom = lastRoom = FindByNameOrIndex(rooms, options.room);
            if (firstRoom < 0) {
                std::fprintf(stderr, "qorva-cli analyze: system '%s' has no room '%s'\n",
                             systems[static_cast<std::size_t>(s)]->m_strName.c_str(), options.room.c_str());
                return 2;
            }
        }
        for (int r = firstRoom; r <= lastRoom; ++r) {
            if (!document.SelectSystem(s))
                break;
            document.SelectRoom(r);
            const CServiceArea& room = *rooms[static_cast<std::size_t>(r)];
            AnalysisRequest request = *storedRequest(options.analysis, room);
            std::string problem;
            if (!applyOverrides(options, request, problem)) {
                if (!problem.empty())
                    std::fprintf(stderr, "qorva-cli analyze: %s\n", problem.c_str());
                std::fputs(kUsage, stderr);
                return 2;
            }
            std::string message;
            const bool ok = document.RunAnalysis(request, message);
            if (!ok) {
                std::fprintf(stderr, "qorva-cli analyze: %s / %s: %s\n",
                             systems[static_cast<std::size_t>(s)]->m_strName.c_str(), room.m_strName.c_str(),
                             message.c_str());
                failed = true;
                if (!options.json)
                    return 1;
            }
            const std::unique_ptr<ProjectContents> copy =
                ScratchCopy(document.model(), document.m_strReportPath, document.m_bReturnMode);
            if (!copy)
                return 1;
            if (options.json) {
                QJsonObject object =
                    cli_json::room(copy->idg, s, r, options.analysis, message, ok, RunsWinter(request));
                const CServiceArea& analysed =
                    *copy->idg.m_rooms.m_systems[std::size_t(s)]->m_rooms[std::size_t(r)];
                object["recovery"] = ok ? cli_json::recovery(analysed) : QJsonValue(QJsonValue::Null);
                convertRoomJson(object, copy->idg, s, r, unitsOf(options));
                jsonRooms.append(object);
                continue;
            }
            std::printf("%s / %s\n", systems[static_cast<std::size_t>(s)]->m_strName.c_str(),
                        room.m_strName.c_str());
            printTexts(copy->idg, s, r);
        }
    }
    if (options.json) {
        QJsonObject out{{"project", cli_json::text(document.model().m_strProjectName)}, {"rooms", jsonRooms}};
        if (options.units)
            out["units"] = cli_arguments::UnitsNameOf(*options.units);
        cli_json::print(out);
    }
    if (failed)
        return 1;
    return document.OnSaveDocument(options.out) ? 0 : 1;
}
