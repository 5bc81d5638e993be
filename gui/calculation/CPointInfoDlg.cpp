#include "gui/calculation/CPointInfoDlg.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "analysis/Calculations.h"
#include "gui/drawing/CComfortZoneDlg.h"
#include "gui/widgets/UnitText.h"
#include "psychro/DisplayUnits.h"
#include "psychro/Units.h"

CPointInfoDlg::CPointInfoDlg(const CParamPoint& point, int unitSystem, QWidget* parent, bool winter)
    : QDialog(parent), m_point(point), m_nUnitSystem(unitSystem)
{
    using namespace qorva::units;
    setWindowTitle(tr("状态点信息"));
    const bool si = unitSystemOf(unitSystem) == UnitSystem::SI;
    auto* form = new QFormLayout(this);
    const auto row = [form](const QString& label, const char* name, const QString& value) {
        auto* edit = new QLineEdit(value);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        form->addRow(label, edit);
    };
    using unit_text::Caption;
    const auto number = [unitSystem](Quantity quantity, float value, const char* pattern,
                                     const char* ipPattern = nullptr) {
        return unit_text::Number(quantity, value, unitSystem, pattern, ipPattern);
    };
    row(tr("状态点名称"), "name", QString::fromStdString(point.m_strName));
    row(Caption(tr("大气压力Pa"), unitSystem), "p", number(Quantity::Pressure, point.m_p, "%.1f", "%.3f"));
    row(Caption(tr("干球温度℃"), unitSystem), "t", number(Quantity::Temperature, point.m_t, "%.2f"));
    row(Caption(tr("湿球温度℃"), unitSystem), "tw", number(Quantity::Temperature, point.m_tw, "%.2f"));
    row(tr("相对湿度％"), "rh", number(Quantity::RelativeHumidity, point.m_RH, "%.1f"));
    row(Caption(tr("露点温度℃"), unitSystem), "td", number(Quantity::Temperature, point.m_td, "%.2f"));
    row(Caption(tr("含湿量g/kg"), unitSystem), "d", number(Quantity::MoistureContent, point.m_d, "%.2f"));
    row(Caption(si ? tr("焓kJ/kg") : tr("焓kcal/kg"), unitSystem), "h",
        number(Quantity::Enthalpy, point.m_h, "%.2f"));
    row(Caption(tr("水蒸气分压力Pa"), unitSystem), "pq",
        number(Quantity::Pressure, point.m_pq, "%.1f", "%.4f"));
    row(Caption(tr("饱和水蒸气分压力Pa"), unitSystem), "pqb",
        number(Quantity::Pressure, point.m_pqb, "%.1f", "%.4f"));
    row(Caption(tr("比容m^3/kg"), unitSystem), "v",
        number(Quantity::SpecificVolume, point.m_v, "%.4f", "%.3f"));
    row(Caption(tr("密度kg/m^3"), unitSystem), "rho", number(Quantity::Density, point.m_rho, "%.4f", "%.5f"));
    // The comfort index with the walls at air temperature.
    const ComfortOccupant occupant = CurrentComfortOccupant(winter);
    const auto [pmv, ppd] = ComfortIndexTexts(point.m_t, point.m_RH, occupant);
    row(tr("PMV（%1 met，%2 clo，%3 m/s）")
            .arg(occupant.met, 0, 'f', 1)
            .arg(occupant.clo, 0, 'f', 1)
            .arg(occupant.airSpeed, 0, 'f', 2),
        "pmv", pmv);
    row(tr("PPD％"), "ppd", ppd);
    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("复制"));
    copy->setObjectName(QStringLiteral("copy"));
    auto* ok = new QPushButton(tr("确认"));
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(tr("取消"));
    cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(copy);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CPointInfoDlg::TableText() const
{
    return QString::fromStdString(ParameterTable({&m_point}, m_nUnitSystem));
}

void CPointInfoDlg::CopyToClipboard() const
{
    QGuiApplication::clipboard()->setText(TableText());
}
