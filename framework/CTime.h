// A point in time in whole seconds since 1970-01-01 00:00:00 UTC, held in 64
// bits, so that every time a file can be given (FileTimes.h) fits, earlier
// than 1970 included.
//
// Local times are converted with the zone's rules for the year in question,
// as Explorer shows a file's time: a winter date set in summer lands on winter
// time, and a date of 2006 follows the rules of 2006. The C runtime's
// mktime/localtime are not used; under Wine they ignore the time zone that
// the rest of the platform follows.
//
// A local time that a clock change skips or repeats resolves the way the
// platform's conversion resolves it (see LocalToUniversal in CTime.cpp);
// Exists tells a skipped one.
//
// Fractions of a second are cut off (toward the past) when a file time is
// read into a CTime.
#pragma once

#include "framework/FileTimes.h"

#include <cstdint>
#include <ctime>

class CTime
{
public:
    // The time 1970-01-01 00:00:00 UTC.
    CTime() = default;

    // From a local date and time. nDST is accepted for familiarity: -1 ("the
    // platform decides from the date") is the only value the program passes,
    // and the platform's rules always decide. Fields that do not form a local
    // time whose moment a file can be given give an invalid CTime (IsValid()
    // false): the years 1601 to 9999 hold in UTC, not only in local time.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int nDST = -1);

    // From a local SYSTEMTIME, as the date and time pickers give it.
    explicit CTime(const SYSTEMTIME& localTime, int nDST = -1);

    // From a file time (UTC, 100-ns units since 1601).
    explicit CTime(const FILETIME& fileTime);

    // Whether the local clocks ever show this date and time: false for one in
    // the hour skipped when they go forward, which the constructors read as
    // another, and for fields that give an invalid CTime.
    static bool Exists(const SYSTEMTIME& localTime);

    bool IsValid() const { return m_seconds != kInvalid; }

    // The local date and time of day (the other fields are zero); nullptr
    // when the time has no local form.
    struct tm* GetLocalTm(struct tm* ptm) const;
    // Local SYSTEMTIME; false when the time has no local form.
    bool GetAsSystemTime(SYSTEMTIME& localTime) const;
    // File time (UTC); false when the time lies outside what a FILETIME holds.
    bool GetAsFileTime(FILETIME& fileTime) const;

private:
    static constexpr std::int64_t kInvalid = INT64_MIN;
    std::int64_t m_seconds = 0;
};
