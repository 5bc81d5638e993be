#include "gui/calculation/CParamPointDlg.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

#include "analysis/Calculations.h"
#include "gui/drawing/CComfortZoneDlg.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "psychro/Units.h"

namespace {

using namespace qorva::units;

// Two known properties fix a state.
constexpr int kKnownNeeded = 2;

QLineEdit* box(const char* name, bool readOnly)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    if (!readOnly)
        makeNumeric(edit);
    return edit;
}

float valueOf(const QLineEdit* edit)
{
    return edit->text().toFloat();
}

} // namespace

CParamPointDlg::CParamPointDlg(CQORVADoc& document, Form form, QWidget* parent)
    : QDialog(parent), m_document(document), m_form(form)
{
    setWindowTitle(tr("参数点"));
    const int unitSystem = document.model().m_nUnitSystem;
    const bool si = unitSystemOf(unitSystem) == UnitSystem::SI;
    using unit_text::Caption;
    auto* grid = new QGridLayout(this);
    int line = 0;
    if (form == Form::List) {
        m_name = new QLineEdit;
        m_name->setObjectName(QStringLiteral("name"));
        grid->addWidget(new QLabel(tr("名称")), line, 0);
        grid->addWidget(m_name, line++, 1);
    }
    m_p = box("p", false);
    grid->addWidget(new QLabel(Caption(tr("大气压力Pa"), unitSystem)), line, 0);
    grid->addWidget(m_p, line++, 1);
    const std::array<QString, kPropertyCount> captions = {
        Caption(tr("干球温度℃"), unitSystem),
        Caption(tr("湿球温度℃"), unitSystem),
        tr("相对湿度％"),
        Caption(tr("露点温度℃"), unitSystem),
        Caption(tr("含湿量g/kg"), unitSystem),
        Caption(si ? tr("焓kJ/kg") : tr("焓kcal/kg"), unitSystem)};
    const std::array<const char*, kPropertyCount> names = {"t", "tw", "rh", "td", "d", "h"};
    for (int k = 0; k < kPropertyCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        m_known[slot] = new QCheckBox(captions[slot]);
        m_known[slot]->setObjectName(QStringLiteral("known_") + QString::fromLatin1(names[slot]));
        m_values[slot] = box(names[slot], false);
        grid->addWidget(m_known[slot], line, 0);
        grid->addWidget(m_values[slot], line++, 1);
        connect(m_known[slot], &QCheckBox::toggled, this,
                [this, k](bool checked) { OnKnownToggled(k, checked); });
    }
    m_pq = box("pq", true);
    m_pqb = box("pqb", true);
    m_v = box("v", true);
    m_rho = box("rho", true);
    for (const auto& [label, edit] : {std::pair{Caption(tr("水蒸气分压力Pa"), unitSystem), m_pq},
                                      std::pair{Caption(tr("饱和水蒸气分压力Pa"), unitSystem), m_pqb},
                                      std::pair{Caption(tr("比容m^3/kg"), unitSystem), m_v},
                                      std::pair{Caption(tr("密度kg/m^3"), unitSystem), m_rho}}) {
        grid->addWidget(new QLabel(label), line, 0);
        grid->addWidget(edit, line++, 1);
    }
    // The comfort index of the state, for the occupant last used.
    const ComfortOccupant occupant =
        CurrentComfortOccupant(m_document.model().CurrentCondition() == kConditionWinter);
    m_pmv = box("pmv", true);
    m_ppd = box("ppd", true);
    grid->addWidget(new QLabel(tr("PMV（%1 met，%2 clo，%3 m/s）")
                                   .arg(occupant.met, 0, 'f', 1)
                                   .arg(occupant.clo, 0, 'f', 1)
                                   .arg(occupant.airSpeed, 0, 'f', 2)),
                    line, 0);
    grid->addWidget(m_pmv, line++, 1);
    grid->addWidget(new QLabel(tr("PPD％")), line, 0);
    grid->addWidget(m_ppd, line++, 1);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& text, const char* name, auto action) {
        auto* b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, action);
    };
    button(tr("计算"), "calculate", [this] { Calculate(); });
    button(tr("重置"), "reset", [this] { Reset(); });
    if (form == Form::List) {
        button(tr("添加"), "add", [this] { AddPoint(); });
        button(tr("删除"), "delete", [this] { DeleteSelected(); });
        button(tr("重命名"), "rename", [this] { RenameSelected(); });
        button(tr("复制"), "copy", [this] { CopyToClipboard(); });
        m_list = new QListWidget;
        m_list->setObjectName(QStringLiteral("list"));
        grid->addWidget(m_list, 0, 2, line, 1);
        connect(m_list, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    } else {
        button(QStringLiteral("<<"), "back", [this] { HandBack(); });
    }
    grid->addLayout(buttons, line, 0, 1, 3);
    Reset();
    FillList();
}

