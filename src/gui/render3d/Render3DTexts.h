// The texts of the 3D frame: its failure messages, in the wording the program has always used,
// naming what fails here (OpenGL), the key help of the overlay and the device dialog.
#pragma once

namespace Render3DText {

constexpr const char* kNoOpenGL =
    "Could not initialize OpenGL. You may\nwant to check that the latest version of\nthe OpenGL driver (Mesa) is "
    "correctly installed on your\nsystem.  Also make sure that this program\nruns on a display that "
    "offers\nOpenGL (GLX or EGL).";
constexpr const char* kNoCompatibleDevice = "Could not find any compatible OpenGL 3.3\ncore contexts.";
constexpr const char* kLacksFunctions =
    "This sample requires functionality that is\nnot available on your OpenGL\naccelerator (a depth buffer).";
constexpr const char* kCannotRender =
    "Da die Hardwarebeschleunigung (OpenGL) nicht gestartet\nwerden kann, ist ein Rendern des Ausgabemediums "
    "unmöglich.";
constexpr const char* kDisable3D =
    "Die Hardwarebeschleunigung der Grafikkarte\nist nicht OpenGL 3.3 kompatibel oder deaktiviert,\nso dass die "
    "3D Module 'Rekonstruktion' und '3D FFT' deaktiviert werden müssen.";
constexpr const char* kMediaMissing = "Could not load required media.";
constexpr const char* kMeshFailed = "Netzerstellung misslungen, bitte erneut versuchen.";

constexpr const char* kHelpOff = "Shortcuts aus: Strg+F1";
constexpr const char* kHelpActions =
    "Drehung:\n   x-Achse\n   y-Achse  \n   z-Achse\n\nVerschiebung:\n\nBewegung:\n\nRollen:\nZoom:\n\nAls Bitmap "
    "speichern:\n\nGrafikkarteneinstellungen:";
constexpr const char* kHelpKeys =
    "\nMausrad + Shift\nMausrad + Ctrl\nMausrad\n\nPfeiltasten auf Ziffernblock oder \nMaus ziehen + linke "
    "Maustaste\nPfeiltasten oder \nMaus ziehen + rechte Maustaste\nZiffernblock 7,9\n+,-\n\nF5\n\nF2";

constexpr const char* kDeviceTitle = "Einstellungen der Grafikkarte";
constexpr const char* kAdapter = "Grafikadapter:";
constexpr const char* kMode = "Modus:";
constexpr const char* kMultisampleGroup = "Multisampleeinstellung";
constexpr const char* kMultisample = "Multisample:";
constexpr const char* kNoMultisample = "none";
constexpr const char* kSamples = "%d samples";
constexpr const char* kModeText = "%ld x %ld x %ld";

// The save dialog's filters: BMP and DDS as always, PNG beside them.
constexpr const char* kSaveFilters =
    "BMP - Bitmap Grafikdatei|*.bmp|DDS - DirectDraw Surface File|*.dds|PNG - Portable Network Graphics|*.png|";
constexpr const char* kSaveFailed = "Das Bild \"%1\" konnte nicht geschrieben werden.";

} // namespace Render3DText
