#!/usr/bin/env bash
# Retakes the README's screenshots of the list's pop-up menu, the item dialogs,
# the About box, the tray menu, the list during a playback, the save question and the menus'
# shortcuts, the open dialog and the main window in French and in English, and the window native on sway: drives a built program on a private Xvfb
# display (no window manager, so windows show without title bars, but for the last
# ones, the title bar under openbox and under xfwm4).
#   docs/screenshots/take-screenshots.sh [BUILD_DIR] [FIRST_DISPLAY_NUMBER]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build}"
number="${2:-85}"

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

. "$root/scripts/lib/private-xvfb.sh"
start_private_xvfb "$number" "$work/xvfb.log"
pids+=("$PRIVATE_XVFB_PID")

# The tray menu and tooltip come from the tray's end-to-end test; the save
# question and the menus with their shortcuts from the editor's.
"$root/tests/e2e/tray/tray_e2e.sh" "$build/bin/pointilla" "$build/bin/window_manager" "$here" \
  >/dev/null
# The list during a playback comes from the window's playback stop test.
"$root/tests/e2e/playback/window_stop_e2e.sh" "$build/bin/pointilla" "$build/bin/click_recorder" \
  "$here/playback-progress.png" >/dev/null
"$root/tests/e2e/shell/editor_e2e.sh" "$build/bin/pointilla" "$build/bin/window_manager" "$here" \
  >/dev/null
# The open dialog under the C locale (French) and an English one.
"$root/tests/e2e/shell/toolkit_language_e2e.sh" "$build/bin/pointilla" "$work/dialogs" >/dev/null
cp "$work/dialogs/open-dialog-c.png" "$here/open-dialog-fr.png"
cp "$work/dialogs/open-dialog-english.png" "$here/open-dialog-en.png"

# The window drawn by sway, from the wlroots desktop's end-to-end test.
if command -v sway >/dev/null && command -v grim >/dev/null; then
  "$root/tests/e2e/wayland/wlroots_e2e.sh" "$build/bin/pointilla-play" \
    "$build/bin/wayland_desktop_driver" "$build/bin/pointilla" "$here/sway-native.png" >/dev/null
fi

export TRELLIS_REGISTRY="$work/registry.db" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
"$build/bin/pointilla" >"$work/pointilla.log" 2>&1 &
pids+=($!)
sleep 3
main="$(xwininfo -root -children | awk '/"Pointilla": \("pointilla"/ && /513x/ {print $1; exit}')"
read -r wx wy <<<"$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')"
at() { xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.3; }
# The newest viewable top-level window of the program other than the main window.
newest() {
  xwininfo -root -children | awk '/"(Pointilla|Insertion|Modification)": \("pointilla"/ {print $1}' |
    while read -r id; do
      [ "$id" = "$main" ] && continue
      xwininfo -id "$id" | grep -q 'IsViewable' && echo "$id"
    done | tail -1
}
shot_window() {
  sleep 0.5
  local id
  id="$(newest)"
  [ -n "$id" ] || { echo "no window to take for $1" >&2; exit 1; }
  import -window "$id" "$here/$1.png"
}
shot_area() { sleep 0.5; import -window root -crop "$2" "$here/$1.png"; }

# A few rows: a click, a delay of 1 s, an address, another click.
at 132 285; xdotool click 1
at 200 341; xdotool click 1
at 116 397; xdotool click 1 key ctrl+a type "https://www.example.org/"
at 219 397; xdotool click 1
at 132 285; xdotool click 1

# The list's pop-up menu with its "Insérer" sub-menu, over the second row.
at 300 130; xdotool click 1
xdotool click 3
sleep 0.5
xdotool mousemove_relative 20 10
sleep 0.8
shot_area list-menu 430x150+$((wx + 250))+$((wy + 110))
xdotool key Escape Escape
sleep 0.3

# Insertion of a position, filled in.
at 300 130; xdotool click 3
sleep 0.5
xdotool mousemove_relative 20 10; sleep 0.8
xdotool mousemove_relative 220 0; sleep 0.5  # past the menu, shortcut column included
xdotool click 1
sleep 0.8
form3="$(newest)"
read -r fx fy <<<"$(xwininfo -id "$form3" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')"
xdotool mousemove $((fx + 200)) $((fy + 48)) click 1 key ctrl+a type "640"
xdotool mousemove $((fx + 200)) $((fy + 75)) click 1 key ctrl+a type "480"
shot_window form3-position
xdotool mousemove $((fx + 108)) $((fy + 124)) click 1
sleep 0.5

