#pragma once

#include "model/CIDG.h"

// A copy of the current lists, for operations of several steps (deleting a
// comfort zone, replacing one) that must either complete or leave the view
// exactly as it was, the point indices among the room's analysis words and
// its heat recovery included.
class ListSnapshot {
public:
    explicit ListSnapshot(const CIDG& idg)
        : m_points(cloneArray(*idg.m_pPoints)), m_processLines(cloneArray(*idg.m_pProcessLines)),
          m_hhrLines(cloneArray(*idg.m_pHhrLines)), m_texts(cloneArray(*idg.m_pTexts)),
          m_comfortAreas(cloneArray(*idg.m_pComfortAreas)), m_room(idg.CurrentRoom())
    {
        if (m_room) {
            m_words = m_room->m_anaW;
            m_ints = m_room->m_anaI;
            m_recovery = m_room->m_recovery;
        }
    }

    void Restore(CIDG& idg)
    {
        *idg.m_pPoints = std::move(m_points);
        *idg.m_pProcessLines = std::move(m_processLines);
        *idg.m_pHhrLines = std::move(m_hhrLines);
        *idg.m_pTexts = std::move(m_texts);
        *idg.m_pComfortAreas = std::move(m_comfortAreas);
        if (m_room) {
            m_room->m_anaW = m_words;
            m_room->m_anaI = m_ints;
            m_room->m_recovery = m_recovery;
        }
    }

private:
    ObjectArray<CStatePoint> m_points;
    ObjectArray<CGuoChengXian> m_processLines;
    ObjectArray<CReShiBiXian> m_hhrLines;
    ObjectArray<CCommentString> m_texts;
    ObjectArray<CComfortArea> m_comfortAreas;
    CServiceArea* m_room;
    std::array<CServiceArea::AnalysisWord, CServiceArea::kAnalysisWords> m_words{};
    std::array<std::int32_t, CServiceArea::kAnalysisInts> m_ints{};
    RoomHeatRecovery m_recovery;
};
