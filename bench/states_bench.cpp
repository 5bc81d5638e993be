// Lines per second of 'qorva-cli states': one input line parsed, its state
// completed and written as a CSV row, with the numbers written by
// std::to_chars (as the program does) and, side by side, by snprintf("%.9g").
// The lines cycle through every property pair the calculator takes, at two
// pressures; reading standard input and writing standard output are left out.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/StateRows.h"
#include "psychro/QorvaDll.h"

namespace {

// Lines for states from −10 to 40 °C and 20 to 90 % RH, each given by one
// of eight property pairs in turn, in the units the command reads.
const std::vector<std::string>& inputLines()
{
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> result;
        int pair = 0;
        for (int i = 0; i <= 10; ++i) {
            for (int j = 2; j <= 9; ++j) {
                const float t = -10.0f + 5.0f * static_cast<float>(i);
                const float RH = 0.1f * static_cast<float>(j);
                float x = 0, h = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
                if (ptRH_all(kStandardPressure, t, RH, &x, &h, &tw, &td, &pq, &pqb, &v, &rho) != 1) {
                    continue;
                }
                const double g = 1000.0 * x;
                const double percent = 100.0 * RH;
                char line[128];
                switch (pair++ % 8) {
                case 0:
                    std::snprintf(line, sizeof line, "--t %.2f --rh %.1f", t, percent);
                    break;
                case 1:
                    std::snprintf(line, sizeof line, "--t %.2f --tw %.4f", t, tw);
                    break;
                case 2:
                    std::snprintf(line, sizeof line, "--x %.5f --h %.4f", g, h);
                    break;
                case 3:
                    std::snprintf(line, sizeof line, "--t %.2f --h %.4f", t, h);
                    break;
                case 4:
                    std::snprintf(line, sizeof line, "--p 90000 --t %.2f --rh %.1f", t, percent);
                    break;
                case 5:
                    std::snprintf(line, sizeof line, "--rh %.1f --td %.4f", percent, td);
                    break;
                case 6:
                    std::snprintf(line, sizeof line, "--h %.4f --rh %.1f", h, percent);
                    break;
                default:
                    std::snprintf(line, sizeof line, "--tw %.4f --td %.4f", tw, td);
                    break;
                }
                result.emplace_back(line);
            }
        }
        return result;
    }();
    return lines;
}

void runLines(benchmark::State& bench, void (*append)(std::string&, double))
{
    const auto& lines = inputLines();
    std::string rows;
    std::string error;
    std::size_t i = 0;
    int failures = 0;
    for (auto _ : bench) {
        rows.clear();
        failures += appendStateRow(lines[i], kStandardPressure, rows, error, append) ? 0 : 1;
        benchmark::DoNotOptimize(rows.data());
        i = i + 1 == lines.size() ? 0 : i + 1;
    }
    bench.SetItemsProcessed(bench.iterations());
    if (failures != 0) {
        bench.SkipWithError("a line gave no state");
    }
}

void BM_StatesLineToChars(benchmark::State& bench)
{
    runLines(bench, appendNumber);
}
BENCHMARK(BM_StatesLineToChars);

void BM_StatesLinePrintf(benchmark::State& bench)
{
    runLines(bench, appendNumberWithPrintf);
}
BENCHMARK(BM_StatesLinePrintf);

void runNumbers(benchmark::State& bench, void (*append)(std::string&, double))
{
    const double values[] = {101325.0,   25.3f,      -7.46408653, 0.0001234567,
                             1.32451093, 4452.57617, 9.99999999e9};
    std::string text;
    std::size_t i = 0;
    for (auto _ : bench) {
        text.clear();
        append(text, values[i]);
        benchmark::DoNotOptimize(text.data());
        i = i + 1 == std::size(values) ? 0 : i + 1;
    }
    bench.SetItemsProcessed(bench.iterations());
}

void BM_NumberToChars(benchmark::State& bench)
{
    runNumbers(bench, appendNumber);
}
BENCHMARK(BM_NumberToChars);

void BM_NumberPrintf(benchmark::State& bench)
{
    runNumbers(bench, appendNumberWithPrintf);
}
BENCHMARK(BM_NumberPrintf);

} // namespace

BENCHMARK_MAIN();
