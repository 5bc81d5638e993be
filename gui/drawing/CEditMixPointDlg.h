#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QLineEdit;

// "修改混合点": a new name and share for a mixing point whose two sources
// stay; 计算 shows where the new share puts it, 独立状态点 makes it
// independent on OK.
class CEditMixPointDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CEditMixPointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int pointIndex,
                     QWidget* parent = nullptr);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

private:
    int m_nIndex;
    QLineEdit* m_name;
    QLineEdit* m_ratio;
    StateReadout m_state;
};
