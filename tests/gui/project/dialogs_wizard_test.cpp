#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/CPorjectNewWizard.h"
#include "gui/project/CSystemRoomEditor.h"
#include "gui/project/ModalDriver.h"
#include "gui/project/ProjectCommands.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

void typeInto(QComboBox* combo, const QString& text)
{
    retype(combo->lineEdit(), text);
}

TEST(Wizard, PagesTitlesAndButtons)
{
    CPorjectNewWizard wizard;
    EXPECT_EQ(wizard.windowTitle(), "新建工程向导");
    EXPECT_EQ(wizard.basicPage()->title(), "新建 3 之 1");
    EXPECT_EQ(wizard.airRoomPage()->title(), "新建 3 之 2");
    EXPECT_EQ(wizard.pressurePage()->title(), "新建 3之 3");
    EXPECT_TRUE(wizard.testOption(QWizard::NoBackButtonOnStartPage));
    EXPECT_TRUE(child<QRadioButton>(wizard.basicPage(), "siUnits")->isChecked());
    EXPECT_TRUE(textOf(wizard.basicPage(), "projectName").isEmpty());
}

TEST(Wizard, SecondPageStartsWithTheSelectorsBoxesDisabled)
{
    CPorjectNewWizard wizard;
    QWidget* page = wizard.airRoomPage();
    EXPECT_FALSE(child<QLineEdit>(page, "summerOutRH")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(page, "summerOutTw")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(page, "summerInTw")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(page, "summerInRH")->isEnabled());
    EXPECT_EQ(textOf(page, "winterOutT"), "-4.0");
    EXPECT_EQ(textOf(page, "winterInT"), "20.0");
    EXPECT_EQ(textOf(page, "coolingLoad"), "1000");
    EXPECT_EQ(textOf(page, "winterFreshAir"), "");
}

TEST(Wizard, EngineeringUnitsOnPageOneConvertTheLoadsOnPageTwo)
{
    RecordingMessages messages;
    CPorjectNewWizard wizard;
    wizard.show();
    QWidget* page = wizard.airRoomPage();
    QTest::mouseClick(child<QRadioButton>(wizard.basicPage(), "engineeringUnits"), Qt::LeftButton);
    wizard.next();
    ASSERT_EQ(wizard.currentId(), CPorjectNewWizard::kAirRoomPage);
    EXPECT_EQ(textOf(page, "coolingLoad"), "859845");
    EXPECT_EQ(child<QLabel>(page, "coolingUnit")->text(), "kcal/h");
    EXPECT_EQ(child<QLabel>(page, "heatUnit")->text(), "kcal/h");

    wizard.back();
    retype(page, "coolingLoad", "1.000");
    QTest::mouseClick(child<QRadioButton>(wizard.basicPage(), "siUnits"), Qt::LeftButton);
    wizard.next();
    EXPECT_EQ(textOf(page, "coolingLoad"), "0.001") << "shown in kcal/h, converted back to kW";
    wizard.back();
    QTest::mouseClick(child<QRadioButton>(wizard.basicPage(), "engineeringUnits"), Qt::LeftButton);
    retype(page, "coolingLoad", "1.000");
    wizard.next();
    EXPECT_EQ(textOf(page, "coolingLoad"), "860");
    wizard.hide();
}

TEST(Wizard, NextOnPageTwoRunsTheEditorsChecks)
{
    RecordingMessages messages;
    CPorjectNewWizard wizard;
    wizard.show();
    wizard.next();
    wizard.next();
    EXPECT_EQ(wizard.currentId(), CPorjectNewWizard::kAirRoomPage);
    EXPECT_THAT(messages.texts(), ElementsAre("没有输入服务区域名称，建议重输!"));
    wizard.hide();
}

TEST(Wizard, PageThreeComputesTheDensitiesOnFinish)
{
    CPorjectNewWizard wizard;
    QWidget* page = wizard.pressurePage();
    EXPECT_EQ(textOf(page, "summerPressure"), "101325");
    EXPECT_EQ(textOf(page, "summerMoisture"), "0.0056");
    EXPECT_EQ(textOf(page, "summerDryBulb"), "20.0");
    EXPECT_EQ(textOf(page, "summerDensity"), "1.200");
    EXPECT_EQ(child<QLineEdit>(page, "summerPressure")->property("controlId").toInt(), 1129);
    retype(page, "winterDryBulb", "-9");
    retype(page, "winterDensity", "");
    EXPECT_TRUE(wizard.pressurePage()->validatePage());
    EXPECT_EQ(textOf(page, "winterDensity"), "1.332");
    EXPECT_EQ(textOf(page, "summerDensity"), "1.200");
}

