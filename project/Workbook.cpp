#include "project/Workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QString>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

#include "analysis/AnalysisResults.h"
#include "analysis/AnnualFreshAir.h"
#include "analysis/Binding.h"
#include "climate/WeatherStatistics.h"
#include "model/CIDG.h"
#include "project/ConditionViews.h"
#include "project/TextExport.h"
#include "project/WeatherSummary.h"
#include "psychro/DisplayUnits.h"

namespace {

// Display units of the engineering system (model/UnitFormat.h).
constexpr double kKcalPerKj = 0.2388459;  // kcal/kg per kJ/kg
constexpr double kKcalhPerW = 0.8598452;  // kcal/h per W
constexpr double kKcalhPerKw = 859.8452;  // kcal/h per kW
constexpr int kMaxSheetNameLength = 31;   // characters, as Excel allows
constexpr std::size_t kMaxRows = 1048575; // below the header row
constexpr std::size_t kMaxColumns = 16384;

// A text marked with QT_TRANSLATE_NOOP("Workbook", …), in the interface's language.
std::string trs(const char* source)
{
    return QCoreApplication::translate("Workbook", source).toStdString();
}

using Cell = WorkbookCell;
using Row = std::vector<WorkbookCell>;

bool si(const CIDG& idg)
{
    return idg.m_nUnitSystem == CIDG::kUnitsSI;
}

bool ip(const CIDG& idg)
{
    return idg.m_nUnitSystem == CIDG::kUnitsIP;
}

// A stored value in the workbook's unit: as stored in SI and engineering
// units (enthalpies and capacities aside), converted in IP.
double shown(const CIDG& idg, qorva::units::Quantity quantity, double stored)
{
    return ip(idg) ? qorva::units::shown(quantity, stored, qorva::units::DisplaySystem::IP) : stored;
}

// The unit of a quantity the workbook gives in SI and engineering units
// alike, or its IP unit.
const char* unit(const CIDG& idg, qorva::units::Quantity quantity, const char* metric)
{
    return ip(idg) ? qorva::units::unitOf(quantity, qorva::units::DisplaySystem::IP) : metric;
}

// A caption with its unit in brackets, "干球温度(℃)"; the unit is not
// translated.
std::string captioned(const char* caption, const char* unit)
{
    return trs(caption) + "(" + unit + ")";
}

const char* enthalpyUnit(const CIDG& idg)
{
    return ip(idg) ? "Btu/lb" : si(idg) ? "kJ/kg" : "kcal/kg";
}

double enthalpyShown(const CIDG& idg, double kj)
{
    if (ip(idg))
        return shown(idg, qorva::units::Quantity::Enthalpy, kj);
    return si(idg) ? kj : kj * kKcalPerKj;
}

// An enthalpy difference or a heat–moisture ratio: no datum.
double differenceShown(const CIDG& idg, double kj)
{
    if (ip(idg))
        return shown(idg, qorva::units::Quantity::EnthalpyDifference, kj);
    return si(idg) ? kj : kj * kKcalPerKj;
}

const char* conditionName(int condition)
{
    static constexpr const char* kNames[kConditionCount] = {QT_TRANSLATE_NOOP("Workbook", "普通工况"),
                                                            QT_TRANSLATE_NOOP("Workbook", "制冷工况"),
                                                            QT_TRANSLATE_NOOP("Workbook", "制热工况")};
    return kNames[condition];
}

// The design data: the indoor states completed as the views are bound, the
// loads as the system–room dialog shows them (kW "%.3f", kcal/h "%.1f").
WorkbookSheet designSheet(const CIDG& idg)
{
    WorkbookSheet sheet{trs(QT_TRANSLATE_NOOP("Workbook", "设计参数")), {}, {}};
    using qorva::units::Quantity;
    const char* load = ip(idg) ? "Btu/h" : si(idg) ? "kW" : "kcal/h";
    const char* temperature = unit(idg, Quantity::Temperature, "℃");
    const char* moisture = unit(idg, Quantity::MoistureContent, "g/kg");
    const char* flow = unit(idg, Quantity::MoistureFlow, "kg/h");
    const char* volume = unit(idg, Quantity::AirVolume, "m^3/h");
    sheet.header = {trs(QT_TRANSLATE_NOOP("Workbook", "系统")), trs(QT_TRANSLATE_NOOP("Workbook", "房间"))};
    for (const bool summer : {true, false}) {
        const auto add = [&](const char* caption, const char* unit) {
            sheet.header.push_back(unit ? captioned(caption, unit) : trs(caption));
        };
        if (summer) {
            add(QT_TRANSLATE_NOOP("Workbook", "夏季室内状态点"), nullptr);
            add(QT_TRANSLATE_NOOP("Workbook", "夏季室内干球温度"), temperature);
            add(QT_TRANSLATE_NOOP("Workbook", "夏季室内相对湿度"), "%");
            add(QT_TRANSLATE_NOOP("Workbook", "夏季室内湿球温度"), temperature);
            add(QT_TRANSLATE_NOOP("Workbook", "夏季室内含湿量"), moisture);
            add(QT_TRANSLATE_NOOP("Workbook", "夏季室内焓"), enthalpyUnit(idg));
            add(QT_TRANSLATE_NOOP("Workbook", "冷负荷"), load);
            add(QT_TRANSLATE_NOOP("Workbook", "夏季湿负荷"), flow);
            add(QT_TRANSLATE_NOOP("Workbook", "夏季新风量"), volume);
        } else {
            add(QT_TRANSLATE_NOOP("Workbook", "冬季室内状态点"), nullptr);
            add(QT_TRANSLATE_NOOP("Workbook", "冬季室内干球温度"), temperature);
            add(QT_TRANSLATE_NOOP("Workbook", "冬季室内相对湿度"), "%");
            add(QT_TRANSLATE_NOOP("Workbook", "冬季室内湿球温度"), temperature);
            add(QT_TRANSLATE_NOOP("Workbook", "冬季室内含湿量"), moisture);
            add(QT_TRANSLATE_NOOP("Workbook", "冬季室内焓"), enthalpyUnit(idg));
            add(QT_TRANSLATE_NOOP("Workbook", "热负荷"), load);
            add(QT_TRANSLATE_NOOP("Workbook", "冬季湿负荷"), flow);
            add(QT_TRANSLATE_NOOP("Workbook", "冬季新风量"), volume);
        }
    }
    const char* loadFormat = ip(idg) ? "0" : si(idg) ? "0.000" : "0.0";
    const double loadScale = ip(idg)   ? 1000.0 * qorva::units::kBtuPerHourPerWatt
                             : si(idg) ? 1.0
                                       : kKcalhPerKw;
    const auto temp = [&](double t) { return shown(idg, Quantity::Temperature, t); };
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms) {
            Row row{Cell::Text(system->m_strName), Cell::Text(room->m_strName)};
            for (const int condition : {kConditionSummer, kConditionWinter}) {
                const bool summer = condition == kConditionSummer;
                CStatePoint n;
                const bool completed = DesignIndoorPoint(idg, *room, condition, n);
                // A state that does not complete keeps the two values it was given.
                const float t = summer ? room->m_fSummerInT : room->m_fWinterInT;
                const bool byRH = (summer ? room->m_bSummerInByRH : room->m_bWinterInByRH) != 0;
                const float givenRH = summer ? room->m_fSummerInRH : room->m_fWinterInRH;
                const float givenTw = summer ? room->m_fSummerInTw : room->m_fWinterInTw;
                const Cell rh = byRH        ? Cell::Number(givenRH, "0")
                                : completed ? Cell::Number(n.m_RH * 100.0, "0")
                                            : Cell();
                const Cell tw = !byRH       ? Cell::Number(temp(givenTw), "0.0")
                                : completed ? Cell::Number(temp(n.m_tw), "0.0")
                                            : Cell();
                row.push_back(Cell::Text(summer ? room->m_strSummerInName : room->m_strWinterInName));
                row.push_back(Cell::Number(temp(t), "0.0"));
                row.push_back(rh);
                row.push_back(tw);
                row.push_back(completed ? Cell::Number(ip(idg) ? shown(idg, Quantity::MoistureContent, n.m_d)
                                                               : n.m_d * 1000.0,
                                                       "0.00")
                                        : Cell());
                row.push_back(completed ? Cell::Number(enthalpyShown(idg, n.m_h), si(idg) ? "0.0" : "0.00")
                                        : Cell());
                row.push_back(Cell::Number((summer ? room->m_fSummerLoad : room->m_fWinterLoad) * loadScale,
                                           loadFormat));
                row.push_back(
                    Cell::Number(shown(idg, Quantity::MoistureFlow,
                                       summer ? room->m_fSummerMoistLoad : room->m_fWinterMoistLoad),
                                 "0.000"));
                row.push_back(Cell::Number(shown(idg, Quantity::AirVolume,
                                                 summer ? room->m_fSummerFreshAir : room->m_fWinterFreshAir),
                                           "0"));
            }
            sheet.rows.push_back(std::move(row));
        }
    return sheet;
}

