// What no stamp reaches of the program's times: the ends of their range and
// fields that form no date (local times are checked against GNU date where the
// stamp writes them, in tests/stamping).
#include "framework/CTime.h"
#include "tests/support/TimeChecks.h"

#include <gtest/gtest.h>

#include <array>

using namespace testsupport;
using Fields = std::array<int, 6>;

// A file time is UTC; these local times lie a day inside what it can hold in any
// zone. Fractions of a second are cut off toward the past.
TEST(CTime, ConvertsEveryWayAtBothEndsOfItsRange) {
    const auto fileTime = [](std::uint64_t ticks) { return FILETIME{DWORD(ticks), DWORD(ticks >> 32)}; };
    for (const Fields& f : {Fields{1601, 1, 2, 0, 0, 0}, Fields{9999, 12, 30, 23, 59, 59}}) {
        const CTime time(f[0], f[1], f[2], f[3], f[4], f[5], -1);
        SYSTEMTIME local = {};
        struct tm tm = {};
        ASSERT_TRUE(time.GetAsSystemTime(local) && time.GetLocalTm(&tm)) << f[0];
        EXPECT_EQ(TicksOf(time) % kTicksPerSecond, 0u);
        EXPECT_EQ(CTime(fileTime(TicksOf(time) + kTicksPerSecond - 1)), time);
        EXPECT_EQ((Fields{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond}), f);
        EXPECT_EQ((Fields{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec}), f);
        local.wMilliseconds = 999;
        EXPECT_EQ(CTime(local), time);
    }
    EXPECT_EQ(CTime(fileTime(UnixToTicks(-1) + kTicksPerSecond / 2)), CTime(fileTime(UnixToTicks(-1))));
    EXPECT_FALSE(CTime(1601, 1, 1, 0, 0, 0).IsValid()) << "Sydney's first hours of 1601 precede the first file time";
    EXPECT_TRUE(CTime(9999, 12, 31, 23, 59, 59).IsValid());
}

// Hand-edited settings can hold any fields; those that form no local time a file
// can hold give no time (Wine's own conversion takes 29 February of any year).
TEST(CTime, FieldsThatFormNoDateGiveNoTime) {
    const Fields invalid[] = {{2024, 2, 30, 12, 0, 0}, {2023, 2, 29, 12, 0, 0}, {1900, 2, 29, 12, 0, 0},
                              {2024, 4, 31, 12, 0, 0}, {2024, 13, 1, 12, 0, 0}, {2024, 0, 1, 12, 0, 0},
                              {2024, 1, 0, 12, 0, 0},  {2024, 1, 32, 12, 0, 0}, {2024, 1, 1, 24, 0, 0},
                              {2024, 1, 1, 12, 60, 0}, {2024, 1, 1, 12, 0, 60}, {2024, 1, 1, -1, 0, 0},
                              {1600, 6, 1, 12, 0, 0},  {10000, 1, 1, 12, 0, 0}};
    for (const Fields& f : invalid) {
        const CTime time(f[0], f[1], f[2], f[3], f[4], f[5], -1);
        FILETIME ft;
        struct tm tm;
        EXPECT_FALSE(time.IsValid() || time.GetAsFileTime(ft) || time.GetLocalTm(&tm)) << testing::PrintToString(f);
    }
    EXPECT_TRUE(CTime(2024, 2, 29, 12, 0, 0).IsValid() && CTime(2000, 2, 29, 12, 0, 0).IsValid());
}
