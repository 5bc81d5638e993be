#include "project/TextExport.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "model/UnitFormat.h"
#include "psychro/DisplayUnits.h"
#include "model/CIDG.h"
#include "model/TextCodec.h"
#include "project/ArchiveText.h"

namespace {

constexpr double kKcalPerKj = 0.2388459; // kcal/kg per kJ/kg
constexpr std::size_t kNameCharacters = 14;
constexpr const char* kLineEnd = "\r\n";

using unit_format::Format;

std::string gbk(const std::string& utf8)
{
    return archive_text::utf8ToGbk(utf8);
}

// The first n characters of a UTF-8 text.
std::string firstCharacters(const std::string& utf8, std::size_t n)
{
    std::size_t end = 0;
    for (std::size_t count = 0; count < n && end < utf8.size(); ++count)
        end += utf8SequenceLength(static_cast<unsigned char>(utf8[end]));
    return utf8.substr(0, std::min(end, utf8.size()));
}

std::string nameColumn(const std::string& utf8)
{
    std::string bytes = gbk(firstCharacters(utf8, kNameCharacters));
    if (bytes.size() < kNameCharacters)
        bytes.append(kNameCharacters - bytes.size(), ' ');
    return bytes;
}

} // namespace

std::string PointTableHeader(int unitSystem)
{
    std::string header = "名称      ";
    if (unitSystem == CIDG::kUnitsIP) {
        for (const char* column : {"大气压力(psia)", "干球温度(℉)", "湿球温度(℉)", "相对湿度(%)",
                                   "露点温度(℉)", "含湿量(gr/lb)", "焓(Btu/lb)", "水蒸气分压力(psia)",
                                   "饱和水蒸气分压力(psia)", "比容(ft^3/lb)", "密度(lb/ft^3)"}) {
            header += "    ";
            header += column;
        }
        return gbk(header) + kLineEnd;
    }
    for (const char* column : {"大气压力(Pa)", "干球温度(℃)", "湿球温度(℃)", "相对湿度(%)", "露点温度(℃)",
                               "含湿量(kg/kg)", unitSystem == CIDG::kUnitsSI ? "焓(kJ/kg)" : "焓(kcal/kg)",
                               "水蒸气分压力(Pa)", "饱和水蒸气分压力(Pa)", "比容(m^3/kg)", "密度(kg/m^3)"}) {
        header += "    ";
        header += column;
    }
    return gbk(header) + kLineEnd;
}

std::string PointTableRow(const CParamPoint& p, int unitSystem)
{
    std::string row = nameColumn(p.m_strName);
    if (unitSystem == CIDG::kUnitsIP) {
        using qorva::units::Quantity;
        const auto ip = [](Quantity q, float v) {
            return double(qorva::units::shown(q, v, qorva::units::DisplaySystem::IP));
        };
        row += Format("%-18.3f", ip(Quantity::Pressure, p.m_p));
        row += Format("%-16.1f", ip(Quantity::Temperature, p.m_t));
        row += Format("%-16.1f", ip(Quantity::Temperature, p.m_tw));
        row += Format("%-15.0f", p.m_RH * 100.0);
        row += Format("%-16.1f", ip(Quantity::Temperature, p.m_td));
        row += Format("%-17.1f", ip(Quantity::MoistureContent, p.m_d));
        row += Format("%-14.2f", ip(Quantity::Enthalpy, p.m_h));
        row += Format("%-22.4f", ip(Quantity::Pressure, p.m_pq));
        row += Format("%-26.4f", ip(Quantity::Pressure, p.m_pqb));
        row += Format("%-17.3f", ip(Quantity::SpecificVolume, p.m_v));
        row += Format("%-12.4f", ip(Quantity::Density, p.m_rho));
        return row + kLineEnd;
    }
    row += Format("%-16.0f", double(p.m_p));
    row += Format("%-16.1f", double(p.m_t));
    row += Format("%-16.1f", double(p.m_tw));
    row += Format("%-15.0f", p.m_RH * 100.0);
    row += Format("%-16.1f", double(p.m_td));
    row += Format("%-17.5f", double(p.m_d));
    row += unitSystem == CIDG::kUnitsSI ? Format("%-13.1f", double(p.m_h))
                                        : Format("%-15.1f", p.m_h * kKcalPerKj);
    row += Format("%-20.0f", double(p.m_pq));
    row += Format("%-24.0f", double(p.m_pqb));
    row += Format("%-16.3f", double(p.m_v));
    row += Format("%-12.3f", double(p.m_rho));
    return row + kLineEnd;
}

