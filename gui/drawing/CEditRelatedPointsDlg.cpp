#include "gui/drawing/CEditRelatedPointsDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "project/CQORVADoc.h"

CEditRelatedPointsDlg::CEditRelatedPointsDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                             int pointIndex, QWidget* parent)
    : CRelatedPointsDlg(document, view, picker, parent)
{
    setWindowTitle(tr("修改两个相关状态点"));
    const CIDG& idg = model();
    const CStatePoint* picked = idg.PointAt(pointIndex);
    if (picked && idg.PointAt(picked->m_nRelPartner)) {
        m_nFirst = std::min(pointIndex, picked->m_nRelPartner);
        m_nSecond = std::max(pointIndex, picked->m_nRelPartner);
    }
    const CStatePoint* first = idg.PointAt(m_nFirst);
    const CStatePoint* second = idg.PointAt(m_nSecond);
    // The ε line stays the one the pair lies on.
    m_hhrLine->setEnabled(false);
    if (auto* pick = findChild<QPushButton*>("hhrLinePick"))
        pick->setEnabled(false);
    auto* form = static_cast<QFormLayout*>(layout());
    if (first && second) {
        m_hhrLine->setCurrentIndex(first->m_nRelHhrLine);
        ShowInputs({first->m_nRelDiffType, first->m_fRelValue1, first->m_nRelPropType, first->m_fRelValue2});
        m_name1->setText(QString::fromStdString(first->m_strName));
        m_name2->setText(QString::fromStdString(second->m_strName));
    }
    m_state1 = AddStateReadout(form, ButtonRow(form), QStringLiteral("1"));
    m_state2 = AddStateReadout(form, ButtonRow(form), QStringLiteral("2"));
    ShowState(m_state1, first ? std::optional<CStatePoint>(*first) : std::nullopt);
    ShowState(m_state2, second ? std::optional<CStatePoint>(*second) : std::nullopt);
    // 计      算 shows the new pair; the stored points change only on OK.
    AddEditButtons(form, ButtonRow(form), tr("计      算"), tr("转化为独立状态点"), [this] {
        CStatePoint a, b;
        if (ComputeEdited(a, b)) {
            ShowState(m_state1, a);
            ShowState(m_state2, b);
        }
        UpdatePreview();
    });
}

bool CEditRelatedPointsDlg::ComputeEdited(CStatePoint& first, CStatePoint& second) const
{
    const CStatePoint* a = model().PointAt(m_nFirst);
    const CStatePoint* b = model().PointAt(m_nSecond);
    if (!a || !b)
        return false;
    // The names are checked on OK; here the stored names keep the check quiet.
    first = *a;
    second = *b;
    return ComputePair(a->m_nRelHhrLine, first, second);
}

std::optional<CStatePoint> CEditRelatedPointsDlg::PreviewPoint() const
{
    CStatePoint a, b;
    if (m_nFirst < 0 || !ComputeEdited(a, b))
        return std::nullopt;
    return a;
}

bool CEditRelatedPointsDlg::Apply()
{
    Inputs in;
    if (!ReadInputs(in))
        return false;
    return m_edits.EditRelatedPoints(m_nFirst, m_name1->text().toStdString(), m_name2->text().toStdString(),
                                     in.differenceKind, in.difference, in.propertyKind, in.property,
                                     m_bMakeIndependent);
}
