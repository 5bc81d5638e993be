#pragma once

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include <QtGlobal>

#include "model/CIDG.h"

// What the four air-conditioning process analyses share: their inputs, the
// slots of the room that keep their parameters and results, the kinds of the
// result texts they write, and the run of one analysis as its dialog's OK
// starts it. Temperatures °C, moisture contents kg/kg, enthalpies kJ/kg,
// air volumes m³/h, capacities W, moisture flows kg/h, humidities fractions
// unless a name says per cent.

// Kinds of the result texts (CCommentString::m_nKind).
namespace text_kind {
inline constexpr int kLabel = -1;
inline constexpr int kPlain = 0;
inline constexpr int kAirVolume = 1;
inline constexpr int kCooling = 2;
inline constexpr int kHeating = 3;
inline constexpr int kReheat = 4;
inline constexpr int kMixingRatio = 5;
inline constexpr int kHeatMoistureRatio = 6;
inline constexpr int kTreatmentEnthalpy = 7;
inline constexpr int kHumidification = 8;
inline constexpr int kState = 9;
inline constexpr int kPreheat = 11;
inline constexpr int kFreshAirCooling = 13;
inline constexpr int kFreshAirHeating = 14;
inline constexpr int kHeatRecovery = 15;
} // namespace text_kind

// Value slots of a result text (CCommentString::m_fValues).
namespace value_slot {
inline constexpr int kAirVolume = 0;
inline constexpr int kLoad = 1; // the load an air volume was computed for
inline constexpr int kCooling = 1;
inline constexpr int kHeating = 2;
inline constexpr int kReheat = 3;
inline constexpr int kRatio = 4;
inline constexpr int kHeatMoistureRatio = 5;
inline constexpr int kEnthalpyDifference = 6;
inline constexpr int kMoistureFlow = 7;
inline constexpr int kPreheat = 8;
inline constexpr int kRecovered = 1; // W the heat recovery saves (kHeatRecovery)
} // namespace value_slot

// Words of CServiceArea::m_anaW used by the primary return-air analysis.
namespace primary_slot {
inline constexpr int kSupplyVolume = 0, kCooling = 1, kReheat = 2, kSupply = 3, kMixing = 4, kCoilOutlet = 5,
                     kFanOutlet = 6, kFreshRatio = 13, kRatio = 14, kMaxDifference = 15, kFanRise = 16,
                     kSupplyDifference = 17, kDewPoint = 18;
inline constexpr int kWinterVolume = 19, kHeating = 20, kPreheat = 21, kHumidification = 22,
                     kWinterFreshRatio = 24, kWinterRatio = 25, kWinterSupply = 26, kHeaterOutlet = 27,
                     kHeaterInlet = 28, kPreheated = 29, kMixedBeforeHeating = 30, kHumidifyMode = 37,
                     kPreheatMode = 38, kPreheatDifference = 39, kWinterFlag = 40;
} // namespace primary_slot

// Slots of the secondary return-air analysis: settings and winter values in
// m_anaD, indices and 32-bit summer values in m_anaI.
namespace secondary_slot {
inline constexpr int kFanRise = 0, kSupplyDifference = 1, kPreheatDifference = 2, kWinterVolume = 3,
                     kWinterSecondVolume = 4, kWinterFirstVolume = 5, kHeating = 6,
                     kHumidification = 7; // m_anaD
inline constexpr int kDewPointPercent = 0, kSupplyVolume = 1, kSecondVolume = 2, kFirstVolume = 3,
                     kCooling = 4, kSupply = 5, kFanOutlet = 6, kCoilOutlet = 7, kMixing = 8, kFreshRatio = 9,
                     kRatio = 10, kWinterFlag = 11, kHumidifyMode = 12, kWinterOutdoor = 13, kPreheated = 14,
                     kFirstMix = 15, kSecondMix = 16, kWinterSupply = 17, kHumidified = 18; // m_anaI
} // namespace secondary_slot

// Slots of the fan-coil analysis: its settings only (the supply and fresh-air
// volumes are working values of one run). The humidification mode is held
// as a double, 0.0 isenthalpic or 1.0 isothermal.
namespace fancoil_slot {
inline constexpr int kSupplyDifference = 8, kFanRise = 9, kHumidifyMode = 10;                     // m_anaD
inline constexpr int kMaxDifference = 20, kDewPointPercent = 21, kMixMode = 22, kWinterFlag = 23; // m_anaI
} // namespace fancoil_slot

