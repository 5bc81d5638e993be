// Deleting objects from a view. An object that others are built on is kept
// until they are gone or made independent; when one goes, every index into
// its list that lies above it moves down by one, so all references stay
// exact.

#include <algorithm>
#include <string>
#include <utility>

#include <QCoreApplication>

#include "model/CIDG.h"
#include "model/ListSnapshot.h"
#include "model/Messages.h"

namespace {

bool listsBound(const CIDG& idg)
{
    return idg.m_pPoints && idg.m_pProcessLines && idg.m_pHhrLines && idg.m_pTexts && idg.m_pComfortAreas;
}

template <class T> bool inRange(const ObjectArray<T>* list, int index)
{
    return list && index >= 0 && index < static_cast<int>(list->size());
}

// The refusal to delete an object others are built on; %1 in the template is
// the name of the one that depends on it.
void refuse(const QString& templ, const std::string& name)
{
    alertMessage(templ.arg(QString::fromStdString(name)).toStdString(), MessageIcon::Warning);
}

// A reference that named the removed object is gone; later ones move down.
// Returns true when the reference named it.
bool renumber(std::int32_t& reference, int removed)
{
    if (reference == removed)
        return true;
    if (reference > removed)
        --reference;
    return false;
}

bool textReportsOn(const CCommentString& text, int point)
{
    return std::find(text.m_nRef.begin(), text.m_nRef.end(), point) != text.m_nRef.end() ||
           (text.m_nKind == 9 && text.m_nRefExtra == point);
}

} // namespace

