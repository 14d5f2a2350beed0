#!/bin/bash
# The whole test suite: installs what is missing (and lets the kernel start
# 32-bit programs under qemu-i386), builds both targets, then runs every test
# executable under 64-bit Wine on a virtual display, two at a time where their
# Wine prefixes differ; the end-to-end test drives the 32-bit product too.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh all
cd build/x64
ctest --output-on-failure -j2 "$@"
