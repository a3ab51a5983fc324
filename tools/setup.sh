#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (only what is missing), then builds into build/
# (or into $VELK_BUILD_DIR); further arguments go to CMake.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"

packages=(cmake ninja-build g++ qt6-base-dev qt6-websockets-dev qt6-svg-dev libgl-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
fi

build="${VELK_BUILD_DIR:-$top/build}"
cmake -S "$top" -B "$build" -G Ninja "$@"
cmake --build "$build"
