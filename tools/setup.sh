#!/bin/bash
# Installs what building, packaging and testing Dorvane need on Debian 12, if
# missing, and lets this machine run the 32-bit product: its kernel refuses
# 32-bit code, so 32-bit Wine (wine32:i386) runs under qemu-i386, which the
# kernel is told to start for every 32-bit ELF program (binfmt_misc). That
# registration is kernel state, lost on reboot: this script makes it again.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
    googletest
    wine wine64 fonts-wine
    xvfb xauth x11-utils xdotool imagemagick
    wixl msitools zip unzip
    # 32-bit Wine under qemu, and gcc -m32 for tools/qemu-preload.
    wine32:i386 qemu-user-static gcc gcc-multilib
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

install_missing() {
    local -A have=()
    local missing=() p
    # One query for them all: one per package takes two seconds.
    while read -r p; do have[$p]=1; done < <(dpkg-query -W \
        -f='${db:Status-Abbrev}${binary:Package}\n' "${packages[@]}" 2>/dev/null | sed -n 's/^ii *//p')
    for p in "${packages[@]}"; do
        [ -n "${have[$p]:-}" ] || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    # Another install on the machine holds dpkg's lock for a while: wait for it.
    local apt=($SUDO apt-get -o DPkg::Lock::Timeout=600)
    # Recommends would drag in many i386 and amd64 packages Wine does without.
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Debian registers no qemu-i386 handler on amd64, whose kernel is expected to
# run i386 itself. Magic and mask: a 32-bit little-endian ELF executable or
# shared object for the 386. F: the kernel opens qemu now, so it is found from
# any mount namespace later.
register_qemu_i386() {
    local binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/qemu-i386" ] && return
    [ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt"
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:F\n' "$magic" "$mask" |
        $SUDO tee "$binfmt/register" >/dev/null
}

install_missing
register_qemu_i386
