// Resoni: starts the Qt application, the program object and its event loop.
#include "gui/app/ResoniApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    int rc = 0;
    {
        CResoniApp app;
        if (app.InitInstance(QApplication::arguments()))
            rc = app.ExitInstance(QApplication::exec());
    } // the document, the profile and the sound devices are closed here
    // Qt 6.4's PulseAudio engine tears its connection down in a static destructor that races
    // with libpulse's own thread and now and then aborts at exit; everything of ours is closed
    // and written by now, so the process ends without that teardown.
    std::fflush(nullptr);
    std::_Exit(rc);
}
