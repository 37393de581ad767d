#!/usr/bin/env bash
# The manual pages, English and French: each renders without a warning, has the
# sections a reader looks for, and names every option and command its program's
# --help names.
#   man_pages_test.sh MAN_FOLDER POINTILLA_PLAY TRELLIS
set -euo pipefail
man="${1:?usage: man_pages_test.sh MAN_FOLDER POINTILLA_PLAY TRELLIS}"
play="${2:?usage: man_pages_test.sh MAN_FOLDER POINTILLA_PLAY TRELLIS}"
trellis="${3:?usage: man_pages_test.sh MAN_FOLDER POINTILLA_PLAY TRELLIS}"
export LC_ALL=C.UTF-8 MANWIDTH=80

failures=0
problem() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The options and commands each program's own help gives.
play_words="$("$play" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)"
trellis_help="$("$trellis" --help)"
trellis_words="$(awk '{ for (i = 1; i < NF; i++) if ($i == "trellis" && $(i + 1) ~ /^[a-z-]+$/) print $(i + 1) }' \
  <<<"$trellis_help" | sort -u)"$'\n'"$(grep -o -- '--[a-z][a-z-]*' <<<"$trellis_help" | sort -u)"
if [ -z "$play_words" ] || [ "$(wc -w <<<"$trellis_words")" -le 10 ]; then
  problem "the programs' help named too little: $play_words / $trellis_words"
fi

while IFS='|' read -r page sections; do
  [ -f "$man/$page" ] || { problem "$page is missing"; continue; }
  warnings="$(man --warnings -l "$man/$page" 2>&1 >/dev/null)"
  warnings+="$(groff -k -ww -z -man "$man/$page" 2>&1)"
  [ -z "$warnings" ] || problem "$page: $warnings"
  rendered="$(man -l "$man/$page" 2>/dev/null)"
  IFS=',' read -r -a wanted <<<"$sections"
  for section in "${wanted[@]}"; do
    grep -qx "$section" <<<"$rendered" || problem "$page has no section $section"
  done
  case "$page" in
    *pointilla-play.1) words="$play_words" ;;
    *trellis.1) words="$trellis_words" ;;
    *) words="--platform" ;;
  esac
  for word in $words; do
    grep -q -- "$word" <<<"$rendered" || problem "$page does not name $word"
  done
done <<'EOF_PAGES'
pointilla.1|NAME,SYNOPSIS,DESCRIPTION,OPTIONS,EXIT STATUS,ENVIRONMENT,FILES,EXAMPLES
pointilla-play.1|NAME,SYNOPSIS,DESCRIPTION,OPTIONS,EXIT STATUS,ENVIRONMENT,FILES,EXAMPLES
trellis.1|NAME,SYNOPSIS,DESCRIPTION,COMMANDS,EXIT STATUS,ENVIRONMENT,FILES,EXAMPLES
fr/pointilla.1|NOM,SYNOPSIS,DESCRIPTION,OPTIONS,CODE DE RETOUR,ENVIRONNEMENT,FICHIERS,EXEMPLES
fr/pointilla-play.1|NOM,SYNOPSIS,DESCRIPTION,OPTIONS,CODE DE RETOUR,ENVIRONNEMENT,FICHIERS,EXEMPLES
fr/trellis.1|NOM,SYNOPSIS,DESCRIPTION,COMMANDES,CODE DE RETOUR,ENVIRONNEMENT,FICHIERS,EXEMPLES
EOF_PAGES
[ "$failures" -eq 0 ] || exit 1
echo "six manual pages render cleanly and cover their programs' options"
