#!/usr/bin/env bash
# Pointilla.exe and trellis.exe as a Windows user runs them, under Wine on the
# test display, each start in a fresh private prefix:
# - a first start with nothing registered registers Trellis.dll for the user
#   (HKEY_CURRENT_USER\Software\Classes); Wine 8 looks classes up only under
#   HKEY_LOCAL_MACHINE, so there the program says it runs on its defaults;
# - with the control registered as Wine lets one (regsvr32, machine-wide), the
#   window comes up with the scenario named on its command line, the settings
#   are written at first start (reg query), holding the hot key over a point
#   captures it (the window is focused first: Wine reads keys only for its own
#   focused window), and the saved scenario holds the bytes the Linux build
#   writes and reads back on Linux;
# - a second start with a file the Linux build wrote hands it to the running
#   program and ends; saved again there, the file keeps its bytes;
# - F9 captures three clicks made in another Windows window, with their
#   delays, until F9 again; saved after the rows the window held;
# - trellis.exe reads the settings back, and its .REG export of them matches
#   the Linux trellis's byte for byte;
# - left to itself, the program speaks the language of Windows (which Wine
#   takes from LC_ALL): F1 opens the English page under an English Windows, the
#   French one under a French Windows. Until then it is told to speak French.
# Everything lives under an accented account folder, as C:\Users\Hélène: the
# programs, the scenarios opened, saved and handed over, and the export.
#   pointilla_under_wine.sh WINDOWS_BIN_DIR LINUX_BIN_DIR
# Skipped (77) without Wine, a display or Pointilla.exe, except under CI.
set -Eeuo pipefail

windows="${1:?usage: pointilla_under_wine.sh WINDOWS_BIN_DIR LINUX_BIN_DIR}"
linux="${2:?usage: pointilla_under_wine.sh WINDOWS_BIN_DIR LINUX_BIN_DIR}"

. "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
command -v wine >/dev/null 2>&1 || missing wine
[ -n "${DISPLAY:-}" ] || missing "an X display"
[ -f "$windows/Pointilla.exe" ] || missing "$windows/Pointilla.exe (scripts/build-windows.sh)"

# No silent end: a command that fails outside a check names its line.
trap 'echo "FAILED: line $LINENO: $BASH_COMMAND" >&2' ERR
work="$(mktemp -d)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8 POINTILLA_LANGUAGE=fr
stop_wine() { [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true; }
trap 'stop_wine; rm -rf "$work"' EXIT
new_prefix() {
  stop_wine
  export WINEPREFIX="$work/$1"
  wineboot -i >/dev/null 2>&1
}
# A copy of the programs, as an unpacked zip would leave them in the account's
# folder, and the account's scenarios folder.
account="$work/Hélène"
scenes="$account/Mes scénarios"
mkdir -p "$account/Pointilla" "$scenes"
cp "$windows/Pointilla.exe" "$windows/trellis.exe" "$windows/Trellis.dll" \
  "$windows/aide pointilla.html" "$windows/pointilla help.html" "$account/Pointilla/"
exe="$account/Pointilla/Pointilla.exe"

failures=0
check() {
  if [ "$2" != "$3" ]; then echo "FAILED: $1: got '$2', want '$3'" >&2; failures=$((failures + 1)); fi
}
. "$(dirname "${BASH_SOURCE[0]}")/../find_window.sh"
wait_for_window() { find_window 300 "^$1\$" || true; } # NAME: the first shown window named exactly so, or nothing
# Ctrl+S on the window, then the file name typed into Wine's own dialog (its X
# window has no name: it is the one that appears), in place of the one offered.
# Only the name is typed: the dialog opens in the folder the program gives it
# (the current file's, then the last one used), and xdotool now and then drops
# an accented letter it types into Wine.
save_as() {  # UNIX_PATH, in the folder the dialog opens in
  local before now dialog=""
  before="$( (xdotool search --onlyvisible --name '' 2>/dev/null || true) | sort)"
  xdotool windowfocus "$window"
  xdotool key ctrl+s
  for _ in $(seq 1 100); do
    now="$( (xdotool search --onlyvisible --name '' 2>/dev/null || true) | sort)"
    dialog="$(comm -13 <(echo "$before") <(echo "$now") | head -1)"
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || { echo "FAILED: no save dialog" >&2; failures=$((failures + 1)); return 0; }
  sleep 1
  xdotool windowfocus "$dialog"
  sleep 0.3
  xdotool key End shift+Home
  xdotool type --delay 20 "$(basename "$1")"
  xdotool key Return
  for _ in $(seq 1 150); do [ -s "$1" ] && break; sleep 0.1; done
}
# Read through an export (UTF-16): reg query prints in the console's OEM code
# page, which turns "Hélène" into other bytes.
reg_texts() {  # KEY: the texts of a key, as "name"="data" lines, in UTF-8
  rm -f "$WINEPREFIX/drive_c/values.reg"
  wine reg export "$1" 'C:\values.reg' /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/values.reg" | tr -d '\r'
}
reg_values() {  # KEY: "name=data" lines of a key's texts, in Wine's order, unescaped
  reg_texts "$1" | sed -n 's/^"\(.*\)"="\(.*\)"$/\1=\2/p' | sed 's/\\\\/\\/g'
}
reg_default() {  # KEY: the data of its default value, unescaped
  reg_texts "$1" | sed -n 's/^@="\(.*\)"$/\1/p' | sed 's/\\\\/\\/g'
}

# First start, nothing registered: the per-user registration is written.
new_prefix first
wine "$exe" >"$work/first.log" 2>&1 &
warning="$(wait_for_window "Réglages de Pointilla")"
check "warning of the first start without a class Wine can find" "${warning:+shown}" shown
clsid="$(wine reg query 'HKCU\Software\Classes\Dovetail.Trellis\CLSID' /ve 2>/dev/null | tr -d '\r' |
  awk -F'    ' 'NF >= 4 { print $4 }' || true)"
