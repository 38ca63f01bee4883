#!/usr/bin/perl
# Reads a table written by Quivra with Perl's XBase module and compares every
# field of every record with the expected values (see read_with_python.py
# for the EXPECTED format).  Exit status: 0 equal, 1 a difference, 77 the
# module is missing.
use strict;
use warnings;
use Encode qw(decode encode);
use JSON::PP;

my ($table_path, $expected_path) = @ARGV;
eval { require XBase; 1 } or do { print "skipped: XBase not installed\n"; exit 77; };

open(my $fh, '<:raw', $expected_path) or die "cannot read $expected_path: $!";
my $expected = JSON::PP->new->utf8->decode(do { local $/; <$fh> });
close($fh);

my $table = XBase->new($table_path) or die XBase->errstr;
my $failures = 0;
my $count = $table->last_record + 1;
if ($count != scalar(@$expected)) {
    print "XBase: $count records, expected " . scalar(@$expected) . "\n";
    exit 1;
}
for my $n (0 .. $count - 1) {
    my $values = $table->get_record_as_hash($n) or die $table->errstr;
    for my $field (@{ $expected->[$n] }) {
        my ($name, $type, $want) = @$field;
        my $got = $values->{$name};
        $got = '' unless defined $got;
        if ($type eq 'N' || $type eq 'F') {
            $got = $got eq '' ? '' : 0 + $got;
            $want = $want =~ /\S/ ? 0 + $want : '';
        } elsif ($type eq 'L') {
            $got = $got eq '' ? 'F' : ($got ? 'T' : 'F');
        } else {
            $got = decode('cp1252', $got);
            $got =~ s/ +$// if $type eq 'C';
        }
        if ($got ne $want) {
            print encode('UTF-8', "XBase: record " . ($n + 1) . " field $name: '$got', expected '$want'\n");
            $failures++;
        }
    }
}
$table->close;
exit($failures ? 1 : 0);
