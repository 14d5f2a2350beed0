// The three times of a file or folder, as the platform keeps them: 100-ns
// ticks since 1601-01-01 00:00:00 UTC.
#pragma once

#include "framework/Win32.h"

// In the order SetFileTime takes them.
enum TimeKind
{
    kCreated,
    kAccessed,
    kModified,
    kTimeKinds
};

using Ticks = LONGLONG;

struct ItemTimes
{
    Ticks at[kTimeKinds] = {};
};

inline Ticks TicksOf(const FILETIME& ft)
{
    return static_cast<Ticks>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

// In the order the platform reports them everywhere: creation, last access,
// last write.
inline ItemTimes TimesOf(const FILETIME& creation, const FILETIME& lastAccess, const FILETIME& lastWrite)
{
    return {{TicksOf(creation), TicksOf(lastAccess), TicksOf(lastWrite)}};
}

inline FILETIME FileTimeOf(Ticks ticks)
{
    const ULONGLONG value = static_cast<ULONGLONG>(ticks);
    return {static_cast<DWORD>(value & 0xFFFFFFFF), static_cast<DWORD>(value >> 32)};
}
