#include "gui/drawing/CLinePointDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/chart/CQORVAView.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "project/CQORVADoc.h"

namespace {

constexpr std::array<const char*, 7> kValueCaptions = {
    QT_TRANSLATE_NOOP("CLinePointDlg", "温差℃"),      QT_TRANSLATE_NOOP("CLinePointDlg", "含湿量差g/kg"),
    QT_TRANSLATE_NOOP("CLinePointDlg", "干球温度℃"),  QT_TRANSLATE_NOOP("CLinePointDlg", "相对湿度％"),
    QT_TRANSLATE_NOOP("CLinePointDlg", "含湿量g/kg"), QT_TRANSLATE_NOOP("CLinePointDlg", "湿球温度℃"),
    QT_TRANSLATE_NOOP("CLinePointDlg", "焓kJ/kg")};

// What each value kind measures, for its shown and typed units.
constexpr std::array<unit_text::Quantity, 7> kValueQuantities = {unit_text::Quantity::TemperatureDifference,
                                                                 unit_text::Quantity::MoistureContent,
                                                                 unit_text::Quantity::Temperature,
                                                                 unit_text::Quantity::RelativeHumidity,
                                                                 unit_text::Quantity::MoistureContent,
                                                                 unit_text::Quantity::Temperature,
                                                                 unit_text::Quantity::Enthalpy};

unit_text::Quantity quantityOf(int valueKind)
{
    return kValueQuantities[static_cast<std::size_t>(valueKind)];
}

} // namespace

QString CLinePointDlg::Title(int method)
{
    switch (method) {
    case CIDG::kMethodEqualMoisture:
        return tr("绘制等含湿量点");
    case CIDG::kMethodEqualTemperature:
        return tr("绘制等温点");
    case CIDG::kMethodEqualEnthalpy:
        return tr("绘制等焓点");
    case CIDG::kMethodProcessLine:
        return tr("绘制同一过程线上的点");
    default:
        return tr("绘制同一热湿比线上的点");
    }
}

bool CLinePointDlg::Offers(int method, int valueKind)
{
    switch (method) {
    case CIDG::kMethodEqualMoisture: // x is fixed: no Δx, no x
        return valueKind != CStatePoint::kMoistureDifference && valueKind != CStatePoint::kMoistureContent;
    case CIDG::kMethodEqualTemperature: // t is fixed
        return valueKind != CStatePoint::kTemperatureDifference && valueKind != CStatePoint::kDryBulb;
    case CIDG::kMethodEqualEnthalpy:
        return valueKind != CStatePoint::kEnthalpy;
    default:
        return true;
    }
}

CLinePointDlg::CLinePointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int method,
                             QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nMethod(method)
{
    setWindowTitle(Title(method));
    auto* form = new QFormLayout(this);
    const int baseClass = method == CIDG::kMethodProcessLine ? CIDG::kClassProcessLine
                          : method == CIDG::kMethodHhrLine   ? CIDG::kClassHhrLine
                                                             : CIDG::kClassPoint;
    const QString baseLabel = baseClass == CIDG::kClassPoint         ? tr("状态点")
                              : baseClass == CIDG::kClassProcessLine ? tr("过程线")
                                                                     : tr("热湿比线");
    m_base = AddObjectList(form, baseLabel, baseClass, "base");
    auto* group = new QButtonGroup(this);
    const bool si = model().m_nUnitSystem == CIDG::kUnitsSI;
    for (int kind = 0; kind < 7; ++kind) {
        const QString caption = kind == CStatePoint::kEnthalpy && !si
                                    ? tr("焓kcal/kg")
                                    : tr(kValueCaptions[static_cast<std::size_t>(kind)]);
        auto* radio = new QRadioButton(unit_text::Caption(caption, model().m_nUnitSystem), this);
        radio->setObjectName(QStringLiteral("kind%1").arg(kind));
        auto* value = new QLineEdit(this);
        value->setObjectName(QStringLiteral("value%1").arg(kind));
        makeNumeric(value);
        group->addButton(radio, kind);
        radio->setEnabled(Offers(method, kind));
        value->setEnabled(false);
        connect(radio, &QRadioButton::toggled, value, &QLineEdit::setEnabled);
        connect(radio, &QRadioButton::toggled, this, [this] { CopyFromSamePoint(); });
        form->addRow(radio, value);
        m_kinds[static_cast<std::size_t>(kind)] = radio;
        m_values[static_cast<std::size_t>(kind)] = value;
    }
    for (int kind = 0; kind < 7; ++kind)
        if (Offers(method, kind)) {
            m_kinds[static_cast<std::size_t>(kind)]->setChecked(true);
            break;
        }
    m_same = new QCheckBox(tr("同状态点"), this);
    m_same->setObjectName("same");
    form->addRow(m_same);
    m_samePoint = AddObjectList(form, QString(), CIDG::kClassPoint, "samePoint");
    m_samePoint->setCurrentIndex(-1);
    connect(m_samePoint, &QComboBox::currentIndexChanged, this, [this] { CopyFromSamePoint(); });
    connect(m_same, &QCheckBox::toggled, this, [this] { CopyFromSamePoint(); });
    m_name =
        AddText(form, tr("名称"), "name", QString::fromStdString(CIDG::UniqueName(*model().m_pPoints, "P")));
    AddButtons(form, tr("确定"));
}

void CLinePointDlg::CopyFromSamePoint()
{
    if (!m_same || !m_samePoint || !m_same->isChecked())
        return;
    const CStatePoint* point = model().PointAt(m_samePoint->currentIndex());
    if (!point)
        return;
    const std::array<float, 7> stored = {0, 0, point->m_t, point->m_RH, point->m_d, point->m_tw, point->m_h};
    for (int kind = CStatePoint::kDryBulb; kind < 7; ++kind)
        if (m_kinds[static_cast<std::size_t>(kind)]->isChecked())
            m_values[static_cast<std::size_t>(kind)]->setText(unit_text::Number(
                quantityOf(kind), stored[static_cast<std::size_t>(kind)], model().m_nUnitSystem, "%.2f"));
}

bool CLinePointDlg::ReadValue(int& valueKind, float& value) const
{
    for (int kind = 0; kind < 7; ++kind) {
        if (!m_kinds[static_cast<std::size_t>(kind)]->isChecked())
            continue;
        float shown = 0;
        if (!ReadNumber(m_values[static_cast<std::size_t>(kind)], shown))
            return false;
        valueKind = kind;
        // Stored units: K, kg/kg, °C, fraction, kJ/kg.
        value = unit_text::Stored(quantityOf(kind), shown, model().m_nUnitSystem);
        return true;
    }
    return false;
}

void CLinePointDlg::ShowValue(int valueKind, float value)
{
    if (valueKind < 0 || valueKind >= static_cast<int>(m_kinds.size()))
        return;
    m_kinds[static_cast<std::size_t>(valueKind)]->setChecked(true);
    m_values[static_cast<std::size_t>(valueKind)]->setText(
        unit_text::Number(quantityOf(valueKind), value, model().m_nUnitSystem, "%.2f"));
}

bool CLinePointDlg::Apply()
{
    int kind = -1;
    float value = 0;
    if (!ReadValue(kind, value))
        return false;
    return m_edits.AddLinePoint(m_nMethod, m_base->currentIndex(), kind, value, m_name->text().toStdString(),
                                m_view.DrawnWindow());
}
