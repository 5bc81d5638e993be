#include "project/DocumentEdits.h"

#include <QCoreApplication>

#include "analysis/Calculations.h"
#include "model/DependantFailure.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

namespace {

// The undo-step name of an action on a named object; %1 in action is the name.
QString named(const QString& action, const std::string& name)
{
    return action.arg(QString::fromStdString(name));
}

bool inList(const auto* list, int index)
{
    return list && index >= 0 && index < static_cast<int>(list->size());
}

// The new point's state from its dry bulb and one more property.
CStatePoint independentPoint(const std::string& name, float t, float second, SecondProperty kind)
{
    CStatePoint point;
    point.m_strName = name;
    point.m_nKind = CStatePoint::kIndependent;
    point.ClearKnown();
    point.m_t = t;
    point.m_bKnownT = 1;
    if (kind == SecondProperty::RelativeHumidity) {
        point.m_RH = second;
        point.m_bKnownRH = 1;
    } else {
        point.m_tw = second;
        point.m_bKnownTw = 1;
    }
    return point;
}

// Runs an edit against the full chart. When a dependant cannot follow, the
// message names it and says whether it would leave the chart or has no
// solution; the caller then leaves the project as it was.
bool followedByDependants(CIDG& idg, const std::function<int(const ChartRegion&)>& edit)
{
    const StateRegion full = idg.FullChartStates();
    const DependantFailureRegion region(full);
    if (edit(region) == 1)
        return true;
    if (const CStatePoint* point = idg.PointAt(region.failedPoint())) {
        const QString text =
            region.leavesChart()
                ? QCoreApplication::translate(
                      "DocumentEdits", "无法完成修改：依赖于它的状态点%1将超出焓湿图范围，不能随之改变！")
                : QCoreApplication::translate("DocumentEdits",
                                              "无法完成修改：依赖于它的状态点%1无法重新计算，不能随之改变！");
        alertMessage(text.arg(QString::fromStdString(point->m_strName)).toStdString(), MessageIcon::Warning);
    }
    return false;
}

// A window that remembers whether it refused a state.
class RefusingRegion final : public ChartRegion {
public:
    explicit RefusingRegion(const ChartRegion& window) : m_window(window) {}
    bool Contains(const CStatePoint& point) const override
    {
        const bool inside = m_window.Contains(point);
        m_bRefused = m_bRefused || !inside;
        return inside;
    }
    bool refused() const { return m_bRefused; }

private:
    const ChartRegion& m_window;
    mutable bool m_bRefused = false;
};

} // namespace

bool DocumentEdits::Change(const QString& text, const std::function<bool(CIDG&)>& edit)
{
    return m_document.ChangeCurrentRoom(text, edit);
}

QString DocumentEdits::LinePointKindName(int method)
{
    switch (method) {
    case CIDG::kMethodEqualMoisture:
        return QCoreApplication::translate("DocumentEdits", "等含湿量点");
    case CIDG::kMethodEqualTemperature:
        return QCoreApplication::translate("DocumentEdits", "等温点");
    case CIDG::kMethodEqualEnthalpy:
        return QCoreApplication::translate("DocumentEdits", "等焓点");
    case CIDG::kMethodProcessLine:
        return QCoreApplication::translate("DocumentEdits", "过程线上的点");
    default:
        return QCoreApplication::translate("DocumentEdits", "热湿比线上的点");
    }
}

QString DocumentEdits::ObjectName(const CIDG& idg, int objectClass, int index)
{
    switch (objectClass) {
    case CIDG::kClassPoint:
        if (inList(idg.m_pPoints, index))
            return QCoreApplication::translate("DocumentEdits", "状态点 %1")
                .arg(QString::fromStdString((*idg.m_pPoints)[index]->m_strName));
        break;
    case CIDG::kClassProcessLine:
        if (inList(idg.m_pProcessLines, index))
            return QCoreApplication::translate("DocumentEdits", "过程线 %1")
                .arg(QString::fromStdString((*idg.m_pProcessLines)[index]->m_strName));
        break;
    case CIDG::kClassHhrLine:
        if (inList(idg.m_pHhrLines, index))
            return QCoreApplication::translate("DocumentEdits", "热湿比线 %1")
                .arg(QString::fromStdString((*idg.m_pHhrLines)[index]->m_strName));
        break;
    case CIDG::kClassText:
        if (inList(idg.m_pTexts, index))
            return QCoreApplication::translate("DocumentEdits", "文字 %1")
                .arg(QString::fromStdString((*idg.m_pTexts)[index]->m_strText));
        break;
    default:
        break;
    }
    return QString();
}

