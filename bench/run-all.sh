#!/usr/bin/env bash
# Runs every benchmark of a built tree and prints its figures.
#   bench/run-all.sh [BUILD_DIR]   (default build/)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
status=0
for b in "$build"/bin/*_bench "$root"/bench/*/*.sh; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || { echo "   (failed: exit $?)"; status=1; }
done
exit $status
