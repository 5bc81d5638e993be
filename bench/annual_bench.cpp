#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>

#include "analysis/AnnualFreshAir.h"
#include "examples/OfficeSample.h"
#include "psychro/QorvaDll.h"

// A year of fresh air for 100 rooms (the sample's seven rooms repeated) over
// a synthetic year of 8 760 hours, as qorva-cli annual and the dialog compute
// it: each room's inputs from the project, then its year, without recovery
// (0), with total (1) and with sensible (2) recovery of 70 %.
namespace {

// A smooth year at 101325 Pa: a seasonal swing of ±12 K around 13 °C and a
// daily one of ±5 K, humidity between 40 and 80 %.
WeatherYear syntheticYear()
{
    static constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    WeatherYear year;
    year.hours.reserve(8760);
    int dayOfYear = 0;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= kDaysInMonth[month - 1]; ++day, ++dayOfYear)
            for (int hour = 1; hour <= 24; ++hour) {
                const double season = std::sin(2 * std::numbers::pi * (dayOfYear - 110) / 365.0);
                const double daily = std::sin(2 * std::numbers::pi * (hour - 9) / 24.0);
                WeatherHour w;
                w.month = month;
                w.day = day;
                w.hour = hour;
                w.t = static_cast<float>(13 + 12 * season + 5 * daily);
                w.RH = static_cast<float>(0.6 + 0.2 * season * daily);
                w.p = 101325;
                float pq = 0, pqb = 0, v = 0, rho = 0;
                ptRH_all(w.p, w.t, w.RH, &w.x, &w.h, &w.tw, &w.td, &pq, &pqb, &v, &rho);
                year.hours.push_back(w);
            }
    return year;
}

void buildProject(CIDG& idg)
{
    office_sample::build(idg);
    for (int copy = 0; copy < 14; ++copy) {
        auto system = std::make_unique<CAcSystem>();
        system->m_strName = "系统" + std::to_string(copy);
        for (std::size_t s = 0; s < 2; ++s)
            for (const auto& room : idg.m_rooms.m_systems[s]->m_rooms)
                system->m_rooms.push_back(CloneRoom(*room));
        idg.m_rooms.m_systems.push_back(std::move(system));
    }
}

void BM_YearOfHundredRooms(benchmark::State& state)
{
    CIDG idg;
    buildProject(idg);
    const WeatherYear year = syntheticYear();
    HeatRecovery recovery;
    recovery.kind = static_cast<RecoveryKind>(state.range(0));
    recovery.effectiveness = 0.7;
    int rooms = 0;
    double saving = 0;
    for (auto _ : state) {
        rooms = 0;
        saving = 0;
        for (const auto& system : idg.m_rooms.m_systems)
            for (const auto& room : system->m_rooms) {
                if (rooms == 100)
                    break;
                ++rooms;
                const RoomFreshAirInputs inputs = RoomAnnualInputs(idg, *room);
                const FreshAirYear result = ComputeFreshAirYear(inputs.inputs, year, HourFilter{}, recovery);
                saving += result.coolingSavingKwh() + result.heatingSavingKwh();
            }
        benchmark::DoNotOptimize(saving);
    }
    state.counters["rooms"] = rooms;
    state.counters["hours"] = double(year.hours.size());
}
BENCHMARK(BM_YearOfHundredRooms)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
