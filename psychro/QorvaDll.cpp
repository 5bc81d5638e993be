#include "psychro/QorvaDll.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <optional>

#include "psychro/ChartLines.h"
#include "psychro/MoistAir.h"
#include "psychro/StatePairs.h"

using namespace qorva::psychro;

namespace {

// The heat–moisture ratio the program uses for a line of constant moisture
// content: the float nearest 1e11 kJ/kg.
constexpr double kVerticalRatio = 99999997952.0;

// Writes every value to its output, or nothing at all when an output is null
// or a value is not finite once rounded to float.
int deliver(std::initializer_list<double> values, std::initializer_list<float*> outputs)
{
    if (values.size() != outputs.size()) {
        return 0;
    }
    for (float* out : outputs) {
        if (out == nullptr) {
            return 0;
        }
    }
    for (double value : values) {
        if (!std::isfinite(static_cast<float>(value))) {
            return 0;
        }
    }
    const double* value = values.begin();
    for (float* out : outputs) {
        *out = static_cast<float>(*value++);
    }
    return 1;
}

std::optional<MoistAirState> complete(double p, std::optional<DryBulbMoisture> pair,
                                      double knownTw = kNoGuess, double knownTd = kNoGuess)
{
    if (!pair) {
        return std::nullopt;
    }
    return completeState(p, pair->t, pair->x, knownTw, knownTd);
}

int deliverPoint(std::optional<ChartPoint> s, float* x, float* h)
{
    if (!s) {
        return 0;
    }
    return deliver({s->x, s->h}, {x, h});
}

std::optional<ValueMode> valueMode(int mode, int code)
{
    if (mode == 1) {
        return ValueMode::Absolute;
    }
    if (mode == 0 && (code == 0 || code == 1)) {
        return ValueMode::Difference;
    }
    return std::nullopt;
}

// The property codes of the iso-line functions and of the straight-line functions.
std::optional<Property> isoLineProperty(IsoLine line, int code)
{
    constexpr Property moisture[] = {Property::DryBulb, Property::Enthalpy, Property::RelativeHumidity,
                                     Property::WetBulb};
    constexpr Property dryBulb[] = {Property::Moisture, Property::Enthalpy, Property::RelativeHumidity,
                                    Property::WetBulb};
    constexpr Property enthalpy[] = {Property::DryBulb, Property::Moisture, Property::RelativeHumidity,
                                     Property::WetBulb};
    if (code < 0 || code > 3) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(code);
    switch (line) {
    case IsoLine::Moisture:
        return moisture[index];
    case IsoLine::DryBulb:
        return dryBulb[index];
    case IsoLine::Enthalpy:
        return enthalpy[index];
    }
    return std::nullopt;
}

std::optional<Property> lineProperty(int code)
{
    constexpr Property properties[] = {Property::DryBulb, Property::Moisture, Property::Enthalpy,
                                       Property::RelativeHumidity, Property::WetBulb};
    if (code < 0 || code > 4) {
        return std::nullopt;
    }
    return properties[static_cast<std::size_t>(code)];
}

int isoLinePoint(IsoLine line, float p, float x0, float h0, int mode, int code, float value, float* x,
                 float* h)
{
    const auto valueKind = valueMode(mode, code);
    const auto property = isoLineProperty(line, code);
    if (!valueKind || !property) {
        return 0;
    }
    return deliverPoint(pointOnIsoLine(p, {x0, h0}, line, *valueKind, *property, value), x, h);
}

int straightLinePoint(float p, std::optional<ChartLine> line, int mode, int code, float value, float* x,
                      float* h)
{
    const auto valueKind = valueMode(mode, code);
    const auto property = lineProperty(code);
    if (!line || !valueKind || !property) {
        return 0;
    }
    return deliverPoint(pointOnLine(p, *line, *valueKind, *property, value), x, h);
}

bool allFinite(std::initializer_list<double> values)
{
    for (double value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

// Common checks of the flow functions: density positive, air volume not negative.
bool isFlowInput(double rho, double G)
{
    return rho > 0.0 && G >= 0.0;
}

int capacity(float rho, float h1, float h2, float G, float* Q)
{
    if (!allFinite({rho, h1, h2, G}) || !isFlowInput(rho, G)) {
        return 0;
    }
    return deliver({double(rho) * G * std::abs(double(h1) - h2) / 3.6}, {Q});
}

// t and RH of (x, h) without the dew point, so that dry air is accepted;
// RH within the saturation tolerance above 1 is reported as 1.
struct DryBulbHumidity {
    double t;
    double RH;
};

std::optional<DryBulbHumidity> dryBulbAndHumidity(double p, double x, double h)
{
    const auto state = fromMoistureEnthalpy(x, h);
    if (!isValidPressure(p) || !state) {
        return std::nullopt;
    }
    const double rh = vapourPressure(p, x) / saturationPressure(state->t);
    if (!(rh <= 1.0 + kSaturationTolerance)) {
        return std::nullopt;
    }
    return DryBulbHumidity{state->t, std::min(rh, 1.0)};
}

} // namespace

int ptRH_all(float p, float t, float RH, float* x, float* h, float* tw, float* td, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromDryBulbRelativeHumidity(p, t, RH));
    if (!s) {
        return 0;
    }
    return deliver({s->x, s->h, s->tw, s->td, s->pq, s->pqb, s->v, s->rho}, {x, h, tw, td, pq, pqb, v, rho});
}

int pttw_all(float p, float t, float tw, float* x, float* h, float* RH, float* td, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromDryBulbWetBulb(p, t, tw), tw);
    if (!s) {
        return 0;
    }
    return deliver({s->x, s->h, s->RH, s->td, s->pq, s->pqb, s->v, s->rho}, {x, h, RH, td, pq, pqb, v, rho});
}