bool DocumentEdits::AddIndependentPoint(const std::string& name, float t, float second, SecondProperty kind,
                                        const ChartRegion& window)
{
    return Change(
        named(QCoreApplication::translate("DocumentEdits", "添加独立状态点 %1"), name), [&](CIDG& idg) {
            if (!idg.m_pPoints)
                return false;
            CStatePoint point = independentPoint(name, t, second, kind);
            if (!idg.IsPointNameFree(point, name)) {
                alertMessage(
                    QCoreApplication::translate("DocumentEdits", "输入名无效或该点已经存在，请重新命名")
                        .toStdString(),
                    MessageIcon::Stop);
                return false;
            }
            if (!idg.CalcStatePoint(point)) {
                alertMessage(
                    QCoreApplication::translate("DocumentEdits", "计算错误，请检查数据!").toStdString(),
                    MessageIcon::Stop);
                return false;
            }
            if (!window.Contains(point)) {
                alertMessage(QCoreApplication::translate("DocumentEdits", "该点为无效点").toStdString(),
                             MessageIcon::Stop);
                return false;
            }
            point.m_nId = static_cast<int>(idg.m_pPoints->size());
            idg.m_pPoints->push_back(std::make_unique<CStatePoint>(point));
            return true;
        });
}

bool DocumentEdits::EditIndependentPoint(int index, const std::string& name, float t, float second,
                                         SecondProperty kind)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改独立状态点 %1"), name),
                  [&](CIDG& idg) {
                      return followedByDependants(idg, [&](const ChartRegion& full) {
                          return idg.EditIndependentPoint(index, name, t, second,
                                                          kind == SecondProperty::RelativeHumidity, full);
                      });
                  });
}

bool DocumentEdits::AddProcessLine(const std::string& name, const ProcessLineEnd& start,
                                   const ProcessLineEnd& end)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "添加过程线 %1"), name), [&](CIDG& idg) {
        if (!idg.m_pPoints || !idg.m_pProcessLines)
            return false;
        // An empty name is said to be empty, not taken for one that exists.
        if (name.empty()) {
            alertMessage(QCoreApplication::translate("DocumentEdits", "过程线名不能为空！").toStdString(),
                         MessageIcon::Stop,
                         QCoreApplication::translate("DocumentEdits", "错误").toStdString());
            return false;
        }
        if (start.name.empty()) {
            alertMessage(QCoreApplication::translate("DocumentEdits", "起点名不能为空！").toStdString(),
                         MessageIcon::Stop,
                         QCoreApplication::translate("DocumentEdits", "错误").toStdString());
            return false;
        }
        if (end.name.empty()) {
            alertMessage(QCoreApplication::translate("DocumentEdits", "终点名不能为空！").toStdString(),
                         MessageIcon::Stop,
                         QCoreApplication::translate("DocumentEdits", "错误").toStdString());
            return false;
        }
        auto endPoint = [&](const ProcessLineEnd& e) {
            CStatePoint probe = e.point;
            probe.m_nId = inList(idg.m_pPoints, e.index) ? e.index : -1;
            return probe;
        };
        if (!idg.IsPointNameFree(endPoint(start), start.name)) {
            alertMessage(
                QCoreApplication::translate("DocumentEdits", "起点名称已经存在，请修改!").toStdString(),
                MessageIcon::Stop, QCoreApplication::translate("DocumentEdits", "错误").toStdString());
            return false;
        }
        if (!idg.IsPointNameFree(endPoint(end), end.name)) {
            alertMessage(
                QCoreApplication::translate("DocumentEdits", "终点名称已经存在，请修改!").toStdString(),
                MessageIcon::Stop, QCoreApplication::translate("DocumentEdits", "错误").toStdString());
            return false;
        }
        if (start.name == end.name || (start.index >= 0 && start.index == end.index)) {
            alertMessage(QCoreApplication::translate("DocumentEdits", "起点终点不能相同！").toStdString(),
                         MessageIcon::Stop,
                         QCoreApplication::translate("DocumentEdits", "错误").toStdString());
            return false;
        }
        auto place = [&](const ProcessLineEnd& e, const std::string& question) -> int {
            if (inList(idg.m_pPoints, e.index)) {
                (*idg.m_pPoints)[e.index]->m_strName = e.name;
                return e.index;
            }
            if (!messages().askOkCancel(question, MessageIcon::Question, ""))
                return -1;
            auto point = std::make_unique<CStatePoint>(e.point);
            point->m_strName = e.name;
            point->m_nKind = CStatePoint::kIndependent;
            if (!point->m_bKnownT && !point->m_bKnownD && !point->m_bKnownH && !point->m_bKnownRH &&
                !point->m_bKnownTw)
                return -1;
            if (!idg.CalcStatePoint(*point))
                return -1;
            point->m_nId = static_cast<int>(idg.m_pPoints->size());
            idg.m_pPoints->push_back(std::move(point));
            return static_cast<int>(idg.m_pPoints->size()) - 1;
        };
        const int s = place(
            start,
            QCoreApplication::translate("DocumentEdits", "过程线起点为新状态点，要添加吗？").toStdString());
        if (s < 0)
            return false;
        const int e = place(
            end,
            QCoreApplication::translate("DocumentEdits", "过程线终点为新状态点，要添加吗？").toStdString());
        if (e < 0)
            return false;
        return idg.AddProcessLine(name, s, e) != nullptr;
    });
}

