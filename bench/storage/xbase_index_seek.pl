#!/usr/bin/perl
# Times the same warm seeks as IndexBench's IndexSeekWarm with Perl's
# XBase::Index (Debian package libdbd-xbase-perl), for a side-by-side figure.
#   perl bench/storage/xbase_index_seek.pl [DIR] [ROUNDS]
# DIR holds customers.idx and seek_texts.txt as IndexBench leaves them
# (default: $QUIVRA_BENCH_DIR/index, or $TMPDIR/quivra-bench/index).  Prints microseconds per seek.
use strict;
use warnings;
use Time::HiRes qw(time);
use XBase::Index;

my $dir = $ARGV[0] // ($ENV{QUIVRA_BENCH_DIR} // (($ENV{TMPDIR} // '/tmp') . '/quivra-bench')) . '/index';
my $rounds = $ARGV[1] // 3;

open(my $fh, '<', "$dir/seek_texts.txt") or die "cannot read $dir/seek_texts.txt: $!\n";
chomp(my @texts = <$fh>);
close $fh;

my $index = XBase::Index->new("$dir/customers.idx") or die XBase::Index->errstr;

# Seek: position on the first key not below the text, then fetch it and
# test that it begins with the text, as IndexSeekWarm does.
sub seek_text {
    my ($text) = @_;
    $index->prepare_select_eq($text) or return 0;
    my ($key, $rec) = $index->fetch;
    return defined $key && substr($key, 0, length $text) eq $text ? $rec : 0;
}

seek_text($_) for @texts;    # warm-up round
my ($count, $found) = (0, 0);
my $start = time;
for (1 .. $rounds) {
    for my $t (@texts) {
        $found++ if seek_text($t);
        $count++;
    }
}
my $elapsed = time - $start;
printf "XBase::Index seek: %.1f us per seek (%d seeks, %.3f found)\n",
    1e6 * $elapsed / $count, $count, $found / $count;