// The whole command: location, the three pages, the project in the model.
class NewProjectCommand : public ::testing::Test {
protected:
    RecordingMessages messages;
    QTemporaryDir folder;
    CQORVADoc document;
    CMainFrame frame{document};

    void fillLocation(QWidget* dialog, const QString& name)
    {
        static_cast<CNewProjectFolderDlg*>(dialog)->setFolder(folder.path());
        retype(dialog, "fileName", name);
        press(dialog, "ok");
    }

    static void fillWizard(QWidget* modal)
    {
        auto* wizard = static_cast<CPorjectNewWizard*>(modal);
        QWidget* basic = wizard->basicPage();
        retype(basic, "projectName", "办公楼空调");
        QTest::mouseClick(child<QRadioButton>(basic, "engineeringUnits"), Qt::LeftButton);
        wizard->next();

        QWidget* page = wizard->airRoomPage();
        retype(page, "summerOutT", "35.0");
        retype(page, "summerOutTw", "27.5");
        QTest::mouseClick(child<QRadioButton>(page, "winterOutByRH"), Qt::LeftButton);
        retype(page, "winterOutT", "-9.0");
        retype(page, "winterOutRH", "40");
        typeInto(child<QComboBox>(page, "systemName"), "空调系统1");
        press(page, "addSystem");
        typeInto(child<QComboBox>(page, "roomName"), "办公室101");
        retype(page, "summerInT", "26.0");
        retype(page, "summerInRH", "55");
        retype(page, "coolingLoad", "4299");
        retype(page, "summerMoistLoad", "0.8");
        retype(page, "summerFreshAir", "300");
        retype(page, "winterInT", "20.0");
        QTest::mouseClick(child<QRadioButton>(page, "winterInByTw"), Qt::LeftButton);
        retype(page, "winterInTw", "12.5");
        retype(page, "heatLoad", "3439");
        retype(page, "winterMoistLoad", "0.2");
        retype(page, "winterFreshAir", "250");
        press(page, "addRoom");
        typeInto(child<QComboBox>(page, "roomName"), "会议室");
        retype(page, "coolingLoad", "8598");
        press(page, "addRoom");
        wizard->next();
        ASSERT_EQ(wizard->currentId(), CPorjectNewWizard::kPressurePage);

        QWidget* pressure = wizard->pressurePage();
        retype(pressure, "summerPressure", "100000");
        retype(pressure, "summerMoisture", "0.0190");
        retype(pressure, "summerDryBulb", "35.0");
        retype(pressure, "winterPressure", "102000");
        retype(pressure, "winterMoisture", "0.0008");
        retype(pressure, "winterDryBulb", "-9.0");
        wizard->next();
        wizard->accept();
    }
};

