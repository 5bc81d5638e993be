// What depends on what among the objects of a view, and how a change to a
// point or a line reaches everything built on it.
//
// The objects form a graph: points, process lines and HHR lines are its
// nodes, and each stored source slot an edge from the source to the object
// built on it. A change recomputes what the changed node reaches, each node
// once, sources before dependants (Kahn's order over the reached part), so
// shared sources cost nothing extra and a cycle — which a process line
// edited onto its own dependant could form — still ends.

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "model/CIDG.h"
#include "model/DependantFailure.h"
#include "model/Messages.h"
#include "psychro/QorvaDll.h"

namespace {

// Nodes: points 0…P−1, process lines P…P+L−1, HHR lines P+L…P+L+H−1.
struct DependencyGraph {
    int pointCount = 0;
    int processCount = 0;
    int hhrCount = 0;
    std::vector<int> first;      // per node: start of its dependants in `dependants`
    std::vector<int> dependants; // node indices, grouped by source

    int nodeCount() const { return pointCount + processCount + hhrCount; }
    int processNode(int line) const { return pointCount + line; }
    int hhrNode(int line) const { return pointCount + processCount + line; }
};

DependencyGraph buildGraph(const ObjectArray<CStatePoint>& points,
                           const ObjectArray<CGuoChengXian>* processLines,
                           const ObjectArray<CReShiBiXian>* hhrLines)
{
    DependencyGraph g;
    g.pointCount = static_cast<int>(points.size());
    g.processCount = processLines ? static_cast<int>(processLines->size()) : 0;
    g.hhrCount = hhrLines ? static_cast<int>(hhrLines->size()) : 0;
    std::vector<std::pair<int, int>> edges; // (source node, dependant node)
    edges.reserve(points.size() * 2 + static_cast<std::size_t>(g.processCount * 2 + g.hhrCount * 2));
    auto pointEdge = [&](int source, int node) {
        if (source >= 0 && source < g.pointCount && source != node)
            edges.emplace_back(source, node);
    };
    auto processEdge = [&](int line, int node) {
        if (line >= 0 && line < g.processCount)
            edges.emplace_back(g.processNode(line), node);
    };
    auto hhrEdge = [&](int line, int node) {
        if (line >= 0 && line < g.hhrCount)
            edges.emplace_back(g.hhrNode(line), node);
    };
    for (int j = 0; j < g.pointCount; ++j) {
        const CStatePoint& p = *points[static_cast<std::size_t>(j)];
        switch (p.m_nKind) {
        case CStatePoint::kMixing:
            pointEdge(p.m_nMixSrc1, j);
            pointEdge(p.m_nMixSrc2, j);
            break;
        case CStatePoint::kEqualMoisture:
            pointEdge(p.m_nBaseD, j);
            break;
        case CStatePoint::kEqualEnthalpy:
            pointEdge(p.m_nBaseH, j);
            break;
        case CStatePoint::kEqualTemperature:
            pointEdge(p.m_nBaseT, j);
            break;
        case CStatePoint::kOnProcessLine:
            processEdge(p.m_nOnProcessLine, j);
            break;
        case CStatePoint::kOnHhrLine:
            hhrEdge(p.m_nOnHhrLine, j);
            break;
        case CStatePoint::kProcessCrossProcess:
            processEdge(p.m_nCrossProc1, j);
            processEdge(p.m_nCrossProc2, j);
            break;
        case CStatePoint::kProcessCrossHhr:
            processEdge(p.m_nCrossProc, j);
            hhrEdge(p.m_nCrossHhr, j);
            break;
        case CStatePoint::kHhrCrossHhr:
            hhrEdge(p.m_nCrossHhr1, j);
            hhrEdge(p.m_nCrossHhr2, j);
            break;
        case CStatePoint::kHeatRecovery:
        case CStatePoint::kEvaporative:
            pointEdge(p.m_nStepSrc1, j);
            pointEdge(p.m_nStepSrc2, j);
            break;
        case CStatePoint::kRelatedPair:
            // Both of a pair hang on the line and are recomputed together.
            hhrEdge(p.m_nRelHhrLine, j);
            break;
        default:
            break;
        }
    }
    for (int k = 0; k < g.processCount; ++k) {
        const CGuoChengXian& line = *(*processLines)[static_cast<std::size_t>(k)];
        pointEdge(line.m_nStart, g.processNode(k));
        if (line.m_nEnd != line.m_nStart)
            pointEdge(line.m_nEnd, g.processNode(k));
    }
    for (int k = 0; k < g.hhrCount; ++k) {
        const CReShiBiXian& line = *(*hhrLines)[static_cast<std::size_t>(k)];
        pointEdge(line.m_nPoint1, g.hhrNode(k));
        if (line.m_nMode == CReShiBiXian::kThroughTwoPoints && line.m_nPoint2 != line.m_nPoint1)
            pointEdge(line.m_nPoint2, g.hhrNode(k));
    }
    // Grouped by source (counting sort), so each node's dependants are contiguous.
    g.first.assign(static_cast<std::size_t>(g.nodeCount()) + 1, 0);
    for (const auto& e : edges)
        ++g.first[static_cast<std::size_t>(e.first) + 1];
    for (std::size_t n = 1; n < g.first.size(); ++n)
        g.first[n] += g.first[n - 1];
    g.dependants.resize(edges.size());
    std::vector<int> fill(g.first.begin(), g.first.end() - 1);
    for (const auto& e : edges)
        g.dependants[static_cast<std::size_t>(fill[static_cast<std::size_t>(e.first)]++)] = e.second;
    return g;
}

// The nodes reached from source (source included), in an order where every
// node comes after the reached nodes it depends on; nodes on a cycle follow
// in index order.
std::vector<int> recomputationOrder(const DependencyGraph& g, int source)
{
    const auto n = static_cast<std::size_t>(g.nodeCount());
    std::vector<char> reached(n, 0);
    std::vector<int> stack{source};
    std::vector<int> reachedNodes;
    reached[static_cast<std::size_t>(source)] = 1;
    while (!stack.empty()) {
        const int node = stack.back();
        stack.pop_back();
        reachedNodes.push_back(node);
        for (int e = g.first[static_cast<std::size_t>(node)]; e < g.first[static_cast<std::size_t>(node) + 1];
             ++e) {
            const auto d = static_cast<std::size_t>(g.dependants[static_cast<std::size_t>(e)]);
            if (!reached[d]) {
                reached[d] = 1;
                stack.push_back(static_cast<int>(d));
            }
        }
    }
    std::vector<int> waiting(n, 0);
    for (int node : reachedNodes) {
        for (int e = g.first[static_cast<std::size_t>(node)]; e < g.first[static_cast<std::size_t>(node) + 1];
             ++e) {
            const int d = g.dependants[static_cast<std::size_t>(e)];
            if (d != source)
                ++waiting[static_cast<std::size_t>(d)];
        }
    }
    std::vector<int> order;
    order.reserve(reachedNodes.size());
    std::vector<char> placed(n, 0);
    order.push_back(source);
    placed[static_cast<std::size_t>(source)] = 1;
    for (std::size_t next = 0; order.size() < reachedNodes.size(); ++next) {
        if (next == order.size()) {
            // Only cycles are left: release the lowest waiting node.
            std::sort(reachedNodes.begin(), reachedNodes.end());
            for (int node : reachedNodes) {
                if (!placed[static_cast<std::size_t>(node)]) {
                    placed[static_cast<std::size_t>(node)] = 1;
                    order.push_back(node);
                    break;
                }
            }
        }
        const int node = order[next];
        for (int e = g.first[static_cast<std::size_t>(node)]; e < g.first[static_cast<std::size_t>(node) + 1];
             ++e) {
            const auto d = static_cast<std::size_t>(g.dependants[static_cast<std::size_t>(e)]);
            if (!placed[d] && --waiting[d] <= 0) {
                placed[d] = 1;
                order.push_back(static_cast<int>(d));
            }
        }
    }
    return order;
}

bool textRefersTo(const CCommentString& text, int point)
{
    if (text.m_nKind == 0 || text.m_nKind == -1)
        return false;
    return std::find(text.m_nRef.begin(), text.m_nRef.end(), point) != text.m_nRef.end() ||
           (text.m_nKind == 9 && text.m_nRefExtra == point);
}

} // namespace

