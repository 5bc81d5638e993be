#pragma once

#include <QDialog>

#include <array>
#include <optional>

#include "analysis/Calculations.h"

class CQORVADoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The modeless dialogs of the calculations between state points: each row
// chooses a point by name or by a pick on the chart ("..."), shows its dry
// bulb, wet bulb and relative humidity; 计算 shows the result, 确认 writes it
// into the result column as one undo step and closes.
class CPointCalcDlg : public QDialog {
    Q_OBJECT
public:
    CPointCalcDlg(CQORVADoc& document, ResultKind kind, QWidget* parent = nullptr);

    ResultKind kind() const { return m_kind; }
    // 计算: the value in stored units, or empty (output unchanged).
    std::optional<float> Calculate();
    // 确认: calculates and appends the result; false leaves the dialog open.
    bool Confirm();

    // The pick of a point on the chart for row (0–2): the dialog hides until
    // the chart delivers the point or the pick is given up.
    void ArmPick(int row);
    int armedRow() const { return m_armedRow; }
    void PickPoint(int pointIndex);
    void CancelPick();

signals:
    // "..." pressed: the chart should deliver the next clicked point.
    void pickRequested();

private:
    struct Row {
        QComboBox* points = nullptr;
        QLabel* t = nullptr;
        QLabel* tw = nullptr;
        QLabel* rh = nullptr;
    };
    int rowCount() const;
    void ShowRow(int row);
    ResultPoints Points() const;
    std::optional<float> Input() const;
    void FillDefaults();

    CQORVADoc& m_document;
    ResultKind m_kind;
    std::array<Row, 3> m_rows{};
    QLineEdit* m_input = nullptr;
    QLabel* m_outputLabel = nullptr;
    QLineEdit* m_output = nullptr;
    int m_armedRow = -1;
};

// The dialog of each command, as the command table names them.
class CLoadCalcDlg final : public CPointCalcDlg {
    Q_OBJECT
public:
    using CPointCalcDlg::CPointCalcDlg;
};

class CRatioCalcDlg final : public CPointCalcDlg {
    Q_OBJECT
public:
    using CPointCalcDlg::CPointCalcDlg;
};

class CMixRatioCalcDlg final : public CPointCalcDlg {
    Q_OBJECT
public:
    explicit CMixRatioCalcDlg(CQORVADoc& document, QWidget* parent = nullptr)
        : CPointCalcDlg(document, ResultKind::MixingRatio, parent)
    {
    }
};

// The title of a calculation's dialog, and the labels of its input and output
// boxes in the unit system (empty input label: the kind takes no input).
QString CalculationTitle(ResultKind kind);
QString CalculationInputLabel(ResultKind kind, int unitSystem);
QString CalculationOutputLabel(ResultKind kind, int unitSystem);
