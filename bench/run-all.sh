#!/usr/bin/env bash
# Runs every benchmark of a built tree and prints its figures. The ones that
# need a display get a private Xvfb; the registry ones a throw-away store.
#   bench/run-all.sh [BUILD_DIR]   (default build/)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
bin="$build/bin"

. "$root/scripts/lib/private-xvfb.sh"
open_private_session 170 || exit 1
xvfb=$PRIVATE_XVFB_PID
export TRELLIS_REGISTRY="$work/registry.db" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

status=0
run() {
  echo "== $*"
  "$@" || { echo "   (failed: exit $?)"; status=1; }
  echo
}
run "$bin/sce_bench"
run "$bin/trellis_bench"
run "$bin/playback_bench"
run "$bin/capture_idle_poll_bench" 5 "$xvfb"
run "$root/bench/capture/tap_counts.sh" "$bin/pointilla"
run "$root/bench/wayland_kwin/run_kwin_bench.sh" "$bin"
run "$root/bench/shell/run_window_idle_bench.sh" "$bin/window_idle_bench" "$bin/pointilla" 10
run "$root/bench/wayland/run.sh" "$build"
run "$root/bench/floor/run.sh" "$build"
run "$root/bench/floor/run_wayland.sh" "$build"
run "$root/bench/floor/run_gnome.sh" "$build"
# The Windows build under Wine, when there is one (it says it skipped otherwise).
run "$root/bench/floor/run_wine.sh" "$build"
run "$root/bench/floor/run_memory.sh" "$build"
# GNOME's own figures (the session's calls, the read-back); its floor table is
# above.
run "$root/bench/wayland_gnome/run_wayland_gnome_bench.sh" "$bin" 1000 330
exit $status
