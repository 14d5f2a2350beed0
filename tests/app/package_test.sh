#!/bin/bash
# The release packages as a Windows user gets them, built by tools/package.sh
# (with a 1.4.0 installer to upgrade from): the zip read back; the installer
# installed, upgraded, refused as a downgrade and removed by 64-bit Wine's
# msiexec in a prefix of the test's own, kept after a passing run (which
# leaves it as it found it). Installed, its Explorer entry opens the 32-bit
# Dorvane.exe on a virtual display.   package_test.sh <work folder>
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
exe=$root/build/i686/app/release/Dorvane.exe
cmd_exe=$root/build/i686/app/release/DorvaneCmd.exe
failures=0
expect() {
    if [ "$2" = "$3" ]; then echo "ok: $1"; else
        echo "FAIL: $1: got '$2', expected '$3'"; failures=$((failures + 1)); fi
}
same_bytes() { cmp -s "$1" "$2" && echo same || echo different; }

mkdir -p "$work"
if ! { "$root/tools/package.sh" && "$root/tools/package.sh" 1.4.0 "$work"; } >"$work/package.log" 2>&1; then
    cat "$work/package.log"; echo "FAIL: tools/package.sh"; exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/i686/CMakeCache.txt")
zip=$root/build/Dorvane-$version-win32.zip
msi=$root/build/Dorvane-$version-win32.msi
old_msi=$work/Dorvane-1.4.0-win32.msi

expect "the zip's files" "$(unzip -Z1 "$zip" | sort | xargs)" "Dorvane.exe DorvaneCmd.exe LICENSE.txt README.txt"
# The packages ship the stripped builds (compared below), not those the tests run.
expect "the stripped builds" "$(same_bytes "$exe" "${exe/release\//}") $(same_bytes "$cmd_exe" "${cmd_exe/release\//}"
    ) $(i686-w64-mingw32-nm "$exe" "$cmd_exe" 2>&1 | grep -c 'no symbols')" "different different 2"
expect "the zip's Dorvane.exe is the build's" "$(same_bytes <(unzip -p "$zip" Dorvane.exe) "$exe")" same
expect "the zip's DorvaneCmd.exe is the build's" "$(same_bytes <(unzip -p "$zip" DorvaneCmd.exe) "$cmd_exe")" same
expect "the zip's LICENSE.txt is LICENSE with CRLF line ends" \
    "$(same_bytes <(unzip -p "$zip" LICENSE.txt) <(sed 's/$/\r/' "$root/LICENSE"))" same
expect "README.txt lines without CRLF" "$(unzip -p "$zip" README.txt | grep -c $'[^\r]$')" 0

# As cmake/wine-run.sh runs Wine, on a display of the test's own, and with no
# .desktop files in the Unix home for the shortcut the installer makes.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe="
source "$root/tools/virtual-display.sh"
source "$root/tools/wine-prefix.sh"
start_virtual_display 261 280 || { echo "FAIL: could not start a virtual display"; exit 1; }
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
wine() { "$WINE" "$@" </dev/null 2>/dev/null; }
start_server() { setsid "$WINESERVER" -p 30 </dev/null >/dev/null 2>&1; }
stop_server() { "$WINESERVER" -k >/dev/null 2>&1; "$WINESERVER" -w >/dev/null 2>&1; }
trap 'stop_server; kill "$virtual_display_pid"' EXIT

if [ ! -f "$work/prefix-kept" ]; then
    # The suite's template prefix when there is one (see cmake/wine-run.sh).
    rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
    copy_wine_prefix "${DORVANE_PREFIX_TEMPLATE:-}" "$WINEPREFIX"
    start_server && wine wineboot -i
    # The first desktop after a restart of a new prefix rewrites Wine's display
    # device keys: here, not after the first snapshot in msiexec's. It is made
    # by any window program, on the display itself (a virtual one has its own size).
    stop_server && start_server && wine rundll32
    # Windows has this folder from the start; Wine makes it at the first install.
    mkdir -p "$WINEPREFIX/drive_c/windows/Installer"