// Words of m_anaW used by the fresh-air unit analysis.
namespace freshair_slot {
inline constexpr int kMarker = 41, kCooling = 42, kEnthalpyDifference = 43, kCoilOutlet = 46, kDewPoint = 55,
                     kHeatingKw = 57, kHumidified = 64, kHeated = 66, kHumidifyMode = 75,
                     kHumidification = 76, kHeatTo = 77, kWinterFlag = 78;
} // namespace freshair_slot

// Mixing arrangements of the fan-coil analysis.
enum FanCoilMixMode { kTreatThenMix = 0, kMixThenTreat = 1 };
// Humidification of the primary and fresh-air analyses: 0 adiabatic, 1 steam;
// of the secondary and fan-coil analyses: 0 isenthalpic, 1 isothermal.
enum HumidifyMode { kHumidifyNone = -1, kHumidifyAdiabatic = 0, kHumidifySteam = 1 };
enum PreheatMode { kPreheatNone = -1, kPreheatFirst = 0, kMixFirst = 1 };

struct PrimaryParams {
    float fanRise = 0;          // Δtf, °C
    float supplyDifference = 0; // Δto = t_N − t_O, °C (unused with the maximum difference)
    float dewPoint = 0.95f;     // φL, fraction
    int maxDifference = 1;      // O at the machine dew point
    int winter = 0;
    int preheatMode = kPreheatNone;
    int humidifyMode = kHumidifyNone;
    float preheatDifference = 0; // Δtp, °C
};

struct SecondaryParams {
    double fanRise = 0;
    double supplyDifference = 4.0;
    int dewPointPercent = 95;
    int winter = 1;
    double preheatDifference = 5.0; // 0 or less: no preheat
    int humidifyMode = kHumidifyAdiabatic;
};

// Heat recovery of the fresh air from the room's exhaust N (HeatRecoveryMode of
// the room); kept in the room's RoomHeatRecovery.
struct RecoveryParams {
    int mode = kRecoveryNone;
    float effectiveness = 0; // fraction 0…1
};

struct FanCoilParams {
    int mixMode = kTreatThenMix;
    double fanRise = 0.5;
    int maxDifference = 1;
    double supplyDifference = 4.0;
    int dewPointPercent = 95;
    int winter = 0;
    int humidifyMode = kHumidifyAdiabatic;
    RecoveryParams recovery;
};

struct FreshAirParams {
    float dewPoint = 0.95f;
    float heatTo = 0;         // t_h, °C
    float humidification = 0; // Wh, kg/h
    int humidifyMode = kHumidifyNone;
    RecoveryParams recovery;
};

using AnalysisRequest = std::variant<PrimaryParams, SecondaryParams, FanCoilParams, FreshAirParams>;

// The parameters each dialog opens with: those stored in the room.
PrimaryParams StoredPrimaryParams(const CServiceArea& room);
SecondaryParams StoredSecondaryParams(const CServiceArea& room);
FanCoilParams StoredFanCoilParams(const CServiceArea& room);
FreshAirParams StoredFreshAirParams(const CServiceArea& room);

// The analyses on the current room. 1 on success; 0 with the reason (which
// may be empty) on failure.
int RunPrimaryReturnAir(CIDG& idg, const PrimaryParams& params, std::string& reason);
int RunPrimaryWinter(CIDG& idg, const PrimaryParams& params, float supplyVolume, std::string& reason);
int RunSecondaryReturnAir(CIDG& idg, const SecondaryParams& params, std::string& reason);
// Reads its inputs from the room (the dialog stores them first).
int RunFanCoil(CIDG& idg, std::string& reason);
// The reason is empty except when the heat recovery cannot be placed.
int RunFreshAirUnit(CIDG& idg, const FreshAirParams& params, std::string& reason);

// One analysis as its dialog's OK runs it on the current room: the condition
// remembered and restored (primary, secondary) or left where the analysis
// ended (fan coil, fresh air), the parameters stored on success. False with
// the message to show (caption "计算错误") on failure; an exception raised
// inside is caught and reported the same way.
bool RunAnalysis(CIDG& idg, const AnalysisRequest& request, std::string& message);
// The undo-step name of an analysis ("一次回风系统" …).
std::string AnalysisName(const AnalysisRequest& request);

// A view of a room that a run empties while it holds objects the user drew.
struct ClearedView {
    int system = -1;
    int room = -1;
    int condition = kConditionSummer;
    int objects = 0; // how many the user drew there
};

// How many objects the user drew in one view of a room: every point,
// process line, ε line and text besides W, N, the room's ε and what an
// analysis placed (its points, lines and texts are known by the fixed names
// and labels the analyses give them).
int DrawnObjectsInView(const CServiceArea& room, int condition);

