#!/bin/sh
# Runs a test program (the rest of the command line) with an account of the
# local times the time tests use that owes nothing to Wine: for each, GNU date
# gives its seconds since 1970 in the suite's time zone ($TZ), exported as
# DORVANE_LOCAL_<yyyymmdd>T<hhmmss>.
set -eu

: "${TZ:?the expected times need the suite time zone in TZ}"

# local TIME [OFFSET]: TIME as "yyyy-mm-dd hh:mm:ss", read with OFFSET when given.
local_time() {
    name=DORVANE_LOCAL_$(printf '%s' "$1" | sed 's/[-:]//g; s/ /T/')
    seconds=$(date -d "$1${2:+ $2}" +%s)
    export "$name=$seconds"
}

local_time '1969-07-20 20:17:40'        # before 1970
local_time '2040-02-29 12:00:00'        # leap day beyond 2038
local_time '2024-07-15 10:30:00'        # southern winter: standard time
local_time '2025-01-15 10:30:00'        # southern summer: daylight time

# On 2024-10-06 Sydney's clocks jump from 02:00 to 03:00, and on 2024-04-07
# they fall back from 03:00 to 02:00. The platform reads a time in either hour
# with daylight time's offset: the offset in force after the jump, and the one
# in force before the fall. GNU date needs that offset spelt out; it is taken
# from the zone at an hour on the right side of each change.
local_time '2024-10-06 02:30:00' "$(date -d '2024-10-06 12:00' +%z)"
local_time '2024-04-07 02:30:00' "$(date -d '2024-04-07 00:30' +%z)"

exec "$@"
