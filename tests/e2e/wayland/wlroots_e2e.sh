#!/usr/bin/env bash
# pointilla-play and the wlroots desktop on a headless sway, seen by wev, a real
# Wayland client: clicks land where the scenario says, the position reads back,
# the hot key's press and release are heard, Escape stops a playback.
# With the program, its window runs natively on sway and captures with the hot
# key; with SCREENSHOT too, the screen after the capture is saved there (grim).
#   wlroots_e2e.sh POINTILLA_PLAY DESKTOP_DRIVER [POINTILLA [SCREENSHOT]]
set -uo pipefail
play="$1" driver="$2" program="${3:-}" screenshot="${4:-}"
for tool in sway wev wtype swaymsg setpriv; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/sway_session.sh"
start_headless_sway "$work" || fail "sway did not start: $(cat "$work/sway.log")"

# wev floats at a known place; its events tell where clicks landed (surface coordinates).
stdbuf -oL wev >"$work/wev.log" 2>&1 &
pids+=("$!")
wev_mapped() { swaymsg -t get_tree | grep -q '"app_id": "wev"'; }
wait_until 50 wev_mapped || fail "wev did not map"
wx=300 wy=200
swaymsg "[app_id=wev] move absolute position $wx $wy" >/dev/null || fail "wev could not be placed"

# 1. Two clicks at two places, from a scenario file.
# After 3000 moves sent back to back, the clicks still land on their pixels.
for i in $(seq 1 3000); do printf 'Position souris\244 %d ,  %d\244\r\n' $((i % 1280)) $((i % 1024)); done \
  >"$work/clicks.sce"
printf 'Position souris\244 %d ,  %d\244\r\nClic souris\244\244\r\nPosition souris\244%d ,  %d\244\r\nClic souris\244\244\r\n' \
  $((wx + 100)) $((wy + 50)) $((wx + 250)) $((wy + 120)) >>"$work/clicks.sce"
"$play" "$work/clicks.sce" 2>"$work/play.log" || fail "pointilla-play failed: $(cat "$work/play.log")"
presses() { [ "$(grep -ac 'state: 1 (pressed)' "$work/wev.log")" -ge "$1" ]; }
answers() { [ "$(wc -l <"$work/driver.out")" -ge "$1" ]; }
wait_until 20 presses 2 || fail "wev saw no two presses"
# Where the pointer was at each press: the last enter or motion before it.
landed="$(awk '/wl_pointer\] (enter|motion)/ {sub(/.*x, y: /, ""); split($0, p, ", "); at = int(p[1]) " " int(p[2])}
               /state: 1 \(pressed\)/ {print at}' "$work/wev.log" | tr '\n' ';')"
[ "$landed" = "100 50;250 120;" ] || fail "clicks landed at '$landed', not '100 50;250 120;'"

# Each wtype is a new keyboard that sway and the programs take a moment to
# adopt: it waits 200 ms before its first key.

# 2. The position reads back; 3. the hot key is heard down and up, and the
#    position is read while it is held.
mkfifo "$work/driver.in"
"$driver" <"$work/driver.in" >"$work/driver.out" 2>&1 &
driven=$!
pids+=("$driven")
exec 3>"$work/driver.in"
echo position >&3
echo watch >&3
wait_until 30 answers 2 || fail "the driver did not answer: $(cat "$work/driver.out")"
echo "until 49 down" >&3
echo position >&3
echo "until 49 up" >&3
sleep 0.2 # the driver takes its three lines before the keys come; it says nothing until then
wtype -s 200 -M ctrl -M alt -P 1 -s 300 -p 1 -m alt -m ctrl
exec 3>&-
wait_until 60 answers 5 || fail "driver: $(cat "$work/driver.out")"
expected="$((wx + 250)) $((wy + 120));ok;ok;$((wx + 250)) $((wy + 120));ok;"
[ "$(tr '\n' ';' <"$work/driver.out")" = "$expected" ] ||
  fail "driver said '$(tr '\n' ';' <"$work/driver.out")', not '$expected'"
# Gone, with its bindings, before another program binds the same keys.
wait "$driven"

# 4. Escape stops a playback during its wait, wherever the focus is.
printf 'D\351lai\2445\244\r\nClic souris\244\244\r\n' >"$work/wait.sce"
started=$(date +%s%N)
"$play" "$work/wait.sce" 2>"$work/stop.log" &
player=$!
sleep 0.8 # into the five-second wait, where Escape is to be met
wtype -s 200 -k Escape
wait "$player"
status=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
[ "$status" -eq 6 ] || fail "Escape gave exit $status: $(cat "$work/stop.log")"
[ "$elapsed_ms" -lt 3000 ] || fail "Escape took ${elapsed_ms} ms to stop the playback"
grep -q "la ligne 1$" "$work/stop.log" || fail "no stop message: $(cat "$work/stop.log")"

# 5. The window, native on sway: CTRL+ALT+1 held over wev captures where the
#    pointer is, a 50 ms tap one row where it is then, and the scenario saved
#    holds them.
if [ -n "$program" ]; then
  use_private_settings
  QT_QPA_PLATFORM= "$program" >"$work/pointilla.log" 2>&1 &
  pids+=("$!")
  pointilla_mapped() { swaymsg -t get_tree | grep -q '"app_id": "pointilla"'; }
  wait_until 100 pointilla_mapped || fail "the window did not appear on sway"
  swaymsg "[app_id=pointilla] move absolute position 740 420" >/dev/null
  printf 'move %d %d\n' $((wx + 60)) $((wy + 40)) | "$driver" >/dev/null
  sleep 0.3 # the pointer at rest over wev before the keys go down
  wtype -s 200 -M ctrl -M alt -P 1 -s 700 -p 1 -m alt -m ctrl
  # A 50 ms tap elsewhere: one row, where the pointer was at the tap.
  printf 'move %d %d\n' $((wx + 150)) $((wy + 90)) | "$driver" >/dev/null
  sleep 0.3
  wtype -s 200 -M ctrl -M alt -P 1 -s 50 -p 1 -m alt -m ctrl
  sleep 0.3 # the poll's last tick after the keys went up, before the picture
  if [ -n "$screenshot" ]; then grim "$screenshot" || fail "grim could not take the screenshot"; fi
  save_dialog() { swaymsg -t get_tree | grep -q '"name": "Enregistrer sous"'; }
  for _ in 1 2 3; do
    swaymsg "[app_id=pointilla] focus" >/dev/null
    wtype -s 200 -M ctrl -k s -m ctrl
    wait_until 30 save_dialog && break
  done
  save_dialog || fail "Ctrl+S showed no save dialog"
  sleep 0.5 # its name field takes the keys once drawn; sway's tree does not say when
  target="$work/capture.sce"
  wtype -s 200 "$target" -s 300 -k Return
  wait_until 50 test -s "$target" || fail "nothing was saved to $target"
  rows="$(($(grep -c '' "$target") - 1))"
  [ "$rows" -ge 2 ] && [ "$rows" -le 5 ] || fail "expected 2 to 5 rows from the hold, got $rows"
  expected="$({
    for _ in $(seq 1 "$rows"); do printf 'Position souris\244 %d ,  %d\244\r\n' $((wx + 60)) $((wy + 40)); done
    printf 'Position souris\244 %d ,  %d\244\r\n' $((wx + 150)) $((wy + 90))
  } | od -An -tx1)"
  [ "$(od -An -tx1 <"$target")" = "$expected" ] || fail "the capture differs: $(od -c <"$target" | head -n5)"
fi
echo "PASS"
