// Cost of the property library's calls, in ns per call, over a grid of
// states from −18.5 to 46.5 °C and 10 to 100 % RH at 101325 Pa, cycled call
// by call so that branch prediction sees a realistic mix on both sides of
// 0 °C. (The grid avoids a wet bulb of exactly 0 °C, where (h, tw) fixes no state.)

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "psychro/ChartLines.h"
#include "psychro/MoistAir.h"
#include "psychro/QorvaDll.h"

namespace {

struct GridState {
    float p, t, RH, x, h, tw, td;
};

const std::vector<GridState>& grid()
{
    static const std::vector<GridState> states = [] {
        std::vector<GridState> result;
        for (int i = 0; i <= 13; ++i) {
            for (int j = 1; j <= 10; ++j) {
                GridState s{
                    101325.0f, -18.5f + 5.0f * static_cast<float>(i), 0.1f * static_cast<float>(j), 0, 0, 0,
                    0};
                float pq = 0, pqb = 0, v = 0, rho = 0;
                if (ptRH_all(s.p, s.t, s.RH, &s.x, &s.h, &s.tw, &s.td, &pq, &pqb, &v, &rho) == 1) {
                    result.push_back(s);
                }
            }
        }
        return result;
    }();
    return states;
}

// Runs call(state, outputs) once per iteration, cycling through the grid.
template <class Call> void runOverGrid(benchmark::State& bench, Call call)
{
    const auto& states = grid();
    std::size_t i = 0;
    float out[12] = {};
    int failures = 0;
    for (auto _ : bench) {
        failures += call(states[i], out) == 1 ? 0 : 1;
        benchmark::DoNotOptimize(out);
        i = i + 1 == states.size() ? 0 : i + 1;
    }
    if (failures != 0) {
        bench.SkipWithError("a call failed");
    }
}

#define QORVA_FULL_STATE(name, a, b)                                                                         \
    void BM_##name(benchmark::State& bench)                                                                  \
    {                                                                                                        \
        runOverGrid(bench, [](const GridState& s, float* o) {                                                \
            return name(s.p, s.a, s.b, o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);                  \
        });                                                                                                  \
    }                                                                                                        \
    BENCHMARK(BM_##name)

QORVA_FULL_STATE(ptRH_all, t, RH);
QORVA_FULL_STATE(pttw_all, t, tw);
QORVA_FULL_STATE(pth_all, t, h);
QORVA_FULL_STATE(pxtw_all, x, tw);
QORVA_FULL_STATE(pxRH_all, x, RH);
QORVA_FULL_STATE(ptx_all, t, x);
QORVA_FULL_STATE(phRH_all, h, RH);
QORVA_FULL_STATE(phtw_all, h, tw);
QORVA_FULL_STATE(ptwRH_all, tw, RH);
QORVA_FULL_STATE(pttd_all, t, td);
QORVA_FULL_STATE(pRHtd_all, RH, td);
QORVA_FULL_STATE(phtd_all, h, td);
QORVA_FULL_STATE(ptwtd_all, tw, td);

void BM_pxh_all(benchmark::State& bench)
{
    runOverGrid(bench, [](const GridState& s, float* o) {
        int reserved = 0;
        return pxh_all(s.p, s.x, s.h, o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7, &reserved);
    });
}
BENCHMARK(BM_pxh_all);

void BM_WetBulb(benchmark::State& bench)
{
    runOverGrid(bench, [](const GridState& s, float* o) {
        const auto tw = qorva::psychro::wetBulb(s.p, s.t, s.x, s.td);
        o[0] = tw ? static_cast<float>(*tw) : 0.0f;
        return tw ? 1 : 0;
    });
}
BENCHMARK(BM_WetBulb);

void BM_DewPoint(benchmark::State& bench)
{
    runOverGrid(bench, [](const GridState& s, float* o) {
        return et_t(static_cast<float>(qorva::psychro::vapourPressure(s.p, s.x)), o);
    });
}
BENCHMARK(BM_DewPoint);

void BM_SaturationPressure(benchmark::State& bench)
{
    runOverGrid(bench, [](const GridState& s, float* o) { return t_et(s.t, o); });
}
BENCHMARK(BM_SaturationPressure);

void BM_RatioLineEnds(benchmark::State& bench)
{
    runOverGrid(bench, [](const GridState& s, float* o) {
        return s.RH < 1.0f ? px1h1HHR_2P(s.p, s.x, s.h, 15000.0f, o, o + 1, o + 2, o + 3) : 1;
    });
}
BENCHMARK(BM_RatioLineEnds);

// The same ends found by the old fixed-step walk, for comparison.
void BM_RatioLineEndsByWalk(benchmark::State& bench)
{
    runOverGrid(bench, [](const GridState& s, float* o) {
        if (s.RH >= 1.0f) {
            return 1;
        }
        const auto ends = qorva::psychro::detail::ratioLineEndsByWalk(s.p, {s.x, s.h}, 15000.0);
        o[0] = ends ? static_cast<float>(ends->a.x) : 0.0f;
        return ends ? 1 : 0;
    });
}
BENCHMARK(BM_RatioLineEndsByWalk);

} // namespace

BENCHMARK_MAIN();
