#pragma once

#include <array>
#include <optional>
#include <vector>

#include "climate/WeatherYear.h"
#include "model/CIDG.h"

// A year of a room's fresh air by the enthalpy-difference method, hour by
// hour, and what a heat-recovery fresh-air unit saves of it.
//
// Each operated hour the outdoor state W decides the need: when h_W lies
// above h of the cooling indoor state N_c the fresh air must be cooled,
// G_c·(h_W − h_Nc)/3600 kWh; when it lies below h of the heating indoor state
// N_h it must be heated, G_h·(h_Nh − h_W)/3600 kWh; between the two (the dead
// band) it needs nothing. Cooling is tested first.
//
// With heat recovery the need stays the one W decided, and the exchanger
// moves W towards that need's indoor state N before the coil: a total-heat
// exchanger of effectiveness η to the enthalpy h_W + η·(h_N − h_W), a sensible
// one to the dry bulb t_W + η·(t_N − t_W) at W's moisture content (enthalpy
// by the library's tx_h). The coil then brings the recovered state to N; an
// exchanger that would leave it more to do than W itself (sensible recovery
// of cool humid air in a cooling hour, of warm dry air in a heating hour) is
// bypassed, and one that carries the air past N leaves the coil nothing.
//
// Energies are kWh, flows kg of dry air per hour, enthalpies kJ/kg of dry
// air; an hour's energy in kWh is its mean power in kW.

enum class RecoveryKind { None = 0, Total = 1, Sensible = 2 };

struct HeatRecovery {
    RecoveryKind kind = RecoveryKind::None;
    double effectiveness = 0; // η, 0…1
};

// The state the fresh air is brought to: t °C, RH fraction, x kg/kg, h kJ/kg.
struct IndoorAir {
    float t = 0;
    float RH = 0;
    float x = 0;
    float h = 0;
};

struct FreshAirYearInputs {
    double coolingFlow = 0; // G_c, kg/h in the cooling hours
    double heatingFlow = 0; // G_h, kg/h in the heating hours
    IndoorAir cooling;      // N_c
    IndoorAir heating;      // N_h
};

struct MonthlyEnergy {
    double coolingKwh = 0;
    double heatingKwh = 0;
};

// The largest hourly need in kW and the hour it falls in: an index into
// WeatherYear::hours, −1 when no hour needed anything.
struct PeakHour {
    double kw = 0;
    int hourIndex = -1;
};

// One year's need for cooling and heating the fresh air. The hours are the
// hours in which the coil has something to do.
struct FreshAirEnergy {
    double coolingKwh = 0;
    double heatingKwh = 0;
    int coolingHours = 0;
    int heatingHours = 0;
    PeakHour peakCooling;
    PeakHour peakHeating;
    std::array<MonthlyEnergy, 12> months{}; // January first
};

struct FreshAirYear {
    int operatedHours = 0;                      // hours of the year the schedule keeps
    FreshAirEnergy without;                     // without recovery
    std::optional<FreshAirEnergy> withRecovery; // none when no recovery was chosen

    double coolingSavingKwh() const
    {
        return withRecovery ? without.coolingKwh - withRecovery->coolingKwh : 0;
    }
    double heatingSavingKwh() const
    {
        return withRecovery ? without.heatingKwh - withRecovery->heatingKwh : 0;
    }
};

// The year of one room: every hour of `year` that `schedule` keeps.
FreshAirYear ComputeFreshAirYear(const FreshAirYearInputs& inputs, const WeatherYear& year,
                                 const HourFilter& schedule, const HeatRecovery& recovery);

// Several rooms over the same hours, and their total: the total's energies
// are the rooms' sums, its hours those in which any room's coil works, its
// peaks the largest sum of the rooms' needs in one hour (rooms peak at
// different hours, so this is less than the sum of their peaks).
struct FreshAirYears {
    std::vector<FreshAirYear> rooms; // in the order of the inputs
    FreshAirYear total;
};
FreshAirYears ComputeFreshAirYears(const std::vector<FreshAirYearInputs>& rooms, const WeatherYear& year,
                                   const HourFilter& schedule, const HeatRecovery& recovery);

// What keeps a room's year from being computed.
enum class RoomInputProblem {
    None,
    NoFreshAir,  // neither season has a fresh-air volume, and none was typed
    NoDensity,   // a season has a volume but the project has no air density for it
    IndoorState, // an indoor design state cannot be completed
};

// A room's inputs as the project gives them: G_c the summer fresh-air volume
// × the summer air density, G_h the winter volume × the winter density, or
// both the typed flow when one is given (kg/h, > 0); N_c and N_h the indoor
// states N of the room's 制冷 and 制热 views, from its design data at the
// chart pressure.
struct RoomFreshAirInputs {
    RoomInputProblem problem = RoomInputProblem::None;
    bool typed = false;
    double summerVolume = 0;  // m³/h, as the room gives it
    double winterVolume = 0;  // m³/h
    double summerDensity = 0; // kg/m³, the project's
    double winterDensity = 0; // kg/m³
    FreshAirYearInputs inputs;
};

// The heat recovery stored with a room (the one its fresh-air analyses use):
// what the year of a room takes when no other recovery is chosen.
HeatRecovery StoredHeatRecovery(const CServiceArea& room);

RoomFreshAirInputs RoomAnnualInputs(const CIDG& idg, const CServiceArea& room,
                                    std::optional<double> typedFlowKgPerH = std::nullopt);
