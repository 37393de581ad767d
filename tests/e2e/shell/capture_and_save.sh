#!/usr/bin/env bash
# Drives the real program on the X display as a person would: hold the capture
# hot key while pointing at another program's window, save through the menu and
# the file dialog, check the bytes on disk and the settings in the store, then
# quit through the confirmation.
#   capture_and_save.sh POINTILLA TRELLIS_TOOL
set -euo pipefail
pointilla="${1:?usage: capture_and_save.sh POINTILLA TRELLIS_TOOL}"
trellis="${2:?usage: capture_and_save.sh POINTILLA TRELLIS_TOOL}"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings

# Another program's window to point at.
xmessage -geometry +40+40 "cible" &
pids+=($!)
find_window 100 '^xmessage$' >/dev/null || fail "xmessage did not appear"

"$pointilla" >"$work/pointilla.log" 2>&1 &
app=$!
pids+=("$app")
window="$(find_window 100 '^Pointilla$')" ||
  fail "the main window did not appear"

# Hold CTRL + ALT + 1 for about a second with the pointer on the other window.
xdotool mousemove 60 55
wait_until 10 pointer_at 60 55 || fail "the pointer did not reach the other window"
xdotool keydown ctrl alt 1
sleep 1 # the hold itself: one row per 200 ms held
xdotool keyup 1 alt ctrl

# Fichier > Enregistrer un scénario, then type the name into the dialog.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 20)) $((Y + 10)) click 1
wait_until 20 menu_shown || fail "the Fichier menu did not open"
xdotool key Down Down Return
target="$work/capture.sce"
dialog="$(find_window 100 'Enregistrer|Save')" || fail "no save dialog"
wait_until 50 has_focus "$dialog" || fail "the save dialog did not take the keyboard"
xdotool type --delay 20 "$target"
xdotool key Return
wait_until 50 test -s "$target" || fail "nothing was saved to $target"

# One row every 200 ms held, all alike, as the file holds them (Windows-1252);
# a busy machine may skip a tick of the hot-key poll, hence 3 to 7.
rows="$(grep -c '' "$target")"
[ "$rows" -ge 3 ] && [ "$rows" -le 7 ] || fail "expected 3 to 7 rows, got $rows"
expected="$(for _ in $(seq 1 "$rows"); do printf 'Position souris\xa4 60 ,  55\xa4\r\n'; done | od -An -tx1)"
[ "$(od -An -tx1 <"$target")" = "$expected" ] ||
  fail "the file's bytes differ: $(od -c <"$target" | head -n4)"

# The five settings with their defaults.
key='HKEY_LOCAL_MACHINE\software\Pointilla\Pointilla'
for pair in "clé1=1" "clé2=1" "clé3=0" "Visible=1" "redlec=0"; do
  name="${pair%%=*}"
  value="$("$trellis" get "$key" "$name")"
  [ "$value" = "${pair#*=}" ] || fail "$name holds '$value', expected '${pair#*=}'"
done

# Quit through the close request: the question, then OK.
xdotool mousemove $((X + 20)) $((Y + 10)) click 1
wait_until 20 menu_shown || fail "the Fichier menu did not open"
xdotool key Up Return  # the last entry, "Quitter"
question="$(find_window 100 '^Confirmation$')" || fail "no quit confirmation"
wait_until 50 has_focus "$question" || fail "the quit confirmation did not take the keyboard"
xdotool key Return
wait_until 50 ended "$app" || fail "the program did not end after OK"
wait "$app" || fail "the program ended with status $?"
echo "captured $rows rows; saved, settings present, quit confirmed"