// Every state point with the decimals of the state-point text table (its
// kg/kg to five places is g/kg to two).
std::optional<WorkbookSheet> statePointSheet(const CIDG& idg, std::string& error)
{
    using qorva::units::Quantity;
    WorkbookSheet sheet{trs(QT_TRANSLATE_NOOP("Workbook", "状态点")), {}, {}};
    const char* pressure = unit(idg, Quantity::Pressure, "Pa");
    const char* temperature = unit(idg, Quantity::Temperature, "℃");
    sheet.header = {
        trs(QT_TRANSLATE_NOOP("Workbook", "系统")),
        trs(QT_TRANSLATE_NOOP("Workbook", "房间")),
        trs(QT_TRANSLATE_NOOP("Workbook", "工况")),
        trs(QT_TRANSLATE_NOOP("Workbook", "名称")),
        captioned(QT_TRANSLATE_NOOP("Workbook", "大气压力"), pressure),
        captioned(QT_TRANSLATE_NOOP("Workbook", "干球温度"), temperature),
        captioned(QT_TRANSLATE_NOOP("Workbook", "湿球温度"), temperature),
        captioned(QT_TRANSLATE_NOOP("Workbook", "相对湿度"), "%"),
        captioned(QT_TRANSLATE_NOOP("Workbook", "露点温度"), temperature),
        captioned(QT_TRANSLATE_NOOP("Workbook", "含湿量"), unit(idg, Quantity::MoistureContent, "g/kg")),
        captioned(QT_TRANSLATE_NOOP("Workbook", "焓"), enthalpyUnit(idg)),
        captioned(QT_TRANSLATE_NOOP("Workbook", "水蒸气分压力"), pressure),
        captioned(QT_TRANSLATE_NOOP("Workbook", "饱和水蒸气分压力"), pressure),
        captioned(QT_TRANSLATE_NOOP("Workbook", "比容"), unit(idg, Quantity::SpecificVolume, "m^3/kg")),
        captioned(QT_TRANSLATE_NOOP("Workbook", "密度"), unit(idg, Quantity::Density, "kg/m^3"))};
    // In IP the pressures to three decimals of psia, the moisture content in gr/lb to one.
    const char* pressureFormat = ip(idg) ? "0.000" : "0";
    const auto temp = [&](double t) { return shown(idg, Quantity::Temperature, t); };
    const auto moisture = [&](double d) {
        return ip(idg) ? shown(idg, Quantity::MoistureContent, d) : d * 1000.0;
    };
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms)
            for (int k = 0; k < kConditionCount; ++k)
                for (const auto& point : room->m_points[std::size_t(k)]) {
                    CParamPoint p;
                    if (!StatePointRecord(idg, *point, k, p)) {
                        error =
                            UncomputablePointMessage(system->m_strName, room->m_strName, k, point->m_strName);
                        return std::nullopt;
                    }
                    sheet.rows.push_back(
                        {Cell::Text(system->m_strName), Cell::Text(room->m_strName),
                         Cell::Text(trs(conditionName(k))), Cell::Text(p.m_strName),
                         Cell::Number(shown(idg, Quantity::Pressure, p.m_p), pressureFormat),
                         Cell::Number(temp(p.m_t), "0.0"), Cell::Number(temp(p.m_tw), "0.0"),
                         Cell::Number(p.m_RH * 100.0, "0"), Cell::Number(temp(p.m_td), "0.0"),
                         Cell::Number(moisture(p.m_d), "0.00"),
                         Cell::Number(enthalpyShown(idg, p.m_h), "0.0"),
                         Cell::Number(shown(idg, Quantity::Pressure, p.m_pq), pressureFormat),
                         Cell::Number(shown(idg, Quantity::Pressure, p.m_pqb), pressureFormat),
                         Cell::Number(shown(idg, Quantity::SpecificVolume, p.m_v), "0.000"),
                         Cell::Number(shown(idg, Quantity::Density, p.m_rho), "0.000")});
                }
    return sheet;
}

