#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "model/ChartFormulas.h"
#include "model/CIDG.h"
#include "project/SystemRoomEdit.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Variant = SystemRoomEdit::Variant;

// A project with two systems: 空调系统1 with 办公室 and 会议室, 新风系统 with 大厅.
CAir_Room sampleProject()
{
    CAir_Room project;
    project.m_fSummerOutT = 35.0f;
    project.m_fSummerOutTw = 27.5f;
    project.m_fWinterOutT = -9.0f;
    project.m_fWinterOutRH = 40.0f;
    project.m_bWinterOutByRH = 1;
    project.AddSystem("空调系统1");
    project.AddRoom("空调系统1", "办公室");
    project.AddRoom("空调系统1", "会议室");
    project.AddSystem("新风系统");
    project.AddRoom("新风系统", "大厅");
    CServiceArea* office = project.FindSystem("空调系统1")->FindRoom("办公室");
    office->m_fSummerLoad = 5.5f;
    office->m_fSummerInT = 26.0f;
    office->m_fSummerInRH = 55.0f;
    office->m_fSummerMoistLoad = 0.8f;
    office->m_fSummerFreshAir = 300.0f;
    office->m_fWinterLoad = 4.0f;
    office->m_fWinterInT = 20.0f;
    office->m_fWinterInRH = 40.0f;
    return project;
}

class DialogEditor : public ::testing::Test {
protected:
    RecordingMessages messages;
    CAir_Room project = sampleProject();
    SystemRoomEdit edit{Variant::Dialog};

    void SetUp() override { edit.Load(project, 1); }
};

TEST_F(DialogEditor, OpensOnTheFirstSystemAndItsFirstRoom)
{
    EXPECT_THAT(edit.systemNames(), ElementsAre("空调系统1", "新风系统"));
    EXPECT_THAT(edit.roomNames(), ElementsAre("办公室", "会议室"));
    EXPECT_EQ(edit.systemSelection(), 0);
    EXPECT_EQ(edit.roomSelection(), 0);
    EXPECT_EQ(edit.systemText, "空调系统1");
    EXPECT_EQ(edit.roomText, "办公室");
    EXPECT_EQ(edit.room.summerT, "26.0");
    EXPECT_EQ(edit.room.summerRH, "55");
    EXPECT_EQ(edit.room.coolingLoad, "5.500");
    EXPECT_EQ(edit.room.summerMoistLoad, "0.800");
    EXPECT_EQ(edit.room.summerFreshAir, "300");
    EXPECT_EQ(edit.room.heatLoad, "4.000");
    EXPECT_EQ(edit.outdoor.summerT, "35.0");
    EXPECT_EQ(edit.outdoor.summerTw, "27.5");
    EXPECT_FALSE(edit.outdoor.summerByRH);
    EXPECT_EQ(edit.outdoor.winterRH, "40");
    EXPECT_TRUE(edit.outdoor.winterByRH);
    EXPECT_STREQ(edit.loadUnitLabel(), "kW");
}

// The field a state is not given by shows its computed value, not the 0 the
// record holds for it; what is written back is only the given property.
TEST_F(DialogEditor, ReadOnlyHumidityFieldsShowComputedValues)
{
    using namespace formulas;
    const auto text = [](const char* pattern, double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, pattern, value);
        return std::string(buffer);
    };
    // Summer outdoor 35 °C with wet bulb 27.5 °C: x from the wet-bulb line.
    const double xOut =
        solve([](double x) { return enthalpy(35.0, x) - wetBulbLineEnthalpy(27.5, x); }, 0.0, 0.05);
    const double xIn = moisture(26.0, 0.55), xWinter = moisture(20.0, 0.40);
    struct Case {
        const std::string& shown;
        std::string expected;
    };
    const Case cases[] = {
        {edit.outdoor.summerRH, text("%.0f", relativeHumidity(xOut, enthalpy(35.0, xOut)) * 100.0)},
        {edit.room.summerTw, text("%.1f", wetBulb(xIn, enthalpy(26.0, xIn)))},
        {edit.room.winterTw, text("%.1f", wetBulb(xWinter, enthalpy(20.0, xWinter)))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, c.expected);
    EXPECT_NE(edit.outdoor.summerRH, "0");
    ASSERT_TRUE(edit.Validate());
    const CAir_Room& result = edit.working();
    EXPECT_EQ(result.m_fSummerOutRH, 0.0f);
    EXPECT_EQ(result.FindSystem("空调系统1")->FindRoom("办公室")->m_fSummerInTw, 0.0f);
}

