#!/usr/bin/env bash
# Builds the Debian package: build-deb/resoni_<version>_<arch>.deb (runtime dependencies by
# dpkg-shlibdeps). Install it with `sudo apt-get install ./build-deb/resoni_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DRESONI_BUILD_TESTS=OFF -DRESONI_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-deb
(cd build-deb && cpack -G DEB)
ls -l build-deb/resoni_*.deb
