// The file time of one of the program's times, for the time tests.
#pragma once

#include "framework/CTime.h"
#include "tests/support/TestSupport.h"

namespace testsupport {
constexpr std::uint64_t kTicksPerSecond = 10000000;
inline std::uint64_t TicksOf(const CTime& time) {    // 0 for a time no file can hold
    FILETIME ft = {};
    return time.GetAsFileTime(ft) ? (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime : 0;
}
}
