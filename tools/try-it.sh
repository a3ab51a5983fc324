#!/usr/bin/env bash
# Installs what is missing, builds, starts the bell simulator on 127.0.0.1 and the program
# pointed at it. The simulator reads its commands here (type help); closing the window ends both.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/setup.sh"

bin="$top/build/bin"
url_file="$(mktemp)"
rm -f "$url_file"

# Once the simulator listens, start the program against it; when the window closes, stop
# the simulator (which by then is this script's process).
(
    while [ ! -s "$url_file" ]; do
        kill -0 $$ 2>/dev/null || exit 0
        sleep 0.1
    done
    url="$(cat "$url_file")"
    rm -f "$url_file"
    "$bin/VELK" --bell "$url" || true
    kill $$ 2>/dev/null || true
) &

exec "$bin/velk-bell-sim" --port "${VELK_SIM_PORT:-0}" --url-file "$url_file"
