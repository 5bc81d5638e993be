#include "gui/calculation/CPointCalcDlg.h"

#include <cmath>

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"
#include "project/DocumentCalculations.h"
#include "psychro/Units.h"

namespace {

using namespace qorva::units;

// The row of the indoor state N, where every point selection starts.
constexpr int kIndoorPoint = 1;
constexpr float kWattsPerKilowatt = 1000.0f;

bool isCapacity(ResultKind kind)
{
    return kind == ResultKind::Cooling || kind == ResultKind::Heating || kind == ResultKind::Reheat ||
           kind == ResultKind::Preheat;
}

bool takesAirVolume(ResultKind kind)
{
    return isCapacity(kind) || kind == ResultKind::Humidification;
}

bool isSI(int unitSystem)
{
    return unitSystemOf(unitSystem) == UnitSystem::SI;
}

QString number(const char* pattern, double value)
{
    return QString::asprintf(pattern, value);
}

// Why a calculation gave no value: two equal points leave nothing to
// divide by, which the user is told instead of seeing nothing happen.
std::string whyNotComputed(const CIDG& idg, ResultKind kind, const ResultPoints& points)
{
    const int first = points[result_ref::kFirst];
    const int second = points[result_ref::kSecond];
    const CStatePoint* a = idg.PointAt(first);
    const CStatePoint* b = idg.PointAt(second);
    if (first == second || (kind == ResultKind::MixingRatio && points[result_ref::kMixture] == first) ||
        (kind == ResultKind::MixingRatio && points[result_ref::kMixture] == second))
        return QCoreApplication::translate("CPointCalcDlg", "所选的状态点相同，无法计算，请选择不同的状态点!")
            .toStdString();
    if (a && b && a->m_h == b->m_h && a->m_d == b->m_d)
        return QCoreApplication::translate("CPointCalcDlg",
                                           "两个状态点的状态相同，无法计算，请选择不同的状态点!")
            .toStdString();
    const bool byMoisture = kind == ResultKind::Humidification || kind == ResultKind::HeatMoistureRatio;
    if (a && b && byMoisture && a->m_d == b->m_d)
        return QCoreApplication::translate("CPointCalcDlg", "两个状态点的含湿量相同，无法计算!")
            .toStdString();
    if (a && b && !byMoisture && kind != ResultKind::MixingRatio && a->m_h == b->m_h)
        return QCoreApplication::translate("CPointCalcDlg", "两个状态点的焓值相同，无法计算!").toStdString();
    return QCoreApplication::translate("CPointCalcDlg", "计算错误，请检查输入数据!").toStdString();
}

} // namespace

QString CalculationTitle(ResultKind kind)
{
    switch (kind) {
    case ResultKind::AirVolume:
        return QCoreApplication::translate("CPointCalcDlg", "计算—送风量");
    case ResultKind::Cooling:
        return QCoreApplication::translate("CPointCalcDlg", "计算—空调器处理冷量");
    case ResultKind::Heating:
        return QCoreApplication::translate("CPointCalcDlg", "计算—加热量");
    case ResultKind::Reheat:
        return QCoreApplication::translate("CPointCalcDlg", "计算—再热量");
    case ResultKind::Preheat:
        return QCoreApplication::translate("CPointCalcDlg", "计算—预热量");
    case ResultKind::Humidification:
        return QCoreApplication::translate("CPointCalcDlg", "计算—加湿量");
    case ResultKind::MixingRatio:
        return QCoreApplication::translate("CPointCalcDlg", "计算－混风比");
    case ResultKind::HeatMoistureRatio:
        return QCoreApplication::translate("CPointCalcDlg", "计算—热湿比");
    case ResultKind::TreatmentEnthalpy:
        return QCoreApplication::translate("CPointCalcDlg", "计算—处理焓差");
    default:
        return QString();
    }
}

QString CalculationInputLabel(ResultKind kind, int unitSystem)
{
    if (kind == ResultKind::AirVolume)
        return unit_text::Caption(isSI(unitSystem)
                                      ? QCoreApplication::translate("CPointCalcDlg", "冷量kW")
                                      : QCoreApplication::translate("CPointCalcDlg", "冷量kcal/h"),
                                  unitSystem);
    if (takesAirVolume(kind))
        return unit_text::Caption(QCoreApplication::translate("CPointCalcDlg", "风量m^3/h"), unitSystem);
    return QString();
}