StateRegion CIDG::FullChartStates() const
{
    // The full drawn chart, never the zoomed or clipped window.
    return StateRegion::FullChart(m_fTMinFull, m_fXMaxFull);
}

void CIDG::MakeIndependent(CStatePoint& point) const
{
    point.MakeIndependent();
    point.m_nRelDiffType = point.m_nRelPropType = -1;
    point.m_fRelValue1 = point.m_fRelValue2 = 0;
}

int CIDG::RecomputeDependants(int pointIndex)
{
    return RecomputeDependants(pointIndex, FullChartStates());
}

int CIDG::RecomputeHhrLineDependants(int lineIndex)
{
    return RecomputeHhrLineDependants(lineIndex, FullChartStates());
}

int CIDG::RecomputeDependants(int pointIndex, const ChartRegion& fullChart)
{
    if (!PointAt(pointIndex))
        return 1;
    return RecomputeFrom(pointIndex, fullChart);
}

int CIDG::RecomputeProcessLineDependants(int lineIndex, const ChartRegion& fullChart)
{
    if (!m_pPoints || !m_pProcessLines || lineIndex < 0 ||
        lineIndex >= static_cast<int>(m_pProcessLines->size()))
        return 1;
    return RecomputeFrom(static_cast<int>(m_pPoints->size()) + lineIndex, fullChart);
}

