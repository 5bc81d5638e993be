#include "project/ParameterFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "model/CIDG.h"
#include "model/UnitFormat.h"
#include "project/AirDensity.h"
#include "project/ArchiveText.h"
#include "psychro/DisplayUnits.h"
#include "psychro/QorvaDll.h"

namespace {

constexpr double kKwPerKcalh = 0.001163;

using qorva::units::Quantity;

// A value of an IP parameter file (psia, ℉, Btu/h, lb/h, cfm) in the stored unit.
float fromIp(Quantity quantity, float value)
{
    return qorva::units::stored(quantity, value, qorva::units::DisplaySystem::IP);
}

// What a line of an IP parameter file holds, told with its IP units.
std::string expectedIn(int unitSystem, const QString& expected)
{
    return unit_format::Caption(expected, unitSystem).toStdString();
}

// A description of a whole project is a few kilobytes; anything near this is
// not a parameter file.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

struct Line {
    int number = 0;
    std::string text; // UTF-8, without the line end
};

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

std::string trimmed(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.substr(begin, end - begin);
}

std::vector<std::string> tokens(std::string_view text)
{
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        if (i > start)
            result.emplace_back(text.substr(start, i - start));
    }
    return result;
}

bool parseNumber(const std::string& token, float& value)
{
    double number = 0;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, number);
    if (ec != std::errc() || ptr != end || !std::isfinite(number) || std::fabs(number) > 3.0e38)
        return false;
    value = static_cast<float>(number);
    return true;
}

struct OutdoorState {
    float p = 0, t = 0, second = 0; // second: wet-bulb °C (summer) or RH % (winter)
    std::string name;
};

struct RoomState {
    float t = 0, rh = 0, load = 0, moisture = 0, freshAir = 0;
};

class Parser {
public:
    explicit Parser(std::string_view bytes)
    {
        int number = 0;
        std::size_t start = 0;
        while (start <= bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string_view::npos)
                end = bytes.size();
            ++number;
            std::string_view raw = bytes.substr(start, end - start);
            if (!raw.empty() && raw.back() == '\r')
                raw.remove_suffix(1);
            if (end == bytes.size() && raw.empty())
                break; // nothing after the last line end
            std::string text = trimmed(archive_text::gbkToUtf8(raw));
            if (!text.empty())
                m_lastNumber = number;
            // Blank lines are kept: a required name line must not be one.
            m_lines.push_back({number, std::move(text)});
            start = end + 1;
        }
    }

    bool parse(NewProjectData& data)
    {
        // Each pass consumes at least one line, so this ends.
        while (true) {
            const std::size_t before = m_pos;
            if (before > 0)
                skipBlank(); // a restart's project name is the line that did not say SYSTEM
            bool restart = false;
            if (!header(data, restart))
                return false;
            if (!restart)
                break;
            if (m_pos <= before)
                return fail(nullptr, QCoreApplication::translate("ParameterFile", "工程名称").toStdString());
        }
        data.rooms.ClearSystems();
        while (const Line* line = next()) {
            if (line->text != "SYSTEM")
                return fail(
                    line,
                    QCoreApplication::translate("ParameterFile", "SYSTEM、ROOM 或文件结束").toStdString());
            if (!system(data))
                return false;
        }
        return true;
    }

    const std::string& error() const { return m_error; }

