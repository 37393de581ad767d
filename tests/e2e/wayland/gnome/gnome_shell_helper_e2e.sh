#!/bin/bash
# The window natively on a headless GNOME Shell 43 with Pointilla's shell
# helper enabled, one shell for every step; keys go in through a remote-desktop
# virtual keyboard (gnome_keys.js), moves and clicks through pointilla-play:
# - CTRL + ALT + 1 held over a point captures rows of where the pointer is (the
#   position display copied), a 50 ms tap one row; the rows are saved with
#   Ctrl+S and read from the file;
# - Escape stops a playback;
# - once Pointilla has ended (killed: nothing tidied), the combination reaches
#   another window again;
# - a tap of Escape stops pointilla-play between rows played back to back;
# - with the helper disabled, the window says the hot key is not heard and
#   captures nothing; enabled again, it binds again and captures.
# Skips (77) where GNOME Shell is not installed.
set -u
pointilla="$1" play="$2" probe="$3" screenshot="$4" window="$5" extension="$6" keys_script="$7"
command -v gnome-shell >/dev/null || { echo "SKIP: gnome-shell is not installed"; exit 77; }
for tool in gjs gnome-extensions gdbus; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing" >&2; exit 1; }
done

. "$(dirname "${BASH_SOURCE[0]}")/gnome_session.sh"
gnome_test_setup
export TRELLIS_REGISTRY="$work/registry.db"
start_gnome_shell_session "$work" "$extension" || fail "no GNOME Shell session"
wait_until 100 gnome_has_name org.pointilla.ShellHelper || fail "the helper did not come up"
export POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter
uuid="$(basename "$extension")"

# keys LINE...: each line a gnome_keys.js command ("down ffe3", "wait 500"),
# through one remote-desktop keyboard for the whole test; returns once done.
keys() {
  printf '%s\n' "$@" sync >&6
  read -r -t 30 line <&7 && [ "$line" = done ] || fail "keys not sent"
}
hot_key_down=("down ffe3" "down ffe9" "down 31")
hot_key_up=("up 31" "up ffe9" "up ffe3")
. "$(dirname "${BASH_SOURCE[0]}")/window_picture.sh"
pointer_at() {
  gdbus call --session -d org.pointilla.ShellHelper -o /org/pointilla/ShellHelper \
    -m org.pointilla.ShellHelper.GetPosition | grep -q "^($1, $2, "
}
window_shown() { shot && box="$(window_box)" && [ -n "$box" ] && [ "${box%%x*}" -gt 400 ]; }
# start_pointilla [FILE]: sets wx, wy, wh, the window's place and height.
start_pointilla() {
  # From an empty folder, where the save dialog opens first.
  mkdir -p "$work/saves"
  (cd "$work/saves" && QT_QPA_PLATFORM=wayland exec "$pointilla" "$@") >"$work/pointilla.log" 2>&1 &
  app="$!"
  pids+=("$app")
  wait_until 100 window_shown || fail "the window did not appear"
  IFS='x+' read -r _ wh wx wy <<<"$box"
  sleep 0.5 # a window just shown may lose a click or key
}
# The status bar's line, where the window's notes show.
status_lightness() { shot && lightness 4 $((wh - 18)) 400 14; }

mkfifo "$work/keys.in" "$work/keys.out"
gjs "$keys_script" <"$work/keys.in" >"$work/keys.out" 2>"$work/keys.log" &
pids+=("$!")
exec 6>"$work/keys.in" 7<"$work/keys.out"
read -r -t 30 line <&7 && [ "$line" = ready ] || fail "no remote-desktop keyboard"
# The shell starts in its overview; Escape leaves it, as a person would.
keys "down ff1b" "up ff1b" "wait 300"
mkfifo "$work/hold.in"
"$probe" --hold <"$work/hold.in" >/dev/null 2>"$work/hold.log" &
pids+=("$!")
exec 4>"$work/hold.in"

step() { echo "$SECONDS s: $*"; }
step "the window with the helper"
start_pointilla
quiet_status="$(status_lightness)"
move 900 700
keys "${hot_key_down[@]}" "wait 1000" "${hot_key_up[@]}" "wait 300"
# Two taps, the digit down 50 ms (each key takes 15 ms to go in).
for point in "700 800" "300 500"; do
  move $point
  keys "${hot_key_down[@]}" "wait 35" "${hot_key_up[@]}" "wait 600"
done
step "saving"
# Ctrl+S, the file's name typed into the dialog, Enter.
# Only a name: a path would bring up the dialog's completions.
saved="$work/saves/captured.sce"
typed=()
for byte in $(printf '%s' "$(basename "$saved")" | od -An -tx1); do typed+=("down $byte" "up $byte"); done
shot
cp "$work/shot.png" "$work/before.png"
keys "down ffe3" "down 73" "up 73" "up ffe3"
# The dialog shows: a large part of the screen changes.
dialog_shown() { shot && [ "$(compare -fuzz 10% -metric AE "$work/before.png" "$work/shot.png" null: 2>&1)" -gt 20000 ]; }
wait_until 100 dialog_shown || fail "no save dialog"
sleep 1 # the dialog takes the keyboard a moment after it shows
keys "${typed[@]}" "down ff0d" "up ff0d"
wait_until 50 test -s "$saved" || fail "nothing was saved: $(ls "$work/saves")"
held_rows="$(grep -c ' 900 ,  700' "$saved")"
[ "$held_rows" -ge 3 ] && [ "$held_rows" -le 7 ] || fail "a one-second hold gave $held_rows rows"
# Each tap exactly one row, where the pointer was.
[ "$(grep -c ' 700 ,  800' "$saved")" = 1 ] && [ "$(grep -c ' 300 ,  500' "$saved")" = 1 ] &&
  [ "$(grep -c '' "$saved")" = $((held_rows + 2)) ] ||
  fail "two taps did not give one row each: $(cat -v "$saved")"

