#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

#include "model/CAir_Room.h"

// The chart the design states must lie on: its pressure (Pa) and the full
// drawn chart (CIDG::m_fTMinFull °C, CIDG::m_fXMaxFull kg/kg). The wizard
// page keeps the standard chart at 101325 Pa.
struct DesignChart {
    float pressure = 101325.0f;
    float tMinFull = -30.0f;
    float xMaxFull = 0.04f;
};

// How a design state (a dry bulb °C with a wet bulb °C or a relative
// humidity in per cent) fits a chart: completed at its pressure and on the
// full drawn chart, not to be completed, or completed but off the chart.
enum class DesignStateFit { OnChart, Invalid, OffChart };
DesignStateFit FitDesignState(float t, float second, bool byRH, const DesignChart& chart);

// Every outdoor and indoor design state of rooms on the chart (the pressure
// dialog's check of a new pressure); false after the message that names the
// first state that does not fit.
bool CheckDesignStatesAt(const CAir_Room& rooms, const DesignChart& chart);

// The system–room editor shared by the system–room dialog and the second page
// of the new-project wizard: a working copy of the outdoor design states and
// of the systems and rooms, the texts of the editable system and room boxes
// and of every design field, and the rules of its buttons with their
// messages. The widgets only show these texts and forward the buttons, so the
// rules are tested without a display.
//
// Humidities in the fields are in per cent, loads in kW (SI), kcal/h
// (engineering units) or Btu/h (IP, where temperatures are in °F, moisture
// loads in lb/h and fresh air in cfm); the working copy holds loads in kW,
// and every other value as stored, in all three.
class SystemRoomEdit {
public:
    enum class Variant {
        Dialog,     // 系统-房间(室内外状态点)参数输入框
        WizardPage, // 新建 3 之 2
    };

    // The outdoor design states as shown.
    struct OutdoorTexts {
        std::string summerName = "W";
        std::string summerT = "34.0";
        std::string summerTw = "28.2";
        std::string summerRH;
        bool summerByRH = false; // the 相对湿度 radio; false: 湿球温度
        std::string winterName = "W";
        std::string winterT = "-4.0";
        std::string winterTw = "-6.0";
        std::string winterRH;
        bool winterByRH = false;
    };

    // The shown room's design data.
    struct RoomTexts {
        std::string summerName = "N";
        std::string summerT = "25.0";
        std::string summerTw;
        std::string summerRH = "50";
        bool summerByRH = true;
        std::string coolingLoad = "1000";
        std::string summerMoistLoad = "10"; // kg/h
        std::string summerFreshAir = "1";   // m³/h
        std::string winterName = "N";
        std::string winterT = "20.0";
        std::string winterTw;
        std::string winterRH = "50";
        bool winterByRH = true;
        std::string heatLoad = "1000";
        std::string winterMoistLoad = "10";
        std::string winterFreshAir;
    };

    // Load conversions of the editor (kW ↔ kcal/h).
    static constexpr double kKcalPerHourPerKw = 859.845;
    static constexpr double kKwPerKcalPerHour = 0.0011630003081950816;

    // Starts with no systems and the initial texts of the wizard page, loads
    // shown in SI units.
    explicit SystemRoomEdit(Variant variant);

    using Chart = DesignChart;

    // Opens on a copy of a project's data (the dialog): outdoor states, every
    // system and room with all their drawings; selects the system and room
    // given (the ones the window shows; the first where they do not exist).
    // Loads are shown in the given unit system (1 SI, 0 engineering). A
    // state's property it is not given by (the wet bulb of a state given by
    // its humidity, or the reverse) is shown as computed at the chart
    // pressure; it is not written back unless its radio is chosen.
    void Load(const CAir_Room& project, int unitSystem, const Chart& chart = {}, int shownSystem = 0,
              int shownRoom = 0);

