#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AnnualFreshAir.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/Usage.h"
#include "climate/WeatherFile.h"
#include "project/ProjectFile.h"

// qorva-cli annual PROJECT.id WEATHER.epw|.csv [options]: the fresh air of
// every room (or the chosen ones) over the weather year by the enthalpy
// difference hour by hour, without and with heat recovery, as 分析 → 全年新风能耗
// shows it. Nothing is written; a room without fresh air is listed with its
// reason. Wrong arguments give status 2, a file that cannot be read status 1,
// each with a message on standard error and nothing on standard output.
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

constexpr const char* kUsage =
    "usage: qorva-cli annual PROJECT.id WEATHER.epw|.csv [options]\n"
    "  --system NAME|INDEX       only the rooms of this system\n"
    "  --room NAME|INDEX         only this room\n"
    "  --fresh-air KG_PER_H      one fresh-air flow for every room, cooling and heating\n"
    "                            (default: each room's summer and winter volume x air density)\n"
    "  --hours FROM-TO           the daily schedule, hours 0-24 (default 0-24; 22-6 wraps\n"
    "                            over midnight)\n"
    "  --recovery-total E        total-heat recovery of effectiveness E (0-1)\n"
    "  --recovery-sensible E     sensible heat recovery of effectiveness E (0-1)\n"
    "                            (default: the recovery stored with each room)\n"
    "  --json                    JSON on standard output instead of text\n";

struct Options {
    std::string project, weather, system, room;
    std::optional<double> freshAir;
    HourFilter schedule;
    HeatRecovery recovery;
    bool recoveryTyped = false; // else each room's stored recovery
    bool json = false;
};

using cli_arguments::FindByNameOrIndex;
using cli_arguments::Number;

// False with the problem when the arguments are wrong.
bool parse(const std::vector<std::string>& args, Options& o, std::string& problem)
{
    std::vector<std::string> positional;
    bool recoveryGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            o.json = true;
            continue;
        }
        if (!arg.starts_with("--")) {
            positional.push_back(arg);
            continue;
        }
        if (arg != "--system" && arg != "--room" && arg != "--fresh-air" && arg != "--hours" &&
            arg != "--recovery-total" && arg != "--recovery-sensible") {
            problem = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            problem = arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--system") {
            o.system = value;
        } else if (arg == "--room") {
            o.room = value;
        } else if (arg == "--fresh-air") {
            o.freshAir = Number(value);
            if (!o.freshAir || !(*o.freshAir > 0) || *o.freshAir > 1e9) {
                problem = "--fresh-air takes a flow in kg/h greater than 0, not '" + value + "'";
                return false;
            }
        } else if (arg == "--hours") {
            if (!ParseSpan(value, 0, 24, o.schedule.fromHour, o.schedule.toHour)) {
                problem = "--hours takes FROM-TO with hours 0-24, not '" + value + "'";
                return false;
            }
            if (o.schedule.fromHour == o.schedule.toHour) {
                problem = "--hours " + value + " leaves no hour of the day";
                return false;
            }
        } else {
            if (recoveryGiven) {
                problem = "give one of --recovery-total and --recovery-sensible";
                return false;
            }
            recoveryGiven = true;
            const auto eta = Number(value);
            if (!eta || !(*eta >= 0 && *eta <= 1)) {
                problem = arg + " takes an effectiveness from 0 to 1, not '" + value + "'";
                return false;
            }
            o.recovery.kind = arg == "--recovery-total" ? RecoveryKind::Total : RecoveryKind::Sensible;
            o.recovery.effectiveness = *eta;
            o.recoveryTyped = true;
        }
    }
    if (positional.size() != 2) {
        problem = "a project file and a weather file are needed";
        return false;
    }
    o.project = positional[0];
    o.weather = positional[1];
    return true;
}

// The English reason of a room that cannot be computed.
const char* problemText(RoomInputProblem problem)
{
    switch (problem) {
    case RoomInputProblem::NoFreshAir:
        return "no fresh air: the room has neither a summer nor a winter fresh-air volume (give --fresh-air)";
    case RoomInputProblem::NoDensity:
        return "no air density: the project's atmospheric data give no density for a season with fresh air "
               "(give --fresh-air)";
    case RoomInputProblem::IndoorState:
        return "the indoor design state of the cooling or heating view cannot be computed";
    case RoomInputProblem::None:
        break;
    }
    return "";
}

QJsonObject indoorJson(const IndoorAir& n)
{
    return {
        {"t", cli_json::number(n.t)}, {"rh", cli_json::number(n.RH * 100.0)}, {"h", cli_json::number(n.h)}};
}

