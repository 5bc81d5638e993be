#include "gui/drawing/ScratchChart.h"

namespace {

template <class T> void copyList(const ObjectArray<T>* from, ObjectArray<T>& to)
{
    for (std::size_t i = 0; from && i < from->size(); ++i)
        to.push_back(std::make_unique<T>(*(*from)[i]));
}

} // namespace

ScratchChart::ScratchChart(const CIDG& chart) : m_fullChart(chart.FullChartStates())
{
    copyList(chart.m_pPoints, m_points);
    copyList(chart.m_pProcessLines, m_processLines);
    copyList(chart.m_pHhrLines, m_hhrLines);
    m_idg.m_pPoints = &m_points;
    m_idg.m_pProcessLines = &m_processLines;
    m_idg.m_pHhrLines = &m_hhrLines;
    m_idg.m_fSummerPressure = chart.m_fSummerPressure;
    m_idg.m_nUnitSystem = chart.m_nUnitSystem;
    m_previous = setMessageService(&m_silence);
}

ScratchChart::~ScratchChart()
{
    setMessageService(m_previous);
    m_idg.m_pPoints = nullptr;
    m_idg.m_pProcessLines = nullptr;
    m_idg.m_pHhrLines = nullptr;
}
