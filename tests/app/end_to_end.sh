#!/bin/bash
# End to end: the real Dorvane.exe under Wine (the 64-bit build, or the 32-bit
# product under qemu-i386), on a virtual display of this script's own, started
# with a target on its command line and driven with keys from outside, as a
# user drives it; what it saved when Escape closed it is read back.
#
#   DORVANE_WINEPREFIX=<the wrapper's prefix> end_to_end.sh <wine-run.sh> <Dorvane.exe>
set -u
wrapper=$1
exe=$2
[ -f "$exe" ] || { echo "FAIL: no $exe to drive (tools/build.sh builds it)"; exit 1; }
failures=0
expect() {
    if [ "$2" = "$3" ]; then echo "ok: $1"; else
        echo "FAIL: $1: got '$2', expected '$3'"; failures=$((failures + 1)); fi
}
# A saved setting, as the prefix's user registry holds it: Wine writes that
# file as the wineserver ends, which wine-run.sh ends with the program.
saved() {
    sed -n '/^\[Software\\\\Brannoch\\\\Dorvane\\\\Settings\]/,/^$/s/^"'"$1"'"=//p' "$DORVANE_WINEPREFIX/user.reg"
}

source "$(dirname "$0")/../../tools/virtual-display.sh"
start_virtual_display 221 260 || { echo "FAIL: could not start a virtual display"; exit 1; }
work=$(mktemp -d /tmp/dorvane-end-to-end.XXXXXX)
trap 'kill "$virtual_display_pid"; rm -rf "$work"' EXIT
export DORVANE_USE_DISPLAY=$DISPLAY

# Start from known settings (in hexadecimal): the pickers at 15 June 2005,
# 13:45:10, only the modified time ticked, no history.
settings="Year=7d5 Month=6 Day=f Hour=d Minute=2d Second=a ChangeModified=1 ChangeCreated=0 ReadOnly=0"
{ printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' '[-HKEY_CURRENT_USER\Software\Brannoch\Dorvane\Settings]' \
    '' '[HKEY_CURRENT_USER\Software\Brannoch\Dorvane\Settings]'
  for value in $settings; do printf '"%s"=dword:%08x\r\n' "${value%=*}" "0x${value#*=}"; done; } >"$work/start.reg"
"$wrapper" reg import 'Z:'"${work//\//\\}"'\start.reg' </dev/null >/dev/null 2>&1

file="$work/end to end.txt"
echo "a file to stamp" >"$file"
touch -d '@1000000000' "$file"
w="Z:${work//\//\\}"
winpath="Z:${file//\//\\}"

# Starts the program with these arguments, and waits up to 5 s until Wine has
# given its main window the focus, as it does once it has made the window
# active: keys sent before may reach no control.
start_program() {
    "$wrapper" "$exe" "$@" </dev/null >"$work/program.log" 2>&1 &
    program=$!
    wait_for_main_window "$program" ||
        { kill "$program" 2>/dev/null; wait "$program"; echo "FAIL: no main window ($?)"; cat "$work/program.log"; exit 1; }
    for _ in $(seq 1 50); do [ "$(xdotool getwindowfocus)" = "$main_window" ] && break; sleep 0.1; done
}
# Enter (Go!) with the file $1 at its old time: waits up to 10 s for the file
# to get another. Go! stamps on a thread of its own, and Escape while it runs
# asks whether to stop, where this script means to close.
go_and_wait_for() {
    xdotool key Return
    for _ in $(seq 1 100); do [ "$(stat -c %Y "$1")" = 1000000000 ] && sleep 0.1; done
}
# Closes it with Escape, which saves the settings.
close_program() {
    xdotool key Escape
    for _ in $(seq 1 100); do kill -0 "$program" 2>/dev/null && sleep 0.1; done
    kill -0 "$program" 2>/dev/null && { expect "Escape closes the program" open closed; kill "$program"; }
    wait "$program" 2>/dev/null
}
# A shell link to the local path $2, as $1: its header, then its link info
# with a volume and the path, all a link to a local file needs.
write_shortcut() {
    le32() { printf "\\x$(printf %x $(($1 & 255)))\\x$(printf %x $(($1 >> 8)))\\0\\0"; }
    { printf 'L\0\0\0\x01\x14\x02\0\0\0\0\0\xc0\0\0\0\0\0\0F\x02\0\0\0'; head -c 36 /dev/zero
      printf '\x01\0\0\0'; head -c 12 /dev/zero
      le32 $((47 + ${#2})); le32 28; le32 1; le32 28; le32 45; le32 0; le32 $((46 + ${#2}))
      le32 17; le32 3; le32 0; le32 16; printf '\0%s\0\0\0\0\0\0' "$2"; } >"$1"
}

# Started with a path that names nothing (the file's, short of its last two
# letters), the program shows it as typed (what Go! says of it, the main
# window test checks). The rest is typed, Enter stamps the file, and Escape
# saves the target as the history's only entry, selected, with the settings
# it ran with.
start_program "${winpath%xt}"
xdotool key End && xdotool type xt && go_and_wait_for "$file"
expect "the file's new time, 2005-06-15 13:45:10 ($TZ)" "$(date -d "@$(stat -c %Y "$file")" '+%F %T')" \
    "2005-06-15 13:45:10"
close_program
expect File0 "$(saved File0)" "\"${winpath//\\/\\\\}\""
for value in HistoryCount=1 HistorySelection=0 $settings; do
    expect "${value%=*}" "$(saved "${value%=*}")" "$(printf 'dword:%08x' "0x${value#*=}")"
done

# Started with a folder, a shortcut or a file, the program shows it as a drop
# of it would (a shortcut as the item it points to), and Go! makes that the
# history's first entry. Each differs from the one before, which the box
# would show instead.
mkdir "$work/folder" && echo inside >"$work/folder/inside.txt"
write_shortcut "$work/shortcut.lnk" "$w\\folder\\inside.txt"
for target in "$w\\folder=$w\\folder" "$w\\shortcut.lnk=$w\\folder\\inside.txt" "$winpath=$winpath"; do
    stamped=$work/folder/inside.txt
    [ "${target%%=*}" = "$winpath" ] && stamped=$file
    touch -d '@1000000000' "$stamped"
    start_program "${target%%=*}"
    go_and_wait_for "$stamped"
    expect "Dorvane.exe ${target%%=*} stamps" "$(stat -c %Y "$stamped")" "$(date -d '2005-06-15 13:45:10' +%s)"
    close_program
    shown=${target#*=}
    expect "Dorvane.exe ${target%%=*}: File0" "$(saved File0)" "\"${shown//\\/\\\\}\""
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "end to end: all checks passed"
