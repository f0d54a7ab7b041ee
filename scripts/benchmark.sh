#!/usr/bin/env bash
# Builds the benchmarks in a Release build of their own and runs them on
# generated large installations: bash scripts/benchmark.sh [BENCHMARK-FILTER]
# Each benchmark prints x_read (its time as a multiple of one plain read of
# the same data in the same run) and peak_x_data (peak memory as a multiple
# of that data).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTV_SANITIZE=OFF > /dev/null
cmake --build "$build" -j2 --target tv_benchmarks
"$build/bench/tv_benchmarks" --benchmark_filter="${1:-.}" --benchmark_counters_tabular=true
