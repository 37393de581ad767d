#!/usr/bin/env bash
# sway is left as it was found: a person's own bindings of the keys the player
# binds (Escape, the hot key) work again after a playback, and after a player
# was killed while it held them, once another one has started.
#   sway_bindings_e2e.sh POINTILLA_PLAY DESKTOP_DRIVER
set -uo pipefail
play="$1" driver="$2"
for tool in sway wtype swaymsg setpriv; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/sway_session.sh"

# The person's bindings write what they heard (sway runs as "nobody" under root).
heard="$work/heard"
: >"$heard" && chmod 666 "$heard"
cat >"$work/own.conf" <<CONF
set \$stop Escape
bindsym --no-repeat \$stop exec echo escape >>$heard
bindsym Control+Alt+1 \\
    exec echo hot-key >>$heard
mode "resize" {
    bindsym Escape mode "default"
}
CONF
start_headless_sway "$work" "$work/own.conf" || fail "sway did not start: $(cat "$work/sway.log")"

heard_times() { [ "$(grep -c "^$1\$" "$heard")" -ge "$2" ]; }
# Presses the key and waits until the person's binding has run N times in all.
press_escape() {
  wtype -s 200 -k Escape
  wait_until 30 heard_times escape "$1" || fail "$2: Escape ran the own binding $(grep -c escape "$heard") times, not $1"
}
press_hot_key() {
  wtype -s 200 -M ctrl -M alt -P 1 -s 100 -p 1 -m alt -m ctrl
  wait_until 30 heard_times hot-key "$1" || fail "$2: CTRL+ALT+1 ran the own binding $(grep -c hot-key "$heard") times, not $1"
}
press_escape 1 "before any player"
press_hot_key 1 "before any player"

# 1. A playback to its end binds Escape, then gives it back.
printf 'D\351lai\2441\244\r\n' >"$work/short.sce"
"$play" "$work/short.sce" 2>"$work/play.log" || fail "pointilla-play failed: $(cat "$work/play.log")"
press_escape 2 "after a playback"

# 2. Killed while they hold the keys: a player in its wait (once it has moved
#    the pointer, Escape is bound), and a program watching the hot key.
printf 'Position souris\244 640 ,  512\244\r\nD\351lai\24430\244\r\n' >"$work/long.sce"
"$play" "$work/long.sce" 2>"$work/killed.log" &
player=$!
pids+=("$player")
moved() { [ "$(echo position | "$driver" 2>/dev/null)" = "640 512" ]; }
wait_until 50 moved || fail "the player did not start its playback: $(cat "$work/killed.log")"
kill -KILL "$player"
wait "$player" 2>/dev/null
mkfifo "$work/driver.in"
"$driver" <"$work/driver.in" >"$work/driver.out" 2>&1 &
watcher=$!
pids+=("$watcher")
exec 3>"$work/driver.in"
echo watch >&3
wait_until 30 grep -q ok "$work/driver.out" || fail "the driver did not watch: $(cat "$work/driver.out")"
kill -KILL "$watcher"
wait "$watcher" 2>/dev/null
exec 3>&-

# The next start mends what they left, and leaves it mended.
"$play" "$work/short.sce" 2>"$work/play.log" || fail "pointilla-play failed: $(cat "$work/play.log")"
press_escape 3 "after a killed player and a new start"
press_hot_key 2 "after a killed watcher and a new start"
echo "PASS"
