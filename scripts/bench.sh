#!/usr/bin/env bash
# Builds the benchmarks in Release (build/bench) and prints one table of results: the machine, one
# row per benchmark with its rate, time per item, throughput, heap allocations per message and
# target, then the ratios (end to end against the plain read loop, logging on against off, ...).
#
#   scripts/bench.sh            every benchmark for about a second each (about 30 s in all)
#   scripts/bench.sh --quick    every benchmark once, briefly: checks that each runs (CI)
#
# Extra arguments go to the benchmark binary (for example --benchmark_filter=Quote).
# The raw Google Benchmark results are kept in build/bench/run/results.json.
set -euo pipefail
cd "$(dirname "$0")/.."

min_time=1
if [ "${1:-}" = "--quick" ]; then
    min_time=0.01
    shift
fi

dir=build/bench
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINTARA_BUILD_BENCH=ON -DQUINTARA_BUILD_TESTS=OFF \
    -DQUINTARA_BUILD_TOOLS=OFF >/dev/null
cmake --build "$dir" -j "$jobs" --target quintara_bench >/dev/null

# The market object always logs below the working folder (CoreLog/): run in a folder of our own.
run="$dir/run"
rm -rf "$run"
mkdir -p "$run"
cd "$run"
# The library prints its log folder on standard output when an object is made: keep only the table.
../bench/quintara_bench --benchmark_min_time="$min_time" --benchmark_out=results.json \
    --benchmark_out_format=json "$@" | grep -v -e '^Log store' -e '^Log dir is'
rm -rf CoreLog
