#!/usr/bin/env bash
# Starts a click capture in the main window with F9, so that the figure is
# taken while it listens for clicks, its end keys watched.
#   start_click_capture.sh WINDOW_ID
set -euo pipefail
window="${1:?usage: start_click_capture.sh WINDOW_ID}"
xdotool windowfocus --sync "$window"
xdotool keydown F9
sleep 0.2
xdotool keyup F9
sleep 0.5
