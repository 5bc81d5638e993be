#include "project/WeatherSummary.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cmath>

#include "model/CIDG.h"
#include "model/UnitFormat.h"
#include "psychro/DisplayUnits.h"
#include "psychro/QorvaDll.h"

namespace {

using unit_format::Format;

std::string text(const QString& s)
{
    return s.toStdString();
}

std::string share(int hours, int total)
{
    return total > 0 ? Format("%.1f", 100.0 * hours / total) : std::string("—");
}

std::string value(const std::optional<float>& v, const char* pattern, double scale = 1.0)
{
    return v ? Format(pattern, *v * scale) : std::string("—");
}

// The corners (x, h) of a zone from the view's points, in their order around
// the zone's centre: the zone's sides join neighbours in that order (the
// stored corner order is that of their making, not of the sides). The
// enthalpy is scaled to the moisture's order of magnitude for the angles.
std::optional<std::vector<std::pair<double, double>>> zoneCorners(const CIDG& idg, const CComfortArea& zone)
{
    std::vector<std::pair<double, double>> corners;
    for (const std::string& name : zone.m_strCorner) {
        const CStatePoint* found = nullptr;
        for (const auto& point : *idg.m_pPoints)
            if (point->m_strName == name) {
                found = point.get();
                break;
            }
        if (!found)
            return std::nullopt;
        corners.emplace_back(found->m_d, found->m_h);
    }
    double cx = 0, ch = 0;
    for (const auto& [x, h] : corners) {
        cx += x / corners.size();
        ch += h / corners.size();
    }
    constexpr double kEnthalpyScale = 1e-3;
    std::sort(corners.begin(), corners.end(), [&](const auto& a, const auto& b) {
        return std::atan2((a.second - ch) * kEnthalpyScale, a.first - cx) <
               std::atan2((b.second - ch) * kEnthalpyScale, b.first - cx);
    });
    return corners;
}

} // namespace

std::string WeatherTable::ToTsv() const
{
    std::string tsv;
    const auto line = [&tsv](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            tsv += (i ? "\t" : "") + cells[i];
        tsv += '\n';
    };
    line(header);
    for (const auto& row : rows)
        line(row);
    return tsv;
}

WeatherTable HourCountTable(const CIDG& idg, const WeatherYear& year, const HourFilter& filter)
{
    WeatherTable table;
    table.header = {text(QCoreApplication::translate("WeatherSummary", "名称")),
                    text(QCoreApplication::translate("WeatherSummary", "小时数")),
                    text(QCoreApplication::translate("WeatherSummary", "占比％"))};
    const int total = CountHours(year, filter);
    const auto row = [&](const std::string& name, int hours) {
        table.rows.push_back({name, std::to_string(hours), share(hours, total)});
    };
    row(text(QCoreApplication::translate("WeatherSummary", "全部小时")), total);
    if (idg.m_pComfortAreas && idg.m_pPoints)
        for (const auto& zone : *idg.m_pComfortAreas)
            if (const auto corners = zoneCorners(idg, *zone))
                row(text(QCoreApplication::translate("WeatherSummary", "舒适区：%1")
                             .arg(QString::fromStdString(zone->m_strLabel.empty() ? zone->m_strName
                                                                                  : zone->m_strLabel))),
                    CountHoursInZone(year, filter, *corners));
    const char* const classes[] = {
        QT_TRANSLATE_NOOP("WeatherSummary", "GB 50736 供冷 I级（24–26 ℃，40–60 %）"),
        QT_TRANSLATE_NOOP("WeatherSummary", "GB 50736 供冷 II级（26–28 ℃，≤ 70 %）"),
        QT_TRANSLATE_NOOP("WeatherSummary", "GB 50736 供热 I级（22–24 ℃，≥ 30 %）"),
        QT_TRANSLATE_NOOP("WeatherSummary", "GB 50736 供热 II级（18–22 ℃）"),
    };
    const std::array<int, 4> gb = CountGbComfortHours(year, filter);
    for (std::size_t k = 0; k < gb.size(); ++k)
        row(text(QCoreApplication::translate("WeatherSummary", classes[k])), gb[k]);

    const CAir_Room& rooms = idg.m_rooms;
    float x = 0, h = 0, rh = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    const float p = idg.m_fSummerPressure;
    const bool summer = rooms.m_bSummerOutByRH
                            ? ptRH_all(p, rooms.m_fSummerOutT, rooms.m_fSummerOutRH * 0.01f, &x, &h, &tw, &td,
                                       &pq, &pqb, &v, &rho) != 0
                            : pttw_all(p, rooms.m_fSummerOutT, rooms.m_fSummerOutTw, &x, &h, &rh, &td, &pq,
                                       &pqb, &v, &rho) != 0;
    // The design points' enthalpy and dry bulb in IP: Btu/lb and ℉.
    const bool ip = unit_format::IsIp(idg.m_nUnitSystem);
    const auto shown = [ip](qorva::units::Quantity quantity, float stored) {
        return ip ? double(qorva::units::shown(quantity, stored, qorva::units::DisplaySystem::IP))
                  : double(stored);
    };
    if (summer)
        row(text(unit_format::Caption(
                     QCoreApplication::translate("WeatherSummary", "焓高于夏季室外计算点 %1（%2 kJ/kg）"),
                     idg.m_nUnitSystem)
                     .arg(QString::fromStdString(rooms.m_strSummerOutName))
                     .arg(shown(qorva::units::Quantity::Enthalpy, h), 0, 'f', 1)),
            CountHoursAboveEnthalpy(year, filter, h));
    row(text(unit_format::Caption(
                 QCoreApplication::translate("WeatherSummary", "干球温度低于冬季室外计算点 %1（%2 ℃）"),
                 idg.m_nUnitSystem)
                 .arg(QString::fromStdString(rooms.m_strWinterOutName))
                 .arg(shown(qorva::units::Quantity::Temperature, rooms.m_fWinterOutT), 0, 'f', 1)),
        CountHoursBelowTemperature(year, filter, rooms.m_fWinterOutT));
    return table;
}

