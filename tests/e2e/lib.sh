# Sourced by the end-to-end scripts. Gives them:
#   $work        a private folder, removed at exit
#   pids         programs to end at exit (append with pids+=("$!"))
#   fail MSG     fails the test, showing $work/pointilla.log when there is one
#   wait_until TENTHS CMD...   polls CMD for up to TENTHS tenths of a second
#   find_window TENTHS PATTERN the first shown window whose name matches, once it is there
#   use_private_settings       a registry store, home and XDG folders of the test's own
#   program_windows            the program's shown top-level windows: "id width height x y override"
#   icon_centre, has_icon      where the tray icon is ("X Y"), and whether there is one
#   conditions for wait_until: menu_shown, no_menu_shown, has_focus WINDOW,
#   pointer_at X Y, ended PID, not_shown WINDOW
# Keys a test may hold are released at exit, whatever happened.
work="$(mktemp -d)"
pids=()
e2e_cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  xdotool keyup 1 alt ctrl shift 2>/dev/null || true
  rm -rf "$work"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/pointilla.log" ] && sed 's/^/  pointilla: /' "$work/pointilla.log" >&2
  exit 1
}

. "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"
. "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"

use_private_settings() {
  export TRELLIS_REGISTRY="$work/registry.db"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  mkdir -p "$HOME"
}

# A window may vanish between the listing and the look at it: it is left out.
program_windows() {
  xwininfo -root -children | awk '/"Pointilla": \("pointilla"/ {print $1}' | while read -r id; do
    { xwininfo -id "$id" 2>/dev/null || true; } | awk -v id="$id" '
      /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      /Width:/ {w=$NF} /Height:/ {h=$NF} /Map State:/ {m=$NF} /Override Redirect/ {o=$NF}
      END { if (m == "IsViewable") print id, w, h, x, y, o }'
  done
}

# The centre of Pointilla's tray icon (the program's window embedded in the
# tray host), as "X Y"; nothing while no icon is embedded.
icon_centre() {
  xwininfo -root -tree | awk '/"Pointilla": \("pointilla"/ && match($0, /^ +/) && RLENGTH > 6 {print $1; exit}' |
    while read -r id; do
      { xwininfo -id "$id" 2>/dev/null || true; } | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (w) print int(x + w / 2), int(y + h / 2)}'
    done
}
has_icon() { [ -n "$(icon_centre)" ]; }

# A pop-up menu of the program on screen (taller than a tooltip).
menu_shown() { program_windows | awk '$6 == "yes" && $3 > 40 {shown = 1} END {exit !shown}'; }
no_menu_shown() { ! menu_shown; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
pointer_at() { [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$1 y:$2" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }
not_shown() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
