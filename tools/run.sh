#!/bin/bash
# Builds Dorvane and starts it. The product is the 32-bit build
# (build/i686/app/Dorvane.exe); this machine cannot run 32-bit code, so the
# identical 64-bit build runs under 64-bit Wine:
#   - on the current display when DISPLAY is set (close the window to end);
#   - otherwise on a virtual display: the main window is photographed into
#     build/x64/screenshot.png and then closed.
# It runs in a Wine prefix of its own, build/run-prefix (made on first use),
# so the tests' settings never show up here, nor these in the tests.
# DORVANE_LOGPIXELS sets the display scale: 96 (the default) is 100%, 192 is
# 200%; the screenshot of another scale than 100% is screenshot-<LogPixels>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh all

root=$PWD
exe="$root/build/x64/app/Dorvane.exe"
wrapper="$root/build/x64/wine-run.sh"
export DORVANE_WINEPREFIX="$root/build/run-prefix"
export DORVANE_LOGPIXELS="${DORVANE_LOGPIXELS:-96}"

if [ -n "${DISPLAY:-}" ]; then
    DORVANE_USE_DISPLAY="$DISPLAY" exec "$wrapper" "$exe"
fi

# No display: make one, show the program, take its picture, close it.
source "$root/tools/virtual-display.sh"
start_virtual_display 171 220 || { echo "run: could not start a virtual display" >&2; exit 1; }
trap 'kill "$virtual_display_pid" 2>/dev/null || true' EXIT

DORVANE_USE_DISPLAY="$DISPLAY" "$wrapper" "$exe" &
program=$!

if ! wait_for_main_window "$program"; then
    echo "run: the main window did not appear" >&2
    kill "$program" 2>/dev/null || true
    exit 1
fi
shot="$root/build/x64/screenshot.png"
[ "$DORVANE_LOGPIXELS" = 96 ] || shot="$root/build/x64/screenshot-$DORVANE_LOGPIXELS.png"
import -window root -crop "$(xdotool getwindowgeometry --shell "$main_window" |
    awk -F= '/^X=/{x=$2}/^Y=/{y=$2}/^WIDTH=/{w=$2}/^HEIGHT=/{h=$2}END{printf "%dx%d+%d+%d", w, h, x, y}')" "$shot"
echo "Dorvane started on a virtual display; screenshot: $shot"

xdotool windowfocus --sync "$main_window" 2>/dev/null || true
xdotool key --window "$main_window" Escape
wait "$program" || true
