#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QLineEdit;

// "修改热湿比线": the name and the ratio ε of an existing line; its point is
// shown read-only, and "A" shows that point's state. An edited line is
// given by its point and ε from then on.
class CEditHhrLineDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CEditHhrLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int lineIndex,
                    QWidget* parent = nullptr);

    // "A": the state of the line's point under "状态点参数".
    void ShowPointState() const;

protected:
    bool Apply() override;

private:
    int m_nLineIndex;
    int m_nPoint = -1;
    QLineEdit* m_name;
    QLineEdit* m_point;
    QLineEdit* m_ratio;
};
