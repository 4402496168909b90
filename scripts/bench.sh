#!/usr/bin/env bash
# Builds the benchmarks and runs each one; extra arguments go to every benchmark
# (e.g. --benchmark_repetitions=5 --benchmark_report_aggregates_only=true).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build=${RESONI_BUILD_DIR:-build}
found=0
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" "$@"
done
[ "$found" -eq 1 ] || echo "no benchmarks built"
