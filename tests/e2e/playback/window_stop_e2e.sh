#!/usr/bin/env bash
# A playback of the real program stopped as a person stops it, with the window
# hidden by the playback: once through the tray menu's "Arrêter la lecture",
# once with Escape typed into another program's window. Each time the window
# comes back and the click after the wait never reaches the other program.
#   window_stop_e2e.sh POINTILLA CLICK_RECORDER [SCREENSHOT]
# Exit 77 (skipped) without a display or a tray host.
set -euo pipefail
pointilla="${1:?usage: window_stop_e2e.sh POINTILLA CLICK_RECORDER [SCREENSHOT]}"
recorder="${2:?usage: window_stop_e2e.sh POINTILLA CLICK_RECORDER [SCREENSHOT]}"
screenshot="${3:-}"
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then echo "SKIP: no X display"; exit 77; fi
command -v trayer >/dev/null 2>&1 || { echo "SKIP: no tray host (trayer)"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
unset DBUS_SESSION_BUS_ADDRESS  # Qt then uses the XEmbed tray

# The other program first, so the tray and the main window map above it.
mkfifo "$work/recorder.in"
"$recorder" <"$work/recorder.in" >"$work/recorder.out" &
pids+=($!)
exec 7>"$work/recorder.in"
wait_until 100 grep -q '^ready' "$work/recorder.out" || fail "the click recorder did not start"
presses() { grep -c '^press' "$work/recorder.out" || true; }

trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
  --transparent false --SetDockType true >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_until 50 xdotool search --class trayer || { echo "SKIP: trayer did not start"; exit 77; }

# A wait, then a click on the recorder's window.
printf 'D\xe9lai\xa43\xa4\r\nPosition souris\xa4 640 ,  900\xa4\r\nClic souris\xa4Clic\xa4\r\n' \
  >"$work/stop.sce"

"$pointilla" >"$work/pointilla.log" 2>&1 &
pids+=($!)
window="$(find_window 100 '^Pointilla$')" ||
  fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
menu_bar() {
  xdotool mousemove $((X + 20)) $((Y + 10)) click 1
  wait_until 20 menu_shown || fail "the menu bar opened no menu"
}
# Fichier > Ouvrir un scénario, then the file's name typed into the dialog.
open_scenario() {
  menu_bar
  xdotool key Down Return
  local dialog
  dialog="$(find_window 100 'Ouvrir|Open')" || fail "no open dialog"
  wait_until 50 has_focus "$dialog" || fail "the open dialog did not take the keyboard"
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_until 50 not_shown "$dialog" || fail "the open dialog stayed"
}

# Options > Réduire la fenêtre lors d'une lecture; Fichier > Ouvrir un scénario.
# (Right opens "Options" on its first entry.)
menu_bar
xdotool key Right Return
wait_until 20 no_menu_shown || fail "the Options menu stayed open"
open_scenario "$work/stop.sce"

is_viewable() { xwininfo -id "$window" | grep -q 'Map State: IsViewable'; }
is_hidden() { ! is_viewable; }
start_playback() {
  xdotool mousemove $((X + 14)) $((Y + 38)) click 1
  wait_until 20 is_hidden || fail "the playback did not hide the window (redlec)"
}
wait_until 100 has_icon || fail "no icon was embedded in the tray"
read -r ix iy <<<"$(icon_centre)"

echo "step: the tray menu's 'Arrêter la lecture' during the wait"
start_playback
xdotool mousemove "$ix" "$iy"
sleep 0.3 # the pointer at rest first: a press as it arrives is no click to the tray
xdotool click 1
wait_until 20 menu_shown || fail "a click on the icon opened no menu"
# The menu has the keyboard: "Afficher Pointilla", then "Arrêter la lecture".
xdotool key Down Down Return
wait_until 20 is_viewable || fail "the stopped playback did not bring the window back"
sleep 3.5 # past the wait's end: a click not stopped would have come by then
[ "$(presses)" = 0 ] || fail "a click reached the other program after the stop"

echo "step: Escape, typed into another window, during the wait"
start_playback
sleep 1 # a second into the three-second wait
xdotool mousemove 640 700 click 1  # the recorder takes the focus; counted below
xdotool key Escape
wait_until 20 is_viewable || fail "Escape did not stop the playback"
sleep 3.5 # past the wait's end, as above
[ "$(presses)" = 1 ] || fail "a click reached the other program after Escape ($(presses) presses)"

echo "step: a hidden playback that ends says so from the tray"
# A viewable top-level of the program the size of a short message.
balloon_shown() {
  program_windows | awk '$2 > 60 && $2 < 400 && $3 > 30 && $3 < 200 {shown = 1} END {exit !shown}'
}
balloon_shown && fail "a message was already shown before the playback ended"
start_playback
wait_until 60 balloon_shown || fail "no 'Lecture terminée' message after the hidden playback"
[ "$(presses)" = 2 ] || fail "the playback that ran to its end did not click once ($(presses))"
is_hidden || fail "the window came back at the normal end of a playback that hid it"
tray_menu_show() {
  xdotool mousemove "$ix" "$iy"
  sleep 0.3 # the pointer at rest first, as above
  xdotool click 1
  wait_until 20 menu_shown || fail "a click on the icon opened no menu"
  xdotool key Down Return  # Afficher Pointilla
  wait_until 20 is_viewable || fail "'Afficher Pointilla' did not bring the window back"
}
tray_menu_show

if [ -n "$screenshot" ]; then
  # The list during a playback: the marked row and the wait left.
  {
    printf 'Position souris\xa4 120 ,  80\xa4\r\nClic souris\xa4Clic\xa4\r\n'
    printf 'Position souris\xa4 300 ,  140\xa4\r\nClic souris\xa4Clic\xa4\r\n'
    printf 'D\xe9lai\xa45\xa4\r\n'
    printf 'Position souris\xa4 240 ,  200\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa42\xa4\r\n'
  } >"$work/demo.sce"
  menu_bar
  xdotool key Right Return  # the window stays shown this time
  wait_until 20 no_menu_shown || fail "the Options menu stayed open"
  open_scenario "$work/demo.sce"
  xdotool mousemove $((X + 14)) $((Y + 38)) click 1
  sleep 1.5 # the picture shows the playback a moment into the five-second wait
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$screenshot"
  xdotool key Escape
fi
exec 7>&-
echo PASS
