#!/usr/bin/env bash
# Builds Quivra and starts it on its delivered data.
# The program runs in build/release/run, the folder that holds its tables;
# a rebuild never overwrites the shop's saved set-ups or shop details there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
cd build/release/run
exec ../bin/quivra "$@"
