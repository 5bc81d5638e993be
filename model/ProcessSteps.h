#pragma once

#include <QtGlobal>

#include "model/CStatePoint.h"
#include "model/ChartRegion.h"

// One step of an air-handling process: the state of the air leaving a heat
// exchanger, an evaporative cooler, a humidifier, a heater or a mixing box,
// from the state entering it, on the i-d chart at pressure p. Each step is
// the chart's own construction:
//
// - total heat recovery against the exhaust N, effectiveness e:
//   t' = t + e·(t_N − t), x' = x + e·(x_N − x);
// - sensible heat recovery: t' = t + e·(t_N − t) at constant x;
// - direct evaporative cooling: t' = t − e·(t − tw) on the chart's wet-bulb
//   line of the entering state (the wet bulb stays tw);
// - indirect evaporative cooling: t' = t − e·(t − tw_s) at constant x, tw_s
//   the wet bulb of the secondary air (the entering air when none is given);
// - steam humidification by Δx at constant dry bulb, adiabatic
//   humidification by Δx at constant enthalpy;
// - heating at constant x to a dry bulb;
// - mixing with a second stream whose mass share is r, as the chart's
//   mixing point is made (px1h1x2h2ratio_xh).
//
// The leaving state is completed (t, x, tw, RH, h) with the enthalpy
// h = 1.01·t + x·(2500 + 1.85·t). Units: °C, kg/kg, fraction, kJ/kg, Pa.
namespace process_steps {

enum class StepKind {
    TotalRecovery,
    SensibleRecovery,
    DirectEvaporative,
    IndirectEvaporative,
    SteamHumidification,
    AdiabaticHumidification,
    Heating,
    Mixing
};

struct StepParams {
    StepKind kind = StepKind::Heating;
    float effectiveness = 0; // e, fraction 0…1: heat recovery, evaporative cooling
    float moistureAdded = 0; // Δx, kg/kg, not negative: humidification
    float heatTo = 0;        // °C, not below the entering dry bulb: heating
    float ratio = 0;         // mass share of the second stream, fraction 0…1: mixing
};

// Why a step gives no leaving state.
enum class Refusal {
    None,
    EffectivenessRange, // e outside 0…1
    RatioRange,         // mixing share outside 0…1
    NegativeMoisture,   // Δx below zero (a humidifier adds water)
    HeatingBelowEntry,  // a heater cannot lower the dry bulb
    MissingSecondAir,   // recovery and mixing need the exhaust or the second stream
    PastSaturation,     // the leaving air would be wetter than saturated
    NoState,            // outside the range of the property formulation
    OffChart            // outside the drawn chart
};

struct StepResult {
    Refusal refusal = Refusal::None;
    CStatePoint leaving; // completed, all five known flags set; only when ok()
    bool ok() const { return refusal == Refusal::None; }
};

// True for the steps that cannot go without the second air (recovery, mixing).
bool NeedsSecondAir(StepKind kind);

// The leaving state of one step. entering and second are completed states
// at p; second is the exhaust (recovery), the secondary air (indirect
// evaporative cooling; nullptr: the entering air) or the second stream
// (mixing), and is not read by the other steps. The leaving state must lie
// in chart.
StepResult RunStep(const StepParams& params, const CStatePoint& entering, const CStatePoint* second, float p,
                   const ChartRegion& chart);

// The reason shown for a refusal, untranslated (context "ProcessSteps").
const char* RefusalText(Refusal refusal);

} // namespace process_steps

namespace process_step_messages {
inline constexpr const char* kEffectiveness = QT_TRANSLATE_NOOP("ProcessSteps", "效率必须为0到1之间的数!");
inline constexpr const char* kRatio = QT_TRANSLATE_NOOP("ProcessSteps", "混风比必须为0到1之间的数!");
inline constexpr const char* kNegativeMoisture = QT_TRANSLATE_NOOP("ProcessSteps", "加湿量不能为负数!");
inline constexpr const char* kHeatingBelowEntry = QT_TRANSLATE_NOOP("ProcessSteps", "加热终温低于进风温度!");
inline constexpr const char* kMissingSecondAir =
    QT_TRANSLATE_NOOP("ProcessSteps", "缺少排风或第二股空气的状态点!");
inline constexpr const char* kPastSaturation = QT_TRANSLATE_NOOP("ProcessSteps", "处理后的空气超过饱和状态!");
inline constexpr const char* kNoState = QT_TRANSLATE_NOOP("ProcessSteps", "处理后的状态无法计算!");
inline constexpr const char* kOffChart = QT_TRANSLATE_NOOP("ProcessSteps", "处理后的状态点超出焓湿图范围!");
} // namespace process_step_messages
