#include "project/SystemRoomEdit.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QString>

#include "analysis/Binding.h"
#include "model/ChartRegion.h"
#include "model/Messages.h"
#include "project/NumberText.h"
#include "psychro/DisplayUnits.h"
#include "psychro/QorvaDll.h"

namespace msg = system_room_messages;

// The texts that differ between the dialog and the wizard page.
struct SystemRoomEdit::Texts {
    const char* roomEmpty;
    const char* roomExists;
    const char* chooseRightRoom;
    const char* noSummerIndoorName;
    const char* noWinterIndoorName;
    const char* noRoom;
    const char* winterOutdoorTooSmall;
    const char* resetWinterT;
};

namespace {

float readFloat(const std::string& text)
{
    return static_cast<float>(ReadNumber(text));
}

using qorva::units::Quantity;

bool isIp(int unitSystem)
{
    return qorva::units::displaySystemOf(unitSystem) == qorva::units::DisplaySystem::IP;
}

// A stored temperature (°C), moisture load (kg/h) or fresh-air volume (m³/h)
// as the field shows it, and a typed one in the stored unit. Only IP differs.
std::string shownText(Quantity quantity, float stored, int unitSystem, const char* pattern)
{
    return FormatNumber(pattern, isIp(unitSystem)
                                     ? qorva::units::shown(quantity, stored, qorva::units::DisplaySystem::IP)
                                     : stored);
}

float storedValue(Quantity quantity, const std::string& text, int unitSystem)
{
    const float typed = readFloat(text);
    return isIp(unitSystem) ? qorva::units::stored(quantity, typed, qorva::units::DisplaySystem::IP) : typed;
}

// An outdoor state too small to be a design state: no dry-bulb, or neither a
// humidity nor a wet-bulb temperature.
bool outdoorTooSmall(const std::string& t, const std::string& tw, const std::string& rh)
{
    return std::fabs(ReadNumber(t)) < 0.001 ||
           (std::fabs(ReadNumber(rh)) < 0.001 && std::fabs(ReadNumber(tw)) < 0.001);
}

// The texts of a design state's wet bulb (%.1f) and relative humidity (%.0f,
// per cent): the one it is given by as stored, the other computed from t and
// that one at pressure p (as stored when the state cannot be computed).
struct HumidityTexts {
    std::string tw, rh;
};
HumidityTexts humidityTexts(float p, float t, float tw, float rhPercent, bool byRH, int unitSystem)
{
    HumidityTexts texts{shownText(Quantity::Temperature, tw, unitSystem, "%.1f"),
                        FormatNumber("%.0f", rhPercent)};
    float x = 0, h = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0, computed = 0;
    if (byRH) {
        if (ptRH_all(p, t, rhPercent * 0.01f, &x, &h, &computed, &td, &pq, &pqb, &v, &rho) &&
            std::isfinite(computed))
            texts.tw = shownText(Quantity::Temperature, computed, unitSystem, "%.1f");
    } else if (pttw_all(p, t, tw, &x, &h, &computed, &td, &pq, &pqb, &v, &rho) && std::isfinite(computed)) {
        texts.rh = FormatNumber("%.0f", computed * 100.0f);
    }
    return texts;
}

template <class T> int indexOf(const ObjectArray<T>& list, const T* object)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == object)
            return static_cast<int>(i);
    return -1;
}

} // namespace

SystemRoomEdit::SystemRoomEdit(Variant variant) : m_variant(variant) {}

const SystemRoomEdit::Texts& SystemRoomEdit::texts() const
{
    static constexpr Texts dialog{
        msg::kRoomEmpty,    msg::kRoomExists, msg::kChooseRightRoom,       msg::kNoIndoorName,
        msg::kNoIndoorName, msg::kNoRoom,     msg::kWinterOutdoorTooSmall, "25.0"};
    static constexpr Texts page{
        msg::kRoomNameEmpty,      msg::kRoomNameExists, msg::kChooseRightRoomName, msg::kNoSummerIndoorName,
        msg::kNoWinterIndoorName, msg::kNoRoomName,     msg::kOutdoorTooSmall,     "20.0"};
    return m_variant == Variant::Dialog ? dialog : page;
}

