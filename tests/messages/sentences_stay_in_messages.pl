#!/usr/bin/perl
# Every sentence a person reads comes from src/messages, which sits on common
# alone. This finds an include of src/messages that reaches above it, and the
# French that crept back elsewhere: string literals of src/ (outside
# src/messages) and tools/ holding an accented letter or French quotation
# marks, raw or as a \u escape. Comments do not count. The widgets' own
# captions may stay where the widgets are built: the allow-list names those
# files, or single literals. Sentences without an accent escape it.
#   sentences_stay_in_messages.pl SOURCE_DIR ALLOW_LIST
use strict;
use warnings;
use File::Find;

my ($root, $allowFile) = @ARGV;
die "usage: $0 SOURCE_DIR ALLOW_LIST\n" unless defined $allowFile;

# "path" allows a whole file; "path: literal" one literal, as written in the
# source but for its trailing blanks.
my (%allowedFile, %allowedLiteral);
open(my $allow, '<:raw', $allowFile) or die "$allowFile: $!\n";
while (my $line = <$allow>) {
    chomp $line;
    next if $line =~ /^\s*(#|$)/;
    if ($line =~ /^(\S+): (.*?)\s*$/) {
        $allowedLiteral{"$1\0$2"} = 0;
    } else {
        $allowedFile{$line} = 0;
    }
}
close $allow;

# Accented letters and « » in UTF-8 (U+00AB, U+00BB, U+00C0 to U+00FF, œ, Œ),
# or as \u escapes.
my $french = qr/\xC2[\xAB\xBB]|\xC3[\x80-\xBF]|\xC5[\x92\x93]|\\u00(?:[aAbB][bB]|[c-fC-F][0-9a-fA-F])|\\u015[23]/;

my @files;
find(sub { push @files, $File::Find::name if /\.(?:cpp|h)$/ }, "$root/src", "$root/tools");
my $found = 0;
# The messages sit on common alone, so that every layer may use them.
for my $file (sort grep { m{/src/messages/[^/]+$} } @files) {
    open(my $in, '<:raw', $file) or die "$file: $!\n";
    while (my $line = <$in>) {
        next unless $line =~ /^\s*#\s*include\s*"([^"]+)"/;
        my $included = $1;
        next if $included =~ m{^(?:common|messages)/};
        (my $relative = $file) =~ s{^\Q$root\E/}{};
        print "$relative:$.: includes \"$included\", above the messages\n";
        $found = 1;
    }
    close $in;
}
for my $file (sort @files) {
    (my $relative = $file) =~ s{^\Q$root\E/}{};
    next if $relative =~ m{^src/messages/};
    if (exists $allowedFile{$relative}) {
        $allowedFile{$relative} = 1;
        next;
    }
    open(my $in, '<:raw', $file) or die "$file: $!\n";
    my $text = do { local $/; <$in> };
    close $in;
    while ($text =~ m{(//[^\n]*)|(/\*.*?\*/)|R"([^(\s]*)\((.*?)\)\3"|"((?:[^"\\\n]|\\.)*)"|'(?:[^'\\\n]|\\.)*'}gs) {
        my $at = $-[0];
        my $literal = defined $4 ? $4 : $5;
        next unless defined $literal && $literal =~ $french;
        (my $trimmed = $literal) =~ s/\s+$//;  # the list keeps no trailing blanks
        my $key = "$relative\0$trimmed";
        if (exists $allowedLiteral{$key}) {
            $allowedLiteral{$key} = 1;
            next;
        }
        my $line = 1 + (substr($text, 0, $at) =~ tr/\n//);
        print "$relative:$line: \"$literal\" is French outside src/messages\n";
        $found = 1;
    }
}
# An entry that no longer matches would hide the next literal of its file.
for my $key (sort grep { !$allowedLiteral{$_} } keys %allowedLiteral) {
    my ($path, $literal) = split /\0/, $key, 2;
    print "allow-list: $path: \"$literal\" is no longer in the source\n";
    $found = 1;
}
for my $path (sort grep { !$allowedFile{$_} } keys %allowedFile) {
    print "allow-list: $path is no longer in the source\n";
    $found = 1;
}
exit $found;
