#include <benchmark/benchmark.h>

#include <string>

#include "analysis/AnalysisFramework.h"
#include "examples/OfficeSample.h"

// Each analysis, summer and winter, on every room of a 100-room project (the
// sample's design data repeated), as the dialog's OK runs it.
namespace {

void buildProject(CIDG& idg)
{
    office_sample::build(idg);
    for (int copy = 0; idg.m_rooms.m_systems.size() < 16 && copy < 20; ++copy) {
        auto system = std::make_unique<CAcSystem>();
        system->m_strName = "系统" + std::to_string(copy);
        for (const auto& room : idg.m_rooms.m_systems[0]->m_rooms)
            system->m_rooms.push_back(CloneRoom(*room));
        for (const auto& room : idg.m_rooms.m_systems[1]->m_rooms)
            system->m_rooms.push_back(CloneRoom(*room));
        idg.m_rooms.m_systems.push_back(std::move(system));
    }
}

AnalysisRequest request(int kind)
{
    switch (kind) {
    case 0: {
        PrimaryParams p;
        p.maxDifference = 0;
        p.supplyDifference = 6.0f;
        p.fanRise = 1.0f;
        p.dewPoint = 0.9f;
        p.winter = 1;
        p.preheatMode = kPreheatFirst;
        p.humidifyMode = kHumidifyAdiabatic;
        p.preheatDifference = 15.0f;
        return p;
    }
    case 1: {
        SecondaryParams p;
        p.fanRise = 1.0;
        p.supplyDifference = 6.0;
        return p;
    }
    case 2: {
        FanCoilParams p;
        p.maxDifference = 0;
        p.supplyDifference = 8.0;
        p.winter = 1;
        return p;
    }
    default: {
        FreshAirParams p;
        p.heatTo = 18.0f;
        p.humidification = 0.5f;
        p.humidifyMode = kHumidifySteam;
        return p;
    }
    }
}

void BM_AnalyseEveryRoom(benchmark::State& state)
{
    CIDG idg;
    buildProject(idg);
    const AnalysisRequest what = request(static_cast<int>(state.range(0)));
    int rooms = 0, failed = 0;
    for (auto _ : state) {
        rooms = failed = 0;
        for (std::size_t s = 0; s < idg.m_rooms.m_systems.size(); ++s)
            for (std::size_t r = 0; r < idg.m_rooms.m_systems[s]->m_rooms.size() && rooms < 100;
                 ++r, ++rooms) {
                idg.m_nCurSystem = static_cast<int>(s);
                idg.m_nCurRoom = static_cast<int>(r);
                idg.PointAtCurrentRoom();
                std::string message;
                failed += RunAnalysis(idg, what, message) ? 0 : 1;
            }
    }
    state.counters["rooms"] = rooms;
    state.counters["failed"] = failed;
}
BENCHMARK(BM_AnalyseEveryRoom)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
