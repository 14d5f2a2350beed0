#!/bin/bash
# End to end: the real Dorvane.exe under Wine, on a virtual display of this
# script's own. A path is typed into its target combo and Enter pressed from
# outside the program, as a user would; the file's new time is checked, the
# program closed with Escape, and what it saved read back from the registry.
# Either build: the 64-bit one, or the 32-bit product under qemu-i386.
#
#   end_to_end.sh <wine-run.sh> <Dorvane.exe>
set -u
wrapper=$1
exe=$2
[ -f "$exe" ] || { echo "FAIL: no $exe to drive (tools/build.sh builds it)"; exit 1; }
key='HKCU\Software\Brannoch\Dorvane\Settings'
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
reg() { "$wrapper" reg "$@" </dev/null >/dev/null 2>&1; }

# The settings as the program left them, one "name"=value line each, as
# reg.exe exports them (UTF-16 on disk).
read_settings() {
    reg export "$key" 'Z:'"${work//\//\\}"'\saved.reg' /y
    iconv -f UTF-16 -t UTF-8 "$work/saved.reg" 2>/dev/null | tr -d '\r'
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

"$wrapper" "$exe" </dev/null >"$work/program.log" 2>&1 &
program=$!
if ! wait_for_main_window "$program"; then
    cat "$work/program.log"
    echo "FAIL: the main window did not appear"
    kill "$program" 2>/dev/null
    exit 1
fi
xdotool windowfocus --sync "$main_window" 2>/dev/null || true

# The target combo has the focus when the window opens.
xdotool type --delay 30 "$winpath"
xdotool key Return
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

# What Escape saved: the target as the history's only entry, selected, and
# the settings it ran with.
saved=$(read_settings)
escaped=${winpath//\\/\\\\}
expect_value HistoryCount dword:00000001
expect_value File0 "\"$escaped\""
expect_value HistorySelection dword:00000000
expect_value Year dword:000007d5
expect_value Month dword:00000006
expect_value Day dword:0000000f
expect_value Hour dword:0000000d
expect_value Minute dword:0000002d
expect_value Second dword:0000000a
expect_value ChangeModified dword:00000001
expect_value ChangeCreated dword:00000000

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "end to end: all checks passed"
