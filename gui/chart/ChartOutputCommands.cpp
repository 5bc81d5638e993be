#include "gui/chart/ChartOutputCommands.h"

#include <QAction>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/chart/CPageSetupDlg.h"
#include "gui/chart/CQORVAView.h"
#include "gui/chart/CSetupSheet.h"
#include "gui/chart/ChartOutput.h"
#include "project/CQORVADoc.h"

void installChartOutputCommands(CMainFrame& frame)
{
    CQORVADoc& document = frame.document();
    CQORVAView* view = frame.view();
    const auto screen = [view] { return view ? view->chartDevice() : ChartDevice{}; };
    frame.setHandler(cmd::ElementAttributes, [&frame, &document] {
        if (const auto edited = CSetupSheet::Edit(ChartAttributes::From(document.model()), &frame))
            document.SetChartAttributes(*edited);
    });
    frame.setHandler(cmd::PageSetup, [&frame, &document] {
        if (const auto margins = CPageSetupDlg::Edit(PageMargins::From(document.model()), &frame))
            document.SetPageMargins(*margins);
    });
    frame.setHandler(cmd::ExportChart,
                     [&frame, &document, screen] { ExportChartMetafile(document, screen(), &frame); });
    frame.setHandler(cmd::FilePrint, [&frame, &document, screen] { PrintChart(document, screen(), &frame); });
    frame.setHandler(cmd::FilePrintPreview,
                     [&frame, &document, screen] { PrintPreviewChart(document, screen(), &frame); });
    // Printing lays out the page view only.
    frame.setEnabledWhen(cmd::FilePrint, [&document] { return document.model().m_bChartView == 0; });
    frame.setEnabledWhen(cmd::FilePrintPreview, [&document] { return document.model().m_bChartView == 0; });
}