bool DocumentEdits::EditProcessLine(int index, const std::string& name, const ProcessLineEnd& start,
                                    const ProcessLineEnd& end, bool* renameDeclined)
{
    const CIDG& model = m_document.model();
    if (!inList(model.m_pProcessLines, index) || !model.PointAt(start.index) || !model.PointAt(end.index))
        return false;
    // The checks of a new line, in its order, then the question.
    if (!model.IsPointNameFree(*model.PointAt(start.index), start.name)) {
        alertMessage(QCoreApplication::translate("DocumentEdits", "起点名称已经存在，请修改!").toStdString(),
                     MessageIcon::Stop, QCoreApplication::translate("DocumentEdits", "错误").toStdString());
        return false;
    }
    if (!model.IsPointNameFree(*model.PointAt(end.index), end.name)) {
        alertMessage(QCoreApplication::translate("DocumentEdits", "终点名称已经存在，请修改!").toStdString(),
                     MessageIcon::Stop, QCoreApplication::translate("DocumentEdits", "错误").toStdString());
        return false;
    }
    if (name.empty()) {
        alertMessage(QCoreApplication::translate("DocumentEdits", "过程线名不能为空！").toStdString(),
                     MessageIcon::Stop, QCoreApplication::translate("DocumentEdits", "错误").toStdString());
        return false;
    }
    if (start.name == end.name || start.index == end.index) {
        alertMessage(QCoreApplication::translate("DocumentEdits", "起点终点不能相同！").toStdString(),
                     MessageIcon::Stop, QCoreApplication::translate("DocumentEdits", "错误").toStdString());
        return false;
    }
    if (name != (*model.m_pProcessLines)[index]->m_strName &&
        !messages().askOkCancel(
            QCoreApplication::translate("DocumentEdits", "修改已经存在的过程线吗").toStdString(),
            MessageIcon::Question, "")) {
        if (renameDeclined)
            *renameDeclined = true;
        return false;
    }
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改过程线 %1"), name), [&](CIDG& idg) {
        (*idg.m_pPoints)[start.index]->m_strName = start.name;
        (*idg.m_pPoints)[end.index]->m_strName = end.name;
        return followedByDependants(idg, [&](const ChartRegion& full) {
            return idg.EditProcessLine(index, name, start.index, end.index, full);
        });
    });
}

bool DocumentEdits::AddHhrLine(const std::string& name, int point1, bool byPoints, int point2, float ratio)
{
    return Change(
        named(QCoreApplication::translate("DocumentEdits", "添加热湿比线 %1"), name), [&](CIDG& idg) {
            if (!idg.m_pHhrLines || !idg.PointAt(point1) || (byPoints && !idg.PointAt(point2)))
                return false;
            if (byPoints && point1 == point2) {
                alertMessage(QCoreApplication::translate("DocumentEdits", "两点相同，请修正！").toStdString(),
                             MessageIcon::Stop,
                             QCoreApplication::translate("DocumentEdits", "错误").toStdString());
                return false;
            }
            auto line = std::make_unique<CReShiBiXian>();
            line->m_nPoint1 = point1;
            if (byPoints) {
                line->m_nPoint2 = point2;
                line->m_nMode = CReShiBiXian::kThroughTwoPoints;
            } else {
                line->m_fRatio = ratio;
                line->m_nMode = CReShiBiXian::kThroughPointWithRatio;
            }
            if (!idg.IsHhrLineNameFree(*line, name)) {
                alertMessage(
                    QCoreApplication::translate("DocumentEdits", "名字非法或该名称已经存在，请重新命名！")
                        .toStdString(),
                    MessageIcon::Stop);
                return false;
            }
            line->m_strName = name;
            line->m_nId = static_cast<int>(idg.m_pHhrLines->size());
            idg.m_pHhrLines->push_back(std::move(line));
            return true;
        });
}

