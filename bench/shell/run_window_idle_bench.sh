#!/usr/bin/env bash
# Runs the window bench on a private Xvfb so that only the program loads the
# X server, with a throw-away settings store.
#   run_window_idle_bench.sh BENCH POINTILLA [SECONDS]
set -euo pipefail
bench="${1:?usage: run_window_idle_bench.sh BENCH POINTILLA [SECONDS]}"
pointilla="${2:?usage: run_window_idle_bench.sh BENCH POINTILLA [SECONDS]}"
seconds="${3:-10}"

work="$(mktemp -d)"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

n=150
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done

export DISPLAY=":$n" TRELLIS_REGISTRY="$work/registry.db" HOME="$work"
# A first run registers the control and fills the store, as after installation;
# the measured run is an ordinary start.
"$bench" "$pointilla" "$xvfb" 1 >/dev/null
"$bench" "$pointilla" "$xvfb" "$seconds"
