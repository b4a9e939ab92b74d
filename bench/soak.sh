#!/usr/bin/env bash
# Soak of the link: N reads (100 000 by default) against calyptron-sim with every fault on
# (noise, drops, corrupted CRC, replies later than the time-out, exception replies, another
# slave answering). Halfway the simulator is killed and started again on the same path.
# Prints what calyptron-cli soak counts; exits non-zero when a wrong value was taken, a
# transaction hung, or the soak did not finish.
# usage: bench/soak.sh [N] [BUILD_DIR]
set -euo pipefail
N=${1:-100000}; BUILD=${2:-${KS_BUILD_DIR:-build}}
CLI=${KS_CLI:-$BUILD/apps/cli/calyptron-cli}; SIM=${KS_SIM:-$BUILD/apps/sim/calyptron-sim}
TIMEOUT_MS=${KS_SOAK_TIMEOUT:-100}
FAULTS=(--noise 0.002 --corrupt 0.002 --drop 0.002 --late 0.001 --late-ms 150
        --exception 0.002 --wrong-slave 0.002)
dir=$(mktemp -d); sim=""; cli=""
export CALYPTRON_HOME="$dir/home"; mkdir -p "$CALYPTRON_HOME"
cleanup() {
    for p in $cli $sim; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT

start_sim() { # SEED
    rm -f "$dir/sim.out"
    "$SIM" --link "$dir/meter" --seed "$1" "${FAULTS[@]}" > "$dir/sim.out" 2>&1 &
    sim=$!
    for _ in $(seq 200); do grep -q '^PTY' "$dir/sim.out" 2>/dev/null && return 0; sleep 0.05; done
    echo "calyptron-sim did not start" >&2; return 1
}

echo "soak: $N reads, time-out $TIMEOUT_MS ms, faults ${FAULTS[*]}"
echo "load: $(uptime)"
start_sim 1
"$CLI" --port "$dir/meter" --timeout "$TIMEOUT_MS" soak "$N" > "$dir/report" 2> "$dir/progress" &
cli=$!
# Halfway: the simulator dies without a word and comes back on the same path.
while kill -0 "$cli" 2>/dev/null && ! grep -q '^halfway' "$dir/progress"; do sleep 0.2; done
if kill -0 "$cli" 2>/dev/null; then
    kill -9 "$sim"; wait "$sim" 2>/dev/null || true
    rm -f "$dir/meter" # it points at a terminal number the system may give to someone else
    echo "simulator killed at $(grep '^halfway' "$dir/progress"), restarting in 1 s"
    sleep 1
    start_sim 2
fi
status=0
wait "$cli" || status=$?
cli=""
cat "$dir/report"
grep -v -e '^progress' -e '^halfway' "$dir/progress" >&2 || true
echo "exit status $status"
exit "$status"
