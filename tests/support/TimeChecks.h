// The file time of one of the program's times, for the time tests.
#pragma once

#include "framework/CTime.h"
#include "tests/support/TestSupport.h"

namespace testsupport {
inline std::uint64_t TicksOf(const CTime& time) {    // 0 for a time no file can hold
    FILETIME ft = {};
    return time.GetAsFileTime(ft) ? static_cast<std::uint64_t>(::TicksOf(ft)) : 0;
}
}
