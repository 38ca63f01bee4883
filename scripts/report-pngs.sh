#!/usr/bin/env bash
# Writes every report, filled with sample data, as PDF files and turns each
# page into a PNG image for review.
#
#   scripts/report-pngs.sh [OUTPUT-FOLDER] [DPI]
#
# OUTPUT-FOLDER defaults to build/report-pngs, DPI to 100.  The sample tool is
# built in build/report-pngs-build unless QUIVRA_BUILD_DIR names an existing
# build tree.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build/report-pngs}"
dpi="${2:-100}"
build="${QUIVRA_BUILD_DIR:-build/report-pngs-build}"

command -v pdftoppm >/dev/null || { echo "pdftoppm is missing (poppler-utils)" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DQUIVRA_BUILD_TESTS=OFF -DQUIVRA_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target quivra-report-samples -j2

mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
"$build/bin/quivra-report-samples" "$out"
for pdf in "$out"/*.pdf; do
  pdftoppm -png -r "$dpi" "$pdf" "${pdf%.pdf}"
done
ls -1 "$out"/*.png
