// qorva-cli process KIND: one air-handling process step on the chart. The
// entering air is given as 'qorva-cli state' takes a state, the second air
// (the exhaust of a heat exchanger, the secondary air of an indirect
// evaporative cooler, the second stream of a mixing box) by the same
// options with "--to-" in front; the leaving air is printed as 'state'
// prints a state, then the enthalpy and moisture it gained. --units sets
// the units of every value typed and printed, as for 'state'.

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/StateRows.h"
#include "model/CIDG.h"
#include "model/CParamPoint.h"
#include "model/ProcessSteps.h"
#include "psychro/DisplayUnits.h"

using process_steps::Refusal;
using process_steps::StepKind;
using qorva::units::DisplaySystem;
using qorva::units::Quantity;

namespace {

constexpr const char* kProcessUsage =
    "usage: qorva-cli process KIND [--units si|engineering|ip] [--p P] --PROPERTY VALUE --PROPERTY VALUE\n"
    "                         [second air] [parameters]\n"
    "  KIND: recovery-total, recovery-sensible, evaporative-direct, evaporative-indirect,\n"
    "        humidify-steam, humidify-adiabatic, heat, mix\n"
    "  the entering air: two of --t --tw --rh --td --x --h, as 'qorva-cli state' takes them\n"
    "  the second air: --to-t --to-tw --to-rh --to-td --to-x --to-h (two of them), the exhaust\n"
    "    for recovery, the secondary air for evaporative-indirect (default: the entering air),\n"
    "    the second stream for mix\n"
    "  --e E: effectiveness 0-1 (recovery, evaporative); --dx DX: moisture added, g/kg (humidify);\n"
    "  --heat-to T: dry bulb after heating, °C (heat); --ratio R: share of the second stream 0-1 (mix)\n"
    "  --units: the units of every value, as 'qorva-cli state' takes them (ip: --dx in gr/lb,\n"
    "           --heat-to in °F, dh in Btu/lb)\n"
    "  --json: print the leaving air as one JSON object\n";

struct KindName {
    const char* name;
    StepKind kind;
};

constexpr KindName kKinds[] = {
    {"recovery-total", StepKind::TotalRecovery},
    {"recovery-sensible", StepKind::SensibleRecovery},
    {"evaporative-direct", StepKind::DirectEvaporative},
    {"evaporative-indirect", StepKind::IndirectEvaporative},
    {"humidify-steam", StepKind::SteamHumidification},
    {"humidify-adiabatic", StepKind::AdiabaticHumidification},
    {"heat", StepKind::Heating},
    {"mix", StepKind::Mixing},
};

// The quantity the parameter of a kind is typed as; the effectiveness and
// the share have no unit.
std::optional<Quantity> parameterQuantity(StepKind kind)
{
    switch (kind) {
    case StepKind::SteamHumidification:
    case StepKind::AdiabaticHumidification:
        return Quantity::MoistureContent;
    case StepKind::Heating:
        return Quantity::Temperature;
    default:
        return std::nullopt;
    }
}

// The one parameter each kind takes.
const char* parameterOf(StepKind kind)
{
    switch (kind) {
    case StepKind::SteamHumidification:
    case StepKind::AdiabaticHumidification:
        return "--dx";
    case StepKind::Heating:
        return "--heat-to";
    case StepKind::Mixing:
        return "--ratio";
    default:
        return "--e";
    }
}

bool takesSecondAir(StepKind kind)
{
    return process_steps::NeedsSecondAir(kind) || kind == StepKind::IndirectEvaporative;
}

// What the command line asks for, split into its parts.
struct Request {
    StepKind kind = StepKind::Heating;
    bool json = false;
    DisplaySystem units = DisplaySystem::SI;
    std::optional<float> parameter;
    std::vector<std::string_view> entering;
    std::vector<std::string> second; // "--to-t" given as "--t"
};

bool parseRequest(const std::vector<std::string>& args, Request& request, std::string& error)
{
    if (args.empty()) {
        error = "give the kind of process";
        return false;
    }
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&](const KindName& k) { return args[0] == k.name; });
    if (kind == std::end(kKinds)) {
        error = "unknown kind of process '" + args[0] + "'";
        return false;
    }
    request.kind = kind->kind;
    const std::string_view parameter = parameterOf(request.kind);
    constexpr std::string_view kSecond = "--to-";
    std::vector<std::string_view> words(args.begin() + 1, args.end());
    if (!cli_arguments::TakeUnits(words, request.units, error))
        return false;
    const auto parameterUnit = [&request]() -> const char* {
        const auto quantity = parameterQuantity(request.kind);
        return quantity ? qorva::units::unitOf(*quantity, request.units) : nullptr;
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == "--json") {
            request.json = true;
            continue;
        }
        const bool isParameter = word == "--e" || word == "--dx" || word == "--heat-to" || word == "--ratio";
        if (isParameter && word != parameter) {
            error = std::string(word) + " is not used by " + args[0] + " (it takes " +
                    std::string(parameter) + ")";
            return false;
        }
        if (isParameter) {
            if (i + 1 >= words.size()) {
                error = std::string(word) + " needs a number";
                return false;
            }
            const auto value = cli_arguments::Number(words[i + 1]);
            if (!value) {
                error = cli_arguments::NotANumber(words[i + 1], word, parameterUnit());
                return false;
            }
            if (request.parameter) {
                error = std::string(word) + " given twice";
                return false;
            }
            request.parameter = static_cast<float>(*value);
            ++i;
        } else if (word.starts_with(kSecond)) {
            if (!takesSecondAir(request.kind)) {
                error = args[0] + " takes no second air (" + std::string(word) + ")";
                return false;
            }
            if (word == "--to-p") {
                error = "the second air is at the pressure of the entering air (--p)";
                return false;
            }
            request.second.push_back("--" + std::string(word.substr(kSecond.size())));
            if (i + 1 < words.size())
                request.second.push_back(std::string(words[++i]));
        } else {
            request.entering.push_back(word);
            if (i + 1 < words.size())
                request.entering.push_back(words[++i]);
        }
    }
    if (!request.parameter) {
        error = args[0] + " needs " + std::string(parameter);
        return false;
    }
    if (process_steps::NeedsSecondAir(request.kind) && request.second.empty()) {
        error = args[0] + " needs the second air (--to-t, --to-rh ...)";
        return false;
    }
    return true;
}

