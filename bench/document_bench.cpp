#include <benchmark/benchmark.h>

#include <memory>

#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"

namespace {

// One undo and one redo of a change in a room of 500 objects: the room's
// contents swap places with the snapshot and the view is derived again.
void BM_UndoRedoInARoomOf500Objects(benchmark::State& state)
{
    CQORVADoc document;
    CIDG& idg = DocumentTestAccess::model(document);
    idg.m_rooms.AddSystem("S");
    idg.m_rooms.AddRoom("S", "R");
    document.SelectCondition(kConditionSummer);
    document.ChangeCurrentRoom(QStringLiteral("fill"), [](CIDG& model) {
        for (int i = 0; i < 400; ++i) {
            auto point = std::make_unique<CStatePoint>(*(*model.m_pPoints)[1]);
            point->m_strName = "P" + std::to_string(i);
            point->m_nId = static_cast<int>(model.m_pPoints->size());
            model.m_pPoints->push_back(std::move(point));
        }
        for (int i = 0; i < 100; ++i)
            model.AddProcessLine("L" + std::to_string(i), i + 2, i + 3);
        return true;
    });
    document.ChangeCurrentRoom(QStringLiteral("move"), [](CIDG& model) {
        (*model.m_pPoints)[5]->m_h += 1.0f;
        return true;
    });
    for (auto _ : state) {
        document.undoStack().undo();
        document.undoStack().redo();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UndoRedoInARoomOf500Objects)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
