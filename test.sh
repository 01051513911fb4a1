#!/usr/bin/env bash
# Installs what is missing, builds, starts a private PostgreSQL on 127.0.0.1 and runs every
# test on SQLite and PostgreSQL, then stops the server.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_project

PGBIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
PGDATA=$(mktemp -d /tmp/ventrel-pg.XXXXXX)
XDG_RUNTIME_DIR=$(mktemp -d /tmp/ventrel-xdg.XXXXXX)
PG_STARTED=""
cleanup() {
    if [ -n "$PG_STARTED" ]; then
        as_pg "$PGBIN/pg_ctl" -D "$PGDATA" -m fast -w stop > /dev/null || true
    fi
    rm -rf "$PGDATA" "$PGDATA.initdb.log" "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
PGPORT=55432
while (echo > /dev/tcp/127.0.0.1/$PGPORT) 2>/dev/null; do PGPORT=$((PGPORT + 1)); done
as_pg() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
if [ "$(id -u)" -eq 0 ]; then chown postgres:postgres "$PGDATA"; fi
chmod 700 "$PGDATA"
as_pg "$PGBIN/initdb" -D "$PGDATA" -U postgres -A trust -E UTF8 --locale=C.UTF-8 > "$PGDATA.initdb.log"
PG_STARTED=1
as_pg "$PGBIN/pg_ctl" -D "$PGDATA" -l "$PGDATA/server.log" -w -t 30 \
    -o "-c listen_addresses=127.0.0.1 -p $PGPORT -k $PGDATA -c fsync=off" start > /dev/null

export VENTREL_TEST_PG="Provider=PostgreSQL;Data Source=127.0.0.1:$PGPORT;Initial Catalog=postgres;User ID=postgres"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir build --output-on-failure -j 2 "$@"
