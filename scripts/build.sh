#!/usr/bin/env bash
# Configures and builds Resoni into ./build (or $RESONI_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${RESONI_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESONI_WERROR=ON "$@"
cmake --build "$build" -j "$(nproc)"
