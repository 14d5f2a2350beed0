#include "framework/CTime.h"

#include <cwchar>

namespace
{
constexpr std::int64_t kSecondsFrom1601To1970 = DaysFrom1601(1970) * 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t FileTimeToSeconds(const FILETIME& ft)
{
    return FloorDiv(TicksOf(ft), kTicksPerSecond) - kSecondsFrom1601To1970;
}

// Any second a FILETIME's signed ticks can count, beyond the years a file is
// given: a time read from a file converts back to that file time.
bool SecondsToFileTime(std::int64_t seconds, FILETIME& ft)
{
    if (seconds < -kSecondsFrom1601To1970 || seconds > INT64_MAX / kTicksPerSecond - kSecondsFrom1601To1970)
        return false;
    ft = FileTimeOf((seconds + kSecondsFrom1601To1970) * kTicksPerSecond);
    return true;
}

bool SameZone(const DYNAMIC_TIME_ZONE_INFORMATION& a, const DYNAMIC_TIME_ZONE_INFORMATION& b)
{
    return wcscmp(a.TimeZoneKeyName, b.TimeZoneKeyName) == 0 &&
           a.DynamicDaylightTimeDisabled == b.DynamicDaylightTimeDisabled;
}

// The zone's rules for one year, from the registry's per-year data, as
// Explorer applies them. A null zone in the conversions below would apply
// this year's rules to every year; the ...Ex conversions, which take a year
// themselves, are stubs in Wine 8 that end the process.
//
// Reading a year's rules takes about a third of a millisecond under Wine,
// and a listing asks for the same year of the same zone again and again: the
// last answer is kept (per thread) while the zone stays the one it was read
// for.
bool RulesOfYear(WORD year, TIME_ZONE_INFORMATION& rules)
{
    thread_local DYNAMIC_TIME_ZONE_INFORMATION keptZone = {};
    thread_local WORD keptYear = 0;
    thread_local TIME_ZONE_INFORMATION keptRules = {};
    DYNAMIC_TIME_ZONE_INFORMATION zone;
    if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return false;
    if (year != keptYear || !SameZone(zone, keptZone))
    {
        keptYear = 0;
        if (!GetTimeZoneInformationForYear(year, &zone, &keptRules))
            return false;
        keptZone = zone;
        keptYear = year;
    }
    rules = keptRules;
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
    TIME_ZONE_INFORMATION rules;
    return RulesOfYear(local.wYear, rules) && TzSpecificLocalTimeToSystemTime(&rules, &local, &universal);
}

// The rules are those of the local year, which only the conversion tells:
// around New Year it differs from the UTC year, and the conversion is made
// again with the rules of the year it gave.
bool UniversalToLocal(const SYSTEMTIME& universal, SYSTEMTIME& local)
{
    TIME_ZONE_INFORMATION rules;
    if (!RulesOfYear(universal.wYear, rules) || !SystemTimeToTzSpecificLocalTime(&rules, &universal, &local))
        return false;
    return local.wYear == universal.wYear ||
           (RulesOfYear(local.wYear, rules) && SystemTimeToTzSpecificLocalTime(&rules, &universal, &local));
}

bool SameDateAndTime(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int /*nDST*/)
    : m_seconds(kInvalid)
{
    if (!IsCalendarTime(nYear, nMonth, nDay, nHour, nMinute, nSecond))
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
    if (LocalToUniversal(local, universal) && SystemTimeToFileTime(&universal, &ft) && IsFileTime(TicksOf(ft)))
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

// A skipped local time is read as a moment whose clocks show another; a
// repeated one reads back as itself.
bool CTime::Exists(const SYSTEMTIME& localTime)
{
    SYSTEMTIME shown;
    return CTime(localTime).GetAsSystemTime(shown) && SameDateAndTime(shown, localTime);
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
    return ptm;
}
