// Resoni: starts the Qt application, the program object and its event loop.
#include "gui/app/ResoniApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    CResoniApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 0;
    const int rc = QApplication::exec();
    return app.ExitInstance(rc);
}
