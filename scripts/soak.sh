#!/usr/bin/env bash
# Soak run of listening and recording against a private PulseAudio server, offscreen:
#   bash scripts/soak.sh [seconds]      (default 600)
# Prints spectra per second, dropped hand-overs, samples recorded against captured, peak RSS
# growth and the median time from a new spectrum to the repainted FFT view.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build=${RESONI_BUILD_DIR:-build}
QT_QPA_PLATFORM=offscreen exec bash scripts/with-pulseaudio.sh "$build/bench/soak_listening" "${1:-600}"
