#!/usr/bin/env bash
# Runs kwin_moves_bench in a headless KWin of its own, with the X display of
# $DISPLAY (or a private Xvfb) for the X11 row of the same run.
#   bench/wayland_kwin/run_kwin_bench.sh BUILD_BIN_DIR [MOVES]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bench="$(realpath "$1/kwin_moves_bench")"
command -v kwin_wayland >/dev/null || { echo "kwin_wayland is not installed"; exit 1; }
. "$root/tests/e2e/lib.sh"
. "$root/scripts/lib/private-xvfb.sh"
. "$root/tests/e2e/wayland/kwin/kwin_session.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_private_xvfb 320 "$work/xvfb.log"
  pids+=("$PRIVATE_XVFB_PID")
fi
x_display="$DISPLAY"
start_kwin_session "$work/kwin" || { tail -5 "$work/kwin/kwin.log"; exit 1; }
add_fake_input_entry kwin_moves_bench "$bench"
DISPLAY="$x_display" "$bench" "${2:-10000}"
