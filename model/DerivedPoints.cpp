// Derived state points: mixtures, points along the chart's lines through a
// base, intersections and related pairs. Each point keeps what it was made
// from, so that it can follow its sources when they change.

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

#include <QCoreApplication>

#include "model/CIDG.h"
#include "model/Messages.h"
#include "model/ProcessSteps.h"
#include "psychro/QorvaDll.h"

namespace {

constexpr const char* kInvalidMixingInput = QT_TRANSLATE_NOOP("CIDG", "参数无效，请检查!");
constexpr const char* kInvalidLinePointName = QT_TRANSLATE_NOOP("CIDG", "等值点命名无效，请检查!");
constexpr const char* kInvalidIntersectionName = QT_TRANSLATE_NOOP("CIDG", "交点命名重复或者无效，请检查！");
constexpr const char* kInvalidRelatedName1 = QT_TRANSLATE_NOOP("CIDG", "相关点1命名无效，请检查!");
constexpr const char* kInvalidRelatedName2 = QT_TRANSLATE_NOOP("CIDG", "相关点2命名无效，请检查!");
constexpr const char* kNoRelatedPair = QT_TRANSLATE_NOOP("CIDG", "根据输入条件无法得到两个相关状态点");
constexpr const char* kSameSources = QT_TRANSLATE_NOOP("CIDG", "两个参考点不能相同，请修改！");
constexpr const char* kInvalidPointName = QT_TRANSLATE_NOOP("CIDG", "状态点名非法或者已经存在，请检查！");

constexpr int kMethodCount = 5;
constexpr int kValueKindCount = 7;

// How the property library is asked for a value kind along a line: mode 0
// takes a difference from the base, mode 1 the value itself; the property
// codes differ between the iso-line calls and the straight-line calls.
struct LibraryQuery {
    int mode;
    int code;
};
constexpr LibraryQuery kNotOffered{-1, -1};

// [method][value kind]; kNotOffered where the line itself holds that
// property fixed (Δx along constant x, t along constant t, …).
constexpr std::array<std::array<LibraryQuery, kValueKindCount>, kMethodCount> kLineQueries{{
    // equal x: codes 0 t, 1 h, 2 RH, 3 tw
    {{{0, 0}, kNotOffered, {1, 0}, {1, 2}, kNotOffered, {1, 3}, {1, 1}}},
    // equal t: codes 0 x, 1 h, 2 RH, 3 tw
    {{kNotOffered, {0, 0}, kNotOffered, {1, 2}, {1, 0}, {1, 3}, {1, 1}}},
    // equal h: codes 0 t, 1 x, 2 RH, 3 tw
    {{{0, 0}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {1, 3}, kNotOffered}},
    // process line: codes 0 t, 1 x, 2 h, 3 RH, 4 tw
    {{{0, 0}, {0, 1}, {1, 0}, {1, 3}, {1, 1}, {1, 4}, {1, 2}}},
    // HHR line: the same codes
    {{{0, 0}, {0, 1}, {1, 0}, {1, 3}, {1, 1}, {1, 4}, {1, 2}}},
}};

constexpr std::array<int, kMethodCount> kLineKinds{
    CStatePoint::kEqualMoisture, CStatePoint::kEqualTemperature, CStatePoint::kEqualEnthalpy,
    CStatePoint::kOnProcessLine, CStatePoint::kOnHhrLine};
constexpr std::array<const char*, kMethodCount> kMethodWords{
    QT_TRANSLATE_NOOP("CIDG", "等含湿量"), QT_TRANSLATE_NOOP("CIDG", "等温"),
    QT_TRANSLATE_NOOP("CIDG", "等焓"), QT_TRANSLATE_NOOP("CIDG", "过程线"),
    QT_TRANSLATE_NOOP("CIDG", "等热湿比线")};
constexpr std::array<const char*, kValueKindCount> kValuePatterns{
    QT_TRANSLATE_NOOP("CIDG", "温差：%.2f"),     QT_TRANSLATE_NOOP("CIDG", "含湿量差：%.2f"),
    QT_TRANSLATE_NOOP("CIDG", "干球温度：%.2f"), QT_TRANSLATE_NOOP("CIDG", "相对湿度：%.2f"),
    QT_TRANSLATE_NOOP("CIDG", "含湿量：%.2f"),   QT_TRANSLATE_NOOP("CIDG", "湿球温度：%.2f"),
    QT_TRANSLATE_NOOP("CIDG", "焓值：%.2f")};

// Library property codes of the related pair's second property, by the
// dialog's order t, RH, x, tw, h.
constexpr std::array<int, 5> kRelatedPropertyCodes{0, 3, 1, 4, 2};

std::string formatValue(const std::string& pattern, double value)
{
    char text[96];
    const int length = std::snprintf(text, sizeof text, pattern.c_str(), value);
    return length < 0 ? std::string() : std::string(text);
}

// The point's source slot for a line method.
std::int32_t& lineSource(CStatePoint& point, int method)
{
    switch (method) {
    case CIDG::kMethodEqualMoisture:
        return point.m_nBaseD;
    case CIDG::kMethodEqualTemperature:
        return point.m_nBaseT;
    case CIDG::kMethodEqualEnthalpy:
        return point.m_nBaseH;
    case CIDG::kMethodProcessLine:
        return point.m_nOnProcessLine;
    default:
        return point.m_nOnHhrLine;
    }
}

// A scratch copy of point standing at (x, h), completed; false when the
// state cannot be completed.
bool completeAt(const CIDG& idg, const CStatePoint& point, float x, float h, CStatePoint& scratch)
{
    scratch = point;
    scratch.ClearKnown();
    scratch.m_d = x;
    scratch.m_h = h;
    scratch.m_bKnownD = scratch.m_bKnownH = 1;
    return idg.CalcStatePoint(scratch) != 0;
}

template <class T> const T* at(const ObjectArray<T>* list, int index)
{
    if (!list || index < 0 || index >= static_cast<int>(list->size()))
        return nullptr;
    return (*list)[static_cast<std::size_t>(index)].get();
}

} // namespace

