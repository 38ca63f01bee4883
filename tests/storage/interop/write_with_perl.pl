#!/usr/bin/perl
# Writes a FoxPro table with a .fpt memo file using Perl's XBase module, for
# Quivra to read.  Usage: write_with_perl.pl TABLE MEMOFILE
# Fields NAME C(30), BOWWT N(5,1), SAVED D, ACTIVE L, NOTES M; the records
# below (texts in cp1252).  Exit status 77 when the module is missing.
use strict;
use warnings;
use Encode qw(encode);

my ($table_path, $memo_path) = @ARGV;
eval { require XBase; 1 } or do { print "skipped: XBase not installed\n"; exit 77; };
unlink $table_path, $memo_path;
my $table = XBase->create(
    name           => $table_path,
    memofile       => $memo_path,
    field_names    => [qw(NAME BOWWT SAVED ACTIVE NOTES)],
    field_types    => [qw(C N D L M)],
    field_lengths  => [30, 5, 8, 1, 10],
    field_decimals => [0, 1, 0, 0, 0],
) or die XBase->errstr;
my @rows = (
    ["Ren\x{e9}e D\x{fc}rr", 45.5, '20240301', 1, "Memo with \"quotes\" and caf\x{e9}"],
    ['Second', 70, '', 0, 'y' x 300],
);
my $n = 0;
for my $row (@rows) {
    my @bytes = map { encode('cp1252', $_) } @$row;
    $table->set_record($n++, @bytes) or die $table->errstr;
}
$table->close;
exit 0;
