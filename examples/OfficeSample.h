#pragma once

#include <cmath>
#include <memory>
#include <string>

#include "analysis/AnalysisFramework.h"
#include "model/CIDG.h"

// The sample project examples/office.id: a small office building with a
// primary-return-air system and a fresh-air system. Built by
// qorva-make-sample; a test checks that the committed file is what this
// builds.
namespace office_sample {

// Saturation pressure of water vapour, Pa, over liquid water (t ≥ 0 °C) or
// ice (t < 0 °C), for t in −100…200 °C (Hyland and Wexler, ASHRAE Handbook,
// Fundamentals 2017, ch. 1, eqs. 5 and 6).
inline double saturationPressure(double t)
{
    const double T = t + 273.15; // K
    if (t < 0)
        return std::exp(-5.6745359e3 / T + 6.3925247 - 9.6778430e-3 * T + 6.2215701e-7 * T * T +
                        2.0747825e-9 * T * T * T - 9.4840240e-13 * T * T * T * T + 4.1635019 * std::log(T));
    return std::exp(-5.8002206e3 / T + 1.3914993 - 4.8640239e-2 * T + 4.1764768e-5 * T * T -
                    1.4452093e-8 * T * T * T + 6.5459673 * std::log(T));
}

// Humidity ratio, kg/kg, of air at pressure p (Pa) with vapour pressure pw (Pa).
inline double humidityRatio(double pw, double p)
{
    return 0.621945 * pw / (p - pw);
}

// Humidity ratio, kg/kg, from dry-bulb t and wet-bulb tw (°C) at p (Pa)
// (ASHRAE Handbook, Fundamentals 2017, ch. 1, eqs. 33 and 35).
inline double humidityRatioFromWetBulb(double t, double tw, double p)
{
    const double ws = humidityRatio(saturationPressure(tw), p);
    if (tw >= 0)
        return ((2501 - 2.326 * tw) * ws - 1.006 * (t - tw)) / (2501 + 1.86 * t - 4.186 * tw);
    return ((2830 - 0.24 * tw) * ws - 1.006 * (t - tw)) / (2830 + 1.86 * t - 2.1 * tw);
}

// Wet-bulb temperature, °C, of air at t (°C) and relative humidity rh (%) at
// p (Pa), by bisection between the dew point range and t (60 halvings).
inline double wetBulb(double t, double rh, double p)
{
    const double w = humidityRatio(rh / 100.0 * saturationPressure(t), p);
    double low = t - 40;
    double high = t;
    for (int i = 0; i < 60; ++i) {
        const double mid = (low + high) / 2;
        (humidityRatioFromWetBulb(t, mid, p) > w ? high : low) = mid;
    }
    return (low + high) / 2;
}

// Air density, kg/m³, by the program's formula: ρ = (p − 0.37802·pq)·3.48365
// / ((t + 273.15)·1000) with pq = p·x/(x + 0.62198); p Pa, x kg/kg, t °C.
inline double airDensity(double p, double x, double t)
{
    const double pq = p * x / (x + 0.62198);
    return (p - 0.37802 * pq) * 3.48365 / ((t + 273.15) * 1000);
}

// Rounded to the decimals the pressure dialog shows, so the stored values are
// the same on every machine.
inline float rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return static_cast<float>(std::round(value * scale) / scale);
}

struct RoomData {
    const char* name;
    float coolingLoad;  // kW
    float moistureLoad; // kg/h, summer
    float freshAir;     // m³/h
    float heatingLoad;  // kW
};

inline void addSystem(CIDG& idg, const char* name, std::initializer_list<RoomData> rooms)
{
    auto system = std::make_unique<CAcSystem>();
    system->m_strName = name;
    for (const RoomData& data : rooms) {
        auto room = std::make_unique<CServiceArea>();
        room->m_strName = data.name;
        room->m_fSummerInT = 26.0f;
        room->m_fSummerInRH = 55.0f;
        room->m_bSummerInByRH = 1;
        room->m_fSummerLoad = data.coolingLoad;
        room->m_fSummerMoistLoad = data.moistureLoad;
        room->m_fSummerFreshAir = data.freshAir;
        room->m_fWinterInT = 20.0f;
        room->m_fWinterInRH = 40.0f;
        room->m_bWinterInByRH = 1;
        room->m_fWinterLoad = data.heatingLoad;
        room->m_fWinterMoistLoad = rounded(data.moistureLoad * 0.6, 2);
        room->m_fWinterFreshAir = data.freshAir;
        system->m_rooms.push_back(std::move(room));
    }
    idg.m_rooms.m_systems.push_back(std::move(system));
}

