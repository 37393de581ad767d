#!/usr/bin/env bash
# A save that crosses the session's file-size limit (ulimit -f) fails with the
# program's message, as a full disk does: the program stays, with its rows, and
# leaves no temporary file behind; with the limit lifted the same rows save whole.
#   file_size_limit_e2e.sh POINTILLA [SCREENSHOT_DIR]
set -euo pipefail
pointilla="${1:?usage: file_size_limit_e2e.sh POINTILLA [SCREENSHOT_DIR]}"
shots="${2:-}"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
command -v prlimit >/dev/null || { echo "no prlimit: skipped"; exit 77; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

main_window() { program_windows | awk '$2 > 400 && $3 > 400 {print $1; exit}'; }
box_window() { program_windows | awk -v main="$main" '$1 != main && $6 == "no" {print $1; exit}'; }
has_main() { [ -n "$(main_window)" ]; }
has_box() { [ -n "$(box_window)" ]; }
alive() { kill -0 "$app" 2>/dev/null; }
box_or_ended() { has_box || ! alive; }

# 12,000 rows, about 330 KiB, for a limit of 256 KiB (the settings store stays below it).
for ((row = 0; row < 12000; row++)); do printf 'Position souris\244 10 ,  20\244\r\n'; done >"$work/grand.sce"

prlimit --fsize=262144:unlimited "$pointilla" "$work/grand.sce" >>"$work/pointilla.log" 2>&1 &
app=$!
pids+=("$app")
wait_until 300 has_main || fail "the main window did not appear"
main="$(main_window)"
sleep 1 # the 12,000 rows may still be going in: nothing outside the window shows it

# Saves through Ctrl+S and the dialog under the name $1.
save_as() {
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+s
  local dialog
  dialog="$(find_window 100 "Enregistrer|Save")" || fail "Ctrl+S showed no save dialog"
  wait_until 50 has_focus "$dialog" || fail "the save dialog did not take the keyboard"
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
}

save_as "$work/copie.sce"
wait_until 150 box_or_ended || fail "the save neither finished nor said anything"
if ! alive; then
  wait "$app" && status=0 || status=$?
  fail "the program ended with status $status while saving"
fi
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  import -window root "$shots/file-size-limit.png"
fi
[ ! -e "$work/copie.sce" ] || fail "a partial copie.sce was left"
leftover="$(find "$work" -maxdepth 1 -name '.tmp-*')"
[ -z "$leftover" ] || fail "temporary files were left: $leftover"

# The message dismissed, the limit lifted: the rows the window kept save whole.
xdotool windowfocus --sync "$(box_window)"
xdotool key Return
wait_until 50 eval '! has_box' || fail "the message did not close"
prlimit --pid "$app" --fsize=unlimited:unlimited
save_as "$work/copie.sce"
wait_until 100 cmp -s "$work/grand.sce" "$work/copie.sce" ||
  fail "the rows kept differ: $(cmp "$work/grand.sce" "$work/copie.sce" 2>&1)"
echo "the limit said as a failed save; 12,000 rows kept and saved once it was lifted"
