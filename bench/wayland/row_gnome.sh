# The GNOME backend on a headless mutter, through mutter's own remote-desktop
# session (the portal's would ask a person).
bench_row_gnome() {
  command -v mutter >/dev/null || { echo "gnome    (mutter is not installed)"; return 0; }
  . "$here/../../tests/e2e/wayland/gnome/gnome_session.sh"
  start_gnome_session "$work" || { stop_gnome_session; echo "gnome    (mutter did not start)"; return 1; }
  POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter "$1" "$2"
  local rc=$?
  stop_gnome_session
  return $rc
}
