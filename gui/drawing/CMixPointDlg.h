#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// "绘制混合点": the mixture of two points at a share of the second, shown
// on the chart as it would fall while the values change.
class CMixPointDlg : public CBuilderDlg {
    Q_OBJECT
public:
    // Opens on N and W with the room's fresh air over the chart's current
    // supply air volume (the last 送风量 result) as the share of W.
    CMixPointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent = nullptr);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

private:
    QLineEdit* m_name;
    QComboBox* m_point1;
    QComboBox* m_point2;
    QComboBox* m_line;
    QLineEdit* m_ratio;
};