void SystemRoomEdit::Load(const CAir_Room& project, int unitSystem, const Chart& chart, int shownSystem,
                          int shownRoom)
{
    m_unitSystem = unitSystem;
    m_chart = chart;
    m_work = CopyOfRooms(project);
    ShowOutdoor();
    const auto& systems = m_work.m_systems;
    if (shownSystem < 0 || shownSystem >= static_cast<int>(systems.size()))
        shownSystem = 0;
    m_shownSystem = systems.empty() ? nullptr : systems[static_cast<std::size_t>(shownSystem)].get();
    systemText = m_shownSystem ? m_shownSystem->m_strName : std::string();
    if (m_shownSystem && (shownRoom < 0 || shownRoom >= static_cast<int>(m_shownSystem->m_rooms.size())))
        shownRoom = 0;
    ShowRoom(m_shownSystem && !m_shownSystem->m_rooms.empty()
                 ? m_shownSystem->m_rooms[static_cast<std::size_t>(shownRoom)].get()
                 : nullptr);
}

DesignStateFit FitDesignState(float t, float second, bool byRH, const DesignChart& chart)
{
    float x = 0, h = 0, other = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    const bool completed =
        std::isfinite(t) && std::isfinite(second) &&
        (byRH ? ptRH_all(chart.pressure, t, second * 0.01f, &x, &h, &other, &td, &pq, &pqb, &v, &rho)
              : pttw_all(chart.pressure, t, second, &x, &h, &other, &td, &pq, &pqb, &v, &rho)) &&
        std::isfinite(x) && std::isfinite(h) && std::isfinite(other);
    if (!completed)
        return DesignStateFit::Invalid;
    CStatePoint point;
    point.m_t = t;
    point.m_d = x;
    point.m_h = h;
    point.m_RH = byRH ? second * 0.01f : other;
    return StateRegion::FullChart(chart.tMinFull, chart.xMaxFull).Contains(point) ? DesignStateFit::OnChart
                                                                                  : DesignStateFit::OffChart;
}

bool CheckDesignStatesAt(const CAir_Room& rooms, const DesignChart& chart)
{
    const auto fits = [&chart](float t, float tw, float rh, std::int32_t byRH) {
        return FitDesignState(t, byRH ? rh : tw, byRH != 0, chart) == DesignStateFit::OnChart;
    };
    if (!fits(rooms.m_fSummerOutT, rooms.m_fSummerOutTw, rooms.m_fSummerOutRH, rooms.m_bSummerOutByRH) ||
        !fits(rooms.m_fWinterOutT, rooms.m_fWinterOutTw, rooms.m_fWinterOutRH, rooms.m_bWinterOutByRH)) {
        alertMessage(
            QCoreApplication::translate("SystemRoomEdit", msg::kOutdoorUnfitAtPressure).toStdString(),
            MessageIcon::Exclamation);
        return false;
    }
    for (const auto& system : rooms.m_systems)
        for (const auto& room : system->m_rooms)
            if (!fits(room->m_fSummerInT, room->m_fSummerInTw, room->m_fSummerInRH, room->m_bSummerInByRH) ||
                !fits(room->m_fWinterInT, room->m_fWinterInTw, room->m_fWinterInRH, room->m_bWinterInByRH)) {
                alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kIndoorUnfitAtPressure)
                                 .arg(QString::fromStdString(room->m_strName))
                                 .toStdString(),
                             MessageIcon::Exclamation);
                return false;
            }
    return true;
}

bool SystemRoomEdit::CheckState(const StateFields& state)
{
    const float t = storedValue(Quantity::Temperature, *state.t, m_unitSystem);
    const float second =
        state.byRH ? readFloat(*state.rh) : storedValue(Quantity::Temperature, *state.tw, m_unitSystem);
    const DesignStateFit fit = FitDesignState(t, second, state.byRH, m_chart);
    if (fit == DesignStateFit::OnChart)
        return true;
    // The dry bulb when it alone lies off the chart, else the humidity.
    const double tTop = m_chart.tMinFull + m_chart.xMaxFull / (kChartEnthalpyPerMoisture * kChartCpDryAir);
    const bool tOff = !std::isfinite(t) || t < m_chart.tMinFull || t > tTop;
    m_refusedField = tOff ? state.tField : state.byRH ? state.rhField : state.twField;
    if (fit == DesignStateFit::Invalid)
        alertMessage(QCoreApplication::translate("Binding", state.invalid).toStdString(),
                     MessageIcon::Exclamation);
    else
        alertMessage(QCoreApplication::translate("SystemRoomEdit", state.offChart).toStdString(),
                     MessageIcon::Exclamation);
    return false;
}

