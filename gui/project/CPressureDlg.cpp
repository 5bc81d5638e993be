#include "gui/project/CPressureDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/DialogButtons.h"

#include "gui/project/CAtmosphereGroup.h"

CPressureDlg::CPressureDlg(const AtmosphericData& data, QWidget* parent, int unitSystem) : QDialog(parent)
{
    setWindowTitle(tr("大气压力参数输入框"));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    m_summer = new CAtmosphereGroup(tr("夏季工况"), tr("夏季大气压力:"), "summer",
                                    {1036, 1001, 1002, 1003, 1034}, this);
    m_winter = new CAtmosphereGroup(tr("冬季工况"), tr("冬季大气压力:"), "winter",
                                    {1037, 1004, 1005, 1006, 1035}, this);
    m_summer->setUnitSystem(unitSystem);
    m_winter->setUnitSystem(unitSystem);
    const AtmosphericSeasons texts = AtmosphericSeasons::FromData(data);
    m_summer->setTexts(texts.summer);
    m_winter->setTexts(texts.winter);
    groups->addWidget(m_summer);
    groups->addWidget(m_winter);
    layout->addLayout(groups);
    addOkCancelButtons(this, layout);
}

AtmosphericData CPressureDlg::data() const
{
    return AtmosphericSeasons{m_summer->texts(), m_winter->texts()}.ToData();
}

void CPressureDlg::accept()
{
    m_summer->computeDensity();
    m_winter->computeDensity();
    if (CheckAtmosphericData(data()) && (!m_check || m_check(data())))
        QDialog::accept();
}
