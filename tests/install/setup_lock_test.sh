#!/usr/bin/env bash
# scripts/setup.sh and the package manager's lock, with apt-get, dpkg-query, odbcinst and sudo
# replaced by stand-ins (nothing is installed): one package is missing, and the stand-in apt-get
# reports the lock as held for its first LOCKED calls.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cat >"$fakes/dpkg-query" <<'SH'
#!/bin/sh
for a in "$@"; do [ "$a" = xauth ] && exit 1; done
printf 'install ok installed'
SH
cat >"$fakes/apt-get" <<'SH'
#!/bin/sh
echo "$*" >>"$FAKES/calls"
n=$(wc -l <"$FAKES/calls")
if [ "$n" -le "$LOCKED" ]; then
    echo "E: $LOCK_TEXT" >&2
    exit 100
fi
[ -z "$FAIL_TEXT" ] || { echo "E: $FAIL_TEXT" >&2; exit 100; }
SH
printf '#!/bin/sh\necho "[PostgreSQL Unicode]"\n' >"$fakes/odbcinst"
printf '#!/bin/sh\nexec "$@"\n' >"$fakes/sudo"
chmod +x "$fakes"/*

# setup [LOCKED LOCK_TEXT FAIL_TEXT WAIT]: runs setup.sh, leaves its output in $fakes/out and its
# apt-get calls in $fakes/calls; answers setup.sh's status.
setup() {
    rm -f "$fakes/calls"
    touch "$fakes/calls"
    local status=0
    PATH="$fakes:$PATH" FAKES="$fakes" LOCKED=$1 LOCK_TEXT=$2 FAIL_TEXT=$3 PLANT_APT_WAIT=$4 \
        PLANT_APT_POLL=0.2 "$ROOT/scripts/setup.sh" >"$fakes/out" 2>&1 || status=$?
    return $status
}

lists='Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)'
front='Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (unattended-upgr)'
acquire='Unable to acquire the dpkg frontend lock (/var/lib/dpkg/lock-frontend), is another process using it?'

# The lock is held for a while: setup waits, says so, then installs what is missing.
for text in "$lists" "$front" "$acquire"; do
    setup 3 "$text" "" 60 || { cat "$fakes/out" >&2; fail "setup.sh failed while waiting for: $text"; }
    grep -q 'waiting for it' "$fakes/out" || fail "setup.sh did not say it waits"
    [ "$(grep -c '^update' "$fakes/calls")" = 4 ] || fail "apt-get update tried $(cat "$fakes/calls")"
    grep -q '^install .*xauth$' "$fakes/calls" || fail "xauth was not installed: $(cat "$fakes/calls")"
done

# The lock stays held past PLANT_APT_WAIT: setup gives up with the reason.
if setup 1000 "$front" "" 1; then fail "setup.sh succeeded under a lock that never frees"; fi
grep -q 'stayed locked for 1 s' "$fakes/out" || { cat "$fakes/out" >&2; fail "no reason given"; }
grep -q 'install' "$fakes/calls" && fail "installed although update never ran"

# Any other apt-get failure ends setup at once.
if setup 0 "" "Unable to locate package xauth" 60; then fail "setup.sh hid an apt-get failure"; fi
[ "$(wc -l <"$fakes/calls")" = 1 ] || fail "apt-get tried again after a failure that is no lock"
grep -q 'Unable to locate package xauth' "$fakes/out" || fail "the apt-get error was not shown"

# Nothing missing: apt-get is not called at all.
printf '#!/bin/sh\nprintf "install ok installed"\n' >"$fakes/dpkg-query"
setup 0 "" "" 60 || fail "setup.sh failed with everything installed"
[ ! -s "$fakes/calls" ] || fail "apt-get called with nothing missing"
echo "setup lock test passed"
