#!/usr/bin/env bash
# With no XDG_RUNTIME_DIR, the single-instance lock and socket live in a folder
# of the user's own. Another user of the machine takes their names first and
# listens there, hoping to be handed the file of the next start: the fixed names
# of the shared temporary folder and the private folder's own name; then a lock
# and a socket of theirs in the runtime folder; then a lock and a socket that
# look like ours with the other user's program behind them. Each time Pointilla
# obeys nothing, deletes nothing, hands nothing over: it starts its window and
# says why on standard error.
#   other_user_e2e.sh POINTILLA SQUATTING_INSTANCE
set -euo pipefail
pointilla="${1:?usage: other_user_e2e.sh POINTILLA SQUATTING_INSTANCE}"
squatter="${2:?usage: other_user_e2e.sh POINTILLA SQUATTING_INSTANCE}"
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }
if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null; then
  echo "acting as another user needs root and setpriv: skipped"
  exit 77
fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
other=65534
as_other() { setpriv --reuid="$other" --regid="$other" --clear-groups "$@"; }

# What the other user runs and writes sits where they can reach it.
chmod 755 "$work"
mkdir -m 755 "$work/bin"
cp "$squatter" "$work/bin/squatter"
mkdir -m 1777 "$work/tmp" "$work/theirs"
received="$work/theirs/received"
name="pointilla-$(id -u)-${DISPLAY//\//_}"

printf 'Clic souris\xa4Clic\xa4\r\n' >"$work/plan secret.sce"

# The other user's program holds $1 and listens on $2.
squats=0
squat() {
  local log="$work/squatter-$((++squats)).log"
  as_other "$work/bin/squatter" "$1" "$2" "$received" >"$log" 2>&1 &
  pids+=("$!")
  wait_until 100 grep -q ready "$log" || fail "the other user's program did not start: $(cat "$log")"
}

shown() { [ -n "$(program_windows)" ]; }
alive() { kill -0 "$1" 2>/dev/null; }
shown_or_ended() { shown || ! alive "$app"; }

# Starts Pointilla with a file: its window must come up, with the message's $1
# on standard error; the files in $2... are still there afterwards.
expect_alone() {
  local why="$1" planted
  shift
  : >"$work/pointilla.log"
  "$pointilla" "$work/plan secret.sce" >"$work/pointilla.log" 2>&1 &
  app=$!
  pids+=("$app")
  wait_until 150 shown_or_ended || fail "no window, and the program still runs"
  if ! alive "$app"; then
    wait "$app" && status=0 || status=$?
    fail "Pointilla ended with status $status instead of starting ($why)"
  fi
  grep -qF "seul sur cet écran" "$work/pointilla.log" && grep -qF "$why" "$work/pointilla.log" ||
    fail "standard error does not say '$why'"
  [ ! -s "$received" ] || fail "the other user received: $(cat "$received")"
  for planted in "$@"; do [ -e "$planted" ] || fail "$planted was deleted"; done
  kill "$app"
  wait "$app" 2>/dev/null || true
  wait_until 50 eval '! shown' || fail "the window stayed after the program ended"
}

# 0. No XDG_RUNTIME_DIR and no one else about: a folder of our own, made
# private, through which a second start hands its file over.
unset XDG_RUNTIME_DIR
export TMPDIR="$work/tmp0"
mkdir -m 1777 "$TMPDIR"
"$pointilla" >"$work/pointilla.log" 2>&1 &
app=$!
pids+=("$app")
wait_until 150 shown || fail "the main window did not appear"
timeout 20 "$pointilla" "$work/plan secret.sce" >>"$work/pointilla.log" 2>&1 ||
  fail "the second start ended with status $?"
[ "$(stat -c '%a %u' "$TMPDIR/pointilla-$(id -u)")" = "700 $(id -u)" ] ||
  fail "the folder of our own is $(stat -c '%a %u' "$TMPDIR/pointilla-$(id -u)")"
kill "$app"
wait "$app" 2>/dev/null || true
wait_until 50 eval '! shown' || fail "the window stayed after the program ended"

# 1. The same, with the other user first in the shared temporary folder.
export TMPDIR="$work/tmp"
as_other mkdir -m 777 "$TMPDIR/pointilla-$(id -u)"
squat "$TMPDIR/$name.lock" "$TMPDIR/$name"
expect_alone "le dossier « $TMPDIR/pointilla-$(id -u) » appartient à un autre utilisateur (n° $other)" \
  "$TMPDIR/pointilla-$(id -u)" "$TMPDIR/$name.lock" "$TMPDIR/$name"
unset TMPDIR

# 2. The other user's lock and socket in the runtime folder (as root could leave them).
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
squat "$work/theirs/$name.lock" "$work/theirs/$name"
mv "$work/theirs/$name.lock" "$work/theirs/$name" "$XDG_RUNTIME_DIR/"
lock="$XDG_RUNTIME_DIR/$name.lock"
socket="$XDG_RUNTIME_DIR/$name"
expect_alone "le verrou « $lock » appartient à un autre utilisateur (n° $other)" "$lock" "$socket"

# 3. Both made to look like ours: the program behind the socket is still theirs.
chown "$(id -u):$(id -g)" "$lock" "$socket"
expect_alone "le programme qui écoute sur « $socket » tourne sous un autre utilisateur (n° $other)" \
  "$lock" "$socket"

echo "another user's folder, lock, socket and listener: obeyed by none, deleted none, told nothing"
