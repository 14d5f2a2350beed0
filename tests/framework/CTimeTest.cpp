#include "framework/CTime.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimeChecks.h"

#include <gtest/gtest.h>

using testsupport::kTicksPerSecond;

namespace
{
FILETIME FileTimeFromTicks(std::uint64_t ticks)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}

std::uint64_t TicksOf(const FILETIME& ft)
{
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void ExpectLocalFields(const CTime& time, int year, int month, int day, int hour, int minute, int second)
{
    struct tm local;
    ASSERT_NE(time.GetLocalTm(&local), nullptr);
    EXPECT_EQ(local.tm_year, year - 1900);
    EXPECT_EQ(local.tm_mon, month - 1);
    EXPECT_EQ(local.tm_mday, day);
    EXPECT_EQ(local.tm_hour, hour);
    EXPECT_EQ(local.tm_min, minute);
    EXPECT_EQ(local.tm_sec, second);
}
}

// The expected seconds come from GNU date in the same zone (the test's
// launcher script), not from the platform under test.
TEST(CTime, LocalTimesConvertAsGnuDateConvertsThem)
{
    for (const auto& c : testsupport::LocalTimeCases())
    {
        SCOPED_TRACE(c.what);
        std::int64_t expected = 0;
        ASSERT_TRUE(testsupport::ExpectedSeconds(c, expected))
            << "no expected time in the environment: run through ctest (expected-local-times.sh)";
        CTime time(c.year, c.month, c.day, c.hour, c.minute, c.second, -1);
        ASSERT_TRUE(time.IsValid());
        EXPECT_EQ(time.GetTime(), expected);
    }
}

// Sydney, 2024: the clocks jump from 02:00 to 03:00 on 6 October and fall
// back from 03:00 to 02:00 on 7 April. The platform reads a time in either
// hour with daylight time's offset.
TEST(CTime, ClockChangeHoursReadWithDaylightOffset)
{
    // 02:30 does not exist on the day of the jump: read with the offset in
    // force after it, it is the moment the clocks showed as 01:30, and it
    // reads back as such.
    CTime skipped(2024, 10, 6, 2, 30, 0);
    ASSERT_TRUE(skipped.IsValid());
    EXPECT_EQ(skipped, CTime(2024, 10, 6, 1, 30, 0));
    ExpectLocalFields(skipped, 2024, 10, 6, 1, 30, 0);

    // 02:30 happens twice on the day of the fall: the first, still in
    // daylight time, is the one meant; the second comes an hour later.
    CTime repeated(2024, 4, 7, 2, 30, 0);
    ASSERT_TRUE(repeated.IsValid());
    EXPECT_EQ(repeated.GetTime(), CTime(2024, 4, 7, 1, 30, 0).GetTime() + 3600);
    EXPECT_EQ(repeated.GetTime(), CTime(2024, 4, 7, 3, 0, 0).GetTime() - 5400);
    ExpectLocalFields(repeated, 2024, 4, 7, 2, 30, 0);
    struct tm local;
    ASSERT_NE(repeated.GetLocalTm(&local), nullptr);
    EXPECT_EQ(local.tm_isdst, 1);
}

