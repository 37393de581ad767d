#!/usr/bin/env bash
# The command-line tools speak the person's language: English under an English
# locale, French under the C locale (the programs' own), with the same exit
# codes, the registry store's reasons included.
#   tool_language_e2e.sh POINTILLA_PLAY TRELLIS
set -euo pipefail
play="${1:?usage: tool_language_e2e.sh POINTILLA_PLAY TRELLIS}"
trellis="${2:?usage: tool_language_e2e.sh POINTILLA_PLAY TRELLIS}"
. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
use_private_settings
unset LANGUAGE LC_ALL LC_MESSAGES POINTILLA_LANGUAGE

# run LANG EXPECTED_STATUS EXPECTED_TEXT COMMAND...: the text is in what the
# command writes on either stream.
run() {
  local lang="$1" status="$2" text="$3" got=0
  shift 3
  LANG="$lang" "$@" >"$work/out" 2>&1 || got=$?
  [ "$got" = "$status" ] || fail "LANG=$lang $*: exit status $got, not $status"
  grep -qF -- "$text" "$work/out" || fail "LANG=$lang $*: no \"$text\" in: $(cat "$work/out")"
}

missing="$work/absent.sce"
unwritable="$work/not-a-folder/registry.db"
touch "$work/not-a-folder"
key='HKEY_CURRENT_USER\Software\Pointilla'
while IFS='|' read -r lang help nofile usage store; do
  run "$lang" 0 "$help" "$play" --help
  run "$lang" 2 "$nofile" "$play" "$missing"
  run "$lang" 2 "$usage" "$trellis" frob
  TRELLIS_REGISTRY="$unwritable" run "$lang" 1 "$store" "$trellis" get "$key" x
done <<'TABLE'
en_US.UTF-8|Exit codes:|cannot read “|Try “trellis --help”.|cannot open the registry file
C|Codes de sortie :|impossible de lire «|Essayez «|impossible d'ouvrir le fichier du registre
fr_FR.UTF-8|Codes de sortie :|impossible de lire «|Essayez «|impossible d'ouvrir le fichier du registre
TABLE
echo "the tools speak English and French"
