#include "app/CommandModules.h"

#include "analysis/widgets/AnalysisDialogs.h"
#include "app/CMainFrame.h"
#include "chart/widgets/ChartOutputCommands.h"
#include "chart/widgets/ViewCommands.h"
#include "project/widgets/ProjectCommands.h"
#include "ui/ChartBuilder.h"
#include "ui/CalculationCommands.h"
#include "project/widgets/TextFileCommands.h"

void installCommandModules(CMainFrame& frame)
{
    installProjectCommands(frame);
    installViewCommands(frame);
    installChartOutputCommands(frame);
    installBuilderCommands(frame);
    installAnalysisCommands(frame);
    installCalculationCommands(frame);
    installTextFileCommands(frame);
}
