#include "gui/drawing/CIndependentPointDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/calculation/CParamPointDlg.h"
#include "gui/chart/CQORVAView.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

CIndependentPointDlg::CIndependentPointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                           const CStatePoint& point, int editIndex, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nEditIndex(editIndex)
{
    setWindowTitle(tr("独立状态点"));
    auto* form = new QFormLayout(this);
    m_name = new QComboBox(this);
    m_name->setObjectName("name");
    m_name->setEditable(true);
    const CIDG& idg = model();
    for (std::size_t i = 0; idg.m_pPoints && i < idg.m_pPoints->size(); ++i)
        if ((*idg.m_pPoints)[i]->m_nKind == CStatePoint::kIndependent)
            m_name->addItem(QString::fromStdString((*idg.m_pPoints)[i]->m_strName));
    m_name->setEditText(editIndex >= 0 ? QString::fromStdString(point.m_strName)
                                       : QString::fromStdString(CIDG::UniqueName(*idg.m_pPoints, "A")));
    form->addRow(tr("名称"), m_name);
    // Temperatures are shown and typed in the project's units, stored in °C.
    const int units = idg.m_nUnitSystem;
    const auto temperature = [units](float t) {
        return unit_text::Number(unit_text::Quantity::Temperature, t, units, "%.1f");
    };
    m_t = AddText(form, unit_text::Caption(tr("干球温度℃"), units), "t", temperature(point.m_t));
    makeNumeric(m_t);
    m_byTw = new QRadioButton(unit_text::Caption(tr("湿球温度℃"), units), this);
    m_byTw->setObjectName("byTw");
    m_tw = new QLineEdit(temperature(point.m_tw), this);
    m_tw->setObjectName("tw");
    form->addRow(m_byTw, m_tw);
    m_byRH = new QRadioButton(tr("相对湿度%"), this);
    m_byRH->setObjectName("byRH");
    m_RH = new QLineEdit(Format("%.0f", point.m_RH * 100.0), this);
    m_RH->setObjectName("RH");
    form->addRow(m_byRH, m_RH);
    for (QLineEdit* edit : {m_tw, m_RH})
        makeNumeric(edit);
    connect(m_byTw, &QRadioButton::toggled, m_tw, &QLineEdit::setEnabled);
    connect(m_byRH, &QRadioButton::toggled, m_RH, &QLineEdit::setEnabled);
    m_RH->setEnabled(false);
    m_byTw->setChecked(true);
    // ">>": the parameter-point calculator finds the state from any two
    // properties and hands t, tw and RH back with "<<".
    auto* calculator = new QPushButton(QStringLiteral(">>"), this);
    calculator->setObjectName("calculator");
    calculator->setAutoDefault(false);
    connect(calculator, &QPushButton::clicked, this, [this, temperature] {
        auto* dialog = new CParamPointDlg(m_document, CParamPointDlg::Form::Picker, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setModal(true);
        // The calculator starts from what this dialog holds: t and the
        // property the radio chose.
        const bool byRH = m_byRH->isChecked();
        for (const auto& [property, edit] :
             {std::pair{CParamPointDlg::kDryBulb, m_t},
              std::pair{byRH ? CParamPointDlg::kHumidity : CParamPointDlg::kWetBulb, byRH ? m_RH : m_tw}}) {
            float value = 0;
            if (ReadNumber(edit, value))
                dialog->SetKnown(property, edit->text().trimmed());
        }
        connect(dialog, &CParamPointDlg::picked, this,
                [this, temperature](const CParamPointDlg::PickedState& state) {
                    m_t->setText(temperature(state.t));
                    m_tw->setText(temperature(state.tw));
                    m_RH->setText(Format("%.0f", state.RH * 100.0));
                });
        dialog->show();
    });
    form->addRow(calculator);
    AddButtons(form, tr("确定"));
}

bool CIndependentPointDlg::Apply()
{
    float t = 0;
    float second = 0;
    const bool byRH = m_byRH->isChecked();
    if (!ReadNumber(m_t, t) || !ReadNumber(byRH ? m_RH : m_tw, second))
        return false;
    const SecondProperty kind = byRH ? SecondProperty::RelativeHumidity : SecondProperty::WetBulb;
    const int units = model().m_nUnitSystem;
    t = unit_text::Stored(unit_text::Quantity::Temperature, t, units);
    if (byRH)
        second = static_cast<float>(second / 100.0);
    else
        second = unit_text::Stored(unit_text::Quantity::Temperature, second, units);
    const std::string name = m_name->currentText().toStdString();
    if (m_nEditIndex >= 0)
        return m_edits.EditIndependentPoint(m_nEditIndex, name, t, second, kind);
    return m_edits.AddIndependentPoint(name, t, second, kind, m_view.DrawnWindow());
}
