#!/usr/bin/env bash
# Opens a scenario of one long "Délai" row in the main window through its file
# dialog and starts it, so that the playback waits with its stop key armed.
#   start_waiting_playback.sh WINDOW_ID
set -euo pipefail
window="${1:?usage: start_waiting_playback.sh WINDOW_ID}"
scenario="$(mktemp --suffix=.sce)"
trap 'rm -f "$scenario"' EXIT
printf 'D\xe9lai\xa460\xa4\r\n' >"$scenario"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 20)) $((Y + 10)) click 1   # Fichier
sleep 0.5
xdotool key Down Return                             # Ouvrir un scénario
sleep 1
xdotool type --delay 20 "$scenario"
xdotool key Return
sleep 1
xdotool mousemove $((X + 14)) $((Y + 38)) click 1   # start
sleep 0.5
