#!/usr/bin/env bash
# Every file or folder of the source tree that README.md and docs/architecture.md name exists:
# a path starting with one of the tree's top folders (`app/journal_window.cpp`, `db/upgrade/`,
# `reports/<name>_layout.cpp`, `db/upgrade/NN-*.sql` as patterns that must match a file), and a bare
# source file name in backticks (`entry_save.cpp`) somewhere in the tree. Prints each missing one.
set -uo pipefail
ROOT=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$ROOT" || exit 2
shopt -s nullglob
docs=(README.md docs/architecture.md)

tops=()
for d in */ .ci/; do
    case "$d" in build*) continue ;; esac
    [ -d "$d" ] && tops+=("${d%/}")
done
top_alternatives=$(IFS='|'; echo "${tops[*]}" | sed 's/\./\\./g')
known_names=$(find . -path './build*' -prune -o -type f -printf '%f\n' | sort -u)

missing=0
checked=0
report() {
    echo "$1: names $2, which is not in the source tree"
    missing=$((missing + 1))
}
for doc in "${docs[@]}"; do
    [ -f "$doc" ] || { report "$doc" "itself"; continue; }
    # Paths into the tree: a top folder, a slash, then path characters (<name>, NN and * as patterns).
    while IFS= read -r path; do
        checked=$((checked + 1))
        path=${path%%[.,;:)]}
        # "x.h/.cpp" names both files
        for one in $(sed -E 's#^(.*)\.h/\.cpp$#\1.h \1.cpp#' <<<"$path"); do
            pattern=$(sed -E 's/<[^>]*>/*/g; s/NN/[0-9][0-9]/g' <<<"$one")
            # shellcheck disable=SC2206
            matches=($pattern)
            [ ${#matches[@]} -gt 0 ] && [ -e "${matches[0]}" ] || report "$doc" "$one"
        done
    done < <(grep -oE "(^|[^A-Za-z0-9_./-])($top_alternatives)/[A-Za-z0-9_./<>*-]*" "$doc" |
        sed -E 's/^[^A-Za-z0-9_.]//' | sort -u)
    # Source file names alone, in backticks (`plant.sql` is a logging category, not a file).
    while IFS= read -r name; do
        checked=$((checked + 1))
        grep -qxF "$name" <<<"$known_names" || report "$doc" "$name"
    done < <(grep -oE '`[A-Za-z0-9_.-]+\.(cpp|h|sh|cmake)`' "$doc" | tr -d '`' | sort -u)
done
echo "$checked paths and names checked, $missing missing"
[ "$missing" -eq 0 ]
