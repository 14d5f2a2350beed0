// A point in time in whole seconds since 1970-01-01 00:00:00 UTC, held in 64
// bits, so that every local date and time from 1601-01-01 to 9999-12-31 (what a
// file time and the date picker can hold) fits, earlier than 1970 included.
//
// Local times are converted with the platform's time-zone rules for the date
// in question (TzSpecificLocalTimeToSystemTime and its inverse), never with
// today's offset: a winter date set in summer lands on winter time. The C
// runtime's mktime/localtime are not used; under Wine they ignore the time
// zone that the rest of the platform follows.
//
// A local time that a clock change skips or repeats resolves the way the
// platform's conversion resolves it (see LocalToUniversal in CTime.cpp).
//
// Fractions of a second are cut off (toward the past) when a file time is
// read into a CTime.
#pragma once

#include "framework/Win32.h"

#include <cstdint>
#include <ctime>

class CTime
{
public:
    // The time 1970-01-01 00:00:00 UTC.
    CTime() = default;
    explicit CTime(std::int64_t seconds) : m_seconds(seconds) {}

    // From a local date and time. nDST is accepted for familiarity: -1 ("the
    // platform decides from the date") is the only value the program passes,
    // and the platform's rules always decide. Fields that do not form a local
    // time that a file time can hold give an invalid CTime (IsValid() false).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond, int nDST = -1);

    // From a local SYSTEMTIME, as the date and time pickers give it.
    explicit CTime(const SYSTEMTIME& localTime, int nDST = -1);

    // From a file time (UTC, 100-ns units since 1601).
    explicit CTime(const FILETIME& fileTime);

    bool IsValid() const { return m_seconds != kInvalid; }

    // Local broken-down time; nullptr when the time has no local form.
    struct tm* GetLocalTm(struct tm* ptm) const;
    // Local SYSTEMTIME; false when the time has no local form.
    bool GetAsSystemTime(SYSTEMTIME& localTime) const;
    // File time (UTC); false when the time lies outside what a FILETIME holds.
    bool GetAsFileTime(FILETIME& fileTime) const;

    bool operator==(const CTime& other) const { return m_seconds == other.m_seconds; }
    bool operator!=(const CTime& other) const { return m_seconds != other.m_seconds; }
    bool operator<(const CTime& other) const { return m_seconds < other.m_seconds; }

private:
    static constexpr std::int64_t kInvalid = INT64_MIN;
    std::int64_t m_seconds = 0;
};
