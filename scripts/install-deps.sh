#!/usr/bin/env bash
# Installs the Debian 12 packages Resoni needs to build, run and test. Skips apt when all are present.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev qt6-svg-dev libqt6svg6-dev libqt6svgwidgets6
  qt6-translations-l10n qt6-l10n-tools libgl1-mesa-dev libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev libsndfile1-dev
  xvfb xauth pulseaudio pulseaudio-utils sox python3
  fonts-dejavu-core fonts-liberation fonts-urw-base35
  libreoffice-draw-nogui poppler-utils
  desktop-file-utils dpkg-dev fakeroot file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
