// Completion of chart state points and parameter points from their known
// pair, through the property library.

#include "model/CIDG.h"
#include "model/CParamPoint.h"
#include "model/CStatePoint.h"
#include "psychro/QorvaDll.h"

namespace {

// The state-point properties a full-state call does not report: only the
// five basic ones are kept on the chart.
struct Extras {
    float td = 0;
    float pq = 0;
    float pqb = 0;
    float v = 0;
    float rho = 0;
};

void markCompleted(CStatePoint& point)
{
    point.m_bKnownT = point.m_bKnownTw = point.m_bKnownD = point.m_bKnownH = point.m_bKnownRH = 1;
    point.m_bMark1 = point.m_bMark2 = point.m_bMark3 = 1;
}

} // namespace

int CIDG::CalcStatePoint(CStatePoint& point) const
{
    // Everything is computed into locals first, so a failure leaves the point
    // with its earlier values and flags.
    const float p = m_fSummerPressure;
    float t = point.m_t, x = point.m_d, tw = point.m_tw, rh = point.m_RH, h = point.m_h;
    Extras e;
    int ok = 0;
    if (point.m_bKnownD && point.m_bKnownH) {
        // A point with x and h known is completed from them even when t is
        // known too: x and h are where it stands on the chart.
        int reserved = 0;
        ok = pxh_all(p, x, h, &t, &rh, &tw, &e.td, &e.pq, &e.pqb, &e.v, &e.rho, &reserved);
    } else if (!point.m_bKnownT) {
        ok = 0;
    } else if (point.m_bKnownTw) {
        ok = pttw_all(p, t, tw, &x, &h, &rh, &e.td, &e.pq, &e.pqb, &e.v, &e.rho);
    } else if (point.m_bKnownRH) {
        ok = ptRH_all(p, t, rh, &x, &h, &tw, &e.td, &e.pq, &e.pqb, &e.v, &e.rho);
    } else if (point.m_bKnownD) {
        ok = ptx_all(p, t, x, &rh, &tw, &h, &e.td, &e.pq, &e.pqb, &e.v, &e.rho);
    }
    if (!ok) {
        return 0;
    }
    point.m_t = t;
    point.m_d = x;
    point.m_tw = tw;
    point.m_RH = rh;
    point.m_h = h;
    markCompleted(point);
    return 1;
}

int CParamPoint::Calculate()
{
    // Work on a copy so that a failed calculation changes nothing.
    CParamPoint r = *this;
    const float p = r.m_p;
    const bool t = m_bKnownT, tw = m_bKnownTw, x = m_bKnownD, h = m_bKnownH, rh = m_bKnownRH, td = m_bKnownTd;
    int reserved = 0;
    int ok = 0;
    // The first pair whose two flags are set, in this order, decides. (x, td)
    // has no call: both say the same thing about the air.
    if (t && rh) {
        ok =
            ptRH_all(p, r.m_t, r.m_RH, &r.m_d, &r.m_h, &r.m_tw, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (t && tw) {
        ok =
            pttw_all(p, r.m_t, r.m_tw, &r.m_d, &r.m_h, &r.m_RH, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (x && h) {
        ok = pxh_all(p, r.m_d, r.m_h, &r.m_t, &r.m_RH, &r.m_tw, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho,
                     &reserved);
    } else if (t && h) {
        ok = pth_all(p, r.m_t, r.m_h, &r.m_d, &r.m_RH, &r.m_tw, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (x && tw) {
        ok =
            pxtw_all(p, r.m_d, r.m_tw, &r.m_t, &r.m_RH, &r.m_h, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (x && rh) {
        ok =
            pxRH_all(p, r.m_d, r.m_RH, &r.m_t, &r.m_tw, &r.m_h, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (t && x) {
        ok = ptx_all(p, r.m_t, r.m_d, &r.m_RH, &r.m_tw, &r.m_h, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (h && rh) {
        ok =
            phRH_all(p, r.m_h, r.m_RH, &r.m_t, &r.m_tw, &r.m_d, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (h && tw) {
        ok =
            phtw_all(p, r.m_h, r.m_tw, &r.m_t, &r.m_RH, &r.m_d, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (tw && rh) {
        ok = ptwRH_all(p, r.m_tw, r.m_RH, &r.m_t, &r.m_h, &r.m_d, &r.m_td, &r.m_pq, &r.m_pqb, &r.m_v,
                       &r.m_rho);
    } else if (t && td) {
        ok =
            pttd_all(p, r.m_t, r.m_td, &r.m_tw, &r.m_h, &r.m_d, &r.m_RH, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (rh && td) {
        ok = pRHtd_all(p, r.m_RH, r.m_td, &r.m_t, &r.m_h, &r.m_d, &r.m_tw, &r.m_pq, &r.m_pqb, &r.m_v,
                       &r.m_rho);
    } else if (h && td) {
        ok =
            phtd_all(p, r.m_h, r.m_td, &r.m_t, &r.m_RH, &r.m_d, &r.m_tw, &r.m_pq, &r.m_pqb, &r.m_v, &r.m_rho);
    } else if (tw && td) {
        ok = ptwtd_all(p, r.m_tw, r.m_td, &r.m_t, &r.m_RH, &r.m_d, &r.m_h, &r.m_pq, &r.m_pqb, &r.m_v,
                       &r.m_rho);
    }
    if (!ok) {
        return 0;
    }
    *this = r;
    return 1;
}
