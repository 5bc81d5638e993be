#pragma once

#include <array>

#include "gui/drawing/CBuilderDlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

// A point on a line through a base object, fixed by one value: equal
// moisture, temperature or enthalpy through a point, on a process line or
// on an ε line (the five methods, titled by method). The radios a method
// does not offer are disabled.
class CLinePointDlg : public CBuilderDlg {
    Q_OBJECT
public:
    CLinePointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int method,
                  QWidget* parent = nullptr);

    static QString Title(int method);
    // Whether a method offers a value kind (the dashes of its table).
    static bool Offers(int method, int valueKind);
    int method() const { return m_nMethod; }

protected:
    bool Apply() override;
    // The selected value kind and its value in stored units.
    bool ReadValue(int& valueKind, float& value) const;
    // Selects a value kind and shows a stored value in display units.
    void ShowValue(int valueKind, float value);

private:
    void CopyFromSamePoint();

protected:
    int m_nMethod;
    QComboBox* m_base;
    std::array<QRadioButton*, 7> m_kinds{};
    std::array<QLineEdit*, 7> m_values{};
    QCheckBox* m_same = nullptr;
    QComboBox* m_samePoint = nullptr;
    QLineEdit* m_name;
};
