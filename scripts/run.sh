#!/usr/bin/env bash
# Starts the program; on its first run it opens the bundled sample library.
set -euo pipefail
cd "$(dirname "$0")/.."
ini=build/quillon.ini
if [ ! -f "$ini" ]; then
    printf "[DirectoryList]\nDirectory=%s\n" "$PWD/samples/mechanical" > "$ini"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run it under Xvfb with: xvfb-run -a -s '-screen 0 1280x800x24' scripts/run.sh"
    exit 1
fi
exec build/quillon
