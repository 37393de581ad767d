#!/usr/bin/env bash
# Cross-compiles the Trellis control alone for 64-bit Windows with mingw-w64,
# against the real Windows headers and libraries, into Trellis.dll with its type
# library (widl, from src/trellis/com/dovetail.idl) as resource TYPELIB 1, and
# checks that the in-process server's entry points are exported. The DLL and
# the generated interface header are left in the output folder.
#   scripts/check-windows-build.sh [output-dir]
# Exits 77 (skipped) when a tool is missing, except in CI (CI=true) where that is
# a failure; non-zero on any compile, link or export failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/windows}"
cxx="${TRELLIS_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}"
objdump="${TRELLIS_MINGW_OBJDUMP:-x86_64-w64-mingw32-objdump}"
windres="${TRELLIS_MINGW_WINDRES:-x86_64-w64-mingw32-windres}"
widl="${TRELLIS_WIDL:-x86_64-w64-mingw32-widl}"

missing_tool() {
  if [ "${CI:-}" = true ]; then
    echo "FAILED: $1" >&2
    exit 1
  fi
  echo "SKIPPED: $1" >&2
  exit 77
}
for tool in "$cxx" "$windres"; do
  command -v "$tool" >/dev/null 2>&1 ||
    missing_tool "$tool is not installed (apt-get install g++-mingw-w64-x86-64-posix)."
done
command -v "$widl" >/dev/null 2>&1 || missing_tool "$widl is not installed (apt-get install mingw-w64-tools)."
# The type library takes IDispatch from the standard OLE type library, which Wine provides.
stdole=""
for dir in /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows \
  /usr/lib64/wine/x86_64-windows /opt/wine-stable/lib/wine/x86_64-windows; do
  [ -f "$dir/stdole2.tlb" ] && stdole="$dir" && break
done
[ -n "$stdole" ] || missing_tool "stdole2.tlb was not found (apt-get install wine64)."

# The control as the Windows build describes it (cmake/WindowsControl.cmake),
# without Qt, tests or benchmarks: only Trellis.dll and what it needs is built.
build="$out/cmake"
mkdir -p "$out"
launcher=()
command -v ccache >/dev/null 2>&1 &&
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
  -DPOINTILLA_BUILD_TESTS=OFF -DPOINTILLA_BUILD_BENCH=OFF "${launcher[@]}" >"$out/configure.log" ||
  { cat "$out/configure.log" >&2; echo "FAILED: the Windows build did not configure" >&2; exit 1; }
cmake --build "$build" --target trellis_control ||
  { echo "FAILED: Trellis.dll did not build for Windows" >&2; exit 1; }

# The Windows headers must give the types the sizes, layouts and values the
# Linux build checks its own definitions against.
layout_checks=tests/trellis/windows_layout_checks.cpp
"$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror -I "$root/src" -I "$build/trellis-generated" \
  -fsyntax-only "$root/$layout_checks" ||
  { echo "FAILED: $layout_checks does not compile for Windows" >&2; exit 1; }

# Where the checks under Wine look for the DLL and the generated interface header.
dll="$out/Trellis.dll"
cp "$build/bin/Trellis.dll" "$dll"
rm -rf "$out/generated"
cp -r "$build/trellis-generated" "$out/generated"

entry_points=(DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer DllInstall)
exports="$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')"
missing=()
for name in "${entry_points[@]}"; do
  grep -qw "$name" <<<"$exports" || missing+=("$name")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "FAILED: $dll does not export: ${missing[*]}" >&2
  exit 1
fi
if ! "$objdump" -f "$dll" | grep -q 'file format pei-x86-64'; then
  echo "FAILED: $dll is not a 64-bit Windows DLL" >&2
  exit 1
fi
echo "OK: $dll exports ${entry_points[*]}"
