#!/usr/bin/env bash
# How many rows short presses of the capture hot key add on a headless Wayland
# compositor: 20 presses of CTRL + ALT + 1 at each hold time, 400 ms apart,
# counted by tap_counter (the window's capture path, from
# tests/e2e/wayland/tap_counter.cpp, in the build's bin/). Keys go in as each
# test bed does: wtype on sway, KWin's fake input (kwin_probe), a
# remote-desktop keyboard on GNOME Shell with Pointilla's helper (gnome_keys.js).
#   wayland_tap_counts.sh sway TAP_COUNTER
#   wayland_tap_counts.sh kwin TAP_COUNTER KWIN_PROBE
#   wayland_tap_counts.sh gnome TAP_COUNTER HELPER_EXTENSION_FOLDER GNOME_KEYS_JS
set -uo pipefail
family="${1:?family}" counter="$(realpath "${2:?tap_counter}")"
presses="${PRESSES:-20}"
holds="${HOLDS:-50 100 150 200 300}"
e2e="$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e"

case "$family" in
  sway)
    . "$e2e/lib.sh"
    . "$e2e/wayland/sway_session.sh"
    start_headless_sway "$work" || fail "sway did not start"
    # One wtype for all the presses: each new one is a keyboard sway adopts slowly.
    press_all() {
      local args=(-s 300) _
      for _ in $(seq 1 "$presses"); do
        args+=(-M ctrl -M alt -P 1 -s "$1" -p 1 -m alt -m ctrl -s 400)
      done
      wtype "${args[@]}"
    }
    ;;
  kwin)
    probe="$(realpath "${3:?kwin_probe}")"
    . "$e2e/lib.sh"
    . "$e2e/wayland/kwin/kwin_session.sh"
    start_kwin_session "$work/kwin" || fail "KWin did not start"
    add_fake_input_entry tap_counter "$counter"
    add_fake_input_entry kwin_probe "$probe"
    export POINTILLA_BACKEND=kwin
    press_all() { "$probe" taps "$1" "$presses" || fail "kwin_probe could not press"; }
    ;;
  gnome)
    extension="${3:?helper extension folder}" keys_script="${4:?gnome_keys.js}"
    . "$e2e/wayland/gnome/gnome_session.sh"
    gnome_test_setup
    export TRELLIS_REGISTRY="$work/registry.db"
    start_gnome_shell_session "$work" "$extension" || fail "no GNOME Shell session"
    wait_until 100 gnome_has_name org.pointilla.ShellHelper || fail "the helper did not come up"
    export POINTILLA_BACKEND=gnome POINTILLA_GNOME_SESSION=mutter
    mkfifo "$work/keys.in" "$work/keys.out"
    gjs "$keys_script" <"$work/keys.in" >"$work/keys.out" 2>"$work/keys.log" &
    pids+=("$!")
    exec 6>"$work/keys.in" 7<"$work/keys.out"
    read -r -t 30 line <&7 && [ "$line" = ready ] || fail "no remote-desktop keyboard"
    # Each key takes 15 ms there: the digit is down for the hold.
    press_all() {
      local _
      for _ in $(seq 1 "$presses"); do
        printf '%s\n' "down ffe3" "down ffe9" "down 31" "wait $(($1 - 15))" "up 31" "up ffe9" \
          "up ffe3" "wait 355" >&6
      done
      echo sync >&6
      read -r -t 120 line <&7 && [ "$line" = done ] || fail "keys not sent"
    }
    ;;
  *) echo "unknown family $family" >&2; exit 2 ;;
esac

mkfifo "$work/counter.in" "$work/counter.out"
QT_QPA_PLATFORM=offscreen "$counter" <"$work/counter.in" >"$work/counter.out" 2>"$work/counter.log" &
pids+=("$!")
exec 8>"$work/counter.in" 9<"$work/counter.out"
read -r -t 30 line <&9 && [ "$line" = "ready ${family/sway/wlroots}" ] ||
  fail "tap_counter: ${line:-nothing} $(cat "$work/counter.log")"
rows() { echo >&8 && read -r -t 10 count <&9 && echo "$count"; }

echo "$family: hold (ms) | presses | rows | lost | doubled"
for hold in $holds; do
  before="$(rows)"
  press_all "$hold"
  sleep 0.5 # past the last tick
  added=$(($(rows) - before))
  lost=$((presses > added ? presses - added : 0))
  doubled=$((added > presses ? added - presses : 0))
  echo "$hold | $presses | $added | $lost | $doubled"
done
