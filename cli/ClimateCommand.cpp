// qorva-cli climate: what a weather year says about a site. The station, the
// hours kept by the filter, the outdoor design conditions of GB 50736-2012
// 4.1 (always from the whole year), the hours in the four indoor classes of
// its Table 3.0.2 and the monthly means of the kept hours; in the units of
// --units (SI by default; engineering: h in kcal/kg; IP: °F, gr/lb, Btu/lb
// on the 0 °F datum, psia).

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/Usage.h"
#include "climate/WeatherFile.h"
#include "climate/WeatherStatistics.h"
#include "translations/Language.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

using qorva::units::DisplaySystem;
using qorva::units::Quantity;

// The GB classes by the names qorva-cli comfort --zone gives them, with
// their dry-bulb range (°C) and humidity bound as the table gives them.
constexpr const char* kZoneKeys[] = {"gb-cooling-1", "gb-cooling-2", "gb-heating-1", "gb-heating-2"};
struct ZoneBounds {
    double tLow, tHigh;
    const char* humidity; // "" when the class sets none
};
constexpr ZoneBounds kZoneBounds[] = {
    {24, 26, ", 40-60 %"}, {26, 28, ", <= 70 %"}, {22, 24, ", >= 30 %"}, {18, 22, ""}};

// A stored value as the system shows it.
double shown(Quantity quantity, double value, DisplaySystem units)
{
    return qorva::units::shown(quantity, value, units);
}

const char* unit(Quantity quantity, DisplaySystem units)
{
    return qorva::units::unitOf(quantity, units);
}

// A class's bounds as "24-26 °C, 40-60 %" in the system's temperatures.
std::string zoneBounds(const ZoneBounds& zone, DisplaySystem units)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g-%g %s%s", shown(Quantity::Temperature, zone.tLow, units),
                  shown(Quantity::Temperature, zone.tHigh, units), unit(Quantity::Temperature, units),
                  zone.humidity);
    return text;
}

