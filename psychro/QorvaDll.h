#pragma once

// The moist-air property library: the 39 functions through which the chart,
// the derived points, the calculations and the analyses get every property.
//
// Conventions of all functions:
// - Inputs come first, outputs follow as pointers; every output pointer must
//   be non-null.
// - The return value is 1 on success and 0 on failure. On failure nothing is
//   written. A function never returns 1 with a NaN or infinite output, and
//   never hangs: every iteration is bounded.
// - 32-bit floats in stored units: p, pq, pqb Pa; t (dry bulb), tw (wet
//   bulb), td (dew point) °C; RH fraction 0…1; x kg of water per kg of dry
//   air; h and ε kJ per kg of dry air; v m³ per kg of dry air; ρ kg/m³;
//   capacities Q W; air volumes G m³/h; moisture flows W kg/h.
// - Accepted ranges: p 10 kPa…1 MPa; temperatures −100…200 °C (the range of
//   the saturation-pressure equations); RH 0…1; x >= 0. Anything else,
//   including NaN and Inf, fails.
// - Internally everything is computed in double; iterated temperatures are
//   accurate to 1e-6 K before rounding to float.
//
// Formulation (see psychro/MoistAir.h): saturation pressure of Hyland and
// Wexler, ASHRAE Handbook — Fundamentals (2017) ch. 1 eqs. (5) and (6), over
// ice below the triple point (0.01 °C) and over water from it;
// x = 0.62198·pq/(p − pq); h = 1.01·t + x·(2500 + 1.85·t); the wet bulb is
// the chart's wet-bulb line through the state, h = h_s(tw) − 4.1868·tw·(x_s(tw) − x);
// v = 287.055·(t + 273.15)/(p − pq) per kg of dry air;
// ρ = (p − 0.37802·pq)·3.48365/((t + 273.15)·1000), which equals (1 + x)/v.
//
// A state wetter than saturated (fog) is not a state here, nor is one so dry
// that its dew point lies below −100 °C (x below about 1e-8 kg/kg, perfectly
// dry air included): the full-state functions, which report the dew point,
// fail for it.

// Full state at pressure p from two known properties. Outputs: the three
// (with td known: four) properties of the pair's list, then td (unless
// known), pq, pqb, v, ρ.
int ptRH_all(float p, float t, float RH, float* x, float* h, float* tw, float* td, float* pq, float* pqb,
             float* v, float* rho);
int pttw_all(float p, float t, float tw, float* x, float* h, float* RH, float* td, float* pq, float* pqb,
             float* v, float* rho);
// reserved: always set to 0.
int pxh_all(float p, float x, float h, float* t, float* RH, float* tw, float* td, float* pq, float* pqb,
            float* v, float* rho, int* reserved);
int pth_all(float p, float t, float h, float* x, float* RH, float* tw, float* td, float* pq, float* pqb,
            float* v, float* rho);
int pxtw_all(float p, float x, float tw, float* t, float* RH, float* h, float* td, float* pq, float* pqb,
             float* v, float* rho);
int pxRH_all(float p, float x, float RH, float* t, float* tw, float* h, float* td, float* pq, float* pqb,
             float* v, float* rho);
int ptx_all(float p, float t, float x, float* RH, float* tw, float* h, float* td, float* pq, float* pqb,
            float* v, float* rho);
int phRH_all(float p, float h, float RH, float* t, float* tw, float* x, float* td, float* pq, float* pqb,
             float* v, float* rho);
// The chart's 0 °C wet-bulb line is a line of constant enthalpy, so tw = 0
// does not fix a state with h and fails; near it the pair is ill-conditioned
// (an error δh moves x by δh/(4.1868·tw)).
int phtw_all(float p, float h, float tw, float* t, float* RH, float* x, float* td, float* pq, float* pqb,
             float* v, float* rho);
int ptwRH_all(float p, float tw, float RH, float* t, float* h, float* x, float* td, float* pq, float* pqb,
              float* v, float* rho);
int pttd_all(float p, float t, float td, float* tw, float* h, float* x, float* RH, float* pq, float* pqb,
             float* v, float* rho);
int pRHtd_all(float p, float RH, float td, float* t, float* h, float* x, float* tw, float* pq, float* pqb,
              float* v, float* rho);
int phtd_all(float p, float h, float td, float* t, float* RH, float* x, float* tw, float* pq, float* pqb,
             float* v, float* rho);
int ptwtd_all(float p, float tw, float td, float* t, float* RH, float* x, float* h, float* pq, float* pqb,
              float* v, float* rho);

// Single properties.
// h from t and x (the chart formula; any x >= 0, t in range).
int tx_h(float t, float x, float* h);
// t from x and h (its inverse).
int xh_t(float x, float h, float* t);
int pxh_RH(float p, float x, float h, float* RH);
// The dry bulb at which x has relative humidity RH (RH in (0, 1]); with RH 1
// the saturation temperature of x.
int pxRH_t(float p, float x, float RH, float* t);
// t, RH and tw of (x, h); unlike pxh_all this needs no dew point, so
// perfectly dry air (x = 0) is accepted.
int pxh_tRHtw(float p, float x, float h, float* t, float* RH, float* tw);
// Saturation pressure e (Pa) at t, and its inverse.
int t_et(float t, float* e);
int et_t(float e, float* t);

