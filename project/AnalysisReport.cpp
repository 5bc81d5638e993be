#include "project/AnalysisReport.h"

#include <QCoreApplication>
#include <QFile>

#include "analysis/Binding.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "model/UnitFormat.h"
#include "model/CIDG.h"
#include "project/ArchiveText.h"
#include "project/TextExport.h"

namespace {

constexpr double kKcalPerKj = 0.2388459; // kcal/kg per kJ/kg
constexpr double kKcalhPerW = 0.8598452; // kcal/h per W
constexpr double kKcalhPerKw = 859.8452; // kcal/h per kW

// Slots of the room's analysis words holding the primary return-air results.
namespace slot {
constexpr int kSupplyVolume = 0, kCooling = 1, kReheat = 2, kSupply = 3, kMixing = 4, kCoilOutlet = 5,
              kReheatFrom = 6, kFreshRatio = 13, kRatio = 14, kNoReheat = 15;
constexpr int kWinterVolume = 19, kHeating = 20, kPreheat = 21, kHumidification = 22, kWinterFreshRatio = 24,
              kWinterRatio = 25, kWinterSupply = 26, kHeaterOutlet = 27, kHeaterInlet = 28, kPreheated = 29,
              kMixedBeforeHeating = 30;
} // namespace slot

using unit_format::Format;

// A point of the bound view that a stored index names; a bad index ends the
// report instead of reading past the list.
class MissingPoint {};

class ReportWriter {
public:
    ReportWriter(const CIDG& idg, const CServiceArea& room) : m_idg(idg), m_room(room) {}

    std::vector<std::string> lines;

    void summerBlock()
    {
        knownParameters(false);
        if (word(slot::kMixing) == -1)
            return;
        const int supply = word(slot::kSupply);
        const int mixing = word(slot::kMixing);
        const int coilOutlet = word(slot::kCoilOutlet);
        const int reheatFrom = word(slot::kReheatFrom);
        lines.push_back("总送风量" + names({supply, 1}) + "：" +
                        unit_format::AirVolume(m_idg.m_nUnitSystem, "%.0fm^3/h",
                                               static_cast<float>(value(slot::kSupplyVolume))));
        // The coil cools C to L, or to O itself when O is placed at the machine dew point.
        const int cooledTo = coilOutlet != -1 ? coilOutlet : supply;
        lines.push_back("空调器制冷量" + names({mixing, cooledTo}) + "：" + capacity(value(slot::kCooling)));
        if (coilOutlet != -1 && word(slot::kNoReheat) == 0) {
            // Reheat starts from the fan-heated P when there is one, else from L.
            const int heatedFrom = reheatFrom != -1 ? reheatFrom : coilOutlet;
            lines.push_back("空调器再热量" + names({heatedFrom, supply}) + "：" +
                            capacity(value(slot::kReheat)));
        }
        lines.push_back(stateLine("空调器进风状态点", mixing, "%.1fg/kg"));
        lines.push_back(stateLine("空调器出风状态点", cooledTo, "%.1fg/kg"));
        lines.push_back(stateLine("空调器送风状态点", supply, "%.1fg/kg"));
        lines.push_back("混风比" + names({1, mixing, 0}) + "：" +
                        Format("%.1f", value(slot::kFreshRatio) * 100.0) + "%");
        lines.push_back("热湿比" + names({supply, 1}) + "：" + ratio(value(slot::kRatio)));
    }

