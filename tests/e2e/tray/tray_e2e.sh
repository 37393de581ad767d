#!/usr/bin/env bash
# The tray icon on a real X display, as a person uses it: the icon shows in an
# XEmbed tray (trayer) with its tooltip, a left click opens its menu at the
# pointer, "Afficher Pointilla" brings back a minimised or hidden window, and
# a confirmed "Quitter" takes the icon away. Where no tray host can run, the
# window must never be hidden without a way back: that is checked instead.
#   tray_e2e.sh POINTILLA WINDOW_MANAGER [SCREENSHOT_DIR]
# Exit 77 (skipped) without a display.
set -euo pipefail
pointilla="${1:?usage: tray_e2e.sh POINTILLA WINDOW_MANAGER [SCREENSHOT_DIR]}"
window_manager="${2:?usage: tray_e2e.sh POINTILLA WINDOW_MANAGER [SCREENSHOT_DIR]}"
shots="${3:-}"

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "SKIP: no X display"
  exit 77
fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

main_window() { program_windows | awk '$2 > 400 && $3 > 400 {print $1; exit}'; }
is_viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
is_gone() { ! is_viewable "$1"; }
# A pop-up of the program (menu or tooltip) other than the main window.
popup_window() { program_windows | awk -v h1="$1" -v h2="$2" '$6 == "yes" && $3 >= h1 && $3 <= h2 {print $1; exit}'; }
has_popup() { [ -n "$(popup_window "$@")" ]; }

shoot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  import -window root -crop "$2" "$shots/$1.png"
}

# The tray host, unless it cannot run here (or the test asks to do without:
# POINTILLA_TEST_NO_TRAY=1).
tray_host=""
if [ -z "${POINTILLA_TEST_NO_TRAY:-}" ] && command -v trayer >/dev/null 2>&1; then
  trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
    --transparent false --SetDockType true >"$work/trayer.log" 2>&1 &
  pids+=($!)
  if wait_until 50 xdotool search --class trayer; then
    tray_host=trayer
  fi
fi

# Qt uses the XEmbed tray when no StatusNotifier watcher is on D-Bus.
export TRELLIS_REGISTRY="$work/registry.db"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
unset DBUS_SESSION_BUS_ADDRESS
"$pointilla" >"$work/pointilla.log" 2>&1 &
app=$!
pids+=("$app")
has_main() { [ -n "$(main_window)" ]; }
wait_until 150 has_main || fail "the main window did not appear"
main="$(main_window)"

# Clicks the toolbar's fourth button, "tray" (after start, ouvrir, enre and a separator).
press_tray_button() { xdotool mousemove --window "$main" 125 38 click 1; }

if [ -z "$tray_host" ]; then
  echo "SKIP-TRAY: no tray host could run here (trayer missing or failing);" \
       "checking that the window is never hidden without a tray instead"
  press_tray_button
  sleep 1 # time for a wrong hide to happen: nothing shows that it will not
  is_viewable "$main" || fail "without a tray the 'tray' button hid the window for good"
  # The window manager's minimise stays a minimise: the program must not
  # withdraw the window, so it is still there to restore.
  "$window_manager" iconify "$main"
  wait_until 20 is_gone "$main" || fail "the window manager's minimise did not take"
  sleep 1 # time for a wrong end to happen
  kill -0 "$app" 2>/dev/null || fail "the program ended"
  kill "$app"
  echo "PASS (no tray)"
  exit 0
fi

# The icon: the program's window embedded in the tray host's panel.
panel="$( (xdotool search --class trayer 2>/dev/null || true) | while read -r w; do
  xwininfo -id "$w" 2>/dev/null | grep -q 'Width: 120' && echo "$w"; done | head -1 || true)"
wait_until 100 has_icon || fail "no icon was embedded in the tray"
read -r ix iy <<<"$(icon_centre)"
[ -n "$panel" ] && echo "icon at $ix,$iy in tray panel $panel"

# A click as a person makes it: the pointer comes to rest on the icon first
# (a press in the same instant as the pointer's arrival is not taken as a click).
click_icon() {
  xdotool mousemove "$ix" "$iy"
  sleep 0.3 # at rest
  xdotool click "$1"
}
# Opens the tray menu with a left click; a second click only when the first
# one demonstrably opened nothing.
open_menu() {
  click_icon 1
  if ! wait_until 20 has_popup 41 200; then
    echo "note: the first click on the icon opened no menu; clicking again"
    xdotool mousemove 600 900
    sleep 0.5 # the pointer leaves and rests away before it comes back
    click_icon 1
    wait_until 30 has_popup 41 200 || fail "a left click did not open the tray menu"
  fi
}

