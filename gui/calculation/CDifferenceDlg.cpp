#include "gui/calculation/CDifferenceDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "analysis/Calculations.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "psychro/Units.h"

namespace {

using namespace qorva::units;

QLineEdit* numericBox(const char* name, bool readOnly)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    if (!readOnly)
        makeNumeric(edit);
    return edit;
}

} // namespace

CDifferenceDlg::CDifferenceDlg(CQORVADoc& document, Quantity quantity, QWidget* parent)
    : QDialog(parent), m_document(document), m_quantity(quantity)
{
    const int units = document.model().m_nUnitSystem;
    const bool si = unitSystemOf(units) == UnitSystem::SI;
    const bool enthalpy = quantity == Quantity::Enthalpy;
    using unit_text::Caption;
    setWindowTitle(enthalpy ? tr("计算焓差") : tr("计算含湿量差"));
    auto* form = new QFormLayout(this);
    m_flow = numericBox("flow", false);
    m_airVolume = numericBox("airVolume", false);
    m_result = numericBox("result", true);
    form->addRow(Caption(enthalpy ? (si ? tr("热负荷kW") : tr("热负荷kcal/h")) : tr("加湿量kg/h"), units),
                 m_flow);
    form->addRow(Caption(enthalpy ? tr("送风量m^3/h") : tr("风量m^3/h"), units), m_airVolume);
    form->addRow(
        Caption(enthalpy ? (si ? tr("处理焓差kJ/kg") : tr("处理焓差kcal/kg")) : tr("含湿量差g/kg"), units),
        m_result);
    auto* buttons = new QHBoxLayout;
    for (const auto& [name, text] :
         {std::pair{"calculate", QT_TR_NOOP("计算")}, std::pair{"ok", QT_TR_NOOP("确认")},
          std::pair{"cancel", QT_TR_NOOP("取消")}}) {
        auto* button = new QPushButton(tr(text));
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        const std::string which = name;
        connect(button, &QPushButton::clicked, this, [this, which] {
            if (which == "calculate")
                Calculate();
            else if (which == "ok")
                Confirm();
            else
                reject();
        });
    }
    form->addRow(buttons);
}

std::optional<float> CDifferenceDlg::Calculate()
{
    bool flowOk = false;
    bool volumeOk = false;
    const float typedFlow = m_flow->text().toFloat(&flowOk);
    const float airVolume = m_airVolume->text().toFloat(&volumeOk);
    const std::optional<float> rho = ConditionDensity(m_document.model());
    if (!flowOk || !volumeOk || !rho)
        return std::nullopt;
    const bool enthalpy = m_quantity == Quantity::Enthalpy;
    const auto [flow, volume] = StoredInputs(typedFlow, airVolume);
    const std::optional<float> difference =
        enthalpy ? EnthalpyDifference(flow, volume, *rho) : MoistureDifference(flow, volume, *rho);
    if (!difference)
        return std::nullopt;
    const int units = m_document.model().m_nUnitSystem;
    m_flow->setText(QString::asprintf("%.2f", double(typedFlow)));
    m_airVolume->setText(QString::asprintf("%.1f", double(airVolume)));
    // The moisture difference comes in g/kg.
    m_result->setText(
        enthalpy ? unit_text::Number(unit_text::Quantity::EnthalpyDifference, *difference, units, "%.2f")
                 : unit_text::Number(unit_text::Quantity::MoistureContent, *difference * kKilogramPerGram,
                                     units, "%.2f"));
    return difference;
}

std::pair<float, float> CDifferenceDlg::StoredInputs(float typedFlow, float typedAirVolume) const
{
    const int units = m_document.model().m_nUnitSystem;
    const auto flow =
        m_quantity == Quantity::Enthalpy ? unit_text::Quantity::Capacity : unit_text::Quantity::MoistureFlow;
    return {unit_text::Stored(flow, typedFlow, units),
            unit_text::Stored(unit_text::Quantity::AirVolume, typedAirVolume, units)};
}

bool CDifferenceDlg::Confirm()
{
    bool flowOk = false;
    bool volumeOk = false;
    const float typedFlow = m_flow->text().toFloat(&flowOk);
    const float airVolume = m_airVolume->text().toFloat(&volumeOk);
    if (!Calculate())
        return false;
    const bool enthalpy = m_quantity == Quantity::Enthalpy;
    const auto [flow, volume] = StoredInputs(typedFlow, airVolume);
    const bool added = enthalpy ? AddEnthalpyDifferenceResult(m_document, flow, volume)
                                : AddMoistureDifferenceResult(m_document, flow, volume);
    if (added)
        accept();
    return added;
}
