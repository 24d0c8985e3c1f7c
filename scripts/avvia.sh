#!/usr/bin/env bash
# Builds Dolvera, installs its program folder (default: ./programma, or the folder given
# as first argument) and starts it.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cartella="$(realpath -m "${1:-$radice/programma}")"

bash "$radice/scripts/dipendenze.sh"
cmake -S "$radice" -B "$radice/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$radice/build-release" --target Dolvera dolvera-report dolvera_modello
cmake --install "$radice/build-release" --prefix "$cartella"

# The date of the installed release, "LastUpdate", which the update check compares with the
# maker's latest: the time the executable was built, in the Italian format.
rilascio="$(date -r "$radice/build-release/programma/Dolvera" '+%d/%m/%Y %H:%M:%S')"
# The maker's update server, asked at every start (host, or host:port).
server_aggiornamenti="www.brevantoria.it"

# The registry of the installation: written once, never over the user's settings. A new
# build installed over the folder only brings its own release date.
if [ ! -f "$cartella/Dolvera.reg" ]; then
    sed -e "s|@CARTELLA@|$cartella|g" -e "s|@ULTIMO_AGGIORNAMENTO@|$rilascio|" \
        -e "s|@SERVER_AGGIORNAMENTI@|$server_aggiornamenti|" \
        "$radice/scripts/Dolvera.reg.in" > "$cartella/Dolvera.reg"
else
    sed -i "s|^\"LastUpdate\"=\".*\"\(\r\?\)\$|\"LastUpdate\"=\"$rilascio\"\1|" "$cartella/Dolvera.reg"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Dolvera è installato in $cartella, ma non c'è un display per mostrarne la finestra." >&2
    echo "Avviarlo su uno schermo virtuale, per esempio:" >&2
    echo "  xvfb-run -a -s '-screen 0 1280x1024x24' bash scripts/avvia.sh" >&2
    exit 2
fi
exec "$cartella/Dolvera"
