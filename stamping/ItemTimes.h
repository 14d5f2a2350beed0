// The three times of a file or folder, as the platform keeps them: 100-ns
// ticks since 1601-01-01 00:00:00 UTC.
#pragma once

#include "framework/FileTimes.h"

// In the order SetFileTime takes them.
enum TimeKind
{
    kCreated,
    kAccessed,
    kModified,
    kTimeKinds
};

struct CItemTimes
{
    Ticks ticks[kTimeKinds] = {};
};

// In the order the platform reports them everywhere: creation, last access,
// last write.
inline CItemTimes TimesOf(const FILETIME& creation, const FILETIME& lastAccess, const FILETIME& lastWrite)
{
    return {{TicksOf(creation), TicksOf(lastAccess), TicksOf(lastWrite)}};
}
