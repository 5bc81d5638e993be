#pragma once

#include "model/CIDG.h"
#include "model/Messages.h"

// A private copy of the current chart's points and lines for the 计算 of the
// builder and edit dialogs: the derived-point operations run on it exactly as
// on the document, without touching the project and without showing their
// refusals (the dialog's OK shows them).
class ScratchChart {
public:
    explicit ScratchChart(const CIDG& chart);
    ~ScratchChart();
    ScratchChart(const ScratchChart&) = delete;
    ScratchChart& operator=(const ScratchChart&) = delete;

    CIDG& idg() { return m_idg; }
    // The full chart of the original, which the scratch chart's own limits lack.
    const StateRegion& fullChart() const { return m_fullChart; }

private:
    class Silence final : public MessageService {
    public:
        void alert(const std::string&, MessageIcon, const std::string&) override {}
        bool askOkCancel(const std::string&, MessageIcon, const std::string&) override { return false; }
    };

    ObjectArray<CStatePoint> m_points;
    ObjectArray<CGuoChengXian> m_processLines;
    ObjectArray<CReShiBiXian> m_hhrLines;
    CIDG m_idg;
    StateRegion m_fullChart;
    Silence m_silence;
    MessageService* m_previous = nullptr;
};
