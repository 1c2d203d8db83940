#!/usr/bin/env bash
# Configures and builds into build/ (or $PLANT_BUILD_DIR), optimised with debug information.
# PLANT_QUICK_BUILD=1 builds unoptimised and without debug information instead, which
# compiles in about 40% less time: the test suite's build.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build}
if [ "${PLANT_QUICK_BUILD:-0}" = 1 ]; then
    kind=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O0 -DNDEBUG")
else
    kind=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S "$ROOT" -B "$BUILD" "${kind[@]}" >/dev/null
cmake --build "$BUILD" -j "$(nproc)" "$@"
