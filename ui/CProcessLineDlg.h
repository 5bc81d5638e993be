#pragma once

#include "ui/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// "过程线": a line dragged on the chart (its ends existing points or new
// ones) or an existing line (editIndex) with its two ends.
class CProcessLineDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CProcessLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, const ProcessLineEnd& start,
                    const ProcessLineEnd& end, int editIndex, QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    // The end as chosen: an existing point when the name is one, else the new point.
    ProcessLineEnd End(const QComboBox* names, const ProcessLineEnd& drawn) const;

    ProcessLineEnd m_start;
    ProcessLineEnd m_end;
    int m_nEditIndex;
    QLineEdit* m_name;
    QComboBox* m_startName;
    QComboBox* m_endName;
};
