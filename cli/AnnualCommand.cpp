#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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
// shows it, in the units of --units (SI by default; engineering: peaks in
// kcal/h; IP: lb/h, cfm, lb/ft³, °F, Btu/lb, Btu/h and kBtu). Nothing is written; a room without fresh air is
// listed with its reason. Wrong arguments give status 2, a file that cannot be read status 1, each with a
// message on standard error and nothing on standard output.
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

constexpr const char* kUsage =
    "usage: qorva-cli annual PROJECT.id WEATHER.epw|.csv [options]\n"
    "  --system NAME|INDEX       only the rooms of this system\n"
    "  --room NAME|INDEX         only this room\n"
    "  --fresh-air FLOW          one fresh-air flow for every room, cooling and heating, kg/h\n"
    "                            (lb/h with --units ip)\n"
    "                            (default: each room's summer and winter volume x air density)\n"
    "  --hours FROM-TO           the daily schedule, hours 0-24 (default 0-24; 22-6 wraps\n"
    "                            over midnight)\n"
    "  --recovery-total E        total-heat recovery of effectiveness E (0-1)\n"
    "  --recovery-sensible E     sensible heat recovery of effectiveness E (0-1)\n"
    "                            (default: the recovery stored with each room)\n"
    "  --units si|engineering|ip the units printed (default si): engineering gives the peaks\n"
    "                            in kcal/h; ip flows in lb/h, air volumes in cfm, densities in\n"
    "                            lb/ft³, °F, Btu/lb (0 at dry air of 0 °F), peaks in Btu/h and\n"
    "                            energies in kBtu\n"
    "  --json                    JSON on standard output instead of text\n";

struct Options {
    std::string project, weather, system, room;
    std::optional<double> freshAir;
    HourFilter schedule;
    HeatRecovery recovery;
    bool recoveryTyped = false; // else each room's stored recovery
    bool json = false;
    qorva::units::DisplaySystem units = qorva::units::DisplaySystem::SI;
    bool unitsGiven = false;
};

using cli_arguments::FindByNameOrIndex;
using cli_arguments::Number;
using qorva::units::DisplaySystem;
using qorva::units::Quantity;

// 1 Wh is 3.412141633 Btu, so 1 kWh is as many kBtu.
constexpr double kKBtuPerKWh = qorva::units::kBtuPerHourPerWatt;

// How the year's values are shown in a unit system: the numbers, the units
// the text names and the JSON keys that carry a unit in their names.
struct YearUnits {
    DisplaySystem system;

    double shown(Quantity quantity, double value) const
    {
        return qorva::units::shown(quantity, value, system);
    }
    const char* unit(Quantity quantity) const { return qorva::units::unitOf(quantity, system); }

    bool ip() const { return system == DisplaySystem::IP; }
    // Energies: kWh, in IP kBtu.
    double energy(double kwh) const { return ip() ? kwh * kKBtuPerKWh : kwh; }
    const char* energyUnit() const { return ip() ? "kBtu" : "kWh"; }
    // Peaks: kW, in engineering units kcal/h, in IP Btu/h.
    double peak(double kw) const
    {
        return system == DisplaySystem::SI ? kw
                                           : shown(Quantity::Capacity, kw * qorva::units::kWattPerKilowatt);
    }
    const char* peakUnit() const { return unit(Quantity::Capacity); }
    const char* peakFormat() const { return system == DisplaySystem::SI ? "%.2f" : "%.0f"; }
    // Fresh-air mass flows: kg/h, in IP lb/h.
    double flow(double kgPerHour) const { return shown(Quantity::MoistureFlow, kgPerHour); }
    const char* flowUnit() const { return unit(Quantity::MoistureFlow); }

    // The JSON keys: cooling_kwh, peak_cooling_kw, fresh_air_kg_h in SI;
    // the unit after the last "_" as the system gives it.
    std::string energyKey(const char* what) const { return std::string(what) + (ip() ? "_kbtu" : "_kwh"); }
    std::string peakKey(const char* what) const
    {
        return std::string("peak_") + what +
               (ip()                                   ? "_btu_h"
                : system == DisplaySystem::Engineering ? "_kcal_h"
                                                       : "_kw");
    }
    std::string flowKey() const { return ip() ? "fresh_air_lb_h" : "fresh_air_kg_h"; }
};