WeatherTable MonthlyMeansTable(const WeatherYear& year, const HourFilter& filter, int unitSystem)
{
    WeatherTable table;
    if (unitSystem == CIDG::kUnitsIP) {
        // In IP: °F, gr/lb, Btu/lb on the 0 °F datum, psia.
        using qorva::units::Quantity;
        const auto ip = [](Quantity q, float v) {
            return double(qorva::units::shown(q, v, qorva::units::DisplaySystem::IP));
        };
        table.header = {text(QCoreApplication::translate("WeatherSummary", "月份")),
                        text(QCoreApplication::translate("WeatherSummary", "小时数")),
                        text(QCoreApplication::translate("WeatherSummary", "干球温度℉")),
                        text(QCoreApplication::translate("WeatherSummary", "相对湿度％")),
                        text(QCoreApplication::translate("WeatherSummary", "含湿量gr/lb")),
                        text(QCoreApplication::translate("WeatherSummary", "焓Btu/lb")),
                        text(QCoreApplication::translate("WeatherSummary", "大气压力psia"))};
        for (const MonthlyMeans& m : ComputeMonthlyMeans(year, filter))
            table.rows.push_back(
                {std::to_string(m.month), std::to_string(m.hours),
                 Format("%.1f", ip(Quantity::Temperature, m.t)), Format("%.1f", m.RH * 100.0),
                 Format("%.1f", ip(Quantity::MoistureContent, m.x)),
                 Format("%.2f", ip(Quantity::Enthalpy, m.h)), Format("%.3f", ip(Quantity::Pressure, m.p))});
        return table;
    }
    table.header = {text(QCoreApplication::translate("WeatherSummary", "月份")),
                    text(QCoreApplication::translate("WeatherSummary", "小时数")),
                    text(QCoreApplication::translate("WeatherSummary", "干球温度℃")),
                    text(QCoreApplication::translate("WeatherSummary", "相对湿度％")),
                    text(QCoreApplication::translate("WeatherSummary", "含湿量g/kg")),
                    unitSystem == CIDG::kUnitsSI
                        ? text(QCoreApplication::translate("WeatherSummary", "焓kJ/kg"))
                        : text(QCoreApplication::translate("WeatherSummary", "焓kcal/kg")),
                    text(QCoreApplication::translate("WeatherSummary", "大气压力Pa"))};
    for (const MonthlyMeans& m : ComputeMonthlyMeans(year, filter))
        table.rows.push_back({std::to_string(m.month), std::to_string(m.hours), Format("%.1f", double(m.t)),
                              Format("%.1f", m.RH * 100.0), Format("%.2f", m.x * 1000.0),
                              unit_format::Enthalpy(unitSystem, "%.1f", "%.2f", m.h),
                              Format("%.0f", double(m.p))});
    return table;
}

