#!/bin/bash
# Builds the release packages of the 32-bit product into build/:
#   Dorvane-<version>-win32.zip  Dorvane.exe, DorvaneCmd.exe, README.txt and
#                                LICENSE.txt, to unpack and run anywhere
#   Dorvane-<version>-win32.msi  the installer (resources/installer/Dorvane.wxs),
#                                which also puts the program folder on the PATH
# Both hold the executables as the build strips them (build/i686/app/release/,
# where their symbols stay).
# <version> is the project's, from project() in CMakeLists.txt as the i686
# build's cache holds it. The package test also makes an older-looking
# installer of the same product:  tools/package.sh <version> <folder>
set -euo pipefail
out=""
[ -z "${2:-}" ] || out=$(mkdir -p "$2" && cd "$2" && pwd)
cd "$(dirname "$0")/.."
root=$PWD
out=${out:-$root/build}

tools/setup.sh
tools/build.sh i686
version=${1:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/i686/CMakeCache.txt)}
name=Dorvane-$version-win32

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp build/i686/app/release/Dorvane.exe build/i686/app/release/DorvaneCmd.exe resources/icons/dorvane.ico "$staging/"
# Text as Windows editors expect it: CRLF line ends.
sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' resources/installer/README.txt >"$staging/README.txt"
sed 's/\r*$/\r/' LICENSE >"$staging/LICENSE.txt"

rm -f "$out/$name.zip" "$out/$name.msi"
cd "$staging"
zip -q -X "$out/$name.zip" Dorvane.exe DorvaneCmd.exe README.txt LICENSE.txt
# wixl finds the files named in the WiX source in the current folder.
wixl -a x86 -D Version="$version" -o "$out/$name.msi" "$root/resources/installer/Dorvane.wxs"
# The PATH entry, which wixl cannot write: the Environment table's row, and
# the actions that write it on install and take it out again on uninstall.
msibuild "$out/$name.msi" -i "$root/resources/installer/Environment.idt" -q \
    "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('WriteEnvironmentStrings', 5200)" -q \
    "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('RemoveEnvironmentStrings', 3300)"
for package in "$out/$name.zip" "$out/$name.msi"; do
    echo "$package: $(stat -c %s "$package") bytes"
done
