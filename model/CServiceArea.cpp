#include "model/CServiceArea.h"

#include <utility>

namespace {

void setInts(std::array<CServiceArea::AnalysisWord, CServiceArea::kAnalysisWords>& words, int first, int last,
             std::int32_t value)
{
    for (int i = first; i <= last; ++i)
        words[i].i = value;
}

} // namespace

CServiceArea::CServiceArea()
{
    // Analysis words: indices of result points start as −1 ("none"), the
    // no-reheat switch on, the coil outlet humidities at 0.95.
    setInts(m_anaW, 3, 6, -1);
    m_anaW[15].i = 1;
    m_anaW[18].f = 0.95f;
    setInts(m_anaW, 26, 30, -1);
    setInts(m_anaW, 37, 38, -1);
    m_anaW[46].i = -1;
    m_anaW[55].f = 0.95f;
    m_anaW[64].i = -1;
    m_anaW[66].i = -1;
    m_anaW[68].i = -1;
    m_anaW[75].f = -1.0f;

    // Later analysis settings, in memory order; the 95 values are relative
    // humidities in per cent.
    m_anaD = {0.0, 4.0, 5.0, 0.0, 0.0, 0.0, 0.0, 0.0, 4.0, 0.5, 0.0};
    m_anaI.fill(0);
    m_anaI[0] = 95;
    m_anaI[11] = 1;
    m_anaI[20] = 1;
    m_anaI[21] = 95;
}

void CServiceArea::CopyDesign(const CServiceArea& s)
{
    m_strName = s.m_strName;
    m_strSummerInName = s.m_strSummerInName;
    m_fSummerFreshAir = s.m_fSummerFreshAir;
    m_fSummerInTw = s.m_fSummerInTw;
    m_fSummerInRH = s.m_fSummerInRH;
    m_fSummerMoistLoad = s.m_fSummerMoistLoad;
    m_fSummerLoad = s.m_fSummerLoad;
    m_fSummerInT = s.m_fSummerInT;
    m_bSummerInByRH = s.m_bSummerInByRH;
    m_strWinterInName = s.m_strWinterInName;
    m_fWinterFreshAir = s.m_fWinterFreshAir;
    m_fWinterInTw = s.m_fWinterInTw;
    m_fWinterInRH = s.m_fWinterInRH;
    m_fWinterMoistLoad = s.m_fWinterMoistLoad;
    m_fWinterLoad = s.m_fWinterLoad;
    m_fWinterInT = s.m_fWinterInT;
    m_bWinterInByRH = s.m_bWinterInByRH;
}

void CServiceArea::ResetResults(int block)
{
    if (block == 1) {
        for (int i : {0, 1, 2, 13, 14})
            m_anaW[i].i = 0;
        setInts(m_anaW, 7, 12, 0);
        setInts(m_anaW, 3, 6, -1);
        m_recovery.summerPoint = -1;
        m_recovery.summerRecovered = 0;
    } else if (block == 2) {
        setInts(m_anaW, 19, 25, 0);
        m_anaW[40].i = 0;
        setInts(m_anaW, 31, 36, 0);
        setInts(m_anaW, 26, 30, -1);
        m_recovery.winterPoint = -1;
        m_recovery.winterRecovered = 0;
    }
}

void CServiceArea::ClearObjects()
{
    for (int c = 0; c < kConditionCount; ++c) {
        m_points[c].clear();
        m_processLines[c].clear();
        m_hhrLines[c].clear();
        m_texts[c].clear();
        m_comfortAreas[c].clear();
    }
    m_paramPoints.clear();
}

void CopyRoomContents(const CServiceArea& source, CServiceArea& target)
{
    target.m_nCondition = source.m_nCondition;
    target.m_recovery = source.m_recovery;
    for (int i = 0; i <= 40; ++i)
        target.m_anaW[i] = source.m_anaW[i];
    for (int c = 0; c < kConditionCount; ++c) {
        appendCopies(target.m_points[c], source.m_points[c]);
        appendCopies(target.m_processLines[c], source.m_processLines[c]);
        appendCopies(target.m_hhrLines[c], source.m_hhrLines[c]);
        appendCopies(target.m_texts[c], source.m_texts[c]);
    }
    appendCopies(target.m_paramPoints, source.m_paramPoints);
}

std::unique_ptr<CServiceArea> CloneRoom(const CServiceArea& source)
{
    auto copy = std::make_unique<CServiceArea>();
    copy->CopyDesign(source);
    for (int c = 0; c < kConditionCount; ++c) {
        copy->m_points[c] = cloneArray(source.m_points[c]);
        copy->m_processLines[c] = cloneArray(source.m_processLines[c]);
        copy->m_hhrLines[c] = cloneArray(source.m_hhrLines[c]);
        copy->m_texts[c] = cloneArray(source.m_texts[c]);
        copy->m_comfortAreas[c] = cloneArray(source.m_comfortAreas[c]);
    }
    copy->m_paramPoints = cloneArray(source.m_paramPoints);
    copy->m_anaW = source.m_anaW;
    copy->m_nCondition = source.m_nCondition;
    copy->m_anaD = source.m_anaD;
    copy->m_anaI = source.m_anaI;
    copy->m_nInitCounter = source.m_nInitCounter;
    copy->m_recovery = source.m_recovery;
    return copy;
}

namespace {

std::vector<PointIndexSlot>& registeredSlots()
{
    static std::vector<PointIndexSlot> slots;
    return slots;
}

} // namespace

const std::vector<PointIndexSlot>& PointIndexSlots()
{
    return registeredSlots();
}

void SetPointIndexSlots(std::vector<PointIndexSlot> slots)
{
    registeredSlots() = std::move(slots);
}

void RenumberPointIndexSlots(CServiceArea& room, int condition, int removed)
{
    for (const PointIndexSlot& slot : PointIndexSlots()) {
        if (slot.condition != condition || slot.slot < 0)
            continue;
        const auto at = static_cast<std::size_t>(slot.slot);
        if (slot.store == PointIndexSlot::kWord ? at >= room.m_anaW.size() : at >= room.m_anaI.size())
            continue;
        std::int32_t& index = slot.store == PointIndexSlot::kWord ? room.m_anaW[at].i : room.m_anaI[at];
        if (index == removed)
            index = -1;
        else if (index > removed)
            --index;
    }
    std::int32_t* recovered = condition == kConditionSummer   ? &room.m_recovery.summerPoint
                              : condition == kConditionWinter ? &room.m_recovery.winterPoint
                                                              : nullptr;
    if (recovered && *recovered == removed)
        *recovered = -1;
    else if (recovered && *recovered > removed)
        --*recovered;
}
