#!/usr/bin/env bash
# Builds the Windows programs for the tests under Wine: Qt from its cache (built
# once on a fresh machine, which takes 15 to 25 minutes on two cores), then the
# project, with scripts/build-windows.sh. Prints how long it took.
#   build_programs.sh WINDOWS_BUILD_DIR
# Skipped (77) without the cross compiler, except under CI.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
build="${1:?usage: build_programs.sh WINDOWS_BUILD_DIR}"
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
  if [ "${CI:-}" = true ]; then echo "FAILED: g++-mingw-w64-x86-64-posix is missing" >&2; exit 1; fi
  echo "SKIPPED: g++-mingw-w64-x86-64-posix is missing" >&2
  exit 77
fi
started=$SECONDS
POINTILLA_WINDOWS_BUILD_DIR="$build" "$root/scripts/build-windows.sh" >"$build.log" 2>&1 ||
  { tail -50 "$build.log" >&2; echo "FAILED: the Windows build (log: $build.log)" >&2; exit 1; }
grep -h '^Qt for Windows' "$build.log" || true
echo "Windows programs built in $((SECONDS - started)) s"
