#!/usr/bin/env bash
# Qt's own texts follow the person's language: the open dialog is "Ouvrir" with
# a French locale and with the C locale (the program's own language), "Open"
# with an English one or when POINTILLA_LANGUAGE asks for English. F1 then
# opens the help page of that language.
#   toolkit_language_e2e.sh POINTILLA [SCREENSHOT_FOLDER]
set -euo pipefail
pointilla="$(realpath "${1:?usage: toolkit_language_e2e.sh POINTILLA [SCREENSHOT_FOLDER]}")"
shots="${2:+$(realpath -m "$2")}"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
unset LANGUAGE LC_ALL LC_MESSAGES POINTILLA_LANGUAGE
# The dialog starts in the folder the program starts in: one with a scenario.
mkdir "$work/scenarios"
printf 'Clic souris\xa4\xa4\r\n' >"$work/scenarios/exemple.sce"
cd "$work/scenarios"
# Pages open through a stand-in for xdg-open that notes what it was given.
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
SCRIPT
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

# Starts the program with the given environment, opens the file dialog with
# Ctrl+O and checks its title, then the page F1 opens; the program is ended
# before the next start.
check_language() {
  local expected="$1" page="$2" name="$3"
  shift 3
  export XDG_RUNTIME_DIR="$work/run-$name"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  env "$@" "$pointilla" >"$work/pointilla.log" 2>&1 &
  local app=$!
  pids+=("$app")
  local window dialog
  window="$(find_window 100 '^Pointilla$')" || fail "$name: the main window did not appear"
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+o
  dialog="$(find_window 100 '^(Ouvrir|Open)$')" || fail "$name: Ctrl+O showed no open dialog"
  local title
  title="$(xdotool getwindowname "$dialog")"
  [ "$title" = "$expected" ] || fail "$name: the open dialog is '$title', expected '$expected'"
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    sleep 0.5 # the dialog's list fills in after it shows
    import -window "$dialog" "$shots/open-dialog-$name.png"
  fi
  xdotool key Escape
  wait_until 50 not_shown "$dialog" || fail "$name: Escape left the open dialog"
  rm -f "$work/opened"
  xdotool windowfocus --sync "$window"
  xdotool key F1
  wait_until 50 test -s "$work/opened" || fail "$name: F1 opened nothing"
  local opened
  opened="$(head -1 "$work/opened")"
  [ "$(basename "$opened")" = "$page" ] || fail "$name: F1 opened '$opened', not '$page'"
  [ -f "$opened" ] || fail "$name: the page F1 opened ($opened) does not exist"
  kill "$app"
  wait "$app" 2>/dev/null || true
  wait_until 50 not_shown "$window" || fail "$name: the window stayed after the program ended"
}

french='aide pointilla.html' english='pointilla help.html'
check_language Ouvrir "$french" c LANG=C
check_language Ouvrir "$french" french LANG=fr_FR.UTF-8
check_language Open "$english" english LANG=en_US.UTF-8
check_language Open "$english" chosen LANG=fr_FR.UTF-8 POINTILLA_LANGUAGE=en
echo "the open dialog and the help page follow the language: French for C and fr_FR, English for en_US and the override"
