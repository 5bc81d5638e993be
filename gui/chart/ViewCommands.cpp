#include "gui/chart/ViewCommands.h"

#include <QAction>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CQORVAView.h"

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
    // Modes also end from the mouse (a right press, a finished zoom): the
    // ticks follow at once.
    QObject::connect(view, &CQORVAView::modeChanged, &frame, [&frame] { frame.updateCommandStates(); });
}