TEST_F(NewProjectCommand, EveryValueOfTheWizardLandsInTheChartModel)
{
    DocumentTestAccess::model(document).m_nPointRadius = 4; // a setting of the project shown before
    whenModal([this](QWidget* dialog) {
        fillLocation(dialog, "办公楼");
        whenModal(fillWizard);
    });
    frame.action(cmd::FileNew)->trigger();

    const CIDG& idg = DocumentTestAccess::model(document);
    EXPECT_EQ(idg.m_strProjectName, "办公楼空调");
    EXPECT_EQ(idg.m_nUnitSystem, 0);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutT, 35.0f);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fSummerOutTw, 27.5f);
    EXPECT_EQ(idg.m_rooms.m_bSummerOutByRH, 0);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fWinterOutT, -9.0f);
    EXPECT_FLOAT_EQ(idg.m_rooms.m_fWinterOutRH, 40.0f);
    EXPECT_EQ(idg.m_rooms.m_bWinterOutByRH, 1);
    ASSERT_EQ(idg.m_rooms.m_systems.size(), 1u);
    const CAcSystem& system = *idg.m_rooms.m_systems[0];
    EXPECT_EQ(system.m_strName, "空调系统1");
    ASSERT_EQ(system.m_rooms.size(), 2u);
    const CServiceArea& office = *system.m_rooms[0];
    EXPECT_EQ(office.m_strName, "办公室101");
    EXPECT_EQ(office.m_strSummerInName, "N");
    EXPECT_FLOAT_EQ(office.m_fSummerInT, 26.0f);
    EXPECT_FLOAT_EQ(office.m_fSummerInRH, 55.0f);
    EXPECT_EQ(office.m_bSummerInByRH, 1);
    EXPECT_NEAR(office.m_fSummerLoad, 4299 * 0.0011630003, 1e-5);
    EXPECT_FLOAT_EQ(office.m_fSummerMoistLoad, 0.8f);
    EXPECT_FLOAT_EQ(office.m_fSummerFreshAir, 300.0f);
    EXPECT_FLOAT_EQ(office.m_fWinterInT, 20.0f);
    EXPECT_FLOAT_EQ(office.m_fWinterInTw, 12.5f);
    EXPECT_EQ(office.m_bWinterInByRH, 0);
    EXPECT_NEAR(office.m_fWinterLoad, 3439 * 0.0011630003, 1e-5);
    EXPECT_FLOAT_EQ(office.m_fWinterMoistLoad, 0.2f);
    EXPECT_FLOAT_EQ(office.m_fWinterFreshAir, 250.0f);
    EXPECT_EQ(system.m_rooms[1]->m_strName, "会议室");
    EXPECT_NEAR(system.m_rooms[1]->m_fSummerLoad, 10.0, 1e-3);

    EXPECT_FLOAT_EQ(idg.m_fSummerPressure, 100000);
    EXPECT_FLOAT_EQ(idg.m_fSummerAirD, 0.019f);
    EXPECT_FLOAT_EQ(idg.m_fSummerAirT, 35.0f);
    EXPECT_FLOAT_EQ(idg.m_fSummerDensity, 1.118f);
    EXPECT_FLOAT_EQ(idg.m_fWinterPressure, 102000);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirD, 0.0008f);
    EXPECT_FLOAT_EQ(idg.m_fWinterAirT, -9.0f);
    EXPECT_FLOAT_EQ(idg.m_fWinterDensity, 1.345f);

    EXPECT_EQ(idg.m_nPointRadius, 4);
    EXPECT_TRUE(document.m_bProjectOpen);
    EXPECT_EQ(document.pathName(), (folder.path() + "/办公楼.ID").toStdString());
    EXPECT_EQ(document.CurrentConditionCode(), kConditionNormal);
    EXPECT_EQ(frame.systemList()->currentText(), "空调系统1");
    EXPECT_EQ(frame.roomList()->count(), 2);
    EXPECT_EQ(frame.recentFiles().files().value(0), folder.path() + "/办公楼.ID");
    EXPECT_TRUE(frame.action(cmd::SystemRoom)->isEnabled());
    // Saved at once: either the file is there and the project unmodified, or
    // the save said why it failed and the project stays modified.
    EXPECT_EQ(QFile::exists(folder.path() + "/办公楼.ID"), !document.IsModified());
}