inline void build(CIDG& idg)
{
    idg.m_strProjectName = "示例办公楼";
    idg.m_nUnitSystem = CIDG::kUnitsSI;

    // Summer outdoor design point: 34 °C dry-bulb, 28.2 °C wet-bulb.
    CAir_Room& rooms = idg.m_rooms;
    rooms.m_strSummerOutName = "W";
    rooms.m_fSummerOutT = 34.0f;
    rooms.m_fSummerOutTw = 28.2f;
    rooms.m_fSummerOutRH = 0;
    rooms.m_bSummerOutByRH = 0;
    // Winter outdoor design point (Beijing-like): −9 °C, 40 %.
    const double summerP = 100000;
    const double winterP = 102000;
    rooms.m_strWinterOutName = "W";
    rooms.m_fWinterOutT = -9.0f;
    rooms.m_fWinterOutRH = 40.0f;
    rooms.m_fWinterOutTw = rounded(wetBulb(-9.0, 40.0, winterP), 1);
    rooms.m_bWinterOutByRH = 1;

    const double summerX = humidityRatioFromWetBulb(34.0, 28.2, summerP);
    idg.m_fSummerAirT = 34.0f;
    idg.m_fSummerPressure = static_cast<float>(summerP);
    idg.m_fSummerAirD = rounded(summerX, 4);
    idg.m_fSummerDensity = rounded(airDensity(summerP, idg.m_fSummerAirD, 34.0), 3);
    const double winterX = humidityRatio(0.40 * saturationPressure(-9.0), winterP);
    idg.m_fWinterAirT = -9.0f;
    idg.m_fWinterPressure = static_cast<float>(winterP);
    idg.m_fWinterAirD = rounded(winterX, 4);
    idg.m_fWinterDensity = rounded(airDensity(winterP, idg.m_fWinterAirD, -9.0), 3);

    addSystem(idg, "空调系统1",
              {{"办公室101", 6.5f, 0.8f, 300, 4.2f},
               {"办公室102", 5.8f, 0.7f, 300, 3.8f},
               {"会议室", 9.5f, 1.8f, 900, 6.0f},
               {"大厅", 14.5f, 2.0f, 1500, 11.0f}});
    addSystem(idg, "新风系统",
              {{"办公室201", 4.2f, 0.6f, 200, 3.1f},
               {"办公室202", 3.6f, 0.5f, 250, 3.0f},
               {"接待室", 7.4f, 1.2f, 600, 5.2f}});

    // One room of each analysis kind, summer and winter, so the program opens
    // on a chart that shows what it does.
    const auto analyse = [&idg](int system, int room, const AnalysisRequest& request) {
        idg.m_nCurSystem = system;
        idg.m_nCurRoom = room;
        std::string message;
        if (idg.PointAtCurrentRoom())
            RunAnalysis(idg, request, message);
    };
    PrimaryParams primary;
    primary.maxDifference = 0;
    primary.supplyDifference = 6.0f;
    primary.fanRise = 1.0f;
    primary.dewPoint = 0.9f;
    primary.winter = 1;
    primary.preheatMode = kPreheatFirst;
    primary.humidifyMode = kHumidifyAdiabatic;
    primary.preheatDifference = 15.0f;
    analyse(0, 0, primary);
    SecondaryParams secondary;
    secondary.fanRise = 1.0;
    secondary.supplyDifference = 6.0;
    analyse(0, 1, secondary);
    FanCoilParams fanCoil;
    fanCoil.maxDifference = 0;
    fanCoil.supplyDifference = 8.0;
    fanCoil.winter = 1;
    analyse(0, 2, fanCoil);
    FreshAirParams freshAir;
    freshAir.heatTo = 18.0f;
    freshAir.humidification = 0.5f;
    freshAir.humidifyMode = kHumidifySteam;
    analyse(1, 0, freshAir);
    idg.m_nCurSystem = 0;
    idg.m_nCurRoom = 0;
}

} // namespace office_sample
