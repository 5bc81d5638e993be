#pragma once

#include <QDialog>

class CQORVADoc;
class QComboBox;
class QLabel;
class QLineEdit;

// "输出状态点": writes one line describing a chosen point, under a caption,
// into the result column; the text follows the point when it changes.
class COutputPointDlg final : public QDialog {
    Q_OBJECT
public:
    explicit COutputPointDlg(CQORVADoc& document, QWidget* parent = nullptr);
    bool Confirm();

private:
    void ShowPoint();

    CQORVADoc& m_document;
    QComboBox* m_points = nullptr;
    QLabel* m_t = nullptr;
    QLabel* m_tw = nullptr;
    QLabel* m_rh = nullptr;
    QLineEdit* m_caption = nullptr;
};
