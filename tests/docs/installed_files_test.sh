#!/usr/bin/env bash
# What cmake --install puts where desktops, software centres, man and bash look,
# checked by their own validators: the menu entries, the AppStream metainfo (and
# that it names the installed menu entry), the manual pages and the completions.
#   installed_files_test.sh BUILD_FOLDER
set -euo pipefail
build="${1:?usage: installed_files_test.sh BUILD_FOLDER}"
for tool in appstreamcli desktop-file-validate; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing (scripts/bootstrap.sh test installs it)" >&2
    [ "${CI:-}" = true ] && exit 1 # CI has it: missing there is a failure
    exit 77
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix with spaces"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
  { cat "$work/install.log" >&2; exit 1; }
share="$prefix/share"

failures=0
problem() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for file in man/man1/pointilla.1 man/man1/pointilla-play.1 man/man1/trellis.1 \
  man/fr/man1/pointilla.1 man/fr/man1/pointilla-play.1 man/fr/man1/trellis.1 \
  bash-completion/completions/pointilla-play bash-completion/completions/trellis \
  applications/pointilla.desktop metainfo/org.example.dovetail.Pointilla.metainfo.xml; do
  [ -s "$share/$file" ] || problem "$file was not installed"
done

for entry in "$share"/applications/*.desktop; do
  desktop-file-validate "$entry" || problem "$(basename "$entry") is not a valid menu entry"
done
metainfo="$share/metainfo/org.example.dovetail.Pointilla.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || problem "the metainfo does not validate"
# The tree: the metainfo's launchable is an installed menu entry.
appstreamcli validate-tree --no-net "$prefix" || problem "the installed tree does not validate"
# Software centres offer Pointilla for the type its menu entry opens.
type="$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$share/applications/pointilla.desktop")"
grep -q "<mediatype>$type</mediatype>" "$metainfo" ||
  problem "the metainfo does not provide $type, the menu entry's type"
[ "$failures" -eq 0 ] || exit 1
echo "menu entries, metainfo, manual pages and completions installed and valid"
