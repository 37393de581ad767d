#!/usr/bin/env bash
# The GNOME row of the Wayland bench: a private Xvfb for the X11 figure and a
# headless mutter session, then wayland_gnome_moves_bench.
#   bench/wayland_gnome/run_wayland_gnome_bench.sh BUILD_BIN [MOVES] [FIRST_X_DISPLAY]
set -uo pipefail
bin="$1" moves="${2:-10000}" first="${3:-330}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
. "$root/scripts/lib/private-xvfb.sh"
. "$root/tests/e2e/wayland/gnome/gnome_session.sh"
trap 'stop_gnome_session; [ -n "${PRIVATE_XVFB_PID:-}" ] && kill "$PRIVATE_XVFB_PID"; rm -rf "$work"' EXIT
trap 'exit 143' TERM INT
start_private_xvfb "$first" "$work/xvfb.log" || exit 1
x_display="$DISPLAY"
start_gnome_session "$work" || exit 1
"$bin/wayland_gnome_moves_bench" "$x_display" "$moves"
