#!/usr/bin/env bash
# The floor table on X11: for 10,000 and 100,000 moves, on one private Xvfb and
# in one run, the bare XTEST loop (the floor), the engine, pointilla-play (less
# its own start: a one-row file) and the window (from the click on "start" to
# the pointer on the last row), best of three, each also as a multiple of the
# floor, all on the same path of moves. A shown window makes the server's
# software cursor dearer for every move over it: the bare loop is also
# measured with the window shown, the last column.
#   bench/floor/run.sh [BUILD_DIR] [MOVES...]   (default build/, 10000 100000)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/timing.sh"
floor_arguments "$@"

. "$root/scripts/lib/private-xvfb.sh"
. "$root/tests/e2e/find_window.sh"
open_private_session 360 || exit 1
export TRELLIS_REGISTRY="$work/registry.db" HOME="$work" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

timed_play() { seconds "$bin/pointilla-play" "$1"; }
window_play() {
  local file="$1" id
  "$bin/pointilla" "$file" >/dev/null 2>&1 &
  local pid=$!
  id="$(find_window 100 '^Pointilla')" || { kill "$pid"; return 1; }
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  "$bin/floor_bench" raw "$moves" steps >>"$work/floor_shown"
  "$bin/floor_bench" click $((X + 14)) $((Y + 38)) 1279 1023
  kill "$pid"
  wait "$pid" 2>/dev/null
}

printf 'Position souris\24410 , 10\244\r\n' >"$work/one.sce"
status=0
printf '%-8s %8s %10s %18s %18s %18s %18s\n' platform moves floor engine pointilla-play window 'floor, window shown'
for moves in "${counts[@]}"; do
  corner_moves "$moves" "$work/moves.sce"
  # Rounds interleave the four, so that a busy moment of the machine weighs
  # on each alike; the best round of each counts.
  : >"$work/floor" >"$work/engine" >"$work/play" >"$work/window" >"$work/floor_shown"
  for _ in 1 2 3; do
    "$bin/floor_bench" raw "$moves" steps >>"$work/floor"
    "$bin/floor_bench" engine "$moves" steps >>"$work/engine"
    one=$(timed_play "$work/one.sce") && all=$(timed_play "$work/moves.sce") &&
      echo "$all - $one" | bc -l >>"$work/play"
    window_play "$work/moves.sce" >>"$work/window"
  done
  floor=$(best <"$work/floor") engine=$(best <"$work/engine")
  play=$(best <"$work/play") window=$(best <"$work/window") shown=$(best <"$work/floor_shown")
  [ -n "$floor" ] && [ -n "$engine" ] && [ -n "$play" ] && [ -n "$window" ] || { status=1; continue; }
  table_row x11 "$moves" "$floor" "$engine" "$play" "$window" "$shown"
done
exit $status
