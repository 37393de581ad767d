#!/usr/bin/env bash
# Runs every benchmark of a built tree and prints its figures. The ones that
# need a display get a private Xvfb; the registry ones a throw-away store.
#   bench/run-all.sh [BUILD_DIR]   (default build/)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
bin="$build/bin"

work="$(mktemp -d)"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

n=170
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
export DISPLAY=":$n" TRELLIS_REGISTRY="$work/registry.db"

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
run "$root/bench/shell/run_window_idle_bench.sh" "$bin/window_idle_bench" "$bin/pointilla" 10
exit $status
