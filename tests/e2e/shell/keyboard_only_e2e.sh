#!/usr/bin/env bash
# A whole scenario from the keyboard alone, as a person who does not use the
# mouse would make it on the X display: a tap of the hot key captures the
# pointer's position, Tab reaches the delay and the address, Enter on a row
# opens "Modification", Ctrl+Z takes the change back, Ctrl+S saves, F5 plays
# and Escape stops before the address opens. Not one pointer click. Then, once,
# what a screen reader hears of the address box and the menu bar through AT-SPI.
#   keyboard_only_e2e.sh POINTILLA
set -euo pipefail
pointilla="${1:?usage: keyboard_only_e2e.sh POINTILLA}"
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then echo "SKIP: no X display"; exit 77; fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A browser stand-in: a played address leaves a mark instead of opening.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$*" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

# A key as a person types it: down long enough for the global key watch.
press_key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; }
named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
not_named() { ! named "$1"; }
typed_into() {
  xdotool windowfocus --sync "$1"
  wait_until 50 has_focus "$1" || fail "$2 did not take the keyboard"
}

start_program() {
  "$pointilla" >>"$work/pointilla.log" 2>&1 &
  app=$!
  pids+=("$app")
  window="$(find_window 150 '^Pointilla$')" || fail "the main window did not appear"
  sleep 0.5 # drawn and settled: nothing outside the program shows when
  typed_into "$window" "the main window"
}

# 1. The scenario, made from the keyboard. Focus starts on the first hot-key list.
start_program
xdotool mousemove 60 55
wait_until 10 pointer_at 60 55 || fail "the pointer did not move"
xdotool keydown ctrl alt 1
sleep 0.05 # a tap: one row
xdotool keyup 1 alt ctrl
# Tab: second and third hot-key lists, "Clic de la souris", the delay list.
xdotool key --delay 60 Tab Tab Tab Tab Down Down Tab space # "3" seconds, added
xdotool key --delay 60 Tab ctrl+a
xdotool type --delay 20 "http://garde.example/"
xdotool key --delay 60 Tab space # the address, added
# The list: its second row, the delay, opened with Enter and changed to 4.
xdotool key --delay 60 Tab Home Down Return
typed_into "$(find_window 50 '^Modification$')" "Modification"
xdotool key --delay 60 Down Return
wait_until 50 not_named '^Modification$' || fail "Ok did not close Modification"
# Taken back: the delay is 3 again.
typed_into "$window" "the main window"
xdotool key ctrl+z

# 2. Saved under a typed name.
xdotool key ctrl+s
dialog="$(find_window 50 'Enregistrer|Save')" || fail "Ctrl+S showed no save dialog"
typed_into "$dialog" "the save dialog"
xdotool key ctrl+a
xdotool type --delay 20 "$work/clavier"
xdotool key Return
wait_until 50 test -s "$work/clavier.sce" || fail "nothing was saved to clavier.sce"
expected="$(printf 'Position souris\xa4 60 ,  55\xa4\r\nD\xe9lai\xa43\xa4\r\nURL\xa4http://garde.example/\xa4\r\n' | od -An -tx1)"
[ "$(od -An -tx1 <"$work/clavier.sce")" = "$expected" ] ||
  fail "clavier.sce holds: $(od -c <"$work/clavier.sce" | head -n5)"

# 3. F5 plays: the pointer goes to the captured place, then the 3 s wait;
# Escape stops it there, so the address never opens.
wait_until 50 has_focus "$window" || typed_into "$window" "the main window"
xdotool mousemove 600 900
wait_until 10 pointer_at 600 900 || fail "the pointer did not move"
xdotool key F5
wait_until 50 pointer_at 60 55 || fail "F5 did not play the scenario"
press_key Escape
sleep 4 # past the scenario's wait: the address would have opened by now
[ ! -e "$work/opened" ] || fail "Escape did not stop the playback: opened $(cat "$work/opened")"
kill "$app" && wait "$app" 2>/dev/null || true

# 4. Once through AT-SPI, on a private session bus (Debian's own Python, where
# its AT-SPI binding is).
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || ! command -v dbus-run-session gdbus >/dev/null ||
  [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "AT-SPI step skipped: python3-pyatspi, dbus-run-session, gdbus or at-spi2-core is missing"
  echo PASS
  exit 0
fi
cat >"$work/heard.py" <<'PY'
import sys, time, pyatspi

def find(node, roles, depth=0):
    if node is None or depth > 15:
        return None
    try:
        if node.getRoleName() in roles:
            return node
        for child in node:
            found = find(child, roles, depth + 1)
            if found is not None:
                return found
    except Exception:
        return None
    return None

def heard(app):
    box = find(app, ("text", "entry"))
    bar = find(app, ("menu bar",))
    if box is None or bar is None:
        return None
    return box.name, [entry.name for entry in bar]

desktop = pyatspi.Registry.getDesktop(0)
said = None
for _ in range(100):
    for app in desktop:
        if app is not None and "pointilla" in (app.name or "").lower():
            said = heard(app) or said
    if said == ("Adresse de la page Web", ["Fichier", "Options", "Aide"]):
        print("heard")
        sys.exit(0)
    time.sleep(0.1)
print("heard the address box and the menu bar as", said)
sys.exit(1)
PY
cat >"$work/session.sh" <<SH
set -e
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
launcher=\$!
trap 'kill \$launcher 2>/dev/null' EXIT
for _ in \$(seq 1 50); do
  gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
  exit 3
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$pointilla" >>"$work/pointilla.log" 2>&1 &
program=\$!
trap 'kill \$program \$launcher 2>/dev/null' EXIT
/usr/bin/python3 "$work/heard.py"
SH
status=0
heard="$(timeout 60 dbus-run-session -- bash "$work/session.sh" 2>&1)" || status=$?
if [ "$status" -eq 3 ]; then
  echo "AT-SPI step skipped: its bus did not start ($(cat "$work/atspi.log" 2>/dev/null))"
elif [ "$status" -ne 0 ] || [ "$(echo "$heard" | tail -n1)" != heard ]; then
  fail "AT-SPI: $heard"
fi
echo PASS
