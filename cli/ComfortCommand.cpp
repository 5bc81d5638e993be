// qorva-cli comfort: the comfort index of a state (PMV and PPD by ISO 7730)
// and the corners of the comfort zones of the design code (GB 50736-2012)
// and of a PMV zone, as the comfort-zone dialog draws them. Units as the
// dialogs take them: °C, RH in %, m/s, met, clo, Pa; with --units ip the
// temperatures in °F and the pressure in psia, the corners in °F, gr/lb and
// Btu/lb (air speed stays in m/s, as the comfort standard gives it); with
// --units engineering the corners' enthalpy in kcal/kg.

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "psychro/Comfort.h"
#include "psychro/MoistAir.h"
#include "psychro/QorvaDll.h"

namespace {

namespace psy = qorva::psychro;
using qorva::units::DisplaySystem;
using qorva::units::Quantity;

constexpr double kStandardPressureCli = 101325.0; // Pa
// What an office occupant is taken to be when nothing is said: seated light
// work, summer clothing, still air.
constexpr double kDefaultMet = 1.2;
constexpr double kDefaultClo = 0.5;
constexpr double kDefaultAirSpeed = 0.1;
constexpr double kDefaultLimit = 0.5;
constexpr double kDefaultRhLow = 30.0;
constexpr double kDefaultRhHigh = 70.0;
// The zone's corners are named as the dialog names them on the indoor point.
constexpr const char* kCornerBase = "N";

constexpr const char* kComfortUsage =
    "usage: qorva-cli comfort [--units si|engineering|ip] --ta T --rh RH [--tr T] [--v V] [--met M] [--clo "
    "C]\n"
    "       qorva-cli comfort [--units si|engineering|ip] --zone "
    "gb-cooling-1|gb-cooling-2|gb-heating-1|gb-heating-2|pmv\n"
    "                         [--limit L] [--met M] [--clo C] [--v V] [--rh-low RH] [--rh-high RH] [--p PA]\n"
    "  --ta, --tr: air and mean radiant temperature, °C (tr defaults to ta); --rh: %;\n"
    "  --v: air speed, m/s (0.1); --met (1.2); --clo (0.5); --limit: PMV limit of the pmv zone (0.5);\n"
    "  --rh-low, --rh-high: humidity bounds of the pmv zone, % (30, 70); --p: pressure, Pa (101325)\n"
    "  --units engineering: the corners' h in kcal/kg; ip: --ta, --tr in °F, --p in psia,\n"
    "           the corners in °F, gr/lb and Btu/lb\n";

// The quantity an option's value is typed as; none for a value without a
// unit system (m/s, met, clo, the PMV limit).
std::optional<Quantity> quantityOf(const std::string& option)
{
    if (option == "--ta" || option == "--tr")
        return Quantity::Temperature;
    if (option == "--p")
        return Quantity::Pressure;
    if (option == "--rh" || option == "--rh-low" || option == "--rh-high")
        return Quantity::RelativeHumidity;
    return std::nullopt;
}

struct ZoneKind {
    const char* name;
    std::optional<psy::CodeZone> code; // empty: the PMV zone
};

constexpr ZoneKind kZones[] = {
    {"gb-cooling-1", psy::CodeZone::CoolingClass1},
    {"gb-cooling-2", psy::CodeZone::CoolingClass2},
    {"gb-heating-1", psy::CodeZone::HeatingClass1},
    {"gb-heating-2", psy::CodeZone::HeatingClass2},
    {"pmv", std::nullopt},
};

int fail(const std::string& message)
{
    std::fprintf(stderr, "qorva-cli comfort: %s\n", message.c_str());
    std::fputs(kComfortUsage, stderr);
    return 2;
}

std::string format(const char* pattern, double a, double b)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

} // namespace