// False with the problem when the arguments are wrong.
bool parse(const std::vector<std::string>& args, Options& o, std::string& problem)
{
    std::vector<std::string_view> words(args.begin(), args.end());
    o.unitsGiven = std::find(words.begin(), words.end(), "--units") != words.end();
    if (!cli_arguments::TakeUnits(words, o.units, problem))
        return false;
    std::vector<std::string> positional;
    bool recoveryGiven = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string arg(words[i]);
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
        if (i + 1 >= words.size()) {
            problem = arg + " needs a value";
            return false;
        }
        const std::string value(words[++i]);
        if (arg == "--system") {
            o.system = value;
        } else if (arg == "--room") {
            o.room = value;
        } else if (arg == "--fresh-air") {
            // Typed in the system's unit, kept in kg/h.
            const char* unit = qorva::units::unitOf(Quantity::MoistureFlow, o.units);
            const auto typed = Number(value);
            if (!typed) {
                problem = cli_arguments::NotANumber(value, arg, unit);
                return false;
            }
            o.freshAir = qorva::units::stored(Quantity::MoistureFlow, *typed, o.units);
            if (!(*o.freshAir > 0) || *o.freshAir > 1e9) {
                problem = std::string("--fresh-air takes a flow in ") + unit + " greater than 0, not '" +
                          value + "'";
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

QJsonObject indoorJson(const IndoorAir& n, const YearUnits& u)
{
    return {{"t", cli_json::number(u.shown(Quantity::Temperature, n.t))},
            {"rh", cli_json::number(u.shown(Quantity::RelativeHumidity, n.RH))},
            {"h", cli_json::number(u.shown(Quantity::Enthalpy, n.h))}};
}

QJsonObject energyJson(const FreshAirEnergy& e, const YearUnits& u)
{
    QJsonArray months;
    const QString cooling = QString::fromStdString(u.energyKey("cooling"));
    const QString heating = QString::fromStdString(u.energyKey("heating"));
    for (int m = 0; m < 12; ++m)
        months.append(
            QJsonObject{{"month", m + 1},
                        {cooling, cli_json::number(u.energy(e.months[std::size_t(m)].coolingKwh))},
                        {heating, cli_json::number(u.energy(e.months[std::size_t(m)].heatingKwh))}});
    return {{cooling, cli_json::number(u.energy(e.coolingKwh))},
            {heating, cli_json::number(u.energy(e.heatingKwh))},
            {"cooling_hours", e.coolingHours},
            {"heating_hours", e.heatingHours},
            {QString::fromStdString(u.peakKey("cooling")), cli_json::number(u.peak(e.peakCooling.kw))},
            {QString::fromStdString(u.peakKey("heating")), cli_json::number(u.peak(e.peakHeating.kw))},
            {"months", months}};
}

struct RoomYear {
    const CAcSystem* system;
    const CServiceArea* room;
    RoomFreshAirInputs inputs;
    FreshAirYear year;
};

QJsonObject roomJson(const CIDG& idg, const RoomYear& r, const YearUnits& u)
{
    const bool ok = r.inputs.problem == RoomInputProblem::None;
    const bool indoor = r.inputs.problem != RoomInputProblem::IndoorState;
    const QJsonValue null(QJsonValue::Null);
    return {{"system", cli_json::text(r.system->m_strName)},
            {"room", cli_json::text(r.room->m_strName)},
            {"ok", ok},
            {"message", ok ? null : QJsonValue(problemText(r.inputs.problem))},
            {QString::fromStdString(u.flowKey()),
             QJsonObject{{"cooling", cli_json::number(u.flow(r.inputs.inputs.coolingFlow))},
                         {"heating", cli_json::number(u.flow(r.inputs.inputs.heatingFlow))}}},
            {"p_summer", cli_json::number(u.shown(Quantity::Pressure, idg.m_fSummerPressure))},
            {"p_winter", cli_json::number(u.shown(Quantity::Pressure, idg.m_fWinterPressure))},
            {"indoor", indoor ? QJsonValue(QJsonObject{{"cooling", indoorJson(r.inputs.inputs.cooling, u)},
                                                       {"heating", indoorJson(r.inputs.inputs.heating, u)}})
                              : null},
            {"without_recovery", ok ? QJsonValue(energyJson(r.year.without, u)) : null},
            {"with_recovery",
             ok && r.year.withRecovery ? QJsonValue(energyJson(*r.year.withRecovery, u)) : null}};
}

std::string peakText(const PeakHour& peak, const WeatherYear& weather, const YearUnits& u)
{
    if (peak.hourIndex < 0)
        return "-";
    const WeatherHour& w = weather.hours[std::size_t(peak.hourIndex)];
    char value[32], text[64];
    std::snprintf(value, sizeof value, u.peakFormat(), u.peak(peak.kw));
    std::snprintf(text, sizeof text, "%s (%02d-%02d %02d:00)", value, w.month, w.day, w.hour);
    return text;
}

void printEnergyRow(const char* label, const FreshAirEnergy& e, const WeatherYear& weather,
                    const YearUnits& u)
{
    std::printf("  %-18s %12.1f %6d  %-22s %12.1f %6d  %s\n", label, u.energy(e.coolingKwh), e.coolingHours,
                peakText(e.peakCooling, weather, u).c_str(), u.energy(e.heatingKwh), e.heatingHours,
                peakText(e.peakHeating, weather, u).c_str());
}

void printRoom(const RoomYear& r, const WeatherYear& weather, const YearUnits& u)
{
    std::printf("%s / %s\n", r.system->m_strName.c_str(), r.room->m_strName.c_str());
    if (r.inputs.problem != RoomInputProblem::None) {
        std::printf("  %s\n", problemText(r.inputs.problem));
        return;
    }
    const FreshAirYearInputs& in = r.inputs.inputs;
    const char* flow = u.flowUnit();
    const char* volume = u.unit(Quantity::AirVolume);
    const char* density = u.unit(Quantity::Density);
    const char* densityFormat = u.ip() ? "%.4f" : "%.3f";
    if (r.inputs.typed) {
        std::printf("  fresh air: %.1f %s (typed)\n", u.flow(in.coolingFlow), flow);
    } else {
        const auto season = [&](double kgPerHour, double m3PerHour, double kgPerM3) {
            char d[32];
            std::snprintf(d, sizeof d, densityFormat, u.shown(Quantity::Density, kgPerM3));
            char text[128];
            std::snprintf(text, sizeof text, "%.1f %s (%.0f %s × %s %s)", u.flow(kgPerHour), flow,
                          u.shown(Quantity::AirVolume, m3PerHour), volume, d, density);
            return std::string(text);
        };
        std::printf("  fresh air: cooling %s, heating %s\n",
                    season(in.coolingFlow, r.inputs.summerVolume, r.inputs.summerDensity).c_str(),
                    season(in.heatingFlow, r.inputs.winterVolume, r.inputs.winterDensity).c_str());
    }
    const char* t = u.unit(Quantity::Temperature);
    const char* h = u.unit(Quantity::Enthalpy);
    std::printf(
        "  indoor: cooling %.1f %s %.0f %% %.2f %s, heating %.1f %s %.0f %% %.2f %s\n",
        u.shown(Quantity::Temperature, in.cooling.t), t, u.shown(Quantity::RelativeHumidity, in.cooling.RH),
        u.shown(Quantity::Enthalpy, in.cooling.h), h, u.shown(Quantity::Temperature, in.heating.t), t,
        u.shown(Quantity::RelativeHumidity, in.heating.RH), u.shown(Quantity::Enthalpy, in.heating.h), h);
    const std::string coolingEnergy = std::string("cooling ") + u.energyUnit();
    const std::string heatingEnergy = std::string("heating ") + u.energyUnit();
    const std::string peak = std::string("peak ") + u.peakUnit() + " (hour)";
    std::printf("  %-18s %12s %6s  %-22s %12s %6s  %s\n", "", coolingEnergy.c_str(), "hours", peak.c_str(),
                heatingEnergy.c_str(), "hours", peak.c_str());
    printEnergyRow("without recovery", r.year.without, weather, u);
    if (r.year.withRecovery) {
        printEnergyRow("with recovery", *r.year.withRecovery, weather, u);
        std::printf("  %-18s %12.1f %6s  %-22s %12.1f\n", "saving", u.energy(r.year.coolingSavingKwh()), "",
                    "", u.energy(r.year.heatingSavingKwh()));
    }
    std::printf("  %-5s %12s %12s", "month", coolingEnergy.c_str(), heatingEnergy.c_str());
    if (r.year.withRecovery)
        std::printf(" %16s %16s", "cooling recov.", "heating recov.");
    std::printf("\n");
    for (std::size_t m = 0; m < 12; ++m) {
        std::printf("  %-5zu %12.1f %12.1f", m + 1, u.energy(r.year.without.months[m].coolingKwh),
                    u.energy(r.year.without.months[m].heatingKwh));
        if (r.year.withRecovery)
            std::printf(" %16.1f %16.1f", u.energy(r.year.withRecovery->months[m].coolingKwh),
                        u.energy(r.year.withRecovery->months[m].heatingKwh));
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

    const YearUnits units{options.units};
    if (options.json) {
        QJsonArray rooms;
        for (const RoomYear& entry : years)
            rooms.append(roomJson(idg, entry, units));
        QJsonObject out{{"rooms", rooms}};
        if (options.unitsGiven)
            out["units"] = cli_arguments::UnitsNameOf(options.units);
        cli_json::print(out);
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
        printRoom(years[i], weather, units);
    }
    return 0;
}