// A file time is UTC; these local times lie a day inside what it can hold
// whatever the zone.
TEST(CTime, RoundTripsThroughFileTimeAtBothEndsOfItsRange)
{
    struct Case
    {
        int year, month, day, hour, minute, second;
    };
    for (const Case& c : {Case{1601, 1, 2, 0, 0, 0}, Case{9999, 12, 30, 23, 59, 59}})
    {
        SCOPED_TRACE(c.year);
        CTime time(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_TRUE(time.IsValid());

        FILETIME ft;
        ASSERT_TRUE(time.GetAsFileTime(ft));
        EXPECT_EQ(TicksOf(ft) % kTicksPerSecond, 0u);
        CTime back(ft);
        EXPECT_EQ(back, time);
        ExpectLocalFields(back, c.year, c.month, c.day, c.hour, c.minute, c.second);

        SYSTEMTIME local;
        ASSERT_TRUE(back.GetAsSystemTime(local));
        EXPECT_EQ(CTime(local), time);
        EXPECT_EQ(back.GetYear(), c.year);
        EXPECT_EQ(back.GetMonth(), c.month);
        EXPECT_EQ(back.GetDay(), c.day);
        EXPECT_EQ(back.GetHour(), c.hour);
        EXPECT_EQ(back.GetMinute(), c.minute);
        EXPECT_EQ(back.GetSecond(), c.second);
    }

    // Sydney is ahead of UTC: its first hours of 1601 come before the first
    // file time and cannot be one.
    EXPECT_FALSE(CTime(1601, 1, 1, 0, 0, 0).IsValid());
    EXPECT_TRUE(CTime(9999, 12, 31, 23, 59, 59).IsValid());
}

TEST(CTime, FractionsOfASecondAreCutTowardThePast)
{
    const std::uint64_t epoch1970 = testsupport::UnixToTicks(0);
    EXPECT_EQ(CTime(FileTimeFromTicks(epoch1970 + 1234 * kTicksPerSecond + 9999999)).GetTime(), 1234);
    EXPECT_EQ(CTime(FileTimeFromTicks(epoch1970 + 1234 * kTicksPerSecond)).GetTime(), 1234);
    // Before 1970 the seconds are negative: half a second before the epoch
    // belongs to second -1, not 0.
    EXPECT_EQ(CTime(FileTimeFromTicks(epoch1970 - kTicksPerSecond / 2)).GetTime(), -1);
    EXPECT_EQ(CTime(FileTimeFromTicks(0)).GetTime(), -11644473600LL);
}

TEST(CTime, GetLocalTmGivesEveryField)
{
    struct tm local;
    // A Wednesday, the 60th day of a leap year, in the southern summer.
    ASSERT_NE(CTime(2040, 2, 29, 12, 0, 0).GetLocalTm(&local), nullptr);
    EXPECT_EQ(local.tm_year, 140);
    EXPECT_EQ(local.tm_mon, 1);
    EXPECT_EQ(local.tm_mday, 29);
    EXPECT_EQ(local.tm_hour, 12);
    EXPECT_EQ(local.tm_min, 0);
    EXPECT_EQ(local.tm_sec, 0);
    EXPECT_EQ(local.tm_wday, 3);
    EXPECT_EQ(local.tm_yday, 59);
    EXPECT_EQ(local.tm_isdst, 1);

    // A Sunday, the 201st day, in the southern winter.
    ASSERT_NE(CTime(1969, 7, 20, 20, 17, 40).GetLocalTm(&local), nullptr);
    EXPECT_EQ(local.tm_year, 69);
    EXPECT_EQ(local.tm_mon, 6);
    EXPECT_EQ(local.tm_mday, 20);
    EXPECT_EQ(local.tm_hour, 20);
    EXPECT_EQ(local.tm_min, 17);
    EXPECT_EQ(local.tm_sec, 40);
    EXPECT_EQ(local.tm_wday, 0);
    EXPECT_EQ(local.tm_yday, 200);
    EXPECT_EQ(local.tm_isdst, 0);

    EXPECT_EQ(CTime(2040, 2, 29, 12, 0, 0).GetLocalTm(nullptr), nullptr);
}

TEST(CTime, ImpossibleDatesAreInvalid)
{
    struct Case
    {
        const char* what;
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {
        {"30 February", 2024, 2, 30, 12, 0, 0},
        {"29 February of a common year", 2023, 2, 29, 12, 0, 0},
        {"29 February of a century that is not a leap year", 1900, 2, 29, 12, 0, 0},
        {"31 April", 2024, 4, 31, 12, 0, 0},
        {"month 13", 2024, 13, 1, 12, 0, 0},
        {"month 0", 2024, 0, 1, 12, 0, 0},
        {"day 0", 2024, 1, 0, 12, 0, 0},
        {"day 32", 2024, 1, 32, 12, 0, 0},
        {"hour 24", 2024, 1, 1, 24, 0, 0},
        {"minute 60", 2024, 1, 1, 12, 60, 0},
        {"second 60", 2024, 1, 1, 12, 0, 60},
        {"a negative hour", 2024, 1, 1, -1, 0, 0},
        {"year 1600", 1600, 6, 1, 12, 0, 0},
        {"year 10000", 10000, 1, 1, 12, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CTime time(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_FALSE(time.IsValid());
        FILETIME ft;
        EXPECT_FALSE(time.GetAsFileTime(ft));
        struct tm local;
        EXPECT_EQ(time.GetLocalTm(&local), nullptr);
        EXPECT_EQ(time.GetYear(), 0);
    }
    EXPECT_TRUE(CTime(2024, 2, 29, 12, 0, 0).IsValid());
    EXPECT_TRUE(CTime(2000, 2, 29, 12, 0, 0).IsValid());
    EXPECT_FALSE(CTime::Invalid().IsValid());
}

TEST(CTime, SystemTimeGivesTheSameTimeAsItsFields)
{
    SYSTEMTIME local = {};
    local.wYear = 2024;
    local.wMonth = 7;
    local.wDay = 15;
    local.wHour = 10;
    local.wMinute = 30;
    local.wSecond = 5;
    local.wMilliseconds = 999;
    EXPECT_EQ(CTime(local), CTime(2024, 7, 15, 10, 30, 5));

    SYSTEMTIME back;
    ASSERT_TRUE(CTime(2024, 7, 15, 10, 30, 5).GetAsSystemTime(back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 7);
    EXPECT_EQ(back.wDay, 15);
    EXPECT_EQ(back.wHour, 10);
    EXPECT_EQ(back.wMinute, 30);
    EXPECT_EQ(back.wSecond, 5);
    EXPECT_EQ(back.wMilliseconds, 0);
}

TEST(CTime, OrdersAndComparesBySeconds)
{
    CTime earlier(2024, 1, 1, 0, 0, 0);
    CTime later(2024, 1, 1, 0, 0, 1);
    EXPECT_TRUE(earlier < later);
    EXPECT_FALSE(later < earlier);
    EXPECT_TRUE(earlier != later);
    EXPECT_EQ(later.GetTime() - earlier.GetTime(), 1);
    EXPECT_EQ(CTime().GetTime(), 0);
}