bool DocumentEdits::EditHhrLine(int index, const std::string& name, float ratio)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改热湿比线 %1"), name),
                  [&](CIDG& idg) {
                      return followedByDependants(idg, [&](const ChartRegion& full) {
                          return idg.EditHhrLine(index, name, ratio, full);
                      });
                  });
}

bool DocumentEdits::AddMixingPoint(const std::string& name, int point1, int point2, float percent,
                                   const ChartRegion& window)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "添加混合点 %1"), name),
                  [&](CIDG& idg) { return idg.AddMixingPoint(name, point1, point2, percent, window) == 1; });
}

bool DocumentEdits::EditMixingPoint(int index, const std::string& name, float percent, bool makeIndependent)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改混合点 %1"), name), [&](CIDG& idg) {
        return followedByDependants(idg, [&](const ChartRegion& full) {
            return idg.EditMixingPoint(index, name, percent, makeIndependent, full);
        });
    });
}

bool DocumentEdits::AddProcessStepPoint(int kind, const std::string& name, int point1, int point2, int type,
                                        float e, float airVolume, const ChartRegion& window)
{
    const QString action = kind == CStatePoint::kHeatRecovery
                               ? QCoreApplication::translate("DocumentEdits", "添加热回收点 %1")
                               : QCoreApplication::translate("DocumentEdits", "添加蒸发冷却点 %1");
    return Change(named(action, name), [&](CIDG& idg) {
        if (idg.AddProcessStepPoint(kind, name, point1, point2, type, e, window) != 1)
            return false;
        AddProcessStepResults(idg, static_cast<int>(idg.m_pPoints->size()) - 1, airVolume);
        return true;
    });
}

bool DocumentEdits::EditProcessStepPoint(int index, const std::string& name, int type, float e,
                                         bool makeIndependent)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改状态点 %1"), name), [&](CIDG& idg) {
        return followedByDependants(idg, [&](const ChartRegion& full) {
            return idg.EditProcessStepPoint(index, name, type, e, makeIndependent, full);
        });
    });
}

bool DocumentEdits::AddLinePoint(int method, int baseIndex, int valueKind, float value,
                                 const std::string& name, const ChartRegion& window)
{
    return Change(QCoreApplication::translate("DocumentEdits", "添加%1 %2")
                      .arg(LinePointKindName(method), QString::fromStdString(name)),
                  [&](CIDG& idg) {
                      CStatePoint point;
                      point.m_strName = name;
                      return idg.MakeLinePointByValue(method, baseIndex, valueKind, value, point, 1,
                                                      window) == 1;
                  });
}

bool DocumentEdits::EditLinePoint(int index, const std::string& name, int valueKind, float value,
                                  bool makeIndependent)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改状态点 %1"), name), [&](CIDG& idg) {
        return followedByDependants(idg, [&](const ChartRegion& full) {
            return idg.EditLinePoint(index, name, valueKind, value, makeIndependent, full);
        });
    });
}

bool DocumentEdits::AddIntersection(int type, int line1, int line2, const std::string& name,
                                    const ChartRegion& window)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "添加交点 %1"), name), [&](CIDG& idg) {
        CStatePoint point;
        point.m_strName = name;
        return idg.MakeIntersection(type, line1, line2, point, 1, window) == 1;
    });
}

bool DocumentEdits::EditIntersection(int index, const std::string& name, bool makeIndependent)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改交点 %1"), name),
                  [&](CIDG& idg) { return idg.EditIntersection(index, name, makeIndependent) == 1; });
}

