#!/usr/bin/env bash
# Proves the binary interface of the Windows build: registers Trellis.dll with
# regsvr32 under Wine, then a small Windows client creates the control by its
# ProgID with CoCreateInstance and drives it through IDispatch::Invoke, checking
# the real registry and the exported file; finally the server unregisters.
#   scripts/check-windows-com-under-wine.sh [output-dir]
# Needs wine64 and the mingw-w64 cross compiler (exits 77 without them). Uses a
# throw-away Wine prefix. Not part of the test suite.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/windows}"
cxx="${TRELLIS_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}"
wine="$(command -v wine64 || true)"
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ -z "$wine" ] || ! command -v "$cxx" >/dev/null 2>&1; then
  echo "SKIPPED: needs wine64 and $cxx (apt-get install wine64 g++-mingw-w64-x86-64-posix)." >&2
  exit 77
fi

"$root/scripts/check-windows-build.sh" "$out"
"$cxx" -std=c++20 -O1 -Wall -Wextra -Werror -o "$out/com_client_check.exe" \
  "$root/tests/trellis/windows/com_client_check.cpp" -static -lole32 -loleaut32 -luuid -ladvapi32

prefix="$(mktemp -d)"
trap 'WINEPREFIX="$prefix" "${wine%64}server" -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
"$wine" wineboot -i >/dev/null 2>&1

windows_path() { echo "Z:${1//\//\\}"; }
clsid='{5E6F2B41-8C1D-4A3B-9E27-416BD03C7215}'

"$wine" regsvr32 /s "$(windows_path "$out/Trellis.dll")"
server="$("$wine" reg query "HKCR\\CLSID\\$clsid\\InprocServer32" 2>/dev/null | tr -d '\r')"
grep -q 'Trellis.dll' <<<"$server" || { echo "FAILED: regsvr32 did not register the server" >&2; exit 1; }

exports="$out/wine-export"
rm -rf "$exports" && mkdir -p "$exports"
"$wine" "$(windows_path "$out/com_client_check.exe")" "$(windows_path "$exports")" | tr -d '\r'

"$wine" regsvr32 /u /s "$(windows_path "$out/Trellis.dll")"
if "$wine" reg query "HKCR\\Dovetail.Trellis" >/dev/null 2>&1; then
  echo "FAILED: regsvr32 /u left the ProgID behind" >&2
  exit 1
fi
echo "OK: Trellis.dll registers, serves Dovetail.Trellis through IDispatch and unregisters under Wine"
