#!/bin/bash
# Runs a test command as the user "nobody" (65534), for the tests that need the
# file system to refuse what it never refuses root; run by another user, the
# command simply runs. The user's Wine prefix and home go in the folder given.
#
#   run-unprivileged.sh <folder for the user's Wine prefix> <wine-run.sh> <program> [args...]
set -eu
state=$1
shift
export DORVANE_UNPRIVILEGED=1
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
mkdir -p "$state/prefix" "$state/home"
# The user's prefix is copied from the suite's template here, as root: its
# programs and libraries can then be the template's own files, read-only to
# the user, where the user could only copy all 1.3 GB. The rest becomes theirs.
source "$(dirname "$0")/../../tools/wine-prefix.sh"
if copy_wine_prefix "${DORVANE_PREFIX_TEMPLATE:-}" "$state/prefix"; then
    find "$state/prefix" \( -type d -o -type f -links 1 \) -exec chown 65534:65534 {} +
fi
chown 65534:65534 "$state/prefix" "$state/home"
# The user must reach the build tree. A checkout in a folder that only its
# owner may enter (as mktemp -d makes them) gives others the search bit on
# each folder above the tree that lacks it: no listing, no reading.
dir=$(cd "$state" && pwd)
while [ "$dir" != / ]; do
    [ -n "$(find "$dir" -maxdepth 0 -perm -o=x)" ] || chmod o+x "$dir"
    dir=$(dirname "$dir")
done
exec setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$state/home" DORVANE_WINEPREFIX="$state/prefix" "$@"