QJsonObject energyJson(const FreshAirEnergy& e)
{
    QJsonArray months;
    for (int m = 0; m < 12; ++m)
        months.append(QJsonObject{{"month", m + 1},
                                  {"cooling_kwh", cli_json::number(e.months[std::size_t(m)].coolingKwh)},
                                  {"heating_kwh", cli_json::number(e.months[std::size_t(m)].heatingKwh)}});
    return {{"cooling_kwh", cli_json::number(e.coolingKwh)},
            {"heating_kwh", cli_json::number(e.heatingKwh)},
            {"cooling_hours", e.coolingHours},
            {"heating_hours", e.heatingHours},
            {"peak_cooling_kw", cli_json::number(e.peakCooling.kw)},
            {"peak_heating_kw", cli_json::number(e.peakHeating.kw)},
            {"months", months}};
}

struct RoomYear {
    const CAcSystem* system;
    const CServiceArea* room;
    RoomFreshAirInputs inputs;
    FreshAirYear year;
};

QJsonObject roomJson(const CIDG& idg, const RoomYear& r)
{
    const bool ok = r.inputs.problem == RoomInputProblem::None;
    const bool indoor = r.inputs.problem != RoomInputProblem::IndoorState;
    const QJsonValue null(QJsonValue::Null);
    return {
        {"system", cli_json::text(r.system->m_strName)},
        {"room", cli_json::text(r.room->m_strName)},
        {"ok", ok},
        {"message", ok ? null : QJsonValue(problemText(r.inputs.problem))},
        {"fresh_air_kg_h", QJsonObject{{"cooling", cli_json::number(r.inputs.inputs.coolingFlow)},
                                       {"heating", cli_json::number(r.inputs.inputs.heatingFlow)}}},
        {"p_summer", cli_json::number(idg.m_fSummerPressure)},
        {"p_winter", cli_json::number(idg.m_fWinterPressure)},
        {"indoor", indoor ? QJsonValue(QJsonObject{{"cooling", indoorJson(r.inputs.inputs.cooling)},
                                                   {"heating", indoorJson(r.inputs.inputs.heating)}})
                          : null},
        {"without_recovery", ok ? QJsonValue(energyJson(r.year.without)) : null},
        {"with_recovery", ok && r.year.withRecovery ? QJsonValue(energyJson(*r.year.withRecovery)) : null}};
}

std::string peakText(const PeakHour& peak, const WeatherYear& weather)
{
    if (peak.hourIndex < 0)
        return "-";
    const WeatherHour& w = weather.hours[std::size_t(peak.hourIndex)];
    char text[64];
    std::snprintf(text, sizeof text, "%.2f (%02d-%02d %02d:00)", peak.kw, w.month, w.day, w.hour);
    return text;
}

void printEnergyRow(const char* label, const FreshAirEnergy& e, const WeatherYear& weather)
{
    std::printf("  %-18s %12.1f %6d  %-22s %12.1f %6d  %s\n", label, e.coolingKwh, e.coolingHours,
                peakText(e.peakCooling, weather).c_str(), e.heatingKwh, e.heatingHours,
                peakText(e.peakHeating, weather).c_str());
}

void printRoom(const RoomYear& r, const WeatherYear& weather)
{
    std::printf("%s / %s\n", r.system->m_strName.c_str(), r.room->m_strName.c_str());
    if (r.inputs.problem != RoomInputProblem::None) {
        std::printf("  %s\n", problemText(r.inputs.problem));
        return;
    }
    const FreshAirYearInputs& in = r.inputs.inputs;
    if (r.inputs.typed)
        std::printf("  fresh air: %.1f kg/h (typed)\n", in.coolingFlow);
    else
        std::printf("  fresh air: cooling %.1f kg/h (%.0f m³/h × %.3f kg/m³), heating %.1f kg/h (%.0f m³/h × "
                    "%.3f kg/m³)\n",
                    in.coolingFlow, r.inputs.summerVolume, r.inputs.summerDensity, in.heatingFlow,
                    r.inputs.winterVolume, r.inputs.winterDensity);
    std::printf("  indoor: cooling %.1f °C %.0f %% %.2f kJ/kg, heating %.1f °C %.0f %% %.2f kJ/kg\n",
                double(in.cooling.t), in.cooling.RH * 100.0, double(in.cooling.h), double(in.heating.t),
                in.heating.RH * 100.0, double(in.heating.h));
    std::printf("  %-18s %12s %6s  %-22s %12s %6s  %s\n", "", "cooling kWh", "hours", "peak kW (hour)",
                "heating kWh", "hours", "peak kW (hour)");
    printEnergyRow("without recovery", r.year.without, weather);
    if (r.year.withRecovery) {
        printEnergyRow("with recovery", *r.year.withRecovery, weather);
        std::printf("  %-18s %12.1f %6s  %-22s %12.1f\n", "saving", r.year.coolingSavingKwh(), "", "",
                    r.year.heatingSavingKwh());
    }
    std::printf("  %-5s %12s %12s", "month", "cooling kWh", "heating kWh");
    if (r.year.withRecovery)
        std::printf(" %16s %16s", "cooling recov.", "heating recov.");
    std::printf("\n");
    for (std::size_t m = 0; m < 12; ++m) {
        std::printf("  %-5zu %12.1f %12.1f", m + 1, r.year.without.months[m].coolingKwh,
                    r.year.without.months[m].heatingKwh);
        if (r.year.withRecovery)
            std::printf(" %16.1f %16.1f", r.year.withRecovery->months[m].coolingKwh,
                        r.year.withRecovery->months[m].heatingKwh);
        std::printf("\n");
    }
}