struct ShownResult {
    double value;
    int decimals;
    const char* unit;
};

constexpr const char* kDecimalFormats[] = {"0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.000000"};

// A result in IP units, as its text shows it in an IP project.
ShownResult shownResultIp(ResultQuantity quantity, double value)
{
    using qorva::units::Quantity;
    const auto in = [](Quantity q, double v) {
        return qorva::units::shown(q, v, qorva::units::DisplaySystem::IP);
    };
    switch (quantity) {
    case ResultQuantity::Power:
        return {in(Quantity::Capacity, value), 0, "Btu/h"};
    case ResultQuantity::AirVolume:
        return {in(Quantity::AirVolume, value), 0, "cfm"};
    case ResultQuantity::MoistureFlow:
        return {in(Quantity::MoistureFlow, value), 3, "lb/h"};
    case ResultQuantity::EnthalpyDifference:
        return {in(Quantity::EnthalpyDifference, value), 3, "Btu/lb"};
    case ResultQuantity::MoistureDifference: // held in g/kg
        return {in(Quantity::MoistureContent, value * 0.001), 3, "gr/lb"};
    case ResultQuantity::Fraction:
        return {value * 100.0, 0, "%"};
    case ResultQuantity::Temperature:
        return {in(Quantity::Temperature, value), 1, "°F"};
    case ResultQuantity::TemperatureDifference:
        return {value * 1.8, 2, "°F"};
    case ResultQuantity::HeatMoistureRatio:
        return {in(Quantity::EnthalpyDifference, value), 0, "Btu/lb"};
    }
    return {value, 3, ""};
}

