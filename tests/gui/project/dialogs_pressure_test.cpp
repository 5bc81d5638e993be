#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/CPressureDlg.h"
#include "gui/project/ModalDriver.h"
#include "model/CIDG.h"
#include "project/Atmosphere.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

AtmosphericData beijing()
{
    AtmosphericData data;
    data.summerT = 33.56f;
    data.summerPressure = 99860.4f;
    data.summerX = 0.01872f;
    data.summerDensity = 1.1234f;
    data.winterT = -9.0f;
    data.winterPressure = 102040.0f;
    data.winterX = 0.00084f;
    data.winterDensity = 1.3456f;
    return data;
}

QStringList labelsOf(QWidget* group)
{
    QStringList labels;
    for (QLabel* label : group->findChildren<QLabel*>())
        labels << label->text();
    return labels;
}

TEST(PressureDialog, OpensWithTheStoredValuesInTheirFormats)
{
    CPressureDlg dialog(beijing());
    EXPECT_EQ(dialog.windowTitle(), "大气压力参数输入框");
    EXPECT_EQ(textOf(&dialog, "summerDryBulb"), "33.6");
    EXPECT_EQ(textOf(&dialog, "summerPressure"), "99860");
    EXPECT_EQ(textOf(&dialog, "summerMoisture"), "0.0187");
    EXPECT_EQ(textOf(&dialog, "summerDensity"), "1.123");
    EXPECT_EQ(textOf(&dialog, "winterDryBulb"), "-9.0");
    EXPECT_EQ(textOf(&dialog, "winterPressure"), "102040");
    EXPECT_EQ(textOf(&dialog, "winterMoisture"), "0.0008");
    EXPECT_EQ(textOf(&dialog, "winterDensity"), "1.346");
    EXPECT_EQ(child<QLineEdit>(&dialog, "summerPressure")->property("controlId").toInt(), 1036);
    EXPECT_EQ(child<QLineEdit>(&dialog, "winterDensity")->property("controlId").toInt(), 1006);
}

TEST(PressureDialog, EachGroupIsLabelledForItsSeason)
{
    CPressureDlg dialog(beijing());
    auto* summer = child<QGroupBox>(&dialog, "summerGroup");
    auto* winter = child<QGroupBox>(&dialog, "winterGroup");
    EXPECT_EQ(summer->title(), "夏季工况");
    EXPECT_EQ(winter->title(), "冬季工况");
    EXPECT_TRUE(labelsOf(summer).contains("夏季大气压力:"));
    EXPECT_TRUE(labelsOf(winter).contains("冬季大气压力:"));
    EXPECT_TRUE(labelsOf(summer).contains("空气干球湿度:"));
}

TEST(PressureDialog, TheArrowComputesItsGroupsDensity)
{
    CPressureDlg dialog(beijing());
    retype(&dialog, "summerPressure", "101325");
    retype(&dialog, "summerMoisture", "0.0056");
    retype(&dialog, "summerDryBulb", "20.0");
    press(&dialog, "summerCompute");
    EXPECT_EQ(textOf(&dialog, "summerDensity"), "1.200");
    EXPECT_EQ(textOf(&dialog, "winterDensity"), "1.346") << "the other group is left alone";
    press(&dialog, "winterCompute");
    EXPECT_EQ(textOf(&dialog, "winterDensity"), "1.345");
}

