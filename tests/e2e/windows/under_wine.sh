#!/usr/bin/env bash
# The Windows programs as a Windows user runs them, under Wine on the test
# display: cross-builds them (no Qt needed), then
# - pointilla-play.exe plays a scenario: its clicks reach another program's
#   window at the right places and times, its last move is where an X client
#   sees the pointer, and its web address reaches the desktop's handler whole
#   (Wine hands it to xdg-open, here a stand-in that writes it down);
# - scenario files saved by the Windows build hold the same bytes as the
#   Linux build's, and read back;
# - the backend reads the primary monitor's size and keys held on the display;
# - Escape held on the display stops a playback during its wait.
#   under_wine.sh WINDOWS_BUILD_DIR
# Skipped (77) without Wine or the cross compiler, except under CI, where either
# missing is a failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
build="${1:?usage: under_wine.sh WINDOWS_BUILD_DIR}"

. "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
command -v wine >/dev/null 2>&1 || missing wine
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing g++-mingw-w64-x86-64-posix
[ -n "${DISPLAY:-}" ] || missing "an X display"

POINTILLA_WINDOWS_BUILD_DIR="$build" "$root/scripts/build-windows.sh" --without-qt >"$build.log" 2>&1 ||
  { cat "$build.log" >&2; echo "FAILED: the Windows cross build" >&2; exit 1; }
player="$build/bin/pointilla-play.exe"
recorder="$build/bin/click_recorder_win.exe"

# The manifest that makes positions physical pixels is in the program.
grep -aq 'PerMonitorV2' "$player" || { echo "FAILED: no per-monitor DPI manifest" >&2; exit 1; }

work="$(mktemp -d)"
# Wine reads Unix file names and arguments in the locale's encoding.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1

# Rows as the file holds them: Windows-1252, "¤" separators, CR LF.
printf 'Position souris\xa4 100 ,  200\xa4\r\nClic souris\xa4Clic\xa4\r\nPosition souris\xa4300 ,  400\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa42\xa4\r\nClic souris\xa4Clic\xa4\r\nPosition souris\xa4 50 , 60\xa4\r\nURL\xa4%s\xa4\r\n' \
  "$(printf 'http://exemple.test/chemin?a=1&b=\xe9t\xe9;c=2')" >"$work/jeu.sce"
url='http://exemple.test/chemin?a=1&b=été;c=2'
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s|" "$@" >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

wine "$recorder" 6 >"$work/clicks.txt" 2>"$work/recorder.err" &
recorder_pid=$!
for _ in $(seq 1 300); do grep -q '^ready' "$work/clicks.txt" && break; sleep 0.1; done
grep -q '^ready' "$work/clicks.txt" || { echo "FAILED: the recorder window did not come up" >&2; exit 1; }

status=0
PATH="$work/bin:$PATH" wine "$player" "$(windows_path "$work/jeu.sce")" 2>"$work/player.err" || status=$?
[ "$status" -eq 0 ] || { cat "$work/player.err" >&2; echo "FAILED: pointilla-play.exe exited $status" >&2; exit 1; }
pointer="$(xdotool getmouselocation | cut -d' ' -f1-2)"
recorded=0
wait "$recorder_pid" || recorded=$?
# Wine's console output ends lines with CR LF.
tr -d '\r' <"$work/clicks.txt" >"$work/clicks"

failures=0
check() {
  if [ "$2" != "$3" ]; then echo "FAILED: $1: got '$2', want '$3'" >&2; failures=$((failures + 1)); fi
}
check "recorder status (6 button events within its time)" "$recorded" 0
check "pointer seen by X after the last move" "$pointer" "x:50 y:60"
check "button events" "$(awk '/^(press|release)/ { print $1, $2, $3, $4 }' "$work/clicks" | paste -sd,)" \
  "press 1 100 200,release 1 100 200,press 1 300 400,release 1 300 400,press 1 300 400,release 1 300 400"
