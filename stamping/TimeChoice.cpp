#include "stamping/TimeChoice.h"

bool CTimeChoice::Apply(Ticks own, Ticks& result) const
{
    if (m_how == kUnchanged)
    {
        result = own;
        return true;
    }
    // A time read from a file can be any 64-bit value: a sum that would end
    // outside the times a file can hold is refused before it is made, so it
    // cannot overflow.
    if (m_how == kAt)
        result = m_value;
    else if (m_value > 0 ? own > kFileTimesEnd - m_value : own < -m_value)
        return false;
    else
        result = own + m_value;
    return IsFileTime(result);
}
