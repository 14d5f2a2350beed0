#!/bin/bash
# The release packages as a Windows user gets them, built by tools/package.sh
# (with a 1.4.0 installer to upgrade from): the zip read back; the installer
# installed, upgraded, refused as a downgrade and removed by 64-bit Wine's
# msiexec in a prefix of the test's own, kept after a passing run (which
# leaves it as it found it).   package_test.sh <work folder>
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
exe=$root/build/i686/app/Dorvane.exe
cmd_exe=$root/build/i686/app/DorvaneCmd.exe
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
expect "the zip's Dorvane.exe is the build's" "$(same_bytes <(unzip -p "$zip" Dorvane.exe) "$exe")" same
expect "the zip's DorvaneCmd.exe is the build's" "$(same_bytes <(unzip -p "$zip" DorvaneCmd.exe) "$cmd_exe")" same
expect "the zip's LICENSE.txt is LICENSE with CRLF line ends" \
    "$(same_bytes <(unzip -p "$zip" LICENSE.txt) <(sed 's/$/\r/' "$root/LICENSE"))" same
expect "README.txt lines without CRLF" "$(unzip -p "$zip" README.txt | grep -c $'[^\r]$')" 0

# As cmake/wine-run.sh runs Wine, but with no display, and no .desktop files
# in the Unix home for the shortcut the installer makes.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe="
unset DISPLAY
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
wine() { "$WINE" "$@" </dev/null 2>/dev/null; }
start_server() { setsid "$WINESERVER" -p 30 </dev/null >/dev/null 2>&1; }
stop_server() { "$WINESERVER" -k >/dev/null 2>&1; "$WINESERVER" -w >/dev/null 2>&1; }
trap stop_server EXIT

if [ ! -f "$work/prefix-as-found" ]; then
    # The suite's template prefix when there is one (see cmake/wine-run.sh).
    rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
    template=${DORVANE_PREFIX_TEMPLATE:-}
    if [ -f "$template/.dorvane-ready" ]; then cp -a "$template/." "$WINEPREFIX/"; fi
    start_server && wine wineboot -i
    # The first desktop after a restart of a new prefix rewrites Wine's display
    # device keys: here, not after the first snapshot in msiexec's.
    stop_server && start_server && wine explorer /desktop=settle cmd /c exit
    # Windows has this folder from the start; Wine makes it at the first install.
    mkdir -p "$WINEPREFIX/drive_c/windows/Installer"
fi
rm -f "$work/prefix-as-found"

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
expect_as_before() {
    local now; now=$(snapshot)
    expect "$1 leaves the prefix as it was" "$(diff <(echo "$before") <(echo "$now") | head -n 20)" ""
}

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
expect "msiexec /x $version" "$(msiexec /x "$msi")" 0
expect_as_before "Uninstalling"

expect "msiexec /i 1.4.0" "$(msiexec /i "$old_msi")" 0
expect "1.4.0's entry" "$(entry_value "$old_code" DisplayVersion)" 1.4.0
expect "msiexec /i $version over 1.4.0" "$(msiexec /i "$msi")" 0
expect "1.4.0's entry after the upgrade" "$(entry "$old_code")" ""
expect "the entry after the upgrade" "$(entry_value "$code" DisplayVersion)" "$version"
expect "Dorvane.exe after the upgrade is the build's" "$(same_bytes "$folder/Dorvane.exe" "$exe")" same
expect "msiexec /i 1.4.0 over $version (refused)" "$(msiexec /i "$old_msi")" 67
expect "the entry after the refused downgrade" "$(entry_value "$code" DisplayVersion)" "$version"
expect "msiexec /x $version after the upgrade" "$(msiexec /x "$msi")" 0
expect_as_before "Uninstalling after the upgrade"

[ "$failures" -eq 0 ] && touch "$work/prefix-as-found"
exit $((failures > 0))
