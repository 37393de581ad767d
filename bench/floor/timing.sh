# Sourced by the floor scripts: their arguments, the scenarios they time, the
# timing and the table's rows.

# floor_arguments [BUILD_DIR] [MOVES...]: sets root, build, bin and counts
# (default build/, 10000 100000); the caller sets here, its own folder.
floor_arguments() {
  root="$(cd "$here/../.." && pwd)"
  build="$(realpath "${1:-$root/build}")"
  shift || true
  counts=("$@")
  [ $# -eq 0 ] && counts=(10000 100000)
  bin="$build/bin"
}

now() { date +%s.%N; }
# best: the smallest figure on standard input.
best() { sort -g | head -n1; }

# corner_moves N FILE: N moves over the screen whose last row, and only it, is
# the corner (1279, 1023), where a pointer poll sees the run end.
corner_moves() {
  awk -v n="$1" 'BEGIN { for (i = 0; i < n - 1; i++) printf "Position souris\244%d , %d\244\r\n", (i * 7) % 1200, (i * 13) % 1000;
                         printf "Position souris\2441279 , 1023\244\r\n" }' >"$2"
}
# spread_moves N FILE: the floor programs' path (bench_support.h positionRows)
# on a 1280x1024 output.
spread_moves() {
  awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++) printf "Position souris\244%d , %d\244\r\n", (i * 37) % 1280, (i * 53) % 1024 }' >"$2"
}

# seconds COMMAND...: how long COMMAND took; its output goes to $timing_log
# (nowhere unless set). Fails when COMMAND does.
seconds() {
  local start
  start=$(now)
  "$@" >>"${timing_log:-/dev/null}" 2>&1 || return 1
  echo "$(now) - $start" | bc -l
}

# table_row PLATFORM MOVES FLOOR FIGURE...: one row of the table, each figure
# also as a multiple of the floor.
table_row() {
  local platform="$1" moves="$2" floor="$3" figure
  shift 3
  printf '%-8s %8d %9.3fs' "$platform" "$moves" "$floor"
  for figure in "$@"; do
    printf ' %9.3fs (%4s×)' "$figure" "$(echo "scale=1; $figure / $floor" | bc -l)"
  done
  printf '\n'
}