// A result in the unit its text shows it in (chart/ResultWording.cpp), with
// the decimals those texts usually have; fractions as per cent.
ShownResult shownResult(const CIDG& idg, ResultQuantity quantity, double value)
{
    if (ip(idg))
        return shownResultIp(quantity, value);
    switch (quantity) {
    case ResultQuantity::Power:
        return si(idg) ? ShownResult{value * 0.001, 3, "kW"} : ShownResult{value * kKcalhPerW, 0, "kcal/h"};
    case ResultQuantity::AirVolume:
        return {value, 0, "m^3/h"};
    case ResultQuantity::MoistureFlow:
        return {value, 3, "kg/h"};
    case ResultQuantity::EnthalpyDifference:
        return {differenceShown(idg, value), 3, enthalpyUnit(idg)};
    case ResultQuantity::MoistureDifference:
        return {value, 3, "g/kg"};
    case ResultQuantity::Fraction:
        return {value * 100.0, 0, "%"};
    case ResultQuantity::Temperature:
        return {value, 1, "℃"};
    case ResultQuantity::TemperatureDifference:
        return {value, 2, "K"};
    case ResultQuantity::HeatMoistureRatio:
        return {differenceShown(idg, value), 0, enthalpyUnit(idg)};
    }
    return {value, 3, ""};
}

