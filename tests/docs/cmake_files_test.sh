#!/usr/bin/env bash
# The CMake files read as CMake, not as C++ a formatter went over: comments start "# " and paths
# are whole (clang-format writes "#Data grids :" and "${CMAKE_CURRENT_LIST_DIR} / x.cpp").
# Prints each damaged line.
set -uo pipefail
ROOT=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$ROOT" || exit 2
damaged=$(find . -path './build*' -prune -o \( -name CMakeLists.txt -o -name '*.cmake' \) -type f \
    -print0 | xargs -0 grep -nE '^[[:space:]]*#[A-Za-z]|\} / [A-Za-z_$]|[A-Za-z_] / \$\{' |
    grep -vE '^[^:]+:[0-9]+:[[:space:]]*#(include|define|pragma)')
if [ -n "$damaged" ]; then
    echo "CMake files changed as if they were C++:"
    echo "$damaged"
    exit 1
fi
echo "CMake files unharmed"
