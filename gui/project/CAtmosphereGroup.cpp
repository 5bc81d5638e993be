#include "gui/project/CAtmosphereGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/widgets/NumberValidator.h"
#include "project/NumberText.h"
#include "psychro/DisplayUnits.h"

CAtmosphereGroup::CAtmosphereGroup(const QString& title, const QString& pressureLabel, const char* prefix,
                                   Ids ids, QWidget* parent)
    : QGroupBox(title, parent)
{
    setObjectName(QString::fromLatin1(prefix) + "Group");
    auto* grid = new QGridLayout(this);
    auto addRow = [this, grid, prefix](int row, const QString& label, const char* name, int id,
                                       const char* unit, QLabel** unitLabel = nullptr) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(name));
        edit->setProperty("controlId", id);
        makeNumeric(edit);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000")));
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(edit, row, 1);
        auto* shownUnit = new QLabel(QString::fromUtf8(unit), this);
        grid->addWidget(shownUnit, row, 2);
        if (unitLabel)
            *unitLabel = shownUnit;
        return edit;
    };
    m_pressure = addRow(0, pressureLabel, "Pressure", ids.pressure, "Pa", &m_pressureUnit);
    m_moisture = addRow(1, tr("空气含湿量:"), "Moisture", ids.moisture, "kg/kg");
    m_dryBulb = addRow(2, tr("空气干球湿度:"), "DryBulb", ids.dryBulb, "℃", &m_dryBulbUnit);
    m_density = addRow(3, tr("所得密度:"), "Density", ids.density, "kg/m^3", &m_densityUnit);
    auto* compute = new QPushButton(">>", this);
    compute->setObjectName(QString::fromLatin1(prefix) + "Compute");
    compute->setProperty("controlId", ids.compute);
    compute->setAutoDefault(false);
    compute->setMaximumWidth(40);
    grid->addWidget(compute, 3, 3);
    connect(compute, &QPushButton::clicked, this, &CAtmosphereGroup::computeDensity);
    setTexts(AtmosphericTexts());
}

namespace {

using qorva::units::Quantity;

// The fields converted, each with its shown (IP) and stored text patterns.
struct Field {
    std::string AtmosphericTexts::*text;
    Quantity quantity;
    const char* shownPattern;
    const char* storedPattern;
};
constexpr Field kConverted[] = {
    {&AtmosphericTexts::pressure, Quantity::Barometer, "%.3f", "%.1f"},
    {&AtmosphericTexts::dryBulb, Quantity::Temperature, "%.1f", "%.4f"},
    {&AtmosphericTexts::density, Quantity::Density, "%.5f", "%.4f"},
};

// The stored texts as the unit system shows them.
AtmosphericTexts shownTexts(const AtmosphericTexts& stored, int unitSystem)
{
    AtmosphericTexts shown = stored;
    const auto system = qorva::units::displaySystemOf(unitSystem);
    if (system != qorva::units::DisplaySystem::IP)
        return shown;
    for (const Field& f : kConverted)
        shown.*f.text = FormatNumber(
            f.shownPattern,
            qorva::units::shown(f.quantity, QString::fromStdString(stored.*f.text).toDouble(), system));
    return shown;
}

} // namespace

void CAtmosphereGroup::setTexts(const AtmosphericTexts& t)
{
    m_stored = t;
    m_shown = shownTexts(t, m_unitSystem);
    m_pressure->setText(QString::fromStdString(m_shown.pressure));
    m_moisture->setText(QString::fromStdString(m_shown.moisture));
    m_dryBulb->setText(QString::fromStdString(m_shown.dryBulb));
    m_density->setText(QString::fromStdString(m_shown.density));
}

AtmosphericTexts CAtmosphereGroup::texts() const
{
    AtmosphericTexts t;
    t.pressure = m_pressure->text().toStdString();
    t.moisture = m_moisture->text().toStdString();
    t.dryBulb = m_dryBulb->text().toStdString();
    t.density = m_density->text().toStdString();
    const auto system = qorva::units::displaySystemOf(m_unitSystem);
    if (system != qorva::units::DisplaySystem::IP)
        return t;
    for (const Field& f : kConverted) {
        std::string& text = t.*f.text;
        if (text == m_shown.*f.text)
            text = m_stored.*f.text;
        else
            text = FormatNumber(
                f.storedPattern,
                qorva::units::stored(f.quantity, QString::fromStdString(text).toDouble(), system));
    }
    return t;
}

void CAtmosphereGroup::setUnitSystem(int unitSystem)
{
    const AtmosphericTexts stored = texts();
    m_unitSystem = unitSystem;
    const bool ip = qorva::units::displaySystemOf(unitSystem) == qorva::units::DisplaySystem::IP;
    m_pressureUnit->setText(ip ? QStringLiteral("inHg") : QStringLiteral("Pa"));
    m_dryBulbUnit->setText(ip ? QStringLiteral("℉") : QStringLiteral("℃"));
    m_densityUnit->setText(ip ? QStringLiteral("lb/ft^3") : QStringLiteral("kg/m^3"));
    setTexts(stored);
}

void CAtmosphereGroup::computeDensity()
{
    AtmosphericTexts t = texts();
    t.ComputeDensity();
    m_stored.density = t.density;
    m_shown.density = shownTexts(t, m_unitSystem).density;
    m_density->setText(QString::fromStdString(m_shown.density));
}