private:
    // The next line that is not blank (consumed or not).
    const Line* next()
    {
        skipBlank();
        return m_pos < m_lines.size() ? &m_lines[m_pos++] : nullptr;
    }
    const Line* peek() const
    {
        std::size_t at = m_pos;
        while (at < m_lines.size() && m_lines[at].text.empty())
            ++at;
        return at < m_lines.size() ? &m_lines[at] : nullptr;
    }
    void skipBlank()
    {
        while (m_pos < m_lines.size() && m_lines[m_pos].text.empty())
            ++m_pos;
    }

    bool fail(const Line* line, const std::string& expected)
    {
        if (line)
            m_error = QCoreApplication::translate("ParameterFile", "参数文件第 %1 行：应为%2，读到“%3”")
                          .arg(line->number)
                          .arg(QString::fromStdString(expected), QString::fromStdString(line->text))
                          .toStdString();
        else
            m_error = QCoreApplication::translate("ParameterFile", "参数文件在第 %1 行后结束：缺少%2")
                          .arg(m_lastNumber)
                          .arg(QString::fromStdString(expected))
                          .toStdString();
        return false;
    }

    bool refuse(const Line* line, const std::string& reason)
    {
        m_error = QCoreApplication::translate("ParameterFile", "参数文件第 %1 行：%2")
                      .arg(line->number)
                      .arg(QString::fromStdString(reason))
                      .toStdString();
        return false;
    }

    static bool isKeyword(const std::string& text) { return text == "SYSTEM" || text == "ROOM"; }

    // A required name: the line right after the one before it (the first
    // line, or the SYSTEM or ROOM line), which must not be blank; otherwise
    // the line after it would be taken for the name.
    bool name(const std::string& what, std::string& out)
    {
        const Line* line = m_pos < m_lines.size() ? &m_lines[m_pos++] : nullptr;
        if (line && line->text.empty())
            return refuse(line, QCoreApplication::translate("ParameterFile", "%1不能为空")
                                    .arg(QString::fromStdString(what))
                                    .toStdString());
        if (!line || isKeyword(line->text))
            return fail(line, what);
        out = line->text;
        return true;
    }

    // The words of a season line after its optional "summer:" or "winter:".
    static std::vector<std::string> seasonWords(const std::string& text, std::string_view season)
    {
        std::string_view rest = text;
        if (rest.size() >= season.size()) {
            bool same = true;
            for (std::size_t i = 0; i < season.size(); ++i)
                same = same && std::tolower(static_cast<unsigned char>(rest[i])) == season[i];
            if (same)
                rest.remove_prefix(season.size());
        }
        return tokens(rest);
    }

    bool numbers(const Line* line, const std::vector<std::string>& words, std::size_t count,
                 const std::string& expected, std::vector<float>& values)
    {
        values.assign(count, 0.0f);
        if (words.size() < count)
            return fail(line, expected);
        for (std::size_t i = 0; i < count; ++i)
            if (!parseNumber(words[i], values[i]))
                return fail(line, expected);
        return true;
    }

    // The second value is a wet bulb (summer) or a relative humidity (winter).
    bool outdoor(std::string_view season, const std::string& expected, int unitSystem, bool secondIsWetBulb,
                 OutdoorState& state, const Line*& line)
    {
        line = next();
        if (!line)
            return fail(line, expected);
        const std::vector<std::string> words = seasonWords(line->text, season);
        std::vector<float> values;
        if (!numbers(line, words, 3, expected, values))
            return false;
        state.p = values[0];
        state.t = values[1];
        state.second = values[2];
        if (unitSystem == CIDG::kUnitsIP) {
            state.p = fromIp(Quantity::Pressure, state.p);
            state.t = fromIp(Quantity::Temperature, state.t);
            if (secondIsWetBulb)
                state.second = fromIp(Quantity::Temperature, state.second);
        }
        state.name = std::string(1, 'W'); // GCC 12 warns falsely on assigning the literal here
        if (words.size() > 3) {
            state.name = words[3];
            for (std::size_t i = 4; i < words.size(); ++i) {
                state.name += ' ';
                state.name += words[i];
            }
        }
        if (!(state.p > 0))
            return refuse(line,
                          QCoreApplication::translate("ParameterFile", "大气压力必须大于零").toStdString());
        return true;
    }

    bool header(NewProjectData& data, bool& restart)
    {
        if (!name(QCoreApplication::translate("ParameterFile", "工程名称").toStdString(), data.projectName))
            return false;
        const Line* line = next();
        if (!line || (line->text != "SI" && line->text != "ENG" && line->text != "IP"))
            return fail(line,
                        QCoreApplication::translate("ParameterFile", "单位制 SI、ENG 或 IP").toStdString());
        data.unitSystem = line->text == "SI"   ? CIDG::kUnitsSI
                          : line->text == "IP" ? CIDG::kUnitsIP
                                               : CIDG::kUnitsEngineering;

        OutdoorState summer;
        OutdoorState winter;
        const Line* summerLine = nullptr;
        const Line* winterLine = nullptr;
        if (!outdoor(
                "summer:",
                expectedIn(data.unitSystem,
                           QCoreApplication::translate(
                               "ParameterFile", "夏季室外参数：大气压力(Pa) 干球温度(℃) 湿球温度(℃) [名称]")),
                data.unitSystem, true, summer, summerLine) ||
            !outdoor(
                "winter:",
                expectedIn(data.unitSystem,
                           QCoreApplication::translate(
                               "ParameterFile", "冬季室外参数：大气压力(Pa) 干球温度(℃) 相对湿度(%) [名称]")),
                data.unitSystem, false, winter, winterLine))
            return false;

        float x = 0, h = 0, rh = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
        if (!pttw_all(summer.p, summer.t, summer.second, &x, &h, &rh, &td, &pq, &pqb, &v, &rho))
            return refuse(summerLine,
                          QCoreApplication::translate(
                              "ParameterFile", "夏季室外状态无法计算，请检查大气压力、干球温度和湿球温度")
                              .toStdString());
        CAir_Room& rooms = data.rooms;
        rooms.m_strSummerOutName = summer.name;
        rooms.m_fSummerOutT = summer.t;
        rooms.m_fSummerOutTw = summer.second;
        rooms.m_fSummerOutRH = rh * 100.0f;
        rooms.m_bSummerOutByRH = 0;
        data.atmosphere.summerT = summer.t;
        data.atmosphere.summerPressure = summer.p;
        data.atmosphere.summerX = x;
        data.atmosphere.summerDensity = static_cast<float>(AirDensity(summer.p, x, summer.t));

        if (!ptRH_all(winter.p, winter.t, winter.second * 0.01f, &x, &h, &tw, &td, &pq, &pqb, &v, &rho))
            return refuse(winterLine,
                          QCoreApplication::translate(
                              "ParameterFile", "冬季室外状态无法计算，请检查大气压力、干球温度和相对湿度")
                              .toStdString());
        rooms.m_strWinterOutName = winter.name;
        rooms.m_fWinterOutT = winter.t;
        rooms.m_fWinterOutRH = winter.second;
        rooms.m_fWinterOutTw = tw;
        rooms.m_bWinterOutByRH = 1;
        data.atmosphere.winterT = winter.t;
        data.atmosphere.winterPressure = winter.p;
        data.atmosphere.winterX = x;
        data.atmosphere.winterDensity = static_cast<float>(AirDensity(winter.p, x, winter.t));

        const Line* following = peek();
        if (!following)
            return fail(nullptr, "SYSTEM");
        restart = following->text != "SYSTEM";
        return true;
    }

    bool roomSeason(std::string_view season, const std::string& seasonName, float pressure, int unitSystem,
                    RoomState& state, float& tw)
    {
        const QString seasonText = QString::fromStdString(seasonName);
        const char* loadUnit = unitSystem == CIDG::kUnitsSI   ? "kW"
                               : unitSystem == CIDG::kUnitsIP ? "Btu/h"
                                                              : "kcal/h";
        const std::string expected = expectedIn(
            unitSystem,
            QCoreApplication::translate(
                "ParameterFile", "%1室内参数：干球温度(℃) 相对湿度(%2) 负荷(%3) 湿负荷(kg/h) 新风量(m^3/h)")
                .arg(seasonText, QStringLiteral("%"), QLatin1String(loadUnit)));
        const Line* line = next();
        if (!line)
            return fail(line, expected);
        const std::vector<std::string> words = seasonWords(line->text, season);
        std::vector<float> values;
        if (!numbers(line, words, 5, expected, values))
            return false;
        if (words.size() > 5)
            return fail(line, expected);
        state = {values[0], values[1], values[2], values[3], values[4]};
        if (unitSystem == CIDG::kUnitsIP) {
            state.t = fromIp(Quantity::Temperature, state.t);
            state.moisture = fromIp(Quantity::MoistureFlow, state.moisture);
            state.freshAir = fromIp(Quantity::AirVolume, state.freshAir);
        }
        if (state.load < 0)
            return refuse(
                line,
                QCoreApplication::translate("ParameterFile", "%1负荷不能为负").arg(seasonText).toStdString());
        if (state.freshAir < 0)
            return refuse(line, QCoreApplication::translate("ParameterFile", "%1新风量不能为负")
                                    .arg(seasonText)
                                    .toStdString());
        float x = 0, h = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
        if (!ptRH_all(pressure, state.t, state.rh * 0.01f, &x, &h, &tw, &td, &pq, &pqb, &v, &rho))
            return refuse(line, QCoreApplication::translate("ParameterFile",
                                                            "%1室内状态无法计算，请检查干球温度和相对湿度")
                                    .arg(seasonText)
                                    .toStdString());
        if (unitSystem == CIDG::kUnitsIP)
            state.load = static_cast<float>(fromIp(Quantity::Capacity, state.load) * 0.001); // W → kW
        else if (unitSystem != CIDG::kUnitsSI)
            state.load = static_cast<float>(state.load * kKwPerKcalh);
        return true;
    }

    bool room(NewProjectData& data, CAcSystem& system)
    {
        const Line* nameLine = peek();
        auto room = std::make_unique<CServiceArea>();
        if (!name(QCoreApplication::translate("ParameterFile", "房间名称").toStdString(), room->m_strName))
            return false;
        if (system.FindRoom(room->m_strName))
            return refuse(nameLine, QCoreApplication::translate("ParameterFile", "房间名称“%1”在系统中重复")
                                        .arg(QString::fromStdString(room->m_strName))
                                        .toStdString());
        RoomState summer;
        RoomState winter;
        float summerTw = 0;
        float winterTw = 0;
        if (!roomSeason("summer:", QCoreApplication::translate("ParameterFile", "夏季").toStdString(),
                        data.atmosphere.summerPressure, data.unitSystem, summer, summerTw) ||
            !roomSeason("winter:", QCoreApplication::translate("ParameterFile", "冬季").toStdString(),
                        data.atmosphere.winterPressure, data.unitSystem, winter, winterTw))
            return false;
        room->m_fSummerInT = summer.t;
        room->m_fSummerInRH = summer.rh;
        room->m_fSummerInTw = summerTw;
        room->m_bSummerInByRH = 1;
        room->m_fSummerLoad = summer.load;
        room->m_fSummerMoistLoad = summer.moisture;
        room->m_fSummerFreshAir = summer.freshAir;
        room->m_fWinterInT = winter.t;
        room->m_fWinterInRH = winter.rh;
        room->m_fWinterInTw = winterTw;
        room->m_bWinterInByRH = 1;
        room->m_fWinterLoad = winter.load;
        room->m_fWinterMoistLoad = winter.moisture;
        room->m_fWinterFreshAir = winter.freshAir;
        system.m_rooms.push_back(std::move(room));
        return true;
    }

    bool system(NewProjectData& data)
    {
        const Line* nameLine = peek();
        auto system = std::make_unique<CAcSystem>();
        if (!name(QCoreApplication::translate("ParameterFile", "系统名称").toStdString(), system->m_strName))
            return false;
        if (data.rooms.FindSystem(system->m_strName))
            return refuse(nameLine, QCoreApplication::translate("ParameterFile", "系统名称“%1”重复")
                                        .arg(QString::fromStdString(system->m_strName))
                                        .toStdString());
        // A system needs at least one room; every ROOM line starts one.
        const Line* line = next();
        if (!line || line->text != "ROOM")
            return fail(line, "ROOM");
        if (!room(data, *system))
            return false;
        while (peek() && peek()->text == "ROOM") {
            next();
            if (!room(data, *system))
                return false;
        }
        data.rooms.m_systems.push_back(std::move(system));
        return true;
    }

    std::vector<Line> m_lines;
    std::size_t m_pos = 0;
    int m_lastNumber = 0;
    std::string m_error;
};

} // namespace

bool ReadParameterFile(std::string_view bytes, NewProjectData& data, std::string& error)
{
    Parser parser(bytes);
    if (!parser.parse(data)) {
        error = parser.error();
        return false;
    }
    return true;
}

bool LoadParameterFile(const std::string& path, NewProjectData& data, std::string& error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QCoreApplication::translate("ParameterFile", "无法读取参数文件 %1：%2")
                    .arg(QString::fromStdString(path), file.errorString())
                    .toStdString();
        return false;
    }
    if (file.size() > kMaxFileSize) {
        error = QCoreApplication::translate("ParameterFile", "参数文件 %1 过大")
                    .arg(QString::fromStdString(path))
                    .toStdString();
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize) {
        error = QCoreApplication::translate("ParameterFile", "无法读取参数文件 %1：%2")
                    .arg(QString::fromStdString(path), file.errorString())
                    .toStdString();
        return false;
    }
    return ReadParameterFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                             data, error);
}

bool ImportParameterFile(CIDG& idg, const std::string& path, std::string& error)
{
    NewProjectData data;
    if (!LoadParameterFile(path, data, error))
        return false;
    CopyNewProject(data, idg);
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 0;
    return true;
}
