#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "model/CIDG.h"
#include "project/AirDensity.h"
#include "project/Atmosphere.h"
#include "project/NumberText.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

// ρ = p_da / (R_da·T) + p_v / (R_v·T) for an ideal mixture, the textbook
// form the dialog's formula condenses: R_da = 287.055, R_v = R_da / 0.62198.
double idealGasDensity(double p, double x, double t)
{
    const double pv = p * x / (x + 0.62198);
    const double rDa = 287.055;
    const double rV = rDa / 0.62198;
    const double kelvin = t + 273.15;
    return (p - pv) / (rDa * kelvin) + pv / (rV * kelvin);
}

TEST(AirDensity, AgreesWithTheIdealGasMixtureOverTheDesignRange)
{
    struct Case {
        double p, x, t;
    };
    const Case cases[] = {{101325, 0.0056, 20}, {101325, 0.0, 0},   {100000, 0.0193, 34},
                          {102000, 0.0008, -9}, {85000, 0.012, 25}, {101325, 0.04, 45}};
    for (const Case& c : cases)
        EXPECT_NEAR(AirDensity(c.p, c.x, c.t), idealGasDensity(c.p, c.x, c.t), 2e-5)
            << c.p << " Pa, " << c.x << " kg/kg, " << c.t << " °C";
}

TEST(AirDensity, DryAirAtStandardConditionsAndMoistureLightensAir)
{
    // Dry air at 0 °C and 101325 Pa: 1.2922 kg/m³ (ASHRAE Fundamentals, ch. 1).
    EXPECT_NEAR(AirDensity(101325, 0, 0), 1.2922, 5e-4);
    EXPECT_LT(AirDensity(101325, 0.02, 25), AirDensity(101325, 0.0, 25));
    EXPECT_LT(AirDensity(101325, 0.01, 35), AirDensity(101325, 0.01, 15));
}

TEST(AtmosphericTexts, InitialTextsGiveTheInitialDensity)
{
    AtmosphericTexts texts;
    EXPECT_EQ(texts.pressure, "101325");
    EXPECT_EQ(texts.moisture, "0.0056");
    EXPECT_EQ(texts.dryBulb, "20.0");
    texts.density = "0";
    texts.ComputeDensity();
    EXPECT_EQ(texts.density, "1.200");
}

TEST(AtmosphericTexts, FormatsOfTheStoredValues)
{
    CIDG idg;
    idg.m_fSummerAirT = 26.44f;
    idg.m_fSummerPressure = 100000.4f;
    idg.m_fSummerAirD = 0.01234f;
    idg.m_fSummerDensity = 1.1536f;
    idg.m_fWinterAirT = -9.05f;
    idg.m_fWinterPressure = 102000;
    idg.m_fWinterAirD = 0.0008f;
    idg.m_fWinterDensity = 1.3456f;
    const AtmosphericSeasons texts = AtmosphericSeasons::FromData(AtmosphericData::FromModel(idg));
    EXPECT_EQ(texts.summer.dryBulb, "26.4");
    EXPECT_EQ(texts.summer.pressure, "100000");
    EXPECT_EQ(texts.summer.moisture, "0.0123");
    EXPECT_EQ(texts.summer.density, "1.154");
    EXPECT_EQ(texts.winter.dryBulb, "-9.1");
    EXPECT_EQ(texts.winter.pressure, "102000");
    EXPECT_EQ(texts.winter.moisture, "0.0008");
    EXPECT_EQ(texts.winter.density, "1.346");
}

TEST(AtmosphericTexts, ReadBackIntoTheModelSeasonBySeason)
{
    AtmosphericSeasons texts;
    texts.summer = {"100000", "0.0193", "34.0", "1.123"};
    texts.winter = {"102000", "0.0008", "-9.0", "abc"};
    CIDG idg;
    texts.ToData().CopyInto(idg);
    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 100000);
    EXPECT_FLOAT_EQ(idg.m_fSummerAirD, 0.0193f);
    EXPECT_FLOAT_EQ(idg.m_fSummerAirT, 34.0f);
    EXPECT_FLOAT_EQ(idg.m_fSummerDensity, 1.123f);
    EXPECT_FLOAT_EQ(idg.m_fWinterPressure, 102000);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirD, 0.0008f);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirT, -9.0f);
    EXPECT_FLOAT_EQ(idg.m_fWinterDensity, 0.0f) << "text that is not a number counts as 0";
}

TEST(AtmosphericCheck, RefusesPressuresAndDensitiesThatBreakTheChart)
{
    RecordingMessages messages;
    AtmosphericData data;
    EXPECT_TRUE(CheckAtmosphericData(data));
    EXPECT_TRUE(messages.entries.empty());

    data.winterPressure = 0;
    EXPECT_FALSE(CheckAtmosphericData(data));
    data = AtmosphericData();
    data.summerDensity = std::nanf("");
    EXPECT_FALSE(CheckAtmosphericData(data));
    data = AtmosphericData();
    data.winterDensity = -1.2f;
    EXPECT_FALSE(CheckAtmosphericData(data));
    EXPECT_THAT(messages.texts(), ElementsAre("大气压力必须大于零!", "空气密度计算错误，请检查数据!",
                                              "空气密度计算错误，请检查数据!"));
    EXPECT_EQ(messages.entries.front().icon, MessageIcon::Stop);
}

TEST(NumberText, ReadsLenientlyAndFormats)
{
    EXPECT_DOUBLE_EQ(ReadNumber("25.5"), 25.5);
    EXPECT_DOUBLE_EQ(ReadNumber("  -4.0"), -4.0);
    EXPECT_DOUBLE_EQ(ReadNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(ReadNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(ReadNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(ReadNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(ReadNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ReadNumber("1e999"), 0.0) << "an overflow is not a number a user means";
    EXPECT_EQ(FormatNumber("%.0f", 859.845), "860");
    EXPECT_EQ(FormatNumber("%.3f", 1.0), "1.000");
    EXPECT_EQ(FormatNumber("%.1f", 1e300).size(), 303u) << "long results are not cut off";
    EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
}

} // namespace
