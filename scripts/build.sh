#!/usr/bin/env bash
# Configures and builds into ./build; the ready application directory is build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset default >/dev/null
cmake --build build
