#!/usr/bin/env bash
# Builds the library and runs the test suites and checks in five stages:
#   1. build/relwithdebinfo  RelWithDebInfo with the benchmarks: every suite (unit, loopback, soak,
#                            simulator, examples, packaging) and each benchmark once, briefly
#   2. build/asan            AddressSanitizer + UndefinedBehaviorSanitizer, every suite but packaging
#   3. build/tsan            ThreadSanitizer, the threaded suites (label "threaded")
#   4. build/lint            clang-tidy and cppcheck over our code (scripts/lint.sh)
#   5. build/fuzz            every libFuzzer target briefly (scripts/fuzz.sh)
# Run as root on a fresh Debian machine it first installs the missing Debian packages.
# Stops at the first failure; the summary at the end says which stage failed.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/deps.sh
source scripts/lib/deps.sh

quintara_install_deps "${QUINTARA_BUILD_PACKAGES[@]}" "${QUINTARA_TEST_PACKAGES[@]}" "${QUINTARA_LINT_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
bench=OFF
[ -f bench/CMakeLists.txt ] && bench=ON

results=()
tests_passed=0
tests_failed=0
stage=""
stage_start=0
started=$SECONDS

summary() {
    local rc=$?
    echo
    echo "================ summary ================"
    if [ "${#results[@]}" -gt 0 ]; then printf '  passed  %s\n' "${results[@]}"; fi
    if [ "$rc" -ne 0 ]; then
        echo "  FAILED  ${stage:-set-up} (exit code $rc)"
    else
        echo "  all stages passed"
    fi
    echo "  total time: $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
    echo "ctest: $tests_passed passed, $tests_failed failed"
}
trap summary EXIT

begin() {
    stage=$1
    stage_start=$SECONDS
    echo
    echo "================ $stage ================"
}
done_stage() {
    results+=("$stage ($((SECONDS - stage_start)) s)")
    stage=""
}

# run_ctest DIR [CTEST_ARGS...]: runs the suites of one build and adds its counts to the totals.
run_ctest() {
    local dir=$1 line total failed
    shift
    local rc=0
    ctest --test-dir "$dir" --output-on-failure --no-tests=error "$@" 2>&1 | tee "$dir/ctest-output.log" \
        || rc=$?
    # "100% tests passed, 0 tests failed out of 4"
    line=$(grep -E 'tests? failed out of [0-9]+' "$dir/ctest-output.log" | tail -n 1 || true)
    if [ -n "$line" ]; then
        failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        tests_passed=$((tests_passed + total - failed))
        tests_failed=$((tests_failed + failed))
    fi
    return "$rc"
}

# configure_and_build DIR BUILD_TYPE SANITIZERS [CMAKE_ARGS...]
configure_and_build() {
    local dir=$1 type=$2 sanitize=$3
    shift 3
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DQUINTARA_SANITIZE="$sanitize" \
        -DQUINTARA_BUILD_TESTS=ON "$@"
    cmake --build "$dir" -j "$jobs"
}

begin "RelWithDebInfo build and all tests (build/relwithdebinfo)"
configure_and_build build/relwithdebinfo RelWithDebInfo "" -DQUINTARA_BUILD_BENCH="$bench"
run_ctest build/relwithdebinfo --timeout 600
done_stage

# The sanitizer builds are optimised like the first one (same warnings, faster suites). The
# AddressSanitizer build includes the simulator and the examples, so that their suites run under it.
begin "address,undefined build and tests (build/asan)"
configure_and_build build/asan RelWithDebInfo "address,undefined"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    run_ctest build/asan --timeout 900 -LE packaging
done_stage

begin "thread build and threaded tests (build/tsan)"
configure_and_build build/tsan RelWithDebInfo "thread" -DQUINTARA_BUILD_TOOLS=OFF
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    run_ctest build/tsan --timeout 1200 -L threaded -LE packaging
done_stage

begin "static analysis (clang-tidy, cppcheck)"
scripts/lint.sh
done_stage

# libFuzzer targets (Clang, AddressSanitizer + UBSan), two at a time, 40 seconds each: any crash,
# failed check, leak or timeout fails the stage (the input is kept under build/fuzz/findings).
begin "fuzzing (build/fuzz)"
QUINTARA_FUZZ_PARALLEL=2 scripts/fuzz.sh 40
done_stage
