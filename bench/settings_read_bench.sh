#!/usr/bin/env bash
# Reading the settings sheet's five blocks (0x0010, 0x1100, 0x5000, 0x4000, 0x2200: 82, 70,
# 10, 9 and 31 registers) from calyptron-sim paced at 9600 baud, against the wire time of the
# five requests and replies. The command line's own start and its file work are measured on a
# file and taken off, so the figure is the time the sheet's read costs.
# usage: bench/settings_read_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
BUILD=${1:-build}; RUNS=${2:-5}
CLI=$BUILD/apps/cli/calyptron-cli; SIM=$BUILD/apps/sim/calyptron-sim
dir=$(mktemp -d); simpid=""
cleanup() { [ -n "$simpid" ] && kill "$simpid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$dir"; }
trap cleanup EXIT
export CALYPTRON_HOME=$dir/home
"$SIM" --link "$dir/meter" --pace > /dev/null & simpid=$!
for _ in $(seq 100); do [ -e "$dir/meter" ] && break; sleep 0.05; done
"$CLI" --port "$dir/meter" settings read "$dir/a.eta"

now() { date +%s.%N; }
best_meter=1e9; best_file=1e9
for _ in $(seq "$RUNS"); do
    t0=$(now); "$CLI" --port "$dir/meter" settings show --meter > /dev/null; t1=$(now)
    "$CLI" settings show "$dir/a.eta" > /dev/null; t2=$(now)
    best_meter=$(awk -v a="$best_meter" -v b="$(awk -v x="$t1" -v y="$t0" 'BEGIN{print x-y}')" 'BEGIN{print (b<a)?b:a}')
    best_file=$(awk -v a="$best_file" -v b="$(awk -v x="$t2" -v y="$t1" 'BEGIN{print x-y}')" 'BEGIN{print (b<a)?b:a}')
done
awk -v m="$best_meter" -v f="$best_file" 'BEGIN {
    regs = 82 + 70 + 10 + 9 + 31; bytes = 5 * 8 + 5 * 5 + 2 * regs;
    wire = bytes * 10 / 9600;
    read = m - f;
    printf "five block reads: %.1f ms, wire time %.1f ms (%d bytes), ratio %.3f (goal <= 1.15)\n",
        read * 1000, wire * 1000, bytes, read / wire }'
