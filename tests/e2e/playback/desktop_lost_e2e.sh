#!/usr/bin/env bash
# The desktop goes away during a playback's wait: pointilla-play ends with
# status 5 and says, in French only, at which row the playback stopped.
# FAMILY is x11 (a private Xvfb), sway, kwin or gnome (their headless test
# beds); on x11 the window is checked too when POINTILLA is given: it ends with
# status 5 and the same sentence, never through Xlib's English exit.
#   desktop_lost_e2e.sh FAMILY POINTILLA_PLAY [POINTILLA]
# Exit 77 (skipped) where the family's compositor is not installed.
set -uo pipefail
family="$1" play="$(realpath "$2")" program="${3:-}"
here="$(dirname "${BASH_SOURCE[0]}")"
wayland="$here/../wayland"
needs() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }; }

# A move, a wait of 3 s, a move: the desktop is killed during the wait.
scenario() {
  printf 'Position souris\xa4 10 , 10\xa4\r\nD\xe9lai\xa43\xa4\r\nPosition souris\xa4 20 , 20\xa4\r\n' >"$1"
}
# The compositor, a child of this script, by its name.
child() { pgrep -P $$ -x "$1"; }

# play_and_kill PID-GIVER: plays, kills the desktop a second into the wait,
# and checks the status and the one line said.
play_and_kill() {
  scenario "$work/lost.sce"
  "$play" "$work/lost.sce" 2>"$work/play.err" &
  local player=$! status
  sleep 1.5 # into the wait, where the loss is to be met
  kill -KILL "$("$@")" || fail "no desktop to kill"
  wait "$player" 2>/dev/null
  status=$?
  [ "$status" -eq 5 ] || fail "pointilla-play ended with $status: $(cat "$work/play.err")"
  [ "$(cat "$work/play.err")" = "pointilla-play : Le bureau ne répond plus : lecture arrêtée à la ligne 3" ] ||
    fail "pointilla-play said: $(cat "$work/play.err")"
}

case "$family" in
  x11)
    needs Xvfb
    . "$here/../lib.sh"
    use_private_settings
    # A display of its own, on a number Xvfb finds free; a killed Xvfb leaves
    # its lock behind, removed at exit.
    start_xvfb() {
      local n
      exec 9> >(cat >"$work/display")
      Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
      xvfb=$!
      exec 9>&-
      pids+=("$xvfb")
      wait_until 50 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
      n="$(cat "$work/display")"
      rm -f "$work/display"
      cleanups+=("/tmp/.X$n-lock" "/tmp/.X11-unix/X$n")
      export DISPLAY=":$n"
    }
    cleanups=()
    trap 'e2e_cleanup; rm -f "${cleanups[@]}"' EXIT
    unset WAYLAND_DISPLAY
    export POINTILLA_BACKEND=x11
    start_xvfb
    play_and_kill echo "$xvfb"
    [ -z "$program" ] && exit 0

    # The window: started with the file, played from its "start" button.
    unset DBUS_SESSION_BUS_ADDRESS
    # start_window [-display SHOWN]: plays on $DISPLAY, shown on SHOWN if given.
    start_window() {
      "$program" "$@" "$work/lost.sce" >"$work/pointilla.log" 2>&1 &
      window_pid=$!
      pids+=("$window_pid")
      [ $# -eq 2 ] && export DISPLAY="$2"
      window="$(find_window 100 '^Pointilla')" || fail "the main window did not appear"
      sleep 0.5 # a window just mapped may lose a click; nothing outside shows when it takes one
      eval "$(xdotool getwindowgeometry --shell "$window")"
      xdotool mousemove $((X + 14)) $((Y + 38)) click 1
      sleep 1.5 # into the wait, as above
    }
    pointilla_windows() { xdotool search --onlyvisible --name '^Pointilla$' 2>/dev/null | wc -l; }
    box_shown() { [ "$(pointilla_windows)" -ge 2 ]; }
    box_gone() { [ "$(pointilla_windows)" -eq 1 ]; }
    # Its own display stays (-display), the one it plays on goes: it says so
    # in a box over the window once the wait is over, and keeps running.
    start_xvfb
    own="$DISPLAY"
    start_xvfb
    start_window -display "$own"
    kill -KILL "$xvfb"
    wait_until 60 box_shown || fail "no message box on the window's display"
    xdotool key Return
    wait_until 30 box_gone || fail "the message box did not close"
    kill -0 "$window_pid" || fail "the window ended with its desktop"
    kill "$window_pid"
    wait "$window_pid"

    # One display for both, which goes.
    start_xvfb
    start_window
    kill -KILL "$xvfb"
    wait_until 50 ended "$window_pid" || fail "the window did not end"
    wait "$window_pid"
    status=$?
    [ "$status" -eq 5 ] || fail "the window ended with $status"
    # The wait's row, where the playback stood when the display went.
    grep -qx "Pointilla : Le bureau ne répond plus : lecture arrêtée à la ligne 2" "$work/pointilla.log" &&
      ! grep -qE 'XIO|X connection|X11 connection' "$work/pointilla.log" ||
      fail "the window said: $(cat "$work/pointilla.log")"
    ;;
  sway)
    needs sway
    needs setpriv
    . "$here/../lib.sh"
    . "$wayland/sway_session.sh"
    start_headless_sway "$work" || fail "sway did not start: $(cat "$work/sway.log")"
    play_and_kill child sway
    ;;
  kwin)
    needs kwin_wayland
    . "$here/../lib.sh"
    . "$wayland/kwin/kwin_session.sh"
    start_kwin_session "$work/kwin" || fail "KWin did not start: $(tail -5 "$work/kwin/kwin.log")"
    add_fake_input_entry pointilla-play "$play"
    export POINTILLA_BACKEND=kwin
    play_and_kill child kwin_wayland
    ;;
  gnome)
    needs mutter
    . "$wayland/gnome/gnome_session.sh"
    gnome_test_setup
    export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
    mkdir -p "$HOME"
    start_gnome_session "$work" || fail "no GNOME session"
    export POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter
    play_and_kill child mutter
    ;;
  *) echo "usage: desktop_lost_e2e.sh x11|sway|kwin|gnome POINTILLA_PLAY [POINTILLA]" >&2; exit 2 ;;
esac
