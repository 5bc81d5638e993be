#include "climate/WeatherFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "psychro/MoistAir.h"
#include "psychro/QorvaDll.h"

namespace {

namespace psy = qorva::psychro;

// EnergyPlus's marks of a missing value (Auxiliary Programs, "Weather
// Converter Program", data field descriptions).
constexpr double kMissingTemperature = 99.9; // dry bulb, dew point: this or more
constexpr double kMissingHumidity = 999.0;   // relative humidity, %
constexpr double kMissingPressure = 999999.0;
// What weather can be (the same document's ranges of valid values): a value
// outside is a damaged row, not a missing one.
constexpr double kLowestTemperature = -70.0;
constexpr double kHighestTemperature = 70.0;
constexpr double kHighestHumidity = 110.0; // %: stations report a little above saturation
constexpr double kLowestPressure = 31000.0;
constexpr double kHighestPressure = 120000.0;
constexpr double kLowestElevation = -1000.0; // m: the shore of the Dead Sea is −430 m
constexpr double kHighestElevation = 9000.0;

// The header lines of an EPW file before the first hour.
constexpr int kEpwHeaderLines = 8;
// Fields of an EPW row up to the station pressure, and of its LOCATION line.
constexpr std::size_t kEpwRowFields = 10;
constexpr std::size_t kLocationFields = 10;
constexpr std::size_t kCsvRowFields = 3;

struct Line {
    int number = 0;
    std::string_view text; // without the line end
};

// The lines of the bytes, without their ends (LF or CR LF), a last line
// without an end included. A UTF-8 byte-order mark is skipped.
std::vector<Line> splitLines(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::vector<Line> lines;
    int number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view text = bytes.substr(start, end - start);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        lines.push_back({++number, text});
        start = end + 1;
    }
    return lines;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

std::vector<std::string_view> splitFields(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(trimmed(line.substr(start, end == std::string_view::npos ? end : end - start)));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

std::optional<double> number(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> whole(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days of a month; February has 29 where the year is not known (a typical
// year's months come from different years).
int daysInMonth(int month, std::optional<int> year = std::nullopt)
{
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && year)
        return isLeapYear(*year) ? 29 : 28;
    return days[month - 1];
}

QString shown(std::string_view text)
{
    // A damaged file may hold anything: at most 40 bytes of it, as Latin-1
    // where it is not UTF-8, so the message stays readable.
    text = text.substr(0, 40);
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (decoder.hasError())
        decoded = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return decoded;
}

std::string utf8Name(std::string_view text)
{
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (decoder.hasError())
        decoded = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return decoded.toStdString();
}

std::string fileNameOf(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

// What becomes of an hour's values.
enum class HourResult { Kept, Missing, NoState };

// Completes the hour's state from its dry bulb t, its dew point td (NaN when
// unknown) or else its relative humidity RH (%, NaN when unknown), at p (Pa).
HourResult completeHour(WeatherHour& hour, double t, double td, double RH, double p)
{
    const auto pressure = static_cast<float>(p);
    const auto dryBulb = static_cast<float>(t);
    float x = 0, h = 0, rh = 0, tw = 0, dew = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    bool complete = false;
    if (!std::isnan(td)) {
        // A dew point above the dry bulb is a rounding of saturated air.
        float pws = 0;
        if (!t_et(static_cast<float>(std::min(td, t)), &pws) || !(pws < pressure))
            return HourResult::NoState;
        const float moisture = static_cast<float>(psy::moistureContent(p, pws));
        complete = ptx_all(pressure, dryBulb, moisture, &rh, &tw, &h, &dew, &pq, &pqb, &v, &rho) != 0;
        x = moisture;
        if (!complete && td >= t) {
            complete = ptRH_all(pressure, dryBulb, 1.0f, &x, &h, &tw, &dew, &pq, &pqb, &v, &rho) != 0;
            rh = 1.0f;
        }
    } else if (!std::isnan(RH) && RH > 0.0) {
        rh = static_cast<float>(std::min(RH, 100.0) / 100.0);
        complete = ptRH_all(pressure, dryBulb, rh, &x, &h, &tw, &dew, &pq, &pqb, &v, &rho) != 0;
    } else {
        return HourResult::Missing;
    }
    if (!complete)
        return HourResult::NoState;
    hour.t = dryBulb;
    hour.td = dew;
    hour.RH = rh;
    hour.x = x;
    hour.h = h;
    hour.tw = tw;
    hour.p = pressure;
    return HourResult::Kept;
}

class Reader {
public:
    Reader(std::string_view bytes, const std::string& path) : m_lines(splitLines(bytes))
    {
        m_year.path = path;
    }

    bool read()
    {
        if (m_lines.empty())
            return refuseFile(QCoreApplication::translate("WeatherFile", "文件是空的"));
        const std::string_view first = m_lines.front().text;
        for (char c : first)
            if (c == '\0')
                return refuseFile(QCoreApplication::translate(
                    "WeatherFile", "既不是 EnergyPlus 气象文件（EPW），也不是逐时数据的 CSV 文件"));
        if (first.substr(0, 9) == "LOCATION,")
            return readEpw();
        return readCsv();
    }

    WeatherYear& year() { return m_year; }
    const std::string& error() const { return m_error; }

private:
    bool refuseFile(const QString& reason)
    {
        m_error = reason.toStdString();
        return false;
    }

    bool refuse(const Line& line, const QString& reason)
    {
        m_error = QCoreApplication::translate("WeatherFile", "气象文件第 %1 行：%2")
                      .arg(line.number)
                      .arg(reason)
                      .toStdString();
        return false;
    }

    bool notNumber(const Line& line, const QString& what, std::string_view text)
    {
        return refuse(
            line, QCoreApplication::translate("WeatherFile", "%1应为数字，读到“%2”").arg(what, shown(text)));
    }

    bool outOfRange(const Line& line, const QString& what, double value, const char* unit, double low,
                    double high)
    {
        return refuse(line, QCoreApplication::translate("WeatherFile", "%1 %2 %3 超出范围（%4…%5 %3）")
                                .arg(what)
                                .arg(value)
                                .arg(QString::fromUtf8(unit))
                                .arg(low)
                                .arg(high));
    }

    bool shortRow(const Line& line, std::size_t fields, std::size_t needed)
    {
        return refuse(
            line,
            QCoreApplication::translate("WeatherFile", "只有 %1 项，至少应有 %2 项").arg(fields).arg(needed));
    }

    bool readNumber(const Line& line, std::string_view text, const QString& what, double& value)
    {
        const auto parsed = number(text);
        if (!parsed)
            return notNumber(line, what, text);
        value = *parsed;
        return true;
    }

    bool readWhole(const Line& line, std::string_view text, const QString& what, int& value)
    {
        const auto parsed = whole(text);
        if (!parsed)
            return refuse(
                line,
                QCoreApplication::translate("WeatherFile", "%1应为整数，读到“%2”").arg(what, shown(text)));
        value = *parsed;
        return true;
    }

    bool checkDate(const Line& line, int month, int day, std::optional<int> year)
    {
        if (month < 1 || month > 12)
            return refuse(line,
                          QCoreApplication::translate("WeatherFile", "月份 %1 不在 1–12 之间").arg(month));
        if (day < 1 || day > daysInMonth(month, year))
            return refuse(
                line, QCoreApplication::translate("WeatherFile", "%1 月没有第 %2 日").arg(month).arg(day));
        return true;
    }

    bool tooManyRows(const Line& line)
    {
        return refuse(line,
                      QCoreApplication::translate("WeatherFile", "逐时数据超过 %1 行").arg(kMaxWeatherRows));
    }

    bool keep(const Line& line, WeatherHour hour, double t, double td, double RH, double p)
    {
        switch (completeHour(hour, t, td, RH, p)) {
        case HourResult::Kept:
            m_year.hours.push_back(hour);
            return true;
        case HourResult::Missing:
            ++m_year.missingHours;
            return true;
        case HourResult::NoState:
            break;
        }
        return refuse(line, QCoreApplication::translate("WeatherFile", "该时刻的空气状态无法计算"));
    }

    bool readLocation(const Line& line)
    {
        const auto fields = splitFields(line.text, ',');
        if (fields.size() < kLocationFields)
            return shortRow(line, fields.size(), kLocationFields);
        WeatherStation& station = m_year.station;
        station.name = utf8Name(fields[1]);
        if (!readNumber(line, fields[6], QCoreApplication::translate("WeatherFile", "纬度"),
                        station.latitude) ||
            !readNumber(line, fields[7], QCoreApplication::translate("WeatherFile", "经度"),
                        station.longitude) ||
            !readNumber(line, fields[8], QCoreApplication::translate("WeatherFile", "时区"),
                        station.timeZone) ||
            !readNumber(line, fields[9], QCoreApplication::translate("WeatherFile", "海拔"),
                        station.elevation))
            return false;
        if (std::fabs(station.latitude) > 90.0)
            return outOfRange(line, QCoreApplication::translate("WeatherFile", "纬度"), station.latitude, "°",
                              -90, 90);
        if (std::fabs(station.longitude) > 180.0)
            return outOfRange(line, QCoreApplication::translate("WeatherFile", "经度"), station.longitude,
                              "°", -180, 180);
        if (std::fabs(station.timeZone) > 14.0)
            return outOfRange(line, QCoreApplication::translate("WeatherFile", "时区"), station.timeZone, "h",
                              -14, 14);
        if (station.elevation < kLowestElevation || station.elevation > kHighestElevation)
            return outOfRange(line, QCoreApplication::translate("WeatherFile", "海拔"), station.elevation,
                              "m", kLowestElevation, kHighestElevation);
        return true;
    }

    // The ASHRAE values of a DESIGN CONDITIONS line, where it has them: the
    // heating block's 99.6 % dry bulb (the second value after "Heating"),
    // the cooling block's 0.4 % dry bulb and its mean coincident wet bulb
    // (the third and fourth after "Cooling"). A line without them, or with
    // no design conditions, leaves the file's values out; it is no damage.
    void readDesignConditions(const Line& line)
    {
        const auto fields = splitFields(line.text, ',');
        FileDesignConditions design;
        const auto at = [&fields](std::size_t index) -> std::optional<float> {
            if (index >= fields.size())
                return std::nullopt;
            const auto value = number(fields[index]);
            if (!value || *value < kLowestTemperature || *value > kHighestTemperature)
                return std::nullopt;
            return static_cast<float>(*value);
        };
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i] == "Heating")
                design.heatingDryBulb996 = at(i + 2);
            else if (fields[i] == "Cooling") {
                design.coolingDryBulb04 = at(i + 3);
                design.coolingMeanCoincidentWetBulb04 = at(i + 4);
            }
        }
        if (design.heatingDryBulb996 || design.coolingDryBulb04 || design.coolingMeanCoincidentWetBulb04)
            m_year.design = design;
    }

    bool readEpw()
    {
        m_year.format = WeatherFormat::Epw;
        if (!readLocation(m_lines.front()))
            return false;
        if (m_lines.size() <= static_cast<std::size_t>(kEpwHeaderLines))
            return refuseFile(QCoreApplication::translate("WeatherFile", "文件在第 %1 行结束，没有逐时数据")
                                  .arg(m_lines.back().number));
        for (int i = 1; i < kEpwHeaderLines; ++i)
            if (m_lines[static_cast<std::size_t>(i)].text.substr(0, 18) == "DESIGN CONDITIONS,")
                readDesignConditions(m_lines[static_cast<std::size_t>(i)]);
        const double standardPressure = psy::standardAtmosphericPressure(m_year.station.elevation);
        int rows = 0;
        for (std::size_t i = kEpwHeaderLines; i < m_lines.size(); ++i) {
            const Line& line = m_lines[i];
            if (trimmed(line.text).empty())
                continue;
            if (++rows > kMaxWeatherRows)
                return tooManyRows(line);
            const auto fields = splitFields(line.text, ',');
            if (fields.size() < kEpwRowFields)
                return shortRow(line, fields.size(), kEpwRowFields);
            int year = 0;
            WeatherHour hour;
            double t = 0, td = 0, RH = 0, p = 0;
            if (!readWhole(line, fields[0], QCoreApplication::translate("WeatherFile", "年份"), year) ||
                !readWhole(line, fields[1], QCoreApplication::translate("WeatherFile", "月份"), hour.month) ||
                !readWhole(line, fields[2], QCoreApplication::translate("WeatherFile", "日期"), hour.day) ||
                !readWhole(line, fields[3], QCoreApplication::translate("WeatherFile", "小时"), hour.hour) ||
                !readNumber(line, fields[6], QCoreApplication::translate("WeatherFile", "干球温度"), t) ||
                !readNumber(line, fields[7], QCoreApplication::translate("WeatherFile", "露点温度"), td) ||
                !readNumber(line, fields[8], QCoreApplication::translate("WeatherFile", "相对湿度"), RH) ||
                !readNumber(line, fields[9], QCoreApplication::translate("WeatherFile", "大气压力"), p))
                return false;
            if (!checkDate(line, hour.month, hour.day, std::nullopt))
                return false;
            if (hour.hour < 1 || hour.hour > 24)
                return refuse(
                    line,
                    QCoreApplication::translate("WeatherFile", "小时 %1 不在 1–24 之间").arg(hour.hour));
            if (t < kLowestTemperature || (t > kHighestTemperature && t < kMissingTemperature))
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "干球温度"), t, "℃",
                                  kLowestTemperature, kHighestTemperature);
            if (td < kLowestTemperature || (td > kHighestTemperature && td < kMissingTemperature))
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "露点温度"), td, "℃",
                                  kLowestTemperature, kHighestTemperature);
            if (RH < 0.0 || (RH > kHighestHumidity && RH < kMissingHumidity))
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "相对湿度"), RH, "%", 0,
                                  kHighestHumidity);
            if (p < kLowestPressure || (p > kHighestPressure && p < kMissingPressure))
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "大气压力"), p, "Pa",
                                  kLowestPressure, kHighestPressure);
            if (t >= kMissingTemperature) {
                ++m_year.missingHours;
                continue;
            }
            const double nan = std::nan("");
            if (!keep(line, hour, t, td >= kMissingTemperature ? nan : td, RH >= kMissingHumidity ? nan : RH,
                      p >= kMissingPressure ? standardPressure : p))
                return false;
        }
        return finish();
    }

    // The separator of a CSV: the one of ",", ";" and tab the header line
    // holds most often, if it holds one at least twice (three columns).
    static std::optional<char> csvSeparator(std::string_view header)
    {
        char best = ',';
        std::ptrdiff_t most = 0;
        for (char separator : {',', ';', '\t'}) {
            const auto count = std::count(header.begin(), header.end(), separator);
            if (count > most) {
                most = count;
                best = separator;
            }
        }
        if (most < 2)
            return std::nullopt;
        return best;
    }

    struct Timestamp {
        int year = 0, month = 0, day = 0, hour = 0;
    };

    // YYYY-MM-DD HH:MM[:SS] (or YYYY/MM/DD, or "T" before the time) as the
    // date and hour ending of the hour the reading closes.
    static std::optional<Timestamp> timestamp(std::string_view text)
    {
        const auto part = [&text](std::size_t length, std::string_view separators) -> std::optional<int> {
            std::size_t end = 0;
            while (end < text.size() && separators.find(text[end]) == std::string_view::npos)
                ++end;
            if (end == 0 || end > length)
                return std::nullopt;
            const auto value = whole(text.substr(0, end));
            text.remove_prefix(std::min(text.size(), end + 1));
            return value;
        };
        const std::size_t dateSeparator = text.find_first_of("-/");
        if (dateSeparator == std::string_view::npos)
            return std::nullopt;
        const std::string_view dateSeparators = text[dateSeparator] == '-' ? "-" : "/";
        Timestamp stamp;
        const auto year = part(4, dateSeparators);
        const auto month = part(2, dateSeparators);
        const auto day = part(2, " T");
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        const auto hour = part(2, ":");
        const auto minute = part(2, ":");
        std::optional<int> second = 0;
        if (!text.empty())
            second = part(2, "");
        if (!year || !month || !day || !hour || !minute || !second || !text.empty())
            return std::nullopt;
        if (*hour < 0 || *hour > 24 || *minute < 0 || *minute > 59 || *second < 0 || *second > 59 ||
            (*hour == 24 && (*minute > 0 || *second > 0)))
            return std::nullopt;
        stamp.year = *year;
        stamp.month = *month;
        stamp.day = *day;
        stamp.hour = *hour + (*minute > 0 || *second > 0 ? 1 : 0);
        return stamp;
    }

    bool readCsv()
    {
        m_year.format = WeatherFormat::Csv;
        m_year.station.name = fileNameOf(m_year.path);
        const auto separator = csvSeparator(m_lines.front().text);
        if (!separator)
            return refuseFile(QCoreApplication::translate(
                "WeatherFile", "既不是 EnergyPlus 气象文件（EPW），也不是逐时数据的 CSV 文件"));
        const double nan = std::nan("");
        int rows = 0;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const Line& line = m_lines[i];
            if (trimmed(line.text).empty())
                continue;
            const auto fields = splitFields(line.text, *separator);
            auto stamp = timestamp(fields.front());
            // The first line is the header, unless it is already an hour.
            if (i == 0 && !stamp)
                continue;
            if (++rows > kMaxWeatherRows)
                return tooManyRows(line);
            if (!stamp)
                return refuse(
                    line, QCoreApplication::translate("WeatherFile", "日期时间“%1”无效，应为“年-月-日 时:分”")
                              .arg(shown(fields.front())));
            if (fields.size() < kCsvRowFields)
                return shortRow(line, fields.size(), kCsvRowFields);
            if (!checkDate(line, stamp->month, stamp->day, stamp->year))
                return false;
            if (stamp->hour == 0) {
                // Midnight closes the last hour of the day before.
                stamp->hour = 24;
                if (--stamp->day == 0) {
                    if (--stamp->month == 0) {
                        stamp->month = 12;
                        --stamp->year;
                    }
                    stamp->day = daysInMonth(stamp->month, stamp->year);
                }
            }
            WeatherHour hour;
            hour.month = stamp->month;
            hour.day = stamp->day;
            hour.hour = stamp->hour;
            double t = nan, RH = nan, p = psy::kStandardSeaLevelPressure;
            if ((!fields[1].empty() &&
                 !readNumber(line, fields[1], QCoreApplication::translate("WeatherFile", "干球温度"), t)) ||
                (!fields[2].empty() &&
                 !readNumber(line, fields[2], QCoreApplication::translate("WeatherFile", "相对湿度"), RH)) ||
                (fields.size() > 3 && !fields[3].empty() &&
                 !readNumber(line, fields[3], QCoreApplication::translate("WeatherFile", "大气压力"), p)))
                return false;
            if (t < kLowestTemperature || t > kHighestTemperature)
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "干球温度"), t, "℃",
                                  kLowestTemperature, kHighestTemperature);
            if (RH < 0.0 || RH > kHighestHumidity)
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "相对湿度"), RH, "%", 0,
                                  kHighestHumidity);
            if (p < kLowestPressure || p > kHighestPressure)
                return outOfRange(line, QCoreApplication::translate("WeatherFile", "大气压力"), p, "Pa",
                                  kLowestPressure, kHighestPressure);
            if (std::isnan(t)) {
                ++m_year.missingHours;
                continue;
            }
            if (!keep(line, hour, t, nan, RH, p))
                return false;
        }
        return finish();
    }

    bool finish()
    {
        if (m_year.hours.empty())
            return refuseFile(QCoreApplication::translate("WeatherFile", "文件中没有可用的逐时数据"));
        return true;
    }

    std::vector<Line> m_lines;
    WeatherYear m_year;
    std::string m_error;
};

} // namespace

bool ReadWeatherBytes(std::string_view bytes, const std::string& path, WeatherYear& year, std::string& error)
{
    Reader reader(bytes, path);
    if (!reader.read()) {
        error = reader.error();
        return false;
    }
    year = std::move(reader.year());
    return true;
}

bool ReadWeatherFile(const std::string& path, WeatherYear& year, std::string& error)
{
    QFile file(QString::fromStdString(path));
    const auto cannotRead = [&] {
        error = QCoreApplication::translate("WeatherFile", "无法读取气象文件 %1：%2")
                    .arg(QString::fromStdString(path), file.errorString())
                    .toStdString();
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return cannotRead();
    if (file.size() > kMaxWeatherFileSize) {
        error = QCoreApplication::translate("WeatherFile", "气象文件 %1 过大")
                    .arg(QString::fromStdString(path))
                    .toStdString();
        return false;
    }
    const QByteArray bytes = file.read(kMaxWeatherFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return cannotRead();
    if (bytes.size() > kMaxWeatherFileSize) {
        error = QCoreApplication::translate("WeatherFile", "气象文件 %1 过大")
                    .arg(QString::fromStdString(path))
                    .toStdString();
        return false;
    }
    return ReadWeatherBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), path,
                            year, error);
}
