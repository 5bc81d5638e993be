#include "gui/drawing/CProcessStepDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include "analysis/ResultValues.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/FreeNames.h"
#include "gui/drawing/ScratchChart.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "model/ProcessSteps.h"
#include "project/CQORVADoc.h"

namespace {

// Every view holds the outdoor point W and the indoor point N first: the
// fresh air and the room's exhaust of a heat exchanger.
constexpr int kOutdoorPoint = 0;
constexpr int kIndoorPoint = 1;

} // namespace

QStringList CProcessStepDlg::TypeNames(int kind)
{
    if (kind == CStatePoint::kHeatRecovery)
        return {tr("全热回收"), tr("显热回收")};
    return {tr("直接蒸发冷却"), tr("间接蒸发冷却")};
}

CProcessStepDlg::CProcessStepDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int kind,
                                 QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nKind(kind)
{
    const bool recovery = kind == CStatePoint::kHeatRecovery;
    setWindowTitle(recovery ? tr("绘制热回收点") : tr("绘制蒸发冷却点"));
    auto* form = new QFormLayout(this);
    const CIDG& idg = model();
    m_name = AddText(form, tr("名称"), "name",
                     QString::fromStdString(FreePointName(idg.m_pPoints, recovery ? "HR" : "EC")));
    m_point1 = AddObjectList(form, recovery ? tr("室外点") : tr("状态点"), CIDG::kClassPoint, "point1");
    if (idg.PointAt(kOutdoorPoint))
        m_point1->setCurrentIndex(kOutdoorPoint);
    if (recovery) {
        m_point2 = AddObjectList(form, tr("排风点"), CIDG::kClassPoint, "point2");
        if (idg.PointAt(kIndoorPoint))
            m_point2->setCurrentIndex(kIndoorPoint);
    }
    m_effectiveness = AddNumber(form, tr("效率(0-1)"), "effectiveness", recovery ? "0.6" : "0.8");
    m_type = new QComboBox(this);
    m_type->setObjectName("type");
    m_type->addItems(TypeNames(kind));
    form->addRow(recovery ? tr("热回收方式") : tr("蒸发冷却方式"), m_type);
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
    // The supply air the chart knows (the last 送风量, else the analysis's),
    // as the mixing point's share starts from it.
    m_airVolume = AddNumber(
        form, unit_text::Caption(tr("风量m^3/h"), idg.m_nUnitSystem), "airVolume",
        unit_text::Number(unit_text::Quantity::AirVolume, SupplyAirOfView(idg), idg.m_nUnitSystem, "%.0f"));
    AddButtons(form, tr("确认"));
    UpdatePreview();
}

bool CProcessStepDlg::Apply()
{
    float e = 0, airVolume = 0;
    if (!ReadNumber(m_effectiveness, e)) {
        alertMessage(
            QCoreApplication::translate("ProcessSteps", process_step_messages::kEffectiveness).toStdString(),
            MessageIcon::Stop);
        return false;
    }
    if (!ReadNumber(m_airVolume, airVolume) || airVolume < 0) {
        alertMessage(tr("风量必须为不小于0的数!").toStdString(), MessageIcon::Stop);
        return false;
    }
    airVolume = unit_text::Stored(unit_text::Quantity::AirVolume, airVolume, model().m_nUnitSystem);
    return m_edits.AddProcessStepPoint(m_nKind, m_name->text().toStdString(), m_point1->currentIndex(),
                                       m_point2 ? m_point2->currentIndex() : -1, m_type->currentIndex(), e,
                                       airVolume, m_view.DrawnWindow());
}

std::optional<CStatePoint> CProcessStepDlg::PreviewPoint() const
{
    float e = 0;
    if (!m_type || !ReadNumber(m_effectiveness, e))
        return std::nullopt;
    ScratchChart scratch(model());
    CStatePoint leaving;
    if (!scratch.idg().MakeProcessStepPoint(m_nKind, m_point1->currentIndex(),
                                            m_point2 ? m_point2->currentIndex() : -1, m_type->currentIndex(),
                                            e, leaving, 0, scratch.fullChart()))
        return std::nullopt;
    return leaving;
}
