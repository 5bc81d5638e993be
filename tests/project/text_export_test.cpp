#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>
#include <vector>

#include "model/CIDG.h"
#include "model/TextCodec.h"
#include "project/TextExport.h"

namespace {

// Column widths of a row after the name, as the formats give them:
// %-16.0f %-16.1f %-16.1f %-15.0f %-16.1f %-17.5f, enthalpy, %-20.0f %-24.0f %-16.3f %-12.3f.
std::vector<std::string> splitRow(const std::string& row, std::size_t nameBytes, std::size_t enthalpyWidth)
{
    std::vector<std::size_t> widths = {nameBytes, 16, 16, 16, 15, 16, 17, enthalpyWidth, 20, 24, 16, 12};
    std::vector<std::string> columns;
    std::size_t at = 0;
    for (const std::size_t width : widths) {
        columns.push_back(row.substr(at, width));
        at += width;
    }
    columns.push_back(row.substr(at)); // only the line end is left
    return columns;
}

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            result.push_back(bytes.substr(start) + "<no CR LF>");
            break;
        }
        result.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

CServiceArea& addRoom(CIDG& idg, const std::string& system, const std::string& room)
{
    if (!idg.m_rooms.FindSystem(system))
        idg.m_rooms.AddSystem(system);
    idg.m_rooms.AddRoom(system, room);
    return *idg.m_rooms.FindSystem(system)->FindRoom(room);
}

std::unique_ptr<CParamPoint> paramPoint(const std::string& name)
{
    auto p = std::make_unique<CParamPoint>();
    p->m_strName = name;
    p->m_p = 101325;
    p->m_t = 25.0f;
    p->m_tw = 17.875f;
    p->m_RH = 0.5f;
    p->m_td = 13.875f;
    p->m_d = 0.0098828f;
    p->m_h = 50.375f;
    p->m_pq = 1583.75f;
    p->m_pqb = 3169.25f;
    p->m_v = 0.859375f;
    p->m_rho = 1.171875f;
    return p;
}

std::string readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

} // namespace

TEST(TextExport, HeaderInBothUnitSystems)
{
    const std::string si =
        "名称          大气压力(Pa)    干球温度(℃)    湿球温度(℃)    相对湿度(%)    露点温度(℃)    "
        "含湿量(kg/kg)    焓(kJ/kg)    水蒸气分压力(Pa)    饱和水蒸气分压力(Pa)    比容(m^3/kg)    "
        "密度(kg/m^3)\r\n";
    EXPECT_EQ(PointTableHeader(CIDG::kUnitsSI), utf8ToGbk(si));
    std::string engineering = si;
    engineering.replace(engineering.find("焓(kJ/kg)"), std::string("焓(kJ/kg)").size(), "焓(kcal/kg)");
    EXPECT_EQ(PointTableHeader(CIDG::kUnitsEngineering), utf8ToGbk(engineering));
}

// Rows of the parameter-point table, column by column, from values chosen so
// that every format's rounding is plain (no ties).
TEST(TextExport, ParamPointRowsColumnByColumn)
{
    struct Case {
        const char* name;
        int units;
        std::size_t nameBytes;
        std::string nameColumn;
        std::size_t enthalpyWidth;
        std::string enthalpy;
    };
    const Case cases[] = {
        {"P1", CIDG::kUnitsSI, 14, "P1            ", 13, "50.4         "},
        {"P1", CIDG::kUnitsEngineering, 14, "P1            ", 15, "12.0           "},
        // 50.375 kJ/kg × 0.2388459 = 12.03 kcal/kg.
        {"送风点", CIDG::kUnitsSI, 14, utf8ToGbk("送风点") + "        ", 13, "50.4         "},
        // More than 14 characters: the first 14, two GBK bytes each, no padding left.
        {"一二三四五六七八九十甲乙丙丁戊", CIDG::kUnitsSI, 28, utf8ToGbk("一二三四五六七八九十甲乙丙丁"), 13,
         "50.4         "},
        {"ABCDEFGHIJKLMNOP", CIDG::kUnitsSI, 14, "ABCDEFGHIJKLMN", 13, "50.4         "},
    };
    for (const Case& c : cases) {
        CIDG idg;
        idg.m_nUnitSystem = c.units;
        addRoom(idg, "S", "R").m_paramPoints.push_back(paramPoint(c.name));
        const std::vector<std::string> table = lines(ParamPointTable(idg));
        ASSERT_EQ(table.size(), 2u) << c.name; // header and one row, no system or room lines
        const std::vector<std::string> columns = splitRow(table[1], c.nameBytes, c.enthalpyWidth);
        const std::vector<std::string> expected = {c.nameColumn,
                                                   "101325          ",
                                                   "25.0            ",
                                                   "17.9            ",
                                                   "50             ",
                                                   "13.9            ",
                                                   "0.00988          ",
                                                   c.enthalpy,
                                                   "1584                ",
                                                   "3169                    ",
                                                   "0.859           ",
                                                   "1.172       ",
                                                   ""};
        EXPECT_EQ(columns, expected) << c.name << " units " << c.units;
    }
}

