#pragma once

// Density of moist air for the flow calculations, from the atmospheric
// pressure p (Pa, > 0), the moisture content x (kg/kg of dry air, ≥ 0) and the
// dry-bulb temperature t (°C, > −273.15):
//   ρ = (p − 0.37802·pq) · 3.48365 / ((t + 273.15) · 1000),  pq = p·x / (x + 0.62198)
// with pq the vapour partial pressure (Pa); 0.62198 is the ratio of the molar
// masses of water vapour and dry air, 3.48365 = 1000 / R_da (R_da = 287.055
// J/(kg·K)). Result in kg/m³; computed in double precision.
double AirDensity(double p, double x, double t);