int CIDG::IsPointNameFree(const CStatePoint& point, const std::string& name) const
{
    if (name.empty() || !m_pPoints)
        return 0;
    for (std::size_t i = 0; i < m_pPoints->size(); ++i) {
        if ((*m_pPoints)[i]->m_strName == name && point.m_nId != static_cast<int>(i))
            return 0;
    }
    return 1;
}

int CIDG::IsHhrLineNameFree(const CReShiBiXian& line, const std::string& name) const
{
    if (name.empty() || !m_pHhrLines)
        return 0;
    for (std::size_t i = 0; i < m_pHhrLines->size(); ++i) {
        if ((*m_pHhrLines)[i]->m_strName == name && line.m_nId != static_cast<int>(i))
            return 0;
    }
    return 1;
}

bool CIDG::HhrLineBase(int lineIndex, float& x, float& h, float& ratio) const
{
    const CReShiBiXian* line = at(m_pHhrLines, lineIndex);
    const CStatePoint* base = line ? PointAt(line->m_nPoint1) : nullptr;
    if (!base)
        return false;
    float lineRatio = line->m_fRatio;
    if (line->m_nMode == CReShiBiXian::kThroughTwoPoints) {
        const CStatePoint* second = PointAt(line->m_nPoint2);
        if (!second || !x1h1x2h2_HHR(base->m_d, base->m_h, second->m_d, second->m_h, &lineRatio))
            return false;
    }
    x = base->m_d;
    h = base->m_h;
    ratio = lineRatio;
    return true;
}

