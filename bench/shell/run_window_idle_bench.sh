#!/usr/bin/env bash
# Runs the window bench on a private Xvfb so that only the program loads the
# X server, with a throw-away settings store.
#   run_window_idle_bench.sh BENCH POINTILLA [SECONDS]
set -euo pipefail
bench="${1:?usage: run_window_idle_bench.sh BENCH POINTILLA [SECONDS]}"
pointilla="${2:?usage: run_window_idle_bench.sh BENCH POINTILLA [SECONDS]}"
seconds="${3:-10}"

. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/private-xvfb.sh"
open_private_session 150 || exit 1
xvfb=$PRIVATE_XVFB_PID

export TRELLIS_REGISTRY="$work/registry.db" HOME="$work"
# A first run registers the control and fills the store, as after installation;
# the measured run is an ordinary start.
"$bench" "$pointilla" "$xvfb" 1 >/dev/null
"$bench" "$pointilla" "$xvfb" "$seconds"
# The same while a playback waits on a long delay, the stop key armed.
"$bench" "$pointilla" "$xvfb" "$seconds" "$(dirname "${BASH_SOURCE[0]}")/start_waiting_playback.sh"
# The same while a click capture listens, its end keys watched.
"$bench" "$pointilla" "$xvfb" "$seconds" "$(dirname "${BASH_SOURCE[0]}")/start_click_capture.sh"
