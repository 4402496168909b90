#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless (all ctest labels but "slow"):
# GUI tests offscreen, OpenGL and audio tests under Xvfb with a private PulseAudio server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build=${RESONI_BUILD_DIR:-build}
exec bash scripts/with-pulseaudio.sh \
  xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" --output-on-failure --label-exclude slow -j "$(nproc)" --timeout 600
