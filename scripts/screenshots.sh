#!/usr/bin/env bash
# Saves a PNG of each category page of the main window (and of the Hunting
# page with the carbon panel open, and of the splash) for layout review.
# The window is built on the delivered data of the run folder, under a
# virtual X display at 96 dpi when xvfb-run is installed, offscreen otherwise.
#
# usage: scripts/screenshots.sh [build-dir] [output-dir]
#        (defaults: build/dev and <build-dir>/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
out=$(realpath -m "${2:-$build/screenshots}")
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$build" --target quivra-screenshots quivra-data -j2
cd "$build/run"
if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1366x768x24 -dpi 96" ../bin/quivra-screenshots "$out"
else
  QT_QPA_PLATFORM=offscreen ../bin/quivra-screenshots "$out"
fi
