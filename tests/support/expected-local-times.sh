#!/bin/sh
# Runs a test program (the rest of the command line) with an account of the local
# times the time tests use that owes nothing to Wine: GNU date's seconds since 1970
# for each in the suite's zone ($TZ), as DORVANE_LOCAL_<yyyymmdd>T<hhmmss>.
set -eu
: "${TZ:?the expected times need the suite time zone in TZ}"
local_time() {    # TIME as "yyyy-mm-dd hh:mm:ss", read with the offset $2 when given
    export "DORVANE_LOCAL_$(printf '%s' "$1" | sed 's/[-:]//g; s/ /T/')=$(date -d "$1${2:+ $2}" +%s)"
}
for time in '1969-07-20 20:17:40' '2040-02-29 12:00:00' '2024-07-15 10:30:00' '2025-01-15 10:30:00'; do
    local_time "$time"
done
# The hour a clock change skips or repeats is read with the daylight side's offset.
local_time '2024-10-06 02:30:00' "$(date -d '2024-10-06 12:00' +%z)"
local_time '2024-04-07 02:30:00' "$(date -d '2024-04-07 00:30' +%z)"
exec "$@"
