#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// "独立状态点": a point placed by a click (new, at the clicked state) or an
// existing independent point (editIndex), given by t and tw or RH.
class CIndependentPointDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CIndependentPointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, const CStatePoint& point,
                         int editIndex, QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    int m_nEditIndex;
    QComboBox* m_name;
    QLineEdit* m_t;
    QRadioButton* m_byTw;
    QLineEdit* m_tw;
    QRadioButton* m_byRH;
    QLineEdit* m_RH;
};