check "class identifier registered for the user" "${clsid:0:1}${clsid: -1}" "{}"
server="$(reg_default "HKCU\\Software\\Classes\\CLSID\\$clsid\\InprocServer32")"
check "server registered for the user" "$server" "$(windows_path "$account/Pointilla/Trellis.dll")"

# The control registered machine-wide, as Wine's COM finds it.
new_prefix second
wine regsvr32 /s "$(windows_path "$account/Pointilla/Trellis.dll")"
# Web pages open in a stand-in browser that notes what it was given (Wine
# names .html files only once its own HTML engine, left out here, registers).
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/opened.txt" >"$work/browser.sh"
chmod +x "$work/browser.sh"
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser.sh" /f >/dev/null
# Started with a scenario of one row, which the capture follows.
first_row="$(printf 'Position souris\xa4 10 ,  20\xa4\r')"
printf '%s\n' "$first_row" >"$scenes/départ.sce"
wine "$exe" "$(windows_path "$scenes/départ.sce")" >"$work/second.log" 2>&1 &
window="$(wait_for_window Pointilla)"
[ -n "$window" ] || { cat "$work/second.log" >&2; echo "FAILED: no Pointilla window" >&2; exit 1; }
key='HKLM\Software\Pointilla\Pointilla'
# Its tray icon: Wine shows it in a tray window of its own when no tray host runs.
check "tray icon" "$(find_window 50 '^Wine System Tray$' >/dev/null && echo shown)" shown
check "settings written at first start" "$(reg_values "$key" | paste -sd,)" \
  "clé1=1,clé2=1,clé3=0,redlec=0,Visible=1"

# CTRL + ALT + 1 held over a point: one row every 200 ms it is held.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool mousemove 200 300
sleep 0.5
xdotool keydown ctrl keydown alt keydown 1
sleep 1
xdotool keyup 1 keyup alt keyup ctrl
sleep 0.5

# Saved through the file dialog, which opens in the scenario's accented folder.
saved_unix="$scenes/capture.sce"
save_as "$saved_unix"
# The opened row, then the capture's, as the Linux build writes them:
# Windows-1252, "¤", CR LF.
row="$(printf 'Position souris\xa4 200 ,  300\xa4\r')"
rows="$(LC_ALL=C awk -v first="$first_row" -v row="$row" \
  'NR == 1 && $0 != first { bad++ } NR > 1 && $0 != row { bad++ } END { print NR - 1, bad + 0 }' \
  "$saved_unix" 2>/dev/null || true)"
count="${rows% *}"
check "opened row, then captured rows all at 200,300" "${rows#* }" 0
check "rows captured in a one-second hold (3 to 7)" "$(( ${count:-0} >= 3 && ${count:-0} <= 7 ))" 1
if [ -s "$saved_unix" ]; then
  printf '%s\n' "$first_row" >"$work/expected.sce"
  for _ in $(seq 1 "$count"); do printf 'Position souris\xa4 200 ,  300\xa4\r\n' >>"$work/expected.sce"; done
  cmp "$work/expected.sce" "$saved_unix" || failures=$((failures + 1))
  check "the Windows save read by the Linux build" \
    "$("$linux/pointilla-play" --list "$saved_unix" | sed -n 2p)" "$(printf 'Position souris\t 200 ,  300')"
