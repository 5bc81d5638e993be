#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

#include "model/CAir_Room.h"

// The system–room editor shared by the system–room dialog and the second page
// of the new-project wizard: a working copy of the outdoor design states and
// of the systems and rooms, the texts of the editable system and room boxes
// and of every design field, and the rules of its buttons with their
// messages. The widgets only show these texts and forward the buttons, so the
// rules are tested without a display.
//
// Humidities in the fields are in per cent, loads in kW (SI) or kcal/h
// (engineering units); the working copy holds loads in kW in both.
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

    // Opens on a copy of a project's data (the dialog): outdoor states, every
    // system and room with all their drawings; selects the first system and
    // shows its first room. Loads are shown in the given unit system
    // (1 SI, 0 engineering). A state's property it is not given by (the wet
    // bulb of a state given by its humidity, or the reverse) is shown as
    // computed at the chart pressure (Pa); it is not written back unless its
    // radio is chosen.
    void Load(const CAir_Room& project, int unitSystem, float chartPressure = 101325.0f);

    // Shows the loads in another unit system, converting the two load texts
    // (the wizard page's activation after page 1).
    void ChangeUnitSystem(int unitSystem);
    int unitSystem() const { return m_unitSystem; }
    // "kW" or "kcal/h".
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
    std::string FormatLoad(float kw) const;

    Variant m_variant;
    int m_unitSystem = 1;
    float m_chartPressure = 101325.0f;
    CAir_Room m_work;
    CAcSystem* m_shownSystem = nullptr;  // whose rooms the room box lists
    CServiceArea* m_shownRoom = nullptr; // whose data the fields show
};

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
} // namespace system_room_messages
