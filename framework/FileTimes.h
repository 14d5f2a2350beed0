// The times a file can be given, and the calendar they follow. The platform
// counts a file's times in 100-ns ticks since 1601-01-01 00:00:00 UTC; the
// program gives files times up to the end of 9999, the last year with four
// digits and the last a date picker offers. Every check of a time against
// those years, and every conversion between ticks and FILETIME, is made here.
#pragma once

#include "framework/Win32.h"

using Ticks = LONGLONG;

constexpr int kFirstFileYear = 1601;
constexpr int kLastFileYear = 9999;
constexpr Ticks kTicksPerSecond = 10000000;

// Days from 1601-01-01 to 1 January of the year: 1601 begins a 400-year
// cycle of leap years, so the leap days are counted from it directly.
constexpr LONGLONG DaysFrom1601(int year)
{
    return 365LL * (year - 1601) + (year - 1601) / 4 - (year - 1601) / 100 + (year - 1601) / 400;
}

// The first tick after the times a file is given.
constexpr Ticks kFileTimesEnd = DaysFrom1601(kLastFileYear + 1) * 86400 * kTicksPerSecond;

// Tick 0 is not a time a file can be given: the platform reads a zero time
// as "leave this time alone".
inline bool IsFileTime(Ticks ticks)
{
    return ticks > 0 && ticks < kFileTimesEnd;
}

// A FILETIME read from a file can hold any 64-bit value; ticks are signed.
inline Ticks TicksOf(const FILETIME& ft)
{
    return static_cast<Ticks>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

inline FILETIME FileTimeOf(Ticks ticks)
{
    const ULONGLONG value = static_cast<ULONGLONG>(ticks);
    return {static_cast<DWORD>(value & 0xFFFFFFFF), static_cast<DWORD>(value >> 32)};
}

// Whether the fields name a day that exists and a time of day on it, in the
// years files are given, in whatever zone they are read. Checked here: the
// platform's own conversion takes 29 February of any year.
bool IsCalendarTime(int year, int month, int day, int hour, int minute, int second);

// The fields read as UTC, when they form a calendar time as above: the
// platform's own conversion would take 29 February of any year.
bool UniversalTicks(const SYSTEMTIME& utc, Ticks& ticks);
