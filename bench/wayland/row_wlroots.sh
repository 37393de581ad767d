# The wlroots backend on a headless sway (virtual pointer, absolute motion).
bench_row_wlroots() {
  command -v sway >/dev/null || { echo "wlroots  (sway is not installed)"; return 0; }
  . "$here/../../tests/e2e/wayland/sway_session.sh"
  start_headless_sway "$work" || { echo "wlroots  (sway did not start)"; return 1; }
  POINTILLA_BACKEND=wlroots "$1" "$2"
}
