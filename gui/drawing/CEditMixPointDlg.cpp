#include "gui/drawing/CEditMixPointDlg.h"

#include <QCoreApplication>
#include <QLineEdit>

#include "gui/drawing/ScratchChart.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

CEditMixPointDlg::CEditMixPointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int pointIndex,
                                   QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nIndex(pointIndex)
{
    setWindowTitle(tr("修改混合点"));
    auto* form = new QFormLayout(this);
    const CIDG& idg = model();
    const CStatePoint* point = idg.PointAt(pointIndex);
    auto nameOf = [&idg](int index) {
        const CStatePoint* source = idg.PointAt(index);
        return source ? QString::fromStdString(source->m_strName) : QString();
    };
    m_name = AddText(form, tr("名称"), "name", point ? QString::fromStdString(point->m_strName) : "");
    AddText(form, tr("状态点1"), "point1", nameOf(point ? point->m_nMixSrc1 : -1))->setReadOnly(true);
    AddText(form, tr("状态点2"), "point2", nameOf(point ? point->m_nMixSrc2 : -1))->setReadOnly(true);
    m_ratio =
        AddNumber(form, tr("混风比％"), "ratio", Format("%.0f", point ? point->m_fMixRatio * 100.0 : 0.0));
    m_state = AddStateReadout(form, -1);
    ShowState(m_state, point ? std::optional<CStatePoint>(*point) : std::nullopt);
    AddEditButtons(form, -1, tr("计算"), tr("独立状态点"), [this] {
        const std::optional<CStatePoint> mixture = PreviewPoint();
        if (mixture)
            ShowState(m_state, mixture);
        UpdatePreview();
    });
    AddButtons(form, tr("确定"));
}

std::optional<CStatePoint> CEditMixPointDlg::PreviewPoint() const
{
    float percent = 0;
    const CStatePoint* point = model().PointAt(m_nIndex);
    if (!point || !ReadNumber(m_ratio, percent))
        return std::nullopt;
    ScratchChart scratch(model());
    CStatePoint mixture = *point;
    if (!scratch.idg().MakeMixingPoint(point->m_nMixSrc1, point->m_nMixSrc2,
                                       static_cast<float>(double(percent) / 100.0), mixture, 0,
                                       scratch.fullChart()))
        return std::nullopt;
    return mixture;
}

bool CEditMixPointDlg::Apply()
{
    float percent = 0;
    if (!ReadNumber(m_ratio, percent)) {
        alertMessage(QCoreApplication::translate("CIDG", cidg_messages::kMixingRatioRange).toStdString(),
                     MessageIcon::Stop);
        return false;
    }
    return m_edits.EditMixingPoint(m_nIndex, m_name->text().toStdString(), percent, m_bMakeIndependent);
}
