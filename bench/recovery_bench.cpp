#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "project/Recovery.h"
#include "support/DocumentTestAccess.h"
#include "tests/project/ProjectSamples.h"

// The recovery copy of the generated 1 000-room project (10 systems of 100
// rooms, objects in all three conditions): what an edit pays when the copy
// is kept, and what the copy itself costs on each side of the thread.
namespace {

// A document holding the large project, open on its first room.
std::unique_ptr<CQORVADoc> largeDocument()
{
    auto document = std::make_unique<CQORVADoc>();
    samples::fillProject(DocumentTestAccess::model(*document), 10, 100, 5);
    document->m_bProjectOpen = true;
    document->SelectRoom(0);
    return document;
}

// One change of a room and its undo: the step an engineer makes.
void editAndUndo(CQORVADoc& document)
{
    document.ChangeCurrentRoom(QStringLiteral("移动"), [](CIDG& model) {
        (*model.m_pPoints)[0]->m_h += 1.0f;
        return true;
    });
    document.undoStack().undo();
}

void BM_EditWithoutRecovery(benchmark::State& state)
{
    auto document = largeDocument();
    for (auto _ : state)
        editAndUndo(*document);
    state.SetItemsProcessed(2 * state.iterations());
}

// The same with the copy kept: the steps only start the coalescing timer.
void BM_EditWithRecovery(benchmark::State& state)
{
    QTemporaryDir folder;
    auto document = largeDocument();
    document->SetModifiedFlag(true);
    DocumentRecovery recovery(*document, folder.path());
    for (auto _ : state)
        editAndUndo(*document);
    state.SetItemsProcessed(2 * state.iterations());
    recovery.Discard();
}

// What the interface thread pays when the timer fires: the project to bytes.
void BM_RecoverySerialise(benchmark::State& state)
{
    auto document = largeDocument();
    std::size_t size = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes =
            ProjectFile::toBytes(document->model(), document->m_strReportPath, document->m_bReturnMode);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// A change and its undo, then the whole copy serialised and written
// atomically, waited for.
void BM_RecoveryWriteAndWait(benchmark::State& state)
{
    QTemporaryDir folder;
    auto document = largeDocument();
    document->SetModifiedFlag(true);
    DocumentRecovery recovery(*document, folder.path(), 1000000);
    for (auto _ : state) {
        editAndUndo(*document);
        recovery.Flush();
    }
    if (!recovery.lastError().isEmpty())
        state.SkipWithError(recovery.lastError().toStdString().c_str());
    recovery.Discard();
}

BENCHMARK(BM_EditWithoutRecovery)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditWithRecovery)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoverySerialise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWriteAndWait)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv); // the copy's timer needs one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
