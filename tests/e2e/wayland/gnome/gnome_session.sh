# Sourced: a headless GNOME compositor of the caller's own. Gives
#   start_gnome_session WORK   a private runtime folder and session bus under
#                              WORK, PipeWire, WirePlumber and mutter with a
#                              1280x1024 virtual monitor; exports
#                              XDG_RUNTIME_DIR, DBUS_SESSION_BUS_ADDRESS and
#                              WAYLAND_DISPLAY; logs in WORK/*.log
#   start_gnome_shell_session WORK EXTENSION
#                              the same with GNOME Shell instead of bare mutter,
#                              in a private HOME under WORK whose settings
#                              enable the extension folder EXTENSION (copied
#                              into its extensions); also a private system bus
#   stop_gnome_session         ends all of them (call it from the EXIT trap)
# Returns 1 with a message on stderr when a part does not come up.
#   gnome_test_setup           for a test script: $work, removed at exit with
#                              the session and every process in pids; fail MSG,
#                              which shows the logs kept in $work
gnome_pids=()
gnome_bus_pid=""
gnome_system_bus_pid=""
gnome_shell_pid=""

. "$(dirname "${BASH_SOURCE[0]}")/../../wait_until.sh"

gnome_has_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

start_gnome_session() {
  local work="$1" compositor="${2:-mutter}"
  export XDG_RUNTIME_DIR="$work/run"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  unset DISPLAY
  # Known to the bus before it starts, so that the portals it starts find the
  # compositor and pick GNOME's implementations.
  export WAYLAND_DISPLAY=wayland-gnome XDG_CURRENT_DESKTOP=GNOME
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
  gnome_bus_pid="$(dbus-daemon --session --fork --print-pid=1 --address="$DBUS_SESSION_BUS_ADDRESS")" ||
    { echo "no session bus" >&2; return 1; }
  pipewire >"$work/pipewire.log" 2>&1 &
  gnome_pids+=("$!")
  wait_until 30 test -S "$XDG_RUNTIME_DIR/pipewire-0" || { echo "PipeWire did not start" >&2; return 1; }
  wireplumber >"$work/wireplumber.log" 2>&1 &
  gnome_pids+=("$!")
  if [ "$compositor" = gnome-shell ]; then
    gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x1024 \
      --wayland-display="$WAYLAND_DISPLAY" >"$work/gnome-shell.log" 2>&1 &
    gnome_shell_pid="$!"
  else
    mutter --headless --wayland --no-x11 --virtual-monitor 1280x1024 \
      --wayland-display="$WAYLAND_DISPLAY" >"$work/mutter.log" 2>&1 &
    gnome_pids+=("$!")
  fi
  wait_until 100 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { echo "$compositor did not start" >&2; return 1; }
  wait_until 50 gnome_has_name org.gnome.Mutter.ScreenCast ||
    { echo "mutter offers no ScreenCast" >&2; return 1; }
}

start_gnome_shell_session() {
  local work="$1" extension="$2" uuid
  uuid="$(basename "$extension")"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  export XDG_CACHE_HOME="$work/cache" XDG_SESSION_TYPE=wayland
  mkdir -p "$HOME" "$XDG_DATA_HOME/gnome-shell/extensions" "$XDG_CONFIG_HOME/glib-2.0/settings"
  cp -r "$extension" "$XDG_DATA_HOME/gnome-shell/extensions/"
  # Settings in a key file: no dconf service needed, and the extension is
  # enabled before the shell reads them, as after a login.
  export GSETTINGS_BACKEND=keyfile
  # No key repeat: on a busy machine a window that wakes late would repeat a
  # typed key whose release it has not read yet.
  printf "[org/gnome/shell]\nenabled-extensions=['%s']\ndisable-user-extensions=false\n%s\n" \
    "$uuid" "[org/gnome/desktop/peripherals/keyboard]"$'\n'"repeat=false" \
    >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
  # The shell gives up without a system bus; an empty one of its own will do.
  mkdir -p -m 700 "$work/run"
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/run/system_bus"
  gnome_system_bus_pid="$(dbus-daemon --session --fork --print-pid=1 --address="$DBUS_SYSTEM_BUS_ADDRESS")" ||
    { echo "no system bus" >&2; return 1; }
  start_gnome_session "$work" gnome-shell
}

# end_process PID: asks it to end, and makes it after three seconds.
end_process() {
  kill "$1" 2>/dev/null || return 0
  if ! wait_until 30 bash -c "! kill -0 $1 2>/dev/null"; then
    echo "$(ps -o args= -p "$1") did not end: killed" >&2
    kill -KILL "$1" 2>/dev/null
  fi
  wait "$1" 2>/dev/null || true
}

stop_gnome_session() {
  local pid
  # GNOME Shell 43 crashes on SIGTERM; SIGINT ends it cleanly.
  if [ -n "$gnome_shell_pid" ] && kill -INT "$gnome_shell_pid" 2>/dev/null; then
    wait_until 50 bash -c "! kill -0 $gnome_shell_pid 2>/dev/null" || kill -KILL "$gnome_shell_pid"
    wait "$gnome_shell_pid" 2>/dev/null
  fi
  gnome_shell_pid=""
  for pid in "${gnome_pids[@]}"; do end_process "$pid"; done
  # Services the bus started (portals) end with it; the document portal's
  # mount point must be let go before the folder can be removed.
  if [ -n "$gnome_bus_pid" ]; then
    kill "$gnome_bus_pid" 2>/dev/null
    fusermount3 -uz "$XDG_RUNTIME_DIR/doc" 2>/dev/null
    wait_until 20 bash -c "! kill -0 $gnome_bus_pid"
    sleep 0.2
  fi
  [ -n "$gnome_system_bus_pid" ] && kill "$gnome_system_bus_pid" 2>/dev/null
  gnome_pids=()
  gnome_bus_pid=""
  gnome_system_bus_pid=""
}

gnome_test_setup() {
  work="$(mktemp -d)"
  pids=()
  trap gnome_test_cleanup EXIT
  trap "exit 143" TERM INT
  fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do sed "s|^|  $(basename "$log" .log): |" "$log" | tail -15 >&2; done
    exit 1
  }
}

gnome_test_cleanup() {
  local pid
  for pid in "${pids[@]}"; do end_process "$pid"; done
  stop_gnome_session
  rm -rf "$work"
}
