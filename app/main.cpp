#include <QApplication>

#include <cstdio>
#include <cstring>

#include "app/CQORVAApp.h"
#include "app/Version.h"

int main(int argc, char* argv[])
{
    // Answered before the application starts, so it needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("qorva %s\n", kQorvaVersion);
        return 0;
    }
    Q_INIT_RESOURCE(resources);
    QApplication application(argc, argv);
    QApplication::setApplicationName("QORVA");
    QApplication::setOrganizationName("QORVA");
    CQORVAApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
