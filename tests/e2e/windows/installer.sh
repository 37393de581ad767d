#!/usr/bin/env bash
# The Windows installer as a user without administrator rights runs it, under
# Wine on the test display, in a private prefix: scripts/build-windows.sh makes
# the installer and the zip, then
# - a silent install (/S) puts the zip's files in %LOCALAPPDATA%\Programs\Pointilla,
#   registers the control for this user only, at the installed DLL, adds the
#   uninstaller's entry and, with Pointilla.exe, the Start-menu entry and the
#   .sce file type; the installed pointilla-play.exe runs;
# - it speaks the language of Windows, French for any French, English for any
#   other (seen in the name it gives the .sce type): Wine takes it from LC_ALL;
# - a silent uninstall removes all of it and leaves what is not its own (a .sce
#   type another program took since).
#   installer.sh WINDOWS_BUILD_DIR
# Skipped (77) without Wine, the cross compiler, makensis or a display, except
# under CI, where any of them missing is a failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
build="${1:?usage: installer.sh WINDOWS_BUILD_DIR}"

. "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
command -v wine >/dev/null 2>&1 || missing wine
command -v makensis >/dev/null 2>&1 || missing nsis
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing g++-mingw-w64-x86-64-posix
[ -n "${DISPLAY:-}" ] || missing "an X display"

POINTILLA_WINDOWS_BUILD_DIR="$build" "$root/scripts/build-windows.sh" >"$build.installer.log" 2>&1 ||
  { tail -n 40 "$build.installer.log" >&2; echo "FAILED: the Windows build and package" >&2; exit 1; }
installers=("$build"/dist/pointilla-*-setup.exe)
zips=("$build"/dist/pointilla-*-windows.zip)
if [ ! -f "${installers[0]}" ] || [ ! -f "${zips[0]}" ]; then
  echo "FAILED: no installer or zip in $build/dist" >&2
  exit 1
fi

work="$(mktemp -d)"
# No menu entries or file types for the desktop outside the prefix (winemenubuilder).
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LC_ALL=C.UTF-8 \
  WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1

failures=0
check() {
  if [ "$2" != "$3" ]; then echo "FAILED: $1: got '$2', want '$3'" >&2; failures=$((failures + 1)); fi
}
# A value's text, or "absent" for a key or value that does not exist.
value() {
  local name=(/ve)
  [ -n "${2:-}" ] && name=(/v "$2")
  wine reg query "$1" "${name[@]}" 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *//p' | grep . || echo absent
}
key() { wine reg query "$1" >/dev/null 2>&1 && echo present || echo absent; }
classes='HKCU\Software\Classes'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pointilla'
start_menu="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pointilla.lnk"

wine "${installers[0]}" /S || { echo "FAILED: the silent install" >&2; exit 1; }
location="$(value "$uninstall_key" InstallLocation)"
# shellcheck disable=SC1003 # Windows paths: backslashes, no escaped quote
case "$location" in
  'C:\users\'*'\AppData\Local\Programs\Pointilla') ;;
  *) echo "FAILED: installed in '$location', not the user's programs folder" >&2; exit 1 ;;
esac
# Drive C: is the prefix's drive_c.
relative="${location#C:\\}"
installed="$WINEPREFIX/drive_c/${relative//\\//}"

# The installer puts down the zip's files, and its uninstaller.
(cd "$installed" && find . -type f | sed 's|^\./||' | sort) >"$work/installed"
cmake -E tar tf "${zips[0]}" | grep -v '/$' | sed 's|^Pointilla/||' | sort >"$work/zipped"
echo desinstaller.exe >>"$work/zipped"
sort -o "$work/zipped" "$work/zipped"
check "installed files (those of the zip and the uninstaller)" "$(diff "$work/zipped" "$work/installed" | grep '^[<>]' | paste -sd' ')" ""
for file in Trellis.dll pointilla-play.exe 'aide pointilla.html' 'pointilla help.html' LISEZMOI.txt; do
  grep -q "/$file\$\|^$file\$" "$work/installed" || check "installed $file" missing present
done
check "uninstaller's command" "$(value "$uninstall_key" QuietUninstallString)" "\"$location\\desinstaller.exe\" /S"