# Modification of the address row (now the fourth) and of the delay (third).
for row in 4 3; do
  at 300 $((102 + 14 * row)); xdotool click 1 click 3
  sleep 0.5
  xdotool mousemove_relative 20 32; sleep 0.3
  xdotool click 1
  sleep 0.8
  shot_window "form2-row$row"
  xdotool key Escape
  sleep 0.3
done
mv "$here/form2-row4.png" "$here/form2-url.png"
mv "$here/form2-row3.png" "$here/form2-delay.png"

# The About box, from "?".
sleep 0.5
at 119 9; xdotool click 1
sleep 0.8
xdotool mousemove_relative 10 50
sleep 0.3
xdotool click 1
sleep 1
shot_window about

# The main window in French and in English, on the same scenario (the second
# start would hand its file to the first: one at a time).
for pid in "${pids[@]:1}"; do kill "$pid" 2>/dev/null || true; done
sleep 1
printf 'Position souris\xa4 512 ,  384\xa4\r\nClic souris\xa4\xa4\r\nD\xe9lai\xa42\xa4\r\nURL\xa4https://www.example.org/\xa4\r\n' \
  >"$work/exemple.sce"
for language in fr en; do
  POINTILLA_LANGUAGE="$language" "$build/bin/pointilla" "$work/exemple.sce" >>"$work/pointilla.log" 2>&1 &
  shown=$!
  pids+=($shown)
  main=""
  for _ in $(seq 1 100); do
    main="$( (xdotool search --onlyvisible --name '^Pointilla$' 2>/dev/null || true) | head -n1)"
    [ -n "$main" ] && break
    sleep 0.1
  done
  [ -n "$main" ] || { echo "the window did not appear in $language" >&2; exit 1; }
  sleep 1 # the list fills in after the window shows
  import -window "$main" "$here/main-window-$language.png"
  kill "$shown"
  wait "$shown" 2>/dev/null || true
  sleep 1
done
# The main window's title bar under two window managers, its window menu
# opened with Alt+Space: the fixed-size window offers no maximise.
#   title_bar_under MANAGER_PID NAME
title_bar_under() {
  local manager="$1" name="$2"
  sleep 1
  "$build/bin/pointilla" >>"$work/pointilla.log" 2>&1 &
  local app=$!
  sleep 3
  main="$(xdotool search --onlyvisible --name '^Pointilla$' | head -n1)"
  frame="$(xwininfo -tree -id "$main" | awk '/Parent window id/ {print $4}')"
  read -r fx fy fw <<<"$(xwininfo -id "$frame" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} END {print x, y, w}')"
  xdotool windowfocus --sync "$main" key alt+space
  sleep 0.8
  shot_area "$name" "${fw}x230+${fx}+${fy}"
  xdotool key Escape
  kill "$app" "$manager" 2>/dev/null || true
  wait "$app" "$manager" 2>/dev/null || true
}
if command -v openbox >/dev/null; then
  for pid in "${pids[@]:1}"; do kill "$pid" 2>/dev/null || true; done
  sleep 1
  openbox >"$work/openbox.log" 2>&1 &
  title_bar_under $! openbox-title-bar
fi
# xfwm4 reads its settings over a session bus: a private one.
if command -v xfwm4 >/dev/null && command -v dbus-daemon >/dev/null; then
  for pid in "${pids[@]:1}"; do kill "$pid" 2>/dev/null || true; done
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
  pids+=("$(cat "$work/bus.pid")")
  DBUS_SESSION_BUS_ADDRESS="$(cat "$work/bus")" NO_AT_BRIDGE=1 xfwm4 --compositor=off \
    >"$work/xfwm4.log" 2>&1 &
  DBUS_SESSION_BUS_ADDRESS="$(cat "$work/bus")" NO_AT_BRIDGE=1 title_bar_under $! xfwm4-title-bar
fi
echo "screenshots written to $here"