bool SystemRoomEdit::CheckOutdoorStates()
{
    const OutdoorTexts& o = outdoor;
    return CheckState({&o.summerT, &o.summerTw, &o.summerRH, o.summerByRH, Field::SummerOutT,
                       Field::SummerOutTw, Field::SummerOutRH, binding_messages::kOutdoorStateInvalid,
                       msg::kSummerOutdoorOffChart}) &&
           CheckState({&o.winterT, &o.winterTw, &o.winterRH, o.winterByRH, Field::WinterOutT,
                       Field::WinterOutTw, Field::WinterOutRH, binding_messages::kOutdoorStateInvalid,
                       msg::kWinterOutdoorOffChart});
}

bool SystemRoomEdit::CheckIndoorStates()
{
    const RoomTexts& r = room;
    return CheckState({&r.summerT, &r.summerTw, &r.summerRH, r.summerByRH, Field::SummerInT,
                       Field::SummerInTw, Field::SummerInRH, binding_messages::kIndoorStateInvalid,
                       msg::kSummerIndoorOffChart}) &&
           CheckState({&r.winterT, &r.winterTw, &r.winterRH, r.winterByRH, Field::WinterInT,
                       Field::WinterInTw, Field::WinterInRH, binding_messages::kIndoorStateInvalid,
                       msg::kWinterIndoorOffChart});
}

void SystemRoomEdit::ChangeUnitSystem(int unitSystem)
{
    if (unitSystem == m_unitSystem)
        return;
    if (isIp(unitSystem) || isIp(m_unitSystem)) {
        // Every field with a unit is read in the old system and shown in the new.
        const int old = m_unitSystem;
        const auto convert = [old, unitSystem](std::string& text, Quantity quantity, const char* pattern) {
            text = shownText(quantity, storedValue(quantity, text, old), unitSystem, pattern);
        };
        for (std::string* t : {&outdoor.summerT, &outdoor.summerTw, &outdoor.winterT, &outdoor.winterTw,
                               &room.summerT, &room.summerTw, &room.winterT, &room.winterTw})
            convert(*t, Quantity::Temperature, "%.1f");
        for (std::string* flow : {&room.summerMoistLoad, &room.winterMoistLoad})
            convert(*flow, Quantity::MoistureFlow, "%.3f");
        for (std::string* volume : {&room.summerFreshAir, &room.winterFreshAir})
            convert(*volume, Quantity::AirVolume, "%.0f");
        for (std::string* load : {&room.coolingLoad, &room.heatLoad})
            *load = FormatLoad(ReadLoad(*load, old), unitSystem);
        m_unitSystem = unitSystem;
        return;
    }
    m_unitSystem = unitSystem;
    for (std::string* load : {&room.coolingLoad, &room.heatLoad}) {
        if (unitSystem == 0)
            *load = FormatNumber("%.0f", ReadNumber(*load) * kKcalPerHourPerKw);
        else
            *load = FormatNumber("%.3f", ReadNumber(*load) * kKwPerKcalPerHour);
    }
}

const char* SystemRoomEdit::loadUnitLabel() const
{
    return isIp(m_unitSystem) ? "Btu/h" : m_unitSystem == 0 ? "kcal/h" : "kW";
}

std::string SystemRoomEdit::FormatLoad(float kw, int unitSystem)
{
    if (isIp(unitSystem))
        return FormatNumber(
            "%.0f", qorva::units::shown(Quantity::Capacity, kw * 1000.0, qorva::units::DisplaySystem::IP));
    if (unitSystem == 0)
        return FormatNumber("%.1f", kw * kKcalPerHourPerKw);
    return FormatNumber("%.3f", kw);
}

