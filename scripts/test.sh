#!/usr/bin/env bash
# Builds the library and runs every test: a RelWithDebInfo build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, and the threaded suites under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/deps.sh
quintara_install_deps

jobs=$(nproc 2>/dev/null || echo 2)
bench=OFF
[ -f bench/CMakeLists.txt ] && bench=ON

run_build() {
    local dir=$1 type=$2 sanitize=$3
    shift 3
    echo "== configure $dir ($type${sanitize:+, $sanitize})"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DQUINTARA_SANITIZE="$sanitize" "$@" >/dev/null
    echo "== build $dir"
    cmake --build "$dir" -j "$jobs"
}

summary=()

run_build build/relwithdebinfo RelWithDebInfo "" -DQUINTARA_BUILD_BENCH=$bench
echo "== test build/relwithdebinfo"
ctest --test-dir build/relwithdebinfo --output-on-failure -j 1
summary+=("relwithdebinfo: all tests passed")

run_build build/asan Debug "address,undefined" -DQUINTARA_BUILD_TOOLS=OFF
echo "== test build/asan"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -LE packaging -j 1
summary+=("address,undefined: all tests passed")

run_build build/tsan RelWithDebInfo "thread" -DQUINTARA_BUILD_TOOLS=OFF
echo "== test build/tsan (threaded suites)"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build/tsan --output-on-failure -L threaded -j 1
summary+=("thread: threaded tests passed")

echo
echo "== summary"
printf '  %s\n' "${summary[@]}"
