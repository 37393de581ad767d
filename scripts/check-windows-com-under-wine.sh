#!/usr/bin/env bash
# Proves the Windows build as its users meet it, under Wine in a private prefix:
# Trellis.dll registers with regsvr32 (class, ProgID, type library), a C++ client
# drives it by late binding and checks its type information, class information
# and RegError through the connection point found from it, a VBScript file run by
# cscript binds every member late with Doubles and by-reference arguments, the
# ATL control container hosts it on a window, and it registers for one user
# (regsvr32 /n /i:user); each registration is then removed completely.
#   scripts/check-windows-com-under-wine.sh [output-dir]
# Builds Trellis.dll first unless TRELLIS_WINDOWS_BUILT=1 says output-dir holds it.
# Exits 77 (skipped) when Wine or the cross compiler is missing, except in CI
# (CI=true) where that is a failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/windows}"
mkdir -p "$out" && out="$(cd "$out" && pwd)"  # Wine needs absolute paths
cxx="${TRELLIS_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}"
wine="$(command -v wine64 || true)"
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ -z "$wine" ] || ! command -v "$cxx" >/dev/null 2>&1; then
  message="needs wine64 and $cxx (apt-get install wine wine64 g++-mingw-w64-x86-64-posix)."
  if [ "${CI:-}" = true ]; then
    echo "FAILED: $message" >&2
    exit 1
  fi
  echo "SKIPPED: $message" >&2
  exit 77
fi
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver="$(command -v wineserver)"

started=$SECONDS
if [ "${TRELLIS_WINDOWS_BUILT:-}" != 1 ] || [ ! -f "$out/Trellis.dll" ]; then
  "$root/scripts/check-windows-build.sh" "$out"
fi
client_flags=(-std=c++20 -O1 -Wall -Wextra -Werror -I "$root/src" -I "$out/generated" -static)
"$cxx" "${client_flags[@]}" -o "$out/com_client_check.exe" \
  -municode "$root/tests/trellis/windows/com_client_check.cpp" -lole32 -loleaut32 -luuid -ladvapi32 &
client=$!
"$cxx" "${client_flags[@]}" -o "$out/atl_container_check.exe" \
  "$root/tests/trellis/windows/atl_container_check.cpp" -lole32 -loleaut32 -luuid -luser32 &
container=$!
wait "$client"
wait "$container"
built=$SECONDS

# A private prefix under the output folder, made afresh; no Mono or Gecko
# prompts, no display: windows go to Wine's null graphics driver.
prefix="$out/wine-prefix"
rm -rf "$prefix"
# Unix names and arguments reach Wine as UTF-8, whatever the caller's locale:
# a clone's path may hold any character.
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
"$wineserver" -k 2>/dev/null || true  # the desktop restarts with that driver
"$wineserver" -w 2>/dev/null || true
booted=$SECONDS

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
run() { "$wine" "$@" 2>/dev/null | tr -d '\r'; }
windows_path() { echo "Z:${1//\//\\}"; }
dll="$(windows_path "$out/Trellis.dll")"
clsid='{5E6F2B41-8C1D-4A3B-9E27-416BD03C7215}'
libid='{5E6F2B40-8C1D-4A3B-9E27-416BD03C7215}'
registered() { run reg query "$1" >/dev/null 2>&1; }

echo "== regsvr32"
"$wine" regsvr32 /s "$dll" || fail "regsvr32 failed"
registered "HKCR\\CLSID\\$clsid\\TypeLib" || fail "the class does not name its type library"
run reg query "HKCR\\TypeLib\\$libid\\1.0\\0\\win64" | grep -q 'Trellis.dll' ||
  fail "the type library is not registered"

echo "== C++ client"
exports="$out/wine-export"
rm -rf "$exports" && mkdir -p "$exports"
# Each check's verdict is its last line; a failing one lets the others still run.
run "$(windows_path "$out/com_client_check.exe")" "$(windows_path "$exports")" |
  tee "$out/client.log" || true
[ "$(tail -n 1 "$out/client.log")" = "0 failed" ] || fail "the C++ client"

echo "== VBScript with cscript"
run cscript.exe //nologo "$(windows_path "$root/tests/trellis/windows/late_binding_check.vbs")" |
  tee "$out/script.log" || true
# cscript says nothing of a script it cannot parse: the last line must be the count.
[ "$(tail -n 1 "$out/script.log")" = "0 failed" ] || fail "the VBScript check"

echo "== ATL control container"
run "$(windows_path "$out/atl_container_check.exe")" | tee "$out/container.log" || true
[ "$(tail -n 1 "$out/container.log")" = "0 failed" ] || fail "the ATL container check"

echo "== unregistration"
"$wine" regsvr32 /u /s "$dll" || fail "regsvr32 /u failed"
for key in 'HKCR\Dovetail.Trellis' "HKCR\\CLSID\\$clsid" "HKCR\\TypeLib\\$libid" \
  'HKCR\Interface\{5E6F2B42-8C1D-4A3B-9E27-416BD03C7215}'; do
  registered "$key" && fail "regsvr32 /u left $key behind"
done

echo "== registration for one user"
"$wine" regsvr32 /s /n /i:user "$dll" || fail "regsvr32 /n /i:user failed"
registered 'HKCU\Software\Classes\Dovetail.Trellis\CLSID' || fail "no ProgID for the user"
registered "HKCU\\Software\\Classes\\TypeLib\\$libid\\1.0" || fail "no type library for the user"
registered 'HKLM\Software\Classes\Dovetail.Trellis' && fail "per-user registration wrote for the machine"
# Wine 8 looks classes up under HKEY_LOCAL_MACHINE only, so no script can create
# the control from here; Windows merges both into HKEY_CLASSES_ROOT.
"$wine" regsvr32 /s /u /n /i:user "$dll" || fail "regsvr32 /u /n /i:user failed"
for key in 'HKCU\Software\Classes\Dovetail.Trellis' "HKCU\\Software\\Classes\\CLSID\\$clsid" \
  "HKCU\\Software\\Classes\\TypeLib\\$libid"; do
  registered "$key" && fail "per-user unregistration left $key behind"
done

echo "times: build ${built}s (from ${started}s), prefix $((booted - built))s, checks $((SECONDS - booted))s"
if [ "$failures" -gt 0 ]; then
  echo "FAILED: $failures Windows checks failed" >&2
  exit 1
fi
echo "OK: Trellis.dll registers with its type library, serves scripts, C++ clients and the ATL container under Wine, and unregisters"
