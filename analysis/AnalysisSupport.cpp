#include "analysis/AnalysisSupport.h"

#include <cmath>

#include <QCoreApplication>

#include "chart/ResultWording.h"
#include "model/ProcessSteps.h"
#include "model/UnitFormat.h"
#include "psychro/QorvaDll.h"

namespace analysis_support {

using unit_format::Format;

CServiceArea& Steps::room()
{
    CServiceArea* current = m_idg.CurrentRoom();
    if (!current)
        stop(QCoreApplication::translate("AnalysisFramework", "获得当前房间信息").toStdString());
    return *current;
}

const CStatePoint& Steps::point(int index) const
{
    const CStatePoint* p = m_idg.PointAt(index);
    if (!p)
        throw AnalysisError(QCoreApplication::translate("AnalysisFramework", "状态点索引无效").toStdString());
    return *p;
}

int Steps::pointCount() const
{
    return m_idg.m_pPoints ? static_cast<int>(m_idg.m_pPoints->size()) : 0;
}

int Steps::linePoint(const std::string& name, int method, int base, int valueKind, float value)
{
    CStatePoint made;
    made.m_strName = name;
    if (!m_idg.MakeLinePointByValue(method, base, valueKind, value, made, 1, m_region))
        return -1;
    return made.m_nId;
}

int Steps::mixingPoint(const std::string& name, int index1, int index2, float r)
{
    CStatePoint made;
    made.m_strName = name;
    if (!m_idg.m_pPoints || !m_idg.IsPointNameFree(made, name) ||
        !m_idg.MakeMixingPoint(index1, index2, r, made, 1, m_region))
        return -1;
    made.m_nId = pointCount();
    m_idg.m_pPoints->push_back(std::make_unique<CStatePoint>(made));
    return made.m_nId;
}

namespace {

int appendCompleted(CIDG& idg, const ChartRegion& region, CStatePoint& made)
{
    if (!idg.m_pPoints || !idg.IsPointNameFree(made, made.m_strName) || !idg.CalcStatePoint(made) ||
        !region.Contains(made))
        return -1;
    made.m_nKind = CStatePoint::kIndependent;
    made.m_nId = static_cast<int>(idg.m_pPoints->size());
    idg.m_pPoints->push_back(std::make_unique<CStatePoint>(made));
    return made.m_nId;
}

} // namespace

int Steps::pointFromMoistureEnthalpy(const std::string& name, float x, float h)
{
    if (!std::isfinite(x) || !std::isfinite(h))
        return -1;
    CStatePoint made;
    made.m_strName = name;
    made.m_d = x;
    made.m_h = h;
    made.m_bKnownD = made.m_bKnownH = 1;
    return appendCompleted(m_idg, m_region, made);
}

int Steps::pointFromTemperatureMoisture(const std::string& name, float t, float x)
{
    if (!std::isfinite(x) || !std::isfinite(t))
        return -1;
    CStatePoint made;
    made.m_strName = name;
    made.m_t = t;
    made.m_d = x;
    made.m_bKnownT = made.m_bKnownD = 1;
    return appendCompleted(m_idg, m_region, made);
}

Steps::Recovered Steps::recoverFreshAir(const RecoveryParams& recovery, float volume)
{
    CServiceArea& area = room();
    const bool winter = m_idg.CurrentCondition() == kConditionWinter;
    (winter ? area.m_recovery.winterPoint : area.m_recovery.summerPoint) = -1;
    (winter ? area.m_recovery.winterRecovered : area.m_recovery.summerRecovered) = 0;
    Recovered recovered;
    if (recovery.mode == kRecoveryNone)
        return recovered;
    process_steps::StepParams step;
    step.kind = recovery.mode == kRecoveryTotal ? process_steps::StepKind::TotalRecovery
                                                : process_steps::StepKind::SensibleRecovery;
    step.effectiveness = recovery.effectiveness;
    const process_steps::StepResult result =
        process_steps::RunStep(step, point(kOutdoor), &point(kIndoor), m_idg.m_fSummerPressure, m_region);
    if (!result.ok())
        stop(QCoreApplication::translate("ProcessSteps", process_steps::RefusalText(result.refusal))
                 .toStdString());
    CStatePoint made;
    made.m_strName = "W1";
    made.m_d = result.leaving.m_d;
    made.m_h = result.leaving.m_h;
    made.m_bKnownD = made.m_bKnownH = 1;
    recovered.inlet = appendCompleted(m_idg, m_region, made);
    if (recovered.inlet < 0)
        stop(QCoreApplication::translate("ProcessSteps", process_step_messages::kNoState).toStdString());
    const float q = capacity(kOutdoor, recovered.inlet, volume);
    if (q == -1.0f)
        stop("");
    // In summer the exchanger saves cooling when it lowers the enthalpy, in
    // winter heating when it raises it.
    const bool lowered = point(recovered.inlet).m_h < point(kOutdoor).m_h;
    recovered.saved = lowered != winter ? q : -q;
    (winter ? area.m_recovery.winterPoint : area.m_recovery.summerPoint) = recovered.inlet;
    (winter ? area.m_recovery.winterRecovered : area.m_recovery.summerRecovered) = recovered.saved;
    return recovered;
}

void Steps::recoveryText(const Recovered& recovered, float volume)
{
    if (!recovered.placed())
        return;
    result(text_kind::kHeatRecovery,
           {{value_slot::kAirVolume, volume}, {value_slot::kRecovered, recovered.saved}}, kOutdoor,
           recovered.inlet);
}

void Steps::removeFrom(int index)
{
    if (index < 0 || !m_idg.m_pPoints)
        return;
    while (pointCount() > index)
        m_idg.m_pPoints->pop_back();
}

float Steps::airVolume(int a, int b, float load) const
{
    float g = -1.0f;
    return MDh1h2Q_G(m_idg.m_fSummerDensity, point(a).m_h, point(b).m_h, load, &g) ? g : -1.0f;
}

float Steps::capacity(int a, int b, float volume) const
{
    float q = -1.0f;
    return MDh1h2G_Q(m_idg.m_fSummerDensity, point(a).m_h, point(b).m_h, volume, &q) ? q : -1.0f;
}

float Steps::heating(int a, int b, float volume) const
{
    float q = -1.0f;
    return MDh1h2G_Q1(m_idg.m_fSummerDensity, point(a).m_h, point(b).m_h, volume, &q) ? q : -1.0f;
}

float Steps::reheat(int a, int b, float volume) const
{
    float q = -1.0f;
    return MDh1h2G_Q2(m_idg.m_fSummerDensity, point(a).m_h, point(b).m_h, volume, &q) ? q : -1.0f;
}

float Steps::moistureFlow(int a, int b, float volume) const
{
    float w = -1.0f;
    return MDx1x2G_H(m_idg.m_fSummerDensity, point(a).m_d, point(b).m_d, volume, &w) ? w : -1.0f;
}

void Steps::line(const std::string& name, int start, int end)
{
    AddProcessLine(m_idg, name, start, end);
}

CCommentString* Steps::text(int kind, const std::string& words, int ref0, int ref1, int ref2)
{
    auto record = std::make_unique<CCommentString>();
    record->m_strText = words;
    record->m_nKind = kind;
    record->m_nRef = {ref0, ref1, ref2};
    CCommentString* added = AddResultText(m_idg, std::move(record));
    if (!added)
        throw AnalysisError(
            QCoreApplication::translate("AnalysisFramework", "无法添加结果文字").toStdString());
    return added;
}

CCommentString* Steps::result(int kind, std::initializer_list<std::pair<int, float>> values, int ref0,
                              int ref1, int ref2)
{
    CCommentString* added = text(kind, std::string(), ref0, ref1, ref2);
    for (const auto& [slot, value] : values)
        added->m_fValues[static_cast<std::size_t>(slot)] = value;
    added->m_strText = result_wording::ResultWords(m_idg, *added, result_wording::Language::Stored);
    return added;
}

std::string Steps::stateValues(int index) const
{
    const CStatePoint& p = point(index);
    const int units = m_idg.m_nUnitSystem;
    return unit_format::Temperature(units, "  %.1f℃", p.m_t) +
           unit_format::Temperature(units, "  %.1f℃", p.m_tw) + Format("  %.2f%%", p.m_RH * 100.0) +
           unit_format::Moisture(units, "  %.1fg/kg", p.m_d) +
           unit_format::Enthalpy(units, "  %.2fkJ/kg", "  %.2fkcal/kg", p.m_h);
}

double leverShare(const CStatePoint& a, const CStatePoint& m, const CStatePoint& b)
{
    const bool byMoisture = a.m_d != m.m_d;
    const double am = byMoisture ? double(a.m_d) - m.m_d : double(a.m_h) - m.m_h;
    const double ab = byMoisture ? double(a.m_d) - b.m_d : double(a.m_h) - b.m_h;
    return ab == 0.0 ? 0.0 : std::fabs(am) / std::fabs(ab);
}

} // namespace analysis_support
