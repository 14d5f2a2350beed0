#!/bin/bash
# Configures (when needed) and builds both targets:
#   build/x64   x86_64, with the tests (runs under 64-bit Wine here)
#   build/i686  i686, the product: 32-bit Windows
# Usage: tools/build.sh [x64|i686|all] [TARGET]   (default: all, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
which=${1:-all}
target=${2:-}
jobs=$(nproc)

configure_and_build() {
    local name=$1 arch=$2
    local dir="$root/build/$name"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" ${target:+--target "$target"}
}

case $which in
    x64) configure_and_build x64 x86_64 ;;
    i686) configure_and_build i686 i686 ;;
    all) configure_and_build x64 x86_64; configure_and_build i686 i686 ;;
    *) echo "usage: $0 [x64|i686|all]" >&2; exit 2 ;;
esac
