# The KWin backend on a headless KWin (fake input, absolute motion). KWin offers
# fake input only to a program an installed application entry names.
bench_row_kwin() {
  command -v kwin_wayland >/dev/null || { echo "kwin     (kwin_wayland is not installed)"; return 0; }
  . "$here/../../tests/e2e/wayland/kwin/kwin_session.sh"
  start_kwin_session "$work/kwin" || { echo "kwin     (KWin did not start)"; return 1; }
  add_fake_input_entry moves_bench "$(realpath "$1")"
  POINTILLA_BACKEND=kwin "$1" "$2"
}
