#!/bin/bash
# The whole test suite: installs what is missing (and lets the kernel start
# 32-bit programs under qemu-i386), builds both targets, then runs every test
# executable under 64-bit Wine on a virtual display, two at a time where their
# Wine prefixes differ; the end-to-end test drives the 32-bit product too.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
# The template Wine prefix every test's prefix is copied from is made while
# the code compiles: making it is mostly the kernel writing 1.3 GB, which
# the compiler barely contends with. Its test entry then finds it made (or
# makes it, saying why it could not, should this have failed).
tools/build.sh x64 qemu_preload
(cd build/x64 && ctest -R '^wine_prefix$' >/dev/null 2>&1) &
template=$!
tools/build.sh all
wait "$template" || true
cd build/x64
ctest --output-on-failure -j2 "$@"
