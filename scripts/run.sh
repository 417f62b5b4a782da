#!/usr/bin/env bash
# Builds and starts the program from its ready application directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo
    echo "No display found, so the program cannot open its window here."
    echo "Start it under a virtual display instead:"
    echo "    xvfb-run -a -s '-screen 0 1600x900x24' build/bin/paramconfig"
    exit 1
fi
exec build/bin/paramconfig
