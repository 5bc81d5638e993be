#include "model/CIDG.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <utility>

#include "chart/Canvas.h"
#include "model/Messages.h"

namespace {

// Display conversions of the engineering unit system.
constexpr double kKcalPerKj = 0.2388459; // kcal/kg per kJ/kg
constexpr double kKcalhPerW = 0.8598452; // kcal/h per W
constexpr double kKcalhPerKw = 859.8452; // kcal/h per kW
// Stands in for an infinite ε when the room has no moisture load: the float
// nearest 1e11, so the ε line is all but vertical with the sign of the load.
constexpr double kVerticalRatioFactor = 99999997952.0;

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...)
{
    char buffer[512];
    va_list arguments;
    va_start(arguments, pattern);
    const int length = std::vsnprintf(buffer, sizeof buffer, pattern, arguments);
    va_end(arguments);
    if (length < 0)
        return std::string();
    return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

bool isWinter(int condition)
{
    return condition == kConditionWinter;
}

// A design state as an independent point: dry-bulb with relative humidity
// (per cent) or with wet-bulb, as the state's selector says.
std::unique_ptr<CStatePoint> designPoint(const std::string& name, float t, float rhPercent, float tw,
                                         bool byRH, int id)
{
    auto point = std::make_unique<CStatePoint>();
    point->m_strName = name;
    point->m_nKind = CStatePoint::kIndependent;
    point->m_nId = id;
    point->m_t = t;
    point->m_bKnownT = 1;
    if (byRH) {
        point->m_RH = rhPercent * 0.01f;
        point->m_bKnownRH = 1;
    } else {
        point->m_tw = tw;
        point->m_bKnownTw = 1;
    }
    return point;
}

} // namespace

CServiceArea* CIDG::CurrentRoom() const
{
    return m_rooms.RoomAt(m_nCurSystem, m_nCurRoom);
}

int CIDG::CurrentCondition() const
{
    const CServiceArea* room = CurrentRoom();
    return room ? room->m_nCondition : -1;
}

float CIDG::HeatMoistureRatio(float loadKw, float moistureLoadKgPerH, bool winter)
{
    double ratio = moistureLoadKgPerH != 0.0f ? double(loadKw) / double(moistureLoadKgPerH) * 3600.0
                                              : double(loadKw) * kVerticalRatioFactor;
    if (winter)
        ratio = -ratio;
    return static_cast<float>(ratio);
}

int CIDG::BindCurrentRoom(bool reportFailure)
{
    CServiceArea* room = CurrentRoom();
    if (!room || !PointAtCurrentRoom())
        return 0;
    const bool winter = isWinter(m_nCurCondition);

    auto outdoor =
        winter ? designPoint(m_rooms.m_strWinterOutName, m_rooms.m_fWinterOutT, m_rooms.m_fWinterOutRH,
                             m_rooms.m_fWinterOutTw, m_rooms.m_bWinterOutByRH != 0, 0)
               : designPoint(m_rooms.m_strSummerOutName, m_rooms.m_fSummerOutT, m_rooms.m_fSummerOutRH,
                             m_rooms.m_fSummerOutTw, m_rooms.m_bSummerOutByRH != 0, 0);
    if (!CalcStatePoint(*outdoor)) {
        if (reportFailure)
            alertMessage(binding_messages::kOutdoorStateInvalid, MessageIcon::Exclamation);
        return 0;
    }
    auto indoor = winter ? designPoint(room->m_strWinterInName, room->m_fWinterInT, room->m_fWinterInRH,
                                       room->m_fWinterInTw, room->m_bWinterInByRH != 0, 1)
                         : designPoint(room->m_strSummerInName, room->m_fSummerInT, room->m_fSummerInRH,
                                       room->m_fSummerInTw, room->m_bSummerInByRH != 0, 1);
    // Both design points are completed before either enters the list, so a
    // failure leaves the view exactly as it was.
    if (!CalcStatePoint(*indoor)) {
        if (reportFailure)
            alertMessage(binding_messages::kIndoorStateInvalid, MessageIcon::Exclamation);
        return 0;
    }

    ObjectArray<CStatePoint>& points = *m_pPoints;
    if (points.empty()) {
        points.push_back(std::move(outdoor));
    } else {
        std::unique_ptr<CStatePoint> replaced = std::exchange(points[0], std::move(outdoor));
        RecomputeDependants(0);
    }
    if (points.size() == 1) {
        points.push_back(std::move(indoor));
    } else {
        std::unique_ptr<CStatePoint> replaced = std::exchange(points[1], std::move(indoor));
        RecomputeDependants(1);
    }

    auto line = std::make_unique<CReShiBiXian>();
    line->m_strName = "ε";
    line->m_nId = 0;
    line->m_nPoint1 = 1;
    line->m_nMode = CReShiBiXian::kThroughPointWithRatio;
    line->m_fRatio = winter ? HeatMoistureRatio(room->m_fWinterLoad, room->m_fWinterMoistLoad, true)
                            : HeatMoistureRatio(room->m_fSummerLoad, room->m_fSummerMoistLoad, false);
    ObjectArray<CReShiBiXian>& lines = *m_pHhrLines;
    if (lines.empty()) {
        lines.push_back(std::move(line));
    } else {
        std::unique_ptr<CReShiBiXian> replaced = std::exchange(lines[0], std::move(line));
        RecomputeHhrLineDependants(0);
    }
    return 1;
}

