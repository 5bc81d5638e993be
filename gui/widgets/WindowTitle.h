#pragma once

class QApplication;
class QWidget;

// A window's smallest width at which a title bar shows its whole title
// beside the title bar's buttons: English titles are often longer than the
// controls below them are wide, and a narrow dialog's title is cut
// ("Interse…s Lines").
int titleWidth(const QWidget* window);

// From now on every dialog of application is made at least titleWidth wide
// when it is shown (its minimum width raised, never lowered).
void fitDialogTitles(QApplication& application);