// Whether a request runs the winter part, and so empties and redraws the
// heating view (a cooling-only run leaves it as it was).
bool RunsWinter(const AnalysisRequest& request);

// The views of the current room this request empties that hold objects the
// user drew: the cooling view, and the heating view when the request runs
// the winter part. Empty without a current room.
std::vector<ClearedView> DrawnObjectsAnalysisClears(const CIDG& idg, const AnalysisRequest& request);

// The 是/否 question asked before views holding objects the user drew are
// emptied (by an analysis or by analyses run again after a change of the
// design data): how many objects, and each room with the views it loses.
// Rooms are those of idg.
std::string ClearDrawnObjectsQuestion(const CIDG& idg, const std::vector<ClearedView>& views);

// What a room's analysis is computed from: the outdoor design states, the
// atmospheric data and the room's own design data, as bytes to compare. Two
// equal inputs give the same analysis.
std::string AnalysisInputsOf(const CIDG& idg, const CServiceArea& room);

// After the design data changed: every room holding a primary result that
// rerun accepts (all without one) is analysed again with its stored
// settings; the current room is restored. False with the reason of the
// first failure, the failed room's current lists then emptied and its
// results reset.
bool RerunPrimaryAnalyses(CIDG& idg, std::string& reason,
                          const std::function<bool(int system, int room)>& rerun = {});

// The slots of the four analyses that hold point indices, each with the
// condition whose list it indexes; registered with the chart model
// (PointIndexSlots) so that deleting a point keeps them exact.
const std::vector<PointIndexSlot>& AnalysisPointIndexSlots();

// An error the framework raises inside an analysis; its text reaches the user.
class AnalysisError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The analysis dialogs show their caption, the input refusals, the missing
// project and the supply-difference choice, translated in their own context.
namespace analysis_messages {
inline constexpr const char* kCaption = QT_TRANSLATE_NOOP("AnalysisFramework", "计算错误");
inline constexpr const char* kFailed = QT_TRANSLATE_NOOP("AnalysisFramework", "计算错误，请检查输入数据!");
inline constexpr const char* kException =
    QT_TRANSLATE_NOOP("AnalysisFramework", "计算发生异常，请检查输入数据!");
inline constexpr const char* kNoProject =
    QT_TRANSLATE_NOOP("AnalysisFramework", "没有参数用于分析!请在工程下重试!");
inline constexpr const char* kNoFreshAir =
    QT_TRANSLATE_NOOP("AnalysisFramework", "新风量为0，建议改正后重新分析");
inline constexpr const char* kRerunFailed =
    QT_TRANSLATE_NOOP("AnalysisFramework", "无法进行在设定参数下进行工况分析\n");
inline constexpr const char* kSearchExhausted =
    QT_TRANSLATE_NOOP("AnalysisFramework", "试算100000步仍未找到满足条件的状态点");
inline constexpr const char* kInputCaption = QT_TRANSLATE_NOOP("AnalysisFramework", "错误");
// Zero is a fan without temperature rise: only a negative rise is refused.
inline constexpr const char* kFanRiseInvalid =
    QT_TRANSLATE_NOOP("AnalysisFramework", "风机温升应为不小于零的实数!");
inline constexpr const char* kDewPointInvalid =
    QT_TRANSLATE_NOOP("AnalysisFramework", "机器露点必须为0－100间的实数!");
// The dialogs that keep the machine dew point as a whole percent.
inline constexpr const char* kDewPointWholeInvalid =
    QT_TRANSLATE_NOOP("AnalysisFramework", "机器露点必须为1－100间的整数!");
inline constexpr const char* kSupplyDifferenceInvalid =
    QT_TRANSLATE_NOOP("AnalysisFramework", "送风温差必须为大于零的实数!");
inline constexpr const char* kMaxDifferenceItem = QT_TRANSLATE_NOOP("AnalysisFramework", "最大送风温差");
inline constexpr const char* kRecoveryEffectivenessInvalid =
    QT_TRANSLATE_NOOP("AnalysisFramework", "热回收效率必须为0到1之间的数!");
// Asked before a run empties views holding objects the user drew ("%1": how
// many, "%2": one line per room, "system/room：views").
inline constexpr const char* kClearDrawnObjects =
    QT_TRANSLATE_NOOP("AnalysisFramework", "运行分析将清除以下视图中您绘制的 %1 个对象，是否继续？\n%2");
// The same for one object, whose English is singular ("%1": the rooms).
inline constexpr const char* kClearOneDrawnObject =
    QT_TRANSLATE_NOOP("AnalysisFramework", "运行分析将清除以下视图中您绘制的 1 个对象，是否继续？\n%1");
} // namespace analysis_messages
