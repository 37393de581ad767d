#!/usr/bin/env bash
# Click capture as a person uses it on X11: F9 in the window, a click on the
# window itself (not counted), three clicks in another program with pauses of
# 1.2 s and 2.6 s, F9 typed into that other program ends it, a fourth click
# (not counted), Ctrl+S saves. The file holds exactly the position and click
# rows with their delays, and pointilla-play clicks the same places again.
#   click_capture_e2e.sh POINTILLA POINTILLA_PLAY CLICK_RECORDER [SCREENSHOT]
set -euo pipefail
usage="usage: click_capture_e2e.sh POINTILLA POINTILLA_PLAY CLICK_RECORDER [SCREENSHOT]"
pointilla="${1:?$usage}"
player="${2:?$usage}"
recorder="${3:?$usage}"
screenshot="${4:-}"
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then echo "SKIP: no X display"; exit 77; fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings

# The other program first: it covers the screen, and the window maps above it.
mkfifo "$work/recorder.in"
"$recorder" <"$work/recorder.in" >"$work/recorder.out" &
pids+=($!)
exec 7>"$work/recorder.in"
wait_until 100 grep -q '^ready' "$work/recorder.out" || fail "the click recorder did not start"
presses() { grep '^press 1 ' "$work/recorder.out" | cut -d' ' -f3-4 || true; }

"$pointilla" >"$work/pointilla.log" 2>&1 &
pids+=($!)
window="$(find_window 100 '^Pointilla$')" || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool windowfocus --sync "$window"
wait_until 50 has_focus "$window" || fail "the main window did not take the keyboard"
sleep 0.5 # drawn and settled: nothing outside the program shows when

# A key as a person types it: down long enough for the key watch to see it.
press_key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; }

press_key F9
sleep 0.5 # the capture starts listening
# On the window's own pointer display: not counted.
xdotool mousemove $((X + 100)) $((Y + 90)) click 1
# Three clicks on the other program, away from the centred window.
xdotool mousemove 40 40 click 1 sleep 1.2 mousemove 1200 60 click 1 sleep 2.6 \
  mousemove 60 980 click 1
wait_until 50 test "$(presses | wc -l)" -ge 3 || fail "the other program got no clicks"
if [ -n "$screenshot" ]; then
  sleep 0.5
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$screenshot"
fi

# F9 typed into the other program ends the capture; a later click adds nothing.
eval "$(xdotool getmouselocation --shell)"
xdotool windowfocus "$WINDOW"
press_key F9
wait_until 20 grep -q '^key F9' "$work/recorder.out" || fail "F9 did not reach the other program"
sleep 0.5 # the key watch ends the capture
xdotool mousemove 1200 980 click 1
sleep 0.5

xdotool windowfocus --sync "$window"
wait_until 50 has_focus "$window" || fail "the main window did not take the keyboard back"
xdotool key ctrl+s
dialog="$(find_window 100 'Enregistrer|Save')" || fail "no save dialog"
wait_until 50 has_focus "$dialog" || fail "the save dialog did not take the keyboard"
target="$work/clics.sce"
xdotool type --delay 20 "$target"
xdotool key Return
wait_until 50 test -s "$target" || fail "nothing was saved to $target"

expected="$({
  printf 'Position souris\xa4 40 ,  40\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa41\xa4\r\n'
  printf 'Position souris\xa4 1200 ,  60\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa43\xa4\r\n'
  printf 'Position souris\xa4 60 ,  980\xa4\r\nClic souris\xa4Clic\xa4\r\n'
} | od -An -tx1)"
[ "$(od -An -tx1 <"$target")" = "$expected" ] ||
  fail "the file's rows differ: $(tr '\244\r' '|~' <"$target" | iconv -f latin1 -t utf-8)"

# Played back: the same three places clicked again.
before="$(presses | wc -l)"
"$player" "$target" >"$work/play.log" 2>&1 || fail "pointilla-play failed: $(cat "$work/play.log")"
wait_until 50 test "$(presses | wc -l)" -ge $((before + 3)) || fail "the playback's clicks did not arrive"
replayed="$(presses | tail -n 3 | tr '\n' ';')"
[ "$replayed" = "40 40;1200 60;60 980;" ] || fail "the playback clicked $replayed"
exec 7>&-
echo PASS
