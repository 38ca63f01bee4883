#!/usr/bin/env bash
# The chain's customer database against a real PostgreSQL server: starts a
# throwaway cluster in a temporary folder (initdb, pg_ctl; as the postgres
# system user when run as root, since the server refuses to run as root),
# listening on a Unix socket in that folder and on 127.0.0.1 at a free port,
# runs the server tests (ctest label "postgres") with the server named in
# QUIVRA_TEST_PG, and stops and removes the cluster in a trap, also when a
# test fails.  Usage: scripts/ci-postgres.sh [BUILD_DIR]   (default build/ci)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$pgbin" ] || [ ! -x "$pgbin/initdb" ]; then
  echo "ci-postgres: the PostgreSQL server is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

work=$(mktemp -d /tmp/quivra-pg.XXXXXX)
as_server=()
if [ "$(id -u)" -eq 0 ]; then
  as_server=(runuser -u postgres --)
  chown postgres: "$work"
fi
chmod 755 "$work"

cleanup() {
  if [ -f "$work/data/postmaster.pid" ]; then
    "${as_server[@]}" "$pgbin/pg_ctl" -D "$work/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"${as_server[@]}" "$pgbin/initdb" -D "$work/data" -U quivra_admin --auth=trust -E UTF8 \
  --locale=C.UTF-8 >"$work/initdb.log" 2>&1 || { cat "$work/initdb.log"; exit 1; }
# One login role must give a password over TCP (the keyring tests make it);
# the line goes first, since the first line that matches decides.
hba="$work/data/pg_hba.conf"
rules=$(cat "$hba")
printf 'host all quivra_keyring 127.0.0.1/32 scram-sha-256\n%s\n' "$rules" >"$hba"
# A throwaway cluster: no fsync, and nothing but this folder's socket and loopback.
options="-c listen_addresses=127.0.0.1 -p $port -k $work -c fsync=off -c max_connections=100"

# The offline tests stop and start the server through these two commands.
cat >"$work/start-server" <<EOS
#!/usr/bin/env bash
exec ${as_server[*]} "$pgbin/pg_ctl" -D "$work/data" -l "$work/server.log" -w -o "$options" start >/dev/null
EOS
cat >"$work/stop-server" <<EOS
#!/usr/bin/env bash
exec ${as_server[*]} "$pgbin/pg_ctl" -D "$work/data" -m fast -w stop >/dev/null
EOS
chmod 755 "$work/start-server" "$work/stop-server"
"$work/start-server"

export QUIVRA_TEST_PG="host=$work port=$port dbname=postgres user=quivra_admin"
export QUIVRA_TEST_PG_START="$work/start-server"
export QUIVRA_TEST_PG_STOP="$work/stop-server"
start=$(date +%s)
status=0
ctest --test-dir "$build" -L postgres --output-on-failure 2>&1 | tee "$build/ctest-postgres.log" || status=$?
if grep -q "The following tests did not run" "$build/ctest-postgres.log"; then
  echo "ci-postgres: server tests were skipped; with a server given every one must run" >&2
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "--- server log ---" >&2
  tail -40 "$work/server.log" >&2 || true
fi
echo "ci-postgres: server tests in $(( $(date +%s) - start )) s"
exit "$status"
