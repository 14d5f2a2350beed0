#!/bin/bash
# End to end: the real Dorvane.exe under Wine, on a virtual display of this
# script's own, started with a target on its command line. Keys are typed
# into it and Enter pressed from outside the program, as a user would; the
# file's new time is checked, the program closed with Escape, and what it
# saved read back from the registry.
# Either build: the 64-bit one, or the 32-bit product under qemu-i386.
#
#   DORVANE_WINEPREFIX=<the wrapper's prefix> end_to_end.sh <wine-run.sh> <Dorvane.exe>
set -u
wrapper=$1
exe=$2
[ -f "$exe" ] || { echo "FAIL: no $exe to drive (tools/build.sh builds it)"; exit 1; }
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
reg() { "$wrapper" reg "$@" </dev/null >/dev/null 2>&1; }

# The settings as the program left them, one "name"=value line each, read
# from the prefix's user registry, which Wine writes out as the wineserver
# ends (wine-run.sh ends it with the program): a reg.exe would cost a Wine start.
read_settings() {
    sed -n '/^\[Software\\\\Brannoch\\\\Dorvane\\\\Settings\]/,/^$/p' "$DORVANE_WINEPREFIX/user.reg"
}

expect_value() {
    if grep -qxF "\"$1\"=$2" <<<"$saved"; then echo "ok: $1 = $2"; else
        fail "$1 is '$(grep "^\"$1\"=" <<<"$saved" | cut -d= -f2-)', expected '$2'"; fi
}

source "$(dirname "$0")/../../tools/virtual-display.sh"
start_virtual_display 221 260 || { echo "FAIL: could not start a virtual display"; exit 1; }
work=$(mktemp -d /tmp/dorvane-end-to-end.XXXXXX)
cleanup() {
    kill "$virtual_display_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DORVANE_USE_DISPLAY=$DISPLAY

# Start from known settings: the pickers at 15 June 2005, 13:45:10, only the
# modified time ticked, no history.
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[-HKEY_CURRENT_USER\Software\Brannoch\Dorvane\Settings]' '' \
    '[HKEY_CURRENT_USER\Software\Brannoch\Dorvane\Settings]' \
    '"Year"=dword:000007d5' '"Month"=dword:00000006' '"Day"=dword:0000000f' \
    '"Hour"=dword:0000000d' '"Minute"=dword:0000002d' '"Second"=dword:0000000a' \
    '"ChangeModified"=dword:00000001' '"ChangeCreated"=dword:00000000' \
    '"ReadOnly"=dword:00000000' >"$work/start.reg"
reg import 'Z:'"${work//\//\\}"'\start.reg'

file="$work/end to end.txt"
echo "a file to stamp" >"$file"
touch -d '@1000000000' "$file"
winpath="Z:${file//\//\\}"
expected=$(date -d '2005-06-15 13:45:10' +%s)

# Starts the program with these arguments and gives its main window the focus.
start_program() {
    "$wrapper" "$exe" "$@" </dev/null >"$work/program.log" 2>&1 &
    program=$!
    if ! wait_for_main_window "$program"; then
        cat "$work/program.log"
        echo "FAIL: the main window did not appear"
        kill "$program" 2>/dev/null
        exit 1
    fi
    xdotool windowfocus --sync "$main_window" 2>/dev/null || true
}

# Closes the program with Escape, which saves the settings, and reads them.
close_program() {
    xdotool key Escape
    for _ in $(seq 1 100); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        fail "Escape did not close the program"
        kill "$program" 2>/dev/null
    fi
    wait "$program" 2>/dev/null
    saved=$(read_settings)
}

# Waits up to 5 s until exactly N windows named Dorvane are shown.
until_shown() {
    for _ in $(seq 1 50); do
        [ "$(xdotool search --onlyvisible --name '^Dorvane$' | wc -l)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# A shell link to the local path $2, as $1: the header, then the link info
# with a volume and the path, all a link to a local file needs.
write_shortcut() {
    le32() { printf "\\x$(printf %x $(($1 & 255)))\\x$(printf %x $(($1 >> 8)))\\0\\0"; }
    local n=${#2}
    {
        printf 'L\0\0\0\x01\x14\x02\0\0\0\0\0\xc0\0\0\0\0\0\0F\x02\0\0\0'
        head -c 36 /dev/zero; printf '\x01\0\0\0'; head -c 12 /dev/zero
        le32 $((47 + n)); le32 28; le32 1; le32 28; le32 45; le32 0; le32 $((46 + n))
        le32 17; le32 3; le32 0; le32 16; printf '\0%s\0\0\0\0\0\0' "$2"
    } >"$1"
}

# Started with a path that names nothing (the file's, short of its last two
# letters), the program shows it as typed and Go! says so in a box. The rest
# is typed from outside, as a user would, and Enter stamps the file.
start_program "${winpath%xt}"
xdotool key Return
until_shown 2 || fail "Go! on a path that names nothing showed no message"
xdotool key Return && until_shown 1
xdotool windowfocus --sync "$main_window" key End && xdotool type xt && xdotool key Return
stamped=""
for _ in $(seq 1 100); do
    [ "$(stat -c %Y "$file")" = "$expected" ] && { stamped=yes; break; }
    sleep 0.1
done
if [ -n "$stamped" ]; then
    echo "ok: the file now carries 2005-06-15 13:45:10 ($TZ)"
else
    fail "the file's time is $(date -d "@$(stat -c %Y "$file")"), expected 2005-06-15 13:45:10"
fi
close_program

# What Escape saved: the target as the history's only entry, selected, and
# the settings it ran with.
expect_value HistoryCount dword:00000001
expect_value File0 "\"${winpath//\\/\\\\}\""
for value in HistorySelection=00000000 Year=000007d5 Month=00000006 Day=0000000f Hour=0000000d \
    Minute=0000002d Second=0000000a ChangeModified=00000001 ChangeCreated=00000000; do
    expect_value "${value%=*}" "dword:${value#*=}"
done

# Started with a folder, a shortcut or a file, the program shows it as a drop
# of it would (a shortcut as the item it points to), and Go! makes that the
# history's first entry. Each differs from the one before, which the box
# would show instead.
w="Z:${work//\//\\}"
mkdir "$work/folder" && echo inside >"$work/folder/inside.txt"
write_shortcut "$work/shortcut.lnk" "$w\\folder\\inside.txt"
for target in "$w\\folder=$w\\folder" "$w\\shortcut.lnk=$w\\folder\\inside.txt" "$winpath=$winpath"; do
    echo "Dorvane.exe ${target%%=*}"
    start_program "${target%%=*}"
    xdotool key Return
    close_program
    shown=${target#*=}
    expect_value File0 "\"${shown//\\/\\\\}\""
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "end to end: all checks passed"
