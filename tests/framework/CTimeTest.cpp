// Times from any fields, local and UTC, and back: what every time the program
// shows or writes goes through.
#include "framework/CTime.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

using namespace testsupport;

// Any fields can reach a time (hand-edited settings, the pickers). Those that form a local
// time a file can hold convert every way and back; others give none (Wine's own conversion
// takes 29 February of any year; Sydney's first hours of 1601 precede the first file time).
// Fractions of a second are cut off toward the past.
TEST(CTime, ConvertsEveryWayWhereAFileCanHoldItAndNowhereElse) {
    using Fields = std::array<int, 6>;
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
        EXPECT_EQ(TicksOf(CTime(FileTimeOf(TicksOf(time) + kTicksPerSecond - 1))), TicksOf(time));
        EXPECT_EQ((Fields{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond}), f);
        EXPECT_EQ((Fields{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec}), f);
        EXPECT_EQ(TicksOf(CTime(local)), TicksOf(time));
    }
    EXPECT_EQ(TicksOf(CTime(FileTimeOf(UnixToTicks(-1) + kTicksPerSecond / 2))), UnixToTicks(-1));
    for (const Fields& f : invalid) {
        const CTime time(f[0], f[1], f[2], f[3], f[4], f[5], -1);
        FILETIME ft;
        struct tm tm;
        EXPECT_FALSE(time.IsValid() || time.GetAsFileTime(ft) || time.GetLocalTm(&tm)) << testing::PrintToString(f);
    }
}

// GNU date gives the seconds (expected-local-times.sh). The winter or the summer date lies in the other season
// than today's. Sydney's clocks skip 02:00-03:00 on 2024-10-06 and repeat it on 2024-04-07: the skipped 02:30 is
// read as the moment shown as 01:30, the repeated one as the first.
TEST(CTime, LocalTimesLandWhereGnuDatePutsThemAndReadBackAsChosen) {
    const std::array<int, 7> cases[] = {{1969, 7, 20, 20, 17, 40, 20}, {2040, 2, 29, 12, 0, 0, 12},
                                        {2024, 7, 15, 10, 30, 0, 10},  {2025, 1, 15, 10, 30, 0, 10},
                                        {2024, 10, 6, 2, 30, 0, 1},    {2024, 4, 7, 2, 30, 0, 2}};
    for (const auto& c : cases) {
        char name[40];
        std::snprintf(name, sizeof(name), "DORVANE_LOCAL_%04d%02d%02dT%02d%02d%02d", c[0], c[1], c[2], c[3], c[4],
                      c[5]);
        ASSERT_NE(GetEnv(name), "") << name << ": run through ctest (expected-local-times.sh)";
        const std::uint64_t ticks = TicksOf(CTime(c[0], c[1], c[2], c[3], c[4], c[5], -1));
        EXPECT_EQ(ticks, UnixToTicks(std::stoll(GetEnv(name)))) << name;
        struct tm t = {};
        ASSERT_TRUE(CTime(FileTimeOf(Ticks(ticks))).GetLocalTm(&t));
        EXPECT_EQ((std::array<int, 6>{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec}),
                  (std::array<int, 6>{c[0], c[1], c[2], c[6], c[4], c[5]}));
    }
}