// The decimals of the first number in the words after a result's label,
// "：1670.34 m^3/h" 2; fallback when they hold none.
int shownDecimals(std::string_view words, int fallback)
{
    const std::size_t digit = words.find_first_of("0123456789");
    if (digit == std::string_view::npos)
        return fallback;
    const std::size_t end = words.find_first_not_of("0123456789", digit);
    if (end == std::string_view::npos || words[end] != '.')
        return 0;
    const std::size_t last = words.find_first_not_of("0123456789", end + 1);
    const std::size_t decimals = (last == std::string_view::npos ? words.size() : last) - end - 1;
    return static_cast<int>(std::min(decimals, std::size(kDecimalFormats) - 1));
}

// The values of each room's result texts, its summer view's on the cooling
// sheet and its winter view's on the heating sheet, bound on a scratch copy
// as the chart draws them; each with the decimals its own text shows. A view
// that cannot be bound gets one row that says so.
bool addResultSheets(const CIDG& idg, std::vector<WorkbookSheet>& sheets, std::string& error)
{
    const std::unique_ptr<ProjectContents> copy = ScratchCopy(idg);
    if (!copy) {
        error = QCoreApplication::translate("Workbook", "%1\n%2")
                    .arg(QCoreApplication::translate("TextExport", text_export_messages::kOutputFailed),
                         QCoreApplication::translate("Workbook", "工程无法复制"))
                    .toStdString();
        return false;
    }
    std::array<WorkbookSheet, 2> results;
    for (WorkbookSheet& sheet : results)
        sheet.header = {
            trs(QT_TRANSLATE_NOOP("Workbook", "系统")), trs(QT_TRANSLATE_NOOP("Workbook", "房间")),
            trs(QT_TRANSLATE_NOOP("Workbook", "结果")), trs(QT_TRANSLATE_NOOP("Workbook", "数值")),
            trs(QT_TRANSLATE_NOOP("Workbook", "单位"))};
    results[0].name = trs(conditionName(kConditionSummer));
    results[1].name = trs(conditionName(kConditionWinter));
    CIDG& scratch = copy->idg;
    const auto& systems = scratch.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r) {
            const std::string system = systems[s]->m_strName;
            const std::string room = systems[s]->m_rooms[r]->m_strName;
            std::array<bool, 2> shown{false, false};
            ForEachConditionView(scratch, int(s), int(r), [&](int condition) {
                const std::size_t k = condition == kConditionWinter ? 1 : 0;
                shown[k] = true;
                // Each text gives its value once, in list order.
                std::vector<const std::string*> texts;
                for (const auto& text : *scratch.m_pTexts)
                    texts.push_back(&text->m_strText);
                for (const AnalysisResult& result : TextResults(scratch)) {
                    const ShownResult v = shownResult(scratch, result.quantity, result.value);
                    int decimals = v.decimals;
                    const auto text =
                        std::find_if(texts.begin(), texts.end(), [&result](const std::string* t) {
                            return t && t->starts_with(result.label);
                        });
                    if (text != texts.end()) {
                        decimals =
                            shownDecimals(std::string_view(**text).substr(result.label.size()), decimals);
                        *text = nullptr;
                    }
                    results[k].rows.push_back({Cell::Text(system), Cell::Text(room), Cell::Text(result.label),
                                               Cell::Number(v.value, kDecimalFormats[decimals]),
                                               Cell::Text(v.unit)});
                }
            });
            for (std::size_t k = 0; k < shown.size(); ++k)
                if (!shown[k])
                    results[k].rows.push_back({Cell::Text(system), Cell::Text(room),
                                               Cell::Text(trs(QT_TRANSLATE_NOOP(
                                                   "Workbook", "设计状态点无法计算，该工况视图无法显示")))});
        }
    for (WorkbookSheet& sheet : results)
        sheets.push_back(std::move(sheet));
    return true;
}

// A table cell as the dialog shows it: a number with the decimals it has, or
// the text ("—", "1 / 7", a name).
Cell shownCell(const std::string& text)
{
    static constexpr const char* kFormats[] = {"0", "0.0", "0.00", "0.000", "0.0000"};
    double value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto parsed = std::from_chars(begin, end, value);
    if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end)
        return Cell::Text(text);
    const std::size_t point = text.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
    return decimals < std::size(kFormats) ? Cell::Number(value, kFormats[decimals]) : Cell::Text(text);
}

