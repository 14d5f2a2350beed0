# Sourced by the scripts that show the program on a virtual X display of
# their own.
#
# start_virtual_display FIRST LAST
#   Starts Xvfb, fully detached, on the first free display number from FIRST
#   to LAST and waits until it answers. Sets and exports DISPLAY, and sets
#   virtual_display_pid; returns 1 when no display could be started. A display
#   counts as ours only while our Xvfb lives: another script may have taken
#   the same number a moment before.
start_virtual_display() {
    local n pid
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X$n-lock" ] && continue
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
            sleep 0.05
        done
        if kill -0 "$pid" 2>/dev/null && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            virtual_display_pid=$pid
            export DISPLAY=":$n"
            return 0
        fi
        kill "$pid" 2>/dev/null || true
    done
    return 1
}

# wait_for_main_window PID
#   Waits up to 30 s for the main window of the program started as PID to be
#   shown, then a second more for it to be drawn. Sets main_window to its X
#   window id; returns 1 when it did not appear (or the program ended first).
#   Wine names a window before it maps it, and an unmapped one cannot take
#   the focus: xdotool's windowfocus then fails, and no key reaches it.
wait_for_main_window() {
    main_window=""
    for _ in $(seq 1 300); do
        main_window=$(xdotool search --onlyvisible --name '^Dorvane$' 2>/dev/null | head -n 1 || true)
        [ -n "$main_window" ] && break
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$main_window" ] || return 1
    sleep 1
}