namespace {

// The label in SI or engineering units.
QString metricOutputLabel(ResultKind kind, int unitSystem)
{
    const bool si = isSI(unitSystem);
    switch (kind) {
    case ResultKind::AirVolume:
        return QCoreApplication::translate("CPointCalcDlg", "风量m^3/h");
    case ResultKind::Cooling:
        return si ? QCoreApplication::translate("CPointCalcDlg", "冷量kW")
                  : QCoreApplication::translate("CPointCalcDlg", "冷量kcal/h");
    case ResultKind::Heating:
        return si ? QCoreApplication::translate("CPointCalcDlg", "加热量kW")
                  : QCoreApplication::translate("CPointCalcDlg", "加热量kcal/h");
    case ResultKind::Reheat:
        return si ? QCoreApplication::translate("CPointCalcDlg", "再热量kW")
                  : QCoreApplication::translate("CPointCalcDlg", "再热量kcal/h");
    case ResultKind::Preheat:
        return si ? QCoreApplication::translate("CPointCalcDlg", "预热量kW")
                  : QCoreApplication::translate("CPointCalcDlg", "预热量kcal/h");
    case ResultKind::Humidification:
        return QCoreApplication::translate("CPointCalcDlg", "加湿量kg/h");
    case ResultKind::MixingRatio:
        return QCoreApplication::translate("CPointCalcDlg", "混风比%");
    case ResultKind::HeatMoistureRatio:
        return si ? QCoreApplication::translate("CPointCalcDlg", "热湿比kJ/kg")
                  : QCoreApplication::translate("CPointCalcDlg", "热湿比kcal/kg");
    case ResultKind::TreatmentEnthalpy:
        return si ? QCoreApplication::translate("CPointCalcDlg", "处理焓差kJ/kg")
                  : QCoreApplication::translate("CPointCalcDlg", "处理焓差kcal/kg");
    default:
        return QString();
    }
}

} // namespace

QString CalculationOutputLabel(ResultKind kind, int unitSystem)
{
    return unit_text::Caption(metricOutputLabel(kind, unitSystem), unitSystem);
}

CPointCalcDlg::CPointCalcDlg(CQORVADoc& document, ResultKind kind, QWidget* parent)
    : QDialog(parent), m_document(document), m_kind(kind)
{
    setWindowTitle(CalculationTitle(kind));
    const int units = document.model().m_nUnitSystem;
    auto* grid = new QGridLayout(this);
    const QStringList rowNames = {tr("状态点1"), tr("状态点2"), tr("混合点")};
    int line = 0;
    for (int row = 0; row < rowCount(); ++row) {
        Row& r = m_rows[static_cast<std::size_t>(row)];
        grid->addWidget(new QLabel(rowNames[row]), line, 0);
        r.points = new QComboBox;
        r.points->setObjectName(QStringLiteral("point%1").arg(row));
        grid->addWidget(r.points, line, 1);
        auto* pick = new QPushButton(QStringLiteral("..."));
        pick->setObjectName(QStringLiteral("pick%1").arg(row));
        connect(pick, &QPushButton::clicked, this, [this, row] { ArmPick(row); });
        grid->addWidget(pick, line, 2);
        r.t = new QLabel;
        r.t->setObjectName(QStringLiteral("t%1").arg(row));
        r.tw = new QLabel;
        r.tw->setObjectName(QStringLiteral("tw%1").arg(row));
        r.rh = new QLabel;
        r.rh->setObjectName(QStringLiteral("rh%1").arg(row));
        grid->addWidget(new QLabel(unit_text::Caption(tr("干球温度 ℃"), units)), line + 1, 0);
        grid->addWidget(r.t, line + 1, 1);
        grid->addWidget(new QLabel(unit_text::Caption(tr("湿球温度 ℃"), units)), line + 2, 0);
        grid->addWidget(r.tw, line + 2, 1);
        grid->addWidget(new QLabel(tr("相对湿度 ％")), line + 3, 0);
        grid->addWidget(r.rh, line + 3, 1);
        line += 4;
        connect(r.points, &QComboBox::currentIndexChanged, this, [this, row] { ShowRow(row); });
    }
    if (const QString input = CalculationInputLabel(kind, units); !input.isEmpty()) {
        auto* label = new QLabel(input);
        label->setObjectName(QStringLiteral("inputLabel"));
        grid->addWidget(label, line, 0);
        m_input = new QLineEdit;
        m_input->setObjectName(QStringLiteral("input"));
        makeNumeric(m_input);
        grid->addWidget(m_input, line++, 1);
    }
    m_outputLabel = new QLabel(CalculationOutputLabel(kind, units));
    m_outputLabel->setObjectName(QStringLiteral("outputLabel"));
    grid->addWidget(m_outputLabel, line, 0);
    m_output = new QLineEdit;
    m_output->setObjectName(QStringLiteral("output"));
    m_output->setReadOnly(true);
    grid->addWidget(m_output, line++, 1);

    auto* buttons = new QHBoxLayout;
    auto* calculate = new QPushButton(tr("计算"));
    calculate->setObjectName(QStringLiteral("calculate"));
    auto* ok = new QPushButton(tr("确认"));
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(tr("取消"));
    cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(calculate);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, line, 0, 1, 3);
    connect(calculate, &QPushButton::clicked, this, [this] { Calculate(); });
    connect(ok, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FillDefaults();
}

int CPointCalcDlg::rowCount() const
{
    return m_kind == ResultKind::MixingRatio ? 3 : 2;
}

