#!/bin/bash
# Installs what building, packaging and testing Dorvane need on Debian 12, if
# missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
    googletest
    wine wine64 fonts-wine
    xvfb xauth x11-utils xdotool imagemagick
    wixl msitools zip unzip
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
# Recommends would drag in about 240 i386 packages that cannot run here.
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
