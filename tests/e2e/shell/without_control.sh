#!/usr/bin/env bash
# A program whose registry library is missing says so in French, then runs with
# its default settings (and the default hot key) all the same.
#   without_control.sh POINTILLA
set -euo pipefail
pointilla="${1:?usage: without_control.sh POINTILLA}"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
mkdir -p "$work/bin"
# Installed alone: no library beside it to register.
cp "$pointilla" "$work/bin/pointilla"

"$work/bin/pointilla" >"$work/pointilla.log" 2>&1 &
app=$!
pids+=("$app")
box="$(find_window 100 '^Réglages de Pointilla$')" ||
  fail "no message about the missing control"
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
wait_until 50 has_focus "$box" || fail "the message did not take the keyboard"
xdotool key Return
window="$(find_window 100 '^Pointilla$')" ||
  fail "the main window did not appear after the message"
kill -0 "$app" || fail "the program ended"

# The default hot key works: a short hold adds rows, which the toolbar's save
# button then writes out.
xdotool mousemove 30 30
wait_until 10 pointer_at 30 30 || fail "the pointer did not move"
xdotool keydown ctrl alt 1
sleep 0.5 # the hold itself: a row every 200 ms held
xdotool keyup 1 alt ctrl
eval "$(xdotool getwindowgeometry --shell "$window")"
# The toolbar's third button ("enre"), under the menu bar.
xdotool mousemove $((X + 86)) $((Y + 38)) click 1
dialog="$(find_window 100 'Enregistrer|Save')" || fail "no save dialog"
wait_until 50 has_focus "$dialog" || fail "the save dialog did not take the keyboard"
target="$work/defauts.sce"
xdotool type --delay 20 "$target"
xdotool key Return
wait_until 50 test -s "$target" || fail "nothing was captured and saved"
grep -q "$(printf 'Position souris\xa4 30 ,  30\xa4')" "$target" || fail "unexpected capture: $(od -c "$target" | head -n3)"
[ ! -s "$TRELLIS_REGISTRY" ] || ! grep -qa Pointilla "$TRELLIS_REGISTRY" ||
  fail "settings were written although the control is missing"
echo "message shown; ran with the default hot key"