int CIDG::PrepareCondition(int condition)
{
    CServiceArea* room = CurrentRoom();
    if (!room)
        return 0;
    if (condition != room->m_nCondition)
        room->m_nCondition = condition;
    if (!PointAtCurrentRoom())
        return 0;
    auto emptyBackwards = [](auto& list) {
        while (!list.empty())
            list.pop_back();
    };
    emptyBackwards(*m_pPoints);
    emptyBackwards(*m_pProcessLines);
    emptyBackwards(*m_pHhrLines);
    emptyBackwards(*m_pTexts);
    // The results stored in the room index the lists just emptied: those of
    // the condition being prepared go with them (the fresh-air code 3 works
    // in the summer lists).
    if (condition == kConditionSummer || condition == 3)
        room->ResetResults(1);
    else if (condition == kConditionWinter)
        room->ResetResults(2);
    return BindCurrentRoom();
}

float CIDG::RoomLoad() const
{
    const CServiceArea* room = CurrentRoom();
    if (!room)
        return -1.0f;
    return (isWinter(room->m_nCondition) ? room->m_fWinterLoad : room->m_fSummerLoad) * 1000.0f;
}

float CIDG::RoomFreshAir() const
{
    const CServiceArea* room = CurrentRoom();
    if (!room)
        return -1.0f;
    return isWinter(room->m_nCondition) ? room->m_fWinterFreshAir : room->m_fSummerFreshAir;
}

CGuoChengXian* CIDG::AddProcessLine(const std::string& name, int startIndex, int endIndex)
{
    if (!m_pProcessLines)
        return nullptr;
    auto line = std::make_unique<CGuoChengXian>();
    line->m_strName = name;
    line->m_nStart = startIndex;
    line->m_nEnd = endIndex;
    line->m_nId = static_cast<int>(m_pProcessLines->size());
    m_pProcessLines->push_back(std::move(line));
    return m_pProcessLines->back().get();
}

CCommentString* CIDG::AddResultText(std::unique_ptr<CCommentString> text)
{
    if (!m_pTexts || !text)
        return nullptr;
    text->m_nPlace[1] = m_layout.m_nAnnotX;
    text->m_nPlace[3] = m_layout.m_nAnnotY;
    text->m_font = m_layout.m_bValid ? m_layout.m_workingFont : m_font1;
    text->m_nId = static_cast<int>(m_pTexts->size());
    m_layout.m_nAnnotY += 2 * m_layout.m_nAnnotStep;
    m_pTexts->push_back(std::move(text));
    return m_pTexts->back().get();
}