    // The design-state fields, for the widgets to select the one a refusal
    // names.
    enum class Field {
        None,
        SummerOutT,
        SummerOutTw,
        SummerOutRH,
        WinterOutT,
        WinterOutTw,
        WinterOutRH,
        SummerInT,
        SummerInTw,
        SummerInRH,
        WinterInT,
        WinterInTw,
        WinterInRH,
    };
    // The field of the last refused design state (None after a refusal of
    // anything else).
    Field refusedField() const { return m_refusedField; }

    // Shows the loads in another unit system, converting the two load texts
    // (the wizard page's activation after page 1).
    void ChangeUnitSystem(int unitSystem);
    int unitSystem() const { return m_unitSystem; }
    // "kW", "kcal/h" or "Btu/h".
    const char* loadUnitLabel() const;

    // The buttons. Each returns false when it was refused (after its message)
    // or, for the deletions, not confirmed.
    bool AddSystem();    // 增加 system
    bool RemoveSystem(); // 删除 system
    bool AddRoom();      // 增加 room
    bool RemoveRoom();   // 删除 room
    // Choosing an entry of the system or room box; the fields shown are first
    // stored into the room they belong to. False when that was refused (the
    // choice is then not made).
    bool ChooseSystem(int index);
    bool ChooseRoom(int index);
    // OK of the dialog, Next of the page: stores the shown room and checks the
    // whole input. True when it may be committed.
    bool Validate();

    // The entries of the boxes and their selections (−1 none).
    std::vector<std::string> systemNames() const;
    std::vector<std::string> roomNames() const;
    int systemSelection() const;
    int roomSelection() const;

    // The working copy with the outdoor texts written into it (after Validate).
    const CAir_Room& working() const { return m_work; }
    CAir_Room TakeResult();

    // The texts the widgets edit.
    std::string systemText; // the editable system box
    std::string roomText;   // the editable room box
    OutdoorTexts outdoor;
    RoomTexts room;

private:
    struct Texts;
    // A design state as typed: completed at the chart pressure and inside the
    // full drawn chart, else false after the message, with refusedField set
    // to its dry bulb (a temperature off the chart) or to the humidity it is
    // given by.
    struct StateFields {
        const std::string* t;
        const std::string* tw;
        const std::string* rh;
        bool byRH;
        Field tField, twField, rhField;
        const char* invalid;  // message (Binding context) of a state that cannot be completed
        const char* offChart; // message of a state off the chart
    };
    bool CheckState(const StateFields& state);
    bool CheckIndoorStates();
    bool CheckOutdoorStates();
    const Texts& texts() const;
    void ShowRoom(CServiceArea* shown);
    void ResetRoomFields();
    void ShowOutdoor();
    void WriteOutdoor();
    bool CheckIndoorNames() const;
    void WriteRoomFields(CServiceArea& target) const;
    bool StoreShownRoomForChoice();
    // The system and room the name boxes give for adding or removing a room;
    // nullptr after the message that says what is missing.
    CAcSystem* NamedRoomTarget(const char* systemMissing, std::string& systemName,
                               std::string& roomName) const;
    // A load (kW) as a text of a unit system and such a text in kW; a
    // temperature (°C) shown and read in the editor's unit system.
    static std::string FormatLoad(float kw, int unitSystem);
    static float ReadLoad(const std::string& text, int unitSystem);
    std::string ShowTemperature(float t) const;
    float ReadTemperature(const std::string& text) const;

    Variant m_variant;
    int m_unitSystem = 1;
    Chart m_chart;
    Field m_refusedField = Field::None;
    CAir_Room m_work;
    CAcSystem* m_shownSystem = nullptr;  // whose rooms the room box lists
    CServiceArea* m_shownRoom = nullptr; // whose data the fields show
};

// Systems and rooms copied with everything they hold, and the outdoor states.
CAir_Room CopyOfRooms(const CAir_Room& source);

// A room copied with everything it holds: design data, condition, every
// analysis word and setting, all chart objects of the three conditions, the
// parameter points and the comfort zones.
void CopyWholeRoom(const CServiceArea& source, CServiceArea& target);