int CIDG::MakeMixingPoint(int index1, int index2, float r, CStatePoint& point, int direct,
                          const ChartRegion& region)
{
    const CStatePoint* source1 = PointAt(index1);
    const CStatePoint* source2 = PointAt(index2);
    if (!source1 || !source2) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidMixingInput).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    // A share outside 0…1 is no mixture of the two states.
    if (!(r >= 0.0f && r <= 1.0f)) {
        alertMessage(QCoreApplication::translate("CIDG", cidg_messages::kMixingRatioRange).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    const float x1 = source1->m_d, h1 = source1->m_h, x2 = source2->m_d, h2 = source2->m_h;
    float x = 0, h = 0;
    if (h1 == h2) {
        // Along a line of constant enthalpy the mixture is plain proportion.
        x = static_cast<float>((1.0 - r) * x1 + double(r) * x2);
        h = h1;
    } else if (!px1h1x2h2ratio_xh(m_fSummerPressure, x1, h1, x2, h2, r, &x, &h)) {
        return 0;
    }

    if (direct) {
        point.m_nKind = CStatePoint::kMixing;
        point.m_nMixSrc1 = index1;
        point.m_nMixSrc2 = index2;
        point.m_fMixRatio = r;
        point.ClearKnown();
        point.m_d = x;
        point.m_h = h;
        point.m_bKnownD = point.m_bKnownH = 1;
        return CalcStatePoint(point) && region.Contains(point) ? 1 : 0;
    }
    CStatePoint scratch;
    if (!completeAt(*this, point, x, h, scratch) || !region.Contains(scratch))
        return 0;
    scratch.m_nMixSrc1 = index1;
    scratch.m_nMixSrc2 = index2;
    scratch.m_fMixRatio = r;
    point = scratch;
    return 1;
}

int CIDG::AddMixingPoint(const std::string& name, int index1, int index2, float percent,
                         const ChartRegion& window)
{
    if (!m_pPoints)
        return 0;
    if (index1 == index2) {
        alertMessage(QCoreApplication::translate("CIDG", kSameSources).toStdString(), MessageIcon::Stop);
        return 0;
    }
    CStatePoint point;
    point.m_strName = name;
    if (!IsPointNameFree(point, name)) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidPointName).toStdString(), MessageIcon::Stop);
        return 0;
    }
    // The dialog's percentage in double, so 30 % is stored as the float nearest 0.30.
    const float r = static_cast<float>(double(percent) / 100.0);
    if (!MakeMixingPoint(index1, index2, r, point, 1, window))
        return 0;
    point.m_nId = static_cast<int>(m_pPoints->size());
    m_pPoints->push_back(std::make_unique<CStatePoint>(point));
    return 1;
}

int CIDG::MakeLinePoint(int method, int baseIndex, int valueKind, float dt, float dx, float t, float tw,
                        float RH, float h, float x, CStatePoint& point, int isNew, const ChartRegion& region)
{
    const std::array<float, kValueKindCount> values{dt, dx, t, RH, x, tw, h};
    if (valueKind < 0 || valueKind >= kValueKindCount)
        return 0;
    return MakeLinePointByValue(method, baseIndex, valueKind, values[static_cast<std::size_t>(valueKind)],
                                point, isNew, region);
}

