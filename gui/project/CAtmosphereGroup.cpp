#include "gui/project/CAtmosphereGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/widgets/NumberValidator.h"

CAtmosphereGroup::CAtmosphereGroup(const QString& title, const QString& pressureLabel, const char* prefix,
                                   Ids ids, QWidget* parent)
    : QGroupBox(title, parent)
{
    setObjectName(QString::fromLatin1(prefix) + "Group");
    auto* grid = new QGridLayout(this);
    auto addRow = [this, grid, prefix](int row, const QString& label, const char* name, int id,
                                       const char* unit) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(name));
        edit->setProperty("controlId", id);
        makeNumeric(edit);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000")));
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(unit), this), row, 2);
        return edit;
    };
    m_pressure = addRow(0, pressureLabel, "Pressure", ids.pressure, "Pa");
    m_moisture = addRow(1, tr("空气含湿量:"), "Moisture", ids.moisture, "kg/kg");
    m_dryBulb = addRow(2, tr("空气干球湿度:"), "DryBulb", ids.dryBulb, "℃");
    m_density = addRow(3, tr("所得密度:"), "Density", ids.density, "kg/m^3");
    auto* compute = new QPushButton(">>", this);
    compute->setObjectName(QString::fromLatin1(prefix) + "Compute");
    compute->setProperty("controlId", ids.compute);
    compute->setAutoDefault(false);
    compute->setMaximumWidth(40);
    grid->addWidget(compute, 3, 3);
    connect(compute, &QPushButton::clicked, this, &CAtmosphereGroup::computeDensity);
    setTexts(AtmosphericTexts());
}

void CAtmosphereGroup::setTexts(const AtmosphericTexts& t)
{
    m_pressure->setText(QString::fromStdString(t.pressure));
    m_moisture->setText(QString::fromStdString(t.moisture));
    m_dryBulb->setText(QString::fromStdString(t.dryBulb));
    m_density->setText(QString::fromStdString(t.density));
}

AtmosphericTexts CAtmosphereGroup::texts() const
{
    AtmosphericTexts t;
    t.pressure = m_pressure->text().toStdString();
    t.moisture = m_moisture->text().toStdString();
    t.dryBulb = m_dryBulb->text().toStdString();
    t.density = m_density->text().toStdString();
    return t;
}

void CAtmosphereGroup::computeDensity()
{
    AtmosphericTexts t = texts();
    t.ComputeDensity();
    m_density->setText(QString::fromStdString(t.density));
}
