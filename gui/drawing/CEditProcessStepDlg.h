#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// "修改热回收点" and "修改蒸发冷却点": a new name, type and effectiveness
// for a heat-recovery or evaporative point whose sources stay; 计算 shows
// where they put it, 转化为独立状态点 makes it independent on OK.
class CEditProcessStepDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CEditProcessStepDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int pointIndex,
                        QWidget* parent = nullptr);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

private:
    int m_nIndex;
    int m_nKind;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_effectiveness = nullptr;
    QComboBox* m_type = nullptr;
    StateReadout m_state;
};