TEST_F(DialogEditor, AddingASystemChecksItsNameAndResetsTheRoomFields)
{
    edit.systemText = "   ";
    EXPECT_FALSE(edit.AddSystem());
    edit.systemText = " 空调系统1 ";
    EXPECT_FALSE(edit.AddSystem());
    EXPECT_THAT(messages.texts(), ElementsAre("系统名称不能为空!", "该系统名称已经存在!请重新取名!"));
    EXPECT_EQ(edit.systemNames().size(), 2u);

    edit.systemText = " 排风系统 ";
    ASSERT_TRUE(edit.AddSystem());
    EXPECT_THAT(edit.systemNames(), ElementsAre("空调系统1", "新风系统", "排风系统"));
    EXPECT_EQ(edit.systemSelection(), 2);
    EXPECT_THAT(edit.roomNames(), IsEmpty());
    EXPECT_EQ(edit.roomText, "");
    EXPECT_EQ(edit.room.summerName, "N");
    EXPECT_EQ(edit.room.winterName, "N");
    EXPECT_EQ(edit.room.summerT, "25.0");
    EXPECT_EQ(edit.room.winterT, "25.0");
    EXPECT_EQ(edit.room.coolingLoad, "0.000");
    EXPECT_EQ(edit.room.heatLoad, "0.000");
    EXPECT_EQ(edit.room.summerMoistLoad, "0.000");
    EXPECT_EQ(edit.room.summerRH, "50");
    EXPECT_EQ(edit.room.summerTw, "0.0");
    EXPECT_EQ(edit.room.winterFreshAir, "0");
    EXPECT_TRUE(edit.room.summerByRH);
    EXPECT_TRUE(edit.room.winterByRH);
}

TEST_F(DialogEditor, RemovingASystemAsksFirstAndKeepsAtLeastOne)
{
    messages.answer = false;
    edit.systemText = "新风系统";
    EXPECT_FALSE(edit.RemoveSystem());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "您确认要删除该系统吗?");
    EXPECT_EQ(messages.entries[0].caption, "请注意");
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(messages.entries[0].question);
    EXPECT_EQ(edit.systemNames().size(), 2u);

    messages.clear();
    messages.answer = true;
    edit.systemText = "";
    EXPECT_FALSE(edit.RemoveSystem());
    edit.systemText = "无此系统";
    EXPECT_FALSE(edit.RemoveSystem());
    EXPECT_THAT(messages.texts(), ElementsAre("您确认要删除该系统吗?", "请先选择要删除的系统名称!",
                                              "您确认要删除该系统吗?", "请选择正确的系统名称!"));

    edit.systemText = "空调系统1";
    ASSERT_TRUE(edit.RemoveSystem());
    EXPECT_THAT(edit.systemNames(), ElementsAre("新风系统"));
    EXPECT_EQ(edit.systemText, "新风系统");
    EXPECT_THAT(edit.roomNames(), ElementsAre("大厅"));
    EXPECT_EQ(edit.roomText, "大厅");

    messages.clear();
    EXPECT_FALSE(edit.RemoveSystem());
    EXPECT_THAT(messages.texts(), ElementsAre("您确认要删除该系统吗?", "每一工程应至少包含一个系统!"));
    EXPECT_THAT(edit.systemNames(), ElementsAre("新风系统"));
}

