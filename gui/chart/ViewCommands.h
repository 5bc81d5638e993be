#pragma once

class CMainFrame;

// Installs the zoom, clip, restore and pick commands of the chart view.
void installViewCommands(CMainFrame& frame);
