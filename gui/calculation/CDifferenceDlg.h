#pragma once

#include <QDialog>

#include <optional>
#include <utility>

class CQORVADoc;
class QLineEdit;

// The modal calculations of a difference from a flow carried by an air
// volume, at the air density of the operating condition: 计算 shows the
// difference, 确认 also writes it into the result column and closes.
// Invalid numbers, a negative flow or an air volume not positive do nothing.
class CDifferenceDlg : public QDialog {
    Q_OBJECT
public:
    // 计算: the difference in stored units (kJ/kg or g/kg), or empty.
    std::optional<float> Calculate();
    bool Confirm();

protected:
    enum class Quantity { Enthalpy, Moisture };
    CDifferenceDlg(CQORVADoc& document, Quantity quantity, QWidget* parent);

private:
    // The typed flow (capacity or moisture flow) and air volume in stored units.
    std::pair<float, float> StoredInputs(float typedFlow, float typedAirVolume) const;

    CQORVADoc& m_document;
    Quantity m_quantity;
    QLineEdit* m_flow = nullptr;
    QLineEdit* m_airVolume = nullptr;
    QLineEdit* m_result = nullptr;
};

// 焓差: a heat load (kW or kcal/h) in a supply air volume gives Δh.
class CEnthalpyDiffDlg final : public CDifferenceDlg {
    Q_OBJECT
public:
    explicit CEnthalpyDiffDlg(CQORVADoc& document, QWidget* parent = nullptr)
        : CDifferenceDlg(document, Quantity::Enthalpy, parent)
    {
    }
};

// 含湿量差: a moisture flow (kg/h) in an air volume gives Δx in g/kg.
class CMoistureDiffDlg final : public CDifferenceDlg {
    Q_OBJECT
public:
    explicit CMoistureDiffDlg(CQORVADoc& document, QWidget* parent = nullptr)
        : CDifferenceDlg(document, Quantity::Moisture, parent)
    {
    }
};