TEST_F(DialogEditor, AddingARoomChecksItsSystemAndNameThenStoresTheFields)
{
    edit.systemText = "";
    edit.roomText = "档案室";
    EXPECT_FALSE(edit.AddRoom());
    edit.systemText = "未加入的系统";
    EXPECT_FALSE(edit.AddRoom());
    edit.systemText = "空调系统1";
    edit.roomText = " ";
    EXPECT_FALSE(edit.AddRoom());
    edit.roomText = "会议室";
    EXPECT_FALSE(edit.AddRoom());
    EXPECT_THAT(messages.texts(), ElementsAre("请先选择该服务区域所属的系统!",
                                              "服务区域必须属于已存在的系统，请先将系统名称追加进系统中!",
                                              "服务区域不能为空!", "该服务区域已经存在!请重新取名!"));

    edit.roomText = " 档案室 ";
    edit.room.summerT = "24.0";
    edit.room.coolingLoad = "2.25";
    ASSERT_TRUE(edit.AddRoom());
    EXPECT_THAT(edit.roomNames(), ElementsAre("办公室", "会议室", "档案室"));
    EXPECT_EQ(edit.roomSelection(), 2);
    const CServiceArea* added = edit.working().FindSystem("空调系统1")->FindRoom("档案室");
    ASSERT_NE(added, nullptr);
    EXPECT_FLOAT_EQ(added->m_fSummerInT, 24.0f);
    EXPECT_FLOAT_EQ(added->m_fSummerLoad, 2.25f);
    EXPECT_EQ(added->m_nCondition, kConditionSummer) << "a new room starts from the defaults";
    EXPECT_EQ(added->m_anaW[3].i, -1);
}

TEST_F(DialogEditor, AddingARoomWithoutIndoorNamesAddsNothing)
{
    edit.roomText = "档案室";
    edit.room.winterName = "";
    EXPECT_FALSE(edit.AddRoom());
    EXPECT_THAT(messages.texts(), ElementsAre("没有室内输入状态点名称，建议重输!"));
    EXPECT_THAT(edit.roomNames(), ElementsAre("办公室", "会议室"));
}

TEST_F(DialogEditor, RemovingARoomChecksEveryNameAndKeepsOneRoomPerSystem)
{
    edit.systemText = "";
    EXPECT_FALSE(edit.RemoveRoom());
    edit.systemText = "未加入的系统";
    EXPECT_FALSE(edit.RemoveRoom());
    edit.systemText = "空调系统1";
    edit.roomText = "";
    EXPECT_FALSE(edit.RemoveRoom());
    edit.roomText = "无此房间";
    EXPECT_FALSE(edit.RemoveRoom());
    edit.systemText = "新风系统";
    edit.roomText = "大厅";
    EXPECT_FALSE(edit.RemoveRoom());
    std::vector<std::string> refusals;
    for (const auto& entry : messages.entries)
        if (!entry.question)
            refusals.push_back(entry.text);
    EXPECT_THAT(refusals,
                ElementsAre("请先选择该服务区域所属的系统!",
                            "服务区域必须属于已存在的系统，请先选择正确的系统名称!", "服务区域不能为空!",
                            "服务区域必须属于已存在的系统，请先选择正确的服务区域!",
                            "每一系统心须拥有至少一个服务区域，如确实要删除，请选择删除该系统!"));
    EXPECT_EQ(messages.entries.front().text, "您确认要删除该服务区域吗?");
    EXPECT_EQ(messages.entries.front().caption, "请注意");

    edit.systemText = "空调系统1";
    edit.roomText = "办公室";
    ASSERT_TRUE(edit.RemoveRoom());
    EXPECT_THAT(edit.roomNames(), ElementsAre("会议室"));
    EXPECT_EQ(edit.roomText, "会议室");
    EXPECT_EQ(edit.roomSelection(), 0);
    EXPECT_EQ(edit.room.coolingLoad, "0.000");
}

TEST_F(DialogEditor, ChoosingAnotherRoomStoresTheShownFieldsFirst)
{
    edit.room.summerT = "27.5";
    edit.room.coolingLoad = "6.125";
    ASSERT_TRUE(edit.ChooseRoom(1));
    EXPECT_EQ(edit.roomText, "会议室");
    EXPECT_EQ(edit.room.summerT, "25.0");
    const CServiceArea* office = edit.working().FindSystem("空调系统1")->FindRoom("办公室");
    EXPECT_FLOAT_EQ(office->m_fSummerInT, 27.5f);
    EXPECT_FLOAT_EQ(office->m_fSummerLoad, 6.125f);

    ASSERT_TRUE(edit.ChooseSystem(1));
    EXPECT_THAT(edit.roomNames(), ElementsAre("大厅"));
    EXPECT_EQ(edit.roomText, "大厅");
    ASSERT_TRUE(edit.ChooseSystem(0));
    EXPECT_EQ(edit.room.summerT, "27.5");
    EXPECT_EQ(edit.room.coolingLoad, "6.125");
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_FLOAT_EQ(project.FindSystem("空调系统1")->FindRoom("办公室")->m_fSummerInT, 26.0f)
        << "the project is untouched until the document takes the working copy";
}

