#include "gui/project/CPorjectNewWizard.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/project/CAtmosphereGroup.h"
#include "gui/project/CSystemRoomEditor.h"
#include "model/CIDG.h"

CWi_BasicPage::CWi_BasicPage(QWidget* parent) : QWizardPage(parent)
{
    setTitle(tr("新建 3 之 1"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName("projectName");
    m_name->setProperty("controlId", 1035);
    form->addRow(tr("工程名称:"), m_name);
    layout->addLayout(form);
    auto* units = new QGroupBox(tr("单位制"), this);
    auto* unitLayout = new QHBoxLayout(units);
    m_si = new QRadioButton(tr("国际单位制"), units);
    m_si->setObjectName("siUnits");
    m_si->setProperty("controlId", 1029);
    m_engineering = new QRadioButton(tr("工程单位制"), units);
    m_engineering->setObjectName("engineeringUnits");
    m_engineering->setProperty("controlId", 1030);
    m_ip = new QRadioButton(tr("英制单位制(IP)"), units);
    m_ip->setObjectName("ipUnits");
    unitLayout->addWidget(m_si);
    unitLayout->addWidget(m_engineering);
    unitLayout->addWidget(m_ip);
    unitLayout->addStretch(1);
    layout->addWidget(units);
    layout->addStretch(1);
    m_si->setChecked(true);
}

QString CWi_BasicPage::projectName() const
{
    return m_name->text();
}

int CWi_BasicPage::unitSystem() const
{
    return m_si->isChecked() ? CIDG::kUnitsSI : m_ip->isChecked() ? CIDG::kUnitsIP : CIDG::kUnitsEngineering;
}

CWi_AirRoomPage::CWi_AirRoomPage(CWi_BasicPage* basic, QWidget* parent) : QWizardPage(parent), m_basic(basic)
{
    setTitle(tr("新建 3 之 2"));
    auto* layout = new QVBoxLayout(this);
    m_editor = new CSystemRoomEditor(SystemRoomEdit::Variant::WizardPage, this);
    layout->addWidget(m_editor);
}

void CWi_AirRoomPage::initializePage()
{
    m_editor->changeUnitSystem(m_basic->unitSystem());
}

bool CWi_AirRoomPage::validatePage()
{
    return m_editor->validate();
}

CWi_DaQiYaLiPage::CWi_DaQiYaLiPage(QWidget* parent, CWi_AirRoomPage* rooms)
    : QWizardPage(parent), m_rooms(rooms)
{
    setTitle(tr("新建 3之 3"));
    auto* layout = new QHBoxLayout(this);
    m_summer = new CAtmosphereGroup(tr("制冷工况"), tr("夏季大气压力:"), "summer",
                                    {1129, 1001, 1002, 1003, 1034}, this);
    m_winter = new CAtmosphereGroup(tr("制热工况"), tr("冬季大气压力:"), "winter",
                                    {1037, 1004, 1005, 1006, 1035}, this);
    layout->addWidget(m_summer);
    layout->addWidget(m_winter);
}

void CWi_DaQiYaLiPage::initializePage()
{
    // The units chosen on the first page.
    if (m_rooms) {
        m_summer->setUnitSystem(m_rooms->editor()->edit().unitSystem());
        m_winter->setUnitSystem(m_rooms->editor()->edit().unitSystem());
    }
}

bool CWi_DaQiYaLiPage::validatePage()
{
    m_summer->computeDensity();
    m_winter->computeDensity();
    if (!CheckAtmosphericData(data()))
        return false;
    if (!m_rooms)
        return true;
    DesignChart chart;
    chart.pressure = data().summerPressure;
    return CheckDesignStatesAt(m_rooms->editor()->edit().working(), chart);
}

AtmosphericData CWi_DaQiYaLiPage::data() const
{
    return AtmosphericSeasons{m_summer->texts(), m_winter->texts()}.ToData();
}

CPorjectNewWizard::CPorjectNewWizard(QWidget* parent) : QWizard(parent)
{
    setWindowTitle(tr("新建工程向导"));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage, true);
    setButtonText(QWizard::BackButton, tr("< 上一步(&B)"));
    setButtonText(QWizard::NextButton, tr("下一步(&N) >"));
    setButtonText(QWizard::FinishButton, tr("完成"));
    setButtonText(QWizard::CancelButton, tr("取消"));
    m_basic = new CWi_BasicPage(this);
    m_airRoom = new CWi_AirRoomPage(m_basic, this);
    m_pressure = new CWi_DaQiYaLiPage(this, m_airRoom);
    setPage(kBasicPage, m_basic);
    setPage(kAirRoomPage, m_airRoom);
    setPage(kPressurePage, m_pressure);
    setStartId(kBasicPage);
}

NewProjectData CPorjectNewWizard::TakeResult()
{
    NewProjectData data;
    data.projectName = m_basic->projectName().toStdString();
    data.unitSystem = m_basic->unitSystem();
    data.rooms = m_airRoom->editor()->edit().TakeResult();
    data.atmosphere = m_pressure->data();
    return data;
}
