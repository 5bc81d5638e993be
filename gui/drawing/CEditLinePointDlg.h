#pragma once

#include "gui/drawing/CLinePointDlg.h"

// The edit of an equal-moisture, equal-temperature or equal-enthalpy point
// or of a point on a process or ε line: a new value (and name) on the same
// base object, which cannot change; 计    算 shows where it goes,
// 转化为独立状态点 makes the point independent on OK.
class CEditLinePointDlg : public CLinePointDlg {
    Q_OBJECT
public:
    CEditLinePointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int pointIndex,
                      QWidget* parent = nullptr);

    static QString Title(int method);
    // The method of a line point's kind; −1 for other kinds.
    static int MethodOf(int kind);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

private:
    int m_nIndex;
    StateReadout m_state;
};
