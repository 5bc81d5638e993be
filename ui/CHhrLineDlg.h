#pragma once

#include "ui/CBuilderDlg.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// "绘制热湿比线" (new) and "修改热湿比线" (edit of line `editIndex`): an ε line
// through a point and either a second point or a ratio.
class CHhrLineDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CHhrLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int editIndex = -1,
                QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    int m_nEditIndex;
    QLineEdit* m_name;
    QComboBox* m_point1;
    QRadioButton* m_byPoint2;
    QComboBox* m_point2;
    QRadioButton* m_byRatio;
    QLineEdit* m_ratio;
};