int CIDG::CheckDeleteConstraints(int objectClass, int key) const
{
    if (!listsBound(*this))
        return 0;
    const auto& points = *m_pPoints;
    switch (objectClass) {
    case kClassPoint:
        for (const auto& line : *m_pProcessLines) {
            if (line->m_nStart == key || line->m_nEnd == key) {
                refuse(QCoreApplication::translate("CIDG", "该状态点对过程线%1具有制约性,请首先删除该过程线"),
                       line->m_strName);
                return 1;
            }
        }
        for (const auto& line : *m_pHhrLines) {
            if (line->m_nPoint1 == key || line->m_nPoint2 == key) {
                refuse(QCoreApplication::translate("CIDG",
                                                   "该状态点对热湿比线%1具有制约性,请首先删除该热湿比线"),
                       line->m_strName);
                return 1;
            }
        }
        for (const auto& text : *m_pTexts) {
            if (std::find(text->m_nRef.begin(), text->m_nRef.end(), key) != text->m_nRef.end()) {
                refuse(QCoreApplication::translate(
                           "CIDG", "该状态点对计算结果\n'%1'\n具有制约性,请首先删除该计算结果"),
                       text->m_strText);
                return 1;
            }
        }
        for (const auto& p : points) {
            if (p->m_nBaseH == key) {
                refuse(QCoreApplication::translate(
                           "CIDG",
                           "该状态点对等焓点%1具有制约性,请首先删除该等焓点或者将该等焓点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
            if (p->m_nBaseT == key) {
                refuse(QCoreApplication::translate(
                           "CIDG",
                           "该状态点对等温点%1具有制约性,请首先删除该等温点或者将该等温点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
            if (p->m_nBaseD == key) {
                refuse(QCoreApplication::translate(
                           "CIDG", "该状态点对等含湿量点%1具有制约性,"
                                   "请首先删除该等含湿量点或者将该等含湿量点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
            if (p->m_nMixSrc1 == key || p->m_nMixSrc2 == key) {
                refuse(QCoreApplication::translate(
                           "CIDG",
                           "该状态点对混合点%1具有制约性,请首先删除该混合点或者将该混合点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
            if ((p->m_nStepSrc1 == key || p->m_nStepSrc2 == key) &&
                p->m_nKind == CStatePoint::kHeatRecovery) {
                refuse(QCoreApplication::translate("CIDG",
                                                   "该状态点对热回收点%1具有制约性,"
                                                   "请首先删除该热回收点或者将该热回收点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
            if (p->m_nStepSrc1 == key && p->m_nKind == CStatePoint::kEvaporative) {
                refuse(QCoreApplication::translate(
                           "CIDG", "该状态点对蒸发冷却点%1具有制约性,"
                                   "请首先删除该蒸发冷却点或者将该蒸发冷却点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
        }
        return 0;
    case kClassProcessLine:
        for (const auto& p : points) {
            if (p->m_nOnProcessLine == key) {
                refuse(QCoreApplication::translate(
                           "CIDG", "该过程线对点%1具有制约性,请首先删除该点或者将该点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
        }
        for (const auto& p : points) {
            if (p->m_nCrossProc1 == key || p->m_nCrossProc2 == key || p->m_nCrossProc == key) {
                refuse(QCoreApplication::translate(
                           "CIDG", "该过程线对交点%1具有制约性,请首先删除该交点或者将该交点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
        }
        return 0;
    case kClassHhrLine:
        for (const auto& p : points) {
            if (p->m_nOnHhrLine == key) {
                refuse(QCoreApplication::translate(
                           "CIDG", "该热湿比线对点%1具有制约性,请首先删除该点或者将该点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
        }
        for (const auto& p : points) {
            if (p->m_nCrossHhr1 == key || p->m_nCrossHhr2 == key || p->m_nCrossHhr == key) {
                refuse(
                    QCoreApplication::translate(
                        "CIDG", "该热湿比线对交点%1具有制约性,请首先删除该交点或者将该交点转化为独立状态点"),
                    p->m_strName);
                return 1;
            }
        }
        for (const auto& p : points) {
            if (p->m_nRelHhrLine == key) {
                refuse(QCoreApplication::translate(
                           "CIDG",
                           "该热湿比线对相关状态点%1具有制约性,请首先删除该点或者将该点转化为独立状态点"),
                       p->m_strName);
                return 1;
            }
        }
        return 0;
    default:
        return 0;
    }
}

int CIDG::DeleteObject(int objectClass, int index)
{
    if (!listsBound(*this))
        return 0;
    switch (objectClass) {
    case kClassPoint: {
        if (!inRange(m_pPoints, index))
            return 0;
        // The design points are rebuilt in their places by every binding;
        // removing one would shift the other into the outdoor slot.
        if (index == 0 || index == 1) {
            alertMessage(
                QCoreApplication::translate("CIDG", "室外点W和室内点N为特殊点，不允许删除").toStdString(),
                MessageIcon::Warning);
            return 0;
        }
        const std::string& name = (*m_pPoints)[static_cast<std::size_t>(index)]->m_strName;
        for (std::size_t z = 0; z < m_pComfortAreas->size(); ++z) {
            if ((*m_pComfortAreas)[z]->HasCorner(name))
                return DeleteComfortArea(static_cast<int>(z));
        }
        break;
    }
    case kClassProcessLine: {
        if (!inRange(m_pProcessLines, index))
            return 0;
        const std::string& name = (*m_pProcessLines)[static_cast<std::size_t>(index)]->m_strName;
        for (std::size_t z = 0; z < m_pComfortAreas->size(); ++z) {
            if ((*m_pComfortAreas)[z]->HasEdge(name))
                return DeleteComfortArea(static_cast<int>(z));
        }
        break;
    }
    case kClassHhrLine:
        if (!inRange(m_pHhrLines, index))
            return 0;
        if (index == 0) {
            alertMessage(
                QCoreApplication::translate("CIDG", "室内热湿比线ε为特殊热湿比线，不允许删除").toStdString(),
                MessageIcon::Warning);
            return 0;
        }
        break;
    case kClassText:
        if (!inRange(m_pTexts, index))
            return 0;
        break;
    default:
        return 0;
    }
    return DeleteChecked(objectClass, index);
}

int CIDG::DeleteChecked(int objectClass, int index)
{
    if (CheckDeleteConstraints(objectClass, index))
        return 0;
    switch (objectClass) {
    case kClassPoint:
        RemovePoint(index);
        return 1;
    case kClassProcessLine:
        RemoveProcessLine(index);
        return 1;
    case kClassHhrLine:
        RemoveHhrLine(index);
        return 1;
    case kClassText:
        RemoveText(index);
        return 1;
    default:
        return 0;
    }
}

int CIDG::DeleteComfortArea(int zoneIndex)
{
    if (!listsBound(*this) || !inRange(m_pComfortAreas, zoneIndex))
        return 0;
    // A member that something outside the zone depends on keeps the whole
    // zone: either all eight objects go or none.
    ListSnapshot before(*this);
    const CComfortArea zone = *(*m_pComfortAreas)[static_cast<std::size_t>(zoneIndex)];
    for (auto k = static_cast<int>(m_pProcessLines->size()); k-- > 0;) {
        if (zone.HasEdge((*m_pProcessLines)[static_cast<std::size_t>(k)]->m_strName) &&
            !DeleteChecked(kClassProcessLine, k)) {
            before.Restore(*this);
            return 0;
        }
    }
    for (auto j = static_cast<int>(m_pPoints->size()); j-- > 0;) {
        if (zone.HasCorner((*m_pPoints)[static_cast<std::size_t>(j)]->m_strName) &&
            !DeleteChecked(kClassPoint, j)) {
            before.Restore(*this);
            return 0;
        }
    }
    // A zone drawn by the design code names its caption, a free text beside
    // it; the caption goes with the zone.
    for (auto i = static_cast<int>(m_pTexts->size()); !zone.m_strLabel.empty() && i-- > 0;) {
        const CCommentString& text = *(*m_pTexts)[static_cast<std::size_t>(i)];
        if (text.m_nKind == 0 && text.m_strText == zone.m_strLabel) {
            RemoveText(i);
            break;
        }
    }
    m_pComfortAreas->erase(m_pComfortAreas->begin() + zoneIndex);
    return 1;
}

void CIDG::RemovePoint(int index)
{
    auto& points = *m_pPoints;
    const CStatePoint& gone = *points[static_cast<std::size_t>(index)];
    if (gone.m_nKind == CStatePoint::kRelatedPair && gone.m_nRelPartner != index &&
        PointAt(gone.m_nRelPartner))
        MakeIndependent(*points[static_cast<std::size_t>(gone.m_nRelPartner)]);

    // Lines and result texts through the point cannot stand without it.
    for (auto k = static_cast<int>(m_pProcessLines->size()); k-- > 0;) {
        const CGuoChengXian& line = *(*m_pProcessLines)[static_cast<std::size_t>(k)];
        if (line.m_nStart == index || line.m_nEnd == index)
            RemoveProcessLine(k);
    }
    for (auto k = static_cast<int>(m_pHhrLines->size()); k-- > 0;) {
        const CReShiBiXian& line = *(*m_pHhrLines)[static_cast<std::size_t>(k)];
        if (line.m_nPoint1 == index || line.m_nPoint2 == index)
            RemoveHhrLine(k);
    }
    for (auto k = static_cast<int>(m_pTexts->size()); k-- > 0;) {
        if (textReportsOn(*(*m_pTexts)[static_cast<std::size_t>(k)], index))
            RemoveText(k);
    }

    for (auto& p : points) {
        renumber(p->m_nId, index);
        bool lostSource = false;
        for (std::int32_t* source : {&p->m_nMixSrc1, &p->m_nMixSrc2, &p->m_nRelPartner, &p->m_nBaseD,
                                     &p->m_nBaseH, &p->m_nBaseT, &p->m_nStepSrc1, &p->m_nStepSrc2})
            lostSource |= renumber(*source, index);
        // Only a point whose source went without a check (its partner) gets
        // here; it keeps its state as a point of its own.
        if (lostSource && p.get() != &gone)
            MakeIndependent(*p);
    }
    for (auto& line : *m_pProcessLines) {
        renumber(line->m_nStart, index);
        renumber(line->m_nEnd, index);
    }
    for (auto& line : *m_pHhrLines) {
        renumber(line->m_nPoint1, index);
        renumber(line->m_nPoint2, index);
    }
    for (auto& text : *m_pTexts) {
        for (std::int32_t& reference : text->m_nRef)
            renumber(reference, index);
        if (text->m_nKind == 9)
            renumber(text->m_nRefExtra, index);
    }
    // The analysis results of the room name points of this list too.
    if (CServiceArea* room = CurrentRoom();
        room && room->m_nCondition >= 0 && room->m_nCondition < kConditionCount &&
        m_pPoints == &room->m_points[static_cast<std::size_t>(room->m_nCondition)])
        RenumberPointIndexSlots(*room, room->m_nCondition, index);
    points.erase(points.begin() + index);
}

void CIDG::RemoveProcessLine(int index)
{
    for (auto& p : *m_pPoints) {
        bool lostSource = false;
        for (std::int32_t* source :
             {&p->m_nOnProcessLine, &p->m_nCrossProc1, &p->m_nCrossProc2, &p->m_nCrossProc})
            lostSource |= renumber(*source, index);
        if (lostSource)
            MakeIndependent(*p);
    }
    auto& lines = *m_pProcessLines;
    lines.erase(lines.begin() + index);
    for (auto& line : lines)
        renumber(line->m_nId, index);
}

void CIDG::RemoveHhrLine(int index)
{
    for (auto& p : *m_pPoints) {
        bool lostSource = false;
        for (std::int32_t* source :
             {&p->m_nOnHhrLine, &p->m_nCrossHhr1, &p->m_nCrossHhr2, &p->m_nCrossHhr, &p->m_nRelHhrLine})
            lostSource |= renumber(*source, index);
        if (lostSource)
            MakeIndependent(*p);
    }
    auto& lines = *m_pHhrLines;
    lines.erase(lines.begin() + index);
    for (auto& line : lines)
        renumber(line->m_nId, index);
}

void CIDG::RemoveText(int index)
{
    // The result column is laid out afresh at every drawing, so the texts
    // below close up by themselves; their stored places close up with them,
    // each result text moving to the place of the one above it.
    auto& texts = *m_pTexts;
    const auto isResult = [](const CCommentString& text) { return text.m_nKind != 0 && text.m_nKind != -1; };
    const CCommentString& gone = *texts[static_cast<std::size_t>(index)];
    std::int32_t vacatedY = gone.m_nPlace[3];
    const bool leavesGap = isResult(gone);
    texts.erase(texts.begin() + index);
    for (auto& text : texts)
        renumber(text->m_nId, index);
    for (std::size_t k = static_cast<std::size_t>(index); leavesGap && k < texts.size(); ++k)
        if (isResult(*texts[k]))
            std::swap(texts[k]->m_nPlace[3], vacatedY);
}