# Rows between delays run back to back; the delay lasts its two seconds.
mapfile -t times < <(awk '/^press/ { print $5 }' "$work/clicks")
if [ "${#times[@]}" -eq 3 ]; then
  check "clicks before the delay back to back" "$(( times[1] - times[0] < 300 ))" 1
  waited=$(( times[2] - times[1] ))
  check "delay of 2 s (took ${waited} ms)" "$(( waited > 1700 && waited < 2300 ))" 1
fi
for _ in $(seq 1 150); do [ -s "$work/opened" ] && break; sleep 0.1; done
check "web address handed to the handler" "$(cat "$work/opened" 2>/dev/null)" "$url|"
[ "$failures" -eq 0 ] || { cat "$work/clicks" >&2; exit 1; }

# A file name beyond ASCII and beyond the ANSI code page, and rows printed in UTF-8.
cp "$work/jeu.sce" "$work/été Ω.sce"
listed="$(wine "$player" --list "$(windows_path "$work/été Ω.sce")" 2>&1 | tr -d '\r' | sed -n 5p)" || true
check "rows listed from an accented file name" "$listed" "$(printf 'Délai\t2')"

# Three rows saved by the Windows build: the bytes the Linux build writes.
printf 'Position souris\xa4 100 ,  200\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa42\xa4\r\n' >"$work/expected.sce"
mkdir "$work/saved"
saved="$(wine "$build/bin/sce_file_win.exe" "$(windows_path "$work/saved/trois.sce")" | tr -d '\r')" || true
check "Windows save, read back, refused save" "$saved" ok
cmp "$work/expected.sce" "$work/saved/trois.sce" || failures=$((failures + 1))
check "files left in the folder" "$(ls -A "$work/saved")" trois.sce

# SHIFT, A and F1 held on the display, read by virtual-key code.
wine "$build/bin/desktop_probe_win.exe" 16 65 112 >"$work/probe.txt" 2>&1 &
probe_pid=$!
for _ in $(seq 1 300); do grep -q '^ready' "$work/probe.txt" && break; sleep 0.1; done
xdotool keydown shift keydown a keydown F1
probed=0
wait "$probe_pid" || probed=$?
xdotool keyup F1 keyup a keyup shift
check "probe status (every key seen held)" "$probed" 0
check "primary monitor and held keys" "$(tr -d '\r' <"$work/probe.txt" | grep -v '^ready' | sort | paste -sd,)" \
  "down 112,down 16,down 65,screen 1280 1024"
# Escape held on the display stops a playback during its wait, before the click
# after it: the recorder sees only the click made here afterwards.
printf 'D\xe9lai\xa430\xa4\r\nClic souris\xa4Clic\xa4\r\n' >"$work/attente.sce"
wine "$recorder" 2 >"$work/clicks2.txt" 2>&1 &
recorder_pid=$!
for _ in $(seq 1 300); do grep -q '^ready' "$work/clicks2.txt" && break; sleep 0.1; done
started=$SECONDS
wine "$player" "$(windows_path "$work/attente.sce")" 2>"$work/stopped.err" &
player_pid=$!
sleep 2
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
stopped=0
wait "$player_pid" || stopped=$?
check "status after Escape" "$stopped" 6
check "stopped well before the 30 s wait ended" "$(( SECONDS - started < 10 ))" 1
check "stop message" "$(tr -d '\r' <"$work/stopped.err")" \
  "pointilla-play : Lecture arrêtée à la ligne 1"
xdotool click 1
recorded=0
wait "$recorder_pid" || recorded=$?
check "clicks after Escape (only the one made here)" \
  "$recorded $(tr -d '\r' <"$work/clicks2.txt" | grep -c '^press')" "0 1"
[ "$failures" -eq 0 ] || exit 1
echo "OK: pointilla-play.exe played moves, clicks and a delay; Escape stopped it; scenario files match; keys and screen read"
