# Sourced: a headless KWin of the caller's own, on a private session bus.
#   start_kwin_session DIR [LAYOUTS]
#                            starts both under DIR, KWin with these keyboard
#                            layouts ("fr,us"; default: KWin's own); exports
#                            WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS and the
#                            XDG folders, and appends their ids to the
#                            caller's pids array
#   add_fake_input_entry NAME EXEC   an application entry KWin reads to offer
#                            fake input to EXEC (the real pointilla-play entry's
#                            template), installed under DIR/share
# The packaged kwin_wayland carries a file capability that a container refuses
# to execute; a plain copy (its name must stay kwin_wayland) runs.
kwin_session_template="$(dirname "${BASH_SOURCE[0]}")/../../../../share/applications/pointilla-play.desktop.in"

start_kwin_session() {
  local dir="$1" layouts="${2:-}" kwin
  kwin="$(command -v kwin_wayland)"
  mkdir -p "$dir/bin" "$dir/share/applications" "$dir/config" "$dir/cache" "$dir/run" "$dir/home"
  chmod 700 "$dir/run"
  if [ -n "$layouts" ]; then
    printf '[Layout]\nLayoutList=%s\nUse=true\n' "$layouts" >"$dir/config/kxkbrc"
  fi
  cp "$kwin" "$dir/bin/kwin_wayland"
  export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/config"
  export XDG_CACHE_HOME="$dir/cache" XDG_DATA_DIRS="$dir/share:/usr/share"
  export XDG_DATA_HOME="$dir/share" XDG_CURRENT_DESKTOP=KDE
  unset DISPLAY
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus"
  dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" \
    >"$dir/dbus.log" 2>&1 &
  pids+=("$!")
  wait_until 50 test -S "$dir/run/bus" || return 1
  export WAYLAND_DISPLAY=pointilla-kwin
  nice "$dir/bin/kwin_wayland" --virtual --width 1280 --height 1024 --no-lockscreen \
    --socket "$WAYLAND_DISPLAY" >"$dir/kwin.log" 2>&1 &
  pids+=("$!")
  wait_until 150 kwin_session_ready "$dir"
}

kwin_session_ready() {
  test -S "$1/run/$WAYLAND_DISPLAY" &&
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.ListNames | grep -q '"org.kde.kglobalaccel"'
}

add_fake_input_entry() {
  local name="$1" exec="$2"
  case "$exec" in *" "*) exec="\"$exec\"" ;; esac
  sed -e "s|@POINTILLA_DESKTOP_EXEC@|$exec|" -e "s|@POINTILLA_DESKTOP_TRYEXEC@|$2|" \
    -e "s|@POINTILLA_DESKTOP_ICON@|pointilla|" -e "s|^Name=.*|Name=$name|" \
    "$kwin_session_template" >"$XDG_DATA_HOME/applications/$name.desktop"
}