int pxh_all(float p, float x, float h, float* t, float* RH, float* tw, float* td, float* pq, float* pqb,
            float* v, float* rho, int* reserved)
{
    const auto s = complete(p, fromMoistureEnthalpy(x, h));
    if (!s || reserved == nullptr) {
        return 0;
    }
    if (!deliver({s->t, s->RH, s->tw, s->td, s->pq, s->pqb, s->v, s->rho},
                 {t, RH, tw, td, pq, pqb, v, rho})) {
        return 0;
    }
    *reserved = 0;
    return 1;
}

int pth_all(float p, float t, float h, float* x, float* RH, float* tw, float* td, float* pq, float* pqb,
            float* v, float* rho)
{
    const auto s = complete(p, fromDryBulbEnthalpy(t, h));
    if (!s) {
        return 0;
    }
    return deliver({s->x, s->RH, s->tw, s->td, s->pq, s->pqb, s->v, s->rho},
                   {x, RH, tw, td, pq, pqb, v, rho});
}

int pxtw_all(float p, float x, float tw, float* t, float* RH, float* h, float* td, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromMoistureWetBulb(p, x, tw), tw);
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->RH, s->h, s->td, s->pq, s->pqb, s->v, s->rho}, {t, RH, h, td, pq, pqb, v, rho});
}

int pxRH_all(float p, float x, float RH, float* t, float* tw, float* h, float* td, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromMoistureRelativeHumidity(p, x, RH));
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->tw, s->h, s->td, s->pq, s->pqb, s->v, s->rho}, {t, tw, h, td, pq, pqb, v, rho});
}

int ptx_all(float p, float t, float x, float* RH, float* tw, float* h, float* td, float* pq, float* pqb,
            float* v, float* rho)
{
    const auto s = complete(p, fromDryBulbMoisture(p, t, x));
    if (!s) {
        return 0;
    }
    return deliver({s->RH, s->tw, s->h, s->td, s->pq, s->pqb, s->v, s->rho},
                   {RH, tw, h, td, pq, pqb, v, rho});
}

int phRH_all(float p, float h, float RH, float* t, float* tw, float* x, float* td, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromEnthalpyRelativeHumidity(p, h, RH));
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->tw, s->x, s->td, s->pq, s->pqb, s->v, s->rho}, {t, tw, x, td, pq, pqb, v, rho});
}

int phtw_all(float p, float h, float tw, float* t, float* RH, float* x, float* td, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromEnthalpyWetBulb(p, h, tw), tw);
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->RH, s->x, s->td, s->pq, s->pqb, s->v, s->rho}, {t, RH, x, td, pq, pqb, v, rho});
}

int ptwRH_all(float p, float tw, float RH, float* t, float* h, float* x, float* td, float* pq, float* pqb,
              float* v, float* rho)
{
    const auto s = complete(p, fromWetBulbRelativeHumidity(p, tw, RH), tw);
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->h, s->x, s->td, s->pq, s->pqb, s->v, s->rho}, {t, h, x, td, pq, pqb, v, rho});
}

int pttd_all(float p, float t, float td, float* tw, float* h, float* x, float* RH, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromDryBulbDewPoint(p, t, td), kNoGuess, td);
    if (!s) {
        return 0;
    }
    return deliver({s->tw, s->h, s->x, s->RH, s->pq, s->pqb, s->v, s->rho}, {tw, h, x, RH, pq, pqb, v, rho});
}

