#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer, the
# core library instrumented too) into build-fuzz and runs one target for a bounded time on a
# copy of its committed corpus. Not part of the test run; the command for a ten-minute run is
#   bash scripts/fuzz.sh 600
# Usage: scripts/fuzz.sh [SECONDS=60] [TARGET=all] [--merge]
#   TARGET: fuzz_riff_reader (corpus fuzz/corpus/riff), fuzz_series_text (fuzz/corpus/series),
#   fuzz_ini_reader (fuzz/corpus/ini), fuzz_wavelet_args (fuzz/corpus/wavelet), fuzz_sound_file
#   (fuzz/corpus/sound: FLAC, Ogg Vorbis, AIFF, W64, 24-bit and float WAV), or all: each target
#   in turn for SECONDS, with one summary line per target at the end.
#   --merge: afterwards replace the committed corpus by the minimised union of it and the new
#            inputs (libFuzzer -merge=1), so interesting inputs found by the run are kept.
# Needs the Debian packages clang and libclang-rt-14-dev (libFuzzer and the sanitizer runtimes).
# A crash leaves its input in $build/fuzz-artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
target=${2:-all}
merge=${3:-}
corpus_of() {
  case "$1" in
    fuzz_riff_reader) echo fuzz/corpus/riff ;;
    fuzz_series_text) echo fuzz/corpus/series ;;
    fuzz_ini_reader) echo fuzz/corpus/ini ;;
    fuzz_wavelet_args) echo fuzz/corpus/wavelet ;;
    fuzz_sound_file) echo fuzz/corpus/sound ;;
    *) return 1 ;;
  esac
}
if [ "$target" = all ]; then
  summary=""
  status=0
  for t in fuzz_riff_reader fuzz_series_text fuzz_ini_reader fuzz_wavelet_args fuzz_sound_file; do
    if bash "$0" "$seconds" "$t" $merge; then summary+="$t: clean for ${seconds} s"$'\n'
    else summary+="$t: FAILED (see build-fuzz/fuzz-artifacts)"$'\n'; status=1; fi
  done
  printf '%s' "$summary"
  exit "$status"
fi
corpus=$(corpus_of "$target") || { echo "fuzz.sh: unknown target $target" >&2; exit 2; }
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ not found (apt-get install clang libclang-rt-14-dev)" >&2
  exit 2
fi
build=${RESONI_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRESONI_BUILD_FUZZ=ON -DRESONI_BUILD_GUI=OFF -DRESONI_BUILD_TESTS=OFF -DRESONI_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "$target"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build/fuzz-artifacts"
cp "$corpus"/* "$work/corpus/" 2>/dev/null || true
export TMPDIR="$work" # working copies written by the load path go here
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
"$build/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/" "$work/corpus" || status=$?
if [ "$status" -eq 0 ] && [ "$merge" = "--merge" ]; then
  mkdir -p "$work/min"
  "$build/fuzz/$target" -merge=1 -max_len=8192 "$work/min" "$corpus" "$work/corpus"
  rm -f "$corpus"/*
  cp "$work/min"/* "$corpus/"
  echo "fuzz.sh: corpus $corpus now holds $(ls "$corpus" | wc -l) files, $(du -sk "$corpus" | cut -f1) KB"
fi
exit "$status"
