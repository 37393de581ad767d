#!/usr/bin/env bash
# Started without a usable X display, the program says so and exits 1: no core dump.
set -u
program="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

out="$(env -u DISPLAY "$program" 2>&1)"; rc=$?
[ "$rc" -eq 1 ] || fail "no DISPLAY: exit $rc, expected 1 ($out)"
grep -q "DISPLAY" <<<"$out" || fail "no DISPLAY: the message does not name it: $out"

out="$(DISPLAY=:987 "$program" 2>&1)"; rc=$?
[ "$rc" -eq 1 ] || fail "unreachable display: exit $rc, expected 1 ($out)"
grep -q ":987" <<<"$out" || fail "unreachable display: the message does not name it: $out"
echo "ok"
