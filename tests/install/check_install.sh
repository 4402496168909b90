#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the layout, the desktop entry, the icons
# and that the installed programs find their profiles, help and demo sound there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"
for f in bin/resoni bin/resoni-analyze bin/resoni-render share/applications/resoni.desktop \
         share/resoni/Profile/ResoniStandardProfil.ini share/resoni/Profile/ResoniDemoKlang.wav \
         share/resoni/help/inhalt.txt share/icons/hicolor/scalable/apps/resoni.svg; do
  test -s "$f" || { echo "missing: $f"; exit 1; }
done
for n in 16 32 48 64 128 256; do
  file "share/icons/hicolor/${n}x${n}/apps/resoni.png" | grep -q "PNG image data, $n x $n," \
    || { echo "icon ${n}x${n} missing or of the wrong size"; exit 1; }
done
grep -q '<svg' share/icons/hicolor/scalable/apps/resoni.svg
desktop-file-validate share/applications/resoni.desktop
# Nothing from the build tree or the system's data folders may help the installed programs.
export XDG_CONFIG_HOME="$prefix/cfg" XDG_DATA_DIRS=/nonexistent QT_QPA_PLATFORM=offscreen
bin/resoni --version | grep -Eqx 'resoni [0-9]+\.[0-9]+\.[0-9]+'
bin/resoni --help | grep -qx "Profile: $prefix/share/resoni/Profile"
bin/resoni --help | grep -qx "Hilfe: $prefix/share/resoni/help"
bin/resoni-analyze info share/resoni/Profile/ResoniDemoKlang.wav | grep -qx '1,1,44100,16,264600,132300,3'
bin/resoni-render sonogram share/resoni/Profile/ResoniDemoKlang.wav --profile Standard --out "$prefix/s.png"
file "$prefix/s.png" | grep -q 'PNG image data, 800 x 400'
echo "install layout ok"