int pRHtd_all(float p, float RH, float td, float* t, float* h, float* x, float* tw, float* pq, float* pqb,
              float* v, float* rho)
{
    const auto s = complete(p, fromRelativeHumidityDewPoint(p, RH, td), kNoGuess, td);
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->h, s->x, s->tw, s->pq, s->pqb, s->v, s->rho}, {t, h, x, tw, pq, pqb, v, rho});
}

int phtd_all(float p, float h, float td, float* t, float* RH, float* x, float* tw, float* pq, float* pqb,
             float* v, float* rho)
{
    const auto s = complete(p, fromEnthalpyDewPoint(p, h, td), kNoGuess, td);
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->RH, s->x, s->tw, s->pq, s->pqb, s->v, s->rho}, {t, RH, x, tw, pq, pqb, v, rho});
}

int ptwtd_all(float p, float tw, float td, float* t, float* RH, float* x, float* h, float* pq, float* pqb,
              float* v, float* rho)
{
    const auto s = complete(p, fromWetBulbDewPoint(p, tw, td), tw, td);
    if (!s) {
        return 0;
    }
    return deliver({s->t, s->RH, s->x, s->h, s->pq, s->pqb, s->v, s->rho}, {t, RH, x, h, pq, pqb, v, rho});
}

int tx_h(float t, float x, float* h)
{
    if (!isInTemperatureRange(t) || !(x >= 0.0f) || !std::isfinite(x)) {
        return 0;
    }
    return deliver({enthalpy(t, x)}, {h});
}

int xh_t(float x, float h, float* t)
{
    const auto state = fromMoistureEnthalpy(x, h);
    if (!state) {
        return 0;
    }
    return deliver({state->t}, {t});
}

int pxh_RH(float p, float x, float h, float* RH)
{
    const auto state = dryBulbAndHumidity(p, x, h);
    if (!state) {
        return 0;
    }
    return deliver({state->RH}, {RH});
}

int pxRH_t(float p, float x, float RH, float* t)
{
    const auto state = fromMoistureRelativeHumidity(p, x, RH);
    if (!state) {
        return 0;
    }
    return deliver({state->t}, {t});
}

int pxh_tRHtw(float p, float x, float h, float* t, float* RH, float* tw)
{
    const auto state = dryBulbAndHumidity(p, x, h);
    if (!state) {
        return 0;
    }
    const auto wet = state->RH == 1.0 ? std::optional<double>(state->t) : wetBulb(p, state->t, x);
    if (!wet) {
        return 0;
    }
    return deliver({state->t, state->RH, *wet}, {t, RH, tw});
}

int t_et(float t, float* e)
{
    if (!isInTemperatureRange(t)) {
        return 0;
    }
    return deliver({saturationPressure(t)}, {e});
}

int et_t(float e, float* t)
{
    const auto temperature = saturationTemperature(e);
    if (!temperature) {
        return 0;
    }
    return deliver({*temperature}, {t});
}

int h1h2_deltah(float h1, float h2, float* deltah)
{
    if (!allFinite({h1, h2})) {
        return 0;
    }
    return deliver({double(h2) - h1}, {deltah});
}

int x1h1x2h2_HHR(float x1, float h1, float x2, float h2, float* ratio)
{
    if (!allFinite({x1, h1, x2, h2})) {
        return 0;
    }
    const double dx = double(x2) - x1;
    const double dh = double(h2) - h1;
    if (dh == 0.0 && dx == 0.0) {
        return 0;
    }
    if (std::abs(dh) >= kVerticalRatio * std::abs(dx)) {
        // Constant moisture content, or steeper than the program's vertical line.
        const double sign = (dh < 0.0) != (dx < 0.0) ? -1.0 : 1.0;
        return deliver({sign * kVerticalRatio}, {ratio});
    }
    return deliver({dh / dx}, {ratio});
}

int MDh1h2Q_G(float rho, float h1, float h2, float Q, float* G)
{
    if (!allFinite({rho, h1, h2, Q}) || !(rho > 0.0f) || h1 == h2) {
        return 0;
    }
    return deliver({3.6 * std::abs(double(Q)) / (double(rho) * std::abs(double(h1) - h2))}, {G});
}

int MDh1h2G_Q(float rho, float h1, float h2, float G, float* Q)
{
    return capacity(rho, h1, h2, G, Q);
}

int MDh1h2G_Q1(float rho, float h1, float h2, float G, float* Q)
{
    return capacity(rho, h1, h2, G, Q);
}

