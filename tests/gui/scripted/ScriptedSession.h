#pragma once

class CQORVAApp;

// The program's session scripted by the environment, in the test build of
// the program only (the kill test starts it):
//   QORVA_SCRIPT_CHOICE  the button every question with buttons is answered with;
//   QORVA_SCRIPT_EDITS   this many changes of the project, one undo step each,
//                        after which the project's bytes go to QORVA_SCRIPT_HELD
//                        and "edited" to standard output;
//   QORVA_SCRIPT_DUMP    once started (after the recovery question), the
//                        project's bytes go to this file, its path to standard
//                        output, and the program quits.
// Messages are written to standard error.
void startScriptedSession(CQORVAApp& app);
