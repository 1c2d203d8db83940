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
# The tests run as a plant's workstation does, in Russian; without the locale the C library would
# silently stay in "C" and hide what a Russian machine does with numbers.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
    echo "The locale ru_RU.UTF-8 is not generated on this machine; the tests need it." >&2
    echo "Generate it (Debian: enable it in /etc/locale.gen and run locale-gen) and run again." >&2
    exit 1
fi
PLANT_BUILD_DIR="$BUILD" PLANT_QUICK_BUILD=1 "$ROOT/scripts/build.sh"
cd "$BUILD"
ctest --output-on-failure -j 2 "$@"
