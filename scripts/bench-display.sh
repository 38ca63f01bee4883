#!/usr/bin/env bash
# Runs the benchmarks that need a display under a private Xvfb: start-up of
# the whole process against an empty Qt 6 window, keystroke to pixels, and
# opening the retrieval window, the arrow weight builder and the calculator.
#
#   scripts/bench-display.sh [BUILD-DIR]     (default build/ci)
#
# The build tree must have the benchmarks (the dev and ci presets do); an
# optimised one (ci) gives the figures that count.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/ci}")
cmake --build "$build" -j2 --target quivra_startup_bench quivra_app_bench quivra_windows_bench
run() {
  xvfb-run -a -s "-screen 0 1366x768x24 -dpi 96 -nolisten tcp" "$@"
}
run "$build/bin/quivra_startup_bench" "${QUIVRA_STARTUP_RUNS:-20}"
run "$build/bin/quivra_app_bench" --benchmark_filter=KeystrokeToPixels
run "$build/bin/quivra_windows_bench"
