#!/usr/bin/env bash
# The demonstration: builds the library, the simulator quintara-sim and the examples (Release,
# build/demo), starts the simulator on free loopback ports, runs the stock trader, the futures
# trader and the market watcher against it, prints their transcripts and a summary, and stops the
# simulator. Run as root on a fresh Debian machine it first installs the missing Debian packages.
#
# usage: scripts/demo.sh [SIM_OPTION...]   e.g. scripts/demo.sh --compress --encrypt-trading
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/deps.sh
source scripts/lib/deps.sh

quintara_install_deps "${QUINTARA_BUILD_PACKAGES[@]}"

build=build/demo
echo "== building the library, quintara-sim and the examples ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINTARA_BUILD_TESTS=OFF \
    -DQUINTARA_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" \
    --target quintara-sim versions stock_trader futures_trader market_watcher >/dev/null

# The programs log below their working folder (./CoreLog/yyyymmdd); keep that inside build/demo.
run="$PWD/$build/run"
mkdir -p "$run"
echo
echo "== library versions"
(cd "$run" && "../examples/quintara-versions" | grep version)
echo
scripts/lib/run_examples.sh "$PWD/$build/tools/sim/quintara-sim" "$PWD/$build/examples" "$run" "$@"
echo
echo "== the programs' log files"
find "$run/CoreLog" -type f | sort | sed 's/^/  /'
echo "  $run/sim.log (quintara-sim)"