# shellcheck disable=SC1003
dll="$location\\$(grep -i 'trellis\.dll$' "$work/installed" | head -n 1 | tr / '\\')"
clsid="$(value "$classes\\Dovetail.Trellis\\CLSID")"
check "control registered for the user, at the installed DLL" \
  "$(value "$classes\\CLSID\\$clsid\\InprocServer32")" "$dll"
check "control not registered for the machine" "$(key 'HKLM\Software\Classes\Dovetail.Trellis')" absent
libid="$(value "$classes\\CLSID\\$clsid\\TypeLib")"
check "its type library, in the installed DLL" "$(value "$classes\\TypeLib\\$libid\\1.0\\0\\win64")" "$dll"
# Wine 8 looks classes up under HKEY_LOCAL_MACHINE only, so the control cannot be
# created by its name here; Windows merges the user's classes into HKEY_CLASSES_ROOT.

program="$(grep -i '\(^\|/\)pointilla\.exe$' "$work/installed" | head -n 1 || true)"
if [ -n "$program" ]; then
  program="$location\\${program//\//\\}"
  check "Start-menu entry to Pointilla.exe" \
    "$(grep -aq 'Pointilla\.exe' "$start_menu" 2>/dev/null && echo present || echo absent)" present
  check ".sce file type" "$(value "$classes\\.sce")" Pointilla.Scenario
  check ".sce opened by Pointilla.exe" "$(value "$classes\\Pointilla.Scenario\\shell\\open\\command")" \
    "\"$program\" \"%1\""
  # The name of the type, read through an export (UTF-16): reg query prints in
  # the console's code page.
  type_name() {
    rm -f "$WINEPREFIX/drive_c/type.reg"
    wine reg export "$classes\\Pointilla.Scenario" 'C:\type.reg' /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/type.reg" | tr -d '\r' | sed -n 's/^@="\(.*\)"$/\1/p' | head -n 1
  }
  for language in "C.UTF-8 Pointilla scenario" "de_DE.UTF-8 Pointilla scenario" \
                  "fr_CA.UTF-8 Scénario Pointilla"; do
    [ "${language%% *}" = C.UTF-8 ] || LC_ALL="${language%% *}" wine "${installers[0]}" /S
    check "the type's name, installed under ${language%% *}" "$(type_name)" "${language#* }"
  done
else
  echo "NOTE: the build has no Pointilla.exe; its Start-menu entry and .sce type are not checked"
fi

# The installed pointilla-play.exe runs from its folder and reads a scenario.
printf 'Clic souris\xa4Clic\xa4\r\nD\xe9lai\xa42\xa4\r\n' >"$work/deux.sce"
player="$installed/$(grep 'pointilla-play\.exe$' "$work/installed")"
check "installed pointilla-play.exe lists the rows" \
  "$(wine "$player" --list "$(windows_path "$work/deux.sce")" 2>&1 | tr -d '\r' | paste -sd'|')" \
  "$(printf 'Clic souris\tClic|Délai\t2')"

# Another program takes .sce since; the uninstall leaves it that type.
wine reg add "$classes\\.sce" /ve /d Autre.Programme /f >/dev/null 2>&1

wine "$installed/desinstaller.exe" /S || check "uninstaller status" $? 0
# The uninstaller runs from a copy of itself; wait for it to remove its folder.
for _ in $(seq 1 300); do [ -e "$installed" ] || break; sleep 0.1; done
check "installation folder after uninstall" "$(find "$installed" 2>/dev/null | head -n 3 | paste -sd' ')" ""
check "Start-menu entry after uninstall" "$([ -e "$start_menu" ] && echo present || echo absent)" absent
check "uninstaller's entry after uninstall" "$(key "$uninstall_key")" absent
for gone in Dovetail.Trellis "CLSID\\$clsid" "TypeLib\\$libid" Pointilla.Scenario '.sce\OpenWithProgids'; do
  check "$gone after uninstall" "$(key "$classes\\$gone")" absent
done
check ".sce type another program took" "$(value "$classes\\.sce")" Autre.Programme
[ "$failures" -eq 0 ] || exit 1
echo "OK: installed for the user with the control registered, pointilla-play.exe ran, uninstalled completely"
