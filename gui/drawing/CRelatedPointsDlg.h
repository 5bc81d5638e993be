#pragma once

#include <array>

#include "gui/drawing/CBuilderDlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

// "绘制两个相关状态点": two points on an ε line, a temperature or moisture
// difference apart, the first fixed by one property.
class CRelatedPointsDlg : public CBuilderDlg {
    Q_OBJECT
public:
    // Difference kinds and the property kinds 0–4 (t, RH, x, tw, h).
    enum { kDifferenceKinds = 2, kPropertyKinds = 5 };

    CRelatedPointsDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent = nullptr);

protected:
    bool Apply() override;
    std::optional<CStatePoint> PreviewPoint() const override;

    struct Inputs {
        int differenceKind = 0;
        float difference = 0; // °C or kg/kg
        int propertyKind = 0;
        float property = 0; // stored units
    };
    // The selected kinds and their values in stored units; false when a box is not a number.
    bool ReadInputs(Inputs& inputs) const;
    // Selects the kinds and shows stored values in display units.
    void ShowInputs(const Inputs& inputs);
    // The pair the inputs give on HHR line hhrLine, computed on a scratch chart;
    // point1 and point2 carry the names and identifiers to check.
    bool ComputePair(int hhrLine, CStatePoint& point1, CStatePoint& point2) const;

    QComboBox* m_hhrLine = nullptr;
    std::array<QRadioButton*, kDifferenceKinds> m_differenceKinds{};
    std::array<QLineEdit*, kDifferenceKinds> m_differences{};
    std::array<QRadioButton*, kPropertyKinds> m_propertyKinds{};
    std::array<QLineEdit*, kPropertyKinds> m_properties{};
    QCheckBox* m_same = nullptr;
    QComboBox* m_samePoint = nullptr;
    QLineEdit* m_name1 = nullptr;
    QLineEdit* m_name2 = nullptr;

private:
    void CopyFromSamePoint();
};
