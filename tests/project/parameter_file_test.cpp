#include <gtest/gtest.h>

#include <string>

#include "model/CIDG.h"
#include "model/TextCodec.h"
#include "project/AirDensity.h"
#include "project/ParameterFile.h"

namespace {

const std::string kHead = "办公楼\r\nSI\r\nsummer: 101325 34.0 28.2\r\nwinter: 101325 -5 75 W冬\r\n";
const std::string kSystem = "SYSTEM\r\n系统1\r\nROOM\r\n会议室\r\nsummer: 26 55 12.5 1.2 800\r\n"
                            "winter: 20 45 8.0 0.5 800\r\n";

bool parse(const std::string& utf8, NewProjectData& data, std::string& error)
{
    return ReadParameterFile(utf8ToGbk(utf8), data, error);
}

} // namespace

TEST(ParameterFile, ReadsProjectSystemsAndRooms)
{
    const std::string text = kHead + kSystem + "ROOM\n办公室\n\n25,50,\t6,0.6,300\n20 40 4 0.2 300\n" +
                             "SYSTEM\n系统2\nROOM\n大厅\nsummer: 27 60 20 2 1500\nwinter: 18 40 15 1 1500\n";
    NewProjectData data;
    std::string error;
    ASSERT_TRUE(parse(text, data, error)) << error;
    EXPECT_EQ(data.projectName, "办公楼");
    EXPECT_EQ(data.unitSystem, CIDG::kUnitsSI);
    const CAir_Room& rooms = data.rooms;
    EXPECT_EQ(rooms.m_strSummerOutName, "W");
    EXPECT_FLOAT_EQ(rooms.m_fSummerOutT, 34.0f);
    EXPECT_FLOAT_EQ(rooms.m_fSummerOutTw, 28.2f);
    EXPECT_EQ(rooms.m_bSummerOutByRH, 0);
    EXPECT_EQ(rooms.m_strWinterOutName, "W冬");
    EXPECT_FLOAT_EQ(rooms.m_fWinterOutT, -5.0f);
    EXPECT_FLOAT_EQ(rooms.m_fWinterOutRH, 75.0f);
    EXPECT_EQ(rooms.m_bWinterOutByRH, 1);
    ASSERT_EQ(rooms.m_systems.size(), 2u);
    ASSERT_EQ(rooms.m_systems[0]->m_rooms.size(), 2u);
    const CServiceArea& office = *rooms.m_systems[0]->m_rooms[1];
    EXPECT_EQ(office.m_strName, "办公室");
    EXPECT_FLOAT_EQ(office.m_fSummerInT, 25);
    EXPECT_FLOAT_EQ(office.m_fSummerInRH, 50);
    EXPECT_FLOAT_EQ(office.m_fSummerLoad, 6);
    EXPECT_FLOAT_EQ(office.m_fSummerMoistLoad, 0.6f);
    EXPECT_FLOAT_EQ(office.m_fSummerFreshAir, 300);
    EXPECT_FLOAT_EQ(office.m_fWinterInT, 20);
    EXPECT_FLOAT_EQ(office.m_fWinterInRH, 40);
    EXPECT_FLOAT_EQ(office.m_fWinterLoad, 4);
    EXPECT_EQ(rooms.m_systems[1]->m_rooms[0]->m_strName, "大厅");

    // Atmospheric values of the outdoor states: at 34 °C / 28.2 °C wet-bulb
    // x is about 0.0219 kg/kg, at −5 °C / 75 % about 0.0019 kg/kg.
    EXPECT_FLOAT_EQ(data.atmosphere.summerPressure, 101325);
    EXPECT_FLOAT_EQ(data.atmosphere.summerT, 34);
    EXPECT_NEAR(data.atmosphere.summerX, 0.0219, 0.0002);
    EXPECT_NEAR(data.atmosphere.winterX, 0.0019, 0.0001);
    EXPECT_NEAR(data.atmosphere.summerDensity, AirDensity(101325, data.atmosphere.summerX, 34), 1e-5);
    EXPECT_NEAR(data.atmosphere.winterDensity, AirDensity(101325, data.atmosphere.winterX, -5), 1e-5);
}

