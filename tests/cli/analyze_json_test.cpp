#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "cli/Commands.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"
#include "support/SuiteGuiApplication.h"

// qorva-cli analyze --json (the command is compiled into this program by
// analyze_command_test.cpp).
namespace {

const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun analyze(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runAnalyzeCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

QJsonObject parse(const std::string& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// The example of the JSON section of the command-line page
// (docs/command-line.md), the schema scripts are told of.
QJsonObject documentedExample()
{
    QFile file(QORVA_SOURCE_DIR "/docs/command-line.md");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype section = page.indexOf("### JSON output for scripts");
    const qsizetype begin = page.indexOf("```json\n", section);
    const qsizetype end = page.indexOf("\n```", begin + 8);
    EXPECT_TRUE(section >= 0 && begin > section && end > begin);
    return parse(page.mid(begin + 8, end - begin - 8).toStdString());
}

// Every key of the example and no other, each value of the example's type;
// null on either side stands for a value that may be missing (a failed
// room's views, a point the analysis did not make). Array elements are
// held to the example's first element. The results hold the example's keys
// and the values the texts of the run show besides.
void expectShape(const QJsonValue& example, const QJsonValue& actual, const std::string& where)
{
    if (example.isNull() || actual.isNull())
        return;
    ASSERT_EQ(actual.type(), example.type()) << where;
    if (example.isObject()) {
        const QJsonObject e = example.toObject(), a = actual.toObject();
        if (where.ends_with(".results")) {
            for (const QString& key : e.keys())
                EXPECT_TRUE(a.contains(key)) << where << "." << key.toStdString();
        } else {
            EXPECT_EQ(a.keys().join(",").toStdString(), e.keys().join(",").toStdString()) << where;
        }
        for (const QString& key : e.keys())
            if (a.contains(key))
                expectShape(e[key], a[key], where + "." + key.toStdString());
    } else if (example.isArray()) {
        ASSERT_FALSE(example.toArray().isEmpty()) << where;
        for (const QJsonValue& element : actual.toArray())
            expectShape(example.toArray().first(), element, where + "[]");
    }
}

// The first number a text with this start holds, e.g. 3085 of
// "总送风量(O-N)：3085m^3/h"; NaN without such a text.
double numberInText(const QJsonArray& texts, const QString& start)
{
    static const QRegularExpression number("[：:]\\s*(-?[0-9.]+)");
    for (const QJsonValue& text : texts)
        if (text.toString().startsWith(start))
            return number.match(text.toString()).captured(1).toDouble();
    return NAN;
}

QStringList pointNames(const QJsonObject& view)
{
    QStringList names;
    for (const QJsonValue& p : view["points"].toArray())
        names << p["name"].toString();
    return names;
}

class AnalyzeJson : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    RecordingMessages messages;
    QTemporaryDir dir;
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
};

// Every room of the system, as the documented example has it: the texts are
// the text output's lines, the results are the numbers those texts show,
// and each point's enthalpy is h = 1.01·t + x·(2500 + 1.85·t) (x in kg/kg).
TEST_F(AnalyzeJson, RoomsHaveTheExamplesShapeAndTheTextOutputsNumbers)
{
    const std::vector<std::string> args{kSample, path("out.id"), "--analysis", "primary", "--system", "0"};
    const CliRun text = analyze(args);
    ASSERT_EQ(text.status, 0) << text.err;
    std::vector<std::string> jsonArgs = args;
    jsonArgs.push_back("--json");
    const CliRun json = analyze(jsonArgs);
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject output = parse(json.out);
    expectShape(documentedExample(), output, "");
    EXPECT_EQ(output["project"].toString(), "示例办公楼");

    CQORVADoc sample;
    ASSERT_TRUE(sample.OnOpenDocument(kSample));
    int index = 0;
    QStringList textLines = QString::fromStdString(text.out).split('\n', Qt::SkipEmptyParts);
    const QJsonArray rooms = output["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 4);
    for (const QJsonValue& value : rooms) {
        const QJsonObject room = value.toObject();
        const std::string name = room["room"].toString().toStdString();
        SCOPED_TRACE(name);
        EXPECT_TRUE(room["ok"].toBool());
        EXPECT_EQ(room["analysis"].toString(), "primary");
        ASSERT_FALSE(textLines.isEmpty());
        EXPECT_EQ(textLines.takeFirst(), room["system"].toString() + " / " + room["room"].toString());

        const QJsonObject conditions = room["conditions"].toObject();
        const QJsonObject cooling = conditions["cooling"].toObject();
        const QJsonObject heating = conditions["heating"].toObject();
        for (const QJsonObject& view : {cooling, heating}) {
            for (const QJsonValue& t : view["texts"].toArray()) {
                ASSERT_FALSE(textLines.isEmpty());
                EXPECT_EQ(t.toString(), textLines.takeFirst());
            }
            for (const QJsonValue& p : view["points"].toArray()) {
                const double t = p["t"].toDouble(), x = p["x"].toDouble() / 1000.0;
                EXPECT_NEAR(p["h"].toDouble(), 1.01 * t + x * (2500.0 + 1.85 * t), 0.02)
                    << p["name"].toString().toStdString();
                EXPECT_GT(p["rh"].toDouble(), 1.0) << "rh in per cent";
            }
            for (const QJsonValue& line : view["lines"].toArray()) {
                EXPECT_TRUE(pointNames(view).contains(line["from"].toString()));
                EXPECT_TRUE(pointNames(view).contains(line["to"].toString()));
            }
        }

        const QJsonObject results = room["results"].toObject();
        const QJsonArray coolingTexts = cooling["texts"].toArray();
        EXPECT_EQ(std::lround(results["supply_volume"].toDouble()), numberInText(coolingTexts, "总送风量"));
        EXPECT_NEAR(results["cooling"].toDouble() / 1000.0, numberInText(coolingTexts, "空调制冷量"), 0.0005);
        for (const char* summerPoint : {"supply", "mixing"})
            EXPECT_TRUE(pointNames(cooling).contains(results[summerPoint].toString())) << summerPoint;
        if (results["winter_supply_volume"].toDouble() > 0) {
            const QJsonArray heatingTexts = heating["texts"].toArray();
            EXPECT_NEAR(results["heating"].toDouble() / 1000.0, numberInText(heatingTexts, "空调加热量"),
                        0.0005);
            EXPECT_TRUE(pointNames(heating).contains(results["winter_supply"].toString()));
        }
        // Design loads are stored in kW and printed in W.
        const CServiceArea& stored = *sample.model().m_rooms.m_systems[0]->m_rooms[std::size_t(index++)];
        EXPECT_FLOAT_EQ(room["design"]["cooling"]["load"].toDouble(), stored.m_fSummerLoad * 1000.0);
        EXPECT_FLOAT_EQ(room["design"]["heating"]["load"].toDouble(), stored.m_fWinterLoad * 1000.0);
        EXPECT_FLOAT_EQ(room["design"]["heating"]["moisture_load"].toDouble(), stored.m_fWinterMoistLoad);
    }
    EXPECT_TRUE(textLines.isEmpty()) << textLines.join('|').toStdString();
}

// The value a result text shows after its colon, in the JSON's unit, and
// half a unit of its last shown digit; empty for a text that shows none
// (state texts list their point's values without a colon).
struct ShownNumber {
    double value;
    double tolerance;
};
std::optional<ShownNumber> shownNumber(const QString& text)
{
    static const QRegularExpression pattern("[：:]\\s*(?:[^：:0-9-]*占)?(-?[0-9]+(?:\\.([0-9]+))?)\\s*(kW|"
                                            "kcal/h|m\\^3/h|kg/h|kJ/kg|kcal/kg|%|℃)$");
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double shown = match.captured(1).toDouble();
    const double half = 0.5 * std::pow(10.0, -double(match.captured(2).size()));
    const QString unit = match.captured(3);
    const double scale = unit == "kW"        ? 1000.0
                         : unit == "kcal/h"  ? 1.0 / 0.8598452
                         : unit == "kcal/kg" ? 1.0 / 0.2388459
                         : unit == "%"       ? 0.01
                                             : 1.0;
    return ShownNumber{shown * scale, half * scale * 1.0001 + 1e-6};
}

// Every analysis, every room of the sample: each capacity, air volume,
// moisture amount, ratio and enthalpy difference that the texts of the run
// show is a number of the room's results (the heating view only where the
// run made it), and the values the fresh-air unit and the fan coil keep
// nowhere else are there by name.
TEST_F(AnalyzeJson, EveryNumberTheTextsOfARunShowIsAResult)
{
    CQORVADoc sample;
    ASSERT_TRUE(sample.OnOpenDocument(kSample));
    struct Named {
        const char* analysis;
        const char* key;
        const char* textStart; // the cooling text of the first room that shows it
    };
    const Named named[] = {
        {"freshair", "cooling", "新风冷负荷"},
        {"freshair", "enthalpy_difference", "处理焓差"},
        {"fancoil", "fan_coil_cooling", "风机盘管制冷量"},
        {"fancoil", "fresh_air_cooling", "新风空调器制冷量"},
        {"fancoil", "supply_volume", "总送风量"},
        {"fancoil", "fresh_air_dehumidification", "空调除湿量(W"},
        {"fancoil", "dehumidification", "空调除湿量(N"},
        {"secondary", "first_return_volume", "一次回风量"},
        // With heat recovery the fresh air's own treatment starts at W1.
        {"fancoil+recovery", "fresh_air_dehumidification", "空调除湿量(W1"},
        {"fancoil+recovery", "heat_recovery", "热回收量"},
        {"freshair+recovery", "cooling", "新风冷负荷(W1"},
    };
    for (const std::string variant :
         {"primary", "secondary", "fancoil", "freshair", "fancoil+recovery", "freshair+recovery"}) {
        const char* analysis = variant.c_str();
        SCOPED_TRACE(analysis);
        const std::string kind = variant.substr(0, variant.find('+'));
        std::vector<std::string> args{kSample, path("out.id"), "--analysis", kind, "--json"};
        if (kind != variant)
            args.insert(args.end(), {"--recovery", "total", "--recovery-e", "0.6"});
        const CliRun run = analyze(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonArray rooms = parse(run.out)["rooms"].toArray();
        ASSERT_EQ(rooms.size(), 7);
        int checked = 0;
        for (qsizetype i = 0; i < rooms.size(); ++i) {
            const QJsonObject room = rooms[i].toObject();
            SCOPED_TRACE(room["room"].toString().toStdString());
            const auto& systems = sample.model().m_rooms.m_systems;
            const auto& stored = *systems[room["system"] == systems[0]->m_strName.c_str() ? 0 : 1]
                                      ->m_rooms[std::size_t(i < 4 ? i : i - 4)];
            ASSERT_EQ(room["room"].toString().toStdString(), stored.m_strName);
            const bool winter = RunsWinter(*storedRequest(kind, stored));
            const QJsonObject results = room["results"].toObject();
            for (const char* condition : {"cooling", "heating"}) {
                if (condition == std::string("heating") && !winter)
                    continue;
                for (const QJsonValue& text : room["conditions"][condition]["texts"].toArray()) {
                    const auto shown = shownNumber(text.toString());
                    if (!shown)
                        continue;
                    bool found = false;
                    for (const QJsonValue& value : results)
                        found = found || (value.isDouble() &&
                                          std::fabs(value.toDouble() - shown->value) <= shown->tolerance);
                    EXPECT_TRUE(found) << text.toString().toStdString();
                    ++checked;
                }
            }
            if (i != 0)
                continue;
            for (const Named& n : named) {
                if (n.analysis != std::string(analysis))
                    continue;
                const QJsonArray texts = room["conditions"]["cooling"]["texts"].toArray();
                const auto text = std::find_if(texts.begin(), texts.end(), [&](const QJsonValue& t) {
                    return t.toString().startsWith(QString::fromUtf8(n.textStart));
                });
                ASSERT_NE(text, texts.end()) << n.key;
                const auto shown = shownNumber(text->toString());
                ASSERT_TRUE(shown) << n.key;
                EXPECT_NEAR(results[n.key].toDouble(), shown->value, shown->tolerance) << n.key;
            }
        }
        EXPECT_GE(checked, 2 * rooms.size()); // two numbers a room at least
    }
}

// The fresh-air unit with a 70 % total-heat exchanger: W1 = W + 0.7·(N − W)
// in t and x, the coils' loads ρ·F·Δh/3.6 from W1 (ρ the summer density,
// F the season's fresh air), the heat recovered from W to W1 likewise; the
// project written keeps the recovery with the room.
TEST_F(AnalyzeJson, FreshAirWithTotalRecoveryTakesTheLoadsFromW1)
{
    const std::string out = path("out.id");
    const CliRun run =
        analyze({kSample, out, "--analysis", "freshair", "--system", "新风系统", "--room", "办公室201",
                 "--recovery", "total", "--recovery-e", "0.7", "--humidify", "steam", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    CQORVADoc sample;
    ASSERT_TRUE(sample.OnOpenDocument(kSample));
    const double rho = sample.model().m_fSummerDensity;
    const QJsonObject room = parse(run.out)["rooms"].toArray().first().toObject();
    ASSERT_TRUE(room["ok"].toBool());
    const QJsonObject recovery = room["recovery"].toObject();
    EXPECT_EQ(recovery["mode"].toString(), "total");
    EXPECT_FLOAT_EQ(recovery["effectiveness"].toDouble(), 0.7f);
    for (const char* condition : {"cooling", "heating"}) {
        SCOPED_TRACE(condition);
        const bool winter = std::string(condition) == "heating";
        const QJsonObject view = room["conditions"][condition].toObject();
        std::map<QString, QJsonObject> points;
        for (const QJsonValue& p : view["points"].toArray())
            points[p["name"].toString()] = p.toObject();
        const QJsonObject w = points["W"], n = points["N"], w1 = points["W1"];
        const auto h = [](const QJsonObject& p) {
            const double t = p["t"].toDouble(), x = p["x"].toDouble() / 1000.0;
            return 1.01 * t + x * (2500.0 + 1.85 * t);
        };
        EXPECT_NEAR(w1["t"].toDouble(), w["t"].toDouble() + 0.7 * (n["t"].toDouble() - w["t"].toDouble()),
                    1e-4);
        EXPECT_NEAR(w1["x"].toDouble(), w["x"].toDouble() + 0.7 * (n["x"].toDouble() - w["x"].toDouble()),
                    1e-4);
        EXPECT_NEAR(w1["h"].toDouble(), h(w1), 1e-3);
        const double fresh = room["design"][condition]["fresh_air"].toDouble();
        const QJsonArray texts = view["texts"].toArray();
        const QJsonObject coil = points[winter ? "W'" : "L"];
        const double load = rho * fresh * std::fabs(h(coil) - h(w1)) / 3.6;
        EXPECT_NEAR(numberInText(texts, winter ? "新风热负荷(W1-W')" : "新风冷负荷(W1-L)"), load / 1000.0,
                    6e-4);
        const double recovered = rho * fresh * (winter ? h(w1) - h(w) : h(w) - h(w1)) / 3.6;
        EXPECT_GT(recovered, 0.0);
        EXPECT_EQ(recovery[condition]["point"].toString(), "W1");
        EXPECT_NEAR(recovery[condition]["recovered"].toDouble(), recovered, 0.5);
        EXPECT_NEAR(numberInText(texts, "热回收量(W-W1)"), recovered / 1000.0, 6e-4);
        QStringList lines;
        for (const QJsonValue& line : view["lines"].toArray())
            lines << line["name"].toString();
        EXPECT_EQ(lines.join(' ').toStdString(), winter ? "W-W1 W1-W' W'-M" : "W-W1 W1-L");
    }
    CQORVADoc written;
    ASSERT_TRUE(written.OnOpenDocument(out));
    const CServiceArea& stored = *written.model().m_rooms.m_systems[1]->m_rooms[0];
    EXPECT_EQ(stored.m_strName, "办公室201");
    EXPECT_EQ(stored.m_recovery.mode, kRecoveryTotal);
    EXPECT_FLOAT_EQ(stored.m_recovery.effectiveness, 0.7f);
    // The analyses that treat no fresh air of their own take no recovery,
    // and an effectiveness outside 0-1 is a wrong argument.
    EXPECT_EQ(
        analyze({kSample, out, "--analysis", "primary", "--recovery", "total", "--recovery-e", "0.5"}).status,
        2);
    EXPECT_EQ(
        analyze({kSample, out, "--analysis", "freshair", "--recovery", "sensible", "--recovery-e", "1.5"})
            .status,
        2);
}

// A room that fails is listed with its message and without views or
// results; the rooms after it are still analysed and listed; no project is
// written and the status is 1.
TEST_F(AnalyzeJson, AFailedRoomIsListedWithItsMessage)
{
    CQORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(kSample));
    CServiceArea& failing = *DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_rooms[1];
    failing.m_fSummerFreshAir = 0;
    const std::string in = path("in.id");
    ASSERT_TRUE(document.OnSaveDocument(in));

    const std::string out = path("out.id");
    const CliRun run = analyze({in, out, "--analysis", "primary", "--system", "0", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
    const QJsonObject output = parse(run.out);
    expectShape(documentedExample(), output, "");
    const QJsonArray rooms = output["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 4);
    const bool expectedOk[] = {true, false, true, true};
    for (qsizetype i = 0; i < rooms.size(); ++i) {
        const QJsonObject room = rooms[i].toObject();
        EXPECT_EQ(room["ok"].toBool(), expectedOk[i]) << i;
        EXPECT_EQ(room["conditions"].isNull(), !expectedOk[i]) << i;
        EXPECT_EQ(room["results"].isNull(), !expectedOk[i]) << i;
    }
    EXPECT_EQ(rooms[1]["message"].toString().toStdString(),
              "计算错误，请检查输入数据!\n新风量为0，建议改正后重新分析");
    EXPECT_EQ(rooms[1]["design"]["cooling"]["fresh_air"].toDouble(), 0.0);
}

} // namespace
