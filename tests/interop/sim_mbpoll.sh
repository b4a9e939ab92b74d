#!/usr/bin/env bash
# The simulated meter against an independent Modbus RTU master (mbpoll, on libmodbus).
# Arguments: calyptron-cli, calyptron-sim, a scratch folder.
set -euo pipefail
SIM="$2"
# No dot in the path: mbpoll would take it for a host name.
WORK="$(mktemp -d "${3:-/tmp}/simmbpollXXXXXX")"
LINK="$WORK/meter"
SIM_PID=""
cleanup() {
    [ -n "$SIM_PID" ] && kill -TERM "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

command -v mbpoll >/dev/null || { echo "mbpoll is not installed"; exit 1; }

"$SIM" --link "$LINK" --slave 7 --app 2 >"$WORK/out" &
SIM_PID=$!
for _ in $(seq 100); do
    [ -s "$WORK/out" ] && break
    sleep 0.05
done
grep -q '^PTY /dev/' "$WORK/out" || { echo "no PTY line"; exit 1; }

MBPOLL=(timeout 10 mbpoll -m rtu -b 9600 -P none -a 7 -0 -t 4:hex -1)
poll() { "${MBPOLL[@]}" "$@" "$LINK"; }

fail() { echo "FAILED: $*"; exit 1; }

# Identification: the slave number is the low byte of the first register.
out="$(poll -r 0xFF00 -c 2)"
echo "$out" | grep -q '^\[65280\]:[[:space:]]*0x0007' || fail "identification: $out"

# Write two settings registers, read them back.
"${MBPOLL[@]}" -r 0x1100 "$LINK" 0x0300 0x0118 >/dev/null
out="$(poll -r 0x1100 -c 2)"
echo "$out" | grep -q '^\[4352\]:[[:space:]]*0x0300' || fail "read back: $out"
echo "$out" | grep -q '^\[4353\]:[[:space:]]*0x0118' || fail "read back: $out"

# Two chords: number of chords 2 and the second-chord flag (measurement bytes 118, 163).
out="$(poll -r 0x004B -c 1)"
echo "$out" | grep -q '^\[75\]:[[:space:]]*0x02' || fail "chords: $out"

# Outside every block: exception 2 (illegal data address).
out="$(poll -v -r 0x0005 -c 3 2>&1 || true)"
echo "$out" | grep -q '<07><83><02>' || fail "exception: $out"

# Another baud rate: no answer.
out="$(timeout 10 mbpoll -m rtu -b 19200 -P none -a 7 -0 -t 4:hex -1 -o 0.3 -v -r 0x1100 -c 1 "$LINK" 2>&1 || true)"
echo "$out" | grep -q '<07><03>' && fail "answered at 19200: $out"

kill -TERM "$SIM_PID"
wait "$SIM_PID" || fail "simulator exit status $?"
SIM_PID=""
echo "ok"
