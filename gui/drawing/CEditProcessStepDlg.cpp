#include "gui/drawing/CEditProcessStepDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include "gui/drawing/CProcessStepDlg.h"
#include "gui/drawing/ScratchChart.h"
#include "model/Messages.h"
#include "model/ProcessSteps.h"
#include "project/CQORVADoc.h"

CEditProcessStepDlg::CEditProcessStepDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                         int pointIndex, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nIndex(pointIndex)
{
    const CIDG& idg = model();
    const CStatePoint* point = idg.PointAt(pointIndex);
    m_nKind = point ? point->m_nKind : CStatePoint::kEvaporative;
    const bool recovery = m_nKind == CStatePoint::kHeatRecovery;
    setWindowTitle(recovery ? tr("修改热回收点") : tr("修改蒸发冷却点"));
    auto* form = new QFormLayout(this);
    auto nameOf = [&idg](int index) {
        const CStatePoint* source = idg.PointAt(index);
        return source ? QString::fromStdString(source->m_strName) : QString();
    };
    m_name = AddText(form, tr("名称"), "name", point ? QString::fromStdString(point->m_strName) : "");
    AddText(form, recovery ? tr("室外点") : tr("状态点"), "point1", nameOf(point ? point->m_nStepSrc1 : -1))
        ->setReadOnly(true);
    if (recovery)
        AddText(form, tr("排风点"), "point2", nameOf(point ? point->m_nStepSrc2 : -1))->setReadOnly(true);
    m_effectiveness =
        AddNumber(form, tr("效率(0-1)"), "effectiveness", Format("%.2f", point ? point->m_fStepEffect : 0.0));
    m_type = new QComboBox(this);
    m_type->setObjectName("type");
    m_type->addItems(CProcessStepDlg::TypeNames(m_nKind));
    m_type->setCurrentIndex(point && point->m_nStepType == 1 ? 1 : 0);
    form->addRow(recovery ? tr("热回收方式") : tr("蒸发冷却方式"), m_type);
    m_state = AddStateReadout(form, -1);
    ShowState(m_state, point ? std::optional<CStatePoint>(*point) : std::nullopt);
    AddEditButtons(form, -1, tr("计算"), tr("转化为独立状态点"), [this] {
        const std::optional<CStatePoint> leaving = PreviewPoint();
        if (leaving)
            ShowState(m_state, leaving);
        UpdatePreview();
    });
    AddButtons(form, tr("确定"));
}

std::optional<CStatePoint> CEditProcessStepDlg::PreviewPoint() const
{
    float e = 0;
    const CStatePoint* point = model().PointAt(m_nIndex);
    if (!point || !m_type || !ReadNumber(m_effectiveness, e))
        return std::nullopt;
    ScratchChart scratch(model());
    CStatePoint leaving = *point;
    if (!scratch.idg().MakeProcessStepPoint(m_nKind, point->m_nStepSrc1, point->m_nStepSrc2,
                                            m_type->currentIndex(), e, leaving, 0, scratch.fullChart()))
        return std::nullopt;
    return leaving;
}

bool CEditProcessStepDlg::Apply()
{
    float e = 0;
    if (!ReadNumber(m_effectiveness, e)) {
        alertMessage(
            QCoreApplication::translate("ProcessSteps", process_step_messages::kEffectiveness).toStdString(),
            MessageIcon::Stop);
        return false;
    }
    return m_edits.EditProcessStepPoint(m_nIndex, m_name->text().toStdString(), m_type->currentIndex(), e,
                                        m_bMakeIndependent);
}
