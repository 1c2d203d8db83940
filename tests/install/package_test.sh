#!/usr/bin/env bash
# The Debian package, as a workstation gets it:
#   package_test.sh BUILD-DIR VERSION
# builds plant-client again (an incremental build that changes no source), makes the .deb with
# cpack, checks its files and its dependencies with dpkg-deb, unpacks it into a scratch root with
# dpkg -x and runs the unpacked client's --version and --help with neither a display nor a
# database. The version must carry the time of that build.
set -euo pipefail
BUILD=$1
VERSION=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

read -r start_d start_h start_m start_s < <(date '+%Y%m%d %H %M %S')
start=$((start_d * 100000 + 10#$start_h * 3600 + 10#$start_m * 60 + 10#$start_s))

env -u SOURCE_DATE_EPOCH cmake --build "$BUILD" --target plant-client >"$scratch/build.log" 2>&1 ||
    { cat "$scratch/build.log" >&2; fail "building plant-client"; }
(cd "$scratch" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$scratch/out") \
    >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$(find "$scratch/out" -maxdepth 1 -name 'plant-client_*.deb')
[ -n "$deb" ] || fail "no plant-client_*.deb in $scratch/out"
echo "Package: $(basename "$deb")"

# Files.
dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$scratch/files"
icons=/usr/share/icons/hicolor
expected=(/usr/bin/plant-client /usr/share/applications/plant-client.desktop
    $icons/scalable/apps/plant-client.svg)
for size in 16 24 32 48 64 128 256; do expected+=("$icons/${size}x$size/apps/plant-client.png"); done
for f in "${expected[@]}"; do
    grep -qx -- "$f" "$scratch/files" || fail "the package lacks $f"
done

# Dependencies: package names without versions or alternatives' bars.
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | grep -v '^$' | sort -u >"$scratch/names"
for want in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6printsupport6 libqt6sql6-odbc \
    unixodbc odbc-postgresql qt6-translations-l10n fonts-liberation libxlsxwriter; do
    grep -Eq "^$want(t64|[0-9]*)?$" "$scratch/names" || fail "Depends names no $want"
done
build_only=$(grep -E -- '-dev$|^(cmake|make|g\+\+|gcc|pkg-config|ccache|googletest|libgtest.*|libbenchmark.*|postgresql(-[0-9]+)?|xvfb|xauth|python3.*|poppler-utils|dpkg-dev)$' \
    "$scratch/names" || true)
[ -z "$build_only" ] || fail "Depends names build-only packages: $build_only"

# The unpacked client, with no display and no database.
dpkg -x "$deb" "$scratch/root"
grep -qx 'Categories=Office;' "$scratch/root/usr/share/applications/plant-client.desktop" ||
    fail "the desktop entry is not in the Office category"
client=(env -i PATH=/usr/bin:/bin HOME="$scratch" LANG=C.UTF-8 timeout 30
    "$scratch/root/usr/bin/plant-client")
version=$("${client[@]}" --version) || fail "--version ended with status $?"
echo "--version: $version"
[[ "$version" =~ ^plant-client\ ${VERSION//./\\.}\ \(build:\ ([0-9]{8})\.([0-9]+)\)$ ]] ||
    fail "unexpected --version text: $version"
stamp=$((BASH_REMATCH[1] * 100000 + BASH_REMATCH[2]))
[ "$stamp" -ge "$start" ] ||
    fail "the build stamp $stamp is older than this build (started $start): not renewed"
help=$("${client[@]}" --help) || fail "--help ended with status $?"
grep -q '^Использование: plant-client \[БАЗА СЕРВЕР\]$' <<<"$help" || fail "unexpected --help: $help"
echo "package test passed"