float SystemRoomEdit::ReadLoad(const std::string& text, int unitSystem)
{
    if (isIp(unitSystem))
        return static_cast<float>(
            qorva::units::stored(Quantity::Capacity, ReadNumber(text), qorva::units::DisplaySystem::IP) /
            1000.0);
    return static_cast<float>(ReadNumber(text) * (unitSystem == 0 ? kKwPerKcalPerHour : 1.0));
}

std::string SystemRoomEdit::ShowTemperature(float t) const
{
    return shownText(Quantity::Temperature, t, m_unitSystem, "%.1f");
}

float SystemRoomEdit::ReadTemperature(const std::string& text) const
{
    return storedValue(Quantity::Temperature, text, m_unitSystem);
}

void SystemRoomEdit::ShowOutdoor()
{
    outdoor.summerName = m_work.m_strSummerOutName;
    outdoor.summerT = ShowTemperature(m_work.m_fSummerOutT);
    outdoor.summerByRH = m_work.m_bSummerOutByRH != 0;
    const HumidityTexts summer = humidityTexts(m_chart.pressure, m_work.m_fSummerOutT, m_work.m_fSummerOutTw,
                                               m_work.m_fSummerOutRH, outdoor.summerByRH, m_unitSystem);
    outdoor.summerTw = summer.tw;
    outdoor.summerRH = summer.rh;
    outdoor.winterName = m_work.m_strWinterOutName;
    outdoor.winterT = ShowTemperature(m_work.m_fWinterOutT);
    outdoor.winterByRH = m_work.m_bWinterOutByRH != 0;
    const HumidityTexts winter = humidityTexts(m_chart.pressure, m_work.m_fWinterOutT, m_work.m_fWinterOutTw,
                                               m_work.m_fWinterOutRH, outdoor.winterByRH, m_unitSystem);
    outdoor.winterTw = winter.tw;
    outdoor.winterRH = winter.rh;
}

void SystemRoomEdit::WriteOutdoor()
{
    m_work.m_strSummerOutName = outdoor.summerName;
    m_work.m_fSummerOutT = ReadTemperature(outdoor.summerT);
    // Only the property a state is given by is stored; the other field shows
    // a computed value.
    if (outdoor.summerByRH)
        m_work.m_fSummerOutRH = readFloat(outdoor.summerRH);
    else
        m_work.m_fSummerOutTw = ReadTemperature(outdoor.summerTw);
    m_work.m_bSummerOutByRH = outdoor.summerByRH ? 1 : 0;
    m_work.m_strWinterOutName = outdoor.winterName;
    m_work.m_fWinterOutT = ReadTemperature(outdoor.winterT);
    if (outdoor.winterByRH)
        m_work.m_fWinterOutRH = readFloat(outdoor.winterRH);
    else
        m_work.m_fWinterOutTw = ReadTemperature(outdoor.winterTw);
    m_work.m_bWinterOutByRH = outdoor.winterByRH ? 1 : 0;
}

void SystemRoomEdit::ShowRoom(CServiceArea* shown)
{
    m_shownRoom = shown;
    if (!shown) {
        ResetRoomFields();
        return;
    }
    roomText = shown->m_strName;
    room.summerName = shown->m_strSummerInName;
    room.summerT = ShowTemperature(shown->m_fSummerInT);
    room.summerByRH = shown->m_bSummerInByRH != 0;
    const HumidityTexts summer = humidityTexts(m_chart.pressure, shown->m_fSummerInT, shown->m_fSummerInTw,
                                               shown->m_fSummerInRH, room.summerByRH, m_unitSystem);
    room.summerTw = summer.tw;
    room.summerRH = summer.rh;
    room.coolingLoad = FormatLoad(shown->m_fSummerLoad, m_unitSystem);
    room.summerMoistLoad = shownText(Quantity::MoistureFlow, shown->m_fSummerMoistLoad, m_unitSystem, "%.3f");
    room.summerFreshAir = shownText(Quantity::AirVolume, shown->m_fSummerFreshAir, m_unitSystem, "%.0f");
    room.winterName = shown->m_strWinterInName;
    room.winterT = ShowTemperature(shown->m_fWinterInT);
    room.winterByRH = shown->m_bWinterInByRH != 0;
    const HumidityTexts winter = humidityTexts(m_chart.pressure, shown->m_fWinterInT, shown->m_fWinterInTw,
                                               shown->m_fWinterInRH, room.winterByRH, m_unitSystem);
    room.winterTw = winter.tw;
    room.winterRH = winter.rh;
    room.heatLoad = FormatLoad(shown->m_fWinterLoad, m_unitSystem);
    room.winterMoistLoad = shownText(Quantity::MoistureFlow, shown->m_fWinterMoistLoad, m_unitSystem, "%.3f");
    room.winterFreshAir = shownText(Quantity::AirVolume, shown->m_fWinterFreshAir, m_unitSystem, "%.0f");
}

