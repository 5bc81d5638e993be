#include "gui/drawing/CRelatedPointsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/chart/CQORVAView.h"
#include "gui/drawing/ScratchChart.h"
#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "project/CQORVADoc.h"

namespace {

using unit_text::Quantity;

// What the difference kinds (Δt, Δx) and the property kinds (t, RH, x, tw,
// h) measure, for their shown and typed units.
constexpr Quantity kDifferenceQuantities[] = {Quantity::TemperatureDifference, Quantity::MoistureContent};
constexpr Quantity kPropertyQuantities[] = {Quantity::Temperature, Quantity::RelativeHumidity,
                                            Quantity::MoistureContent, Quantity::Temperature,
                                            Quantity::Enthalpy};

// Two names of the pattern R0, R1, … that no point carries.
std::pair<std::string, std::string> freeNames(const ObjectArray<CStatePoint>& points)
{
    std::vector<std::string> found;
    for (std::size_t n = 0; n <= points.size() + 1 && found.size() < 2; ++n) {
        const std::string name = "R" + std::to_string(n);
        bool taken = false;
        for (const auto& point : points)
            taken = taken || point->m_strName == name;
        if (!taken)
            found.push_back(name);
    }
    found.resize(2);
    return {found[0], found[1]};
}

} // namespace