namespace system_room_messages {
inline constexpr const char* kSystemNameEmpty = QT_TRANSLATE_NOOP("SystemRoomEdit", "系统名称不能为空!");
inline constexpr const char* kSystemExists =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "该系统名称已经存在!请重新取名!");
inline constexpr const char* kConfirmRemoveSystem =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "您确认要删除该系统吗?");
inline constexpr const char* kConfirmCaption = QT_TRANSLATE_NOOP("SystemRoomEdit", "请注意");
inline constexpr const char* kChooseSystemToRemove =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "请先选择要删除的系统名称!");
inline constexpr const char* kChooseRightSystem =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "请选择正确的系统名称!");
inline constexpr const char* kLastSystem = QT_TRANSLATE_NOOP("SystemRoomEdit", "每一工程应至少包含一个系统!");
inline constexpr const char* kChooseSystemOfRoom =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "请先选择该服务区域所属的系统!");
inline constexpr const char* kAddSystemFirst =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "服务区域必须属于已存在的系统，请先将系统名称追加进系统中!");
inline constexpr const char* kRoomEmpty = QT_TRANSLATE_NOOP("SystemRoomEdit", "服务区域不能为空!");
inline constexpr const char* kRoomNameEmpty = QT_TRANSLATE_NOOP("SystemRoomEdit", "服务区域名称不能为空!");
inline constexpr const char* kRoomExists =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "该服务区域已经存在!请重新取名!");
inline constexpr const char* kRoomNameExists =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "该服务区域名称已经存在!请重新取名!");
inline constexpr const char* kConfirmRemoveRoom =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "您确认要删除该服务区域吗?");
inline constexpr const char* kChooseRightSystemOfRoom =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "服务区域必须属于已存在的系统，请先选择正确的系统名称!");
inline constexpr const char* kChooseRightRoom =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "服务区域必须属于已存在的系统，请先选择正确的服务区域!");
inline constexpr const char* kChooseRightRoomName =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "服务区域必须属于已存在的系统，请先选择正确的服务区域名称!");
inline constexpr const char* kLastRoom =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "每一系统心须拥有至少一个服务区域，如确实要删除，请选择删除该系统!");
inline constexpr const char* kNoIndoorName =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "没有室内输入状态点名称，建议重输!");
inline constexpr const char* kNoRoom = QT_TRANSLATE_NOOP("SystemRoomEdit", "没有输入服务区域，建议重输!");
inline constexpr const char* kNoSummerIndoorName =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "没有输入室内状态点名称，建议重输!");
inline constexpr const char* kNoWinterIndoorName =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "没有输入室内冬季工况状态点名称，建议重输!");
inline constexpr const char* kNoRoomName =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "没有输入服务区域名称，建议重输!");
inline constexpr const char* kNoSystem = QT_TRANSLATE_NOOP("SystemRoomEdit", "至少输入一个系统!");
inline constexpr const char* kNoRoomAtAll = QT_TRANSLATE_NOOP("SystemRoomEdit", "至少输入一个服务区域!");
inline constexpr const char* kOutdoorTooSmall = QT_TRANSLATE_NOOP("SystemRoomEdit", "室外状态点参数太小!");
inline constexpr const char* kWinterOutdoorTooSmall =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "室外冬季状态点参数太小!");
inline constexpr const char* kSummerOutdoorOffChart =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "夏季室外状态点超出焓湿图范围!");
inline constexpr const char* kWinterOutdoorOffChart =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "冬季室外状态点超出焓湿图范围!");
inline constexpr const char* kSummerIndoorOffChart =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "夏季室内状态点超出焓湿图范围!");
inline constexpr const char* kWinterIndoorOffChart =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "冬季室内状态点超出焓湿图范围!");
inline constexpr const char* kOutdoorUnfitAtPressure =
    QT_TRANSLATE_NOOP("SystemRoomEdit", "在此大气压力下室外状态点无法计算或超出焓湿图范围，请检查大气压力!");
inline constexpr const char* kIndoorUnfitAtPressure = QT_TRANSLATE_NOOP(
    "SystemRoomEdit", "在此大气压力下房间%1的室内状态点无法计算或超出焓湿图范围，请检查大气压力!");
} // namespace system_room_messages