int runComfortCommand(const std::vector<std::string>& arguments)
{
    static const char* const kNumericOptions[] = {"--ta",  "--tr",    "--rh",     "--v",       "--met",
                                                  "--clo", "--limit", "--rh-low", "--rh-high", "--p"};
    std::vector<std::string_view> words(arguments.begin(), arguments.end());
    DisplaySystem units = DisplaySystem::SI;
    std::string problem;
    if (!cli_arguments::TakeUnits(words, units, problem))
        return fail(problem);
    const std::vector<std::string> args(words.begin(), words.end());
    // Values in stored units (°C, Pa), RH as typed in %.
    std::map<std::string, double> values;
    std::optional<std::string> zoneName;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& name = args[i];
        if (i + 1 >= args.size())
            return fail("option '" + name + "' needs a value");
        const std::string& word = args[i + 1];
        if (name == "--zone") {
            if (zoneName)
                return fail("--zone given twice");
            zoneName = word;
            continue;
        }
        bool known = false;
        for (const char* option : kNumericOptions)
            known = known || name == option;
        if (!known)
            return fail("unknown option '" + name + "'");
        const auto quantity = quantityOf(name);
        const auto number = cli_arguments::Number(word);
        if (!number)
            return fail(cli_arguments::NotANumber(
                word, name, quantity ? qorva::units::unitOf(*quantity, units) : nullptr));
        const bool convert = quantity && *quantity != Quantity::RelativeHumidity;
        const double value = convert ? qorva::units::stored(*quantity, *number, units) : *number;
        if (!values.emplace(name, value).second)
            return fail(name + " given twice");
    }
    auto valueOr = [&](const char* name, double fallback) {
        const auto it = values.find(name);
        return it == values.end() ? fallback : it->second;
    };
    auto given = [&](const char* name) { return values.count(name) != 0; };
    for (const char* humidity : {"--rh", "--rh-low", "--rh-high"}) {
        if (given(humidity) && !(values[humidity] >= 0.0 && values[humidity] <= 100.0))
            return fail(std::string(humidity) + " must lie between 0 and 100 %");
    }

    if (!zoneName) {
        if (!given("--ta") || !given("--rh"))
            return fail("give --ta and --rh, or --zone");
        for (const char* zoneOnly : {"--limit", "--rh-low", "--rh-high", "--p"}) {
            if (given(zoneOnly))
                return fail(std::string(zoneOnly) + " belongs to --zone");
        }
        const double ta = values["--ta"];
        psy::ComfortFault fault = psy::ComfortFault::None;
        const auto index = psy::comfortIndex({ta, valueOr("--tr", ta), valueOr("--v", kDefaultAirSpeed),
                                              values["--rh"] / 100.0, valueOr("--met", kDefaultMet),
                                              valueOr("--clo", kDefaultClo), 0.0},
                                             &fault);
        if (!index)
            return fail(psy::comfortFaultText(fault));
        // "%.2f" of a value that rounds to −0.00 prints as 0.00.
        const double pmv = std::fabs(index->pmv) < 0.005 ? 0.0 : index->pmv;
        std::printf("%s\n", format("PMV=%.2f PPD=%.1f%%", pmv, index->ppd).c_str());
        return 0;
    }

    const ZoneKind* zone = nullptr;
    for (const ZoneKind& kind : kZones) {
        if (*zoneName == kind.name)
            zone = &kind;
    }
    if (!zone)
        return fail("unknown zone '" + *zoneName + "'");
    for (const char* stateOnly : {"--ta", "--tr", "--rh"}) {
        if (given(stateOnly))
            return fail(std::string(stateOnly) + " does not belong to --zone");
    }
    if (zone->code) {
        for (const char* pmvOnly : {"--limit", "--met", "--clo", "--v", "--rh-low", "--rh-high"}) {
            if (given(pmvOnly))
                return fail(std::string(pmvOnly) + " belongs to --zone pmv");
        }
    }
    const double p = valueOr("--p", kStandardPressureCli);
    if (!psy::isValidPressure(p))
        return fail(units == DisplaySystem::IP ? "pressure outside 1.45-145 psia"
                                               : "pressure outside 10000-1000000 Pa");

    psy::ComfortCorners corners;
    if (zone->code) {
        corners = psy::codeZoneCorners(*zone->code);
    } else {
        psy::ComfortFault fault = psy::ComfortFault::None;
        const auto pmvCorners = psy::pmvZoneCorners(
            valueOr("--limit", kDefaultLimit), valueOr("--met", kDefaultMet), valueOr("--clo", kDefaultClo),
            valueOr("--v", kDefaultAirSpeed), valueOr("--rh-low", kDefaultRhLow) / 100.0,
            valueOr("--rh-high", kDefaultRhHigh) / 100.0, &fault);
        if (!pmvCorners)
            return fail(psy::comfortFaultText(fault));
        corners = *pmvCorners;
    }

    // The corner points as the chart completes them: 32-bit t and RH at p.
    std::string out;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const float t = static_cast<float>(corners[k].t);
        const float RH = static_cast<float>(corners[k].RH);
        float x = 0, h = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
        if (!ptRH_all(static_cast<float>(p), t, RH, &x, &h, &tw, &td, &pq, &pqb, &v, &rho))
            return fail("corner " + std::to_string(k) + " has no state at this pressure");
        const auto shown = [units](Quantity quantity, float value) {
            return double(qorva::units::shown(quantity, value, units));
        };
        out += std::string(kCornerBase) + std::to_string(k) +
               format(" t=%.2f RH=%.1f%%", shown(Quantity::Temperature, t), RH * 100.0) +
               format(" x=%.2f", shown(Quantity::MoistureContent, x), 0.0) +
               qorva::units::unitOf(Quantity::MoistureContent, units) +
               format(" h=%.2f", shown(Quantity::Enthalpy, h), 0.0) +
               qorva::units::unitOf(Quantity::Enthalpy, units) + "\n";
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}
