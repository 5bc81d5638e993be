#include "gui/drawing/CHhrLineDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "project/CQORVADoc.h"

CHhrLineDlg::CHhrLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent)
{
    const CIDG& idg = model();
    setWindowTitle(tr("绘制热湿比线"));
    auto* form = new QFormLayout(this);
    m_name =
        AddText(form, tr("名称"), "name", QString::fromStdString(CIDG::UniqueName(*idg.m_pHhrLines, "E")));
    m_point1 = AddObjectList(form, tr("状态点1"), CIDG::kClassPoint, "point1");
    m_byPoint2 = new QRadioButton(tr("状态点2"), this);
    m_byPoint2->setObjectName("byPoint2");
    form->addRow(m_byPoint2);
    m_point2 = AddObjectList(form, QString(), CIDG::kClassPoint, "point2");
    const bool si = idg.m_nUnitSystem == CIDG::kUnitsSI;
    m_byRatio = new QRadioButton(
        unit_text::Caption(si ? tr("热湿比kJ/kg") : tr("热湿比kcal/kg"), idg.m_nUnitSystem), this);
    m_byRatio->setObjectName("byRatio");
    m_ratio = new QLineEdit(this);
    m_ratio->setObjectName("ratio");
    makeNumeric(m_ratio);
    form->addRow(m_byRatio, m_ratio);
    m_byRatio->setChecked(true);
    AddButtons(form, tr("确认"));
}

bool CHhrLineDlg::Apply()
{
    const bool byPoints = m_byPoint2->isChecked();
    float ratio = 0;
    if (!byPoints && !ReadNumber(m_ratio, ratio))
        return false;
    ratio = unit_text::Stored(unit_text::Quantity::EnthalpyDifference, ratio, model().m_nUnitSystem);
    return m_edits.AddHhrLine(m_name->text().toStdString(), m_point1->currentIndex(), byPoints,
                              m_point2->currentIndex(), ratio);
}
