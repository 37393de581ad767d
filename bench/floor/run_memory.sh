#!/usr/bin/env bash
# Resident size (MB) of pointilla-play and of the window around a scenario of
# MOVES moves (default 1,000,000), on a private Xvfb: before its file is read,
# once it is read, and once it is played; for pointilla-play each is the peak
# of a run (a one-row file, --list, a playback), for the window the size it
# stands at (and its peak). The rows' own text is printed alongside.
#   bench/floor/run_memory.sh [BUILD_DIR] [MOVES]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$here/../.."
build="${1:-$root/build}"
moves="${2:-1000000}"
bin="$build/bin"

. "$root/scripts/lib/private-xvfb.sh"
. "$root/tests/e2e/find_window.sh"
open_private_session 375 || exit 1
export TRELLIS_REGISTRY="$work/registry.db" HOME="$work" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

awk -v n="$moves" 'BEGIN { for (i = 0; i < n - 1; i++) printf "Position souris\244%d , %d\244\r\n", (i * 7) % 1200, (i * 13) % 1000;
                           printf "Position souris\2441279 , 1023\244\r\n" }' >"$work/moves.sce"
printf 'Position souris\24410 , 10\244\r\n' >"$work/one.sce"
mb() { echo "scale=1; $1 / 1024" | bc -l; }
peak() { /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null 2>&1; mb "$(cat "$work/peak")"; }
# What the rows hold: their action and detail texts, in UTF-8 as in memory.
text=$(tr -d '\244\r\n' <"$work/moves.sce" | wc -c)
echo "$moves moves: file $(mb $(($(stat -c %s "$work/moves.sce") / 1024))) MB, the rows' text $(mb $((text / 1024))) MB"

printf '%-16s %12s %12s %12s\n' '' before 'read' played
printf '%-16s %12s %12s %12s\n' pointilla-play "$(peak "$bin/pointilla-play" "$work/one.sce")" \
  "$(peak "$bin/pointilla-play" --list "$work/moves.sce")" "$(peak "$bin/pointilla-play" "$work/moves.sce")"

# The window: its size with no file, then started with the file, then after F5.
resident() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
high() { awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
window_with() {
  "$bin/pointilla" "$@" >/dev/null 2>&1 &
  pid=$!
  id="$(find_window 600 '^Pointilla')" || { kill "$pid"; return 1; }
  sleep 2
}
window_with || exit 1
before=$(resident "$pid")
kill "$pid"; wait "$pid" 2>/dev/null
window_with "$work/moves.sce" || exit 1
loaded="$(resident "$pid") (peak $(high "$pid"))"
xdotool windowfocus --sync "$id" 2>/dev/null
xdotool key F5
for _ in $(seq 1 12000); do
  [ "$(xdotool getmouselocation --shell | head -n2 | tr '\n' ' ')" = "X=1279 Y=1023 " ] && break
  sleep 0.01
done
sleep 1
played="$(resident "$pid") (peak $(high "$pid"))"
kill "$pid"; wait "$pid" 2>/dev/null
printf '%-16s %12s %12s %12s\n' window "$before" "$loaded" "$played"
