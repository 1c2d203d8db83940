#!/usr/bin/env bash
# Tries the client on a local demo plant, as on a Russian workstation:
#
#   scripts/demo.sh [--reset] [--secure]
#
# Sets up the packages (setup.sh), builds plant-client (into build/ or $PLANT_BUILD_DIR), starts a
# PostgreSQL with the demo plant on $PLANT_DEMO_HOST (default 127.0.0.43, files in
# /tmp/plant-demo-$PLANT_DEMO_HOST) and runs the client on it. The demo database is kept between
# runs, with whatever was entered in it, and keeps running after the client ends.
#
#   --reset    build the demo database anew from db/demo.sql
#   --secure   run the client on "plantsec", a copy of the demo plant secured with personal logins
#              (plant-client --secure-database, as the cluster's superuser dba), with one person
#              per job; prints their logins and passwords
#
# Without a display the client runs under xvfb-run, on a virtual screen nobody sees.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build}
export PLANT_DB_HOST=${PLANT_DEMO_HOST:-127.0.0.43}
export PLANT_DB_DIR=/tmp/plant-demo-$PLANT_DB_HOST

db=keep
secure=
for arg in "$@"; do
    case "$arg" in
        --reset) db=start ;;
        --secure) secure=1 ;;
        *) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2 ;;
    esac
done

"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --target plant-client
"$ROOT/scripts/test-db.sh" "$db" --demo

stop="PLANT_DB_HOST=$PLANT_DB_HOST PLANT_DB_DIR=$PLANT_DB_DIR $ROOT/scripts/test-db.sh stop"
database=plantdb
if [ -n "$secure" ]; then
    # The secured copy is made once (and again after --reset, which makes a new cluster); securing
    # is run every time, as a plant runs it after every upgrade.
    database=plantsec
    dba() { PGPASSWORD=dba psql -X -q -v ON_ERROR_STOP=1 -h "$PLANT_DB_HOST" -U dba "$@"; }
    dba -d postgres -c "select 1" >/dev/null 2>&1 ||
        { echo "The kept demo cluster has no superuser dba (made by an older script): run $0 --reset --secure" >&2; exit 1; }
    if [ -z "$(dba -d postgres -Atc "select 1 from pg_database where datname = 'plantsec'")" ]; then
        dba -d postgres -c "CREATE DATABASE plantsec TEMPLATE plantdb OWNER sys"
    fi
    PGUSER=dba PGPASSWORD=dba PLANT_ADMIN_PASSWORD=admin-8453 \
        "$BUILD/plant-client" --secure-database plantsec "$PLANT_DB_HOST" --admin admin
    dba -d plantsec >/dev/null <<'SQL'
SELECT accounts_dep.add_person(login, full_name, job, password)
  FROM (VALUES ('brigadir', 'Петров Пётр (бригадир)', 'foreman', 'brigado-1'),
               ('kladovshik', 'Сидорова Анна (кладовщик)', 'storekeeper', 'hobym-1'),
               ('kontroler', 'Кузнецов Олег (контролёр)', 'reviewer', 'kestar-1')) AS p(login, full_name, job, password)
 WHERE NOT EXISTS (SELECT 1 FROM accounts_dep.plant_person WHERE plant_person.login = p.login);
SQL
    cat <<TXT

Secured demo plant "plantsec" on $PLANT_DB_HOST. Logins (each asked to change the password at
first login):
  brigadir    / brigado-1    foreman        (records work)
  kladovshik  / hobym-1      storekeeper    (accepts records)
  kontroler   / kestar-1     reviewer       (looks over the journal, prints reports)
  admin       / admin-8453   administrator  (everything, and the people)
The server's superuser is dba / dba. The plain demo plant "plantdb" stays as it was.
Stop it and remove its files with: $stop

TXT
else
cat <<TXT

Demo plant database "plantdb" on $PLANT_DB_HOST. Login words:
  brigado           foreman        (records work)
  hobym             storekeeper    (accepts records)
  kestar            reviewer       (looks over the journal, prints reports)
  8453 or 63517240  administrator  (everything)
The demo database is kept between runs, with what you entered; it keeps running after the client
ends. Start from the original demo data with: $0 --reset
Stop it and remove its files with: $stop

TXT
fi

export LANG=ru_RU.UTF-8
client=("$BUILD/plant-client" "$database" "$PLANT_DB_HOST")
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "${client[@]}"
fi
cat <<TXT
No display here (DISPLAY and WAYLAND_DISPLAY are empty), so the client runs under xvfb-run, on a
virtual screen that nobody sees; press Ctrl+C to end it. The demo database stays.
To see the client, run $0 again where there is a display: in a desktop session on this
machine, or from your desktop over ssh with X forwarding (ssh -X this-machine). The database
listens on the private address $PLANT_DB_HOST of this machine, so the client must run here.

TXT
exec xvfb-run -a -s "-screen 0 1600x1000x24" "${client[@]}"
