#!/usr/bin/env bash
# Runs a command with a throwaway PostgreSQL server on loopback; the server and
# its folder are gone afterwards. The command finds it in MARBO_TEST_PG.
set -euo pipefail
pgbin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
port=${PGPORT_TEST:-55432}
dir=$(mktemp -d /tmp/marbo-pg.XXXXXX)
chmod 755 "$dir"
run_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
[ "$(id -u)" -eq 0 ] && chown postgres "$dir"
cleanup() {
  run_pg "$pgbin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap cleanup EXIT
run_pg "$pgbin/initdb" -D "$dir/data" -U marbo --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
run_pg "$pgbin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
  -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=200" start >/dev/null
run_pg "$pgbin/createdb" -h 127.0.0.1 -p "$port" -U marbo marbo
export MARBO_TEST_PG="host=127.0.0.1 port=$port dbname=marbo user=marbo"
"$@"
