#!/usr/bin/env bash
# Packaging stage of the tests: the Debian package is built from a build
# tree, installed like any package, and the installed program is started
# under Xvfb from a fresh home folder as a user would start it from the menu.
#
#   scripts/ci-package.sh [BUILD-DIR]      (default build/ci, already built)
#
# Checks: the launcher, AppStream data and man pages are valid and in place;
# the window "Quivra 2012" appears and shows the recommendations for the start
# values (its Hunting report, saved through File > Save Report as PDF, holds
# what quivra-select finds); the user's data folder was made; a set-up saved
# through File > Save Setup is still there after an upgrade of the reference
# data and a second start.  The package, Xvfb and the program are removed or
# stopped at the end, also when a step fails.  Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/ci}")
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
app_id=example.quivra.Quivra

work=$(mktemp -d)
installed=0
xvfb_pid=""
app_pid=""
cleanup() {
  local status=$?
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ "$installed" = 1 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 remove -y -qq quivra >/dev/null || status=1
  fi
  if [ "$status" -ne 0 ]; then
    echo "Package stage failed; the program's output:" >&2
    cat "$work"/app-*.log >&2 2>/dev/null || true
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

fail() {
  echo "Package stage: $*" >&2
  exit 1
}

if dpkg-query -W -f='${Status}' quivra 2>/dev/null | grep -q 'install ok installed'; then
  fail "quivra is installed on this machine already; this stage installs and removes its own copy"
fi

# --- build and install the package ------------------------------------------------
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/quivra_*.deb)
echo "Built $(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
# The keyring tool is recommended, never required: ~/.pgpass works without it.
dpkg-deb -f "$deb" Recommends | grep -qw libsecret-tools ||
  fail "the package does not recommend libsecret-tools (the desktop keyring's secret-tool)"
dpkg-deb -f "$deb" Depends | grep -qw libsecret-tools &&
  fail "the package depends on libsecret-tools; it should only recommend it"

# What the package holds, checked in the package itself (a machine may be
# set up to leave man pages out when it installs).
mkdir "$work/deb"
dpkg-deb -x "$deb" "$work/deb"
for file in usr/bin/quivra usr/bin/quivra-table usr/bin/quivra-select usr/bin/quivra-build \
            usr/bin/quivra-sync \
            usr/share/quivra/HUNTCHRT.DBF usr/share/quivra/Saveddb.dbf \
            usr/share/quivra/pictures/splash.jpg usr/share/quivra/tuning_guide.pdf \
            usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            usr/share/icons/hicolor/48x48/apps/$app_id.png \
            usr/share/man/man1/quivra.1.gz usr/share/man/man1/quivra-table.1.gz \
            usr/share/man/man1/quivra-select.1.gz usr/share/man/man1/quivra-build.1.gz \
            usr/share/man/man1/quivra-sync.1.gz; do
  [ -s "$work/deb/$file" ] || fail "the package lacks /$file"
done
desktop-file-validate "$work/deb/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$work/deb/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null

DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 install -y -qq "$deb" >/dev/null
installed=1
for program in quivra quivra-table quivra-select quivra-build quivra-sync; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not on the path"
  "$program" --version | grep -q "^$program (Quivra) " || fail "$program --version"
  "$program" --help | grep -q "^Usage: $program " || fail "$program --help"
done

# --- start it under Xvfb from a fresh home folder ------------------------------------
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
home="$work/home"
mkdir -p "$home"
data="$home/.local/share/quivra"

# Starts the installed program in the home folder; waits for its window.
start_quivra() {
  (cd "$home" && exec env -u XDG_DATA_HOME -u XDG_DATA_DIRS HOME="$home" \
     QT_QPA_PLATFORM=xcb quivra) >"$work/app-$1.log" 2>&1 &
  app_pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quivra 2012$' | head -1) ||
    fail "the window \"Quivra 2012\" did not appear (start $1)"
  xdotool windowfocus --sync "$window"
}

# File > Exit, and the program ends.
exit_quivra() {
  file_menu x
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app_pid" 2>/dev/null; then fail "File > Exit did not end the program"; fi
  wait "$app_pid" || fail "the program ended with status $?"
  app_pid=""
}

# A command of the File menu by its accelerator, with the main window
# focused (without a window manager nothing gives the focus back to it when a
# dialog closes).
file_menu() {
  xdotool windowfocus --sync "$window"
  xdotool key --delay 100 alt+f "$1"
}

# Waits until a window named $1 is shown.
wait_window() {
  timeout 10 xdotool search --sync --onlyvisible --name "$1" >/dev/null ||
    fail "the window \"$1\" did not appear"
}

start_quivra 1
[ -f "$data/HUNTCHRT.DBF" ] && [ -f "$data/Saveddb.dbf" ] && [ -f "$data/pictures/splash.jpg" ] ||
  fail "the data folder $data was not made"

# The recommendations for the start values, as the window's own report has them.
file_menu d
wait_window '^Save as PDF$'
xdotool type --delay 5 "$work/hunting.pdf"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/hunting.pdf" ] && break; sleep 0.1; done
[ -s "$work/hunting.pdf" ] || fail "File > Save Report as PDF wrote nothing"
pdftotext -layout "$work/hunting.pdf" "$work/hunting.txt"
(cd "$home" && HOME="$home" quivra-select) >"$work/expected.json"
python3 - "$work/expected.json" "$work/hunting.txt" <<'EOF'
import json, re, sys
outcome = json.load(open(sys.argv[1]))
rows = [" ".join(line.split()) for line in open(sys.argv[2])]
slots = [s for s in outcome["slots"] if s["shown"]]
assert len(slots) >= 4, "the start values should fill several slots"
for s in slots:
    row = " ".join([s["size"], s["spine"], s["models"], s["weight"]])
    assert row in rows, f"the window's report lacks the recommendation {row!r}"
print(f"The window shows the {len(slots)} recommendations for the start values")
EOF

# A set-up saved through File > Save Setup.
file_menu s
wait_window '^2012 Customer Information$'
xdotool type --delay 5 "Ada Archer"
xdotool key Tab
xdotool type --delay 5 "1 Bow Lane"
xdotool key Tab Tab
xdotool type --delay 5 "Fairview"
xdotool key Tab
xdotool type --delay 5 "WA"
# ZIP, country, code, comments, then "Save Record".
xdotool key --delay 50 Tab Tab Tab Tab Tab space
wait_window '^Quivra$'
xdotool key Return
exit_quivra
quivra-table --data "$data" dump Saveddb.dbf | grep -q "NAME: Ada Archer" ||
  fail "the saved set-up is not in $data/Saveddb.dbf"

# An upgrade of the reference data, then the second start: the new reference
# text comes in, the saved set-up and the shop's details stay.
shop_before=$(md5sum <"$data/SHOPINFO.DBF")
echo "Please check the bow weight, arrow length and point weight." |
  $SUDO tee /usr/share/quivra/invsel.txt >/dev/null
start_quivra 2
cmp -s /usr/share/quivra/invsel.txt "$data/invsel.txt" ||
  fail "the upgraded reference file did not reach the data folder"
exit_quivra
quivra-table --data "$data" dump Saveddb.dbf | grep -q "NAME: Ada Archer" ||
  fail "the second start lost the saved set-up"
[ "$(md5sum <"$data/SHOPINFO.DBF")" = "$shop_before" ] || fail "the shop details were replaced"

echo "Package stage passed: installed, started twice from $home, set-up kept"
