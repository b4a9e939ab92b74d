#!/usr/bin/env bash
# Transactions against calyptron-sim: unpaced (rate and CPU per transaction, calyptron-cli
# beside libmodbus on the same line) and paced at 9600 baud (time per 82-register read
# against the wire time of its 177 bytes).
# usage: bench/link_bench.sh [BUILD_DIR] [N_UNPACED] [N_PACED]
set -euo pipefail
BUILD=${1:-build}; N=${2:-5000}; NP=${3:-30}
CLI=$BUILD/apps/cli/calyptron-cli; SIM=$BUILD/apps/sim/calyptron-sim
MB=$BUILD/bench/modbus_master_bench
dir=$(mktemp -d); simpid=""
cleanup() { [ -n "$simpid" ] && kill "$simpid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$dir"; }
trap cleanup EXIT
start_sim() {
    [ -n "$simpid" ] && kill "$simpid" && wait "$simpid" 2>/dev/null || true
    rm -f "$dir/meter"
    "$SIM" --link "$dir/meter" "$@" > /dev/null & simpid=$!
    for _ in $(seq 100); do [ -e "$dir/meter" ] && break; sleep 0.05; done
}

echo "== unpaced pseudo-terminal, $N reads of 82 registers"
start_sim
printf 'calyptron-cli: '; "$CLI" --port "$dir/meter" bench 0x10 82 "$N"
if [ -x "$MB" ]; then printf 'libmodbus:     '; "$MB" "$dir/meter" 1 0x10 82 "$N"; fi
echo "sim CPU: $(ps -o times= -p "$simpid") s in all"

echo "== paced at 9600 baud, $NP reads of 82 registers"
start_sim --pace
out=$("$CLI" --port "$dir/meter" bench 0x10 82 "$NP")
echo "calyptron-cli: $out"
secs=$(echo "$out" | sed -E 's/.* in ([0-9.]+) s:.*/\1/')
awk -v s="$secs" -v n="$NP" 'BEGIN { wire = 177 * 10 / 9600 * 1000; t = s * 1000 / n;
    printf "per read %.2f ms, wire time %.2f ms, overhead %.2f%%\n", t, wire, (t - wire) / wire * 100 }'
if [ -x "$MB" ]; then printf 'libmodbus:     '; "$MB" "$dir/meter" 1 0x10 82 "$NP"; fi
