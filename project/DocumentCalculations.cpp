#include "project/DocumentCalculations.h"

#include <QCoreApplication>

#include "model/CParamPoint.h"
#include "project/CQORVADoc.h"

std::string CalculationName(ResultKind kind)
{
    switch (kind) {
    case ResultKind::AirVolume:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "送风量");
    case ResultKind::Cooling:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "空调器处理冷量");
    case ResultKind::Heating:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "加热量");
    case ResultKind::Reheat:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "再热量");
    case ResultKind::Preheat:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "预热量");
    case ResultKind::Humidification:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "加湿量");
    case ResultKind::MixingRatio:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "混风比");
    case ResultKind::HeatMoistureRatio:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "热湿比");
    case ResultKind::TreatmentEnthalpy:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "处理焓差");
    case ResultKind::EnthalpyDifference:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "焓差");
    case ResultKind::MoistureDifference:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "含湿量差");
    case ResultKind::StateText:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "输出状态点");
    case ResultKind::HeatRecovery:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "热回收量");
    case ResultKind::EvaporativeCooling:
        return QT_TRANSLATE_NOOP("DocumentCalculations", "蒸发冷却量");
    }
    return std::string();
}

namespace {

QString stepName(ResultKind kind)
{
    return QCoreApplication::translate("DocumentCalculations", "计算%1")
        .arg(QCoreApplication::translate("DocumentCalculations", CalculationName(kind).c_str()));
}

} // namespace

bool AddCalculationResult(CQORVADoc& document, ResultKind kind, const ResultPoints& points, float input)
{
    return document.ChangeCurrentRoom(
        stepName(kind), [&](CIDG& idg) { return AddCalculationResult(idg, kind, points, input) == 1; });
}

bool AddEnthalpyDifferenceResult(CQORVADoc& document, float watts, float airVolume)
{
    return document.ChangeCurrentRoom(stepName(ResultKind::EnthalpyDifference), [&](CIDG& idg) {
        return AddEnthalpyDifferenceResult(idg, watts, airVolume) == 1;
    });
}

bool AddMoistureDifferenceResult(CQORVADoc& document, float kgPerHour, float airVolume)
{
    return document.ChangeCurrentRoom(stepName(ResultKind::MoistureDifference), [&](CIDG& idg) {
        return AddMoistureDifferenceResult(idg, kgPerHour, airVolume) == 1;
    });
}

bool AddOutputStateText(CQORVADoc& document, int pointIndex, const std::string& caption)
{
    return document.ChangeCurrentRoom(
        QCoreApplication::translate("DocumentCalculations", "输出状态点"),
        [&](CIDG& idg) { return AddOutputStateText(idg, pointIndex, caption) == 1; });
}

bool AddParamPoint(CQORVADoc& document, const CParamPoint& point)
{
    return document.ChangeCurrentRoom(QCoreApplication::translate("DocumentCalculations", "添加参数点 %1")
                                          .arg(QString::fromStdString(point.m_strName)),
                                      [&](CIDG& idg) { return AddParamPoint(idg, point) == 1; });
}

bool RenameParamPoint(CQORVADoc& document, int index, const std::string& name)
{
    return document.ChangeCurrentRoom(QCoreApplication::translate("DocumentCalculations", "重命名参数点 %1")
                                          .arg(QString::fromStdString(name)),
                                      [&](CIDG& idg) { return RenameParamPoint(idg, index, name) == 1; });
}

bool DeleteParamPoint(CQORVADoc& document, int index)
{
    return document.ChangeCurrentRoom(QCoreApplication::translate("DocumentCalculations", "删除参数点"),
                                      [&](CIDG& idg) { return DeleteParamPoint(idg, index) == 1; });
}
