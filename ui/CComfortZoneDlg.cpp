#include "ui/CComfortZoneDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "project/CQORVADoc.h"

CComfortZoneDlg::CComfortZoneDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent)
{
    setWindowTitle(QStringLiteral("绘制舒适区"));
    auto* form = new QFormLayout(this);
    m_base = new QComboBox(this);
    m_base->setObjectName("base");
    FillList(m_base, model(), CIDG::kClassPoint);
    form->addRow(QStringLiteral("基点（室内状态点）:"), m_base);
    m_dt = AddNumber(form, QStringLiteral("温度波动范围(℃)："), "dt", QStringLiteral("0.5"));
    m_dRH = AddNumber(form, QStringLiteral("相对湿度波动范围(%):"), "dRH", QStringLiteral("5"));
    AddButtons(form, QStringLiteral("确定"));
}

bool CComfortZoneDlg::Apply()
{
    float dt = 0;
    float dRH = 0;
    if (!ReadNumber(m_dt, dt) || !ReadNumber(m_dRH, dRH))
        return false;
    return m_edits.MakeComfortZone(m_base->currentIndex(), dt, dRH);
}
