#pragma once

#include <QtGlobal>

#include <string>

class CIDG;

// The eight atmospheric values of a project: per season the dry-bulb
// temperature, the pressure, the moisture content and the air density used by
// the flow calculations. The summer pressure is the pressure of the chart.
struct AtmosphericData {
    float summerT = 20.0f;         // °C
    float summerPressure = 101325; // Pa
    float summerX = 0.0056f;       // kg/kg
    float summerDensity = 1.2f;    // kg/m³
    float winterT = 20.0f;
    float winterPressure = 101325;
    float winterX = 0.0056f;
    float winterDensity = 1.2f;

    static AtmosphericData FromModel(const CIDG& idg);
    void CopyInto(CIDG& idg) const;
};

// One season's atmospheric values as the pressure dialog and the last wizard
// page show them: pressure "%.0f" Pa, moisture content "%.4f" kg/kg, dry-bulb
// "%.1f" °C, density "%.3f" kg/m³.
struct AtmosphericTexts {
    std::string pressure = "101325";
    std::string moisture = "0.0056";
    std::string dryBulb = "20.0";
    std::string density = "1.200";

    // The ">>" button: the density from the three other texts.
    void ComputeDensity();

    static AtmosphericTexts Format(float t, float p, float x, float rho);
};

struct AtmosphericSeasons {
    AtmosphericTexts summer;
    AtmosphericTexts winter;

    static AtmosphericSeasons FromData(const AtmosphericData& data);
    // The texts read back as numbers (text that is not a number counts as 0).
    AtmosphericData ToData() const;
};

namespace atmosphere_messages {
inline constexpr const char* kPressureNotPositive = QT_TRANSLATE_NOOP("Atmosphere", "大气压力必须大于零!");
inline constexpr const char* kDensityInvalid =
    QT_TRANSLATE_NOOP("Atmosphere", "空气密度计算错误，请检查数据!");
} // namespace atmosphere_messages

// Checks the values a dialog is about to store: both pressures positive and
// both densities positive and finite. Shows the message (stop icon) and
// returns false for the first that is not.
bool CheckAtmosphericData(const AtmosphericData& data);
