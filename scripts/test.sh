#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci
export QT_QPA_PLATFORM=offscreen
ctest --preset ci -j2 "$@" 2>&1 | tee build/ci/ctest.log
# In CI every test must run: the run folder and ../shared are there, and so
# is every tool a test may need.  A skipped test there is a failure.
if [ "${CI:-}" = "true" ] && grep -q "The following tests did not run" build/ci/ctest.log; then
  sed -n '/The following tests did not run/,/^$/p' build/ci/ctest.log
  echo "Tests were skipped in CI (see above); every test must run here." >&2
  exit 1
fi

# Style: clang-format on every C++ file, clang-tidy on the sources
# scripts/check-style.sh names.
scripts/check-style.sh build/ci

# The whole suite again under AddressSanitizer and UBSan (window tests
# included); any sanitizer report fails the run.
scripts/ci-asan.sh

# The Debian package, installed and started under Xvfb, then removed.
scripts/ci-package.sh build/ci
# Printing through a private CUPS scheduler with a PDF printer.
scripts/ci-print.sh build/ci

# Fuzzing: a short run of every storage fuzzer from its seed corpus (copied,
# so the repository's corpus stays as committed).  A crash, sanitizer report
# or hang makes the fuzzer exit non-zero and fails this script; the input
# that caused it is left in build/fuzz/findings/.
cmake --preset fuzz -DQUIVRA_STORAGE_ONLY=ON
cmake --build --preset fuzz --target fuzzers
mkdir -p build/fuzz/findings
for fuzzer in build/fuzz/bin/fuzz_*; do
  name=${fuzzer##*/fuzz_}
  work=$(mktemp -d)
  if [ -d "tests/fuzz/corpus/$name" ]; then cp -r "tests/fuzz/corpus/$name/." "$work"; fi
  status=0
  "$fuzzer" -max_total_time=20 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/findings/ "$work" > "build/fuzz/findings/$name.log" 2>&1 || status=$?
  rm -rf "$work"
  if [ "$status" -ne 0 ]; then
    tail -40 "build/fuzz/findings/$name.log"
    echo "Fuzzer $name found a fault (exit status $status); see build/fuzz/findings/" >&2
    exit 1
  fi
  echo "Fuzzer $name: no finding in 20 s"
done
