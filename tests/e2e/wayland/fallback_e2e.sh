#!/usr/bin/env bash
# The backend choice as pointilla-play meets it: a Wayland compositor that
# cannot be used sends the playback through XWayland (here, the test's X
# display) with a French warning, never silently; an unknown POINTILLA_BACKEND
# is refused before anything is played.
#   fallback_e2e.sh POINTILLA_PLAY
set -uo pipefail
play="$1"
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display"; exit 77; }
. "$(dirname "$0")/../lib.sh"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
printf 'Position souris\244 17 ,  23\244\r\n' >"$work/move.sce"

XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=wayland-absent \
  "$play" "$work/move.sce" 2>"$work/fallback.log" || fail "no fallback: $(cat "$work/fallback.log")"
grep -q "compositeur Wayland .*wayland-absent" "$work/fallback.log" &&
  grep -q "XWayland" "$work/fallback.log" || fail "no warning: $(cat "$work/fallback.log")"
[ "$(xdotool getmouselocation --shell | head -n2 | tr '\n' ' ')" = "X=17 Y=23 " ] ||
  fail "the move did not reach the X display: $(xdotool getmouselocation)"

POINTILLA_BACKEND=mir "$play" "$work/move.sce" 2>"$work/unknown.log"
status=$?
[ "$status" -eq 4 ] || fail "an unknown backend gave exit $status"
grep -q "POINTILLA_BACKEND vaut .*mir" "$work/unknown.log" || fail "$(cat "$work/unknown.log")"
echo "PASS"
