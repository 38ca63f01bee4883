#!/usr/bin/env bash
# The whole test suite, window tests included, built with AddressSanitizer
# and UndefinedBehaviorSanitizer (the asan preset) and run under them.  Any
# sanitizer report fails the run: ASan and LeakSanitizer end the process
# with an error, UBSan halts on the first report (the preset also compiles
# with -fno-sanitize-recover), and ctest fails the test.
#
# Only what ctest runs is built (the quivra-test-suite target: the tests and
# the programs they start); no benchmarks, no packaging, no review tools.
#
# usage: scripts/ci-asan.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

cmake --preset asan -DQUIVRA_BUILD_BENCH=OFF
cmake --build --preset asan --target quivra-test-suite -j2
built=$(date +%s)

# detect_leaks: LeakSanitizer runs at every exit.  abort_on_error and
# halt_on_error: the first report ends the process with a failure.
# strict_init_order and check_initialization_order: static initialisers
# that read each other's globals are reported too.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:strict_init_order=1:check_initialization_order=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks inside system libraries the program cannot free (see the file).
export LSAN_OPTIONS="suppressions=$PWD/tests/asan/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

mkdir -p build/asan
status=0
ctest --preset asan -j2 "$@" 2>&1 | tee build/asan/ctest.log || status=$?
end=$(date +%s)
echo "Sanitizer stage: build $((built - start)) s, tests $((end - built)) s, total $((end - start)) s"
if [ "$status" -ne 0 ]; then
  echo "The sanitizer run failed (see build/asan/ctest.log and build/asan/Testing/)." >&2
  exit "$status"
fi
# In CI every test must run here too: a skipped test hides what it checks.
if [ "${CI:-}" = "true" ] && grep -q "The following tests did not run" build/asan/ctest.log; then
  sed -n '/The following tests did not run/,/^$/p' build/asan/ctest.log
  echo "Tests were skipped in the sanitizer run (see above); every test must run here." >&2
  exit 1
fi
