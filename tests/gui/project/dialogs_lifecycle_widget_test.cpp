#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/ModalDriver.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"
#include "translations/Language.h"

namespace {

// Presses the button of a message box that carries this text.
void answer(QWidget* box, const QString& buttonText)
{
    for (QPushButton* button : box->findChildren<QPushButton*>())
        if (button->text() == buttonText) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << buttonText.toStdString();
}

class Lifecycle : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame{document};

    // The save question carries Qt's own Yes/No/Cancel, which Qt's catalogue
    // puts into Chinese as it does for the program.
    void SetUp() override
    {
        ASSERT_TRUE(installLanguage(UiLanguage::Chinese));
        DocumentTestAccess::model(document).m_rooms.AddSystem("空调系统1");
        DocumentTestAccess::model(document).m_rooms.AddRoom("空调系统1", "办公室");
        DocumentTestAccess::model(document).m_strProjectName = "旧工程";
        DocumentTestAccess::model(document).m_nUnitSystem = 0;
        document.m_bProjectOpen = true;
        frame.FillToolbarCombos();
        frame.updateCommandStates();
    }
    void TearDown() override { removeLanguage(); }
};

TEST_F(Lifecycle, BasicParametersOpenWithTheProjectAndStoreOnOk)
{
    whenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "基本参数输入框");
        EXPECT_EQ(textOf(dialog, "projectName"), "旧工程");
        EXPECT_TRUE(child<QRadioButton>(dialog, "engineeringUnits")->isChecked());
        retype(dialog, "projectName", "新名称");
        QTest::mouseClick(child<QRadioButton>(dialog, "siUnits"), Qt::LeftButton);
        press(dialog, "ok");
    });
    frame.action(cmd::BasicParams)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_strProjectName, "新名称");
    EXPECT_EQ(DocumentTestAccess::model(document).m_nUnitSystem, 1);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(Lifecycle, BasicParametersCancelChangesNothing)
{
    whenModal([](QWidget* dialog) {
        retype(dialog, "projectName", "不要");
        press(dialog, "cancel");
    });
    frame.action(cmd::BasicParams)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_strProjectName, "旧工程");
    EXPECT_FALSE(document.IsModified());
}

TEST_F(Lifecycle, NewProjectAsksToSaveAModifiedProjectFirst)
{
    document.SetModifiedFlag(true);
    bool locationShown = false;
    whenModal([](QWidget* box) {
        EXPECT_NE(qobject_cast<QMessageBox*>(box), nullptr);
        answer(box, "取消");
    });
    frame.action(cmd::FileNew)->trigger();
    QTest::qWait(50);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(DocumentTestAccess::model(document).m_strProjectName, "旧工程");

    whenModal([&locationShown](QWidget* box) {
        answer(box, "否(&N)");
        whenModal([&locationShown](QWidget* location) {
            locationShown = qobject_cast<CNewProjectFolderDlg*>(location) != nullptr;
            press(location, "cancel");
        });
    });
    frame.action(cmd::FileNew)->trigger();
    EXPECT_TRUE(locationShown);
    EXPECT_TRUE(document.IsModified()) << "cancelling the new project loses nothing";
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems.size(), 1u);
}

TEST_F(Lifecycle, ExitWithAModifiedProjectCanBeCancelled)
{
    frame.show();
    document.SetModifiedFlag(true);
    whenModal([](QWidget* box) { answer(box, "取消"); });
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    document.SetModifiedFlag(false);
    EXPECT_TRUE(frame.close()) << "an unmodified project closes without a question";
}

} // namespace