void CParamPointDlg::OnKnownToggled(int property, bool checked)
{
    const auto slot = static_cast<std::size_t>(property);
    // Dew point and moisture content say the same thing: no pair of them.
    const bool related = (property == kDewPoint && m_known[kMoisture]->isChecked()) ||
                         (property == kMoisture && m_known[kDewPoint]->isChecked());
    if (checked && related) {
        alertMessage(tr(param_messages::kDewPointWithMoisture).toStdString(), MessageIcon::Stop);
        const QSignalBlocker quiet(m_known[slot]);
        m_known[slot]->setChecked(false);
    }
    const auto count =
        std::count_if(m_known.begin(), m_known.end(), [](QCheckBox* b) { return b->isChecked(); });
    for (std::size_t k = 0; k < m_known.size(); ++k) {
        const bool enabled = count < kKnownNeeded || m_known[k]->isChecked();
        m_known[k]->setEnabled(enabled);
        m_values[k]->setEnabled(enabled);
    }
}

std::optional<CParamPoint> CParamPointDlg::Calculate()
{
    const auto count =
        std::count_if(m_known.begin(), m_known.end(), [](QCheckBox* b) { return b->isChecked(); });
    if (count < kKnownNeeded) {
        alertMessage(tr(param_messages::kTooFewKnown).toStdString(), MessageIcon::Stop);
        return std::nullopt;
    }
    const int units = m_document.model().m_nUnitSystem;
    const auto typed = [units](Quantity quantity, const QLineEdit* edit) {
        return unit_text::Stored(quantity, valueOf(edit), units);
    };
    CParamPoint point;
    if (m_name)
        point.m_strName = m_name->text().toStdString();
    point.m_p = typed(Quantity::Pressure, m_p);
    point.m_bKnownP = 1;
    point.m_t = typed(Quantity::Temperature, m_values[kDryBulb]);
    point.m_tw = typed(Quantity::Temperature, m_values[kWetBulb]);
    point.m_RH = typed(Quantity::RelativeHumidity, m_values[kHumidity]);
    point.m_td = typed(Quantity::Temperature, m_values[kDewPoint]);
    point.m_d = typed(Quantity::MoistureContent, m_values[kMoisture]);
    point.m_h = typed(Quantity::Enthalpy, m_values[kEnthalpy]);
    point.m_bKnownT = m_known[kDryBulb]->isChecked();
    point.m_bKnownTw = m_known[kWetBulb]->isChecked();
    point.m_bKnownRH = m_known[kHumidity]->isChecked();
    point.m_bKnownTd = m_known[kDewPoint]->isChecked();
    point.m_bKnownD = m_known[kMoisture]->isChecked();
    point.m_bKnownH = m_known[kEnthalpy]->isChecked();
    if (!point.Calculate())
        return std::nullopt;
    Show(point);
    return point;
}

void CParamPointDlg::Show(const CParamPoint& point)
{
    const int units = m_document.model().m_nUnitSystem;
    // The picker shows whole per cent and g/kg, as the independent-point dialog takes them.
    const char* fine = m_form == Form::List ? "%.2f" : "%.0f";
    const auto set = [units](QLineEdit* edit, Quantity quantity, float value, const char* pattern,
                             const char* ipPattern = nullptr) {
        edit->setText(unit_text::Number(quantity, value, units, pattern, ipPattern));
    };
    set(m_p, Quantity::Pressure, point.m_p, "%.0f", "%.3f");
    set(m_values[kDryBulb], Quantity::Temperature, point.m_t, "%.1f");
    set(m_values[kWetBulb], Quantity::Temperature, point.m_tw, "%.1f");
    set(m_values[kHumidity], Quantity::RelativeHumidity, point.m_RH, fine);
    set(m_values[kDewPoint], Quantity::Temperature, point.m_td, "%.1f");
    set(m_values[kMoisture], Quantity::MoistureContent, point.m_d, fine, "%.1f");
    set(m_values[kEnthalpy], Quantity::Enthalpy, point.m_h, "%.1f");
    set(m_pq, Quantity::Pressure, point.m_pq, "%.0f", "%.4f");
    set(m_pqb, Quantity::Pressure, point.m_pqb, "%.0f", "%.4f");
    set(m_v, Quantity::SpecificVolume, point.m_v, "%.3f", "%.2f");
    set(m_rho, Quantity::Density, point.m_rho, "%.3f", "%.4f");
    const auto [pmv, ppd] =
        ComfortIndexTexts(point.m_t, point.m_RH,
                          CurrentComfortOccupant(m_document.model().CurrentCondition() == kConditionWinter));
    m_pmv->setText(pmv);
    m_ppd->setText(ppd);
}

