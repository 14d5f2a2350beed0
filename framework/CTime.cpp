#include "framework/CTime.h"

namespace
{
// File times count 100-ns intervals from 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t FileTimeToSeconds(const FILETIME& ft)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    return FloorDiv(static_cast<std::int64_t>(ticks.QuadPart), kTicksPerSecond) - kSecondsFrom1601To1970;
}

bool SecondsToFileTime(std::int64_t seconds, FILETIME& ft)
{
    // A FILETIME converts to a SYSTEMTIME only up to year 30827; the program
    // has no use beyond the date picker's 9999-12-31 anyway.
    if (seconds < -kSecondsFrom1601To1970 || seconds > 0x7FFFFFFFFFFFFFFFLL / kTicksPerSecond - kSecondsFrom1601To1970)
        return false;
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
    ft.dwLowDateTime = ticks.LowPart;
    ft.dwHighDateTime = ticks.HighPart;
    return true;
}

// Local to UTC through the zone's rules for that date. For a local time in
// the hour skipped when the clocks go forward, and for one in the hour that
// is repeated when they go back, the platform decides; Windows documents no
// particular answer. Wine reads both with daylight time's offset: in the
// skipped hour that is the offset in force after the change (02:30 becomes
// the moment the clocks showed as 01:30), in the repeated hour the one in
// force before it (the first of the two 02:30s). The tests pin down both.
bool LocalToUniversal(const SYSTEMTIME& local, SYSTEMTIME& universal)
{
    return TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) != FALSE;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Checked here: Wine's SystemTimeToFileTime takes 29 February in any year.
int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool UniversalToLocal(const SYSTEMTIME& universal, SYSTEMTIME& local)
{
    return SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) != FALSE;
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int /*nDST*/)
    : m_seconds(kInvalid)
{
    if (!InRange(nYear, 1601, 9999) || !InRange(nMonth, 1, 12) || !InRange(nDay, 1, DaysInMonth(nYear, nMonth)) ||
        !InRange(nHour, 0, 23) || !InRange(nMinute, 0, 59) || !InRange(nSecond, 0, 59))
        return;

    SYSTEMTIME local = {};
    local.wYear = static_cast<WORD>(nYear);
    local.wMonth = static_cast<WORD>(nMonth);
    local.wDay = static_cast<WORD>(nDay);
    local.wHour = static_cast<WORD>(nHour);
    local.wMinute = static_cast<WORD>(nMinute);
    local.wSecond = static_cast<WORD>(nSecond);

    SYSTEMTIME universal;
    FILETIME ft;
    if (LocalToUniversal(local, universal) && SystemTimeToFileTime(&universal, &ft))
        m_seconds = FileTimeToSeconds(ft);
}

CTime::CTime(const SYSTEMTIME& localTime, int nDST)
    : CTime(localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour,
            localTime.wMinute, localTime.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& fileTime)
    : m_seconds(FileTimeToSeconds(fileTime))
{
}

bool CTime::GetAsFileTime(FILETIME& fileTime) const
{
    return IsValid() && SecondsToFileTime(m_seconds, fileTime);
}

bool CTime::GetAsSystemTime(SYSTEMTIME& localTime) const
{
    FILETIME ft;
    SYSTEMTIME universal;
    return GetAsFileTime(ft) && FileTimeToSystemTime(&ft, &universal) &&
           UniversalToLocal(universal, localTime);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    SYSTEMTIME local;
    if (ptm == nullptr || !GetAsSystemTime(local))
        return nullptr;

    *ptm = {};
    ptm->tm_year = local.wYear - 1900;
    ptm->tm_mon = local.wMonth - 1;
    ptm->tm_mday = local.wDay;
    ptm->tm_hour = local.wHour;
    ptm->tm_min = local.wMinute;
    ptm->tm_sec = local.wSecond;
    ptm->tm_wday = local.wDayOfWeek;

    // Day of the year, and whether daylight time applies: the local offset
    // of this moment compared with the zone's standard offset for that year.
    SYSTEMTIME jan1 = {};
    jan1.wYear = local.wYear;
    jan1.wMonth = 1;
    jan1.wDay = 1;
    FILETIME ftJan1, ftLocal;
    SystemTimeToFileTime(&jan1, &ftJan1);
    SystemTimeToFileTime(&local, &ftLocal);
    std::int64_t localSeconds = FileTimeToSeconds(ftLocal);
    ptm->tm_yday = static_cast<int>((localSeconds - FileTimeToSeconds(ftJan1)) / 86400);

    TIME_ZONE_INFORMATION tzi;
    std::int64_t offsetMinutes = (localSeconds - m_seconds) / 60;
    if (GetTimeZoneInformationForYear(local.wYear, nullptr, &tzi))
        ptm->tm_isdst = (tzi.DaylightBias != 0 && offsetMinutes == -(tzi.Bias + tzi.DaylightBias)) ? 1 : 0;
    else
        ptm->tm_isdst = -1;
    return ptm;
}
