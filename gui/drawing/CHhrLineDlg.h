#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// "绘制热湿比线": an ε line through a point and either a second point or a
// ratio (an existing line is edited by CEditHhrLineDlg).
class CHhrLineDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CHhrLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    QLineEdit* m_name;
    QComboBox* m_point1;
    QRadioButton* m_byPoint2;
    QComboBox* m_point2;
    QRadioButton* m_byRatio;
    QLineEdit* m_ratio;
};