// Differences.
// Δh = h2 − h1: the enthalpy change going from state 1 to state 2.
int h1h2_deltah(float h1, float h2, float* deltah);
// ε = (h2 − h1)/(x2 − x1), the same whichever state comes first. Equal moisture
// contents with different enthalpies give the program's "vertical line" value
// ±99999997952 (the float nearest 1e11) with the sign of h2 − h1; steeper
// ratios are held to that value. Two equal states fail.
int x1h1x2h2_HHR(float x1, float h1, float x2, float h2, float* ratio);

// Flows between two states; rho the air density (> 0), G >= 0.
// Supply air volume for load Q: G = 3.6·|Q|/(ρ·|h1 − h2|) m³/h; fails when h1 == h2.
int MDh1h2Q_G(float rho, float h1, float h2, float Q, float* G);
// Capacities for air volume G: Q = ρ·G·|h1 − h2|/3.6 W, a magnitude (the
// caller knows from the process whether it cools or heats). Cooling, heating,
// and reheat or preheat share the formula.
int MDh1h2G_Q(float rho, float h1, float h2, float G, float* Q);
int MDh1h2G_Q1(float rho, float h1, float h2, float G, float* Q);
int MDh1h2G_Q2(float rho, float h1, float h2, float G, float* Q);
// Moisture flow W = ρ·G·(x2 − x1) kg/h: positive when the air picks up
// moisture from state 1 to state 2 (humidification), negative when it loses
// it (dehumidification).
int MDx1x2G_H(float rho, float x1, float x2, float G, float* W);

// Points. Each result is a state at p that pxh_all accepts, else the call fails.
// The mixture of states 1 and 2, r (0…1) the share of state 2 (by mass of dry air).
int px1h1x2h2ratio_xh(float p, float x1, float h1, float x2, float h2, float r, float* x, float* h);
// Along the line of constant x, t or h through state 0. mode 1: the property
// `code` equals value; mode 0 (code 0 or 1): value is the difference
// (target − state 0) of that property. Codes, constant x: 0 t, 1 h, 2 RH,
// 3 tw; constant t: 0 x, 1 h, 2 RH, 3 tw; constant h: 0 t, 1 x, 2 RH, 3 tw.
int px0h0x1_xh(float p, float x0, float h0, int mode, int code, float value, float* x, float* h);
int px0h0t1_xh(float p, float x0, float h0, int mode, int code, float value, float* x, float* h);
int px0h0h1_xh(float p, float x0, float h0, int mode, int code, float value, float* x, float* h);
// On the straight line through states 1 and 2 (extended past them), or on the
// ε line through state 1. Codes 0 t, 1 x, 2 h, 3 RH, 4 tw; modes as above,
// differences from state 1. A relative-humidity curve can cross a line
// twice: the crossing taken is the nearest to state 1 that is reached from
// it without passing through fog.
int px1h1x2h2g_xh(float p, float x1, float h1, float x2, float h2, int mode, int code, float value, float* x,
                  float* h);
int px1h1HHRr_xh(float p, float x1, float h1, float ratio, int mode, int code, float value, float* x,
                 float* h);
// The two ends of the ε line through state 1 as the chart draws it (and clips
// to its window): the line between where it reaches the saturation curve or
// leaves the formulation range (x of a dew point of −100 °C, t −99.99 or
// 199.99 °C), a on the lower-x side (for a vertical line the lower end),
// b on the other. Both are states for pxh_all.
int px1h1HHR_2P(float p, float x1, float h1, float ratio, float* xa, float* ha, float* xb, float* hb);
// A related pair on the ε line through state 0: point 1 lies on the line;
// mode 0: point 2 has point 1's x and t1 − t2 = value1 (°C); mode 1:
// point 2 has point 1's t and x1 − x2 = value1 (kg/kg). Point 2's property
// `code` (0 t, 1 x, 2 h, 3 RH, 4 tw) equals value2. Of several solutions,
// point 1 is the nearest to state 0 reached along the line without passing
// through fog.
int px0h0HHR_x1h1x2h2(float p, float x0, float h0, float ratio, int mode, float value1, int code,
                      float value2, float* x1, float* h1, float* x2, float* h2);

// Intersections of straight lines (extended past their points): line 1–2
// with line 3–4; line 1–2 with the ε line through 3; the ε lines through 1
// and 2. Fail when the lines are parallel or a line's points coincide, or
// when the crossing has x < 0 or t outside −100…200 °C.
int x1h1x2h2x3h3x4h4_xh(float x1, float h1, float x2, float h2, float x3, float h3, float x4, float h4,
                        float* x, float* h);
int x1h1x2h2x3h3HHR_xh(float x1, float h1, float x2, float h2, float x3, float h3, float ratio, float* x,
                       float* h);
int x1h1HHR1x2h2HHR2_xh(float x1, float h1, float ratio1, float x2, float h2, float ratio2, float* x,
                        float* h);