int CIDG::MakeLinePointByValue(int method, int baseIndex, int valueKind, float value, CStatePoint& point,
                               int isNew, const ChartRegion& region)
{
    if (!m_pPoints || method < 0 || method >= kMethodCount || valueKind < 0 || valueKind >= kValueKindCount)
        return 0;
    const auto m = static_cast<std::size_t>(method);

    // The description the analyses give as the reason when a point fails.
    std::string base;
    if (method == kMethodProcessLine) {
        if (const CGuoChengXian* line = at(m_pProcessLines, baseIndex))
            base = DescribeLine(*line);
    } else {
        const CReShiBiXian* hhr = method == kMethodHhrLine ? at(m_pHhrLines, baseIndex) : nullptr;
        if (const CStatePoint* p = PointAt(hhr ? hhr->m_nPoint1 : baseIndex))
            base = DescribePoint(*p);
    }
    const QString how =
        method == kMethodProcessLine
            ? QCoreApplication::translate("CIDG", "计算过程：依据过程线(%1)通过%2方法计算%3点（%4）")
            : QCoreApplication::translate("CIDG", "计算过程：依据点(%1)通过%2方法计算%3点（%4）");
    const std::string given =
        formatValue(QCoreApplication::translate("CIDG", kValuePatterns[static_cast<std::size_t>(valueKind)])
                        .toStdString(),
                    value);
    m_strLastNote =
        how.arg(QString::fromStdString(base), QCoreApplication::translate("CIDG", kMethodWords[m]),
                QString::fromStdString(point.m_strName), QString::fromStdString(given))
            .toStdString();

    if (!IsPointNameFree(point, point.m_strName)) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidLinePointName).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    const LibraryQuery query = kLineQueries[m][static_cast<std::size_t>(valueKind)];
    if (query.mode < 0)
        return 0;

    const float p = m_fSummerPressure;
    float x = 0, h = 0;
    int ok = 0;
    switch (method) {
    case kMethodEqualMoisture:
    case kMethodEqualTemperature:
    case kMethodEqualEnthalpy: {
        const CStatePoint* b = PointAt(baseIndex);
        if (!b)
            return 0;
        auto call = method == kMethodEqualMoisture      ? px0h0x1_xh
                    : method == kMethodEqualTemperature ? px0h0t1_xh
                                                        : px0h0h1_xh;
        ok = call(p, b->m_d, b->m_h, query.mode, query.code, value, &x, &h);
        break;
    }
    case kMethodProcessLine: {
        const CGuoChengXian* line = at(m_pProcessLines, baseIndex);
        const CStatePoint* start = line ? PointAt(line->m_nStart) : nullptr;
        const CStatePoint* end = line ? PointAt(line->m_nEnd) : nullptr;
        if (!start || !end)
            return 0;
        ok = px1h1x2h2g_xh(p, start->m_d, start->m_h, end->m_d, end->m_h, query.mode, query.code, value, &x,
                           &h);
        break;
    }
    default: {
        float x1 = 0, h1 = 0, ratio = 0;
        if (!HhrLineBase(baseIndex, x1, h1, ratio))
            return 0;
        ok = px1h1HHRr_xh(p, x1, h1, ratio, query.mode, query.code, value, &x, &h);
        break;
    }
    }
    CStatePoint scratch;
    if (!ok || !completeAt(*this, point, x, h, scratch) || !region.Contains(scratch))
        return 0;

    scratch.m_nValueKind = valueKind;
    scratch.m_fValue = value;
    lineSource(scratch, method) = baseIndex;
    if (isNew) {
        scratch.m_nKind = kLineKinds[m];
        scratch.m_nId = static_cast<int>(m_pPoints->size());
        point = scratch;
        m_pPoints->push_back(std::make_unique<CStatePoint>(point));
    } else {
        point = scratch;
    }
    return 1;
}

int CIDG::MakeIntersection(int type, int lineIndex1, int lineIndex2, CStatePoint& point, int isNew,
                           const ChartRegion& region)
{
    if (!m_pPoints)
        return 0;
    if (!IsPointNameFree(point, point.m_strName)) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidIntersectionName).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    auto processEnds = [this](int index, const CStatePoint*& a, const CStatePoint*& b) {
        const CGuoChengXian* line = at(m_pProcessLines, index);
        a = line ? PointAt(line->m_nStart) : nullptr;
        b = line ? PointAt(line->m_nEnd) : nullptr;
        return a && b;
    };
    const CStatePoint *a1 = nullptr, *b1 = nullptr, *a2 = nullptr, *b2 = nullptr;
    float xa = 0, ha = 0, ra = 0, xb = 0, hb = 0, rb = 0;
    float x = 0, h = 0;
    int ok = 0;
    switch (type) {
    case kCrossProcessProcess:
        ok = processEnds(lineIndex1, a1, b1) && processEnds(lineIndex2, a2, b2) &&
             x1h1x2h2x3h3x4h4_xh(a1->m_d, a1->m_h, b1->m_d, b1->m_h, a2->m_d, a2->m_h, b2->m_d, b2->m_h, &x,
                                 &h);
        break;
    case kCrossHhrHhr:
        ok = HhrLineBase(lineIndex1, xa, ha, ra) && HhrLineBase(lineIndex2, xb, hb, rb) &&
             x1h1HHR1x2h2HHR2_xh(xa, ha, ra, xb, hb, rb, &x, &h);
        break;
    case kCrossProcessHhr:
        ok = processEnds(lineIndex1, a1, b1) && HhrLineBase(lineIndex2, xb, hb, rb) &&
             x1h1x2h2x3h3HHR_xh(a1->m_d, a1->m_h, b1->m_d, b1->m_h, xb, hb, rb, &x, &h);
        break;
    default:
        return 0;
    }
    // A recomputed crossing is held to the same region as a new one: the
    // chart could not show it, and the caller learns that it did not follow.
    CStatePoint scratch;
    if (!ok || !completeAt(*this, point, x, h, scratch) || !region.Contains(scratch))
        return 0;
    switch (type) {
    case kCrossProcessProcess:
        scratch.m_nCrossProc1 = lineIndex1;
        scratch.m_nCrossProc2 = lineIndex2;
        break;
    case kCrossHhrHhr:
        scratch.m_nCrossHhr1 = lineIndex1;
        scratch.m_nCrossHhr2 = lineIndex2;
        break;
    default:
        scratch.m_nCrossProc = lineIndex1;
        scratch.m_nCrossHhr = lineIndex2;
        break;
    }
    if (isNew) {
        scratch.m_nKind = type == kCrossProcessProcess ? CStatePoint::kProcessCrossProcess
                          : type == kCrossHhrHhr       ? CStatePoint::kHhrCrossHhr
                                                       : CStatePoint::kProcessCrossHhr;
        scratch.m_nId = static_cast<int>(m_pPoints->size());
        point = scratch;
        m_pPoints->push_back(std::make_unique<CStatePoint>(point));
    } else {
        point = scratch;
    }
    return 1;
}

