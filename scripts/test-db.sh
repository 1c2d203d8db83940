#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests and the demo.
#   test-db.sh start [--demo]   fresh cluster on $PLANT_DB_HOST:5432 with role sys/tavirok and the
#                               superuser dba/dba, TCP logins checked with scram-sha-256,
#                               databases plant_original (the original schema alone),
#                               plant_template (the schema with the database upgrade, db/upgrade/*.sql
#                               in name order) and plantdb (a copy of plant_template, with the demo
#                               data with --demo)
#   test-db.sh keep [--demo]    the cluster a former start left in its folder, data and all
#                               (started again when it is not running); a fresh one as with start
#                               when there is none, or when it was made without the --demo wanted
#   test-db.sh stop             stops it and removes its files
#   test-db.sh halt | resume    stops the server keeping its files, and starts it again (tests of
#                               a server that goes away while the client runs)
# PLANT_DB_HOST (default 127.0.0.42) is a private loopback address, so port 5432 can be used
# without disturbing anything else on the machine. Runs the server as postgres when started as root.
set -euo pipefail

HOST=${PLANT_DB_HOST:-127.0.0.42}
DIR=${PLANT_DB_DIR:-/tmp/plant-pg-$HOST}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$PGBIN" ] || { echo "PostgreSQL server binaries not found (run scripts/setup.sh)" >&2; exit 1; }

as_pg() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

psql_admin() { as_pg "$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$DIR" -p 5432 -U postgres "$@"; }

run_server() {
    as_pg "$PGBIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w -t 60 start \
        -o "-c listen_addresses=$HOST -c port=5432 -c unix_socket_directories=$DIR \
            -c fsync=off -c synchronous_commit=off -c full_page_writes=off \
            -c max_connections=60 -c shared_buffers=256MB -c work_mem=32MB" >/dev/null ||
        { cat "$DIR/server.log" >&2; exit 1; }
}

halt() {
    as_pg "$PGBIN/pg_ctl" -D "$DIR/data" -m fast -w stop >/dev/null
}

stop() {
    if [ -f "$DIR/data/postmaster.pid" ]; then
        as_pg "$PGBIN/pg_ctl" -D "$DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$DIR"
}

start() {
    local demo=${1:-}
    stop
    mkdir -p "$DIR"
    [ "$(id -u)" = 0 ] && chown postgres:postgres "$DIR"
    as_pg "$PGBIN/initdb" -D "$DIR/data" -U postgres -E UTF8 --locale=C.UTF-8 \
        --locale-provider=icu --icu-locale=ru-RU \
        --auth-local=trust --auth-host=scram-sha-256 >"$DIR/initdb.log" 2>&1 ||
        { cat "$DIR/initdb.log" >&2; exit 1; }
    run_server

    # TCP logins are checked with scram-sha-256 (pg_hba.conf above), so every password is stored
    # as a SCRAM verifier. dba is the server administrator of this cluster, for the commands that
    # secure and upgrade a secured plant (PGUSER=dba PGPASSWORD=dba).
    psql_admin -d postgres <<'SQL'
SET password_encryption = 'scram-sha-256';
CREATE ROLE sys LOGIN CREATEDB PASSWORD 'tavirok';
CREATE ROLE dba LOGIN SUPERUSER PASSWORD 'dba';
ALTER ROLE sys SET datestyle TO 'ISO, DMY';
CREATE DATABASE plant_original OWNER sys;
SQL
    as_pg "$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$DIR" -p 5432 -U sys -d plant_original \
        <"$ROOT/db/schema.sql" >/dev/null
    psql_admin -d postgres -c "CREATE DATABASE plant_template TEMPLATE plant_original OWNER sys"
    # The upgrade as a plant runs it: every script in name order, in one transaction.
    as_pg "$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -1 -h "$DIR" -p 5432 -U sys -d plant_template \
        < <(cat "$ROOT"/db/upgrade/*.sql) >/dev/null
    psql_admin -d postgres -c "CREATE DATABASE plantdb TEMPLATE plant_template OWNER sys"
    psql_admin -d postgres -c "ALTER DATABASE plantdb SET datestyle TO 'ISO, DMY'"
    if [ "$demo" = "--demo" ]; then
        as_pg "$PGBIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$DIR" -p 5432 -U sys -d plantdb \
            < <(cat "$ROOT/db/demo.sql" "$ROOT/db/timesheet-from-journal.sql") >/dev/null
        # The demo plant is where a plant starts, not a change anybody made: its history starts
        # empty (the append-only table's own triggers are off in a superuser's replica session).
        psql_admin -d plantdb -c "SET session_replication_role = replica" \
            -c "DELETE FROM accounts_dep.change_log" >/dev/null
    fi
    # Written last: a cluster whose making was cut short is never kept.
    echo "${demo:-plain}" >"$DIR/made"
    echo "PostgreSQL cluster on $HOST:5432 (files in $DIR)"
}

keep() {
    local demo=${1:-}
    if [ "$(cat "$DIR/made" 2>/dev/null)" != "${demo:-plain}" ]; then
        start "$demo"
        return
    fi
    as_pg "$PGBIN/pg_ctl" -D "$DIR/data" status >/dev/null 2>&1 || run_server
    echo "PostgreSQL cluster on $HOST:5432 kept from before (files in $DIR)"
}

case "${1:-}" in
    start) start "${2:-}" ;;
    keep) keep "${2:-}" ;;
    stop) stop ;;
    halt) halt ;;
    resume) run_server ;;
    *) echo "usage: $0 start [--demo] | keep [--demo] | stop | halt | resume" >&2; exit 2 ;;
esac
