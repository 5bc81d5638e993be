#include <gtest/gtest.h>

#include <vector>

#include "analysis/AnnualFreshAir.h"
#include "support/OneRoomProject.h"

// The values below are worked out by hand with h = 1.01·t + x·(2500 + 1.85·t)
// (kJ/kg), N_c at 26 °C with h 55 kJ/kg, N_h at 20 °C with h 35 kJ/kg,
// G_c = 3600 kg/h (an hour's cooling in kWh equals Δh) and G_h = 1800 kg/h
// (an hour's heating is Δh / 2).
namespace {

WeatherHour hour(int month, int day, int hourEnding, float t, float x, float h)
{
    WeatherHour w;
    w.month = month;
    w.day = day;
    w.hour = hourEnding;
    w.t = t;
    w.x = x;
    w.h = h;
    w.p = 101325;
    return w;
}

// Hot and humid: h = 35.35 + 0.02·2564.75 = 86.645.
const WeatherHour kHotHumid = hour(7, 15, 15, 35, 0.020f, 86.645f);
// Cool but humid, still above N_c: h = 24.24 + 0.013·2544.4 = 57.3172.
const WeatherHour kCoolHumid = hour(7, 16, 8, 24, 0.013f, 57.3172f);
// Between the two indoor enthalpies: h = 42.5456.
const WeatherHour kDeadBand = hour(4, 10, 12, 22, 0.008f, 42.5456f);
// Cold: h = −5.05 + 0.002·2490.75 = −0.0685.
const WeatherHour kCold = hour(1, 10, 9, -5, 0.002f, -0.0685f);
// Warm but dry, below N_h: h = 21.21 + 0.004·2538.85 = 31.3654.
const WeatherHour kWarmDry = hour(3, 5, 13, 21, 0.004f, 31.3654f);

FreshAirYearInputs office()
{
    FreshAirYearInputs in;
    in.coolingFlow = 3600;
    in.heatingFlow = 1800;
    in.cooling = {26, 0.5f, 0.0105f, 55};
    in.heating = {20, 0.4f, 0.0058f, 35};
    return in;
}

WeatherYear yearOf(std::vector<WeatherHour> hours)
{
    WeatherYear year;
    year.hours = std::move(hours);
    return year;
}

TEST(AnnualFreshAirTest, EachHourNeedsWhatItsOutdoorStateDecidesLessWhatRecoveryGains)
{
    struct Row {
        const char* what;
        WeatherHour w;
        HeatRecovery recovery;
        double cooling, heating;                   // kWh without recovery
        double coolingRecovered, heatingRecovered; // kWh with it
    };
    const Row rows[] = {
        {"cooling, no recovery", kHotHumid, {}, 31.645, 0, 0, 0},
        // 86.645 + 0.7·(55 − 86.645) = 64.4935
        {"cooling, total 70 %", kHotHumid, {RecoveryKind::Total, 0.7}, 31.645, 0, 9.4935, 0},
        // 35 + 0.7·(26 − 35) = 28.7 °C at x 0.02: h = 28.987 + 0.02·2553.095 = 80.0489
        {"cooling, sensible 70 %", kHotHumid, {RecoveryKind::Sensible, 0.7}, 31.645, 0, 25.0489, 0},
        {"cooling, total 100 % leaves nothing", kHotHumid, {RecoveryKind::Total, 1.0}, 31.645, 0, 0, 0},
        // 57.3172 + 0.7·(55 − 57.3172) = 55.69516
        {"cool humid, total 70 %", kCoolHumid, {RecoveryKind::Total, 0.7}, 2.3172, 0, 0.69516, 0},
        // warming 24 °C air towards 26 °C would add to the need: bypassed
        {"cool humid, sensible bypassed", kCoolHumid, {RecoveryKind::Sensible, 0.7}, 2.3172, 0, 2.3172, 0},
        {"dead band", kDeadBand, {RecoveryKind::Total, 0.7}, 0, 0, 0, 0},
        // −0.0685 + 0.7·35.0685 = 24.47945; (35 − 24.47945) / 2
        {"heating, total 70 %", kCold, {RecoveryKind::Total, 0.7}, 0, 17.53425, 0, 5.260275},
        // −5 + 0.7·25 = 12.5 °C at x 0.002: h = 12.625 + 0.002·2523.125 = 17.67125
        {"heating, sensible 70 %", kCold, {RecoveryKind::Sensible, 0.7}, 0, 17.53425, 0, 8.664375},
        // 31.3654 + 0.7·3.6346 = 33.90962
        {"warm dry, total 70 %", kWarmDry, {RecoveryKind::Total, 0.7}, 0, 1.8173, 0, 0.54519},
        // cooling 21 °C air towards 20 °C would add to the need: bypassed
        {"warm dry, sensible bypassed", kWarmDry, {RecoveryKind::Sensible, 0.7}, 0, 1.8173, 0, 1.8173},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const FreshAirYear year = ComputeFreshAirYear(office(), yearOf({row.w}), HourFilter{}, row.recovery);
        EXPECT_EQ(year.operatedHours, 1);
        EXPECT_NEAR(year.without.coolingKwh, row.cooling, 1e-3);
        EXPECT_NEAR(year.without.heatingKwh, row.heating, 1e-3);
        ASSERT_EQ(year.withRecovery.has_value(), row.recovery.kind != RecoveryKind::None);
        if (!year.withRecovery)
            continue;
        EXPECT_NEAR(year.withRecovery->coolingKwh, row.coolingRecovered, 1e-3);
        EXPECT_NEAR(year.withRecovery->heatingKwh, row.heatingRecovered, 1e-3);
        EXPECT_EQ(year.withRecovery->coolingHours, row.coolingRecovered > 0 ? 1 : 0);
        EXPECT_EQ(year.withRecovery->heatingHours, row.heatingRecovered > 0 ? 1 : 0);
        EXPECT_NEAR(year.coolingSavingKwh(), row.cooling - row.coolingRecovered, 1e-3);
        EXPECT_NEAR(year.heatingSavingKwh(), row.heating - row.heatingRecovered, 1e-3);
    }
}

TEST(AnnualFreshAirTest, YearSumsMonthsPeaksAndAScheduleAcrossMidnight)
{
    const std::vector<WeatherHour> hours = {
        kHotHumid,                              // 0: cooling 31.645
        kCoolHumid,                             // 1: cooling 2.3172
        kDeadBand,                              // 2
        kCold,                                  // 3: heating 17.53425 at 09:00
        kWarmDry,                               // 4: heating 1.8173
        hour(1, 11, 23, 0, 0.003f, 7.5f),       // 5: heating 13.75 at 23:00
        hour(1, 12, 6, -2, 0.002f, 2.9726f),    // 6: heating 16.0137 at 06:00
        hour(1, 12, 7, -6, 0.002f, -1.0822f),   // 7: heating 18.0411 at 07:00
        hour(1, 12, 22, -10, 0.001f, -7.6185f), // 8: heating 21.30925 at 22:00
    };
    const FreshAirYear all = ComputeFreshAirYear(office(), yearOf(hours), HourFilter{}, {});
    EXPECT_EQ(all.operatedHours, 9);
    EXPECT_EQ(all.without.coolingHours, 2);
    EXPECT_EQ(all.without.heatingHours, 6);
    EXPECT_NEAR(all.without.coolingKwh, 33.9622, 1e-3);
    EXPECT_NEAR(all.without.heatingKwh, 88.4656, 1e-3);
    EXPECT_NEAR(all.without.peakCooling.kw, 31.645, 1e-3);
    EXPECT_EQ(all.without.peakCooling.hourIndex, 0);
    EXPECT_NEAR(all.without.peakHeating.kw, 21.30925, 1e-3);
    EXPECT_EQ(all.without.peakHeating.hourIndex, 8);
    EXPECT_NEAR(all.without.months[0].heatingKwh, 86.6483, 1e-3);
    EXPECT_NEAR(all.without.months[2].heatingKwh, 1.8173, 1e-3);
    EXPECT_NEAR(all.without.months[6].coolingKwh, 33.9622, 1e-3);
    EXPECT_EQ(all.without.months[3].coolingKwh + all.without.months[3].heatingKwh, 0.0);

    // 22–6 keeps the hours ending 23, 24 and 1–6: 23:00 and 06:00 here,
    // not 22:00 nor 07:00.
    HourFilter night;
    night.fromHour = 22;
    night.toHour = 6;
    const FreshAirYear nights = ComputeFreshAirYear(office(), yearOf(hours), night, {});
    EXPECT_EQ(nights.operatedHours, 2);
    EXPECT_EQ(nights.without.heatingHours, 2);
    EXPECT_EQ(nights.without.coolingHours, 0);
    EXPECT_NEAR(nights.without.heatingKwh, 29.7637, 1e-3);
    EXPECT_EQ(nights.without.peakHeating.hourIndex, 6);
    EXPECT_EQ(nights.without.peakCooling.hourIndex, -1);

    // A second room that heats twice the air and cools none: the total sums
    // each hour over the rooms, so its peak is the coldest hour's sum.
    FreshAirYearInputs heatingOnly = office();
    heatingOnly.coolingFlow = 0;
    heatingOnly.heatingFlow = 3600;
    const FreshAirYears both = ComputeFreshAirYears({office(), heatingOnly}, yearOf(hours), HourFilter{}, {});
    ASSERT_EQ(both.rooms.size(), 2u);
    EXPECT_EQ(both.total.operatedHours, 9);
    EXPECT_EQ(both.rooms[1].without.coolingHours, 0);
    EXPECT_NEAR(both.total.without.coolingKwh, 33.9622, 1e-3);
    EXPECT_NEAR(both.total.without.heatingKwh, 3 * 88.4656, 2e-3);
    EXPECT_EQ(both.total.without.heatingHours, 6);
    EXPECT_NEAR(both.total.without.peakHeating.kw, 3 * 21.30925, 1e-3);
    EXPECT_EQ(both.total.without.peakHeating.hourIndex, 8);
}

TEST(AnnualFreshAirTest, RoomInputsComeFromTheDesignDataOrTheTypedFlow)
{
    CIDG idg;
    CServiceArea& room = fillOneRoomProject(idg);
    idg.m_fSummerDensity = 1.15f;
    idg.m_fWinterDensity = 1.3f;

    // No fresh air in either season.
    EXPECT_EQ(RoomAnnualInputs(idg, room).problem, RoomInputProblem::NoFreshAir);

    room.m_fSummerFreshAir = 400;
    room.m_fWinterFreshAir = 300;
    const RoomFreshAirInputs design = RoomAnnualInputs(idg, room);
    EXPECT_EQ(design.problem, RoomInputProblem::None);
    EXPECT_NEAR(design.inputs.coolingFlow, 460.0, 1e-3); // 400 m³/h × 1.15 kg/m³
    EXPECT_NEAR(design.inputs.heatingFlow, 390.0, 1e-3); // 300 m³/h × 1.3 kg/m³
    // N of the 制冷 view: 25 °C, 50 % at 101325 Pa, p_ws = 3169.2 Pa:
    // x = 0.62198·1584.6 / 99740.4 = 0.009882, h = 25.25 + 0.009882·2546.25 = 50.41.
    EXPECT_FLOAT_EQ(design.inputs.cooling.t, 25.0f);
    EXPECT_NEAR(design.inputs.cooling.h, 50.41, 0.01);
    // N of the 制热 view: 20 °C, 40 %, p_ws = 2338.8 Pa: x = 0.005796, h = 34.905.
    EXPECT_FLOAT_EQ(design.inputs.heating.t, 20.0f);
    EXPECT_NEAR(design.inputs.heating.x, 0.005796, 2e-6);
    EXPECT_NEAR(design.inputs.heating.h, 34.905, 0.01);

    const RoomFreshAirInputs typed = RoomAnnualInputs(idg, room, 500.0);
    EXPECT_TRUE(typed.typed);
    EXPECT_EQ(typed.inputs.coolingFlow, 500.0);
    EXPECT_EQ(typed.inputs.heatingFlow, 500.0);

    idg.m_fWinterDensity = 0;
    EXPECT_EQ(RoomAnnualInputs(idg, room).problem, RoomInputProblem::NoDensity);
    room.m_fWinterInRH = 150.0f;
    EXPECT_EQ(RoomAnnualInputs(idg, room, 500.0).problem, RoomInputProblem::IndoorState);
}

} // namespace
