#!/usr/bin/env bash
# Formats C++ sources with clang-format and the project's .clang-format. Only C++ sources
# (*.cpp, *.h): clang-format reads any file as C++ and would break CMake, shell and SQL files
# (clang-format 14 has no ignore file), so other files named are skipped and said so.
#   scripts/format.sh              every C++ source of the tree (git ls-files)
#   scripts/format.sh FILE...      those of FILE... that are C++ sources
#   scripts/format.sh --check ...  formats nothing, lists the files that are not formatted (exit 1)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
check=0
if [ "${1:-}" = --check ]; then
    check=1
    shift
fi
files=()
if [ $# -eq 0 ]; then
    mapfile -t files < <(git -C "$ROOT" ls-files --full-name '*.cpp' '*.h' | sed "s#^#$ROOT/#")
else
    for f in "$@"; do
        case "$f" in
            *.cpp | *.h) files+=("$f") ;;
            *) echo "not a C++ source, left alone: $f" >&2 ;;
        esac
    done
fi
[ ${#files[@]} -gt 0 ] || exit 0
if [ "$check" = 1 ]; then
    unformatted=0
    for f in "${files[@]}"; do
        if ! clang-format --style=file "$f" | cmp -s - "$f"; then
            echo "$f"
            unformatted=1
        fi
    done
    exit $unformatted
fi
clang-format --style=file -i "${files[@]}"
