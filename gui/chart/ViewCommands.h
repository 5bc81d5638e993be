#pragma once

class CMainFrame;

// Installs the zoom, clip, restore and pick commands of the chart view, and
// the choice of the chart's form (查看 → ASHRAE 图), shown in the status bar
// and remembered for each project in the settings.
void installViewCommands(CMainFrame& frame);
