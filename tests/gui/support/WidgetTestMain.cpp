#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "gui/widgets/WindowTitle.h"

// Widget tests need one QApplication for the whole run; they run on the
// offscreen platform unless the environment says otherwise.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setOrganizationName("QORVA-tests");
    // Settings (the recent-file list) go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    // As the program does: dialogs are as wide as their titles.
    fitDialogTitles(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
