#!/usr/bin/env bash
# Installs the Debian 12 packages Dolvera needs to build, run and be tested (as root).
set -euo pipefail

PACCHETTI=(
    g++ cmake ninja-build
    qt6-base-dev libqt6sql6-sqlite libsqlite3-dev sqlite3 qt6-translations-l10n
    fonts-liberation fonts-dejavu-core
    poppler-utils xvfb xauth e2fsprogs
)

mancanti=()
for p in "${PACCHETTI[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Mancano i pacchetti: ${mancanti[*]}. Eseguire come root." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${mancanti[@]}"
fi