bool DocumentEdits::AddRelatedPoints(int hhrLine, int differenceKind, float difference, int propertyKind,
                                     float property, const std::string& name1, const std::string& name2,
                                     const ChartRegion& drawnWindow)
{
    const RefusingRegion window(drawnWindow);
    const bool added = Change(
        QCoreApplication::translate("DocumentEdits", "添加相关状态点 %1、%2")
            .arg(QString::fromStdString(name1), QString::fromStdString(name2)),
        [&](CIDG& idg) {
            if (!inList(idg.m_pHhrLines, hhrLine)) {
                alertMessage(QCoreApplication::translate("DocumentEdits", "请选择热湿比线！").toStdString(),
                             MessageIcon::Warning,
                             QCoreApplication::translate("DocumentEdits", "警告").toStdString());
                return false;
            }
            if (name1 == name2) {
                alertMessage(QCoreApplication::translate("DocumentEdits", "两个相关状态点名字不得相同！")
                                 .toStdString(),
                             MessageIcon::Warning,
                             QCoreApplication::translate("DocumentEdits", "警告").toStdString());
                return false;
            }
            float values[5] = {0, 0, 0, 0, 0}; // t, RH, x, tw, h by property kind
            if (propertyKind < 0 || propertyKind > 4)
                return false;
            values[propertyKind] = property;
            const float dt = differenceKind == 0 ? difference : 0.0f;
            const float dx = differenceKind == 1 ? difference : 0.0f;
            CStatePoint point1;
            CStatePoint point2;
            point1.m_strName = name1;
            point2.m_strName = name2;
            if (!idg.MakeRelatedPoints(hhrLine, differenceKind, propertyKind, dt, dx, values[0], values[3],
                                       values[1], values[4], values[2], point1, point2, 1, window)) {
                alertMessage(
                    QCoreApplication::translate("DocumentEdits", "无法得到两个相关状态点!").toStdString(),
                    MessageIcon::Stop);
                return false;
            }
            return true;
        });
    // A pair beside the drawn window: the whole chart is shown again, so the
    // user sees where the pair would lie.
    if (!added && window.refused())
        m_document.RestoreFullChart();
    return added;
}

bool DocumentEdits::EditRelatedPoints(int index, const std::string& name1, const std::string& name2,
                                      int differenceKind, float difference, int propertyKind, float property,
                                      bool makeIndependent)
{
    return Change(QCoreApplication::translate("DocumentEdits", "修改相关状态点 %1、%2")
                      .arg(QString::fromStdString(name1), QString::fromStdString(name2)),
                  [&](CIDG& idg) {
                      return followedByDependants(idg, [&](const ChartRegion& full) {
                          return idg.EditRelatedPoints(index, name1, name2, differenceKind, difference,
                                                       propertyKind, property, makeIndependent, full);
                      });
                  });
}

bool DocumentEdits::DeleteObject(int objectClass, int index)
{
    const QString what = ObjectName(m_document.model(), objectClass, index);
    return Change(QCoreApplication::translate("DocumentEdits", "删除%1").arg(what),
                  [&](CIDG& idg) { return idg.DeleteObject(objectClass, index) == 1; });
}

bool DocumentEdits::DeleteComfortArea(int zoneIndex)
{
    const CIDG& model = m_document.model();
    QString name;
    if (inList(model.m_pComfortAreas, zoneIndex))
        name = QString::fromStdString((*model.m_pComfortAreas)[zoneIndex]->m_strName);
    return Change(QCoreApplication::translate("DocumentEdits", "删除舒适区 %1").arg(name),
                  [&](CIDG& idg) { return idg.DeleteComfortArea(zoneIndex) == 1; });
}

bool DocumentEdits::MakeComfortZone(int baseIndex, float dt, float dRhPercent)
{
    const CStatePoint* base = m_document.model().PointAt(baseIndex);
    return Change(named(QCoreApplication::translate("DocumentEdits", "绘制舒适区 %1"),
                        base ? base->m_strName : std::string()),
                  [&](CIDG& idg) { return idg.MakeComfortZone(baseIndex, dt, dRhPercent) == 1; });
}

bool DocumentEdits::MakeComfortZone(int baseIndex, const qorva::psychro::ComfortCorners& corners,
                                    const std::string& caption, int x, int y)
{
    const CStatePoint* base = m_document.model().PointAt(baseIndex);
    return Change(named(QCoreApplication::translate("DocumentEdits", "绘制舒适区 %1"),
                        base ? base->m_strName : std::string()),
                  [&](CIDG& idg) { return idg.MakeComfortZone(baseIndex, corners, caption, x, y) == 1; });
}

bool DocumentEdits::AddText(const std::string& text, int x, int y)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "添加文字 %1"), text),
                  [&](CIDG& idg) { return idg.AddText(text, x, y, idg.m_font1, 0) == 1; });
}

bool DocumentEdits::EditText(int index, const std::string& text)
{
    return Change(named(QCoreApplication::translate("DocumentEdits", "修改文字 %1"), text),
                  [&](CIDG& idg) { return idg.EditText(index, text) == 1; });
}
