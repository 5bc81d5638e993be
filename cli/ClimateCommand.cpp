// qorva-cli climate: what a weather year says about a site. The station, the
// hours kept by the filter, the outdoor design conditions of GB 50736-2012
// 4.1 (always from the whole year), the hours in the four indoor classes of
// its Table 3.0.2 and the monthly means of the kept hours.

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/Usage.h"
#include "climate/WeatherFile.h"
#include "climate/WeatherStatistics.h"
#include "translations/Language.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

// The GB classes by the names qorva-cli comfort --zone gives them.
constexpr const char* kZoneKeys[] = {"gb-cooling-1", "gb-cooling-2", "gb-heating-1", "gb-heating-2"};
constexpr const char* kZoneBounds[] = {"24-26 °C, 40-60 %", "26-28 °C, <= 70 %", "22-24 °C, >= 30 %",
                                       "18-22 °C"};

int usage(const std::string& problem)
{
    std::fprintf(stderr, "qorva-cli climate: %s\n", problem.c_str());
    std::fputs(
        "usage: qorva-cli climate WEATHER.epw|WEATHER.csv [--hours FROM-TO] [--months FROM-TO] [--json]\n",
        stderr);
    return kExitUsage;
}

std::string value(const std::optional<float>& v, const char* format)
{
    if (!v)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, format, *v);
    return text;
}

QJsonValue json(const std::optional<float>& v, double scale = 1.0)
{
    return v ? cli_json::number(*v * scale) : QJsonValue(QJsonValue::Null);
}

void printText(const WeatherYear& year, const HourFilter& filter, int kept, const DesignConditions& d,
               const std::array<int, 4>& zones, const std::vector<MonthlyMeans>& months)
{
    const WeatherStation& s = year.station;
    std::printf("station: %s (%.4f, %.4f, %.0f m)\n", s.name.c_str(), s.latitude, s.longitude, s.elevation);
    std::printf("hours: %d of %zu read (months %d-%d, hours %d-%d); %d missing in the file\n", kept,
                year.hours.size(), filter.firstMonth, filter.lastMonth, filter.fromHour, filter.toHour,
                year.missingHours);
    std::printf("design conditions (GB 50736-2012 4.1, the whole year): hottest month %d, coldest month %d\n",
                d.hottestMonth, d.coldestMonth);
    std::printf(
        "  summer  t=%s °C  tw=%s °C  t_daily=%s °C  t_ventilation=%s °C  rh_ventilation=%s %%  p=%s Pa\n",
        value(d.summerT, "%.1f").c_str(), value(d.summerTw, "%.1f").c_str(),
        value(d.summerDailyT, "%.1f").c_str(), value(d.summerVentilationT, "%.1f").c_str(),
        value(d.summerVentilationRH ? std::optional<float>(*d.summerVentilationRH * 100) : std::nullopt,
              "%.0f")
            .c_str(),
        value(d.summerPressure, "%.0f").c_str());
    std::printf("  winter  t=%s °C  rh=%s %%  t_heating=%s °C  t_ventilation=%s °C  p=%s Pa\n",
                value(d.winterT, "%.1f").c_str(),
                value(d.winterRH ? std::optional<float>(*d.winterRH * 100) : std::nullopt, "%.0f").c_str(),
                value(d.heatingT, "%.1f").c_str(), value(d.winterVentilationT, "%.1f").c_str(),
                value(d.winterPressure, "%.0f").c_str());
    if (year.design)
        std::printf("  file (ASHRAE): heating 99.6 %% t=%s °C, cooling 0.4 %% t=%s °C with tw=%s °C\n",
                    value(year.design->heatingDryBulb996, "%.1f").c_str(),
                    value(year.design->coolingDryBulb04, "%.1f").c_str(),
                    value(year.design->coolingMeanCoincidentWetBulb04, "%.1f").c_str());
    std::printf("hours in the classes of GB 50736-2012 Table 3.0.2:\n");
    for (std::size_t k = 0; k < zones.size(); ++k)
        std::printf("  %-13s %-19s %5d\n", kZoneKeys[k], kZoneBounds[k], zones[k]);
    std::printf("monthly means:\n  month  hours   t °C  RH %%  x g/kg  h kJ/kg    p Pa\n");
    for (const MonthlyMeans& m : months)
        std::printf("  %5d  %5d  %5.1f  %4.0f  %6.2f  %7.1f  %6.0f\n", m.month, m.hours, m.t, m.RH * 100.0,
                    m.x * 1000.0, m.h, m.p);
}

QJsonObject jsonOutput(const WeatherYear& year, int kept, const DesignConditions& d,
                       const std::array<int, 4>& zones, const std::vector<MonthlyMeans>& months)
{
    using cli_json::number;
    const WeatherStation& s = year.station;
    QJsonValue file(QJsonValue::Null);
    if (year.design)
        file = QJsonObject{{"heating_t", json(year.design->heatingDryBulb996)},
                           {"cooling_t", json(year.design->coolingDryBulb04)},
                           {"cooling_tw", json(year.design->coolingMeanCoincidentWetBulb04)}};
    QJsonObject zoneHours;
    for (std::size_t k = 0; k < zones.size(); ++k)
        zoneHours[kZoneKeys[k]] = zones[k];
    QJsonArray monthly;
    for (const MonthlyMeans& m : months)
        monthly.append(QJsonObject{{"month", m.month},
                                   {"t", number(m.t)},
                                   {"rh", number(m.RH * 100.0)},
                                   {"x", number(m.x * 1000.0)},
                                   {"h", number(m.h)},
                                   {"p", number(m.p)},
                                   {"hours", m.hours}});
    const auto month = [](int m) { return m > 0 ? QJsonValue(m) : QJsonValue(QJsonValue::Null); };
    return {
        {"station", QJsonObject{{"name", cli_json::text(s.name)},
                                {"latitude", number(s.latitude)},
                                {"longitude", number(s.longitude)},
                                {"elevation", number(s.elevation)}}},
        {"hours", kept},
        {"design", QJsonObject{{"hottest_month", month(d.hottestMonth)},
                               {"coldest_month", month(d.coldestMonth)},
                               {"summer", QJsonObject{{"t", json(d.summerT)},
                                                      {"tw", json(d.summerTw)},
                                                      {"t_daily", json(d.summerDailyT)},
                                                      {"t_ventilation", json(d.summerVentilationT)},
                                                      {"rh_ventilation", json(d.summerVentilationRH, 100.0)},
                                                      {"p", json(d.summerPressure)}}},
                               {"winter", QJsonObject{{"t", json(d.winterT)},
                                                      {"rh", json(d.winterRH, 100.0)},
                                                      {"t_heating", json(d.heatingT)},
                                                      {"t_ventilation", json(d.winterVentilationT)},
                                                      {"p", json(d.winterPressure)}}},
                               {"file", file}}},
        {"zones", zoneHours},
        {"months", monthly},
    };
}

} // namespace

int runClimateCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> positional;
    HourFilter filter;
    bool asJson = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            asJson = true;
        } else if (arg == "--hours" || arg == "--months") {
            if (i + 1 >= args.size())
                return usage(arg + " needs a value");
            const std::string& span = args[++i];
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
        cli_json::print(jsonOutput(year, kept, design, zones, months));
    else
        printText(year, filter, kept, design, zones, months);
    return 0;
}
