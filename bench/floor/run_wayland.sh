#!/usr/bin/env bash
# The floor table on the Wayland families of the test bed: for 10,000 and
# 100,000 moves, each family on one headless compositor of its own and in one
# run, the bare injection loop (the floor), the engine and pointilla-play (less
# its own start: a one-row file), best of three, each also as a multiple of
# the floor. A one-row run waits out a new virtual device's settling, which a
# long run spends reading its file: pointilla-play's whole run, start and all,
# is printed too. The window is measured on X11 only (bench/floor/run.sh).
#   bench/floor/run_wayland.sh [BUILD_DIR] [MOVES...]   (default build/, 10000 100000)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/timing.sh"
floor_arguments "$@"
[ -x "$bin/wayland_floor_bench" ] || { echo "no $bin/wayland_floor_bench: build it"; exit 1; }

. "$root/tests/e2e/lib.sh"
timed_play() { timing_log="$out/play.log" seconds "$play" "$1"; }
# One family's rows; its compositor is already running.
measure() {
  local family="$1" raw="$2" moves floor engine played
  printf '%s\24410 , 10\244\r\n' 'Position souris' >"$out/one.sce"
  for moves in "${counts[@]}"; do
    spread_moves "$moves" "$out/moves.sce"
    : >"$out/floor"
    : >"$out/engine"
    : >"$out/play"
    : >"$out/whole"
    # Rounds interleave the three so that a busy moment weighs on each alike.
    for _ in 1 2 3; do
      "$bin/wayland_floor_bench" "$raw" "$moves" >>"$out/floor"
      POINTILLA_BACKEND=$family "$bin/wayland_floor_bench" engine "$moves" >>"$out/engine"
      one=$(POINTILLA_BACKEND=$family timed_play "$out/one.sce") &&
        all=$(POINTILLA_BACKEND=$family timed_play "$out/moves.sce") &&
        echo "$all - $one" | bc -l >>"$out/play" && echo "$all" >>"$out/whole"
    done
    floor=$(best <"$out/floor") engine=$(best <"$out/engine") played=$(best <"$out/play") whole=$(best <"$out/whole")
    if [ -z "$floor" ] || [ -z "$engine" ] || [ -z "$played" ]; then
      printf '%-8s %8d (a contender failed: see %s)\n' "$family" "$moves" "$out/play.log"
      return 1
    fi
    table_row "$family" "$moves" "$floor" "$engine" "$played" "$whole"
  done
}

printf '%-8s %8s %10s %18s %18s %18s\n' platform moves floor engine pointilla-play whole-run
status=0
families=" $("$bin/moves_bench" --families | tr '\n' ' ') "
if [[ "$families" == *" wlroots "* ]] && command -v sway >/dev/null; then
  (
    pids=()
    . "$root/tests/e2e/wayland/sway_session.sh"
    out="$work/wlroots" && mkdir -p "$out" && chmod 755 "$work"
    play="$bin/pointilla-play"
    export TRELLIS_REGISTRY="$out/registry.db" HOME="$out"
    start_headless_sway "$out" || { echo "wlroots  (sway did not start)"; exit 1; }
    measure wlroots raw-wlroots
    rc=$?
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    exit $rc
  ) || status=1
else
  echo "wlroots  (not built, or sway is not installed)"
fi
if [[ "$families" == *" kwin "* ]] && command -v kwin_wayland >/dev/null; then
  (
    pids=()
    . "$root/tests/e2e/wayland/kwin/kwin_session.sh"
    out="$work/kwin-run" && mkdir -p "$out"
    start_kwin_session "$work/kwin" || { echo "kwin     (KWin did not start)"; exit 1; }
    export TRELLIS_REGISTRY="$out/registry.db"
    # KWin offers fake input only to programs an installed entry names.
    play="$bin/pointilla-play"
    add_fake_input_entry pointilla-play "$play"
    add_fake_input_entry wayland_floor_bench "$bin/wayland_floor_bench"
    measure kwin raw-kwin
    rc=$?
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    exit $rc
  ) || status=1
else
  echo "kwin     (not built, or kwin_wayland is not installed)"
fi
exit $status
