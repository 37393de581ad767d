#!/bin/bash
# Loads the GNOME 45-47 build of the shell helper with gjs -m, its shell
# imports pointed at stand-ins, and runs check.js on a private session bus.
# Skips (77) without gjs or dbus-daemon.
set -u
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in gjs dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work="$(mktemp -d)"
bus_pid=""
trap '[ -n "$bus_pid" ] && kill "$bus_pid"; rm -rf "$work"' EXIT
cp "$build"/*.js "$here/check.js" "$here/stand-ins.js" "$work/"
# The shell's own modules become the stand-ins; the rest of the graph is as built.
for module in "$work/extension.js"; do
  sed -i -e "s|'gi://Meta'|'./stand-ins.js'|; s|'gi://Shell'|'./stand-ins.js'|" \
    -e "s|^import Meta from|import {Meta} from|; s|^import Shell from|import {Shell} from|" \
    -e "s|'resource:///org/gnome/shell/ui/main.js'|'./stand-ins.js'|" \
    -e "s|'resource:///org/gnome/shell/extensions/extension.js'|'./stand-ins.js'|" "$module"
done
grep -q "resource:///\|gi://Meta\|gi://Shell" "$work/extension.js" &&
  { echo "FAIL: an import of the shell was left: $(grep -n 'resource:///\|gi://Meta\|gi://Shell' "$work/extension.js")"; exit 1; }
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
bus_pid="$(dbus-daemon --session --fork --print-pid=1 --address="$DBUS_SESSION_BUS_ADDRESS")" ||
  { echo "FAIL: no session bus"; exit 1; }
out="$(cd "$work" && timeout 30 gjs -m check.js 2>&1)"
[ "$out" = ok ] || { echo "FAIL: $out"; exit 1; }
echo "PASS"
