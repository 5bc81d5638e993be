#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>

#include <string>

#include "render/WeatherMap.h"
#include "climate/WeatherFile.h"
#include "climate/WeatherStatistics.h"

// The weather year of Bologna (8 760 hours, 1.6 MB): read from its file and
// from memory (each hour's state completed through the property library),
// then what the program works out of it when it is chosen or filtered: the
// design conditions, the counts in the GB classes, the map's cells.
namespace {

const char* const kBologna = QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

WeatherYear readYear()
{
    WeatherYear year;
    std::string error;
    ReadWeatherFile(kBologna, year, error);
    return year;
}

void BM_ReadWeatherFile(benchmark::State& state)
{
    for (auto _ : state) {
        WeatherYear year;
        std::string error;
        if (!ReadWeatherFile(kBologna, year, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(year.hours.data());
    }
}
BENCHMARK(BM_ReadWeatherFile)->Unit(benchmark::kMillisecond);

void BM_ReadWeatherBytes(benchmark::State& state)
{
    QFile file(kBologna);
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no weather file");
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        WeatherYear year;
        std::string error;
        ReadWeatherBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                         kBologna, year, error);
        benchmark::DoNotOptimize(year.hours.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadWeatherBytes)->Unit(benchmark::kMillisecond);

void BM_DesignConditions(benchmark::State& state)
{
    const WeatherYear year = readYear();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeDesignConditions(year));
}
BENCHMARK(BM_DesignConditions)->Unit(benchmark::kMillisecond);

void BM_GbClassHours(benchmark::State& state)
{
    const WeatherYear year = readYear();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountGbComfortHours(year, HourFilter{}));
}
BENCHMARK(BM_GbClassHours)->Unit(benchmark::kMillisecond);

void BM_MakeWeatherMap(benchmark::State& state)
{
    const WeatherYear year = readYear();
    for (auto _ : state)
        benchmark::DoNotOptimize(chart::MakeWeatherMap(year, HourFilter{}, chart::WeatherMapStyle::Density));
}
BENCHMARK(BM_MakeWeatherMap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
