#include "gui/drawing/CEditLinePointDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "gui/drawing/ScratchChart.h"
#include "project/CQORVADoc.h"

namespace {

int baseOf(const CStatePoint& point)
{
    switch (point.m_nKind) {
    case CStatePoint::kEqualMoisture:
        return point.m_nBaseD;
    case CStatePoint::kEqualTemperature:
        return point.m_nBaseT;
    case CStatePoint::kEqualEnthalpy:
        return point.m_nBaseH;
    case CStatePoint::kOnProcessLine:
        return point.m_nOnProcessLine;
    default:
        return point.m_nOnHhrLine;
    }
}

} // namespace

QString CEditLinePointDlg::Title(int method)
{
    switch (method) {
    case CIDG::kMethodEqualMoisture:
        return tr("修改等含湿量点");
    case CIDG::kMethodEqualTemperature:
        return tr("修改等温点");
    case CIDG::kMethodEqualEnthalpy:
        return tr("修改等焓点");
    case CIDG::kMethodProcessLine:
        return tr("修改同一过程线上的点");
    default:
        return tr("修改同一热湿比线上的点");
    }
}

int CEditLinePointDlg::MethodOf(int kind)
{
    switch (kind) {
    case CStatePoint::kEqualMoisture:
        return CIDG::kMethodEqualMoisture;
    case CStatePoint::kEqualTemperature:
        return CIDG::kMethodEqualTemperature;
    case CStatePoint::kEqualEnthalpy:
        return CIDG::kMethodEqualEnthalpy;
    case CStatePoint::kOnProcessLine:
        return CIDG::kMethodProcessLine;
    case CStatePoint::kOnHhrLine:
        return CIDG::kMethodHhrLine;
    default:
        return -1;
    }
}

CEditLinePointDlg::CEditLinePointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker,
                                     int pointIndex, QWidget* parent)
    : CLinePointDlg(
          document, view, picker,
          MethodOf(document.model().PointAt(pointIndex) ? document.model().PointAt(pointIndex)->m_nKind : -1),
          parent),
      m_nIndex(pointIndex)
{
    setWindowTitle(Title(method()));
    const CStatePoint* point = model().PointAt(pointIndex);
    auto* form = static_cast<QFormLayout*>(layout());
    // The base object stays what the point was made from.
    m_base->setEnabled(false);
    if (auto* pick = findChild<QPushButton*>("basePick"))
        pick->setEnabled(false);
    if (point) {
        m_base->setCurrentIndex(baseOf(*point));
        ShowValue(point->m_nValueKind, point->m_fValue);
        m_name->setText(QString::fromStdString(point->m_strName));
    }
    m_state = AddStateReadout(form, ButtonRow(form));
    ShowState(m_state, point ? std::optional<CStatePoint>(*point) : std::nullopt);
    AddEditButtons(form, ButtonRow(form), tr("计    算"), tr("转化为独立状态点"), [this] {
        const std::optional<CStatePoint> moved = PreviewPoint();
        if (moved)
            ShowState(m_state, moved);
        UpdatePreview();
    });
}

std::optional<CStatePoint> CEditLinePointDlg::PreviewPoint() const
{
    const CStatePoint* point = model().PointAt(m_nIndex);
    int kind = -1;
    float value = 0;
    if (!point || !ReadValue(kind, value))
        return std::nullopt;
    ScratchChart scratch(model());
    CStatePoint moved = *point;
    if (!scratch.idg().MakeLinePointByValue(method(), baseOf(*point), kind, value, moved, 0,
                                            scratch.fullChart()))
        return std::nullopt;
    return moved;
}

bool CEditLinePointDlg::Apply()
{
    int kind = -1;
    float value = 0;
    if (!ReadValue(kind, value))
        return false;
    return m_edits.EditLinePoint(m_nIndex, m_name->text().toStdString(), kind, value, m_bMakeIndependent);
}
