#include "gui/project/CBasicParamsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/CIDG.h"
#include <QVBoxLayout>

#include "gui/widgets/DialogButtons.h"

CBasicParamsDlg::CBasicParamsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("基本参数输入框"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName("projectName");
    m_name->setProperty("controlId", kNameEditId);
    form->addRow(tr("工程名称:"), m_name);
    layout->addLayout(form);
    auto* units = new QGroupBox(tr("单位制"), this);
    auto* unitLayout = new QHBoxLayout(units);
    m_si = new QRadioButton(tr("国际单位制"), units);
    m_si->setObjectName("siUnits");
    m_si->setProperty("controlId", kSiRadioId);
    m_engineering = new QRadioButton(tr("工程单位制"), units);
    m_engineering->setObjectName("engineeringUnits");
    m_engineering->setProperty("controlId", kEngineeringRadioId);
    m_ip = new QRadioButton(tr("英制单位制(IP)"), units);
    m_ip->setObjectName("ipUnits");
    unitLayout->addWidget(m_si);
    unitLayout->addWidget(m_engineering);
    unitLayout->addWidget(m_ip);
    layout->addWidget(units);
    addOkCancelButtons(this, layout);
    m_si->setChecked(true);
}

void CBasicParamsDlg::setProjectName(const QString& name)
{
    m_name->setText(name);
}

QString CBasicParamsDlg::projectName() const
{
    return m_name->text();
}

void CBasicParamsDlg::setUnitSystem(int unitSystem)
{
    (unitSystem == CIDG::kUnitsSI   ? m_si
     : unitSystem == CIDG::kUnitsIP ? m_ip
                                    : m_engineering)
        ->setChecked(true);
}

int CBasicParamsDlg::unitSystem() const
{
    return m_si->isChecked() ? CIDG::kUnitsSI : m_ip->isChecked() ? CIDG::kUnitsIP : CIDG::kUnitsEngineering;
}
