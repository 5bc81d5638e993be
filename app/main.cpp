#include <QApplication>

#include "app/CQORVAApp.h"
#ifdef QORVA_SCRIPTED_SESSION
#include "ScriptedSession.h"
#endif

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(resources);
    QApplication application(argc, argv);
    QApplication::setApplicationName("QORVA");
    QApplication::setOrganizationName("QORVA");
    CQORVAApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
#ifdef QORVA_SCRIPTED_SESSION
    // A test build of the program whose session the environment scripts.
    startScriptedSession(app);
#endif
    app.RecoverAtStart();
    return QApplication::exec();
}
