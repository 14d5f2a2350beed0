// Times from any fields, local and UTC, and back: what every time the program
// shows or writes goes through.
#include "framework/CTime.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>

using namespace testsupport;

// Any fields can reach a time (hand-edited settings, the pickers). Those that form a local
// time a file can hold convert every way and back; others give none (Wine's own conversion
// takes 29 February of any year; Sydney's first hours of 1601 precede the first file time).
// Fractions of a second are cut off toward the past.
TEST(CTime, ConvertsEveryWayWhereAFileCanHoldItAndNowhereElse) {
    using Fields = std::array<int, 6>;
    const auto fileTime = [](std::uint64_t ticks) { return FILETIME{DWORD(ticks), DWORD(ticks >> 32)}; };
    const Fields valid[] = {{1601, 1, 2, 0, 0, 0}, {9999, 12, 31, 23, 59, 59}, {2000, 2, 29, 1, 2, 3}};
    const Fields invalid[] = {{1601, 1, 1, 0, 0, 0},   {2024, 2, 30, 12, 0, 0}, {2023, 2, 29, 12, 0, 0},
                              {1900, 2, 29, 12, 0, 0}, {2024, 4, 31, 12, 0, 0}, {2024, 13, 1, 12, 0, 0},
                              {2024, 0, 1, 12, 0, 0},  {2024, 1, 0, 12, 0, 0},  {2024, 1, 32, 12, 0, 0},
                              {2024, 1, 1, 24, 0, 0},  {2024, 1, 1, 12, 60, 0}, {2024, 1, 1, 12, 0, 60},
                              {2024, 1, 1, -1, 0, 0},  {1600, 6, 1, 12, 0, 0},  {10000, 1, 1, 12, 0, 0}};
    for (const Fields& f : valid) {
        const CTime time(f[0], f[1], f[2], f[3], f[4], f[5], -1);
        SYSTEMTIME local = {};
        struct tm tm = {};
        ASSERT_TRUE(time.GetAsSystemTime(local) && time.GetLocalTm(&tm)) << f[0];
        EXPECT_EQ(TicksOf(CTime(fileTime(TicksOf(time) + kTicksPerSecond - 1))), TicksOf(time));
        EXPECT_EQ((Fields{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond}), f);
        EXPECT_EQ((Fields{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec}), f);
        EXPECT_EQ(TicksOf(CTime(local)), TicksOf(time));
    }
    EXPECT_EQ(TicksOf(CTime(fileTime(UnixToTicks(-1) + kTicksPerSecond / 2))), UnixToTicks(-1));
    for (const Fields& f : invalid) {
        const CTime time(f[0], f[1], f[2], f[3], f[4], f[5], -1);
        FILETIME ft;
        struct tm tm;
        EXPECT_FALSE(time.IsValid() || time.GetAsFileTime(ft) || time.GetLocalTm(&tm)) << testing::PrintToString(f);
    }
}
