#!/usr/bin/env bash
# The bash completions of pointilla-play and trellis, sourced as bash-completion
# would and asked what they offer for a partial command line.
#   completion_test.sh COMPLETIONS_FOLDER
set -euo pipefail
folder="${1:?usage: completion_test.sh COMPLETIONS_FOLDER}"
. "$folder/pointilla-play"
. "$folder/trellis"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir scenarios
touch login.sce OLD.SCE notes.txt backup.REG libtrellis.so

# What the command's completion offers for LINE (its last word is the one
# completed; a line ending in a blank completes an empty word), sorted.
offered() {
  local line="$1" command
  read -r -a COMP_WORDS <<<"$line"
  [[ "$line" == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$line" COMP_POINT=${#line}
  command="$(complete -p "${COMP_WORDS[0]}" | awk '{print $(NF - 1)}')"
  COMPREPLY=()
  "$command"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

failures=0
while IFS='|' read -r line expected; do
  [ -n "$line" ] || continue
  got="$(offered "$line")"
  if [ "$got" != "$expected" ]; then
    echo "FAIL: '$line' offered '$got', expected '$expected'" >&2
    failures=$((failures + 1))
  fi
done <<'EOF_CASES'
pointilla-play --re|--repeat
pointilla-play --l|--list --loop
pointilla-play --repeat |
pointilla-play --display |
pointilla-play |OLD.SCE login.sce scenarios
pointilla-play --loop lo|login.sce
trellis |--help create delete exists export get get-dword import register set set-dword unregister
trellis get-|get-dword
trellis im|import
trellis get HKEY_CU|HKEY_CURRENT_CONFIG\\ HKEY_CURRENT_USER\\
trellis set 'HKEY_L|'HKEY_LOCAL_MACHINE\
trellis get HKEY_LOCAL_MACHINE\\software re|
trellis exists KEY name |0 1
trellis export KEY s|scenarios
trellis import --a|--allow-classes
trellis import |backup.REG scenarios
trellis register |libtrellis.so scenarios
trellis frobnicate |
EOF_CASES
[ "$failures" -eq 0 ] || exit 1
echo "completions offered as expected"