WeatherTable DesignConditionsTable(const WeatherYear& year, const DesignConditions& d, int unitSystem)
{
    WeatherTable table;
    // In IP the temperatures are in ℉ and the pressures in psia, captions and values alike.
    const bool ip = unit_format::IsIp(unitSystem);
    const auto shown = [ip](const std::optional<float>& v, qorva::units::Quantity quantity) {
        return v && ip
                   ? std::optional<float>(qorva::units::shown(quantity, *v, qorva::units::DisplaySystem::IP))
                   : v;
    };
    using qorva::units::Quantity;
    const auto temperature = [&shown](const std::optional<float>& v) {
        return value(shown(v, Quantity::Temperature), "%.1f");
    };
    table.header = {text(QCoreApplication::translate("WeatherSummary", "室外计算参数")),
                    text(QCoreApplication::translate("WeatherSummary", "本年（GB 50736）")),
                    text(QCoreApplication::translate("WeatherSummary", "文件（ASHRAE）"))};
    std::optional<float> heating, cooling, coolingWetBulb;
    if (year.design) {
        heating = year.design->heatingDryBulb996;
        cooling = year.design->coolingDryBulb04;
        coolingWetBulb = year.design->coolingMeanCoincidentWetBulb04;
    }
    const auto ashrae = [&shown](std::optional<float> v, const QString& which) {
        v = shown(v, Quantity::Temperature);
        return v ? text(QCoreApplication::translate("WeatherSummary", "%1（%2）")
                            .arg(*v, 0, 'f', 1)
                            .arg(which))
                 : std::string("—");
    };
    const auto month = [](int m) { return m > 0 ? std::to_string(m) : std::string("—"); };
    const auto row = [&table, unitSystem](const QString& name, std::string ours, std::string file = "—") {
        table.rows.push_back(
            {text(unit_format::Caption(name, unitSystem)), std::move(ours), std::move(file)});
    };
    row(QCoreApplication::translate("WeatherSummary", "最热月 / 最冷月"),
        month(d.hottestMonth) + " / " + month(d.coldestMonth));
    row(QCoreApplication::translate("WeatherSummary", "夏季空调室外计算干球温度℃"), temperature(d.summerT),
        ashrae(cooling, QCoreApplication::translate("WeatherSummary", "0.4 % 干球温度")));
    row(QCoreApplication::translate("WeatherSummary", "夏季空调室外计算湿球温度℃"), temperature(d.summerTw),
        ashrae(coolingWetBulb, QCoreApplication::translate("WeatherSummary", "0.4 % 平均同时湿球温度")));
    row(QCoreApplication::translate("WeatherSummary", "夏季空调室外计算日平均温度℃"),
        temperature(d.summerDailyT));
    row(QCoreApplication::translate("WeatherSummary", "夏季通风室外计算温度℃"),
        temperature(d.summerVentilationT));
    row(QCoreApplication::translate("WeatherSummary", "夏季通风室外计算相对湿度％"),
        value(d.summerVentilationRH, "%.0f", 100.0));
    row(QCoreApplication::translate("WeatherSummary", "夏季大气压力Pa"),
        ip ? value(shown(d.summerPressure, Quantity::Pressure), "%.3f") : value(d.summerPressure, "%.0f"));
    row(QCoreApplication::translate("WeatherSummary", "冬季空调室外计算温度℃"), temperature(d.winterT),
        ashrae(heating, QCoreApplication::translate("WeatherSummary", "99.6 % 干球温度")));
    row(QCoreApplication::translate("WeatherSummary", "冬季空调室外计算相对湿度％"),
        value(d.winterRH, "%.0f", 100.0));
    row(QCoreApplication::translate("WeatherSummary", "供暖室外计算温度℃"), temperature(d.heatingT));
    row(QCoreApplication::translate("WeatherSummary", "冬季通风室外计算温度℃"),
        temperature(d.winterVentilationT));
    row(QCoreApplication::translate("WeatherSummary", "冬季大气压力Pa"),
        ip ? value(shown(d.winterPressure, Quantity::Pressure), "%.3f") : value(d.winterPressure, "%.0f"));
    return table;
}