int CIDG::RecomputeHhrLineDependants(int lineIndex, const ChartRegion& fullChart)
{
    if (!m_pPoints || !m_pHhrLines || lineIndex < 0 || lineIndex >= static_cast<int>(m_pHhrLines->size()))
        return 1;
    const int processCount = m_pProcessLines ? static_cast<int>(m_pProcessLines->size()) : 0;
    return RecomputeFrom(static_cast<int>(m_pPoints->size()) + processCount + lineIndex, fullChart);
}

int CIDG::RecomputeFrom(int sourceNode, const ChartRegion& fullChart)
{
    const DependencyGraph g = buildGraph(*m_pPoints, m_pProcessLines, m_pHhrLines);
    const std::vector<int> order = recomputationOrder(g, sourceNode);
    std::vector<char> pairDone(static_cast<std::size_t>(g.pointCount), 0);
    std::vector<int> changedPoints;
    int result = 1;
    for (int node : order) {
        if (node >= g.pointCount + g.processCount) {
            // A line through two points turns with them.
            const int lineIndex = node - g.pointCount - g.processCount;
            CReShiBiXian& line = *(*m_pHhrLines)[static_cast<std::size_t>(lineIndex)];
            float x = 0, h = 0, ratio = 0;
            if (line.m_nMode == CReShiBiXian::kThroughTwoPoints && HhrLineBase(lineIndex, x, h, ratio))
                line.m_fRatio = ratio;
            continue;
        }
        if (node >= g.pointCount)
            continue; // process lines are drawn from their points
        if (node != sourceNode) {
            CStatePoint& point = *(*m_pPoints)[static_cast<std::size_t>(node)];
            if (point.m_nKind == CStatePoint::kRelatedPair) {
                if (pairDone[static_cast<std::size_t>(node)])
                    continue;
                const int partner = point.m_nRelPartner;
                if (PointAt(partner))
                    pairDone[static_cast<std::size_t>(partner)] = 1;
            }
            const auto* failures = dynamic_cast<const DependantFailureRegion*>(&fullChart);
            if (failures)
                failures->BeginPoint();
            if (!RecomputePoint(node, fullChart)) {
                if (failures)
                    failures->Record(node);
                result = 0;
                break;
            }
            if (point.m_nKind == CStatePoint::kRelatedPair && PointAt(point.m_nRelPartner))
                changedPoints.push_back(point.m_nRelPartner);
        }
        changedPoints.push_back(node);
    }
    if (m_rebuildResultTexts && m_pTexts) {
        std::sort(changedPoints.begin(), changedPoints.end());
        changedPoints.erase(std::unique(changedPoints.begin(), changedPoints.end()), changedPoints.end());
        for (int index : changedPoints) {
            const bool reported = std::any_of(m_pTexts->begin(), m_pTexts->end(), [index](const auto& text) {
                return textRefersTo(*text, index);
            });
            if (reported)
                m_rebuildResultTexts(index);
        }
    }
    return result;
}

