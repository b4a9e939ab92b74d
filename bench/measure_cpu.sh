#!/usr/bin/env bash
# CPU use of calyptron-cli measure while it polls: N measurement samples (500 ms period, as the
# dialog polls) from calyptron-sim, then user + system CPU time over the elapsed time.
# usage: bench/measure_cpu.sh [BUILD_DIR] [N]
set -euo pipefail
BUILD=${1:-build}; N=${2:-60}
CLI=$BUILD/apps/cli/calyptron-cli; SIM=$BUILD/apps/sim/calyptron-sim
dir=$(mktemp -d); simpid=""
cleanup() { [ -n "$simpid" ] && kill "$simpid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$dir"; }
trap cleanup EXIT
"$SIM" --link "$dir/meter" --app 2 > /dev/null & simpid=$!
for _ in $(seq 100); do [ -e "$dir/meter" ] && break; sleep 0.05; done

export CALYPTRON_HOME="$dir/home"
/usr/bin/time -f "%U %S %e" -o "$dir/time" "$CLI" --port "$dir/meter" measure --count "$N" \
    > "$dir/out"
read -r user sys elapsed < "$dir/time"
samples=$(grep -c '^--- ' "$dir/out")
awk -v u="$user" -v s="$sys" -v e="$elapsed" -v n="$samples" 'BEGIN {
    printf "calyptron-cli measure: %d samples in %.1f s, CPU %.2f s user + %.2f s system = %.3f %% of a core\n",
        n, e, u, s, 100 * (u + s) / e }'
