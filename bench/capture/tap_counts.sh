#!/usr/bin/env bash
# How many rows short presses of the capture hot key add: 20 presses of
# CTRL + ALT + 1 at each hold time, through XTest on the X display, counted in
# the saved scenario. A press should add exactly one row, however short.
#   bench/capture/tap_counts.sh POINTILLA [PRESSES]   (needs DISPLAY)
set -euo pipefail
pointilla="${1:?usage: tap_counts.sh POINTILLA [PRESSES]}"
presses="${2:-20}"
[ -n "${DISPLAY:-}" ] || { echo "no X display"; exit 77; }
. "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/lib.sh"
use_private_settings

echo "hold (ms) | presses | rows | lost | doubled"
for hold in 50 100 150 200 300; do
  "$pointilla" >"$work/pointilla.log" 2>&1 &
  app=$!
  pids+=("$app")
  window="$(find_window 100 '^Pointilla$')" || fail "the main window did not appear"
  xdotool mousemove 5 5
  for _ in $(seq 1 "$presses"); do
    xdotool keydown ctrl alt 1 sleep "$(printf '0.%03d' "$hold")" keyup 1 alt ctrl sleep 0.4
  done
  sleep 0.5 # past the last tick
  xdotool windowfocus --sync "$window" key ctrl+s
  dialog="$(find_window 100 'Enregistrer|Save')" || fail "no save dialog"
  wait_until 50 has_focus "$dialog" || fail "the save dialog did not take the keyboard"
  target="$work/taps-$hold.sce"
  xdotool type --delay 20 "$target"
  xdotool key Return
  wait_until 50 test -s "$target" || fail "nothing was saved"
  rows="$(grep -c '' "$target")"
  lost=$((presses > rows ? presses - rows : 0))
  doubled=$((rows > presses ? rows - presses : 0))
  echo "$hold | $presses | $rows | $lost | $doubled"
  kill "$app"
  wait "$app" 2>/dev/null || true
done
