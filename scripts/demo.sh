#!/usr/bin/env bash
# Builds the library and runs the demonstration: the three API objects with their versions and logs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/deps.sh
quintara_install_deps
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINTARA_BUILD_TESTS=OFF >/dev/null
cmake --build build/demo -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
mkdir -p build/demo/run
cd build/demo/run
../examples/versions
echo "log files:"
find CoreLog -type f | sort | sed 's/^/  /'