TEST(TextExport, ParamPointsOfEveryRoomInOrder)
{
    CIDG idg;
    addRoom(idg, "S1", "R1").m_paramPoints.push_back(paramPoint("A"));
    addRoom(idg, "S1", "R2").m_paramPoints.push_back(paramPoint("B"));
    addRoom(idg, "S2", "R1").m_paramPoints.push_back(paramPoint("C"));
    const std::vector<std::string> table = lines(ParamPointTable(idg));
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1].substr(0, 2), "A ");
    EXPECT_EQ(table[2].substr(0, 2), "B ");
    EXPECT_EQ(table[3].substr(0, 2), "C ");
}

// State points are computed from t and RH at the season's pressure; the
// property values are checked against the ASHRAE table state 25 °C, 50 %
// (x 0.00988 kg/kg, h 50.3 kJ/kg, tw 17.9 °C, td 13.9 °C at 101325 Pa).
TEST(TextExport, StatePointTableLinesAndComputedColumns)
{
    CIDG idg;
    idg.m_fWinterPressure = 90000;
    CServiceArea& room = addRoom(idg, "系统A", "房间1");
    auto point = std::make_unique<CStatePoint>();
    point->m_strName = "N";
    point->m_t = 25.0f;
    point->m_RH = 0.5f;
    room.m_points[kConditionSummer].push_back(std::make_unique<CStatePoint>(*point));
    room.m_points[kConditionWinter].push_back(std::move(point));
    std::string error;
    const std::optional<std::string> bytes = StatePointTable(idg, error);
    ASSERT_TRUE(bytes) << error;
    const std::vector<std::string> table = lines(*bytes);
    ASSERT_EQ(table.size(), 8u);
    EXPECT_EQ(table[1], utf8ToGbk("系统:  系统A"));
    EXPECT_EQ(table[2], utf8ToGbk("房间:  房间1"));
    EXPECT_EQ(table[3], utf8ToGbk("普通工况")); // a condition without points keeps its line
    EXPECT_EQ(table[4], utf8ToGbk("夏季工况"));
    EXPECT_EQ(table[6], utf8ToGbk("冬季工况"));

    const std::vector<std::string> summer = splitRow(table[5], 14, 13);
    EXPECT_EQ(summer[0], "N             ");
    EXPECT_EQ(summer[1], "101325          ");
    EXPECT_EQ(summer[2], "25.0            ");
    EXPECT_EQ(summer[4], "50             ");
    EXPECT_NEAR(std::atof(summer[3].c_str()), 17.9, 0.11);
    EXPECT_NEAR(std::atof(summer[5].c_str()), 13.9, 0.11);
    EXPECT_NEAR(std::atof(summer[6].c_str()), 0.00988, 0.00002);
    EXPECT_NEAR(std::atof(summer[7].c_str()), 50.3, 0.15);
    EXPECT_EQ(summer[12], "");
    // Winter rows at the winter pressure: more moisture at the same t and RH.
    const std::vector<std::string> winter = splitRow(table[7], 14, 13);
    EXPECT_EQ(winter[1], "90000           ");
    EXPECT_GT(std::atof(winter[6].c_str()), std::atof(summer[6].c_str()));
}

// A point that cannot be computed: no table at all, and an existing output
// file keeps its contents (a table with rows missing would pass for complete).
TEST(TextExport, UncomputablePointLeavesNoPartialFile)
{
    CIDG idg;
    CServiceArea& room = addRoom(idg, "S", "R");
    for (const float rh : {0.5f, 2.0f}) {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = rh > 1 ? "雾" : "N";
        point->m_t = 25.0f;
        point->m_RH = rh;
        room.m_points[kConditionSummer].push_back(std::move(point));
    }
    QTemporaryDir dir;
    const QString out = dir.filePath("points.txt");
    {
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous");
    }
    std::string error;
    EXPECT_FALSE(ExportStatePoints(idg, out.toStdString(), error));
    EXPECT_EQ(error.rfind("输出文件时出错\n", 0), 0u) << error;
    EXPECT_NE(error.find("雾"), std::string::npos) << error;
    EXPECT_EQ(readFile(out), "previous");
}

TEST(TextExport, UnwritablePathIsReported)
{
    CIDG idg;
    std::string error;
    EXPECT_FALSE(ExportParamPoints(idg, "/nonexistent-folder/points.txt", error));
    EXPECT_EQ(error.rfind("输出文件时出错\n/nonexistent-folder/points.txt：", 0), 0u) << error;
}
