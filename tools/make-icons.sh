#!/usr/bin/env bash
# Rebuilds every .ico in resources/icons from the hand-drawn SVGs beside them.
# Each SVG is rendered to a PNG at every size an icon holds, and the PNGs are
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

# Every icon holds each size a display scale from 100% to 200% calls for
# (16, 20 and 24 px for the small icon, 32, 40, 48 and 64 px for the large),
# so the program always finds an image made for the exact size and never
# stretches one.
sizes="64 48 40 32 24 20 16"

# pack ICO FROM_SIZE:SVG...
# Each SVG is rendered for the sizes from its FROM_SIZE up to the next one's;
# the images go in largest first.
pack() {
    local ico=$1; shift
    local pngs=() size item svg png
    for size in $sizes; do
        for item in "$@"; do
            [ "$size" -ge "${item%%:*}" ] && svg=$icons/${item#*:}
        done
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

# The program icon has simpler drawings for the small sizes.
pack dorvane.ico     16:dorvane-16.svg 24:dorvane-32.svg 48:dorvane.svg   # 128
pack document.ico    16:document.svg                                      # 129
pack info_dark.ico   16:info_dark.svg                                     # 131
pack cross.ico       16:cross.svg                                         # 132
pack tick.ico        16:tick.svg                                          # 133
pack folder.ico      16:folder.svg                                        # 134
pack info_bright.ico 16:info_bright.svg                                   # 137