int refuse(const std::string& problem, int status)
{
    std::fprintf(stderr, "qorva-cli annual: %s\n", problem.c_str());
    return status;
}

} // namespace

int runAnnualCommand(const std::vector<std::string>& args)
{
    for (const std::string& arg : args)
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    Options options;
    std::string problem;
    if (!parse(args, options, problem)) {
        std::fprintf(stderr, "qorva-cli annual: %s\n", problem.c_str());
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (reportMissingInput("annual", options.project) || reportMissingInput("annual", options.weather))
        return kExitFailure;
    const int version = ProjectFile::ProbeProjectVersion(options.project);
    if (version == 0)
        return refuse(options.project + " is not a project file of version 320 or later", kExitFailure);
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (!file.read(options.project, version, *contents))
        return refuse("cannot read " + options.project + ": " + file.errorString(), kExitFailure);
    WeatherYear weather;
    std::string error;
    if (!ReadWeatherFile(options.weather, weather, error))
        return refuse("cannot read " + options.weather + ": " + error, kExitFailure);
    int kept = 0;
    for (const WeatherHour& w : weather.hours)
        kept += options.schedule.Keeps(w) ? 1 : 0;
    if (kept == 0)
        return refuse("the schedule leaves no hour of " + options.weather, kExitUsage);

    const CIDG& idg = contents->idg;
    const auto& systems = idg.m_rooms.m_systems;
    int firstSystem = 0, lastSystem = static_cast<int>(systems.size()) - 1;
    if (!options.system.empty()) {
        firstSystem = lastSystem = FindByNameOrIndex(systems, options.system);
        if (firstSystem < 0)
            return refuse("the project has no system '" + options.system + "'", kExitUsage);
    }
    std::vector<RoomYear> years;
    bool storedRecovery = false;
    for (int s = firstSystem; s <= lastSystem; ++s) {
        const CAcSystem& system = *systems[std::size_t(s)];
        const auto& rooms = system.m_rooms;
        int firstRoom = 0, lastRoom = static_cast<int>(rooms.size()) - 1;
        if (!options.room.empty()) {
            // An index names a room only within the system chosen.
            int found = -1;
            for (std::size_t r = 0; r < rooms.size() && found < 0; ++r)
                if (rooms[r]->m_strName == options.room)
                    found = static_cast<int>(r);
            if (found < 0 && !options.system.empty())
                found = FindByNameOrIndex(rooms, options.room);
            if (found < 0)
                continue;
            firstRoom = lastRoom = found;
        }
        for (int r = firstRoom; r <= lastRoom; ++r) {
            RoomYear entry{&system, rooms[std::size_t(r)].get(), {}, {}};
            entry.inputs = RoomAnnualInputs(idg, *entry.room, options.freshAir);
            // Without a recovery typed each room has the one stored with it.
            const HeatRecovery recovery =
                options.recoveryTyped ? options.recovery : StoredHeatRecovery(*entry.room);
            storedRecovery =
                storedRecovery || (!options.recoveryTyped && recovery.kind != RecoveryKind::None);
            if (entry.inputs.problem == RoomInputProblem::None)
                entry.year = ComputeFreshAirYear(entry.inputs.inputs, weather, options.schedule, recovery);
            years.push_back(std::move(entry));
        }
    }
    if (years.empty())
        return refuse(options.room.empty() ? "the project has no room"
                                           : "no system has a room '" + options.room + "'",
                      kExitUsage);

    if (options.json) {
        QJsonArray rooms;
        for (const RoomYear& entry : years)
            rooms.append(roomJson(idg, entry));
        cli_json::print({{"rooms", rooms}});
        return 0;
    }
    const char* recovery = storedRecovery                                    ? "stored with each room"
                           : options.recovery.kind == RecoveryKind::Total    ? "total"
                           : options.recovery.kind == RecoveryKind::Sensible ? "sensible"
                                                                             : "none";
    std::printf("weather: %s, %zu hours; schedule %d-%d: %d hours; recovery: %s",
                weather.station.name.c_str(), weather.hours.size(), options.schedule.fromHour,
                options.schedule.toHour, kept, recovery);
    if (options.recovery.kind != RecoveryKind::None)
        std::printf(" %.0f %%", options.recovery.effectiveness * 100.0);
    std::printf("\n\n");
    for (std::size_t i = 0; i < years.size(); ++i) {
        if (i > 0)
            std::printf("\n");
        printRoom(years[i], weather);
    }
    return 0;
}
