#pragma once

#include <QDialog>

#include <functional>

#include "project/Atmosphere.h"

class CAtmosphereGroup;

// "大气压力参数输入框": the summer and winter atmospheric values. OK computes
// both densities, checks the values and closes; the document stores them.
class CPressureDlg : public QDialog {
    Q_OBJECT
public:
    // unitSystem: the project's (CIDG::m_nUnitSystem); 1 SI.
    explicit CPressureDlg(const AtmosphericData& data, QWidget* parent = nullptr, int unitSystem = 1);

    // The eight values read back from the texts (after OK).
    AtmosphericData data() const;
    CAtmosphereGroup* summerGroup() { return m_summer; }
    CAtmosphereGroup* winterGroup() { return m_winter; }

    // A further check of OK's values (the design states at the new
    // pressure); false keeps the dialog open.
    void setCheck(std::function<bool(const AtmosphericData&)> check) { m_check = std::move(check); }

    void accept() override;

private:
    std::function<bool(const AtmosphericData&)> m_check;
    CAtmosphereGroup* m_summer = nullptr;
    CAtmosphereGroup* m_winter = nullptr;
};
