#pragma once

#include "gui/drawing/CBuilderDlg.h"

class QComboBox;
class QLineEdit;

// "绘制热回收点" and "绘制蒸发冷却点": the air after a heat exchanger (the
// outdoor and the exhaust point picked on the chart, total or sensible) or
// after an evaporative cooler (the entering point, direct or indirect), at
// effectiveness e, shown on the chart as it would fall while the values
// change. OK adds the point and its result texts for the air volume typed
// (the room's supply air the chart knows, else 0).
class CProcessStepDlg : public CBuilderDlg {
    Q_OBJECT
public:
    // kind: CStatePoint::kHeatRecovery or kEvaporative.
    CProcessStepDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int kind,
                    QWidget* parent = nullptr);

    // The type list's entries of a kind, in the order of CStatePoint::StepType.
    static QStringList TypeNames(int kind);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

private:
    int m_nKind;
    // Null until made: the lists preview while the dialog is still built.
    QLineEdit* m_name = nullptr;
    QComboBox* m_point1 = nullptr;
    QComboBox* m_point2 = nullptr; // the exhaust of a heat recovery
    QLineEdit* m_effectiveness = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_airVolume = nullptr;
};
