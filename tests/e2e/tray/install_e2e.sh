#!/usr/bin/env bash
# Installs the build into a fresh prefix as a packager or user would
# (cmake --install --prefix), then starts the installed program the way the
# application menu does, from its menu entry, and checks that it finds its
# library (registering it on this first start) and its help page from its own
# location.
#   install_e2e.sh BUILD_DIR
# Exit 77 (skipped) without a display.
set -euo pipefail
build="${1:?usage: install_e2e.sh BUILD_DIR}"

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "SKIP: no X display"
  exit 77
fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

# A prefix with a blank in it, as a user's own folder may have.
prefix="$work/mes programmes"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  fail "cmake --install failed"
}

for f in bin/pointilla bin/pointilla-play bin/trellis lib/pointilla/libtrellis.so \
         "share/pointilla/aide pointilla.html" "share/pointilla/pointilla help.html" \
         share/applications/pointilla.desktop \
         share/applications/pointilla-play.desktop \
         share/icons/hicolor/16x16/apps/pointilla.png share/icons/hicolor/32x32/apps/pointilla.png \
         share/icons/hicolor/48x48/apps/pointilla.png share/mime/packages/pointilla.xml; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done
for size in 16 32 48; do
  got="$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/pointilla.png")"
  [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done

# The menu entry: what the application menu would run and show.
entry="$prefix/share/applications/pointilla.desktop"
grep -qx 'Type=Application' "$entry" || fail "the menu entry is not an application"
grep -qx 'Name=Pointilla' "$entry" || fail "the menu entry is not named Pointilla"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
try_exec="$(sed -n 's/^TryExec=//p' "$entry")"
icon="$(sed -n 's/^Icon=//p' "$entry")"
[ -x "$try_exec" ] || fail "TryExec ($try_exec) is not the installed program"
[ -f "$icon" ] || fail "the entry's icon ($icon) is not installed"
# Exec quotes the path (it holds a blank), as the desktop entry format asks,
# and takes the file a file manager opens.
[ "$exec_line" = "\"$prefix/bin/pointilla\" %f" ] || fail "unexpected Exec line: $exec_line"
grep -qx 'MimeType=application/x-pointilla-scenario;' "$entry" || fail "no MIME type in the entry"
program="${exec_line% %f}"
program="${program#\"}"
program="${program%\"}"

# A fresh user: empty store, no library registered yet. Pages open through a
# recording stand-in for xdg-open. Started from / so nothing comes from the
# working directory.
mkdir -p "$work/bin" "$work/home"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
SCRIPT
chmod +x "$work/bin/xdg-open"
store="$work/registry.db"
(
  cd /
  exec env -i DISPLAY="$DISPLAY" HOME="$work/home" PATH="$work/bin:/usr/bin:/bin" \
    TRELLIS_REGISTRY="$store" XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp}" "$program"
) >"$work/pointilla.log" 2>&1 &
app=$!
pids+=("$app")

main_window() { program_windows | awk '$2 > 400 && $3 > 400 {print $1; exit}'; }
has_main() { [ -n "$(main_window)" ]; }
wait_until 150 has_main || fail "the installed program showed no window"
main="$(main_window)"
reg() { TRELLIS_REGISTRY="$store" "$prefix/bin/trellis" get "$1" "$2"; }

clsid="$(reg 'HKEY_CLASSES_ROOT\Dovetail.Trellis\CLSID' '')" ||
  fail "the library was not registered at first start"
server="$(reg "HKEY_CLASSES_ROOT\\CLSID\\$clsid\\InprocServer32" '')"
[ "$server" = "$prefix/lib/pointilla/libtrellis.so" ] ||
  fail "the library registered is $server, not the installed one"
[ "$(reg 'HKEY_LOCAL_MACHINE\software\Pointilla\Pointilla' 'clé1')" = 1 ] ||
  fail "the settings were not written through the library"

# The toolbar's "aide" button (after start, ouvrir, enre, tray and two separators).
xdotool mousemove --window "$main" 166 38 click 1
wait_until 50 test -s "$work/opened" || fail "the help button opened nothing"
opened="$(head -1 "$work/opened")"
[ -f "$opened" ] || fail "the help page opened ($opened) does not exist"
[ "$(realpath "$opened")" = "$(realpath "$prefix/share/pointilla/aide pointilla.html")" ] ||
  fail "the help page opened is $opened"
echo PASS