TEST_F(DialogEditor, AChoiceIsRefusedWhileTheShownRoomHasNoIndoorName)
{
    edit.room.summerName = "";
    EXPECT_FALSE(edit.ChooseRoom(1));
    EXPECT_THAT(messages.texts(), ElementsAre("没有室内输入状态点名称，建议重输!"));
    EXPECT_EQ(edit.roomSelection(), 0);
    EXPECT_EQ(edit.roomText, "办公室");
}

TEST_F(DialogEditor, OkStoresTheShownRoomAndChecksTheOutdoorStates)
{
    edit.room.summerName = "N1";
    edit.outdoor.summerT = "0";
    EXPECT_FALSE(edit.Validate());
    edit.outdoor.summerT = "34.0";
    edit.outdoor.winterTw = "0.0";
    edit.outdoor.winterRH = "0.0004";
    EXPECT_FALSE(edit.Validate());
    EXPECT_THAT(messages.texts(), ElementsAre("室外状态点参数太小!", "室外冬季状态点参数太小!"));

    messages.clear();
    edit.outdoor.winterRH = "45";
    edit.outdoor.winterName = "W冬";
    ASSERT_TRUE(edit.Validate());
    EXPECT_TRUE(messages.entries.empty());
    const CAir_Room result = edit.TakeResult();
    EXPECT_EQ(result.m_strWinterOutName, "W冬");
    EXPECT_FLOAT_EQ(result.m_fWinterOutRH, 45.0f);
    EXPECT_FLOAT_EQ(result.m_fSummerOutT, 34.0f);
    EXPECT_EQ(result.FindSystem("空调系统1")->FindRoom("办公室")->m_strSummerInName, "N1");
}

