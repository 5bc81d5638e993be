#include "model/ProcessSteps.h"

#include <cmath>

#include "psychro/MoistAir.h"
#include "psychro/QorvaDll.h"

namespace process_steps {

namespace {

namespace psy = qorva::psychro;

bool isFraction(float value)
{
    return value >= 0.0f && value <= 1.0f;
}

// A state computed at (t, x) is fog when its vapour pressure exceeds the
// saturation pressure at t by more than rounding to 32-bit floats gives on
// the saturation curve itself.
bool pastSaturation(double p, double t, double x)
{
    if (!std::isfinite(t) || !std::isfinite(x) || !psy::isInTemperatureRange(t) || x < 0.0 ||
        !psy::isValidPressure(p))
        return false;
    const double pq = psy::vapourPressure(p, x);
    return pq / psy::saturationPressure(t) > 1.0 + psy::kSaturationTolerance;
}

struct Completed {
    float t = 0, x = 0, tw = 0, RH = 0, h = 0;
};

StepResult refused(Refusal refusal)
{
    StepResult result;
    result.refusal = refusal;
    return result;
}

// The leaving point from a completed state, tested against the chart.
StepResult leavingAt(const Completed& c, const CStatePoint& entering, const ChartRegion& chart)
{
    StepResult result;
    CStatePoint& point = result.leaving;
    point = CStatePoint();
    point.m_strName = entering.m_strName;
    point.m_nKind = CStatePoint::kIndependent;
    point.m_t = c.t;
    point.m_d = c.x;
    point.m_tw = c.tw;
    point.m_RH = c.RH;
    point.m_h = c.h;
    point.m_bKnownT = point.m_bKnownTw = point.m_bKnownD = point.m_bKnownH = point.m_bKnownRH = 1;
    if (!chart.Contains(point))
        return refused(Refusal::OffChart);
    return result;
}

StepResult atDryBulbMoisture(float p, double t, double x, const CStatePoint& entering,
                             const ChartRegion& chart)
{
    if (pastSaturation(p, t, x))
        return refused(Refusal::PastSaturation);
    Completed c;
    c.t = static_cast<float>(t);
    c.x = static_cast<float>(x);
    float td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    if (!ptx_all(p, c.t, c.x, &c.RH, &c.tw, &c.h, &td, &pq, &pqb, &v, &rho))
        return refused(Refusal::NoState);
    return leavingAt(c, entering, chart);
}

StepResult atMoistureEnthalpy(float p, float x, float h, const CStatePoint& entering,
                              const ChartRegion& chart)
{
    float t = 0;
    if (xh_t(x, h, &t) && pastSaturation(p, t, x))
        return refused(Refusal::PastSaturation);
    Completed c;
    c.x = x;
    c.h = h;
    float td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    int reserved = 0;
    if (!pxh_all(p, x, h, &c.t, &c.RH, &c.tw, &td, &pq, &pqb, &v, &rho, &reserved))
        return refused(Refusal::NoState);
    return leavingAt(c, entering, chart);
}

// Along the wet-bulb line tw to the dry bulb t: the water evaporated brings
// its own enthalpy, so the air follows the chart's wet-bulb line, not the
// line of constant enthalpy.
StepResult atDryBulbWetBulb(float p, float t, float tw, const CStatePoint& entering, const ChartRegion& chart)
{
    Completed c;
    c.t = t;
    c.tw = tw;
    float td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    if (!pttw_all(p, t, tw, &c.x, &c.h, &c.RH, &td, &pq, &pqb, &v, &rho))
        return refused(Refusal::NoState);
    return leavingAt(c, entering, chart);
}

} // namespace

bool NeedsSecondAir(StepKind kind)
{
    return kind == StepKind::TotalRecovery || kind == StepKind::SensibleRecovery || kind == StepKind::Mixing;
}

StepResult RunStep(const StepParams& params, const CStatePoint& entering, const CStatePoint* second, float p,
                   const ChartRegion& chart)
{
    if (NeedsSecondAir(params.kind) && !second)
        return refused(Refusal::MissingSecondAir);
    const double t = entering.m_t, x = entering.m_d;
    const double e = params.effectiveness;
    switch (params.kind) {
    case StepKind::TotalRecovery:
        if (!isFraction(params.effectiveness))
            return refused(Refusal::EffectivenessRange);
        return atDryBulbMoisture(p, t + e * (second->m_t - t), x + e * (second->m_d - x), entering, chart);
    case StepKind::SensibleRecovery:
        if (!isFraction(params.effectiveness))
            return refused(Refusal::EffectivenessRange);
        return atDryBulbMoisture(p, t + e * (second->m_t - t), x, entering, chart);
    case StepKind::DirectEvaporative:
        if (!isFraction(params.effectiveness))
            return refused(Refusal::EffectivenessRange);
        return atDryBulbWetBulb(p, static_cast<float>(t - e * (t - entering.m_tw)), entering.m_tw, entering,
                                chart);
    case StepKind::IndirectEvaporative: {
        if (!isFraction(params.effectiveness))
            return refused(Refusal::EffectivenessRange);
        // The secondary air is wetted and cooled towards its own wet bulb;
        // the primary air is cooled through the plates without taking water.
        const double twSecondary = second ? second->m_tw : entering.m_tw;
        return atDryBulbMoisture(p, t - e * (t - twSecondary), x, entering, chart);
    }
    case StepKind::SteamHumidification:
        if (!(params.moistureAdded >= 0.0f))
            return refused(Refusal::NegativeMoisture);
        return atDryBulbMoisture(p, t, x + double(params.moistureAdded), entering, chart);
    case StepKind::AdiabaticHumidification:
        if (!(params.moistureAdded >= 0.0f))
            return refused(Refusal::NegativeMoisture);
        return atMoistureEnthalpy(p, static_cast<float>(x + double(params.moistureAdded)), entering.m_h,
                                  entering, chart);
    case StepKind::Heating:
        if (!(params.heatTo >= entering.m_t))
            return refused(Refusal::HeatingBelowEntry);
        return atDryBulbMoisture(p, params.heatTo, x, entering, chart);
    case StepKind::Mixing: {
        if (!isFraction(params.ratio))
            return refused(Refusal::RatioRange);
        const float r = params.ratio;
        const float x1 = entering.m_d, h1 = entering.m_h, x2 = second->m_d, h2 = second->m_h;
        float xm = 0, hm = 0;
        if (h1 == h2) {
            // Along a line of constant enthalpy the mixture is plain proportion.
            xm = static_cast<float>((1.0 - r) * x1 + double(r) * x2);
            hm = h1;
        } else if (!px1h1x2h2ratio_xh(p, x1, h1, x2, h2, r, &xm, &hm)) {
            // Two unsaturated streams can mix into fog: the saturation curve
            // bends below the straight line between them.
            const double xf = (1.0 - r) * x1 + double(r) * x2, hf = (1.0 - r) * h1 + double(r) * h2;
            return refused(pastSaturation(p, psy::dryBulb(xf, hf), xf) ? Refusal::PastSaturation
                                                                       : Refusal::NoState);
        }
        return atMoistureEnthalpy(p, xm, hm, entering, chart);
    }
    }
    return refused(Refusal::NoState);
}

const char* RefusalText(Refusal refusal)
{
    using namespace process_step_messages;
    switch (refusal) {
    case Refusal::None:
        return "";
    case Refusal::EffectivenessRange:
        return kEffectiveness;
    case Refusal::RatioRange:
        return kRatio;
    case Refusal::NegativeMoisture:
        return kNegativeMoisture;
    case Refusal::HeatingBelowEntry:
        return kHeatingBelowEntry;
    case Refusal::MissingSecondAir:
        return kMissingSecondAir;
    case Refusal::PastSaturation:
        return kPastSaturation;
    case Refusal::NoState:
        return kNoState;
    case Refusal::OffChart:
        return kOffChart;
    }
    return kNoState;
}

} // namespace process_steps
