#include "stamping/TimeChoice.h"

namespace
{
// 10000-01-01 00:00:00 UTC: 3,067,671 days after 1601-01-01.
constexpr Ticks kYear10000 = 3067671LL * 86400 * 10000000;

// Tick 0 is not a time a file can be given: the platform reads a zero time
// as "leave this time alone".
bool IsFileTime(Ticks time)
{
    return time > 0 && time < kYear10000;
}
}

bool CTimeChoice::Apply(Ticks own, Ticks& result) const
{
    if (m_how == kUnchanged)
    {
        result = own;
        return true;
    }
    if (m_how == kAt)
        result = m_value;
    else if (m_value > 0 && own > kYear10000 - m_value)
        return false;
    else
        result = own + m_value;     // own is never negative, so this cannot overflow
    return IsFileTime(result);
}
