#pragma once

class CMainFrame;

// Installs the command handlers of every module (project lifecycle, drawing,
// calculations, analyses) into the frame.
void installCommandModules(CMainFrame& frame);
