#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo database when none is configured, starts.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
install_packages "${BUILD_PACKAGES[@]}"
build_project
if [ ! -f build/configdata.txt ]; then
    if [ ! -f build/ventrel.db ]; then
        build/ventrel --create-database "Provider=SQLite;Data Source=ventrel.db" --demo
    fi
    echo "Provider=SQLite;Data Source=ventrel.db" > build/configdata.txt
fi
exec build/ventrel "$@"
