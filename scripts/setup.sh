#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need. Idempotent: only what is
# missing is installed. Uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libqt6sql6-odbc unixodbc unixodbc-dev odbc-postgresql
    libxlsxwriter-dev
    postgresql
    fonts-liberation fonts-dejavu-core
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth
    python3 python3-openpyxl poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" = 0 ] || SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# The ODBC driver must be registered under the name the connection string uses.
if ! odbcinst -q -d 2>/dev/null | grep -qi '^\[PostgreSQL Unicode\]'; then
    echo "The PostgreSQL ODBC driver is not registered (odbcinst -q -d)" >&2
    exit 1
fi
echo "Set-up complete."
