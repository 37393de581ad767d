#!/usr/bin/env bash
# The floor table of the Windows build under Wine, on one private Xvfb and in
# one run: for 10,000 and 100,000 moves, the bare SendInput loop (the floor),
# the engine through the Windows backend, pointilla-play.exe (from its first
# move to its last, read by the bench's own pointer poll: two Wine starts differ
# by up to a second, too much to subtract one from the other) and the window
# Pointilla.exe (from F5 to the pointer on the last row), best of three
# (POINTILLA_BENCH_ROUNDS), each also as a multiple of the floor. Skipped, with status 0, when Wine or the Windows build
# (scripts/build-windows.sh) is not there.
#   bench/floor/run_wine.sh [BUILD_DIR] [MOVES...]   (default build/, 10000 100000)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/timing.sh"
floor_arguments "$@"
windows="${POINTILLA_WINDOWS_BIN:-$build/windows-cross/bin}"

command -v wine >/dev/null 2>&1 || { echo "skipped: Wine is missing"; exit 0; }
for program in floor_bench_win.exe pointilla-play.exe Pointilla.exe Trellis.dll; do
  [ -f "$windows/$program" ] || {
    echo "skipped: $windows/$program is missing (scripts/build-windows.sh)"
    exit 0
  }
done
[ -x "$bin/floor_bench" ] || { echo "no $bin/floor_bench: build it"; exit 1; }

. "$root/scripts/lib/private-xvfb.sh"
. "$root/tests/e2e/find_window.sh"
. "$root/tests/e2e/windows/wine_lib.sh"
open_private_session 365 || exit 1
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
export WINEPREFIX="$work/prefix"
trap 'wineserver -k 2>/dev/null; kill "$PRIVATE_XVFB_PID" 2>/dev/null; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
wine regsvr32 /s "$(windows_path "$windows/Trellis.dll")" >/dev/null 2>&1
# A running wineserver keeps each start below short.
wineserver -p

watched_play() {
  local watch="$work/watch" watcher
  "$bin/floor_bench" watch 5 5 1279 1023 >"$watch" &
  watcher=$!
  until grep -q ready "$watch"; do
    kill -0 "$watcher" 2>/dev/null || return 1
    sleep 0.01
  done
  wine "$windows/pointilla-play.exe" "$(windows_path "$1")" >/dev/null 2>&1
  wait "$watcher" && sed -n 2p "$watch"
}
window_play() {
  local file="$1" id start pos
  wine "$windows/Pointilla.exe" "$(windows_path "$file")" >/dev/null 2>&1 &
  local pid=$!
  id="$(find_window 300 '^Pointilla')" || { kill "$pid"; return 1; }
  sleep 1
  # Wine hands keys only to its focused window.
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  xdotool mousemove 5 5
  sleep 0.3
  start=$(now)
  xdotool key F5
  # Given up after two seconds a thousand moves, and half a minute.
  local until=$((SECONDS + 30 + moves / 500))
  while [ $SECONDS -lt $until ]; do
    pos="$(xdotool getmouselocation --shell | head -n2 | tr '\n' ' ')"
    [ "$pos" = "X=1279 Y=1023 " ] && break
    sleep 0.005
  done
  [ "$pos" = "X=1279 Y=1023 " ] && echo "$(now) - $start" | bc -l
  xdotool key Escape
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  # The window's process ends with the prefix's programs.
  wine taskkill /f /im Pointilla.exe >/dev/null 2>&1
}

status=0
printf '%-8s %8s %10s %18s %18s %18s\n' platform moves floor engine pointilla-play window
for moves in "${counts[@]}"; do
  corner_moves "$moves" "$work/moves.sce"
  : >"$work/floor" >"$work/engine" >"$work/play" >"$work/window"
  for _ in $(seq 1 "${POINTILLA_BENCH_ROUNDS:-3}"); do
    wine "$windows/floor_bench_win.exe" raw "$moves" steps 2>/dev/null | tr -d '\r' >>"$work/floor"
    wine "$windows/floor_bench_win.exe" engine "$moves" steps 2>/dev/null | tr -d '\r' >>"$work/engine"
    watched_play "$work/moves.sce" >>"$work/play"
    window_play "$work/moves.sce" >>"$work/window"
  done
  floor=$(best <"$work/floor") engine=$(best <"$work/engine")
  play=$(best <"$work/play") window=$(best <"$work/window")
  [ -n "$floor" ] && [ -n "$engine" ] && [ -n "$play" ] && [ -n "$window" ] || { status=1; continue; }
  table_row wine "$moves" "$floor" "$engine" "$play" "$window"
done
exit $status
