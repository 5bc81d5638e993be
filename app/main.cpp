#include <QApplication>

#include "app/CQORVAApp.h"

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(resources);
    QApplication application(argc, argv);
    QApplication::setApplicationName("QORVA");
    QApplication::setOrganizationName("QORVA");
    CQORVAApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
