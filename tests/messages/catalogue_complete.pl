#!/usr/bin/perl
# The English catalogue is whole: lupdate, run over the sources into a copy of
# it, finds no sentence it lacks (it would be new, so unfinished) and none it
# holds in vain (vanished or obsolete); every translation is there, and says
# the same %1, %2… as its French source.
#   catalogue_complete.pl LUPDATE SOURCE_DIR TS_FILE
use strict;
use warnings;
use File::Copy;
use File::Temp qw(tempdir);

my ($lupdate, $root, $ts) = @ARGV;
die "usage: $0 LUPDATE SOURCE_DIR TS_FILE\n" unless defined $ts;

my $copy = tempdir(CLEANUP => 1) . "/catalogue.ts";
copy($ts, $copy) or die "$ts: $!\n";
# The options the catalogue is kept with: the markers' names, no line numbers.
my @command = ($lupdate, '-silent', '-locations', 'none',
               '-tr-function-alias', 'QT_TRANSLATE_NOOP+=translated,QT_TRANSLATE_NOOP+=noted',
               "$root/src/messages", "$root/tools", '-ts', $copy);
system(@command) == 0 or die "lupdate failed: @command\n";

open(my $in, '<:raw', $copy) or die "$copy: $!\n";
my $text = do { local $/; <$in> };
close $in;

my ($found, $count) = (0, 0);
while ($text =~ m{<context>\s*<name>(.*?)</name>(.*?)</context>}gs) {
    my ($context, $messages) = ($1, $2);
    while ($messages =~ m{<message>\s*<source>(.*?)</source>.*?<translation([^>]*)>(.*?)</translation>}gs) {
        my ($source, $attributes, $translation) = ($1, $2, $3);
        ++$count;
        my $problem;
        if ($attributes =~ /type="(\w+)"/) {
            $problem = $1 eq 'unfinished' && $translation eq '' ? 'not in the catalogue' : $1;
        } elsif ($translation eq '') {
            $problem = 'empty';
        } else {
            my %inSource = map { $_ => 1 } $source =~ /%([1-9])/g;
            my %inTranslation = map { $_ => 1 } $translation =~ /%([1-9])/g;
            my $want = join(" ", map { "%$_" } sort keys %inSource);
            my $have = join(" ", map { "%$_" } sort keys %inTranslation);
            $problem = "placeholders ($want) in French, ($have) in English" if $want ne $have;
        }
        next unless defined $problem;
        print "$context: \"$source\": $problem\n";
        $found = 1;
    }
}
if ($count == 0) {
    print "no message found in $copy\n";
    $found = 1;
}
exit $found;