std::string CIDG::FormatEnthalpy(const char* siPattern, const char* engineeringPattern, float h) const
{
    return m_nUnitSystem == kUnitsSI ? format(siPattern, double(h))
                                     : format(engineeringPattern, h * kKcalPerKj);
}

std::string CIDG::FormatCapacity(float watts) const
{
    return m_nUnitSystem == kUnitsSI ? format("%.3fkW", watts * 0.001)
                                     : format("%.0fkcal/h", watts * kKcalhPerW);
}

CCommentString* CIDG::AddStateText(int pointIndex, const std::string& label)
{
    const CStatePoint* point = PointAt(pointIndex);
    if (!point || !m_pTexts)
        return nullptr;
    auto text = std::make_unique<CCommentString>();
    text->m_strText =
        format("%s(%s) %s %s %s %s %s", label.c_str(), point->m_strName.c_str(),
               format("%.1f℃", double(point->m_t)).c_str(), format("%.1f℃", double(point->m_tw)).c_str(),
               format("%.2f%%", point->m_RH * 100.0).c_str(), format("%.1fg/kg", point->m_d * 1000.0).c_str(),
               FormatEnthalpy("  %.2fkJ/kg", "  %.2fkcal/kg", point->m_h).c_str());
    text->m_nKind = 9;
    text->m_nRefExtra = pointIndex;
    text->m_strValue = label;
    return AddResultText(std::move(text));
}

const CStatePoint* CIDG::PointAt(int index) const
{
    if (!m_pPoints || index < 0 || index >= static_cast<int>(m_pPoints->size()))
        return nullptr;
    return (*m_pPoints)[index].get();
}

std::string CIDG::DescribePoint(const CStatePoint& point) const
{
    return point.m_strName + "点 " + format(" GT:%.1f℃", double(point.m_t)) +
           format(" WT:%.1f℃", double(point.m_tw)) + format(" RH:%.2f%%", point.m_RH * 100.0) +
           format(" D:%.1fg/kg", point.m_d * 1000.0) +
           FormatEnthalpy(" H:%.2fkJ/kg", " H:%.2fkcal/kg", point.m_h);
}

std::string CIDG::DescribeLine(const CGuoChengXian& line) const
{
    // An end that is not in the list is described as nothing rather than
    // read out of range.
    auto describe = [this](int index) {
        const CStatePoint* point = PointAt(index);
        return point ? DescribePoint(*point) : std::string();
    };
    return "过程线：" + line.m_strName + " 起始点：" + describe(line.m_nStart) + " 终点：" +
           describe(line.m_nEnd);
}

void CIDG::RewordResultTexts()
{
    if (!m_pTexts)
        return;
    auto nameOf = [this](int index) {
        const CStatePoint* point = PointAt(index);
        return point ? point->m_strName : std::string();
    };
    const double density = isWinter(m_nCurCondition) ? m_fWinterDensity : m_fSummerDensity;
    for (const auto& text : *m_pTexts) {
        const auto& slot = text->m_fValues;
        std::string label;
        std::string value;
        switch (text->m_nKind) {
        case 2:
            label = "空调制冷量";
            value = FormatCapacity(slot[1]);
            break;
        case 3:
            label = "空调加热量";
            value = FormatCapacity(slot[2]);
            break;
        case 4:
            label = "空调再热量";
            value = FormatCapacity(slot[3]);
            break;
        case 11:
            label = "空调预热量";
            value = FormatCapacity(slot[8]);
            break;
        case 13:
            label = "新风冷负荷";
            value = FormatCapacity(slot[1]);
            break;
        case 14:
            label = "新风热负荷";
            value = FormatCapacity(slot[2]);
            break;
        case 6:
            label = "热湿比";
            value = FormatEnthalpy("%.0fkJ/kg", "%.0fkcal/kg", slot[5]);
            break;
        case 7:
        case 10:
            label = "处理焓差";
            value = FormatEnthalpy("%.3fkJ/kg", "%.3fkcal/kg", slot[6]);
            break;
        case 12: {
            // The moisture difference is not saved: after loading it is
            // recovered from the moisture flow (slot 7, kg/h) and the air
            // volume (slot 0, m³/h) at the density of the condition.
            const double mass = double(slot[0]) * density;
            if (text->m_fMoistDiff == 0.0f && mass > 0.0)
                text->m_fMoistDiff = static_cast<float>(slot[7] * 1000.0 / mass);
            label = "含湿量差";
            value = format("%.3fg/kg", double(text->m_fMoistDiff));
            break;
        }
        default:
            continue;
        }
        text->m_strText =
            label + "(" + nameOf(text->m_nRef[0]) + "-" + nameOf(text->m_nRef[1]) + "): " + value;
    }
}

