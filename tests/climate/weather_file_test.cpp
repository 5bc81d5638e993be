#include <gtest/gtest.h>

#include <string>

#include "climate/WeatherFile.h"
#include "psychro/MoistAir.h"

namespace {

const std::string kBologna =
    std::string(QORVA_SOURCE_DIR) + "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

// The eight header lines of a small EPW station at 500 m.
const std::string kHeader = "LOCATION,Testville,TS,XYZ,test,000000,30.0,120.0,8.0,500.0\n"
                            "DESIGN CONDITIONS,0\n"
                            "TYPICAL/EXTREME PERIODS,0\n"
                            "GROUND TEMPERATURES,0\n"
                            "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\n"
                            "COMMENTS 1,\n"
                            "COMMENTS 2,\n"
                            "DATA PERIODS,1,1,Data,Sunday,1/ 1,12/31\n";

std::string row(const std::string& date, const std::string& values)
{
    return "2001," + date + ",60,A7A7A7A7*0?9?9?9?9?9?9?9A7A7A7A7A7A7*0E8*0*0," + values + ",0,0\n";
}

TEST(WeatherFile, ReadsTheShippedBolognaYearAsTheFilePrintsIt)
{
    WeatherYear year;
    std::string error;
    ASSERT_TRUE(ReadWeatherFile(kBologna, year, error)) << error;
    EXPECT_EQ(year.format, WeatherFormat::Epw);
    EXPECT_EQ(year.station.name, "Bologna Marconi AP");
    EXPECT_DOUBLE_EQ(year.station.latitude, 44.5308);
    EXPECT_DOUBLE_EQ(year.station.longitude, 11.2969);
    EXPECT_DOUBLE_EQ(year.station.elevation, 37.0);
    ASSERT_EQ(year.hours.size(), 8760u);
    EXPECT_EQ(year.missingHours, 0);
    // DESIGN CONDITIONS: Heating,1,-4.2,… and Cooling,7,11.2,34.4,22.4,…
    ASSERT_TRUE(year.design);
    EXPECT_FLOAT_EQ(*year.design->heatingDryBulb996, -4.2f);
    EXPECT_FLOAT_EQ(*year.design->coolingDryBulb04, 34.4f);
    EXPECT_FLOAT_EQ(*year.design->coolingMeanCoincidentWetBulb04, 22.4f);

    // 2004,1,1,1,…,7.0,6.0,93,100869 and 2016,12,31,24,…,0.0,-3.0,78,100857:
    // the dew point comes back from x within the rounding of the file, the
    // relative humidity within the whole per cent it prints.
    const struct {
        const WeatherHour& hour;
        int month, day, hourOfDay;
        float t, td, RH, p;
    } ends[] = {{year.hours.front(), 1, 1, 1, 7.0f, 6.0f, 0.93f, 100869.0f},
                {year.hours.back(), 12, 31, 24, 0.0f, -3.0f, 0.78f, 100857.0f}};
    for (const auto& e : ends) {
        EXPECT_EQ(e.hour.month, e.month);
        EXPECT_EQ(e.hour.day, e.day);
        EXPECT_EQ(e.hour.hour, e.hourOfDay);
        EXPECT_FLOAT_EQ(e.hour.t, e.t);
        EXPECT_FLOAT_EQ(e.hour.p, e.p);
        EXPECT_NEAR(e.hour.td, e.td, 0.01f);
        EXPECT_NEAR(e.hour.RH, e.RH, 0.005f);
        EXPECT_LT(e.hour.tw, e.t);
        EXPECT_GT(e.hour.tw, e.td);
    }
}

TEST(WeatherFile, FillsMissingValuesAsEnergyPlusMarksThem)
{
    // A missing dew point takes the RH field; a missing pressure the standard
    // atmosphere at 500 m; a missing dry bulb, or both humidities missing,
    // leaves the hour out.
    const std::string epw = kHeader + row("7,1,1", "30.0,99.9,50,100000") +
                            row("7,1,2", "30.0,20.0,55,999999") + row("7,1,3", "99.9,20.0,55,100000") +
                            row("7,1,4", "30.0,99.9,999,100000");
    WeatherYear year;
    std::string error;
    ASSERT_TRUE(ReadWeatherBytes(epw, "test.epw", year, error)) << error;
    ASSERT_EQ(year.hours.size(), 2u);
    EXPECT_EQ(year.missingHours, 2);
    EXPECT_FLOAT_EQ(year.hours[0].RH, 0.5f);
    EXPECT_FLOAT_EQ(year.hours[1].p, static_cast<float>(qorva::psychro::standardAtmosphericPressure(500.0)));
    EXPECT_NEAR(year.hours[1].td, 20.0f, 0.01f);

    // A CSV reading at midnight closes hour 24 of the day before (here of the
    // year before); one at 14:30 belongs to hour 15; without a pressure the
    // sea-level atmosphere; an empty dry bulb is a missing hour.
    const std::string csv = "time;t;rh\n"
                            "2023-01-01 00:00;-2.5;80\n"
                            "2023/07/15T14:30:00;31.0;45;98000\n"
                            "2023-07-15 15:00;;45\n";
    ASSERT_TRUE(ReadWeatherBytes(csv, "/logs/roof.csv", year, error)) << error;
    EXPECT_EQ(year.format, WeatherFormat::Csv);
    EXPECT_EQ(year.station.name, "roof.csv");
    ASSERT_EQ(year.hours.size(), 2u);
    EXPECT_EQ(year.missingHours, 1);
    EXPECT_EQ((std::array{year.hours[0].month, year.hours[0].day, year.hours[0].hour}),
              (std::array{12, 31, 24}));
    EXPECT_EQ((std::array{year.hours[1].month, year.hours[1].day, year.hours[1].hour}),
              (std::array{7, 15, 15}));
    EXPECT_FLOAT_EQ(year.hours[0].p, 101325.0f);
    EXPECT_FLOAT_EQ(year.hours[1].p, 98000.0f);
    EXPECT_FLOAT_EQ(year.hours[0].RH, 0.8f);
}

TEST(WeatherFile, RefusesDamagedFilesNamingTheLineAndLeavesTheYearAsItWas)
{
    const struct {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"a word for a number", kHeader + row("7,1,1", "warm,20.0,50,100000"),
         "气象文件第 9 行：干球温度应为数字，读到“warm”"},
        {"a short row", kHeader + "2001,7,1,1,60,x,30.0\n", "气象文件第 9 行：只有 7 项，至少应有 10 项"},
        {"month 13", kHeader + row("13,1,1", "30.0,20.0,50,100000"),
         "气象文件第 9 行：月份 13 不在 1–12 之间"},
        {"hour 25", kHeader + row("7,1,1", "30.0,20.0,50,100000") + row("7,1,25", "30.0,20.0,50,100000"),
         "气象文件第 10 行：小时 25 不在 1–24 之间"},
        {"April 31", kHeader + row("4,31,1", "30.0,20.0,50,100000"), "气象文件第 9 行：4 月没有第 31 日"},
        {"a humidity no weather has", kHeader + row("7,1,1", "30.0,99.9,150,100000"),
         "气象文件第 9 行：相对湿度 150 % 超出范围（0…110 %）"},
        {"a station without elevation", "LOCATION,X,,,,,30,120,8\n",
         "气象文件第 1 行：只有 9 项，至少应有 10 项"},
        {"a header and nothing else", kHeader, "文件在第 8 行结束，没有逐时数据"},
        {"neither format", "hello weather\n", "既不是 EnergyPlus 气象文件（EPW），也不是逐时数据的 CSV 文件"},
        {"a project file", std::string("QVX\0\0\1\x47", 7),
         "既不是 EnergyPlus 气象文件（EPW），也不是逐时数据的 CSV 文件"},
        {"a CSV date", "time,t,rh\n2023-07-01 10:00,20,50\n2023-07-01 25:00,20,50\n",
         "气象文件第 3 行：日期时间“2023-07-01 25:00”无效，应为“年-月-日 时:分”"},
        {"a CSV word", "time,t,rh\n2023-07-01 10:00,20,half\n",
         "气象文件第 2 行：相对湿度应为数字，读到“half”"},
        {"a CSV of header only", "time,t,rh\n", "文件中没有可用的逐时数据"},
    };
    for (const auto& c : cases) {
        WeatherYear year;
        year.station.name = "kept";
        year.hours.resize(3);
        std::string error;
        EXPECT_FALSE(ReadWeatherBytes(c.bytes, "x.epw", year, error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
        EXPECT_EQ(year.station.name, "kept") << c.what;
        EXPECT_EQ(year.hours.size(), 3u) << c.what;
    }
    WeatherYear year;
    std::string error;
    EXPECT_FALSE(ReadWeatherFile(std::string(QORVA_SOURCE_DIR) + "/examples/no-such.epw", year, error));
    EXPECT_NE(error.find("无法读取气象文件"), std::string::npos) << error;
}

} // namespace