fi

# A second start with a scenario the Linux build wrote (every kind of row,
# accents, a web address) hands it to the running program and ends; the running
# one opens it, and saving it again gives the same bytes.
printf 'Position souris\xa4 10 ,  20\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa42\xa4\r\nURL\xa4http://exemple.test/\xe9t\xe9?a=1&b=2\xa4\r\n' \
  >"$scenes/reçu.sce"
started=$SECONDS
second=0
timeout 30 wine "$exe" "$(windows_path "$scenes/reçu.sce")" >"$work/second-start.log" 2>&1 || second=$?
check "second start hands over and ends" "$second $(( SECONDS - started < 20 ))" "0 1"
sleep 2
resaved="$scenes/copie.sce"
save_as "$resaved"
cmp "$scenes/reçu.sce" "$resaved" || failures=$((failures + 1))

# The help page (F1) opens from the program's folder, as a file:// address.
# A window just shown on a loaded machine may lose the key: F1 again after 5 s,
# three times at most (a second page opened changes nothing read here).
open_help() {
  local _ tenth
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool key F1
    for tenth in $(seq 1 50); do [ -s "$work/opened.txt" ] && return 0; sleep 0.1; done
  done
}
file_url() {  # UNIX_PATH: as Wine's browser launcher gives it, UTF-8 bytes escaped
  local path="$1" url="file://" c hex i
  local LC_ALL=C
  for ((i = 0; i < ${#path}; i++)); do
    c="${path:i:1}"
    case "$c" in
      [A-Za-z0-9/._~-]) url+="$c" ;;
      *) printf -v hex '%%%02X' "'$c" && url+="$hex" ;;
    esac
  done
  echo "$url"
}
open_help
check "help page opened" "$(head -1 "$work/opened.txt" 2>/dev/null || true)" \
  "$(file_url "$account/Pointilla/aide pointilla.html")"

# Click capture: F9 in the window, three clicks in another Windows window with
# pauses of 1.2 s and 2.6 s (heard through the low-level mouse hook), F9 again
# in the window; saved after the rows the window held.
if [ -f "$windows/click_recorder_win.exe" ]; then
  f9() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
    xdotool keydown F9
    sleep 0.2
    xdotool keyup F9
    sleep 0.5
  }
  f9
  # The other window once the capture listens: it takes the focus.
  wine "$windows/click_recorder_win.exe" 6 >"$work/recorder.txt" 2>&1 &
  for _ in $(seq 1 300); do grep -q '^ready' "$work/recorder.txt" 2>/dev/null && break; sleep 0.1; done
  xdotool mousemove 40 40 click 1 sleep 1.2 mousemove 700 60 click 1 sleep 2.6 \
    mousemove 60 500 click 1
  sleep 0.5
  check "the other window got the clicks" "$(grep -c '^press' "$work/recorder.txt" || true)" 3
  sleep 1.5 # the other window ends once it has its clicks
  f9
  # Wine gives the window the keyboard back once clicked (on its status bar).
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 100)) $((Y + 490)) click 1
  sleep 0.5
  captured="$scenes/clics.sce"
  save_as "$captured"
  { cat "$scenes/reçu.sce"
    printf 'Position souris\xa4 40 ,  40\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa41\xa4\r\n'
    printf 'Position souris\xa4 700 ,  60\xa4\r\nClic souris\xa4Clic\xa4\r\nD\xe9lai\xa43\xa4\r\n'
    printf 'Position souris\xa4 60 ,  500\xa4\r\nClic souris\xa4Clic\xa4\r\n'
  } >"$work/captured.sce"
  cmp "$work/captured.sce" "$captured" ||
    { echo "FAILED: the captured clicks: $(tr '\244\r' '|~' <"$captured" 2>/dev/null || true)" >&2
      failures=$((failures + 1)); }
else
  echo "FAILED: no click_recorder_win.exe beside Pointilla.exe" >&2
  failures=$((failures + 1))
fi

# trellis.exe reads what Pointilla.exe wrote.
check "trellis.exe reads the hot key" \
  "$(wine "$account/Pointilla/trellis.exe" get 'HKEY_LOCAL_MACHINE\software\Pointilla\Pointilla' 'clé3' | tr -d '\r')" 0

