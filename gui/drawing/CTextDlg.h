#pragma once

#include <QPoint>

#include "gui/drawing/CBuilderDlg.h"

class QLineEdit;

// "文字说明": a free text placed at a chart position, or an existing text edited.
class CTextDlg : public CBuilderDlg {
    Q_OBJECT
public:
    // editIndex −1: a new text at chartPosition (chart-relative pixels).
    CTextDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QPoint chartPosition, int editIndex,
             QWidget* parent = nullptr);

protected:
    bool Apply() override;

private:
    QPoint m_position;
    int m_nEditIndex;
    QLineEdit* m_text;
};