WorkbookSheet tableSheet(const char* name, const WeatherTable& table)
{
    WorkbookSheet sheet{trs(name), table.header, {}};
    for (const auto& cells : table.rows) {
        Row row;
        for (const std::string& text : cells)
            row.push_back(shownCell(text));
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

const char* problemReason(RoomInputProblem problem)
{
    switch (problem) {
    case RoomInputProblem::NoFreshAir:
        return QT_TRANSLATE_NOOP("Workbook", "没有新风量");
    case RoomInputProblem::NoDensity:
        return QT_TRANSLATE_NOOP("Workbook", "工程没有该季节的空气密度，新风量无法换算为 kg/h");
    case RoomInputProblem::IndoorState:
        return QT_TRANSLATE_NOOP("Workbook", "室内设计状态点无法计算");
    case RoomInputProblem::None:
        break;
    }
    return "";
}

// Each room's year of fresh air by month, every hour, no recovery.
WorkbookSheet annualSheet(const CIDG& idg, const WeatherYear& year)
{
    WorkbookSheet sheet{trs(QT_TRANSLATE_NOOP("Workbook", "全年新风")), {}, {}};
    sheet.header = {trs(QT_TRANSLATE_NOOP("Workbook", "系统")),
                    trs(QT_TRANSLATE_NOOP("Workbook", "房间")),
                    trs(QT_TRANSLATE_NOOP("Workbook", "月份")),
                    captioned(QT_TRANSLATE_NOOP("Workbook", "供冷"), "kWh"),
                    captioned(QT_TRANSLATE_NOOP("Workbook", "供热"), "kWh"),
                    trs(QT_TRANSLATE_NOOP("Workbook", "说明"))};
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms) {
            const RoomFreshAirInputs inputs = RoomAnnualInputs(idg, *room);
            if (inputs.problem != RoomInputProblem::None) {
                sheet.rows.push_back({Cell::Text(system->m_strName), Cell::Text(room->m_strName), Cell(),
                                      Cell(), Cell(), Cell::Text(trs(problemReason(inputs.problem)))});
                continue;
            }
            const FreshAirEnergy energy =
                ComputeFreshAirYear(inputs.inputs, year, HourFilter(), HeatRecovery()).without;
            for (std::size_t m = 0; m < energy.months.size(); ++m)
                sheet.rows.push_back({Cell::Text(system->m_strName), Cell::Text(room->m_strName),
                                      Cell::Number(double(m + 1), "0"),
                                      Cell::Number(energy.months[m].coolingKwh, "0.0"),
                                      Cell::Number(energy.months[m].heatingKwh, "0.0")});
            sheet.rows.push_back({Cell::Text(system->m_strName), Cell::Text(room->m_strName),
                                  Cell::Text(trs(QT_TRANSLATE_NOOP("Workbook", "全年"))),
                                  Cell::Number(energy.coolingKwh, "0.0"),
                                  Cell::Number(energy.heatingKwh, "0.0")});
        }
    return sheet;
}

// Excel's XML takes no control character but tab and line feed.
std::string cellText(const std::string& utf8)
{
    std::string text = utf8;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
            c = ' ';
    return text;
}

// Width of a column in Excel's character units: a CJK character is two.
double columnWidth(const std::string& utf8)
{
    const QString text = QString::fromStdString(utf8);
    double width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x2e80 ? 2.0 : 1.0;
    return width;
}

QString failure(const std::string& path, const QString& reason)
{
    return QCoreApplication::translate("Workbook", "%1\n%2：%3")
        .arg(QCoreApplication::translate("TextExport", text_export_messages::kOutputFailed),
             QString::fromStdString(path), reason);
}

// The sheets into an open workbook; false with the library's reason.
bool fillWorkbook(lxw_workbook* book, const std::vector<WorkbookSheet>& sheets, QString& reason)
{
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    std::map<std::string, lxw_format*> formats;
    const auto numberFormat = [&](const char* pattern) {
        auto [at, added] = formats.try_emplace(pattern, nullptr);
        if (added) {
            at->second = workbook_add_format(book);
            format_set_num_format(at->second, pattern);
        }
        return at->second;
    };
    std::vector<std::string> names;
    for (const WorkbookSheet& sheet : sheets) {
        if (sheet.rows.size() > kMaxRows || sheet.header.size() > kMaxColumns) {
            reason = QCoreApplication::translate("Workbook", "工作表“%1”超出 Excel 的 1048576 行、16384 列")
                         .arg(QString::fromStdString(sheet.name));
            return false;
        }
        names.push_back(SafeSheetName(sheet.name, names));
        lxw_worksheet* page = workbook_add_worksheet(book, names.back().c_str());
        if (!page) {
            reason = QCoreApplication::translate("Workbook", "工作表“%1”无法建立")
                         .arg(QString::fromStdString(names.back()));
            return false;
        }
        std::vector<double> widths(sheet.header.size(), 8.0);
        lxw_error written = LXW_NO_ERROR;
        for (std::size_t c = 0; c < sheet.header.size() && written == LXW_NO_ERROR; ++c) {
            written = worksheet_write_string(page, 0, lxw_col_t(c), cellText(sheet.header[c]).c_str(), bold);
            widths[c] = std::max(widths[c], columnWidth(sheet.header[c]) + 1);
        }
        for (std::size_t r = 0; r < sheet.rows.size() && written == LXW_NO_ERROR; ++r) {
            const Row& row = sheet.rows[r];
            for (std::size_t c = 0; c < row.size() && c < kMaxColumns && written == LXW_NO_ERROR; ++c) {
                const Cell& cell = row[c];
                const auto at = lxw_row_t(r + 1);
                if (cell.kind == Cell::Kind::Text) {
                    written =
                        worksheet_write_string(page, at, lxw_col_t(c), cellText(cell.text).c_str(), nullptr);
                    if (c < widths.size())
                        widths[c] = std::max(widths[c], columnWidth(cell.text) + 1);
                } else if (cell.kind == Cell::Kind::Number) {
                    written = worksheet_write_number(page, at, lxw_col_t(c), cell.number,
                                                     numberFormat(cell.format));
                }
            }
        }
        if (written != LXW_NO_ERROR) {
            reason = QString::fromUtf8(lxw_strerror(written));
            return false;
        }
        for (std::size_t c = 0; c < widths.size(); ++c)
            worksheet_set_column(page, lxw_col_t(c), lxw_col_t(c), std::min(widths[c], 60.0), nullptr);
        worksheet_freeze_panes(page, 1, 0);
    }
    return true;
}

} // namespace

