#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "analysis/Binding.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/CSystemRoomDlg.h"
#include "gui/project/CSystemRoomEditor.h"
#include "gui/project/ModalDriver.h"
#include "gui/project/ProjectCommands.h"
#include "gui/widgets/NumberValidator.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

void typeInto(QComboBox* combo, const QString& text)
{
    retype(combo->lineEdit(), text);
}

CAir_Room officeProject()
{
    CAir_Room project;
    project.AddSystem("空调系统1");
    project.AddRoom("空调系统1", "办公室");
    project.AddRoom("空调系统1", "会议室");
    project.FindSystem("空调系统1")->FindRoom("办公室")->m_fSummerLoad = 5.5f;
    auto point = std::make_unique<CStatePoint>();
    point->m_strName = std::string("送风点");
    project.FindSystem("空调系统1")
        ->FindRoom("办公室")
        ->m_points[kConditionSummer]
        .push_back(std::move(point));
    return project;
}

class SystemRoomDialog : public ::testing::Test {
protected:
    RecordingMessages messages;
    CAir_Room project = officeProject();
    CSystemRoomDlg dialog{project, 1};
    QComboBox* system = child<QComboBox>(&dialog, "systemName");
    QComboBox* room = child<QComboBox>(&dialog, "roomName");
};

TEST_F(SystemRoomDialog, ShowsTheProjectsFirstSystemAndRoom)
{
    EXPECT_EQ(dialog.windowTitle(), "系统-房间(室内外状态点)参数输入框");
    EXPECT_EQ(itemsOf(system), QStringList({"空调系统1"}));
    EXPECT_EQ(itemsOf(room), QStringList({"办公室", "会议室"}));
    EXPECT_EQ(room->currentText(), "办公室");
    EXPECT_EQ(textOf(&dialog, "coolingLoad"), "5.500");
    EXPECT_EQ(child<QLabel>(&dialog, "coolingUnit")->text(), "kW");
    EXPECT_EQ(textOf(&dialog, "summerOutName"), "W");
    EXPECT_EQ(textOf(&dialog, "summerOutT"), "34.0");
    EXPECT_EQ(textOf(&dialog, "summerOutTw"), "28.2");
}

TEST_F(SystemRoomDialog, SelectorsEnableTheMatchingValueBox)
{
    auto* byTw = child<QRadioButton>(&dialog, "summerOutByTw");
    auto* byRH = child<QRadioButton>(&dialog, "summerOutByRH");
    auto* tw = child<QLineEdit>(&dialog, "summerOutTw");
    auto* rh = child<QLineEdit>(&dialog, "summerOutRH");
    EXPECT_TRUE(byTw->isChecked());
    EXPECT_TRUE(tw->isEnabled());
    EXPECT_FALSE(rh->isEnabled());
    QTest::mouseClick(byRH, Qt::LeftButton);
    EXPECT_FALSE(tw->isEnabled());
    EXPECT_TRUE(rh->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(&dialog, "summerInTw")->isEnabled()) << "indoor states by humidity";
    EXPECT_TRUE(child<QLineEdit>(&dialog, "winterInRH")->isEnabled());
}

TEST_F(SystemRoomDialog, NumericBoxesTakeOnlyDigitsPointAndALeadingMinus)
{
    auto* t = child<QLineEdit>(&dialog, "summerOutT");
    retype(t, "");
    QTest::keyClicks(t, "-1a2.5-e");
    EXPECT_EQ(t->text(), "-12.5");
    EXPECT_EQ(child<QLineEdit>(&dialog, "summerInName")->validator(), nullptr) << "names are free text";

    NumberValidator validator;
    struct Case {
        const char* text;
        QValidator::State state;
    };
    const Case cases[] = {{"", QValidator::Acceptable},     {"-", QValidator::Acceptable},
                          {"12.5", QValidator::Acceptable}, {"1-2", QValidator::Invalid},
                          {"1e5", QValidator::Invalid},     {"１２", QValidator::Invalid},
                          {" 1", QValidator::Invalid}};
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        int position = 0;
        EXPECT_EQ(validator.validate(text, position), c.state) << c.text;
    }
}

TEST_F(SystemRoomDialog, ButtonsShowTheEditorsMessages)
{
    typeInto(system, "空调系统1");
    press(&dialog, "addSystem");
    typeInto(room, "会议室");
    press(&dialog, "addRoom");
    EXPECT_THAT(messages.texts(),
                ElementsAre("该系统名称已经存在!请重新取名!", "该服务区域已经存在!请重新取名!"));

    messages.clear();
    press(&dialog, "removeSystem");
    EXPECT_THAT(messages.texts(), ElementsAre("您确认要删除该系统吗?", "每一工程应至少包含一个系统!"));
}