int CIDG::RecomputePoint(int index, const ChartRegion& fullChart)
{
    CStatePoint& point = *(*m_pPoints)[static_cast<std::size_t>(index)];
    switch (point.m_nKind) {
    case CStatePoint::kMixing:
        return MakeMixingPoint(point.m_nMixSrc1, point.m_nMixSrc2, point.m_fMixRatio, point, 0, fullChart);
    case CStatePoint::kEqualMoisture:
        return MakeLinePointByValue(kMethodEqualMoisture, point.m_nBaseD, point.m_nValueKind, point.m_fValue,
                                    point, 0, fullChart);
    case CStatePoint::kEqualTemperature:
        return MakeLinePointByValue(kMethodEqualTemperature, point.m_nBaseT, point.m_nValueKind,
                                    point.m_fValue, point, 0, fullChart);
    case CStatePoint::kEqualEnthalpy:
        return MakeLinePointByValue(kMethodEqualEnthalpy, point.m_nBaseH, point.m_nValueKind, point.m_fValue,
                                    point, 0, fullChart);
    case CStatePoint::kOnProcessLine:
        if (MakeLinePointByValue(kMethodProcessLine, point.m_nOnProcessLine, point.m_nValueKind,
                                 point.m_fValue, point, 0, fullChart))
            return 1;
        // It keeps its place on the chart as a point of its own.
        MakeIndependent(point);
        return 0;
    case CStatePoint::kOnHhrLine:
        return MakeLinePointByValue(kMethodHhrLine, point.m_nOnHhrLine, point.m_nValueKind, point.m_fValue,
                                    point, 0, fullChart);
    case CStatePoint::kProcessCrossProcess:
        return MakeIntersection(kCrossProcessProcess, point.m_nCrossProc1, point.m_nCrossProc2, point, 0,
                                fullChart);
    case CStatePoint::kProcessCrossHhr:
        return MakeIntersection(kCrossProcessHhr, point.m_nCrossProc, point.m_nCrossHhr, point, 0, fullChart);
    case CStatePoint::kHhrCrossHhr:
        return MakeIntersection(kCrossHhrHhr, point.m_nCrossHhr1, point.m_nCrossHhr2, point, 0, fullChart);
    case CStatePoint::kHeatRecovery:
    case CStatePoint::kEvaporative:
        return MakeProcessStepPoint(point.m_nKind, point.m_nStepSrc1, point.m_nStepSrc2, point.m_nStepType,
                                    point.m_fStepEffect, point, 0, fullChart);
    case CStatePoint::kRelatedPair: {
        const int partnerIndex = point.m_nRelPartner;
        if (!PointAt(partnerIndex))
            return 1; // a pair broken in a file has nothing to follow
        // The first of the pair in the list is the one on the line.
        CStatePoint& first = *(*m_pPoints)[static_cast<std::size_t>(std::min(index, partnerIndex))];
        CStatePoint& second = *(*m_pPoints)[static_cast<std::size_t>(std::max(index, partnerIndex))];
        const float dt = first.m_nRelDiffType == 0 ? first.m_fRelValue1 : 0.0f;
        const float dx = first.m_nRelDiffType == 1 ? first.m_fRelValue1 : 0.0f;
        std::array<float, 5> p{};
        if (first.m_nRelPropType >= 0 && first.m_nRelPropType < 5)
            p[static_cast<std::size_t>(first.m_nRelPropType)] = first.m_fRelValue2;
        CStatePoint a = first, b = second;
        if (!MakeRelatedPoints(first.m_nRelHhrLine, first.m_nRelDiffType, first.m_nRelPropType, dt, dx, p[0],
                               p[3], p[1], p[4], p[2], a, b, 0, fullChart))
            return 0;
        first = a;
        second = b;
        return 1;
    }
    default:
        return 1;
    }
}

