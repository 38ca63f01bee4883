#!/usr/bin/env bash
# Printing stage of the tests: real printing through CUPS.
#
#   scripts/ci-print.sh [BUILD-DIR]      (default build/ci, already built)
#
# A private CUPS scheduler is started in a scratch folder (its own socket,
# spool, logs and queues; the machine's own CUPS set-up is not touched) with
# one PDF queue (cups-pdf) as its default printer.  quivra-print-check then
# prints a Hunting report and a customer record through the program's own
# Print commands and saves the same pages straight as PDF files.  Each job
# must complete and yield one US Letter page whose picture (pdftoppm) matches
# the directly drawn page: CUPS' PDF output turns text into glyph drawings,
# so the pictures are compared, not the text.  The scheduler is stopped and
# its scratch folder removed at the end, also when a step fails.  With
# QUIVRA_PRINT_ARTIFACTS set to a folder, the printed and the directly drawn
# PDF files of each job are kept there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/ci}")
scripts=$(realpath scripts)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

work=$(mktemp -d)
chmod 755 "$work"
queue=QuivraCI
instance="quivra-ci-$$"
pdf_conf="/etc/cups/cups-pdf-$instance.conf"
cupsd_pid=""
cleanup() {
  local status=$?
  if [ -n "$cupsd_pid" ]; then
    $SUDO kill "$cupsd_pid" 2>/dev/null || true
    for _ in $(seq 50); do $SUDO kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  $SUDO rm -f "$pdf_conf"
  if [ "$status" -ne 0 ] && [ -f "$work/log/error_log" ]; then
    echo "Printing stage failed; the scheduler's log:" >&2
    grep -v '^D ' "$work/log/error_log" | tail -40 >&2 || true
  fi
  $SUDO rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

fail() {
  echo "Printing stage: $*" >&2
  exit 1
}

# --- a private scheduler with a PDF queue as its default printer --------------------
mkdir -p "$work"/{etc,spool,cache,state,log,tmp,out,pdf-spool,run}
chmod 1777 "$work/tmp"  # the filters run as lp
cat >"$work/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
EOF
cat >"$work/etc/cupsd.conf" <<EOF
Listen $work/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
# cups-pdf reads its settings for the queue cups-pdf:/<instance> from
# /etc/cups; this file is ours alone and removed at the end.
$SUDO tee "$pdf_conf" >/dev/null <<EOF
Out $work/out
AnonDirName $work/out
Spool $work/pdf-spool
Label 1
EOF
$SUDO cupsd -f -c "$work/etc/cupsd.conf" -s "$work/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
for _ in $(seq 50); do [ -S "$CUPS_SERVER" ] && break; sleep 0.1; done
[ -S "$CUPS_SERVER" ] || fail "the scheduler did not start"
lpadmin -p "$queue" -E -v "cups-pdf:/$instance" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
  2>/dev/null
lpadmin -d "$queue"
lpstat -d | grep -q "$queue" || fail "$queue is not the default printer"

# --- print through the program --------------------------------------------------------
export HOME="$work/home"  # no lpoptions of the machine's user choose another printer
mkdir -p "$HOME" "$work/check"
"$build/bin/quivra-print-check" "$work/check" 2>&1 | grep -v XDG_RUNTIME_DIR ||
  fail "quivra-print-check failed"

# Every job completes (not stopped, aborted or cancelled).
for _ in $(seq 120); do
  [ -z "$(lpstat -W not-completed -o "$queue")" ] && break
  sleep 0.5
done
[ -z "$(lpstat -W not-completed -o "$queue")" ] || fail "jobs still pending: $(lpstat -o)"
jobs=$(lpstat -W completed -o "$queue" | awk '{print $1}' | sed 's/.*-//' | sort -n)
[ "$(wc -w <<<"$jobs")" -eq 2 ] || fail "expected two jobs, found: $jobs"

set -- hunting customer
for job in $jobs; do
  name=$1
  shift
  grep -q "\[Job $job\] Job completed\." "$work/log/error_log" || fail "job $job did not complete"
  printed=$(ls "$work"/out/*job_"$job".pdf 2>/dev/null | head -1)
  [ -n "$printed" ] || fail "job $job left no PDF in $work/out"
  info=$(pdfinfo "$printed")
  grep -Eq '^Pages: +1$' <<<"$info" || fail "job $job ($name) is not one page: $info"
  grep -Eq '^Page size: +612 x 792 pts' <<<"$info" || fail "job $job ($name) is not US Letter: $info"
  if [ -n "${QUIVRA_PRINT_ARTIFACTS:-}" ]; then
    mkdir -p "$QUIVRA_PRINT_ARTIFACTS"
    cp "$printed" "$QUIVRA_PRINT_ARTIFACTS/$name-printed.pdf"
    cp "$work/check/$name-direct.pdf" "$QUIVRA_PRINT_ARTIFACTS/$name-direct.pdf"
  fi
  pdftoppm -r 150 -gray -singlefile "$printed" "$work/$name-printed" 2>/dev/null  # Type 3 glyph notes
  pdftoppm -r 150 -gray -singlefile "$work/check/$name-direct.pdf" "$work/$name-direct"
  python3 "$scripts/compare-pages.py" "$work/$name-printed.pgm" "$work/$name-direct.pgm" ||
    fail "job $job ($name): the printed page differs from the page drawn directly"
done
echo "Printing stage passed: $(wc -w <<<"$jobs") jobs printed through CUPS match their pages"
