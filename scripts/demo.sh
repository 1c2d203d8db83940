#!/usr/bin/env bash
# Tries the client on a local demo plant, as on a Russian workstation:
#
#   scripts/demo.sh [--reset]
#
# Sets up the packages (setup.sh), builds plant-client (into build/ or $PLANT_BUILD_DIR), starts a
# PostgreSQL with the demo plant on $PLANT_DEMO_HOST (default 127.0.0.43, files in
# /tmp/plant-demo-$PLANT_DEMO_HOST) and runs the client on it. The demo database is kept between
# runs, with whatever was entered in it, and keeps running after the client ends.
#
#   --reset    build the demo database anew from db/demo.sql
#
# Without a display the client runs under xvfb-run, on a virtual screen nobody sees.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build}
export PLANT_DB_HOST=${PLANT_DEMO_HOST:-127.0.0.43}
export PLANT_DB_DIR=/tmp/plant-demo-$PLANT_DB_HOST

db=keep
case "${1:-}" in
    "") ;;
    --reset) db=start ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2 ;;
esac

"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --target plant-client
"$ROOT/scripts/test-db.sh" "$db" --demo

stop="PLANT_DB_HOST=$PLANT_DB_HOST PLANT_DB_DIR=$PLANT_DB_DIR $ROOT/scripts/test-db.sh stop"
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

export LANG=ru_RU.UTF-8
client=("$BUILD/plant-client" plantdb "$PLANT_DB_HOST")
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