int CIDG::MakeRelatedPoints(int hhrIndex, int differenceKind, int propertyKind, float dt, float dx, float t,
                            float tw, float RH, float h, float x, CStatePoint& point1, CStatePoint& point2,
                            int isNew, const ChartRegion& region)
{
    if (!m_pPoints)
        return 0;
    if (!IsPointNameFree(point1, point1.m_strName)) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidRelatedName1).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    // Two points of one name would make every later lookup by name ambiguous.
    if (!IsPointNameFree(point2, point2.m_strName) || point2.m_strName == point1.m_strName) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidRelatedName2).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    const std::array<float, 5> properties{t, RH, x, tw, h};
    float x0 = 0, h0 = 0, ratio = 0;
    float x1 = 0, h1 = 0, x2 = 0, h2 = 0;
    const bool kindsValid =
        (differenceKind == 0 || differenceKind == 1) && propertyKind >= 0 && propertyKind < 5;
    const float difference = differenceKind == 0 ? dt : dx;
    const float property = kindsValid ? properties[static_cast<std::size_t>(propertyKind)] : 0.0f;
    if (!kindsValid || !HhrLineBase(hhrIndex, x0, h0, ratio) ||
        !px0h0HHR_x1h1x2h2(m_fSummerPressure, x0, h0, ratio, differenceKind, difference,
                           kRelatedPropertyCodes[static_cast<std::size_t>(propertyKind)], property, &x1, &h1,
                           &x2, &h2)) {
        alertMessage(QCoreApplication::translate("CIDG", kNoRelatedPair).toStdString(), MessageIcon::Stop);
        return 0;
    }
    CStatePoint s1, s2;
    if (!completeAt(*this, point1, x1, h1, s1) || !completeAt(*this, point2, x2, h2, s2) ||
        !region.Contains(s1) || !region.Contains(s2))
        return 0;
    if (isNew) {
        s1.m_nKind = s2.m_nKind = CStatePoint::kRelatedPair;
        s1.m_nId = static_cast<int>(m_pPoints->size());
        s2.m_nId = s1.m_nId + 1;
    }
    for (CStatePoint* s : {&s1, &s2}) {
        s->m_nRelDiffType = differenceKind;
        s->m_nRelPropType = propertyKind;
        s->m_fRelValue1 = difference;
        s->m_fRelValue2 = property;
        s->m_nRelHhrLine = hhrIndex;
    }
    s1.m_nRelPartner = s2.m_nId;
    s2.m_nRelPartner = s1.m_nId;
    point1 = s1;
    point2 = s2;
    if (isNew) {
        m_pPoints->push_back(std::make_unique<CStatePoint>(point1));
        m_pPoints->push_back(std::make_unique<CStatePoint>(point2));
    }
    return 1;
}