TEST(ParameterFile, EngineeringLoadsAreStoredInKilowatts)
{
    std::string text = kHead + "SYSTEM\nS\nROOM\nR\n26 55 1000 1 800\n20 45 2000 0.5 800\n";
    text.replace(text.find("SI"), 2, "ENG");
    NewProjectData data;
    std::string error;
    ASSERT_TRUE(parse(text, data, error)) << error;
    EXPECT_EQ(data.unitSystem, CIDG::kUnitsEngineering);
    EXPECT_FLOAT_EQ(data.rooms.m_systems[0]->m_rooms[0]->m_fSummerLoad, 1.163f);
    EXPECT_FLOAT_EQ(data.rooms.m_systems[0]->m_rooms[0]->m_fWinterLoad, 2.326f);
}

// An IP file gives psia, ℉, Btu/h, lb/h and cfm; the project stores SI.
TEST(ParameterFile, IpValuesAreStoredInSi)
{
    const std::string text = "Office\nIP\nsummer: 14.695949 93.2 82.76\nwinter: 14.695949 23 75\n"
                             "SYSTEM\nS\nROOM\nR\nsummer: 78.8 55 17061 2.645547 470.862\n"
                             "winter: 68 45 27297.13 1.1023113 470.862\n";
    NewProjectData data;
    std::string error;
    ASSERT_TRUE(parse(text, data, error)) << error;
    EXPECT_EQ(data.unitSystem, CIDG::kUnitsIP);
    const CServiceArea& room = *data.rooms.m_systems[0]->m_rooms[0];
    struct Value {
        const char* what;
        double stored;
        double expected;
        double tolerance;
    };
    for (const Value& v : {Value{"summer pressure", data.atmosphere.summerPressure, 101325.0, 0.1},
                           Value{"summer outdoor t", data.rooms.m_fSummerOutT, 34.0, 1e-4},
                           Value{"summer outdoor tw", data.rooms.m_fSummerOutTw, 28.2, 1e-4},
                           Value{"winter outdoor t", data.rooms.m_fWinterOutT, -5.0, 1e-4},
                           Value{"winter outdoor RH", data.rooms.m_fWinterOutRH, 75.0, 0.0},
                           Value{"indoor t", room.m_fSummerInT, 26.0, 1e-4},
                           Value{"cooling load", room.m_fSummerLoad, 5.0, 1e-3},
                           Value{"heating load", room.m_fWinterLoad, 8.0, 1e-3},
                           Value{"moisture load", room.m_fSummerMoistLoad, 1.2, 1e-5},
                           Value{"fresh air", room.m_fSummerFreshAir, 800.0, 1e-2}}) {
        SCOPED_TRACE(v.what);
        EXPECT_NEAR(v.stored, v.expected, v.tolerance);
    }
    // What a line holds is told in the file's units.
    EXPECT_FALSE(parse("Office\nIP\nsummer: 14.7 93\n", data, error));
    EXPECT_NE(error.find("大气压力(psia) 干球温度(℉) 湿球温度(℉)"), std::string::npos) << error;
}

// A line after the winter outdoor line that is not SYSTEM starts the
// description again with that line as the project name.
TEST(ParameterFile, RestartsWithTheLineAfterTheOutdoorStates)
{
    const std::string text =
        "旧名称\nENG\n90000 30 25\n90000 0 50\n新名称\nSI\n" + kHead.substr(kHead.find("summer")) + kSystem;
    NewProjectData data;
    std::string error;
    ASSERT_TRUE(parse(text, data, error)) << error;
    EXPECT_EQ(data.projectName, "新名称");
    EXPECT_EQ(data.unitSystem, CIDG::kUnitsSI);
    EXPECT_FLOAT_EQ(data.atmosphere.summerPressure, 101325);
    EXPECT_EQ(data.rooms.m_strWinterOutName, "W冬");
}

TEST(ParameterFile, BlankLinesBetweenOtherLinesAreSkipped)
{
    const std::string text =
        "办公楼\r\n\r\nSI\r\n\r\nsummer: 101325 34.0 28.2\r\n \r\nwinter: 101325 -5 75\r\n\r\n"
        "SYSTEM\r\n系统1\r\n\r\nROOM\r\n会议室\r\n\r\nsummer: 26 55 12.5 1.2 800\r\n\r\n"
        "winter: 20 45 8.0 0.5 800\r\n\r\n";
    NewProjectData data;
    std::string error;
    ASSERT_TRUE(parse(text, data, error)) << error;
    EXPECT_EQ(data.rooms.m_systems.at(0)->m_rooms.at(0)->m_strName, "会议室");
}