void CParamPointDlg::Reset()
{
    if (m_name)
        m_name->clear();
    for (std::size_t k = 0; k < m_known.size(); ++k) {
        const QSignalBlocker quiet(m_known[k]);
        m_known[k]->setChecked(false);
        m_known[k]->setEnabled(true);
        m_values[k]->setEnabled(true);
        m_values[k]->clear();
    }
    for (QLineEdit* edit : {m_pq, m_pqb, m_v, m_rho, m_pmv, m_ppd})
        edit->clear();
    m_p->setText(unit_text::Number(Quantity::Pressure, m_document.model().m_fSummerPressure,
                                   m_document.model().m_nUnitSystem, "%.0f", "%.3f"));
}

void CParamPointDlg::FillList()
{
    if (!m_list)
        return;
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    if (const auto* points = m_document.model().m_pParamPoints)
        for (const auto& point : *points)
            m_list->addItem(QString::fromStdString(point->m_strName));
}

void CParamPointDlg::ShowSelected()
{
    const auto* points = m_document.model().m_pParamPoints;
    const int row = m_list ? m_list->currentRow() : -1;
    if (!points || row < 0 || row >= static_cast<int>(points->size()))
        return;
    const CParamPoint& point = *(*points)[static_cast<std::size_t>(row)];
    m_name->setText(QString::fromStdString(point.m_strName));
    Show(point);
}

bool CParamPointDlg::AddPoint()
{
    if (!m_name || m_name->text().isEmpty()) {
        alertMessage(tr(param_messages::kNameMissing).toStdString(), MessageIcon::Stop);
        return false;
    }
    if (!IsParamPointNameFree(m_document.model(), m_name->text().toStdString())) {
        alertMessage(tr(param_messages::kNameTaken).toStdString(), MessageIcon::Stop);
        return false;
    }
    const std::optional<CParamPoint> point = Calculate();
    if (!point || !::AddParamPoint(m_document, *point))
        return false;
    FillList();
    m_list->setCurrentRow(m_list->count() - 1);
    return true;
}

bool CParamPointDlg::DeleteSelected()
{
    if (!m_list || m_list->currentRow() < 0 || !DeleteParamPoint(m_document, m_list->currentRow()))
        return false;
    FillList();
    return true;
}

bool CParamPointDlg::RenameSelected()
{
    if (!m_list || m_list->currentRow() < 0)
        return false;
    const std::string name = m_name->text().toStdString();
    if (name.empty()) {
        alertMessage(tr(param_messages::kNameMissing).toStdString(), MessageIcon::Stop);
        return false;
    }
    const int row = m_list->currentRow();
    if (!IsParamPointNameFree(m_document.model(), name, row) || !RenameParamPoint(m_document, row, name)) {
        alertMessage(tr(param_messages::kNameTaken).toStdString(), MessageIcon::Stop);
        return false;
    }
    FillList();
    m_list->setCurrentRow(row);
    return true;
}

QString CParamPointDlg::TableText() const
{
    std::vector<const CParamPoint*> rows;
    if (const auto* points = m_document.model().m_pParamPoints)
        for (const auto& point : *points)
            rows.push_back(point.get());
    return QString::fromStdString(ParameterTable(rows, m_document.model().m_nUnitSystem));
}

void CParamPointDlg::CopyToClipboard() const
{
    QGuiApplication::clipboard()->setText(TableText());
}

void CParamPointDlg::SetKnown(Property property, const QString& shownValue)
{
    if (property < 0 || property >= kPropertyCount)
        return;
    const auto slot = static_cast<std::size_t>(property);
    m_known[slot]->setChecked(true);
    m_values[slot]->setText(shownValue);
}

bool CParamPointDlg::HandBack()
{
    // A ticked property without a number would be taken as 0.
    for (std::size_t k = 0; k < m_known.size(); ++k) {
        bool number = false;
        m_values[k]->text().trimmed().toFloat(&number);
        if (m_known[k]->isChecked() && !number) {
            alertMessage(tr(param_messages::kValueMissing).arg(m_known[k]->text()).toStdString(),
                         MessageIcon::Stop);
            m_values[k]->setFocus();
            return false;
        }
    }
    const std::optional<CParamPoint> point = Calculate();
    if (!point)
        return false;
    m_picked = PickedState{point->m_t, point->m_tw, point->m_RH};
    emit picked(*m_picked);
    accept();
    return true;
}
