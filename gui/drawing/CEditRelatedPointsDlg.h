#pragma once

#include "gui/drawing/CRelatedPointsDlg.h"

// "修改两个相关状态点": new names, difference and property for a pair on its
// ε line, which stays; 计      算 shows both new states, 转化为独立状态点
// makes both independent on OK.
class CEditRelatedPointsDlg : public CRelatedPointsDlg {
    Q_OBJECT
public:
    // pointIndex: either point of the pair.
    CEditRelatedPointsDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int pointIndex,
                          QWidget* parent = nullptr);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

private:
    bool ComputeEdited(CStatePoint& first, CStatePoint& second) const;

    int m_nFirst = -1;
    int m_nSecond = -1;
    StateReadout m_state1;
    StateReadout m_state2;
};
