#!/usr/bin/env bash
# quivra-table on sample files: info, dump (text and JSON), export, check
# and repair of damaged tables, and errors on stderr with a non-zero exit
# status.
# Usage: cli_test.sh QUIVRA_TABLE DATA_DIR PYTHON
set -uo pipefail
tool=$1
data=$2
python=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$tool" info "$data/valid_memo.dbf") || fail "info exit status"
grep -q "Version: *0xF5" <<<"$out" || fail "info version: $out"
grep -q "Records: *3" <<<"$out" || fail "info records: $out"
grep -q "NOTES *M" <<<"$out" || fail "info fields: $out"
grep -q "Damage" <<<"$out" && fail "info reports damage of a sound table"

out=$("$tool" info "$data/truncated.dbf") || fail "info of a short table should still work"
grep -q "Damage: .*truncated.dbf.*3 records.*only 2" <<<"$out" || fail "info damage line: $out"

out=$("$tool" dump "$data/valid_memo.dbf") || fail "dump exit status"
grep -q "  NOTES: second memo" <<<"$out" || fail "dump memo: $out"

"$tool" dump "$data/valid_memo.dbf" --json > "$work/dump.json" || fail "dump --json exit status"
"$python" -c '
import json, sys
rows = json.load(open(sys.argv[1]))
assert len(rows) == 3, rows
assert rows[0]["fields"]["NOTES"] == "first memo", rows[0]
assert rows[1]["fields"]["NAME"] == "Row 2", rows[1]
' "$work/dump.json" || fail "dump --json content"

"$tool" export "$data/valid_memo.dbf" "$work/out.txt" || fail "export exit status"
printf '"Row 1","first memo"\r\n"Row 2","second memo"\r\n"Row 3",""\r\n' > "$work/expected.txt"
cmp -s "$work/out.txt" "$work/expected.txt" || fail "export content: $(od -c "$work/out.txt" | head)"

# check refuses damage; repair keeps the whole records, backs up, and then check passes.
cp "$data/truncated.dbf" "$work/cut.dbf"
"$tool" check "$work/cut.dbf" > /dev/null 2> "$work/stderr" && fail "check passed a cut table"
grep -q "cut short" "$work/stderr" || fail "check message: $(cat "$work/stderr")"
"$tool" export "$work/cut.dbf" "$work/cut.txt" 2> /dev/null && fail "export of a damaged table"
out=$("$tool" repair "$work/cut.dbf") || fail "repair exit status: $out"
grep -q "Kept 2 records" <<<"$out" || fail "repair report: $out"
ls "$work"/cut-backup-*.dbf > /dev/null 2>&1 || fail "repair made no backup"
cmp -s "$data/truncated.dbf" "$work"/cut-backup-*.dbf || fail "backup differs from the damaged file"
"$tool" check "$work/cut.dbf" > /dev/null || fail "check after repair"
cp "$data/valid_memo.dbf" "$work/flag.dbf"
cp "$data/valid_memo.fpt" "$work/flag.fpt"
"$python" -c '
import struct, sys
b = bytearray(open(sys.argv[1], "rb").read())
header, length = struct.unpack("<HH", b[8:12])
b[header + length] = ord("X")
open(sys.argv[1], "wb").write(b)
' "$work/flag.dbf"
"$tool" check "$work/flag.dbf" > /dev/null 2> "$work/stderr" && fail "check passed a bad deleted flag"
grep -q "record 2 has the deleted flag X" "$work/stderr" || fail "flag message: $(cat "$work/stderr")"

for args in "info $data/no_such.dbf" "dump $data/bad_header_length.dbf" \
            "export $data/memo_past_eof.dbf $work/bad.txt" "info" "frobnicate x"; do
  # shellcheck disable=SC2086
  "$tool" $args > "$work/stdout" 2> "$work/stderr"
  status=$?
  [ "$status" -ne 0 ] || fail "'$args' should fail"
  [ -s "$work/stderr" ] || fail "'$args' should explain on stderr"
done
[ ! -e "$work/bad.txt" ] || fail "a failed export left a file"

exit $((failures > 0))