CStatePoint chartPointOf(const CParamPoint& state)
{
    CStatePoint point;
    point.m_t = state.m_t;
    point.m_d = state.m_d;
    point.m_tw = state.m_tw;
    point.m_RH = state.m_RH;
    point.m_h = state.m_h;
    point.m_bKnownT = point.m_bKnownTw = point.m_bKnownD = point.m_bKnownH = point.m_bKnownRH = 1;
    return point;
}

// Messages of the command line for the refusals of a step.
std::string refusalMessage(Refusal refusal)
{
    switch (refusal) {
    case Refusal::EffectivenessRange:
        return "the effectiveness must lie between 0 and 1";
    case Refusal::RatioRange:
        return "the share of the second stream must lie between 0 and 1";
    case Refusal::NegativeMoisture:
        return "a humidifier adds moisture: --dx must not be negative";
    case Refusal::HeatingBelowEntry:
        return "--heat-to lies below the entering dry bulb";
    case Refusal::MissingSecondAir:
        return "the step needs the second air";
    case Refusal::PastSaturation:
        return "the leaving air would be wetter than saturated";
    case Refusal::OffChart:
        return "the leaving air lies off the chart";
    case Refusal::NoState:
    case Refusal::None:
        break;
    }
    return "the leaving air has no moist-air state";
}

