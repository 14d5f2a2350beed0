#include "tests/support/TimeChecks.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testsupport
{
std::uint64_t TicksOf(const CTime& time)
{
    return UnixToTicks(time.GetTime());
}

FileTimes FractionalTimes(int n)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    std::uint64_t nowTicks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;

    FileTimes times;
    times.creation = UnixToTicks(1552000000 + n) + 1234567;
    times.lastWrite = UnixToTicks(1583000000 + n) + 7654321;
    times.lastAccess = (nowTicks / kTicksPerSecond + 3600 + static_cast<std::uint64_t>(n)) * kTicksPerSecond +
                       5555555;
    return times;
}

bool CreationTimeKept()
{
    static bool told = false;
    if (!PlatformKeepsCreationTime() && !told)
    {
        std::printf("[   NOTE   ] creation-time assertions skipped: Wine keeps no creation time of its "
                    "own (it reads back as the last-write time, and setting it alone is ignored)\n");
        told = true;
    }
    return PlatformKeepsCreationTime();
}

const std::vector<LocalTimeCase>& LocalTimeCases()
{
    static const std::vector<LocalTimeCase> cases = {
        {"1969-07-20 20:17:40, before 1970", 1969, 7, 20, 20, 17, 40},
        {"2040-02-29 12:00:00, a leap day beyond 2038", 2040, 2, 29, 12, 0, 0},
        {"2024-07-15 10:30:00, southern winter (standard time)", 2024, 7, 15, 10, 30, 0},
        {"2025-01-15 10:30:00, southern summer (daylight time)", 2025, 1, 15, 10, 30, 0},
        {"2024-10-06 02:30:00, in the hour the clocks skip", 2024, 10, 6, 2, 30, 0},
        {"2024-04-07 02:30:00, in the hour the clocks repeat", 2024, 4, 7, 2, 30, 0},
    };
    return cases;
}

bool ExpectedSeconds(const LocalTimeCase& c, std::int64_t& seconds)
{
    char name[64];
    std::snprintf(name, sizeof(name), "DORVANE_LOCAL_%04d%02d%02dT%02d%02d%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    std::string value = GetEnv(name);
    if (value.empty())
        return false;
    seconds = std::strtoll(value.c_str(), nullptr, 10);
    return true;
}
}