CRelatedPointsDlg::CRelatedPointsDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                     QWidget* parent)
    : CBuilderDlg(document, view, picker, parent)
{
    setWindowTitle(tr("绘制两个相关状态点"));
    auto* form = new QFormLayout(this);
    m_hhrLine = AddObjectList(form, tr("热湿比线"), CIDG::kClassHhrLine, "hhrLine");
    m_hhrLine->setCurrentIndex(-1);
    const int units = model().m_nUnitSystem;
    const bool si = units == CIDG::kUnitsSI;
    auto addRadios = [this, form, units](QButtonGroup* group, const QStringList& captions,
                                         const QString& prefix, auto& radios, auto& values) {
        for (int kind = 0; kind < captions.size(); ++kind) {
            auto* radio = new QRadioButton(unit_text::Caption(captions[kind], units), this);
            radio->setObjectName(prefix + QString::number(kind));
            auto* value = new QLineEdit(this);
            value->setObjectName(prefix + QStringLiteral("Value") + QString::number(kind));
            makeNumeric(value);
            value->setEnabled(false);
            group->addButton(radio, kind);
            connect(radio, &QRadioButton::toggled, value, &QLineEdit::setEnabled);
            connect(radio, &QRadioButton::toggled, this, [this] { CopyFromSamePoint(); });
            connect(value, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
            form->addRow(radio, value);
            radios[static_cast<std::size_t>(kind)] = radio;
            values[static_cast<std::size_t>(kind)] = value;
        }
        radios[0]->setChecked(true);
    };
    addRadios(new QButtonGroup(this), {tr("温差℃"), tr("含湿量差g/kg")}, QStringLiteral("difference"),
              m_differenceKinds, m_differences);
    addRadios(new QButtonGroup(this),
              {tr("干球温度℃"), tr("相对湿度％"), tr("含湿量g/kg"), tr("湿球温度℃"),
               si ? tr("焓kJ/kg") : tr("焓kcal/kg")},
              QStringLiteral("property"), m_propertyKinds, m_properties);
    m_same = new QCheckBox(tr("同状态点"), this);
    m_same->setObjectName("same");
    form->addRow(m_same);
    m_samePoint = AddObjectList(form, QString(), CIDG::kClassPoint, "samePoint");
    m_samePoint->setCurrentIndex(-1);
    connect(m_samePoint, &QComboBox::currentIndexChanged, this, [this] { CopyFromSamePoint(); });
    connect(m_same, &QCheckBox::toggled, this, [this] { CopyFromSamePoint(); });
    const auto [first, second] = freeNames(*model().m_pPoints);
    m_name1 = AddText(form, tr("相关状态点1"), "name1", QString::fromStdString(first));
    m_name2 = AddText(form, tr("相关状态点2"), "name2", QString::fromStdString(second));
    AddButtons(form, tr("确定"));
}

void CRelatedPointsDlg::CopyFromSamePoint()
{
    if (!m_same || !m_samePoint || !m_same->isChecked())
        return;
    const CStatePoint* point = model().PointAt(m_samePoint->currentIndex());
    if (!point)
        return;
    Inputs inputs;
    ReadInputs(inputs);
    const std::array<float, kPropertyKinds> stored = {point->m_t, point->m_RH, point->m_d, point->m_tw,
                                                      point->m_h};
    inputs.property = stored[static_cast<std::size_t>(inputs.propertyKind)];
    ShowInputs(inputs);
}

bool CRelatedPointsDlg::ReadInputs(Inputs& inputs) const
{
    // The lists announce changes while the dialog is still being built.
    if (!m_name2)
        return false;
    bool ok = true;
    for (int kind = 0; kind < kDifferenceKinds; ++kind)
        if (m_differenceKinds[static_cast<std::size_t>(kind)]->isChecked()) {
            inputs.differenceKind = kind;
            float shown = 0;
            ok = ReadNumber(m_differences[static_cast<std::size_t>(kind)], shown) && ok;
            inputs.difference = unit_text::Stored(kDifferenceQuantities[kind], shown, model().m_nUnitSystem);
        }
    for (int kind = 0; kind < kPropertyKinds; ++kind)
        if (m_propertyKinds[static_cast<std::size_t>(kind)]->isChecked()) {
            inputs.propertyKind = kind;
            float shown = 0;
            ok = ReadNumber(m_properties[static_cast<std::size_t>(kind)], shown) && ok;
            inputs.property = unit_text::Stored(kPropertyQuantities[kind], shown, model().m_nUnitSystem);
        }
    return ok;
}

void CRelatedPointsDlg::ShowInputs(const Inputs& inputs)
{
    if (inputs.differenceKind >= 0 && inputs.differenceKind < kDifferenceKinds) {
        const auto k = static_cast<std::size_t>(inputs.differenceKind);
        m_differenceKinds[k]->setChecked(true);
        m_differences[k]->setText(
            unit_text::Number(kDifferenceQuantities[k], inputs.difference, model().m_nUnitSystem, "%.2f"));
    }
    if (inputs.propertyKind >= 0 && inputs.propertyKind < kPropertyKinds) {
        const auto k = static_cast<std::size_t>(inputs.propertyKind);
        m_propertyKinds[k]->setChecked(true);
        m_properties[k]->setText(
            unit_text::Number(kPropertyQuantities[k], inputs.property, model().m_nUnitSystem, "%.2f"));
    }
}

bool CRelatedPointsDlg::ComputePair(int hhrLine, CStatePoint& point1, CStatePoint& point2) const
{
    Inputs in;
    if (!ReadInputs(in))
        return false;
    std::array<float, kPropertyKinds> p{};
    p[static_cast<std::size_t>(in.propertyKind)] = in.property;
    ScratchChart scratch(model());
    return scratch.idg().MakeRelatedPoints(hhrLine, in.differenceKind, in.propertyKind,
                                           in.differenceKind == 0 ? in.difference : 0.0f,
                                           in.differenceKind == 1 ? in.difference : 0.0f, p[0], p[3], p[1],
                                           p[4], p[2], point1, point2, 0, scratch.fullChart()) == 1;
}

std::optional<CStatePoint> CRelatedPointsDlg::PreviewPoint() const
{
    CStatePoint point1;
    CStatePoint point2;
    // Names no point of the chart can carry, so that no name check refuses the preview.
    point1.m_strName = "\n1";
    point2.m_strName = "\n2";
    if (!ComputePair(m_hhrLine->currentIndex(), point1, point2))
        return std::nullopt;
    return point1;
}

bool CRelatedPointsDlg::Apply()
{
    Inputs in;
    if (!ReadInputs(in))
        return false;
    return m_edits.AddRelatedPoints(m_hhrLine->currentIndex(), in.differenceKind, in.difference,
                                    in.propertyKind, in.property, m_name1->text().toStdString(),
                                    m_name2->text().toStdString(), m_view.DrawnWindow());
}
