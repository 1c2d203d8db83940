#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the package and the demo need. Idempotent:
# only what is missing is installed. Uses sudo when not run as root. When another program holds
# the package manager's lock (an unattended upgrade, another apt-get), it waits for it up to
# PLANT_APT_WAIT seconds (default 300), trying again every PLANT_APT_POLL seconds (default 5).
set -euo pipefail

PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libqt6sql6-odbc unixodbc unixodbc-dev odbc-postgresql
    libxlsxwriter-dev libminizip-dev
    postgresql
    fonts-liberation fonts-dejavu-core
    googletest libgtest-dev libbenchmark-dev
    dpkg-dev file
    xvfb xauth
    python3 python3-openpyxl poppler-utils
    locales
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"
WAIT=${PLANT_APT_WAIT:-300}
POLL=${PLANT_APT_POLL:-5}

# apt-get, tried again while another program holds the package manager's lock.
apt_get() {
    local deadline=$((SECONDS + WAIT)) errors said=0
    errors=$(mktemp)
    while ! $SUDO env DEBIAN_FRONTEND=noninteractive apt-get "$@" 2>"$errors" >/dev/null; do
        if ! grep -qE 'Could not get lock|Unable to acquire the dpkg frontend lock|Unable to lock' "$errors"; then
            cat "$errors" >&2
            rm -f "$errors"
            return 1
        fi
        if [ $SECONDS -ge $deadline ]; then
            cat "$errors" >&2
            echo "The package manager stayed locked for $WAIT s; try again later." >&2
            rm -f "$errors"
            return 1
        fi
        if [ $said = 0 ]; then
            echo "Another program is using the package manager; waiting for it (up to $WAIT s)..."
            said=1
        fi
        sleep "$POLL"
    done
    rm -f "$errors"
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt_get update -qq
    apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Every plant's workstation runs with the Russian locale; the tests run as one does.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
    echo "Generating the locale ru_RU.UTF-8"
    if [ -f /etc/locale.gen ] && grep -q '^# *ru_RU.UTF-8 UTF-8' /etc/locale.gen; then
        $SUDO sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
    elif ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
fi

# The ODBC driver must be registered under the name the connection string uses.
if ! odbcinst -q -d 2>/dev/null | grep -qi '^\[PostgreSQL Unicode\]'; then
    echo "The PostgreSQL ODBC driver is not registered (odbcinst -q -d)" >&2
    exit 1
fi
echo "Set-up complete."