TEST(ParameterFile, RefusedWithTheLineAndWhatWasExpected)
{
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"", "参数文件在第 0 行后结束：缺少工程名称"},
        {"名称\nSI\n", "参数文件在第 2 行后结束：缺少夏季室外参数"},
        {"名称\nKW\n", "参数文件第 2 行：应为单位制 SI、ENG 或 IP，读到“KW”"},
        {"名称\nSI\nsummer: 101325 abc 28.2\n", "参数文件第 3 行：应为夏季室外参数"},
        {"名称\nSI\nsummer: 101325 34\n", "参数文件第 3 行：应为夏季室外参数"},
        {"名称\nSI\n0 34 28.2\n", "参数文件第 3 行：大气压力必须大于零"},
        {"名称\nSI\n101325 34 28.2\nwinter: -1 -5 75\n", "参数文件第 4 行：大气压力必须大于零"},
        {"名称\nSI\n101325 34 40\n101325 -5 75\n", "参数文件第 3 行：夏季室外状态无法计算"},
        {kHead, "参数文件在第 4 行后结束：缺少SYSTEM"},
        {kHead + "SYSTEM\nROOM\n", "参数文件第 6 行：应为系统名称，读到“ROOM”"},
        {kHead + "SYSTEM\n", "参数文件在第 5 行后结束：缺少系统名称"},
        {kHead + "SYSTEM\nS\nSYSTEM\n", "参数文件第 7 行：应为ROOM，读到“SYSTEM”"},
        {kHead + "SYSTEM\nS\nROOM\n", "参数文件在第 7 行后结束：缺少房间名称"},
        {kHead + "SYSTEM\nS\nROOM\nR\n26 55 -1 1 800\n", "参数文件第 9 行：夏季负荷不能为负"},
        {kHead + "SYSTEM\nS\nROOM\nR\n26 55 1 1 800\n20 45 -0.5 1 800\n",
         "参数文件第 10 行：冬季负荷不能为负"},
        {kHead + "SYSTEM\nS\nROOM\nR\n26 55 1 1\n", "参数文件第 9 行：应为夏季室内参数"},
        {kHead + "SYSTEM\nS\nROOM\nR\n26 55 1 1 800 7\n", "参数文件第 9 行：应为夏季室内参数"},
        {kHead + "SYSTEM\nS\nROOM\nR\n26 55 1 1 800\n", "参数文件在第 9 行后结束：缺少冬季室内参数"},
        {kHead + "SYSTEM\nS\nROOM\nR\n26 55 1 1 800\n20 45 1 nan 800\n",
         "参数文件第 10 行：应为冬季室内参数"},
        {kHead + kSystem + "其他\n", "参数文件第 11 行：应为SYSTEM、ROOM 或文件结束，读到“其他”"},
        {kHead + kSystem + "SYSTEM\n系统1\n", "参数文件第 12 行：系统名称“系统1”重复"},
        {kHead + kSystem + "ROOM\n会议室\n", "参数文件第 12 行：房间名称“会议室”在系统中重复"},
        // An empty name line is refused, not skipped (the next line would become the name).
        {"\r\n" + kHead + kSystem, "参数文件第 1 行：工程名称不能为空"},
        {kHead + "SYSTEM\n\nROOM\nR\n26 55 1 1 800\n20 45 1 1 800\n", "参数文件第 6 行：系统名称不能为空"},
        {kHead + "SYSTEM\nS\nROOM\n  \n26 55 1 1 800\n20 45 1 1 800\n", "参数文件第 8 行：房间名称不能为空"},
    };
    for (const Case& c : cases) {
        NewProjectData data;
        std::string error;
        EXPECT_FALSE(parse(c.text, data, error)) << c.text;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << error;
    }
}

TEST(ParameterFile, ModelUntouchedWhenTheFileCannotBeRead)
{
    CIDG idg;
    idg.m_strProjectName = "原工程";
    std::string error;
    EXPECT_FALSE(ImportParameterFile(idg, "/nonexistent/parameters.txt", error));
    EXPECT_EQ(error.rfind("无法读取参数文件 /nonexistent/parameters.txt：", 0), 0u) << error;
    EXPECT_EQ(idg.m_strProjectName, "原工程");
}

TEST(ParameterFile, ExampleFileReads)
{
    CIDG idg;
    std::string error;
    ASSERT_TRUE(ImportParameterFile(idg, QORVA_SOURCE_DIR "/examples/parameters.txt", error)) << error;
    EXPECT_EQ(idg.m_strProjectName, "办公楼");
    EXPECT_EQ(idg.m_rooms.m_systems.size(), 2u);
}
