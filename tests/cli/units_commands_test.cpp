#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "project/ProjectFile.h"

// climate, annual and analyze with --units: every value the SI run gives,
// converted by the formulas of the IP and engineering units, and the units
// named where the text names them.
//
// °F = °C × 9/5 + 32; gr/lb = kg/kg × 7000; Btu/lb = (kJ/kg + 17.9556) / 2.326
// (0 Btu/lb at dry air of 0 °F, where 1.01 × 160/9 kJ/kg); psia = Pa /
// 6894.757; kcal/kg = kJ/kg / 4.1868; Btu/h = W × 3.412141633; kcal/h =
// W / 1.163; kBtu = kWh × 3.412141633; lb/h = kg/h × 2.204622622.
namespace {

const std::string kBologna =
    std::string(QORVA_SOURCE_DIR) + "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";
const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(int (*command)(const std::vector<std::string>&), const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = command(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

QJsonObject json(const Outcome& r)
{
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

// The value at a path of object keys and array indices ("months/6/h").
QJsonValue at(QJsonValue value, const QString& path)
{
    for (const QString& step : path.split('/')) {
        bool index = false;
        const int i = step.toInt(&index);
        value = index ? value.toArray().at(i) : value.toObject().value(step);
    }
    return value;
}

using Convert = std::function<double(double)>;
const Convert kFahrenheit = [](double c) { return c * 9.0 / 5.0 + 32.0; };
const Convert kGrains = [](double gPerKg) { return gPerKg / 1000.0 * 7000.0; };
const Convert kBtuPerLb = [](double kj) { return (kj + 1.01 * 160.0 / 9.0) / 2.326; };
const Convert kPsia = [](double pa) { return pa / 6894.757293168; };
const Convert kKcalPerKg = [](double kj) { return kj / 4.1868; };
const Convert kSame = [](double v) { return v; };

TEST(UnitsCommands, ClimateGivesTheSiYearConverted)
{
    const QJsonObject si = json(run(runClimateCommand, {kBologna, "--json"}));
    const QJsonObject ip = json(run(runClimateCommand, {kBologna, "--json", "--units", "ip"}));
    const QJsonObject engineering =
        json(run(runClimateCommand, {kBologna, "--json", "--units", "engineering"}));
    EXPECT_FALSE(si.contains("units"));
    EXPECT_EQ(ip["units"].toString(), "ip");
    EXPECT_EQ(engineering["units"].toString(), "engineering");
    // The file's cooling dry bulb is 34.4 °C: 93.92 °F by hand.
    EXPECT_NEAR(at(ip, "design/file/cooling_t").toDouble(), 93.92, 1e-4);

    const struct {
        const char* path;
        Convert ip, engineering;
    } rows[] = {
        {"design/summer/t", kFahrenheit, kSame},
        {"design/summer/tw", kFahrenheit, kSame},
        {"design/summer/rh_ventilation", kSame, kSame},
        {"design/summer/p", kPsia, kSame},
        {"design/winter/t_heating", kFahrenheit, kSame},
        {"design/winter/p", kPsia, kSame},
        {"design/file/heating_t", kFahrenheit, kSame},
        {"months/0/t", kFahrenheit, kSame},
        {"months/6/x", kGrains, kSame},
        {"months/6/h", kBtuPerLb, kKcalPerKg},
        {"months/0/h", kBtuPerLb, kKcalPerKg},
        {"months/11/p", kPsia, kSame},
        {"months/6/rh", kSame, kSame},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const double value = at(si, row.path).toDouble();
        // The JSON numbers are 32-bit values: 7 digits.
        EXPECT_NEAR(at(ip, row.path).toDouble(), row.ip(value),
                    2e-6 * std::max(1.0, std::abs(row.ip(value))));
        EXPECT_NEAR(at(engineering, row.path).toDouble(), row.engineering(value),
                    2e-6 * std::max(1.0, std::abs(row.engineering(value))));
    }

    // The text names the units; 35.0 °C is 95.0 °F, 24-26 °C 75.2-78.8 °F.
    const Outcome text = run(runClimateCommand, {kBologna, "--units", "ip"});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* said :
         {"  summer  t=95.0 °F  tw=", " p=14.637 psia", "gb-cooling-1  75.2-78.8 °F, 40-60 %",
          "  month  hours   t °F  RH %  x gr/lb  h Btu/lb  p psia\n"})
        EXPECT_NE(text.out.find(said), std::string::npos) << said << "\n" << text.out;
    EXPECT_EQ(text.out.find("°C"), std::string::npos);
    const Outcome kcal = run(runClimateCommand, {kBologna, "--units", "engineering", "--months", "7-7"});
    EXPECT_NE(kcal.out.find("  month  hours   t °C  RH %  x g/kg  h kcal/kg    p Pa\n"), std::string::npos)
        << kcal.out;
}

class UnitsProjects : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
};

// A year of three logged hours at 100 000 Pa (see annual_command_test.cpp):
// with 3600 kg/h the cooling hour takes 25.4097 kWh, the heating hour
// 35.1562 kWh, each its peak in kW.
TEST_F(UnitsProjects, AnnualGivesFlowsEnergiesAndPeaksInTheSystem)
{
    const std::string weather = path("logged.csv");
    std::ofstream(weather) << "time,t,rh,p\n"
                              "2021-07-15 15:00,35,50,100000\n"
                              "2021-01-10 09:00,-5,80,100000\n"
                              "2021-04-10 12:00,22,50,100000\n";
    const std::vector<std::string> base{kSample, weather, "--room", "办公室101", "--json"};
    auto with = [&base](std::vector<std::string> more) {
        more.insert(more.begin(), base.begin(), base.end());
        return more;
    };
    // 3600 kg/h typed as 7936.6414 lb/h.
    const QJsonObject si = json(run(runAnnualCommand, with({"--fresh-air", "3600"})));
    const QJsonObject ip = json(run(runAnnualCommand, with({"--fresh-air", "7936.641439", "--units", "ip"})));
    const QJsonObject engineering =
        json(run(runAnnualCommand, with({"--fresh-air", "3600", "--units", "engineering"})));
    EXPECT_EQ(ip["units"].toString(), "ip");
    EXPECT_EQ(engineering["units"].toString(), "engineering");

    const auto kBtuH = [](double kw) { return kw * 3412.141633; };
    const auto kKBtu = [](double kwh) { return kwh * 3.412141633; };
    const auto kKcalH = [](double kw) { return kw * 1000.0 / 1.163; };
    const struct {
        const char* si;
        double siValue; // by hand
        const char* ip;
        Convert toIp;
        const char* engineering;
        Convert toEngineering;
    } rows[] = {
        {"rooms/0/fresh_air_kg_h/cooling", 3600, "rooms/0/fresh_air_lb_h/cooling",
         [](double kg) { return kg * 2.204622622; }, "rooms/0/fresh_air_kg_h/cooling", kSame},
        {"rooms/0/without_recovery/peak_cooling_kw", 25.4097, "rooms/0/without_recovery/peak_cooling_btu_h",
         kBtuH, "rooms/0/without_recovery/peak_cooling_kcal_h", kKcalH},
        {"rooms/0/without_recovery/peak_heating_kw", 35.1562, "rooms/0/without_recovery/peak_heating_btu_h",
         kBtuH, "rooms/0/without_recovery/peak_heating_kcal_h", kKcalH},
        {"rooms/0/without_recovery/cooling_kwh", 25.4097, "rooms/0/without_recovery/cooling_kbtu", kKBtu,
         "rooms/0/without_recovery/cooling_kwh", kSame},
        {"rooms/0/without_recovery/months/0/heating_kwh", 35.1562,
         "rooms/0/without_recovery/months/0/heating_kbtu", kKBtu,
         "rooms/0/without_recovery/months/0/heating_kwh", kSame},
        {"rooms/0/indoor/cooling/t", 26, "rooms/0/indoor/cooling/t", kFahrenheit, "rooms/0/indoor/cooling/t",
         kSame},
        {"rooms/0/indoor/heating/h", 35.1016, "rooms/0/indoor/heating/h", kBtuPerLb,
         "rooms/0/indoor/heating/h", kKcalPerKg},
        {"rooms/0/p_summer", 100000, "rooms/0/p_summer", kPsia, "rooms/0/p_summer", kSame},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ip);
        const double value = at(si, row.si).toDouble();
        EXPECT_NEAR(value, row.siValue, 5e-3);
        EXPECT_NEAR(at(ip, row.ip).toDouble(), row.toIp(value),
                    2e-6 * std::max(1.0, std::abs(row.toIp(value))));
        EXPECT_NEAR(at(engineering, row.engineering).toDouble(), row.toEngineering(value),
                    2e-6 * std::max(1.0, std::abs(row.toEngineering(value))));
    }

    // The text's headings name the units; 25.4097 kW is 86702 Btu/h (± 0.5).
    const Outcome text = run(runAnnualCommand, {kSample, weather, "--room", "办公室101", "--fresh-air",
                                                "7936.641439", "--units", "ip"});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* said : {"fresh air: 7936.6 lb/h (typed)", "cooling kBtu  hours  peak Btu/h (hour)",
                             " 86.7 ", " 8670", "indoor: cooling 78.8 °F 55 % "})
        EXPECT_NE(text.out.find(said), std::string::npos) << said << "\n" << text.out;
    EXPECT_EQ(text.out.find("kWh"), std::string::npos);
    // The room's own 300 m³/h is 176.6 cfm.
    const Outcome volumes = run(runAnnualCommand, {kSample, weather, "--room", "办公室101", "--units", "ip"});
    ASSERT_EQ(volumes.status, 0) << volumes.err;
    EXPECT_NE(volumes.out.find("lb/h (177 cfm × 0.0"), std::string::npos) << volumes.out;
    EXPECT_NE(volumes.out.find(" lb/ft³), heating "), std::string::npos) << volumes.out;
}

