#include "gui/app/CommandModules.h"

#include "gui/analysis/AnalysisDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/calculation/CalculationCommands.h"
#include "gui/chart/ChartOutputCommands.h"
#include "gui/chart/ViewCommands.h"
#include "gui/climate/WeatherCommands.h"
#include "gui/drawing/ChartBuilder.h"
#include "gui/project/ProjectCommands.h"
#include "gui/project/TextFileCommands.h"

void installCommandModules(CMainFrame& frame)
{
    installProjectCommands(frame);
    installViewCommands(frame);
    installChartOutputCommands(frame);
    installBuilderCommands(frame);
    installAnalysisCommands(frame);
    installCalculationCommands(frame);
    installTextFileCommands(frame);
    installWeatherCommands(frame);
}
