#!/usr/bin/env bash
# 10,000 pointer moves on X11 (a private Xvfb) and on each Wayland family the
# build has (moves_bench --families, read from the table of families), in the
# same run. Each family has a file bench/wayland/row_<family>.sh defining
# bench_row_<family> MOVES_BENCH MOVES: it starts its compositor, runs the bench
# under it with POINTILLA_BACKEND=<family>, and stops it. A family whose
# compositor is missing prints why instead of a row.
#   bench/wayland/run.sh [BUILD_DIR] [MOVES]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../../build}"
moves="${2:-10000}"
bench="$build/bin/moves_bench"
[ -x "$bench" ] || { echo "no $bench: build the moves_bench target"; exit 1; }

. "$here/../../tests/e2e/lib.sh"
status=0
for family in x11 $("$bench" --families); do
  row="$here/row_$family.sh"
  [ -f "$row" ] || { printf '%-8s (no %s)\n' "$family" "bench/wayland/row_$family.sh"; status=1; continue; }
  (
    pids=()
    . "$row"
    "bench_row_$family" "$bench" "$moves"
    rc=$?
    # The row's display servers end with it.
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    exit $rc
  ) || status=1
done
exit $status
