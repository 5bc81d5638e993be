#pragma once

#include <QGroupBox>

#include "project/Atmosphere.h"

class QLabel;
class QLineEdit;
class QPushButton;

// One season's atmospheric values in a group: pressure (Pa), moisture
// content (kg/kg), dry-bulb temperature (℃) and the derived density (kg/m³),
// with the ">>" button that computes the density from the other three. In IP
// units the pressure is typed as a barometer reading (inHg), the temperature
// in ℉ and the density shown in lb/ft³; the texts the group is given and
// gives back stay in the stored units, and a field left as shown gives back
// the stored text unchanged, so that looking at the values changes nothing.
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
    // Shows the values in a project unit system (CIDG::m_nUnitSystem).
    void setUnitSystem(int unitSystem);
    // The ">>" button.
    void computeDensity();

private:
    QLineEdit* m_pressure = nullptr;
    QLineEdit* m_moisture = nullptr;
    QLineEdit* m_dryBulb = nullptr;
    QLineEdit* m_density = nullptr;
    QLabel* m_pressureUnit = nullptr;
    QLabel* m_dryBulbUnit = nullptr;
    QLabel* m_densityUnit = nullptr;
    int m_unitSystem = 1;
    AtmosphericTexts m_stored; // the texts last set, in stored units
    AtmosphericTexts m_shown;  // how they were shown
};
