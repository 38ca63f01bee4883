#!/usr/bin/env bash
# Runs the chain benchmarks (quivra_chain_bench) against a PostgreSQL server
# of their own on loopback: a cluster in BUILD_DIR/bench-pg (kept, so the
# 10,000,000 set-ups are made once), started here and stopped at the end.
# Server settings are the defaults (fsync on): the figures are those of a
# real server on this machine.
# Usage: scripts/bench-postgres.sh [BUILD_DIR] [benchmark options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
shift || true
pgbin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
data="$(cd "$build" && pwd)/bench-pg"
as_server=()
if [ "$(id -u)" -eq 0 ]; then as_server=(runuser -u postgres --); fi
if [ ! -f "$data/PG_VERSION" ]; then
  mkdir -p "$data"
  if [ "$(id -u)" -eq 0 ]; then chown postgres: "$data"; fi
  "${as_server[@]}" "$pgbin/initdb" -D "$data" -U quivra_admin --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
fi
sock=$(mktemp -d /tmp/quivra-bench-pg.XXXXXX)
if [ "$(id -u)" -eq 0 ]; then chown postgres: "$sock"; fi
chmod 755 "$sock"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
stop() {
  "${as_server[@]}" "$pgbin/pg_ctl" -D "$data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$sock"
}
trap stop EXIT
"${as_server[@]}" "$pgbin/pg_ctl" -D "$data" -l "$data/server.log" -w \
  -o "-c listen_addresses=127.0.0.1 -p $port -k $sock -c shared_buffers=1GB" start >/dev/null
"$pgbin/psql" -h "$sock" -p "$port" -U quivra_admin -d postgres -qtc \
  "SELECT 1 FROM pg_database WHERE datname = 'quivra_bench'" | grep -q 1 ||
  "$pgbin/createdb" -h "$sock" -p "$port" -U quivra_admin quivra_bench
export QUIVRA_BENCH_PG="host=127.0.0.1 port=$port dbname=quivra_bench user=quivra_admin sslmode=disable"
"$build/bin/quivra_chain_bench" "$@"
