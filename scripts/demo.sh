#!/usr/bin/env bash
# Sets everything up, starts a local PostgreSQL with the demo plant and runs the client on it,
# as on a Russian workstation. Without a display the client runs under xvfb-run.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build}
export PLANT_DB_HOST=${PLANT_DEMO_HOST:-127.0.0.43}
export PLANT_DB_DIR=/tmp/plant-demo-$PLANT_DB_HOST

"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --target plant-client
"$ROOT/scripts/test-db.sh" start --demo

cat <<TXT

Demo plant database "plantdb" on $PLANT_DB_HOST. Login words:
  brigado    foreman      (records work)
  hobym      storekeeper  (accepts records)
  kestar     reviewer     (looks, prints reports)
  8453       administrator
Stop the database afterwards with: PLANT_DB_HOST=$PLANT_DB_HOST PLANT_DB_DIR=$PLANT_DB_DIR $ROOT/scripts/test-db.sh stop

TXT

export LANG=ru_RU.UTF-8
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$BUILD/plant-client" plantdb "$PLANT_DB_HOST"
else
    echo "No display found: running the client under xvfb-run (a virtual screen)."
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$BUILD/plant-client" plantdb "$PLANT_DB_HOST"
fi
