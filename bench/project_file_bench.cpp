#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "project/ProjectFile.h"
#include "tests/project/ProjectSamples.h"

// Loading and saving a large project: 1 000 rooms (10 systems of 100), each
// with five objects of every class in all three conditions and five
// parameter points — about 7 MB. Throughput is reported in bytes of the file.
namespace {

const CIDG& largeProject()
{
    static const CIDG* idg = [] {
        auto* project = new CIDG;
        samples::fillProject(*project, 10, 100, 5);
        return project;
    }();
    return *idg;
}

const std::vector<std::uint8_t>& largeFile()
{
    static const std::vector<std::uint8_t> bytes = ProjectFile::toBytes(largeProject(), "report.txt", 1);
    return bytes;
}

void BM_SaveToMemory(benchmark::State& state)
{
    const CIDG& idg = largeProject();
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = ProjectFile::toBytes(idg, "report.txt", 1);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeFile().size()));
}

void BM_LoadFromMemory(benchmark::State& state)
{
    const std::vector<std::uint8_t>& bytes = largeFile();
    for (auto _ : state) {
        auto contents = std::make_unique<ProjectContents>();
        ProjectFile file;
        if (!file.readBytes(bytes, *contents))
            state.SkipWithError(file.errorString().c_str());
        benchmark::DoNotOptimize(contents.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_SaveToFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("large.id").toStdString();
    const CIDG& idg = largeProject();
    for (auto _ : state) {
        ProjectFile file;
        if (!file.write(path, idg, "report.txt", 1))
            state.SkipWithError(file.errorString().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeFile().size()));
}

void BM_LoadFromFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("large.id").toStdString();
    ProjectFile writer;
    if (!writer.write(path, largeProject(), "report.txt", 1))
        state.SkipWithError(writer.errorString().c_str());
    for (auto _ : state) {
        auto contents = std::make_unique<ProjectContents>();
        ProjectFile file;
        if (!file.read(path, ProjectFile::kCurrentVersion, *contents))
            state.SkipWithError(file.errorString().c_str());
        benchmark::DoNotOptimize(contents.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeFile().size()));
}

} // namespace

BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
