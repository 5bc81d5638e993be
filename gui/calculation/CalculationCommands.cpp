#include "gui/calculation/CalculationCommands.h"

#include <QPointer>

#include <memory>

#include "render/ChartRenderer.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/calculation/CDifferenceDlg.h"
#include "gui/calculation/COutputPointDlg.h"
#include "gui/calculation/CParamPointDlg.h"
#include "gui/calculation/CPointCalcDlg.h"
#include "gui/calculation/CPointInfoDlg.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/ChartBuilder.h"
#include "project/CQORVADoc.h"

namespace {

constexpr int kClassPoint = 0;

// The point under a view position, −1 when the click is beside every point.
int pointUnder(const CQORVADoc& document, CQORVAView& view, const QPoint& logical)
{
    ChartRenderer chart(document.model());
    chart.LayoutChart(view.chartDevice());
    const PickResult pick = chart.PickObject(logical.x(), logical.y());
    return pick.nClass == kClassPoint ? pick.index : -1;
}

class CalculationCommands final : public QObject {
public:
    explicit CalculationCommands(CMainFrame& frame)
        : QObject(&frame), m_frame(frame), m_document(frame.document()), m_view(frame.view()),
          m_builder(frame.findChild<ChartBuilder*>("ChartBuilder"))
    {
        if (m_view)
            m_view->installModeHandler(CQORVAView::kModeStateInfo, &m_info);
    }
    ~CalculationCommands() override
    {
        // The frame takes its children down in any order: the view may be gone.
        if (m_view)
            m_view->installModeHandler(CQORVAView::kModeStateInfo, nullptr);
    }

    void OpenPointDialog(ResultKind kind)
    {
        // One point dialog at a time: a second command replaces the first.
        if (m_dialog)
            m_dialog->close();
        CPointCalcDlg* dialog =
            kind == ResultKind::MixingRatio ? new CMixRatioCalcDlg(m_document, &m_frame)
            : kind == ResultKind::HeatMoistureRatio || kind == ResultKind::TreatmentEnthalpy
                ? static_cast<CPointCalcDlg*>(new CRatioCalcDlg(m_document, kind, &m_frame))
                : new CLoadCalcDlg(m_document, kind, &m_frame);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        // "..." picks like the builders' "...": a click on a point fills the
        // row, a right click gives the pick up.
        connect(dialog, &CPointCalcDlg::pickRequested, this, [this, dialog] {
            if (!m_builder) {
                dialog->CancelPick();
                return;
            }
            QPointer<CPointCalcDlg> alive = dialog;
            m_builder->picker().Arm(
                dialog, kClassPoint,
                [alive](int index) {
                    if (alive)
                        alive->PickPoint(index);
                },
                [alive] {
                    if (alive)
                        alive->CancelPick();
                });
        });
        m_dialog = dialog;
        dialog->show();
    }

private:
    // 查看 → 状态点: a click on a point shows its full parameters.
    class InfoMode final : public ViewModeHandler {
    public:
        InfoMode(CMainFrame& frame) : m_frame(frame) {}
        void leftPress(CQORVAView& view, const QPoint& logical) override
        {
            const CQORVADoc& document = m_frame.document();
            const int index = pointUnder(document, view, logical);
            if (index < 0)
                return;
            const std::optional<CParamPoint> point = StatePointParameters(document.model(), index);
            if (!point)
                return;
            CPointInfoDlg dialog(*point, document.model().m_nUnitSystem, &m_frame,
                                 document.model().CurrentCondition() == kConditionWinter);
            dialog.exec();
        }
        void rightPress(CQORVAView& view) override { view.SetViewMode(CQORVAView::kModeNone); }

    private:
        CMainFrame& m_frame;
    };

    CMainFrame& m_frame;
    CQORVADoc& m_document;
    QPointer<CQORVAView> m_view;
    QPointer<ChartBuilder> m_builder;
    QPointer<CPointCalcDlg> m_dialog;
    InfoMode m_info{m_frame};
};

} // namespace

void installCalculationCommands(CMainFrame& frame)
{
    auto* commands = new CalculationCommands(frame);
    CQORVADoc& document = frame.document();
    for (const auto& [id, kind] :
         {std::pair{cmd::CalcAirVolume, ResultKind::AirVolume},
          std::pair{cmd::CalcCoilCooling, ResultKind::Cooling},
          std::pair{cmd::CalcHeating, ResultKind::Heating}, std::pair{cmd::CalcReheat, ResultKind::Reheat},
          std::pair{cmd::CalcPreheat, ResultKind::Preheat},
          std::pair{cmd::CalcHumidification, ResultKind::Humidification},
          std::pair{cmd::CalcMixingRatio, ResultKind::MixingRatio},
          std::pair{cmd::CalcHhr, ResultKind::HeatMoistureRatio},
          std::pair{cmd::CalcTreatmentEnthalpy, ResultKind::TreatmentEnthalpy}}) {
        const ResultKind k = kind;
        frame.setHandler(id, [commands, k] { commands->OpenPointDialog(k); });
    }
    frame.setHandler(cmd::CalcEnthalpyDifference, [&frame, &document] {
        CEnthalpyDiffDlg dialog(document, &frame);
        dialog.exec();
    });
    frame.setHandler(cmd::CalcMoistureDifference, [&frame, &document] {
        CMoistureDiffDlg dialog(document, &frame);
        dialog.exec();
    });
    frame.setHandler(cmd::CalcParamPoint, [&frame, &document] {
        CParamPointDlg dialog(document, CParamPointDlg::Form::List, &frame);
        dialog.exec();
    });
    frame.setHandler(cmd::OutputStatePoint, [&frame, &document] {
        COutputPointDlg dialog(document, &frame);
        dialog.exec();
    });
    const auto infoOn = [&frame] {
        return frame.view() && frame.view()->viewMode() == CQORVAView::kModeStateInfo;
    };
    frame.setHandler(
        cmd::InfoStatePoint,
        [&frame, infoOn] {
            if (CQORVAView* view = frame.view())
                view->SetViewMode(infoOn() ? CQORVAView::kModeNone : CQORVAView::kModeStateInfo);
        },
        infoOn);
}
