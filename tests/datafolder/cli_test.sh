#!/usr/bin/env bash
# --help and --version of the program and of each tool, and --data of the
# tools.  Usage: cli_test.sh BIN_DIR RUN_DIR
set -uo pipefail
bin=$(realpath "$1")
run=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in quivra quivra-table quivra-select quivra-build quivra-sync; do
  # No display is needed for either: both answer before any window exists.
  out=$(env -u DISPLAY QT_QPA_PLATFORM=xcb "$bin/$tool" --help) || fail "$tool --help exit status"
  grep -q "^Usage: $tool " <<<"$out" || fail "$tool --help: $out"
  grep -q -- "--data DIR" <<<"$out" || fail "$tool --help lacks --data: $out"
  out=$(env -u DISPLAY QT_QPA_PLATFORM=xcb "$bin/$tool" --version) || fail "$tool --version exit status"
  grep -Eq "^$tool \(Quivra\) [0-9]+\.[0-9]+\.[0-9]+$" <<<"$(head -1 <<<"$out")" ||
    fail "$tool --version: $out"
done

# The tools take --data DIR and work there; a folder that is not there is
# named in one message.
cd "$work"
out=$("$bin/quivra-table" --data "$run" info Specs.DBF) || fail "quivra-table --data exit status"
grep -q "Records:" <<<"$out" || fail "quivra-table --data info: $out"
out=$("$bin/quivra-select" --data "$run" --bow-weight 60) || fail "quivra-select --data exit status"
grep -q '"page"' <<<"$out" || fail "quivra-select --data: $out"
out=$("$bin/quivra-build" --data "$run" --rating 340 --draw-weight 70 --shaft 340CH --length 29 \
  --point 100 --insert 15 --nock 9 --fletching 15) || fail "quivra-build --data exit status: $out"
grep -q '"spine":{"required"' <<<"$out" || fail "quivra-build --data: $out"
for tool in "quivra-table --data $work/none info Specs.DBF" "quivra-select --data $work/none" \
            "quivra-build --data $work/none --rating 340 --draw-weight 70 --draw-length 28 --arrow-weight 420"; do
  out=$($bin/$tool 2>&1) && fail "$tool should fail"
  grep -q "The data folder $work/none does not exist" <<<"$out" || fail "$tool message: $out"
done

# Without --data, outside a data folder: the user's folder, made from the
# installed reference data on first use (here the run folder stands in for
# <prefix>/share/quivra).
mkdir -p "$work/home" "$work/share"
ln -s "$run" "$work/share/quivra"
out=$(HOME="$work/home" XDG_DATA_HOME= XDG_DATA_DIRS="$work/share" "$bin/quivra-select") ||
  fail "quivra-select in the user's folder: $out"
[ -f "$work/home/.local/share/quivra/HUNTCHRT.DBF" ] || fail "user's data folder not made"
out=$(HOME="$work/home" "$bin/quivra-table" info Saveddb.dbf 2>&1) || fail "quivra-table default: $out"
grep -q "working in $work/home/.local/share/quivra" <<<"$out" || fail "quivra-table default: $out"

[ "$failures" -eq 0 ] && echo "all command-line checks passed"
exit "$failures"