fi
rm -f "$work/prefix-kept"

# msiexec's exit code, modulo 256 (1603, a failed install, reads 67).
msiexec() { wine msiexec "$1" "Z:${2//\//\\}" /qn; echo $?; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
# A product's installed-programs entry as 32-bit programs see it: value lines only.
entry() { wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" /reg:32 | tr -d '\r' | grep '^ '; }
entry_value() { entry "$1" | sed -n "s/^ *$2 *REG_SZ *//p"; }
# A shell link's target: the local base path of its LinkInfo, the one string
# in it that is a whole NUL-terminated drive path (item IDs hold single names).
link_target() { tr '\0' '\n' <"$1" | grep -a -m 1 '^[A-Z]:\\'; }
# The prefix's files and registry (on disk once the server ends), less what
# Wine restamps at every start (key times, its display driver's date) and keys
# without values: the Windows Installer makes empty ones at its first install.
# Taken in a command substitution, which waits for the new server to hold its
# lock; a process substitution does not, and the next wine process or the
# final stop could then race it.
snapshot() {
    stop_server
    find "$WINEPREFIX/drive_c" | sort
    sed -e 's/^\(\[.*\]\) [0-9]*$/\1/' -e '/^#time=/d' -e '/^"DriverDateData"=/d' \
        "$WINEPREFIX"/{system,user}.reg | awk -v RS= '/\n/'
    start_server
}
# A key's text values (name=value lines) as 32-bit programs see them; those of
# Explorer's entry for a class of items, its command's included; the system
# PATH, whole and entry by entry.
values() { wine reg query "$@" /reg:32 | tr -d '\r' | sed -n 's/^    \(.*\)    REG_\(EXPAND_\)*SZ    /\1=/p'; }
entry_of() { values "HKLM\\Software\\Classes\\$1\\shell\\Dorvane" /s; }
environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
path_value() { values "$environment" /v PATH | sed 's/^PATH=//'; }
path_entries() { path_value | tr ';' '\n' | grep .; }
# Runs Explorer's entry for a class as Explorer does, the item in place of its
# placeholder; Go! and Escape then leave the target shown first in the history.
# The settings and the run's journal are the user's, which uninstalling keeps:
# they go here, so that the prefix is compared as the installer left it.
run_verb() {
    local command; command=$(entry_of "$1" | sed -n 's/^(Default)="/"/p')
    DORVANE_VERB=${command//"$2"/$3} timeout 60 "$WINE" cmd /c %DORVANE_VERB% </dev/null >/dev/null 2>&1 &
    wait_for_main_window $! && xdotool windowfocus --sync "$main_window" key Return Escape
    wait
    values 'HKCU\Software\Brannoch\Dorvane\Settings' /v File0 | sed 's/^File0=//'
    wine reg delete 'HKCU\Software\Brannoch' /f >/dev/null
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Brannoch
}
# After an uninstall: the PATH's entries, then all the prefix, as they were.
# Wine's msiexec leaves a ';' where the entry was, and past an empty entry
# Wine's cmd finds nothing (nor says so): the value is put back first.
expect_as_before() {
    expect "$1 leaves the PATH's entries as they were" "$(path_entries)" "$path_before"
    wine reg add "$environment" /v PATH /t REG_EXPAND_SZ /d "$path_as_found" /f >/dev/null
    local now; now=$(snapshot)
    expect "$1 leaves the prefix as it was" "$(diff <(echo "$before") <(echo "$now") | head -n 20)" ""
}

# Read first: every Wine start writes this run's time zone into the registry.
path_as_found=$(path_value)
path_before=$(path_entries)
before=$(snapshot)
code=$(product_code "$msi")
old_code=$(product_code "$old_msi")
folder="$WINEPREFIX/drive_c/Program Files (x86)/Dorvane"
expect "msiexec /i $version" "$(msiexec /i "$msi")" 0
expect "installed files" "$(ls "$folder" | xargs)" "Dorvane.exe DorvaneCmd.exe LICENSE.txt README.txt"
expect "the installed Dorvane.exe is the build's" "$(same_bytes "$folder/Dorvane.exe" "$exe")" same
expect "the installed DorvaneCmd.exe is the build's" "$(same_bytes "$folder/DorvaneCmd.exe" "$cmd_exe")" same
links=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Dorvane.lnk')
expect "Start-menu shortcuts" "$(grep -c . <<<"$links")" 1
expect "the shortcut's target" "$(link_target "$links")" 'C:\Program Files (x86)\Dorvane\Dorvane.exe'
expect "installed-programs entry: name, version, publisher" "$(entry_value "$code" DisplayName), $(
    entry_value "$code" DisplayVersion), $(entry_value "$code" Publisher)" "Dorvane, $version, Brannoch"
# Explorer's entry on a file, a folder, and a folder's background at the root
# of a drive (Y:, made here), which Explorer passes as "Y:\".
program='C:\Program Files (x86)\Dorvane\Dorvane.exe'
mkdir -p "$work/items/a folder" && echo a file >"$work/items/a file.txt"
ln -sfn "$work/items/a folder" "$WINEPREFIX/dosdevices/y:"
items="Z:${work//\//\\}\\items"
for row in "*;%1;|MultiSelectModel=Single;$items\a file.txt" "Directory;%1;|MultiSelectModel=Single;$items\a folder" \
    'Directory\Background;%V;;Y:\'; do
    IFS=';' read -r class placeholder single item <<<"$row"
    expect "$class's Explorer entry" "$(entry_of "$class" | paste -sd '|')" "(Default)=Change timestamps with Dorvane|$(
        )Icon=$program,0$single|(Default)=\"$program\" \"$placeholder\""
    expect "$class's command on $item" "$(run_verb "$class" "$placeholder" "$item")" "$item"
done
rm "$WINEPREFIX/dosdevices/y:"
expect "PATH after the install" "$(path_entries)" "$path_before"$'\n''C:\Program Files (x86)\Dorvane\'
expect "DorvaneCmd -h in a new console elsewhere" "$(wine cmd /c 'cd /d C:\users && DorvaneCmd -h' | head -n 1)" \
    $'Usage: DorvaneCmd [options] PATH...\r'
expect "msiexec /x $version" "$(msiexec /x "$msi")" 0
expect "the Explorer entries after uninstall" "$(entry_of '*'; entry_of Directory; entry_of 'Directory\Background')" ""
expect_as_before "Uninstalling"

expect "msiexec /i 1.4.0" "$(msiexec /i "$old_msi")" 0
expect "1.4.0's entry" "$(entry_value "$old_code" DisplayVersion)" 1.4.0
expect "msiexec /i $version over 1.4.0" "$(msiexec /i "$msi")" 0
expect "1.4.0's entry after the upgrade" "$(entry "$old_code")" ""
expect "the entry after the upgrade" "$(entry_value "$code" DisplayVersion)" "$version"
expect "Dorvane.exe after the upgrade is the build's" "$(same_bytes "$folder/Dorvane.exe" "$exe")" same
expect "PATH after the upgrade" "$(path_entries)" "$path_before"$'\n''C:\Program Files (x86)\Dorvane\'
expect "msiexec /i 1.4.0 over $version (refused)" "$(msiexec /i "$old_msi")" 67
expect "the entry after the refused downgrade" "$(entry_value "$code" DisplayVersion)" "$version"
expect "msiexec /x $version after the upgrade" "$(msiexec /x "$msi")" 0
expect_as_before "Uninstalling after the upgrade"

[ "$failures" -eq 0 ] && touch "$work/prefix-kept"
exit $((failures > 0))
