#!/usr/bin/env bash
# The floor table on GNOME: on one headless mutter (its own session bus and
# PipeWire) and in one run, for 10,000 and 100,000 moves, the bare
# remote-desktop loop with its screen-cast stream (the floor: calls sent
# without awaiting each reply, until the cursor metadata shows the last move),
# the engine through the GNOME backend and pointilla-play (less its own start:
# a one-row file), best of three, each also as a multiple of the floor; and
# pointilla-play's whole run, start and all. The same loop with each call
# awaited is printed below the table, for comparison (up to 10,000 moves).
#   bench/floor/run_gnome.sh [BUILD_DIR] [MOVES...]   (default build/, 10000 100000)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/timing.sh"
floor_arguments "$@"
[ -x "$bin/gnome_floor_bench" ] || { echo "gnome    (not built)"; exit 0; }
command -v mutter >/dev/null || { echo "gnome    (mutter is not installed)"; exit 0; }

. "$root/tests/e2e/wayland/gnome/gnome_session.sh"
work="$(mktemp -d)"
trap 'stop_gnome_session; rm -rf "$work"' EXIT
trap 'exit 143' TERM INT
timing_log="$work/play.log"
timed_play() { seconds "$bin/pointilla-play" "$1"; }

start_gnome_session "$work" || { echo "gnome    (mutter did not start)"; exit 1; }
export POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter
export TRELLIS_REGISTRY="$work/registry.db" HOME="$work"
printf 'Position souris\24410 , 10\244\r\n' >"$work/one.sce"
printf '%-8s %8s %10s %18s %18s %18s\n' platform moves floor engine pointilla-play whole-run
status=0
awaited=()
for moves in "${counts[@]}"; do
  spread_moves "$moves" "$work/moves.sce"
  : >"$work/floor" && : >"$work/engine" && : >"$work/play" && : >"$work/whole"
  # Rounds interleave the contenders so that a busy moment weighs on each alike.
  for _ in 1 2 3; do
    "$bin/gnome_floor_bench" raw "$moves" >>"$work/floor"
    "$bin/gnome_floor_bench" engine "$moves" >>"$work/engine"
    one=$(timed_play "$work/one.sce") && all=$(timed_play "$work/moves.sce") &&
      echo "$all - $one" | bc -l >>"$work/play" && echo "$all" >>"$work/whole"
  done
  floor=$(best <"$work/floor") engine=$(best <"$work/engine")
  played=$(best <"$work/play") whole=$(best <"$work/whole")
  if [ -z "$floor" ] || [ -z "$engine" ] || [ -z "$played" ]; then
    printf '%-8s %8d (a contender failed: see %s)\n' gnome "$moves" "$work/play.log"
    status=1
    continue
  fi
  table_row gnome "$moves" "$floor" "$engine" "$played" "$whole"
  # Awaiting each call takes milliseconds a move: 10,000 at most.
  [ "$moves" -le 10000 ] && awaited+=("$moves $("$bin/gnome_floor_bench" raw-awaited "$moves") $floor")
done
for row in "${awaited[@]}"; do
  read -r moves seconds floor <<<"$row"
  printf 'gnome %d moves, each call awaited: %.3fs (%s× the floor)\n' "$moves" "$seconds" \
    "$(echo "scale=1; $seconds / $floor" | bc -l)"
done
exit $status
