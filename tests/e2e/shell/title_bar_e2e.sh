#!/usr/bin/env bash
# The title bars a window manager gives the program's windows: the main
# window, the repetition dialog and the quit question may be moved and closed,
# never maximised nor resized, as the actions the manager allows them say
# (_NET_WM_ACTION_*). Under openbox, then under xfwm4 when it is installed;
# xfwm4 also follows the missing minimise button (openbox offers minimise on
# every window but toolbars and menus, whatever the window asks).
#   title_bar_e2e.sh POINTILLA
set -euo pipefail
pointilla="${1:?usage: title_bar_e2e.sh POINTILLA}"
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then echo "SKIP: no X display"; exit 77; fi
command -v openbox >/dev/null || { echo "SKIP: no openbox"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The managers leave properties on the root window (xfwm4 its _NET_SUPPORTED,
# which makes the toolkit ask a manager that is gone for the focus): those
# they added go at exit, so the tests after this one find the display as
# it was.
root_properties() { xprop -root | sed -n 's/^\([A-Za-z0-9_]*\)[(:].*/\1/p' | sort -u; }
untouched_root="$(root_properties)"
forget_managers() {
  comm -13 <(echo "$untouched_root") <(root_properties) | while read -r name; do
    xprop -root -remove "$name"
  done
}
trap 'e2e_cleanup; forget_managers' EXIT

managed() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null | grep -q _NET_WM_ACTION_CLOSE; }
# Fails when the manager lets WINDOW do one of FORBIDDEN (a regex of actions).
check_actions() {
  local window="$1" what="$2" forbidden="$3" actions
  wait_until 50 managed "$window" || fail "$what: the manager gave it no actions"
  actions="$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)"
  if grep -Eo "_NET_WM_ACTION_($forbidden)" <<<"$actions" >"$work/found"; then
    fail "$what under $manager allows $(tr '\n' ' ' <"$work/found")"
  fi
}

# MANAGER_COMMAND FORBIDDEN: one run of the program under a manager.
under() {
  manager="$1"
  local forbidden="$2"
  $manager >"$work/manager.log" 2>&1 &
  local manager_pid=$!
  pids+=("$manager_pid")
  sleep 1
  "$pointilla" >>"$work/pointilla.log" 2>&1 &
  local app=$!
  pids+=("$app")
  local window
  window="$(find_window 150 '^Pointilla$')" || fail "the main window did not appear under $manager"
  check_actions "$window" "the main window" "$forbidden"
  xdotool windowfocus --sync "$window"
  xdotool key --delay 100 alt+o Down Return # "Répéter la lecture..."
  check_actions "$(find_window 50 'la lecture$')" "the repetition dialog" "$forbidden"
  xdotool key Escape
  wait_until 50 has_focus "$window" || fail "the main window did not take the focus back"
  xdotool key ctrl+q
  check_actions "$(find_window 50 '^Confirmation$')" "the quit question" "$forbidden"
  xdotool key Return
  wait_until 50 ended "$app" || fail "the confirmed quit did not end the program"
  kill "$manager_pid"
  wait "$manager_pid" 2>/dev/null || true
}

under openbox 'MAXIMIZE_HORZ|MAXIMIZE_VERT|RESIZE'
# xfwm4 reads its settings over a session bus: a private one, ended at exit
# with the settings daemon it started.
if command -v xfwm4 >/dev/null && command -v dbus-daemon >/dev/null; then
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
  pids+=("$(cat "$work/bus.pid")")
  DBUS_SESSION_BUS_ADDRESS="$(cat "$work/bus")" NO_AT_BRIDGE=1 \
    under "xfwm4 --compositor=off" 'MAXIMIZE_HORZ|MAXIMIZE_VERT|RESIZE|MINIMIZE'
fi
echo "PASS"
