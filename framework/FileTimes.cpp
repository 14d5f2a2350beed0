#include "framework/FileTimes.h"

namespace
{
static_assert(kFileTimesEnd == 3067671LL * 86400 * kTicksPerSecond, "10000-01-01 is day 3,067,671 of file times");

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}
}

bool IsCalendarTime(int year, int month, int day, int hour, int minute, int second)
{
    return InRange(year, kFirstFileYear, kLastFileYear) && InRange(month, 1, 12) &&
           InRange(day, 1, DaysInMonth(year, month)) && InRange(hour, 0, 23) && InRange(minute, 0, 59) &&
           InRange(second, 0, 59);
}

bool UniversalTicks(const SYSTEMTIME& utc, Ticks& ticks)
{
    FILETIME ft;
    if (!IsCalendarTime(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond) ||
        !SystemTimeToFileTime(&utc, &ft))
        return false;
    ticks = TicksOf(ft);
    return true;
}
