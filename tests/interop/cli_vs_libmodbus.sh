#!/usr/bin/env bash
# calyptron-cli as master against a libmodbus RTU slave, over a socat pseudo-terminal pair.
set -euo pipefail
CLI=$1; SIM=$2; WORK=$3; SLAVE_BIN=$4
dir=$(mktemp -d "$WORK/interop-lm.XXXXXX")
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$dir"; }
trap cleanup EXIT

socat pty,raw,echo=0,link="$dir/a" pty,raw,echo=0,link="$dir/b" & pids+=($!)
for _ in $(seq 100); do [ -e "$dir/a" ] && [ -e "$dir/b" ] && break; sleep 0.05; done
"$SLAVE_BIN" "$dir/a" 7 > "$dir/slave.out" & pids+=($!)
for _ in $(seq 100); do grep -q ready "$dir/slave.out" 2>/dev/null && break; sleep 0.05; done

cli() { "$CLI" --port "$dir/b" --baud-index 5 --slave 7 --timeout 500 "$@"; }
fail() { echo "FAIL: $*"; exit 1; }

got=$(cli read 0x10 4)
[ "$got" = "1010 1011 1012 1013" ] || fail "read gave '$got'"
cli write 0x20 0x1234 4660 0xFFFF
got=$(cli read 0x20 3)
[ "$got" = "1234 1234 FFFF" ] || fail "read after write gave '$got'"
got=$(cli read 0x100 82 | wc -w)
[ "$got" = 82 ] || fail "82-register read gave $got words"
# A register outside the slave's map answers an exception: 150 + 2.
if cli read 0x1FFF 2 2> "$dir/err"; then fail "read past the map succeeded"; fi
grep -q "error 152" "$dir/err" || fail "exception not reported: $(cat "$dir/err")"
echo "cli vs libmodbus: ok"
