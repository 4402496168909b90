#!/usr/bin/env bash
# The test suite under the sanitizers, each in a build folder of its own:
#   asan  every test (all ctest labels but "slow") built with AddressSanitizer and
#         UndefinedBehaviorSanitizer (build-asan), under Xvfb and the private PulseAudio server
#         as in scripts/test-all.sh; leaks of the system libraries (Qt's, fontconfig's, Mesa's)
#         are suppressed by scripts/sanitizer/lsan.supp, ours are not (the 3D tests run without
#         the leak check, see below);
#   tsan  the capture and playback paths under ThreadSanitizer (build-tsan): the core tests of
#         the capture ring, recorder and playback buffer, and the listening, recording and
#         playback tests against the audio server; races inside the uninstrumented Qt and
#         PulseAudio libraries are suppressed by scripts/sanitizer/tsan.supp.
# Usage: bash scripts/test-sanitized.sh [asan|tsan|all]   (default all). Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
mode=${1:-all}
supp=$PWD/scripts/sanitizer
jobs=$(nproc)

configure() { # folder, flags
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRESONI_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$2 -fno-omit-frame-pointer" -DCMAKE_C_FLAGS="$2 -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$2" -DCMAKE_SHARED_LINKER_FLAGS="$2" >/dev/null
}

run_tests() { # folder, ctest arguments...
  local build=$1
  shift
  bash scripts/with-pulseaudio.sh xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 1800 "$@"
}

if [ "$mode" = asan ] || [ "$mode" = all ]; then
  configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined"
  cmake --build build-asan
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
  export LSAN_OPTIONS=suppressions=$supp/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  run_tests build-asan --label-exclude slow -E "fft3d|reko3d|render3d"
  # The 3D tests load Mesa's driver, which is unloaded before the leak check runs: its caches then
  # show as leaks of an "unknown module" that no suppression can name. They run without it.
  ASAN_OPTIONS=${ASAN_OPTIONS/detect_leaks=1/detect_leaks=0} run_tests build-asan -R "fft3d|reko3d|render3d"
  unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
fi

if [ "$mode" = tsan ] || [ "$mode" = all ]; then
  configure build-tsan "-fsanitize=thread"
  cmake --build build-tsan --target resoni_core_tests tst_listening tst_audio_devices
  # The tests start helper programs (pactl, paplay) through fork and exec from a process with
  # threads; the child only execs, which ThreadSanitizer would otherwise refuse.
  export TSAN_OPTIONS=suppressions=$supp/tsan.supp:halt_on_error=1:second_deadlock_stack=1:die_after_fork=0
  # The capture ring, the recorder (with the killed-recording test) and the playback buffer in
  # the core, then listening, recording and playback against the audio server.
  run_tests build-tsan -R "^CaptureRing|^CaptureRecorder|^PlaybackBuffer|integration_tst_listening|integration_tst_audio_devices"
fi
echo "test-sanitized: $mode clean"
