#include "gui/drawing/CEditHhrLineDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

#include "gui/widgets/NumberValidator.h"
#include "gui/widgets/UnitText.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

CEditHhrLineDlg::CEditHhrLineDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, int lineIndex,
                                 QWidget* parent)
    : CBuilderDlg(document, view, picker, parent), m_nLineIndex(lineIndex)
{
    setWindowTitle(tr("修改热湿比线"));
    const CIDG& idg = model();
    const bool si = idg.m_nUnitSystem == CIDG::kUnitsSI;
    auto* form = new QFormLayout(this);
    m_name = AddText(form, tr("名称"), "name");
    m_point = new QLineEdit(this);
    m_point->setObjectName("point1");
    m_point->setReadOnly(true);
    auto* stateButton = new QPushButton(QStringLiteral("A"), this);
    stateButton->setObjectName("pointState");
    stateButton->setAutoDefault(false);
    stateButton->setFixedWidth(30);
    connect(stateButton, &QPushButton::clicked, this, [this] { ShowPointState(); });
    auto* pointRow = new QHBoxLayout;
    pointRow->addWidget(m_point, 1);
    pointRow->addWidget(stateButton);
    form->addRow(tr("状态点1"), pointRow);
    const int units = idg.m_nUnitSystem;
    m_ratio = AddText(form, unit_text::Caption(si ? tr("热湿比kJ/kg") : tr("热湿比kcal/kg"), units), "ratio");
    makeNumeric(m_ratio);
    if (idg.m_pHhrLines && lineIndex >= 0 && lineIndex < static_cast<int>(idg.m_pHhrLines->size())) {
        const CReShiBiXian& line = *(*idg.m_pHhrLines)[static_cast<std::size_t>(lineIndex)];
        float x = 0, h = 0, ratio = line.m_fRatio;
        idg.HhrLineBase(lineIndex, x, h, ratio);
        m_nPoint = line.m_nPoint1;
        m_name->setText(QString::fromStdString(line.m_strName));
        if (const CStatePoint* point = idg.PointAt(m_nPoint))
            m_point->setText(QString::fromStdString(point->m_strName));
        m_ratio->setText(unit_text::Number(unit_text::Quantity::EnthalpyDifference, ratio, units, "%.0f"));
    }
    AddButtons(form, tr("确认"));
}

void CEditHhrLineDlg::ShowPointState() const
{
    const CStatePoint* point = model().PointAt(m_nPoint);
    if (!point)
        return;
    const int units = model().m_nUnitSystem;
    const auto temperature = [units](float t) {
        return double(unit_text::Shown(unit_text::Quantity::Temperature, t, units));
    };
    const QString text = unit_text::Caption(tr("干球温度： %1℃\n湿球温度： %2℃\n相对湿度:  %3"), units)
                             .arg(temperature(point->m_t), 0, 'f', 1)
                             .arg(temperature(point->m_tw), 0, 'f', 1)
                             .arg(point->m_RH * 100.0, 0, 'f', 0);
    alertMessage(text.toStdString(), MessageIcon::Information, tr("状态点参数").toStdString());
}

bool CEditHhrLineDlg::Apply()
{
    float ratio = 0;
    if (!ReadNumber(m_ratio, ratio))
        return false;
    ratio = unit_text::Stored(unit_text::Quantity::EnthalpyDifference, ratio, model().m_nUnitSystem);
    return m_edits.EditHhrLine(m_nLineIndex, m_name->text().toStdString(), ratio);
}
