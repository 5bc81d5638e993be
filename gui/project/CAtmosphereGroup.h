#pragma once

#include <QGroupBox>

#include "project/Atmosphere.h"

class QLineEdit;
class QPushButton;

// One season's atmospheric values in a group: pressure (Pa), moisture
// content (kg/kg), dry-bulb temperature (℃) and the derived density (kg/m³),
// with the ">>" button that computes the density from the other three.
class CAtmosphereGroup : public QGroupBox {
    Q_OBJECT
public:
    struct Ids {
        int pressure, moisture, dryBulb, density, compute;
    };
    // prefix names the controls ("summer", "winter") for tests and readers.
    CAtmosphereGroup(const QString& title, const QString& pressureLabel, const char* prefix, Ids ids,
                     QWidget* parent = nullptr);

    void setTexts(const AtmosphericTexts& texts);
    AtmosphericTexts texts() const;
    // The ">>" button.
    void computeDensity();

private:
    QLineEdit* m_pressure = nullptr;
    QLineEdit* m_moisture = nullptr;
    QLineEdit* m_dryBulb = nullptr;
    QLineEdit* m_density = nullptr;
};
