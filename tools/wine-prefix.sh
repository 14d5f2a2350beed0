# Sourced by the scripts that give a program a Wine prefix of its own.
#
# copy_wine_prefix FROM TO
#   Makes TO a copy of the prefix FROM, when FROM is ready (wine-run.sh marks
#   a prefix so once wineboot has made it) and TO is not; false when there was
#   nothing to copy. Its programs and libraries, nearly all of a prefix's
#   1.3 GB and never written once Wine has installed them, become hard links
#   when this user may make them (the kernel lets a user link only files they
#   own), and so do its symbolic links; every other file gets a copy of its
#   own: Wine rewrites a registry file that has a second link in place, and
#   its ini files too. Copying every byte took from one to nine seconds here,
#   as the disk allowed. The file "wineserver" is not copied: it names the
#   folder under /tmp where the prefix's server runs, which only the user who
#   made it may enter; the copy's first Wine makes its own.
copy_wine_prefix() {
    local from=$1 to=$2
    [ -f "$from/.dorvane-ready" ] && [ ! -f "$to/.dorvane-ready" ] || return 1
    mkdir -p "$to"
    if [ -O "$from" ]; then
        cp -a --link "$from/." "$to/" &&
            (cd "$from" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' \) -print0 |
                xargs -0 -r cp -a --parents --remove-destination -t "$to")
    else
        (cd "$from" && find . -mindepth 1 -maxdepth 1 ! -name wineserver -exec cp -a -t "$to" {} +)
    fi
    rm -f "$to/wineserver"
}
