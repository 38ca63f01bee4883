#!/usr/bin/env bash
# Times the delimited export and the JSON dump of quivra-table against
# other readers of the same generated table (the one quivra_storage_bench
# uses), side by side in one run:
#   pgdbf        full read and conversion to SQL (with code-page conversion)
#   python3-dbf  export to CSV (dbf.export)
# and prints records per second and the ratios.  python3-dbf is slow, so it
# runs on a separate table of PY_RECORDS records (default 100,000) and is
# compared per record.
# Usage: bench/storage/compare_tools.sh BUILD_DIR   (a Release build with
#        quivra-table and quivra_bench_table built)
set -euo pipefail
build=${1:?usage: compare_tools.sh BUILD_DIR}
records=${QUIVRA_BENCH_RECORDS:-1000000}
py_records=${PY_RECORDS:-100000}
dir=${QUIVRA_BENCH_DIR:-${TMPDIR:-/tmp}/quivra-bench}
python=/usr/bin/python3
[ -x "$python" ] || python=python3

seconds() {  # runs "$@" and prints the wall-clock seconds it took
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

table=$(QUIVRA_BENCH_DIR=$dir QUIVRA_BENCH_RECORDS=$records "$build/bin/quivra_bench_table")
small=$(QUIVRA_BENCH_DIR=$dir/small QUIVRA_BENCH_RECORDS=$py_records "$build/bin/quivra_bench_table")
memo=${table%.dbf}.fpt

# Warm the page cache so that every tool reads from memory.
cat "$table" "$memo" > /dev/null

ours=$(seconds "$build/bin/quivra-table" export "$table" "$dir/custdb.txt")
pg=$(seconds pgdbf -s cp1252 -m "$memo" "$table")
json=$(seconds "$build/bin/quivra-table" dump "$table" --json)
ours_small=$(seconds "$build/bin/quivra-table" export "$small" "$dir/small/custdb.txt")
py=$(seconds "$python" -c "
import dbf, sys
t = dbf.Table(sys.argv[1]); t.open(dbf.READ_ONLY)
dbf.export(t, sys.argv[2], header=False)
t.close()" "$small" "$dir/small/py.csv")

printf '%-34s %10s %14s\n' "reader" "seconds" "records/s"
printf '%-34s %10.2f %14.0f\n' "quivra-table export ($records)" "$ours" "$(echo "$records / $ours" | bc -l)"
printf '%-34s %10.2f %14.0f\n' "pgdbf -s cp1252 ($records)" "$pg" "$(echo "$records / $pg" | bc -l)"
printf '%-34s %10.2f %14.0f\n' "quivra-table dump --json ($records)" "$json" "$(echo "$records / $json" | bc -l)"
printf '%-34s %10.2f %14.0f\n' "quivra-table export ($py_records)" "$ours_small" "$(echo "$py_records / $ours_small" | bc -l)"
printf '%-34s %10.2f %14.0f\n' "python3-dbf export ($py_records)" "$py" "$(echo "$py_records / $py" | bc -l)"
printf 'pgdbf time / quivra time:        %.2f  (goal >= 1)\n' "$(echo "$pg / $ours" | bc -l)"
printf 'pgdbf time / dump --json time:   %.2f  (goal >= 1)\n' "$(echo "$pg / $json" | bc -l)"
printf 'python3-dbf time / quivra time:  %.1f  (goal >= 20, same %s records)\n' \
  "$(echo "$py / $ours_small" | bc -l)" "$py_records"
