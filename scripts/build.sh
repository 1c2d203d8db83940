#!/usr/bin/env bash
# Configures and builds into build/ (or $PLANT_BUILD_DIR), optimised with debug information.
# PLANT_QUICK_BUILD=1 builds unoptimised and without debug information instead, the test suite's
# build, made for a short first build: files are compiled sixteen to a unit (the Qt and test
# headers are read once per unit instead of once per file) and linked with gold, which links a
# test program four times faster than the default linker. A change recompiles its unit.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build}
if [ "${PLANT_QUICK_BUILD:-0}" = 1 ]; then
    kind=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O0 -DNDEBUG"
        -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold)
else
    kind=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S "$ROOT" -B "$BUILD" "${kind[@]}" >/dev/null
cmake --build "$BUILD" -j "$(nproc)" "$@"