void SystemRoomEdit::ResetRoomFields()
{
    m_shownRoom = nullptr;
    roomText.clear();
    const std::string zeroLoad = m_unitSystem == CIDG::kUnitsSI ? "0.000" : "0";
    room.summerName = "N";
    room.summerT = ShowTemperature(25.0f);
    room.summerTw = ShowTemperature(0.0f);
    room.summerRH = "50";
    room.summerByRH = true;
    room.coolingLoad = zeroLoad;
    room.summerMoistLoad = "0.000";
    room.summerFreshAir = "0";
    room.winterName = "N";
    room.winterT = ShowTemperature(readFloat(texts().resetWinterT));
    room.winterTw = ShowTemperature(0.0f);
    room.winterRH = "50";
    room.winterByRH = true;
    room.heatLoad = zeroLoad;
    room.winterMoistLoad = "0.000";
    room.winterFreshAir = "0";
}

bool SystemRoomEdit::CheckIndoorNames() const
{
    if (room.summerName.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().noSummerIndoorName).toStdString());
        return false;
    }
    if (room.winterName.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().noWinterIndoorName).toStdString());
        return false;
    }
    return true;
}

void SystemRoomEdit::WriteRoomFields(CServiceArea& target) const
{
    target.m_strSummerInName = room.summerName;
    target.m_fSummerInT = ReadTemperature(room.summerT);
    if (room.summerByRH)
        target.m_fSummerInRH = readFloat(room.summerRH);
    else
        target.m_fSummerInTw = ReadTemperature(room.summerTw);
    target.m_bSummerInByRH = room.summerByRH ? 1 : 0;
    target.m_fSummerLoad = ReadLoad(room.coolingLoad, m_unitSystem);
    target.m_fSummerMoistLoad = storedValue(Quantity::MoistureFlow, room.summerMoistLoad, m_unitSystem);
    target.m_fSummerFreshAir = storedValue(Quantity::AirVolume, room.summerFreshAir, m_unitSystem);
    target.m_strWinterInName = room.winterName;
    target.m_fWinterInT = ReadTemperature(room.winterT);
    if (room.winterByRH)
        target.m_fWinterInRH = readFloat(room.winterRH);
    else
        target.m_fWinterInTw = ReadTemperature(room.winterTw);
    target.m_bWinterInByRH = room.winterByRH ? 1 : 0;
    target.m_fWinterLoad = ReadLoad(room.heatLoad, m_unitSystem);
    target.m_fWinterMoistLoad = storedValue(Quantity::MoistureFlow, room.winterMoistLoad, m_unitSystem);
    target.m_fWinterFreshAir = storedValue(Quantity::AirVolume, room.winterFreshAir, m_unitSystem);
}

bool SystemRoomEdit::StoreShownRoomForChoice()
{
    m_refusedField = Field::None;
    // Fields that belong to no room (a new system, nothing added yet) have
    // nowhere to go.
    if (!m_shownRoom)
        return true;
    if (!CheckIndoorNames())
        return false;
    if (m_shownRoom->m_strName.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().noRoom).toStdString());
        return false;
    }
    if (!CheckIndoorStates())
        return false;
    WriteRoomFields(*m_shownRoom);
    return true;
}

bool SystemRoomEdit::AddSystem()
{
    const std::string name = TrimBlanks(systemText);
    systemText = name;
    if (name.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kSystemNameEmpty).toStdString());
        return false;
    }
    if (m_work.FindSystem(name)) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kSystemExists).toStdString());
        return false;
    }
    m_work.AddSystem(name);
    m_shownSystem = m_work.m_systems.back().get();
    ResetRoomFields();
    return true;
}

