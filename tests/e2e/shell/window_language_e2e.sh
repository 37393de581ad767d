#!/usr/bin/env bash
# The window speaks the person's language: with an English locale its menu bar
# reads "File", its own dialogs and Qt's are English; with a French locale and
# with the C locale it reads "Fichier". Whatever the language, a scenario saved
# from the window has the same bytes, the French action texts included.
#   window_language_e2e.sh POINTILLA
set -euo pipefail
pointilla="$(realpath "${1:?usage: window_language_e2e.sh POINTILLA}")"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

# The menu bar is read as a screen reader hears it, through AT-SPI on a
# private session bus: the whole test runs inside one.
if [ -z "${WINDOW_LANGUAGE_BUS:-}" ] && command -v dbus-run-session >/dev/null &&
  [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  exec env WINDOW_LANGUAGE_BUS=1 dbus-run-session -- bash "${BASH_SOURCE[0]}" "$@"
fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
unset LANGUAGE LC_ALL LC_MESSAGES POINTILLA_LANGUAGE

atspi=""
if [ -n "${WINDOW_LANGUAGE_BUS:-}" ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
  pids+=("$!")
  bus_up() { gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress >/dev/null 2>&1; }
  wait_until 50 bus_up && atspi=yes
fi
[ -n "$atspi" ] || echo "the menu bar is not read: python3-pyatspi, dbus-run-session or at-spi2-core is missing"

# Prints the first entry of Pointilla's menu bar, once there is one.
cat >"$work/menu_bar.py" <<'PY'
import sys, time, pyatspi

def find(node, role, depth=0):
    if node is None or depth > 15:
        return None
    try:
        if node.getRoleName() == role:
            return node
        for child in node:
            found = find(child, role, depth + 1)
            if found is not None:
                return found
    except Exception:
        return None
    return None

for _ in range(100):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "pointilla" in (app.name or "").lower():
            bar = find(app, "menu bar")
            if bar is not None and bar.childCount > 0:
                print(bar[0].name)
                sys.exit(0)
    time.sleep(0.1)
sys.exit(1)
PY

scenario="$work/scenario.sce"
printf 'Position souris\xa4 512 ,  384\xa4\r\nClic souris\xa4\xa4\r\nD\xe9lai\xa42\xa4\r\nURL\xa4http://example.org\xa4\r\n' >"$scenario"

# Starts the program on the scenario with the given environment, checks what it
# shows, saves the scenario to saved-NAME.sce and ends the program.
check_language() {
  local name="$1" menu="$2" repeat="$3" save="$4"
  shift 4
  export XDG_RUNTIME_DIR="$work/run-$name"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" "$pointilla" "$scenario" >"$work/pointilla.log" 2>&1 &
  local app=$!
  pids+=("$app")
  local window dialog shown
  window="$(find_window 100 '^Pointilla$')" || fail "$name: the main window did not appear"
  if [ -n "$atspi" ]; then
    shown="$(/usr/bin/python3 "$work/menu_bar.py")" || fail "$name: no menu bar heard"
    [ "$shown" = "$menu" ] || fail "$name: the menu bar begins with '$shown', expected '$menu'"
  fi

  # Options > the repetitions: a dialog of the window's own.
  xdotool windowfocus --sync "$window"
  xdotool key alt+o
  wait_until 20 menu_shown || fail "$name: Alt+O opened no menu"
  xdotool key Down Return
  dialog="$(find_window 100 'lecture|playback')" || fail "$name: no repetition dialog"
  shown="$(xdotool getwindowname "$dialog")"
  [ "$shown" = "$repeat" ] || fail "$name: the repetition dialog is '$shown', expected '$repeat'"
  wait_until 50 has_focus "$dialog" || fail "$name: the repetition dialog did not take the keyboard"
  xdotool key Escape
  wait_until 50 not_shown "$dialog" || fail "$name: Escape left the repetition dialog"

  # Ctrl+S: Qt's save dialog, in the same language; the new name replaces the file's.
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+s
  dialog="$(find_window 100 "^$save\$")" || fail "$name: Ctrl+S showed no '$save' dialog"
  wait_until 50 has_focus "$dialog" || fail "$name: the save dialog did not take the keyboard"
  xdotool key ctrl+a
  xdotool type --delay 20 "$work/saved-$name.sce"
  xdotool key Return
  wait_until 50 test -s "$work/saved-$name.sce" || fail "$name: nothing was saved"
  kill "$app"
  wait "$app" 2>/dev/null || true
  wait_until 50 not_shown "$window" || fail "$name: the window stayed after the program ended"
  cmp "$scenario" "$work/saved-$name.sce" ||
    fail "$name: the saved file differs: $(od -c <"$work/saved-$name.sce" | head -n4)"
}

check_language english File "Repeat playback" "Save As" LANG=en_US.UTF-8
check_language french Fichier "Répéter la lecture" "Enregistrer sous" LANG=fr_FR.UTF-8
check_language c Fichier "Répéter la lecture" "Enregistrer sous" LANG=C
echo "English for en_US, French for fr_FR and C; the three saved files are the scenario's bytes"