TEST_F(SystemRoomDialog, AddingASystemAndARoomThroughTheControls)
{
    typeInto(system, "新风系统");
    press(&dialog, "addSystem");
    EXPECT_EQ(itemsOf(system), QStringList({"空调系统1", "新风系统"}));
    EXPECT_EQ(room->count(), 0);
    EXPECT_EQ(textOf(&dialog, "coolingLoad"), "0.000");
    EXPECT_EQ(textOf(&dialog, "winterInT"), "25.0");
    typeInto(room, "大厅");
    retype(&dialog, "coolingLoad", "12.5");
    retype(&dialog, "summerFreshAir", "1500");
    press(&dialog, "addRoom");
    EXPECT_EQ(itemsOf(room), QStringList({"大厅"}));
    EXPECT_TRUE(messages.entries.empty());

    whenModal([](QWidget* modal) { press(modal, "ok"); });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    const CAir_Room result = dialog.TakeResult();
    const CServiceArea* hall = result.FindSystem("新风系统")->FindRoom("大厅");
    ASSERT_NE(hall, nullptr);
    EXPECT_FLOAT_EQ(hall->m_fSummerLoad, 12.5f);
    EXPECT_FLOAT_EQ(hall->m_fSummerFreshAir, 1500.0f);
    const CServiceArea* office = result.FindSystem("空调系统1")->FindRoom("办公室");
    ASSERT_EQ(office->m_points[kConditionSummer].size(), 1u) << "drawings travel with the room";
    EXPECT_NE(office->m_points[kConditionSummer][0].get(),
              project.FindSystem("空调系统1")->FindRoom("办公室")->m_points[kConditionSummer][0].get());
}

TEST_F(SystemRoomDialog, ANameThatBeginsLikeAnExistingOneIsTakenAsTyped)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    typeInto(system, "AHU-1");
    press(&dialog, "addSystem");
    system->setFocus();
    system->lineEdit()->selectAll();
    QTest::keyClick(system->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(system->lineEdit(), "AHU");
    press(&dialog, "addSystem");
    EXPECT_EQ(itemsOf(system), QStringList({"空调系统1", "AHU-1", "AHU"}));
    EXPECT_TRUE(messages.entries.empty());
    dialog.hide();
}

TEST_F(SystemRoomDialog, ChoosingARoomInTheBoxKeepsWhatWasTyped)
{
    retype(&dialog, "summerInT", "23.5");
    room->setCurrentIndex(1);
    emit room->activated(1);
    EXPECT_EQ(textOf(&dialog, "summerInT"), "25.0");
    room->setCurrentIndex(0);
    emit room->activated(0);
    EXPECT_EQ(textOf(&dialog, "summerInT"), "23.5");
}

TEST_F(SystemRoomDialog, OkIsRefusedWhileAnOutdoorStateIsZero)
{
    retype(&dialog, "summerOutT", "0");
    whenModal([this](QWidget* modal) {
        press(modal, "ok");
        EXPECT_TRUE(modal->isVisible());
        EXPECT_THAT(messages.texts(), ElementsAre("室外状态点参数太小!"));
        press(modal, "cancel");
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

class SystemRoomCommand : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    CMainFrame frame{document};

    void SetUp() override
    {
        DocumentTestAccess::model(document).m_rooms = officeProject();
        document.m_bProjectOpen = true;
        frame.FillToolbarCombos();
        BindCurrentRoom(DocumentTestAccess::model(document));
        frame.updateCommandStates();
    }
};

TEST_F(SystemRoomCommand, CancelLeavesTheProjectAsItWas)
{
    ASSERT_TRUE(frame.action(cmd::SystemRoom)->isEnabled());
    CStatePoint* before = DocumentTestAccess::model(document).m_rooms.RoomAt(0, 0)->m_points[kConditionSummer][0].get();
    whenModal([](QWidget* modal) {
        auto* system = child<QComboBox>(modal, "systemName");
        typeInto(system, "新系统");
        press(modal, "addSystem");
        press(modal, "cancel");
    });
    frame.action(cmd::SystemRoom)->trigger();
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems.size(), 1u);
    EXPECT_EQ(DocumentTestAccess::model(document).m_rooms.RoomAt(0, 0)->m_points[kConditionSummer][0].get(), before);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(SystemRoomCommand, OkReplacesTheSystemsAndRefillsTheToolbar)
{
    whenModal([](QWidget* modal) {
        typeInto(child<QComboBox>(modal, "systemName"), "新风系统");
        press(modal, "addSystem");
        typeInto(child<QComboBox>(modal, "roomName"), "大厅");
        press(modal, "addRoom");
        press(modal, "ok");
    });
    frame.action(cmd::SystemRoom)->trigger();
    ASSERT_EQ(DocumentTestAccess::model(document).m_rooms.m_systems.size(), 2u);
    EXPECT_EQ(itemsOf(frame.systemList()), QStringList({"空调系统1", "新风系统"}));
    EXPECT_EQ(itemsOf(frame.roomList()), QStringList({"办公室", "会议室"}));
    EXPECT_TRUE(document.IsModified());
    const CServiceArea* office = DocumentTestAccess::model(document).m_rooms.RoomAt(0, 0);
    EXPECT_FLOAT_EQ(office->m_fSummerLoad, 5.5f);
    EXPECT_EQ(DocumentTestAccess::model(document).m_pPoints, &office->m_points[office->m_nCondition]);
}

} // namespace
