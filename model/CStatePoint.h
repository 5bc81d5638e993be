#pragma once

#include <cstdint>
#include <string>

// A named state point on the chart. Stored units: °C, kg/kg, fraction, kJ/kg.
class CStatePoint {
public:
    // Point kinds (m_nKind).
    enum Kind {
        kFresh = -1,
        kIndependent = 0,
        kMixing = 1,
        kRelatedPair = 2,
        kEqualMoisture = 3,
        kEqualEnthalpy = 4,
        kEqualTemperature = 5,
        kOnProcessLine = 6,
        kOnHhrLine = 7,
        kProcessCrossProcess = 8,
        kProcessCrossHhr = 9,
        kHhrCrossHhr = 10,
        kHeatRecovery = 11, // the fresh air after a heat exchanger against an exhaust
        kEvaporative = 12   // the air after an evaporative cooler
    };
    // What a heat-recovery or evaporative point's exchanger does (m_nStepType).
    enum StepType {
        kRecoveryTotal = 0,      // heat and moisture: t and x move towards the exhaust
        kRecoverySensible = 1,   // heat only: x stays
        kEvaporativeDirect = 0,  // water sprayed into the air: along its wet-bulb line
        kEvaporativeIndirect = 1 // cooled through plates by wetted secondary air: x stays
    };
    // What m_fValue gives (m_nValueKind).
    enum ValueKind {
        kTemperatureDifference = 0,
        kMoistureDifference = 1,
        kDryBulb = 2,
        kRelativeHumidity = 3,
        kMoistureContent = 4,
        kWetBulb = 5,
        kEnthalpy = 6
    };

    std::string m_strName = "Point1";
    float m_t = 0;  // dry-bulb temperature, °C
    float m_d = 0;  // moisture content, kg/kg
    float m_tw = 0; // wet-bulb temperature, °C
    float m_RH = 0; // relative humidity, fraction
    float m_h = 0;  // enthalpy, kJ/kg
    std::int32_t m_nKind = kFresh;

    // Which values were given as the known pair (not saved).
    std::uint8_t m_bKnownT = 0;
    std::uint8_t m_bKnownTw = 0;
    std::uint8_t m_bKnownD = 0;
    std::uint8_t m_bKnownH = 0;
    std::uint8_t m_bKnownRH = 0;
    // Set to 1 whenever the point is created or recomputed (not saved).
    std::uint8_t m_bMark1 = 0;
    std::uint8_t m_bMark2 = 0;
    std::uint8_t m_bMark3 = 0;

    std::int32_t m_nMixSrc1 = -1;
    std::int32_t m_nMixSrc2 = -1;
    float m_fMixRatio = -1.0f; // share of the second source, fraction
    std::int32_t m_nRelPartner = -1;
    std::int32_t m_nRelHhrLine = -1;
    std::int32_t m_nId = -1;     // own index in the list; 0 outdoor, 1 indoor design point
    std::int32_t m_nWorking = 0; // working flag (not saved)
    std::int32_t m_nRelDiffType = -1;
    std::int32_t m_nRelPropType = -1;
    float m_fRelValue1 = 0;
    float m_fRelValue2 = 0;
    std::int32_t m_nBaseH = -1;
    std::int32_t m_nBaseD = -1;
    std::int32_t m_nBaseT = -1;
    std::int32_t m_nOnProcessLine = -1;
    std::int32_t m_nOnHhrLine = -1;
    std::int32_t m_nValueKind = -1;
    float m_fValue = 0;
    std::int32_t m_nCrossProc1 = -1;
    std::int32_t m_nCrossProc2 = -1;
    std::int32_t m_nCrossHhr1 = -1;
    std::int32_t m_nCrossHhr2 = -1;
    std::int32_t m_nCrossProc = -1;
    std::int32_t m_nCrossHhr = -1;
    // Heat-recovery and evaporative points: the entering air, the exhaust of a
    // heat recovery (−1 for an evaporative cooler, whose secondary air is the
    // entering air itself), the effectiveness e (fraction 0…1) and the type.
    std::int32_t m_nStepSrc1 = -1;
    std::int32_t m_nStepSrc2 = -1;
    float m_fStepEffect = 0;
    std::int32_t m_nStepType = -1;

    // Kind 0 with every reference field back to its default; the state values stay.
    void MakeIndependent();
    // Sets all five known flags off.
    void ClearKnown();
};