// A design state that cannot be completed, or that lies off the drawn chart
// (−30 °C to 69 °C at x = 0, x up to 40 g/kg), is refused with its message
// and the field to select; nothing goes into the working copy.
TEST_F(DialogEditor, OkRefusesDesignStatesThatDoNotFitTheChart)
{
    using Field = SystemRoomEdit::Field;
    using Texts = SystemRoomEdit;
    struct Case {
        std::function<void(Texts&)> type;
        const char* message;
        Field field;
    };
    const Case cases[] = {
        {[](Texts& e) { e.outdoor.summerT = "99999"; }, "室外状态点参数错误!", Field::SummerOutT},
        // W at 80 °C with a 28.2 °C wet bulb: x 3.9 g/kg, h 91 kJ/kg, above the chart's top edge.
        {[](Texts& e) {
             e.outdoor.summerT = "80";
             e.outdoor.summerTw = "28.2";
         },
         "夏季室外状态点超出焓湿图范围!", Field::SummerOutT},
        {[](Texts& e) { e.outdoor.summerTw = "40"; }, "室外状态点参数错误!", Field::SummerOutTw},
        {[](Texts& e) { e.outdoor.winterRH = "150"; }, "室外状态点参数错误!", Field::WinterOutRH},
        // N at 60 °C and 90 %: x about 140 g/kg, beyond the chart's 40 g/kg.
        {[](Texts& e) {
             e.room.summerT = "60";
             e.room.summerRH = "90";
         },
         "夏季室内状态点超出焓湿图范围!", Field::SummerInRH},
        {[](Texts& e) { e.room.winterT = "-45"; }, "冬季室内状态点超出焓湿图范围!", Field::WinterInT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        SystemRoomEdit typed{Variant::Dialog};
        typed.Load(project, 1);
        c.type(typed);
        messages.clear();
        EXPECT_FALSE(typed.Validate());
        EXPECT_THAT(messages.texts(), ElementsAre(c.message));
        EXPECT_EQ(typed.refusedField(), c.field);
        EXPECT_FLOAT_EQ(typed.working().m_fSummerOutT, 35.0f);
        EXPECT_FLOAT_EQ(typed.working().FindSystem("空调系统1")->FindRoom("办公室")->m_fSummerInT, 26.0f);
    }
}

// The dialog opens on the system and room the window shows; on the first
// where those no longer exist.
TEST_F(DialogEditor, OpensOnTheRoomShown)
{
    edit.Load(project, 1, {}, 1, 0);
    EXPECT_EQ(edit.systemText, "新风系统");
    EXPECT_EQ(edit.roomText, "大厅");
    edit.Load(project, 1, {}, 0, 1);
    EXPECT_EQ(edit.roomText, "会议室");
    edit.Load(project, 1, {}, 5, 7);
    EXPECT_EQ(edit.systemText, "空调系统1");
    EXPECT_EQ(edit.roomText, "办公室");
}

TEST_F(DialogEditor, OkRefusesARoomNameThatWasTypedButNeverAdded)
{
    edit.roomText = "未加入的房间";
    EXPECT_FALSE(edit.Validate());
    EXPECT_THAT(messages.texts(), ElementsAre("对不起,在指定的系统中没有指定的服务区域!"));
    edit.roomText = "";
    EXPECT_FALSE(edit.Validate());
    EXPECT_EQ(messages.texts().back(), "没有输入服务区域，建议重输!");
}

TEST_F(DialogEditor, OkNeedsARoomSomewhere)
{
    SystemRoomEdit empty(Variant::Dialog);
    CAir_Room noRooms;
    noRooms.AddSystem("空调系统1");
    empty.Load(noRooms, 1);
    empty.roomText = "办公室";
    EXPECT_FALSE(empty.Validate());
    SystemRoomEdit none(Variant::Dialog);
    none.Load(CAir_Room(), 1);
    none.roomText = "办公室";
    EXPECT_FALSE(none.Validate());
    EXPECT_THAT(messages.texts(), ElementsAre("至少输入一个服务区域!", "至少输入一个系统!"));
}

TEST(SystemRoomEditUnits, EngineeringUnitsShowAndStoreKcalPerHour)
{
    RecordingMessages messages;
    CAir_Room project = sampleProject();
    SystemRoomEdit edit(SystemRoomEdit::Variant::Dialog);
    edit.Load(project, 0);
    EXPECT_STREQ(edit.loadUnitLabel(), "kcal/h");
    EXPECT_EQ(edit.room.coolingLoad, "4729.1"); // 5.5 kW × 859.845
    EXPECT_EQ(edit.room.heatLoad, "3439.4");
    edit.room.coolingLoad = "8598.45";
    ASSERT_TRUE(edit.Validate());
    const CServiceArea* office = edit.working().FindSystem("空调系统1")->FindRoom("办公室");
    EXPECT_NEAR(office->m_fSummerLoad, 10.0, 1e-4);
    EXPECT_NEAR(office->m_fWinterLoad, 4.0, 1e-3);

    edit.systemText = "排风系统";
    ASSERT_TRUE(edit.AddSystem());
    EXPECT_EQ(edit.room.coolingLoad, "0");
    EXPECT_EQ(edit.room.heatLoad, "0");
}

TEST(SystemRoomEditUnits, ChangingTheUnitConvertsTheShownLoads)
{
    SystemRoomEdit edit(SystemRoomEdit::Variant::WizardPage);
    edit.room.coolingLoad = "1.000";
    edit.room.heatLoad = "2.5";
    edit.ChangeUnitSystem(1);
    EXPECT_EQ(edit.room.coolingLoad, "1.000") << "already shown in kW";
    edit.ChangeUnitSystem(0);
    EXPECT_EQ(edit.room.coolingLoad, "860");
    EXPECT_EQ(edit.room.heatLoad, "2150");
    EXPECT_STREQ(edit.loadUnitLabel(), "kcal/h");
    edit.ChangeUnitSystem(1);
    EXPECT_EQ(edit.room.coolingLoad, "1.000");
    EXPECT_EQ(edit.room.heatLoad, "2.500");
}

// In IP the design fields show °F, Btu/h, lb/h and cfm and are stored back
// in °C, kW, kg/h and m³/h; switching to and from IP converts every field.
TEST(SystemRoomEditUnits, IpUnitsShowAndStoreEveryDesignField)
{
    RecordingMessages messages;
    CAir_Room project = sampleProject();
    SystemRoomEdit edit(SystemRoomEdit::Variant::Dialog);
    edit.Load(project, CIDG::kUnitsIP);
    EXPECT_STREQ(edit.loadUnitLabel(), "Btu/h");
    struct Field {
        const std::string& text;
        const char* expected;
    };
    for (const Field& f : {Field{edit.outdoor.summerT, "95.0"}, Field{edit.outdoor.summerTw, "81.5"},
                           Field{edit.outdoor.winterT, "15.8"}, Field{edit.room.coolingLoad, "18767"},
                           Field{edit.room.heatLoad, "13649"}, Field{edit.room.summerMoistLoad, "1.764"}}) {
        SCOPED_TRACE(f.expected);
        EXPECT_EQ(f.text, f.expected);
    }
    edit.room.summerT = "77";
    edit.room.coolingLoad = "34121.41633";   // 10 kW
    edit.room.summerFreshAir = "588.577779"; // 1000 m³/h
    ASSERT_TRUE(edit.Validate());
    const CServiceArea* office = edit.working().FindSystem("空调系统1")->FindRoom("办公室");
    EXPECT_NEAR(office->m_fSummerInT, 25.0, 1e-5);
    EXPECT_NEAR(office->m_fSummerLoad, 10.0, 1e-4);
    EXPECT_NEAR(office->m_fSummerFreshAir, 1000.0, 1e-3);
    EXPECT_NEAR(edit.working().m_fSummerOutT, 35.0, 1e-5);

    edit.ChangeUnitSystem(CIDG::kUnitsSI);
    EXPECT_EQ(edit.room.summerT, "25.0");
    EXPECT_EQ(edit.room.coolingLoad, "10.000");
    EXPECT_EQ(edit.room.summerFreshAir, "1000");
    EXPECT_EQ(edit.outdoor.summerTw, "27.5");
    edit.ChangeUnitSystem(CIDG::kUnitsIP);
    EXPECT_EQ(edit.room.summerT, "77.0");
    EXPECT_EQ(edit.outdoor.summerTw, "81.5");
    EXPECT_TRUE(messages.entries.empty());
}

TEST(WizardPageEditor, StartsFromTheInitialTextsWithoutSystems)
{
    const SystemRoomEdit edit(SystemRoomEdit::Variant::WizardPage);
    EXPECT_THAT(edit.systemNames(), IsEmpty());
    EXPECT_EQ(edit.systemSelection(), -1);
    EXPECT_EQ(edit.outdoor.summerName, "W");
    EXPECT_EQ(edit.outdoor.summerT, "34.0");
    EXPECT_EQ(edit.outdoor.summerTw, "28.2");
    EXPECT_EQ(edit.outdoor.summerRH, "");
    EXPECT_EQ(edit.outdoor.winterT, "-4.0");
    EXPECT_EQ(edit.outdoor.winterTw, "-6.0");
    EXPECT_EQ(edit.room.summerName, "N");
    EXPECT_EQ(edit.room.summerT, "25.0");
    EXPECT_EQ(edit.room.summerRH, "50");
    EXPECT_EQ(edit.room.coolingLoad, "1000");
    EXPECT_EQ(edit.room.summerMoistLoad, "10");
    EXPECT_EQ(edit.room.summerFreshAir, "1");
    EXPECT_EQ(edit.room.winterT, "20.0");
    EXPECT_EQ(edit.room.heatLoad, "1000");
    EXPECT_EQ(edit.room.winterFreshAir, "");
}

TEST(WizardPageEditor, UsesThePageMessages)
{
    RecordingMessages messages;
    SystemRoomEdit edit(SystemRoomEdit::Variant::WizardPage);
    EXPECT_FALSE(edit.Validate());
    edit.room.summerName = "";
    EXPECT_FALSE(edit.Validate());
    edit.room.summerName = "N";
    edit.room.winterName = "";
    EXPECT_FALSE(edit.Validate());
    edit.room.winterName = "N";
    edit.systemText = "空调系统1";
    ASSERT_TRUE(edit.AddSystem());
    EXPECT_EQ(edit.room.winterT, "20.0");
    EXPECT_FALSE(edit.AddRoom());
    edit.roomText = "办公室";
    ASSERT_TRUE(edit.AddRoom());
    EXPECT_FALSE(edit.AddRoom());
    edit.roomText = "会议室";
    messages.answer = true;
    EXPECT_FALSE(edit.RemoveRoom());
    edit.roomText = "办公室";
    edit.outdoor.winterT = "0.0";
    EXPECT_FALSE(edit.Validate());
    std::vector<std::string> refusals;
    for (const auto& entry : messages.entries)
        if (!entry.question)
            refusals.push_back(entry.text);
    EXPECT_THAT(refusals, ElementsAre("没有输入服务区域名称，建议重输!", "没有输入室内状态点名称，建议重输!",
                                      "没有输入室内冬季工况状态点名称，建议重输!", "服务区域名称不能为空!",
                                      "该服务区域名称已经存在!请重新取名!",
                                      "服务区域必须属于已存在的系统，请先选择正确的服务区域名称!",
                                      "室外状态点参数太小!"));
}

TEST(WizardPageEditor, AnOutdoorStateNeedsAHumidityOrAWetBulb)
{
    RecordingMessages messages;
    SystemRoomEdit edit(SystemRoomEdit::Variant::WizardPage);
    edit.systemText = "S";
    ASSERT_TRUE(edit.AddSystem());
    edit.roomText = "R";
    ASSERT_TRUE(edit.AddRoom());
    edit.outdoor.summerTw = "0";
    edit.outdoor.summerRH = "";
    EXPECT_FALSE(edit.Validate());
    edit.outdoor.summerRH = "60";
    edit.outdoor.summerByRH = true;
    EXPECT_TRUE(edit.Validate());
    EXPECT_THAT(messages.texts(), ElementsAre("室外状态点参数太小!"));
    EXPECT_EQ(edit.working().m_bSummerOutByRH, 1);
    EXPECT_FLOAT_EQ(edit.working().m_fSummerOutRH, 60.0f);
}

TEST(CopyWholeRoom, KeepsEverythingARoomHoldsInSeparateObjects)
{
    CServiceArea source;
    source.m_strName = "办公室";
    source.m_fSummerLoad = 3.0f;
    source.m_nCondition = kConditionWinter;
    source.m_anaW[2].f = 150.0f;
    source.m_anaW[60].i = 7;
    source.m_anaD[9] = 0.75;
    source.m_anaI[5] = 3;
    source.m_recovery = {kRecoverySensible, 0.65f, 2, 3, 800.0f, 950.0f};
    for (int c = 0; c < kConditionCount; ++c) {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = "P" + std::to_string(c);
        source.m_points[c].push_back(std::move(point));
        auto zone = std::make_unique<CComfortArea>();
        zone->m_strName = "舒适区" + std::to_string(c);
        source.m_comfortAreas[c].push_back(std::move(zone));
    }
    source.m_paramPoints.push_back(std::make_unique<CParamPoint>());

    CServiceArea target;
    CopyWholeRoom(source, target);
    EXPECT_EQ(target.m_strName, "办公室");
    EXPECT_FLOAT_EQ(target.m_fSummerLoad, 3.0f);
    EXPECT_EQ(target.m_nCondition, kConditionWinter);
    EXPECT_FLOAT_EQ(target.m_anaW[2].f, 150.0f);
    EXPECT_EQ(target.m_anaW[60].i, 7);
    EXPECT_DOUBLE_EQ(target.m_anaD[9], 0.75);
    EXPECT_EQ(target.m_anaI[5], 3);
    EXPECT_EQ(target.m_recovery, source.m_recovery);
    EXPECT_EQ(CloneRoom(source)->m_recovery, source.m_recovery);
    for (int c = 0; c < kConditionCount; ++c) {
        ASSERT_EQ(target.m_points[c].size(), 1u);
        EXPECT_EQ(target.m_points[c][0]->m_strName, "P" + std::to_string(c));
        EXPECT_NE(target.m_points[c][0].get(), source.m_points[c][0].get());
        ASSERT_EQ(target.m_comfortAreas[c].size(), 1u);
        EXPECT_EQ(target.m_comfortAreas[c][0]->m_strName, "舒适区" + std::to_string(c));
    }
    EXPECT_EQ(target.m_paramPoints.size(), 1u);
}

} // namespace
