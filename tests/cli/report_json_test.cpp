#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "model/TextCodec.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

// qorva-cli report --json (the command is compiled into this program by
// old_project_import_test.cpp).
namespace {

const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";

struct CliRun {
    int status;
    std::string out;
};

CliRun report(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runReportCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    return {status, out};
}

QString readFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QJsonObject roomNamed(const QJsonArray& rooms, const QString& name)
{
    for (const QJsonValue& room : rooms)
        if (room["room"].toString() == name)
            return room.toObject();
    return {};
}

class ReportJson : public ::testing::Test {
protected:
    RecordingMessages messages;
    QTemporaryDir dir;
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
};

// Every number the text report prints of a room is the JSON's, rounded as
// the report rounds it: the design points W and N (t, tw, rh %, x g/kg, h),
// the loads (kW in the text, W in the JSON), the fresh air and the stored
// supply volume and cooling capacity.
TEST_F(ReportJson, NumbersAreThoseOfTheTextReport)
{
    const std::string textPath = path("report.txt");
    ASSERT_EQ(report({kSample, textPath}).status, 0);
    QFile gbk(QString::fromStdString(textPath));
    ASSERT_TRUE(gbk.open(QIODevice::ReadOnly));
    const QString text = QString::fromStdString(gbkToUtf8(gbk.readAll().toStdString()));
    const CliRun json = report({kSample, "--json"});
    ASSERT_EQ(json.status, 0);
    const QJsonObject output = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(output["project"].toString(), "示例办公楼");
    const QJsonArray rooms = output["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 7);

    // To the file, the same document.
    const std::string jsonPath = path("report.json");
    ASSERT_EQ(report({kSample, jsonPath, "--json"}).status, 0);
    EXPECT_EQ(readFile(jsonPath).toStdString(), json.out);

    static const QRegularExpression heading("服务区域：(\\S+)\\s+工况：(夏季|冬季)工况");
    static const QRegularExpression numbers("-?[0-9]+(\\.[0-9]+)?");
    QJsonObject room;
    QString condition;
    int checked = 0;
    for (const QString& line : text.split(QRegularExpression("\r?\n"))) {
        if (const auto match = heading.match(line); match.hasMatch()) {
            room = roomNamed(rooms, match.captured(1));
            condition = match.captured(2) == "夏季" ? "cooling" : "heating";
            ASSERT_TRUE(room["ok"].toBool()) << match.captured(1).toStdString();
            continue;
        }
        const QString values = line.mid(line.indexOf("：") + 1);
        std::vector<double> found;
        for (auto it = numbers.globalMatch(values); it.hasNext();)
            found.push_back(it.next().captured(0).toDouble());
        const auto expectRounded = [&](double json, double shown, double step) {
            EXPECT_NEAR(json, shown, step / 2 + 1e-9) << line.toStdString();
            ++checked;
        };
        const QJsonObject view = room.value("conditions")[condition].toObject();
        const QJsonObject design = room.value("design")[condition].toObject();
        if (line.startsWith("室外状态点") || line.startsWith("室内状态点")) {
            const QJsonObject p = view["points"][line.startsWith("室外") ? 0 : 1].toObject();
            ASSERT_EQ(found.size(), 5u) << line.toStdString();
            expectRounded(p["t"].toDouble(), found[0], 0.1);
            expectRounded(p["tw"].toDouble(), found[1], 0.1);
            expectRounded(p["rh"].toDouble(), found[2], 0.1);
            expectRounded(p["x"].toDouble(), found[3], 0.1);
            expectRounded(p["h"].toDouble(), found[4], 0.1);
        } else if (line.startsWith("室内空调冷负荷") || line.startsWith("室内空调热负荷")) {
            expectRounded(design["load"].toDouble() / 1000.0, found.at(0), 0.1);
        } else if (line.startsWith("室内空调湿负荷")) {
            expectRounded(design["moisture_load"].toDouble(), found.at(0), 0.01);
        } else if (line.startsWith("新风量")) {
            expectRounded(design["fresh_air"].toDouble(), found.at(0), 1.0);
        } else if (line.startsWith("总送风量") && condition == "cooling") {
            expectRounded(room.value("results")["supply_volume"].toDouble(), found.at(0), 1.0);
        } else if (line.startsWith("空调器制冷量")) {
            expectRounded(room.value("results")["cooling"].toDouble() / 1000.0, found.at(0), 0.1);
        }
    }
    // Seven rooms, two conditions, two points of five values and three
    // design values each, and the stored summer results of one room.
    EXPECT_EQ(checked, 7 * 2 * (2 * 5 + 3) + 2);
}

// A room whose design state cannot be completed is listed with ok false and
// the report's message; the others are listed; the status is 1.
TEST_F(ReportJson, ARoomWithoutViewsIsListedAsFailed)
{
    CQORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(kSample));
    DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_rooms[2]->m_fWinterInRH = 150.0f;
    const std::string in = path("in.id");
    ASSERT_TRUE(document.OnSaveDocument(in));

    const CliRun run = report({in, "--json"});
    EXPECT_EQ(run.status, 1);
    const QJsonArray rooms =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object()["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 7);
    for (qsizetype i = 0; i < rooms.size(); ++i) {
        EXPECT_EQ(rooms[i]["ok"].toBool(), i != 2) << i;
        EXPECT_EQ(rooms[i]["results"].isNull(), i == 2) << i;
    }
    EXPECT_EQ(rooms[2]["message"].toString(), "设计状态点无法计算或分析结果与图上的状态点不符");
}

} // namespace