// The step's parameter in stored units.
process_steps::StepParams paramsOf(const Request& request)
{
    process_steps::StepParams params;
    params.kind = request.kind;
    const auto quantity = parameterQuantity(request.kind);
    const float value =
        quantity ? qorva::units::stored(*quantity, *request.parameter, request.units) : *request.parameter;
    switch (request.kind) {
    case StepKind::SteamHumidification:
    case StepKind::AdiabaticHumidification:
        params.moistureAdded = value;
        break;
    case StepKind::Heating:
        params.heatTo = value;
        break;
    case StepKind::Mixing:
        params.ratio = value;
        break;
    default:
        params.effectiveness = value;
        break;
    }
    return params;
}

int fail(int status, const std::string& message, bool usage)
{
    std::fprintf(stderr, "qorva-cli process: %s\n%s", message.c_str(), usage ? kProcessUsage : "");
    return status;
}

} // namespace

int runProcessCommand(const std::vector<std::string>& args)
{
    Request request;
    std::string error;
    if (!parseRequest(args, request, error))
        return fail(2, error, true);
    CParamPoint entering;
    if (!parseState(request.entering, kStandardPressure, entering, error, request.units))
        return fail(2, "entering air: " + error, true);
    if (!entering.Calculate())
        return fail(1,
                    "the entering air has no moist-air state at p = " +
                        formatNumber(qorva::units::shown(Quantity::Pressure, entering.m_p, request.units)) +
                        " " + qorva::units::unitOf(Quantity::Pressure, request.units),
                    false);
    std::optional<CStatePoint> second;
    if (!request.second.empty()) {
        const std::vector<std::string_view> words(request.second.begin(), request.second.end());
        CParamPoint secondState;
        if (!parseState(words, entering.m_p, secondState, error, request.units))
            return fail(2, "second air: " + error, true);
        if (!secondState.Calculate())
            return fail(1, "the second air has no moist-air state", false);
        second = chartPointOf(secondState);
    }
    // Without a project the chart is the standard one, as a new project draws it.
    const ChartWindow standard;
    const StateRegion chart = StateRegion::FullChart(standard.m_fTMin, standard.m_fXMax);
    const CStatePoint in = chartPointOf(entering);
    const process_steps::StepResult result =
        process_steps::RunStep(paramsOf(request), in, second ? &*second : nullptr, entering.m_p, chart);
    if (!result.ok())
        return fail(1, refusalMessage(result.refusal), false);

    // The leaving air completed at p from the pair that fixes it on the chart:
    // its wet bulb after direct evaporative cooling, else x and h.
    CParamPoint leaving;
    leaving.m_p = entering.m_p;
    leaving.m_t = result.leaving.m_t;
    if (request.kind == StepKind::DirectEvaporative) {
        leaving.m_tw = result.leaving.m_tw;
        leaving.m_bKnownT = leaving.m_bKnownTw = 1;
    } else {
        leaving.m_d = result.leaving.m_d;
        leaving.m_h = result.leaving.m_h;
        leaving.m_bKnownD = leaving.m_bKnownH = 1;
    }
    if (!leaving.Calculate())
        return fail(1, refusalMessage(Refusal::NoState), false);
    // Differences have no datum: Δh converts by its factor alone, Δx as x.
    const double dh =
        qorva::units::shown(Quantity::EnthalpyDifference, double(leaving.m_h) - entering.m_h, request.units);
    const double dx = qorva::units::shown(Quantity::MoistureContent,
                                          double(leaving.m_d) - double(entering.m_d), request.units);
    std::string out;
    if (request.json) {
        appendStateJson(out, leaving, request.units);
        out.pop_back();
        out += ",\"dh\":";
        appendNumber(out, dh);
        out += ",\"dx\":";
        appendNumber(out, dx);
        out += "}\n";
    } else {
        appendStateLines(out, leaving, request.units);
        out += "dh=";
        appendNumber(out, dh);
        out += "\ndx=";
        appendNumber(out, dx);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
