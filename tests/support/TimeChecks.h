// Helpers for the tests that compare file times.
#pragma once

#include "framework/CTime.h"
#include "tests/support/TestSupport.h"

#include <cstdint>
#include <vector>

namespace testsupport
{
constexpr std::uint64_t kTicksPerSecond = 10000000;

// The FILETIME ticks of a whole-second time.
std::uint64_t TicksOf(const CTime& time);

// Three distinct times with fractions of a second, shifted by n seconds, for
// a file whose untouched times must survive to the last tick. The access time
// lies an hour ahead of now: the system's own access-time updates (Linux's
// relatime, NTFS's hourly ones) leave such a time alone when a folder is
// listed, so a change can only come from the code under test.
FileTimes FractionalTimes(int n = 0);

// Whether creation-time assertions can be made. Wine keeps no creation time
// of its own (it reads back as the last-write time, and setting it alone is
// ignored); the first time this answers false it says so on the output.
bool CreationTimeKept();

// A local time the time tests stamp, and GNU date's account of it.
struct LocalTimeCase
{
    const char* what;
    int year, month, day, hour, minute, second;
};

// before 1970, a leap day beyond 2038, a southern winter and a southern
// summer date, and a time in each of the two hours that clock changes skip
// and repeat (Sydney time, as the whole suite runs).
const std::vector<LocalTimeCase>& LocalTimeCases();

// The seconds since 1970 that GNU date gives for the case in the suite's
// time zone, passed in by expected-local-times.sh; false when the test was
// started without it.
bool ExpectedSeconds(const LocalTimeCase& c, std::int64_t& seconds);
}
