#pragma once

#include "ui/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// "绘制舒适区": four corners ±Δt, ±ΔRH around a base point and their four edges.
class CComfortZoneDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CComfortZoneDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    QComboBox* m_base;
    QLineEdit* m_dt;
    QLineEdit* m_dRH;
};
