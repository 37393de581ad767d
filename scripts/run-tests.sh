#!/usr/bin/env bash
# Runs every test of a built tree: a private Xvfb for the tests that need a display,
# a throw-away registry store so no test touches the user's settings.
set -euo pipefail
build="${1:?usage: run-tests.sh BUILD_DIR}"

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A free display number: the first without a lock file.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
# -noreset keeps the pointer position and held keys between test steps.
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$n" ] && break
  sleep 0.05
done
if [ ! -e "/tmp/.X11-unix/X$n" ]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi

export DISPLAY=":$n"
export TRELLIS_REGISTRY="$work/registry.db"
export XDG_DATA_HOME="$work/data"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
