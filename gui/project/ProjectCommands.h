#pragma once

class CMainFrame;

// Installs the handlers of the project lifecycle and the project settings:
// new project (wizard), open, system–room data and atmospheric pressure.
void installProjectCommands(CMainFrame& frame);

// The commands' steps, callable without the menu (tests, the shell).
namespace project_commands {
// New project: the save question, the location dialog (shown again while
// its input is not valid), the wizard, then the new project is set up and
// saved at once. False when cancelled anywhere.
bool NewProject(CMainFrame& frame);
// The system–room dialog on a working copy; OK replaces the project's data.
bool EditSystemsAndRooms(CMainFrame& frame);
// The atmospheric-pressure dialog; OK stores the eight values.
bool EditAtmosphericPressure(CMainFrame& frame);
} // namespace project_commands