bool SystemRoomEdit::RemoveSystem()
{
    if (!messages().askOkCancel(
            QCoreApplication::translate("SystemRoomEdit", msg::kConfirmRemoveSystem).toStdString(),
            MessageIcon::Exclamation,
            QCoreApplication::translate("SystemRoomEdit", msg::kConfirmCaption).toStdString()))
        return false;
    const std::string name = TrimBlanks(systemText);
    if (name.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kChooseSystemToRemove).toStdString());
        return false;
    }
    const CAcSystem* system = m_work.FindSystem(name);
    if (!system) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kChooseRightSystem).toStdString());
        return false;
    }
    if (m_work.m_systems.size() <= 1) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kLastSystem).toStdString());
        return false;
    }
    m_work.RemoveSystem(name);
    m_shownSystem = m_work.m_systems.front().get();
    systemText = m_shownSystem->m_strName;
    ShowRoom(m_shownSystem->m_rooms.empty() ? nullptr : m_shownSystem->m_rooms.front().get());
    return true;
}

CAcSystem* SystemRoomEdit::NamedRoomTarget(const char* systemMissing, std::string& systemName,
                                           std::string& roomName) const
{
    systemName = TrimBlanks(systemText);
    if (systemName.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kChooseSystemOfRoom).toStdString());
        return nullptr;
    }
    CAcSystem* system = m_work.FindSystem(systemName);
    if (!system) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", systemMissing).toStdString());
        return nullptr;
    }
    roomName = TrimBlanks(roomText);
    if (roomName.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().roomEmpty).toStdString());
        return nullptr;
    }
    return system;
}

bool SystemRoomEdit::AddRoom()
{
    m_refusedField = Field::None;
    std::string systemName;
    std::string name;
    CAcSystem* system = NamedRoomTarget(msg::kAddSystemFirst, systemName, name);
    if (!system)
        return false;
    if (system->FindRoom(name)) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().roomExists).toStdString());
        return false;
    }
    // The fields go into the new room: check them before it exists, so a
    // refusal adds nothing.
    if (!CheckIndoorNames() || !CheckIndoorStates())
        return false;
    auto added = std::make_unique<CServiceArea>();
    added->m_strName = name;
    WriteRoomFields(*added);
    system->m_rooms.push_back(std::move(added));
    systemText = systemName;
    roomText = name;
    m_shownSystem = system;
    m_shownRoom = system->m_rooms.back().get();
    return true;
}

bool SystemRoomEdit::RemoveRoom()
{
    if (!messages().askOkCancel(
            QCoreApplication::translate("SystemRoomEdit", msg::kConfirmRemoveRoom).toStdString(),
            MessageIcon::Exclamation,
            QCoreApplication::translate("SystemRoomEdit", msg::kConfirmCaption).toStdString()))
        return false;
    std::string systemName;
    std::string name;
    CAcSystem* system = NamedRoomTarget(msg::kChooseRightSystemOfRoom, systemName, name);
    if (!system)
        return false;
    const CServiceArea* target = system->FindRoom(name);
    if (!target) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().chooseRightRoom).toStdString());
        return false;
    }
    if (system->m_rooms.size() <= 1) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kLastRoom).toStdString());
        return false;
    }
    if (target == m_shownRoom)
        m_shownRoom = nullptr;
    m_work.RemoveRoom(systemName, name);
    m_shownSystem = system;
    systemText = systemName;
    ShowRoom(system->m_rooms.front().get());
    return true;
}

bool SystemRoomEdit::ChooseSystem(int index)
{
    if (index < 0 || index >= static_cast<int>(m_work.m_systems.size()))
        return false;
    if (!StoreShownRoomForChoice())
        return false;
    m_shownSystem = m_work.m_systems[static_cast<std::size_t>(index)].get();
    systemText = m_shownSystem->m_strName;
    ShowRoom(m_shownSystem->m_rooms.empty() ? nullptr : m_shownSystem->m_rooms.front().get());
    return true;
}

