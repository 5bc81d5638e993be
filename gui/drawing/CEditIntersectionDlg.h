#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QLineEdit;

// The edit of a crossing of two lines, titled by its type: a new name, its
// state (参数) and the conversion to an independent point (转为独立状态点).
class CEditIntersectionDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CEditIntersectionDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int pointIndex,
                         QWidget* parent = nullptr);

    // The crossing type of an intersection's kind; −1 for other kinds.
    static int TypeOf(int kind);
    // The text 参数 shows.
    QString StateText() const;

protected:
    bool Apply() override;

private:
    int m_nIndex;
    QLineEdit* m_name;
};
