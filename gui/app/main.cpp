#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstring>

#include "QorvaVersion.h"
#include "gui/app/CQORVAApp.h"
#include "gui/app/Language.h"
#include "gui/app/UserFolders.h"
#include "gui/widgets/WindowTitle.h"
#ifdef QORVA_SCRIPTED_SESSION
#include "ScriptedSession.h"
#endif

int main(int argc, char* argv[])
{
    // Answered before the application starts, so it needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("qorva %s\n", kQorvaVersion);
        return 0;
    }
    Q_INIT_RESOURCE(resources);
    QApplication application(argc, argv);
    QApplication::setApplicationName(user_folders::kApplication);
    QApplication::setOrganizationName(user_folders::kOrganisation);
    user_folders::MoveOldUserFiles();
    fitDialogTitles(application);
    // The interface language: --lang for this run, else the stored choice,
    // else the system locale. Only the real program chooses; the tests keep
    // the Chinese source texts whatever the machine's locale.
    QStringList arguments = QApplication::arguments();
    QString problem;
    const auto commandLine = takeLanguageArgument(arguments, &problem);
    if (!problem.isEmpty())
        std::fprintf(stderr, "qorva: %s\n", qPrintable(problem));
    if (!installLanguage(startLanguage(commandLine, storedLanguage(), QLocale::system())))
        std::fprintf(stderr, "qorva: the English catalogue could not be loaded\n");
    CQORVAApp app;
    if (!app.InitInstance(arguments))
        return 1;
#ifdef QORVA_SCRIPTED_SESSION
    // A test build of the program whose session the environment scripts.
    startScriptedSession(app);
#endif
    app.RecoverAtStart();
    return QApplication::exec();
}
