#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "model/CIDG.h"

// Moving the base point of a chain of 1 000 dependent points: 200 blocks of
// an equal-enthalpy point, a mixture with a fixed point K, a point on the
// process line between those two, the crossing of an ε line through that
// point with a fixed ε line through K, and an equal-moisture point that is
// the base of the next block.
namespace {

struct Chain {
    CIDG idg;
    StateRegion region{-30.0f, 60.0f, 0.0f, 0.04f};
    bool built = false;

    Chain()
    {
        idg.m_rooms.AddSystem("S");
        idg.m_rooms.AddRoom("S", "R");
        if (!idg.PointAtCurrentRoom())
            return;
        addIndependent("B", 25.0f, 0.5f);
        addIndependent("K", 30.0f, 0.4f);
        addRatioLine("εK", 1, -3000.0f);
        int previous = 0;
        for (int block = 0; block < 200; ++block) {
            const std::string n = std::to_string(block);
            CStatePoint warm, on, cross, next;
            warm.m_strName = "H" + n;
            on.m_strName = "L" + n;
            cross.m_strName = "X" + n;
            next.m_strName = "D" + n;
            if (!idg.MakeLinePoint(CIDG::kMethodEqualEnthalpy, previous, CStatePoint::kDryBulb, 0, 0, 26.0f,
                                   0, 0, 0, 0, warm, 1, region) ||
                !idg.AddMixingPoint("M" + n, warm.m_nId, 1, 50.0f, region))
                return;
            const int mix = static_cast<int>(idg.m_pPoints->size()) - 1;
            const int line = idg.AddProcessLine("G" + n, warm.m_nId, mix)->m_nId;
            if (!idg.MakeLinePoint(CIDG::kMethodProcessLine, line, CStatePoint::kDryBulb, 0, 0, 27.0f, 0, 0,
                                   0, 0, on, 1, region))
                return;
            const int ratio = addRatioLine("ε" + n, on.m_nId, 10000.0f);
            if (!idg.MakeIntersection(CIDG::kCrossHhrHhr, ratio, 0, cross, 1, region) ||
                !idg.MakeLinePoint(CIDG::kMethodEqualMoisture, cross.m_nId, CStatePoint::kDryBulb, 0, 0,
                                   25.0f, 0, 0, 0, 0, next, 1, region))
                return;
            previous = next.m_nId;
        }
        built = idg.m_pPoints->size() == 1002;
    }

    void addIndependent(const char* name, float t, float rh)
    {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = name;
        point->m_nKind = CStatePoint::kIndependent;
        point->m_t = t;
        point->m_RH = rh;
        point->m_bKnownT = point->m_bKnownRH = 1;
        idg.CalcStatePoint(*point);
        point->m_nId = static_cast<int>(idg.m_pPoints->size());
        idg.m_pPoints->push_back(std::move(point));
    }

    int addRatioLine(const std::string& name, int base, float ratio)
    {
        auto line = std::make_unique<CReShiBiXian>();
        line->m_strName = name;
        line->m_nPoint1 = base;
        line->m_fRatio = ratio;
        line->m_nId = static_cast<int>(idg.m_pHhrLines->size());
        idg.m_pHhrLines->push_back(std::move(line));
        return idg.m_pHhrLines->back()->m_nId;
    }
};

void MoveBaseOfChain(benchmark::State& state)
{
    Chain chain;
    if (!chain.built) {
        state.SkipWithError("the chain could not be built");
        return;
    }
    CStatePoint& base = *(*chain.idg.m_pPoints)[0];
    const float temperatures[] = {24.0f, 25.0f};
    int step = 0;
    for (auto _ : state) {
        base.ClearKnown();
        base.m_t = temperatures[step++ % 2];
        base.m_RH = 0.5f;
        base.m_bKnownT = base.m_bKnownRH = 1;
        chain.idg.CalcStatePoint(base);
        if (!chain.idg.RecomputeDependants(0, chain.region)) {
            state.SkipWithError("a dependant could not follow");
            return;
        }
    }
    state.counters["points"] = 1000;
}
BENCHMARK(MoveBaseOfChain)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
