#include "app/CommandModules.h"

#include "app/CMainFrame.h"
#include "chart/widgets/ChartOutputCommands.h"
#include "chart/widgets/ViewCommands.h"
#include "project/widgets/ProjectCommands.h"
#include "project/widgets/TextFileCommands.h"

void installCommandModules(CMainFrame& frame)
{
    installProjectCommands(frame);
    installViewCommands(frame);
    installChartOutputCommands(frame);
    installTextFileCommands(frame);
}