std::unique_ptr<ProjectContents> readProject(const std::string& path)
{
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    const int version = ProjectFile::ProbeProjectVersion(path);
    EXPECT_NE(version, 0) << path;
    if (version == 0 || !file.read(path, version, *contents))
        return nullptr;
    return contents;
}

// analyze typed in IP gives the same stored states as the SI values typed,
// and its JSON the SI numbers converted; the project is saved in IP.
TEST_F(UnitsProjects, AnalyzeReadsTypedValuesInTheSystemAndShowsItsResultsInIt)
{
    const struct {
        const char* analysis;
        int system, room;
        std::vector<std::string> si, ip;
        const char* result; // a result in W, Btu/h in IP
    } cases[] = {
        // 1 K is 1.8 °F difference.
        {"primary", 0, 0, {"--fan-rise", "1"}, {"--fan-rise", "1.8"}, "cooling"},
        {"primary",
         0,
         0,
         {"--supply-diff", "7", "--preheat-diff", "2"},
         {"--supply-diff", "12.6", "--preheat-diff", "3.6"},
         "heating"},
        {"secondary", 0, 1, {"--fan-rise", "0.5"}, {"--fan-rise", "0.9"}, "cooling"},
        // 25 °C is 77 °F; 2 kg/h 4.409245244 lb/h.
        {"freshair",
         1,
         0,
         {"--humidify", "steam", "--heat-to", "25", "--humidification", "2"},
         {"--humidify", "steam", "--heat-to", "77", "--humidification", "4.409245244"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.analysis) + " " + c.ip.back());
        std::vector<std::string> si{
            kSample,  path("si.id"),          "--analysis", c.analysis, "--system", std::to_string(c.system),
            "--room", std::to_string(c.room), "--json"};
        std::vector<std::string> ip = si;
        ip[1] = path("ip.id");
        si.insert(si.end(), c.si.begin(), c.si.end());
        ip.insert(ip.end(), c.ip.begin(), c.ip.end());
        ip.insert(ip.end(), {"--units", "ip"});
        const QJsonObject siJson = json(run(runAnalyzeCommand, si));
        const QJsonObject ipJson = json(run(runAnalyzeCommand, ip));
        EXPECT_EQ(ipJson["units"].toString(), "ip");
        EXPECT_FALSE(siJson.contains("units"));

        const auto siProject = readProject(path("si.id"));
        const auto ipProject = readProject(path("ip.id"));
        ASSERT_TRUE(siProject && ipProject);
        EXPECT_EQ(ipProject->idg.m_nUnitSystem, CIDG::kUnitsIP);
        const CServiceArea& siRoom =
            *siProject->idg.m_rooms.m_systems[std::size_t(c.system)]->m_rooms[std::size_t(c.room)];
        const CServiceArea& ipRoom =
            *ipProject->idg.m_rooms.m_systems[std::size_t(c.system)]->m_rooms[std::size_t(c.room)];
        for (std::size_t condition = 0; condition < siRoom.m_points.size(); ++condition) {
            ASSERT_EQ(siRoom.m_points[condition].size(), ipRoom.m_points[condition].size());
            for (std::size_t i = 0; i < siRoom.m_points[condition].size(); ++i) {
                const CStatePoint& a = *siRoom.m_points[condition][i];
                const CStatePoint& b = *ipRoom.m_points[condition][i];
                SCOPED_TRACE(a.m_strName);
                EXPECT_EQ(a.m_t, b.m_t);
                EXPECT_EQ(a.m_d, b.m_d);
                EXPECT_EQ(a.m_h, b.m_h);
            }
        }

        const QJsonValue siPoint = at(siJson, "rooms/0/conditions/cooling/points/0");
        const QJsonValue ipPoint = at(ipJson, "rooms/0/conditions/cooling/points/0");
        EXPECT_EQ(at(ipPoint, "name"), at(siPoint, "name"));
        for (const auto& [key, convert] :
             {std::pair{"t", kFahrenheit}, std::pair{"tw", kFahrenheit}, std::pair{"rh", kSame},
              std::pair{"x", kGrains}, std::pair{"h", kBtuPerLb}}) {
            const double expected = convert(at(siPoint, key).toDouble());
            EXPECT_NEAR(at(ipPoint, key).toDouble(), expected, 2e-6 * std::max(1.0, std::abs(expected)))
                << key;
        }
        const double load = at(siJson, "rooms/0/design/cooling/load").toDouble() * 3.412141633;
        EXPECT_NEAR(at(ipJson, "rooms/0/design/cooling/load").toDouble(), load, 2e-6 * load);
        if (c.result) {
            const double result = at(siJson, QString("rooms/0/results/") + c.result).toDouble() * 3.412141633;
            EXPECT_GT(result, 0);
            EXPECT_NEAR(at(ipJson, QString("rooms/0/results/") + c.result).toDouble(), result, 2e-6 * result);
        }
    }
}