WorkbookCell WorkbookCell::Text(std::string text)
{
    WorkbookCell cell;
    cell.kind = Kind::Text;
    cell.text = std::move(text);
    return cell;
}

WorkbookCell WorkbookCell::Number(double value, const char* format)
{
    // Excel has no cell for a value that is not finite: such a value stays empty.
    WorkbookCell cell;
    if (!std::isfinite(value))
        return cell;
    // Every value is a 32-bit float at heart: the cell holds the shortest
    // decimal that reads back as that float (0.8, not 0.800000011920929).
    const auto stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        return cell;
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, stored);
    std::from_chars(digits, written.ptr, cell.number);
    cell.kind = Kind::Number;
    cell.format = format;
    return cell;
}

std::optional<std::vector<WorkbookSheet>>
ProjectWorkbookSheets(const CIDG& idg, const WorkbookWeather* weather, std::string& error)
{
    std::vector<WorkbookSheet> sheets;
    sheets.push_back(designSheet(idg));
    if (!addResultSheets(idg, sheets, error))
        return std::nullopt;
    std::optional<WorkbookSheet> points = statePointSheet(idg, error);
    if (!points)
        return std::nullopt;
    sheets.push_back(std::move(*points));
    if (weather) {
        sheets.push_back(tableSheet(QT_TRANSLATE_NOOP("Workbook", "气象小时数"),
                                    HourCountTable(idg, weather->year, weather->filter)));
        sheets.push_back(tableSheet(QT_TRANSLATE_NOOP("Workbook", "气象月平均"),
                                    MonthlyMeansTable(weather->year, weather->filter, idg.m_nUnitSystem)));
        sheets.push_back(tableSheet(
            QT_TRANSLATE_NOOP("Workbook", "室外计算参数"),
            DesignConditionsTable(weather->year, ComputeDesignConditions(weather->year), idg.m_nUnitSystem)));
        sheets.push_back(annualSheet(idg, weather->year));
    }
    return sheets;
}

