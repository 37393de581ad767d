#!/usr/bin/env bash
# The scenario editor as a person uses it, on the X display with xdotool: a
# file named on the command line opens at start; Delete removes a row; a
# double-click or Enter opens "Modification", which follows the list's
# selection; the close box of a modified scenario asks to save and the program
# stays until answered; "Oui" goes through the save dialog. Then, with nothing
# modified, the plain quit question; a second start hands its file over to the
# first and ends; "Non" quits without writing.
#   editor_e2e.sh POINTILLA WINDOW_MANAGER [SCREENSHOT_DIR]
set -euo pipefail
pointilla="${1:?usage: editor_e2e.sh POINTILLA WINDOW_MANAGER [SCREENSHOT_DIR]}"
window_manager="${2:?usage: editor_e2e.sh POINTILLA WINDOW_MANAGER [SCREENSHOT_DIR]}"
shots="${3:-}"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

main_window() { program_windows | awk '$2 > 400 && $3 > 400 {print $1; exit}'; }
# A dialog or message box of the program beside the main window.
box_window() { program_windows | awk -v main="$main" '$1 != main && $6 == "no" {print $1; exit}'; }
has_box() { [ -n "$(box_window)" ]; }
has_main() { [ -n "$(main_window)" ]; }
named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
not_named() { ! named "$1"; }
alive() { kill -0 "$1" 2>/dev/null; }
shoot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  import -window root -crop "$2" "$shots/$1.png"
}

# The list's rows, 13 pixels high, the first centred 113 pixels below the
# window's top (8-point DejaVu Sans, as the test display has it).
click_row() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + 300)) $((Y + 113 + ($1 - 1) * 13)) click --repeat "${2:-1}" --delay 80 1
  sleep 0.3 # apart, so that the next click is not taken for a double-click
}
close_box() { "$window_manager" close "$main"; }

start() {
  "$pointilla" "$@" >>"$work/pointilla.log" 2>&1 &
  app=$!
  pids+=("$app")
  wait_until 150 has_main || fail "the main window did not appear"
  main="$(main_window)"
  # Settles: a window just mapped may lose a click before Qt has drawn it,
  # and nothing outside the program shows when it has (it has no focus yet).
  sleep 0.5
}

# 1. Opened from the command line: a click, an address, "05" seconds, a position.
printf 'Clic souris\xa4Clic\xa4\r\nURL\xa4http://garde.example/\xa4\r\nD\xe9lai\xa405\xa4\r\nPosition souris\xa4 10 ,  20\xa4\r\n' \
  >"$work/depart.sce"
start "$work/depart.sce"

click_row 1
xdotool key Delete
# The address now comes first. Double-click it, then select the delay in the
# list: "Modification" follows, and its Ok writes the delay it shows ("5").
click_row 1 2
wait_until 50 named '^Modification$' || fail "a double-click did not open Modification"
click_row 2
xdotool windowfocus --sync "$(find_window 50 '^Modification$')"
xdotool key Return
wait_until 50 not_named '^Modification$' || fail "Ok did not close Modification"
# Enter on the address opens it too; Ok leaves it as it was.
click_row 1
xdotool key Return
wait_until 50 named '^Modification$' || fail "Enter did not open Modification"
xdotool key Return
wait_until 50 not_named '^Modification$' || fail "Ok did not close Modification"

# 2. Modified: the close box asks to save, and the program stays meanwhile.
close_box
wait_until 50 has_box || fail "closing a modified scenario asked nothing"
sleep 1 # time for a wrong end to happen while the question is open
alive "$app" || fail "the program ended before the question was answered"
eval "$(xdotool getwindowgeometry --shell "$(box_window)")"
shoot save-question "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))"
xdotool key Return # "Oui", the default
dialog="$(find_window 50 'Enregistrer|Save')" || fail "Oui did not show the save dialog"
wait_until 50 has_focus "$dialog" || fail "the save dialog did not take the keyboard"
xdotool key ctrl+a
xdotool type --delay 20 "$work/sortie"
xdotool key Return
shown_names() { xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | paste -sd '|'; }
wait_until 100 ended "$app" || fail "the program did not end after a successful save (shown: $(shown_names))"
wait "$app" || fail "the program ended with status $?"
expected="$(printf 'URL\xa4http://garde.example/\xa4\r\nD\xe9lai\xa45\xa4\r\nPosition souris\xa4 10 ,  20\xa4\r\n' | od -An -tx1)"
[ "$(od -An -tx1 <"$work/sortie.sce")" = "$expected" ] ||
  fail "sortie.sce holds: $(od -c <"$work/sortie.sce" | head -n5)"

# 3. Nothing modified: the plain question; Escape keeps the program. (The
# menus with their shortcuts are taken on the way, when asked to.)
start
if [ -n "$shots" ]; then
  eval "$(xdotool getwindowgeometry --shell "$main")"
  for menu in "file-menu 20 330x180" "help-menu 113 260x110"; do
    set -- $menu
    xdotool mousemove $((X + $2)) $((Y + 7)) click 1
    wait_until 20 menu_shown || fail "the menu bar opened no menu"
    shoot "$1" "$3+$((X + $2 - 20))+$Y"
    xdotool key Escape
    wait_until 20 no_menu_shown || fail "Escape left the menu open"
  done
fi
close_box
wait_until 50 named '^Confirmation$' || fail "the quit question did not show"
xdotool key Escape
wait_until 50 not_named '^Confirmation$' || fail "Escape left the quit question open"
alive "$app" || fail "Escape on the quit question ended the program"

# 4. A second start hands its file over and ends with 0; the first opens it.
timeout 20 "$pointilla" "$work/sortie.sce" >"$work/second.log" 2>&1 ||
  fail "the second start ended with status $? ($(cat "$work/second.log"))"
[ "$(program_windows | awk '$2 > 400 && $3 > 400' | wc -l)" -eq 1 ] || fail "two main windows are shown"
# The first program opens the handed-over file after the second has ended;
# nothing outside the window shows when.
sleep 1
click_row 1
xdotool key Delete
close_box
wait_until 50 has_box || fail "no question: the handed-over file did not open"
named '^Confirmation$' && fail "the plain question showed for a modified scenario"
# "Non": quits without writing.
before="$(od -An -tx1 <"$work/sortie.sce")"
xdotool key ${POINTILLA_E2E_NO_KEYS:-Tab space}
wait_until 50 ended "$app" || fail "Non did not end the program"
wait "$app" || fail "the program ended with status $?"
[ "$(od -An -tx1 <"$work/sortie.sce")" = "$before" ] || fail "Non wrote the file"
echo PASS