    void winterBlock()
    {
        knownParameters(true);
        if (word(slot::kSupply) == -1 || word(slot::kWinterSupply) == -1)
            return;
        const int supply = word(slot::kWinterSupply);
        const int heaterOutlet = word(slot::kHeaterOutlet);
        const int heaterInlet = word(slot::kHeaterInlet);
        const int preheated = word(slot::kPreheated);
        const int mixedFirst = word(slot::kMixedBeforeHeating);
        lines.push_back("总送风量" + names({supply, 1}) + "：" +
                        unit_format::AirVolume(m_idg.m_nUnitSystem, "%.0fm^3/h",
                                               static_cast<float>(value(slot::kWinterVolume))));
        lines.push_back("空调器加热量" + names({heaterInlet, heaterOutlet}) + "：" +
                        capacity(value(slot::kHeating)));
        if (preheated != -1 || mixedFirst != -1) {
            // Preheating the fresh air first heats W to W'; mixing first heats
            // the mix C' to C, so C is the state after preheating.
            const std::string preheatNames =
                preheated != -1 ? names({0, preheated}) : names({heaterInlet, mixedFirst});
            lines.push_back("空调器预热量" + preheatNames + "：" + capacity(value(slot::kPreheat)));
            const int afterPreheat = preheated != -1 ? preheated : heaterInlet;
            lines.push_back("预热后出风温度(" + point(afterPreheat).m_strName + ")：" +
                            unit_format::Temperature(m_idg.m_nUnitSystem, "%.1f℃", point(afterPreheat).m_t));
        }
        lines.push_back("空调器加湿量" + names({heaterOutlet, supply}) + "：" +
                        unit_format::MoistureFlow(m_idg.m_nUnitSystem, "%0.fkg/h",
                                                  static_cast<float>(value(slot::kHumidification))));
        lines.push_back(stateLine("加热盘管进风状态点", heaterInlet, "%.0fg/kg"));
        lines.push_back(stateLine("加热盘管出风状态点", heaterOutlet, "%.0fg/kg"));
        const std::string mixingNames = preheated != -1    ? names({1, heaterInlet, preheated})
                                        : mixedFirst != -1 ? names({1, mixedFirst, 0})
                                                           : names({1, heaterInlet, 0});
        lines.push_back("混风比" + mixingNames + "：" +
                        Format("%.1f", value(slot::kWinterFreshRatio) * 100.0) + "%");
        lines.push_back("热湿比" + names({supply, 1}) + "：" + ratio(value(slot::kWinterRatio)));
    }

private:
    void knownParameters(bool winter)
    {
        lines.push_back("已知参数:");
        lines.push_back(stateLine("室外状态点", 0, "%.1fg/kg"));
        lines.push_back(stateLine("室内状态点", 1, "%.1fg/kg"));
        const float load = winter ? m_room.m_fWinterLoad : m_room.m_fSummerLoad;
        const std::string loadText =
            unit_format::IsIp(m_idg.m_nUnitSystem)  ? unit_format::LoadKw(m_idg.m_nUnitSystem, load)
            : m_idg.m_nUnitSystem == CIDG::kUnitsSI ? Format("%.1f", double(load)) + "kW"
                                                    : Format("%.1f", load * kKcalhPerKw) + "kcal/h";
        lines.push_back((winter ? "室内空调热负荷：" : "室内空调冷负荷：") + loadText);
        const int units = m_idg.m_nUnitSystem;
        lines.push_back("室内空调湿负荷：" + unit_format::MoistureFlow(units, "%.2fkg/h",
                                                                       winter ? m_room.m_fWinterMoistLoad
                                                                              : m_room.m_fSummerMoistLoad));
        lines.push_back("新风量：" +
                        unit_format::AirVolume(units, "%.0fm^3/h",
                                               winter ? m_room.m_fWinterFreshAir : m_room.m_fSummerFreshAir));
    }

    std::int32_t word(int index) const { return m_room.m_anaW[static_cast<std::size_t>(index)].i; }
    double value(int index) const { return m_room.m_anaW[static_cast<std::size_t>(index)].f; }

    const CStatePoint& point(int index) const
    {
        const CStatePoint* p = m_idg.PointAt(index);
        if (!p)
            throw MissingPoint();
        return *p;
    }

    std::string names(std::initializer_list<int> indices) const
    {
        std::string joined;
        for (const int index : indices) {
            if (!joined.empty())
                joined += "-";
            joined += point(index).m_strName;
        }
        return joined;
    }

    std::string stateLine(const std::string& label, int index, const char* moisturePattern) const
    {
        const CStatePoint& p = point(index);
        const int units = m_idg.m_nUnitSystem;
        std::string line = label + p.m_strName + "：" + unit_format::Temperature(units, "%.1f℃", p.m_t) +
                           " " + unit_format::Temperature(units, "%.1f℃", p.m_tw) + " " +
                           Format("%.1f%%", p.m_RH * 100.0) + " ";
        line += unit_format::Moisture(units, moisturePattern, p.m_d);
        line += " ";
        line += unit_format::Enthalpy(units, "%.1fkJ/kg", "%.2fkcal/kg", p.m_h);
        return line;
    }

    std::string capacity(double watts) const
    {
        if (unit_format::IsIp(m_idg.m_nUnitSystem))
            return unit_format::Capacity(m_idg.m_nUnitSystem, static_cast<float>(watts));
        return m_idg.m_nUnitSystem == CIDG::kUnitsSI ? Format("%.1f", watts * 0.001) + "kW"
                                                     : Format("%.1f", watts * kKcalhPerW) + "kcal/h";
    }

    std::string ratio(double kjPerKg) const
    {
        if (unit_format::IsIp(m_idg.m_nUnitSystem))
            return unit_format::EnthalpyDifference(m_idg.m_nUnitSystem, "%.1fkJ/kg", "",
                                                   static_cast<float>(kjPerKg));
        return m_idg.m_nUnitSystem == CIDG::kUnitsSI ? Format("%.1fkJ/kg", kjPerKg)
                                                     : Format("%.1fkcal/kg", kjPerKg * kKcalPerKj);
    }

