#pragma once

#include <cstdint>
#include <string>

// A parameter point: all ten properties of a state at its own pressure.
// Stored units: °C, kg/kg, fraction, kJ/kg, Pa, m³/kg, kg/m³.
class CParamPoint {
public:
    std::int32_t m_nId = -1;
    std::string m_strName = "Point1";
    float m_t = 0;    // dry-bulb, °C
    float m_d = 0;    // moisture content, kg/kg
    float m_tw = 0;   // wet-bulb, °C
    float m_RH = 0;   // relative humidity, fraction
    float m_h = 0;    // enthalpy, kJ/kg
    float m_p = 0;    // atmospheric pressure, Pa
    float m_pq = 0;   // water-vapour partial pressure, Pa
    float m_pqb = 0;  // saturation vapour pressure, Pa
    float m_td = 0;   // dew point, °C
    float m_v = 0;    // specific volume, m³/kg of dry air
    float m_rho = 0;  // density, kg/m³

    // Known-pair flags (not saved).
    std::uint8_t m_bKnownT = 0;
    std::uint8_t m_bKnownTw = 0;
    std::uint8_t m_bKnownD = 0;
    std::uint8_t m_bKnownH = 0;
    std::uint8_t m_bKnownRH = 0;
    // Further flags in the order p, pq, pqb, td, v, ρ; only td is read by Calculate.
    std::uint8_t m_bKnownP = 0;
    std::uint8_t m_bKnownPq = 0;
    std::uint8_t m_bKnownPqb = 0;
    std::uint8_t m_bKnownTd = 0;
    std::uint8_t m_bKnownV = 0;
    std::uint8_t m_bKnownRho = 0;

    // Completes every property that was not given from the first known pair,
    // at m_p. Returns 1 on success, 0 on failure (fields then unchanged).
    int Calculate();
};
