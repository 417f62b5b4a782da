#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only those that are missing.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc
    libzip-dev libpugixml-dev libsimpleini-dev
    xvfb xauth fonts-dejavu-core fonts-wqy-microhei
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