    const CIDG& m_idg;
    const CServiceArea& m_room;
};

// Binds room (s, r) of the model in condition and checks that the view holds
// the two design points.
bool bindForReport(CIDG& idg, int s, int r, int condition)
{
    idg.m_rooms.SetRoomCondition(s, r, condition);
    return BindCurrentRoom(idg, false) && idg.m_pPoints && idg.m_pPoints->size() >= 2;
}

// Puts back the current room, every room's condition and the current lists.
class SelectionGuard {
public:
    explicit SelectionGuard(CIDG& idg) : m_idg(idg), m_system(idg.m_nCurSystem), m_room(idg.m_nCurRoom)
    {
        for (const auto& system : idg.m_rooms.m_systems)
            for (const auto& room : system->m_rooms)
                m_conditions.push_back(room->m_nCondition);
    }
    ~SelectionGuard()
    {
        std::size_t i = 0;
        for (const auto& system : m_idg.m_rooms.m_systems)
            for (const auto& room : system->m_rooms)
                if (i < m_conditions.size())
                    room->m_nCondition = m_conditions[i++];
        m_idg.m_nCurSystem = m_system;
        m_idg.m_nCurRoom = m_room;
        if (!m_idg.PointAtCurrentRoom())
            m_idg.UnbindCurrentLists();
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    CIDG& m_idg;
    std::int32_t m_system;
    std::int32_t m_room;
    std::vector<std::int32_t> m_conditions;
};

} // namespace

std::optional<std::string> AnalysisReportText(CIDG& idg, std::string& error)
{
    const std::string stars(61, '*');
    std::vector<std::string> lines = {stars, "            工程：" + idg.m_strProjectName + "            ",
                                      stars};
    SelectionGuard guard(idg);
    const auto& systems = idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s) {
        const CAcSystem& system = *systems[s];
        lines.emplace_back();
        for (std::size_t r = 0; r < system.m_rooms.size(); ++r) {
            const CServiceArea& room = *system.m_rooms[r];
            idg.m_nCurSystem = static_cast<std::int32_t>(s);
            idg.m_nCurRoom = static_cast<std::int32_t>(r);
            const std::string heading = "系统：" + system.m_strName + "     服务区域：" + room.m_strName;
            ReportWriter writer(idg, room);
            try {
                if (!bindForReport(idg, idg.m_nCurSystem, idg.m_nCurRoom, kConditionSummer))
                    throw MissingPoint();
                writer.lines.push_back(heading + "     工况：夏季工况");
                writer.summerBlock();
                if (!bindForReport(idg, idg.m_nCurSystem, idg.m_nCurRoom, kConditionWinter))
                    throw MissingPoint();
                writer.lines.emplace_back();
                writer.lines.push_back(heading + "     工况：冬季工况");
                writer.winterBlock();
            } catch (const MissingPoint&) {
                error =
                    QCoreApplication::translate(
                        "AnalysisReport",
                        "%1\n系统：%2     服务区域：%3：设计状态点无法计算或分析结果与图上的状态点不符")
                        .arg(QCoreApplication::translate("TextExport", text_export_messages::kOutputFailed),
                             QString::fromStdString(system.m_strName), QString::fromStdString(room.m_strName))
                        .toStdString();
                return std::nullopt;
            }
            lines.insert(lines.end(), writer.lines.begin(), writer.lines.end());
            lines.push_back(std::string(61, '-'));
        }
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

namespace {

// A report that could not be written must not leave an older one at its path
// for the calling program to read as this run's: it is removed, and the
// error says whether that worked.
bool failWithoutStaleReport(const std::string& path, std::string& error)
{
    const QString file = QString::fromStdString(path);
    if (QFile::exists(file))
        error += QFile::remove(file)
                     ? "\n" + QCoreApplication::translate("AnalysisReport",
                                                          analysis_report_messages::kStaleRemoved)
                                  .toStdString()
                     : "\n" + QCoreApplication::translate("AnalysisReport",
                                                          analysis_report_messages::kStaleNotRemoved)
                                  .toStdString();
    return false;
}

} // namespace

bool WriteAnalysisReport(CIDG& idg, const std::string& path, std::string& error)
{
    if (path.empty())
        return true;
    const std::optional<std::string> text = AnalysisReportText(idg, error);
    if (!text)
        return failWithoutStaleReport(path, error);
    std::string bytes;
    std::size_t start = 0;
    while (start < text->size()) {
        const std::size_t end = std::min(text->find('\n', start), text->size());
        bytes += archive_text::utf8ToGbk(std::string_view(*text).substr(start, end - start)) + "\r\n";
        start = end + 1;
    }
    return WriteTextFile(path, bytes, error) || failWithoutStaleReport(path, error);
}