# The settings exported by both builds: the same .REG bytes. (Wine keeps values
# sorted by name; the Linux store keeps them in the order written, so Linux
# writes them in that order.)
exports="$account/Exportés"
mkdir "$exports"
wine "$account/Pointilla/trellis.exe" export 'HKEY_LOCAL_MACHINE\software\Pointilla' \
  "$(windows_path "$exports")" windows || failures=$((failures + 1))
export TRELLIS_REGISTRY="$work/linux.db"
"$linux/trellis" register
"$linux/trellis" create 'HKEY_LOCAL_MACHINE\software' Pointilla
"$linux/trellis" create 'HKEY_LOCAL_MACHINE\software\Pointilla' Pointilla
# The folder of the save, which the program keeps, is written as Windows has it.
folder="$(reg_values "$key" | sed -n 's/^dossier=//p')"
check "folder of the save kept, as Windows writes paths" "$folder" "$(windows_path "$scenes")"
for pair in clé1=1 clé2=1 clé3=0 "dossier=$folder" redlec=0 Visible=1; do
  "$linux/trellis" set 'HKEY_LOCAL_MACHINE\software\Pointilla\Pointilla' "${pair%%=*}" "${pair#*=}"
done
"$linux/trellis" export 'HKEY_LOCAL_MACHINE\software\Pointilla' "$exports" linux
diff <(cat -A "$exports/linux.REG") <(cat -A "$exports/windows.REG") >&2 || failures=$((failures + 1))
grep -aq "$(printf '"cl\xe93"="0"')" "$exports/windows.REG" ||
  { echo "FAILED: the export lacks clé3 in Windows-1252" >&2; failures=$((failures + 1)); }

# The address box shows its text: its pixels with "http://" differ from its
# pixels once emptied (both times at its design place, neither focused nor
# hovered, so no caret nor hover frame differs).
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
box_pixels() {
  xdotool mousemove $((X + 116)) $((Y + 440))
  sleep 0.5
  import -window root -crop "178x30+$((X + 28))+$((Y + 380))" "$work/$1.png"
}
box_pixels address
xdotool mousemove $((X + 116)) $((Y + 395)) click 1
xdotool key ctrl+a BackSpace Tab
box_pixels emptied
differing="$(compare -metric AE "$work/address.png" "$work/emptied.png" null: 2>&1 || true)"
check "address box draws its text" "$(( ${differing%% *} > 20 ))" 1
xdotool mousemove $((X + 116)) $((Y + 395)) click 1
xdotool type "http://"
xdotool key Tab
xdotool mousemove $((X + 116)) $((Y + 440))
sleep 0.5

# The window with its rows, for the README when asked for.
[ -z "${POINTILLA_WINE_SCREENSHOT:-}" ] || import -window root "$POINTILLA_WINE_SCREENSHOT"

# Started again with nothing choosing its language, under an English and a
# French Windows (Wine takes the language from LC_ALL): F1 opens the page of
# Windows' language.
unset POINTILLA_LANGUAGE
help_under() {  # LC_ALL FOLDER PAGE
  stop_wine
  wineserver -w 2>/dev/null || true
  rm -f "$work/opened.txt"
  LC_ALL="$1" wine "$2/Pointilla.exe" >"$work/language.log" 2>&1 &
  window="$(wait_for_window Pointilla)"
  if [ -z "$window" ]; then
    cat "$work/language.log" >&2
    check "window under $1" none shown
    return 0
  fi
  open_help
  check "help page under $1" "$(head -1 "$work/opened.txt" 2>/dev/null || true)" "$(file_url "$2/$3")"
}
help_under C.UTF-8 "$account/Pointilla" "pointilla help.html"
# Wine takes its code page from LC_ALL as well, and without the fr_FR locale
# installed it reaches no path with accents: the French Windows runs a copy in a
# plain folder, with its control registered there.
plain="$work/plain"
mkdir "$plain"
cp "$account/Pointilla/"* "$plain/"
LC_ALL=fr_FR.UTF-8 wine regsvr32 /s "$(windows_path "$plain/Trellis.dll")"
help_under fr_FR.UTF-8 "$plain" "aide pointilla.html"
[ "$failures" -eq 0 ] || { od -c "$saved_unix" | head -5 >&2; exit 1; }
echo "OK: Pointilla.exe registered its control, wrote its settings, captured and saved; trellis.exe read and exported them"
