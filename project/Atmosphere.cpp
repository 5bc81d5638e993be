#include "project/Atmosphere.h"

#include <cmath>

#include <QCoreApplication>

#include "model/CIDG.h"
#include "model/Messages.h"
#include "project/AirDensity.h"
#include "project/NumberText.h"

AtmosphericData AtmosphericData::FromModel(const CIDG& idg)
{
    AtmosphericData data;
    data.summerT = idg.m_fSummerAirT;
    data.summerPressure = idg.m_fSummerPressure;
    data.summerX = idg.m_fSummerAirD;
    data.summerDensity = idg.m_fSummerDensity;
    data.winterT = idg.m_fWinterAirT;
    data.winterPressure = idg.m_fWinterPressure;
    data.winterX = idg.m_fWinterAirD;
    data.winterDensity = idg.m_fWinterDensity;
    return data;
}

void AtmosphericData::CopyInto(CIDG& idg) const
{
    idg.m_fSummerAirT = summerT;
    idg.m_fSummerPressure = summerPressure;
    idg.m_fSummerAirD = summerX;
    idg.m_fSummerDensity = summerDensity;
    idg.m_fWinterAirT = winterT;
    idg.m_fWinterPressure = winterPressure;
    idg.m_fWinterAirD = winterX;
    idg.m_fWinterDensity = winterDensity;
}

void AtmosphericTexts::ComputeDensity()
{
    const double rho = AirDensity(ReadNumber(pressure), ReadNumber(moisture), ReadNumber(dryBulb));
    density = FormatNumber("%.3f", rho);
}

AtmosphericTexts AtmosphericTexts::Format(float t, float p, float x, float rho)
{
    AtmosphericTexts texts;
    texts.pressure = FormatNumber("%.0f", p);
    texts.moisture = FormatNumber("%.4f", x);
    texts.dryBulb = FormatNumber("%.1f", t);
    texts.density = FormatNumber("%.3f", rho);
    return texts;
}

AtmosphericSeasons AtmosphericSeasons::FromData(const AtmosphericData& d)
{
    return {AtmosphericTexts::Format(d.summerT, d.summerPressure, d.summerX, d.summerDensity),
            AtmosphericTexts::Format(d.winterT, d.winterPressure, d.winterX, d.winterDensity)};
}

AtmosphericData AtmosphericSeasons::ToData() const
{
    AtmosphericData data;
    data.summerT = static_cast<float>(ReadNumber(summer.dryBulb));
    data.summerPressure = static_cast<float>(ReadNumber(summer.pressure));
    data.summerX = static_cast<float>(ReadNumber(summer.moisture));
    data.summerDensity = static_cast<float>(ReadNumber(summer.density));
    data.winterT = static_cast<float>(ReadNumber(winter.dryBulb));
    data.winterPressure = static_cast<float>(ReadNumber(winter.pressure));
    data.winterX = static_cast<float>(ReadNumber(winter.moisture));
    data.winterDensity = static_cast<float>(ReadNumber(winter.density));
    return data;
}

bool CheckAtmosphericData(const AtmosphericData& data)
{
    // A zero or negative pressure would leave the chart without states, a
    // density that is not positive would turn every air volume meaningless.
    if (!(data.summerPressure > 0) || !(data.winterPressure > 0)) {
        alertMessage(QCoreApplication::translate("Atmosphere", atmosphere_messages::kPressureNotPositive)
                         .toStdString(),
                     MessageIcon::Stop);
        return false;
    }
    if (!(data.summerDensity > 0) || !(data.winterDensity > 0) || !std::isfinite(data.summerDensity) ||
        !std::isfinite(data.winterDensity)) {
        alertMessage(
            QCoreApplication::translate("Atmosphere", atmosphere_messages::kDensityInvalid).toStdString(),
            MessageIcon::Stop);
        return false;
    }
    return true;
}
