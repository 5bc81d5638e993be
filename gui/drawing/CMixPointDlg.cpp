#include "gui/drawing/CMixPointDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLineEdit>

#include "analysis/Calculations.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/FreeNames.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"
#include "psychro/QorvaDll.h"

namespace {

// Every view holds the outdoor point W and the indoor point N first.
constexpr int kOutdoorPoint = 0;
constexpr int kIndoorPoint = 1;

} // namespace

CMixPointDlg::CMixPointDlg(CQORVADoc& document, CQORVAView& view, ChartPicker& picker, QWidget* parent)
    : CBuilderDlg(document, view, picker, parent)
{
    setWindowTitle(tr("绘制混合点"));
    auto* form = new QFormLayout(this);
    const CIDG& idg = model();
    m_name = AddText(form, tr("名称"), "name", QString::fromStdString(FreePointName(idg.m_pPoints, "MixPt")));
    m_point1 = AddObjectList(form, tr("状态点1"), CIDG::kClassPoint, "point1");
    m_point2 = AddObjectList(form, tr("状态点2"), CIDG::kClassPoint, "point2");
    m_line = AddObjectList(form, tr("过程线"), CIDG::kClassProcessLine, "line");
    m_line->setCurrentIndex(-1);
    // The fresh-air share of the room's supply air (of the last 送风量
    // calculation, else of its analysis) is where a mixture usually starts.
    const float freshAir = idg.RoomFreshAir();
    const float supply = SupplyAirOfView(idg);
    const double percent = freshAir != -1.0f && supply > 0.0f ? 100.0 * freshAir / supply : 0.0;
    m_ratio = AddNumber(form, tr("混风比％"), "ratio", Format("%.0f", percent));
    // Return air N mixed with outdoor air W: the ratio is the share of W.
    if (idg.PointAt(kIndoorPoint) && idg.PointAt(kOutdoorPoint)) {
        m_point1->setCurrentIndex(kIndoorPoint);
        m_point2->setCurrentIndex(kOutdoorPoint);
    }
    connect(m_line, &QComboBox::currentIndexChanged, this, [this](int index) {
        const CIDG& chart = model();
        if (!chart.m_pProcessLines || index < 0 || index >= static_cast<int>(chart.m_pProcessLines->size()))
            return;
        const CGuoChengXian& line = *(*chart.m_pProcessLines)[static_cast<std::size_t>(index)];
        m_point1->setCurrentIndex(line.m_nStart);
        m_point2->setCurrentIndex(line.m_nEnd);
    });
    AddButtons(form, tr("确认"));
    UpdatePreview();
}

bool CMixPointDlg::Apply()
{
    float percent = 0;
    if (!ReadNumber(m_ratio, percent)) {
        alertMessage(QCoreApplication::translate("CIDG", cidg_messages::kMixingRatioRange).toStdString(),
                     MessageIcon::Stop);
        return false;
    }
    return m_edits.AddMixingPoint(m_name->text().toStdString(), m_point1->currentIndex(),
                                  m_point2->currentIndex(), percent, m_view.DrawnWindow());
}

std::optional<CStatePoint> CMixPointDlg::PreviewPoint() const
{
    float percent = 0;
    const CStatePoint* a = model().PointAt(m_point1->currentIndex());
    const CStatePoint* b = model().PointAt(m_point2->currentIndex());
    if (!a || !b || a == b || !ReadNumber(m_ratio, percent) || percent < 0)
        return std::nullopt;
    const float r = static_cast<float>(double(percent) / 100.0);
    CStatePoint mixture;
    if (a->m_h == b->m_h) {
        mixture.m_d = (1 - r) * a->m_d + r * b->m_d;
        mixture.m_h = a->m_h;
    } else if (!px1h1x2h2ratio_xh(model().m_fSummerPressure, a->m_d, a->m_h, b->m_d, b->m_h, r, &mixture.m_d,
                                  &mixture.m_h)) {
        return std::nullopt;
    }
    mixture.m_bKnownD = 1;
    mixture.m_bKnownH = 1;
    if (!model().CalcStatePoint(mixture))
        return std::nullopt;
    return mixture;
}
