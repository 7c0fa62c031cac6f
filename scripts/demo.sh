#!/usr/bin/env bash
# Builds the library (Release, build/demo) and runs the demonstration program examples/versions:
# it creates the stock, futures and market API objects with logging on, prints their versions and
# the log folder, and releases them. Run as root on a fresh Debian machine it first installs the
# missing Debian packages.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/deps.sh
source scripts/lib/deps.sh

quintara_install_deps "${QUINTARA_BUILD_PACKAGES[@]}"

echo "== building the library and the examples (build/demo)"
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINTARA_BUILD_TESTS=OFF \
    -DQUINTARA_BUILD_TOOLS=ON >/dev/null
cmake --build build/demo -j "$(nproc 2>/dev/null || echo 2)" --target versions >/dev/null

# The program logs below its working folder (./CoreLog/yyyymmdd); keep that inside build/demo.
mkdir -p build/demo/run
cd build/demo/run
echo "== running examples/versions in $PWD"
../examples/versions
echo "== today's log files"
find "$PWD/CoreLog/$(date +%Y%m%d)" -type f | sort | sed 's/^/  /'