namespace {

// The process step a heat-recovery or evaporative point stands for; false
// for any other kind or a type neither of its two.
bool stepKindOf(int kind, int type, process_steps::StepKind& step)
{
    using process_steps::StepKind;
    if (type != 0 && type != 1)
        return false;
    switch (kind) {
    case CStatePoint::kHeatRecovery:
        step = type == CStatePoint::kRecoveryTotal ? StepKind::TotalRecovery : StepKind::SensibleRecovery;
        return true;
    case CStatePoint::kEvaporative:
        step = type == CStatePoint::kEvaporativeDirect ? StepKind::DirectEvaporative
                                                       : StepKind::IndirectEvaporative;
        return true;
    default:
        return false;
    }
}

} // namespace

int CIDG::MakeProcessStepPoint(int kind, int index1, int index2, int type, float e, CStatePoint& point,
                               int isNew, const ChartRegion& region, const char** refusal)
{
    auto refuse = [refusal](const char* why) {
        if (refusal)
            *refusal = why;
        return 0;
    };
    process_steps::StepKind stepKind{};
    const CStatePoint* entering = PointAt(index1);
    if (!m_pPoints || !entering || !stepKindOf(kind, type, stepKind))
        return refuse(nullptr);
    // Only the heat exchanger has a second air: the cooler's secondary air is
    // the entering air itself.
    const bool recovery = kind == CStatePoint::kHeatRecovery;
    const CStatePoint* second = recovery ? PointAt(index2) : nullptr;
    if (recovery && !second)
        return refuse(process_steps::RefusalText(process_steps::Refusal::MissingSecondAir));
    process_steps::StepParams params;
    params.kind = stepKind;
    params.effectiveness = e;
    const process_steps::StepResult result =
        process_steps::RunStep(params, *entering, second, m_fSummerPressure, region);
    if (!result.ok())
        return refuse(process_steps::RefusalText(result.refusal));

    CStatePoint made = point;
    made.m_t = result.leaving.m_t;
    made.m_d = result.leaving.m_d;
    made.m_tw = result.leaving.m_tw;
    made.m_RH = result.leaving.m_RH;
    made.m_h = result.leaving.m_h;
    made.m_bKnownT = made.m_bKnownTw = made.m_bKnownD = made.m_bKnownH = made.m_bKnownRH = 1;
    made.m_nStepSrc1 = index1;
    made.m_nStepSrc2 = recovery ? index2 : -1;
    made.m_nStepType = type;
    made.m_fStepEffect = e;
    if (isNew) {
        made.m_nKind = kind;
        made.m_nId = static_cast<int>(m_pPoints->size());
        point = made;
        m_pPoints->push_back(std::make_unique<CStatePoint>(point));
    } else {
        point = made;
    }
    return 1;
}

int CIDG::AddProcessStepPoint(int kind, const std::string& name, int index1, int index2, int type, float e,
                              const ChartRegion& window)
{
    if (!m_pPoints)
        return 0;
    process_steps::StepKind stepKind{};
    if (!PointAt(index1) || !stepKindOf(kind, type, stepKind)) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidMixingInput).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    if (kind == CStatePoint::kHeatRecovery && index1 == index2) {
        alertMessage(QCoreApplication::translate("CIDG", kSameSources).toStdString(), MessageIcon::Stop);
        return 0;
    }
    CStatePoint point;
    point.m_strName = name;
    if (!IsPointNameFree(point, name)) {
        alertMessage(QCoreApplication::translate("CIDG", kInvalidPointName).toStdString(), MessageIcon::Stop);
        return 0;
    }
    const char* refusal = nullptr;
    if (!MakeProcessStepPoint(kind, index1, index2, type, e, point, 1, window, &refusal)) {
        if (refusal)
            alertMessage(QCoreApplication::translate("ProcessSteps", refusal).toStdString(),
                         MessageIcon::Stop);
        return 0;
    }
    return 1;
}