# Hovering shows the tooltip (a small pop-up); its text is checked by the widget
# tests and shown in the screenshot. The pointer comes in again when the icon
# was not ready for it yet (just embedded, machine busy).
echo "step: hovering over the icon"
tooltip_shown=""
for _ in 1 2 3 4; do
  xdotool mousemove 600 900
  sleep 0.3 # away long enough that coming back is a new hover
  xdotool mousemove "$ix" "$iy"
  if wait_until 25 has_popup 10 40; then tooltip_shown=yes; break; fi
done
[ -n "$tooltip_shown" ] || fail "no tooltip appeared over the icon"
shoot tray-tooltip 400x80+880+0
xdotool mousemove 600 900
no_tooltip() { ! has_popup 10 40; }
wait_until 30 no_tooltip || fail "the tooltip stayed after the pointer left"

# Left click: the menu opens at the pointer.
echo "step: left click on the icon"
open_menu
menu="$(popup_window 41 200)"
read -r _ mw mh mx my _ <<<"$(program_windows | grep "^$menu ")"
[ "$mx" -le "$ix" ] && [ $((mx + mw)) -ge $((ix - 2)) ] && [ "$my" -le $((iy + 20)) ] ||
  fail "the menu ($mx,$my ${mw}x$mh) is not at the pointer ($ix,$iy)"
shoot tray-menu 400x120+880+0
xdotool key Escape
wait_until 20 is_gone "$menu" || xdotool mousemove 600 900 click 1

# A right click does nothing.
echo "step: right click on the icon"
click_icon 3
sleep 0.8 # time for a wrong menu to open: nothing shows that none will
has_popup 41 200 && fail "a right click opened a menu"

# Afficher Pointilla: the first entry of the menu.
afficher() {
  open_menu
  local menu mx my
  menu="$(popup_window 41 200)"
  read -r _ _ _ mx my _ <<<"$(program_windows | grep "^$menu ")"
  xdotool mousemove $((mx + 40)) $((my + 12))
  sleep 0.3 # at rest on the entry, as a person clicks it
  xdotool click 1
}

# Minimised (as a window manager does it), then brought back.
echo "step: minimise, then Afficher Pointilla"
"$window_manager" iconify "$main"
wait_until 20 is_gone "$main" || fail "the minimised window is still on screen"
afficher
wait_until 30 is_viewable "$main" || fail "'Afficher Pointilla' did not bring back the minimised window"

# Hidden by the toolbar's "tray", then brought back.
echo "step: toolbar tray button, then Afficher Pointilla"
press_tray_button
wait_until 20 is_gone "$main" || fail "the 'tray' button did not hide the window"
afficher
wait_until 30 is_viewable "$main" || fail "'Afficher Pointilla' did not bring back the hidden window"

# Quitter, then Cancel: everything stays.
echo "step: Quitter, then Cancel"
quitter() {
  open_menu
  local menu mx my mh
  menu="$(popup_window 41 200)"
  read -r _ _ mh mx my _ <<<"$(program_windows | grep "^$menu ")"
  xdotool mousemove $((mx + 40)) $((my + mh - 12))
  sleep 0.3 # at rest on the entry
  xdotool click 1
  wait_until 30 xdotool search --name '^Confirmation$' || fail "no quit confirmation"
}
# The box takes the keyboard focus as it opens; keys go to it as typed.
answer() {
  local question
  question="$(find_window 30 '^Confirmation$')" || fail "the quit confirmation went away"
  wait_until 50 has_focus "$question" || fail "the quit confirmation did not take the keyboard"
  xdotool key "$1"
}
quitter
answer Escape
no_question() { ! xdotool search --onlyvisible --name '^Confirmation$' >/dev/null 2>&1; }
wait_until 30 no_question || fail "Cancel left the quit confirmation open"
kill -0 "$app" 2>/dev/null || fail "Cancel ended the program"
is_viewable "$main" || fail "Cancel hid the window"
[ -n "$(icon_centre)" ] || fail "Cancel removed the icon"

# Quitter, then OK: the icon goes and the program ends.
echo "step: Quitter, then OK"
quitter
answer Return
wait_until 50 ended "$app" || fail "OK did not end the program"
wait "$app" 2>/dev/null || true
[ -z "$(icon_centre)" ] || fail "the icon stayed in the tray after the program ended"
echo PASS
