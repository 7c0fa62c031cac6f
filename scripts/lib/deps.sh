# shellcheck shell=bash disable=SC2034  # the package lists are read by the scripts that source this
# Sourced by scripts/test.sh and scripts/demo.sh.
#
# quintara_install_deps PACKAGE...
#   Installs the Debian packages among PACKAGE that are not installed yet. Only root can install:
#   anyone else gets a warning naming the missing packages, and the build that follows reports
#   whatever is really needed. apt-get update runs only when something is missing.
quintara_install_deps() {
    if ! command -v dpkg >/dev/null 2>&1; then
        echo "warning: no dpkg on this machine; not checking the packages: $*" >&2
        return 0
    fi
    local missing=() p
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "warning: missing Debian packages: ${missing[*]} (run as root to install them)" >&2
        return 0
    fi
    echo "== installing Debian packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the library needs.
QUINTARA_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libssl-dev zlib1g-dev binutils)
# What the test suites need besides (clang and its libFuzzer runtime are for the fuzzing targets).
QUINTARA_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev)
# What the static analysis needs.
QUINTARA_LINT_PACKAGES=(clang-tidy cppcheck)