std::string SafeSheetName(const std::string& wanted, const std::vector<std::string>& taken)
{
    QString base = QString::fromStdString(wanted);
    for (QChar& c : base)
        if (QStringLiteral("[]:*?/\\").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    while (base.startsWith(QLatin1Char('\'')))
        base.remove(0, 1);
    while (base.endsWith(QLatin1Char('\'')))
        base.chop(1);
    if (base.trimmed().isEmpty())
        base = QStringLiteral("Sheet");
    // Cut by whole characters, a pair of surrogates being one.
    const auto cut = [](const QString& text, qsizetype characters) {
        const QList<uint> ucs4 = text.toUcs4();
        if (ucs4.size() <= characters)
            return text;
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()), characters);
    };
    const auto isTaken = [&taken](const QString& name) {
        return std::any_of(taken.begin(), taken.end(), [&name](const std::string& other) {
            return QString::fromStdString(other).compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    QString name = cut(base, kMaxSheetNameLength);
    // taken.size() + 2 suffixes cannot all be taken.
    for (std::size_t n = 2; isTaken(name) && n <= taken.size() + 2; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = cut(base, kMaxSheetNameLength - suffix.size()) + suffix;
    }
    return name.toStdString();
}

bool WriteWorkbook(const std::vector<WorkbookSheet>& sheets, const std::string& path, std::string& error)
{
    const QFileInfo target(QString::fromStdString(path));
    if (target.isDir()) {
        error = failure(path, QCoreApplication::translate("Workbook", "这是一个文件夹")).toStdString();
        return false;
    }
    // The temporary file is made here, beside the target, so that the
    // rename is within one file system and the folder's rights are known.
    QString temporary;
    for (int attempt = 0; attempt < 16 && temporary.isEmpty(); ++attempt) {
        const QString candidate = target.absoluteDir().filePath(
            QStringLiteral(".%1.%2.tmp")
                .arg(target.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        QFile reserved(candidate);
        if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            temporary = candidate;
        } else if (!reserved.exists()) {
            error = failure(path, reserved.errorString()).toStdString();
            return false;
        }
    }
    if (temporary.isEmpty()) {
        error = failure(path, QCoreApplication::translate("Workbook", "无法建立临时文件")).toStdString();
        return false;
    }
    const QByteArray temporaryName = QFile::encodeName(temporary);
    QString reason;
    lxw_workbook* book = workbook_new(temporaryName.constData());
    bool ok = book != nullptr;
    if (!ok)
        reason = QCoreApplication::translate("Workbook", "无法建立工作簿");
    else
        ok = fillWorkbook(book, sheets, reason);
    if (book) {
        const lxw_error closed = workbook_close(book);
        if (ok && closed != LXW_NO_ERROR) {
            ok = false;
            reason = QString::fromUtf8(lxw_strerror(closed));
        }
    }
    if (ok) {
        std::error_code renamed;
        std::filesystem::rename(
            std::filesystem::path(temporaryName.toStdString()),
            std::filesystem::path(QFile::encodeName(target.absoluteFilePath()).toStdString()), renamed);
        if (renamed) {
            ok = false;
            reason = QString::fromLocal8Bit(renamed.message());
        }
    }
    if (!ok) {
        QFile::remove(temporary);
        error = failure(path, reason).toStdString();
    }
    return ok;
}

bool ExportWorkbook(const CIDG& idg, const WorkbookWeather* weather, const std::string& path,
                    std::string& error)
{
    const std::optional<std::vector<WorkbookSheet>> sheets = ProjectWorkbookSheets(idg, weather, error);
    return sheets && WriteWorkbook(*sheets, path, error);
}
