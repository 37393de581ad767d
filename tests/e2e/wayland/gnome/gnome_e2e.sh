#!/bin/bash
# pointilla-play on GNOME's compositor, natively: a headless mutter on a private
# session bus, with PipeWire and WirePlumber (the cursor comes back through a
# screen-cast stream). Checks that a Wayland window gets the clicks where the
# scenario puts them, and that the position reads back, by both routes:
# - mutter's own remote-desktop interfaces (POINTILLA_GNOME_SESSION=mutter),
#   which ask nobody;
# - the RemoteDesktop portal, as for a person: gnome_consent answers the
#   desktop's dialog (switch on "Allow remote interaction", press "Share").
# Skips (77) where mutter is not installed.
set -u
play="$1" window="$2" probe="$3" consent="$4"
command -v mutter >/dev/null || { echo "SKIP: mutter is not installed"; exit 77; }
for tool in dbus-daemon pipewire wireplumber; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing" >&2; exit 1; }
done

. "$(dirname "${BASH_SOURCE[0]}")/gnome_session.sh"
gnome_test_setup
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
start_gnome_session "$work" || fail "no GNOME session"

export POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter

# A desktop with a mouse has a pointer before any window opens; a headless one
# only while a remote-desktop session lasts. One is held for the whole test, so
# that the window finds the pointer it would find on a person's desktop.
mkfifo "$work/hold.in" "$work/hold.out"
"$probe" --hold <"$work/hold.in" >"$work/hold.out" 2>"$work/hold.log" &
pids+=("$!")
exec 4>"$work/hold.in" 5<"$work/hold.out"
read -r -t 10 line <&5 && [ "$line" = holding ] || fail "no session to hold the pointer"

# The window covers the monitor; it prints each press where it lands.
mkfifo "$work/window.out"
QT_QPA_PLATFORM=wayland "$window" >"$work/window.out" 2>"$work/window.log" &
pids+=("$!")
exec 3<"$work/window.out"
read -r -t 10 line <&3 && [ "$line" = "ready 1280 1024" ] || fail "the Wayland window did not show (got '${line:-}')"

# Clicks after 3000 moves sent back to back still land on their pixels.
for i in $(seq 1 3000); do printf 'Position souris\xa4 %d ,  %d\xa4\r\n' $((i % 1280)) $((i % 1024)); done \
  >"$work/clicks.sce"
printf 'Position souris\xa4 200 ,  150\xa4\r\nClic souris\xa4Clic\xa4\r\n' >>"$work/clicks.sce"
printf 'Position souris\xa4 1000 ,  700\xa4\r\nClic souris\xa4Clic\xa4\r\n' >>"$work/clicks.sce"
"$play" "$work/clicks.sce" >"$work/play.log" 2>&1 || fail "pointilla-play failed ($?)"

events=()
while [ "${#events[@]}" -lt 4 ] && read -r -t 5 line <&3; do events+=("$line"); done
expected=("press 200 150" "release 200 150" "press 1000 700" "release 1000 700")
[ "${events[*]}" = "${expected[*]}" ] ||
  fail "the window got '${events[*]}', expected '${expected[*]}'"

# The position as another client left it, then after a move of our own; and
# the primary monitor's size, from the stream.
"$probe" >"$work/probe.out" 2>"$work/probe.log" || fail "the probe saw no pointer"
[ "$(cat "$work/probe.out")" = "$(printf 'size 1280 1024\nat 1000 700')" ] ||
  fail "probe read: $(tr '\n' ' ' <"$work/probe.out")"
"$probe" 37 911 >"$work/probe.out" 2>"$work/probe.log" || fail "the move did not read back"
[ "$(tail -1 "$work/probe.out")" = "at 37 911" ] || fail "probe read: $(tail -1 "$work/probe.out")"

# The portal's route: the same, with the user's consent asked and given.
unset POINTILLA_GNOME_SESSION
# with_consent OUT COMMAND...: runs the command, output to OUT, and answers
# the dialog it brings up; fails when no dialog came or the command failed.
with_consent() {
  local out="$1"
  shift
  timeout 30 "$@" >"$out" 2>&1 &
  local pid=$!
  "$consent" >"$work/consent.log" 2>&1 || { kill "$pid"; fail "no consent given: $(cat "$work/consent.log")"; }
  wait "$pid" || fail "$(basename "$1") failed through the portal: $(cat "$out")"
}
printf 'Position souris\xa4 300 ,  250\xa4\r\nClic souris\xa4Clic\xa4\r\n' >"$work/portal.sce"
with_consent "$work/play.log" "$play" "$work/portal.sce"
events=()
while [ "${#events[@]}" -lt 2 ] && read -r -t 5 line <&3; do events+=("$line"); done
[ "${events[*]}" = "press 300 250 release 300 250" ] ||
  fail "through the portal the window got '${events[*]}'"
with_consent "$work/probe.out" "$probe" 640 512
[ "$(tail -1 "$work/probe.out")" = "at 640 512" ] || fail "probe read: $(tail -1 "$work/probe.out")"
echo "PASS"