bool SystemRoomEdit::ChooseRoom(int index)
{
    if (!m_shownSystem || index < 0 || index >= static_cast<int>(m_shownSystem->m_rooms.size()))
        return false;
    if (!StoreShownRoomForChoice())
        return false;
    systemText = m_shownSystem->m_strName;
    ShowRoom(m_shownSystem->m_rooms[static_cast<std::size_t>(index)].get());
    return true;
}

bool SystemRoomEdit::Validate()
{
    m_refusedField = Field::None;
    if (!CheckIndoorNames())
        return false;
    const std::string roomName = TrimBlanks(roomText);
    if (roomName.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", texts().noRoom).toStdString());
        return false;
    }
    if (m_work.m_systems.empty()) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kNoSystem).toStdString());
        return false;
    }
    const bool anyRoom = std::any_of(m_work.m_systems.begin(), m_work.m_systems.end(),
                                     [](const auto& system) { return !system->m_rooms.empty(); });
    if (!anyRoom) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kNoRoomAtAll).toStdString());
        return false;
    }
    // The values go into the room of that name in the current system; a name
    // typed but never added is reported and nothing is stored.
    if (!CheckIndoorStates())
        return false;
    CServiceArea design;
    design.m_strName = roomName;
    WriteRoomFields(design);
    if (!m_work.SetRoomDesign(TrimBlanks(systemText), design))
        return false;
    if (outdoorTooSmall(outdoor.summerT, outdoor.summerTw, outdoor.summerRH)) {
        alertMessage(QCoreApplication::translate("SystemRoomEdit", msg::kOutdoorTooSmall).toStdString());
        return false;
    }
    if (outdoorTooSmall(outdoor.winterT, outdoor.winterTw, outdoor.winterRH)) {
        alertMessage(
            QCoreApplication::translate("SystemRoomEdit", texts().winterOutdoorTooSmall).toStdString());
        return false;
    }
    // A state that cannot be completed or lies off the chart would leave its
    // views without W or N: refused here, so nothing is stored.
    if (!CheckOutdoorStates())
        return false;
    WriteOutdoor();
    return true;
}

std::vector<std::string> SystemRoomEdit::systemNames() const
{
    std::vector<std::string> names;
    for (const auto& system : m_work.m_systems)
        names.push_back(system->m_strName);
    return names;
}

std::vector<std::string> SystemRoomEdit::roomNames() const
{
    std::vector<std::string> names;
    if (m_shownSystem)
        for (const auto& shown : m_shownSystem->m_rooms)
            names.push_back(shown->m_strName);
    return names;
}

int SystemRoomEdit::systemSelection() const
{
    return indexOf(m_work.m_systems, static_cast<const CAcSystem*>(m_shownSystem));
}

int SystemRoomEdit::roomSelection() const
{
    return m_shownSystem ? indexOf(m_shownSystem->m_rooms, static_cast<const CServiceArea*>(m_shownRoom))
                         : -1;
}

CAir_Room SystemRoomEdit::TakeResult()
{
    m_shownSystem = nullptr;
    m_shownRoom = nullptr;
    return std::move(m_work);
}

CAir_Room CopyOfRooms(const CAir_Room& source)
{
    CAir_Room copy;
    copy.CopyOutdoor(source);
    for (const auto& system : source.m_systems) {
        auto systemCopy = std::make_unique<CAcSystem>();
        systemCopy->m_strName = system->m_strName;
        for (const auto& room : system->m_rooms) {
            auto target = std::make_unique<CServiceArea>();
            CopyWholeRoom(*room, *target);
            systemCopy->m_rooms.push_back(std::move(target));
        }
        copy.m_systems.push_back(std::move(systemCopy));
    }
    return copy;
}

void CopyWholeRoom(const CServiceArea& source, CServiceArea& target)
{
    target.CopyDesign(source);
    CopyRoomContents(source, target);
    // What CopyRoomContents leaves behind would be lost with every OK of the
    // system–room dialog: the later analysis words and settings and the
    // comfort zones.
    target.m_anaW = source.m_anaW;
    target.m_anaD = source.m_anaD;
    target.m_anaI = source.m_anaI;
    target.m_nInitCounter = source.m_nInitCounter;
    for (int c = 0; c < kConditionCount; ++c)
        appendCopies(target.m_comfortAreas[c], source.m_comfortAreas[c]);
}
