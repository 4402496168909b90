#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the layout, the desktop entry, the icons
# and that the installed programs find their profiles, help and demo sound there.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
cd "$prefix"
ls bin/resoni bin/resoni-analyze bin/resoni-render share/resoni/Profile/ResoniStandardProfil.ini \
   share/resoni/help/inhalt.txt share/icons/hicolor/scalable/apps/resoni.svg >/dev/null
for n in 16 32 48 64 128 256; do
  file share/icons/hicolor/${n}x$n/apps/resoni.png | grep -q "PNG image data, $n x $n,"
done
desktop-file-validate share/applications/resoni.desktop
# Nothing from the build tree or the system's data folders may help the installed programs.
export XDG_CONFIG_HOME="$prefix/cfg" XDG_DATA_DIRS=/nonexistent QT_QPA_PLATFORM=offscreen
bin/resoni --version | grep -Eqx 'resoni [0-9]+\.[0-9]+\.[0-9]+'
bin/resoni --help | grep -qx "Profile: $prefix/share/resoni/Profile"
bin/resoni --help | grep -qx "Hilfe: $prefix/share/resoni/help"
bin/resoni-analyze info share/resoni/Profile/ResoniDemoKlang.wav | grep -qx '1,1,44100,16,264600,132300,3'
bin/resoni-render sonogram share/resoni/Profile/ResoniDemoKlang.wav --profile Standard --out s.png
file s.png | grep -q 'PNG image data, 800 x 400'
