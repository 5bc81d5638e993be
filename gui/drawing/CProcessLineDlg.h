#pragma once

#include <array>

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// "过程线": a line dragged on the chart (its ends existing points or new
// ones) or an existing line (editIndex) with its two ends. Each end shows
// its point's 序号 and state; choosing a name from the list, or typing the
// 序号 of a point, makes that point the end, typing a name renames the point
// at that end. A 序号 that is no point's is refused with the range.
class CProcessLineDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CProcessLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, const ProcessLineEnd& start,
                    const ProcessLineEnd& end, int editIndex, QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    // The rows of one end: 序号 (editable), then read-only 含湿量, 干球温度,
    // 焓, 湿球温度, 相对湿度.
    using StateRows = std::array<QLineEdit*, 6>;

    // The end as chosen: an existing point when the name is one, else the new point.
    ProcessLineEnd End(const QComboBox* names, const ProcessLineEnd& drawn) const;
    void ShowEnd(const QComboBox* names, const ProcessLineEnd& drawn, const StateRows& rows) const;
    // The 序号 typed for an end: the point's index, −1 for a new point that
    // keeps −1; false after the message that gives the range.
    bool ReadIndex(QLineEdit* field, const ProcessLineEnd& end, const char* message) const;

    ProcessLineEnd m_start;
    ProcessLineEnd m_end;
    int m_nEditIndex;
    QLineEdit* m_name;
    QComboBox* m_startName;
    QComboBox* m_endName;
    StateRows m_startRows{};
    StateRows m_endRows{};
};
