#!/usr/bin/env bash
# Runs the example programs against a freshly started quintara-sim and checks their transcripts.
#
# usage: run_examples.sh SIM EXAMPLES_DIR WORK_DIR [SIM_OPTION...]
#   SIM           the quintara-sim program
#   EXAMPLES_DIR  the folder with quintara-stock-trader, quintara-futures-trader, quintara-market-watcher
#   WORK_DIR      where the programs run (their logs go to WORK_DIR/CoreLog, the simulator's to
#                 WORK_DIR/sim.log)
# Prints the transcript of each program, then one summary line per step. Exits 0 when every
# expected step appeared, 1 otherwise. Used by scripts/demo.sh and by the "examples" test.
set -uo pipefail

sim=$1 bin=$2 work=$3
shift 3
mkdir -p "$work"
cd "$work" || exit 1

sim_pid=""
stop_sim() {
    if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill -TERM "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null
    fi
    sim_pid=""
}
trap stop_sim EXIT

# The simulator prints one "KIND ADDRESS" line per kind once it listens.
rm -f sim.addresses
"$sim" --port 0 "$@" >sim.addresses 2>sim.log &
sim_pid=$!
for _ in $(seq 100); do
    [ "$(grep -c '^[a-z]* tcp://' sim.addresses 2>/dev/null)" = 3 ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
done
address() { awk -v k="$1" '$1 == k { print $2 }' sim.addresses; }
stock=$(address stock) future=$(address future) market=$(address market)
if [ -z "$stock" ] || [ -z "$future" ] || [ -z "$market" ]; then
    echo "quintara-sim did not start; its log:" >&2
    cat sim.log >&2
    exit 1
fi
mode="options: ${*:-none}"
echo "== quintara-sim ($mode) is listening: stock $stock, futures $future, market $market"

failures=0
checks=()
# check TRANSCRIPT LABEL PATTERN: records whether a line of the transcript matches PATTERN.
check() {
    if grep -Eq -- "$3" "$1"; then
        checks+=("  ok      $2")
    else
        checks+=("  MISSING $2")
        failures=$((failures + 1))
    fi
}
# run NAME ARGS...: runs one example, shows its transcript and records its exit status.
run() {
    local name=$1
    shift
    echo
    echo "== $name $*"
    timeout 60 "$bin/$name" "$@" >"$name.out" 2>&1
    local rc=$?
    cat "$name.out"
    if [ "$rc" -ne 0 ]; then
        checks+=("  FAILED  $name exited with $rc")
        failures=$((failures + 1))
    fi
}

run quintara-stock-trader "$stock"
t=quintara-stock-trader.out
check $t "stock: connected" '^\[stock\] connected$'
check $t "stock: logged in with account DEMO001" '^\[stock\] logged in as demo, account DEMO001$'
check $t "stock: order placed with a system number" '^\[stock\] order placed: .*system no S[0-9]+$'
check $t "stock: order status pushed" '^\[stock\] order status: S[0-9]+ Queued'
check $t "stock: order filled" '^\[stock\] filled: buy 100 HKEX 00700 @ [0-9.]+ HKD'
check $t "stock: order status Filled" '^\[stock\] order status: S[0-9]+ Filled, filled 100 of 100, remaining 0$'
check $t "stock: capital pushed" '^\[stock\] capital HKD: cash [0-9.]+'
check $t "stock: position pushed" '^\[stock\] position HKEX 00700: held 100'
check $t "stock: capital query" '^\[stock\] capital query HKD: cash [0-9.]+'
check $t "stock: position query" '^\[stock\] position query HKEX 00700 TENCENT: held 100'
check $t "stock: logged out" '^\[stock\] logged out \(0\)$'

run quintara-futures-trader "$future"
t=quintara-futures-trader.out
check $t "futures: logged in with account DEMO001" '^\[futures\] logged in as demo, account DEMO001$'
check $t "futures: order placed with a system number" '^\[futures\] order placed: .*system no F[0-9]+$'
check $t "futures: order filled" '^\[futures\] filled: buy 1 HKEX HSI2612 @ [0-9.]+ HKD'
check $t "futures: order status Filled" '^\[futures\] order status: F[0-9]+ Filled, filled 1 of 1, remaining 0$'
check $t "futures: capital pushed" '^\[futures\] capital HKD: cash [0-9.]+'
check $t "futures: position pushed" '^\[futures\] position HKEX HSI2612: long 1, short 0, net 1'
check $t "futures: capital query" '^\[futures\] capital query HKD: cash [0-9.]+'
check $t "futures: total position query" '^\[futures\] position query HKEX HSI2612: net 1'
check $t "futures: logged out" '^\[futures\] logged out \(0\)$'

run quintara-market-watcher "$market" 15
t=quintara-market-watcher.out
check $t "market: logged in" '^\[market\] logged in as demo$'
check $t "market: trade dates pushed" '^\[market\] trade date HKEX: [0-9]{8}$'
check $t "market: broker queue" '^\[market\] brokers HKEX,00700\|B:'
check $t "market: full quotes of a stock" '^\[market\] quote F HKEX 00700 +TENCENT +last [0-9.]+ +bid [0-9.]+ +ask [0-9.]+'
check $t "market: full quotes of a future" '^\[market\] quote F HKEX HSI2612 '
check $t "market: quote updates" '^\[market\] quote Y '

stop_sim
echo
echo "== summary (quintara-sim $mode)"
printf '%s\n' "${checks[@]}"
if [ "$failures" -ne 0 ]; then
    echo "$failures step(s) missing; the simulator's log is $work/sim.log"
    exit 1
fi
echo "all steps seen"
