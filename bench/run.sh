#!/usr/bin/env bash
# Builds and runs the benchmarks. The search benchmark needs the large
# collection, which is generated first when the build has none. Each
# benchmark is repeated five times and reported as mean, median and min;
# arguments go to every benchmark (e.g. --benchmark_filter=search).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j4
if [ ! -f "$build/large-data/E2.db" ]; then
  cmake --build "$build" --target large_data
fi
export RONVETTA_LARGE_DATA="$(pwd)/$build/large-data"
export QT_QPA_PLATFORM=offscreen
for bench in "$build"/bench/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
done
