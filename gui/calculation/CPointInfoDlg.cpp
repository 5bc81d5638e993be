#include "gui/calculation/CPointInfoDlg.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "analysis/Calculations.h"
#include "gui/drawing/CComfortZoneDlg.h"
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
    const auto number = [](const char* pattern, double value) { return QString::asprintf(pattern, value); };
    row(tr("状态点名称"), "name", QString::fromStdString(point.m_strName));
    row(tr("大气压力Pa"), "p", number("%.1f", point.m_p));
    row(tr("干球温度℃"), "t", number("%.2f", point.m_t));
    row(tr("湿球温度℃"), "tw", number("%.2f", point.m_tw));
    row(tr("相对湿度％"), "rh", number("%.1f", humidityShown(point.m_RH)));
    row(tr("露点温度℃"), "td", number("%.2f", point.m_td));
    row(tr("含湿量g/kg"), "d", number("%.2f", moistureShown(point.m_d)));
    row(si ? tr("焓kJ/kg") : tr("焓kcal/kg"), "h",
        number("%.2f", enthalpyShown(point.m_h, unitSystemOf(unitSystem))));
    row(tr("水蒸气分压力Pa"), "pq", number("%.1f", point.m_pq));
    row(tr("饱和水蒸气分压力Pa"), "pqb", number("%.1f", point.m_pqb));
    row(tr("比容m^3/kg"), "v", number("%.4f", point.m_v));
    row(tr("密度kg/m^3"), "rho", number("%.4f", point.m_rho));
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
