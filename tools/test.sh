#!/bin/bash
# The whole test suite: installs what is missing, builds both targets (the
# i686 product is compiled and linked; this machine cannot run 32-bit code),
# then runs every test executable under 64-bit Wine on a virtual display, two
# at a time where their Wine prefixes differ.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh all
cd build/x64
ctest --output-on-failure -j2 "$@"
