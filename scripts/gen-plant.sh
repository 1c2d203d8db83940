#!/usr/bin/env bash
# Fills a plant database with a large generated plant for the benchmarks (db/gen-plant.sql).
# The database must hold db/schema.sql; its workers, goods, operation kinds, operations, norms,
# journal and timesheet are REPLACED.
#
#   gen-plant.sh [options] [HOST [DB]]        HOST default 127.0.0.44, DB default plantdb
#
#   --workers N        workers (1000)
#   --products N       products (400)
#   --kinds N          operation kinds, every fourth a paint kind (16)
#   --operations N     operations, spread over products and kinds (4000)
#   --from DATE        first journal date, YYYY-MM-DD (8 years before --to, plus a day)
#   --to DATE          last journal date (2026-11-30)
#   --per-day N        journal entries per worker per working day (1)
#   --dense-month M    YYYY-MM in which every worker works all four shifts every working day, the
#                      large month of the timesheet rebuild benchmark (month of --to); "none" for
#                      no such month
#   --seed X           random seed between -1 and 1 (0.42), so runs are repeatable
#   --socket DIR       connect as postgres through the socket directory DIR (as test-db.sh does)
#                      instead of as sys/tavirok over TCP
#
# The defaults give 1000 workers x 2087 working days (Monday to Friday) = about 2.1 million
# journal rows over the four shifts, and the timesheet of every month (one row per worker, shift
# and month with entries). November 2026 is dense: 1000 workers x 4 shifts x 21 working days.
# Every option can also be given in the environment as PLANT_GEN_<OPTION> (PLANT_GEN_WORKERS,
# PLANT_GEN_DENSE_MONTH, ...).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)

WORKERS=${PLANT_GEN_WORKERS:-1000}
PRODUCTS=${PLANT_GEN_PRODUCTS:-400}
KINDS=${PLANT_GEN_KINDS:-16}
OPERATIONS=${PLANT_GEN_OPERATIONS:-4000}
FROM=${PLANT_GEN_FROM:-}
TO=${PLANT_GEN_TO:-2026-11-30}
PER_DAY=${PLANT_GEN_PER_DAY:-1}
DENSE=${PLANT_GEN_DENSE_MONTH:-}
SEED=${PLANT_GEN_SEED:-0.42}
SOCKET=${PLANT_GEN_SOCKET:-}

usage() { sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }

args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --workers) WORKERS=$2; shift 2 ;;
        --products) PRODUCTS=$2; shift 2 ;;
        --kinds) KINDS=$2; shift 2 ;;
        --operations) OPERATIONS=$2; shift 2 ;;
        --from) FROM=$2; shift 2 ;;
        --to) TO=$2; shift 2 ;;
        --per-day) PER_DAY=$2; shift 2 ;;
        --dense-month) DENSE=$2; shift 2 ;;
        --seed) SEED=$2; shift 2 ;;
        --socket) SOCKET=$2; shift 2 ;;
        -h | --help) usage ;;
        -*) echo "unknown option $1" >&2; usage ;;
        *) args+=("$1"); shift ;;
    esac
done
HOST=${args[0]:-${PLANT_BENCH_HOST:-127.0.0.44}}
DB=${args[1]:-plantdb}

for n in "$WORKERS" "$PRODUCTS" "$KINDS" "$OPERATIONS" "$PER_DAY"; do
    [[ "$n" =~ ^[1-9][0-9]*$ ]] || { echo "not a positive whole number: $n" >&2; exit 2; }
done
[[ "$SEED" =~ ^-?(0|1)?(\.[0-9]+)?$ ]] || { echo "seed must lie between -1 and 1: $SEED" >&2; exit 2; }
TO=$(date -d "$TO" +%F) || exit 2
if [ -z "$FROM" ]; then FROM=$(date -d "$TO - 8 years + 1 day" +%F); else FROM=$(date -d "$FROM" +%F) || exit 2; fi
case "$DENSE" in
    "") DENSE=${TO:0:7} ;;
    none) DENSE="" ;;
    *) [[ "$DENSE" =~ ^[0-9]{4}-[0-9]{2}$ ]] || { echo "dense month must be YYYY-MM: $DENSE" >&2; exit 2; } ;;
esac

PSQL=$(command -v psql || ls -d /usr/lib/postgresql/*/bin/psql 2>/dev/null | sort -V | tail -n 1)
if [ -n "$SOCKET" ]; then
    conn=(-h "$SOCKET" -p 5432 -U postgres -d "$DB")
    [ "$(id -u)" = 0 ] && PSQL="runuser -u postgres -- $PSQL"
else
    export PGPASSWORD=${PGPASSWORD:-tavirok}
    conn=(-h "$HOST" -p 5432 -U sys -d "$DB")
fi

echo "Generating the plant into $DB: $WORKERS workers, $PRODUCTS products, $KINDS kinds," \
    "$OPERATIONS operations, $FROM..$TO, $PER_DAY per day, dense month ${DENSE:-none}"
start=$(date +%s)
$PSQL -X -q -v ON_ERROR_STOP=1 "${conn[@]}" \
    -v workers="$WORKERS" -v products="$PRODUCTS" -v kinds="$KINDS" -v operations="$OPERATIONS" \
    -v date_from="$FROM" -v date_to="$TO" -v per_day="$PER_DAY" -v dense_month="$DENSE" \
    -v seed="$SEED" -f - < <(cat "$ROOT/db/gen-plant.sql" "$ROOT/db/timesheet-from-journal.sql")
$PSQL -X -q "${conn[@]}" <<'SQL'
SELECT (SELECT count(*) FROM accounts_dep.person) AS workers,
       (SELECT count(*) FROM accounts_dep.izdel) AS products,
       (SELECT count(*) FROM accounts_dep.vid_oper) AS kinds,
       (SELECT count(*) FROM accounts_dep.oper) AS operations,
       (SELECT count(*) FROM accounts_dep.norm) AS norms,
       (SELECT count(*) FROM accounts_dep.smena) AS journal,
       (SELECT count(*) FROM accounts_dep.h_tabel) AS timesheet;
SQL
echo "Generated in $(($(date +%s) - start)) s"