void CPointCalcDlg::FillDefaults()
{
    const CIDG& idg = m_document.model();
    QStringList names;
    if (idg.m_pPoints)
        for (const auto& point : *idg.m_pPoints)
            names << QString::fromStdString(point->m_strName);
    for (int row = 0; row < rowCount(); ++row) {
        QComboBox* box = m_rows[static_cast<std::size_t>(row)].points;
        box->addItems(names);
        box->setCurrentIndex(names.size() > kIndoorPoint ? kIndoorPoint : -1);
        ShowRow(row);
    }
    if (!m_input)
        return;
    if (m_kind == ResultKind::AirVolume) {
        const CServiceArea* room = idg.CurrentRoom();
        const float watts = room ? room->m_fSummerLoad * kWattsPerKilowatt : 0.0f;
        m_input->setText(unit_text::Number(Quantity::Capacity, watts, idg.m_nUnitSystem,
                                           isSI(idg.m_nUnitSystem) ? "%.1f" : "%.0f", "%.0f"));
    } else {
        m_input->setText(
            unit_text::Number(Quantity::AirVolume, idg.m_fSupplyAirVolume, idg.m_nUnitSystem, "%.0f"));
    }
}

void CPointCalcDlg::ShowRow(int row)
{
    Row& r = m_rows[static_cast<std::size_t>(row)];
    const CStatePoint* point = m_document.model().PointAt(r.points->currentIndex());
    const int units = m_document.model().m_nUnitSystem;
    r.t->setText(point ? unit_text::Number(Quantity::Temperature, point->m_t, units, "%.1f") : QString());
    r.tw->setText(point ? unit_text::Number(Quantity::Temperature, point->m_tw, units, "%.1f") : QString());
    r.rh->setText(point ? number("%.0f", humidityShown(point->m_RH)) : QString());
}

ResultPoints CPointCalcDlg::Points() const
{
    ResultPoints points{-1, -1, -1};
    for (int row = 0; row < rowCount(); ++row)
        points[static_cast<std::size_t>(row)] = m_rows[static_cast<std::size_t>(row)].points->currentIndex();
    return points;
}

std::optional<float> CPointCalcDlg::Input() const
{
    if (!m_input)
        return 0.0f;
    bool ok = false;
    const float typed = m_input->text().toFloat(&ok);
    if (!ok)
        return std::nullopt;
    const int units = m_document.model().m_nUnitSystem;
    if (m_kind == ResultKind::AirVolume)
        return unit_text::Stored(Quantity::Capacity, typed, units);
    return unit_text::Stored(Quantity::AirVolume, typed, units);
}

std::optional<float> CPointCalcDlg::Calculate()
{
    const ResultPoints points = Points();
    const std::optional<float> input = Input();
    for (int row = 0; row < rowCount(); ++row)
        if (points[static_cast<std::size_t>(row)] < 0)
            return std::nullopt;
    if (!input)
        return std::nullopt;
    const CIDG& idg = m_document.model();
    const std::optional<float> value = ComputeResult(idg, m_kind, points, *input);
    if (!value) {
        alertMessage(whyNotComputed(idg, m_kind, points), MessageIcon::Warning);
        return std::nullopt;
    }
    const int units = idg.m_nUnitSystem;
    const auto show = [this, units](Quantity quantity, float stored, const char* pattern,
                                    const char* ipPattern = nullptr) {
        m_output->setText(unit_text::Number(quantity, stored, units, pattern, ipPattern));
    };
    switch (m_kind) {
    case ResultKind::AirVolume:
        show(Quantity::AirVolume, *value, "%.0f");
        break;
    case ResultKind::Humidification: {
        // Water taken out is a dehumidification of a positive amount.
        show(Quantity::MoistureFlow, std::fabs(*value), "%.3f");
        const CStatePoint* a = idg.PointAt(points[result_ref::kFirst]);
        const CStatePoint* b = idg.PointAt(points[result_ref::kSecond]);
        m_outputLabel->setText(
            unit_text::Caption(b->m_d > a->m_d ? tr("加湿量kg/h") : tr("除湿量kg/h"), units));
        break;
    }
    case ResultKind::MixingRatio:
        show(Quantity::RelativeHumidity, *value, "%.0f");
        break;
    case ResultKind::HeatMoistureRatio:
    case ResultKind::TreatmentEnthalpy:
        show(Quantity::EnthalpyDifference, *value, "%.1f");
        break;
    default:
        show(Quantity::Capacity, *value, isSI(units) ? "%.3f" : "%.0f", "%.0f");
        break;
    }
    return value;
}

bool CPointCalcDlg::Confirm()
{
    if (!Calculate())
        return false;
    const std::optional<float> input = Input();
    if (!AddCalculationResult(m_document, m_kind, Points(), input.value_or(0.0f)))
        return false;
    accept();
    return true;
}

void CPointCalcDlg::ArmPick(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    m_armedRow = row;
    hide();
    emit pickRequested();
}

void CPointCalcDlg::PickPoint(int pointIndex)
{
    if (m_armedRow < 0)
        return;
    QComboBox* box = m_rows[static_cast<std::size_t>(m_armedRow)].points;
    if (pointIndex >= 0 && pointIndex < box->count())
        box->setCurrentIndex(pointIndex);
    CancelPick();
}

void CPointCalcDlg::CancelPick()
{
    m_armedRow = -1;
    show();
}