namespace {

constexpr const char* kConditionLines[kConditionCount] = {QT_TRANSLATE_NOOP("TextExport", "普通工况"),
                                                          QT_TRANSLATE_NOOP("TextExport", "夏季工况"),
                                                          QT_TRANSLATE_NOOP("TextExport", "冬季工况")};

} // namespace

bool StatePointRecord(const CIDG& idg, const CStatePoint& point, int condition, CParamPoint& record)
{
    record = CParamPoint();
    record.m_strName = point.m_strName;
    record.m_p = condition == kConditionWinter ? idg.m_fWinterPressure : idg.m_fSummerPressure;
    record.m_t = point.m_t;
    record.m_RH = point.m_RH;
    record.m_bKnownT = 1;
    record.m_bKnownRH = 1;
    return record.Calculate() != 0;
}

std::string UncomputablePointMessage(const std::string& system, const std::string& room, int condition,
                                     const std::string& point)
{
    return QCoreApplication::translate("TextExport", "%1\n%2 / %3 / %4：状态点%5的参数无法计算")
        .arg(QCoreApplication::translate("TextExport", text_export_messages::kOutputFailed),
             QString::fromStdString(system), QString::fromStdString(room),
             QCoreApplication::translate("TextExport", kConditionLines[condition]),
             QString::fromStdString(point))
        .toStdString();
}

std::optional<std::string> StatePointTable(const CIDG& idg, std::string& error)
{
    std::string table = PointTableHeader(idg.m_nUnitSystem);
    for (const auto& system : idg.m_rooms.m_systems) {
        table += gbk("系统:  " + system->m_strName) + kLineEnd;
        for (const auto& room : system->m_rooms) {
            table += gbk("房间:  " + room->m_strName) + kLineEnd;
            for (int k = 0; k < kConditionCount; ++k) {
                table += gbk(kConditionLines[k]) + kLineEnd;
                for (const auto& point : room->m_points[k]) {
                    CParamPoint record;
                    if (!StatePointRecord(idg, *point, k, record)) {
                        error =
                            UncomputablePointMessage(system->m_strName, room->m_strName, k, point->m_strName);
                        return std::nullopt;
                    }
                    table += PointTableRow(record, idg.m_nUnitSystem);
                }
            }
        }
    }
    return table;
}

std::string ParamPointTable(const CIDG& idg)
{
    std::string table = PointTableHeader(idg.m_nUnitSystem);
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms)
            for (const auto& point : room->m_paramPoints)
                table += PointTableRow(*point, idg.m_nUnitSystem);
    return table;
}

bool WriteTextFile(const std::string& path, const std::string& bytes, std::string& error)
{
    QSaveFile file(QString::fromStdString(path));
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size || !file.commit()) {
        error = QCoreApplication::translate("TextExport", "%1\n%2：%3")
                    .arg(QCoreApplication::translate("TextExport", text_export_messages::kOutputFailed),
                         QString::fromStdString(path), file.errorString())
                    .toStdString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool ExportStatePoints(const CIDG& idg, const std::string& path, std::string& error)
{
    const std::optional<std::string> table = StatePointTable(idg, error);
    return table && WriteTextFile(path, *table, error);
}

bool ExportParamPoints(const CIDG& idg, const std::string& path, std::string& error)
{
    return WriteTextFile(path, ParamPointTable(idg), error);
}
