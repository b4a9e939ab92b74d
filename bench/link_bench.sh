#!/usr/bin/env bash
# The link side by side with a libmodbus master, against the same libmodbus slave on one socat
# pseudo-terminal pair: rate and CPU per transaction of both, and their ratios. Then paced at
# 9600 baud against calyptron-sim --pace: time per 82-register read against its wire time.
# usage: bench/link_bench.sh [BUILD_DIR] [N_UNPACED] [N_PACED]
set -euo pipefail
BUILD=${1:-build}; N=${2:-5000}; NP=${3:-30}
CLI=$BUILD/apps/cli/calyptron-cli; SIM=$BUILD/apps/sim/calyptron-sim
MB=$BUILD/bench/modbus_master_bench; SLAVE=$BUILD/tests/ks_modbus_slave
dir=$(mktemp -d); pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$dir"; }
trap cleanup EXIT
echo "load: $(uptime)"

echo "== unpaced, socat pty pair, libmodbus slave, $N reads of 82 registers"
socat pty,raw,echo=0,link="$dir/a" pty,raw,echo=0,link="$dir/b" & pids+=($!)
for _ in $(seq 100); do [ -e "$dir/a" ] && [ -e "$dir/b" ] && break; sleep 0.05; done
"$SLAVE" "$dir/a" 1 > "$dir/slave.out" & pids+=($!)
for _ in $(seq 100); do grep -q ready "$dir/slave.out" 2>/dev/null && break; sleep 0.05; done
ours=$("$CLI" --port "$dir/b" --baud-index 5 bench 0x10 82 "$N")
theirs=$("$MB" "$dir/b" 1 0x10 82 "$N")
echo "calyptron-cli: $ours"
echo "libmodbus:     $theirs"
rate() { echo "$1" | sed -E 's#.*: ([0-9.]+)/s.*#\1#'; }
cpu() { echo "$1" | sed -E 's#.*CPU ([0-9.]+) us.*#\1#'; }
awk -v r1="$(rate "$ours")" -v r2="$(rate "$theirs")" -v c1="$(cpu "$ours")" -v c2="$(cpu "$theirs")" \
    'BEGIN { printf "rate ratio %.3f (goal >= 1.05), CPU ratio %.3f (goal <= 1.00)\n", r1 / r2, c1 / c2 }'

echo "== paced at 9600 baud against calyptron-sim --pace, $NP reads of 82 registers"
"$SIM" --link "$dir/meter" --pace > /dev/null & pids+=($!)
for _ in $(seq 100); do [ -e "$dir/meter" ] && break; sleep 0.05; done
out=$("$CLI" --port "$dir/meter" bench 0x10 82 "$NP")
echo "calyptron-cli: $out (goal <= 1.01 x wire time)"
if [ -x "$MB" ]; then echo "libmodbus:     $("$MB" "$dir/meter" 1 0x10 82 "$NP")"; fi
