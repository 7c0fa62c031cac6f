#!/usr/bin/env bash
# Builds the libFuzzer targets with Clang into build/fuzz, generates their seed corpora and runs
# every target for SECONDS seconds (default 30), one after another:
#   scripts/fuzz.sh [SECONDS]
# Fails when any target finds something (crash, failed expectation, leak, undefined behaviour,
# timeout, out of memory); the input is kept under build/fuzz/findings/. Prints the executions of
# each target. The corpora grow under build/fuzz/corpus/ and are reused by the next run.
# QUINTARA_FUZZ_PARALLEL=N runs N targets at a time (default 1).
# Needs clang++ with its libFuzzer runtime (Debian: clang, libclang-rt-14-dev).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: $0 [SECONDS]  (seconds of fuzzing per target, default 30)" >&2
    exit 2
fi
cxx=${CXX:-clang++}
cc=${CC:-clang}
if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "fuzz: $cxx not found (install clang and libclang-rt-14-dev)" >&2
    exit 2
fi

build=build/fuzz
CC=$cc CXX=$cxx cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTARA_BUILD_FUZZ=ON \
    -DQUINTARA_BUILD_TESTS=OFF -DQUINTARA_BUILD_TOOLS=OFF -DQUINTARA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quintara_fuzz -j "${QUINTARA_JOBS:-2}"

rm -rf "$build/seeds"
"$build/fuzz/fuzz_seed_generator" "$build/seeds"
mkdir -p "$build/corpus" "$build/findings" "$build/logs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# run_target NAME: one target's run; its summary line goes to $build/logs/NAME.result.
run_target() {
    local target=$1 corpus=$build/corpus/$1 log=$build/logs/$1.log rc=0 runs line
    mkdir -p "$corpus"
    # -close_fd_mask=1: the decompression diagnostics on standard output are not needed here.
    "$build/fuzz/fuzz_$target" "$corpus" "$build/seeds/$target" -max_total_time="$seconds" -timeout=25 \
        -rss_limit_mb=2560 -close_fd_mask=1 -print_final_stats=1 -dict="$build/seeds/$target.dict" \
        -artifact_prefix="$build/findings/$target-" >"$log" 2>&1 || rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    line=$(printf '%-16s %10s executions in %s s' "$target" "${runs:-?}" "$seconds")
    if [ "$rc" -ne 0 ]; then
        line="$line  FAILED (exit code $rc, log $log)"
        grep -E 'ERROR|SUMMARY|expectation failed|runtime error|Test unit written' "$log" | head -n 20 || true
    fi
    echo "$line" >"$build/logs/$target.result"
    echo "$line"
}

# QUINTARA_FUZZ_PARALLEL targets run at the same time (default 1).
parallel=${QUINTARA_FUZZ_PARALLEL:-1}
mapfile -t targets <"$build/fuzz/targets.txt"
rm -f "$build"/logs/*.result
running=0
for target in "${targets[@]}"; do
    [ -n "$target" ] || continue
    if [ "$running" -ge "$parallel" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    echo "== $target ($seconds s)"
    run_target "$target" &
    running=$((running + 1))
done
wait || true

echo
echo "================ fuzzing ================"
failed=0
for target in "${targets[@]}"; do
    [ -n "$target" ] || continue
    result=$build/logs/$target.result
    if [ ! -f "$result" ]; then
        echo "  $target: no result"
        failed=1
        continue
    fi
    echo "  $(cat "$result")"
    grep -q FAILED "$result" && failed=1
done
if [ "$failed" -ne 0 ]; then
    echo "  findings or failures (inputs under $build/findings/)"
    exit 1
fi
echo "  no findings"
