#!/usr/bin/env bash
# Runs the benchmarks against a generated large plant.
#
#   scripts/bench.sh [--keep] [--reuse] [-- BENCHMARK-ARGS...]
#
# Sets up (setup.sh), builds the benchmark programs (build.sh --target benchmarks, into build/ or
# $PLANT_BUILD_DIR), starts a throwaway PostgreSQL cluster on $PLANT_BENCH_HOST (default
# 127.0.0.44, files in /tmp/plant-bench-$PLANT_BENCH_HOST), fills its database plantdb with the large plant of
# gen-plant.sh (defaults: 1000 workers, about 2.1 million journal rows, November 2026 dense in all
# four shifts; PLANT_GEN_* variables change them, see gen-plant.sh) and runs every program in
# build/bench/ one after the other. The cluster is stopped and removed at the end.
#
#   --keep     leave the cluster running afterwards (stop it with
#              PLANT_DB_HOST=127.0.0.44 PLANT_DB_DIR=/tmp/plant-bench-127.0.0.44 scripts/test-db.sh stop)
#   --reuse    use the cluster and plant a former --keep run left, without generating anew
#   BENCHMARK-ARGS are given to every program, e.g. -- --benchmark_filter=Rebuild
#
# The programs see PLANT_BENCH_HOST, PLANT_BENCH_DB (plantdb), PLANT_BENCH_MONTH (the dense month,
# YYYY-MM) and PLANT_BENCH_DATE (the last journal date, YYYY-MM-DD), with QT_QPA_PLATFORM=offscreen
# and LANG=ru_RU.UTF-8.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build}

keep=0
reuse=0
bench_args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --keep) keep=1; shift ;;
        --reuse) reuse=1; keep=1; shift ;;
        --) shift; bench_args=("$@"); break ;;
        *) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2 ;;
    esac
done

export PLANT_BENCH_HOST=${PLANT_BENCH_HOST:-127.0.0.44}
export PLANT_BENCH_DB=plantdb
export PLANT_BENCH_DATE=$(date -d "${PLANT_GEN_TO:-2026-11-30}" +%F)
export PLANT_BENCH_MONTH=${PLANT_GEN_DENSE_MONTH:-${PLANT_BENCH_DATE:0:7}}
bench_dir=/tmp/plant-bench-$PLANT_BENCH_HOST
db_env=(env PLANT_DB_HOST="$PLANT_BENCH_HOST" PLANT_DB_DIR="$bench_dir")

"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh" --target benchmarks

programs=()
if [ -d "$BUILD/bench" ]; then
    while IFS= read -r p; do programs+=("$p"); done \
        < <(find "$BUILD/bench" -maxdepth 1 -type f -executable | sort)
fi
if [ ${#programs[@]} -eq 0 ] && [ "$keep" = 0 ]; then
    echo "No benchmark programs in $BUILD/bench (declare them in bench/*.cmake); nothing to run."
    exit 0
fi

if [ "$reuse" = 0 ]; then
    [ "$keep" = 1 ] || trap '"${db_env[@]}" "$ROOT/scripts/test-db.sh" stop' EXIT
    "${db_env[@]}" "$ROOT/scripts/test-db.sh" start
    "$ROOT/scripts/gen-plant.sh" "$PLANT_BENCH_HOST" "$PLANT_BENCH_DB"
fi

status=0
for p in "${programs[@]}"; do
    echo
    echo "== $(basename "$p")"
    QT_QPA_PLATFORM=offscreen LANG=ru_RU.UTF-8 "$p" "${bench_args[@]}" ||
        { status=$?; echo "$(basename "$p") failed with status $status" >&2; }
done
[ ${#programs[@]} -gt 0 ] || echo "No benchmark programs in $BUILD/bench."
[ "$keep" = 0 ] || echo "The cluster keeps running on $PLANT_BENCH_HOST (files in $bench_dir)."
exit $status
