#!/bin/sh
# A translation file is complete and current: every entry has its translation,
# and lupdate run over the sources finds no text that the file lacks nor one
# that the sources no longer have. The file itself is left alone.
#   translation_complete.sh LUPDATE FILE.ts INCLUDE_DIR SOURCE_DIR...
set -eu
lupdate=$1 ts=$2 include=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/current.ts"
"$lupdate" -silent -locations none -no-ui-lines -I "$include" "$@" -ts "$work/current.ts"
# One line for each entry that is unfinished, vanished, obsolete or empty.
perl -0777 -ne '
    my $found = 0;
    while (/<message[^>]*>(.*?)<\/message>/gs) {
        my $entry = $1;
        my ($source) = $entry =~ /<source>(.*?)<\/source>/s;
        my ($type, $text) = $entry =~ /<translation( type="[^"]*")?>(.*?)<\/translation>/s;
        next unless defined $text;
        next if !defined $type && $text =~ /\S/;
        $type = defined $type ? ($type =~ /"(.*)"/)[0] : "empty";
        print "$type: $source\n";
        $found = 1;
    }
    exit $found;
' "$work/current.ts" || {
    echo "$ts: the entries above need work (lupdate $*, then translate)" >&2
    exit 1
}
