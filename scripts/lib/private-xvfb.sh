# Sourced by the scripts that need an X display of their own:
#   start_private_xvfb FIRST_NUMBER LOG_FILE
# starts Xvfb on the first free display number from FIRST_NUMBER on, waits for
# its socket, exports DISPLAY and sets PRIVATE_XVFB_PID. -noreset keeps the
# pointer position and held keys between clients. Returns 1, with the log on
# stderr, when the server did not come up.
start_private_xvfb() {
  local n="$1" log="$2"
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log" 2>&1 &
  PRIVATE_XVFB_PID=$!
  local _
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  if [ ! -e "/tmp/.X11-unix/X$n" ]; then
    kill "$PRIVATE_XVFB_PID" 2>/dev/null
    echo "Xvfb did not start:" >&2
    cat "$log" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

# open_private_session FIRST_NUMBER: a work folder ($work) and a private Xvfb in
# it; at exit the server is ended and the folder removed (sets the EXIT trap).
open_private_session() {
  work="$(mktemp -d)"
  trap 'if [ -n "${PRIVATE_XVFB_PID:-}" ]; then kill "$PRIVATE_XVFB_PID" 2>/dev/null; fi; rm -rf "$work"' EXIT
  start_private_xvfb "$1" "$work/xvfb.log"
}