int CIDG::EditIndependentPoint(int index, const std::string& name, float t, float twOrRH, bool byRH,
                               const ChartRegion& fullChart)
{
    const CStatePoint* old = PointAt(index);
    if (!old)
        return 0;
    if (index == 0 || index == 1) {
        alertMessage(QCoreApplication::translate("CIDG", "该点为特殊点，不允许在此编辑修改").toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    if (!IsPointNameFree(*old, name)) {
        alertMessage(
            QCoreApplication::translate("CIDG", "输入名无效或该点已经存在，请重新命名").toStdString(),
            MessageIcon::Stop);
        return 0;
    }
    auto replacement = std::make_unique<CStatePoint>(*old);
    MakeIndependent(*replacement);
    replacement->m_strName = name;
    replacement->ClearKnown();
    replacement->m_t = t;
    replacement->m_bKnownT = 1;
    if (byRH) {
        replacement->m_RH = twOrRH;
        replacement->m_bKnownRH = 1;
    } else {
        replacement->m_tw = twOrRH;
        replacement->m_bKnownTw = 1;
    }
    if (!CalcStatePoint(*replacement))
        return 0;
    (*m_pPoints)[static_cast<std::size_t>(index)] = std::move(replacement);
    return RecomputeDependants(index, fullChart);
}

int CIDG::EditMixingPoint(int index, const std::string& name, float percent, bool makeIndependent,
                          const ChartRegion& fullChart)
{
    const CStatePoint* old = PointAt(index);
    if (!old || old->m_nKind != CStatePoint::kMixing)
        return 0;
    if (!IsPointNameFree(*old, name)) {
        alertMessage(QCoreApplication::translate("CIDG", "混合点名称非法或已经存在，请检查！").toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    CStatePoint edited = *old;
    const float r = static_cast<float>(double(percent) / 100.0);
    if (!MakeMixingPoint(old->m_nMixSrc1, old->m_nMixSrc2, r, edited, 0, fullChart))
        return 0;
    edited.m_strName = name;
    if (makeIndependent)
        MakeIndependent(edited);
    *(*m_pPoints)[static_cast<std::size_t>(index)] = edited;
    return RecomputeDependants(index, fullChart);
}

int CIDG::EditLinePoint(int index, const std::string& name, int valueKind, float value, bool makeIndependent,
                        const ChartRegion& fullChart)
{
    const CStatePoint* old = PointAt(index);
    if (!old)
        return 0;
    int method = 0, base = -1;
    switch (old->m_nKind) {
    case CStatePoint::kEqualMoisture:
        method = kMethodEqualMoisture, base = old->m_nBaseD;
        break;
    case CStatePoint::kEqualTemperature:
        method = kMethodEqualTemperature, base = old->m_nBaseT;
        break;
    case CStatePoint::kEqualEnthalpy:
        method = kMethodEqualEnthalpy, base = old->m_nBaseH;
        break;
    case CStatePoint::kOnProcessLine:
        method = kMethodProcessLine, base = old->m_nOnProcessLine;
        break;
    case CStatePoint::kOnHhrLine:
        method = kMethodHhrLine, base = old->m_nOnHhrLine;
        break;
    default:
        return 0;
    }
    if (name.empty()) {
        alertMessage(QCoreApplication::translate("CIDG", "状态点名称不能为空！").toStdString(),
                     MessageIcon::Warning);
        return 0;
    }
    CStatePoint edited = *old;
    edited.m_strName = name;
    if (!MakeLinePointByValue(method, base, valueKind, value, edited, 0, fullChart))
        return 0;
    if (makeIndependent)
        MakeIndependent(edited);
    *(*m_pPoints)[static_cast<std::size_t>(index)] = edited;
    return makeIndependent ? 1 : RecomputeDependants(index, fullChart);
}

int CIDG::EditIntersection(int index, const std::string& name, bool makeIndependent)
{
    CStatePoint* point =
        m_pPoints && PointAt(index) ? (*m_pPoints)[static_cast<std::size_t>(index)].get() : nullptr;
    if (!point || !IsPointNameFree(*point, name))
        return 0;
    if (makeIndependent)
        MakeIndependent(*point);
    point->m_strName = name;
    return 1;
}

int CIDG::EditProcessStepPoint(int index, const std::string& name, int type, float e, bool makeIndependent,
                               const ChartRegion& fullChart)
{
    const CStatePoint* old = PointAt(index);
    if (!old || (old->m_nKind != CStatePoint::kHeatRecovery && old->m_nKind != CStatePoint::kEvaporative))
        return 0;
    if (!IsPointNameFree(*old, name)) {
        alertMessage(QCoreApplication::translate("CIDG", "状态点名非法或者已经存在，请检查！").toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    CStatePoint edited = *old;
    edited.m_strName = name;
    const char* refusal = nullptr;
    if (!MakeProcessStepPoint(old->m_nKind, old->m_nStepSrc1, old->m_nStepSrc2, type, e, edited, 0, fullChart,
                              &refusal)) {
        if (refusal)
            alertMessage(QCoreApplication::translate("ProcessSteps", refusal).toStdString(),
                         MessageIcon::Stop);
        return 0;
    }
    if (makeIndependent)
        MakeIndependent(edited);
    *(*m_pPoints)[static_cast<std::size_t>(index)] = edited;
    return RecomputeDependants(index, fullChart);
}

int CIDG::EditRelatedPoints(int index, const std::string& name1, const std::string& name2, int differenceKind,
                            float difference, int propertyKind, float property, bool makeIndependent,
                            const ChartRegion& fullChart)
{
    const CStatePoint* picked = PointAt(index);
    if (!picked || picked->m_nKind != CStatePoint::kRelatedPair || !PointAt(picked->m_nRelPartner))
        return 0;
    const int firstIndex = std::min(index, picked->m_nRelPartner);
    const int secondIndex = std::max(index, picked->m_nRelPartner);
    CStatePoint a = *PointAt(firstIndex), b = *PointAt(secondIndex);
    a.m_strName = name1;
    b.m_strName = name2;
    std::array<float, 5> p{};
    if (propertyKind >= 0 && propertyKind < 5)
        p[static_cast<std::size_t>(propertyKind)] = property;
    const float dt = differenceKind == 0 ? difference : 0.0f;
    const float dx = differenceKind == 1 ? difference : 0.0f;
    if (!MakeRelatedPoints(a.m_nRelHhrLine, differenceKind, propertyKind, dt, dx, p[0], p[3], p[1], p[4],
                           p[2], a, b, 0, fullChart)) {
        alertMessage(QCoreApplication::translate("CIDG", "无法得到两个相关状态点!").toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    *(*m_pPoints)[static_cast<std::size_t>(firstIndex)] = a;
    *(*m_pPoints)[static_cast<std::size_t>(secondIndex)] = b;
    // Both points moved: what hangs on either follows.
    const int result =
        RecomputeDependants(firstIndex, fullChart) & RecomputeDependants(secondIndex, fullChart);
    if (makeIndependent) {
        MakeIndependent(*(*m_pPoints)[static_cast<std::size_t>(firstIndex)]);
        MakeIndependent(*(*m_pPoints)[static_cast<std::size_t>(secondIndex)]);
    }
    return result;
}

int CIDG::EditHhrLine(int index, const std::string& name, float ratio, const ChartRegion& fullChart)
{
    if (!m_pHhrLines || index < 0 || index >= static_cast<int>(m_pHhrLines->size()))
        return 0;
    if (index == 0) {
        alertMessage(
            QCoreApplication::translate("CIDG", "该热湿比线为特殊热湿比线，不允许在此编辑修改").toStdString(),
            MessageIcon::Warning);
        return 0;
    }
    CReShiBiXian& line = *(*m_pHhrLines)[static_cast<std::size_t>(index)];
    if (!IsHhrLineNameFree(line, name)) {
        alertMessage(QCoreApplication::translate("CIDG", "过程线名无效或已经存在，请检查！").toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    // A ratio that is not a number gives no line to put points on.
    if (std::isnan(ratio))
        return 0;
    line.m_strName = name;
    line.m_fRatio = ratio;
    line.m_nMode = CReShiBiXian::kThroughPointWithRatio;
    return RecomputeHhrLineDependants(index, fullChart);
}

int CIDG::EditProcessLine(int index, const std::string& name, int startIndex, int endIndex,
                          const ChartRegion& fullChart)
{
    if (!m_pProcessLines || index < 0 || index >= static_cast<int>(m_pProcessLines->size()) ||
        !PointAt(startIndex) || !PointAt(endIndex))
        return 0;
    if (name.empty()) {
        alertMessage(QCoreApplication::translate("CIDG", "过程线名不能为空！").toStdString(),
                     MessageIcon::Stop, QCoreApplication::translate("CIDG", "错误").toStdString());
        return 0;
    }
    if (startIndex == endIndex) {
        alertMessage(QCoreApplication::translate("CIDG", "起点终点不能相同！").toStdString(),
                     MessageIcon::Stop, QCoreApplication::translate("CIDG", "错误").toStdString());
        return 0;
    }
    // An end built on the line itself would make the line follow its own
    // dependant; such an end is refused.
    const DependencyGraph g = buildGraph(*m_pPoints, m_pProcessLines, m_pHhrLines);
    const std::vector<int> reached = recomputationOrder(g, g.processNode(index));
    if (std::find(reached.begin(), reached.end(), startIndex) != reached.end() ||
        std::find(reached.begin(), reached.end(), endIndex) != reached.end())
        return 0;
    // Whether a new name is wanted was asked by the dialog.
    CGuoChengXian& line = *(*m_pProcessLines)[static_cast<std::size_t>(index)];
    line.m_strName = name;
    line.m_nStart = startIndex;
    line.m_nEnd = endIndex;
    // The points on the line and its crossings follow its new ends.
    return RecomputeProcessLineDependants(index, fullChart);
}
