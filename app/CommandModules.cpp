#include "app/CommandModules.h"

#include "app/CMainFrame.h"
#include "chart/widgets/ChartOutputCommands.h"
#include "chart/widgets/ViewCommands.h"
#include "project/widgets/ProjectCommands.h"
#include "ui/CalculationCommands.h"

void installCommandModules(CMainFrame& frame)
{
    installProjectCommands(frame);
    installViewCommands(frame);
    installChartOutputCommands(frame);
    installCalculationCommands(frame);
}
