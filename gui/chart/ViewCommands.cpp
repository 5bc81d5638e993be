#include "gui/chart/ViewCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

#include <utility>

#include "chart/ChartForm.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"
#include "project/CQORVADoc.h"

namespace {

// The status bar's names of the form and the unit system shown, kept up
// with every change of the document.
class DisplayIndicator : public QObject {
public:
    DisplayIndicator(CMainFrame& frame, QLabel& form, QLabel& units)
        : QObject(&frame), m_document(frame.document()), m_form(form), m_units(units)
    {
        connect(&m_document, &CQORVADoc::changed, this, [this] { Show(); });
        Show();
    }

private:
    void Show()
    {
        m_form.setText(&m_document.chartForm() == &idChartForm()
                           ? QCoreApplication::translate("ViewCommands", "i-d 图")
                           : QCoreApplication::translate("ViewCommands", "ASHRAE 图"));
        const int units = m_document.model().m_nUnitSystem;
        m_units.setText(units == CIDG::kUnitsIP   ? QCoreApplication::translate("ViewCommands", "IP 单位")
                        : units == CIDG::kUnitsSI ? QCoreApplication::translate("ViewCommands", "SI 单位")
                                                  : QCoreApplication::translate("ViewCommands", "工程单位"));
    }

    CQORVADoc& m_document;
    QLabel& m_form;
    QLabel& m_units;
};

} // namespace

void installViewCommands(CMainFrame& frame)
{
    CQORVAView* view = frame.view();
    if (!view)
        return;
    // The zoom items carry a tick while their zoom mode is on.
    frame.action(cmd::ZoomIn)->setCheckable(true);
    frame.action(cmd::ZoomOut)->setCheckable(true);
    frame.setHandler(
        cmd::ZoomIn, [view] { view->OnZoomIn(); }, [view] { return view->zoomMode() == CZoomView::kZoomIn; });
    frame.setHandler(
        cmd::ZoomOut, [view] { view->OnZoomOut(); },
        [view] { return view->zoomMode() == CZoomView::kZoomOut; });
    frame.setHandler(cmd::ZoomAll, [view] { view->OnZoomAll(); });
    frame.setHandler(cmd::Clip, [view] { view->OnClip(); });
    frame.setHandler(cmd::Restore, [view] { view->OnRestore(); });
    frame.setHandler(
        cmd::Pick, [view] { view->OnPick(); }, [view] { return view->viewMode() == CQORVAView::kModePick; });
    CQORVADoc& document = frame.document();
    auto* shown = new QLabel(&frame);
    shown->setObjectName("chartFormIndicator");
    shown->setAlignment(Qt::AlignCenter);
    frame.statusBar()->addPermanentWidget(shown);
    auto* units = new QLabel(&frame);
    units->setObjectName("unitSystemIndicator");
    units->setAlignment(Qt::AlignCenter);
    frame.statusBar()->addPermanentWidget(units);
    new DisplayIndicator(frame, *shown, *units);
    frame.action(cmd::AshraeForm)->setCheckable(true);
    frame.setHandler(
        cmd::AshraeForm,
        [&document] {
            document.SetChartForm(&document.chartForm() == &ashraeChartForm() ? idChartForm()
                                                                              : ashraeChartForm());
        },
        [&document] { return &document.chartForm() == &ashraeChartForm(); });
    for (const auto& [id, system] :
         {std::pair{cmd::UnitsSI, CIDG::kUnitsSI}, std::pair{cmd::UnitsEngineering, CIDG::kUnitsEngineering},
          std::pair{cmd::UnitsIP, CIDG::kUnitsIP}}) {
        frame.action(id)->setCheckable(true);
        frame.setHandler(
            id, [&document, system = system] { document.SetUnitSystem(system); },
            [&document, system = system] { return document.model().m_nUnitSystem == system; });
    }
    // Modes also end from the mouse (a right press, a finished zoom): the
    // ticks follow at once.
    QObject::connect(view, &CQORVAView::modeChanged, &frame, [&frame] { frame.updateCommandStates(); });
}
