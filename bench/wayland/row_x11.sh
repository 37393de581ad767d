# The X11 backend on a private Xvfb (XTEST motion).
bench_row_x11() {
  . "$here/../../scripts/lib/private-xvfb.sh"
  start_private_xvfb 311 "$work/xvfb.log" || return 1
  pids+=("$PRIVATE_XVFB_PID")
  env -u WAYLAND_DISPLAY POINTILLA_BACKEND=x11 "$1" "$2"
}
