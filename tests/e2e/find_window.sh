# Sourced: find_window TENTHS PATTERN  prints the id of the first shown window
# whose name matches PATTERN, looking every tenth of a second up to TENTHS
# times; fails when none came. A window that vanishes while xdotool walks the
# tree (a program starting up makes and drops windows) fails that one look with
# BadWindow, so each look may fail and the next simply looks again.
find_window() {
  local tenths="$1" pattern="$2" id _
  for _ in $(seq 1 "$tenths"); do
    id="$( (xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true) | head -n1)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