// The characters of a UTF-8 text, as a terminal lines them up ("°C" is two).
std::size_t columnsOf(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// text right-aligned (or left-aligned) in width columns.
std::string padded(const std::string& text, std::size_t width, bool left = false)
{
    const std::size_t columns = columnsOf(text);
    const std::string fill(columns < width ? width - columns : 0, ' ');
    return left ? text + fill : fill + text;
}

// The printf formats of the quantities in each system: the digits that keep
// the SI precision of the text output.
constexpr const char* kTemperatureFormat = "%.1f";

const char* moistureFormat(DisplaySystem units)
{
    return units == DisplaySystem::IP ? "%.1f" : "%.2f";
}

const char* enthalpyFormat(DisplaySystem units)
{
    return units == DisplaySystem::SI ? "%.1f" : "%.2f";
}

const char* pressureFormat(DisplaySystem units)
{
    return units == DisplaySystem::IP ? "%.3f" : "%.0f";
}

int usage(const std::string& problem)
{
    std::fprintf(stderr, "qorva-cli climate: %s\n", problem.c_str());
    std::fputs("usage: qorva-cli climate WEATHER.epw|WEATHER.csv [--hours FROM-TO] [--months FROM-TO]\n"
               "                         [--units si|engineering|ip] [--json]\n",
               stderr);
    return kExitUsage;
}

std::string format(const char* format, double v)
{
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

// A stored value as the system shows it, "-" when the year gives none.
std::string value(const std::optional<float>& v, const char* format, Quantity quantity, DisplaySystem units)
{
    return v ? ::format(format, shown(quantity, *v, units)) : "-";
}

// The same as a JSON number, null when the year gives none.
QJsonValue json(const std::optional<float>& v, Quantity quantity, DisplaySystem units)
{
    return v ? cli_json::number(shown(quantity, *v, units)) : QJsonValue(QJsonValue::Null);
}

void printText(const WeatherYear& year, const HourFilter& filter, int kept, const DesignConditions& d,
               const std::array<int, 4>& zones, const std::vector<MonthlyMeans>& months, DisplaySystem units)
{
    constexpr Quantity T = Quantity::Temperature;
    constexpr Quantity RH = Quantity::RelativeHumidity;
    constexpr Quantity P = Quantity::Pressure;
    const char* tf = kTemperatureFormat;
    const char* pf = pressureFormat(units);
    const std::string tu = unit(T, units);
    const std::string pu = unit(P, units);
    const WeatherStation& s = year.station;
    std::printf("station: %s (%.4f, %.4f, %.0f m)\n", s.name.c_str(), s.latitude, s.longitude, s.elevation);
    std::printf("hours: %d of %zu read (months %d-%d, hours %d-%d); %d missing in the file\n", kept,
                year.hours.size(), filter.firstMonth, filter.lastMonth, filter.fromHour, filter.toHour,
                year.missingHours);
    std::printf("design conditions (GB 50736-2012 4.1, the whole year): hottest month %d, coldest month %d\n",
                d.hottestMonth, d.coldestMonth);
    std::printf(
        "  summer  t=%s %s  tw=%s %s  t_daily=%s %s  t_ventilation=%s %s  rh_ventilation=%s %%  p=%s %s\n",
        value(d.summerT, tf, T, units).c_str(), tu.c_str(), value(d.summerTw, tf, T, units).c_str(),
        tu.c_str(), value(d.summerDailyT, tf, T, units).c_str(), tu.c_str(),
        value(d.summerVentilationT, tf, T, units).c_str(), tu.c_str(),
        value(d.summerVentilationRH, "%.0f", RH, units).c_str(),
        value(d.summerPressure, pf, P, units).c_str(), pu.c_str());
    std::printf("  winter  t=%s %s  rh=%s %%  t_heating=%s %s  t_ventilation=%s %s  p=%s %s\n",
                value(d.winterT, tf, T, units).c_str(), tu.c_str(),
                value(d.winterRH, "%.0f", RH, units).c_str(), value(d.heatingT, tf, T, units).c_str(),
                tu.c_str(), value(d.winterVentilationT, tf, T, units).c_str(), tu.c_str(),
                value(d.winterPressure, pf, P, units).c_str(), pu.c_str());
    if (year.design)
        std::printf("  file (ASHRAE): heating 99.6 %% t=%s %s, cooling 0.4 %% t=%s %s with tw=%s %s\n",
                    value(year.design->heatingDryBulb996, tf, T, units).c_str(), tu.c_str(),
                    value(year.design->coolingDryBulb04, tf, T, units).c_str(), tu.c_str(),
                    value(year.design->coolingMeanCoincidentWetBulb04, tf, T, units).c_str(), tu.c_str());
    std::printf("hours in the classes of GB 50736-2012 Table 3.0.2:\n");
    std::string bounds[std::size(kZoneBounds)];
    std::size_t boundsWidth = 18;
    for (std::size_t k = 0; k < std::size(kZoneBounds); ++k) {
        bounds[k] = zoneBounds(kZoneBounds[k], units);
        boundsWidth = std::max(boundsWidth, columnsOf(bounds[k]) + 1);
    }
    for (std::size_t k = 0; k < zones.size(); ++k)
        std::printf("  %-13s %s %5d\n", kZoneKeys[k], padded(bounds[k], boundsWidth, true).c_str(), zones[k]);

    // The monthly table: each column as wide as its SI heading at least.
    struct Column {
        std::string heading;
        std::size_t width;
    };
    Column columns[] = {{"month", 5},
                        {"hours", 5},
                        {"t " + tu, 5},
                        {"RH %", 4},
                        {std::string("x ") + unit(Quantity::MoistureContent, units), 6},
                        {std::string("h ") + unit(Quantity::Enthalpy, units), 7},
                        {"p " + pu, 6}};
    std::printf("monthly means:\n");
    for (Column& c : columns) {
        c.width = std::max(c.width, columnsOf(c.heading));
        std::printf("  %s", padded(c.heading, c.width).c_str());
    }
    std::printf("\n");
    for (const MonthlyMeans& m : months) {
        const std::string cells[] = {
            std::to_string(m.month),
            std::to_string(m.hours),
            format(tf, shown(T, m.t, units)),
            format("%.0f", shown(RH, m.RH, units)),
            format(moistureFormat(units), shown(Quantity::MoistureContent, m.x, units)),
            format(enthalpyFormat(units), shown(Quantity::Enthalpy, m.h, units)),
            format(pf, shown(P, m.p, units))};
        for (std::size_t c = 0; c < std::size(columns); ++c)
            std::printf("  %s", padded(cells[c], columns[c].width).c_str());
        std::printf("\n");
    }
}

// The year as JSON; with --units the values in its system and "units" naming it.
QJsonObject jsonOutput(const WeatherYear& year, int kept, const DesignConditions& d,
                       const std::array<int, 4>& zones, const std::vector<MonthlyMeans>& months,
                       std::optional<DisplaySystem> given)
{
    using cli_json::number;
    const DisplaySystem units = given.value_or(DisplaySystem::SI);
    constexpr Quantity T = Quantity::Temperature;
    constexpr Quantity RH = Quantity::RelativeHumidity;
    constexpr Quantity P = Quantity::Pressure;
    const WeatherStation& s = year.station;
    QJsonValue file(QJsonValue::Null);
    if (year.design)
        file = QJsonObject{{"heating_t", json(year.design->heatingDryBulb996, T, units)},
                           {"cooling_t", json(year.design->coolingDryBulb04, T, units)},
                           {"cooling_tw", json(year.design->coolingMeanCoincidentWetBulb04, T, units)}};
    QJsonObject zoneHours;
    for (std::size_t k = 0; k < zones.size(); ++k)
        zoneHours[kZoneKeys[k]] = zones[k];
    QJsonArray monthly;
    for (const MonthlyMeans& m : months)
        monthly.append(QJsonObject{{"month", m.month},
                                   {"t", number(shown(T, m.t, units))},
                                   {"rh", number(shown(RH, m.RH, units))},
                                   {"x", number(shown(Quantity::MoistureContent, m.x, units))},
                                   {"h", number(shown(Quantity::Enthalpy, m.h, units))},
                                   {"p", number(shown(P, m.p, units))},
                                   {"hours", m.hours}});
    const auto month = [](int m) { return m > 0 ? QJsonValue(m) : QJsonValue(QJsonValue::Null); };
    QJsonObject out{
        {"station", QJsonObject{{"name", cli_json::text(s.name)},
                                {"latitude", number(s.latitude)},
                                {"longitude", number(s.longitude)},
                                {"elevation", number(s.elevation)}}},
        {"hours", kept},
        {"design",
         QJsonObject{{"hottest_month", month(d.hottestMonth)},
                     {"coldest_month", month(d.coldestMonth)},
                     {"summer", QJsonObject{{"t", json(d.summerT, T, units)},
                                            {"tw", json(d.summerTw, T, units)},
                                            {"t_daily", json(d.summerDailyT, T, units)},
                                            {"t_ventilation", json(d.summerVentilationT, T, units)},
                                            {"rh_ventilation", json(d.summerVentilationRH, RH, units)},
                                            {"p", json(d.summerPressure, P, units)}}},
                     {"winter", QJsonObject{{"t", json(d.winterT, T, units)},
                                            {"rh", json(d.winterRH, RH, units)},
                                            {"t_heating", json(d.heatingT, T, units)},
                                            {"t_ventilation", json(d.winterVentilationT, T, units)},
                                            {"p", json(d.winterPressure, P, units)}}},
                     {"file", file}}},
        {"zones", zoneHours},
        {"months", monthly},
    };
    if (given)
        out["units"] = cli_arguments::UnitsNameOf(*given);
    return out;
}

} // namespace

int runClimateCommand(const std::vector<std::string>& args)
{
    std::vector<std::string_view> words(args.begin(), args.end());
    DisplaySystem units = DisplaySystem::SI;
    std::string problem;
    const bool unitsGiven = std::find(words.begin(), words.end(), "--units") != words.end();
    if (!cli_arguments::TakeUnits(words, units, problem))
        return usage(problem);
    std::vector<std::string> positional;
    HourFilter filter;
    bool asJson = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string arg(words[i]);
        if (arg == "--json") {
            asJson = true;
        } else if (arg == "--hours" || arg == "--months") {
            if (i + 1 >= words.size())
                return usage(arg + " needs a value");
            const std::string span(words[++i]);
            const bool hours = arg == "--hours";
            if (!(hours ? ParseSpan(span, 0, 24, filter.fromHour, filter.toHour)
                        : ParseSpan(span, 1, 12, filter.firstMonth, filter.lastMonth)))
                return usage(
                    arg +
                    (hours ? " must be FROM-TO with clock hours 0-24" : " must be FROM-TO with months 1-12") +
                    ", not '" + span + "'");
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return usage("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1)
        return usage("expected one weather file");
    const std::string& path = positional.front();
    if (reportMissingInput("climate", path))
        return kExitFailure;

    // The reader's messages in English, as the program's own are.
    static int argc = 1;
    static char name[] = "qorva-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QCoreApplication>(argc, argv);
    const UiLanguage before = installedLanguage();
    installLanguage(UiLanguage::English);
    WeatherYear year;
    std::string error;
    const bool read = ReadWeatherFile(path, year, error);
    if (before == UiLanguage::Chinese)
        removeLanguage();
    else
        installLanguage(before);
    if (!read) {
        std::fprintf(stderr, "qorva-cli climate: %s: %s\n", path.c_str(), error.c_str());
        return kExitFailure;
    }

    const int kept = CountHours(year, filter);
    const DesignConditions design = ComputeDesignConditions(year);
    const std::array<int, 4> zones = CountGbComfortHours(year, filter);
    const std::vector<MonthlyMeans> months = ComputeMonthlyMeans(year, filter);
    if (asJson)
        cli_json::print(
            jsonOutput(year, kept, design, zones, months, unitsGiven ? std::optional(units) : std::nullopt));
    else
        printText(year, filter, kept, design, zones, months, units);
    return 0;
}
