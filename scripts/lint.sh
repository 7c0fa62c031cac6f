#!/usr/bin/env bash
# Static analysis of our own code: clang-tidy (checks in .clang-tidy, every finding an error) and
# cppcheck (warning, performance and portability checks). Exits non-zero on any finding.
#
# A finding that is not a fault is suppressed where it stands, with a one-line reason:
#   clang-tidy:  // NOLINT(check-name): reason      (or NOLINTBEGIN/NOLINTEND around a macro)
#   cppcheck:    // cppcheck-suppress checkName     with the reason on the line above
#
# The gtest suites (tests/unit, tests/net) are left out: the test macros expand into code that
# trips checks meant for product code. Their support code in tests/support is checked.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/deps.sh
source scripts/lib/deps.sh
quintara_install_deps "${QUINTARA_BUILD_PACKAGES[@]}" "${QUINTARA_TEST_PACKAGES[@]}" "${QUINTARA_LINT_PACKAGES[@]}"

build=build/lint
jobs=$(nproc 2>/dev/null || echo 2)

# clang-tidy needs the compile commands, and the sources of generated headers, if any, built.
bench=OFF
[ -f bench/CMakeLists.txt ] && bench=ON
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DQUINTARA_BUILD_TESTS=ON -DQUINTARA_BUILD_BENCH="$bench" >/dev/null

mapfile -t files < <(git ls-files 'src/*.cpp' 'tools/*.cpp' 'examples/*.cpp' 'tests/support/*.cpp' 'bench/*.cpp' \
    | while read -r f; do grep -q "\"file\": \"[^\"]*/$f\"" "$build/compile_commands.json" && echo "$f"; done)

status=0
echo "== clang-tidy: ${#files[@]} files"
if ! printf '%s\n' "${files[@]}" | xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
    2>/dev/null; then
    echo "clang-tidy: findings above" >&2
    status=1
fi

echo "== cppcheck"
mapfile -t dirs < <(for d in src tools examples tests/support bench; do [ -d "$d" ] && echo "$d"; done)
if ! cppcheck --enable=warning,performance,portability --std=c++17 --inline-suppr --quiet -j "$jobs" \
    -I include -I src -I tests --suppress=missingIncludeSystem --error-exitcode=1 "${dirs[@]}"; then
    echo "cppcheck: findings above" >&2
    status=1
fi

[ "$status" -eq 0 ] && echo "static analysis: no findings"
exit "$status"