void CIDG::DrawKnownParameters(Canvas& canvas)
{
    if (!m_pPoints || !CurrentRoom() || !BindCurrentRoom(false))
        return;
    const CServiceArea& room = *CurrentRoom();
    const CStatePoint& outdoor = *(*m_pPoints)[0];
    const CStatePoint& indoor = *(*m_pPoints)[1];
    auto values = [this](const CStatePoint& p) {
        return format("%.1f℃", double(p.m_t)) + "  " + format("%.1f℃", double(p.m_tw)) + "  " +
               format("%.0f%%", p.m_RH * 100.0) + "  " + format("%.1fg/kg", p.m_d * 1000.0) + "  " +
               FormatEnthalpy("%.1fkJ/kg", "%.1fkcal/kg", p.m_h);
    };
    const bool winter = isWinter(m_nCurCondition);
    const float load = winter ? room.m_fWinterLoad : room.m_fSummerLoad;
    const float moistureLoad = winter ? room.m_fWinterMoistLoad : room.m_fSummerMoistLoad;
    const float freshAir = winter ? room.m_fWinterFreshAir : room.m_fSummerFreshAir;
    const std::string loadText =
        m_nUnitSystem == kUnitsSI ? format("%.3fkW", double(load)) : format("%.0fkcal/h", load * kKcalhPerKw);

    canvas.setFont(m_layout.m_workingFont);
    canvas.setTextColour(kBlack);
    const int align = text_align::kLeft | text_align::kTop;
    const int x = m_layout.m_nMarginLeft;
    const int step = m_layout.m_nAnnotStep;
    int& y = m_layout.m_nAnnotY;
    auto line = [&](const std::string& text, int advance) {
        canvas.drawText(x, y, text, align);
        y += advance * step;
    };
    line("已知参数：", 2);
    line("室外状态点" + outdoor.m_strName + "：" + values(outdoor), 2);
    line("室内状态点" + indoor.m_strName + "： " + values(indoor), 2);
    line(std::string(winter ? "室内空调热负荷：" : "室内空调冷负荷：") + loadText, 2);
    line("室内空调湿负荷：" + format("%.3fkg/h", double(moistureLoad)), 2);
    // The separator stands one line step (plus two pen units) below the top
    // of the fresh-air line, across the whole drawing width, and never
    // through the text of a font taller than its height; the cursor then
    // moves three steps instead of two.
    const int freshAirTop = y;
    const std::string freshAirText = "新风量：" + format("%.0fm^3/h", double(freshAir));
    const int penUnit = std::max(1, static_cast<int>(m_layout.m_fPenScale));
    const int separator = std::max(freshAirTop + step + static_cast<int>(2 * m_layout.m_fPenScale),
                                   freshAirTop + canvas.textExtent(freshAirText).height + penUnit);
    line(freshAirText, 3);
    canvas.setPen(CanvasPen{kBlack, 0, kPenSolid});
    canvas.drawLine(0, separator, m_layout.m_nTotalWidth, separator);
    line("计算结果：", 3);
}