TEST(PressureDialog, OkComputesBothDensitiesAndRefusesAZeroPressure)
{
    RecordingMessages messages;
    CPressureDlg dialog(beijing());
    retype(&dialog, "winterPressure", "0");
    whenModal([&](QWidget* modal) {
        press(modal, "ok");
        EXPECT_THAT(messages.texts(), ElementsAre("大气压力必须大于零!"));
        retype(modal, "winterPressure", "101325");
        retype(modal, "winterMoisture", "0.0056");
        retype(modal, "winterDryBulb", "20");
        press(modal, "ok");
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    const AtmosphericData data = dialog.data();
    EXPECT_FLOAT_EQ(data.winterDensity, 1.2f);
    EXPECT_FLOAT_EQ(data.winterPressure, 101325);
    EXPECT_FLOAT_EQ(data.summerDensity, 1.122f) << "recomputed from the summer texts";
}

// In IP the pressure is a barometer reading in inHg, the dry bulb in ℉ and
// the density in lb/ft³; what is left as shown comes back as stored, what is
// typed comes back in Pa, °C and kg/m³.
TEST(PressureDialog, IpUnitsShowABarometerReadingAndGiveBackStoredUnits)
{
    CPressureDlg si(beijing());
    CPressureDlg ip(beijing(), nullptr, CIDG::kUnitsIP);
    EXPECT_EQ(textOf(&ip, "summerPressure"), QString::asprintf("%.3f", 99860.0 / 3386.389));
    EXPECT_EQ(textOf(&ip, "summerDryBulb"), "92.5");
    EXPECT_EQ(textOf(&ip, "summerMoisture"), "0.0187");
    EXPECT_EQ(textOf(&ip, "summerDensity"), QString::asprintf("%.5f", 1.123 * 0.06242796));
    EXPECT_THAT(labelsOf(child<QGroupBox>(&ip, "summerGroup")),
                ::testing::IsSupersetOf({"inHg", "℉", "lb/ft^3"}));
    const AtmosphericData shown = ip.data();
    const AtmosphericData stored = si.data();
    EXPECT_EQ(shown.summerPressure, stored.summerPressure);
    EXPECT_EQ(shown.summerT, stored.summerT);
    EXPECT_EQ(shown.winterDensity, stored.winterDensity);
    retype(&ip, "winterPressure", "29.92");
    retype(&ip, "winterDryBulb", "68");
    retype(&ip, "winterMoisture", "0.0056");
    press(&ip, "winterCompute");
    EXPECT_EQ(textOf(&ip, "winterDensity"), QString::asprintf("%.5f", 1.2 * 0.06242796));
    const AtmosphericData typed = ip.data();
    EXPECT_NEAR(typed.winterPressure, 29.92 * 3386.389, 0.1);
    EXPECT_NEAR(typed.winterT, 20.0, 1e-4);
    EXPECT_NEAR(typed.winterDensity, 1.2, 1e-3);
}

class PressureCommand : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame{document};

    void SetUp() override
    {
        DocumentTestAccess::model(document).m_rooms.AddSystem("S");
        DocumentTestAccess::model(document).m_rooms.AddRoom("S", "R");
        beijing().CopyInto(DocumentTestAccess::model(document));
        document.m_bProjectOpen = true;
        frame.FillToolbarCombos();
        frame.updateCommandStates();
    }
};

TEST_F(PressureCommand, OkStoresTheEightValuesAndMarksTheProjectModified)
{
    ASSERT_TRUE(frame.action(cmd::Pressure)->isEnabled());
    whenModal([](QWidget* modal) {
        retype(modal, "summerPressure", "100000");
        press(modal, "ok");
    });
    frame.action(cmd::Pressure)->trigger();
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fSummerPressure, 100000);
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fSummerAirD, 0.0187f)
        << "stored from the four-decimal text";
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fSummerAirT, 33.6f);
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fSummerDensity, 1.123f);
    EXPECT_TRUE(document.IsModified());
    EXPECT_NE(DocumentTestAccess::model(document).m_pPoints, nullptr) << "the current room is bound again";
}

TEST_F(PressureCommand, CancelChangesNothing)
{
    whenModal([](QWidget* modal) {
        retype(modal, "summerPressure", "90000");
        press(modal, "cancel");
    });
    frame.action(cmd::Pressure)->trigger();
    EXPECT_FLOAT_EQ(DocumentTestAccess::model(document).m_fSummerPressure, 99860.4f);
    EXPECT_FALSE(document.IsModified());
}

} // namespace
