#!/usr/bin/env bash
# Style checks: clang-format over every tracked C++ file, and clang-tidy
# (the project's .clang-tidy, warnings are errors) over
#   - every source that uses no Qt (core, storage, catalogue, the rules of
#     every library, the command-line tools), and
#   - the Qt sources changed since this branch left main (none on main).
# Tidy on every Qt source would take well over ten minutes on two cores;
# QUIVRA_TIDY_ALL=1 checks them all, QUIVRA_TIDY_CHANGED=0 only the Qt-free
# ones (what CI checks on main).
# Usage: scripts/check-style.sh BUILD_DIR   (a configured build with
# compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/check-style.sh BUILD_DIR}

if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  mapfile -t cxx < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t cxx < <(find src tools tests bench -name '*.cpp' -o -name '*.h')
fi

start=$(date +%s)
clang-format --dry-run -Werror "${cxx[@]}"
echo "clang-format: ${#cxx[@]} files clean in $(( $(date +%s) - start )) s"

# The sources compile_commands.json knows, split into plain and Qt ones.
mapfile -t plain < <(python3 - "$build/compile_commands.json" <<'PY'
import json, os, sys
root = os.getcwd() + "/"
for e in json.load(open(sys.argv[1])):
    f = e["file"]
    if "autogen" in f or not f.startswith((root + "src/", root + "tools/")):
        continue
    command = e.get("command", "") + " ".join(e.get("arguments", []))
    if "-DQT_CORE_LIB" not in command:  # every Qt target defines it
        print(f)
PY
)
changed=()
base=""
for ref in origin/main main; do
  if git rev-parse --verify -q "$ref" > /dev/null 2>&1; then base=$(git merge-base HEAD "$ref"); break; fi
done
if [ -n "${QUIVRA_TIDY_ALL:-}" ]; then
  mapfile -t changed < <(python3 -c "import json,sys; [print(e['file']) for e in json.load(open(sys.argv[1])) if 'autogen' not in e['file'] and '/tests/' not in e['file'] and '/bench/' not in e['file']]" "$build/compile_commands.json")
elif [ -n "$base" ] && [ "${QUIVRA_TIDY_CHANGED:-1}" != 0 ]; then
  mapfile -t changed < <(git diff --name-only "$base" -- 'src/*.cpp' 'tools/*.cpp' | sed "s|^|$PWD/|")
fi
mapfile -t files < <(printf '%s\n' "${plain[@]}" "${changed[@]}" | sort -u | while read -r f; do [ -f "$f" ] && echo "$f"; done)

start=$(date +%s)
run-clang-tidy -p "$build" -j 2 -quiet "${files[@]}" > "$build/clang-tidy.log" 2>&1 || {
  grep -E "(warning|error):" "$build/clang-tidy.log" | grep -v "^/usr" | sort -u | head -60
  echo "clang-tidy found problems; the whole log is $build/clang-tidy.log" >&2
  exit 1
}
echo "clang-tidy: ${#files[@]} sources clean in $(( $(date +%s) - start )) s"
