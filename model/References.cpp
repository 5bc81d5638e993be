#include "model/References.h"

#include <cstddef>
#include <vector>

#include "model/CIDG.h"

namespace {

struct ConditionLists {
    ObjectArray<CStatePoint>& points;
    const ObjectArray<CGuoChengXian>& processLines;
    const ObjectArray<CReShiBiXian>& hhrLines;
};

bool inRange(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// The indices of the points a derived point stands on: its own point sources
// and the points that carry the lines it lies on. Empty and false when a
// reference is out of range or an own source does not come first.
bool pointSources(const ConditionLists& lists, int index, std::vector<int>& sources)
{
    const CStatePoint& p = *lists.points[static_cast<std::size_t>(index)];
    const std::size_t pointCount = lists.points.size();
    sources.clear();
    auto earlierPoint = [&](int source) {
        if (!inRange(source, pointCount) || source >= index)
            return false;
        sources.push_back(source);
        return true;
    };
    auto processLine = [&](int line) {
        if (!inRange(line, lists.processLines.size()))
            return false;
        const CGuoChengXian& l = *lists.processLines[static_cast<std::size_t>(line)];
        if (!inRange(l.m_nStart, pointCount) || !inRange(l.m_nEnd, pointCount))
            return false;
        sources.push_back(l.m_nStart);
        sources.push_back(l.m_nEnd);
        return true;
    };
    auto hhrLine = [&](int line) {
        if (!inRange(line, lists.hhrLines.size()))
            return false;
        const CReShiBiXian& l = *lists.hhrLines[static_cast<std::size_t>(line)];
        if (!inRange(l.m_nPoint1, pointCount))
            return false;
        sources.push_back(l.m_nPoint1);
        if (l.m_nMode == CReShiBiXian::kThroughTwoPoints) {
            if (!inRange(l.m_nPoint2, pointCount))
                return false;
            sources.push_back(l.m_nPoint2);
        }
        return true;
    };
    switch (p.m_nKind) {
    case CStatePoint::kMixing:
        return earlierPoint(p.m_nMixSrc1) && earlierPoint(p.m_nMixSrc2);
    case CStatePoint::kHeatRecovery:
        return earlierPoint(p.m_nStepSrc1) && earlierPoint(p.m_nStepSrc2) &&
               (p.m_nStepType == 0 || p.m_nStepType == 1);
    case CStatePoint::kEvaporative:
        return earlierPoint(p.m_nStepSrc1) && p.m_nStepSrc2 == -1 &&
               (p.m_nStepType == 0 || p.m_nStepType == 1);
    case CStatePoint::kRelatedPair:
        // The partner is made together with the point, before or after it.
        return inRange(p.m_nRelPartner, pointCount) && p.m_nRelPartner != index && hhrLine(p.m_nRelHhrLine);
    case CStatePoint::kEqualMoisture:
        return earlierPoint(p.m_nBaseD);
    case CStatePoint::kEqualEnthalpy:
        return earlierPoint(p.m_nBaseH);
    case CStatePoint::kEqualTemperature:
        return earlierPoint(p.m_nBaseT);
    case CStatePoint::kOnProcessLine:
        return processLine(p.m_nOnProcessLine);
    case CStatePoint::kOnHhrLine:
        return hhrLine(p.m_nOnHhrLine);
    case CStatePoint::kProcessCrossProcess:
        return processLine(p.m_nCrossProc1) && processLine(p.m_nCrossProc2);
    case CStatePoint::kProcessCrossHhr:
        return processLine(p.m_nCrossProc) && hhrLine(p.m_nCrossHhr);
    case CStatePoint::kHhrCrossHhr:
        return hhrLine(p.m_nCrossHhr1) && hhrLine(p.m_nCrossHhr2);
    default:
        return true;
    }
}

int repairCondition(const ConditionLists& lists)
{
    const std::size_t count = lists.points.size();
    int repaired = 0;
    std::vector<std::vector<int>> sources(count);
    for (std::size_t i = 0; i < count; ++i)
        if (!pointSources(lists, static_cast<int>(i), sources[i])) {
            lists.points[i]->MakeIndependent();
            sources[i].clear();
            ++repaired;
        }
    // Cycles through lines: a depth-first walk with colours, each point
    // entered once. A point whose sources lead back to a point on the
    // current path closes a cycle and is made independent, which cuts it.
    enum Colour : unsigned char { kWhite, kGrey, kBlack };
    std::vector<Colour> colour(count, kWhite);
    std::vector<std::pair<std::size_t, std::size_t>> stack; // point, next source
    for (std::size_t root = 0; root < count; ++root) {
        if (colour[root] != kWhite)
            continue;
        stack.push_back({root, 0});
        colour[root] = kGrey;
        while (!stack.empty()) {
            auto& [point, next] = stack.back();
            if (next < sources[point].size()) {
                const auto source = static_cast<std::size_t>(sources[point][next++]);
                if (colour[source] == kWhite) {
                    colour[source] = kGrey;
                    stack.push_back({source, 0});
                } else if (colour[source] == kGrey) {
                    lists.points[point]->MakeIndependent();
                    sources[point].clear();
                    ++repaired;
                }
            } else {
                colour[point] = kBlack;
                stack.pop_back();
            }
        }
    }
    return repaired;
}

} // namespace

int RepairReferences(CIDG& idg)
{
    int repaired = 0;
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms)
            for (int c = 0; c < kConditionCount; ++c)
                repaired +=
                    repairCondition({room->m_points[c], room->m_processLines[c], room->m_hhrLines[c]});
    return repaired;
}
