#!/usr/bin/env bash
# Sets everything up on a fresh machine, builds the client and the test programs (the plain build
# leaves the benchmarks out; scripts/bench.sh builds them) and runs the whole test suite against a
# throwaway PostgreSQL cluster (started and stopped by the tests themselves), the Debian package
# test included. It builds into build-tests/ (or $PLANT_BUILD_DIR) with the quick build, which
# the tests need no more than, beside the optimised build/ of the demo and the benchmarks.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${PLANT_BUILD_DIR:-$ROOT/build-tests}
"$ROOT/scripts/setup.sh"
PLANT_BUILD_DIR="$BUILD" PLANT_QUICK_BUILD=1 "$ROOT/scripts/build.sh"
cd "$BUILD"
ctest --output-on-failure -j 2 "$@"
