# Sourced by the scripts that give a program a Wine prefix of its own.
#
# copy_wine_prefix FROM TO
#   Makes TO a copy of the prefix FROM. Its programs and libraries, nearly all
#   of a prefix's 1.3 GB and never written once Wine has installed them, become
#   hard links when this user may make them (the kernel lets a user link only
#   files they own), and so do its symbolic links; every other file gets a copy
#   of its own: Wine rewrites a registry file that has a second link in place,
#   and its ini files too.
#   Copying every byte costs from one to ten seconds here, as the disk allows.
copy_wine_prefix() {
    local from=$1 to=$2
    mkdir -p "$to"
    if [ ! -O "$from" ]; then
        cp -a "$from/." "$to/"
        return
    fi
    cp -a --link "$from/." "$to/" &&
        (cd "$from" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' \) -print0 |
            xargs -0 -r cp -a --parents --remove-destination -t "$to")
}
