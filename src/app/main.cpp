// Resoni: starts the Qt application, the program object and its event loop.
// "resoni [PROFILNAME] [DATEI]": a user profile to start with and/or a WAV file to open.
#include "gui/app/ResoniApp.h"
#include "gui/app/ToolbarIcons.h"
#include "gui/presentation/HelpDirectory.h"
#include "gui/profiles/ProfileStore.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef RESONI_VERSION
#define RESONI_VERSION "0"
#endif

namespace {

// Usage and the folders the program takes its data from; needs no display.
int printHelp(int argc, char** argv)
{
    QCoreApplication core(argc, argv);
    const QString help = HelpDirectory();
    std::printf("Aufruf: resoni [PROFILNAME] [DATEI]\n"
                "  PROFILNAME  ein eigenes Profil (ResoniUserProfil-PROFILNAME.ini)\n"
                "  DATEI       eine WAV-Datei, die nach dem Start geladen wird\n"
                "  --version   die Version\n\n"
                "Profile: %s\nEigene Profile: %s\nHilfe: %s\n",
                qPrintable(ShippedProfileDirectory()), qPrintable(UserProfileDirectory()),
                help.isEmpty() ? "(nicht gefunden)" : qPrintable(help));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("resoni %s\n", RESONI_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return printHelp(argc, argv);
    }
    QApplication qtApp(argc, argv);
    QApplication::setWindowIcon(ToolbarIcons::programIcon());
    QApplication::setDesktopFileName(QStringLiteral("resoni"));
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