TEST_F(NewProjectCommand, TheSavedProjectOpensWithEveryValueBack)
{
    whenModal([this](QWidget* dialog) {
        fillLocation(dialog, "往返");
        whenModal(fillWizard);
    });
    frame.action(cmd::FileNew)->trigger();
    const QString path = folder.path() + "/往返.ID";
    ASSERT_TRUE(QFile::exists(path)) << "a new project is saved at once";
    EXPECT_FALSE(document.IsModified());

    CQORVADoc reopened;
    CMainFrame other(reopened);
    ASSERT_TRUE(other.OpenProject(path));
    const CIDG& a = DocumentTestAccess::model(document);
    const CIDG& b = DocumentTestAccess::model(reopened);
    EXPECT_EQ(b.m_strProjectName, a.m_strProjectName);
    EXPECT_EQ(b.m_nUnitSystem, 0);
    EXPECT_EQ(b.m_rooms.m_strSummerOutName, a.m_rooms.m_strSummerOutName);
    EXPECT_FLOAT_EQ(b.m_rooms.m_fSummerOutT, 35.0f);
    EXPECT_FLOAT_EQ(b.m_rooms.m_fSummerOutTw, 27.5f);
    EXPECT_FLOAT_EQ(b.m_rooms.m_fWinterOutRH, 40.0f);
    EXPECT_EQ(b.m_rooms.m_bWinterOutByRH, 1);
    ASSERT_EQ(b.m_rooms.m_systems.size(), 1u);
    ASSERT_EQ(b.m_rooms.m_systems[0]->m_rooms.size(), 2u);
    for (std::size_t r = 0; r < 2; ++r) {
        const CServiceArea& x = *a.m_rooms.m_systems[0]->m_rooms[r];
        const CServiceArea& y = *b.m_rooms.m_systems[0]->m_rooms[r];
        EXPECT_EQ(y.m_strName, x.m_strName);
        EXPECT_EQ(y.m_strSummerInName, x.m_strSummerInName);
        EXPECT_FLOAT_EQ(y.m_fSummerInT, x.m_fSummerInT);
        EXPECT_FLOAT_EQ(y.m_fSummerInRH, x.m_fSummerInRH);
        EXPECT_FLOAT_EQ(y.m_fSummerLoad, x.m_fSummerLoad);
        EXPECT_FLOAT_EQ(y.m_fSummerMoistLoad, x.m_fSummerMoistLoad);
        EXPECT_FLOAT_EQ(y.m_fSummerFreshAir, x.m_fSummerFreshAir);
        EXPECT_FLOAT_EQ(y.m_fWinterInT, x.m_fWinterInT);
        EXPECT_FLOAT_EQ(y.m_fWinterInTw, x.m_fWinterInTw);
        EXPECT_EQ(y.m_bWinterInByRH, x.m_bWinterInByRH);
        EXPECT_FLOAT_EQ(y.m_fWinterLoad, x.m_fWinterLoad);
        EXPECT_FLOAT_EQ(y.m_fWinterMoistLoad, x.m_fWinterMoistLoad);
        EXPECT_FLOAT_EQ(y.m_fWinterFreshAir, x.m_fWinterFreshAir);
    }
    EXPECT_FLOAT_EQ(b.m_fSummerPressure, 100000);
    EXPECT_FLOAT_EQ(b.m_fSummerDensity, 1.118f);
    EXPECT_FLOAT_EQ(b.m_fWinterPressure, 102000);
    EXPECT_FLOAT_EQ(b.m_fWinterAirD, 0.0008f);
    EXPECT_FLOAT_EQ(b.m_fWinterAirT, -9.0f);
    EXPECT_FLOAT_EQ(b.m_fWinterDensity, 1.345f);
    EXPECT_EQ(other.roomList()->count(), 2);
}

TEST_F(NewProjectCommand, CancellingTheWizardKeepsTheProjectShownBefore)
{
    DocumentTestAccess::model(document).m_rooms.AddSystem("旧系统");
    DocumentTestAccess::model(document).m_rooms.AddRoom("旧系统", "旧房间");
    document.m_bProjectOpen = true;
    document.SetPathName("/tmp/old.id");
    whenModal([this](QWidget* dialog) {
        fillLocation(dialog, "新工程");
        whenModal([](QWidget* wizard) { static_cast<QWizard*>(wizard)->reject(); });
    });
    frame.action(cmd::FileNew)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems.size(), 1u);
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_strName, "旧系统");
    EXPECT_EQ(document.pathName(), "/tmp/old.id");
}

TEST_F(NewProjectCommand, AnExistingFileBringsTheLocationBack)
{
    QFile existing(folder.path() + "/旧工程.ID");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    whenModal([this](QWidget* dialog) {
        fillLocation(dialog, "旧工程");
        whenModal([this](QWidget* again) {
            EXPECT_EQ(textOf(again, "fileName"), "旧工程") << "the user's entry is kept";
            press(again, "cancel");
        });
    });
    frame.action(cmd::FileNew)->trigger();
    EXPECT_THAT(messages.texts(), ElementsAre("工程已经存在!"));
    EXPECT_FALSE(document.m_bProjectOpen);
}

} // namespace
