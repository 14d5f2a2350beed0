#!/usr/bin/env bash
# Rebuilds every .ico in resources/icons from the hand-drawn SVGs beside them.
# Each SVG is rendered to a PNG at the size it was drawn for, and the PNGs are
# packed into an icon file (32-bit with alpha). Safe to run again at any time;
# the output only changes when an SVG does.
#
#   tools/make-icons.sh
#
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils); installs them with
# apt-get when they are missing.
set -euo pipefail

cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."
icons=resources/icons

need() {  # need COMMAND PACKAGE
    command -v "$1" >/dev/null 2>&1 && return 0
    local sudo=
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || { echo "make-icons: $1 missing; install $2" >&2; exit 1; }
        sudo=sudo
    fi
    echo "make-icons: installing $2 for $1" >&2
    $sudo apt-get install -y --no-install-recommends "$2" ||
        { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "$2"; }
    command -v "$1" >/dev/null 2>&1 || { echo "make-icons: $1 still missing" >&2; exit 1; }
}
need rsvg-convert librsvg2-bin
need icotool icoutils

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# pack ICO SIZE:SVG...   (largest image first)
pack() {
    local ico=$1; shift
    local pngs=() item size svg png
    for item in "$@"; do
        size=${item%%:*}
        svg=$icons/${item#*:}
        png=$work/$(basename "$ico" .ico)-$size.png
        rsvg-convert --width "$size" --height "$size" --format png -o "$png" "$svg"
        pngs+=("$png")
    done
    icotool --create --output "$work/out.ico" "${pngs[@]}"
    if ! cmp -s "$work/out.ico" "$icons/$ico"; then
        mv "$work/out.ico" "$icons/$ico"
        echo "make-icons: wrote $icons/$ico"
    fi
}

pack dorvane.ico     48:dorvane.svg 32:dorvane-32.svg 16:dorvane-16.svg   # 128
pack document.ico    32:document.svg                                      # 129
pack info_dark.ico   32:info_dark.svg                                     # 131
pack cross.ico       32:cross.svg                                         # 132
pack tick.ico        32:tick.svg                                          # 133
pack folder.ico      32:folder.svg                                        # 134
pack info_bright.ico 32:info_bright.svg                                   # 137
