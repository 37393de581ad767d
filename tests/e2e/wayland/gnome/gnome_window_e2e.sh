#!/bin/bash
# The window natively on GNOME's compositor (headless mutter, as in
# gnome_e2e.sh), where GNOME 43 gives programs no hot key: "Capturer la
# position" in "Options" captures where the pointer rests three seconds
# later, as one row of the list. Clicks and
# moves go in through mutter's own remote-desktop session (pointilla-play);
# what the window shows is read from a screen-cast of the monitor. Places in
# the window are those of the 8-point DejaVu Sans the test machine has, from
# the window's top-left corner.
# Skips (77) where mutter is not installed.
set -u
pointilla="$1" play="$2" probe="$3" screenshot="$4"
command -v mutter >/dev/null || { echo "SKIP: mutter is not installed"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/gnome_session.sh"
gnome_test_setup
export TRELLIS_REGISTRY="$work/registry.db" HOME="$work/home"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME"
start_gnome_session "$work" || fail "no GNOME session"
export POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter

# The seat's pointer, as on a person's desktop (see gnome_e2e.sh).
mkfifo "$work/hold.in"
"$probe" --hold <"$work/hold.in" >/dev/null 2>"$work/hold.log" &
pids+=("$!")
exec 4>"$work/hold.in"

. "$(dirname "${BASH_SOURCE[0]}")/window_picture.sh"

QT_QPA_PLATFORM=wayland "$pointilla" >"$work/pointilla.log" 2>&1 &
pids+=("$!")
# Sets box, the window's place on the screen, once it shows.
window_shown() { shot && box="$(window_box)" && [ -n "$box" ] && [ "${box%%x*}" -gt 400 ]; }
wait_until 100 window_shown || fail "the window did not appear"
IFS='x+' read -r _ _ wx wy <<<"$box"
sleep 0.5 # a window just shown may lose a click; the screen does not say when it takes one

# The first row of the list is empty; "Options", then its entry, then the
# pointer away to the target. The entry's click ends its pointilla-play: what
# a session sent last is taken before it stops.
[ "$(lightness 262 139 200 12)" = 1 ] || fail "the list is not empty at start"
move $((wx + 84)) $((wy + 38)) click
armed_at="$(date +%s%N)"
move $((wx + 140)) $((wy + 100)) click
move 900 700
ms_since_armed() { echo $((($(date +%s%N) - armed_at) / 1000000)); }
# Nothing is captured on the way. A busy machine may take the three seconds
# to get here: then that cannot be seen, and is not checked.
ms="$(ms_since_armed)"
[ "$ms" -lt 1500 ] && sleep "$(awk -v ms="$ms" 'BEGIN {print (1500 - ms) / 1000}')"
shot
if [ "$(ms_since_armed)" -lt 3000 ]; then
  [ "$(lightness 262 139 200 12)" = 1 ] || fail "captured before the three seconds"
else
  echo "NOTE: too slow to look before the three seconds were up"
fi
has_row() { shot && awk -v mean="$(lightness 262 139 200 12)" 'BEGIN {exit !(mean < 0.97)}'; }
wait_until 30 has_row || fail "no row after the three seconds"
# One row only: a second for a wrong second row to show.
sleep 1
shot
[ "$(lightness 262 152 200 12)" = 1 ] || fail "more than one row for one capture"
echo "PASS"
