#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/widgets/WindowTitle.h"

// Widget tests need one QApplication for the whole run; they run on the
// offscreen platform unless the environment says otherwise.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings (the recent-file list, the language, the weather files) and
    // recovery copies go to folders of this run, never the user's, and never
    // those of a test running beside it in another process.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    QApplication application(argc, argv);
    QApplication::setOrganizationName("QORVA-tests");
    // As the program does: dialogs are as wide as their titles.
    fitDialogTitles(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