step "a playback"
# A playback that moves the pointer back and forth every second, handed to
# the running window; the play button; Escape once it has begun.
for _ in 1 2 3 4 5; do
  printf 'Position souris\xa4 100 ,  100\xa4\r\nD\xe9lai\xa41\xa4\r\n'
  printf 'Position souris\xa4 1100 ,  900\xa4\r\nD\xe9lai\xa41\xa4\r\n'
done >"$work/back-and-forth.sce"
# Nine captured rows at most; the file's twenty rows reach the list's lower
# part; the play button is clicked once they show.
lower_list_filled() { shot && awk -v mean="$(lightness 262 260 200 120)" 'BEGIN {exit !(mean < 0.97)}'; }
lower_list_filled && fail "the list's lower part has rows before the file came"
QT_QPA_PLATFORM=wayland "$pointilla" "$work/back-and-forth.sce" >>"$work/pointilla.log" 2>&1 ||
  fail "the file was not handed over"
wait_until 50 lower_list_filled || fail "the handed file did not show"
sleep 0.5 # a window just raised may lose a click
move $((wx + 22)) $((wy + 67)) click
wait_until 50 pointer_at 100 100 || fail "the playback did not start"
keys "down ff1b" "up ff1b"
sleep 2.5 # two moves would have come by now
pointer_at 100 100 || fail "Escape did not stop the playback"

step "after Pointilla"
# Pointilla ends without tidying: the combination reaches a window again.
kill -KILL "$app"
mkfifo "$work/window.out"
QT_QPA_PLATFORM=wayland "$window" >"$work/window.out" 2>"$work/window.log" &
pids+=("$!")
exec 3<"$work/window.out"
read -r -t 10 line <&3 && [ "${line%% *}" = ready ] || fail "the other window did not show"
keys "${hot_key_down[@]}" "${hot_key_up[@]}"
got=""
while read -r -t 5 line <&3; do
  [ "$line" = "key 49 ctrl alt" ] && { got=yes; break; }
done
[ -n "$got" ] || fail "CTRL + ALT + 1 did not reach the window after Pointilla ended"
end_process "${pids[-1]}"

step "Escape between back-to-back rows"
# pointilla-play on rows of moves with no wait between them: a tap of Escape,
# pressed and let go at once, stops it ("Lecture arrêtée", status 6).
awk 'BEGIN { for (i = 0; i < 400000; i++) printf "Position souris\244%d , %d\244\r\n", (i * 37) % 1280, (i * 53) % 1024 }' \
  >"$work/rows.sce"
move 641 511
"$play" "$work/rows.sce" >"$work/rows.log" 2>&1 &
player="$!"
pids+=("$player")
wait_until 100 bash -c "! gdbus call --session -d org.pointilla.ShellHelper -o /org/pointilla/ShellHelper \
  -m org.pointilla.ShellHelper.GetPosition | grep -q '^(641, 511, '" || fail "the rows did not start"
keys "down ff1b" "up ff1b"
wait_until 100 bash -c "! kill -0 $player 2>/dev/null" || fail "an Escape tap did not stop the rows"
wait "$player"
rc=$?
[ "$rc" = 6 ] || fail "pointilla-play ended with $rc, not stopped: $(tail -3 "$work/rows.log")"

step "without the helper"
# Without the helper: today's window, which says why the hot key is not heard.
gnome-extensions disable "$uuid" || fail "the helper could not be disabled"
wait_until 50 bash -c "! gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
  -m org.freedesktop.DBus.NameHasOwner org.pointilla.ShellHelper | grep -q true" ||
  fail "the helper stayed on the bus"
start_pointilla
noted="$(status_lightness)"
awk -v noted="$noted" -v quiet="$quiet_status" 'BEGIN {exit !(noted < quiet - 0.02)}' ||
  fail "no note in the status bar ($noted, $quiet_status without one)"
move 900 700
keys "${hot_key_down[@]}" "wait 500" "${hot_key_up[@]}" "wait 300"
shot
[ "$(lightness 262 139 200 12)" = 1 ] || fail "captured without the helper"
step "the helper back"
# Enabled again: the window binds again by itself.
gnome-extensions enable "$uuid" || fail "the helper could not be enabled"
wait_until 50 gnome_has_name org.pointilla.ShellHelper || fail "the helper did not come back"
sleep 0.5 # the window binds at its next poll
keys "${hot_key_down[@]}" "wait 500" "${hot_key_up[@]}" "wait 300"
has_row() { shot && awk -v mean="$(lightness 262 139 200 12)" 'BEGIN {exit !(mean < 0.97)}'; }
wait_until 20 has_row || fail "no capture once the helper came back"
echo "PASS"