int MDh1h2G_Q2(float rho, float h1, float h2, float G, float* Q)
{
    return capacity(rho, h1, h2, G, Q);
}

int MDx1x2G_H(float rho, float x1, float x2, float G, float* W)
{
    if (!allFinite({rho, x1, x2, G}) || !isFlowInput(rho, G)) {
        return 0;
    }
    return deliver({double(rho) * G * (double(x2) - x1)}, {W});
}

int px1h1x2h2ratio_xh(float p, float x1, float h1, float x2, float h2, float r, float* x, float* h)
{
    if (!allFinite({x1, h1, x2, h2}) || !(r >= 0.0f && r <= 1.0f)) {
        return 0;
    }
    // Adiabatic mixing conserves dry air, water and enthalpy: the mixture lies
    // on the straight line between the two states, r of the way to state 2.
    const ChartPoint mixture{(1.0 - r) * x1 + double(r) * x2, (1.0 - r) * h1 + double(r) * h2};
    if (!isCompletable(p, mixture)) {
        return 0;
    }
    return deliverPoint(mixture, x, h);
}

int px0h0x1_xh(float p, float x0, float h0, int mode, int code, float value, float* x, float* h)
{
    return isoLinePoint(IsoLine::Moisture, p, x0, h0, mode, code, value, x, h);
}

int px0h0t1_xh(float p, float x0, float h0, int mode, int code, float value, float* x, float* h)
{
    return isoLinePoint(IsoLine::DryBulb, p, x0, h0, mode, code, value, x, h);
}

int px0h0h1_xh(float p, float x0, float h0, int mode, int code, float value, float* x, float* h)
{
    return isoLinePoint(IsoLine::Enthalpy, p, x0, h0, mode, code, value, x, h);
}

int px1h1x2h2g_xh(float p, float x1, float h1, float x2, float h2, int mode, int code, float value, float* x,
                  float* h)
{
    return straightLinePoint(p, lineThrough({x1, h1}, {x2, h2}), mode, code, value, x, h);
}

int px1h1HHRr_xh(float p, float x1, float h1, float ratio, int mode, int code, float value, float* x,
                 float* h)
{
    return straightLinePoint(p, ratioLine({x1, h1}, ratio), mode, code, value, x, h);
}

int px1h1HHR_2P(float p, float x1, float h1, float ratio, float* xa, float* ha, float* xb, float* hb)
{
    const auto ends = ratioLineEnds(p, {x1, h1}, ratio);
    if (!ends) {
        return 0;
    }
    return deliver({ends->a.x, ends->a.h, ends->b.x, ends->b.h}, {xa, ha, xb, hb});
}

int px0h0HHR_x1h1x2h2(float p, float x0, float h0, float ratio, int mode, float value1, int code,
                      float value2, float* x1, float* h1, float* x2, float* h2)
{
    const auto property = lineProperty(code);
    if ((mode != 0 && mode != 1) || !property) {
        return 0;
    }
    const auto kind = mode == 0 ? PairDifference::DryBulb : PairDifference::Moisture;
    const auto pair = relatedPair(p, {x0, h0}, ratio, kind, value1, *property, value2);
    if (!pair) {
        return 0;
    }
    return deliver({pair->a.x, pair->a.h, pair->b.x, pair->b.h}, {x1, h1, x2, h2});
}

int x1h1x2h2x3h3x4h4_xh(float x1, float h1, float x2, float h2, float x3, float h3, float x4, float h4,
                        float* x, float* h)
{
    const auto first = lineThrough({x1, h1}, {x2, h2});
    const auto second = lineThrough({x3, h3}, {x4, h4});
    if (!first || !second) {
        return 0;
    }
    return deliverPoint(intersection(*first, *second), x, h);
}

int x1h1x2h2x3h3HHR_xh(float x1, float h1, float x2, float h2, float x3, float h3, float ratio, float* x,
                       float* h)
{
    const auto first = lineThrough({x1, h1}, {x2, h2});
    const auto second = ratioLine({x3, h3}, ratio);
    if (!first || !second) {
        return 0;
    }
    return deliverPoint(intersection(*first, *second), x, h);
}

int x1h1HHR1x2h2HHR2_xh(float x1, float h1, float ratio1, float x2, float h2, float ratio2, float* x,
                        float* h)
{
    const auto first = ratioLine({x1, h1}, ratio1);
    const auto second = ratioLine({x2, h2}, ratio2);
    if (!first || !second) {
        return 0;
    }
    return deliverPoint(intersection(*first, *second), x, h);
}
