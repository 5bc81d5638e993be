#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// The crossing of two lines as a new point, by type (CIDG::CrossType).
class CIntersectionDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CIntersectionDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int type,
                     QWidget* parent = nullptr);
    static QString Title(int type);

protected:
    bool Apply() override;

private:
    int m_nType;
    QComboBox* m_name;
    QComboBox* m_line1;
    QComboBox* m_line2;
};
