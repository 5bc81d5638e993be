#pragma once

#include <QDialog>

#include "chart/ChartAttributes.h"

class QSpinBox;

// "页面设置参数输入框": the four page margins in mm (0–300) around a picture
// of the page. OK returns the margins; the document stores them.
class CPageSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPageSetupDlg(const PageMargins& margins, QWidget* parent = nullptr);
    PageMargins margins() const;

    // Runs the dialog modally; the margins on OK, nothing on Cancel.
    static std::optional<PageMargins> Edit(const PageMargins& margins, QWidget* parent);

private:
    QSpinBox* m_top = nullptr;
    QSpinBox* m_bottom = nullptr;
    QSpinBox* m_left = nullptr;
    QSpinBox* m_right = nullptr;
};