TEST_F(UnitsProjects, AnUnknownSystemOrAUnitWithANumberIsRefused)
{
    const std::string out = path("out.id");
    const std::string weather = kBologna;
    const struct {
        int (*command)(const std::vector<std::string>&);
        std::vector<std::string> args;
        const char* says;
    } rows[] = {
        {runClimateCommand, {kBologna, "--units", "imperial"}, "unknown unit system 'imperial'"},
        {runClimateCommand, {kBologna, "--json", "--units"}, "--units needs a unit system"},
        {runAnnualCommand, {kSample, weather, "--units", "imperial"}, "unknown unit system 'imperial'"},
        {runAnnualCommand,
         {kSample, weather, "--units", "ip", "--fresh-air", "300lb"},
         "'300lb' is not a number (for --fresh-air): give the number alone, without a unit; --fresh-air is "
         "read "
         "in lb/h"},
        {runAnalyzeCommand,
         {kSample, out, "--analysis", "primary", "--units", "imperial"},
         "unknown unit system 'imperial'"},
        {runAnalyzeCommand,
         {kSample, out, "--analysis", "primary", "--units", "ip", "--units", "si"},
         "--units given twice"},
        {runAnalyzeCommand,
         {kSample, out, "--analysis", "freshair", "--heat-to", "77F"},
         "'77F' is not a number (for --heat-to): give the number alone, without a unit; --heat-to is read in "
         "°C"},
        {runAnalyzeCommand,
         {kSample, out, "--analysis", "freshair", "--units", "ip", "--heat-to", "77F"},
         "--heat-to is read in °F"},
        {runAnalyzeCommand,
         {kSample, out, "--analysis", "primary", "--units", "ip", "--fan-rise", "2F"},
         "--fan-rise is read in °F"},
        {runAnalyzeCommand,
         {kSample, out, "--analysis", "primary", "--supply-diff", "8K"},
         "--supply-diff is read in K"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.says);
        const Outcome r = run(row.command, row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
    }
}

} // namespace
