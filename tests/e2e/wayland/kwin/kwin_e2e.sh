#!/usr/bin/env bash
# pointilla-play on a headless KWin, as on a Plasma desktop: its clicks land
# where the scenario says in a native Wayland window, also after thousands of
# moves, the pointer position
# reads back, the hot key reads down while held and up after (on a French
# keyboard, where the top row types "&" for 1), and a program that no
# installed entry names gets no fake input and says so. The cursor script of a
# killed player is unloaded by the next start.
# A 50 ms tap of the hot key adds one row through the window's capture path.
# usage: kwin_e2e.sh POINTILLA_PLAY KWIN_PROBE CLICK_WINDOW TAP_COUNTER
set -euo pipefail
play="$(realpath "$1")" probe="$(realpath "$2")" window="$(realpath "$3")" counter="$(realpath "$4")"
here="$(dirname "${BASH_SOURCE[0]}")"
command -v kwin_wayland >/dev/null || { echo "SKIP: kwin_wayland is not installed"; exit 77; }
. "$here/../../lib.sh"
. "$here/kwin_session.sh"

start_kwin_session "$work/kwin" fr,us || fail "KWin did not start: $(tail -5 "$work/kwin/kwin.log")"
# The programs as an installed prefix with a blank in it would hold them: the
# entries name links, which KWin resolves to the executables it sees running.
tools="$work/mes outils"
mkdir -p "$tools"
ln -s "$play" "$tools/pointilla-play"
ln -s "$probe" "$tools/kwin_probe"
ln -s "$counter" "$tools/tap_counter"
add_fake_input_entry pointilla-play "$tools/pointilla-play"
add_fake_input_entry kwin_probe "$tools/kwin_probe"
add_fake_input_entry tap_counter "$tools/tap_counter"
export POINTILLA_BACKEND=kwin

coproc CLICKS { QT_QPA_PLATFORM=wayland exec "$window" 2>"$work/window.log"; }
pids+=("$CLICKS_PID")
read -r -t 15 ready width height <&"${CLICKS[0]}" || fail "the click window never showed"
[ "$ready $width $height" = "ready 1280 1024" ] || fail "click window: $ready $width $height"

printf 'Position souris\xa4 200 ,  300\xa4\r\nClic souris\xa4Clic\xa4\r\n' >"$work/two.sce"
printf 'Position souris\xa4 1000 ,  700\xa4\r\nClic souris\xa4Clic\xa4\r\n' >>"$work/two.sce"
"$tools/pointilla-play" "$work/two.sce" 2>"$work/play.log" ||
  fail "pointilla-play failed: $(cat "$work/play.log")"
clicks=()
for _ in 1 2 3 4; do
  read -r -t 5 line <&"${CLICKS[0]}" || fail "the window saw ${#clicks[@]} events: ${clicks[*]}"
  clicks+=("$line")
done
expected=("press 200 300" "release 200 300" "press 1000 700" "release 1000 700")
[ "${clicks[*]}" = "${expected[*]}" ] || fail "the window saw: ${clicks[*]}"

# Moves far faster than KWin takes them: none lost, the connection kept, the
# click where the last one put the pointer.
for i in $(seq 1 3000); do printf 'Position souris\xa4 %d ,  %d\xa4\r\n' $((i % 1280)) $((i % 1024)); done \
  >"$work/many.sce"
printf 'Position souris\xa4 1000 ,  700\xa4\r\nClic souris\xa4Clic\xa4\r\n' >>"$work/many.sce"
"$tools/pointilla-play" "$work/many.sce" 2>"$work/play.log" ||
  fail "pointilla-play failed on 3000 moves: $(cat "$work/play.log")"
read -r -t 5 line <&"${CLICKS[0]}" && [ "$line" = "press 1000 700" ] ||
  fail "after 3000 moves the window saw: ${line:-nothing}"
read -r -t 5 line <&"${CLICKS[0]}" || fail "no release after 3000 moves"

# The position, as KWin's script reports it, before and after a move.
[ "$("$tools/kwin_probe" read)" = "1000 700" ] || fail "the pointer reads $("$tools/kwin_probe" read)"
[ "$("$tools/kwin_probe" move 17 1023)" = "17 1023" ] || fail "a move to 17 1023 reads otherwise"

# The hot key through KDE's global shortcuts, pressed with KWin's fake keys:
# CTRL + ALT + 1, the same with the keypad's 1 (NumLock on), CTRL + SHIFT + 1.
for variant in "" keypad shift; do
  "$tools/kwin_probe" hotkey $variant >"$work/hotkey" 2>&1 &&
    grep -q '^down ' "$work/hotkey" && grep -q '^up ' "$work/hotkey" ||
    fail "hot key ${variant:-CTRL + ALT + 1}: $(cat "$work/hotkey")"
done
# Every shortcut went with the program that bound it.
left="$(dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel \
  org.kde.KGlobalAccel.allActionsForComponent array:string:kwin_probe | grep -c '"hold-' || true)"
[ "$left" = 0 ] || fail "$left shortcuts are still bound after the probe ended"

# A 50 ms tap, through the window's capture path (off screen): one row.
mkfifo "$work/counter.in" "$work/counter.out"
QT_QPA_PLATFORM=offscreen "$tools/tap_counter" <"$work/counter.in" >"$work/counter.out" 2>"$work/counter.log" &
counted=$!
pids+=("$counted")
exec 8>"$work/counter.in" 9<"$work/counter.out"
read -r -t 30 line <&9 && [ "$line" = "ready kwin" ] ||
  fail "tap_counter: ${line:-nothing} $(cat "$work/counter.log")"
"$tools/kwin_probe" taps 50 1 || fail "kwin_probe could not tap"
sleep 0.5 # past the next tick
echo >&8
read -r -t 10 rows <&9 || fail "tap_counter did not answer"
[ "$rows" = 1 ] || fail "a 50 ms tap of the hot key gave $rows rows"
exec 8>&- 9<&-
wait "$counted"

# A copy that no entry names: KWin hides fake input, and the player says so.
cp "$play" "$work/pointilla-play"
status=0
"$work/pointilla-play" "$work/two.sce" 2>"$work/refused.log" || status=$?
[ "$status" = 4 ] || fail "an unlisted player ended with $status"
grep -q "n'offre pas .*org_kde_kwin_fake_input" "$work/refused.log" ||
  fail "unexpected refusal: $(cat "$work/refused.log")"
# Killed in its wait, a player leaves its cursor script in KWin; the next
# start unloads it.
printf 'D\xe9lai\xa430\xa4\r\n' >"$work/long.sce"
"$tools/pointilla-play" "$work/long.sce" 2>"$work/killed.log" &
player=$!
pids+=("$player")
script_loaded() {
  dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
    org.kde.kwin.Scripting.isScriptLoaded string:"pointilla-cursor-$1" | grep -q 'boolean true'
}
wait_until 50 script_loaded "$player" || fail "no cursor script for the player: $(cat "$work/killed.log")"
kill -KILL "$player"
wait "$player" 2>/dev/null || true
printf 'Position souris\xa4 20 ,  30\xa4\r\n' >"$work/move.sce"
"$tools/pointilla-play" "$work/move.sce" 2>"$work/play.log" ||
  fail "pointilla-play failed after a killed one: $(cat "$work/play.log")"
! script_loaded "$player" || fail "the killed player's cursor script is still loaded"
echo "PASS: clicks, position and hot key on KWin"
